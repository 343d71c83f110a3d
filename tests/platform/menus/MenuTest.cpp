// Menus: objects, the menu bar, pop-up windows, the menu loop by mouse and keyboard, owner
// draw, TrackPopupMenu and the system menu.
#include "platform/menus/Menu.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "WindowTestUtil.h"
#include "platform/menus/MenuInternal.h"
#include "platform/text/Text.h"

namespace {

constexpr UINT kOpen = 101, kExit = 102, kInner = 201, kCopy = 301, kPaste = 302, kHelp = 401;

struct Seen {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Seen>& Log() {
    static std::vector<Seen> log;
    return log;
}

struct OwnerDrawCall {
    DRAWITEMSTRUCT dis;
    HWND dcWindow;
};
std::vector<OwnerDrawCall>& Draws() {
    static std::vector<OwnerDrawCall> draws;
    return draws;
}
int g_measures = 0;

bool Logged(UINT msg) {
    switch (msg) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_CLOSE:
    case WM_DESTROY: return true;
    default: return false;
    }
}

LRESULT OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Logged(msg)) Log().push_back({msg, wParam, lParam});
    if (msg == WM_MEASUREITEM) {
        ++g_measures;
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->itemWidth = 50;
        mis->itemHeight = 20;
        return 1;
    }
    if (msg == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        Draws().push_back({*dis, WindowFromDC(dis->hDC)});
        return 1;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

std::vector<Seen> Of(UINT msg) {
    std::vector<Seen> out;
    for (const Seen& s : Log())
        if (s.msg == msg) out.push_back(s);
    return out;
}

std::vector<HWND> g_createdPopups;
HHOOK g_cbt = nullptr;
LRESULT CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* cbt = reinterpret_cast<const CBT_CREATEWND*>(lParam);
        if (std::string(cbt->lpcs->lpszClass) == "#32768")
            g_createdPopups.push_back(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(g_cbt, code, wParam, lParam);
}

POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT ItemRect(HWND hwnd, HMENU menu, UINT pos) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(hwnd, menu, pos, &r));
    return r;
}

class MenuTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        WNDCLASS wc;
        wc.lpszClassName = "MenuOwner";
        wc.lpfnWndProc = OwnerProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClass(wc);
        Log().clear();
        Draws().clear();
        g_measures = 0;
        g_createdPopups.clear();
        g_cbt = SetWindowsHookEx(WH_CBT, CbtProc, nullptr, 0);

        file_ = CreatePopupMenu();
        AppendMenu(file_, MF_STRING, kOpen, "&Ашу\tCtrl+O");
        AppendMenu(file_, MF_SEPARATOR, 0, nullptr);
        inner_ = CreatePopupMenu();
        AppendMenu(inner_, MF_STRING, kInner, "Бір");
        AppendMenu(file_, MF_POPUP, uintptr_t(inner_), "&Ішкі");
        AppendMenu(file_, MF_STRING, kExit, "&Шығу");
        edit_ = CreatePopupMenu();
        AppendMenu(edit_, MF_STRING | MF_GRAYED, kCopy, "&Copy");
        AppendMenu(edit_, MF_STRING, kPaste, "&Paste");
        bar_ = CreateMenu();
        AppendMenu(bar_, MF_POPUP, uintptr_t(file_), "&Файл");
        AppendMenu(bar_, MF_POPUP, uintptr_t(edit_), "&Edit");
        AppendMenu(bar_, MF_STRING, kHelp, "&Help");
        hwnd_ = Track(CreateWindowEx(0, "MenuOwner", "Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                     100, 400, 300, nullptr, nullptr, nullptr, nullptr));
        SetMenu(hwnd_, bar_);
        ProcessPendingMessages();
        Log().clear();
    }
    void TearDown() override {
        EndMenu();
        UnhookWindowsHookEx(g_cbt);
        Headless()->SetDriver(nullptr);
        WindowTest::TearDown();
        DestroyMenu(bar_);
    }
    // The pop-up windows shown now, in creation order.
    std::vector<HWND> OpenPopups() const {
        std::vector<HWND> out;
        for (HWND h : g_createdPopups)
            if (IsWindow(h)) out.push_back(h);
        return out;
    }

    HMENU bar_ = nullptr, file_ = nullptr, inner_ = nullptr, edit_ = nullptr;
    HWND hwnd_ = nullptr;
};

