// Block transfers, raster operations, format conversion, stretching and gradient fills.
#include <gtest/gtest.h>

#include "platform/GdiTestUtil.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);

// A colour that names its pixel, so a copied pixel shows where it came from.
constexpr COLORREF Coded(int x, int y) { return RGB(BYTE(x * 30 + 5), BYTE(y * 40 + 7), 0x99); }

void FillCoded(Bitmap& b) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, Coded(x, y));
}

// Every pixel of `b`: `want(x, y)` gives its expected colour.
template <typename F>
void ExpectEach(const Bitmap& b, F want) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            EXPECT_EQ(b.GetPixel(x, y), want(x, y)) << "pixel " << x << "," << y;
}

// A one-row memory context holding the given colours.
struct Row {
    explicit Row(std::vector<COLORREF> colors) : t(int(colors.size()), 1) {
        for (size_t i = 0; i < colors.size(); ++i) t.pixels().SetPixel(int(i), 0, colors[i]);
    }
    std::vector<COLORREF> Colors() {
        std::vector<COLORREF> out;
        for (int x = 0; x < t.pixels().Width(); ++x) out.push_back(t.pixels().GetPixel(x, 0));
        return out;
    }
    TestDC t;
};

constexpr COLORREF A = RGB(10, 0, 0), B = RGB(20, 0, 0), C = RGB(30, 0, 0), D = RGB(40, 0, 0),
                   E = RGB(50, 0, 0), F = RGB(60, 0, 0), G = RGB(70, 0, 0), W = kWhite;
} // namespace

TEST(GdiBlt, BitBltGoesThroughBothContextsTransforms) {
    TestDC src(4, 3);
    FillCoded(src.pixels());
    SetWindowOrgEx(src.dc, 1, 0, nullptr); // source device = logical - (1, 0)
    TestDC dst(6, 5);
    SetViewportOrgEx(dst.dc, 2, 1, nullptr); // destination device = logical + (2, 1)
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 3, 2, src.dc, 2, 1, SRCCOPY));
    // Destination (2 + i, 1 + j) takes source (1 + i, 1 + j).
    ExpectEach(dst.pixels(), [](int x, int y) {
        return x >= 2 && x < 5 && y >= 1 && y < 3 ? Coded(x - 1, y) : kWhite;
    });
}

TEST(GdiBlt, SourceOutsideItsSurfaceLeavesTheDestination) {
    TestDC src(4, 3);
    FillCoded(src.pixels());
    TestDC dst(5, 4);
    // Source columns 2..5 and rows 1..3: only columns 2, 3 and rows 1, 2 exist.
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 4, 3, src.dc, 2, 1, SRCCOPY));
    ExpectEach(dst.pixels(),
               [](int x, int y) { return x < 2 && y < 2 ? Coded(x + 2, y + 1) : kWhite; });
    // Negative source positions as well.
    TestDC other(5, 4);
    EXPECT_TRUE(BitBlt(other.dc, 1, 1, 3, 3, src.dc, -1, -2, SRCCOPY));
    ExpectEach(other.pixels(), [](int x, int y) {
        // Destination (x, y) takes source (x - 2, y - 3).
        return x >= 2 && x < 4 && y == 3 ? Coded(x - 2, y - 3) : kWhite;
    });
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 0, 2, src.dc, 0, 0, SRCCOPY)); // nothing to do
}

