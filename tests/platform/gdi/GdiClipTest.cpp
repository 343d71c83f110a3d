// The logical-to-device transform, clip regions, and the visible region of window contexts.
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "platform/GdiTestUtil.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

HBRUSH Stock(int index) { return static_cast<HBRUSH>(GetStockObject(index)); }

// The clip region as a Region, or none.
std::optional<Region> ClipOf(HDC dc) {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    std::optional<Region> clip;
    if (GetClipRgn(dc, r) == 1) clip = *RegionOf(r);
    DeleteObject(r);
    return clip;
}

Region Rects(std::initializer_list<RECT> rects) {
    Region r;
    for (const RECT& rect : rects) r.Combine(r, Region(rect), RGN_OR);
    return r;
}
} // namespace

TEST(GdiClip, WindowAndViewportOriginsMoveDrawing) {
    TestDC t(8, 5);
    POINT old;
    EXPECT_TRUE(SetWindowOrgEx(t.dc, 2, 1, &old));
    EXPECT_EQ(old, (POINT{0, 0}));
    EXPECT_TRUE(SetViewportOrgEx(t.dc, 3, 2, nullptr));
    // device = logical - (2, 1) + (3, 2) = logical + (1, 1)
    RECT r{0, 0, 3, 2};
    FillRect(t.dc, &r, Stock(BLACK_BRUSH));
    // Offsets accumulate: now device = logical + (1, 1) - (1, 0) + (0, 1) = logical + (0, 2)
    OffsetWindowOrgEx(t.dc, 1, 0, nullptr);
    OffsetViewportOrgEx(t.dc, 0, 1, &old);
    EXPECT_EQ(old, (POINT{3, 2}));
    RECT s{6, 0, 8, 3};
    FillRect(t.dc, &s, Stock(GRAY_BRUSH));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"........",
                   ".###....",
                   ".###..gg",
                   "......gg",
                   "......gg"},
                  // clang-format on
                  {{'.', kWhite}, {'#', kBlack}, {'g', RGB(128, 128, 128)}});
}

TEST(GdiClip, ClipRectanglesWithOriginsAndSavedStates) {
    TestDC t(10, 6);
    HBRUSH red = CreateSolidBrush(kRed), blue = CreateSolidBrush(kBlue);
    SetViewportOrgEx(t.dc, 1, 0, nullptr); // device = logical + (1, 0)
    const int level = SaveDC(t.dc);
    EXPECT_EQ(IntersectClipRect(t.dc, 0, 1, 7, 5), SIMPLEREGION); // device (1, 1, 8, 5)
    EXPECT_EQ(ExcludeClipRect(t.dc, 2, 2, 4, 4), COMPLEXREGION);  // device (3, 2, 5, 4)
    // The clip region stays where it was put when the origin moves afterwards.
    SetViewportOrgEx(t.dc, 0, 0, nullptr);
    RECT box;
    EXPECT_EQ(GetClipBox(t.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{1, 1, 8, 5}));
    RECT all{-100, -100, 100, 100};
    FillRect(t.dc, &all, red);
    EXPECT_TRUE(RestoreDC(t.dc, level)); // no clip again, viewport back at (1, 0)
    RECT corner{0, 5, 2, 6};             // device (1, 5, 3, 6)
    FillRect(t.dc, &corner, blue);
    ExpectPicture(
        t.pixels(),
        // clang-format off
                  {"..........",
                   ".RRRRRRR..",
                   ".RR..RRR..",
                   ".RR..RRR..",
                   ".RRRRRRR..",
                   ".BB......."},
        // clang-format on
        {{'.', kWhite}, {'R', kRed}, {'B', kBlue}});
    DeleteObject(red);
    DeleteObject(blue);
}

