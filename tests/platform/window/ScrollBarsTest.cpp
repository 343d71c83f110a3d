#include "platform/window/ScrollBars.h"

#include <gtest/gtest.h>
#include <vector>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

namespace {

struct Request {
    UINT msg;
    int code;
    int pos;
};

std::vector<Request>& Requests() {
    static std::vector<Request> r;
    return r;
}
int g_ncPaints = 0;
int g_buttonUps = 0;
bool g_destroyOnFirstRequest = false;
bool g_hideBitsInCalcSize = false;

// A window that scrolls as applications do: it records each request and moves the position
// itself (a line is 1, a page is the page size, the thumb gives its position).
LRESULT HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_VSCROLL:
    case WM_HSCROLL: {
        Requests().push_back({msg, LOWORD(wParam), int(HIWORD(wParam))});
        if (g_destroyOnFirstRequest) {
            DestroyWindow(hwnd);
            return 0;
        }
        const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(hwnd, bar, &si);
        int pos = si.nPos;
        switch (LOWORD(wParam)) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= int(si.nPage); break;
        case SB_PAGEDOWN: pos += int(si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = HIWORD(wParam); break;
        default: return 0;
        }
        SetScrollPos(hwnd, bar, pos, true);
        return 0;
    }
    case WM_NCCALCSIZE: {
        // Like skinning code that draws bars of its own: the system must reserve no room.
        if (!g_hideBitsInCalcSize) break;
        const LONG style = GetWindowLong(hwnd, GWL_STYLE);
        SetWindowLong(hwnd, GWL_STYLE, style & ~LONG(WS_VSCROLL | WS_HSCROLL));
        const LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        SetWindowLong(hwnd, GWL_STYLE, style);
        return r;
    }
    case WM_NCPAINT: ++g_ncPaints; break;
    case WM_LBUTTONUP: ++g_buttonUps; break;
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

std::vector<int> Codes() {
    std::vector<int> out;
    for (const Request& r : Requests()) out.push_back(r.code);
    return out;
}

class ScrollBarsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend(800, 600);
        ProcessPendingMessages();
        WNDCLASS wc;
        wc.lpszClassName = "ScrollHost";
        wc.lpfnWndProc = HostProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClass(wc);
        RegisterScrollBarClass();
        Requests().clear();
        g_ncPaints = g_buttonUps = 0;
        g_destroyOnFirstRequest = g_hideBitsInCalcSize = false;
    }
    void TearDown() override {
        MouseUp(POINT{0, 0});
        if (IsWindow(host_)) DestroyWindow(host_);
        ProcessPendingMessages();
    }
    // A borderless 200 x 200 window at (100, 100): its vertical bar is x 184..199 of the window,
    // the up arrow y 0..15, the down arrow y 184..199, the track 16..183 (168 pixels).
    HWND MakeHost(DWORD extraStyle = WS_VSCROLL) {
        host_ = CreateWindowEx(0, "ScrollHost", "", WS_POPUP | WS_VISIBLE | extraStyle, 100, 100,
                               200, 200, nullptr, nullptr, nullptr, nullptr);
        return host_;
    }
    void SetRange(int minPos, int maxPos, UINT page, int pos) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = minPos, si.nMax = maxPos, si.nPage = page, si.nPos = pos;
        SetScrollInfo(host_, SB_VERT, &si, true);
        ProcessPendingMessages();
        Requests().clear();
    }
    static POINT OnBar(int y) { return POINT{100 + 192, 100 + y}; }
    HWND host_ = nullptr;
};

} // namespace

