// Scroll bars: the scroll state of window bars and scroll-bar controls, their classic look,
// hit testing and the press / hold / drag tracking that turns the mouse into scroll requests.
#include "platform/window/ScrollBars.h"

#include <algorithm>
#include <unordered_map>

#include "platform/window/PaintControl.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

constexpr DWORD kFirstRepeatDelay = 300; // ms from the press to the first repeat
constexpr DWORD kRepeatInterval = 55;    // ms between repeats afterwards
constexpr int kMinThumb = 8;

// Timer ids on the scrolled window: addresses of these objects, which no other code can have
// chosen as its own numbers by design.
const char kDelayTimerTag = 0;
const char kRepeatTimerTag = 0;
uintptr_t DelayTimerId() { return reinterpret_cast<uintptr_t>(&kDelayTimerTag); }
uintptr_t RepeatTimerId() { return reinterpret_cast<uintptr_t>(&kRepeatTimerTag); }

struct BarState {
    SCROLLINFO info;
    UINT disabledArrows = 0; // ESB_DISABLE_LTUP / ESB_DISABLE_RTDN bits
};

// Index 0 horizontal, 1 vertical, 2 the control's own bar.
struct WindowBars {
    BarState bars[3];
    bool reservedH = false; // decided by the last non-client size calculation
    bool reservedV = false;
};

std::unordered_map<HWND, WindowBars>& AllBars() {
    static std::unordered_map<HWND, WindowBars> bars;
    return bars;
}

// The window's scroll state, created on first use with Win32's default window range 0..100.
// The entry goes when the window does.
WindowBars& BarsOf(HWND hwnd) {
    auto& all = AllBars();
    auto it = all.find(hwnd);
    if (it != all.end()) return it->second;
    WindowBars& bars = all[hwnd];
    bars.bars[SB_HORZ].info.nMax = 100;
    bars.bars[SB_VERT].info.nMax = 100;
    AddWindowMessageHook(hwnd, [](HWND h, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_NCDESTROY) AllBars().erase(h);
        return false;
    });
    return bars;
}

bool ValidBar(HWND hwnd, int bar) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    if (bar == SB_CTL) return GetClassName(hwnd) == "ScrollBar";
    return bar == SB_HORZ || bar == SB_VERT;
}

// ---------------------------------------------------------------- geometry

struct BarLayout {
    RECT rect{}; // window coordinates
    bool vertical = false;
    int length = 0;     // along the bar
    int arrow = 0;      // arrow button length actually used
    int thumbStart = 0; // from the bar's start; thumbLength 0 means no thumb
    int thumbLength = 0;
};

int RangeOf(const SCROLLINFO& si) { return si.nMax - si.nMin; }
int MaxPosOf(const SCROLLINFO& si) { return si.nMax - std::max<int>(int(si.nPage), 1) + 1; }
bool Scrollable(const SCROLLINFO& si) { return si.nMin < si.nMax && int(si.nPage) <= RangeOf(si); }
bool BarDisabled(const BarState& b) {
    return (b.disabledArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH;
}

// Thumb length and offset within a track of length `track`.
void PlaceThumb(const SCROLLINFO& si, int track, int arrow, int* start, int* length) {
    *start = *length = 0;
    const int range = RangeOf(si);
    if (range < 0 || track <= 0) return;
    int s = si.nPage ? MulDiv(int(si.nPage), track, range + 1) : arrow;
    s = std::max(s, std::min(kMinThumb, track));
    if (s >= track) return; // no room to move: no thumb
    const int steps = range - std::max<int>(int(si.nPage), 1) + 1;
    const int offset =
        steps > 0 ? std::clamp(MulDiv(si.nPos - si.nMin, track - s, steps), 0, track - s) : 0;
    *start = arrow + offset;
    *length = s;
}

RECT BarRect(HWND hwnd, int bar) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return RECT{};
    if (bar == SB_CTL) return w->client;
    const WindowBars& bars = BarsOf(hwnd);
    const RECT c = w->client;
    if (bar == SB_VERT && bars.reservedV)
        return Rect(c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom);
    if (bar == SB_HORZ && bars.reservedH)
        return Rect(c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL));
    return RECT{};
}

