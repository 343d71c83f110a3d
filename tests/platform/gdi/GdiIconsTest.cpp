// Icons: creation and lifetime, alpha blending, scaling, and the built-in pictures.
#include <gtest/gtest.h>

#include "platform/GdiTestUtil.h"
#include "platform/gdi/Gdi.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);

// A 32-bit picture from colours and alphas, row by row.
Bitmap Picture(int width, int height, const std::vector<COLORREF>& colors,
               const std::vector<uint8_t>& alphas) {
    Bitmap b(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y * width + x);
            b.SetPixel(x, y, colors[i]);
            b.ScanLine(y)[x * 4 + 3] = alphas[i];
        }
    return b;
}

uint8_t AlphaOf(const Bitmap& b, int x, int y) { return b.ScanLine(y)[x * 4 + 3]; }
} // namespace

TEST(GdiIcons, BlendingFollowsTheFormulaForEveryColourAndAlpha) {
    // Icon pixel (x, y): blue x, green 255 - x, red x ^ 0x5A, alpha y. Each channel must come
    // out as (s*a + d*(255 - a) + 127) / 255; a 32-bit destination's alpha as
    // (255*a + dA*(255 - a) + 127) / 255.
    Bitmap picture(256, 256, 32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            uint8_t* p = picture.ScanLine(y) + x * 4;
            p[0] = uint8_t(x);
            p[1] = uint8_t(255 - x);
            p[2] = uint8_t(x ^ 0x5A);
            p[3] = uint8_t(y);
        }
    HICON icon = CreateIconFromBitmap(picture);
    ASSERT_NE(icon, nullptr);
    for (int d : {0, 1, 127, 128, 254, 255}) {
        SCOPED_TRACE(d);
        TestDC t(256, 256, RGB(d, d, d), 32);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) t.pixels().ScanLine(y)[x * 4 + 3] = 0x40;
        EXPECT_TRUE(DrawIconEx(t.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
        int wrong = 0;
        for (int a = 0; a < 256; ++a)
            for (int s = 0; s < 256; ++s) {
                const uint8_t* p = t.pixels().ScanLine(a) + s * 4;
                const int source[3] = {s, 255 - s, s ^ 0x5A};
                for (int k = 0; k < 3; ++k)
                    if (p[k] != (source[k] * a + d * (255 - a) + 127) / 255 && wrong++ < 5)
                        ADD_FAILURE() << "s " << source[k] << " a " << a << " -> " << int(p[k]);
                if (p[3] != (255 * a + 0x40 * (255 - a) + 127) / 255 && wrong++ < 5)
                    ADD_FAILURE() << "alpha for a " << a << " -> " << int(p[3]);
            }
        EXPECT_EQ(wrong, 0);
    }
    EXPECT_TRUE(DestroyIcon(icon));
}

TEST(GdiIcons, BlendingOnATwentyFourBitSurface) {
    // (200*128 + 100*127 + 127) / 255 = 38427 / 255 = 150; (255*64 + 127) / 255 = 64;
    // alpha 0 keeps the destination, alpha 255 gives the source.
    const Bitmap picture =
        Picture(2, 2, {RGB(200, 200, 200), RGB(255, 0, 0), kRed, RGB(7, 8, 9)}, {128, 64, 0, 255});
    HICON icon = CreateIconFromBitmap(picture);
    TestDC t(2, 2, RGB(100, 100, 100));
    EXPECT_TRUE(DrawIcon(t.dc, 0, 0, icon));
    EXPECT_EQ(t.pixels().GetPixel(0, 0), RGB(150, 150, 150));
    // Red: (255*64 + 100*191 + 127) / 255 = 35547 / 255 = 139; others (100*191 + 127) / 255 = 75.
    EXPECT_EQ(t.pixels().GetPixel(1, 0), RGB(139, 75, 75));
    EXPECT_EQ(t.pixels().GetPixel(0, 1), RGB(100, 100, 100));
    EXPECT_EQ(t.pixels().GetPixel(1, 1), RGB(7, 8, 9));
    DestroyIcon(icon);
}

TEST(GdiIcons, ScalingTakesThePixelUnderEachCentre) {
    constexpr COLORREF A = RGB(10, 0, 0), B = RGB(20, 0, 0), C = RGB(30, 0, 0), D = RGB(40, 0, 0);
    HICON small = CreateIconFromBitmap(Picture(2, 2, {A, B, C, D}, {255, 255, 255, 255}));
    TestDC big(5, 4);
    EXPECT_TRUE(DrawIconEx(big.dc, 0, 0, small, 4, 4, 0, nullptr, DI_NORMAL));
    const std::map<char, COLORREF> legend = {{'a', A}, {'b', B}, {'c', C}, {'d', D}, {'.', kWhite}};
    ExpectPicture(big.pixels(), {"aabb.", "aabb.", "ccdd.", "ccdd."}, legend);

    // 4 -> 2 takes source pixels floor((2i + 1) * 4 / 4) = 1 and 3.
    std::vector<COLORREF> colors(16, kRed);
    colors[1 * 4 + 1] = A;
    colors[1 * 4 + 3] = B;
    colors[3 * 4 + 1] = C;
    colors[3 * 4 + 3] = D;
    HICON large = CreateIconFromBitmap(Picture(4, 4, colors, std::vector<uint8_t>(16, 255)));
    TestDC shrunk(2, 2);
    EXPECT_TRUE(DrawIconEx(shrunk.dc, 0, 0, large, 2, 2, 0, nullptr, DI_NORMAL));
    ExpectPicture(shrunk.pixels(), {"ab", "cd"}, legend);
    EXPECT_FALSE(DrawIconEx(shrunk.dc, 0, 0, large, -2, 2, 0, nullptr, DI_NORMAL));
    DestroyIcon(small);
    DestroyIcon(large);
}

TEST(GdiIcons, DrawingGoesThroughTheOriginAndTheClip) {
    HICON icon =
        CreateIconFromBitmap(Picture(2, 2, {kRed, kRed, kRed, kRed}, {255, 255, 255, 255}));
    TestDC t(5, 4);
    SetViewportOrgEx(t.dc, 1, 1, nullptr);
    ExcludeClipRect(t.dc, 1, 1, 2, 2); // device (2, 2)
    EXPECT_TRUE(DrawIconEx(t.dc, 0, 0, icon, 3, 2, 0, nullptr, DI_NORMAL));
    ExpectPicture(t.pixels(), {".....", ".rrr.", ".r.r.", "....."}, {{'.', kWhite}, {'r', kRed}});
    DestroyIcon(icon);
}

TEST(GdiIcons, ImageMaskAndFlickerBrush) {
    const Bitmap picture = Picture(3, 1, {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)}, {0, 128, 255});
    HICON icon = CreateIconFromBitmap(picture);
    // DI_IMAGE: the colours without their alpha.
    TestDC image(3, 1, RGB(100, 100, 100));
    EXPECT_TRUE(DrawIconEx(image.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_IMAGE));
    ExpectPicture(image.pixels(), {"abc"},
                  {{'a', RGB(1, 2, 3)}, {'b', RGB(4, 5, 6)}, {'c', RGB(7, 8, 9)}});
    // DI_MASK: black wherever the icon is not fully transparent.
    TestDC mask(3, 1, RGB(100, 100, 100));
    EXPECT_TRUE(DrawIconEx(mask.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_MASK));
    ExpectPicture(mask.pixels(), {"g##"}, {{'g', RGB(100, 100, 100)}, {'#', kBlack}});
    // A flicker brush is laid under the icon first: (4*128 + 0*127 + 127) / 255 = 2,
    // (5*128 + 127) / 255 = 3, (6*128 + 127) / 255 = 3.
    TestDC flicker(4, 1, RGB(100, 100, 100));
    EXPECT_TRUE(DrawIconEx(flicker.dc, 0, 0, icon, 0, 0, 0,
                           static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), DI_NORMAL));
    ExpectPicture(
        flicker.pixels(), {"#bcg"},
        {{'#', kBlack}, {'b', RGB(2, 3, 3)}, {'c', RGB(7, 8, 9)}, {'g', RGB(100, 100, 100)}});
    EXPECT_FALSE(DrawIconEx(flicker.dc, 0, 0, icon, 0, 0, 0, nullptr, 0));
    DestroyIcon(icon);
}

