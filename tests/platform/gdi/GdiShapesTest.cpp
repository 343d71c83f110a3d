// Lines, pens and raster operations, shapes, rectangle and region fills, single pixels.
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <utility>

#include "platform/GdiTestUtil.h"
#include "platform/gdi/FillRoundRect.h"
#include "platform/gdi/Gdi.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

HGDIOBJ Stock(int index) { return GetStockObject(index); }

// The pixels of a surface that differ from `background`.
std::set<std::pair<int, int>> Painted(const Bitmap& b, COLORREF background) {
    std::set<std::pair<int, int>> painted;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) != background) painted.insert({x, y});
    return painted;
}

const std::map<char, COLORREF> kLegend = {
    {'.', kWhite}, {'#', kBlack}, {'r', kRed}, {'g', kGrey}, {'R', kRed}};
} // namespace

TEST(GdiShapes, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    struct Case {
        const char* name;
        HGDIOBJ pen;
        HGDIOBJ brush;
        RECT rect;
        std::vector<std::string> picture;
    };
    HBRUSH red = CreateSolidBrush(kRed);
    HPEN wide = CreatePen(PS_SOLID, 2, kBlack);
    const Case cases[] = {
        {"plain",
         Stock(BLACK_PEN),
         red,
         {1, 1, 5, 4},
         // clang-format off
         {"......",
          ".####.",
          ".#rr#.",
          ".####.",
          "......"}},
        // clang-format on
        {"inverted corners",
         Stock(BLACK_PEN),
         red,
         {5, 4, 1, 1},
         // clang-format off
         {"......",
          ".####.",
          ".#rr#.",
          ".####.",
          "......"}},
        // clang-format on
        {"one pixel",
         Stock(BLACK_PEN),
         red,
         {1, 1, 2, 2},
         // clang-format off
         {"......",
          ".#....",
          "......",
          "......",
          "......"}},
        // clang-format on
        {"two by two",
         Stock(BLACK_PEN),
         red,
         {1, 1, 3, 3},
         // clang-format off
         {"......",
          ".##...",
          ".##...",
          "......",
          "......"}},
        // clang-format on
        // With a null pen the brush fills the whole half-open rectangle.
        {"null pen",
         Stock(NULL_PEN),
         red,
         {1, 1, 5, 4},
         // clang-format off
         {"......",
          ".rrrr.",
          ".rrrr.",
          ".rrrr.",
          "......"}},
        // clang-format on
        {"null brush",
         Stock(BLACK_PEN),
         Stock(NULL_BRUSH),
         {1, 1, 5, 4},
         // clang-format off
         {"......",
          ".####.",
          ".#..#.",
          ".####.",
          "......"}},
        // clang-format on
        // A wider pen draws an inside frame of its width.
        {"two-pixel pen",
         wide,
         red,
         {0, 0, 6, 5},
         // clang-format off
         {"######",
          "######",
          "##rr##",
          "######",
          "######"}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDC t(6, 5);
        SelectObject(t.dc, c.pen);
        SelectObject(t.dc, c.brush);
        EXPECT_TRUE(Rectangle(t.dc, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom));
        ExpectPicture(t.pixels(), c.picture, kLegend);
        SelectObject(t.dc, Stock(BLACK_PEN));
        SelectObject(t.dc, Stock(WHITE_BRUSH));
    }
    DeleteObject(red);
    DeleteObject(wide);
}

TEST(GdiShapes, EllipseOfSixByFour) {
    // Centre (4, 3), radii 3 and 2. Pixel centres inside: row 0 and 3 (dy = 1.5) need
    // |dx| <= 3 * sqrt(1 - 0.5625) = 1.98, so columns 2..5; rows 1 and 2 (dy = 0.5) need
    // |dx| <= 2.90, so columns 1..6. The outline is the pixels with a horizontal or vertical
    // neighbour outside: rows 1 and 4 whole, and the ends of rows 2 and 3.
    TestDC t(8, 6);
    HBRUSH red = CreateSolidBrush(kRed);
    SelectObject(t.dc, red);
    EXPECT_TRUE(Ellipse(t.dc, 1, 1, 7, 5));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"........",
                   "..####..",
                   ".#rrrr#.",
                   ".#rrrr#.",
                   "..####..",
                   "........"},
                  // clang-format on
                  kLegend);
    SelectObject(t.dc, Stock(WHITE_BRUSH));
    DeleteObject(red);
}

