#include "platform/gdi/Region.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>

namespace {

using PointSet = std::set<std::pair<int, int>>;
constexpr int kLo = -2, kHi = 14; // the grid the random regions live in, with a margin

PointSet PointsOf(const Region& r) {
    PointSet points;
    for (int y = kLo; y < kHi; ++y)
        for (int x = kLo; x < kHi; ++x)
            if (r.Contains(x, y)) points.insert({x, y});
    return points;
}

// The same point set built independently, one band per row, so it can be compared with
// operator== (equal point sets must give equal canonical regions).
Region RegionOfPoints(const PointSet& points) {
    Region r;
    for (int y = kLo; y < kHi; ++y) {
        std::vector<LONG> xs;
        for (int x = kLo; x < kHi; ++x)
            if (points.count({x, y})) {
                xs.push_back(x);
                xs.push_back(x + 1); // touching spans are joined by AppendBand
            }
        r.AppendBand(y, y + 1, xs.data(), xs.size());
    }
    return r;
}

// Canonical form, seen through the rectangle list: bands ordered and disjoint, the spans of a
// band ordered, disjoint and not touching, rectangles not empty.
void ExpectCanonical(const Region& r) {
    const std::vector<RECT> rects = r.Rects();
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_FALSE(IsRectEmpty(rects[i]));
        if (i == 0) continue;
        const RECT& a = rects[i - 1];
        const RECT& b = rects[i];
        if (a.top == b.top) {
            EXPECT_EQ(a.bottom, b.bottom);
            EXPECT_LT(a.right, b.left);
        } else {
            EXPECT_LE(a.bottom, b.top);
        }
    }
}

Region RandomRegion(std::mt19937& rng) {
    std::uniform_int_distribution<int> coord(0, 12), count(0, 4);
    Region r;
    for (int n = count(rng); n > 0; --n)
        r.Combine(r, Region(RECT{coord(rng), coord(rng), coord(rng), coord(rng)}), RGN_OR);
    return r;
}

} // namespace

TEST(Region, RectangleConstructionAndQueries) {
    EXPECT_TRUE(Region().IsEmpty());
    EXPECT_TRUE(Region(RECT{3, 3, 3, 9}).IsEmpty());
    EXPECT_EQ(Region(RECT{5, 6, 1, 2}), Region(RECT{1, 2, 5, 6})); // inverted is normalised

    const Region r(RECT{1, 2, 4, 6});
    EXPECT_TRUE(r.Contains(1, 2));
    EXPECT_TRUE(r.Contains(3, 5));
    EXPECT_FALSE(r.Contains(4, 5)); // right edge outside
    EXPECT_FALSE(r.Contains(3, 6)); // bottom edge outside
    EXPECT_FALSE(r.Contains(0, 2));
    EXPECT_TRUE(r.Intersects(RECT{3, 5, 10, 10}));
    EXPECT_FALSE(r.Intersects(RECT{4, 2, 10, 10}));
    EXPECT_FALSE(r.Intersects(RECT{2, 3, 2, 5})); // empty rectangle
    RECT box;
    EXPECT_EQ(GetRgnBox(r, box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{1, 2, 4, 6}));
    EXPECT_EQ(GetRgnBox(Region(), box), NULLREGION);
    EXPECT_EQ(box, RECT{});
}

