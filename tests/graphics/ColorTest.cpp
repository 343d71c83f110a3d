// Colour arithmetic: mixing, hue and saturation shifts, and greying. Expected colours are
// worked out by hand from the formulas (given in each case's comment).
#include "PixelTestUtil.h"
#include "graphics/sAlphaGraph.h"

TEST(BlendTwoColors, RatioRoundingClampAndHighByte) {
    struct Case {
        TColor a, b;
        double ratio;
        TColor expected;
    } cases[] = {
        // round(0.5*255) = 127.5 -> 128 (even); 0.5*(0 - 255) + 255 -> 128
        {TColor(RGB(255, 0, 0)), TColor(RGB(0, 0, 255)), 0.5, TColor(RGB(128, 0, 128))},
        {TColor(RGB(255, 0, 0)), TColor(RGB(0, 0, 255)), 0.0, TColor(RGB(0, 0, 255))},
        {TColor(RGB(255, 0, 0)), TColor(RGB(0, 0, 255)), 1.0, TColor(RGB(255, 0, 0))},
        // 0.5, 1.5, 2.5 -> 0, 2, 2
        {TColor(RGB(1, 3, 5)), 0, 0.5, TColor(RGB(0, 2, 2))},
        // 0.25*255 = 63.75 -> 64
        {TColor(RGB(255, 255, 255)), 0, 0.25, TColor(RGB(64, 64, 64))},
        // 2*(200 - 100) + 100 = 300 -> 255; -1*(200 - 50) + 50 = -100 -> 0
        {TColor(RGB(200, 200, 0)), TColor(RGB(100, 100, 0)), 2.0, TColor(RGB(255, 255, 0))},
        {TColor(RGB(200, 0, 0)), TColor(RGB(50, 0, 0)), -1.0, TColor(RGB(0, 0, 0))},
        // A plain colour's high byte is kept ...
        {TColor(0x01000000 | RGB(10, 20, 30)), 0, 1.0, TColor(0x01000000 | RGB(10, 20, 30))},
        // ... while a system colour is resolved and comes back plain, not as another index.
        {SysColor(COLOR_BTNFACE), 0, 1.0, TColor(RGB(212, 208, 200))},
        {TColor(RGB(0, 0, 0)), SysColor(COLOR_WINDOW), 0.5, TColor(RGB(128, 128, 128))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.a << " " << c.b << " " << c.ratio);
        EXPECT_EQ(BlendTwoColors(c.a, c.b, c.ratio), c.expected);
    }
}

TEST(ShiftHue, Table) {
    const TColor red = TColor(RGB(255, 0, 0));
    struct Case {
        int delta;
        TColor color, expected;
    } cases[] = {
        {120, red, TColor(RGB(0, 255, 0))},
        {60, red, TColor(RGB(255, 255, 0))},
        {-120, red, TColor(RGB(0, 0, 255))},
        {360, red, red},
        {480, red, TColor(RGB(0, 255, 0))},
        // H' = 359: sector 5, f = 59/60, q = 255*(1 - f) = 4.25 -> 4
        {-1, red, TColor(RGB(255, 0, 4))},
        // V 200, S 0.75, H 20; H' 50: sector 0, u = 200*(1 - (1/6)*0.75) = 175, p = 50
        {30, TColor(RGB(200, 100, 50)), TColor(RGB(200, 175, 50))},
        // G is the maximum: H = 120 + 60*50/150 = 140; H' 240: sector 4, (u, p, V)
        {100, TColor(RGB(50, 200, 100)), TColor(RGB(50, 50, 200))},
        // B is the maximum: H = 240; H' 260: u = 255*(1/3) = 85
        {20, TColor(RGB(0, 0, 255)), TColor(RGB(85, 0, 255))},
        // H = 60*1/120 = 0.5: round(0.5) = 0 (even) and round(1.5) = 2, u = 120*2/60 = 4
        {0, TColor(RGB(120, 1, 0)), TColor(RGB(120, 0, 0))},
        {1, TColor(RGB(120, 1, 0)), TColor(RGB(120, 4, 0))},
        // Greys and black have no hue and come back as they were, system colours included.
        {77, TColor(RGB(128, 128, 128)), TColor(RGB(128, 128, 128))},
        {77, 0, 0},
        {77, SysColor(COLOR_GRAYTEXT), SysColor(COLOR_GRAYTEXT)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.delta << " " << std::hex << c.color);
        EXPECT_EQ(ShiftHue(c.delta, c.color), c.expected);
    }
}

TEST(ShiftSaturation, Table) {
    const TColor red = TColor(RGB(255, 0, 0));
    struct Case {
        TColor color;
        int amount;
        TColor expected;
    } cases[] = {
        {red, 0, red},
        {SysColor(COLOR_HIGHLIGHT), 0, SysColor(COLOR_HIGHLIGHT)},
        // avg 85: full grey at 100
        {red, 100, TColor(RGB(85, 85, 85))},
        // 255 - 85 = 170; 0 + 42.5 -> 42 (even)
        {red, 50, TColor(RGB(170, 42, 42))},
        // away from grey, clamped: 255 + 170 -> 255, 0 - 85 -> 0
        {red, -100, red},
        // avg 70/3: 10 - 6.67 -> 3, 20 - 1.67 -> 18, 40 + 8.33 -> 48
        {TColor(RGB(10, 20, 40)), -50, TColor(RGB(3, 18, 48))},
        // avg 3: 1 + 1 = 2, 2 + 0.5 -> 2, 6 - 1.5 = 4.5 -> 4
        {TColor(RGB(1, 2, 6)), 50, TColor(RGB(2, 2, 4))},
        // a system colour is resolved: (10, 36, 106), avg 152/3, amount 100 -> 50.67 -> 51
        {SysColor(COLOR_HIGHLIGHT), 100, TColor(RGB(51, 51, 51))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.color << std::dec << " " << c.amount);
        EXPECT_EQ(ShiftSaturation(c.color, c.amount), c.expected);
    }
}

TEST(Grayscale, AverageByIntegerDivisionAndKeyedVariant) {
    const COLORREF magenta = RGB(255, 0, 255), highlight = GetSysColor(COLOR_HIGHLIGHT);
    const std::vector<COLORREF> pixels = {RGB(10, 20, 31), RGB(255, 255, 255), magenta,
                                          RGB(1, 1, 0),    highlight,          RGB(0, 0, 2)};
    // 61/3 = 20, 765/3 = 255, 510/3 = 170, 2/3 = 0, 152/3 = 50, 2/3 = 0
    const std::vector<COLORREF> greyed = {Grey(20), Grey(255), Grey(170),
                                          Grey(0),  Grey(50),  Grey(0)};
    Bitmap all = MakeBitmap(3, 2, pixels);
    GrayscaleBitmap(all);
    ExpectPixels(all, greyed);

    Bitmap keyed = MakeBitmap(3, 2, pixels);
    GrayscaleBitmapKeyed(keyed, KeyColor);
    std::vector<COLORREF> expected = greyed;
    expected[2] = magenta;
    ExpectPixels(keyed, expected);

    Bitmap noKey = MakeBitmap(3, 2, pixels);
    GrayscaleBitmapKeyed(noKey, clNone);
    ExpectPixels(noKey, greyed);

    Bitmap sysKey = MakeBitmap(3, 2, pixels);
    GrayscaleBitmapKeyed(sysKey, SysColor(COLOR_HIGHLIGHT));
    expected = greyed;
    expected[4] = highlight;
    ExpectPixels(sysKey, expected);
}