TEST(GdiShapes, ShapeOutlinesFollowTheShapesEdge) {
    // Ellipses: a pixel belongs to the shape when its centre lies inside or on the ellipse,
    // in doubled integer coordinates X = 2x + 1 - (2l + w), Y = 2y + 1 - (2t + h):
    // X^2 h^2 + Y^2 w^2 <= w^2 h^2. A one-pixel pen outlines the shape pixels that have a
    // horizontal or vertical neighbour outside it; the brush fills the rest.
    for (auto [w, h] :
         {std::pair{1, 1}, {2, 2}, {3, 5}, {6, 4}, {7, 7}, {10, 6}, {13, 9}, {4, 11}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        const int l = 2, top = 1;
        auto inside = [&](int x, int y) {
            if (x < l || x >= l + w || y < top || y >= top + h) return false;
            const int64_t X = 2 * x + 1 - (2 * l + w), Y = 2 * y + 1 - (2 * top + h);
            return X * X * h * h + Y * Y * w * w <= int64_t(w) * w * h * h;
        };
        TestDC t(w + 4, h + 3);
        HBRUSH red = CreateSolidBrush(kRed);
        SelectObject(t.dc, red);
        Ellipse(t.dc, l, top, l + w, top + h);
        for (int y = 0; y < h + 3; ++y)
            for (int x = 0; x < w + 4; ++x) {
                const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) ||
                                  !inside(x, y + 1);
                const COLORREF want = !inside(x, y) ? kWhite : edge ? kBlack : kRed;
                EXPECT_EQ(t.pixels().GetPixel(x, y), want) << x << "," << y;
            }
        SelectObject(t.dc, Stock(WHITE_BRUSH));
        DeleteObject(red);
    }
}

TEST(GdiShapes, RoundRectsAndWidePensAgreeWithTheRoundRectFill) {
    // The shape of RoundRect is the round-rect fill's; a pen of width p > 1 draws the shape
    // less the same shape inset by p (corner sizes less 2p).
    struct Case {
        RECT r;
        int ew, eh, pen;
    } cases[] = {{{1, 1, 11, 9}, 4, 4, 1},
                 {{0, 2, 13, 9}, 6, 3, 1},
                 {{1, 1, 11, 10}, 6, 6, 2},
                 {{1, 0, 12, 10}, 11, 10, 3},
                 {{2, 1, 5, 9}, 2, 2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom
                     << " corner " << c.ew << "x" << c.eh << " pen " << c.pen);
        Bitmap outer(14, 11, 24), inner(14, 11, 24);
        FillRoundRect(outer, c.r, c.ew, c.eh, kRed);
        if (c.pen == 1) {
            for (int y = 0; y < 11; ++y)
                for (int x = 0; x < 14; ++x) {
                    auto in = [&](int px, int py) {
                        return px >= 0 && py >= 0 && px < 14 && py < 11 &&
                               outer.GetPixel(px, py) == kRed;
                    };
                    if (in(x, y) && in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1))
                        inner.SetPixel(x, y, kRed);
                }
        } else {
            FillRoundRect(inner, InflateRect(c.r, -c.pen, -c.pen), std::max(c.ew - 2 * c.pen, 0),
                          std::max(c.eh - 2 * c.pen, 0), kRed);
        }
        TestDC t(14, 11);
        HBRUSH red = CreateSolidBrush(kRed);
        HPEN pen = CreatePen(PS_SOLID, c.pen, kBlack);
        SelectObject(t.dc, red);
        SelectObject(t.dc, pen);
        RoundRect(t.dc, c.r.left, c.r.top, c.r.right, c.r.bottom, c.ew, c.eh);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 14; ++x) {
                const bool inShape = outer.GetPixel(x, y) == kRed;
                const bool inInside = inner.GetPixel(x, y) == kRed;
                const COLORREF want = !inShape ? kWhite : inInside ? kRed : kBlack;
                EXPECT_EQ(t.pixels().GetPixel(x, y), want) << x << "," << y;
            }
        SelectObject(t.dc, Stock(WHITE_BRUSH));
        SelectObject(t.dc, Stock(BLACK_PEN));
        DeleteObject(red);
        DeleteObject(pen);
    }
}

