// Objects, handles, selection and the saved-state stack of device contexts.
#include <cstring>
#include <gtest/gtest.h>

#include "platform/GdiTestUtil.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FillRoundRect.h"
#include "platform/gdi/Gdi.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
} // namespace

TEST(GdiObjects, StockObjectsAreNeverDeleted) {
    for (int index : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH,
                      WHITE_PEN, BLACK_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
        SCOPED_TRACE(index);
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr);
        EXPECT_FALSE(DeleteObject(stock));
        EXPECT_NE(GetObjectType(stock), 0);
        EXPECT_EQ(GetStockObject(index), stock);
    }
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_FALSE(DeleteObject(face));
    LOGBRUSH log;
    ASSERT_EQ(GetObject(face, sizeof log, &log), int(sizeof log));
    EXPECT_EQ(log.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(DeleteObject(DefaultBitmap()));
    EXPECT_EQ(GetStockObject(9), nullptr); // an index we do not provide
}

TEST(GdiObjects, DeletedHandlesAreNotFoundAndNeverReused) {
    HBRUSH brush = CreateSolidBrush(kRed);
    ASSERT_EQ(GetObjectType(brush), OBJ_BRUSH);
    const size_t live = GdiObjectCount();
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GdiObjectCount(), live - 1);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0);
    LOGBRUSH log;
    EXPECT_EQ(GetObject(brush, sizeof log, &log), 0);
    HBRUSH next = CreateSolidBrush(kRed);
    EXPECT_NE(next, brush);
    // Handles of different kinds share one counter, so a context is never taken for a brush.
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
    EXPECT_FALSE(DeleteObject(dc));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(next));
}

TEST(GdiObjects, ObjectDescriptions) {
    HPEN pen = CreatePen(PS_DOT, 3, RGB(1, 2, 3));
    LOGPEN lp;
    EXPECT_EQ(GetObject(pen, 0, nullptr), int(sizeof lp)); // the size asked for
    EXPECT_EQ(GetObject(pen, 1, &lp), 0);                  // too small
    ASSERT_EQ(GetObject(pen, sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_DOT));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));

    HBITMAP bmp = CreateDIBSection(5, 3, 32);
    BITMAP info;
    ASSERT_EQ(GetObject(bmp, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidthBytes, 20);
    EXPECT_EQ(info.bmBits, BitmapOf(bmp)->Bits());

    EXPECT_EQ(CreateDIBSection(0, 3, 24), nullptr);
    EXPECT_EQ(CreateDIBSection(3, 3, 16), nullptr);
    EXPECT_EQ(CreateDIBSection(Bitmap::kMaxSide + 1, 1, 24), nullptr);
    LOGBRUSH hatched{2, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&hatched), nullptr);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(bmp));
}