bool IsVertical(HWND hwnd, int bar) {
    if (bar != SB_CTL) return bar == SB_VERT;
    return (GetWindowLong(hwnd, GWL_STYLE) & SBS_VERT) != 0;
}

BarLayout LayoutBar(HWND hwnd, int bar) {
    BarLayout l;
    l.rect = BarRect(hwnd, bar);
    l.vertical = IsVertical(hwnd, bar);
    l.length = l.vertical ? HeightOf(l.rect) : WidthOf(l.rect);
    const int arrow = l.vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
    if (2 * arrow > l.length) {
        l.arrow = l.length / 2; // two half-length buttons and no thumb
        return l;
    }
    l.arrow = arrow;
    const BarState& b = BarsOf(hwnd).bars[bar];
    if (!BarDisabled(b) && Scrollable(b.info))
        PlaceThumb(b.info, l.length - 2 * arrow, arrow, &l.thumbStart, &l.thumbLength);
    return l;
}

// The part of the bar at `along` (offset from the bar's start): a scroll request code
// (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK) or -1 outside.
int PartAt(const BarLayout& l, int along) {
    if (along < 0 || along >= l.length) return -1;
    if (along < l.arrow) return SB_LINEUP;
    if (along >= l.length - l.arrow) return SB_LINEDOWN;
    if (l.thumbLength == 0) return -1;
    if (along < l.thumbStart) return SB_PAGEUP;
    if (along >= l.thumbStart + l.thumbLength) return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

// ---------------------------------------------------------------- tracking

struct Tracking {
    HWND hwnd = nullptr;
    int bar = -1;
    int part = -1;
    int hookId = 0;
    bool over = false;      // the cursor is over the pressed part
    bool dragging = false;  // the thumb is being dragged
    int grab = 0;           // cursor minus thumb start, along the bar
    int dragThumbStart = 0; // from the bar's start
    int lastPos = 0;
    bool ending = false;
};

Tracking& Track() {
    static Tracking t;
    return t;
}

// ---------------------------------------------------------------- painting

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void Frame3D(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, Rect(r.left, r.top, r.right - 1, r.top + 1), topLeft);
    FillSolid(dc, Rect(r.left, r.top, r.left + 1, r.bottom - 1), topLeft);
    FillSolid(dc, Rect(r.left, r.bottom - 1, r.right, r.bottom), bottomRight);
    FillSolid(dc, Rect(r.right - 1, r.top, r.right, r.bottom), bottomRight);
}

void RaisedBox(HDC dc, const RECT& r) {
    FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
    if (WidthOf(r) < 2 || HeightOf(r) < 2) return;
    Frame3D(dc, r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    if (WidthOf(r) > 3 && HeightOf(r) > 3)
        Frame3D(dc, InflateRect(r, -1, -1), GetSysColor(COLOR_BTNHIGHLIGHT),
                GetSysColor(COLOR_BTNSHADOW));
}

// The dithered track: every other pixel in the highlight colour over the face colour, or in
// the dark shadow over black while that side is being paged.
void FillTrack(HDC dc, const RECT& r, bool pressed) {
    const COLORREF a = GetSysColor(pressed ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT);
    const COLORREF b = pressed ? RGB(0, 0, 0) : GetSysColor(COLOR_SCROLLBAR);
    FillSolid(dc, r, b);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left + ((r.left + y) & 1); x < r.right; x += 2) SetPixel(dc, x, y, a);
}