TEST(GdiShapes, LinesLeaveOutTheirEndPoint) {
    // For a line longer in x, column a.x + i takes row a.y + sign(dy) * floor((2i|dy| + |dx|)
    // / 2|dx|): the nearest row, halves away from the start (and the same with x and y
    // exchanged). The end point is not drawn.
    struct Case {
        POINT from, to;
        std::set<std::pair<int, int>> pixels;
    } cases[] = {
        {{1, 1}, {5, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {{5, 1}, {1, 1}, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {{1, 1}, {1, 4}, {{1, 1}, {1, 2}, {1, 3}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
        {{3, 0}, {0, 3}, {{3, 0}, {2, 1}, {1, 2}}},
        // Ideal rows 0, .4, .8, 1.2, 1.6.
        {{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        // From the other end: rows 2, 1.6, 1.2, .8, .4 at columns 5..1.
        {{5, 2}, {0, 0}, {{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}}},
        // Halves (rows .5 and 1.5 at columns 1 and 3) go away from the start.
        {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        // Longer in y: columns 1.25, 1.5, 1.75 at rows 1..3.
        {{1, 0}, {2, 4}, {{1, 0}, {1, 1}, {2, 2}, {2, 3}}},
        {{3, 3}, {3, 3}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y);
        TestDC t(8, 6);
        MoveToEx(t.dc, c.from.x, c.from.y, nullptr);
        EXPECT_TRUE(LineTo(t.dc, c.to.x, c.to.y));
        EXPECT_EQ(Painted(t.pixels(), kWhite), c.pixels);
        POINT now;
        MoveToEx(t.dc, 0, 0, &now);
        EXPECT_EQ(now, c.to);
    }
}

TEST(GdiShapes, WidePenLinesStampSquares) {
    // Each pixel of the line becomes a square of the pen's width at [x - w/2, x - w/2 + w).
    TestDC t(8, 6);
    HPEN pen = CreatePen(PS_SOLID, 3, kBlack);
    SelectObject(t.dc, pen);
    MoveToEx(t.dc, 2, 2, nullptr);
    LineTo(t.dc, 5, 2);
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"........",
                   ".#####..",
                   ".#####..",
                   ".#####..",
                   "........",
                   "........"},
                  // clang-format on
                  kLegend);
    SelectObject(t.dc, Stock(BLACK_PEN));
    DeleteObject(pen);
}

TEST(GdiShapes, BinaryRasterOperations) {
    // Pen byte P = 0xF0 over destination byte D = 0xCC on every colour channel; on a 32-bit
    // surface the alpha byte (0xCC) meets a pen byte of 0.
    struct Case {
        int rop2;
        uint8_t (*f)(uint8_t p, uint8_t d);
    } cases[] = {
        {1, [](uint8_t, uint8_t) { return uint8_t(0); }},             // R2_BLACK
        {2, [](uint8_t p, uint8_t d) { return uint8_t(~(p | d)); }},  // R2_NOTMERGEPEN
        {3, [](uint8_t p, uint8_t d) { return uint8_t(~p & d); }},    // R2_MASKNOTPEN
        {4, [](uint8_t p, uint8_t) { return uint8_t(~p); }},          // R2_NOTCOPYPEN
        {5, [](uint8_t p, uint8_t d) { return uint8_t(p & ~d); }},    // R2_MASKPENNOT
        {6, [](uint8_t, uint8_t d) { return uint8_t(~d); }},          // R2_NOT
        {7, [](uint8_t p, uint8_t d) { return uint8_t(p ^ d); }},     // R2_XORPEN
        {8, [](uint8_t p, uint8_t d) { return uint8_t(~(p & d)); }},  // R2_NOTMASKPEN
        {9, [](uint8_t p, uint8_t d) { return uint8_t(p & d); }},     // R2_MASKPEN
        {10, [](uint8_t p, uint8_t d) { return uint8_t(~(p ^ d)); }}, // R2_NOTXORPEN
        {11, [](uint8_t, uint8_t d) { return d; }},                   // R2_NOP
        {12, [](uint8_t p, uint8_t d) { return uint8_t(~p | d); }},   // R2_MERGENOTPEN
        {13, [](uint8_t p, uint8_t) { return p; }},                   // R2_COPYPEN
        {14, [](uint8_t p, uint8_t d) { return uint8_t(p | ~d); }},   // R2_MERGEPENNOT
        {15, [](uint8_t p, uint8_t d) { return uint8_t(p | d); }},    // R2_MERGEPEN
        {16, [](uint8_t, uint8_t) { return uint8_t(0xFF); }},         // R2_WHITE
    };
    for (const Case& c : cases)
        for (int bits : {24, 32}) {
            SCOPED_TRACE(testing::Message() << "rop2 " << c.rop2 << ", " << bits << " bits");
            TestDC t(2, 1, RGB(0xCC, 0xCC, 0xCC), bits);
            if (bits == 32) t.pixels().ScanLine(0)[3] = 0xCC;
            HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xF0, 0xF0, 0xF0));
            SelectObject(t.dc, pen);
            EXPECT_EQ(SetROP2(t.dc, c.rop2), R2_COPYPEN);
            MoveToEx(t.dc, 0, 0, nullptr);
            LineTo(t.dc, 1, 0);
            const uint8_t v = c.f(0xF0, 0xCC);
            EXPECT_EQ(t.pixels().GetPixel(0, 0), RGB(v, v, v));
            EXPECT_EQ(t.pixels().GetPixel(1, 0), RGB(0xCC, 0xCC, 0xCC));
            if (bits == 32) {
                EXPECT_EQ(t.Alpha(0, 0), c.f(0, 0xCC));
            }
            SelectObject(t.dc, Stock(BLACK_PEN));
            DeleteObject(pen);
        }
    TestDC t(1, 1);
    EXPECT_EQ(SetROP2(t.dc, 0), 0);
    EXPECT_EQ(SetROP2(t.dc, 17), 0);
}

TEST(GdiShapes, XorAndNotDrawingTwiceRestoresThePicture) {
    for (int rop2 : {R2_XORPEN, R2_NOT})
        for (int bits : {24, 32}) {
            SCOPED_TRACE(testing::Message() << rop2 << " " << bits);
            TestDC t(12, 9, 0, bits);
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 12 * (bits / 8); ++x)
                    t.pixels().ScanLine(y)[x] = uint8_t(x * 37 + y * 11);
            const Bitmap before = t.pixels();
            HPEN pen = CreatePen(PS_SOLID, 2, RGB(0x5A, 0xC3, 0x0F));
            HBRUSH brush = CreateSolidBrush(RGB(0x81, 0x18, 0xE7));
            SelectObject(t.dc, pen);
            SelectObject(t.dc, brush);
            SetROP2(t.dc, rop2);
            const POINT path[5] = {{0, 0}, {11, 3}, {4, 8}, {4, 0}, {9, 8}};
            for (int pass = 0; pass < 2; ++pass) {
                Polyline(t.dc, path, 5);
                Rectangle(t.dc, 1, 1, 7, 6);
                Ellipse(t.dc, 3, 2, 12, 9);
                Polygon(t.dc, path, 5);
                if (pass == 0) {
                    EXPECT_FALSE(PixelsEqual(t.pixels(), before));
                }
            }
            EXPECT_TRUE(PixelsEqual(t.pixels(), before));
            SelectObject(t.dc, Stock(BLACK_PEN));
            SelectObject(t.dc, Stock(WHITE_BRUSH));
            DeleteObject(pen);
            DeleteObject(brush);
        }
}

TEST(GdiShapes, PolylineJointsArePaintedOnce) {
    // With XOR a pixel painted twice would come back black.
    TestDC t(6, 6, kBlack);
    HPEN pen = CreatePen(PS_SOLID, 1, kWhite);
    SelectObject(t.dc, pen);
    SetROP2(t.dc, R2_XORPEN);
    const POINT path[3] = {{1, 1}, {4, 1}, {4, 4}};
    EXPECT_TRUE(Polyline(t.dc, path, 3));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"######",
                   "#....#",
                   "####.#",
                   "####.#",
                   "######",
                   "######"},
                  // clang-format on
                  kLegend);
    EXPECT_FALSE(Polyline(t.dc, path, 1));
    SelectObject(t.dc, Stock(BLACK_PEN));
    DeleteObject(pen);
}

TEST(GdiShapes, StyledPens) {
    // PS_DOT: alternate pixels; PS_DASH: six on, two off. The pattern runs on from one
    // segment to the next. In opaque mode the gaps take the background colour.
    struct Case {
        const char* name;
        int style;
        int bkMode;
        std::vector<POINT> path;
        std::vector<std::string> picture;
    } cases[] = {
        {"dots, opaque", PS_DOT, OPAQUE, {{0, 0}, {9, 0}}, {"#r#r#r#r#g", "gggggggggg"}},
        {"dots, transparent", PS_DOT, TRANSPARENT, {{0, 0}, {9, 0}}, {"#g#g#g#g#g", "gggggggggg"}},
        {"dashes", PS_DASH, OPAQUE, {{0, 0}, {10, 0}}, {"######rr##", "gggggggggg"}},
        {"dots round a corner",
         PS_DOT,
         TRANSPARENT,
         {{0, 0}, {3, 0}, {3, 2}},
         {"#g#ggggggg", "ggg#gggggg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDC t(10, 2, kGrey);
        HPEN pen = CreatePen(c.style, 1, kBlack);
        SelectObject(t.dc, pen);
        SetBkColor(t.dc, kRed);
        SetBkMode(t.dc, c.bkMode);
        Polyline(t.dc, c.path.data(), int(c.path.size()));
        ExpectPicture(t.pixels(), c.picture, kLegend);
        SelectObject(t.dc, Stock(BLACK_PEN));
        DeleteObject(pen);
    }
    // A styled pen walks a rectangle's frame from the top-left corner clockwise:
    // (0,0) (1,0) (2,0) | (3,0) (3,1) | (3,2) (2,2) (1,2) | (0,2) (0,1), every other one on.
    TestDC t(5, 4, kGrey);
    HPEN dots = CreatePen(PS_DOT, 1, kBlack);
    HBRUSH red = CreateSolidBrush(kRed);
    SelectObject(t.dc, dots);
    SelectObject(t.dc, red);
    SetBkMode(t.dc, TRANSPARENT);
    Rectangle(t.dc, 0, 0, 4, 3);
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"#g#gg",
                   "grr#g",
                   "#g#gg",
                   "ggggg"},
                  // clang-format on
                  kLegend);
    SelectObject(t.dc, Stock(BLACK_PEN));
    SelectObject(t.dc, Stock(WHITE_BRUSH));
    DeleteObject(dots);
    DeleteObject(red);
}

TEST(GdiShapes, PolygonFillsPixelCentresInsideThenOutlines) {
    // Triangle (0,0) (6,0) (0,6): row y's centre meets the slanted edge at x = 5.5 - y, so the
    // fill takes columns 0 .. 4 - y. The pen then draws the closed outline.
    const POINT triangle[3] = {{0, 0}, {6, 0}, {0, 6}};
    TestDC fillOnly(7, 7);
    SelectObject(fillOnly.dc, Stock(NULL_PEN));
    SelectObject(fillOnly.dc, Stock(BLACK_BRUSH));
    EXPECT_TRUE(Polygon(fillOnly.dc, triangle, 3));
    ExpectPicture(fillOnly.pixels(),
                  // clang-format off
                  {"#####..",
                   "####...",
                   "###....",
                   "##.....",
                   "#......",
                   ".......",
                   "......."},
                  // clang-format on
                  kLegend);

    TestDC both(7, 7);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    SelectObject(both.dc, pen);
    SelectObject(both.dc, Stock(BLACK_BRUSH));
    EXPECT_TRUE(Polygon(both.dc, triangle, 3));
    ExpectPicture(both.pixels(),
                  // clang-format off
                  {"RRRRRRR",
                   "R###.R.",
                   "R##.R..",
                   "R#.R...",
                   "R.R....",
                   "RR.....",
                   "R......"},
                  // clang-format on
                  kLegend);
    SelectObject(both.dc, Stock(BLACK_PEN));
    DeleteObject(pen);

    // Even-odd: an outline that runs round an outer square, then round an inner one (joined
    // by the same diagonal both ways) leaves the inner square empty.
    const POINT rings[10] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0},
                             {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}};
    TestDC ring(7, 7);
    SelectObject(ring.dc, Stock(NULL_PEN));
    SelectObject(ring.dc, Stock(BLACK_BRUSH));
    Polygon(ring.dc, rings, 10);
    ExpectPicture(ring.pixels(),
                  // clang-format off
                  {"######.",
                   "######.",
                   "##..##.",
                   "##..##.",
                   "######.",
                   "######.",
                   "......."},
                  // clang-format on
                  kLegend);
}

