// Pop-up menu windows, class "#32768": real top-level pop-ups with a raised three-pixel frame
// (the default frame of WS_EX_DLGMODALFRAME), laid out from the measured items and painted in
// WM_PAINT, so that a creation hook can subclass them like any other window.
#include <algorithm>

#include "platform/menus/MenuInternal.h"
#include "platform/text/Text.h"
#include "platform/window/PaintControl.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

constexpr char kClassName[] = "#32768";
constexpr char kMenuProp[] = "#32768.menu";
constexpr char kOwnerProp[] = "#32768.owner";
constexpr char kSelectionProp[] = "#32768.selection";

// Item geometry of the classic look.
constexpr int kTextLeft = 18;    // the check column lies left of the text
constexpr int kArrowColumn = 16; // room for the submenu arrow at the right
constexpr int kShortcutGap = 16; // between the label and the shortcut text
constexpr int kSeparatorHeight = 9;
constexpr int kColumnGap = 4;       // a column break leaves this much between columns
constexpr int kOwnerDrawExtra = 12; // added to a measured width, as the classic system does

HWND OwnerOf(HWND popup) { return static_cast<HWND>(GetProp(popup, kOwnerProp)); }

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

int TextItemHeight() { return GetSystemMetrics(SM_CYMENU) - 2; }

SIZE TextExtent(HDC dc, const std::string& text, UINT format) {
    RECT r{};
    DrawText(dc, text.c_str(), int(text.size()), &r, format | DT_CALCRECT | DT_SINGLELINE);
    return SIZE{WidthOf(r), HeightOf(r)};
}

void DrawCheck(HDC dc, const RECT& item, bool radio, COLORREF color) {
    const int cx = kTextLeft / 2, cy = (item.top + item.bottom) / 2;
    if (radio) {
        // A round bullet of 6 pixels.
        static constexpr int kRows[6][2] = {{1, 5}, {0, 6}, {0, 6}, {0, 6}, {0, 6}, {1, 5}};
        for (int y = 0; y < 6; ++y)
            FillSolid(dc, Rect(cx - 3 + kRows[y][0], cy - 3 + y, cx - 3 + kRows[y][1], cy - 2 + y),
                      color);
        return;
    }
    // A tick seven pixels wide and three thick.
    for (int i = 0; i < 7; ++i) {
        const int y = i < 3 ? cy - 1 + i : cy + 1 - (i - 2) + 1;
        FillSolid(dc, Rect(cx - 4 + i, y - 1, cx - 3 + i, y + 2), color);
    }
}

void DrawArrow(HDC dc, const RECT& item, COLORREF color) {
    const int x = item.right - 10, cy = (item.top + item.bottom) / 2;
    for (int i = 0; i < 4; ++i)
        FillSolid(dc, Rect(x + i, cy - 3 + i, x + i + 1, cy + 4 - i), color);
}

