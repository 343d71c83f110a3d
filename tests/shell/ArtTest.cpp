// The embedded pictures: what the splash window, the tool buttons and the window frame rely on.
#include "shell/Art.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <span>
#include <string>

#include "platform/backends/HeadlessBackend.h"
#include "platform/gdi/Gdi.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"
#include "shell/ArtData.h"

namespace {

constexpr COLORREF kOlive = RGB(128, 128, 0);

int Luma(COLORREF c) {
    return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
}

bool IsNeutral(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

// The frame type of a JPEG stream: the n of its SOFn marker, or -1. Walks the marker
// segments by their lengths from the start of the file.
int FrameMarker(std::span<const uint8_t> jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return -1;
    size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF) return -1;
        const uint8_t marker = jpeg[at + 1];
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) return marker - 0xC0;
        if (marker == 0xDA) return -1; // scan data before any frame header
        at += 2 + size_t((jpeg[at + 2] << 8) | jpeg[at + 3]);
    }
    return -1;
}

TEST(ArtFiles, UnknownNamesGiveNothing) {
    for (const char* name : {"", "nothing.bmp", "SPLASH.JPG", "splash", "data/art/splash.jpg"})
        EXPECT_TRUE(ArtFile(name).empty()) << name;
    EXPECT_FALSE(ArtFile("splash.jpg").empty());
}

TEST(ArtSplash, IsAProgressiveJpegOfTheSplashSizeWithoutBlack) {
    // The marker walk tells the two kinds apart: the platform's own encoder writes baseline.
    EXPECT_EQ(FrameMarker(EncodeJPEG(Bitmap(8, 8, 24), 80)), 0);
    EXPECT_EQ(FrameMarker(ArtFile("splash.jpg")), 2); // SOF2: progressive, Huffman-coded

    const Bitmap picture = TArt::SplashPicture();
    ASSERT_EQ(picture.Width(), 780);
    ASSERT_EQ(picture.Height(), 274);
    EXPECT_EQ(picture.BitsPerPixel(), 24);
    // Pure black is the splash window's see-through colour: any such pixel would be a hole.
    int black = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if ((picture.GetPixel(x, y) & 0xFFFFFF) == 0) ++black;
    EXPECT_EQ(black, 0);
}

TEST(ArtSplash, TextSitsWithinTheVisiblePart) {
    // The title is drawn in light colours over a dark gradient: the visible part has bright
    // pixels in its middle third, the strip the HTML view covers none brighter than the
    // bars and curve behind the text.
    const Bitmap picture = TArt::SplashPicture();
    ASSERT_FALSE(picture.Empty());
    int brightInMiddle = 0, brightBelow = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            if (Luma(picture.GetPixel(x, y)) < 200) continue;
            if (y >= 264)
                ++brightBelow;
            else if (x >= 683 / 3 && x < 2 * 683 / 3)
                ++brightInMiddle;
        }
    EXPECT_GT(brightInMiddle, 500);
    EXPECT_EQ(brightBelow, 0);
}

class ArtGlyphs : public ::testing::TestWithParam<std::pair<TToolGlyph, const char*>> {};

TEST_P(ArtGlyphs, AreFourBitPairsWithAGreyedRightHalf) {
    const auto [glyph, name] = GetParam();
    const auto file = ArtFile(name);
    ASSERT_GE(file.size(), 30u);
    EXPECT_EQ(file[28], 4) << "bits per pixel";

    const Bitmap bitmap = TArt::ToolGlyph(glyph);
    ASSERT_EQ(bitmap.Width(), 32);
    ASSERT_EQ(bitmap.Height(), 16);
    EXPECT_EQ(bitmap.BitsPerPixel(), 24);
    EXPECT_EQ(bitmap.GetPixel(0, 15), kOlive);

    // Greyed means: the right half holds only neutral greys no darker than mid-grey, while
    // the left half draws its shape with darker ink. Olive is the background in both.
    int leftInk = 0, leftDark = 0, rightInk = 0, rightOffGrey = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const COLORREF c = bitmap.GetPixel(x, y);
            if (c == kOlive) continue;
            if (x < 16) {
                ++leftInk;
                if (Luma(c) < 128) ++leftDark;
            } else {
                ++rightInk;
                if (!IsNeutral(c) || Luma(c) < 128) ++rightOffGrey;
            }
        }
    EXPECT_GT(leftInk, 20);
    EXPECT_GT(leftDark, 0);
    EXPECT_GT(rightInk, 10);
    EXPECT_EQ(rightOffGrey, 0);
}

INSTANTIATE_TEST_SUITE_P(All, ArtGlyphs,
                         ::testing::Values(std::pair{TToolGlyph::Back, "back.bmp"},
                                           std::pair{TToolGlyph::Forward, "forward.bmp"},
                                           std::pair{TToolGlyph::Contents, "contents.bmp"},
                                           std::pair{TToolGlyph::Print, "print.bmp"},
                                           std::pair{TToolGlyph::Exit, "exit.bmp"}));

TEST(ArtGlyphPairs, ForwardIsBackMirrored) {
    const Bitmap back = TArt::ToolGlyph(TToolGlyph::Back);
    const Bitmap forward = TArt::ToolGlyph(TToolGlyph::Forward);
    ASSERT_EQ(back.Width(), 32);
    ASSERT_EQ(forward.Width(), 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(forward.GetPixel(15 - x, y), back.GetPixel(x, y)) << x << "," << y;
}

TEST(ArtIcons, DecodeToTheirSizeWithTransparentCornersAndSolidMiddle) {
    for (int size : {32, 16}) {
        const auto file = ArtFile("icon" + std::to_string(size) + ".png");
        const auto picture = DecodePNG(file.data(), file.size(), nullptr);
        ASSERT_TRUE(picture) << size;
        ASSERT_EQ(picture->Width(), size);
        ASSERT_EQ(picture->Height(), size);
        ASSERT_EQ(picture->BitsPerPixel(), 32);
        const int last = size - 1;
        for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_EQ(picture->ScanLine(y)[4 * x + 3], 0) << size << ": " << x << "," << y;
        EXPECT_EQ(picture->ScanLine(size / 2)[4 * (size / 2) + 3], 255) << size;
    }
}

TEST(ArtIcons, WindowIconsAreSharedPerSize) {
    UseHeadlessBackend(640, 480);
    for (int size : {32, 16}) {
        HICON icon = TArt::WindowIcon(size);
        ASSERT_NE(icon, nullptr) << size;
        SIZE measured{};
        ASSERT_TRUE(GetIconSize(icon, &measured));
        EXPECT_EQ(measured.cx, size);
        EXPECT_EQ(measured.cy, size);
        EXPECT_EQ(TArt::WindowIcon(size), icon);
    }
    for (int size : {0, 24, 48, -16}) EXPECT_EQ(TArt::WindowIcon(size), nullptr) << size;
}

} // namespace