TEST(GdiIcons, LifetimeOfIcons) {
    Bitmap picture = Picture(2, 1, {kRed, kRed}, {255, 255});
    HICON icon = CreateIconFromBitmap(picture);
    picture.SetPixel(0, 0, kBlack); // the icon holds its own copy
    HICON copy = CopyIcon(icon);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, icon);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    TestDC t(2, 1);
    EXPECT_FALSE(DrawIcon(t.dc, 0, 0, icon));
    EXPECT_TRUE(DrawIcon(t.dc, 0, 0, copy));
    EXPECT_EQ(t.pixels().GetPixel(0, 0), kRed);
    SIZE size;
    EXPECT_TRUE(GetIconSize(copy, &size));
    EXPECT_EQ(size, (SIZE{2, 1}));
    EXPECT_TRUE(DestroyIcon(copy));
    EXPECT_EQ(CreateIconFromBitmap(Bitmap()), nullptr);

    // A 24-bit picture makes an opaque icon.
    Bitmap plain(1, 1, 24);
    plain.SetPixel(0, 0, RGB(9, 9, 9));
    HICON opaque = CreateIconFromBitmap(plain);
    TestDC u(1, 1);
    EXPECT_TRUE(DrawIcon(u.dc, 0, 0, opaque));
    EXPECT_EQ(u.pixels().GetPixel(0, 0), RGB(9, 9, 9));
    DestroyIcon(opaque);
}

