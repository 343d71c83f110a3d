// The "ListBox" class. Items are UTF-8 strings with one data value each; the selection is a
// single index (-1 for none) and the view starts at the top index.
#include "platform/controls/ListBox.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/window/ScrollBars.h"

namespace {

constexpr std::string_view kStateProp = "Platform.ListBox";
constexpr int kTextInset = 2;

struct Item {
    std::string text;
    uintptr_t data = 0;
};

struct ListState {
    std::vector<Item> items;
    int current = -1;
    int top = 0;
    bool focused = false;
    bool tracking = false;       // the mouse button is held on the list
    bool updatingScroll = false; // SetScrollInfo may resize the client; no re-entry
    // Created with WS_VSCROLL. The bar hides itself (and drops the style) while everything
    // fits, so the wish is kept here.
    bool wantsScrollBar = false;
    HFONT font = nullptr;
};

ListState* StateOf(HWND hwnd) { return ControlStateOf<ListState>(hwnd, kStateProp); }
DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)); }
int Count(const ListState& s) { return int(s.items.size()); }

std::string Lower(std::string_view t) {
    std::string out(t);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int ItemHeight(HWND hwnd, const ListState& s) {
    HDC dc = GetDC(hwnd);
    SelectObject(dc, FontOrDefault(s.font));
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    ReleaseDC(hwnd, dc);
    return std::max<LONG>(1, tm.tmHeight);
}

// Whole items that fit; at least one.
int VisibleCount(HWND hwnd, const ListState& s) {
    RECT r;
    GetClientRect(hwnd, &r);
    return std::max(1, int(HeightOf(r)) / ItemHeight(hwnd, s));
}

int MaxTop(HWND hwnd, const ListState& s) { return std::max(0, Count(s) - VisibleCount(hwnd, s)); }

void UpdateScrollBar(HWND hwnd, ListState& s) {
    if (!s.wantsScrollBar || s.updatingScroll) return;
    s.updatingScroll = true;
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS |
               ((StyleOf(hwnd) & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, Count(s) - 1);
    si.nPage = UINT(VisibleCount(hwnd, s));
    si.nPos = s.top;
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    if (ListState* again = StateOf(hwnd)) again->updatingScroll = false;
}

void SetTop(HWND hwnd, ListState& s, int top) {
    top = std::clamp(top, 0, MaxTop(hwnd, s));
    if (top != s.top) {
        s.top = top;
        InvalidateRect(hwnd, nullptr, true);
    }
    UpdateScrollBar(hwnd, s);
}

void EnsureVisible(HWND hwnd, ListState& s, int index) {
    if (index < 0) return;
    const int visible = VisibleCount(hwnd, s);
    if (index < s.top)
        SetTop(hwnd, s, index);
    else if (index >= s.top + visible)
        SetTop(hwnd, s, index - visible + 1);
}

void ItemsChanged(HWND hwnd, ListState& s) {
    s.top = std::clamp(s.top, 0, MaxTop(hwnd, s));
    InvalidateRect(hwnd, nullptr, true);
    UpdateScrollBar(hwnd, s);
}

// Moves the selection; with `notify`, LBN_SELCHANGE goes out when it changed and the list
// has LBS_NOTIFY. Returns false when the list went away meanwhile.
bool Select(HWND hwnd, ListState& s, int index, bool notify) {
    index = Count(s) == 0 ? -1 : std::clamp(index, -1, Count(s) - 1);
    if (index == s.current) return true;
    s.current = index;
    InvalidateRect(hwnd, nullptr, true);
    EnsureVisible(hwnd, s, index);
    if (notify && (StyleOf(hwnd) & LBS_NOTIFY)) return NotifyParent(hwnd, LBN_SELCHANGE);
    return true;
}

int IndexAt(HWND hwnd, const ListState& s, int y) {
    return s.top + (y < 0 ? -1 : y / ItemHeight(hwnd, s));
}

// ---------------------------------------------------------------- items

int InsertAt(ListState& s, int index, const char* text) {
    if (index < 0 || index > Count(s)) index = Count(s);
    s.items.insert(s.items.begin() + index, Item{text ? text : "", 0});
    if (s.current >= index) ++s.current;
    return index;
}

int SortedIndex(const ListState& s, const char* text) {
    const std::string key = Lower(text ? text : "");
    int i = 0;
    while (i < Count(s) && Lower(s.items[size_t(i)].text) <= key) ++i;
    return i;
}

LRESULT DeleteAt(HWND hwnd, ListState& s, WPARAM wParam) {
    const int index = int(intptr_t(wParam));
    if (index < 0 || index >= Count(s)) return LB_ERR;
    s.items.erase(s.items.begin() + index);
    if (s.current == index)
        s.current = -1;
    else if (s.current > index)
        --s.current;
    ItemsChanged(hwnd, s);
    return Count(s);
}

// Searches from the item after `start` round to `start` itself, as Win32 does.
LRESULT Find(const ListState& s, WPARAM start, LPARAM text, bool exact) {
    if (!text || s.items.empty()) return LB_ERR;
    const std::string key = Lower(reinterpret_cast<const char*>(text));
    const int n = Count(s),
              first = int(intptr_t(start)) < 0 || int(start) >= n ? 0 : int(start) + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const std::string item = Lower(s.items[size_t(i)].text);
        if (exact ? item == key : item.compare(0, key.size(), key) == 0) return i;
    }
    return LB_ERR;
}

LRESULT GetText(const ListState& s, WPARAM index, LPARAM buffer) {
    if (int(intptr_t(index)) < 0 || int(index) >= Count(s) || !buffer) return LB_ERR;
    const std::string& t = s.items[index].text;
    std::memcpy(reinterpret_cast<char*>(buffer), t.c_str(), t.size() + 1);
    return LRESULT(t.size());
}

LRESULT ItemRect(HWND hwnd, const ListState& s, WPARAM index, LPARAM out) {
    if (int(intptr_t(index)) < 0 || int(index) >= Count(s) || !out) return LB_ERR;
    RECT client;
    GetClientRect(hwnd, &client);
    const int h = ItemHeight(hwnd, s), y = (int(index) - s.top) * h;
    *reinterpret_cast<RECT*>(out) = Rect(0, y, client.right, y + h);
    return LB_OKAY;
}

// ---------------------------------------------------------------- input

void OnMouseDown(HWND hwnd, LPARAM lParam) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    ListState* s = StateOf(hwnd);
    if (!s) return;
    SetCapture(hwnd);
    if (!(s = StateOf(hwnd))) return;
    s->tracking = true;
    // As in Win32, a press below the last item picks the last item.
    const int index = std::min(IndexAt(hwnd, *s, GET_Y_LPARAM(lParam)), Count(*s) - 1);
    if (index >= 0) Select(hwnd, *s, index, true);
}