TEST(GdiBlt, TernaryRasterOperations) {
    // Pattern byte 0xF0, source 0xCC, destination 0xAA: the result byte of every operation is
    // its truth table. On 32-bit surfaces the alpha bytes are source 0xCC, destination 0xAA
    // and pattern 0.
    struct Case {
        const char* name;
        DWORD rop;
        uint8_t color;
        uint8_t alpha;
    } cases[] = {
        {"SRCCOPY", SRCCOPY, 0xCC, 0xCC},
        {"SRCPAINT", SRCPAINT, 0xEE, 0xEE},
        {"SRCAND", SRCAND, 0x88, 0x88},
        {"SRCINVERT", SRCINVERT, 0x66, 0x66},
        {"NOTSRCCOPY", NOTSRCCOPY, 0x33, 0x33},
        {"PATCOPY", PATCOPY, 0xF0, 0x00},
        {"PATINVERT", PATINVERT, 0x5A, 0xAA},
        {"DSTINVERT", DSTINVERT, 0x55, 0x55},
        {"BLACKNESS", BLACKNESS, 0x00, 0x00},
        {"WHITENESS", WHITENESS, 0xFF, 0xFF},
        {"MERGECOPY (P and S)", 0x00C000CA, 0xC0, 0x00},
        {"MERGEPAINT (not S or D)", 0x00BB0226, 0xBB, 0xBB},
    };
    for (const Case& c : cases)
        for (int bits : {24, 32}) {
            SCOPED_TRACE(testing::Message() << c.name << ", " << bits << " bits");
            TestDC src(2, 2, RGB(0xCC, 0xCC, 0xCC), bits);
            TestDC dst(3, 2, RGB(0xAA, 0xAA, 0xAA), bits);
            if (bits == 32)
                for (int y = 0; y < 2; ++y) {
                    for (int x = 0; x < 2; ++x) src.pixels().ScanLine(y)[x * 4 + 3] = 0xCC;
                    for (int x = 0; x < 3; ++x) dst.pixels().ScanLine(y)[x * 4 + 3] = 0xAA;
                }
            HBRUSH brush = CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0));
            SelectObject(dst.dc, brush);
            EXPECT_TRUE(BitBlt(dst.dc, 1, 0, 2, 2, src.dc, 0, 0, c.rop));
            for (int y = 0; y < 2; ++y) {
                EXPECT_EQ(dst.pixels().GetPixel(0, y), RGB(0xAA, 0xAA, 0xAA));
                for (int x = 1; x < 3; ++x) {
                    EXPECT_EQ(dst.pixels().GetPixel(x, y), RGB(c.color, c.color, c.color));
                    if (bits == 32) {
                        EXPECT_EQ(dst.Alpha(x, y), c.alpha);
                    }
                }
            }
            SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
            DeleteObject(brush);
        }
}

