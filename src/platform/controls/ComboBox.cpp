// The "ComboBox" class and its drop-down "ComboLBox". The combo box keeps the items and the
// selection; the drop-down is a list box filled when it opens. While it is open it holds the
// mouse capture, so a press anywhere else closes it; the keyboard stays with the combo box.
#include "platform/controls/ComboBox.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/controls/ListBox.h"

namespace {

constexpr std::string_view kStateProp = "Platform.ComboBox";
constexpr std::string_view kOwnerProp = "Platform.ComboOwner";
constexpr int kMaxDroppedItems = 8;

struct ComboState {
    std::vector<std::string> items;
    int current = -1;
    HWND dropDown = nullptr; // the open "ComboLBox", or null
    bool focused = false;
    HFONT font = nullptr;
};

ComboState* StateOf(HWND hwnd) { return ControlStateOf<ComboState>(hwnd, kStateProp); }
int Count(const ComboState& s) { return int(s.items.size()); }
WNDPROC ListProc() {
    WNDCLASS wc;
    return GetClassInfo("ListBox", &wc) ? wc.lpfnWndProc : DefWindowProc;
}

int ItemHeight(HWND hwnd, const ComboState& s) {
    HDC dc = GetDC(hwnd);
    SelectObject(dc, FontOrDefault(s.font));
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    ReleaseDC(hwnd, dc);
    return std::max<LONG>(1, tm.tmHeight);
}

RECT ButtonRect(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    const int w = std::min<LONG>(GetSystemMetrics(SM_CXVSCROLL), WidthOf(r));
    return Rect(r.right - 2 - w, 2, r.right - 2, r.bottom - 2);
}

// ---------------------------------------------------------------- selection and drop-down

// Returns false when the combo box went away while its parent was told.
bool Select(HWND hwnd, ComboState& s, int index, bool notify) {
    index = std::clamp(index, -1, Count(s) - 1);
    if (index == s.current) return true;
    s.current = index;
    InvalidateRect(hwnd, nullptr, true);
    return !notify || NotifyParent(hwnd, CBN_SELCHANGE);
}

// The height given at creation includes room for the list, as in the classic controls; the
// field itself is as tall as a line of its font with the frame around it.
void FitFieldHeight(HWND hwnd, const ComboState& s) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int height = ItemHeight(hwnd, s) + 8;
    if (HeightOf(r) != height)
        SetWindowPos(hwnd, nullptr, 0, 0, WidthOf(r), height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CloseDropDown(HWND hwnd, bool choose) {
    ComboState* s = StateOf(hwnd);
    if (!s || !s->dropDown) return;
    const HWND list = s->dropDown;
    const int chosen = int(SendMessage(list, LB_GETCURSEL, 0, 0));
    s->dropDown = nullptr; // first, so the capture loss while destroying finds it closed
    if (GetCapture() == list) ReleaseCapture();
    DestroyWindow(list);
    if (!(s = StateOf(hwnd))) return;
    InvalidateRect(hwnd, nullptr, true);
    if (!NotifyParent(hwnd, CBN_CLOSEUP) || !(s = StateOf(hwnd))) return;
    if (choose && chosen >= 0) Select(hwnd, *s, chosen, true);
}

HWND CreateDropDown(HWND hwnd, const ComboState& s) {
    RECT field;
    GetWindowRect(hwnd, &field);
    const int rows = std::clamp(Count(s), 1, kMaxDroppedItems);
    const int height = rows * ItemHeight(hwnd, s) + 2; // and the one-pixel border
    const DWORD style = WS_POPUP | WS_BORDER | (Count(s) > kMaxDroppedItems ? WS_VSCROLL : 0);
    HWND list =
        CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", style, field.left,
                       field.bottom, WidthOf(field), height, hwnd, nullptr, nullptr, nullptr);
    if (!list) return nullptr;
    SetProp(list, kOwnerProp, hwnd);
    SendMessage(list, WM_SETFONT, WPARAM(FontOrDefault(s.font)), 0);
    for (const std::string& item : s.items)
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(item.c_str()));
    SendMessage(list, LB_SETCURSEL, WPARAM(intptr_t(s.current)), 0);
    return list;
}

