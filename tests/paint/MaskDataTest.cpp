#include <climits>
#include <functional>
#include <gtest/gtest.h>

#include "graphics/PixelTestUtil.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "skin/sSkinManager.h"

namespace {

constexpr COLORREF White = 0xFFFFFF;
constexpr COLORREF Red = RGB(200, 0, 0);
constexpr COLORREF Green = RGB(0, 150, 0);
constexpr COLORREF Blue = RGB(0, 0, 120);

// The mask formula per channel: clamp(((d - i)*m + i*256) >> 8).
COLORREF Masked(COLORREF d, COLORREF i, int m) {
    auto ch = [&](int shift) {
        const int dc = int(d >> shift) & 255, ic = int(i >> shift) & 255;
        return COLORREF(std::clamp(((dc - ic) * m + ic * 256) >> 8, 0, 255)) << shift;
    };
    return ch(0) | ch(8) | ch(16);
}

struct SkinFixture : ::testing::Test {
    TsSkinManager manager{nullptr};
    void TearDown() override { ParentFillColor = KeyColor; }

    TsMaskData Entry(RECT r, int frames, int maskType, int wl, int wt, int wr, int wb) {
        TsMaskData md;
        md.R = r;
        md.ImageCount = int16_t(frames);
        md.MaskType = int16_t(maskType);
        md.WL = int16_t(wl), md.WT = int16_t(wt), md.WR = int16_t(wr), md.WB = int16_t(wb);
        md.Manager = &manager;
        return md;
    }
    void Master(Bitmap b) { manager.MasterBitmap = std::make_unique<Bitmap>(std::move(b)); }
};

// A 3 x 3 frame: corners red, edges green, centre blue.
Bitmap NineColours() {
    return MakeBitmap(3, 3, {Red, Green, Red, Green, Blue, Green, Red, Green, Red});
}

} // namespace

// ---- Nine-slice geometry

TEST_F(SkinFixture, TooNarrowRectLosesMarginsEvenlyAndTheOddPixelOnTheRight) {
    const TsMaskData md = Entry({0, 0, 12, 6}, 1, 0, 4, 2, 4, 2);
    // Width 5 < 4 + 4: excess 3, one from the left, two from the right: L 3, R 2. Height 2:
    // T 1, B 1. No edge or centre is left between the corners.
    const auto pieces = NineSlicePieces(md, {10, 20, 15, 22}, 0, false, true, {0, 0, 100, 100});
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].Src, Rect(0, 0, 3, 1));
    EXPECT_EQ(pieces[0].Dst, Rect(10, 20, 13, 21)); // top-left
    EXPECT_EQ(pieces[1].Src, Rect(0, 5, 3, 6));
    EXPECT_EQ(pieces[1].Dst, Rect(10, 21, 13, 22)); // bottom-left
    EXPECT_EQ(pieces[2].Src, Rect(10, 5, 12, 6));
    EXPECT_EQ(pieces[2].Dst, Rect(13, 21, 15, 22)); // bottom-right
    EXPECT_EQ(pieces[3].Src, Rect(10, 0, 12, 1));
    EXPECT_EQ(pieces[3].Dst, Rect(13, 20, 15, 21)); // top-right
    for (const auto& p : pieces) EXPECT_EQ(p.Kind, skCorner);
}

TEST_F(SkinFixture, UnevenMarginsNeverOverlapOrLeaveAGap) {
    // 4 + 3 into 4: the excess 3 gives L 3, R 1 (halving alone would leave 3 + 2, one pixel
    // too many); 3 + 4 into 4 likewise gives T 2, B 2.
    const TsMaskData md = Entry({0, 0, 9, 9}, 1, 0, 4, 3, 3, 4);
    const auto pieces = NineSlicePieces(md, {0, 0, 4, 4}, 0, false, false, {0, 0, 10, 10});
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].Dst, Rect(0, 0, 3, 2));
    EXPECT_EQ(pieces[2].Dst, Rect(3, 2, 4, 4));
}

