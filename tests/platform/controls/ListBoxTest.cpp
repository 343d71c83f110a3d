#include "platform/controls/ListBox.h"

#include <gtest/gtest.h>
#include <string>

#include "ControlTestUtil.h"
#include "platform/window/ScrollBars.h"

namespace {

class ListBoxTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterListBoxClass();
        RegisterListBoxClass();
    }
    HWND List(DWORD style, int items, int h = 100) {
        HWND l = Child("ListBox", "", style, 20, 20, 150, h, 11, WS_EX_CLIENTEDGE);
        for (int i = 0; i < items; ++i)
            SendMessage(l, LB_ADDSTRING, 0, LPARAM(("Item " + std::to_string(i)).c_str()));
        ProcessPendingMessages();
        return l;
    }
    static std::string TextOf(HWND l, int i) {
        const LRESULT n = SendMessage(l, LB_GETTEXTLEN, WPARAM(i), 0);
        if (n < 0) return "<err>";
        std::string s(size_t(n) + 1, '\0');
        SendMessage(l, LB_GETTEXT, WPARAM(i), LPARAM(s.data()));
        s.resize(size_t(n));
        return s;
    }
    static std::vector<std::string> All(HWND l) {
        std::vector<std::string> out;
        for (int i = 0; i < SendMessage(l, LB_GETCOUNT, 0, 0); ++i) out.push_back(TextOf(l, i));
        return out;
    }
    static int Cur(HWND l) { return int(SendMessage(l, LB_GETCURSEL, 0, 0)); }
    static int Top(HWND l) { return int(SendMessage(l, LB_GETTOPINDEX, 0, 0)); }
    static int H(HWND l) { return int(SendMessage(l, LB_GETITEMHEIGHT, 0, 0)); }
    static POINT ItemPoint(HWND l, int visibleRow) {
        return At(l, 30, visibleRow * H(l) + H(l) / 2);
    }
    static std::vector<int> Codes() {
        std::vector<int> out;
        for (auto [code, from] : Commands())
            if (code == LBN_SELCHANGE || code == LBN_DBLCLK) out.push_back(code);
        return out;
    }
};

TEST_F(ListBoxTest, ItemMessagesKeepTheListAndTheSelectionInStep) {
    HWND l = List(0, 0);
    EXPECT_EQ(SendMessage(l, LB_ADDSTRING, 0, LPARAM("mean")), 0);
    EXPECT_EQ(SendMessage(l, LB_ADDSTRING, 0, LPARAM("mode")), 1);
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 1, LPARAM("median")), 1);
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, WPARAM(-1), LPARAM("range")), 3); // -1: at the end
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 9, LPARAM("x")), LB_ERR);
    EXPECT_EQ(All(l), (std::vector<std::string>{"mean", "median", "mode", "range"}));
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 2, 0), 2);
    SendMessage(l, LB_INSERTSTRING, 0, LPARAM("count")); // the selected item moves down with it
    EXPECT_EQ(Cur(l), 3);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 0, 0), 4); // the remaining count
    EXPECT_EQ(Cur(l), 2);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 2, 0), 3); // the selected one itself
    EXPECT_EQ(Cur(l), -1);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 3, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 7, 0), LB_ERR);
    EXPECT_EQ(Cur(l), -1);
    SendMessage(l, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, FindStringExactIgnoresCaseAndSearchesAfterTheStart) {
    HWND l = List(0, 0);
    for (const char* s : {"Alpha", "beta", "ALPHA", "alphabet"})
        SendMessage(l, LB_ADDSTRING, 0, LPARAM(s));
    struct Case {
        intptr_t start;
        const char* text;
        LRESULT found;
    } cases[] = {
        {-1, "alpha", 0}, {0, "alpha", 2},        {2, "alpha", 0},
        {-1, "BETA", 1},  {-1, "alphab", LB_ERR}, {-1, "gamma", LB_ERR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, WPARAM(c.start), LPARAM(c.text)), c.found)
            << c.start << c.text;
    EXPECT_EQ(SendMessage(l, LB_FINDSTRING, WPARAM(-1), LPARAM("alphab")), 3);
}

TEST_F(ListBoxTest, SortedListInsertsInOrder) {
    HWND l = List(LBS_SORT, 0);
    for (const char* s : {"pear", "Apple", "fig", "banana"})
        SendMessage(l, LB_ADDSTRING, 0, LPARAM(s));
    EXPECT_EQ(All(l), (std::vector<std::string>{"Apple", "banana", "fig", "pear"}));
}

