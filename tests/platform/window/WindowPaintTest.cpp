#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "platform/window/WindowSystem.h"

namespace {

// Windows of this class fill their client area with the colour in GWL_USERDATA.
LRESULT SolidProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH b = CreateSolidBrush(COLORREF(GetWindowLongPtr(hwnd, GWL_USERDATA)));
        FillRect(dc, &r, b);
        DeleteObject(b);
        if (!wParam) EndPaint(hwnd, &ps);
        MessageLog().push_back({hwnd, msg, wParam, lParam});
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

class PaintTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        WNDCLASS wc;
        wc.lpszClassName = "Solid";
        wc.lpfnWndProc = SolidProc;
        RegisterClass(wc);
    }
    HWND Solid(DWORD style, int x, int y, int w, int h, HWND parent, COLORREF color) {
        HWND hwnd =
            CreateWindowEx(0, "Solid", "", style, x, y, w, h, parent, nullptr, nullptr, nullptr);
        SetWindowLongPtr(hwnd, GWL_USERDATA, LONG_PTR(color));
        if (!parent) Track(hwnd);
        return hwnd;
    }
};

} // namespace

TEST_F(PaintTest, ChildrenPaintOverTheirParentAndClipEachOther) {
    HWND top = Solid(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 20, 100, 80, nullptr, kRed);
    HWND under = Solid(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 40, 40, top, kBlue);
    HWND over = Solid(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 30, 30, 40, 40, top, kGreen);
    SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ProcessPendingMessages();
    const Bitmap screen = Screenshot();
    struct Probe {
        int x, y;
        COLORREF color;
    } probes[] = {
        {10 + 5, 20 + 5, kRed},     // parent only
        {10 + 15, 20 + 15, kBlue},  // the lower child
        {10 + 35, 20 + 35, kGreen}, // where the upper child covers the lower one
        {10 + 65, 20 + 65, kGreen},
        {10 + 99, 20 + 79, kRed},
        {10 + 100, 20 + 80, GetSysColor(COLOR_BACKGROUND)}, // outside: the desktop
    };
    for (const auto& p : probes) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(screen.GetPixel(p.x, p.y), p.color);
    }
    // The parent painted before its children.
    std::vector<HWND> paintOrder;
    for (const auto& m : MessageLog())
        if (m.msg == WM_PAINT) paintOrder.push_back(m.hwnd);
    ASSERT_EQ(paintOrder.size(), 3u);
    EXPECT_EQ(paintOrder[0], top);
    (void)under;
}

TEST_F(PaintTest, WindowRegionsClipPaintingAndHitTesting) {
    HWND top = Solid(WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, kBlue);
    SetWindowRgn(top, CreateRectRgn(10, 10, 30, 30), true);
    ProcessPendingMessages();
    const Bitmap screen = Screenshot();
    EXPECT_EQ(screen.GetPixel(15, 15), kBlue);
    EXPECT_EQ(screen.GetPixel(5, 5), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(WindowFromPoint(POINT{15, 15}), top);
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), nullptr);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(top, copy), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box, Rect(10, 10, 30, 30));
    DeleteObject(copy);
}

TEST_F(PaintTest, ColourKeyedLayeredWindowsAreSeeThroughAndClickThrough) {
    HWND below = Solid(WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, kGreen);
    HWND splash = CreateWindowEx(WS_EX_LAYERED, "Solid", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60,
                                 nullptr, nullptr, nullptr, nullptr);
    Track(splash);
    SetWindowLongPtr(splash, GWL_USERDATA, 0); // black: the key colour
    SetLayeredWindowAttributes(splash, 0, 255, LWA_COLORKEY);
    ProcessPendingMessages();
    EXPECT_EQ(Screenshot().GetPixel(30, 30), kGreen);
    EXPECT_EQ(WindowFromPoint(POINT{30, 30}), below);
}

TEST_F(PaintTest, SetRedrawOffSuppressesPaintingUntilTurnedOn) {
    HWND top = Solid(WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr, kRed);
    ProcessPendingMessages();
    SendMessage(top, WM_SETREDRAW, 0, 0);
    SetWindowLongPtr(top, GWL_USERDATA, LONG_PTR(kBlue));
    InvalidateRect(top, nullptr, true);
    ProcessPendingMessages();
    EXPECT_EQ(Screenshot().GetPixel(5, 5), kRed);
    SendMessage(top, WM_SETREDRAW, 1, 0);
    RedrawWindow(top, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(Screenshot().GetPixel(5, 5), kBlue);
}

TEST_F(PaintTest, PrintPaintsAWindowTreeIntoAMemoryContext) {
    HWND top = Solid(WS_POPUP | WS_VISIBLE, 0, 0, 30, 20, nullptr, kRed);
    Solid(WS_CHILD | WS_VISIBLE, 10, 5, 10, 10, top, kBlue);
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(30, 20, 24);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessage(top, WM_PRINT, WPARAM(mem),
                PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    const Bitmap* pixels = BitmapOf(bmp);
    EXPECT_EQ(pixels->GetPixel(2, 2), kRed);
    EXPECT_EQ(pixels->GetPixel(12, 7), kBlue);
    EXPECT_EQ(pixels->GetPixel(21, 7), kRed);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
}

TEST_F(PaintTest, UnskinnedTopLevelWindowGetsAClassicFrameAndCaption) {
    HWND top = Track(CreateWindowEx(0, "Recorder", "СТАТИСТИКА", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    50, 50, 240, 120, nullptr, nullptr, nullptr, nullptr));
    ProcessPendingMessages();
    const Bitmap shot = WindowShot(top);
    RECT client = ClientRectInWindow(top);
    EXPECT_EQ(client, Rect(4, 4 + 19, 236, 116));
    // Frame: light outer top-left edge, active caption colour at the caption's left end, the
    // button face of the client background.
    EXPECT_EQ(shot.GetPixel(0, 50), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(shot.GetPixel(239, 50), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(shot.GetPixel(30, client.top + 10), GetSysColor(COLOR_BTNFACE));
    int captionInk = 0;
    for (int x = 25; x < 150; ++x)
        for (int y = 6; y < 20; ++y) captionInk += shot.GetPixel(x, y) == RGB(255, 255, 255);
    EXPECT_GT(captionInk, 20) << "the caption text is drawn in white";
}
