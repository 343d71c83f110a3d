#include "platform/controls/ComboBox.h"

#include <gtest/gtest.h>
#include <string>

#include "ControlTestUtil.h"
#include "platform/controls/ListBox.h"

namespace {

class ComboBoxTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterComboBoxClass();
        RegisterComboBoxClass();
    }
    HWND Combo(int items, DWORD style = CBS_DROPDOWNLIST) {
        HWND c = Child("ComboBox", "", style, 20, 20, 160, 24, 21);
        for (int i = 0; i < items; ++i)
            SendMessage(c, CB_ADDSTRING, 0, LPARAM(("Choice " + std::to_string(i)).c_str()));
        ProcessPendingMessages();
        Parent().events.clear();
        return c;
    }
    static HWND DropDown() {
        HWND found = nullptr;
        EnumWindows([&](HWND h) {
            if (GetClassName(h) == "ComboLBox") found = h;
            return found == nullptr;
        });
        return found;
    }
    static POINT ListItem(HWND list, int i) {
        const int h = int(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
        return At(list, 20, i * h + h / 2);
    }
    static int Cur(HWND c) { return int(SendMessage(c, CB_GETCURSEL, 0, 0)); }
    static bool Dropped(HWND c) { return SendMessage(c, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    static std::vector<int> Codes() {
        std::vector<int> out;
        for (auto [code, from] : Commands())
            if (code == CBN_SELCHANGE || code == CBN_DROPDOWN || code == CBN_CLOSEUP)
                out.push_back(code);
        return out;
    }
};

TEST_F(ComboBoxTest, ItemMessagesAndTheChosenItemAsWindowText) {
    HWND c = Combo(0);
    EXPECT_EQ(SendMessage(c, CB_ADDSTRING, 0, LPARAM("mean")), 0);
    EXPECT_EQ(SendMessage(c, CB_ADDSTRING, 0, LPARAM("mode")), 1);
    EXPECT_EQ(SendMessage(c, CB_INSERTSTRING, 1, LPARAM("median")), 1);
    EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 3);
    char buffer[16];
    EXPECT_EQ(SendMessage(c, CB_GETLBTEXT, 1, LPARAM(buffer)), 6);
    EXPECT_STREQ(buffer, "median");
    EXPECT_EQ(SendMessage(c, CB_GETLBTEXT, 5, LPARAM(buffer)), CB_ERR);
    EXPECT_EQ(SendMessage(c, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("MODE")), 2);
    EXPECT_EQ(GetWindowText(c), "");
    EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(GetWindowText(c), "mode");
    EXPECT_EQ(SendMessage(c, CB_DELETESTRING, 0, 0), 2);
    EXPECT_EQ(Cur(c), 1); // the chosen item moved up with the list
    EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 9, 0), CB_ERR);
    EXPECT_EQ(Cur(c), -1);
    SendMessage(c, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(Codes().empty()); // the program's changes are not reported
}

