#include "platform/controls/TabControl.h"

#include <functional>
#include <string>
#include <vector>

#include "BarTestUtil.h"
#include "platform/controls/ControlSupport.h"
#include "platform/text/Text.h"
#include "platform/window/OwnerDraw.h"
#include "platform/window/ScrollBars.h"

namespace {

struct TabParentLog {
    std::vector<UINT> codes;
    bool veto = false;
    std::vector<std::pair<UINT, UINT>> drawn; // control type, item
};

TabParentLog& Log() {
    static TabParentLog log;
    return log;
}

LRESULT TabParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
        Log().codes.push_back(code);
        return code == TCN_SELCHANGING && Log().veto ? 1 : 0;
    }
    if (msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        Log().drawn.push_back({dis->CtlType, dis->itemID});
        return 1;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class TabControlTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Log() = TabParentLog{};
        WNDCLASS wc;
        wc.lpszClassName = "TabTestParent";
        wc.lpfnWndProc = TabParentProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClass(wc);
        RegisterTabControlClass();
        RegisterTabControlClass();
        parent_ = Track(MakePlainParent(400, 300, "TabTestParent"));
        HFONT font = CreateMessageFont();
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, font);
        SIZE size;
        GetTextExtentPoint32(dc, "X", 1, &size);
        tabHeight_ = size.cy + 6;
        DeleteDC(dc);
        DeleteObject(font);
    }
    void TearDown() override {
        WindowTest::TearDown();
        Log() = TabParentLog{};
    }
    HWND MakeTabs(DWORD style, int width, std::vector<std::string> texts, int x = 0, int y = 0,
                  int height = 200) {
        HWND tab = CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | style, x, y, width,
                                  height, parent_, nullptr, nullptr, nullptr);
        for (size_t i = 0; i < texts.size(); ++i) {
            TCITEM item;
            item.mask = TCIF_TEXT | TCIF_PARAM;
            item.pszText = texts[i].data();
            item.lParam = LPARAM(100 + i);
            EXPECT_EQ(SendMessage(tab, TCM_INSERTITEMA, i, LPARAM(&item)), LRESULT(i));
        }
        return tab;
    }
    static int TextWidth(const std::string& text) {
        HFONT font = CreateMessageFont();
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, font);
        SIZE size;
        GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
        DeleteDC(dc);
        DeleteObject(font);
        return size.cx;
    }
    static RECT ItemRect(HWND tab, int i) {
        RECT r{};
        EXPECT_TRUE(SendMessage(tab, TCM_GETITEMRECT, i, LPARAM(&r)));
        return r;
    }
    static HWND ArrowsOf(HWND tab) {
        HWND found = nullptr;
        EnumChildWindows(tab, [&](HWND child) {
            if (GetClassName(child) == "msctls_updown32") found = child;
            return found == nullptr;
        });
        return found;
    }
    HWND parent_ = nullptr;
    int tabHeight_ = 0;
};

TEST_F(TabControlTest, TabsLieInARowSizedToTheirTexts) {
    std::vector<std::string> texts = {"A1", "Бет", "Ұзын бет"};
    HWND tab = MakeTabs(0, 380, texts);
    int x = 2;
    for (int i = 0; i < 3; ++i) {
        int w = TextWidth(texts[i]) + 12;
        EXPECT_TRUE(SameRect(ItemRect(tab, i), {x, 2, x + w, 2 + tabHeight_}))
            << i << ": " << RectText(ItemRect(tab, i));
        x += w;
    }
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(tab, TCM_GETROWCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0); // the first tab is selected
    RECT none;
    EXPECT_FALSE(SendMessage(tab, TCM_GETITEMRECT, 3, LPARAM(&none)));
    // Fixed width: every tab as wide and high as asked.
    DestroyWindow(tab);
    tab = MakeTabs(TCS_FIXEDWIDTH, 380, texts);
    SendMessage(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 25));
    EXPECT_TRUE(SameRect(ItemRect(tab, 2), {122, 2, 182, 27})) << RectText(ItemRect(tab, 2));
}