// A filled triangle pointing in `direction` (0 up, 1 down, 2 left, 3 right), centred at (cx, cy).
void Triangle(HDC dc, int cx, int cy, int size, int direction, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    for (int i = 0; i < size; ++i) {
        const int half = i; // row i (from the tip) spans 2i + 1 pixels
        const int tip = -(size / 2);
        RECT r;
        switch (direction) {
        case 0: r = Rect(cx - half, cy + tip + i, cx + half + 1, cy + tip + i + 1); break;
        case 1: r = Rect(cx - half, cy - tip - i, cx + half + 1, cy - tip - i + 1); break;
        case 2: r = Rect(cx + tip + i, cy - half, cx + tip + i + 1, cy + half + 1); break;
        default: r = Rect(cx - tip - i, cy - half, cx - tip - i + 1, cy + half + 1); break;
        }
        FillRect(dc, &r, b);
    }
    DeleteObject(b);
}

void PaintArrow(HDC dc, const RECT& r, int direction, bool pressed, bool disabled) {
    if (pressed) {
        FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); // classic flat pushed arrow
    } else {
        RaisedBox(dc, r);
    }
    const int extent = std::min(WidthOf(r), HeightOf(r));
    const int size = std::max(1, (extent - 4) / 3); // 4 rows on a 16-pixel button
    const int shift = pressed ? 1 : 0;
    const int cx = (r.left + r.right - 1) / 2 + shift, cy = (r.top + r.bottom - 1) / 2 + shift;
    if (disabled) {
        Triangle(dc, cx + 1, cy + 1, size, direction, GetSysColor(COLOR_BTNHIGHLIGHT));
        Triangle(dc, cx, cy, size, direction, GetSysColor(COLOR_GRAYTEXT));
    } else {
        Triangle(dc, cx, cy, size, direction, GetSysColor(COLOR_BTNTEXT));
    }
}

RECT Span(const BarLayout& l, int from, int to) {
    return l.vertical ? Rect(l.rect.left, l.rect.top + from, l.rect.right, l.rect.top + to)
                      : Rect(l.rect.left + from, l.rect.top, l.rect.left + to, l.rect.bottom);
}

void PaintBar(HWND hwnd, int bar, HDC dc) {
    BarLayout l = LayoutBar(hwnd, bar);
    if (IsRectEmpty(l.rect)) return;
    const BarState& b = BarsOf(hwnd).bars[bar];
    const Tracking& t = Track();
    const bool tracked = t.hwnd == hwnd && t.bar == bar;
    const int pressed = tracked && (t.over || t.dragging) ? t.part : -1;
    if (tracked && t.dragging) l.thumbStart = t.dragThumbStart;
    const bool disabled = BarDisabled(b) || !IsWindowEnabled(hwnd);
    const int upDir = l.vertical ? 0 : 2, downDir = l.vertical ? 1 : 3;
    const int trackFrom = l.arrow, trackTo = l.length - l.arrow;
    if (trackTo > trackFrom) {
        if (l.thumbLength) {
            FillTrack(dc, Span(l, trackFrom, l.thumbStart), pressed == SB_PAGEUP);
            FillTrack(dc, Span(l, l.thumbStart + l.thumbLength, trackTo), pressed == SB_PAGEDOWN);
            RaisedBox(dc, Span(l, l.thumbStart, l.thumbStart + l.thumbLength));
        } else {
            FillTrack(dc, Span(l, trackFrom, trackTo), false);
        }
    }
    PaintArrow(dc, Span(l, 0, l.arrow), upDir, pressed == SB_LINEUP,
               disabled || (b.disabledArrows & ESB_DISABLE_LTUP) || !Scrollable(b.info));
    PaintArrow(dc, Span(l, l.length - l.arrow, l.length), downDir, pressed == SB_LINEDOWN,
               disabled || (b.disabledArrows & ESB_DISABLE_RTDN) || !Scrollable(b.info));
}

// Repaints one bar now, if the window shows it.
void RedrawBar(HWND hwnd, int bar) {
    if (!IsWindowVisible(hwnd) || !IsRedrawEnabled(hwnd)) return;
    if (bar == SB_CTL) {
        InvalidateRect(hwnd, nullptr, false); // painted in order with its parent
        return;
    }
    // Through WM_NCPAINT, so that whoever draws this window's frame draws the bar.
    SendMessage(hwnd, WM_NCPAINT, 1, 0);
}