TEST_F(SkinFixture, TiledEdgesRepeatTheirSliceAndCutTheLastPiece) {
    // Three 6 x 6 frames, margins 2: middle slices 2 x 2. State 5 clamps to frame 2 at x 12.
    const TsMaskData md = Entry({0, 0, 18, 6}, 3, 0, 2, 2, 2, 2);
    const auto pieces = NineSlicePieces(md, {0, 0, 9, 7}, 5, false, true, {0, 0, 100, 100});
    ASSERT_EQ(pieces.size(), 1u + 2u + 3u + 1u + 3u + 1u + 1u + 2u + 6u);
    EXPECT_EQ(pieces[0].Src, Rect(12, 0, 14, 2));
    // Left edge: (0, 2)-(2, 5) in a whole step and a cut one.
    EXPECT_EQ(pieces[1].Src, Rect(12, 2, 14, 4));
    EXPECT_EQ(pieces[1].Dst, Rect(0, 2, 2, 4));
    EXPECT_EQ(pieces[2].Src, Rect(12, 2, 14, 3));
    EXPECT_EQ(pieces[2].Dst, Rect(0, 4, 2, 5));
    // Top edge: (2, 0)-(7, 2) in steps of 2, the last cut to one column.
    EXPECT_EQ(pieces[5].Src, Rect(14, 0, 15, 2));
    EXPECT_EQ(pieces[5].Dst, Rect(6, 0, 7, 2));
    // Centre: 3 columns by 2 rows, the last one cut at both edges.
    EXPECT_EQ(pieces.back().Kind, skCenter);
    EXPECT_EQ(pieces.back().Src, Rect(14, 2, 15, 3));
    EXPECT_EQ(pieces.back().Dst, Rect(6, 4, 7, 5));
}

TEST_F(SkinFixture, StretchedEdgesAreOneBlockEach) {
    const TsMaskData md = Entry({0, 0, 18, 6}, 3, 0, 2, 2, 2, 2);
    const auto pieces = NineSlicePieces(md, {0, 0, 9, 7}, 1, true, true, {0, 0, 100, 100});
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_EQ(pieces[1].Src, Rect(6, 2, 8, 4));
    EXPECT_EQ(pieces[1].Dst, Rect(0, 2, 2, 5));
    EXPECT_EQ(pieces[8].Src, Rect(8, 2, 10, 4));
    EXPECT_EQ(pieces[8].Dst, Rect(2, 2, 7, 5));
}

TEST_F(SkinFixture, OnlyTilesInsideTheTargetAreListed) {
    // A rectangle a million pixels wide over a 10-pixel target: the walk stays short.
    const TsMaskData md = Entry({0, 0, 3, 3}, 1, 0, 1, 1, 1, 1);
    const auto pieces = NineSlicePieces(md, {-500000, 0, 500000, 3}, 0, false, true, {0, 0, 10, 3});
    ASSERT_EQ(pieces.size(), 30u); // the top, bottom and centre tiles of the ten columns
    for (const auto& p : pieces) {
        EXPECT_GE(p.Dst.left, 0);
        EXPECT_LE(p.Dst.right, 10);
    }
}

// ---- Border painting

struct UnmaskedCase {
    int borderWidth;
    int stretchMode;
    bool fillCenter;
    COLORREF centre;
};

