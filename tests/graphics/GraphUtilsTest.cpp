// The painting core's helpers that draw through a device context.
#include <gtest/gtest.h>

#include "graphics/sGraphUtils.h"
#include "platform/GdiTestUtil.h"
#include "platform/gdi/Gdi.h"

namespace {
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(250, 240, 230);
constexpr COLORREF kDark = RGB(20, 30, 40);

constexpr COLORREF Coded(int x, int y) { return RGB(BYTE(x * 20 + 3), BYTE(y * 20 + 5), 0x77); }
} // namespace

TEST(GraphUtils, FillDCRectFillsAndLeavesTheContextAsItWas) {
    TestDC t(5, 3, kGrey);
    HBRUSH mine = CreateSolidBrush(kDark);
    SelectObject(t.dc, mine);
    SetViewportOrgEx(t.dc, 1, 0, nullptr);
    const size_t objects = GdiObjectCount();
    FillDCRect(t.dc, RECT{0, 1, 2, 3}, SysColor(COLOR_BTNFACE));
    FillDCRect(t.dc, RECT{3, 0, 4, 1}, RGB(1, 2, 3));
    EXPECT_EQ(GdiObjectCount(), objects); // the brushes were deleted
    ExpectPicture(t.pixels(), {"....p", ".ff..", ".ff.."},
                  {{'.', kGrey}, {'f', GetSysColor(COLOR_BTNFACE)}, {'p', RGB(1, 2, 3)}});
    EXPECT_EQ(GetCurrentObject(t.dc, OBJ_BRUSH), mine);
    POINT origin;
    GetViewportOrgEx(t.dc, &origin);
    EXPECT_EQ(origin, (POINT{1, 0}));
    EXPECT_EQ(SaveDC(t.dc), 1); // nothing left on the saved-state stack
    RestoreDC(t.dc, -1);

    // "No colour" paints nothing; a dead context paints nothing and leaks nothing.
    FillDCRect(t.dc, RECT{0, 0, 5, 3}, clNone);
    EXPECT_EQ(t.pixels().GetPixel(0, 0), kGrey);
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    FillDCRect(dead, RECT{0, 0, 5, 3}, RGB(1, 2, 3));
    EXPECT_EQ(GdiObjectCount(), objects);
    SelectObject(t.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(mine);
}

TEST(GraphUtils, DottedFramePixels) {
    // Rect (2,2)-(9,7): width 7, height 5. Top and bottom: i = 0..2, x = 2, 5, 8: black at
    // (x, 2) and (x, 7), white at (x-1, 1) and (x-1, 6). Sides: j = 0..1, y = 2, 5: black at
    // (2, y) and (9, y), white at (1, y-1) and (8, y-1).
    TestDC t(12, 9, kGrey);
    DrawDottedFrame(t.dc, RECT{2, 2, 9, 7});
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"............",
                   ".W..W..WW...",
                   "..B..B..BB..",
                   "............",
                   ".W......W...",
                   "..B......B..",
                   ".W..W..W....",
                   "..B..B..B...",
                   "............"},
                  // clang-format on
                  {{'.', kGrey}, {'B', kBlack}, {'W', kWhite}});

    // A frame reaching past the surface is clipped pixel by pixel. Rect (-1,-1)-(2,1):
    // i = 0..1 gives black (-1,-1), (2,-1), (-1,1), (2,1) and white (-2,-2), (1,-2), (-2,0),
    // (1,0); j = 0 gives black (-1,-1), (2,-1) and white (-2,-2), (1,-2).
    TestDC small(3, 2, kGrey);
    DrawDottedFrame(small.dc, RECT{-1, -1, 2, 1});
    ExpectPicture(small.pixels(), {".W.", "..B"}, {{'.', kGrey}, {'B', kBlack}, {'W', kWhite}});
}

