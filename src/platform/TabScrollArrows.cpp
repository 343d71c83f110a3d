#include "platform/TabScrollArrows.h"

#include <algorithm>
#include <memory>

#include "platform/ClassicEdges.h"
#include "platform/ScrollBars.h"
#include "platform/SysColors.h"

// The left half steps back, the right half forward; every step tells the parent the new
// position with WM_HSCROLL (SB_THUMBPOSITION, position), as the up-down control does.
namespace {

constexpr char kStateProp[] = "TabScrollArrows.State";

struct ArrowState {
    int lower = 0, upper = 0, pos = 0;
    int pressed = -1; // 0 left, 1 right
};

ArrowState* StateOf(HWND hwnd) { return static_cast<ArrowState*>(GetProp(hwnd, kStateProp)); }

RECT HalfRect(HWND hwnd, int half) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    int mid = rc.right / 2;
    return half == 0 ? RECT{0, 0, mid, rc.bottom} : RECT{mid, 0, rc.right, rc.bottom};
}

void DrawArrow(HDC dc, const RECT& r, bool right, bool enabled) {
    // A solid triangle of 4 rows pointing left or right, centred in the button.
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    COLORREF color = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int k = 0; k < 4; ++k) {
        int x = right ? cx - 2 + k : cx + 1 - k;
        for (int y = cy - 3 + k; y <= cy + 3 - k; ++y) SetPixel(dc, x, y, color);
    }
}

void Paint(HWND hwnd, HDC dc) {
    ArrowState* s = StateOf(hwnd);
    if (!s) return;
    for (int half = 0; half < 2; ++half) {
        RECT r = HalfRect(hwnd, half);
        FillSysColor(dc, r, COLOR_BTNFACE);
        if (s->pressed == half)
            DrawButtonSunken(dc, r);
        else
            DrawButtonRaised(dc, r);
        bool enabled = half == 0 ? s->pos > s->lower : s->pos < s->upper;
        DrawArrow(dc, r, half == 1, enabled);
    }
}

void Step(HWND hwnd, int half) {
    ArrowState* s = StateOf(hwnd);
    int pos = std::clamp(s->pos + (half == 0 ? -1 : 1), s->lower, s->upper);
    if (pos == s->pos) return;
    s->pos = pos;
    InvalidateRect(hwnd, nullptr, false);
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    SendMessage(parent, WM_HSCROLL, MAKELONG(SB_THUMBPOSITION, WORD(pos)), reinterpret_cast<LPARAM>(hwnd));
    if (IsWindow(hwnd) && IsWindow(parent))
        SendMessage(parent, WM_HSCROLL, MAKELONG(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT CALLBACK_Arrows(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetProp(hwnd, kStateProp, new ArrowState);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    ArrowState* s = StateOf(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        delete static_cast<ArrowState*>(RemoveProp(hwnd, kStateProp));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        if (wParam) {
            Paint(hwnd, reinterpret_cast<HDC>(wParam));
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            Paint(hwnd, dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        RECT right = HalfRect(hwnd, 1);
        int half = GET_X_LPARAM(lParam) >= right.left ? 1 : 0;
        s->pressed = half;
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, false);
        Step(hwnd, half);
        return 0;
    }
    case WM_LBUTTONUP:
        s->pressed = -1;
        InvalidateRect(hwnd, nullptr, false);
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    case UDM_SETRANGE32:
        s->lower = int(intptr_t(wParam));
        s->upper = std::max(s->lower, int(lParam));
        s->pos = std::clamp(s->pos, s->lower, s->upper);
        InvalidateRect(hwnd, nullptr, false);
        return 0;
    case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = s->lower;
        if (lParam) *reinterpret_cast<int*>(lParam) = s->upper;
        return 0;
    case UDM_SETPOS32: {
        int old = s->pos;
        s->pos = std::clamp(int(lParam), s->lower, s->upper);
        InvalidateRect(hwnd, nullptr, false);
        return old;
    }
    case UDM_GETPOS32: return s->pos;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void EnsureUpDownClass() {
    WNDCLASS existing;
    if (GetClassInfo(UPDOWN_CLASSNAME, &existing)) return;
    WNDCLASS wc;
    wc.lpszClassName = UPDOWN_CLASSNAME;
    wc.lpfnWndProc = CALLBACK_Arrows;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(wc);
}
