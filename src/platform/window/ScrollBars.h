#pragma once
// Scroll bars with the Win32 names and semantics: the bars of a window with WS_VSCROLL /
// WS_HSCROLL in its non-client area, and the "ScrollBar" control class (SB_CTL). A bar keeps
// the scroll state (range, page, position) and turns presses, holds and drags into
// WM_VSCROLL / WM_HSCROLL; it never moves the position itself, the window does that in its
// handler, as in Win32.
#include "platform/window/WindowSystem.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// Scroll requests (low word of WM_VSCROLL / WM_HSCROLL's wParam).
constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x01;
constexpr UINT SIF_PAGE = 0x02;
constexpr UINT SIF_POS = 0x04;
constexpr UINT SIF_DISABLENOSCROLL = 0x08;
constexpr UINT SIF_TRACKPOS = 0x10;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0;
constexpr UINT ESB_DISABLE_LTUP = 1;
constexpr UINT ESB_DISABLE_RTDN = 2;
constexpr UINT ESB_DISABLE_BOTH = 3;

// Scroll-bar control styles.
constexpr DWORD SBS_HORZ = 0x00;
constexpr DWORD SBS_VERT = 0x01;
constexpr DWORD SBS_SIZEGRIP = 0x10;

// Scroll-bar control messages.
constexpr UINT SBM_SETPOS = 0x00E0;
constexpr UINT SBM_GETPOS = 0x00E1;
constexpr UINT SBM_SETRANGE = 0x00E2;
constexpr UINT SBM_GETRANGE = 0x00E3;
constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
constexpr UINT SBM_GETSCROLLINFO = 0x00EA;
constexpr UINT SBM_GETSCROLLBARINFO = 0x00EB;

// GetScrollBarInfo objects and states.
constexpr LONG OBJID_HSCROLL = -6;
constexpr LONG OBJID_VSCROLL = -5;
constexpr LONG OBJID_CLIENT = -4;
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;
constexpr DWORD STATE_SYSTEM_OFFSCREEN = 0x00010000;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// rgstate: 0 the bar, 1 the up/left arrow, 2 the page-up region, 3 the thumb, 4 the
// page-down region, 5 the down/right arrow. rcScrollBar is in screen coordinates; the thumb
// offsets count from the bar's start.
struct SCROLLBARINFO {
    DWORD cbSize = sizeof(SCROLLBARINFO);
    RECT rcScrollBar{};
    int dxyLineButton = 0;
    int xyThumbTop = 0;
    int xyThumbBottom = 0;
    int reserved = 0;
    DWORD rgstate[6] = {};
};

// Returns the new position. The position is kept within nMin .. nMax - max(nPage, 1) + 1 and
// the page within 0 .. nMax - nMin + 1. A window bar whose range or page changes is shown when
// it can scroll and hidden when it cannot (disabled instead with SIF_DISABLENOSCROLL).
// Without `redraw` nothing is repainted.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw);
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw); // returns the previous position
int GetScrollPos(HWND hwnd, int bar);
bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
bool ShowScrollBar(HWND hwnd, int bar, bool show);
bool EnableScrollBar(HWND hwnd, UINT bar, UINT arrows); // false when nothing changed
bool GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info);

// The "ScrollBar" window class (SBS_HORZ, SBS_VERT, SBS_SIZEGRIP). It notifies its parent
// with WM_HSCROLL / WM_VSCROLL, lParam the control.
void RegisterScrollBarClass();
