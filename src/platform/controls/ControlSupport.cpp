// Shared pieces of the standard control classes.
#include "platform/controls/ControlSupport.h"

HFONT DefaultControlFont() {
    static HFONT font = CreateMessageFont();
    return font;
}

HBRUSH AskControlColor(HWND hwnd, UINT msg, HDC dc, int fallback) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(fallback));
    const HWND parent = GetParent(hwnd);
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(SendMessage(parent, msg, WPARAM(dc), LPARAM(hwnd)));
    return brush ? brush : GetSysColorBrush(fallback);
}

bool NotifyParent(HWND hwnd, WORD code) {
    const HWND parent = GetParent(hwnd);
    if (!parent) return true;
    const int id = int(GetWindowLongPtr(hwnd, GWL_ID));
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), LPARAM(hwnd));
    return IsWindow(hwnd);
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

LRESULT SendNotify(HWND from, NMHDR* hdr, UINT code) {
    HWND parent = GetParent(from);
    hdr->hwndFrom = from;
    hdr->idFrom = uintptr_t(GetWindowLongPtr(from, GWL_ID));
    hdr->code = code;
    if (!parent) return 0;
    return SendMessage(parent, WM_NOTIFY, WPARAM(hdr->idFrom), reinterpret_cast<LPARAM>(hdr));
}

HFONT CreateMessageFont() {
    NONCLIENTMETRICS ncm;
    if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return nullptr;
    return CreateFontIndirect(&ncm.lfMessageFont);
}

SIZE MeasureText(HFONT font, const std::string& text) {
    SIZE size{};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    // An empty text still has the font's height.
    GetTextExtentPoint32(dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : int(text.size()),
                         &size);
    if (text.empty()) size.cx = 0;
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
    return size;
}

int HookParentSize(HWND hwnd, void (*onSize)(HWND)) {
    HWND parent = GetParent(hwnd);
    if (!parent || !(GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD)) return 0;
    return AddWindowMessageHook(parent, [hwnd, onSize](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_SIZE && IsWindow(hwnd)) onSize(hwnd);
        return false;
    });
}