TEST(GdiIcons, ProgramIconIsABarChartOnATransparentSquare) {
    // Laid out on a 16-unit grid: bars at columns 3-5, 7-9 and 11-13 rising from the axis at
    // row 14 (tops at rows 8, 3 and 6), the vertical axis in column 1.
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        HICON icon = ProgramIcon(size);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(ProgramIcon(size), icon); // one shared icon per size
        EXPECT_FALSE(DestroyIcon(icon));
        SIZE s;
        ASSERT_TRUE(GetIconSize(icon, &s));
        EXPECT_EQ(s, (SIZE{size, size}));
        TestDC t(size, size, kWhite, 32);
        DrawIconEx(t.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_IMAGE);
        const int u = size / 16;
        auto colorAt = [&](int gx, int gy) { return t.pixels().GetPixel(gx * u, gy * u); };
        auto alphaAt = [&](int gx, int gy) { return AlphaOf(t.pixels(), gx * u, gy * u); };
        for (auto [gx, gy] :
             {std::pair{0, 0}, {15, 0}, {15, 15}, {0, 15}, {4, 4}, {12, 2}, {15, 8}})
            EXPECT_EQ(alphaAt(gx, gy), 0) << gx << "," << gy;
        const COLORREF bar1 = colorAt(4, 11), bar2 = colorAt(8, 9), bar3 = colorAt(12, 10);
        for (auto [gx, gy] : {std::pair{4, 11}, {8, 9}, {12, 10}, {1, 5}, {10, 14}})
            EXPECT_EQ(alphaAt(gx, gy), 255) << gx << "," << gy;
        EXPECT_NE(bar1, bar2);
        EXPECT_NE(bar2, bar3);
        EXPECT_NE(bar1, bar3);
        EXPECT_EQ(colorAt(1, 5), RGB(64, 64, 64));
        EXPECT_EQ(colorAt(10, 14), RGB(64, 64, 64));
        EXPECT_EQ(alphaAt(8, 2), 0);   // above the tallest bar
        EXPECT_EQ(alphaAt(8, 3), 255); // its top
    }
    EXPECT_EQ(ProgramIcon(0), nullptr);
}

TEST(GdiIcons, LoadIcon) {
    HICON app = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(LoadIcon(nullptr, IDI_APPLICATION), app);
    EXPECT_FALSE(DestroyIcon(app));
    SIZE s;
    ASSERT_TRUE(GetIconSize(app, &s));
    EXPECT_EQ(s, (SIZE{32, 32}));
    TestDC t(32, 32, kRed);
    DrawIcon(t.dc, 0, 0, app);
    EXPECT_EQ(t.pixels().GetPixel(0, 0), kRed);            // transparent corner
    EXPECT_EQ(t.pixels().GetPixel(10, 6), RGB(0, 0, 128)); // title bar
    EXPECT_EQ(t.pixels().GetPixel(10, 16), kWhite);        // window inside
    EXPECT_EQ(t.pixels().GetPixel(2, 16), kBlack);         // frame
    EXPECT_EQ(LoadIcon(nullptr, 12345), nullptr);
    int module = 0; // any module of the program: its one icon
    EXPECT_EQ(LoadIcon(&module, 1), ProgramIcon(32));
}
