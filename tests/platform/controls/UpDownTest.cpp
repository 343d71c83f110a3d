#include "platform/controls/UpDown.h"

#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "platform/controls/Edit.h"
#include "platform/window/ScrollBars.h"

namespace {

class UpDownTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterUpDownClass();
        RegisterUpDownClass();
        RegisterEditClass();
    }
    HWND Spin(DWORD style, int low, int high, int pos) {
        HWND u = Child("msctls_updown32", "", style, 200, 20, 16, 24, 31);
        SendMessage(u, UDM_SETRANGE32, WPARAM(intptr_t(low)), LPARAM(high));
        SendMessage(u, UDM_SETPOS32, 0, LPARAM(pos));
        Parent().events.clear();
        return u;
    }
    static int Pos(HWND u) { return int(SendMessage(u, UDM_GETPOS32, 0, 0)); }
    static POINT UpArrow(HWND u) { return At(u, 8, 4); }
    static POINT DownArrow(HWND u) { return At(u, 8, 19); }
    // The parent's WM_NOTIFY and scroll messages, in order, as (message, code or position).
    static std::vector<std::pair<UINT, int>> Reports() {
        std::vector<std::pair<UINT, int>> out;
        for (const ParentEvent& e : Parent().events) {
            if (e.msg == WM_NOTIFY) out.push_back({e.msg, int(e.notifyCode)});
            if (e.msg == WM_VSCROLL || e.msg == WM_HSCROLL)
                out.push_back({e.msg, LOWORD(e.wParam) == SB_THUMBPOSITION
                                          ? int(int16_t(HIWORD(e.wParam)))
                                          : -1000});
        }
        return out;
    }
};

using Report = std::pair<UINT, int>;
constexpr int kEnd = -1000; // SB_ENDSCROLL in Reports()

TEST_F(UpDownTest, ClicksAskDeltaPosThenMoveAndReport) {
    HWND u = Spin(0, 0, 10, 5);
    Click(UpArrow(u));
    EXPECT_EQ(Pos(u), 6);
    EXPECT_EQ(Reports(), (std::vector<Report>{
                             {WM_NOTIFY, int(UDN_DELTAPOS)}, {WM_VSCROLL, 6}, {WM_VSCROLL, kEnd}}));
    for (const ParentEvent& e : Parent().events) {
        if (e.msg != WM_VSCROLL) continue;
        EXPECT_EQ(reinterpret_cast<HWND>(e.lParam), u);
    }
    Parent().events.clear();
    AdvanceClock(1000);
    Click(DownArrow(u));
    EXPECT_EQ(Pos(u), 5);
    EXPECT_EQ(Reports(), (std::vector<Report>{
                             {WM_NOTIFY, int(UDN_DELTAPOS)}, {WM_VSCROLL, 5}, {WM_VSCROLL, kEnd}}));
}

TEST_F(UpDownTest, DeltaPosCarriesPositionAndDeltaAndANonZeroAnswerCancels) {
    HWND u = Spin(0, 0, 10, 5);
    int seenPos = -1, seenDelta = 0;
    Parent().onMessage = [&](UINT msg, WPARAM, LPARAM lParam) {
        if (msg != WM_NOTIFY) return;
        const auto* nm = reinterpret_cast<const NMUPDOWN*>(lParam);
        seenPos = nm->iPos, seenDelta = nm->iDelta;
        EXPECT_EQ(nm->hdr.hwndFrom, u);
        EXPECT_EQ(nm->hdr.idFrom, 31u);
    };
    Parent().notifyAnswer = 1;
    Click(DownArrow(u));
    EXPECT_EQ(seenPos, 5);
    EXPECT_EQ(seenDelta, -1);
    EXPECT_EQ(Pos(u), 5);
    EXPECT_EQ(Reports(), (std::vector<Report>{{WM_NOTIFY, int(UDN_DELTAPOS)}, {WM_VSCROLL, kEnd}}));
}

TEST_F(UpDownTest, LimitsStopOrWrap) {
    struct Case {
        DWORD style;
        int low, high, pos;
        bool up;
        int expected;
    } cases[] =
        {
            {0, 0, 3, 3, true, 3},          {UDS_WRAP, 0, 3, 3, true, 0},
            {UDS_WRAP, 0, 3, 0, false, 3},  {0, 0, 3, 0, false, 0},
            {0, 10, 0, 5, true, 4}, // a reversed range: up goes toward 0
            {UDS_WRAP, 10, 0, 0, true, 10},
        };
    for (const Case& c : cases) {
        HWND u = Spin(c.style, c.low, c.high, c.pos);
        Click(c.up ? UpArrow(u) : DownArrow(u));
        EXPECT_EQ(Pos(u), c.expected)
            << c.style << " " << c.low << ".." << c.high << " from " << c.pos;
        DestroyWindow(u);
        AdvanceClock(1000);
    }
}