TEST(GdiClip, ClipRectanglesStartFromTheWholeSurface) {
    TestDC t(6, 4);
    EXPECT_FALSE(ClipOf(t.dc).has_value());
    SetWindowOrgEx(t.dc, -1, 0, nullptr); // device = logical + (1, 0)
    EXPECT_EQ(ExcludeClipRect(t.dc, 0, 1, 2, 3), COMPLEXREGION);
    Region expected;
    expected.Combine(Region(RECT{0, 0, 6, 4}), Region(RECT{1, 1, 3, 3}), RGN_DIFF);
    EXPECT_EQ(ClipOf(t.dc), expected);
    RECT box;
    EXPECT_EQ(GetClipBox(t.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{-1, 0, 5, 4})); // logical
    EXPECT_FALSE(PtVisible(t.dc, 0, 1));
    EXPECT_TRUE(PtVisible(t.dc, -1, 1));
    const RECT hidden{0, 1, 2, 3}, partly{0, 1, 3, 3};
    EXPECT_FALSE(RectVisible(t.dc, &hidden));
    EXPECT_TRUE(RectVisible(t.dc, &partly));

    SetWindowOrgEx(t.dc, 0, 0, nullptr);
    SelectClipRgn(t.dc, nullptr);
    EXPECT_EQ(IntersectClipRect(t.dc, 4, 2, 9, 9), SIMPLEREGION);
    EXPECT_EQ(ClipOf(t.dc), Region(RECT{4, 2, 6, 4}));
    EXPECT_EQ(IntersectClipRect(t.dc, 0, 0, 1, 1), NULLREGION);
    EXPECT_EQ(GetClipBox(t.dc, &box), NULLREGION);
    EXPECT_EQ(box, (RECT{}));
}

TEST(GdiClip, SelectClipRgnTakesACopyInDeviceCoordinates) {
    TestDC t(5, 4);
    SetWindowOrgEx(t.dc, 5, 5, nullptr);
    HRGN region = CreateRectRgn(1, 1, 3, 2);
    EXPECT_EQ(SelectClipRgn(t.dc, region), SIMPLEREGION);
    OffsetRgn(region, 2, 2); // changing the handle afterwards changes nothing
    RECT box;
    EXPECT_EQ(GetClipBox(t.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{6, 6, 8, 7}));
    RECT all{0, 0, 20, 20};
    FillRect(t.dc, &all, Stock(BLACK_BRUSH));
    ExpectPicture(t.pixels(), {".....", ".##..", ".....", "....."}, {{'.', kWhite}, {'#', kBlack}});
    // Selecting a region handle with SelectObject does the same and reports the complexity.
    EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(t.dc, region)), SIMPLEREGION);
    EXPECT_EQ(ClipOf(t.dc), Region(RECT{3, 3, 5, 4}));
    EXPECT_EQ(SelectClipRgn(t.dc, nullptr), SIMPLEREGION);
    EXPECT_FALSE(ClipOf(t.dc).has_value());
    FillRect(t.dc, &all, Stock(GRAY_BRUSH));
    EXPECT_EQ(t.pixels().GetPixel(0, 0), RGB(128, 128, 128));
    DeleteObject(region);
}

TEST(GdiClip, ExtSelectClipRgnModes) {
    // Clip region A = (0,0)-(4,2), region B = (2,1)-(6,3), surface (0,0)-(8,4).
    const RECT a{0, 0, 4, 2}, b{2, 1, 6, 3};
    struct Case {
        int mode;
        Region fromA;       // with A selected first
        Region fromNothing; // with no clip region: the surface stands for it
    };
    const Region surface(RECT{0, 0, 8, 4});
    Region surfaceLessB, aXorB, aLessB;
    surfaceLessB.Combine(surface, Region(b), RGN_DIFF);
    aXorB = Rects({{0, 0, 4, 1}, {0, 1, 2, 2}, {4, 1, 6, 2}, {2, 2, 6, 3}});
    aLessB = Rects({{0, 0, 4, 1}, {0, 1, 2, 2}});
    const Case cases[] = {
        {RGN_AND, Region(RECT{2, 1, 4, 2}), Region(b)},
        {RGN_OR, Rects({a, b}), surface},
        {RGN_DIFF, aLessB, surfaceLessB},
        {RGN_XOR, aXorB, surfaceLessB},
        {RGN_COPY, Region(b), Region(b)},
    };
    HRGN ra = CreateRectRgnIndirect(&a), rb = CreateRectRgnIndirect(&b);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TestDC t(8, 4);
        EXPECT_NE(ExtSelectClipRgn(t.dc, rb, c.mode), RGN_ERROR);
        EXPECT_EQ(ClipOf(t.dc), c.fromNothing);
        SelectClipRgn(t.dc, ra);
        EXPECT_EQ(ExtSelectClipRgn(t.dc, rb, c.mode), c.fromA.Complexity());
        EXPECT_EQ(ClipOf(t.dc), c.fromA);
        EXPECT_EQ(ExtSelectClipRgn(t.dc, nullptr, c.mode),
                  c.mode == RGN_COPY ? SIMPLEREGION : RGN_ERROR);
    }
    TestDC t(8, 4);
    EXPECT_EQ(ExtSelectClipRgn(t.dc, ra, 99), RGN_ERROR);
    DeleteObject(ra);
    DeleteObject(rb);
}