// ---------------------------------------------------------------- requests

// Sends a scroll request: to the window for its own bars, to the parent for a control.
void SendRequest(HWND hwnd, int bar, WORD code, int pos) {
    const WPARAM wParam = MAKELONG(code, WORD(pos));
    if (bar == SB_CTL) {
        const UINT msg = IsVertical(hwnd, bar) ? WM_VSCROLL : WM_HSCROLL;
        SendMessage(GetParent(hwnd), msg, wParam, LPARAM(reinterpret_cast<uintptr_t>(hwnd)));
    } else {
        SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, wParam, 0);
    }
}

// The cursor, in window coordinates, along the tracked bar.
int CursorAlong(const BarLayout& l, POINT inWindow) {
    return l.vertical ? inWindow.y - l.rect.top : inWindow.x - l.rect.left;
}

POINT ScreenToWindow(HWND hwnd, POINT screen) {
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    return POINT{screen.x - wr.left, screen.y - wr.top};
}

void EndTracking(bool sendEnd);

bool StillTracking(HWND hwnd) { return Track().hwnd == hwnd && IsWindow(hwnd); }

void DragThumb(POINT inWindow) {
    Tracking& t = Track();
    const HWND hwnd = t.hwnd;
    const BarLayout l = LayoutBar(hwnd, t.bar);
    if (l.thumbLength == 0) return;
    const int trackLen = l.length - 2 * l.arrow;
    const int start =
        std::clamp(CursorAlong(l, inWindow) - t.grab, l.arrow, l.length - l.arrow - l.thumbLength);
    t.dragThumbStart = start;
    SCROLLINFO& si = BarsOf(hwnd).bars[t.bar].info;
    const int steps = RangeOf(si) - std::max<int>(int(si.nPage), 1) + 1;
    const int free = trackLen - l.thumbLength;
    int pos = si.nMin + (free > 0 && steps > 0 ? MulDiv(start - l.arrow, steps, free) : 0);
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, MaxPosOf(si)));
    RedrawBar(hwnd, t.bar);
    if (!StillTracking(hwnd) || pos == t.lastPos) return;
    t.lastPos = pos;
    BarsOf(hwnd).bars[t.bar].info.nTrackPos = pos;
    SendRequest(hwnd, t.bar, SB_THUMBTRACK, pos);
}

void UpdateOver(POINT inWindow) {
    Tracking& t = Track();
    const BarLayout l = LayoutBar(t.hwnd, t.bar);
    const bool across = l.vertical ? inWindow.x >= l.rect.left && inWindow.x < l.rect.right
                                   : inWindow.y >= l.rect.top && inWindow.y < l.rect.bottom;
    const bool over = across && PartAt(l, CursorAlong(l, inWindow)) == t.part;
    if (over != t.over) {
        t.over = over;
        RedrawBar(t.hwnd, t.bar);
    }
}

void RepeatTick(uintptr_t id) {
    Tracking& t = Track();
    const HWND hwnd = t.hwnd;
    if (id == DelayTimerId()) {
        KillTimer(hwnd, DelayTimerId());
        SetTimer(hwnd, RepeatTimerId(), kRepeatInterval, nullptr);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    UpdateOver(ScreenToWindow(hwnd, cursor));
    if (!StillTracking(hwnd) || !t.over) return;
    SendRequest(hwnd, t.bar, WORD(t.part), 0);
    if (StillTracking(hwnd)) RedrawBar(hwnd, t.bar); // the thumb may have moved under the cursor
}

// Mouse input during a press goes to the pressed bar, not to the window: the press owns the
// mouse until the button comes up, as in Win32's modal scroll loop.
bool TrackingHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Tracking& t = Track();
    if (t.hwnd != hwnd) return false;
    switch (msg) {
    case WM_TIMER:
        if (wParam != DelayTimerId() && wParam != RepeatTimerId()) return false;
        RepeatTick(wParam);
        return true;
    case WM_MOUSEMOVE: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        const POINT inWindow = ScreenToWindow(hwnd, p);
        if (t.dragging)
            DragThumb(inWindow);
        else
            UpdateOver(inWindow);
        return true;
    }
    case WM_LBUTTONUP: EndTracking(true); return true;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press is over. A window on its way out hears no
        // more requests.
        if (!t.ending) EndTracking(WindowOf(hwnd) && !WindowOf(hwnd)->destroying);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return true;
    default: return false;
    }
}

