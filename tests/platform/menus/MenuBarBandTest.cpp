// The menu bar's band is painted through the window's non-client paint: a window that paints
// its own frame keeps its colours in the band while the menu is in use.
#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysColors.h"
#include "platform/menus/Menu.h"

namespace {

constexpr COLORREF kFrame = RGB(160, 32, 48);
int g_regionPaints = 0;

// Paints the whole frame, band included, in one colour; the items are left to nobody.
LRESULT OwnFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCPAINT) {
        if (wParam > 1) ++g_regionPaints;
        HDC dc = GetWindowDC(hwnd);
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        HBRUSH brush = CreateSolidBrush(kFrame);
        const RECT whole{0, 0, wr.right - wr.left, wr.bottom - wr.top};
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd, dc);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class MenuBarBandTest : public WindowTest {};

TEST_F(MenuBarBandTest, AWindowPaintingItsOwnFrameKeepsItsBandWhileTheMenuIsTracked) {
    WNDCLASS wc;
    wc.lpszClassName = "OwnFrame";
    wc.lpfnWndProc = OwnFrameProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClass(wc);
    const HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 11, "Ашу");
    const HMENU bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, uintptr_t(file), "Файл");
    AppendMenu(bar, MF_STRING, 12, "Анықтама");
    const HWND hwnd = Track(CreateWindowEx(0, "OwnFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           100, 100, 400, 300, nullptr, nullptr, nullptr, nullptr));
    SetMenu(hwnd, bar);
    ProcessPendingMessages();
    g_regionPaints = 0;

    RECT item{};
    ASSERT_TRUE(GetMenuItemRect(hwnd, bar, 0, &item));
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    // The band's row through the item's middle, from the item's right edge to the frame's.
    const int y = (item.top + item.bottom) / 2;
    const auto bandStaysFrameColoured = [&] {
        const Bitmap shot = Screenshot();
        for (int x = item.right + 2; x < wr.right - 10; ++x)
            if ((shot.GetPixel(x, y) & 0xFFFFFF) != kFrame) return false;
        return true;
    };
    ASSERT_TRUE(bandStaysFrameColoured());

    // Opened with the mouse, then moved across the bar: each highlight change repaints.
    Click(POINT{(item.left + item.right) / 2, y});
    ASSERT_TRUE(IsMenuLoopActive());
    EXPECT_TRUE(bandStaysFrameColoured());
    RECT second{};
    ASSERT_TRUE(GetMenuItemRect(hwnd, bar, 1, &second));
    MouseMoveTo(POINT{(second.left + second.right) / 2, y});
    EXPECT_TRUE(bandStaysFrameColoured());
    EXPECT_GT(g_regionPaints, 0); // the band came through WM_NCPAINT with its region
    EndMenu();
    ProcessPendingMessages();
    EXPECT_TRUE(bandStaysFrameColoured());
    DestroyWindow(hwnd);
}

// The classic frame still draws the bar when the band alone is repainted.
TEST_F(MenuBarBandTest, TheClassicBandIsStillPaintedInTheMenuColour) {
    const HMENU bar = CreateMenu();
    AppendMenu(bar, MF_STRING, 12, "Анықтама");
    const HWND hwnd = Track(CreateWindowEx(0, "Recorder", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           100, 100, 400, 300, nullptr, nullptr, nullptr, nullptr));
    SetMenu(hwnd, bar);
    ProcessPendingMessages();
    RECT item{};
    ASSERT_TRUE(GetMenuItemRect(hwnd, bar, 0, &item));
    Click(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2 - 3});
    const Bitmap shot = Screenshot();
    EXPECT_EQ(shot.GetPixel(item.right + 20, (item.top + item.bottom) / 2) & 0xFFFFFF,
              GetSysColor(COLOR_MENU));
    EndMenu();
    DestroyWindow(hwnd);
}

} // namespace
