#pragma once
// Menus with the Win32 names, values and semantics: menu objects behind HMENU handles, the
// menu bar of a top-level window, pop-up menus (windows of class "#32768"), the menu loop and
// the system menu. Item text is UTF-8; "&" marks the mnemonic and a tab separates the
// shortcut text ("&Open\tCtrl+O").
#include <string>

#include "platform/window/OwnerDraw.h"
#include "platform/window/WindowSystem.h"

// AppendMenu / InsertMenu / ModifyMenu flags.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;

// MENUITEMINFO
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

constexpr UINT MFT_STRING = 0x0000;
constexpr UINT MFT_MENUBARBREAK = 0x0020;
constexpr UINT MFT_MENUBREAK = 0x0040;
constexpr UINT MFT_OWNERDRAW = 0x0100;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = 0x0800;
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = 0x4000;

constexpr UINT MFS_ENABLED = 0x0000;
constexpr UINT MFS_UNCHECKED = 0x0000;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = 0x0003;
constexpr UINT MFS_CHECKED = 0x0008;
constexpr UINT MFS_HILITE = 0x0080;
constexpr UINT MFS_DEFAULT = 0x1000;

// TrackPopupMenu flags
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Messages of the menu loop that WinConst.h does not carry.
constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_MENUCHAR = 0x0120;
constexpr UINT WM_UNINITMENUPOPUP = 0x0125;
constexpr UINT MN_GETHMENU = 0x01E1;
constexpr int MA_NOACTIVATE = 3;

struct MENUITEMINFO {
    UINT cbSize = sizeof(MENUITEMINFO);
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = nullptr;
    HBITMAP hbmpChecked = nullptr;
    HBITMAP hbmpUnchecked = nullptr;
    uintptr_t dwItemData = 0;
    // MIIM_STRING / MIIM_TYPE: the text in; on Get, the buffer of cch bytes that receives it
    // (cch is set to the text's length; a null buffer only asks for the length).
    char* dwTypeData = nullptr;
    UINT cch = 0;
    HBITMAP hbmpItem = nullptr;
};

// ---- Menu objects
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, recursively, its submenus.
bool DestroyMenu(HMENU menu);
bool IsMenu(HMENU menu);
// newItem is the command id, or the submenu handle with MF_POPUP.
bool AppendMenu(HMENU menu, UINT flags, uintptr_t newItem, const char* text);
bool InsertMenu(HMENU menu, UINT position, UINT flags, uintptr_t newItem, const char* text);
bool ModifyMenu(HMENU menu, UINT position, UINT flags, uintptr_t newItem, const char* text);
// RemoveMenu keeps a submenu alive; DeleteMenu destroys it.
bool RemoveMenu(HMENU menu, UINT position, UINT flags);
bool DeleteMenu(HMENU menu, UINT position, UINT flags);
bool InsertMenuItem(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO* info);
bool GetMenuItemInfo(HMENU menu, UINT item, bool byPosition, MENUITEMINFO* info);
bool SetMenuItemInfo(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO* info);
int GetMenuItemCount(HMENU menu);        // -1 for an unknown menu
UINT GetMenuItemID(HMENU menu, int pos); // -1 (as UINT) for a submenu or a bad position
HMENU GetSubMenu(HMENU menu, int pos);
// The item's MF_* state bits (with the item count in the high byte for a submenu), or -1.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags);
// Return the previous state (MF_GRAYED/MF_DISABLED or MF_CHECKED bits), or -1.
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
UINT CheckMenuItem(HMENU menu, UINT item, UINT check);
bool CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
bool SetMenuDefaultItem(HMENU menu, UINT item, bool byPosition);
bool HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT hilite);

// ---- The menu bar of a top-level window
// Sets the window's menu bar (null removes it) and recomputes its frame.
bool SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
// Repaints the menu bar after its items changed.
bool DrawMenuBar(HWND hwnd);
// Draws the bar's items in their present states (hot, open) into the window's context without
// filling the band first: for a window that paints the band itself (owner-drawn items are
// drawn by their owner through WM_DRAWITEM).
void DrawMenuBarItems(HWND hwnd, HDC windowDC);

// ---- Pop-up menus and the menu loop
// Shows a pop-up menu at (x, y) in screen coordinates for the owner window. With
// TPM_RETURNCMD it runs a message loop until the menu closes and returns the chosen id (0
// for none); otherwise it returns at once and the choice arrives as WM_COMMAND.
UINT TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* unused);
bool EndMenu();
// Whether a menu (the bar or a pop-up) is being tracked.
bool IsMenuLoopActive();
// The item's rectangle in screen coordinates: for items of the window's menu bar and for
// items of a pop-up menu that is open.
bool GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, RECT* rect);
// Which item of the window's menu bar or of an open pop-up lies under a screen point.
int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screen);

// ---- The system menu
// The window's system menu: Restore, Move, Size, Minimize, Maximize, a separator and Close,
// enabled by the window's state and styles. With revert the menu is rebuilt from the default.
HMENU GetSystemMenu(HWND hwnd, bool revert);

// Lets the default window procedure draw and operate menu bars and the system menu. Making any
// menu does this; RegisterStandardClasses does it for programs that only show system menus.
void UseMenuNonClient();