TEST(Region, CombineModesOnAHandCase) {
    // a = [0,4) x [0,4), b = [2,6) x [2,6)
    const Region a(RECT{0, 0, 4, 4}), b(RECT{2, 2, 6, 6});
    Region r;
    EXPECT_EQ(r.Combine(a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(r.Rects(), (std::vector<RECT>{{2, 2, 4, 4}}));
    EXPECT_EQ(r.Combine(a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(r.Rects(), (std::vector<RECT>{{0, 0, 4, 2}, {0, 2, 6, 4}, {2, 4, 6, 6}}));
    EXPECT_EQ(r.Combine(a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(r.Rects(), (std::vector<RECT>{{0, 0, 4, 2}, {0, 2, 2, 4}}));
    EXPECT_EQ(r.Combine(a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(r.Rects(),
              (std::vector<RECT>{{0, 0, 4, 2}, {0, 2, 2, 4}, {4, 2, 6, 4}, {2, 4, 6, 6}}));
    EXPECT_EQ(r.Combine(a, b, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(r, a);
    EXPECT_EQ(r.Combine(a, Region(RECT{7, 7, 8, 8}), RGN_AND), NULLREGION);
    EXPECT_TRUE(r.IsEmpty());

    // An unknown mode is an error and changes nothing.
    r = a;
    EXPECT_EQ(r.Combine(a, b, 0), RGN_ERROR);
    EXPECT_EQ(r.Combine(a, b, 6), RGN_ERROR);
    EXPECT_EQ(r, a);

    // Side by side rectangles of the same height merge into one; stacked ones too.
    EXPECT_EQ(CombineRgn(r, Region(RECT{0, 0, 2, 3}), Region(RECT{2, 0, 5, 3}), RGN_OR),
              SIMPLEREGION);
    EXPECT_EQ(r, Region(RECT{0, 0, 5, 3}));
    EXPECT_EQ(CombineRgn(r, Region(RECT{0, 0, 2, 3}), Region(RECT{0, 3, 2, 5}), RGN_OR),
              SIMPLEREGION);
}

TEST(Region, RandomCombinationsMatchTheirPointSets) {
    std::mt19937 rng(20240611);
    for (int iteration = 0; iteration < 300; ++iteration) {
        const Region a = RandomRegion(rng), b = RandomRegion(rng);
        const PointSet pa = PointsOf(a), pb = PointsOf(b);
        for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF}) {
            SCOPED_TRACE(testing::Message() << "iteration " << iteration << " mode " << mode);
            PointSet want;
            for (int y = kLo; y < kHi; ++y)
                for (int x = kLo; x < kHi; ++x) {
                    const bool inA = pa.count({x, y}) > 0, inB = pb.count({x, y}) > 0;
                    const bool in = mode == RGN_AND   ? inA && inB
                                    : mode == RGN_OR  ? inA || inB
                                    : mode == RGN_XOR ? inA != inB
                                                      : inA && !inB;
                    if (in) want.insert({x, y});
                }
            Region r;
            const int complexity = r.Combine(a, b, mode);
            ASSERT_EQ(PointsOf(r), want);
            ExpectCanonical(r);
            EXPECT_EQ(r, RegionOfPoints(want));
            EXPECT_EQ(complexity, want.empty()            ? NULLREGION
                                  : r.Rects().size() == 1 ? SIMPLEREGION
                                                          : COMPLEXREGION);
            for (const RECT& rc : r.Rects()) EXPECT_TRUE(r.Intersects(rc));

            // The destination may be one of the sources.
            Region alias = a;
            alias.Combine(alias, b, mode);
            EXPECT_EQ(alias, r);
            alias = b;
            alias.Combine(a, alias, mode);
            EXPECT_EQ(alias, r);
        }
    }
}

TEST(Region, OffsetMovesEveryRectangle) {
    Region r;
    r.Combine(Region(RECT{0, 0, 4, 2}), Region(RECT{6, 1, 8, 3}), RGN_OR);
    EXPECT_EQ(OffsetRgn(r, -1, 10), COMPLEXREGION);
    EXPECT_EQ(r.Rects(), (std::vector<RECT>{
                             {-1, 10, 3, 11}, {-1, 11, 3, 12}, {5, 11, 7, 12}, {5, 12, 7, 13}}));
    EXPECT_TRUE(PtInRegion(r, -1, 10));
    EXPECT_FALSE(PtInRegion(r, 0, 9));
    EXPECT_TRUE(RectInRegion(r, RECT{6, 12, 20, 20}));
    RECT box;
    r.GetBox(box);
    EXPECT_EQ(box, (RECT{-1, 10, 7, 13}));
}
