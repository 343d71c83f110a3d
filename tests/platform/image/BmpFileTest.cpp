#include "platform/image/BmpFile.h"

#include <cstring>
#include <gtest/gtest.h>

#include "platform/core/WinTypes.h"

namespace {

// Everything needed to assemble a bitmap file by hand. Rows are given unpadded, in file
// order (bottom row first for a positive height); the builder pads each row to four bytes
// with 0xEE, so a reader that gets the row stride wrong picks up visible garbage.
struct BmpSpec {
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bpp = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    // Written right after a 40-byte header, or into the mask fields of a larger one.
    std::vector<uint32_t> masks;
    std::vector<uint8_t> palette; // raw entries: B, G, R, 0 (or B, G, R for a core header)
    std::vector<std::vector<uint8_t>> rows;
};

void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (8 * i));
}
uint32_t Get32(const std::vector<uint8_t>& v, size_t at) {
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 |
           uint32_t(v[at + 3]) << 24;
}

std::vector<uint8_t> BuildBmp(const BmpSpec& s) {
    std::vector<uint8_t> header(s.headerSize, 0);
    Put32(header, 0, s.headerSize);
    if (s.headerSize == 12) {
        Put16(header, 4, uint32_t(s.width));
        Put16(header, 6, uint32_t(s.height));
        Put16(header, 8, 1);
        Put16(header, 10, s.bpp);
    } else {
        Put32(header, 4, uint32_t(s.width));
        Put32(header, 8, uint32_t(s.height));
        Put16(header, 12, 1);
        Put16(header, 14, s.bpp);
        Put32(header, 16, s.compression);
        Put32(header, 32, s.colorsUsed);
    }
    std::vector<uint8_t> masks;
    if (s.headerSize == 40) {
        masks.resize(4 * s.masks.size());
        for (size_t i = 0; i < s.masks.size(); ++i) Put32(masks, 4 * i, s.masks[i]);
    } else {
        for (size_t i = 0; i < s.masks.size(); ++i) Put32(header, 40 + 4 * i, s.masks[i]);
    }
    std::vector<uint8_t> file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    const size_t offset = 14 + header.size() + masks.size() + s.palette.size();
    Put32(file, 10, uint32_t(offset));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), masks.begin(), masks.end());
    file.insert(file.end(), s.palette.begin(), s.palette.end());
    for (const auto& row : s.rows) {
        file.insert(file.end(), row.begin(), row.end());
        while ((file.size() - offset) % 4 != 0) file.push_back(0xEE);
    }
    Put32(file, 2, uint32_t(file.size()));
    return file;
}

std::unique_ptr<Bitmap> Load(const std::vector<uint8_t>& file, std::string* error = nullptr) {
    std::string local;
    auto bmp = LoadBMP(file.data(), file.size(), error ? error : &local);
    if (!bmp && !error) ADD_FAILURE() << "LoadBMP failed: " << local;
    return bmp;
}

// Expected picture, top row first, as colour values (red in the low byte).
using Picture = std::vector<std::vector<COLORREF>>;

void ExpectPixels(const Bitmap& bmp, const Picture& expected) {
    ASSERT_EQ(bmp.Height(), int(expected.size()));
    for (int y = 0; y < bmp.Height(); ++y) {
        ASSERT_EQ(bmp.Width(), int(expected[y].size()));
        for (int x = 0; x < bmp.Width(); ++x)
            EXPECT_EQ(bmp.GetPixel(x, y), expected[y][x]) << "pixel " << x << ", " << y;
    }
}

} // namespace

TEST(BmpFile, OneBitPaletteWithRowCrossingAByte) {
    const COLORREF c0 = RGB(0x30, 0x20, 0x10), c1 = RGB(0xC0, 0xB0, 0xA0);
    BmpSpec s;
    s.width = 9;
    s.height = 2;
    s.bpp = 1;
    s.palette = {0x10, 0x20, 0x30, 0, 0xA0, 0xB0, 0xC0, 0};
    // Bottom row 1 0 1 1 0 0 0 0 | 1; top row 0 1 1 0 0 0 0 1 | 0.
    s.rows = {{0xB0, 0x80}, {0x61, 0x00}};
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->BitsPerPixel(), 24);
    ExpectPixels(*bmp,
                 {{c0, c1, c1, c0, c0, c0, c0, c1, c0}, {c1, c0, c1, c1, c0, c0, c0, c0, c1}});
}

