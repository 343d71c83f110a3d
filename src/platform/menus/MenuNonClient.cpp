// The menu bar in the non-client area of a top-level window: its layout in lines of
// SM_CYMENU, its painting, and the mouse and keyboard entries into the menu loop.
#include <algorithm>

#include "platform/menus/MenuInternal.h"
#include "platform/menus/MenuTracker.h"
#include "platform/text/Text.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

constexpr int kItemPadding = 7; // on each side of a bar item's text

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

// The bar's band in window coordinates (its height not yet known), as the frame places it.
RECT BarBand(const WindowObject& w) {
    const int border = FrameBorderWidth(w.style, w.exStyle) -
                       ((w.exStyle & WS_EX_CLIENTEDGE) ? 2 : 0) -
                       ((w.exStyle & WS_EX_STATICEDGE) ? 1 : 0);
    int top = border;
    if ((w.style & WS_CAPTION) == WS_CAPTION)
        top += (w.exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION)
                                              : GetSystemMetrics(SM_CYCAPTION);
    return Rect(border, top, WidthOf(w.rect) - border, top);
}

HMENU BarMenuOf(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || w->IsChild() || !MenuOf(w->menu)) return nullptr;
    return w->menu;
}

void Frame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, Rect(r.left, r.top, r.right - 1, r.top + 1), topLeft);
    FillSolid(dc, Rect(r.left, r.top, r.left + 1, r.bottom - 1), topLeft);
    FillSolid(dc, Rect(r.left, r.bottom - 1, r.right, r.bottom), bottomRight);
    FillSolid(dc, Rect(r.right - 1, r.top, r.right, r.bottom), bottomRight);
}