void OnMouseMove(HWND hwnd, ListState& s, LPARAM lParam) {
    if (!s.tracking || s.items.empty()) return;
    // Dragging past the ends picks the first or last visible item.
    const int last = std::min(Count(s), s.top + VisibleCount(hwnd, s)) - 1;
    Select(hwnd, s, std::clamp(IndexAt(hwnd, s, GET_Y_LPARAM(lParam)), s.top, last), true);
}

void OnMouseUp(HWND hwnd, ListState& s) {
    if (!s.tracking) return;
    s.tracking = false;
    if (GetCapture() == hwnd) ReleaseCapture();
}

void OnDoubleClick(HWND hwnd, ListState& s, LPARAM lParam) {
    const int index = IndexAt(hwnd, s, GET_Y_LPARAM(lParam));
    if (index < 0 || index >= Count(s)) return;
    if (!Select(hwnd, s, index, true)) return;
    if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, LBN_DBLCLK);
}

void OnKeyDown(HWND hwnd, ListState& s, WPARAM vk) {
    if (s.items.empty()) return;
    const int page = std::max(1, VisibleCount(hwnd, s) - 1);
    const int from = s.current < 0 ? s.top : s.current;
    int to = from;
    switch (vk) {
    case VK_UP: to = s.current < 0 ? from : from - 1; break;
    case VK_DOWN: to = s.current < 0 ? from : from + 1; break;
    case VK_PRIOR: to = from - page; break;
    case VK_NEXT: to = from + page; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = Count(s) - 1; break;
    default: return;
    }
    to = std::clamp(to, 0, Count(s) - 1);
    if (to == s.current)
        EnsureVisible(hwnd, s, to);
    else
        Select(hwnd, s, to, true);
}

