#include "platform/ControlNotify.h"

#include "platform/Text.h"

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