void EndTracking(bool sendEnd) {
    Tracking& t = Track();
    if (!t.hwnd || t.ending) return;
    t.ending = true;
    const HWND hwnd = t.hwnd;
    const int bar = t.bar;
    const bool dragged = t.dragging;
    const int lastPos = t.lastPos;
    KillTimer(hwnd, DelayTimerId());
    KillTimer(hwnd, RepeatTimerId());
    RemoveWindowMessageHook(t.hookId);
    if (GetCapture() == hwnd) ReleaseCapture();
    t = Tracking{};
    if (!IsWindow(hwnd)) return;
    if (sendEnd && dragged) SendRequest(hwnd, bar, SB_THUMBPOSITION, lastPos);
    if (sendEnd && IsWindow(hwnd)) SendRequest(hwnd, bar, SB_ENDSCROLL, 0);
    if (IsWindow(hwnd)) RedrawBar(hwnd, bar);
}

// A press on a bar, in window coordinates.
void StartTracking(HWND hwnd, int bar, POINT inWindow) {
    if (Track().hwnd) EndTracking(true);
    if (!IsWindow(hwnd)) return;
    const BarState& b = BarsOf(hwnd).bars[bar];
    if (BarDisabled(b) || !IsWindowEnabled(hwnd)) return;
    const BarLayout l = LayoutBar(hwnd, bar);
    const int along = CursorAlong(l, inWindow);
    const int part = PartAt(l, along);
    if (part < 0) return;
    if (part == SB_LINEUP && ((b.disabledArrows & ESB_DISABLE_LTUP) || !Scrollable(b.info))) return;
    if (part == SB_LINEDOWN && ((b.disabledArrows & ESB_DISABLE_RTDN) || !Scrollable(b.info)))
        return;

    Tracking& t = Track();
    t = Tracking{};
    t.hwnd = hwnd;
    t.bar = bar;
    t.part = part;
    t.over = true;
    t.hookId = AddWindowMessageHook(
        hwnd, [](HWND h, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
            *result = 0;
            return TrackingHook(h, msg, wParam, lParam);
        });
    SetCapture(hwnd);
    if (!StillTracking(hwnd)) return;
    if (part == SB_THUMBTRACK) {
        t.dragging = true;
        t.grab = along - l.thumbStart;
        t.dragThumbStart = l.thumbStart;
        SCROLLINFO& si = BarsOf(hwnd).bars[bar].info;
        si.nTrackPos = si.nPos;
        t.lastPos = si.nPos;
        RedrawBar(hwnd, bar);
        return;
    }
    RedrawBar(hwnd, bar);
    SendRequest(hwnd, bar, WORD(part), 0);
    if (StillTracking(hwnd)) SetTimer(hwnd, DelayTimerId(), kFirstRepeatDelay, nullptr);
}

// ---------------------------------------------------------------- the control class

