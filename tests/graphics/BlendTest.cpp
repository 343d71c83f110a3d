// Tints and blends of bitmaps: every formula is checked over all its byte inputs where that
// is cheap, and clipping on tiny bitmaps with every pixel compared.
#include <cmath>

#include "PixelTestUtil.h"
#include "graphics/sAlphaGraph.h"

namespace {

// A 256 x 256 bitmap whose pixel (x, y) has every channel = pick(x, y).
template <class Pick>
Bitmap ByteGrid(Pick pick, bool topDown = false) {
    Bitmap b(256, 256, 24, topDown);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) b.SetPixel(x, y, Grey(pick(x, y)));
    return b;
}

// Floor division by 256 written without a shift, so the test does not share the code's
// reading of >> on negative numbers.
int FloorDiv256(int v) { return int(std::floor(v / 256.0)); }
int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

} // namespace

TEST(TintRectToColor, EveryChannelValueForSeveralPercents) {
    const COLORREF color = RGB(10, 200, 255);
    for (int percent : {0, 1, 33, 50, 60, 99, 100}) {
        SCOPED_TRACE(percent);
        Bitmap b(256, 2, 24);
        for (int x = 0; x < 256; ++x) b.SetPixel(x, 0, Grey(x)), b.SetPixel(x, 1, Grey(x));
        TintRectToColor(b, RECT{0, 0, 255, 1}, percent, TColor(color));
        const double p = percent / 100.0;
        for (int x = 0; x < 256; ++x) {
            // c = round(P*c + (1-P)*Color.c), ties to even
            auto want = [&](int target) { return int(std::nearbyint(p * x + (1 - p) * target)); };
            const COLORREF expected = RGB(want(10), want(200), want(255));
            ASSERT_EQ(b.GetPixel(x, 0), expected) << "value " << x;
            ASSERT_EQ(b.GetPixel(x, 1), expected) << "value " << x;
        }
    }
}

TEST(TintRectToColor, EveryPercentOverARowWithUnevenEnds) {
    // Rows of 300 pixels tinted from column 5 to 290: long runs, a start and an end that fall
    // inside blocks of pixels, every byte value in each channel, all percents 0..100.
    auto value = [](int x, int c) { return (x * (2 * c + 1) + 40 * c) % 256; };
    for (COLORREF color : {RGB(0, 0, 0), RGB(17, 128, 255)}) {
        const int target[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
        for (int percent = 0; percent <= 100; ++percent) {
            SCOPED_TRACE(testing::Message() << "percent " << percent << " colour " << color);
            Bitmap b(300, 2, 24);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 300; ++x)
                    b.SetPixel(x, y, RGB(BYTE(value(x, 0)), BYTE(value(x, 1)), BYTE(value(x, 2))));
            TintRectToColor(b, RECT{5, 1, 290, 1}, percent, TColor(color));
            const double p = percent / 100.0;
            for (int x = 0; x < 300; ++x) {
                int want[3];
                for (int c = 0; c < 3; ++c)
                    want[c] = x < 5 || x > 290
                                  ? value(x, c)
                                  : int(std::nearbyint(p * value(x, c) + (1 - p) * target[c]));
                ASSERT_EQ(b.GetPixel(x, 1), RGB(BYTE(want[0]), BYTE(want[1]), BYTE(want[2])))
                    << "column " << x;
                ASSERT_EQ(b.GetPixel(x, 0),
                          RGB(BYTE(value(x, 0)), BYTE(value(x, 1)), BYTE(value(x, 2))));
            }
        }
    }
}

TEST(TintRectToColor, HalvesRoundToEven) {
    // 50% toward black: 1 -> 0.5 -> 0, 3 -> 1.5 -> 2, 5 -> 2.5 -> 2, 7 -> 3.5 -> 4.
    Bitmap b = MakeBitmap(4, 1, {Grey(1), Grey(3), Grey(5), Grey(7)});
    TintRectToColor(b, RECT{0, 0, 3, 0}, 50, 0);
    ExpectPixels(b, {Grey(0), Grey(2), Grey(2), Grey(4)});
}