TEST(GdiClip, OffsetClipRgnMovesTheClipRegion) {
    TestDC t(6, 3);
    IntersectClipRect(t.dc, 0, 0, 2, 1);
    EXPECT_EQ(OffsetClipRgn(t.dc, 3, 2), SIMPLEREGION);
    RECT all{0, 0, 6, 3};
    FillRect(t.dc, &all, Stock(BLACK_BRUSH));
    ExpectPicture(t.pixels(), {"......", "......", "...##."}, {{'.', kWhite}, {'#', kBlack}});
}

namespace {

// A window context on a shared 12 x 8 "screen": the window's device (0, 0) is screen pixel
// (2, 1); of its 7 x 5 area the part under another window, device (2, 1)-(5, 3), is not
// visible.
struct WindowDC {
    WindowDC() {
        screen = std::make_shared<Bitmap>(12, 8, 24);
        screen->Fill(kWhite);
        auto context = std::make_unique<DeviceContext>();
        context->kind = DCKind::Window;
        context->surface = screen;
        context->surfaceOrigin = POINT{2, 1};
        Region visible(RECT{0, 0, 7, 5});
        visible.Combine(visible, Region(RECT{2, 1, 5, 3}), RGN_DIFF);
        context->visible = visible;
        dc = AddDeviceContext(std::move(context));
    }
    ~WindowDC() { RemoveDeviceContext(dc); }
    // Whether screen pixel (x, y) is one this context may change.
    static bool Visible(int x, int y) {
        const int dx = x - 2, dy = y - 1;
        return dx >= 0 && dx < 7 && dy >= 0 && dy < 5 && !(dx >= 2 && dx < 5 && dy >= 1 && dy < 3);
    }

    std::shared_ptr<Bitmap> screen;
    HDC dc = nullptr;
};

} // namespace

