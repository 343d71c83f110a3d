// Shared pieces of the standard control classes.
#include "platform/ControlSupport.h"

#include "platform/ControlNotify.h"

HFONT DefaultControlFont() {
    static HFONT font = CreateMessageFont();
    return font;
}

HBRUSH AskControlColor(HWND hwnd, UINT msg, HDC dc, int fallback) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(fallback));
    const HWND parent = GetParent(hwnd);
    HBRUSH brush = nullptr;
    if (parent) brush = reinterpret_cast<HBRUSH>(SendMessage(parent, msg, WPARAM(dc), LPARAM(hwnd)));
    return brush ? brush : GetSysColorBrush(fallback);
}

bool NotifyParent(HWND hwnd, WORD code) {
    const HWND parent = GetParent(hwnd);
    if (!parent) return true;
    const int id = int(GetWindowLongPtr(hwnd, GWL_ID));
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), LPARAM(hwnd));
    return IsWindow(hwnd);
}

void FillSolidRect(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void FrameTwoTone(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    if (IsRectEmpty(r)) return;
    FillSolidRect(dc, Rect(r.left, r.top, r.right - 1, r.top + 1), topLeft);
    FillSolidRect(dc, Rect(r.left, r.top, r.left + 1, r.bottom - 1), topLeft);
    FillSolidRect(dc, Rect(r.left, r.bottom - 1, r.right, r.bottom), bottomRight);
    FillSolidRect(dc, Rect(r.right - 1, r.top, r.right, r.bottom), bottomRight);
}

void DrawRaisedEdge(HDC dc, const RECT& r) {
    FrameTwoTone(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    FrameTwoTone(dc, InflateRect(r, -1, -1), GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void DrawSunkenEdge(HDC dc, const RECT& r) {
    FrameTwoTone(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    FrameTwoTone(dc, InflateRect(r, -1, -1), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
}

void DrawEmbossedText(HDC dc, const char* text, int length, RECT r, UINT format) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = OffsetRect(r, 1, 1);
    DrawText(dc, text, length, &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawText(dc, text, length, &r, format);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

LRESULT FillClientWithBrush(HWND hwnd, HDC dc, HBRUSH brush) {
    if (!IsWindow(hwnd)) return 1;
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, brush);
    return 1;
}
