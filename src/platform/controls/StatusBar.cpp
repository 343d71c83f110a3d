#include "platform/controls/StatusBar.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/ClassicEdges.h"
#include "platform/controls/ControlSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/text/Text.h"

// Geometry, worked out so that tests can state it by hand:
//  - the bar is max(20, minHeight + 4) pixels high: a 2-pixel band above the parts, then
//    the parts whose sunken frame is 1 pixel on each side around the drawing area;
//  - part i spans from the previous part's right edge plus a 2-pixel gap (0 for the first)
//    to its own right edge, -1 meaning the client area's right edge, from y 2 to the bottom;
//  - text starts 3 pixels inside the frame (4 from the part's left), vertically centred;
//    a tab starts a centred segment, a second tab a right-aligned one.
namespace {

constexpr int kTopBand = 2;
constexpr int kPartGap = 2;
constexpr int kTextInset = 4;
constexpr int kMaxParts = 256;
constexpr char kStateProp[] = "StatusBar.State";

struct Part {
    int right = -1;
    std::string text;
    WORD flags = 0;
};

struct StatusState : BarStateBase {
    std::vector<Part> parts{Part{}};
    int minHeight = 0;
    bool aligning = false;
};

StatusState* StateOf(HWND hwnd) { return ControlStateOf<StatusState>(hwnd, kStateProp); }

int BarHeight(const StatusState& s) { return std::max(STATUSBAR_DEFAULT_HEIGHT, s.minHeight + 4); }

int GripSize(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return std::min<int>(rc.bottom - kTopBand, GetSystemMetrics(SM_CXVSCROLL));
}

bool HasGrip(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & SBARS_SIZEGRIP) != 0; }

RECT GripRect(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    int size = GripSize(hwnd);
    return {rc.right - size, rc.bottom - size, rc.right, rc.bottom};
}

RECT PartRect(HWND hwnd, const StatusState& s, size_t index) {
    RECT client;
    GetClientRect(hwnd, &client);
    int left = 0;
    for (size_t i = 0; i <= index; ++i) {
        int right = s.parts[i].right < 0 ? int(client.right) : s.parts[i].right;
        right = std::max(right, left);
        if (i == index) return {left, kTopBand, right, client.bottom};
        left = right + kPartGap;
    }
    return {};
}