TEST_F(ListBoxTest, MouseSelectsAndNotifiesOnlyWithLbsNotify) {
    HWND quiet = List(0, 5);
    Click(ItemPoint(quiet, 2));
    EXPECT_EQ(Cur(quiet), 2);
    EXPECT_TRUE(Codes().empty());
    DestroyWindow(quiet);
    HWND l = List(LBS_NOTIFY, 5, 200);
    Click(ItemPoint(l, 1));
    EXPECT_EQ(Cur(l), 1);
    EXPECT_EQ(GetFocus(), l);
    AdvanceClock(1000);     // no double click
    Click(ItemPoint(l, 1)); // the same item again: no change to report
    AdvanceClock(1000);
    EXPECT_EQ(Codes(), (std::vector<int>{LBN_SELCHANGE}));
    // Dragging moves the selection along.
    MouseDown(ItemPoint(l, 1));
    MouseMoveTo(ItemPoint(l, 3));
    MouseUp(ItemPoint(l, 3));
    EXPECT_EQ(Cur(l), 3);
    EXPECT_EQ(Codes(), (std::vector<int>{LBN_SELCHANGE, LBN_SELCHANGE}));
    AdvanceClock(1000);
    Click(ItemPoint(l, 6)); // below the last item: the last item, as in Win32
    EXPECT_EQ(Cur(l), 4);
}

TEST_F(ListBoxTest, DoubleClickNotifiesDblClk) {
    HWND l = List(LBS_NOTIFY, 5);
    DoubleClick(ItemPoint(l, 4));
    EXPECT_EQ(Codes(), (std::vector<int>{LBN_SELCHANGE, LBN_DBLCLK}));
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndScrollItIntoView) {
    HWND l = List(LBS_NOTIFY, 20, 5 * 16 + 4);
    SetFocus(l);
    const int visible = (5 * 16) / H(l); // whole items in the 80-pixel client
    struct Step {
        UINT key;
        int cur;
    } steps[] = {
        {VK_DOWN, 0}, // from no selection, the first key selects the top item
        {VK_DOWN, 1},           {VK_END, 19},         {VK_HOME, 0},
        {VK_NEXT, visible - 1}, {VK_UP, visible - 2}, {VK_PRIOR, 0},
    };
    for (const Step& s : steps) {
        KeyPress(s.key);
        EXPECT_EQ(Cur(l), s.cur) << "key " << s.key;
        EXPECT_LE(Top(l), s.cur);
        EXPECT_GT(Top(l) + visible, s.cur);
    }
    KeyPress(VK_END);
    EXPECT_EQ(Top(l), 20 - visible);
    EXPECT_EQ(Codes().size(), std::size(steps) + 1);
    SendMessage(l, LB_SETCURSEL, 5, 0); // the program's choice is not reported
    EXPECT_EQ(Codes().size(), std::size(steps) + 1);
}

TEST_F(ListBoxTest, ScrollMessagesWheelAndTheScrollBarAgree) {
    HWND l = List(WS_VSCROLL, 30, 10 * 16 + 4);
    RECT client;
    GetClientRect(l, &client);
    const int visible = HeightOf(client) / H(l);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(l, SB_VERT, &si));
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 29);
    EXPECT_EQ(si.nPage, UINT(visible));
    struct Step {
        WPARAM scroll;
        int top;
    } steps[] = {
        {SB_LINEDOWN, 1},
        {SB_PAGEDOWN, 1 + visible - 1},
        {SB_LINEUP, visible - 1},
        {MAKEWPARAM(SB_THUMBPOSITION, 7), 7},
        {SB_BOTTOM, 30 - visible},
        {SB_LINEDOWN, 30 - visible}, // no further than the last page
        {SB_TOP, 0},
        {SB_LINEUP, 0},
    };
    for (const Step& s : steps) {
        SendMessage(l, WM_VSCROLL, s.scroll, 0);
        EXPECT_EQ(Top(l), s.top) << LOWORD(s.scroll);
        ASSERT_TRUE(GetScrollInfo(l, SB_VERT, &si));
        EXPECT_EQ(si.nPos, s.top);
    }
    SetFocus(l);
    Wheel(Centre(l), -WHEEL_DELTA);
    EXPECT_EQ(Top(l), 3);
    Wheel(Centre(l), WHEEL_DELTA * 2);
    EXPECT_EQ(Top(l), 0);
    EXPECT_EQ(SendMessage(l, LB_SETTOPINDEX, 12, 0), LB_OKAY);
    EXPECT_EQ(Top(l), 12);
}

TEST_F(ListBoxTest, SelectedItemIsHighlightedAndListAsksCtlColorListBox) {
    HWND l = List(0, 3);
    SendMessage(l, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(ScreenPixel(l, 140, H(l) + H(l) / 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ScreenPixel(l, 140, H(l) / 2), GetSysColor(COLOR_WINDOW));
    EXPECT_GE(CountOf(WM_CTLCOLORLISTBOX), 1);
}

TEST_F(ListBoxTest, ParentMayDestroyTheListOnSelChange) {
    HWND l = List(LBS_NOTIFY, 5);
    Parent().onMessage = [&](UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE)
            DestroyWindow(reinterpret_cast<HWND>(lParam));
    };
    Click(ItemPoint(l, 2));
    EXPECT_FALSE(IsWindow(l));
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