TEST_F(SkinFixture, UnmaskedBorderPaintsItsCentreOnlyWithoutBorderWidth) {
    const UnmaskedCase cases[] = {
        {0, 0, true, Blue},  {0, 1, true, Blue},   {1, 0, true, White},
        {1, 1, true, White}, {0, 0, false, White}, {2, 1, false, White},
    };
    Master(NineColours());
    for (const auto& c : cases) {
        TsMaskData md = Entry({0, 0, 3, 3}, 1, 0, 1, 1, 1, 1);
        md.BorderWidth = int16_t(c.borderWidth);
        md.StretchMode = int16_t(c.stretchMode);
        Bitmap target = FilledBitmap(5, 4, White);
        PaintMaskBorders(target, {0, 0, 5, 4}, c.fillCenter, false, 0, md, {});
        const COLORREF C = c.centre;
        SCOPED_TRACE(::testing::Message() << "BorderWidth " << c.borderWidth << " mode "
                                          << c.stretchMode << " fill " << c.fillCenter);
        ExpectPixels(target, {Red,   Green, Green, Green, Red,   //
                              Green, C,     C,     C,     Green, //
                              Green, C,     C,     C,     Green, //
                              Red,   Green, Green, Green, Red});
    }
}

TEST_F(SkinFixture, StateBeyondTheLastFramePaintsTheLastFrame) {
    // Three 2 x 2 frames of one colour each.
    Bitmap m(6, 2, 24);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y) m.SetPixel(x, y, x < 2 ? Red : x < 4 ? Green : Blue);
    Master(std::move(m));
    const TsMaskData md = Entry({0, 0, 6, 2}, 3, 0, 1, 1, 1, 1);
    Bitmap target = FilledBitmap(2, 2, White);
    PaintMaskBorders(target, {0, 0, 2, 2}, true, false, 5, md, {});
    ExpectPixels(target, {Blue, Blue, Blue, Blue});
    PaintMaskImage(target, {0, 0}, -3, md, 1);
    ExpectPixels(target, {Red, Red, Red, Red});
    PaintMaskImage(target, {0, 0}, 1, md, 1);
    ExpectPixels(target, {Green, Green, Green, Green});
}

TEST_F(SkinFixture, UnmaskedCornerKeyPixelsTakeTheParentOnlyWithUseParent) {
    Bitmap m = NineColours();
    m.SetPixel(0, 0, KeyColor);
    Master(std::move(m));
    const TsMaskData md = Entry({0, 0, 3, 3}, 1, 0, 1, 1, 1, 1);
    Bitmap parent = FilledBitmap(6, 6, Grey(10));
    parent.SetPixel(2, 1, Grey(77));
    const ParentCacheInfo cache{&parent, 2, 1, true};
    Bitmap target = FilledBitmap(3, 3, White);
    PaintMaskBorders(target, {0, 0, 3, 3}, true, false, 0, md, cache);
    EXPECT_EQ(target.GetPixel(0, 0), White);
    PaintMaskBorders(target, {0, 0, 3, 3}, true, true, 0, md, cache);
    EXPECT_EQ(target.GetPixel(0, 0), Grey(77));
}

// A 3 x 3 masked frame (mask rows below): image Red with a key top-left pixel and a key
// pixel in the top edge; mask 0 everywhere except the centre (128).
struct MaskedFixture : SkinFixture {
    void SetUp() override {
        Bitmap m(3, 6, 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                m.SetPixel(x, y, Red);
                m.SetPixel(x, y + 3, x == 1 && y == 1 ? Grey(128) : Grey(0));
            }
        m.SetPixel(0, 0, KeyColor);
        m.SetPixel(1, 0, KeyColor);
        Master(std::move(m));
    }
    TsMaskData md() { return Entry({0, 0, 3, 6}, 1, 1, 1, 1, 1, 1); }
};