TEST(GraphUtils, Draw3DBorderNestsFramesAndShrinksTheRect) {
    // Rect (1,1)-(7,6), two frames. Frame 1: light on column 1 rows 1..4 and row 1 columns
    // 1..5; dark on column 6 rows 1..5 and row 5 columns 1..6. Frame 2 on (2,2)-(6,5): light
    // column 2 rows 2..3, row 2 columns 2..4; dark column 5 rows 2..4, row 4 columns 2..5.
    TestDC t(8, 7, kGrey);
    const HGDIOBJ pen = GetCurrentObject(t.dc, OBJ_PEN);
    const size_t objects = GdiObjectCount();
    RECT r{1, 1, 7, 6};
    int width = 2;
    Draw3DBorder(t.dc, r, kLight, width, kDark);
    ExpectPicture(
        t.pixels(),
        // clang-format off
                  {"........",
                   ".LLLLLD.",
                   ".LLLLDD.",
                   ".LL..DD.",
                   ".LDDDDD.",
                   ".DDDDDD.",
                   "........"},
        // clang-format on
        {{'.', kGrey}, {'L', kLight}, {'D', kDark}});
    EXPECT_EQ(r, (RECT{3, 3, 5, 4}));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(GetCurrentObject(t.dc, OBJ_PEN), pen);
    EXPECT_EQ(GdiObjectCount(), objects);
}

TEST(GraphUtils, Draw3DBorderEdgeCases) {
    // System colours are resolved. A one-pixel-wide rectangle comes out all dark: its right
    // column is its left column, and the dark polyline, drawn second, covers all of it.
    TestDC t(3, 4, kGrey);
    RECT thin{1, 0, 2, 3};
    int one = 1;
    Draw3DBorder(t.dc, thin, SysColor(COLOR_BTNHIGHLIGHT), one, SysColor(COLOR_BTNSHADOW));
    ExpectPicture(t.pixels(), {".D.", ".D.", ".D.", "..."},
                  {{'.', kGrey}, {'D', GetSysColor(COLOR_BTNSHADOW)}});
    EXPECT_EQ(thin, (RECT{2, 1, 1, 2}));

    // More frames than fit: the rect still shrinks by the full width, but nothing is drawn
    // outside the original rectangle.
    TestDC u(6, 6, kGrey);
    RECT r{1, 1, 5, 5};
    int many = 5;
    Draw3DBorder(u.dc, r, kLight, many, kDark);
    EXPECT_EQ(r, (RECT{6, 6, 0, 0}));
    EXPECT_EQ(many, 0);
    ExpectPicture(u.pixels(),
                  // clang-format off
                  {"......",
                   ".LLLD.",
                   ".LLDD.",
                   ".LDDD.",
                   ".DDDD.",
                   "......"},
                  // clang-format on
                  {{'.', kGrey}, {'L', kLight}, {'D', kDark}});

    RECT same{0, 0, 3, 3};
    int negative = -2;
    Draw3DBorder(u.dc, same, kLight, negative, kDark);
    EXPECT_EQ(same, (RECT{0, 0, 3, 3}));
    EXPECT_EQ(negative, 0);
    EXPECT_EQ(u.pixels().GetPixel(0, 0), kGrey);
}

TEST(GraphUtils, CopyFrameEdgesPlacesTheRightAndBottomStripsFromTheOrigin) {
    // x = 2, y = 1, t = 1, source (1, 2), h = 4, w = 5:
    //   left   1 x 4 from (1, 2) to (2, 1)
    //   top    5 x 1 from (2, 2) to (3, 1)
    //   right  1 x 4 from (5, 3) to (4, 2)   -- x is w - t, not x + w - t = 6
    //   bottom 4 x 4 from (2, 5) to (3, 3)   -- y is h - t, not y + h - t = 4
    // in that order, so the bottom strip covers the right one where they meet.
    TestDC src(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) src.pixels().SetPixel(x, y, Coded(x, y));
    TestDC dst(10, 8);
    CopyFrameEdges(dst.dc, 2, 1, 1, 1, 2, src.dc, 4, 5);
    auto in = [](int x, int y, int left, int top, int width, int height) {
        return x >= left && x < left + width && y >= top && y < top + height;
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            COLORREF want = kWhite;
            if (in(x, y, 3, 3, 4, 4))
                want = Coded(x - 3 + 2, y - 3 + 5);
            else if (in(x, y, 4, 2, 1, 4))
                want = Coded(x - 4 + 5, y - 2 + 3);
            else if (in(x, y, 3, 1, 5, 1))
                want = Coded(x - 3 + 2, y - 1 + 2);
            else if (in(x, y, 2, 1, 1, 4))
                want = Coded(x - 2 + 1, y - 1 + 2);
            EXPECT_EQ(dst.pixels().GetPixel(x, y), want) << x << "," << y;
        }
}
