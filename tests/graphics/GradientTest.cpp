// Gradient text parsing and painting. Ramps use steps that are exact in binary (0.5, 1, 2)
// where ties matter, so the expected rounding is plain to see.
#include <string>

#include "PixelTestUtil.h"
#include "graphics/sGradient.h"
#include "platform/core/Errors.h"

namespace {
constexpr COLORREF o = RGB(9, 9, 9); // untouched background
constexpr COLORREF R = RGB(255, 0, 0), G = RGB(0, 255, 0), B = RGB(0, 0, 255);

TsGradPie Flat(COLORREF c, int percent, int mode = 0) {
    return TsGradPie{TColor(c), TColor(c), uint8_t(percent), mode};
}

std::vector<COLORREF> Column(const Bitmap& b, int x) {
    std::vector<COLORREF> c;
    for (int y = 0; y < b.Height(); ++y) c.push_back(b.GetPixel(x, y));
    return c;
}

std::vector<COLORREF> Row(const Bitmap& b, int y) {
    std::vector<COLORREF> r;
    for (int x = 0; x < b.Width(); ++x) r.push_back(b.GetPixel(x, y));
    return r;
}

const char* const kButton =
    "16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;16184300;42;0;0;"
    "16184300;16184300;0;0;0";
} // namespace

TEST(ParseGradientData, SegmentsFromWordsOfFive) {
    TsGradArray grad = {Flat(R, 5)};
    ParseGradientData("", grad);
    EXPECT_TRUE(grad.empty());

    ParseGradientData(kButton, grad);
    const TsGradArray button = {{16184299, 15788256, 45, 0},
                                {15788256, 14866631, 10, 0},
                                {14866631, 16184300, 42, 0},
                                {16184300, 16184300, 0, 0}};
    EXPECT_EQ(grad, button);

    struct Case {
        const char* text;
        TsGradArray expected;
    } cases[] = {
        {"1;2;3;0;9;5;6", {{1, 2, 3, 0}}},  // 7 words: the last two ignored
        {"1;2;250;1;0", {{1, 2, 100, 1}}},  // above 100 is 100
        {"1;2;-5;2;0", {{1, 2, 0, 2}}},     // below 0 is 0, not a wrapped byte
        {"1;2;3;0;junk;x", {{1, 2, 3, 0}}}, // the fifth word and leftovers are not read
        {" 1; 2;3 ;-1;0", {{1, 2, 3, -1}}}, // blanks around a word
        {"1;2;3;0", {}},                    // fewer than five words
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ParseGradientData(c.text, grad);
        EXPECT_EQ(grad, c.expected);
    }
}

TEST(ParseGradientData, NonIntegerWordRaisesAConversionErrorAndLeavesNothing) {
    for (const char* text : {"1;2;x;0;0", "1;2;3;0;0;4;5;6;7.5;0", "1;;3;0;0"}) {
        SCOPED_TRACE(text);
        TsGradArray grad = {Flat(R, 5)};
        try {
            ParseGradientData(text, grad);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_NE(std::string(e.what()).find("not a valid integer"), std::string::npos);
        }
        EXPECT_TRUE(grad.empty());
    }
}

TEST(PaintGradient, VerticalSingleSegmentRunsTopToBottomWithTiesToEven) {
    // 11 rows, step 0.5 in red and -0.5 in blue, -1 in green; columns 1..2 of 4.
    Bitmap b = FilledBitmap(4, 11, o);
    PaintGradient(b, RECT{1, 0, 3, 11},
                  {{TColor(RGB(0, 100, 255)), TColor(RGB(5, 90, 250)), 0, 0}});
    const int red[11] = {0, 0, 1, 2, 2, 2, 3, 4, 4, 4, 5};
    const int blue[11] = {255, 254, 254, 254, 253, 252, 252, 252, 251, 250, 250};
    std::vector<COLORREF> expected;
    for (int y = 0; y < 11; ++y)
        expected.push_back(RGB(BYTE(red[y]), BYTE(100 - y), BYTE(blue[y])));
    EXPECT_EQ(Column(b, 1), expected);
    EXPECT_EQ(Column(b, 2), expected);
    EXPECT_EQ(Column(b, 0), std::vector<COLORREF>(11, o));
    EXPECT_EQ(Column(b, 3), std::vector<COLORREF>(11, o));
}