TEST_F(MaskedFixture, MaskedCornersTakeParentFillColourOrKeepTheKey) {
    Bitmap parent = FilledBitmap(8, 8, Grey(10));
    parent.SetPixel(3, 2, Grey(66));
    struct Case {
        const char* name;
        ParentCacheInfo cache;
        TColor fill;
        COLORREF corner;
    } cases[] = {
        {"parent picture", {&parent, 3, 2, true}, KeyColor, Grey(66)},
        {"parent fill colour", {}, Green, Green},
        {"nothing: key stays for the corner repair", {}, KeyColor, KeyColor},
        {"unusable parent falls back to the fill", {&parent, 3, 2, false}, Blue, Blue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ParentFillColor = c.fill;
        Bitmap target = FilledBitmap(3, 3, White);
        PaintMaskBorders(target, {0, 0, 3, 3}, true, false, 0, md(), c.cache);
        // The edge's key pixel gets the mask formula (mask 0: the image itself) like any other.
        ExpectPixels(target, {c.corner, KeyColor, Red,           //
                              Red, Masked(White, Red, 128), Red, //
                              Red, Red, Red});
    }
}

TEST_F(SkinFixture, MaskFormulaHoldsForEveryImageAndDestinationValue) {
    // Image row: grey x in column x; mask row below it: m. Destination row d: grey d.
    for (int m : {0, 1, 99, 128, 254, 255}) {
        Bitmap src(256, 2, 24);
        for (int x = 0; x < 256; ++x) {
            src.SetPixel(x, 0, Grey(x));
            src.SetPixel(x, 1, Grey(m));
        }
        const TsMaskData md = Entry({0, 0, 256, 2}, 1, 1, 0, 0, 0, 0);
        Bitmap target(256, 256, 24);
        for (int d = 0; d < 256; ++d) {
            for (int x = 0; x < 256; ++x) target.SetPixel(x, d, Grey(d));
            CopyMaskedPiece({0, d, 256, d + 1}, {0, 0, 256, 1}, target, md, false, {}, src);
        }
        int wrong = 0;
        for (int d = 0; d < 256; ++d)
            for (int i = 0; i < 256; ++i) {
                const int want = std::clamp(((d - i) * m + i * 256) >> 8, 0, 255);
                if (target.GetPixel(i, d) != Grey(want) && wrong++ < 4)
                    ADD_FAILURE() << "m " << m << " d " << d << " i " << i;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(SkinFixture, MaskedFrameAsHighAsItsMarginsHasNoSideTiles) {
    // 3 x 2 frame, mask 0 (the image shows), margins 1: the middle height is 0.
    Bitmap m(3, 4, 24);
    m.Fill(Red);
    for (int x = 0; x < 3; ++x)
        for (int y = 2; y < 4; ++y) m.SetPixel(x, y, 0);
    Master(std::move(m));
    const TsMaskData md = Entry({0, 0, 3, 4}, 1, 1, 1, 1, 1, 1);
    Bitmap target = FilledBitmap(3, 5, White);
    PaintMaskBorders(target, {0, 0, 3, 5}, true, true, 0, md, {});
    const COLORREF W = White;
    ExpectPixels(target, {Red, Red, Red, W, W, W, W, W, W, W, W, W, Red, Red, Red});
}

// ---- Single frames

TEST_F(SkinFixture, FadedMasterGlyphIsHalfTransparentAndSkipsKeyPixels) {
    const COLORREF s = RGB(200, 100, 40), d = RGB(100, 50, 20);
    Master(MakeBitmap(2, 2, {s, KeyColor, s, s}));
    const TsMaskData md = Entry({0, 0, 2, 2}, 1, 0, 0, 0, 0, 0);
    Bitmap target = FilledBitmap(3, 3, d);
    PaintMaskImage(target, {1, 1}, 0, md, 0);
    // round(s - 0.5*(s - d)) per channel: (150, 75, 30).
    const COLORREF h = RGB(150, 75, 30);
    ExpectPixels(target, {d, d, d, d, h, d, d, h, h});
    PaintMaskImage(target, {-1, 0}, 0, md, 1); // the frame's right column at x 0
    EXPECT_EQ(target.GetPixel(0, 0), d);       // a key pixel
    EXPECT_EQ(target.GetPixel(0, 1), s);
}

TEST_F(MaskedFixture, FadedMaskedImageLetsMoreOfTheDestinationThrough) {
    const TsMaskData m = md();
    Bitmap target = FilledBitmap(3, 3, White);
    PaintMaskImage(target, {0, 0}, 0, m, 0);
    EXPECT_EQ(target.GetPixel(0, 0), White); // key pixels are left out
    EXPECT_EQ(target.GetPixel(2, 2), Masked(White, Red, 100));
    EXPECT_EQ(target.GetPixel(1, 1), Masked(White, Red, 228));
    PaintMaskImage(target, {0, 0}, 0, m, 1);
    EXPECT_EQ(target.GetPixel(2, 2), Red);
}

// ---- Textures

namespace {

// A 2 x 3 texture at (1, 1) of a 4 x 5 master, six distinct colours.
COLORREF Tex(int x, int y) { return RGB(BYTE(10 + x), BYTE(20 + y), 30); }

struct TextureCase {
    int mode;
    RECT painted; // where tiles land (tiled from its top-left), or stretched
    bool tiled;
    RECT left;
};

} // namespace

TEST_F(SkinFixture, TextureModesPaintTheirBandAndLeaveTheRestForTheFill) {
    constexpr RECT none{-1, -1, -1, -1};
    const TextureCase cases[] = {
        {0, {0, 0, 7, 7}, true, none},          {1, {0, 0, 7, 7}, false, none},
        {2, {0, 0, 7, 3}, true, {0, 3, 7, 7}},  {3, {0, 0, 2, 7}, true, {2, 0, 7, 7}},
        {4, {0, 0, 7, 3}, false, {0, 3, 7, 7}}, {5, {0, 0, 2, 7}, false, {2, 0, 7, 7}},
        {6, {0, 4, 7, 7}, true, {0, 0, 7, 4}},  {7, {5, 0, 7, 7}, true, {0, 0, 5, 7}},
        {8, {5, 0, 7, 7}, true, {5, 0, 7, 7}},  {9, {5, 0, 7, 7}, true, {5, 0, 7, 7}},
        {10, {0, 0, 7, 6}, true, none},         {11, {5, 0, 7, 7}, true, {5, 0, 7, 7}},
        {-4, {5, 0, 7, 7}, true, {5, 0, 7, 7}},
    };
    Bitmap m = FilledBitmap(4, 5, Red);
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 3; ++y) m.SetPixel(1 + x, 1 + y, Tex(x, y));
    Master(std::move(m));
    TsMaskData md = Entry({1, 1, 3, 4}, 1, 0, 0, 0, 0, 0);
    md.ImgType = itisaTexture;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode);
        Bitmap target = FilledBitmap(7, 7, White);
        RECT rect{0, 0, 7, 7};
        {
            TsBitmapDC dc(target);
            PaintTexture(dc.Handle(), rect, nullptr, c.mode, md);
        }
        EXPECT_EQ(rect, c.left);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool in = x >= c.painted.left && x < c.painted.right && y >= c.painted.top &&
                                y < c.painted.bottom;
                const COLORREF got = target.GetPixel(x, y);
                if (!in)
                    EXPECT_EQ(got, White) << x << ", " << y;
                else if (c.tiled)
                    EXPECT_EQ(got, Tex((x - c.painted.left) % 2, (y - c.painted.top) % 3))
                        << x << ", " << y;
                else
                    EXPECT_NE(got, White) << x << ", " << y;
            }
    }
}