void OpenDropDown(HWND hwnd) {
    ComboState* s = StateOf(hwnd);
    if (!s || s->dropDown) return;
    if (!NotifyParent(hwnd, CBN_DROPDOWN) || !(s = StateOf(hwnd)) || s->dropDown) return;
    const HWND list = CreateDropDown(hwnd, *s);
    if (!list || !(s = StateOf(hwnd))) return;
    s->dropDown = list;
    ShowWindow(list, SW_SHOWNA);
    SetCapture(list);
    InvalidateRect(hwnd, nullptr, true);
}

void ToggleDropDown(HWND hwnd, bool choose) {
    ComboState* s = StateOf(hwnd);
    if (!s) return;
    if (s->dropDown)
        CloseDropDown(hwnd, choose);
    else
        OpenDropDown(hwnd);
}

// ---------------------------------------------------------------- the drop-down list

// Arrow keys move the open list's selection; Enter takes it, Escape leaves the choice alone.
void DroppedKey(HWND hwnd, ComboState& s, WPARAM vk) {
    const int count = Count(s);
    int at = int(SendMessage(s.dropDown, LB_GETCURSEL, 0, 0));
    switch (vk) {
    case VK_UP: at = std::max(0, at - 1); break;
    case VK_DOWN: at = std::min(count - 1, at + 1); break;
    case VK_HOME: at = 0; break;
    case VK_END: at = count - 1; break;
    case VK_RETURN: CloseDropDown(hwnd, true); return;
    case VK_ESCAPE: CloseDropDown(hwnd, false); return;
    case VK_F4: CloseDropDown(hwnd, true); return;
    default: return;
    }
    if (count > 0) SendMessage(s.dropDown, LB_SETCURSEL, WPARAM(at), 0);
}

struct DropDownMouse {
    bool armed = false; // the button went down, or moved, over the list: a release chooses
};

DropDownMouse& MouseOf(HWND list) {
    static DropDownMouse state; // one drop-down is open at a time
    (void)list;
    return state;
}

int ListIndexAt(HWND list, POINT p) {
    const int top = int(SendMessage(list, LB_GETTOPINDEX, 0, 0));
    const int h = std::max<int>(1, int(SendMessage(list, LB_GETITEMHEIGHT, 0, 0)));
    const int index = top + p.y / h;
    return index < int(SendMessage(list, LB_GETCOUNT, 0, 0)) ? index : -1;
}

bool InClient(HWND hwnd, POINT p) {
    RECT r;
    GetClientRect(hwnd, &r);
    return PtInRect(r, p);
}

LRESULT DropDownProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND combo = static_cast<HWND>(GetProp(list, kOwnerProp));
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return 3; // MA_NOACTIVATE: the dialog stays active and the combo box keeps the focus
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!InClient(list, p)) {
            CloseDropDown(combo, false); // a press anywhere else closes the list
            return 0;
        }
        MouseOf(list).armed = true;
        if (const int i = ListIndexAt(list, p); i >= 0)
            CallWindowProc(ListProc(), list, LB_SETCURSEL, WPARAM(i), 0);
        return 0;
    case WM_MOUSEMOVE:
        if (InClient(list, p)) {
            if (wParam & MK_LBUTTON) MouseOf(list).armed = true;
            if (const int i = ListIndexAt(list, p); i >= 0)
                CallWindowProc(ListProc(), list, LB_SETCURSEL, WPARAM(i), 0);
        }
        return 0;
    case WM_LBUTTONUP:
        if (MouseOf(list).armed && InClient(list, p) && ListIndexAt(list, p) >= 0)
            CloseDropDown(combo, true);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the list closes as if Escape had been pressed.
        if (ComboState* s = StateOf(combo); s && s->dropDown == list) CloseDropDown(combo, false);
        return 0;
    case WM_CREATE:
        MouseOf(list) = DropDownMouse{};
        return CallWindowProc(ListProc(), list, msg, wParam, lParam);
    case WM_NCDESTROY:
        RemoveProp(list, kOwnerProp);
        return CallWindowProc(ListProc(), list, msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KEYDOWN:
    case WM_CHAR: return 0;
    default: return CallWindowProc(ListProc(), list, msg, wParam, lParam);
    }
}

// ---------------------------------------------------------------- the combo box