TEST(GdiShapes, FillRectUsesOnlyItsBrush) {
    TestDC t(6, 4);
    HBRUSH red = CreateSolidBrush(kRed);
    SelectObject(t.dc, red);
    SelectObject(t.dc, Stock(WHITE_PEN));
    SetROP2(t.dc, R2_XORPEN); // binary raster operations do not apply to FillRect
    RECT r{1, 1, 3, 3};
    EXPECT_EQ(FillRect(t.dc, &r, static_cast<HBRUSH>(Stock(BLACK_BRUSH))), 1);
    // A system colour index plus one stands for that colour's brush.
    RECT face{3, 0, 5, 1};
    EXPECT_EQ(FillRect(t.dc, &face, reinterpret_cast<HBRUSH>(uintptr_t(COLOR_BTNSHADOW + 1))), 1);
    // Nothing for a hollow brush or an inverted rectangle.
    RECT all{0, 0, 6, 4}, inverted{5, 3, 4, 2};
    EXPECT_EQ(FillRect(t.dc, &all, static_cast<HBRUSH>(Stock(NULL_BRUSH))), 1);
    EXPECT_EQ(FillRect(t.dc, &inverted, red), 1);
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"...gg.",
                   ".##...",
                   ".##...",
                   "......"},
                  // clang-format on
                  kLegend);
    SelectObject(t.dc, Stock(WHITE_BRUSH));
    SelectObject(t.dc, Stock(BLACK_PEN));
    DeleteObject(red);
}