TEST(GdiClip, WindowContextsNeverDrawPastTheirVisibleRegion) {
    const TRIVERTEX vertices[3] = {
        {-20, -20, 0xFF00, 0, 0, 0}, {40, -20, 0, 0xFF00, 0, 0}, {-20, 40, 0, 0, 0xFF00, 0}};
    const GRADIENT_TRIANGLE triangle{0, 1, 2};
    const POINT zigzag[4] = {{-3, -3}, {12, 8}, {-1, 6}, {9, -2}};
    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
    } cases[] = {
        {"FillRect",
         [](HDC dc) {
             RECT r{-9, -9, 30, 30};
             FillRect(dc, &r, Stock(BLACK_BRUSH));
         }},
        {"FrameRect",
         [](HDC dc) {
             RECT r{1, 0, 6, 4};
             FrameRect(dc, &r, Stock(BLACK_BRUSH));
         }},
        {"InvertRect",
         [](HDC dc) {
             RECT r{-9, -9, 30, 30};
             InvertRect(dc, &r);
         }},
        {"DrawFocusRect",
         [](HDC dc) {
             RECT r{1, 0, 6, 4};
             DrawFocusRect(dc, &r);
         }},
        {"PatBlt", [](HDC dc) { PatBlt(dc, -9, -9, 40, 40, BLACKNESS); }},
        {"Rectangle",
         [](HDC dc) {
             HPEN pen = CreatePen(PS_SOLID, 3, kRed);
             SelectObject(dc, pen);
             SelectObject(dc, Stock(BLACK_BRUSH));
             Rectangle(dc, -2, -2, 12, 9);
             SelectObject(dc, GetStockObject(BLACK_PEN));
             DeleteObject(pen);
         }},
        {"Ellipse",
         [](HDC dc) {
             SelectObject(dc, Stock(BLACK_BRUSH));
             Ellipse(dc, -3, -3, 11, 9);
         }},
        {"RoundRect",
         [](HDC dc) {
             SelectObject(dc, Stock(GRAY_BRUSH));
             RoundRect(dc, -1, -1, 9, 7, 4, 4);
         }},
        {"Lines",
         [&zigzag](HDC dc) {
             HPEN pen = CreatePen(PS_SOLID, 2, kRed);
             SelectObject(dc, pen);
             Polyline(dc, zigzag, 4);
             MoveToEx(dc, -5, 2, nullptr);
             LineTo(dc, 20, 3);
             SelectObject(dc, GetStockObject(BLACK_PEN));
             DeleteObject(pen);
         }},
        {"Polygon",
         [&zigzag](HDC dc) {
             SelectObject(dc, Stock(BLACK_BRUSH));
             Polygon(dc, zigzag, 4);
         }},
        {"SetPixel",
         [](HDC dc) {
             for (int y = -2; y < 10; ++y)
                 for (int x = -3; x < 12; ++x) SetPixel(dc, x, y, kBlue);
         }},
        {"BitBlt",
         [](HDC dc) {
             TestDC source(20, 20, kRed);
             BitBlt(dc, -4, -4, 20, 20, source.dc, 0, 0, SRCCOPY);
         }},
        {"BitBltWithinTheScreen",
         [](HDC dc) {
             SetPixel(dc, 0, 0, kBlack);
             BitBlt(dc, 1, 1, 10, 10, dc, 0, 0, SRCCOPY);
         }},
        {"StretchBlt",
         [](HDC dc) {
             TestDC source(2, 2, kRed);
             StretchBlt(dc, -4, -4, 30, 30, source.dc, 0, 0, 2, 2, NOTSRCCOPY);
         }},
        {"GradientFill",
         [&](HDC dc) { GradientFill(dc, vertices, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE); }},
        {"FillRgn",
         [](HDC dc) {
             HRGN r = CreateRectRgn(-5, -5, 20, 20);
             FillRgn(dc, r, Stock(BLACK_BRUSH));
             DeleteObject(r);
         }},
        {"DrawIconEx",
         [](HDC dc) {
             DrawIconEx(dc, -2, -2, ProgramIcon(16), 12, 9, 0, Stock(BLACK_BRUSH), DI_NORMAL);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowDC window;
        c.draw(window.dc);
        int changedInside = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool changed = window.screen->GetPixel(x, y) != kWhite;
                if (WindowDC::Visible(x, y))
                    changedInside += changed;
                else
                    EXPECT_FALSE(changed) << "screen pixel " << x << "," << y;
            }
        EXPECT_GT(changedInside, 0);
    }
}

TEST(GdiClip, WindowContextClipBoxAndPixels) {
    WindowDC window;
    RECT box;
    EXPECT_EQ(GetClipBox(window.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 7, 5}));
    SetWindowOrgEx(window.dc, 10, 10, nullptr);
    EXPECT_EQ(GetClipBox(window.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{10, 10, 17, 15}));
    EXPECT_EQ(SetPixel(window.dc, 12, 11, kRed), CLR_INVALID); // covered
    EXPECT_EQ(SetPixel(window.dc, 11, 11, kRed), kRed);
    EXPECT_EQ(window.screen->GetPixel(3, 2), kRed);
    // GetPixel reads the surface, whatever covers it.
    window.screen->SetPixel(4, 2, kBlue);
    EXPECT_EQ(GetPixel(window.dc, 12, 11), kBlue);
    EXPECT_EQ(GetPixel(window.dc, 0, 0), CLR_INVALID); // off the screen
    // A clip region narrows the visible region further.
    IntersectClipRect(window.dc, 10, 10, 12, 15);
    EXPECT_EQ(GetClipBox(window.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 10, 12, 15}));
}