void OnKeyDown(HWND hwnd, ComboState& s, WPARAM vk) {
    if (s.dropDown) {
        DroppedKey(hwnd, s, vk);
        return;
    }
    if (vk == VK_F4) {
        OpenDropDown(hwnd);
        return;
    }
    if (s.items.empty()) return;
    int at = s.current;
    switch (vk) {
    case VK_UP:
    case VK_LEFT: at = std::max(0, at - 1); break;
    case VK_DOWN:
    case VK_RIGHT: at = std::min(Count(s) - 1, at + 1); break;
    case VK_HOME: at = 0; break;
    case VK_END: at = Count(s) - 1; break;
    default: return;
    }
    Select(hwnd, s, at, true);
}

// Alt+Down and Alt+Up open and close the list.
bool OnSysKeyDown(HWND hwnd, ComboState& s, WPARAM vk) {
    if (vk != VK_DOWN && vk != VK_UP) return false;
    if (s.dropDown)
        CloseDropDown(hwnd, true);
    else
        OpenDropDown(hwnd);
    return true;
}

void OnMouseDown(HWND hwnd) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    if (StateOf(hwnd)) ToggleDropDown(hwnd, false);
}

void DrawArrowButton(HDC dc, const RECT& r, bool pressed, bool enabled) {
    FillSolidRect(dc, r, GetSysColor(COLOR_BTNFACE));
    if (pressed)
        FrameTwoTone(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    else
        DrawButtonRaised(dc, r);
    // A downward triangle four rows high, centred.
    const int shift = pressed ? 1 : 0;
    const int cx = (r.left + r.right) / 2 + shift, cy = (r.top + r.bottom) / 2 - 2 + shift;
    const COLORREF ink = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int row = 0; row < 4; ++row)
        FillSolidRect(dc, Rect(cx - 3 + row, cy + row, cx + 4 - row, cy + row + 1), ink);
}

