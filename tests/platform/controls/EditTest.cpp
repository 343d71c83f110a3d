#include "platform/controls/Edit.h"

#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "platform/window/Clipboard.h"

namespace {

class EditTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterEditClass();
        RegisterEditClass();
        SetClipboardText("");
    }
    HWND Edit(DWORD style = 0, const char* text = "", int w = 150, int h = 22) {
        return Child("Edit", text, style, 20, 20, w, h, 3, WS_EX_CLIENTEDGE);
    }
    HWND Focused(DWORD style = 0, const char* text = "") {
        HWND e = Edit(style, text);
        SetFocus(e);
        Parent().events.clear();
        return e;
    }
    static std::pair<DWORD, DWORD> Sel(HWND e) {
        DWORD a = 0, b = 0;
        SendMessage(e, EM_GETSEL, WPARAM(&a), LPARAM(&b));
        return {a, b};
    }
    static void Type(const std::u32string& s) {
        for (char32_t c : s) TypeChar(c);
    }
    static void WithKey(UINT modifier, UINT key) {
        KeyDown(modifier);
        KeyPress(key);
        KeyUp(modifier);
    }
    static std::vector<int> CodesFrom(HWND e) {
        std::vector<int> out;
        for (auto [code, from] : Commands())
            if (from == e) out.push_back(code);
        return out;
    }
};

TEST_F(EditTest, TypingInsertsUtf8AndNotifiesUpdateThenChange) {
    HWND e = Focused();
    Type(U"ab\u04D9"); // ә: two bytes in UTF-8
    EXPECT_EQ(GetWindowText(e), "ab\xD3\x99");
    EXPECT_EQ(GetWindowTextLength(e), 4);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{4, 4}));
    EXPECT_EQ(CodesFrom(e),
              (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(SendMessage(e, EM_GETMODIFY, 0, 0), 1);
}

TEST_F(EditTest, KeysMoveAndDeleteByWholeCharacters) {
    HWND e = Focused(0, "");
    Type(U"x\u049Bz"); // x қ z
    struct Step {
        UINT key;
        const char* text;
        DWORD caret;
    } steps[] = {
        {VK_LEFT, "x\xD2\x9Bz", 3}, {VK_LEFT, "x\xD2\x9Bz", 1}, {VK_DELETE, "xz", 1},
        {VK_END, "xz", 2},          {VK_BACK, "x", 1},          {VK_HOME, "x", 0},
        {VK_BACK, "x", 0},          {VK_RIGHT, "x", 1},
    };
    for (const Step& s : steps) {
        KeyPress(s.key);
        EXPECT_EQ(GetWindowText(e), s.text) << "key " << s.key;
        EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{s.caret, s.caret})) << "key " << s.key;
    }
}

TEST_F(EditTest, ShiftArrowsSelectAndTypingReplacesTheSelection) {
    HWND e = Focused(0, "");
    Type(U"median");
    KeyDown(VK_SHIFT);
    KeyPress(VK_LEFT);
    KeyPress(VK_LEFT);
    KeyPress(VK_LEFT);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{3, 6}));
    KeyDown(VK_SHIFT);
    KeyPress(VK_HOME);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 6}));
    KeyPress(VK_RIGHT); // collapses to the selection's end
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 6}));
    SendMessage(e, EM_SETSEL, 1, 4);
    Type(U"o");
    EXPECT_EQ(GetWindowText(e), "moan");
}

TEST_F(EditTest, ControlShortcutsUseTheClipboard) {
    HWND e = Focused(0, "");
    Type(U"mean mode");
    WithKey(VK_CONTROL, 'A');
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 9}));
    EXPECT_EQ(GetWindowText(e), "mean mode"); // the 'a' of Ctrl+A is not typed
    SendMessage(e, EM_SETSEL, 5, 9);
    WithKey(VK_CONTROL, 'C');
    EXPECT_EQ(GetClipboardText(), "mode");
    SendMessage(e, EM_SETSEL, 0, 5);
    WithKey(VK_CONTROL, 'X');
    EXPECT_EQ(GetClipboardText(), "mean ");
    EXPECT_EQ(GetWindowText(e), "mode");
    KeyPress(VK_END);
    WithKey(VK_CONTROL, 'V');
    EXPECT_EQ(GetWindowText(e), "modemean ");
    // One line only: a pasted text stops at its first line break.
    SetClipboardText("one\r\ntwo");
    WithKey(VK_CONTROL, 'V');
    EXPECT_EQ(GetWindowText(e), "modemean one");
}