TEST_F(TabControlTest, ItemsKeepTheirTextsAndParams) {
    HWND tab = MakeTabs(0, 380, {"Бір", "Екі", "Үш"});
    char buffer[32];
    TCITEM item;
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ASSERT_TRUE(SendMessage(tab, TCM_GETITEMA, 1, LPARAM(&item)));
    EXPECT_EQ(std::string(buffer), "Екі");
    EXPECT_EQ(item.lParam, 101);
    SendMessage(tab, TCM_SETCURSEL, 2, 0);
    ASSERT_TRUE(SendMessage(tab, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 1); // the selection follows its tab
    ASSERT_TRUE(SendMessage(tab, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_FALSE(SendMessage(tab, TCM_DELETEITEM, 5, 0));
    SendMessage(tab, TCM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_TRUE(Log().codes.empty()); // none of this is the user's doing
}

TEST_F(TabControlTest, ClicksAndKeysChangeTheSelectionUnlessVetoed) {
    HWND tab = MakeTabs(0, 380, {"One", "Two", "Three"});
    RECT r1 = ItemRect(tab, 1), r2 = ItemRect(tab, 2);
    struct Step {
        std::function<void()> act;
        bool veto;
        std::vector<UINT> codes;
        int cur;
    } steps[] = {
        {[&] {
             Click({r1.left + 5, r1.top + 8});
         },
         false,
         {TCN_SELCHANGING, TCN_SELCHANGE},
         1},
        {[&] {
             Click({r2.left + 5, r2.top + 8});
         },
         true,
         {TCN_SELCHANGING},
         1},
        {[&] {
             Click({r1.left + 5, r1.top + 8});
         },
         false,
         {},
         1}, // already selected
        {[] { KeyPress(VK_RIGHT); }, false, {TCN_SELCHANGING, TCN_SELCHANGE}, 2},
        {[] { KeyPress(VK_RIGHT); }, false, {}, 2}, // the last one stays
        {[] {
             KeyDown(VK_CONTROL);
             KeyPress(VK_TAB);
             KeyUp(VK_CONTROL);
         },
         false,
         {TCN_SELCHANGING, TCN_SELCHANGE},
         0},
        {[] { KeyPress(VK_LEFT); }, false, {}, 0},
        {[] { KeyPress(VK_RIGHT); }, true, {TCN_SELCHANGING}, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        Log().codes.clear();
        Log().veto = steps[i].veto;
        steps[i].act();
        EXPECT_EQ(Log().codes, steps[i].codes) << "step " << i;
        EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), steps[i].cur) << "step " << i;
    }
    EXPECT_EQ(GetFocus(), tab);
}

TEST_F(TabControlTest, AdjustRectWorksBothWays) {
    struct Case {
        DWORD style;
        RECT window, display;
    } cases[] = {
        {0, {10, 20, 310, 220}, {14, 20 + 2 + tabHeight_ + 4, 306, 216}},
        {TCS_BOTTOM, {10, 20, 310, 220}, {14, 24, 306, 220 - 2 - tabHeight_ - 4}},
    };
    for (const Case& c : cases) {
        HWND tab = MakeTabs(c.style, 300, {"A", "B"}, 10, 20);
        RECT r = c.window;
        SendMessage(tab, TCM_ADJUSTRECT, 0, LPARAM(&r));
        EXPECT_TRUE(SameRect(r, c.display)) << c.style << ": " << RectText(r);
        SendMessage(tab, TCM_ADJUSTRECT, 1, LPARAM(&r));
        EXPECT_TRUE(SameRect(r, c.window)) << c.style << ": " << RectText(r);
        DestroyWindow(tab);
    }
}

TEST_F(TabControlTest, BottomTabsHangBelowThePage) {
    HWND tab = MakeTabs(TCS_BOTTOM, 300, {"A"}, 0, 0, 200);
    EXPECT_TRUE(SameRect(ItemRect(tab, 0), {2, 198 - tabHeight_, 2 + TextWidth("A") + 12, 198}))
        << RectText(ItemRect(tab, 0));
}

TEST_F(TabControlTest, OverflowingRowGetsArrowsThatScrollIt) {
    std::vector<std::string> texts;
    for (int i = 0; i < 10; ++i) texts.push_back("Tab " + std::to_string(i));
    HWND tab = MakeTabs(0, 200, texts);
    HWND arrows = ArrowsOf(tab);
    ASSERT_NE(arrows, nullptr);
    EXPECT_TRUE(IsWindowVisible(arrows));
    RECT a;
    GetWindowRect(arrows, &a);
    EXPECT_TRUE(SameRect(a, {168, 2, 200, 2 + tabHeight_})) << RectText(a);
    SendMessage(tab, WM_HSCROLL, MAKELONG(SB_THUMBPOSITION, 3), LPARAM(arrows));
    EXPECT_EQ(ItemRect(tab, 3).left, 2);
    EXPECT_LT(ItemRect(tab, 2).right, 3);
    // The arrows themselves: the right one steps forward, the left one back.
    Click({a.right - 4, a.top + 4});
    EXPECT_EQ(ItemRect(tab, 4).left, 2);
    Click({a.left + 4, a.top + 4});
    Click({a.left + 4, a.top + 4});
    EXPECT_EQ(ItemRect(tab, 2).left, 2);
    // A tab under the arrows cannot be clicked through them.
    Log().codes.clear();
    Click({a.left + 4, a.top + 4});
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);
    // Wide enough again: no arrows, the row starts at its first tab.
    SetWindowPos(tab, nullptr, 0, 0, 2000, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(IsWindowVisible(arrows));
    EXPECT_EQ(ItemRect(tab, 0).left, 2);
}

TEST_F(TabControlTest, OwnerMayReplaceTheArrowsWithItsOwn) {
    std::vector<std::string> texts;
    for (int i = 0; i < 10; ++i) texts.push_back("Tab " + std::to_string(i));
    HWND tab = MakeTabs(0, 200, texts);
    ASSERT_NE(ArrowsOf(tab), nullptr);
    DestroyWindow(ArrowsOf(tab));
    SetWindowPos(tab, nullptr, 0, 0, 180, 200, SWP_NOMOVE | SWP_NOZORDER); // a new layout
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("More");
    SendMessage(tab, TCM_INSERTITEMA, 10, LPARAM(&item));
    EXPECT_EQ(ArrowsOf(tab), nullptr);
    // The owner's own buttons scroll the strip with the same message.
    SendMessage(tab, WM_HSCROLL, MAKELONG(SB_THUMBPOSITION, 2), 0);
    EXPECT_EQ(ItemRect(tab, 2).left, 2);
}

TEST_F(TabControlTest, MultilineWrapsIntoRows) {
    std::vector<std::string> texts;
    for (int i = 0; i < 10; ++i) texts.push_back("Tab " + std::to_string(i));
    HWND tab = MakeTabs(TCS_MULTILINE, 200, texts);
    int w = TextWidth("Tab 0") + 12; // all ten texts are digits of one width in these fonts
    int perRow = 196 / w;
    ASSERT_GT(perRow, 0);
    EXPECT_EQ(SendMessage(tab, TCM_GETROWCOUNT, 0, 0), (10 + perRow - 1) / perRow);
    EXPECT_TRUE(SameRect(ItemRect(tab, perRow), {2, 2 + tabHeight_, 2 + w, 2 + 2 * tabHeight_}))
        << RectText(ItemRect(tab, perRow));
    EXPECT_EQ(ArrowsOf(tab) ? IsWindowVisible(ArrowsOf(tab)) : false, false);
}

TEST_F(TabControlTest, SelectedTabIsRaisedAndJoinedToThePage) {
    HWND tab = MakeTabs(0, 300, {"One", "Two"});
    SendMessage(tab, TCM_SETCURSEL, 1, 0);
    UpdateWindow(parent_);
    Bitmap shot = Screenshot();
    RECT r0 = ItemRect(tab, 0), r1 = ItemRect(tab, 1);
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
    int mid0 = (r0.left + r0.right) / 2, mid1 = (r1.left + r1.right) / 2;
    EXPECT_EQ(PixelOf(shot, mid0, 2), light); // unselected top edge
    EXPECT_EQ(PixelOf(shot, mid1, 0), light); // selected: 2 pixels higher
    EXPECT_EQ(PixelOf(shot, mid1, 2), face);
    int frameTop = 2 + tabHeight_;
    EXPECT_EQ(PixelOf(shot, mid0, frameTop), light); // the page's top edge under tab 0
    EXPECT_EQ(PixelOf(shot, mid1, frameTop), face);  // open under the selected tab
    EXPECT_EQ(PixelOf(shot, r1.left - 2, frameTop - 4),
              light); // its left edge reaches 2 further out
}

TEST_F(TabControlTest, OwnerDrawnTabsAskTheParent) {
    HWND tab = MakeTabs(TCS_OWNERDRAWFIXED, 300, {"One", "Two"});
    Log().drawn.clear();
    InvalidateRect(tab, nullptr, true);
    UpdateWindow(tab);
    // The selected tab is drawn last, over its neighbours.
    std::vector<std::pair<UINT, UINT>> want = {{ODT_TAB, 1}, {ODT_TAB, 0}};
    EXPECT_EQ(Log().drawn, want);
}

TEST_F(TabControlTest, HitTestFindsTabs) {
    HWND tab = MakeTabs(0, 300, {"One", "Two"});
    RECT r1 = ItemRect(tab, 1);
    TCHITTESTINFO info;
    info.pt = {r1.left + 3, r1.top + 5};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, LPARAM(&info)), 1);
    EXPECT_EQ(info.flags, TCHT_ONITEM);
    info.pt = {250, 100};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, LPARAM(&info)), -1);
    EXPECT_EQ(info.flags, TCHT_NOWHERE);
}