// ---------------------------------------------------------------- objects

TEST(MenuObjectTest, ItemsStatesAndInfo) {
    HMENU m = CreatePopupMenu();
    ASSERT_TRUE(IsMenu(m));
    EXPECT_TRUE(AppendMenu(m, MF_STRING | MF_CHECKED, 10, "&One\tCtrl+1"));
    EXPECT_TRUE(AppendMenu(m, MF_SEPARATOR, 0, nullptr));
    HMENU sub = CreatePopupMenu();
    EXPECT_TRUE(AppendMenu(sub, MF_STRING | MF_GRAYED, 30, "Deep"));
    EXPECT_TRUE(AppendMenu(m, MF_POPUP, uintptr_t(sub), "Sub"));
    EXPECT_TRUE(InsertMenu(m, 0, MF_BYPOSITION | MF_STRING, 5, "Zero"));
    EXPECT_EQ(GetMenuItemCount(m), 4);
    EXPECT_EQ(GetMenuItemID(m, 0), 5u);
    EXPECT_EQ(GetMenuItemID(m, 1), 10u);
    EXPECT_EQ(GetMenuItemID(m, 3), UINT(-1)); // a submenu has no id
    EXPECT_EQ(GetSubMenu(m, 3), sub);
    EXPECT_EQ(GetMenuState(m, 10, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(GetMenuState(m, 2, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(m, 3, MF_BYPOSITION), MF_POPUP | (1u << 8));
    // By command the search reaches into submenus.
    EXPECT_EQ(GetMenuState(m, 30, MF_BYCOMMAND), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(EnableMenuItem(m, 30, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(GetMenuState(m, 30, MF_BYCOMMAND), 0u);
    EXPECT_EQ(CheckMenuItem(m, 10, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(GetMenuState(m, 10, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(m, 99, MF_BYCOMMAND), UINT(-1));

    char text[64];
    MENUITEMINFO info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfo(m, 1, true, &info));
    EXPECT_STREQ(text, "&One\tCtrl+1");
    EXPECT_EQ(info.cch, 11u);
    EXPECT_EQ(info.wID, 10u);
    EXPECT_EQ(info.fType, MFT_STRING);
    EXPECT_EQ(info.hSubMenu, nullptr);

    MENUITEMINFO set;
    set.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE | MIIM_STRING;
    set.fType = MFT_OWNERDRAW | MFT_RADIOCHECK;
    set.fState = MFS_CHECKED | MFS_DEFAULT;
    set.dwItemData = 0x1234;
    char renamed[] = "Renamed";
    set.dwTypeData = renamed;
    ASSERT_TRUE(SetMenuItemInfo(m, 10, false, &set));
    MENUITEMINFO back;
    back.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfo(m, 10, false, &back));
    EXPECT_EQ(back.fType, MFT_OWNERDRAW | MFT_RADIOCHECK);
    EXPECT_EQ(back.fState, MFS_CHECKED | MFS_DEFAULT);
    EXPECT_EQ(back.dwItemData, 0x1234u);
    EXPECT_EQ(GetMenuString(m, 10, text, sizeof text, MF_BYCOMMAND), 7);
    EXPECT_STREQ(text, "Renamed");

    EXPECT_TRUE(ModifyMenu(m, 0, MF_BYPOSITION | MF_STRING, 6, "Six"));
    EXPECT_EQ(GetMenuItemID(m, 0), 6u);

    // RemoveMenu keeps the submenu alive, DeleteMenu destroys it, DestroyMenu the whole tree.
    HMENU kept = CreatePopupMenu();
    AppendMenu(m, MF_POPUP, uintptr_t(kept), "Kept");
    EXPECT_TRUE(RemoveMenu(m, 4, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(kept));
    EXPECT_TRUE(DeleteMenu(m, 3, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub));
    HMENU deep = CreatePopupMenu();
    AppendMenu(m, MF_POPUP, uintptr_t(deep), "Deep");
    EXPECT_TRUE(DestroyMenu(m));
    EXPECT_FALSE(IsMenu(m));
    EXPECT_FALSE(IsMenu(deep));
    EXPECT_FALSE(DestroyMenu(m));
    EXPECT_EQ(GetMenuItemCount(m), -1);
    DestroyMenu(kept);
}

TEST(MenuObjectTest, MenuContainingItselfDoesNotLoop) {
    HMENU m = CreatePopupMenu();
    AppendMenu(m, MF_POPUP, uintptr_t(m), "Self");
    EXPECT_EQ(GetMenuState(m, 77, MF_BYCOMMAND), UINT(-1));
    EXPECT_TRUE(DestroyMenu(m));
    EXPECT_FALSE(IsMenu(m));
}

TEST(MenuObjectTest, MnemonicsFoldKazakhAndLatinCase) {
    const std::pair<char32_t, char32_t> pairs[] = {
        {U'A', U'a'}, {U'Z', U'z'}, {U'Ф', U'ф'}, {U'Я', U'я'}, {U'Ё', U'ё'}, {U'І', U'і'},
        {U'Ә', U'ә'}, {U'Ғ', U'ғ'}, {U'Қ', U'қ'}, {U'Ң', U'ң'}, {U'Ө', U'ө'}, {U'Ұ', U'ұ'},
        {U'Ү', U'ү'}, {U'Һ', U'һ'}, {U'Ӂ', U'ӂ'}, {U'Ӏ', U'ӏ'},
    };
    for (const auto& [upper, lower] : pairs) {
        SCOPED_TRACE(uint32_t(upper));
        EXPECT_EQ(FoldCase(uint32_t(upper)), uint32_t(lower));
        EXPECT_EQ(FoldCase(uint32_t(lower)), uint32_t(lower));
    }
    MenuItem item;
    item.text = "Ү&лкейту\tAlt+U";
    EXPECT_EQ(ItemMnemonic(item), uint32_t(U'л'));
    item.text = "A && B";
    EXPECT_EQ(ItemMnemonic(item), 0u);
    item.text = "Trailing&";
    EXPECT_EQ(ItemMnemonic(item), 0u);
}

// ---------------------------------------------------------------- the bar

TEST_F(MenuTest, BarTakesOneLineAndItemsSitOnIt) {
    // Frame 4 and caption 19 above the bar; the bar is one SM_CYMENU (19) line.
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    EXPECT_EQ(origin.y, 100 + 4 + 19 + 19);
    EXPECT_EQ(GetMenu(hwnd_), bar_);

    HDC dc = CreateCompatibleDC(nullptr);
    NONCLIENTMETRICS ncm;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    HFONT font = CreateFontIndirect(&ncm.lfMenuFont);
    SelectObject(dc, font);
    SIZE file{}, edit{};
    GetTextExtentPoint32(dc, "Файл", -1, &file);
    GetTextExtentPoint32(dc, "Edit", -1, &edit);
    DeleteDC(dc);
    DeleteObject(font);
    // Items are their text plus 7 pixels each side, one pixel shorter than the line.
    const RECT first = ItemRect(hwnd_, bar_, 0), second = ItemRect(hwnd_, bar_, 1);
    EXPECT_EQ(first, Rect(104, 123, 104 + file.cx + 14, 123 + 18));
    EXPECT_EQ(second, Rect(first.right, 123, first.right + edit.cx + 14, 123 + 18));

    SetMenu(hwnd_, nullptr);
    origin = POINT{0, 0};
    ClientToScreen(hwnd_, &origin);
    EXPECT_EQ(origin.y, 100 + 4 + 19);
    SetMenu(hwnd_, bar_);
}

TEST_F(MenuTest, ItemsThatDoNotFitWrapToMoreLines) {
    // 52 pixels between the frames: no two of the items (each over 30 wide) share a line.
    MoveWindow(hwnd_, 100, 100, 60, 300, true);
    const RECT first = ItemRect(hwnd_, bar_, 0), second = ItemRect(hwnd_, bar_, 1);
    EXPECT_EQ(second.left, 104);
    EXPECT_EQ(second.top, first.top + 19);
    int lines = 1;
    for (UINT i = 1; i < 3; ++i) lines += ItemRect(hwnd_, bar_, i).left == 104 ? 1 : 0;
    EXPECT_EQ(lines, 3);
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    EXPECT_EQ(origin.y, 100 + 4 + 19 + lines * 19);
}

// ---------------------------------------------------------------- the loop by mouse

TEST_F(MenuTest, ClickOnBarOpensPopupAndClickOnItemSendsCommand) {
    Click(Center(ItemRect(hwnd_, bar_, 0)));
    ASSERT_TRUE(IsMenuLoopActive());
    ASSERT_EQ(OpenPopups().size(), 1u);
    const HWND popup = OpenPopups()[0];
    EXPECT_EQ(GetClassName(popup), "#32768");
    EXPECT_EQ(HMENU(reinterpret_cast<HMENU>(SendMessage(popup, MN_GETHMENU, 0, 0))), file_);
    ASSERT_EQ(Of(WM_ENTERMENULOOP).size(), 1u);
    EXPECT_EQ(Of(WM_ENTERMENULOOP)[0].wParam, 0u);
    ASSERT_EQ(Of(WM_INITMENUPOPUP).size(), 1u);
    EXPECT_EQ(Of(WM_INITMENUPOPUP)[0].wParam, WPARAM(reinterpret_cast<uintptr_t>(file_)));
    EXPECT_EQ(Of(WM_INITMENUPOPUP)[0].lParam, MAKELPARAM(0, 0));

    // The pop-up hangs below the bar item with its 3-pixel frame around the items.
    RECT wr;
    GetWindowRect(popup, &wr);
    const RECT bar = ItemRect(hwnd_, bar_, 0);
    EXPECT_EQ(wr.left, bar.left);
    EXPECT_EQ(wr.top, bar.bottom);
    const RECT open = ItemRect(hwnd_, file_, 0);
    EXPECT_EQ(open.left, wr.left + 3);
    EXPECT_EQ(open.top, wr.top + 3);

    Log().clear();
    Click(Center(ItemRect(hwnd_, file_, 3)));
    EXPECT_FALSE(IsMenuLoopActive());
    EXPECT_FALSE(IsWindow(popup));
    ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_COMMAND)[0].wParam, kExit);
    EXPECT_EQ(Of(WM_COMMAND)[0].lParam, 0);
    EXPECT_EQ(Of(WM_EXITMENULOOP).size(), 1u);
    // The selection reached the item before the choice, and the loop's end was announced.
    const auto selects = Of(WM_MENUSELECT);
    ASSERT_GE(selects.size(), 2u);
    EXPECT_EQ(LOWORD(selects[selects.size() - 2].wParam), kExit);
    EXPECT_EQ(selects.back().wParam, MAKELONG(0, 0xFFFF));
}

TEST_F(MenuTest, HoverOpensSubmenusAndMovesAcrossTheBar) {
    Click(Center(ItemRect(hwnd_, bar_, 0)));
    MouseMoveTo(Center(ItemRect(hwnd_, file_, 2)));
    ASSERT_EQ(OpenPopups().size(), 2u);
    EXPECT_EQ(Of(WM_INITMENUPOPUP).back().wParam, WPARAM(reinterpret_cast<uintptr_t>(inner_)));
    EXPECT_EQ(Of(WM_INITMENUPOPUP).back().lParam, MAKELPARAM(2, 0));
    // Moving onto another bar item while a pop-up is open switches to its pop-up.
    MouseMoveTo(Center(ItemRect(hwnd_, bar_, 1)));
    ASSERT_EQ(OpenPopups().size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(OpenPopups()[0], MN_GETHMENU, 0, 0)), edit_);
    // A disabled item is not chosen; an enabled one is.
    Click(Center(ItemRect(hwnd_, edit_, 0)));
    EXPECT_TRUE(IsMenuLoopActive());
    Click(Center(ItemRect(hwnd_, edit_, 1)));
    EXPECT_FALSE(IsMenuLoopActive());
    ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_COMMAND)[0].wParam, kPaste);
}

TEST_F(MenuTest, ClickOutsideOrOnTheOpenItemClosesWithoutCommand) {
    const POINT item = Center(ItemRect(hwnd_, bar_, 0));
    Click(item);
    Click(POINT{700, 500});
    EXPECT_FALSE(IsMenuLoopActive());
    EXPECT_TRUE(OpenPopups().empty());
    Click(item);
    ASSERT_TRUE(IsMenuLoopActive());
    Click(item);
    EXPECT_FALSE(IsMenuLoopActive());
    EXPECT_TRUE(Of(WM_COMMAND).empty());
    EXPECT_EQ(Of(WM_EXITMENULOOP).size(), 2u);
}

TEST_F(MenuTest, BarItemWithoutPopupIsChosenOnRelease) {
    Click(Center(ItemRect(hwnd_, bar_, 2)));
    EXPECT_FALSE(IsMenuLoopActive());
    ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_COMMAND)[0].wParam, kHelp);
}

// ---------------------------------------------------------------- the loop by keyboard

TEST_F(MenuTest, AltOrF10SelectsFirstBarItemWithoutOpening) {
    for (UINT key : {VK_MENU, VK_F10}) {
        SCOPED_TRACE(key);
        Log().clear();
        KeyPress(key);
        ASSERT_TRUE(IsMenuLoopActive());
        EXPECT_TRUE(OpenPopups().empty());
        ASSERT_FALSE(Of(WM_MENUSELECT).empty());
        EXPECT_EQ(Of(WM_MENUSELECT)[0].lParam, LPARAM(reinterpret_cast<uintptr_t>(bar_)));
        EXPECT_EQ(LOWORD(Of(WM_MENUSELECT)[0].wParam), 0); // the first item, a pop-up: by position
        EXPECT_TRUE(HIWORD(Of(WM_MENUSELECT)[0].wParam) & MF_POPUP);
        KeyPress(key); // pressed again it leaves the menu
        EXPECT_FALSE(IsMenuLoopActive());
    }
}

TEST_F(MenuTest, ArrowKeysMoveAndEnterChooses) {
    KeyPress(VK_MENU);
    KeyPress(VK_RIGHT);
    KeyPress(VK_LEFT);
    KeyPress(VK_DOWN); // opens the first bar item's pop-up with its first item selected
    ASSERT_EQ(OpenPopups().size(), 1u);
    EXPECT_EQ(LOWORD(Of(WM_MENUSELECT).back().wParam), kOpen);
    KeyPress(VK_DOWN); // past the separator
    EXPECT_EQ(LOWORD(Of(WM_MENUSELECT).back().wParam), 2);
    KeyPress(VK_RIGHT); // into the submenu
    ASSERT_EQ(OpenPopups().size(), 2u);
    EXPECT_EQ(LOWORD(Of(WM_MENUSELECT).back().wParam), kInner);
    KeyPress(VK_ESCAPE); // one level back
    EXPECT_EQ(OpenPopups().size(), 1u);
    KeyPress(VK_UP);
    KeyPress(VK_UP); // wraps round past the first item to the last
    EXPECT_EQ(LOWORD(Of(WM_MENUSELECT).back().wParam), kExit);
    KeyPress(VK_RETURN);
    EXPECT_FALSE(IsMenuLoopActive());
    ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_COMMAND)[0].wParam, kExit);
}