TEST_F(ComboBoxTest, ClickOpensAListBelowAndClickingAnItemChoosesAndCloses) {
    HWND c = Combo(5);
    EXPECT_EQ(DropDown(), nullptr);
    Click(Centre(c));
    EXPECT_TRUE(Dropped(c));
    const HWND list = DropDown();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_CHILD);
    RECT cr, lr;
    GetWindowRect(c, &cr);
    GetWindowRect(list, &lr);
    EXPECT_EQ(lr.top, cr.bottom);
    EXPECT_EQ(lr.left, cr.left);
    EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(GetFocus(), c); // the keyboard stays with the combo box
    // Hovering highlights; the release over an item chooses it.
    MouseMoveTo(ListItem(list, 3));
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
    Click(ListItem(list, 2));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_FALSE(Dropped(c));
    EXPECT_EQ(Cur(c), 2);
    EXPECT_EQ(Codes(), (std::vector<int>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, ClickElsewhereOrOnTheComboClosesWithoutChoosing) {
    HWND c = Combo(3);
    SendMessage(c, CB_SETCURSEL, 1, 0);
    Click(Centre(c));
    ASSERT_NE(DropDown(), nullptr);
    MouseMoveTo(ListItem(DropDown(), 2)); // highlighted, not chosen
    Click(At(c, 100, 150));               // on the dialog, away from both
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_EQ(Cur(c), 1);
    AdvanceClock(1000);
    Click(Centre(c));
    ASSERT_NE(DropDown(), nullptr);
    AdvanceClock(1000);
    Click(Centre(c)); // the field again
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_EQ(Cur(c), 1);
    EXPECT_EQ(Codes(), (std::vector<int>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_DROPDOWN, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, ArrowsChangeTheSelectionWhileClosed) {
    HWND c = Combo(4);
    SetFocus(c);
    struct Step {
        UINT key;
        int cur;
    } steps[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_RIGHT, 2}, {VK_UP, 1},
                 {VK_END, 3},  {VK_DOWN, 3}, {VK_HOME, 0}};
    for (const Step& s : steps) {
        KeyPress(s.key);
        EXPECT_EQ(Cur(c), s.cur) << "key " << s.key;
    }
    // One notification per actual change: Down at the end changed nothing.
    EXPECT_EQ(Codes().size(), std::size(steps) - 1);
    EXPECT_EQ(DropDown(), nullptr);
}

TEST_F(ComboBoxTest, F4AndAltDownOpenEnterChoosesEscapeCancels) {
    HWND c = Combo(4);
    SetFocus(c);
    KeyPress(VK_F4);
    ASSERT_NE(DropDown(), nullptr);
    KeyPress(VK_DOWN);
    KeyPress(VK_DOWN);
    EXPECT_EQ(SendMessage(DropDown(), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Cur(c), -1); // not chosen until Enter
    KeyPress(VK_RETURN);
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_EQ(Cur(c), 1);
    KeyDown(VK_MENU);
    KeyPress(VK_DOWN);
    KeyUp(VK_MENU);
    ASSERT_NE(DropDown(), nullptr);
    KeyPress(VK_DOWN);
    KeyPress(VK_ESCAPE);
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_EQ(Cur(c), 1);
    EXPECT_EQ(Codes(), (std::vector<int>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE, CBN_DROPDOWN,
                                         CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, LosingFocusOrTheWindowClosesTheList) {
    HWND c = Combo(3);
    HWND other = Child("ComboBox", "", CBS_DROPDOWNLIST, 20, 100, 100, 24, 22);
    Click(Centre(c));
    ASSERT_NE(DropDown(), nullptr);
    SetFocus(other);
    EXPECT_EQ(DropDown(), nullptr);
    Click(Centre(c));
    ASSERT_NE(DropDown(), nullptr);
    DestroyWindow(c);
    EXPECT_EQ(DropDown(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, ParentMayDestroyTheComboWhileItNotifies) {
    for (WORD code : {CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE}) {
        HWND c = Combo(3);
        Parent().onMessage = [code](UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_COMMAND && HIWORD(wParam) == code)
                DestroyWindow(reinterpret_cast<HWND>(lParam));
        };
        Click(Centre(c));
        if (IsWindow(c)) {
            ASSERT_NE(DropDown(), nullptr);
            Click(ListItem(DropDown(), 1));
        }
        EXPECT_FALSE(IsWindow(c)) << code;
        EXPECT_EQ(DropDown(), nullptr) << code;
        EXPECT_EQ(GetCapture(), nullptr) << code;
        Parent().onMessage = nullptr;
        AdvanceClock(1000);
    }
}

TEST_F(ComboBoxTest, ShowDropDownMessageOpensAndCloses) {
    HWND c = Combo(2);
    SendMessage(c, CB_SHOWDROPDOWN, 1, 0);
    EXPECT_TRUE(Dropped(c));
    EXPECT_NE(DropDown(), nullptr);
    SendMessage(c, CB_SHOWDROPDOWN, 0, 0);
    EXPECT_FALSE(Dropped(c));
    EXPECT_EQ(DropDown(), nullptr);
}

TEST_F(ComboBoxTest, FocusedFieldShowsTheChoiceHighlighted) {
    HWND c = Combo(2);
    SendMessage(c, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(ScreenPixel(c, 100, 12), GetSysColor(COLOR_WINDOW));
    SetFocus(c);
    EXPECT_EQ(ScreenPixel(c, 100, 12), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GE(CountOf(WM_CTLCOLOREDIT), 1);
}

} // namespace
