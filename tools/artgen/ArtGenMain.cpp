// artgen OUTDIR [PREVIEWDIR]: draws the textbook's pictures into OUTDIR (data/art is where
// they live): the splash picture, the window icon in two sizes and the tool buttons' glyphs.
// With PREVIEWDIR it also reads the written files back through the program's own decoders
// and saves them as PNGs, the small ones enlarged, to look at.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Bmp4Writer.h"
#include "GlyphPainter.h"
#include "IconPainter.h"
#include "ProgressiveJpegWriter.h"
#include "SplashPainter.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        std::fprintf(stderr, "artgen: nothing to write for %s\n", path.c_str());
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
    return bool(out);
}

// Black is the splash window's see-through colour: a decoded black pixel would be a hole.
bool HasBlackPixel(const std::vector<uint8_t>& jpeg) {
    const auto decoded = DecodeJPEG(jpeg.data(), jpeg.size(), nullptr);
    if (!decoded) return true;
    for (int y = 0; y < decoded->Height(); ++y)
        for (int x = 0; x < decoded->Width(); ++x)
            if ((decoded->GetPixel(x, y) & 0xFFFFFF) == 0) return true;
    return false;
}

bool WriteSplash(const std::filesystem::path& dir) {
    const std::vector<uint8_t> jpeg = ProgressiveJpegWriter::Encode(SplashPainter::Paint(), 92);
    if (jpeg.empty() || HasBlackPixel(jpeg)) {
        std::fprintf(stderr, "artgen: the splash picture did not encode cleanly\n");
        return false;
    }
    return WriteFile(dir / "splash.jpg", jpeg);
}

bool WriteIcons(const std::filesystem::path& dir) {
    for (int size : {32, 16})
        if (!WriteFile(dir / ("icon" + std::to_string(size) + ".png"),
                       EncodePNG(IconPainter::Paint(size))))
            return false;
    return true;
}

bool WriteGlyphs(const std::filesystem::path& dir) {
    for (TToolGlyph glyph : {TToolGlyph::Back, TToolGlyph::Forward, TToolGlyph::Contents,
                             TToolGlyph::Print, TToolGlyph::Exit})
        if (!WriteFile(dir / GlyphPainter::FileName(glyph),
                       Bmp4Writer::Encode(GlyphPainter::Paint(glyph))))
            return false;
    return true;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

// Nearest-neighbour enlargement over a light grey board, so that transparency shows.
Bitmap Enlarged(const Bitmap& picture, int factor) {
    Bitmap large(picture.Width() * factor, picture.Height() * factor, 24);
    for (int y = 0; y < large.Height(); ++y)
        for (int x = 0; x < large.Width(); ++x) {
            const COLORREF c = picture.GetPixel(x / factor, y / factor);
            const int alpha = picture.BitsPerPixel() == 32
                                  ? picture.ScanLine(y / factor)[4 * (x / factor) + 3]
                                  : 255;
            const int board = ((x / 8 + y / 8) % 2) ? 200 : 230;
            auto mix = [&](int v) { return BYTE((v * alpha + board * (255 - alpha) + 127) / 255); };
            large.SetPixel(x, y, RGB(mix(GetRValue(c)), mix(GetGValue(c)), mix(GetBValue(c))));
        }
    return large;
}

bool WritePreviews(const std::filesystem::path& dir, const std::filesystem::path& previews) {
    std::filesystem::create_directories(previews);
    const std::vector<uint8_t> jpeg = ReadFile(dir / "splash.jpg");
    const auto splash = DecodeJPEG(jpeg.data(), jpeg.size(), nullptr);
    bool ok = splash && WriteFile(previews / "splash.png", EncodePNG(*splash));
    for (const char* name : {"icon32.png", "icon16.png"}) {
        const std::vector<uint8_t> png = ReadFile(dir / name);
        const auto icon = DecodePNG(png.data(), png.size(), nullptr);
        ok = ok && icon &&
             WriteFile(previews / name, EncodePNG(Enlarged(*icon, 256 / icon->Width())));
    }
    for (TToolGlyph glyph : {TToolGlyph::Back, TToolGlyph::Forward, TToolGlyph::Contents,
                             TToolGlyph::Print, TToolGlyph::Exit}) {
        const std::string name = GlyphPainter::FileName(glyph);
        const std::vector<uint8_t> bmp = ReadFile(dir / name);
        const auto bitmap = LoadBMP(bmp.data(), bmp.size(), nullptr);
        ok = ok && bitmap && WriteFile(previews / (name + ".png"), EncodePNG(Enlarged(*bitmap, 8)));
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: artgen OUTDIR [PREVIEWDIR]\n");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    // Fonts and drawing need the window system; no screen is shown.
    UseHeadlessBackend(800, 600);
    bool ok = WriteSplash(dir) && WriteIcons(dir) && WriteGlyphs(dir);
    if (ok && argc == 3) ok = WritePreviews(dir, argv[2]);
    return ok ? 0 : 1;
}