TEST_F(MenuTest, EscapeClosesOneLevelAtATime) {
    KeyPress(VK_F10);
    KeyPress(VK_RIGHT); // the second bar item, still closed
    KeyPress(VK_RETURN);
    ASSERT_EQ(OpenPopups().size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(OpenPopups()[0], MN_GETHMENU, 0, 0)), edit_);
    KeyPress(VK_ESCAPE);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_TRUE(IsMenuLoopActive());
    KeyPress(VK_ESCAPE);
    EXPECT_FALSE(IsMenuLoopActive());
    EXPECT_TRUE(Of(WM_COMMAND).empty());
}

TEST_F(MenuTest, MnemonicsOpenAndChoose) {
    // Alt+E opens the bar item with that mnemonic, and a letter in the pop-up chooses.
    KeyDown(VK_MENU);
    KeyPress('E');
    KeyUp(VK_MENU);
    ASSERT_EQ(OpenPopups().size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(OpenPopups()[0], MN_GETHMENU, 0, 0)), edit_);
    TypeChar('P');
    EXPECT_FALSE(IsMenuLoopActive());
    ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_COMMAND)[0].wParam, kPaste);

    // Kazakh letters match whatever their case.
    Log().clear();
    SendMessage(hwnd_, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(U'ф'));
    ASSERT_EQ(OpenPopups().size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(OpenPopups()[0], MN_GETHMENU, 0, 0)), file_);
    TypeChar(U'і'); // opens the submenu
    EXPECT_EQ(OpenPopups().size(), 2u);
    KeyPress(VK_ESCAPE);
    TypeChar(U'Ш');
    ProcessPendingMessages();
    ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_COMMAND)[0].wParam, kExit);
}

