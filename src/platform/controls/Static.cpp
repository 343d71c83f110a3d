// The "Static" class. Text statics ask their parent for colours (WM_CTLCOLORSTATIC): the
// answered brush fills the background and the text colour the parent set is used.
#include "platform/controls/Static.h"

namespace {

constexpr std::string_view kStateProp = "Platform.Static";

struct StaticState {
    HFONT font = nullptr;
    HICON icon = nullptr; // borrowed: the caller keeps ownership, as in Win32
};

StaticState* StateOf(HWND hwnd) { return ControlStateOf<StaticState>(hwnd, kStateProp); }
DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)); }
DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & SS_TYPEMASK; }

bool IsTextType(DWORD t) {
    return t == SS_LEFT || t == SS_CENTER || t == SS_RIGHT || t == SS_SIMPLE ||
           t == SS_LEFTNOWORDWRAP;
}

UINT TextFormat(DWORD style) {
    UINT f = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: f |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: f |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: f |= DT_LEFT | DT_SINGLELINE; break;
    case SS_LEFTNOWORDWRAP: f |= DT_LEFT; break;
    default: f |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX) f |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE) f = (f & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    return f;
}

void PaintText(HWND hwnd, HDC dc, const RECT& client) {
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLORSTATIC, dc, COLOR_BTNFACE);
    if (!IsWindow(hwnd)) return;
    FillRect(dc, &client, brush);
    const std::string text = GetWindowText(hwnd);
    if (text.empty()) return;
    SetBkMode(dc, TRANSPARENT);
    RECT r = client;
    const UINT format = TextFormat(StyleOf(hwnd));
    if (IsWindowEnabled(hwnd))
        DrawText(dc, text.c_str(), int(text.size()), &r, format);
    else
        DrawEmbossedText(dc, text.c_str(), int(text.size()), r, format);
}

void PaintIcon(HWND hwnd, HDC dc, const RECT& client, HICON icon) {
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLORSTATIC, dc, COLOR_BTNFACE);
    if (!IsWindow(hwnd)) return;
    FillRect(dc, &client, brush);
    SIZE size{};
    if (!icon || !GetIconSize(icon, &size)) return;
    int x = 0, y = 0;
    if (StyleOf(hwnd) & SS_CENTERIMAGE) {
        x = (WidthOf(client) - size.cx) / 2;
        y = (HeightOf(client) - size.cy) / 2;
    }
    DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void PaintEtched(HWND hwnd, HDC dc, const RECT& c, DWORD type) {
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLORSTATIC, dc, COLOR_BTNFACE);
    if (!IsWindow(hwnd)) return;
    FillRect(dc, &c, brush);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (type == SS_ETCHEDHORZ) {
        FillSolidRect(dc, Rect(c.left, c.top, c.right, c.top + 1), shadow);
        FillSolidRect(dc, Rect(c.left, c.top + 1, c.right, c.top + 2), light);
    } else if (type == SS_ETCHEDVERT) {
        FillSolidRect(dc, Rect(c.left, c.top, c.left + 1, c.bottom), shadow);
        FillSolidRect(dc, Rect(c.left + 1, c.top, c.left + 2, c.bottom), light);
    } else {
        FrameTwoTone(dc, Rect(c.left + 1, c.top + 1, c.right, c.bottom), light, light);
        FrameTwoTone(dc, Rect(c.left, c.top, c.right - 1, c.bottom - 1), shadow, shadow);
    }
}

COLORREF RectColour(DWORD type) {
    switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME: return GetSysColor(COLOR_WINDOWFRAME);
    case SS_GRAYRECT:
    case SS_GRAYFRAME: return GetSysColor(COLOR_BTNSHADOW);
    default: return GetSysColor(COLOR_BTNHIGHLIGHT);
    }
}

void PaintFrame(HWND hwnd, HDC dc, const RECT& c, DWORD type) {
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLORSTATIC, dc, COLOR_BTNFACE);
    if (!IsWindow(hwnd)) return;
    FillRect(dc, &c, brush);
    FrameTwoTone(dc, c, RectColour(type), RectColour(type));
}