TEST_F(SkinFixture, StretchedBandScalesAcrossTheWidthOnly) {
    Bitmap m = FilledBitmap(4, 5, Red);
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 3; ++y) m.SetPixel(1 + x, 1 + y, Tex(x, y));
    Master(std::move(m));
    TsMaskData md = Entry({1, 1, 3, 4}, 1, 0, 0, 0, 0, 0);
    Bitmap target = FilledBitmap(4, 4, White);
    RECT rect{0, 0, 4, 4};
    {
        TsBitmapDC dc(target);
        PaintTexture(dc.Handle(), rect, nullptr, 4, md);
    }
    // Nearest neighbour: column i of 4 takes texture column floor((2i + 1) * 2 / 8).
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(target.GetPixel(x, y), Tex(x / 2, y));
    EXPECT_EQ(target.GetPixel(0, 3), White);
}

TEST_F(SkinFixture, GivenPictureIsTiledAndLeavesNothing) {
    Master(FilledBitmap(2, 2, Red));
    const TsMaskData md = Entry({0, 0, 2, 2}, 1, 0, 0, 0, 0, 0);
    const Bitmap picture = MakeBitmap(2, 1, {Green, Blue});
    Bitmap target = FilledBitmap(3, 2, White);
    RECT rect{0, 0, 3, 2};
    {
        TsBitmapDC dc(target);
        PaintTexture(dc.Handle(), rect, &picture, 2, md);
    }
    EXPECT_EQ(rect, Rect(-1, -1, -1, -1));
    ExpectPixels(target, {Green, Blue, Green, Green, Blue, Green});
}