// ---------------------------------------------------------------- the pop-up window

WNDPROC g_popupOld = nullptr;
std::vector<UINT> g_popupMessages;
LRESULT SubclassedPopup(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_popupMessages.push_back(msg);
    return CallWindowProc(g_popupOld, hwnd, msg, wParam, lParam);
}

TEST_F(MenuTest, PopupWindowIsCreatedSeenByHooksAndDestroyed) {
    g_popupMessages.clear();
    Click(Center(ItemRect(hwnd_, bar_, 0)));
    ASSERT_EQ(g_createdPopups.size(), 1u);
    const HWND popup = g_createdPopups[0];
    g_popupOld = SubclassWindow(popup, SubclassedPopup);
    // A region may be put on it, and it paints like every window.
    RECT wr;
    GetWindowRect(popup, &wr);
    SetWindowRgn(popup, CreateRectRgn(1, 1, WidthOf(wr) - 1, HeightOf(wr) - 1), true);
    RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    ProcessPendingMessages();
    auto saw = [](UINT m) {
        return std::find(g_popupMessages.begin(), g_popupMessages.end(), m) !=
               g_popupMessages.end();
    };
    EXPECT_TRUE(saw(WM_NCPAINT));
    EXPECT_TRUE(saw(WM_ERASEBKGND));
    EXPECT_TRUE(saw(WM_PAINT));
    EXPECT_TRUE(IsMenuLoopActive());
    KeyPress(VK_ESCAPE);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_TRUE(saw(WM_DESTROY));
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnInTheirRectangles) {
    ModifyMenu(bar_, 0, MF_BYPOSITION | MF_POPUP | MF_OWNERDRAW, uintptr_t(file_),
               reinterpret_cast<const char*>(uintptr_t(0x51)));
    ModifyMenu(file_, 0, MF_BYPOSITION | MF_OWNERDRAW, kOpen,
               reinterpret_cast<const char*>(uintptr_t(0x52)));
    DrawMenuBar(hwnd_);
    ProcessPendingMessages();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    ProcessPendingMessages();
    EXPECT_EQ(g_measures, 1); // a bar item is measured once
    // The bar item: 50 wide as measured, in window coordinates on the window's DC.
    const RECT barItem = ItemRect(hwnd_, bar_, 0);
    EXPECT_EQ(barItem, Rect(104, 123, 154, 141));
    ASSERT_FALSE(Draws().empty());
    const OwnerDrawCall barDraw = Draws().back();
    EXPECT_EQ(barDraw.dis.CtlType, ODT_MENU);
    EXPECT_EQ(barDraw.dis.itemData, 0x51u);
    EXPECT_EQ(barDraw.dis.rcItem, Rect(4, 23, 54, 41));
    EXPECT_EQ(barDraw.dcWindow, hwnd_);
    EXPECT_EQ(barDraw.dis.hwndItem, reinterpret_cast<HWND>(bar_));

    Draws().clear();
    Click(Center(barItem));
    ASSERT_EQ(OpenPopups().size(), 1u);
    const HWND popup = OpenPopups()[0];
    EXPECT_EQ(g_measures, 2); // the pop-up item, measured as the pop-up opens
    MouseMoveTo(Center(ItemRect(hwnd_, file_, 0)));
    ProcessPendingMessages();
    // The pop-up item: measured width + 12 for the check column, in client coordinates of
    // the pop-up, on the pop-up's DC, selected under the mouse.
    std::vector<OwnerDrawCall> popupDraws;
    for (const OwnerDrawCall& c : Draws())
        if (c.dis.itemData == 0x52) popupDraws.push_back(c);
    ASSERT_FALSE(popupDraws.empty());
    const OwnerDrawCall last = popupDraws.back();
    EXPECT_EQ(last.dcWindow, popup);
    EXPECT_EQ(last.dis.itemID, kOpen);
    EXPECT_EQ(last.dis.rcItem.left, 0);
    EXPECT_EQ(last.dis.rcItem.top, 0);
    EXPECT_EQ(last.dis.rcItem.bottom, 20);
    EXPECT_GE(WidthOf(last.dis.rcItem), 62);
    EXPECT_EQ(last.dis.itemState & ODS_SELECTED, ODS_SELECTED);
    // The bar item is drawn selected while its pop-up is open.
    bool barSelected = false;
    for (const OwnerDrawCall& c : Draws())
        if (c.dis.itemData == 0x51 && (c.dis.itemState & ODS_SELECTED)) barSelected = true;
    EXPECT_TRUE(barSelected);
}