TEST(GdiObjects, NewContextDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), DefaultBitmap());
    EXPECT_EQ(GetTextColor(dc), kBlack);
    EXPECT_EQ(GetBkColor(dc), kWhite);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    const LOGFONT font = DCOf(dc)->SelectedFont();
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.lfHeight, 16);
    // Without a bitmap there is nothing to draw on, and nothing breaks.
    RECT r{0, 0, 5, 5};
    EXPECT_EQ(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
    EXPECT_TRUE(Rectangle(dc, 0, 0, 4, 4));
    EXPECT_EQ(SetPixel(dc, 0, 0, kRed), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiObjects, SelectObjectReturnsThePreviousObjectOfItsKind) {
    TestDC t(4, 4);
    HBRUSH red = CreateSolidBrush(kRed), blue = CreateSolidBrush(kBlue);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    LOGFONT lf{};
    lf.lfHeight = -20;
    HFONT font = CreateFontIndirect(&lf);
    EXPECT_EQ(SelectObject(t.dc, red), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(t.dc, blue), red);
    EXPECT_EQ(SelectObject(t.dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(t.dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(t.dc, OBJ_BRUSH), blue);
    EXPECT_EQ(DCOf(t.dc)->SelectedFont().lfHeight, -20);
    EXPECT_EQ(SelectObject(t.dc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(nullptr, red), nullptr);
    SelectObject(t.dc, GetStockObject(WHITE_BRUSH));
    SelectObject(t.dc, GetStockObject(BLACK_PEN));
    SelectObject(t.dc, GetStockObject(SYSTEM_FONT));
    for (HGDIOBJ o : {HGDIOBJ(red), HGDIOBJ(blue), HGDIOBJ(pen), HGDIOBJ(font)})
        EXPECT_TRUE(DeleteObject(o));
}

TEST(GdiObjects, SelectedBitmapIsNotDeletedAndLivesInOneContextAtATime) {
    HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(3, 3, 24);
    HGDIOBJ oldA = SelectObject(a, bmp);
    EXPECT_EQ(oldA, DefaultBitmap());
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_EQ(SelectObject(b, bmp), nullptr); // already in a
    EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), DefaultBitmap());
    EXPECT_EQ(SelectObject(a, bmp), bmp); // selecting it again where it is changes nothing
    // The default bitmap goes into any number of contexts and frees what it replaces.
    EXPECT_EQ(SelectObject(a, oldA), bmp);
    EXPECT_EQ(SelectObject(b, bmp), DefaultBitmap());
    // Deleting the context frees its bitmap too.
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_EQ(SelectObject(a, bmp), DefaultBitmap());
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_TRUE(DeleteObject(bmp));
}

TEST(GdiObjects, DeletedSelectedBrushPenAndFontFallBackToTheDefaults) {
    // Win32 lets a selected brush, pen or font be deleted; drawing afterwards must not follow
    // the dead handle. It draws with the defaults of a new context instead.
    TestDC t(5, 4, kBlue);
    HBRUSH brush = CreateSolidBrush(kRed);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    LOGFONT lf{};
    lf.lfHeight = -30;
    HFONT font = CreateFontIndirect(&lf);
    SelectObject(t.dc, brush);
    SelectObject(t.dc, pen);
    SelectObject(t.dc, font);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(Rectangle(t.dc, 0, 0, 4, 4));
    ExpectPicture(t.pixels(),
                  // clang-format off
                  {"####B",
                   "#..#B",
                   "#..#B",
                   "####B"},
                  // clang-format on
                  {{'#', kBlack}, {'.', kWhite}, {'B', kBlue}});
    EXPECT_EQ(DCOf(t.dc)->SelectedFont().lfHeight, 16);
    // FillRect with the dead brush fails and paints nothing.
    RECT all{0, 0, 5, 4};
    EXPECT_EQ(FillRect(t.dc, &all, brush), 0);
    EXPECT_EQ(t.pixels().GetPixel(1, 1), kWhite);
}

TEST(GdiObjects, SaveAndRestoreBringBackTheWholeState) {
    TestDC t(4, 4);
    HBRUSH brush = CreateSolidBrush(kRed);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);

    EXPECT_EQ(SaveDC(t.dc), 1);
    SelectObject(t.dc, brush);
    SelectObject(t.dc, pen);
    SetTextColor(t.dc, kRed);
    SetBkColor(t.dc, kBlue);
    SetBkMode(t.dc, TRANSPARENT);
    SetROP2(t.dc, R2_XORPEN);
    SetWindowOrgEx(t.dc, 3, 4, nullptr);
    SetViewportOrgEx(t.dc, -1, -2, nullptr);
    MoveToEx(t.dc, 7, 8, nullptr);
    IntersectClipRect(t.dc, 3, 4, 5, 6);
    EXPECT_EQ(SaveDC(t.dc), 2);
    SetTextColor(t.dc, kWhite);
    SelectObject(t.dc, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(SaveDC(t.dc), 3);
    SetTextColor(t.dc, kBlack);

    EXPECT_TRUE(RestoreDC(t.dc, -1)); // the latest: level 3
    EXPECT_EQ(GetTextColor(t.dc), kWhite);
    EXPECT_TRUE(RestoreDC(t.dc, 1)); // drops level 2 as well
    EXPECT_FALSE(RestoreDC(t.dc, 1));
    EXPECT_FALSE(RestoreDC(t.dc, -1));
    EXPECT_EQ(GetCurrentObject(t.dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(t.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetTextColor(t.dc), kBlack);
    EXPECT_EQ(GetBkColor(t.dc), kWhite);
    EXPECT_EQ(GetBkMode(t.dc), OPAQUE);
    EXPECT_EQ(GetROP2(t.dc), R2_COPYPEN);
    POINT p;
    GetWindowOrgEx(t.dc, &p);
    EXPECT_EQ(p, (POINT{0, 0}));
    GetViewportOrgEx(t.dc, &p);
    EXPECT_EQ(p, (POINT{0, 0}));
    MoveToEx(t.dc, 0, 0, &p);
    EXPECT_EQ(p, (POINT{0, 0}));
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(t.dc, clip), 0);
    EXPECT_TRUE(DeleteObject(clip));

    EXPECT_FALSE(RestoreDC(t.dc, 0));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(pen));
}

TEST(GdiObjects, RestoreSelectsTheSavedBitmapAgain) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP first = CreateDIBSection(2, 2, 24), second = CreateDIBSection(2, 2, 24);
    HGDIOBJ old = SelectObject(dc, first);
    const int level = SaveDC(dc);
    SelectObject(dc, second);
    EXPECT_TRUE(DeleteObject(first)); // only the current bitmap counts as selected
    // The saved bitmap is gone, so restoring leaves the context with the default bitmap (and
    // frees second) rather than with a surface nobody owns.
    EXPECT_TRUE(RestoreDC(dc, level));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), DefaultBitmap());
    EXPECT_TRUE(DeleteObject(second));

    HBITMAP third = CreateDIBSection(2, 2, 24), fourth = CreateDIBSection(2, 2, 24);
    SelectObject(dc, third);
    SaveDC(dc);
    SelectObject(dc, fourth);
    EXPECT_FALSE(DeleteObject(fourth));
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), third);
    EXPECT_FALSE(DeleteObject(third));
    EXPECT_TRUE(DeleteObject(fourth));
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(third));
}