TEST(TintRectToColor, InclusiveRectangleClippedToTheBitmap) {
    const COLORREF w = Grey(200), t = Grey(0);
    struct Case {
        RECT rect;
        std::vector<COLORREF> expected; // 3 x 2 bitmap after a 0% tint to black
    } cases[] = {
        {{0, 0, 3, 2}, {t, t, t, t, t, t}},   // right = width reaches the last column
        {{1, 1, 1, 1}, {w, w, w, w, t, w}},   // one pixel
        {{-5, -5, 0, 0}, {t, w, w, w, w, w}}, // negative start clipped
        {{2, 0, 99, 99}, {w, w, t, w, w, t}}, // far end clipped
        {{0, 1, 2, 0}, {w, w, w, w, w, w}},   // bottom above top: nothing
        {{2, 0, 1, 1}, {w, w, w, w, w, w}},   // right left of left: nothing
        {{5, 0, 9, 1}, {w, w, w, w, w, w}},   // entirely outside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top << "," << c.rect.right
                                        << "," << c.rect.bottom);
        Bitmap b = FilledBitmap(3, 2, w);
        TintRectToColor(b, c.rect, 0, TColor(t));
        ExpectPixels(b, c.expected);
    }
    // A system colour is resolved before the arithmetic.
    Bitmap b = FilledBitmap(2, 2, w);
    TintRectToColor(b, RECT{0, 0, 1, 1}, 0, SysColor(COLOR_BTNFACE));
    ExpectPixels(b, std::vector<COLORREF>(4, GetSysColor(COLOR_BTNFACE)));
}

TEST(BlendImages, EveryDestinationAndSourceByteForSeveralWeights) {
    for (int weight : {0, 1, 100, 127, 128, 254, 255}) {
        SCOPED_TRACE(weight);
        Bitmap dst = ByteGrid([](int, int y) { return y; });
        const Bitmap src = ByteGrid([](int x, int) { return x; }, true);
        BlendImagesWhole(dst, src, weight);
        for (int d = 0; d < 256; ++d)
            for (int s = 0; s < 256; ++s) {
                // d = (d*A + s*(255-A) + 127) >> 8
                const int want = (d * weight + s * (255 - weight) + 127) / 256;
                ASSERT_EQ(dst.GetPixel(s, d), Grey(want)) << "d " << d << " s " << s;
            }

        // Shifted by one pixel: rows of 765 bytes that start and end off any block boundary.
        Bitmap shifted = ByteGrid([](int, int y) { return y; });
        BlendImages(shifted, src, weight, POINT{1, 0}, RECT{0, 0, 255, 256});
        for (int d = 0; d < 256; ++d) {
            ASSERT_EQ(shifted.GetPixel(0, d), Grey(d));
            for (int x = 1; x < 256; ++x) {
                const int s = x - 1;
                const int want = (d * weight + s * (255 - weight) + 127) / 256;
                ASSERT_EQ(shifted.GetPixel(x, d), Grey(want)) << "d " << d << " s " << s;
            }
        }
    }
}

TEST(BlendImages, FullWeightDarkensWhiteAndIgnoresTheSource) {
    Bitmap dst = FilledBitmap(3, 2, Grey(255));
    const Bitmap src = MakeBitmap(3, 2, {RGB(1, 2, 3), RGB(90, 0, 0), 0, 0, RGB(0, 0, 255), 0});
    BlendImages(dst, src, 255, POINT{0, 0}, RECT{0, 0, 3, 2});
    ExpectPixels(dst, std::vector<COLORREF>(6, Grey(254)));
    // Weight 0 takes the source, which also loses a little: 255 -> (255*255 + 127) >> 8 = 254.
    Bitmap dst2 = FilledBitmap(2, 2, 0);
    BlendImagesWhole(dst2, FilledBitmap(2, 2, Grey(255)), 0);
    ExpectPixels(dst2, std::vector<COLORREF>(4, Grey(254)));
    // Weights outside 0..255 are held at the ends rather than wrapping.
    Bitmap dst3 = FilledBitmap(2, 2, Grey(255));
    BlendImagesWhole(dst3, FilledBitmap(2, 2, 0), 300);
    ExpectPixels(dst3, std::vector<COLORREF>(4, Grey(254)));
}

