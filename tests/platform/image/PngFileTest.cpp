#include "platform/image/PngFile.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <png.h>
#include <utility>

#include "platform/core/FileSystem.h"
#include "platform/core/WinTypes.h"

namespace {

// Six distinct pixels, 3 x 2, with every channel different and some alpha values that a
// premultiplying or compositing decoder would change (0 with a colour, 1, 254).
constexpr uint8_t kPixels[2][3][4] = {
    {{10, 20, 30, 0}, {40, 50, 60, 1}, {70, 80, 90, 128}},
    {{100, 110, 120, 254}, {130, 140, 150, 255}, {255, 0, 7, 77}},
};

Bitmap Sample(int bpp, bool topDown) {
    Bitmap bmp(3, 2, bpp, topDown);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            std::memcpy(bmp.ScanLine(y) + x * bmp.BytesPerPixel(), kPixels[y][x],
                        size_t(bmp.BytesPerPixel()));
    return bmp;
}

void ExpectSamplePixels(const Bitmap& bmp, int bpp) {
    ASSERT_EQ(bmp.Width(), 3);
    ASSERT_EQ(bmp.Height(), 2);
    ASSERT_EQ(bmp.BitsPerPixel(), bpp);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            for (int i = 0; i < bpp / 8; ++i)
                EXPECT_EQ(bmp.ScanLine(y)[x * (bpp / 8) + i], kPixels[y][x][i])
                    << "pixel " << x << "," << y << " byte " << i;
}

uint32_t Crc32(const uint8_t* p, size_t n) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBE32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (24 - 8 * i));
}

// Writes a PNG of a kind our encoder does not make, through libpng's own interface.
std::vector<uint8_t> WriteWithLibpng(int width, int height, uint32_t format, const void* pixels,
                                     const void* colormap = nullptr, int colormapEntries = 0) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = format;
    image.colormap_entries = png_uint_32(colormapEntries);
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_get_memory_size(image, size, 0, pixels, 0, colormap));
    std::vector<uint8_t> out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, colormap));
    out.resize(size);
    return out;
}

} // namespace

TEST(PngFile, RoundTripIsExact) {
    for (int bpp : {24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bpp << " bits, top-down " << topDown);
            const std::vector<uint8_t> png = EncodePNG(Sample(bpp, topDown));
            ASSERT_GT(png.size(), 8u);
            EXPECT_EQ(0, std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8));
            std::string error;
            auto bmp = DecodePNG(png.data(), png.size(), &error);
            ASSERT_TRUE(bmp) << error;
            ExpectSamplePixels(*bmp, bpp);
        }
    }
    EXPECT_TRUE(EncodePNG(Bitmap()).empty());
}

TEST(PngFile, GrayAndPaletteFilesConvert) {
    // Gray 2 x 1: 0 and 200 -> equal channels, 24 bits.
    const uint8_t gray[2] = {0, 200};
    const auto grayPng = WriteWithLibpng(2, 1, PNG_FORMAT_GRAY, gray);
    auto g = DecodePNG(grayPng.data(), grayPng.size(), nullptr);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->BitsPerPixel(), 24);
    EXPECT_EQ(g->GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(g->GetPixel(1, 0), RGB(200, 200, 200));

    // A palette with a transparent entry carries alpha, so it comes back as 32 bits.
    const uint8_t colormap[2][4] = {{255, 0, 0, 255}, {0, 0, 255, 0}}; // RGBA
    const uint8_t indexes[3] = {1, 0, 1};
    const auto palettePng = WriteWithLibpng(3, 1, PNG_FORMAT_RGBA_COLORMAP, indexes, colormap, 2);
    auto p = DecodePNG(palettePng.data(), palettePng.size(), nullptr);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->BitsPerPixel(), 32);
    const std::vector<uint8_t> expected = {255, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0}; // BGRA
    EXPECT_EQ(std::vector<uint8_t>(p->ScanLine(0), p->ScanLine(0) + 12), expected);
}

TEST(PngFile, DamagedDataIsAnError) {
    const std::vector<uint8_t> good = EncodePNG(Sample(24, false));
    size_t idat = 0;
    for (size_t i = 8; i + 4 < good.size(); ++i)
        if (std::memcmp(&good[i], "IDAT", 4) == 0) idat = i;
    ASSERT_GT(idat, 0u);
    std::vector<uint8_t> badCrc = good;
    badCrc[idat + 6] ^= 0x55; // a byte of the compressed data; the chunk's CRC no longer fits
    const std::vector<uint8_t> garbage = {'n', 'o', 't', ' ', 'p', 'n', 'g', 0, 0, 0, 0, 0};

    for (const std::vector<uint8_t>* data : {&std::as_const(badCrc), &garbage}) {
        std::string error;
        EXPECT_EQ(DecodePNG(data->data(), data->size(), &error), nullptr);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
    // Every cut before the end of the (checksummed) image data fails. A cut in the closing
    // IEND chunk loses nothing of the picture, which then still decodes.
    const size_t iend = good.size() - 12;
    ASSERT_EQ(0, std::memcmp(&good[iend + 4], "IEND", 4));
    for (size_t n = 0; n < good.size(); ++n) {
        // A copy of exactly n bytes, so that the sanitizer sees any read past the end.
        std::vector<uint8_t> prefix(good.begin(), good.begin() + n);
        std::string error;
        auto bmp = DecodePNG(prefix.data(), prefix.size(), &error);
        if (n < iend) {
            EXPECT_EQ(bmp, nullptr) << n << " bytes";
            EXPECT_FALSE(error.empty()) << n << " bytes";
        } else {
            ASSERT_TRUE(bmp) << n << " bytes: " << error;
            ExpectSamplePixels(*bmp, 24);
        }
    }
    std::string error;
    EXPECT_EQ(DecodePNG(nullptr, 0, &error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(PngFile, ForgedLargeSizeIsRefusedBeforeDecoding) {
    std::vector<uint8_t> png = EncodePNG(Sample(24, false));
    // The header chunk: length at 8, "IHDR" at 12, width at 16, height at 20, CRC at 29.
    ASSERT_EQ(0, std::memcmp(&png[12], "IHDR", 4));
    PutBE32(png, 16, 40000);
    PutBE32(png, 20, 40000);
    PutBE32(png, 29, Crc32(&png[12], 17));
    std::string error;
    EXPECT_EQ(DecodePNG(png.data(), png.size(), &error), nullptr);
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

TEST(PngFile, SaveWritesAFileThatDecodes) {
    const std::filesystem::path dir = std::filesystem::path(STAT_TEST_DATA_DIR) / "png-save";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = WindowsPath((dir / "shot.png").string());

    std::string error;
    ASSERT_TRUE(SavePNG(Sample(32, false), path, &error)) << error;
    auto file = ReadFileBytes(path, 1 << 20);
    ASSERT_TRUE(file.Ok()) << file.Error;
    auto bmp = DecodePNG(file.Data.data(), file.Data.size(), &error);
    ASSERT_TRUE(bmp) << error;
    ExpectSamplePixels(*bmp, 32);

    const std::string missing = WindowsPath((dir / "no-such-folder" / "x.png").string());
    EXPECT_FALSE(SavePNG(Sample(24, false), missing, &error));
    EXPECT_NE(error.find("x.png"), std::string::npos) << error;
    EXPECT_FALSE(SavePNG(Bitmap(), WindowsPath((dir / "empty.png").string()), &error));
}