TEST_F(SkinFixture, MaskedTextureTilesWholeTilesAndFillsTheStrips) {
    // One 2 x 2 tile: image Red with a key top-left pixel, mask 0.
    Bitmap m(2, 4, 24);
    m.Fill(0);
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y) m.SetPixel(x, y, Red);
    m.SetPixel(0, 0, KeyColor);
    Master(std::move(m));
    TsMaskData md = Entry({0, 0, 2, 4}, 1, 1, 0, 0, 0, 0);
    const COLORREF W = White, F = Green, R = Red;

    ParentFillColor = F;
    Bitmap target = FilledBitmap(5, 3, White);
    RECT rect{0, 0, 5, 3};
    PaintMaskedTexture(target, rect, {}, 10, md);
    EXPECT_EQ(rect, Rect(-1, -1, -1, -1));
    ExpectPixels(target, {F, R, F, R, F, R, R, R, R, F, F, F, F, F, F});

    ParentFillColor = KeyColor;
    Bitmap parent = FilledBitmap(9, 9, Grey(5));
    parent.SetPixel(1, 1, Grey(99));
    target = FilledBitmap(5, 3, White);
    rect = {0, 0, 5, 3};
    PaintMaskedTexture(target, rect, {&parent, 1, 1, true}, 0, md);
    ExpectPixels(target, {Grey(99), R, Grey(5), R, Grey(5), R, R, R, R, R, W, W, W, W, W});
}

// ---- Region rectangles

TEST_F(SkinFixture, CornerRegionRectsFollowTheKeyRunsOfEachCorner) {
    const COLORREF K = KeyColor, o = Red;
    // Two frames of 4 x 2; only the first is scanned.
    Master(MakeBitmap(8, 2,
                      {K, K, o, K, o, o, o, o, //
                       o, K, K, K, o, o, o, o}));
    const TsMaskData md = Entry({0, 0, 8, 2}, 2, 0, 2, 1, 2, 1);
    TAOR rects;
    CornerRegionRects(rects, 10, md, false, 5);
    EXPECT_EQ(rects, (TAOR{Rect(0, 5, 2, 6), Rect(9, 5, 10, 6)}));
    rects.clear();
    CornerRegionRects(rects, 10, md, true, 7);
    // Runs close at the end of the left corner, so the key pixels at columns 1 and 2 stay apart.
    EXPECT_EQ(rects, (TAOR{Rect(1, 7, 2, 8), Rect(8, 7, 10, 8)}));
}

// ---- Bad input