TEST(PaintGradient, VerticalButtonExample) {
    // 24 rows: segments over rows 0..10, 10..12, 12..22 and 22..23; each boundary row ends
    // with the next segment's first colour.
    TsGradArray grad;
    ParseGradientData(kButton, grad);
    Bitmap b = FilledBitmap(2, 24, o);
    PaintGradient(b, RECT{0, 0, 2, 24}, grad);
    struct Check {
        int row;
        COLORREF color;
    } checks[] = {
        {0, RGB(235, 243, 246)},  // 16184299
        {3, RGB(232, 240, 244)},  // 235 - 3*1.1 = 231.7, 243 - 3.3, 246 - 1.8
        {9, RGB(225, 233, 241)},  // 235 - 9.9 = 225.1, 243 - 9.9, 246 - 5.4 = 240.6
        {10, RGB(224, 232, 240)}, // 15788256, start of the second segment
        {11, RGB(212, 224, 233)}, // halfway to 14866631: 211.5 -> 212
        {12, RGB(199, 216, 226)}, // 14866631
        {21, RGB(232, 240, 244)}, // 199 + 9*3.7 = 232.3, 216 + 9*2.7 = 240.3, 226 + 18
        {22, RGB(236, 243, 246)}, // 16184300
        {23, RGB(236, 243, 246)},
    };
    for (const Check& c : checks) {
        EXPECT_EQ(b.GetPixel(0, c.row), c.color) << "row " << c.row;
        EXPECT_EQ(b.GetPixel(1, c.row), c.color) << "row " << c.row;
    }
}