TEST(GdiBlt, PatBlt) {
    TestDC t(6, 2, RGB(0xAA, 0xAA, 0xAA));
    HBRUSH brush = CreateSolidBrush(RGB(0xF0, 0x0F, 0x00));
    SelectObject(t.dc, brush);
    // A negative width reaches left from x: columns [1, 3).
    EXPECT_TRUE(PatBlt(t.dc, 3, 0, -2, 1, PATCOPY));
    EXPECT_TRUE(PatBlt(t.dc, 3, 1, 2, 1, PATINVERT));
    EXPECT_FALSE(PatBlt(t.dc, 0, 0, 6, 2, SRCCOPY)); // needs a source
    SelectObject(t.dc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(t.dc, 0, 0, 6, 2, PATCOPY));   // a hollow pattern paints nothing
    EXPECT_TRUE(PatBlt(t.dc, 5, 0, 1, 1, DSTINVERT)); // needs no pattern
    const COLORREF grey = RGB(0xAA, 0xAA, 0xAA), brushed = RGB(0xF0, 0x0F, 0x00);
    ExpectPicture(t.pixels(), {"gbbggi", "gggxxg"},
                  {{'g', grey},
                   {'b', brushed},
                   {'i', RGB(0x55, 0x55, 0x55)},
                   {'x', RGB(0xAA ^ 0xF0, 0xAA ^ 0x0F, 0xAA)}});
    SelectObject(t.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(GdiBlt, OverlappingCopiesWithinOneSurface) {
    // Each shift copies the 5 x 5 block at (2, 2) to (2 + dx, 2 + dy) within one bitmap; the
    // result must be the block as it was before the copy, in every direction. The clip is cut
    // into several bands so the copy cannot rely on one rectangle's row order.
    for (auto [dx, dy] :
         {std::pair{1, 1}, {-1, -1}, {2, 0}, {-2, 0}, {0, 2}, {0, -2}, {1, -2}, {-2, 1}, {0, 0}}) {
        SCOPED_TRACE(testing::Message() << dx << "," << dy);
        TestDC t(9, 9);
        FillCoded(t.pixels());
        ExcludeClipRect(t.dc, 4, 4, 5, 5);
        EXPECT_TRUE(BitBlt(t.dc, 2 + dx, 2 + dy, 5, 5, t.dc, 2, 2, SRCCOPY));
        ExpectEach(t.pixels(), [&](int x, int y) {
            const bool inTarget = x >= 2 + dx && x < 7 + dx && y >= 2 + dy && y < 7 + dy;
            if (!inTarget || (x == 4 && y == 4)) return Coded(x, y);
            return Coded(x - dx, y - dy);
        });
    }
}

TEST(GdiBlt, OverlappingCopiesBetweenContextsOfOneSurface) {
    // A window context and its client context share the screen surface with different
    // origins; a copy from one to the other overlaps in the surface.
    auto screen = std::make_shared<Bitmap>(8, 6, 24);
    FillCoded(*screen);
    auto window = std::make_unique<DeviceContext>();
    window->kind = DCKind::Window;
    window->surface = screen;
    window->surfaceOrigin = POINT{1, 1};
    auto client = std::make_unique<DeviceContext>();
    client->kind = DCKind::Client;
    client->surface = screen;
    client->surfaceOrigin = POINT{2, 2};
    HDC w = AddDeviceContext(std::move(window)), c = AddDeviceContext(std::move(client));
    // Window (0, 0)-(4, 3) is screen (1, 1)-(5, 4); it lands at client (0, 0) = screen (2, 2).
    EXPECT_TRUE(BitBlt(c, 0, 0, 4, 3, w, 0, 0, SRCCOPY));
    ExpectEach(*screen, [](int x, int y) {
        return x >= 2 && x < 6 && y >= 2 && y < 5 ? Coded(x - 1, y - 1) : Coded(x, y);
    });
    RemoveDeviceContext(w);
    RemoveDeviceContext(c);
}

TEST(GdiBlt, FormatConversions) {
    // 32 -> 24 drops alpha; 24 -> 32 writes alpha 0; 32 -> 32 keeps it; operations other than
    // a copy treat the missing alpha as 0.
    TestDC src32(1, 1, RGB(3, 2, 1), 32);
    src32.pixels().ScanLine(0)[3] = 0x80;
    TestDC src24(1, 1, RGB(6, 5, 4));

    TestDC to24(1, 1);
    EXPECT_TRUE(BitBlt(to24.dc, 0, 0, 1, 1, src32.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(to24.pixels().GetPixel(0, 0), RGB(3, 2, 1));

    struct Case {
        HDC src;
        DWORD rop;
        COLORREF color;
        uint8_t alpha;
    } cases[] = {
        {src24.dc, SRCCOPY, RGB(6, 5, 4), 0x00},
        {src32.dc, SRCCOPY, RGB(3, 2, 1), 0x80},
        {src24.dc, SRCINVERT, RGB(6 ^ 0x10, 5 ^ 0x20, 4 ^ 0x30), 0x77},
        {src32.dc, SRCPAINT, RGB(3 | 0x10, 2 | 0x20, 1 | 0x30), 0x80 | 0x77},
    };
    for (const Case& c : cases) {
        TestDC to32(1, 1, RGB(0x10, 0x20, 0x30), 32);
        to32.pixels().ScanLine(0)[3] = 0x77;
        EXPECT_TRUE(BitBlt(to32.dc, 0, 0, 1, 1, c.src, 0, 0, c.rop));
        EXPECT_EQ(to32.pixels().GetPixel(0, 0), c.color);
        EXPECT_EQ(to32.Alpha(0, 0), c.alpha);
        // Stretching converts the same way.
        TestDC wide(3, 1, RGB(0x10, 0x20, 0x30), 32);
        for (int x = 0; x < 3; ++x) wide.pixels().ScanLine(0)[x * 4 + 3] = 0x77;
        EXPECT_TRUE(StretchBlt(wide.dc, 0, 0, 3, 1, c.src, 0, 0, 1, 1, c.rop));
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(wide.pixels().GetPixel(x, 0), c.color);
            EXPECT_EQ(wide.Alpha(x, 0), c.alpha);
        }
    }
}

TEST(GdiBlt, StretchBltMapsPixelCentres) {
    // Destination pixel i of n takes source pixel floor((2i + 1) * m / 2n) of m.
    struct Case {
        const char* name;
        std::vector<COLORREF> source;
        int x, width;       // destination
        int srcX, srcWidth; // source
        std::vector<COLORREF> result;
    } cases[] = {
        // 3 -> 7: floor((2i + 1) * 3 / 14) = 0 0 1 1 1 2 2.
        {"grow", {A, B, C}, 0, 7, 0, 3, {A, A, B, B, B, C, C}},
        // 7 -> 3: floor((2i + 1) * 7 / 6) = 1 3 5.
        {"shrink", {A, B, C, D, E, F, G}, 0, 3, 0, 7, {B, D, F, W, W, W, W}},
        // A negative size reaches left from x: destination [0, 3), mirrored.
        {"mirrored destination", {A, B, C}, 3, -3, 0, 3, {C, B, A}},
        {"mirrored source", {A, B, C}, 0, 3, 3, -3, {C, B, A}},
        {"both negative", {A, B, C}, 3, -3, 3, -3, {A, B, C}},
        // Source columns 1..4 of a 3-pixel row; 6 -> 4 maps to 0 1 1 2 3 3, so destination
        // pixels 3, 4, 5 would read columns 3 and 4, which do not exist: they stay.
        {"source partly outside", {A, B, C}, 0, 6, 1, 4, {B, C, C, W, W, W}},
        {"mirrored and grown", {A, B}, 0, 5, 2, -2, {B, B, A, A, A}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Row src(c.source);
        Row dst(std::vector<COLORREF>(c.result.size(), W));
        EXPECT_TRUE(
            StretchBlt(dst.t.dc, c.x, 0, c.width, 1, src.t.dc, c.srcX, 0, c.srcWidth, 1, SRCCOPY));
        EXPECT_EQ(dst.Colors(), c.result);
    }
    // Rows map the same way: 2 -> 5 gives 0 0 1 1 1.
    TestDC tall(1, 5);
    TestDC two(1, 2);
    two.pixels().SetPixel(0, 0, A);
    two.pixels().SetPixel(0, 1, B);
    EXPECT_TRUE(StretchBlt(tall.dc, 0, 0, 1, 5, two.dc, 0, 0, 1, 2, SRCCOPY));
    ExpectPicture(tall.pixels(), {"a", "a", "b", "b", "b"}, {{'a', A}, {'b', B}});
    // Vertical mirroring with a raster operation.
    TestDC flipped(1, 2, RGB(0, 0, 0xFF));
    EXPECT_TRUE(StretchBlt(flipped.dc, 0, 2, 1, -2, two.dc, 0, 0, 1, 2, SRCPAINT));
    ExpectPicture(flipped.pixels(), {"b", "a"}, {{'a', RGB(10, 0, 0xFF)}, {'b', RGB(20, 0, 0xFF)}});

    Row src({A, B});
    Row dst({W, W});
    EXPECT_FALSE(StretchBlt(dst.t.dc, 0, 0, 2, 1, src.t.dc, 0, 0, 0, 1, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.t.dc, 0, 0, 0, 1, src.t.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(dst.Colors(), (std::vector<COLORREF>{W, W}));
}

TEST(GdiBlt, StretchWithinOneSurfaceReadsTheOriginal) {
    // Growing the first two pixels over four in place: 2 -> 4 maps to 0 0 1 1, so pixel 2
    // must take the original B even though pixel 1 was written before it.
    Row row({A, B, C, D});
    EXPECT_TRUE(StretchBlt(row.t.dc, 0, 0, 4, 1, row.t.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(row.Colors(), (std::vector<COLORREF>{A, A, B, B}));
    Row mirror({A, B, C, D});
    EXPECT_TRUE(StretchBlt(mirror.t.dc, 4, 0, -4, 1, mirror.t.dc, 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(mirror.Colors(), (std::vector<COLORREF>{D, C, B, A}));
}

TEST(GdiBlt, GradientFillThroughTheOriginAndTheClip) {
    // A horizontal rectangle gradient over logical (0,0)-(4,4), red from 0 to 0x4000: at the
    // centre of logical column x, red16 = 0x4000 * (x + 0.5) / 4, which is 16x + 8 in 8 bits.
    // Device = logical + (2, 1); the clip keeps logical (0,0)-(3,3).
    TestDC t(8, 6);
    SetViewportOrgEx(t.dc, 2, 1, nullptr);
    IntersectClipRect(t.dc, 0, 0, 3, 3);
    const TRIVERTEX v[2] = {{0, 0, 0x0000, 0, 0, 0}, {4, 4, 0x4000, 0, 0, 0}};
    const GRADIENT_RECT rect{0, 1};
    EXPECT_TRUE(GradientFill(t.dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    ExpectEach(t.pixels(), [](int x, int y) {
        const int lx = x - 2, ly = y - 1;
        return lx >= 0 && lx < 3 && ly >= 0 && ly < 3 ? RGB(BYTE(16 * lx + 8), 0, 0) : kWhite;
    });

    // Vertical: green by row, the same numbers.
    TestDC down(3, 4);
    const TRIVERTEX w[2] = {{0, 0, 0, 0x0000, 0, 0}, {3, 4, 0, 0x4000, 0, 0}};
    EXPECT_TRUE(GradientFill(down.dc, w, 2, &rect, 1, GRADIENT_FILL_RECT_V));
    ExpectEach(down.pixels(), [](int, int y) { return RGB(0, BYTE(16 * y + 8), 0); });
}

TEST(GdiBlt, GradientTrianglesThroughTheOriginAndAComplexClip) {
    // Two triangles of one colour tile logical (0,0)-(5,4); the window origin moves them by
    // (-1, -1) and the clip leaves a hole at device (1,1)-(3,2).
    TestDC t(7, 5);
    SetWindowOrgEx(t.dc, -1, -1, nullptr);
    ExcludeClipRect(t.dc, 0, 0, 2, 1); // logical; device (1,1)-(3,2)
    const TRIVERTEX v[4] = {{0, 0, 0x8000, 0x4000, 0x2000, 0},
                            {5, 0, 0x8000, 0x4000, 0x2000, 0},
                            {5, 4, 0x8000, 0x4000, 0x2000, 0},
                            {0, 4, 0x8000, 0x4000, 0x2000, 0}};
    const GRADIENT_TRIANGLE mesh[2] = {{0, 1, 2}, {0, 2, 3}};
    EXPECT_TRUE(GradientFill(t.dc, v, 4, mesh, 2, GRADIENT_FILL_TRIANGLE));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {".......",
                   "...ooo.",
                   ".ooooo.",
                   ".ooooo.",
                   ".ooooo."},
                  // clang-format on
                  {{'.', kWhite}, {'o', RGB(0x80, 0x40, 0x20)}});

    // A bad mesh fails whether or not anything would be drawn.
    const GRADIENT_TRIANGLE bad{0, 1, 7};
    EXPECT_FALSE(GradientFill(t.dc, v, 4, &bad, 1, GRADIENT_FILL_TRIANGLE));
    IntersectClipRect(t.dc, 100, 100, 101, 101);
    EXPECT_FALSE(GradientFill(t.dc, v, 4, &bad, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_TRUE(GradientFill(t.dc, v, 4, mesh, 2, GRADIENT_FILL_TRIANGLE));
    const GRADIENT_RECT badRect{0, 4};
    EXPECT_FALSE(GradientFill(t.dc, v, 4, &badRect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(t.dc, v, 4, mesh, 2, 7));
}

TEST(GdiBlt, DrawBitmapScaledBlendsByThePicturesAlphaInsideTheClip) {
    // Two source pixels, opaque red and blue at alpha 128, stretched to four destination pixels
    // 1..4 (floor((2i + 1) * 2 / 8) = 0 0 1 1); the clip stops at 4 and the origin is moved.
    Bitmap picture(2, 1, 32, true);
    const uint8_t bytes[] = {0, 0, 255, 255, 255, 0, 0, 128};
    std::memcpy(picture.ScanLine(0), bytes, sizeof bytes);
    TestDC t(6, 1, kWhite, 32);
    SetViewportOrgEx(t.dc, 2, 0, nullptr);
    IntersectClipRect(t.dc, -2, 0, 2, 1);
    EXPECT_TRUE(DrawBitmapScaled(t.dc, picture, Rect(-1, 0, 3, 1)));
    // Blue over white: (255 * 128 + 255 * 127 + 127) / 255 = 255, the others
    // (0 * 128 + 255 * 127 + 127) / 255 = 127.
    const COLORREF red = RGB(255, 0, 0), blend = RGB(127, 127, 255);
    const std::vector<COLORREF> expected{kWhite, red, red, blend, kWhite, kWhite};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(t.dc, x - 2, 0), expected[size_t(x)]) << x;
    EXPECT_EQ(t.Alpha(3, 0), 255);
    EXPECT_EQ(t.Alpha(4, 0), t.Alpha(0, 0));

    EXPECT_FALSE(DrawBitmapScaled(t.dc, Bitmap(), Rect(0, 0, 2, 1)));
    EXPECT_FALSE(DrawBitmapScaled(t.dc, picture, Rect(0, 0, 0, 1)));
}