void PaintOwnerDrawn(HWND hwnd, HDC dc, const RECT& client) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_STATIC;
    dis.CtlID = UINT(GetWindowLongPtr(hwnd, GWL_ID));
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
    dis.hwndItem = hwnd;
    dis.hDC = dc;
    dis.rcItem = client;
    if (const HWND parent = GetParent(hwnd))
        SendMessage(parent, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
}

void Paint(HWND hwnd, HDC dc) {
    StaticState* s = StateOf(hwnd);
    if (!s) return;
    RECT client;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    SelectObject(dc, FontOrDefault(s->font));
    const DWORD type = TypeOf(hwnd);
    if (IsTextType(type))
        PaintText(hwnd, dc, client);
    else if (type == SS_ICON)
        PaintIcon(hwnd, dc, client, s->icon);
    else if (type == SS_OWNERDRAW)
        PaintOwnerDrawn(hwnd, dc, client);
    else if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME)
        PaintEtched(hwnd, dc, client, type);
    else if (type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT)
        FillSolidRect(dc, client, RectColour(type));
    else if (type == SS_BLACKFRAME || type == SS_GRAYFRAME || type == SS_WHITEFRAME)
        PaintFrame(hwnd, dc, client, type);
    RestoreDC(dc, saved);
}

LRESULT EraseBackground(HWND hwnd, HDC dc) {
    // An owner-drawn static paints all of itself.
    if (TypeOf(hwnd) == SS_OWNERDRAW) return 1;
    HBRUSH brush = AskControlColor(hwnd, WM_CTLCOLORSTATIC, dc, COLOR_BTNFACE);
    return FillClientWithBrush(hwnd, dc, brush);
}

// Win32 sizes an icon static to its icon unless the icon is to be centred.
HICON SetIcon(HWND hwnd, StaticState& s, HICON icon) {
    const HICON old = s.icon;
    s.icon = icon;
    SIZE size{};
    if (icon && GetIconSize(icon, &size) && !(StyleOf(hwnd) & SS_CENTERIMAGE))
        SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, true);
    return old;
}

// Win32 turns SS_SUNKEN into the static edge of the frame.
void Prepare(HWND hwnd, StaticState&, LPARAM) {
    if (StyleOf(hwnd) & SS_SUNKEN)
        SetWindowLongPtr(hwnd, GWL_EXSTYLE, GetWindowLongPtr(hwnd, GWL_EXSTYLE) | WS_EX_STATICEDGE);
}

LRESULT ControlMessage(HWND hwnd, StaticState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: PaintControl(hwnd, wParam, [&](HDC dc) { Paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_NCHITTEST:
        if (!(StyleOf(hwnd) & SS_NOTIFY)) return HTTRANSPARENT;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_DBLCLK);
        return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(uintptr_t(lParam))) InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_GETFONT: return LRESULT(reinterpret_cast<uintptr_t>(FontOrDefault(s.font)));
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, true);
        return r;
    }
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, true); return 0;
    case STM_SETICON:
        return LRESULT(
            reinterpret_cast<uintptr_t>(SetIcon(hwnd, s, reinterpret_cast<HICON>(wParam))));
    case STM_GETICON: return LRESULT(reinterpret_cast<uintptr_t>(s.icon));
    case STM_SETIMAGE:
        if (wParam != IMAGE_ICON) return 0;
        return LRESULT(
            reinterpret_cast<uintptr_t>(SetIcon(hwnd, s, reinterpret_cast<HICON>(lParam))));
    case STM_GETIMAGE:
        return wParam == IMAGE_ICON ? LRESULT(reinterpret_cast<uintptr_t>(s.icon)) : 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<StaticState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](StaticState& s) { return ControlMessage(hwnd, s, msg, wParam, lParam); },
        {Prepare, nullptr});
}

} // namespace

void RegisterStaticClass() {
    RegisterClassOnce("Static", StaticProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}
