// The "msctls_updown32" class. A step asks the parent first (UDN_DELTAPOS, which may cancel
// it), then moves the position, writes it into the buddy and reports it with WM_VSCROLL (or
// WM_HSCROLL) SB_THUMBPOSITION.
#include "platform/controls/UpDown.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/window/ScrollBars.h"

namespace {

constexpr std::string_view kStateProp = "Platform.UpDown";
constexpr uintptr_t kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 500;
constexpr UINT kRepeatMs = 100;

enum class Part { None, Up, Down }; // Up: the arrow that increases (up, or right when horizontal)

struct UpDownState {
    int low = 100; // Win32's default range runs from 100 down to 0
    int high = 0;
    int pos = 0;
    HWND buddy = nullptr;
    int buddyHook = 0;
    Part pressed = Part::None; // held with the mouse
    Part hover = Part::None;   // under the mouse while held
};

UpDownState* StateOf(HWND hwnd) { return ControlStateOf<UpDownState>(hwnd, kStateProp); }
DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)); }
bool IsHorizontal(HWND hwnd) { return (StyleOf(hwnd) & UDS_HORZ) != 0; }

RECT PartRect(HWND hwnd, Part part) {
    RECT r;
    GetClientRect(hwnd, &r);
    if (IsHorizontal(hwnd)) {
        const int mid = r.right / 2;
        return part == Part::Up ? Rect(mid, 0, r.right, r.bottom) : Rect(0, 0, mid, r.bottom);
    }
    const int mid = r.bottom / 2;
    return part == Part::Up ? Rect(0, 0, r.right, mid) : Rect(0, mid, r.right, r.bottom);
}

Part PartAt(HWND hwnd, POINT p) {
    if (PtInRect(PartRect(hwnd, Part::Up), p)) return Part::Up;
    if (PtInRect(PartRect(hwnd, Part::Down), p)) return Part::Down;
    return Part::None;
}

// ---------------------------------------------------------------- position and buddy

std::string WithThousands(int value) {
    std::string digits = std::to_string(value < 0 ? -int64_t(value) : int64_t(value)), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

void ShowInBuddy(HWND hwnd, const UpDownState& s) {
    if (!(StyleOf(hwnd) & UDS_SETBUDDYINT) || !IsWindow(s.buddy)) return;
    SetWindowText(s.buddy,
                  (StyleOf(hwnd) & UDS_NOTHOUSANDS) ? std::to_string(s.pos) : WithThousands(s.pos));
}

// The number the buddy shows, thousands separators allowed; false when it shows none.
bool ReadBuddy(const UpDownState& s, int* value) {
    std::string text = GetWindowText(s.buddy);
    std::erase(text, ',');
    std::erase(text, ' ');
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *value);
    return ec == std::errc() && ptr == end && !text.empty();
}

int Clamp(const UpDownState& s, int v) {
    return std::clamp(v, std::min(s.low, s.high), std::max(s.low, s.high));
}

// Takes up the buddy's number, as Win32 does before a step and on UDM_GETPOS32.
bool SyncFromBuddy(HWND hwnd, UpDownState& s) {
    if (!(StyleOf(hwnd) & UDS_SETBUDDYINT) || !IsWindow(s.buddy)) return true;
    int v = 0;
    if (!ReadBuddy(s, &v)) return false;
    s.pos = Clamp(s, v);
    return true;
}

// The next position one step up (+1) or down (-1); "up" moves toward `high`.
int Stepped(HWND hwnd, const UpDownState& s, int direction) {
    const int toward = s.high >= s.low ? direction : -direction;
    const int lo = std::min(s.low, s.high), hi = std::max(s.low, s.high);
    const int64_t next = int64_t(s.pos) + toward;
    if (next > hi) return (StyleOf(hwnd) & UDS_WRAP) ? lo : hi;
    if (next < lo) return (StyleOf(hwnd) & UDS_WRAP) ? hi : lo;
    return int(next);
}

void Step(HWND hwnd, int direction) {
    UpDownState* s = StateOf(hwnd);
    if (!s) return;
    SyncFromBuddy(hwnd, *s);
    NMUPDOWN nm;
    nm.hdr.hwndFrom = hwnd;
    nm.hdr.idFrom = uintptr_t(GetWindowLongPtr(hwnd, GWL_ID));
    nm.hdr.code = UDN_DELTAPOS;
    nm.iPos = s->pos;
    nm.iDelta = direction;
    const HWND parent = GetParent(hwnd);
    if (parent && SendMessage(parent, WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm)) != 0)
        return; // cancelled
    if (!(s = StateOf(hwnd))) return;
    const int next = Stepped(hwnd, *s, direction);
    if (next == s->pos) return;
    s->pos = next;
    ShowInBuddy(hwnd, *s);
    if (parent && IsWindow(hwnd))
        SendMessage(parent, IsHorizontal(hwnd) ? WM_HSCROLL : WM_VSCROLL,
                    MAKEWPARAM(SB_THUMBPOSITION, next), LPARAM(hwnd));
}

