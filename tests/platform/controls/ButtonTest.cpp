#include "platform/controls/Button.h"

#include <gtest/gtest.h>

#include "ControlTestUtil.h"

namespace {

class ButtonTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterButtonClass();
        RegisterButtonClass(); // registering twice is harmless
    }
    HWND Button(DWORD style, int x, int y, int id, const char* text = "Button", int w = 90,
                int h = 24) {
        return Child("Button", text, style, x, y, w, h, id);
    }
    static LRESULT Check(HWND b) { return SendMessage(b, BM_GETCHECK, 0, 0); }
    static LRESULT State(HWND b) { return SendMessage(b, BM_GETSTATE, 0, 0); }
};

using Cmd = std::pair<int, HWND>;

TEST_F(ButtonTest, ClickSendsOneBnClickedWithIdAndHandle) {
    HWND b = Button(BS_PUSHBUTTON, 10, 10, 42);
    Click(Centre(b));
    ASSERT_EQ(Commands(), (std::vector<Cmd>{{BN_CLICKED, b}}));
    for (const ParentEvent& e : Parent().events) {
        if (e.msg != WM_COMMAND) continue;
        EXPECT_EQ(e.wParam, MAKEWPARAM(42, BN_CLICKED));
    }
    EXPECT_EQ(GetFocus(), b);
}

TEST_F(ButtonTest, PressShowsPushedAndReleasingOutsideCancels) {
    HWND b = Button(BS_PUSHBUTTON, 10, 10, 1);
    MouseDown(Centre(b));
    EXPECT_EQ(GetCapture(), b);
    EXPECT_TRUE(State(b) & BST_PUSHED);
    MouseMoveTo(At(b, 200, 5)); // off the button: drawn released
    EXPECT_FALSE(State(b) & BST_PUSHED);
    MouseMoveTo(Centre(b)); // back on it: pushed again
    EXPECT_TRUE(State(b) & BST_PUSHED);
    MouseMoveTo(At(b, 200, 5));
    MouseUp(At(b, 200, 5));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(State(b), BST_FOCUS);
}