TEST(BmpFile, FourBitShortPaletteGivesBlackBeyondItsEnd) {
    const COLORREF c0 = RGB(1, 2, 3), c1 = RGB(40, 50, 60), c2 = RGB(200, 100, 0);
    BmpSpec s;
    s.width = 5;
    s.height = 2;
    s.bpp = 4;
    s.colorsUsed = 3;
    s.palette = {3, 2, 1, 0, 60, 50, 40, 0, 0, 100, 200, 0};
    // Bottom row: 2 2 1 0 0; top row: 0 1 2 7 1 (7 is past the three entries).
    s.rows = {{0x22, 0x10, 0x00}, {0x01, 0x27, 0x10}};
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    ExpectPixels(*bmp, {{c0, c1, c2, RGB(0, 0, 0), c1}, {c2, c2, c1, c0, c0}});
}

TEST(BmpFile, EightBitTopDownWithImpliedFullPalette) {
    // Colours used 0 means all 256 entries are present; entry i is (R, G, B) = (i, 255-i, i^0x5A).
    BmpSpec s;
    s.width = 3;
    s.height = -2;
    s.bpp = 8;
    for (int i = 0; i < 256; ++i) {
        s.palette.insert(s.palette.end(), {uint8_t(i ^ 0x5A), uint8_t(255 - i), uint8_t(i), 0});
    }
    s.rows = {{0, 255, 17}, {128, 1, 254}}; // top row first: the file is top-down
    auto entry = [](int i) { return RGB(BYTE(i), BYTE(255 - i), BYTE(i ^ 0x5A)); };
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    EXPECT_TRUE(bmp->TopDown());
    ExpectPixels(*bmp, {{entry(0), entry(255), entry(17)}, {entry(128), entry(1), entry(254)}});
}

TEST(BmpFile, PaletteCountAboveWhatTheBitsAddressIsCut) {
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bpp = 1;
    s.colorsUsed = 0xFFFFFFFF;
    s.palette = {0, 0, 255, 0, 255, 0, 0, 0};
    s.rows = {{0x40}};
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    ExpectPixels(*bmp, {{RGB(255, 0, 0), RGB(0, 0, 255)}});
}

TEST(BmpFile, CoreHeaderWithThreeBytePalette) {
    BmpSpec s;
    s.headerSize = 12;
    s.width = 3;
    s.height = 2;
    s.bpp = 1;
    s.palette = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    s.rows = {{0x20}, {0xC0}}; // bottom: 0 0 1; top: 1 1 0
    const COLORREF c0 = RGB(0x33, 0x22, 0x11), c1 = RGB(0x66, 0x55, 0x44);
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    ExpectPixels(*bmp, {{c1, c1, c0}, {c0, c0, c1}});
}

TEST(BmpFile, SixteenBitPlainIsFiveFiveFive) {
    // Channel = (v*255 + 15) / 31: 31 -> 255, 16 -> 132, 1 -> 8; the top bit is unused.
    BmpSpec s;
    s.width = 3;
    s.height = 1;
    s.bpp = 16;
    s.rows = {{0xFF, 0x7F, 0x10, 0xC2, 0x01, 0x04}}; // 0x7FFF, 0xC210, 0x0401
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->BitsPerPixel(), 24);
    ExpectPixels(*bmp, {{RGB(255, 255, 255), RGB(132, 132, 132), RGB(8, 0, 8)}});
}