void DrawLabel(HDC dc, const std::string& text, RECT r, UINT format, COLORREF color) {
    SetTextColor(dc, color);
    DrawText(dc, text.c_str(), int(text.size()), &r,
             format | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
}

void PaintTextItem(HDC dc, const MenuItem& item, bool selected) {
    const RECT r = item.rect;
    FillSolid(dc, r, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const bool disabled = item.Disabled();
    const COLORREF ink = selected ? GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT)
                                  : GetSysColor(disabled ? COLOR_BTNSHADOW : COLOR_MENUTEXT);
    const RECT label = Rect(r.left + kTextLeft, r.top, r.right - kArrowColumn, r.bottom);
    const std::string text = ItemLabel(item), shortcut = ItemShortcut(item);
    auto draw = [&](RECT where, COLORREF color) {
        DrawLabel(dc, text, where, DT_LEFT, color);
        if (!shortcut.empty()) DrawLabel(dc, shortcut, where, DT_RIGHT | DT_NOPREFIX, color);
    };
    // A disabled item is embossed: a white copy one pixel down and right under the grey one.
    if (disabled && !selected) draw(OffsetRect(label, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    draw(label, ink);
    if (item.state & MFS_CHECKED)
        DrawCheck(dc, Rect(r.left, r.top, r.left + kTextLeft, r.bottom),
                  (item.type & MFT_RADIOCHECK) != 0, ink);
    if (item.subMenu) DrawArrow(dc, r, ink);
}

void PaintSeparator(HDC dc, const MenuItem& item) {
    const RECT r = item.rect;
    FillSolid(dc, r, GetSysColor(COLOR_MENU));
    const int y = (r.top + r.bottom) / 2 - 1;
    FillSolid(dc, Rect(r.left + 1, y, r.right - 1, y + 1), GetSysColor(COLOR_BTNSHADOW));
    FillSolid(dc, Rect(r.left + 1, y + 1, r.right - 1, y + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
}

UINT OwnerDrawState(const MenuItem& item, bool selected) {
    UINT s = selected ? ODS_SELECTED : 0;
    if (item.state & MFS_GRAYED) s |= ODS_GRAYED | ODS_DISABLED;
    if (item.state & MFS_CHECKED) s |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT) s |= ODS_DEFAULT;
    return s;
}

void PaintPopup(HWND popup, HDC dc) {
    const HMENU menu = PopupMenuOf(popup);
    const HWND owner = OwnerOf(popup);
    const int selected = PopupSelection(popup);
    MenuObject* m = MenuOf(menu);
    if (!m) return;
    HFONT font = CreateMenuFont();
    LOGFONT bold;
    GetObject(font, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    HFONT boldFont = CreateFontIndirect(&bold);
    SetBkMode(dc, TRANSPARENT);
    // Copies: an owner's draw handler may change the menu.
    const std::vector<MenuItem> items = m->items;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        const bool sel = int(i) == selected;
        if (item.OwnerDrawn()) {
            DrawOwnerItem(owner, menu, item, dc, item.rect, OwnerDrawState(item, sel));
            if (!IsWindow(popup)) break;
            // The owner draws the entry; the arrow of a submenu is still the menu's own.
            if (item.subMenu)
                DrawArrow(dc, item.rect, GetSysColor(sel ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
            continue;
        }
        if (item.Separator()) {
            PaintSeparator(dc, item);
            continue;
        }
        SelectObject(dc, (item.state & MFS_DEFAULT) ? boldFont : font);
        PaintTextItem(dc, item, sel);
    }
    if (IsWindow(popup)) SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(font);
    DeleteObject(boldFont);
}

LRESULT PopupMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case MN_GETHMENU: return LRESULT(reinterpret_cast<uintptr_t>(PopupMenuOf(hwnd)));
    case WM_PAINT: PaintControl(hwnd, wParam, [hwnd](HDC dc) { PaintPopup(hwnd, dc); }); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void RegisterPopupClass() {
    RegisterClassOnce(kClassName, PopupMenuProc, CS_SAVEBITS,
                      reinterpret_cast<HBRUSH>(uintptr_t(COLOR_MENU + 1)));
}

// Keeps a window of the given size on the screen; when it does not fit below `at`, it goes
// above (or left of) the excluded rectangle instead.
POINT PlaceOnScreen(POINT at, SIZE size, const RECT* exclude) {
    const RECT screen = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    POINT p = at;
    if (p.x + size.cx > screen.right)
        p.x = exclude && exclude->left - size.cx >= 0 && exclude->right <= at.x
                  ? exclude->left - size.cx
                  : screen.right - size.cx;
    if (p.y + size.cy > screen.bottom)
        p.y = exclude && exclude->top - size.cy >= screen.top ? exclude->top - size.cy
                                                              : screen.bottom - size.cy;
    p.x = std::max(p.x, screen.left);
    p.y = std::max(p.y, screen.top);
    return p;
}

} // namespace

SIZE LayOutPopupMenu(HWND owner, HMENU menu) {
    MenuObject* m = MenuOf(menu);
    if (!m) return SIZE{};
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateMenuFont();
    HGDIOBJ old = SelectObject(dc, font);
    // Measures first (owner-drawn items ask the owner each time the pop-up opens), then columns.
    struct Measure {
        int label = 0, shortcut = 0, height = 0;
    };
    std::vector<Measure> sizes(m->items.size());
    for (size_t i = 0; i < sizes.size() && MenuOf(menu); ++i) {
        const MenuItem item = MenuOf(menu)->items[i];
        if (item.OwnerDrawn()) {
            const SIZE s = MeasureOwnerItem(owner, item);
            sizes[i] = {int(s.cx) + kOwnerDrawExtra, 0, int(s.cy)};
        } else if (item.Separator()) {
            sizes[i] = {0, 0, kSeparatorHeight};
        } else {
            const SIZE label = TextExtent(dc, ItemLabel(item), 0);
            const std::string shortcut = ItemShortcut(item);
            const int sw = shortcut.empty() ? 0 : int(TextExtent(dc, shortcut, DT_NOPREFIX).cx);
            sizes[i] = {kTextLeft + int(label.cx) + kArrowColumn, sw,
                        std::max(TextItemHeight(), int(label.cy) + 4)};
        }
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    if (!(m = MenuOf(menu)) || m->items.size() != sizes.size()) return SIZE{};

    SIZE total{};
    size_t start = 0;
    int x = 0;
    while (start < sizes.size()) {
        size_t end = start + 1;
        while (end < sizes.size() && !(m->items[end].type & (MFT_MENUBREAK | MFT_MENUBARBREAK)))
            ++end;
        int labelWidth = 0, shortcutWidth = 0, y = 0;
        for (size_t i = start; i < end; ++i) {
            labelWidth = std::max(labelWidth, sizes[i].label);
            shortcutWidth = std::max(shortcutWidth, sizes[i].shortcut);
        }
        const int width = labelWidth + (shortcutWidth ? kShortcutGap + shortcutWidth : 0);
        for (size_t i = start; i < end; ++i) {
            m->items[i].rect = Rect(x, y, x + width, y + sizes[i].height);
            y += sizes[i].height;
        }
        total.cx = x + width;
        total.cy = std::max(total.cy, LONG(y));
        x += width + kColumnGap;
        start = end;
    }
    return total;
}

HWND CreatePopupMenuWindow(HWND owner, HMENU menu, POINT at, const RECT* exclude) {
    RegisterPopupClass();
    const SIZE client = LayOutPopupMenu(owner, menu);
    if (!MenuOf(menu) || !IsWindow(owner)) return nullptr;
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    const SIZE size{client.cx + 2 * frame, client.cy + 2 * frame};
    const POINT p = PlaceOnScreen(at, size, exclude);
    const HWND popup = CreateWindowEx(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, kClassName, "",
        WS_POPUP | WS_CLIPSIBLINGS, p.x, p.y, size.cx, size.cy, owner, nullptr, nullptr, nullptr);
    if (!popup) return nullptr;
    SetProp(popup, kMenuProp, menu);
    SetProp(popup, kOwnerProp, owner);
    SetProp(popup, kSelectionProp, reinterpret_cast<void*>(intptr_t(-1)));
    if (IsWindow(popup))
        SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return IsWindow(popup) ? popup : nullptr;
}

HMENU PopupMenuOf(HWND popup) { return static_cast<HMENU>(GetProp(popup, kMenuProp)); }

void SetPopupSelection(HWND popup, int index) {
    const int old = PopupSelection(popup);
    if (old == index || !IsWindow(popup)) return;
    SetProp(popup, kSelectionProp, reinterpret_cast<void*>(intptr_t(index)));
    MenuObject* m = MenuOf(PopupMenuOf(popup));
    if (!m) return;
    for (int i : {old, index})
        if (i >= 0 && size_t(i) < m->items.size())
            InvalidateRect(popup, &m->items[size_t(i)].rect, true);
}

int PopupSelection(HWND popup) {
    if (!IsWindow(popup)) return -1;
    return int(reinterpret_cast<intptr_t>(GetProp(popup, kSelectionProp)));
}

int PopupItemAt(HWND popup, POINT screen) {
    MenuObject* m = MenuOf(PopupMenuOf(popup));
    if (!m || !ScreenToClient(popup, &screen)) return -1;
    for (size_t i = 0; i < m->items.size(); ++i)
        if (PtInRect(m->items[i].rect, screen)) return int(i);
    return -1;
}