TEST_F(EditTest, ReadOnlyFieldRefusesUserChangesButCopiesAndTakesProgramChanges) {
    HWND e = Focused(ES_READONLY, "fixed");
    SendMessage(e, EM_SETSEL, 0, -1);
    Type(U"z");
    KeyPress(VK_BACK);
    KeyPress(VK_DELETE);
    SetClipboardText("paste");
    WithKey(VK_CONTROL, 'V');
    WithKey(VK_CONTROL, 'X');
    EXPECT_EQ(GetWindowText(e), "fixed");
    WithKey(VK_CONTROL, 'C');
    EXPECT_EQ(GetClipboardText(), "fixed");
    EXPECT_TRUE(CodesFrom(e).empty());
    SendMessage(e, EM_REPLACESEL, 0, LPARAM("set"));
    EXPECT_EQ(GetWindowText(e), "set");
    EXPECT_EQ(SendMessage(e, EM_SETREADONLY, 0, 0), 1);
    EXPECT_FALSE(GetWindowLong(e, GWL_STYLE) & ES_READONLY);
    Type(U"!");
    EXPECT_EQ(GetWindowText(e), "set!");
}

TEST_F(EditTest, NumberFieldTakesDigitsOnly) {
    HWND e = Focused(ES_NUMBER);
    Type(U"1a2-3 4\u0661");
    EXPECT_EQ(GetWindowText(e), "1234");
}

TEST_F(EditTest, LimitCountsCharactersAndReportsMaxText) {
    HWND e = Focused();
    SendMessage(e, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 3);
    Type(U"\u04E9\u04B1\u0456\u04A3"); // four two-byte letters
    EXPECT_EQ(GetWindowText(e), "\xD3\xA9\xD2\xB1\xD1\x96");
    std::vector<int> codes = CodesFrom(e);
    EXPECT_NE(std::find(codes.begin(), codes.end(), EN_MAXTEXT), codes.end());
    // A paste keeps the whole characters that fit.
    SendMessage(e, EM_SETSEL, 2, 6);
    SetClipboardText("xyz");
    WithKey(VK_CONTROL, 'V');
    EXPECT_EQ(GetWindowText(e), "\xD3\xA9xy");
}

TEST_F(EditTest, SetSelAndGetSelFollowWin32Conventions) {
    HWND e = Edit(0, "\xD3\x99"
                     "bcd"); // ә b c d: 5 bytes
    struct Case {
        intptr_t start, end;
        DWORD expectA, expectB;
    } cases[] = {
        {0, -1, 0, 5}, // all
        {4, 2, 2, 4},  // reversed: reported in order
        {1, 1, 0, 0},  // inside a character: moved to its start
        {3, 99, 3, 5}, // past the end: clamped
    };
    for (const Case& c : cases) {
        SendMessage(e, EM_SETSEL, WPARAM(c.start), LPARAM(c.end));
        EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{c.expectA, c.expectB}))
            << c.start << "," << c.end;
        EXPECT_EQ(SendMessage(e, EM_GETSEL, 0, 0),
                  LRESULT(MAKELONG(WORD(c.expectA), WORD(c.expectB))));
    }
    SendMessage(e, EM_SETSEL, 1 + 1, 4);
    SendMessage(e, EM_SETSEL, WPARAM(-1), 0); // removes the selection, the caret stays
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{4, 4}));
}

TEST_F(EditTest, SetTextNotifiesChangeForSingleLineOnlyAndGetTextCutsAtACharacter) {
    HWND single = Edit(0, "");
    HWND multi = Child("Edit", "", ES_MULTILINE, 20, 60, 150, 60, 4);
    Parent().events.clear();
    SetWindowText(single, "\xD3\x99\xD3\x99");
    SetWindowText(multi, "x");
    EXPECT_EQ(CodesFrom(single), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(CodesFrom(multi), (std::vector<int>{EN_UPDATE}));
    char buffer[4];
    EXPECT_EQ(GetWindowText(single, buffer, 4), 2); // three bytes would split the second ә
    EXPECT_STREQ(buffer, "\xD3\x99");
}

TEST_F(EditTest, MouseDragSelectsAndDoubleClickSelectsAWord) {
    HWND e = Edit(0, "sum of squares");
    RECT r;
    GetClientRect(e, &r);
    MouseDown(At(e, 1, r.bottom / 2));
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 0}));
    MouseMoveTo(At(e, r.right + 50, r.bottom / 2));
    MouseUp(At(e, r.right + 50, r.bottom / 2));
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 14}));
    EXPECT_EQ(GetCapture(), nullptr);
    // The word under a double click: find "of" by measuring its place.
    HDC dc = GetDC(e);
    SelectObject(dc, DefaultControlFont());
    SIZE before{};
    GetTextExtentPoint32(dc, "sum o", 5, &before);
    ReleaseDC(e, dc);
    SendMessage(e, EM_SETSEL, 0, 0);
    DoubleClick(At(e, 2 + before.cx, r.bottom / 2));
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{4, 6}));
}