TEST(BlendImages, ClippingKeepsSourceAndDestinationInRegister) {
    // Source 3 x 3 with distinct greys; weight 0 so each covered destination pixel becomes
    // f(s) = (s*255 + 127) >> 8 of the source pixel lying over it.
    std::vector<COLORREF> srcPixels;
    for (int i = 0; i < 9; ++i) srcPixels.push_back(Grey(20 + 20 * i));
    const Bitmap src = MakeBitmap(3, 3, srcPixels, true);
    const COLORREF background = Grey(7);
    struct Case {
        POINT at;
        RECT srcRect;
    } cases[] = {
        {{0, 0}, {0, 0, 3, 3}},     {{1, 1}, {0, 0, 3, 3}},       {{-1, 0}, {0, 0, 3, 3}},
        {{0, -2}, {1, 0, 3, 3}},    {{0, 0}, {-1, -1, 2, 2}},     {{2, 1}, {-2, 0, 9, 9}},
        {{-1, -1}, {-1, -1, 3, 3}}, {{3, 0}, {0, 0, 3, 3}},       {{1, 0}, {1, 1, 1, 3}},
        {{0, 0}, {2, 2, 1, 1}},     {{-5, -5}, {-5, -5, 10, 10}}, {{2, 2}, {0, 0, 3, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "at " << c.at.x << "," << c.at.y << " src " << c.srcRect.left << ","
                     << c.srcRect.top << "," << c.srcRect.right << "," << c.srcRect.bottom);
        Bitmap dst = FilledBitmap(4, 3, background);
        BlendImages(dst, src, 0, c.at, c.srcRect);
        // Unclipped, source pixel (sx, sy) lands on (at + s - srcRect.topLeft); it is blended
        // when it lies inside srcRect, the source and the destination.
        std::vector<COLORREF> expected(12, background);
        for (int dy = 0; dy < 3; ++dy)
            for (int dx = 0; dx < 4; ++dx) {
                const int sx = dx - c.at.x + c.srcRect.left, sy = dy - c.at.y + c.srcRect.top;
                if (sx < std::max(0, int(c.srcRect.left)) ||
                    sx >= std::min(3, int(c.srcRect.right)) ||
                    sy < std::max(0, int(c.srcRect.top)) ||
                    sy >= std::min(3, int(c.srcRect.bottom)))
                    continue;
                const int s = 20 + 20 * (sy * 3 + sx);
                expected[size_t(dy * 4 + dx)] = Grey((s * 255 + 127) / 256);
            }
        ExpectPixels(dst, expected);
    }
}

TEST(BlendImages, OneBitmapOverlappingWalksFromTheEnd) {
    // Weight 128: d = (d*128 + s*127 + 127) >> 8. Bytes are walked from the right, so
    // moving right each pixel reads its left neighbour before that one changes...
    Bitmap b = MakeBitmap(
        4, 2, {Grey(200), Grey(100), Grey(50), Grey(10), Grey(200), Grey(100), Grey(50), Grey(10)});
    BlendImages(b, b, 128, POINT{1, 0}, RECT{0, 0, 3, 2});
    const int p3 = (10 * 128 + 50 * 127 + 127) >> 8;   // 30
    const int p2 = (50 * 128 + 100 * 127 + 127) >> 8;  // 75
    const int p1 = (100 * 128 + 200 * 127 + 127) >> 8; // 149
    ExpectPixels(
        b, {Grey(200), Grey(p1), Grey(p2), Grey(p3), Grey(200), Grey(p1), Grey(p2), Grey(p3)});

    // ... and moving left each pixel reads its right neighbour after that one has changed.
    Bitmap c = MakeBitmap(
        4, 2, {Grey(200), Grey(100), Grey(50), Grey(10), Grey(200), Grey(100), Grey(50), Grey(10)});
    BlendImages(c, c, 128, POINT{0, 0}, RECT{1, 0, 4, 2});
    const int q2 = (50 * 128 + 10 * 127 + 127) >> 8;  // 30
    const int q1 = (100 * 128 + q2 * 127 + 127) >> 8; // 65
    const int q0 = (200 * 128 + q1 * 127 + 127) >> 8; // 132
    ExpectPixels(c,
                 {Grey(q0), Grey(q1), Grey(q2), Grey(10), Grey(q0), Grey(q1), Grey(q2), Grey(10)});

    // Rows likewise go from the bottom: moving down, each row reads the unchanged row above.
    Bitmap v = MakeBitmap(2, 3, {Grey(200), Grey(200), Grey(100), Grey(100), Grey(10), Grey(10)});
    BlendImages(v, v, 128, POINT{0, 1}, RECT{0, 0, 2, 2});
    const int r2 = (10 * 128 + 100 * 127 + 127) >> 8;
    const int r1 = (100 * 128 + 200 * 127 + 127) >> 8;
    ExpectPixels(v, {Grey(200), Grey(200), Grey(r1), Grey(r1), Grey(r2), Grey(r2)});
}

TEST(BlendImages, UnusableBitmapsLeaveTheDestinationAlone) {
    const COLORREF g = Grey(90);
    Bitmap oneRow = FilledBitmap(4, 1, g);
    BlendImages(oneRow, FilledBitmap(4, 4, 0), 0, POINT{0, 0}, RECT{0, 0, 4, 4});
    ExpectPixels(oneRow, std::vector<COLORREF>(4, g));

    Bitmap dst = FilledBitmap(3, 3, g);
    BlendImages(dst, FilledBitmap(1, 3, 0), 0, POINT{0, 0}, RECT{0, 0, 1, 3});
    BlendImagesWhole(dst, FilledBitmap(3, 2, 0), 0); // sizes differ
    Bitmap src32(3, 3, 32);
    BlendImagesWhole(dst, src32, 0);
    ExpectPixels(dst, std::vector<COLORREF>(9, g));
}

TEST(BlendImageKeyed, RatioFormulaKeySkipAndTies) {
    const COLORREF key = RGB(255, 0, 255);
    // Ratio 0.5: d = round(s - 0.5*(s - d)): s 0, d 1 -> 0.5 -> 0; s 0, d 3 -> 1.5 -> 2;
    // s 2, d 5 -> 3.5 -> 4.
    const Bitmap src = MakeBitmap(2, 2, {RGB(0, 0, 2), key, RGB(100, 50, 0), RGB(255, 255, 255)});
    Bitmap dst = MakeBitmap(2, 2, {RGB(1, 3, 5), RGB(9, 9, 9), RGB(0, 0, 0), RGB(0, 0, 0)});
    BlendImageKeyed(dst, 0, 0, TColor(key), 0.5, RECT{0, 0, 1, 1}, src);
    ExpectPixels(dst, {RGB(0, 2, 4), RGB(9, 9, 9), RGB(50, 25, 0), RGB(128, 128, 128)});

    // A key of -1 blends magenta too. Source pixel (1, 0) is magenta, placed on the grey 9
    // with ratio 0.25: 255 - 0.25*(255 - 9) = 193.5 -> 194, 0 - 0.25*(0 - 9) = 2.25 -> 2.
    Bitmap dst2 = MakeBitmap(2, 2, {RGB(1, 3, 5), RGB(9, 9, 9), RGB(0, 0, 0), RGB(0, 0, 0)});
    BlendImageKeyed(dst2, 1, 0, clNone, 0.25, RECT{1, 0, 1, 0}, src);
    ExpectPixels(dst2, {RGB(1, 3, 5), RGB(194, 2, 194), 0, 0});
}

TEST(BlendImageKeyed, ClippingKeepsRegister) {
    const Bitmap src = MakeBitmap(2, 2, {Grey(10), Grey(20), Grey(30), Grey(40)});
    const COLORREF b = Grey(100);
    struct Case {
        int x, y;
        RECT rect;                      // inclusive
        std::vector<COLORREF> expected; // 3 x 2 destination after ratio 0 (source copied)
    } cases[] = {
        {0, 0, {0, 0, 1, 1}, {Grey(10), Grey(20), b, Grey(30), Grey(40), b}},
        {1, 0, {0, 0, 9, 9}, {b, Grey(10), Grey(20), b, Grey(30), Grey(40)}},
        // A rectangle starting at -1 keeps source pixel (0, 0) one place to the right.
        {0, 0, {-1, -1, 1, 1}, {b, b, b, b, Grey(10), Grey(20)}},
        {-1, 0, {0, 0, 1, 1}, {Grey(20), b, b, Grey(40), b, b}},
        {2, 1, {0, 0, 1, 1}, {b, b, b, b, b, Grey(10)}},
        {0, 0, {1, 1, 0, 0}, {b, b, b, b, b, b}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        Bitmap dst = FilledBitmap(3, 2, b);
        BlendImageKeyed(dst, c.x, c.y, clNone, 0.0, c.rect, src);
        ExpectPixels(dst, c.expected);
    }
}

TEST(BlendColorByMask, EveryPixelAndMaskValueForSeveralColours) {
    // Blue, green and red carry three different target channels at once.
    for (COLORREF color : {RGB(0, 255, 128), RGB(1, 254, 77), RGB(200, 13, 255)}) {
        SCOPED_TRACE(color);
        Bitmap b = ByteGrid([](int x, int) { return x; });          // p
        const Bitmap mask = ByteGrid([](int, int y) { return y; }); // m
        BlendColorByMask(b, mask, TColor(color));
        const int target[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
        for (int m = 0; m < 256; ++m)
            for (int p = 0; p < 256; ++p) {
                int got[3] = {GetRValue(b.GetPixel(p, m)), GetGValue(b.GetPixel(p, m)),
                              GetBValue(b.GetPixel(p, m))};
                for (int c = 0; c < 3; ++c) {
                    // p = clamp(floor((C*256 + m*(p - C)) / 256))
                    const int want = Clamp255(FloorDiv256(target[c] * 256 + m * (p - target[c])));
                    ASSERT_EQ(got[c], want) << "p " << p << " m " << m << " channel " << c;
                }
            }
    }
    // Mask 255 keeps (almost) the pixel, mask 0 gives the colour, by hand:
    // 200 toward 10: (10*256 + 255*190) >> 8 = 51010 >> 8 = 199; toward 100: 51100 >> 8 = 199;
    // 0 toward 200: (200*256 - 255*200) >> 8 = 200 >> 8 = 0.
    Bitmap one = MakeBitmap(2, 2, {Grey(200), Grey(200), Grey(0), Grey(0)});
    BlendColorByMask(one, MakeBitmap(2, 2, {Grey(255), Grey(0), Grey(255), Grey(0)}),
                     TColor(RGB(10, 100, 200)));
    ExpectPixels(one, {RGB(199, 199, 200), RGB(10, 100, 200), RGB(0, 0, 0), RGB(10, 100, 200)});
}

TEST(BlendColorByMask, MaskOfAnotherSizeDoesNothing) {
    Bitmap b = FilledBitmap(2, 2, Grey(50));
    BlendColorByMask(b, FilledBitmap(2, 3, 0), 0);
    ExpectPixels(b, std::vector<COLORREF>(4, Grey(50)));
}

TEST(CrossFade32, EveryPairForSeveralAlphasAndTheFourthByteKept) {
    for (int alpha : {0, 1, 128, 255, 256}) {
        SCOPED_TRACE(alpha);
        const Bitmap first = ByteGrid([](int x, int) { return x; });
        const Bitmap second = ByteGrid([](int, int y) { return y; }, true);
        Bitmap out(256, 256, 32);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) out.ScanLine(y)[x * 4 + 3] = 0x77;
        CrossFade32(out, first, second, alpha);
        for (int s = 0; s < 256; ++s)
            for (int f = 0; f < 256; ++f) {
                // out = clamp(floor((a*(f - s) + s*256) / 256))
                const int want = Clamp255(FloorDiv256(alpha * (f - s) + s * 256));
                ASSERT_EQ(out.GetPixel(f, s), Grey(want)) << "f " << f << " s " << s;
                ASSERT_EQ(out.ScanLine(s)[f * 4 + 3], 0x77);
            }
    }
}

TEST(CrossFade32, AlphaMapGivesEachChannelItsOwnWeight) {
    const Bitmap first = FilledBitmap(2, 2, RGB(200, 200, 200));
    const Bitmap second = FilledBitmap(2, 2, RGB(100, 100, 100));
    // Map channels (r, g, b) = (0, 128, 255): r stays 100; g (128*100 + 25600) >> 8 = 150;
    // b (255*100 + 25600) >> 8 = 199.
    const Bitmap map = MakeBitmap(2, 2, {RGB(0, 128, 255), RGB(255, 0, 128), 0, RGB(64, 64, 64)});
    Bitmap out(2, 2, 32);
    CrossFade32(out, first, second, 0, &map);
    ExpectPixels(out,
                 {RGB(100, 150, 199), RGB(199, 100, 150), RGB(100, 100, 100), RGB(125, 125, 125)});
}

TEST(CrossFade32, MismatchedInputsDoNothingAndSmallOutputIsClipped) {
    const Bitmap first = FilledBitmap(2, 2, RGB(200, 200, 200));
    Bitmap out(2, 2, 32);
    CrossFade32(out, first, FilledBitmap(2, 3, 0), 0);
    const Bitmap smallMap = FilledBitmap(1, 1, 0);
    CrossFade32(out, first, FilledBitmap(2, 2, 0), 0, &smallMap);
    Bitmap out24(2, 2, 24);
    CrossFade32(out24, first, FilledBitmap(2, 2, 0), 256);
    ExpectPixels(out, std::vector<COLORREF>(4, 0));
    ExpectPixels(out24, std::vector<COLORREF>(4, 0));

    Bitmap small(1, 2, 32);
    CrossFade32(small, first, FilledBitmap(2, 2, 0), 256);
    ExpectPixels(small, {RGB(200, 200, 200), RGB(200, 200, 200)});
}