void PaintSizeGrip(HDC dc, const RECT& r) {
    FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
    // Three diagonal ridges in the bottom-right corner.
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    for (int k = 0; k < 3; ++k) {
        const int d = 4 * k + 2;
        HGDIOBJ old = SelectObject(dc, light);
        MoveToEx(dc, r.right - d - 2, r.bottom, nullptr);
        LineTo(dc, r.right, r.bottom - d - 2);
        SelectObject(dc, dark);
        MoveToEx(dc, r.right - d - 1, r.bottom, nullptr);
        LineTo(dc, r.right, r.bottom - d - 1);
        MoveToEx(dc, r.right - d, r.bottom, nullptr);
        LineTo(dc, r.right, r.bottom - d);
        SelectObject(dc, old);
    }
    DeleteObject(light);
    DeleteObject(dark);
}

void PaintScrollBarControl(HWND hwnd, HDC dc) {
    // The control paints in client coordinates; its bar rectangle is in window coordinates.
    const RECT client = ClientRectInWindow(hwnd);
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -client.left, -client.top, nullptr);
    if (GetWindowLong(hwnd, GWL_STYLE) & SBS_SIZEGRIP)
        PaintSizeGrip(dc, client);
    else
        PaintBar(hwnd, SB_CTL, dc);
    RestoreDC(dc, saved);
}

LRESULT ScrollBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    switch (msg) {
    case WM_PAINT:
        PaintControl(hwnd, wParam, [hwnd](HDC dc) { PaintScrollBarControl(hwnd, dc); });
        return 0;
    case WM_ERASEBKGND: return 1; // painting covers the whole control
    case WM_NCHITTEST:
        if (style & SBS_SIZEGRIP) return HTBOTTOMRIGHT;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!(style & SBS_SIZEGRIP)) {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const RECT c = ClientRectInWindow(hwnd);
            StartTracking(hwnd, SB_CTL, POINT{p.x + c.left, p.y + c.top});
        }
        return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, false); return 0;
    case SBM_SETPOS: return SetScrollPos(hwnd, SB_CTL, int(wParam), lParam != 0);
    case SBM_GETPOS: return GetScrollPos(hwnd, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        const int old = GetScrollPos(hwnd, SB_CTL);
        SetScrollRange(hwnd, SB_CTL, int(wParam), int(lParam), msg == SBM_SETRANGEREDRAW);
        return old;
    }
    case SBM_GETRANGE:
        return GetScrollRange(hwnd, SB_CTL, reinterpret_cast<int*>(wParam),
                              reinterpret_cast<int*>(lParam));
    case SBM_ENABLE_ARROWS: return EnableScrollBar(hwnd, SB_CTL, UINT(wParam));
    case SBM_SETSCROLLINFO:
        return SetScrollInfo(hwnd, SB_CTL, reinterpret_cast<const SCROLLINFO*>(lParam),
                             wParam != 0);
    case SBM_GETSCROLLINFO:
        return GetScrollInfo(hwnd, SB_CTL, reinterpret_cast<SCROLLINFO*>(lParam));
    case SBM_GETSCROLLBARINFO:
        return GetScrollBarInfo(hwnd, OBJID_CLIENT, reinterpret_cast<SCROLLBARINFO*>(lParam));
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

// ---------------------------------------------------------------- non-client extension points

void ScrollBarsCalcSize(HWND hwnd, RECT& client) {
    // The style is read now, not remembered: skinning code hides the bits around this call
    // to draw bars of its own.
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    const bool wantV = (style & WS_VSCROLL) != 0, wantH = (style & WS_HSCROLL) != 0;
    if (!wantV && !wantH && AllBars().find(hwnd) == AllBars().end()) return;
    WindowBars& bars = BarsOf(hwnd);
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    bars.reservedV = wantV && WidthOf(client) >= cx;
    if (bars.reservedV) client.right -= cx;
    bars.reservedH = wantH && HeightOf(client) >= cy;
    if (bars.reservedH) client.bottom -= cy;
}