TEST_F(ScrollBarsTest, SetScrollInfoKeepsPageAndPositionInsideTheRange) {
    MakeHost();
    struct Case {
        int minPos, maxPos;
        UINT page;
        int pos;
        UINT wantPage;
        int wantPos;
    };
    const Case cases[] = {
        {0, 100, 10, 95, 10, 91}, // last position is max - page + 1
        {0, 100, 0, 150, 0, 100}, // without a page the maximum itself
        {0, 100, 10, -5, 10, 0},   {10, 20, 5, 3, 5, 10},
        {0, 100, 200, 50, 101, 0}, // the page is at most the whole range
        {5, 2, 0, 9, 0, 5},        // an inverted range collapses to its minimum
    };
    for (const Case& c : cases) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = c.minPos, si.nMax = c.maxPos, si.nPage = c.page, si.nPos = c.pos;
        const int returned = SetScrollInfo(host_, SB_VERT, &si, false);
        SCROLLINFO got;
        got.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(host_, SB_VERT, &got));
        EXPECT_EQ(got.nPage, c.wantPage) << c.minPos << ".." << c.maxPos << " page " << c.page;
        EXPECT_EQ(got.nPos, c.wantPos) << c.minPos << ".." << c.maxPos << " pos " << c.pos;
        EXPECT_EQ(returned, c.wantPos);
        EXPECT_EQ(GetScrollPos(host_, SB_VERT), c.wantPos);
    }
    // A later page change clamps the position again.
    SetRange(0, 100, 10, 91);
    SCROLLINFO page;
    page.fMask = SIF_PAGE;
    page.nPage = 50;
    SetScrollInfo(host_, SB_VERT, &page, false);
    EXPECT_EQ(GetScrollPos(host_, SB_VERT), 51);
}