// ---------------------------------------------------------------- buddy

void PlaceBesideBuddy(HWND hwnd, HWND buddy) {
    const DWORD style = StyleOf(hwnd);
    if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || GetParent(buddy) != GetParent(hwnd)) return;
    RECT b, me;
    GetWindowRect(buddy, &b);
    GetWindowRect(hwnd, &me);
    POINT corners[2] = {{b.left, b.top}, {b.right, b.bottom}};
    MapWindowPoints(nullptr, GetParent(hwnd), corners, 2);
    const int w = WidthOf(me), h = corners[1].y - corners[0].y;
    // The buddy gives up the width the arrows take, on the side they sit.
    if (style & UDS_ALIGNRIGHT) {
        MoveWindow(buddy, corners[0].x, corners[0].y, corners[1].x - corners[0].x - w, h, true);
        MoveWindow(hwnd, corners[1].x - w, corners[0].y, w, h, true);
    } else {
        MoveWindow(buddy, corners[0].x + w, corners[0].y, corners[1].x - corners[0].x - w, h, true);
        MoveWindow(hwnd, corners[0].x, corners[0].y, w, h, true);
    }
}

void HookBuddyKeys(HWND hwnd, UpDownState& s) {
    if (!(StyleOf(hwnd) & UDS_ARROWKEYS) || !IsWindow(s.buddy)) return;
    s.buddyHook = AddWindowMessageHook(
        s.buddy, [hwnd](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
            if (msg != WM_KEYDOWN || (wParam != VK_UP && wParam != VK_DOWN) || !IsWindow(hwnd))
                return false;
            Step(hwnd, wParam == VK_UP ? 1 : -1);
            *result = 0;
            return true;
        });
}

HWND SetBuddy(HWND hwnd, UpDownState& s, HWND buddy) {
    const HWND old = s.buddy;
    if (s.buddyHook) RemoveWindowMessageHook(s.buddyHook);
    s.buddyHook = 0;
    s.buddy = IsWindow(buddy) ? buddy : nullptr;
    if (!s.buddy) return old;
    HookBuddyKeys(hwnd, s);
    PlaceBesideBuddy(hwnd, s.buddy);
    if (UpDownState* again = StateOf(hwnd)) ShowInBuddy(hwnd, *again);
    return old;
}

// ---------------------------------------------------------------- mouse