TEST(GdiShapes, FramesAndRegionFills) {
    TestDC t(8, 7);
    HBRUSH black = static_cast<HBRUSH>(Stock(BLACK_BRUSH));
    HBRUSH red = CreateSolidBrush(kRed);
    RECT frame{0, 0, 4, 3}, line{5, 0, 8, 1};
    EXPECT_EQ(FrameRect(t.dc, &frame, black), 1);
    EXPECT_EQ(FrameRect(t.dc, &line, red), 1);
    // A region in logical coordinates, through the origin: device = logical + (1, 3).
    SetViewportOrgEx(t.dc, 1, 3, nullptr);
    const RECT parts[2] = {{0, 0, 2, 1}, {1, 1, 3, 3}};
    HRGN region = CreateRegionFromRects(parts, 2);
    EXPECT_TRUE(FillRgn(t.dc, region, red));
    ExpectPicture(
        t.pixels(),
        // clang-format off
                  {"####.RRR",
                   "#..#....",
                   "####....",
                   ".RR.....",
                   "..RR....",
                   "..RR....",
                   "........"},
        // clang-format on
        kLegend);
    DeleteObject(region);
    DeleteObject(red);
}

TEST(GdiShapes, FrameRgnDrawsTheBorderOfTheGivenSize) {
    // An L-shaped region, a frame 2 wide and 1 high: what is left inside are the pixels whose
    // neighbours up to 2 columns and 1 row away all lie in the region: row 2 columns 3..8, and
    // column 3 of rows 3..6.
    TestDC t(12, 9);
    const RECT parts[2] = {{1, 1, 11, 4}, {1, 4, 6, 8}};
    HRGN region = CreateRegionFromRects(parts, 2);
    EXPECT_TRUE(FrameRgn(t.dc, region, static_cast<HBRUSH>(Stock(BLACK_BRUSH)), 2, 1));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"............",
                   ".##########.",
                   ".##......##.",
                   ".##.#######.",
                   ".##.##......",
                   ".##.##......",
                   ".##.##......",
                   ".#####......",
                   "............"},
                  // clang-format on
                  kLegend);
    EXPECT_FALSE(FrameRgn(t.dc, region, static_cast<HBRUSH>(Stock(BLACK_BRUSH)), 0, 1));
    DeleteObject(region);
}