// A typed character selects the next item that starts with it.
void OnChar(HWND hwnd, ListState& s, WPARAM code) {
    if (code < 0x20 || code > 0x7E || s.items.empty()) return;
    const char text[2] = {char(code), 0};
    const LRESULT found = Find(s, WPARAM(intptr_t(s.current)), LPARAM(text), false);
    if (found != LB_ERR) Select(hwnd, s, int(found), true);
}

void OnVScroll(HWND hwnd, ListState& s, WPARAM wParam) {
    const int page = std::max(1, VisibleCount(hwnd, s) - 1);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: SetTop(hwnd, s, s.top - 1); break;
    case SB_LINEDOWN: SetTop(hwnd, s, s.top + 1); break;
    case SB_PAGEUP: SetTop(hwnd, s, s.top - page); break;
    case SB_PAGEDOWN: SetTop(hwnd, s, s.top + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetTop(hwnd, s, int(int16_t(HIWORD(wParam)))); break;
    case SB_TOP: SetTop(hwnd, s, 0); break;
    case SB_BOTTOM: SetTop(hwnd, s, MaxTop(hwnd, s)); break;
    default: break;
    }
}

void OnWheel(HWND hwnd, ListState& s, WPARAM wParam) {
    const int delta = int(int16_t(HIWORD(wParam)));
    SetTop(hwnd, s, s.top - delta * 3 / WHEEL_DELTA);
}

void OnFocus(HWND hwnd, ListState& s, bool focused) {
    s.focused = focused;
    if (!focused && s.tracking) {
        s.tracking = false;
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    InvalidateRect(hwnd, nullptr, true);
    NotifyParent(hwnd, focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

// ---------------------------------------------------------------- painting

void PaintItem(HWND hwnd, HDC dc, const ListState& s, int index, const RECT& r) {
    const bool selected = index == s.current, enabled = IsWindowEnabled(hwnd);
    const std::string& text = s.items[size_t(index)].text;
    if (selected) FillSolidRect(dc, r, GetSysColor(COLOR_HIGHLIGHT));
    const COLORREF old = GetTextColor(dc);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    else if (selected)
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    RECT textRect = Rect(r.left + kTextInset, r.top, r.right, r.bottom);
    DrawText(dc, text.c_str(), int(text.size()), &textRect,
             DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, old);
    if (selected && s.focused) DrawFocusRect(dc, &r);
}

void Paint(HWND hwnd, HDC dc) {
    ListState* s = StateOf(hwnd);
    if (!s) return;
    const int saved = SaveDC(dc);
    SelectObject(dc, FontOrDefault(s->font));
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLORLISTBOX, dc, COLOR_WINDOW);
    if (!IsWindow(hwnd) || !(s = StateOf(hwnd))) return;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, brush);
    SetBkMode(dc, TRANSPARENT);
    const int h = ItemHeight(hwnd, *s);
    for (int i = s->top, y = 0; i < Count(*s) && y < client.bottom; ++i, y += h)
        PaintItem(hwnd, dc, *s, i, Rect(0, y, client.right, y + h));
    if (s->focused && s->current < 0) {
        // An empty selection still shows where the keyboard is.
        RECT r = Rect(0, 0, client.right, h);
        DrawFocusRect(dc, &r);
    }
    RestoreDC(dc, saved);
}

LRESULT EraseBackground(HWND hwnd, HDC dc) {
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLORLISTBOX, dc, COLOR_WINDOW);
    return FillClientWithBrush(hwnd, dc, brush);
}

// ---------------------------------------------------------------- messages