void PaintBarItem(HDC dc, const MenuItem& item, bool selected, bool open) {
    const RECT r = item.rect;
    if (selected && open)
        Frame(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (selected)
        Frame(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    RECT text = (selected && open) ? OffsetRect(r, 1, 1) : r;
    const std::string label = ItemLabel(item);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (item.Disabled()) {
        RECT shadow = OffsetRect(text, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawText(dc, label.c_str(), int(label.size()), &shadow, format);
    }
    SetTextColor(dc, GetSysColor(item.Disabled() ? COLOR_BTNSHADOW : COLOR_MENUTEXT));
    DrawText(dc, label.c_str(), int(label.size()), &text, format);
}

UINT BarOwnerDrawState(const MenuItem& item, bool selected, bool open) {
    UINT s = 0;
    if (selected) s |= open ? ODS_SELECTED : ODS_HOTLIGHT;
    if (item.Disabled()) s |= ODS_GRAYED | ODS_DISABLED;
    if (item.state & MFS_CHECKED) s |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT) s |= ODS_DEFAULT;
    return s;
}

} // namespace

int LayOutMenuBar(HWND hwnd) {
    const HMENU menu = BarMenuOf(hwnd);
    if (!menu) return 0;
    const int lineHeight = GetSystemMetrics(SM_CYMENU);
    // Owner-drawn items are measured once; the owner may change things while it answers.
    for (size_t i = 0; MenuOf(menu) && i < MenuOf(menu)->items.size(); ++i) {
        MenuItem& item = MenuOf(menu)->items[i];
        if (!item.OwnerDrawn() || item.measured) continue;
        item.measured = true;
        const MenuItem copy = item;
        const SIZE s = MeasureOwnerItem(hwnd, copy);
        if (MenuObject* m = MenuOf(menu); m && i < m->items.size()) m->items[i].ownerSize = s;
    }
    WindowObject* w = WindowOf(hwnd);
    MenuObject* m = MenuOf(menu);
    if (!w || !m) return 0;
    const RECT band = BarBand(*w);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateMenuFont();
    HGDIOBJ old = SelectObject(dc, font);
    int x = band.left, line = 0;
    for (MenuItem& item : m->items) {
        int width;
        if (item.OwnerDrawn()) {
            width = int(item.ownerSize.cx);
        } else {
            RECT r{};
            const std::string label = ItemLabel(item);
            DrawText(dc, label.c_str(), int(label.size()), &r, DT_CALCRECT | DT_SINGLELINE);
            width = int(WidthOf(r)) + 2 * kItemPadding;
        }
        const bool lineBreak = (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
        // An item that does not fit starts a new line, unless it is the first of its line.
        if (x > band.left && (lineBreak || x + width > band.right)) {
            x = band.left;
            ++line;
        }
        const int top = band.top + line * lineHeight;
        item.rect = Rect(x, top, x + width, top + lineHeight - 1);
        x += width;
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return m->items.empty() ? 1 : line + 1;
}

int MenuBarHeight(HWND hwnd) {
    if (!BarMenuOf(hwnd)) return 0;
    WatchMenuWindow(hwnd); // a menu given to CreateWindowEx goes with the window too
    return LayOutMenuBar(hwnd) * GetSystemMetrics(SM_CYMENU);
}

namespace {

void PaintBarItems(HWND hwnd, HDC dc, const RECT& bar, bool fill) {
    if (!BarMenuOf(hwnd)) return;
    LayOutMenuBar(hwnd);
    const HMENU menu = BarMenuOf(hwnd);
    if (!menu) return;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
    if (fill) FillSolid(dc, bar, GetSysColor(COLOR_MENU));
    HFONT font = CreateMenuFont();
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    bool open = false;
    const int selected = MenuBarSelection(hwnd, &open);
    // Copies: an owner's draw handler may change the menu.
    const std::vector<MenuItem> items = MenuOf(menu)->items;
    for (size_t i = 0; i < items.size(); ++i) {
        const bool sel = int(i) == selected || (items[i].state & MFS_HILITE);
        if (items[i].OwnerDrawn()) {
            DrawOwnerItem(hwnd, menu, items[i], dc, items[i].rect,
                          BarOwnerDrawState(items[i], sel, open));
            if (!IsWindow(hwnd)) break;
        } else if (!items[i].Separator()) {
            PaintBarItem(dc, items[i], sel, open && int(i) == selected);
        }
    }
    RestoreDC(dc, saved);
    DeleteObject(font);
}

} // namespace

void PaintMenuBar(HWND hwnd, HDC dc, const RECT& bar) { PaintBarItems(hwnd, dc, bar, true); }

void DrawMenuBarItems(HWND hwnd, HDC windowDC) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !BarMenuOf(hwnd)) return;
    RECT band = BarBand(*w);
    band.bottom = band.top + MenuBarHeight(hwnd);
    PaintBarItems(hwnd, windowDC, band, false);
}

int MenuBarItemAt(HWND hwnd, POINT screen) {
    const HMENU menu = BarMenuOf(hwnd);
    RECT wr;
    if (!menu || !GetWindowRect(hwnd, &wr)) return -1;
    const POINT p{screen.x - wr.left, screen.y - wr.top};
    const auto& items = MenuOf(menu)->items;
    for (size_t i = 0; i < items.size(); ++i) {
        const RECT r = items[i].rect;
        // The row under each item belongs to it too (items are one pixel shorter than a line).
        if (!items[i].Separator() && PtInRect(Rect(r.left, r.top, r.right, r.bottom + 1), p))
            return int(i);
    }
    return -1;
}

void RedrawMenuBar(HWND hwnd) {
    if (!BarMenuOf(hwnd) || !IsWindowVisible(hwnd)) return;
    WindowObject* w = WindowOf(hwnd);
    const RECT band = BarBand(*w);
    const int height = MenuBarHeight(hwnd);
    if (!(w = WindowOf(hwnd)) || !height) return;
    // Through the window's non-client paint, limited to the band: a window that paints its
    // own frame paints the band too, so it keeps its colours while the menu is in use.
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    HRGN region = CreateRectRgn(wr.left + band.left, wr.top + band.top, wr.left + band.right,
                                wr.top + band.top + height);
    SendMessage(hwnd, WM_NCPAINT, WPARAM(region), 0);
    DeleteObject(region);
}

void MenuBarMouseDown(HWND hwnd, POINT screen) {
    const int item = MenuBarItemAt(hwnd, screen);
    if (item < 0 || MenuTracker::Instance().Active() || !AcceptsInput(hwnd)) return;
    MenuTracker::Instance().StartBar(hwnd, item, true, false);
}

void MenuBarKey(HWND hwnd, WPARAM keyMenuParam) {
    // A window that a modal window disables opens no menu, whoever sends the command.
    if (MenuTracker::Instance().Active() || !AcceptsInput(hwnd)) return;
    WindowObject* w = WindowOf(hwnd);
    if (!w) return;
    if (keyMenuParam == ' ') {
        if (w->style & WS_SYSMENU) {
            RECT wr;
            GetWindowRect(hwnd, &wr);
            const RECT band = BarBand(*w);
            MenuTracker::Instance().StartSystemMenu(
                hwnd, POINT{wr.left + band.left, wr.top + band.top}, true);
        }
        return;
    }
    const HMENU menu = BarMenuOf(hwnd);
    if (!menu || MenuOf(menu)->items.empty()) return;
    if (keyMenuParam == 0) {
        MenuTracker::Instance().StartBar(hwnd, 0, false, false);
        return;
    }
    const uint32_t key = FoldCase(uint32_t(keyMenuParam));
    const auto& items = MenuOf(menu)->items;
    for (size_t i = 0; i < items.size(); ++i)
        if (ItemMnemonic(items[i]) == key) {
            MenuTracker::Instance().StartBar(hwnd, int(i), true, true);
            return;
        }
}

void SystemMenuMouseDown(HWND hwnd, POINT) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !(w->style & WS_SYSMENU) || MenuTracker::Instance().Active() || !AcceptsInput(hwnd))
        return;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    const RECT band = BarBand(*w);
    // The menu hangs below the caption icon.
    MenuTracker::Instance().StartSystemMenu(hwnd, POINT{wr.left + band.left, wr.top + band.top},
                                            false);
}

void UseMenuNonClient() {
    SetNonClientMenu(NonClientMenu{MenuBarHeight, PaintMenuBar, MenuBarMouseDown, MenuBarKey,
                                   SystemMenuMouseDown});
}