void OnMouseDown(HWND hwnd, UpDownState& s, LPARAM lParam) {
    const Part part = PartAt(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (part == Part::None) return;
    if (IsWindow(s.buddy)) SetFocus(s.buddy);
    UpDownState* st = StateOf(hwnd);
    if (!st) return;
    SetCapture(hwnd);
    if (!(st = StateOf(hwnd))) return;
    st->pressed = st->hover = part;
    InvalidateRect(hwnd, nullptr, true);
    SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
    Step(hwnd, part == Part::Up ? 1 : -1);
}

void EndPress(HWND hwnd, UpDownState& s, bool notify) {
    if (s.pressed == Part::None) return;
    s.pressed = s.hover = Part::None;
    KillTimer(hwnd, kRepeatTimer);
    InvalidateRect(hwnd, nullptr, true);
    if (GetCapture() == hwnd) ReleaseCapture();
    const HWND parent = GetParent(hwnd);
    if (notify && parent && IsWindow(hwnd)) {
        UpDownState* again = StateOf(hwnd);
        const int pos = again ? again->pos : 0;
        SendMessage(parent, IsHorizontal(hwnd) ? WM_HSCROLL : WM_VSCROLL,
                    MAKEWPARAM(SB_ENDSCROLL, pos), LPARAM(hwnd));
    }
}

void OnMouseMove(HWND hwnd, UpDownState& s, LPARAM lParam) {
    if (s.pressed == Part::None) return;
    const Part now = PartAt(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (now != s.hover) {
        s.hover = now;
        InvalidateRect(hwnd, nullptr, true);
    }
}

// Repeats only while the mouse stays on the arrow that was pressed.
void OnTimer(HWND hwnd, UpDownState& s) {
    if (s.pressed == Part::None) {
        KillTimer(hwnd, kRepeatTimer);
        return;
    }
    SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
    if (s.hover == s.pressed) Step(hwnd, s.pressed == Part::Up ? 1 : -1);
}

// ---------------------------------------------------------------- painting

void DrawArrow(HDC dc, const RECT& r, Part part, bool horizontal, bool pressed, bool enabled) {
    FillSolidRect(dc, r, GetSysColor(COLOR_BTNFACE));
    if (pressed)
        DrawFieldSunken(dc, r);
    else
        DrawButtonRaised(dc, r);
    const int shift = pressed ? 1 : 0;
    const int cx = (r.left + r.right) / 2 + shift, cy = (r.top + r.bottom) / 2 + shift;
    const COLORREF ink = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const int size = std::max(1, std::min<int>(3, (std::min(WidthOf(r), HeightOf(r)) - 4) / 2));
    for (int i = 0; i < size; ++i) {
        // Rows (or columns) of the triangle, widest at its base.
        const int half = i, at = part == Part::Up ? -size / 2 + i : size / 2 - i;
        if (horizontal)
            FillSolidRect(dc, Rect(cx - at, cy - half, cx - at + 1, cy + half + 1), ink);
        else
            FillSolidRect(dc, Rect(cx - half, cy + at, cx + half + 1, cy + at + 1), ink);
    }
}

void Paint(HWND hwnd, HDC dc) {
    UpDownState* s = StateOf(hwnd);
    if (!s) return;
    const bool enabled = IsWindowEnabled(hwnd), horizontal = IsHorizontal(hwnd);
    for (Part part : {Part::Up, Part::Down}) {
        const bool pressed = s->pressed == part && s->hover == part;
        DrawArrow(dc, PartRect(hwnd, part), part, horizontal, pressed, enabled);
    }
}

// ---------------------------------------------------------------- messages

LRESULT RangeMessage(HWND hwnd, UpDownState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UDM_SETRANGE:
        s.low = int(int16_t(HIWORD(uintptr_t(lParam))));
        s.high = int(int16_t(LOWORD(uintptr_t(lParam))));
        s.pos = Clamp(s, s.pos);
        return 0;
    case UDM_GETRANGE: return LRESULT(MAKELONG(WORD(s.high), WORD(s.low)));
    case UDM_SETRANGE32:
        s.low = int(intptr_t(wParam));
        s.high = int(lParam);
        s.pos = Clamp(s, s.pos);
        return 0;
    case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = s.low;
        if (lParam) *reinterpret_cast<int*>(lParam) = s.high;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int old = s.pos;
        s.pos = Clamp(s, msg == UDM_SETPOS ? int(int16_t(LOWORD(uintptr_t(lParam)))) : int(lParam));
        ShowInBuddy(hwnd, s);
        return old;
    }
    case UDM_GETPOS: {
        const bool ok = SyncFromBuddy(hwnd, s);
        return LRESULT(MAKELONG(WORD(s.pos), WORD(ok ? 0 : 1)));
    }
    case UDM_GETPOS32: {
        const bool ok = SyncFromBuddy(hwnd, s);
        if (lParam) *reinterpret_cast<int*>(lParam) = ok ? 0 : 1;
        return s.pos;
    }
    case UDM_SETBUDDY:
        return LRESULT(
            reinterpret_cast<uintptr_t>(SetBuddy(hwnd, s, reinterpret_cast<HWND>(wParam))));
    case UDM_GETBUDDY: return LRESULT(reinterpret_cast<uintptr_t>(s.buddy));
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void OnCreate(HWND hwnd, UpDownState& s) {
    if (!(StyleOf(hwnd) & UDS_AUTOBUDDY)) return;
    if (const HWND previous = GetWindow(hwnd, GW_HWNDPREV)) SetBuddy(hwnd, s, previous);
}

void Release(HWND, UpDownState& s) {
    if (s.buddyHook) RemoveWindowMessageHook(s.buddyHook);
}

LRESULT ControlMessage(HWND hwnd, UpDownState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: OnCreate(hwnd, s); return 0;
    case WM_PAINT: PaintControl(hwnd, wParam, [&](HDC dc) { Paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (IsWindowEnabled(hwnd)) OnMouseDown(hwnd, s, lParam);
        return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, s, lParam); return 0;
    case WM_LBUTTONUP: EndPress(hwnd, s, true); return 0;
    case WM_CAPTURECHANGED: EndPress(hwnd, s, false); return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer) OnTimer(hwnd, s);
        return 0;
    case WM_ENABLE:
        if (!wParam) EndPress(hwnd, s, false);
        InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_SETFONT: return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETFONT: {
        const LRESULT font = DefWindowProc(hwnd, msg, wParam, lParam);
        return font ? font : LRESULT(reinterpret_cast<uintptr_t>(DefaultControlFont()));
    }
    default: return RangeMessage(hwnd, s, msg, wParam, lParam);
    }
}

LRESULT UpDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<UpDownState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](UpDownState& s) { return ControlMessage(hwnd, s, msg, wParam, lParam); },
        {nullptr, Release});
}

} // namespace

void RegisterUpDownClass() { RegisterClassOnce("msctls_updown32", UpDownProc); }