TEST(PaintGradient, VerticalSegmentBoundaries) {
    struct Case {
        const char* name;
        TsGradArray grad;
        std::vector<COLORREF> column; // 10 rows
    } cases[] = {
        // 50% -> rows 0..5, then 80% reaches past the bottom and stops at row 9; the last
        // segment starts at row 9 with nothing left to paint.
        {"beyond bottom", {Flat(R, 50), Flat(G, 80), Flat(B, 10)}, {R, R, R, R, R, G, G, G, G, G}},
        // 20% + 20%: the last segment takes the rest.
        {"short", {Flat(R, 20), Flat(G, 20)}, {R, R, G, G, G, G, G, G, G, G}},
        // the second element's mode does not count
        {"later mode", {Flat(R, 50, 0), Flat(G, 50, 1)}, {R, R, R, R, R, G, G, G, G, G}},
        // a 0% segment in the middle paints nothing
        {"zero share", {Flat(R, 30), Flat(B, 0), Flat(G, 70)}, {R, R, R, G, G, G, G, G, G, G}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap b = FilledBitmap(1, 10, o);
        PaintGradient(b, RECT{0, 0, 1, 10}, c.grad);
        EXPECT_EQ(Column(b, 0), c.column);
    }
}

TEST(PaintGradient, VerticalOffsetMovesTheStartAndNeverPaintsAboveTheRectangle) {
    // One segment 0 -> 10 in all channels. Offset 2 starts at row 2: rows 2..7, step 2.
    const TsGradArray grad = {{0, TColor(Grey(10)), 0, 0}};
    Bitmap down = FilledBitmap(1, 8, o);
    PaintGradient(down, RECT{0, 0, 1, 8}, grad, 2);
    EXPECT_EQ(Column(down, 0),
              (std::vector<COLORREF>{o, o, Grey(0), Grey(2), Grey(4), Grey(6), Grey(8), Grey(10)}));
    // Offset -2 on a rectangle from row 2: the ramp starts at row 0, outside the rectangle;
    // those rows advance the colour but stay untouched. Ramp 0 -> 14 over rows 0..7.
    Bitmap up = FilledBitmap(1, 8, o);
    PaintGradient(up, RECT{0, 2, 1, 8}, {{0, TColor(Grey(14)), 0, 0}}, -2);
    EXPECT_EQ(Column(up, 0), (std::vector<COLORREF>{o, o, Grey(4), Grey(6), Grey(8), Grey(10),
                                                    Grey(12), Grey(14)}));
}

TEST(PaintGradient, HorizontalSegmentsRoundTheirEndsToEven) {
    // Width 10: 25% ends at round(2.5) = 2, then 35% at round(3.5 + 2) = 6, the last at 9.
    const TsGradArray grad = {Flat(R, 25, 1), Flat(G, 35), Flat(B, 0)};
    Bitmap b = FilledBitmap(10, 3, o);
    PaintGradient(b, RECT{0, 0, 10, 3}, grad);
    const std::vector<COLORREF> row = {R, R, G, G, G, G, B, B, B, B};
    for (int y = 0; y < 3; ++y) EXPECT_EQ(Row(b, y), row) << "row " << y;

    // Moved right by one on a wider bitmap the ties fall the other way: round(3.5) = 4,
    // round(7.5) = 8, and rows outside the rectangle stay untouched.
    Bitmap c = FilledBitmap(12, 4, o);
    PaintGradient(c, RECT{1, 1, 11, 3}, grad);
    const std::vector<COLORREF> inside = {o, R, R, R, G, G, G, G, B, B, B, o};
    EXPECT_EQ(Row(c, 0), std::vector<COLORREF>(12, o));
    EXPECT_EQ(Row(c, 1), inside);
    EXPECT_EQ(Row(c, 2), inside);
    EXPECT_EQ(Row(c, 3), std::vector<COLORREF>(12, o));
}

TEST(PaintGradient, HorizontalRamp) {
    Bitmap b = FilledBitmap(11, 2, o);
    PaintGradient(b, RECT{0, 0, 11, 2}, {{0, TColor(RGB(5, 10, 0)), 100, 1}});
    const int red[11] = {0, 0, 1, 2, 2, 2, 3, 4, 4, 4, 5};
    std::vector<COLORREF> row;
    for (int x = 0; x < 11; ++x) row.push_back(RGB(BYTE(red[x]), BYTE(x), 0));
    EXPECT_EQ(Row(b, 0), row);
    EXPECT_EQ(Row(b, 1), row);
}

TEST(PaintGradient, TrianglesMeetInTheCentre) {
    const COLORREF white = RGB(255, 255, 255), black = 0;
    // White corners, black centre on 8 x 8: in every triangle the centre's weight is
    // 1 - d/4 with d the larger distance of the pixel centre from the centre along x or y,
    // so the grey is 255*d/4: 223.125, 159.375, 95.625, 31.875 for d = 3.5 .. 0.5.
    auto ring = [](int x, int y) {
        const double d = std::max(std::abs(x + 0.5 - 4), std::abs(y + 0.5 - 4));
        return d == 3.5 ? 223 : d == 2.5 ? 159 : d == 1.5 ? 96 : 32;
    };
    Bitmap b = FilledBitmap(10, 10, o);
    PaintGradient(
        b, RECT{1, 1, 9, 9},
        {Flat(white, 0, 2), Flat(black, 0), Flat(white, 0), Flat(white, 0), Flat(white, 0)});
    std::vector<COLORREF> expected;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            expected.push_back(x < 1 || x > 8 || y < 1 || y > 8 ? o : Grey(ring(x - 1, y - 1)));
    ExpectPixels(b, expected);

    // Four elements: the bottom-left vertex repeats the bottom-right one (white), so the
    // bottom-left quarter, covered by the left and bottom triangles, has the same rings.
    Bitmap c = FilledBitmap(8, 8, o);
    PaintGradient(c, RECT{0, 0, 8, 8},
                  {Flat(white, 0, 2), Flat(black, 0), Flat(black, 0), Flat(white, 0)});
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(c.GetPixel(x, y), Grey(ring(x, y))) << x << "," << y;
}

TEST(PaintGradient, NothingOrOnlyTheInsideIsPainted) {
    const COLORREF c = RGB(10, 20, 30);
    struct Case {
        const char* name;
        RECT rect;
        TsGradArray grad;
        int paintedFrom, paintedTo; // columns and rows [from, to) of a 4 x 4 bitmap
    } cases[] = {
        {"empty array", {0, 0, 4, 4}, {}, 0, 0},
        {"unknown mode", {0, 0, 4, 4}, {Flat(c, 100, 3)}, 0, 0},
        {"outside", {5, 5, 9, 9}, {Flat(c, 100, 1)}, 0, 0},
        {"outside vertical", {-9, -9, -1, -1}, {Flat(c, 100, 0)}, 0, 0},
        {"one element flat triangles", {0, 0, 4, 4}, {Flat(c, 0, 2)}, 0, 4},
        {"clipped triangles", {-2, -2, 6, 6}, {Flat(c, 0, 2)}, 0, 4},
        {"clipped vertical", {-3, -3, 2, 2}, {Flat(c, 100, 0)}, 0, 2},
        {"clipped horizontal", {2, 2, 9, 9}, {Flat(c, 100, 1)}, 2, 4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Bitmap b = FilledBitmap(4, 4, o);
        PaintGradient(b, k.rect, k.grad);
        std::vector<COLORREF> expected;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool in =
                    x >= k.paintedFrom && x < k.paintedTo && y >= k.paintedFrom && y < k.paintedTo;
                expected.push_back(in ? c : o);
            }
        ExpectPixels(b, expected);
    }
}