TEST_F(UpDownTest, HoldingRepeatsAfterHalfASecondThenEveryTenth) {
    HWND u = Spin(0, 0, 100, 0);
    MouseDown(UpArrow(u));
    EXPECT_EQ(Pos(u), 1);
    AdvanceClock(499);
    EXPECT_EQ(Pos(u), 1);
    AdvanceClock(1);
    EXPECT_EQ(Pos(u), 2);
    AdvanceClock(99);
    EXPECT_EQ(Pos(u), 2);
    AdvanceClock(1);
    EXPECT_EQ(Pos(u), 3);
    AdvanceClock(300);
    EXPECT_EQ(Pos(u), 6);
    // Off the arrow the repeating pauses; back on it, it goes on.
    MouseMoveTo(At(u, 8, 60));
    AdvanceClock(300);
    EXPECT_EQ(Pos(u), 6);
    MouseMoveTo(UpArrow(u));
    AdvanceClock(100);
    EXPECT_EQ(Pos(u), 7);
    MouseUp(UpArrow(u));
    AdvanceClock(1000);
    EXPECT_EQ(Pos(u), 7);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(UpDownTest, PressedArrowIsDrawnSunkenTheOtherRaised) {
    HWND u = Spin(0, 0, 10, 5);
    MouseDown(DownArrow(u));
    ProcessPendingMessages();
    EXPECT_EQ(ScreenPixel(u, 0, 12), GetSysColor(COLOR_BTNSHADOW));   // lower half, top-left
    EXPECT_EQ(ScreenPixel(u, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT)); // upper half, top-left
    MouseMoveTo(At(u, 8, 60));                                        // off it: drawn released
    EXPECT_EQ(ScreenPixel(u, 0, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    MouseUp(At(u, 8, 60));
}

TEST_F(UpDownTest, BuddyShowsThePositionAndIsReadBack) {
    HWND edit = Child("Edit", "", 0, 20, 20, 80, 22, 40, WS_EX_CLIENTEDGE);
    HWND u = Spin(UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 5000, 0);
    EXPECT_EQ(SendMessage(u, UDM_SETBUDDY, WPARAM(edit), 0), 0);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(u, UDM_GETBUDDY, 0, 0)), edit);
    // Aligned right: the arrows sit inside the buddy's old width, at its right edge.
    RECT e, s;
    GetWindowRect(edit, &e);
    GetWindowRect(u, &s);
    EXPECT_EQ(s.left, e.right);
    EXPECT_EQ(s.right, 100 + 20 + 80);
    EXPECT_EQ(s.top, e.top);
    EXPECT_EQ(HeightOf(s), 22);
    EXPECT_EQ(GetWindowText(edit), "0");
    SendMessage(u, UDM_SETPOS32, 0, 1234);
    EXPECT_EQ(GetWindowText(edit), "1,234");
    Click(Centre(u)); // the lower half: one down
    EXPECT_EQ(GetWindowText(edit), "1,233");
    SetWindowText(edit, "42");
    int error = -1;
    EXPECT_EQ(SendMessage(u, UDM_GETPOS32, 0, LPARAM(&error)), 42);
    EXPECT_EQ(error, 0);
    SetWindowText(edit, "many");
    EXPECT_EQ(SendMessage(u, UDM_GETPOS32, 0, LPARAM(&error)), 42);
    EXPECT_EQ(error, 1);
    SetWindowText(edit, "9999");
    EXPECT_EQ(SendMessage(u, UDM_GETPOS32, 0, LPARAM(&error)), 5000); // kept in the range
}

TEST_F(UpDownTest, ArrowKeysInTheBuddyStepWithUdsArrowKeys) {
    HWND edit = Child("Edit", "", 0, 20, 20, 80, 22, 40, WS_EX_CLIENTEDGE);
    HWND u = Spin(UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 5000, 999);
    SendMessage(u, UDM_SETBUDDY, WPARAM(edit), 0);
    SetFocus(edit);
    KeyPress(VK_UP);
    EXPECT_EQ(GetWindowText(edit), "1000");
    KeyPress(VK_DOWN);
    KeyPress(VK_DOWN);
    EXPECT_EQ(Pos(u), 998);
    EXPECT_EQ(GetWindowText(edit), "998");
}

TEST_F(UpDownTest, HorizontalKindStepsRightUpAndReportsWithHScroll) {
    HWND u = Child("msctls_updown32", "", UDS_HORZ, 200, 20, 32, 16, 32);
    SendMessage(u, UDM_SETRANGE32, 0, 10);
    SendMessage(u, UDM_SETPOS32, 0, 5);
    Parent().events.clear();
    Click(At(u, 24, 8));
    EXPECT_EQ(Pos(u), 6);
    AdvanceClock(1000);
    Click(At(u, 4, 8));
    Click(At(u, 4, 8));
    EXPECT_EQ(Pos(u), 4);
    EXPECT_EQ(Reports().at(1), (Report{WM_HSCROLL, 6}));
}

TEST_F(UpDownTest, RangeMessagesRoundTrip) {
    HWND u = Child("msctls_updown32", "", 0, 200, 20, 16, 24, 31);
    int low = 0, high = 0;
    SendMessage(u, UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
    EXPECT_EQ(low, 100); // Win32's default range
    EXPECT_EQ(high, 0);
    SendMessage(u, UDM_SETRANGE, 0, MAKELPARAM(20, -5)); // upper in the low word
    SendMessage(u, UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
    EXPECT_EQ(low, -5);
    EXPECT_EQ(high, 20);
    EXPECT_EQ(SendMessage(u, UDM_SETPOS32, 0, 50), 0); // returns the old position
    EXPECT_EQ(Pos(u), 20);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(u, WM_GETFONT, 0, 0)), DefaultControlFont());
}

} // namespace
