#include "shell/Art.h"

#include <map>

#include "platform/gdi/Gdi.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"
#include "shell/ArtData.h"

namespace {

const char* GlyphFile(TToolGlyph glyph) {
    switch (glyph) {
    case TToolGlyph::Back: return "back.bmp";
    case TToolGlyph::Forward: return "forward.bmp";
    case TToolGlyph::Contents: return "contents.bmp";
    case TToolGlyph::Print: return "print.bmp";
    case TToolGlyph::Exit: break;
    }
    return "exit.bmp";
}

// The decoders keep their file's depth; callers are promised 24 bits.
Bitmap As24Bits(std::unique_ptr<Bitmap> picture) {
    if (!picture || !picture->SetFormat(24)) return Bitmap();
    return std::move(*picture);
}

} // namespace

Bitmap TArt::SplashPicture() {
    const auto file = ArtFile("splash.jpg");
    return As24Bits(DecodeJPEG(file.data(), file.size(), nullptr));
}

Bitmap TArt::ToolGlyph(TToolGlyph glyph) {
    const auto file = ArtFile(GlyphFile(glyph));
    return As24Bits(LoadBMP(file.data(), file.size(), nullptr));
}

HICON TArt::WindowIcon(int size) {
    if (size != 16 && size != 32) return nullptr;
    // One icon per size for the program's life, as forms keep the handle without owning it.
    static std::map<int, HICON> icons;
    HICON& icon = icons[size];
    if (!icon) {
        const auto file = ArtFile(size == 16 ? "icon16.png" : "icon32.png");
        std::unique_ptr<Bitmap> picture = DecodePNG(file.data(), file.size(), nullptr);
        if (picture && picture->Width() == size && picture->Height() == size &&
            picture->SetFormat(32))
            icon = CreateIconFromBitmap(*picture);
    }
    return icon;
}