TEST_F(SkinFixture, BadInputPaintsLessAndNeverOutside) {
    Bitmap m(6, 6, 24);
    m.Fill(Red);
    m.SetPixel(0, 0, KeyColor);
    Master(std::move(m));
    struct Case {
        const char* name;
        std::function<void(TsMaskData&)> change;
        bool paintsNothing;
    } cases[] = {
        {"rect left of the bitmap", [](TsMaskData&) {}, false},
        {"mask taller than its bitmap",
         [](TsMaskData& d) {
             d.R = {0, 0, 6, 40}, d.MaskType = 1;
         },
         false},
        {"rectangle outside the bitmap",
         [](TsMaskData& d) {
             d.R = {50, 50, 60, 60};
         },
         false},
        {"negative rectangle",
         [](TsMaskData& d) {
             d.R = {-9, -9, -3, -3};
         },
         false},
        {"huge rectangle",
         [](TsMaskData& d) {
             d.R = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
         },
         true},
        {"inverted rectangle",
         [](TsMaskData& d) {
             d.R = {6, 6, 0, 0};
         },
         true},
        {"no frames", [](TsMaskData& d) { d.ImageCount = 0; }, true},
        {"negative frames", [](TsMaskData& d) { d.ImageCount = -2; }, true},
        {"more frames than pixels (a texture still paints)",
         [](TsMaskData& d) { d.ImageCount = 30000; }, false},
        {"negative margins", [](TsMaskData& d) { d.WL = d.WT = d.WR = d.WB = -5; }, false},
        {"huge margins", [](TsMaskData& d) { d.WL = d.WT = d.WR = d.WB = 32767; }, false},
        {"negative mask type", [](TsMaskData& d) { d.MaskType = -1; }, false},
        {"odd mask type", [](TsMaskData& d) { d.MaskType = 7; }, false},
        {"zero-sized texture",
         [](TsMaskData& d) {
             d.R = {2, 2, 2, 2};
         },
         true},
        {"no manager", [](TsMaskData& d) { d.Manager = nullptr; }, true},
    };
    Bitmap parent(3, 3, 32), parent24 = FilledBitmap(3, 3, Grey(9));
    const ParentCacheInfo caches[] = {{},
                                      {&parent, -100, 100, true},
                                      {&parent, 1, 1, true},
                                      {&parent24, INT_MAX, INT_MIN, true},
                                      {&parent24, -1, -1, true}};
    const RECT rects[] = {{-3, -3, 2, 2}, {100, 100, 120, 120}, {-2000000000, -5, 2000000000, 9},
                          {4, 4, 1, 1},   {0, 0, 4, 4},         {-(1 << 20), 0, 1 << 20, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TsMaskData md = Entry({0, 0, 6, 6}, 2, 0, 1, 1, 1, 1);
        c.change(md);
        Bitmap target = FilledBitmap(4, 4, White), scratch = FilledBitmap(4, 4, White);
        const auto before = PixelsOf(target);
        for (const RECT& r : rects)
            for (const auto& cache : caches)
                for (int state : {-1, 0, 99}) {
                    for (int masked : {0, 1}) {
                        TsMaskData copy = Entry(md.R, md.ImageCount, masked ? 1 : md.MaskType,
                                                md.WL, md.WT, md.WR, md.WB);
                        copy.Manager = md.Manager;
                        copy.StretchMode = int16_t(state == 0);
                        PaintMaskBorders(target, r, true, true, state, copy, cache);
                    }
                    PaintMaskImage(target, {r.left, r.top}, state, md, state);
                    CopyMaskedPiece(r, md.R, scratch, md, true, cache, *manager.MasterBitmap);
                    CopyMaskedImage(r, md.R, scratch, md, 0, *manager.MasterBitmap);
                    for (int mode : {0, 10, 3}) {
                        RECT rr = r;
                        PaintMaskedTexture(target, rr, cache, mode, md);
                    }
                }
        for (const RECT& r : rects)
            for (int mode = -1; mode <= 12; ++mode) {
                TsBitmapDC dc(target);
                RECT rr = r;
                PaintTexture(dc.Handle(), rr, nullptr, mode, md);
            }
        TAOR regions;
        CornerRegionRects(regions, 3, md, false, 0);
        CornerRegionRects(regions, -7, md, true, 1 << 30);
        if (c.paintsNothing) {
            EXPECT_EQ(PixelsOf(target), before);
            EXPECT_TRUE(regions.empty());
        }
    }
}