TEST(GdiObjects, CallsWithADeadContextFailQuietly) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(dc));
    RECT r{0, 0, 2, 2};
    POINT pt{};
    EXPECT_EQ(SaveDC(dc), 0);
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_BRUSH)), nullptr);
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(SetROP2(dc, R2_XORPEN), 0);
    EXPECT_FALSE(SetWindowOrgEx(dc, 1, 1, &pt));
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 1, 1), RGN_ERROR);
    EXPECT_EQ(GetClipBox(dc, &r), RGN_ERROR);
    EXPECT_EQ(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_FALSE(LineTo(dc, 3, 3));
    EXPECT_FALSE(Rectangle(dc, 0, 0, 2, 2));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 2, 2, dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(PatBlt(dc, 0, 0, 2, 2, PATCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(WindowFromDC(dc), nullptr);
}

TEST(GdiObjects, RegionHandles) {
    HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6),
         out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetRgnBox(out, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{2, 2, 4, 4}));
    EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(out, 3, 3));
    EXPECT_TRUE(PtInRegion(out, 5, 5));
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(out, a));
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_OR), RGN_ERROR);
    EXPECT_EQ(OffsetRgn(out, 10, 0), SIMPLEREGION);
    const RECT probe{10, 0, 11, 1};
    EXPECT_TRUE(RectInRegion(out, &probe));

    const RECT parts[] = {{0, 0, 2, 1}, {1, 0, 3, 1}, {0, 1, 3, 2}};
    HRGN joined = CreateRegionFromRects(parts, 3);
    HRGN whole = CreateRectRgn(0, 0, 3, 2);
    EXPECT_TRUE(EqualRgn(joined, whole));

    // A round-rect region holds exactly the pixels a round-rect fill paints.
    HRGN round = CreateRoundRectRgn(1, 1, 9, 7, 5, 4);
    Bitmap fill(10, 8, 24);
    FillRoundRect(fill, RECT{1, 1, 9, 7}, 5, 4, kRed);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(PtInRegion(round, x, y), fill.GetPixel(x, y) == kRed) << x << "," << y;
    for (HRGN r : {a, b, out, joined, whole, round}) EXPECT_TRUE(DeleteObject(r));
}