TEST(GdiShapes, InvertRectAndFocusRect) {
    TestDC t(7, 5, kBlack);
    RECT r{1, 1, 6, 4};
    // Frame pixels with an even x + y are inverted.
    EXPECT_TRUE(DrawFocusRect(t.dc, &r));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"#######",
                   "#.#.#.#",
                   "#######",
                   "#.#.#.#",
                   "#######"},
                  // clang-format on
                  kLegend);
    EXPECT_TRUE(DrawFocusRect(t.dc, &r));
    EXPECT_EQ(Painted(t.pixels(), kBlack).size(), 0u);

    RECT tall{0, 0, 2, 5};
    EXPECT_TRUE(DrawFocusRect(t.dc, &tall));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {".######",
                   "#.#####",
                   ".######",
                   "#.#####",
                   ".######"},
                  // clang-format on
                  kLegend);

    TestDC inv(3, 1, RGB(0x12, 0x34, 0x56));
    RECT two{1, 0, 3, 1};
    EXPECT_TRUE(InvertRect(inv.dc, &two));
    EXPECT_EQ(inv.pixels().GetPixel(0, 0), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(inv.pixels().GetPixel(2, 0), RGB(0xED, 0xCB, 0xA9));
}

TEST(GdiShapes, SetPixelHonoursTheClipAndGetPixelReadsTheSurface) {
    TestDC t(4, 3, kWhite, 32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) t.pixels().ScanLine(y)[x * 4 + 3] = 0x77;
    ExcludeClipRect(t.dc, 1, 0, 2, 3);
    EXPECT_EQ(SetPixel(t.dc, 0, 1, 0xAB123456), RGB(0x56, 0x34, 0x12)); // high byte dropped
    EXPECT_EQ(t.pixels().GetPixel(0, 1), RGB(0x56, 0x34, 0x12));
    EXPECT_EQ(t.Alpha(0, 1), 0); // an opaque write gives alpha 0, as every fill does
    EXPECT_EQ(SetPixel(t.dc, 1, 1, kBlack), CLR_INVALID);
    EXPECT_EQ(t.pixels().GetPixel(1, 1), kWhite);
    EXPECT_EQ(SetPixel(t.dc, 4, 0, kBlack), CLR_INVALID);
    EXPECT_EQ(SetPixel(t.dc, -1, 0, kBlack), CLR_INVALID);
    EXPECT_EQ(GetPixel(t.dc, 1, 1), kWhite); // outside the clip but on the surface
    EXPECT_EQ(GetPixel(t.dc, 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(t.dc, 0, -1), CLR_INVALID);
    SetViewportOrgEx(t.dc, 2, 1, nullptr);
    EXPECT_EQ(GetPixel(t.dc, -2, 0), RGB(0x56, 0x34, 0x12));
}
