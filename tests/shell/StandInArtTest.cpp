#include "shell/StandInArt.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr TToolGlyph kGlyphs[] = {TToolGlyph::Back, TToolGlyph::Forward, TToolGlyph::Contents,
                                  TToolGlyph::Print, TToolGlyph::Exit};

// The sixteen colours a 4-bit bitmap holds.
const std::set<COLORREF>& FourBitPalette() {
    static const std::set<COLORREF> palette = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
        RGB(192, 192, 192), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    return palette;
}

bool Dark(COLORREF c) {
    return c != kOlive && 299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c) < 128000;
}

TEST(StandInGlyphs, AreTwoSixteenSquareImagesOnOlive) {
    for (TToolGlyph glyph : kGlyphs) {
        SCOPED_TRACE(int(glyph));
        const Bitmap bitmap = StandInArt::ToolGlyph(glyph);
        ASSERT_EQ(bitmap.Width(), 32);
        ASSERT_EQ(bitmap.Height(), 16);
        EXPECT_EQ(bitmap.BitsPerPixel(), 24);
        // The speed button takes the bottom-left pixel as the transparent colour.
        EXPECT_EQ(bitmap.GetPixel(0, 15), kOlive);
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x) {
                const COLORREF c = bitmap.GetPixel(x, y);
                EXPECT_TRUE(FourBitPalette().count(c)) << x << "," << y;
                drawn += x < 16 && c != kOlive;
            }
        EXPECT_GT(drawn, 20) << "the normal image is (nearly) empty";
    }
}

// The greyed image, pixel by pixel: grey where the normal image is dark, white one pixel down
// and right of a dark pixel (unless that pixel is dark itself), olive everywhere else.
TEST(StandInGlyphs, DisabledImageIsTheEtchedNormalImage) {
    for (TToolGlyph glyph : kGlyphs) {
        SCOPED_TRACE(int(glyph));
        const Bitmap bitmap = StandInArt::ToolGlyph(glyph);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool dark = Dark(bitmap.GetPixel(x, y));
                const bool lit = x > 0 && y > 0 && Dark(bitmap.GetPixel(x - 1, y - 1));
                const COLORREF expected = dark ? kGrey : lit ? kWhite : kOlive;
                EXPECT_EQ(bitmap.GetPixel(16 + x, y), expected) << x << "," << y;
            }
    }
}

TEST(StandInGlyphs, ForwardMirrorsBack) {
    const Bitmap back = StandInArt::ToolGlyph(TToolGlyph::Back);
    const Bitmap forward = StandInArt::ToolGlyph(TToolGlyph::Forward);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(forward.GetPixel(x, y), back.GetPixel(15 - x, y)) << x << "," << y;
}

class SplashPicture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { picture_ = new Bitmap(StandInArt::SplashPicture()); }
    static void TearDownTestSuite() {
        delete picture_;
        picture_ = nullptr;
    }
    static Bitmap* picture_;
};
Bitmap* SplashPicture::picture_ = nullptr;

TEST_F(SplashPicture, HasItsSizeAndNoSeeThroughBlack) {
    const Bitmap& p = *picture_;
    ASSERT_EQ(p.Width(), 780);
    ASSERT_EQ(p.Height(), 274);
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            ASSERT_NE(p.GetPixel(x, y), RGB(0, 0, 0)) << "black at " << x << "," << y;
}

// The window shows 683 columns and the HTML view covers the rows from 264: what lies beyond
// is plain background, the vertical gradient, equal along each row to the left edge.
TEST_F(SplashPicture, DrawsNothingWhereTheWindowDoesNotShowIt) {
    const Bitmap& p = *picture_;
    for (int y = 0; y < p.Height(); ++y) {
        const COLORREF edge = p.GetPixel(0, y);
        const int from = y >= 264 ? 1 : 683;
        for (int x = from; x < p.Width(); ++x)
            ASSERT_EQ(p.GetPixel(x, y), edge) << x << "," << y;
        if (y > 0) {
            EXPECT_GE(GetRValue(edge), GetRValue(p.GetPixel(0, y - 1))) << y;
        }
    }
}

// The texts really reach the picture: bright pixels in the title's band and in the
// university's line, where the background alone stays dark.
TEST_F(SplashPicture, CarriesTheTexts) {
    const Bitmap& p = *picture_;
    auto brightIn = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 683; ++x)
                if (GetRValue(p.GetPixel(x, y)) > 200) return true;
        return false;
    };
    EXPECT_TRUE(brightIn(18, 44));    // university
    EXPECT_TRUE(brightIn(100, 198));  // course name
    EXPECT_TRUE(brightIn(214, 242));  // subtitle
    EXPECT_FALSE(brightIn(244, 264)); // under the texts only the background and the bars
}

} // namespace