// Tabs on the left and right: the top layout turned about the diagonal (a tab is its text's
// width plus 12 long, down the side, and a text height plus 6 thick), mirrored for the right.
TEST_F(TabControlTest, SideTabsRunDownTheirEdgeAndHitTestThere) {
    const int th = tabHeight_, one = TextWidth("One") + 12, two = TextWidth("Two") + 12;
    struct Case {
        DWORD style;
        RECT tab0, tab1;
        RECT display;   // of the window rectangle {10, 20, 310, 220}
        POINT selected; // a corner only the selected tab 0 reaches (2 out along, 1 or 2 across)
    } cases[] = {
        {TCS_VERTICAL,
         {2, 2, 2 + th, 2 + one},
         {2, 2 + one, 2 + th, 2 + one + two},
         {10 + 4 + 2 + th, 24, 306, 216},
         {0, 0}},
        {TCS_VERTICAL | TCS_RIGHT,
         {298 - th, 2, 298, 2 + one},
         {298 - th, 2 + one, 298, 2 + one + two},
         {14, 24, 310 - 4 - 2 - th, 216},
         {299, 0}},
    };
    for (const Case& c : cases) {
        HWND tab = MakeTabs(c.style, 300, {"One", "Two"}, 10, 20);
        EXPECT_TRUE(SameRect(ItemRect(tab, 0), c.tab0))
            << c.style << ": " << RectText(ItemRect(tab, 0));
        EXPECT_TRUE(SameRect(ItemRect(tab, 1), c.tab1))
            << c.style << ": " << RectText(ItemRect(tab, 1));
        RECT r{10, 20, 310, 220};
        SendMessage(tab, TCM_ADJUSTRECT, 0, LPARAM(&r));
        EXPECT_TRUE(SameRect(r, c.display)) << c.style << ": " << RectText(r);
        SendMessage(tab, TCM_ADJUSTRECT, 1, LPARAM(&r));
        EXPECT_TRUE(SameRect(r, RECT{10, 20, 310, 220})) << c.style << ": " << RectText(r);

        TCHITTESTINFO info;
        info.pt = {(c.tab1.left + c.tab1.right) / 2, c.tab1.top + 3};
        EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, LPARAM(&info)), 1) << c.style;
        info.pt = c.selected;
        EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, LPARAM(&info)), 0) << c.style;
        info.pt = {150, 100}; // the page
        EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, LPARAM(&info)), -1) << c.style;
        // A click on the second tab selects it, as on top tabs.
        Click({10 + (c.tab1.left + c.tab1.right) / 2, 20 + c.tab1.top + 5});
        EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 1) << c.style;
        DestroyWindow(tab);
    }
}

