// Keyed copies, the rounded tint and regions built from a colour, on tiny bitmaps with every
// pixel compared.
#include "PixelTestUtil.h"
#include "graphics/sAlphaGraph.h"

namespace {
constexpr COLORREF M = RGB(255, 0, 255); // the key colour
constexpr COLORREF A = RGB(1, 2, 3), B = RGB(4, 5, 6), C = RGB(7, 8, 9), D = RGB(10, 11, 12);
constexpr COLORREF o = RGB(90, 90, 90); // destination background

// 3 x 2 glyph: A M B / M C D
Bitmap Glyph() { return MakeBitmap(3, 2, {A, M, B, M, C, D}); }
} // namespace

TEST(NewBitmap, FormatsAndSizes) {
    auto b24 = NewBitmap24(5, 3);
    auto b32 = NewBitmap32(2, 7);
    EXPECT_EQ(b24->BitsPerPixel(), 24);
    EXPECT_EQ(b24->Width(), 5);
    EXPECT_EQ(b24->Height(), 3);
    EXPECT_EQ(b32->BitsPerPixel(), 32);
    EXPECT_EQ(b32->Height(), 7);
    EXPECT_TRUE(NewBitmap24(-1, 5)->Empty());
}

TEST(CopyKeyed, KeyPixelsLeaveTheDestinationAndClippingSkipsOutsidePixels) {
    struct Case {
        int x, y;
        TColor key;
        std::vector<COLORREF> expected; // 4 x 3 destination
    } cases[] = {
        {0, 0, KeyColor, {A, o, B, o, o, C, D, o, o, o, o, o}},
        {1, 1, KeyColor, {o, o, o, o, o, A, o, B, o, o, C, D}},
        {2, 2, KeyColor, {o, o, o, o, o, o, o, o, o, o, A, o}},
        {-1, -1, KeyColor, {C, D, o, o, o, o, o, o, o, o, o, o}},
        {-3, 0, KeyColor, {o, o, o, o, o, o, o, o, o, o, o, o}},
        {0, 3, KeyColor, {o, o, o, o, o, o, o, o, o, o, o, o}},
        // key off: magenta is copied like any colour
        {0, 0, clNone, {A, M, B, o, M, C, D, o, o, o, o, o}},
        // another key: C is left out, magenta copied
        {0, 1, TColor(C), {o, o, o, o, A, M, B, o, M, o, D, o}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " key " << std::hex << c.key);
        Bitmap dst = FilledBitmap(4, 3, o);
        CopyKeyed(dst, Glyph(), c.x, c.y, c.key);
        ExpectPixels(dst, c.expected);
    }
}

TEST(CopyKeyedRect, InclusiveRectangleClippedInRegister) {
    struct Case {
        int x, y;
        RECT rect;                      // inclusive
        std::vector<COLORREF> expected; // 4 x 3 destination
    } cases[] = {
        {0, 0, {0, 0, 2, 1}, {A, o, B, o, o, C, D, o, o, o, o, o}},
        {0, 0, {1, 0, 2, 1}, {o, B, o, o, C, D, o, o, o, o, o, o}},
        {1, 1, {2, 1, 2, 1}, {o, o, o, o, o, D, o, o, o, o, o, o}},
        // right and bottom past the source are cut
        {0, 0, {2, 0, 50, 50}, {B, o, o, o, D, o, o, o, o, o, o, o}},
        // a start at -1 is skipped without moving the rest: A stays one place right
        {0, 0, {-1, -1, 2, 1}, {o, o, o, o, o, A, o, B, o, o, C, D}},
        {0, 0, {2, 1, 0, 0}, {o, o, o, o, o, o, o, o, o, o, o, o}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top << "," << c.rect.right
                                        << "," << c.rect.bottom);
        Bitmap dst = FilledBitmap(4, 3, o);
        CopyKeyedRect(dst, Glyph(), c.x, c.y, KeyColor, c.rect);
        ExpectPixels(dst, c.expected);
    }
}