// ---------------------------------------------------------------- TrackPopupMenu

TEST_F(MenuTest, TrackPopupMenuReturnsTheClickedCommand) {
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 11, "First");
    AppendMenu(menu, MF_STRING, 12, "Second");
    int steps = 0;
    Headless()->SetDriver([&]() {
        ++steps;
        if (steps == 1) {
            RECT popup{};
            GetWindowRect(OpenPopups().at(0), &popup);
            EXPECT_EQ(popup.left, 300);
            EXPECT_EQ(popup.top, 200);
            Click(Center(ItemRect(hwnd_, menu, 1)));
        }
        return steps < 10;
    });
    const UINT chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, 300, 200, 0, hwnd_, nullptr);
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(chosen, 12u);
    EXPECT_FALSE(IsMenuLoopActive());
    ProcessPendingMessages();
    EXPECT_TRUE(Of(WM_COMMAND).empty()); // with TPM_RETURNCMD no command is sent
    MSG quit;
    EXPECT_FALSE(
        PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)); // the outer loop goes on
    DestroyMenu(menu);
}

TEST_F(MenuTest, TrackPopupMenuReturnsZeroWhenEscaped) {
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 11, "Only");
    bool pressed = false;
    Headless()->SetDriver([&]() {
        if (!pressed) KeyPress(VK_ESCAPE);
        pressed = true;
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 300, 200, 0, hwnd_, nullptr), 0u);
    Headless()->SetDriver(nullptr);
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(IsMenuLoopActive());
    DestroyMenu(menu);
}