TEST_F(TabControlTest, SideTabsTooManyForTheHeightTakeMoreColumns) {
    std::vector<std::string> texts(4, "Tab 0");
    HWND tab = MakeTabs(TCS_VERTICAL, 300, texts, 0, 0, 3 * (TextWidth("Tab 0") + 12));
    const int len = TextWidth("Tab 0") + 12, perColumn = (3 * len - 4) / len; // 2
    EXPECT_EQ(SendMessage(tab, TCM_GETROWCOUNT, 0, 0), (4 + perColumn - 1) / perColumn);
    EXPECT_TRUE(
        SameRect(ItemRect(tab, perColumn), {2 + tabHeight_, 2, 2 + 2 * tabHeight_, 2 + len}))
        << RectText(ItemRect(tab, perColumn));
    EXPECT_EQ(ArrowsOf(tab), nullptr); // columns, never arrows
}

TEST_F(TabControlTest, SideTabsAreDrawnOnTheirEdgeWithTurnedText) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW),
                   face = GetSysColor(COLOR_BTNFACE);
    for (DWORD style : {TCS_VERTICAL, TCS_VERTICAL | TCS_RIGHT}) {
        const bool right = (style & TCS_RIGHT) != 0;
        HWND tab = MakeTabs(style, 300, {"One", "Two"});
        UpdateWindow(parent_);
        const Bitmap shot = Screenshot();
        const RECT r0 = ItemRect(tab, 0), r1 = ItemRect(tab, 1); // tab 0 is selected
        // Rows near the tabs' upper ends, clear of their texts.
        const int mid0 = r0.top + 4, mid1 = r1.top + 4;
        if (!right) {
            EXPECT_EQ(PixelOf(shot, r1.left, mid1), light);     // unselected outer edge
            EXPECT_EQ(PixelOf(shot, r0.left - 2, mid0), light); // selected: 2 further out
            EXPECT_EQ(PixelOf(shot, r0.left, mid0), face);
            EXPECT_EQ(PixelOf(shot, r1.right, mid1), light); // the page's left edge
            EXPECT_EQ(PixelOf(shot, r0.right, mid0), face);  // open beside the selected tab
        } else {
            EXPECT_EQ(PixelOf(shot, r1.right - 1, mid1), dark);
            EXPECT_EQ(PixelOf(shot, r0.right + 1, mid0), dark);
            EXPECT_EQ(PixelOf(shot, r0.right - 1, mid0), face);
            EXPECT_EQ(PixelOf(shot, r1.left - 1, mid1), dark); // the page's right edge
            EXPECT_EQ(PixelOf(shot, r0.left - 1, mid0), face);
        }
        // The text runs along the tab: its ink is taller than wide, and lies inside the tab.
        const RECT inside{r1.left + 2, r1.top + 2, r1.right - 2, r1.bottom - 2};
        const RECT ink = InkBox(shot, inside, face);
        EXPECT_GT(HeightOf(ink), TextWidth("Two") / 2) << RectText(ink);
        EXPECT_GT(HeightOf(ink), WidthOf(ink)) << RectText(ink);
        DestroyWindow(tab);
    }
}

} // namespace