TEST(CopyKeyedOverParent, KeyPixelsTakeTheParentWhereItHasOne) {
    // Parent 3 x 3 with distinct greys P(i) at (i mod 3, i div 3).
    auto P = [](int x, int y) { return Grey(100 + 10 * (y * 3 + x)); };
    std::vector<COLORREF> parentPixels;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) parentPixels.push_back(P(x, y));
    const Bitmap parentBitmap = MakeBitmap(3, 3, parentPixels, true);

    struct Case {
        const char* name;
        int x, y, parentX, parentY;
        bool usable, useParent;
        std::vector<COLORREF> expected; // 4 x 3 destination
    } cases[] = {
        // key pixels at destination (1,0) and (0,1) read parent (1,0) and (0,1)
        {"aligned", 0, 0, 0, 0, true, true, {A, P(1, 0), B, o, P(0, 1), C, D, o, o, o, o, o}},
        // parent offset (1, 1): destination (1,0) -> parent (2,1), (0,1) -> (1,2)
        {"offset", 0, 0, 1, 1, true, true, {A, P(2, 1), B, o, P(1, 2), C, D, o, o, o, o, o}},
        // destination (3,1) -> parent (3+1, ...) is past the parent's right edge: left alone,
        // while the glyph's other pixels are still copied
        {"past right", 2, 0, 1, 0, true, true, {o, o, A, o, o, o, o, C, o, o, o, o}},
        // parent offset (-1, -2): destination row 1 would read parent row -1 (left alone),
        // destination (1,2) reads parent (0,0)
        {"negative", 1, 1, -1, -2, true, true, {o, o, o, o, o, A, o, B, o, P(0, 0), C, D}},
        {"not usable", 0, 0, 0, 0, false, true, {A, o, B, o, o, C, D, o, o, o, o, o}},
        {"not used", 0, 0, 0, 0, true, false, {A, o, B, o, o, C, D, o, o, o, o, o}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap dst = FilledBitmap(4, 3, o);
        const ParentCacheInfo parent{&parentBitmap, c.parentX, c.parentY, c.usable};
        CopyKeyedOverParent(dst, Glyph(), c.x, c.y, KeyColor, RECT{0, 0, 2, 1}, parent,
                            c.useParent);
        ExpectPixels(dst, c.expected);
    }

    // A parent the accessor cannot attach (one row) and a missing bitmap leave keys alone.
    const Bitmap thinParent = FilledBitmap(5, 1, Grey(1));
    for (const ParentCacheInfo& parent :
         {ParentCacheInfo{&thinParent, 0, 0, true}, ParentCacheInfo{nullptr, 0, 0, true}}) {
        Bitmap dst = FilledBitmap(4, 3, o);
        CopyKeyedOverParent(dst, Glyph(), 0, 0, KeyColor, RECT{0, 0, 2, 1}, parent, true);
        ExpectPixels(dst, {A, o, B, o, o, C, D, o, o, o, o, o});
    }
}

TEST(TintRoundRect, FlatTintOfTheWholeRectangle) {
    // Percent 60, radius 0, depth 0: mask level 60*255 div 100 = 153 everywhere inside,
    // p = (C*256 + 153*(p - C)) >> 8. Toward black: 200 -> 30600 >> 8 = 119;
    // toward (0, 100, 250) from 200: 100 -> (25600 + 15300) >> 8 = 159,
    // 250 -> (64000 - 7650) >> 8 = 220.
    Bitmap b = FilledBitmap(4, 3, Grey(200));
    TintRoundRect(b, RECT{1, 0, 3, 2}, 60, 0, 0, TColor(RGB(0, 100, 250)));
    const COLORREF t = RGB(119, 159, 220), g = Grey(200);
    ExpectPixels(b, {g, t, t, g, g, t, t, g, g, g, g, g});
}