TEST_F(MenuTest, TrackPopupMenuStaysOnScreenAndPostsCommandWithoutReturnCmd) {
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 11, "First item of a pop-up");
    ASSERT_NE(TrackPopupMenu(menu, 0, 790, 590, 0, hwnd_, nullptr), 0u);
    ASSERT_EQ(OpenPopups().size(), 1u);
    RECT wr;
    GetWindowRect(OpenPopups()[0], &wr);
    EXPECT_LE(wr.right, 800);
    EXPECT_LE(wr.bottom, 600);
    EXPECT_GE(wr.left, 0);
    Click(Center(ItemRect(hwnd_, menu, 0)));
    ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_COMMAND)[0].wParam, 11u);
    EXPECT_EQ(Of(WM_ENTERMENULOOP)[0].wParam, 1u); // a pop-up of its own
    DestroyMenu(menu);
}

TEST_F(MenuTest, EndMenuClosesEverything) {
    Click(Center(ItemRect(hwnd_, bar_, 0)));
    MouseMoveTo(Center(ItemRect(hwnd_, file_, 2)));
    ASSERT_EQ(OpenPopups().size(), 2u);
    EXPECT_TRUE(EndMenu());
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_FALSE(IsMenuLoopActive());
    EXPECT_FALSE(EndMenu());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTest, DestroyingTheOwnerEndsTheLoop) {
    Click(Center(ItemRect(hwnd_, bar_, 0)));
    ASSERT_TRUE(IsMenuLoopActive());
    DestroyWindow(hwnd_);
    EXPECT_FALSE(IsMenuLoopActive());
    EXPECT_TRUE(OpenPopups().empty());
    // The window's menu bar goes with it, submenus included.
    EXPECT_FALSE(IsMenu(bar_));
    EXPECT_FALSE(IsMenu(file_));
}