void PaintScrollBars(HWND hwnd, HDC windowDC) {
    if (AllBars().find(hwnd) == AllBars().end()) return;
    const WindowBars& bars = BarsOf(hwnd);
    if (bars.reservedV) PaintBar(hwnd, SB_VERT, windowDC);
    if (bars.reservedH) PaintBar(hwnd, SB_HORZ, windowDC);
    if (bars.reservedV && bars.reservedH) {
        const RECT c = ClientRectInWindow(hwnd);
        FillSolid(windowDC,
                  Rect(c.right, c.bottom, c.right + GetSystemMetrics(SM_CXVSCROLL),
                       c.bottom + GetSystemMetrics(SM_CYHSCROLL)),
                  GetSysColor(COLOR_BTNFACE));
    }
}

int ScrollBarHitTest(HWND hwnd, POINT inWindow) {
    if (AllBars().find(hwnd) == AllBars().end()) return HTNOWHERE;
    if (PtInRect(BarRect(hwnd, SB_VERT), inWindow)) return HTVSCROLL;
    if (PtInRect(BarRect(hwnd, SB_HORZ), inWindow)) return HTHSCROLL;
    return HTNOWHERE;
}

void ScrollBarMouseDown(HWND hwnd, int hit, POINT screen) {
    if (hit != HTVSCROLL && hit != HTHSCROLL) return;
    StartTracking(hwnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ, ScreenToWindow(hwnd, screen));
}

// ---------------------------------------------------------------- the scroll-state API

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw) {
    if (!info || !ValidBar(hwnd, bar)) return 0;
    BarState& b = BarsOf(hwnd).bars[bar];
    SCROLLINFO& si = b.info;
    const SCROLLINFO before = si;
    if (info->fMask & SIF_RANGE) {
        si.nMin = info->nMin;
        si.nMax = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) si.nPage = info->nPage;
    si.nPage = UINT(std::clamp<int64_t>(si.nPage, 0, int64_t(si.nMax) - si.nMin + 1));
    if (info->fMask & SIF_POS) si.nPos = info->nPos;
    si.nPos = std::clamp(si.nPos, si.nMin, std::max(si.nMin, MaxPosOf(si)));

    const bool changed = before.nMin != si.nMin || before.nMax != si.nMax ||
                         before.nPage != si.nPage || before.nPos != si.nPos;
    const int pos = si.nPos;
    bool frameChanged = false, disabledChanged = false;
    if (bar != SB_CTL && (info->fMask & (SIF_RANGE | SIF_PAGE))) {
        const UINT disabledBefore = b.disabledArrows;
        const bool can = Scrollable(si);
        const DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        const bool has = (GetWindowLong(hwnd, GWL_STYLE) & bit) != 0;
        if (info->fMask & SIF_DISABLENOSCROLL)
            b.disabledArrows = can ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
        else if (can)
            b.disabledArrows = ESB_ENABLE_BOTH;
        disabledChanged = b.disabledArrows != disabledBefore;
        const bool show = (info->fMask & SIF_DISABLENOSCROLL) ? true : can;
        // Showing or hiding resizes the window's client area, whose handlers may do anything,
        // even destroy it: the state is not touched afterwards.
        if (show != has) frameChanged = ShowScrollBar(hwnd, bar, show);
    }
    if (redraw && (changed || disabledChanged) && !frameChanged && IsWindow(hwnd))
        RedrawBar(hwnd, bar);
    return pos;
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    if (!info || !ValidBar(hwnd, bar)) return false;
    const SCROLLINFO& si = BarsOf(hwnd).bars[bar].info;
    if (info->fMask & SIF_RANGE) info->nMin = si.nMin, info->nMax = si.nMax;
    if (info->fMask & SIF_PAGE) info->nPage = si.nPage;
    if (info->fMask & SIF_POS) info->nPos = si.nPos;
    if (info->fMask & SIF_TRACKPOS) {
        const Tracking& t = Track();
        info->nTrackPos = t.hwnd == hwnd && t.bar == bar && t.dragging ? si.nTrackPos : si.nPos;
    }
    return (info->fMask & SIF_ALL) != 0;
}

int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw) {
    if (!ValidBar(hwnd, bar)) return 0;
    const int old = BarsOf(hwnd).bars[bar].info.nPos;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    return ValidBar(hwnd, bar) ? BarsOf(hwnd).bars[bar].info.nPos : 0;
}

bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw) {
    if (!ValidBar(hwnd, bar)) return false;
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = minPos;
    si.nMax = maxPos;
    SetScrollInfo(hwnd, bar, &si, redraw);
    return true;
}

bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    if (!ValidBar(hwnd, bar)) return false;
    const SCROLLINFO& si = BarsOf(hwnd).bars[bar].info;
    if (minPos) *minPos = si.nMin;
    if (maxPos) *maxPos = si.nMax;
    return true;
}

bool ShowScrollBar(HWND hwnd, int bar, bool show) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return true;
    }
    DWORD bits = bar == SB_VERT   ? WS_VSCROLL
                 : bar == SB_HORZ ? WS_HSCROLL
                 : bar == SB_BOTH ? WS_VSCROLL | WS_HSCROLL
                                  : 0;
    if (!bits) return false;
    BarsOf(hwnd);
    const DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style) return false;
    // Set directly, as Win32 does, without style-change messages; the frame is recalculated.
    w->style = style;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

bool EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    if (bar == UINT(SB_BOTH)) {
        const bool h = EnableScrollBar(hwnd, SB_HORZ, arrows);
        const bool v = EnableScrollBar(hwnd, SB_VERT, arrows);
        return h || v;
    }
    if (!ValidBar(hwnd, int(bar))) return false;
    BarState& b = BarsOf(hwnd).bars[bar];
    const UINT want = arrows & ESB_DISABLE_BOTH;
    if (b.disabledArrows == want) return false;
    b.disabledArrows = want;
    RedrawBar(hwnd, int(bar));
    return true;
}

bool GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info) {
    if (!info) return false;
    const int bar = object == OBJID_VSCROLL   ? SB_VERT
                    : object == OBJID_HSCROLL ? SB_HORZ
                    : object == OBJID_CLIENT  ? SB_CTL
                                              : -1;
    if (bar < 0 || !ValidBar(hwnd, bar)) return false;
    const BarLayout l = LayoutBar(hwnd, bar);
    const BarState& b = BarsOf(hwnd).bars[bar];
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    *info = SCROLLBARINFO{};
    info->rcScrollBar = OffsetRect(l.rect, wr.left, wr.top);
    info->dxyLineButton = l.arrow;
    info->xyThumbTop = l.thumbStart;
    info->xyThumbBottom = l.thumbStart + l.thumbLength;
    const bool invisible = IsRectEmpty(l.rect) || !IsWindowVisible(hwnd);
    const bool unavailable = BarDisabled(b) || !Scrollable(b.info) || !IsWindowEnabled(hwnd);
    info->rgstate[0] =
        (invisible ? STATE_SYSTEM_INVISIBLE : 0) | (unavailable ? STATE_SYSTEM_UNAVAILABLE : 0);
    info->rgstate[1] =
        (b.disabledArrows & ESB_DISABLE_LTUP) || unavailable ? STATE_SYSTEM_UNAVAILABLE : 0;
    info->rgstate[5] =
        (b.disabledArrows & ESB_DISABLE_RTDN) || unavailable ? STATE_SYSTEM_UNAVAILABLE : 0;
    if (l.thumbLength == 0) info->rgstate[3] = STATE_SYSTEM_INVISIBLE;
    const Tracking& t = Track();
    if (t.hwnd == hwnd && t.bar == bar && (t.over || t.dragging)) {
        static constexpr int kStateOfPart[6] = {1, 5, 2, 4, -1, 3};
        if (t.part >= 0 && t.part < 6 && kStateOfPart[t.part] >= 0)
            info->rgstate[kStateOfPart[t.part]] |= STATE_SYSTEM_PRESSED;
    }
    return true;
}

void RegisterScrollBarClass() {
    RegisterClassOnce("ScrollBar", ScrollBarProc, CS_DBLCLKS,
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}