TEST_F(ButtonTest, CheckBoxKindsCycleTheirStatesOnClicks) {
    struct Case {
        DWORD style;
        std::vector<LRESULT> afterEachClick;
    } cases[] = {
        {BS_AUTOCHECKBOX, {1, 0, 1}},
        {BS_AUTO3STATE, {1, 2, 0, 1}},
        {BS_CHECKBOX, {0, 0}}, // the program checks it itself
        {BS_3STATE, {0, 0}},
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Parent().events.clear();
        HWND b = Button(c.style, 10, 10, ++id, "Check");
        for (size_t i = 0; i < c.afterEachClick.size(); ++i) {
            Click(Centre(b));
            EXPECT_EQ(Check(b), c.afterEachClick[i]) << "after click " << i + 1;
        }
        EXPECT_EQ(Commands().size(), c.afterEachClick.size()); // BN_CLICKED each time, auto or not
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, SetCheckKeepsIndeterminateForThreeStateKindsOnly) {
    struct Case {
        DWORD style;
        WPARAM set;
        LRESULT expected;
    } cases[] = {
        {BS_CHECKBOX, BST_INDETERMINATE, BST_CHECKED},
        {BS_AUTOCHECKBOX, BST_CHECKED, BST_CHECKED},
        {BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
        {BS_AUTO3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
        {BS_RADIOBUTTON, BST_CHECKED, BST_CHECKED},
        {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
        {BS_DEFPUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
        {BS_GROUPBOX, BST_CHECKED, BST_UNCHECKED},
    };
    for (const Case& c : cases) {
        HWND b = Button(c.style, 10, 10, 1);
        SendMessage(b, BM_SETCHECK, c.set, 0);
        EXPECT_EQ(Check(b), c.expected) << "style " << c.style;
        EXPECT_EQ(State(b) & 3, c.expected) << "style " << c.style;
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, SpaceKeyPressesOnDownAndClicksOnUp) {
    HWND b = Button(BS_AUTOCHECKBOX, 10, 10, 5, "Space");
    SetFocus(b);
    KeyDown(VK_SPACE);
    EXPECT_TRUE(State(b) & BST_PUSHED);
    EXPECT_TRUE(Commands().empty());
    KeyUp(VK_SPACE);
    EXPECT_EQ(Commands(), (std::vector<Cmd>{{BN_CLICKED, b}}));
    EXPECT_EQ(State(b), BST_CHECKED | BST_FOCUS);
    // Losing the focus while the key is down abandons the press.
    HWND other = Button(BS_PUSHBUTTON, 10, 50, 6);
    KeyDown(VK_SPACE);
    SetFocus(other);
    KeyUp(VK_SPACE);
    EXPECT_EQ(Commands().size(), 1u);
    EXPECT_EQ(State(b), BST_CHECKED);
}

TEST_F(ButtonTest, AutoRadioButtonsUncheckTheRestOfTheirGroupOnly) {
    HWND a = Button(BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 1, "A");
    HWND b = Button(BS_AUTORADIOBUTTON, 10, 40, 2, "B");
    HWND plain = Button(BS_RADIOBUTTON, 10, 70, 3, "Plain");
    HWND c = Button(BS_AUTORADIOBUTTON, 10, 100, 4, "C");
    HWND other = Button(BS_AUTORADIOBUTTON | WS_GROUP, 10, 130, 5, "Other group");
    SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(plain, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
    Click(Centre(c));
    EXPECT_EQ(Check(a), 0);
    EXPECT_EQ(Check(b), 0);
    EXPECT_EQ(Check(plain), 1); // not automatic: the program looks after it
    EXPECT_EQ(Check(c), 1);
    EXPECT_EQ(Check(other), 1);
    EXPECT_EQ(Commands(), (std::vector<Cmd>{{BN_CLICKED, c}}));
    // The checked radio button is the group's tab stop.
    EXPECT_TRUE(GetWindowLong(c, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLong(a, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(ButtonTest, ArrowsMoveFocusAndCheckWithinTheRadioGroupAndWrap) {
    HWND a = Button(BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 1, "A");
    HWND b = Button(BS_AUTORADIOBUTTON, 10, 40, 2, "B");
    HWND disabled = Button(BS_AUTORADIOBUTTON | WS_DISABLED, 10, 70, 3, "Disabled");
    HWND c = Button(BS_AUTORADIOBUTTON, 10, 100, 4, "C");
    HWND next = Button(BS_AUTORADIOBUTTON | WS_GROUP, 10, 130, 5, "Next group");
    Click(Centre(a));
    Parent().events.clear();
    struct Step {
        UINT key;
        HWND focus;
    } steps[] = {{VK_DOWN, b}, {VK_DOWN, c}, {VK_RIGHT, a}, {VK_UP, c}, {VK_LEFT, b}};
    for (const Step& s : steps) {
        KeyPress(s.key);
        EXPECT_EQ(GetFocus(), s.focus);
        EXPECT_EQ(Check(s.focus), 1);
        EXPECT_EQ(Commands().back(), (Cmd{BN_CLICKED, s.focus}));
        for (HWND h : {a, b, c}) {
            if (h == s.focus) continue;
            EXPECT_EQ(Check(h), 0);
        }
    }
    EXPECT_EQ(Check(disabled), 0);
    EXPECT_EQ(Check(next), 0);
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicksAndBmClick) {
    HWND b = Button(BS_AUTOCHECKBOX | WS_DISABLED, 10, 10, 1);
    Click(Centre(b));
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Check(b), 0);
    EnableWindow(b, true);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Commands(), (std::vector<Cmd>{{BN_CLICKED, b}}));
    EXPECT_EQ(Check(b), 1);
}

TEST_F(ButtonTest, DialogCodesFollowTheKind) {
    struct Case {
        DWORD style;
        LRESULT code;
    } cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_CHECKBOX, DLGC_BUTTON},
        {BS_AUTO3STATE, DLGC_BUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
    };
    for (const Case& c : cases) {
        HWND b = Button(c.style, 10, 10, 1);
        EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), c.code) << "style " << c.style;
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, ParentMayDestroyTheButtonWhileItIsClicked) {
    HWND b = Button(BS_AUTOCHECKBOX, 10, 10, 7);
    Parent().onMessage = [&](UINT msg, WPARAM, LPARAM lParam) {
        if (msg == WM_COMMAND) DestroyWindow(reinterpret_cast<HWND>(lParam));
    };
    Click(Centre(b));
    EXPECT_FALSE(IsWindow(b));
    HWND k = Button(BS_PUSHBUTTON, 10, 10, 8);
    SetFocus(k);
    KeyPress(VK_SPACE);
    EXPECT_FALSE(IsWindow(k));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, FontDefaultsToTheMessageFontAndCanBeSet) {
    HWND b = Button(BS_PUSHBUTTON, 10, 10, 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(b, WM_GETFONT, 0, 0)), DefaultControlFont());
    LOGFONT lf;
    lf.lfHeight = -20;
    HFONT big = CreateFontIndirect(&lf);
    SendMessage(b, WM_SETFONT, WPARAM(big), 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(b, WM_GETFONT, 0, 0)), big);
    DestroyWindow(b);
    DeleteObject(big);
}

// ---------------------------------------------------------------- painting

TEST_F(ButtonTest, DefaultPushButtonHasADarkOuterFrame) {
    HWND plain = Button(BS_PUSHBUTTON, 10, 10, 1);
    HWND def = Button(BS_DEFPUSHBUTTON, 10, 50, 2);
    EXPECT_EQ(ScreenPixel(plain, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenPixel(plain, 89, 23), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ScreenPixel(def, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ScreenPixel(def, 89, 23), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(ScreenPixel(def, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT)); // its raised edge inside
    // Pressed, the plain button's edge turns sunken.
    MouseDown(Centre(plain));
    EXPECT_EQ(ScreenPixel(plain, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(plain, 89, 23), GetSysColor(COLOR_BTNHIGHLIGHT));
    MouseUp(Centre(plain));
}

TEST_F(ButtonTest, FocusedPushButtonShowsTheDottedFocusFrame) {
    HWND b = Button(BS_PUSHBUTTON, 11, 11, 1, "");
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF inverted =
        RGB(255 - GetRValue(face), 255 - GetGValue(face), 255 - GetBValue(face));
    EXPECT_EQ(ScreenPixel(b, 4, 4), face);
    SetFocus(b);
    // The frame sits 4 pixels in and inverts every other pixel: those whose screen x + y is even.
    const POINT p = At(b, 4, 4);
    const int x = (p.x + p.y) % 2 == 0 ? 4 : 5;
    EXPECT_EQ(ScreenPixel(b, x, 4), inverted);
    SetFocus(nullptr);
    EXPECT_EQ(ScreenPixel(b, x, 4), face);
}

TEST_F(ButtonTest, CheckBoxDrawsItsMarkOnlyWhenChecked) {
    // 20 high: the 13-pixel box spans rows 3..15; the tick's stroke covers (3, 9).
    HWND b = Button(BS_AUTOCHECKBOX, 10, 10, 1, "", 90, 20);
    EXPECT_EQ(ScreenPixel(b, 3, 9), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ScreenPixel(b, 0, 3), GetSysColor(COLOR_BTNSHADOW)); // the sunken box edge
    SendMessage(b, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(ScreenPixel(b, 3, 9), GetSysColor(COLOR_WINDOWTEXT));
    // Indeterminate: a grey mark on a face-coloured box.
    SendMessage(b, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(ScreenPixel(b, 3, 9), GetSysColor(COLOR_WINDOWTEXT)); // 2-state: counts as checked
    SetWindowLong(b, GWL_STYLE, (GetWindowLong(b, GWL_STYLE) & ~0xF) | BS_AUTO3STATE);
    SendMessage(b, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(ScreenPixel(b, 3, 9), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(b, 8, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ButtonTest, CheckBoxesAndGroupBoxesAskWmCtlColorStaticPushButtonsWmCtlColorBtn) {
    Parent().colorBrush = CreateSolidBrush(RGB(200, 0, 0));
    HWND check = Button(BS_AUTOCHECKBOX, 10, 10, 1, "", 90, 20);
    HWND push = Button(BS_PUSHBUTTON, 10, 40, 2);
    ProcessPendingMessages();
    // Right of the mark, the check box shows the parent's brush.
    EXPECT_EQ(ScreenPixel(check, 60, 10), RGB(200, 0, 0));
    bool askedStatic = false, askedBtn = false;
    for (const ParentEvent& e : Parent().events) {
        askedStatic |= e.msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(e.lParam) == check;
        askedBtn |= e.msg == WM_CTLCOLORBTN && reinterpret_cast<HWND>(e.lParam) == push;
    }
    EXPECT_TRUE(askedStatic);
    EXPECT_TRUE(askedBtn);
}

TEST_F(ButtonTest, GroupBoxDrawsAnEtchedFrameAndLeavesItsInsideAlone) {
    Parent().colorBrush = CreateSolidBrush(RGB(0, 0, 160));
    HWND g = Button(BS_GROUPBOX, 10, 10, 1, "", 120, 80);
    ProcessPendingMessages();
    TEXTMETRIC tm;
    HDC dc = GetDC(g);
    SelectObject(dc, DefaultControlFont());
    GetTextMetrics(dc, &tm);
    ReleaseDC(g, dc);
    const int top = tm.tmHeight / 2;
    EXPECT_EQ(ScreenPixel(g, 30, top), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(g, 30, top + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenPixel(g, 0, 50), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(g, 1, 50), GetSysColor(COLOR_BTNHIGHLIGHT));
    // Inside, the parent's own background stays: the group box neither erases nor fills it.
    EXPECT_EQ(ScreenPixel(g, 60, 50), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(SendMessage(g, WM_NCHITTEST, 0, MAKELPARAM(Centre(g).x, Centre(g).y)), HTTRANSPARENT);
}

TEST_F(ButtonTest, OwnerDrawnButtonAsksTheParentWithItsState) {
    HWND b = Button(BS_OWNERDRAW, 10, 10, 9);
    ProcessPendingMessages();
    ASSERT_GE(CountOf(WM_DRAWITEM), 1);
    EXPECT_EQ(Parent().events.back().drawType, ODT_BUTTON);
    EXPECT_EQ(Parent().events.back().wParam, 9u);
    EXPECT_FALSE(Parent().events.back().drawState & ODS_SELECTED);
    MouseDown(Centre(b));
    ProcessPendingMessages();
    EXPECT_EQ(Parent().events.back().msg, UINT(WM_DRAWITEM));
    EXPECT_EQ(Parent().events.back().drawState & (ODS_SELECTED | ODS_FOCUS),
              ODS_SELECTED | ODS_FOCUS);
    MouseUp(Centre(b));
    EXPECT_EQ(Commands(), (std::vector<Cmd>{{BN_CLICKED, b}}));
}

TEST_F(ButtonTest, PaintsIntoTheContextGivenWithWmPrintClient) {
    HWND b = Button(BS_PUSHBUTTON, 10, 10, 1);
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(90, 24, 24, true);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessage(b, WM_PRINT, WPARAM(mem), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(mem, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(mem, 89, 23), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(GetPixel(mem, 45, 2), GetSysColor(COLOR_BTNFACE));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

TEST_F(ButtonTest, DisabledTextIsEmbossed) {
    HWND b = Button(BS_PUSHBUTTON | WS_DISABLED, 10, 10, 1, "MMMM", 90, 24);
    ProcessPendingMessages();
    const Bitmap shot = Screenshot();
    RECT r;
    GetWindowRect(b, &r);
    bool grey = false, black = false;
    for (int y = r.top + 3; y < r.bottom - 3; ++y)
        for (int x = r.left + 3; x < r.right - 3; ++x) {
            grey |= shot.GetPixel(x, y) == GetSysColor(COLOR_GRAYTEXT);
            black |= shot.GetPixel(x, y) == GetSysColor(COLOR_BTNTEXT);
        }
    EXPECT_TRUE(grey);
    EXPECT_FALSE(black);
}

} // namespace
