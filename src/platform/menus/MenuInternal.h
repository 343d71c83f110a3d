#pragma once
// What the menu units share: the menu objects behind the handles, item measuring and the
// entry points of the menu loop. Not for use above the window system.
#include <string>
#include <vector>

#include "platform/core/TextCodec.h"
#include "platform/menus/Menu.h"

struct MenuItem {
    UINT type = MFT_STRING;
    UINT state = 0;
    UINT id = 0;
    HMENU subMenu = nullptr;
    std::string text;
    uintptr_t data = 0;
    // Owner-drawn bar items are measured once, until the item changes.
    bool measured = false;
    SIZE ownerSize{};
    // Where the item was laid out last: bar items in window coordinates, pop-up items in the
    // pop-up's client coordinates.
    RECT rect{};
    bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool OwnerDrawn() const { return (type & MFT_OWNERDRAW) != 0; }
    bool Disabled() const { return (state & MFS_GRAYED) != 0; }
};

struct MenuObject {
    HMENU handle = nullptr;
    bool popup = false;
    bool systemMenu = false;
    std::vector<MenuItem> items;
};

// The object behind a live handle, or null.
MenuObject* MenuOf(HMENU menu);
// The position of an item given by command id (searching submenus too: *owner receives the
// menu that holds it) or by position; -1 when there is none.
int FindMenuItem(HMENU menu, UINT item, UINT flags, HMENU* owner);

// The text before the tab and the shortcut text after it.
std::string ItemLabel(const MenuItem& item);
std::string ItemShortcut(const MenuItem& item);
// The mnemonic (the letter after a single "&") folded to lower case, or 0.
uint32_t ItemMnemonic(const MenuItem& item);

// The menu font (from the non-client metrics); the caller deletes it.
HFONT CreateMenuFont();

// Owner-draw requests to the owner window.
SIZE MeasureOwnerItem(HWND owner, const MenuItem& item);
void DrawOwnerItem(HWND owner, HMENU menu, const MenuItem& item, HDC dc, const RECT& rect,
                   UINT odState);

// The menu bar of a top-level window: its items laid out in window coordinates (stored in
// MenuItem::rect), their count of lines, and the bar's item under a screen point.
int LayOutMenuBar(HWND hwnd);
int MenuBarItemAt(HWND hwnd, POINT screen);
// Repaints only the menu bar of a window.
void RedrawMenuBar(HWND hwnd);
// The bar item that the menu loop shows selected, and whether its pop-up is open.
int MenuBarSelection(HWND hwnd, bool* open);

// The menu bar's part of the default non-client handling, handed to it by UseMenuNonClient.
int MenuBarHeight(HWND hwnd);                                // 0 without a menu bar
void PaintMenuBar(HWND hwnd, HDC windowDC, const RECT& bar); // bar in window coordinates
void MenuBarMouseDown(HWND hwnd, POINT screen);              // WM_NCLBUTTONDOWN on HTMENU
void MenuBarKey(HWND hwnd, WPARAM keyMenuParam);             // WM_SYSCOMMAND SC_KEYMENU
// The system menu's click on the caption icon (WM_NCLBUTTONDOWN with HTSYSMENU).
void SystemMenuMouseDown(HWND hwnd, POINT screen);
// Updates the enabled state of the system menu's items from the window.
void UpdateSystemMenu(HWND hwnd, HMENU menu);
// Makes the window's menu bar and system menu go with the window.
void WatchMenuWindow(HWND hwnd);
// Called when a menu is destroyed, so that the menu loop lets go of it.
void MenuDestroyedNotice(HMENU menu);

// Pop-up menu windows (class "#32768").
HWND CreatePopupMenuWindow(HWND owner, HMENU menu, POINT at, const RECT* exclude);
HMENU PopupMenuOf(HWND popup);
// Lays the pop-up's items out (asking the owner to measure owner-drawn ones) and returns the
// client size.
SIZE LayOutPopupMenu(HWND owner, HMENU menu);
// The selected item of the pop-up window (-1 for none) as the menu loop sees it.
void SetPopupSelection(HWND popup, int index);
int PopupSelection(HWND popup);
int PopupItemAt(HWND popup, POINT screen);