void Paint(HWND hwnd, HDC dc) {
    ComboState* s = StateOf(hwnd);
    if (!s) return;
    const int saved = SaveDC(dc);
    SelectObject(dc, FontOrDefault(s->font));
    const bool enabled = IsWindowEnabled(hwnd);
    HBRUSH brush = AskControlColor(hwnd, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, dc,
                                   enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    if (!IsWindow(hwnd) || !(s = StateOf(hwnd))) return;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, brush);
    DrawFieldSunken(dc, client);
    const RECT button = ButtonRect(hwnd);
    DrawArrowButton(dc, button, s->dropDown != nullptr, enabled);
    RECT field = Rect(3, 3, button.left - 1, client.bottom - 3);
    const bool highlight = s->focused && !s->dropDown;
    if (highlight) FillSolidRect(dc, field, GetSysColor(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    else if (highlight)
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    if (s->current >= 0) {
        const std::string& text = s->items[size_t(s->current)];
        RECT textRect = Rect(field.left + 2, field.top, field.right, field.bottom);
        DrawText(dc, text.c_str(), int(text.size()), &textRect,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (highlight) DrawFocusRect(dc, &field);
    RestoreDC(dc, saved);
}

LRESULT EraseBackground(HWND hwnd, HDC dc) {
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLOREDIT, dc, COLOR_WINDOW);
    return FillClientWithBrush(hwnd, dc, brush);
}

int FindExact(const ComboState& s, WPARAM start, const char* text) {
    if (!text || s.items.empty()) return int(CB_ERR);
    auto lower = [](std::string t) {
        for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    const std::string key = lower(text);
    const int n = Count(s),
              first = int(intptr_t(start)) < 0 || int(start) >= n ? 0 : int(start) + 1;
    for (int k = 0; k < n; ++k)
        if (lower(s.items[size_t((first + k) % n)]) == key) return (first + k) % n;
    return int(CB_ERR);
}

bool ValidIndex(const ComboState& s, WPARAM index) {
    return int(intptr_t(index)) >= 0 && int(index) < Count(s);
}

void ItemsChanged(HWND hwnd) {
    CloseDropDown(hwnd, false);
    InvalidateRect(hwnd, nullptr, true);
}

LRESULT ItemMessage(HWND hwnd, ComboState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    switch (msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        int at = msg == CB_ADDSTRING || int(intptr_t(wParam)) < 0 ? Count(s) : int(wParam);
        if (at > Count(s)) return CB_ERR;
        s.items.insert(s.items.begin() + at, text ? text : "");
        if (s.current >= at) ++s.current;
        ItemsChanged(hwnd);
        return at;
    }
    case CB_DELETESTRING:
        if (!ValidIndex(s, wParam)) return CB_ERR;
        s.items.erase(s.items.begin() + int(wParam));
        if (s.current == int(wParam))
            s.current = -1;
        else if (s.current > int(wParam))
            --s.current;
        ItemsChanged(hwnd);
        return StateOf(hwnd) ? Count(*StateOf(hwnd)) : CB_ERR;
    case CB_RESETCONTENT:
        s.items.clear();
        s.current = -1;
        ItemsChanged(hwnd);
        return CB_OKAY;
    case CB_GETCOUNT: return Count(s);
    case CB_GETCURSEL: return s.current;
    case CB_SETCURSEL:
        Select(hwnd, s, ValidIndex(s, wParam) ? int(wParam) : -1, false);
        if (s.dropDown) SendMessage(s.dropDown, LB_SETCURSEL, WPARAM(intptr_t(s.current)), 0);
        return ValidIndex(s, wParam) ? LRESULT(wParam) : CB_ERR;
    case CB_GETLBTEXT:
        if (!ValidIndex(s, wParam) || !lParam) return CB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), s.items[wParam].c_str(),
                    s.items[wParam].size() + 1);
        return LRESULT(s.items[wParam].size());
    case CB_GETLBTEXTLEN: return ValidIndex(s, wParam) ? LRESULT(s.items[wParam].size()) : CB_ERR;
    case CB_FINDSTRINGEXACT: return FindExact(s, wParam, text);
    case CB_SHOWDROPDOWN:
        if (wParam)
            OpenDropDown(hwnd);
        else
            CloseDropDown(hwnd, false);
        return 1;
    case CB_GETDROPPEDSTATE: return s.dropDown ? 1 : 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

// Scroll-bar styles belong to the drop-down list, never to the field.
void Prepare(HWND hwnd, ComboState&, LPARAM) {
    const LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
    SetWindowLongPtr(hwnd, GWL_STYLE, style & ~LONG_PTR(WS_VSCROLL | WS_HSCROLL));
}

LRESULT ControlMessage(HWND hwnd, ComboState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        if (s.dropDown) {
            const HWND list = s.dropDown;
            s.dropDown = nullptr;
            DestroyWindow(list);
        }
        return 0;
    case WM_PAINT: PaintControl(hwnd, wParam, [&](HDC dc) { Paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    // While the list is open, Enter and Escape close it instead of working the dialog.
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (s.dropDown ? DLGC_WANTALLKEYS : 0);
    case WM_CREATE: FitFieldHeight(hwnd, s); return 0;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        FitFieldHeight(hwnd, s);
        if (LOWORD(uintptr_t(lParam))) InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(FontOrDefault(s.font)));
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        // The window text of a drop-down list combo box is its chosen item.
        const std::string text = s.current >= 0 ? s.items[size_t(s.current)] : "";
        if (msg == WM_GETTEXTLENGTH) return LRESULT(text.size());
        if (!lParam || wParam == 0) return 0;
        const size_t n = std::min<size_t>(text.size(), size_t(wParam) - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }
    case WM_ENABLE:
        if (!wParam) CloseDropDown(hwnd, false);
        InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_SETFOCUS:
        s.focused = true;
        InvalidateRect(hwnd, nullptr, true);
        NotifyParent(hwnd, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s.focused = false;
        InvalidateRect(hwnd, nullptr, true);
        CloseDropDown(hwnd, false);
        if (IsWindow(hwnd)) NotifyParent(hwnd, CBN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnMouseDown(hwnd); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_SYSKEYDOWN:
        if (OnSysKeyDown(hwnd, s, wParam)) return 0;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_CHAR: return 0;
    case WM_MOUSEWHEEL:
        if (!s.dropDown && !s.items.empty())
            Select(
                hwnd, s,
                std::clamp(s.current - int(int16_t(HIWORD(wParam))) / WHEEL_DELTA, 0, Count(s) - 1),
                true);
        return 0;
    default: return ItemMessage(hwnd, s, msg, wParam, lParam);
    }
}

LRESULT ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<ComboState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](ComboState& s) { return ControlMessage(hwnd, s, msg, wParam, lParam); },
        {Prepare, nullptr});
}

} // namespace

void RegisterComboBoxClass() {
    RegisterListBoxClass();
    RegisterClassOnce("ComboLBox", DropDownProc, CS_DBLCLKS | CS_SAVEBITS);
    RegisterClassOnce("ComboBox", ComboProc, CS_DBLCLKS);
}