TEST(BmpFile, SixteenBitMasksInEveryHeaderKind) {
    // 5-6-5: red and blue (v*255 + 15) / 31, green (v*255 + 31) / 63.
    // 0xF800 -> red 31; 0x0020 -> green 1 = 4; 0x8410 -> 16, 32, 16 = 132, 130, 132;
    // 0x001F -> blue 255.
    const std::vector<uint8_t> row = {0x00, 0xF8, 0x20, 0x00, 0x10, 0x84, 0x1F, 0x00, 0xFF, 0xFF};
    const Picture expected = {
        {RGB(255, 0, 0), RGB(0, 4, 0), RGB(132, 130, 132), RGB(0, 0, 255), RGB(255, 255, 255)}};
    for (uint32_t headerSize : {40u, 52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(headerSize);
        BmpSpec s;
        s.headerSize = headerSize;
        s.width = 5;
        s.height = 1;
        s.bpp = 16;
        s.compression = 3;
        s.masks = {0xF800, 0x07E0, 0x001F};
        s.rows = {row};
        auto bmp = Load(BuildBmp(s));
        ASSERT_TRUE(bmp);
        ExpectPixels(*bmp, expected);
    }
}

TEST(BmpFile, SixteenBitFourBitChannels) {
    // 4-4-4 in x-R-G-B order: (v*255 + 7) / 15; 8 -> 136, 15 -> 255, 1 -> 17.
    BmpSpec s;
    s.width = 1;
    s.height = 1;
    s.bpp = 16;
    s.compression = 3;
    s.masks = {0x0F00, 0x00F0, 0x000F};
    s.rows = {{0xF1, 0x08}}; // 0x08F1
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    ExpectPixels(*bmp, {{RGB(136, 255, 17)}});
}

TEST(BmpFile, TwentyFourBitKeepsTheFilesRowOrder) {
    // Two rows of two pixels; the first row in the file is A B, the second C D.
    const std::vector<uint8_t> first = {1, 2, 3, 4, 5, 6}, second = {7, 8, 9, 10, 11, 12};
    const COLORREF a = RGB(3, 2, 1), b = RGB(6, 5, 4), c = RGB(9, 8, 7), d = RGB(12, 11, 10);
    struct Case {
        int32_t height;
        bool topDown;
        Picture expected;
    } cases[] = {
        {2, false, {{c, d}, {a, b}}}, // bottom-up: the first file row is the bottom one
        {-2, true, {{a, b}, {c, d}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        BmpSpec s;
        s.width = 2;
        s.height = c.height;
        s.rows = {first, second};
        auto bmp = Load(BuildBmp(s));
        ASSERT_TRUE(bmp);
        EXPECT_EQ(bmp->TopDown(), c.topDown);
        EXPECT_EQ(bmp->RowDelta(), c.topDown ? 8 : -8);
        ExpectPixels(*bmp, c.expected);
        // In memory the rows lie in file order, as a DIB of either kind has them.
        EXPECT_EQ(0, std::memcmp(bmp->Bits(), first.data(), first.size()));
    }
}

TEST(BmpFile, ThirtyTwoBitPlainCopiesAlpha) {
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bpp = 32;
    s.rows = {{10, 20, 30, 0, 40, 50, 60, 200}};
    auto bmp = Load(BuildBmp(s));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->BitsPerPixel(), 32);
    const std::vector<uint8_t> expected = {10, 20, 30, 0, 40, 50, 60, 200};
    EXPECT_EQ(std::vector<uint8_t>(bmp->ScanLine(0), bmp->ScanLine(0) + 8), expected);
}

TEST(BmpFile, ThirtyTwoBitMasks) {
    struct Case {
        const char* name;
        uint32_t headerSize;
        std::vector<uint32_t> masks;
        uint32_t pixel;
        std::vector<uint8_t> bgra;
        uint32_t compression = 3;
    } cases[] = {
        // Bytes R, G, B, A in memory order, alpha from the V4 header's alpha mask.
        {"RGBA in a V4 header",
         108,
         {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},
         0x80C01040,
         {0xC0, 0x10, 0x40, 0x80}},
        // 10-10-10: (v*255 + 511) / 1023; 512 -> 128, 1023 -> 255, 1 -> 0. No alpha mask: 0.
        {"10-10-10 after an info header",
         40,
         {0x3FF00000, 0x000FFC00, 0x000003FF},
         (512u << 20) | (1023u << 10) | 1u,
         {0, 255, 128, 0}},
        // A zero mask gives that channel 0.
        {"no green", 40, {0x00FF0000, 0, 0x000000FF}, 0xFFFFFFFF, {255, 0, 255, 0}},
        // Four masks after an info header (compression 6) include alpha.
        {"alpha bit fields after an info header",
         40,
         {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
         0x11223344,
         {0x44, 0x33, 0x22, 0x11},
         6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BmpSpec s;
        s.headerSize = c.headerSize;
        s.width = 1;
        s.height = 1;
        s.bpp = 32;
        s.compression = c.compression;
        s.masks = c.masks;
        s.rows = {{uint8_t(c.pixel), uint8_t(c.pixel >> 8), uint8_t(c.pixel >> 16),
                   uint8_t(c.pixel >> 24)}};
        auto bmp = Load(BuildBmp(s));
        ASSERT_TRUE(bmp);
        EXPECT_EQ(bmp->BitsPerPixel(), 32);
        EXPECT_EQ(std::vector<uint8_t>(bmp->ScanLine(0), bmp->ScanLine(0) + 4), c.bgra);
    }
}

TEST(BmpFile, MissingPaddingOfTheLastRowIsAccepted) {
    BmpSpec s;
    s.width = 1;
    s.height = 2;
    s.rows = {{1, 2, 3}, {4, 5, 6}};
    auto file = BuildBmp(s);
    file.pop_back(); // the last row's single padding byte
    auto bmp = Load(file);
    ASSERT_TRUE(bmp);
    ExpectPixels(*bmp, {{RGB(6, 5, 4)}, {RGB(3, 2, 1)}});
}

TEST(BmpFile, SaveWritesPlainBottomUpFilesThatLoadBack) {
    for (int bpp : {24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bpp << " bits, top-down " << topDown);
            Bitmap src(3, 2, bpp, topDown);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x) {
                    uint8_t* p = src.ScanLine(y) + x * src.BytesPerPixel();
                    for (int i = 0; i < src.BytesPerPixel(); ++i)
                        p[i] = uint8_t(10 * y + 3 * x + i);
                }
            const std::vector<uint8_t> file = SaveBMP(src);
            const uint32_t stride = 12; // 3 pixels: 9 bytes padded to 12, or 12
            ASSERT_EQ(file.size(), 54u + 2 * stride);
            EXPECT_EQ(file[0], 'B');
            EXPECT_EQ(file[1], 'M');
            EXPECT_EQ(Get32(file, 2), file.size());
            EXPECT_EQ(Get32(file, 10), 54u);
            EXPECT_EQ(Get32(file, 14), 40u);
            EXPECT_EQ(int32_t(Get32(file, 22)), 2); // positive: bottom-up
            EXPECT_EQ(file[28], bpp);
            EXPECT_EQ(Get32(file, 30), 0u); // uncompressed
            // First stored row is the bottom one, pixel 0: bytes 10, 11, 12 (, 13).
            EXPECT_EQ(file[54], 10);
            EXPECT_EQ(file[56], 12);
            if (bpp == 24) {
                EXPECT_EQ(file[54 + 9], 0); // padding
            }

            auto back = Load(file);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->BitsPerPixel(), bpp);
            EXPECT_FALSE(back->TopDown());
            for (int y = 0; y < 2; ++y)
                EXPECT_EQ(0, std::memcmp(back->ScanLine(y), src.ScanLine(y),
                                         size_t(3 * src.BytesPerPixel())))
                    << "row " << y;
        }
    }
    EXPECT_TRUE(SaveBMP(Bitmap()).empty());
}

TEST(BmpFile, BadInputsGiveAnErrorNotACrash) {
    auto valid = [] {
        BmpSpec s;
        s.width = 3;
        s.height = 2;
        s.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
        return s;
    };
    auto build = [](BmpSpec s) { return BuildBmp(s); };
    auto patched = [](std::vector<uint8_t> f, size_t at, uint32_t v) {
        Put32(f, at, v);
        return f;
    };
    auto cut = [](std::vector<uint8_t> f, size_t n) {
        f.resize(n);
        return f;
    };
    auto with = [&](auto change) {
        BmpSpec s = valid();
        change(s);
        return BuildBmp(s);
    };
    const auto good = build(valid());
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        const char* errorPart;
    } cases[] = {
        {"empty", {}, "too short"},
        {"wrong magic",
         [&] {
             auto f = good;
             f[1] = 'X';
             return f;
         }(),
         "\"BM\""},
        {"truncated header", cut(good, 14 + 20), "ends inside its header"},
        {"header size too small", patched(good, 14, 16), "header size 16"},
        {"header size huge", patched(good, 14, 0xFFFFFFF0), "not supported"},
        {"pixel offset past the end", patched(good, 10, uint32_t(good.size() + 1)), "past the end"},
        {"pixel offset inside the header", patched(good, 10, 20), "points into its header"},
        {"pixel data short", cut(good, good.size() - 4),
         "bitmap data is shorter than its header says (needs 21 bytes, has 20)"},
        {"negative width", with([](BmpSpec& s) { s.width = -3; }), "width is negative"},
        {"zero width", with([](BmpSpec& s) { s.width = 0; }), "zero width or height"},
        {"zero height", with([](BmpSpec& s) { s.height = 0; }), "zero width or height"},
        {"width*height overflows 32 bits", with([](BmpSpec& s) {
             s.width = 0x10000;
             s.height = 0x10000;
         }),
         "too large"},
        {"most negative height", with([](BmpSpec& s) { s.height = INT32_MIN; }), "too large"},
        {"huge width", with([](BmpSpec& s) {
             s.width = 0x7FFFFFFF;
             s.height = 1;
         }),
         "too large"},
        {"each side allowed but too many pixels", with([](BmpSpec& s) {
             s.width = 32768;
             s.height = 32768;
         }),
         "too large"},
        {"palette larger than the data", with([](BmpSpec& s) {
             s.bpp = 8;
             s.colorsUsed = 256;
             s.palette.assign(8, 0);
         }),
         "palette runs past the end"},
        {"bpp 7", with([](BmpSpec& s) { s.bpp = 7; }), "7 bits per pixel"},
        {"bpp 0", with([](BmpSpec& s) { s.bpp = 0; }), "0 bits per pixel"},
        {"16 bpp in a core header", with([](BmpSpec& s) {
             s.headerSize = 12;
             s.bpp = 16;
         }),
         "16 bits per pixel"},
        {"RLE8", with([](BmpSpec& s) {
             s.bpp = 8;
             s.compression = 1;
         }),
         "compressed bitmaps are not supported"},
        {"RLE4", with([](BmpSpec& s) {
             s.bpp = 4;
             s.compression = 2;
         }),
         "compressed bitmaps are not supported"},
        {"JPEG inside", with([](BmpSpec& s) { s.compression = 4; }),
         "compressed bitmaps are not supported"},
        {"PNG inside", with([](BmpSpec& s) { s.compression = 5; }),
         "compressed bitmaps are not supported"},
        {"masks with 24 bits", with([](BmpSpec& s) { s.compression = 3; }), "need 16 or 32 bits"},
        {"file ends inside the masks",
         cut(with([](BmpSpec& s) {
                 s.bpp = 16;
                 s.compression = 3;
                 s.masks = {0xF800, 0x07E0, 0x001F};
             }),
             14 + 40 + 8),
         "ends inside its colour masks"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_EQ(LoadBMP(c.file.data(), c.file.size(), &error), nullptr);
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
    EXPECT_EQ(LoadBMP(nullptr, 100, nullptr), nullptr);
}

TEST(BmpFile, EveryShorterPrefixOfAFileIsRefused) {
    // Rows of four 8-bit pixels need no padding, so every byte of the file is required.
    BmpSpec s;
    s.width = 4;
    s.height = 3;
    s.bpp = 8;
    s.colorsUsed = 2;
    s.palette = {1, 2, 3, 0, 4, 5, 6, 0};
    s.rows = {{0, 1, 0, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}};
    const auto file = BuildBmp(s);
    ASSERT_TRUE(Load(file));
    for (size_t n = 0; n < file.size(); ++n) {
        // A copy of exactly n bytes, so that the sanitizer sees any read past the end.
        std::vector<uint8_t> prefix(file.begin(), file.begin() + n);
        std::string error;
        EXPECT_EQ(LoadBMP(prefix.data(), prefix.size(), &error), nullptr) << n << " bytes";
        EXPECT_FALSE(error.empty());
    }
}