LRESULT ListMessage(HWND hwnd, ListState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    switch (msg) {
    case LB_ADDSTRING: {
        const int at =
            InsertAt(s, (StyleOf(hwnd) & LBS_SORT) ? SortedIndex(s, text) : Count(s), text);
        ItemsChanged(hwnd, s);
        return at;
    }
    case LB_INSERTSTRING: {
        const int index = int(intptr_t(wParam));
        if (index > Count(s)) return LB_ERR;
        const int at = InsertAt(s, index, text);
        ItemsChanged(hwnd, s);
        return at;
    }
    case LB_DELETESTRING: return DeleteAt(hwnd, s, wParam);
    case LB_RESETCONTENT:
        s.items.clear();
        s.current = -1;
        s.top = 0;
        ItemsChanged(hwnd, s);
        return LB_OKAY;
    case LB_SETCURSEL: {
        const int index = int(intptr_t(wParam));
        Select(hwnd, s, index >= 0 && index < Count(s) ? index : -1, false);
        return index >= 0 && index < Count(s) ? index : LB_ERR;
    }
    case LB_GETCURSEL: return s.current;
    case LB_GETTEXT: return GetText(s, wParam, lParam);
    case LB_GETTEXTLEN:
        return int(intptr_t(wParam)) >= 0 && int(wParam) < Count(s)
                   ? LRESULT(s.items[wParam].text.size())
                   : LB_ERR;
    case LB_GETCOUNT: return Count(s);
    case LB_GETTOPINDEX: return s.top;
    case LB_SETTOPINDEX:
        if (int(intptr_t(wParam)) < 0 || int(wParam) >= std::max(1, Count(s))) return LB_ERR;
        SetTop(hwnd, s, int(wParam));
        return LB_OKAY;
    case LB_GETITEMHEIGHT: return ItemHeight(hwnd, s);
    case LB_GETITEMRECT: return ItemRect(hwnd, s, wParam, lParam);
    case LB_GETITEMDATA:
        return int(intptr_t(wParam)) >= 0 && int(wParam) < Count(s) ? LRESULT(s.items[wParam].data)
                                                                    : LB_ERR;
    case LB_SETITEMDATA:
        if (int(intptr_t(wParam)) < 0 || int(wParam) >= Count(s)) return LB_ERR;
        s.items[wParam].data = uintptr_t(lParam);
        return LB_OKAY;
    case LB_FINDSTRING: return Find(s, wParam, lParam, false);
    case LB_FINDSTRINGEXACT: return Find(s, wParam, lParam, true);
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void Prepare(HWND hwnd, ListState& s, LPARAM) {
    s.wantsScrollBar = (StyleOf(hwnd) & WS_VSCROLL) != 0;
}

LRESULT ControlMessage(HWND hwnd, ListState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: UpdateScrollBar(hwnd, s); return 0;
    case WM_PAINT: PaintControl(hwnd, wParam, [&](HDC dc) { Paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        ItemsChanged(hwnd, s);
        return 0;
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(FontOrDefault(s.font)));
    case WM_SIZE:
        if (!s.updatingScroll) ItemsChanged(hwnd, s);
        return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, true); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: OnFocus(hwnd, s, msg == WM_SETFOCUS); return 0;
    case WM_LBUTTONDOWN: OnMouseDown(hwnd, lParam); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(hwnd, s, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, s, lParam); return 0;
    case WM_LBUTTONUP: OnMouseUp(hwnd, s); return 0;
    case WM_CAPTURECHANGED: s.tracking = false; return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_CHAR: OnChar(hwnd, s, wParam); return 0;
    case WM_VSCROLL: OnVScroll(hwnd, s, wParam); return 0;
    case WM_MOUSEWHEEL: OnWheel(hwnd, s, wParam); return 0;
    default: return ListMessage(hwnd, s, msg, wParam, lParam);
    }
}

LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<ListState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](ListState& s) { return ControlMessage(hwnd, s, msg, wParam, lParam); },
        {Prepare, nullptr});
}

} // namespace

void RegisterListBoxClass() { RegisterClassOnce("ListBox", ListBoxProc, CS_DBLCLKS); }