// Places the bar along its parent's bottom (or top) edge at its own height, as the styles ask.
void AlignToParent(HWND hwnd) {
    StatusState* s = StateOf(hwnd);
    HWND parent = GetParent(hwnd);
    if (!s || !parent || s->aligning) return;
    DWORD style = GetWindowLong(hwnd, GWL_STYLE);
    if (style & CCS_NORESIZE) return;
    RECT pc;
    GetClientRect(parent, &pc);
    int height = BarHeight(*s);
    s->aligning = true;
    if (style & CCS_NOPARENTALIGN) {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool top = (style & CCS_BOTTOM) == CCS_TOP;
        int y = top ? 0 : pc.bottom - height;
        SetWindowPos(hwnd, nullptr, 0, y, pc.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (StatusState* again = StateOf(hwnd)) again->aligning = false;
}

void DrawPartText(HDC dc, const std::string& text, RECT area) {
    // Up to three tab-separated segments: left, centred, right aligned.
    static constexpr UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    size_t start = 0;
    for (int segment = 0; segment < 3 && start <= text.size(); ++segment) {
        size_t tab = segment < 2 ? text.find('\t', start) : std::string::npos;
        size_t end = tab == std::string::npos ? text.size() : tab;
        if (end > start)
            DrawText(dc, text.data() + start, int(end - start), &area,
                     kAlign[segment] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
}

void DrawDiagonal(HDC dc, const RECT& g, int offset, COLORREF color) {
    // Pixels whose distance from the bottom-right pixel, summed over both axes, is `offset`.
    for (int k = 0; k <= offset; ++k) {
        int x = g.right - 1 - k, y = g.bottom - 1 - (offset - k);
        if (x >= g.left && y >= g.top) SetPixel(dc, x, y, color);
    }
}

void DrawGrip(HDC dc, const RECT& g) {
    // Three groups of a highlight stroke followed by two shadow strokes toward the corner.
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int group = 0; group < 3; ++group) {
        int far = 3 + 4 * group;
        DrawDiagonal(dc, g, far, light);
        DrawDiagonal(dc, g, far - 1, shadow);
        DrawDiagonal(dc, g, far - 2, shadow);
    }
}

void Paint(HWND hwnd, HDC dc) {
    StatusState* s = StateOf(hwnd);
    if (!s) return;
    RECT client;
    GetClientRect(hwnd, &client);
    FillSysColor(dc, client, COLOR_BTNFACE);
    HGDIOBJ oldFont = s->font ? SelectObject(dc, s->font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (size_t i = 0; i < s->parts.size(); ++i) {
        RECT r = PartRect(hwnd, *s, i);
        const Part& p = s->parts[i];
        if (p.flags & SBT_POPOUT)
            DrawThinRaised(dc, r);
        else if (!(p.flags & SBT_NOBORDERS))
            DrawThinSunken(dc, r);
        RECT text{r.left + kTextInset, r.top + 1, r.right - kTextInset, r.bottom - 1};
        DrawPartText(dc, p.text, text);
    }
    if (HasGrip(hwnd)) {
        RECT g = GripRect(hwnd);
        FillSysColor(dc, g, COLOR_BTNFACE);
        DrawGrip(dc, g);
    }
    if (oldFont) SelectObject(dc, oldFont);
}

LRESULT OnPaint(HWND hwnd, WPARAM wParam) {
    PaintControl(hwnd, wParam, [hwnd](HDC dc) { Paint(hwnd, dc); });
    return 0;
}

LRESULT SetParts(HWND hwnd, StatusState& s, WPARAM count, LPARAM lParam) {
    const int* edges = reinterpret_cast<const int*>(lParam);
    if (count == 0 || count > kMaxParts || !edges) return 0;
    s.parts.resize(count);
    for (size_t i = 0; i < count; ++i) s.parts[i].right = edges[i];
    InvalidateRect(hwnd, nullptr, true);
    return 1;
}

LRESULT GetParts(const StatusState& s, WPARAM count, LPARAM lParam) {
    int* edges = reinterpret_cast<int*>(lParam);
    if (edges)
        for (size_t i = 0; i < std::min<size_t>(count, s.parts.size()); ++i)
            edges[i] = s.parts[i].right;
    return LRESULT(s.parts.size());
}

LRESULT SetText(HWND hwnd, StatusState& s, WPARAM wParam, LPARAM lParam) {
    // The drawing flags come in the high word; Win32 code also puts them in the low word's
    // high byte beside the part index, which is accepted too.
    size_t index = LOWORD(wParam) & 0xFF;
    if (index >= s.parts.size()) return 0;
    const char* text = reinterpret_cast<const char*>(lParam);
    s.parts[index].text = text ? text : "";
    s.parts[index].flags = WORD((LOWORD(wParam) & 0xFF00) | HIWORD(wParam));
    RECT r = PartRect(hwnd, s, index);
    InvalidateRect(hwnd, &r, true);
    return 1;
}

LRESULT GetText(const StatusState& s, WPARAM wParam, LPARAM lParam, bool copy) {
    size_t index = LOWORD(wParam) & 0xFF;
    if (index >= s.parts.size()) return 0;
    const Part& p = s.parts[index];
    if (copy && lParam) {
        char* out = reinterpret_cast<char*>(lParam);
        std::copy(p.text.begin(), p.text.end(), out);
        out[p.text.size()] = '\0';
    }
    return LRESULT(MAKELONG(WORD(std::min<size_t>(p.text.size(), 0xFFFF)), WORD(p.flags)));
}

LRESULT GetRect(HWND hwnd, const StatusState& s, WPARAM index, LPARAM lParam) {
    RECT* out = reinterpret_cast<RECT*>(lParam);
    if (index >= s.parts.size() || !out) return 0;
    *out = PartRect(hwnd, s, index);
    return 1;
}

LRESULT HitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (HasGrip(hwnd)) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd, &pt);
        RECT g = GripRect(hwnd);
        HWND top = GetAncestor(hwnd, GA_ROOT);
        bool sizable = top && !IsZoomed(top);
        if (sizable && pt.x >= g.left && pt.x < g.right && pt.y >= g.top && pt.y < g.bottom)
            return HTBOTTOMRIGHT;
    }
    return DefWindowProc(hwnd, WM_NCHITTEST, wParam, lParam);
}

void OnCreated(HWND hwnd, StatusState& s) {
    s.parentHook = HookParentSize(hwnd, AlignToParent);
    AlignToParent(hwnd);
}

LRESULT BarMessage(HWND hwnd, StatusState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: return OnPaint(hwnd, wParam);
    case WM_ERASEBKGND: return 1; // the paint fills every pixel
    case WM_SIZE:
        // The parent forwards its own size changes here too (the Win32 convention).
        AlignToParent(hwnd);
        InvalidateRect(hwnd, nullptr, true);
        return 0;
    case WM_NCHITTEST: return HitTest(hwnd, wParam, lParam);
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, true);
        return 0;
    case SB_SETPARTS: return SetParts(hwnd, s, wParam, lParam);
    case SB_GETPARTS: return GetParts(s, wParam, lParam);
    case SB_SETTEXTA: return SetText(hwnd, s, wParam, lParam);
    case SB_GETTEXTA: return GetText(s, wParam, lParam, true);
    case SB_GETTEXTLENGTHA: return GetText(s, wParam, lParam, false);
    case SB_SETMINHEIGHT: s.minHeight = int(wParam); return 0;
    case SB_GETRECT: return GetRect(hwnd, s, wParam, lParam);
    case SB_GETBORDERS: {
        int* out = reinterpret_cast<int*>(lParam);
        if (!out) return 0;
        out[0] = 0, out[1] = kTopBand, out[2] = kPartGap;
        return 1;
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT StatusBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return BarControlProc<StatusState>(
        hwnd, msg, wParam, lParam, kStateProp,
        [&](StatusState& s) { return BarMessage(hwnd, s, msg, wParam, lParam); }, OnCreated);
}

} // namespace

void RegisterStatusBarClass() {
    RegisterClassOnce(STATUSCLASSNAME, StatusBarProc, 0,
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadCursor(nullptr, IDC_ARROW));
}