// Text drawn in the parent's colour (red) leaves the caret as the one black column.
int CaretColumn(HWND e) {
    ProcessPendingMessages();
    const Bitmap shot = Screenshot();
    POINT o{0, 0};
    ClientToScreen(e, &o);
    RECT r;
    GetClientRect(e, &r);
    for (int x = 0; x < r.right; ++x)
        if (shot.GetPixel(o.x + x, o.y + r.bottom / 2) == RGB(0, 0, 0)) return x;
    return -1;
}

TEST_F(EditTest, ScrollsToKeepTheCaretVisible) {
    Parent().colorBrush = CreateSolidBrush(RGB(255, 255, 255));
    Parent().setTextColor = true;
    Parent().textColor = RGB(255, 0, 0);
    HWND e = Focused(0, "");
    Type(U"0123456789012345678901234567890123456789");
    RECT r;
    GetClientRect(e, &r);
    const int atEnd = CaretColumn(e);
    EXPECT_GE(atEnd, r.right - 4); // at the right edge, not beyond it
    EXPECT_LT(atEnd, r.right);
    KeyPress(VK_HOME);
    EXPECT_EQ(CaretColumn(e), 2);
    KeyPress(VK_END);
    EXPECT_EQ(CaretColumn(e), atEnd);
    // Without the focus there is no caret.
    SetFocus(nullptr);
    EXPECT_EQ(CaretColumn(e), -1);
}

TEST_F(EditTest, AsksCtlColorEditAndReadOnlyAsksCtlColorStatic) {
    Parent().colorBrush = CreateSolidBrush(RGB(0, 120, 0));
    HWND e = Edit(0, "");
    HWND ro = Child("Edit", "", ES_READONLY, 20, 60, 100, 22, 5);
    EXPECT_EQ(ScreenPixel(e, 50, 10), RGB(0, 120, 0));
    UINT forEdit = 0, forReadOnly = 0;
    for (const ParentEvent& ev : Parent().events) {
        if (reinterpret_cast<HWND>(ev.lParam) == e) forEdit = ev.msg;
        if (reinterpret_cast<HWND>(ev.lParam) == ro) forReadOnly = ev.msg;
    }
    EXPECT_EQ(forEdit, WM_CTLCOLOREDIT);
    EXPECT_EQ(forReadOnly, WM_CTLCOLORSTATIC);
    // The client edge comes from the frame: the client is inset by two pixels each side.
    RECT wr, cr;
    GetWindowRect(e, &wr);
    GetClientRect(e, &cr);
    EXPECT_EQ(WidthOf(wr) - WidthOf(cr), 4);
}

TEST_F(EditTest, MultiLineEnterAddsALineAndArrowsMoveBetweenLines) {
    HWND e = Child("Edit", "", ES_MULTILINE, 20, 20, 150, 80, 6);
    SetFocus(e);
    Type(U"ab");
    KeyPress(VK_RETURN);
    Type(U"cd");
    EXPECT_EQ(GetWindowText(e), "ab\r\ncd");
    KeyPress(VK_UP);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{2, 2}));
    KeyPress(VK_HOME);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 0}));
    KeyPress(VK_DOWN);
    KeyPress(VK_END);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 6}));
    KeyPress(VK_HOME);
    KeyPress(VK_BACK); // joins the lines: the line break goes as one character
    EXPECT_EQ(GetWindowText(e), "abcd");
    EXPECT_EQ(SendMessage(e, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}

TEST_F(EditTest, ParentMayDestroyTheFieldOnChange) {
    HWND e = Focused();
    Parent().onMessage = [&](UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COMMAND && HIWORD(wParam) == EN_UPDATE)
            DestroyWindow(reinterpret_cast<HWND>(lParam));
    };
    TypeChar('q');
    EXPECT_FALSE(IsWindow(e));
    for (auto [code, from] : Commands())
        EXPECT_NE(code, EN_CHANGE); // none from a window that is gone
}

} // namespace

namespace {

TEST_F(EditTest, AlignmentStylesPlaceTheCaretOfAnEmptyField) {
    Parent().colorBrush = CreateSolidBrush(RGB(255, 255, 255));
    // The client is 146 wide (150 less the client edge); the text area leaves 2 pixels each
    // side and one column for the caret: 141 columns of slack in an empty field.
    struct Case {
        DWORD style;
        int caret;
    } cases[] = {{ES_LEFT, 2}, {ES_CENTER, 2 + 141 / 2}, {ES_RIGHT, 2 + 141}};
    for (const Case& c : cases) {
        HWND e = Edit(c.style);
        SetFocus(e);
        EXPECT_EQ(CaretColumn(e), c.caret) << c.style;
        DestroyWindow(e);
    }
}

} // namespace