TEST(TintRoundRect, SoftEdgeRingsAndClippedOutline) {
    // Depth 2 on an 8 x 8 rectangle, percent 60 (D = 153): ring 0 white (pixel kept),
    // ring 1 153 + round(102/3 * 2) = 221, ring 2 and inside D.
    auto level = [](int x, int y, int left, int top, int right, int bottom) {
        const int ring = std::min({x - left, y - top, right - 1 - x, bottom - 1 - y});
        return ring == 0 ? 255 : ring == 1 ? 221 : 153;
    };
    // Toward black: p = (m*p) >> 8 with p = 200.
    Bitmap b = FilledBitmap(8, 8, Grey(200));
    TintRoundRect(b, RECT{0, 0, 8, 8}, 60, 0, 2, 0);
    std::vector<COLORREF> expected;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) expected.push_back(Grey(level(x, y, 0, 0, 8, 8) * 200 >> 8));
    ExpectPixels(b, expected);

    // The same rectangle moved to (-1, -1) on a 4 x 4 bitmap: the outline stays where the
    // rectangle is, so the visible top row and left column are ring 1, not ring 0.
    Bitmap c = FilledBitmap(4, 4, Grey(200));
    TintRoundRect(c, RECT{-1, -1, 7, 7}, 60, 0, 2, 0);
    expected.clear();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) expected.push_back(Grey(level(x, y, -1, -1, 7, 7) * 200 >> 8));
    ExpectPixels(c, expected);
}

TEST(TintRoundRect, RoundedCornersKeepTheOuterMask) {
    // Corner size 8 on 16 x 16 (corner circles of radius 4 centred 4 pixels in from each
    // corner), percent 0 toward black, depth 0: inside the outline the mask is 0 and the pixel
    // becomes black; outside it the mask stays white, 255: (255*200) >> 8 = 199. Outside are
    // the pixels whose centre is farther than 4 from the circle centre, e.g. (1, 0) at
    // sqrt(2.5^2 + 3.5^2) = 4.30 while (2, 0) is at 3.81 and (1, 1) at 3.54. A radius of 20
    // is limited to half the size, 8, and gives the same.
    for (int radius : {8, 20}) {
        SCOPED_TRACE(radius);
        Bitmap b = FilledBitmap(16, 16, Grey(200));
        TintRoundRect(b, RECT{0, 0, 16, 16}, 0, radius, 0, 0);
        std::vector<COLORREF> expected(256, Grey(0));
        for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
            expected[size_t(y * 16 + x)] = Grey(199);
            expected[size_t(y * 16 + 15 - x)] = Grey(199);
            expected[size_t((15 - y) * 16 + x)] = Grey(199);
            expected[size_t((15 - y) * 16 + 15 - x)] = Grey(199);
        }
        ExpectPixels(b, expected);
    }
}

TEST(RegionFromColor, RemovesEveryRunOfTheColour) {
    const COLORREF K = RGB(255, 0, 255), x = RGB(1, 1, 1);
    // 5 x 4, runs of K: row 0 [1,3); row 1 [0,1) and [4,5); row 2 none; row 3 all.
    const Bitmap b = MakeBitmap(5, 4, {x, K, K, x, x, K, x, x, x, K, x, x, x, x, x, K, K, K, K, K});
    const Region region = RegionFromColor(b, TColor(K));

    // The same set, built as the rectangle minus each run.
    Region expected(RECT{0, 0, 5, 4});
    for (const RECT& run : {RECT{1, 0, 3, 1}, RECT{0, 1, 1, 2}, RECT{4, 1, 5, 2}, RECT{0, 3, 5, 4}})
        expected.Combine(expected, Region(run), RGN_DIFF);
    EXPECT_EQ(region, expected);
    const std::vector<RECT> rects = {{0, 0, 1, 1}, {3, 0, 5, 1}, {1, 1, 4, 2}, {0, 2, 5, 3}};
    EXPECT_EQ(region.Rects(), rects);
}

TEST(RegionFromColor, WholeRectangleWithoutTheColourOrWithoutAScan) {
    const Region full = RegionFromColor(FilledBitmap(4, 3, RGB(1, 2, 3)), KeyColor);
    EXPECT_EQ(full, Region(RECT{0, 0, 4, 3}));
    // Rows that are alike merge into one band.
    EXPECT_EQ(full.Complexity(), SIMPLEREGION);
    // One row cannot be attached: no runs are removed even though every pixel is the colour.
    EXPECT_EQ(RegionFromColor(FilledBitmap(4, 1, RGB(255, 0, 255)), KeyColor),
              Region(RECT{0, 0, 4, 1}));
    EXPECT_TRUE(RegionFromColor(FilledBitmap(3, 3, RGB(255, 0, 255)), KeyColor).IsEmpty());
}