TEST_F(ScrollBarsTest, BarsAppearWhenTheRangeCanScrollAndReserveTheirRoom) {
    MakeHost(0);
    RECT client;
    GetClientRect(host_, &client);
    EXPECT_EQ(client.right, 200);

    SetRange(0, 99, 20, 0); // can scroll: the bar shows up and takes 16 pixels
    EXPECT_TRUE(GetWindowLong(host_, GWL_STYLE) & WS_VSCROLL);
    GetClientRect(host_, &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(SendMessage(host_, WM_NCHITTEST, 0, MAKELPARAM(100 + 190, 150)), HTVSCROLL);

    SetRange(0, 99, 100, 0); // the page holds everything: the bar goes
    EXPECT_FALSE(GetWindowLong(host_, GWL_STYLE) & WS_VSCROLL);
    GetClientRect(host_, &client);
    EXPECT_EQ(client.right, 200);

    // With SIF_DISABLENOSCROLL it stays, disabled.
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = 0, si.nMax = 99, si.nPage = 100;
    SetScrollInfo(host_, SB_VERT, &si, true);
    EXPECT_TRUE(GetWindowLong(host_, GWL_STYLE) & WS_VSCROLL);
    SCROLLBARINFO sbi;
    ASSERT_TRUE(GetScrollBarInfo(host_, OBJID_VSCROLL, &sbi));
    EXPECT_TRUE(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(sbi.rcScrollBar, Rect(284, 100, 300, 300));
    MouseDown(OnBar(195));
    MouseUp(OnBar(195));
    EXPECT_TRUE(Requests().empty()); // a disabled bar sends nothing
}

TEST_F(ScrollBarsTest, RoomIsReservedOnlyForTheStyleBitsPresentDuringTheSizeCalculation) {
    g_hideBitsInCalcSize = true;
    MakeHost(WS_VSCROLL | WS_HSCROLL);
    RECT client;
    GetClientRect(host_, &client);
    EXPECT_EQ(client, Rect(0, 0, 200, 200));
    EXPECT_EQ(SendMessage(host_, WM_NCHITTEST, 0, MAKELPARAM(100 + 195, 150)), HTCLIENT);

    g_hideBitsInCalcSize = false;
    SetWindowPos(host_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(host_, &client);
    EXPECT_EQ(client, Rect(0, 0, 184, 184));
    EXPECT_EQ(SendMessage(host_, WM_NCHITTEST, 0, MAKELPARAM(100 + 195, 150)), HTVSCROLL);
    EXPECT_EQ(SendMessage(host_, WM_NCHITTEST, 0, MAKELPARAM(150, 100 + 195)), HTHSCROLL);
}

TEST_F(ScrollBarsTest, SettingThePositionWithoutRedrawPaintsNothing) {
    MakeHost();
    SetRange(0, 99, 20, 0);
    g_ncPaints = 0;
    SetScrollPos(host_, SB_VERT, 30, false);
    EXPECT_EQ(g_ncPaints, 0);
    EXPECT_EQ(GetScrollPos(host_, SB_VERT), 30);
    SetScrollPos(host_, SB_VERT, 40, true);
    EXPECT_GT(g_ncPaints, 0);
}

TEST_F(ScrollBarsTest, HeldArrowRepeatsAfterADelayAndPausesOffTheArrow) {
    MakeHost();
    SetRange(0, 99, 20, 0);
    MouseDown(OnBar(190));                             // the down arrow
    EXPECT_EQ(Codes(), std::vector<int>{SB_LINEDOWN}); // at once
    EXPECT_EQ(GetCapture(), host_);
    AdvanceClock(299);
    EXPECT_EQ(Requests().size(), 1u);
    AdvanceClock(1); // 300 ms: the first repeat
    EXPECT_EQ(Requests().size(), 2u);
    AdvanceClock(110); // then every 55 ms
    EXPECT_EQ(Requests().size(), 4u);
    MouseMoveTo(OnBar(100)); // off the arrow: the press goes on but does not repeat
    AdvanceClock(200);
    EXPECT_EQ(Requests().size(), 4u);
    MouseMoveTo(OnBar(190));
    AdvanceClock(55);
    EXPECT_EQ(Requests().size(), 5u);
    MouseUp(OnBar(190));
    EXPECT_EQ(Codes(), (std::vector<int>{1, 1, 1, 1, 1, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(host_, SB_VERT), 5);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(g_buttonUps, 0); // the press took the release
    AdvanceClock(500);
    EXPECT_EQ(Requests().size(), 6u);

    Requests().clear();
    Click(OnBar(5)); // the up arrow
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL}));
    EXPECT_EQ(Requests()[0].msg, WM_VSCROLL);
}

TEST_F(ScrollBarsTest, HeldTrackPagesUntilTheThumbReachesTheCursor) {
    MakeHost();
    // Thumb: 168 * 20 / 100 = 33.6 -> 34 pixels, starting at 16 + (pos * 134 / 80).
    SetRange(0, 99, 20, 0);
    MouseDown(OnBar(150));
    AdvanceClock(1000);
    MouseUp(OnBar(150));
    // Positions 20, 40, 60: at 60 the thumb spans 117..150 (134 * 60 / 80 = 100.5 -> 101), so
    // the cursor at 150 is on the thumb and paging stops.
    EXPECT_EQ(Codes(), (std::vector<int>{SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(host_, SB_VERT), 60);

    Requests().clear();
    Click(OnBar(20)); // above the thumb
    EXPECT_EQ(Codes(), (std::vector<int>{SB_PAGEUP, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(host_, SB_VERT), 40);
}

TEST_F(ScrollBarsTest, DraggingTheThumbTracksAndEndsWithThePosition) {
    MakeHost();
    SetRange(0, 99, 20, 0); // thumb 16..49
    MouseDown(OnBar(30));   // grabbed 14 pixels below its top
    EXPECT_TRUE(Requests().empty());
    MouseMoveTo(OnBar(30 + 67)); // thumb top at 83: 67 * 80 / 134 = 40
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Requests()[0].code, SB_THUMBTRACK);
    EXPECT_EQ(Requests()[0].pos, 40);
    SCROLLINFO si;
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(host_, SB_VERT, &si);
    EXPECT_EQ(si.nTrackPos, 40);
    MouseMoveTo(OnBar(30 + 67)); // no move, no request
    EXPECT_EQ(Requests().size(), 1u);
    MouseMoveTo(OnBar(590)); // far beyond the track: the thumb stops at its end, position 80
    ASSERT_EQ(Requests().size(), 2u);
    EXPECT_EQ(Requests()[1].pos, 80);
    MouseUp(OnBar(590));
    ASSERT_EQ(Requests().size(), 4u);
    EXPECT_EQ(Requests()[2].code, SB_THUMBPOSITION);
    EXPECT_EQ(Requests()[2].pos, 80);
    EXPECT_EQ(Requests()[3].code, SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(host_, SB_VERT), 80);
}

TEST_F(ScrollBarsTest, DisabledArrowsIgnorePressesAndAreReported) {
    MakeHost();
    SetRange(0, 99, 20, 0);
    EXPECT_TRUE(EnableScrollBar(host_, SB_VERT, ESB_DISABLE_RTDN));
    EXPECT_FALSE(EnableScrollBar(host_, SB_VERT, ESB_DISABLE_RTDN));
    Click(OnBar(190));
    EXPECT_TRUE(Requests().empty());
    Click(OnBar(5));
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL}));
    SCROLLBARINFO sbi;
    GetScrollBarInfo(host_, OBJID_VSCROLL, &sbi);
    EXPECT_EQ(sbi.rgstate[0], 0u);
    EXPECT_EQ(sbi.rgstate[1], 0u);
    EXPECT_EQ(sbi.rgstate[5], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(sbi.dxyLineButton, 16);
    EXPECT_EQ(sbi.xyThumbTop, 16);
    EXPECT_EQ(sbi.xyThumbBottom, 50);
    EnableScrollBar(host_, SB_VERT, ESB_DISABLE_BOTH);
    GetScrollBarInfo(host_, OBJID_VSCROLL, &sbi);
    EXPECT_EQ(sbi.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(ScrollBarsTest, AWindowDestroyedByItsScrollHandlerEndsThePressSafely) {
    MakeHost();
    SetRange(0, 99, 20, 0);
    g_destroyOnFirstRequest = true;
    MouseDown(OnBar(190));
    EXPECT_FALSE(IsWindow(host_));
    EXPECT_EQ(GetCapture(), nullptr);
    AdvanceClock(1000);
    MouseUp(OnBar(190));
    EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(ScrollBarsTest, ThePaintedBarHasRaisedArrowsADitheredTrackAndARaisedThumb) {
    MakeHost();
    SetRange(0, 99, 20, 0);
    ProcessPendingMessages();
    const Bitmap shot = WindowShot(host_);
    auto at = [&](int x, int y) {
        const BYTE* p = shot.ScanLine(y) + x * (shot.BitsPerPixel() / 8);
        return RGB(p[2], p[1], p[0]);
    };
    const COLORREF light = GetSysColor(COLOR_3DLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF white = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    // Up arrow 184..199 x 0..15: outer light / dark edge, inner white / grey edge.
    EXPECT_EQ(at(184, 0), light);
    EXPECT_EQ(at(199, 15), dark);
    EXPECT_EQ(at(185, 1), white);
    EXPECT_EQ(at(198, 14), shadow);
    EXPECT_EQ(at(191, 6), GetSysColor(COLOR_BTNTEXT)); // the glyph's tip
    // Thumb 16..49.
    EXPECT_EQ(at(184, 16), light);
    EXPECT_EQ(at(199, 49), dark);
    EXPECT_EQ(at(190, 30), GetSysColor(COLOR_BTNFACE));
    // Track below the thumb: a checkerboard of white and the scroll-bar colour.
    const COLORREF a = at(190, 100), b = at(191, 100);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == white && b == GetSysColor(COLOR_SCROLLBAR)) ||
                (b == white && a == GetSysColor(COLOR_SCROLLBAR)));
    EXPECT_EQ(at(190, 101), b);
}

namespace {
std::vector<std::pair<int, LPARAM>> g_parentHeard;
LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HSCROLL || msg == WM_VSCROLL)
        g_parentHeard.push_back({int(LOWORD(wParam)) | int(msg << 8), lParam});
    return DefWindowProc(hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(ScrollBarsTest, ScrollBarControlNotifiesItsParentWithItselfInLParam) {
    WNDCLASS wc;
    wc.lpszClassName = "ScrollParent";
    wc.lpfnWndProc = ParentProc;
    RegisterClass(wc);
    host_ = CreateWindowEx(0, "ScrollParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
    HWND bar = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 10, 200, 16,
                              host_, nullptr, nullptr, nullptr);
    HWND grip = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 280, 180,
                               16, 16, host_, nullptr, nullptr, nullptr);
    ASSERT_TRUE(bar && grip);
    SetScrollRange(bar, SB_CTL, 0, 10, true);
    EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 0);
    g_parentHeard.clear();
    Click(POINT{10 + 195, 15}); // the right arrow
    const LPARAM self = LPARAM(reinterpret_cast<uintptr_t>(bar));
    EXPECT_EQ(g_parentHeard,
              (std::vector<std::pair<int, LPARAM>>{{SB_LINERIGHT | int(WM_HSCROLL << 8), self},
                                                   {SB_ENDSCROLL | int(WM_HSCROLL << 8), self}}));
    EXPECT_EQ(SendMessage(grip, WM_NCHITTEST, 0, MAKELPARAM(290, 190)), HTBOTTOMRIGHT);
    SendMessage(bar, SBM_SETPOS, 7, 0);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 7);
}
