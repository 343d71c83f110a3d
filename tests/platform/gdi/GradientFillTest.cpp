#include "platform/gdi/GradientFill.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

TRIVERTEX V(LONG x, LONG y, COLOR16 r = 0xFF00, COLOR16 g = 0xFF00, COLOR16 b = 0xFF00) {
    return TRIVERTEX{x, y, r, g, b, 0};
}

// Which pixels of a w x h bitmap one triangle paints (white on black).
std::vector<int> Coverage(int w, int h, TRIVERTEX a, TRIVERTEX b, TRIVERTEX c) {
    Bitmap bmp(w, h, 24);
    const TRIVERTEX v[3] = {a, b, c};
    const GRADIENT_TRIANGLE t{0, 1, 2};
    EXPECT_TRUE(GradientFillTriangles(bmp, v, 3, &t, 1));
    std::vector<int> covered;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) covered.push_back(bmp.GetPixel(x, y) != 0 ? 1 : 0);
    return covered;
}

} // namespace

TEST(GradientFill, TopLeftRuleOnASplitSquare) {
    // The diagonal x + y = 4 runs through the centres of (0,3), (1,2), (2,1), (3,0). For the
    // upper-left triangle it is a bottom-right edge (excluded), for the lower-right one a
    // top-left edge (included).
    const std::vector<int> upper = Coverage(4, 4, V(0, 0), V(4, 0), V(0, 4));
    const std::vector<int> lower = Coverage(4, 4, V(4, 0), V(4, 4), V(0, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(upper[size_t(y * 4 + x)], x + y <= 2 ? 1 : 0) << x << "," << y;
            EXPECT_EQ(lower[size_t(y * 4 + x)], x + y >= 3 ? 1 : 0) << x << "," << y;
        }
    // Vertex order (winding) does not matter.
    EXPECT_EQ(Coverage(4, 4, V(0, 4), V(4, 0), V(0, 0)), upper);
}

TEST(GradientFill, FourTrianglesTileTheHalfOpenRectangle) {
    // The fan of a rectangle around its centre, as the four-triangle gradient uses it, for
    // odd and even sizes and an off-centre point: every pixel of the half-open rectangle is
    // painted by exactly one triangle, nothing outside.
    struct Case {
        RECT r;
        POINT centre;
    } cases[] = {
        {{1, 1, 9, 9}, {5, 5}}, {{0, 0, 7, 5}, {3, 2}},  {{2, 1, 13, 12}, {7, 6}},
        {{0, 0, 1, 1}, {0, 0}}, {{0, 0, 12, 3}, {2, 1}}, {{3, 0, 4, 9}, {3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom);
        const int w = 16, h = 16;
        const TRIVERTEX tl = V(c.r.left, c.r.top), ctr = V(c.centre.x, c.centre.y),
                        tr = V(c.r.right, c.r.top), br = V(c.r.right, c.r.bottom),
                        bl = V(c.r.left, c.r.bottom);
        std::vector<int> sum(size_t(w * h), 0);
        for (const auto& tri :
             {std::vector<TRIVERTEX>{tl, ctr, tr}, {ctr, tr, br}, {tl, ctr, bl}, {bl, ctr, br}}) {
            const std::vector<int> one = Coverage(w, h, tri[0], tri[1], tri[2]);
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += one[i];
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(sum[size_t(y * w + x)], PtInRect(c.r, POINT{x, y}) ? 1 : 0)
                    << x << "," << y;
    }
}

TEST(GradientFill, TrianglesSharingAnEdgeNeverOverlapOrLeaveAGap) {
    // Random quadrilaterals split along a diagonal: the two halves never paint the same
    // pixel, and together paint what the split along the other diagonal paints (when the
    // quadrilateral is convex both splits cover the same area).
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-3, 20);
    int convexCases = 0;
    for (int i = 0; i < 400; ++i) {
        const TRIVERTEX p[4] = {V(coord(rng), coord(rng)), V(coord(rng), coord(rng)),
                                V(coord(rng), coord(rng)), V(coord(rng), coord(rng))};
        const std::vector<int> a = Coverage(18, 18, p[0], p[1], p[2]);
        const std::vector<int> b = Coverage(18, 18, p[0], p[2], p[3]);
        const std::vector<int> c = Coverage(18, 18, p[0], p[1], p[3]);
        const std::vector<int> d = Coverage(18, 18, p[1], p[2], p[3]);
        // Convex with vertices in order: the cross products of consecutive edges agree.
        auto cross = [&](int k) {
            const TRIVERTEX &o = p[k], &n = p[(k + 1) % 4], &m = p[(k + 2) % 4];
            return int64_t(n.x - o.x) * (m.y - n.y) - int64_t(n.y - o.y) * (m.x - n.x);
        };
        const bool convex = (cross(0) > 0 && cross(1) > 0 && cross(2) > 0 && cross(3) > 0) ||
                            (cross(0) < 0 && cross(1) < 0 && cross(2) < 0 && cross(3) < 0);
        if (!convex) continue;
        ++convexCases;
        for (size_t k = 0; k < a.size(); ++k) {
            ASSERT_LE(a[k] + b[k], 1) << "overlap, case " << i;
            ASSERT_LE(c[k] + d[k], 1) << "overlap, case " << i;
            ASSERT_EQ(a[k] + b[k], c[k] + d[k]) << "gap, case " << i;
        }
    }
    EXPECT_GT(convexCases, 20);
}

TEST(GradientFill, LinearColoursAtPixelCentresRoundedFrom16Bits) {
    // Left edge black, right edge white, 4 wide: 255*(x + 0.5)/4 = 31.875, 95.625, 159.375,
    // 223.125 -> 32, 96, 159, 223 in every row, whichever triangle a pixel falls in.
    Bitmap bmp(4, 3, 24);
    const TRIVERTEX v[4] = {V(0, 0, 0, 0, 0), V(4, 0), V(4, 3), V(0, 3, 0, 0, 0)};
    const GRADIENT_TRIANGLE t[2] = {{0, 1, 2}, {0, 2, 3}};
    ASSERT_TRUE(GradientFillTriangles(bmp, v, 4, t, 2));
    const int want[4] = {32, 96, 159, 223};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bmp.GetPixel(x, y), RGB(BYTE(want[x]), BYTE(want[x]), BYTE(want[x])))
                << x << "," << y;

    // 8-bit conversion: 0x8080 / 256 = 128.5 rounds up to 129; 0xFFFF gives 255 (not 256);
    // 0x127F / 256 = 18.496 -> 18; channels are placed red, green, blue.
    Bitmap flat(2, 2, 24);
    const TRIVERTEX f[3] = {V(0, 0, 0x8080, 0xFFFF, 0x127F), V(4, 0, 0x8080, 0xFFFF, 0x127F),
                            V(0, 4, 0x8080, 0xFFFF, 0x127F)};
    const GRADIENT_TRIANGLE ft{0, 1, 2};
    ASSERT_TRUE(GradientFillTriangles(flat, f, 3, &ft, 1));
    EXPECT_EQ(flat.GetPixel(0, 0), RGB(129, 255, 18));
}

TEST(GradientFill, ThirtyTwoBitBitmapsGetAlphaToo) {
    Bitmap bmp(2, 2, 32);
    TRIVERTEX v[3] = {V(0, 0, 0x1000, 0x2000, 0x3000), V(4, 0, 0x1000, 0x2000, 0x3000),
                      V(0, 4, 0x1000, 0x2000, 0x3000)};
    for (TRIVERTEX& t : v) t.Alpha = 0x4000;
    const GRADIENT_TRIANGLE t{0, 1, 2};
    ASSERT_TRUE(GradientFillTriangles(bmp, v, 3, &t, 1));
    const uint8_t* p = bmp.ScanLine(0);
    EXPECT_EQ(p[0], 0x30);
    EXPECT_EQ(p[1], 0x20);
    EXPECT_EQ(p[2], 0x10);
    EXPECT_EQ(p[3], 0x40);
}

TEST(GradientFill, ClipAndRejectedInput) {
    const TRIVERTEX v[3] = {V(0, 0), V(8, 0), V(0, 8)};
    const GRADIENT_TRIANGLE good{0, 1, 2}, bad{0, 1, 3};

    Bitmap clipped(4, 4, 24);
    const RECT clip{1, 1, 3, 2};
    ASSERT_TRUE(GradientFillTriangles(clipped, v, 3, &good, 1, &clip));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(clipped.GetPixel(x, y) != 0, PtInRect(clip, POINT{x, y})) << x << "," << y;

    // A bad index anywhere in the mesh paints nothing, not even the good triangles before it.
    Bitmap untouched(4, 4, 24);
    const GRADIENT_TRIANGLE mesh[2] = {good, bad};
    EXPECT_FALSE(GradientFillTriangles(untouched, v, 3, mesh, 2));
    const TRIVERTEX far[3] = {V(0, 0), V(kMaxGradientCoord + 1, 0), V(0, 8)};
    EXPECT_FALSE(GradientFillTriangles(untouched, far, 3, &good, 1));
    EXPECT_FALSE(GradientFillTriangles(untouched, nullptr, 3, &good, 1));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(untouched.GetPixel(x, y), 0u);

    // Huge but accepted coordinates stay exact: the same split square scaled up still tiles.
    const LONG m = kMaxGradientCoord;
    const TRIVERTEX big[4] = {V(-m, -m), V(m, -m), V(m, m), V(-m, m)};
    const GRADIENT_TRIANGLE halves[2] = {{0, 1, 2}, {0, 2, 3}};
    Bitmap whole(3, 3, 24);
    EXPECT_TRUE(GradientFillTriangles(whole, big, 4, halves, 2));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_NE(whole.GetPixel(x, y), 0u);
    // Degenerate triangles paint nothing.
    const TRIVERTEX line[3] = {V(0, 0), V(2, 2), V(4, 4)};
    Bitmap none(4, 4, 24);
    EXPECT_TRUE(GradientFillTriangles(none, line, 3, &good, 1));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(none.GetPixel(x, y), 0u);
}