// ---------------------------------------------------------------- the system menu

TEST_F(MenuTest, SystemMenuItemsFollowTheWindow) {
    HMENU sys = GetSystemMenu(hwnd_, false);
    ASSERT_TRUE(IsMenu(sys));
    struct Expect {
        UINT id;
        const char* text;
        bool enabled;
    };
    // A normal, sizable window with both boxes.
    const Expect table[] = {
        {UINT(SC_RESTORE), "Қалпына келтіру", false},
        {UINT(SC_MOVE), "Жылжыту", true},
        {UINT(SC_SIZE), "Өлшемі", true},
        {UINT(SC_MINIMIZE), "Кішірейту", true},
        {UINT(SC_MAXIMIZE), "Үлкейту", true},
        {UINT(SC_CLOSE), "Жабу", true},
    };
    ASSERT_EQ(GetMenuItemCount(sys), 7);
    EXPECT_EQ(GetMenuState(sys, 5, MF_BYPOSITION), MF_SEPARATOR);
    for (const Expect& e : table) {
        SCOPED_TRACE(e.text);
        char text[64];
        GetMenuString(sys, e.id, text, sizeof text, MF_BYCOMMAND);
        std::string plain;
        for (const char* p = text; *p && *p != '\t'; ++p)
            if (*p != '&') plain += *p;
        EXPECT_EQ(plain, e.text);
        EXPECT_EQ((GetMenuState(sys, e.id, MF_BYCOMMAND) & MF_GRAYED) == 0, e.enabled);
    }
    char close[64];
    GetMenuString(sys, UINT(SC_CLOSE), close, sizeof close, MF_BYCOMMAND);
    EXPECT_NE(std::string(close).find("\tAlt+F4"), std::string::npos);

    ShowWindow(hwnd_, SW_MAXIMIZE);
    sys = GetSystemMenu(hwnd_, false);
    EXPECT_EQ(GetMenuState(sys, UINT(SC_RESTORE), MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(sys, UINT(SC_MAXIMIZE), MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(sys, UINT(SC_MOVE), MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(sys, UINT(SC_SIZE), MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MenuTest, AltSpaceOpensSystemMenuAndCloseSendsScClose) {
    SendMessage(hwnd_, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    ASSERT_EQ(OpenPopups().size(), 1u);
    const HMENU sys = GetSystemMenu(hwnd_, false);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(OpenPopups()[0], MN_GETHMENU, 0, 0)), sys);
    EXPECT_EQ(Of(WM_INITMENUPOPUP).back().lParam, MAKELPARAM(0, 1)); // the system menu
    Click(Center(ItemRect(hwnd_, sys, 6)));
    ProcessPendingMessages();
    ASSERT_EQ(Of(WM_SYSCOMMAND).size(), 2u);
    EXPECT_EQ(Of(WM_SYSCOMMAND)[1].wParam, SC_CLOSE);
    EXPECT_TRUE(Of(WM_COMMAND).empty());
    EXPECT_FALSE(IsWindow(hwnd_)); // the default handling closed the window
    EXPECT_FALSE(IsMenu(sys));
}

TEST_F(MenuTest, ClickOnTheCaptionIconOpensTheSystemMenuBelowIt) {
    SystemMenuMouseDown(hwnd_, POINT{110, 110});
    ASSERT_EQ(OpenPopups().size(), 1u);
    const HMENU sys = GetSystemMenu(hwnd_, false);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(OpenPopups()[0], MN_GETHMENU, 0, 0)), sys);
    RECT wr;
    GetWindowRect(OpenPopups()[0], &wr);
    EXPECT_EQ(wr.left, 104);         // inside the frame
    EXPECT_EQ(wr.top, 100 + 4 + 19); // below the caption
    MouseUp(POINT{110, 110});        // releasing the button over the caption keeps it open
    EXPECT_TRUE(IsMenuLoopActive());
    // Move is enabled for a normal window; choosing it starts the move loop.
    Click(Center(ItemRect(hwnd_, sys, 1)));
    ASSERT_EQ(Of(WM_SYSCOMMAND).size(), 1u);
    EXPECT_EQ(Of(WM_SYSCOMMAND)[0].wParam, SC_MOVE);
}

} // namespace
