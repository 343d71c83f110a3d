#include "platform/controls/HintWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/ClassicEdges.h"
#include "platform/controls/ControlSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/text/Text.h"
#include "platform/window/ModalLoop.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

constexpr LRESULT kMaNoActivate = 3;
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX;

HWND& Hint() {
    static HWND hint = nullptr;
    return hint;
}

HFONT HintFont() {
    static HFONT font = CreateMessageFont(); // shared for the program's life
    return font;
}

// The watches on the anchor of the hint that shows and on its top-level window.
std::vector<int>& AnchorWatches() {
    static std::vector<int> watches;
    return watches;
}

void ForgetAnchor() {
    for (int id : AnchorWatches()) RemoveWindowMessageHook(id);
    AnchorWatches().clear();
}

void WatchAnchor(HWND anchor) {
    ForgetAnchor();
    const auto watch = [](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
        if (msg == WM_DESTROY || (msg == WM_ENABLE && !wParam)) HideHintWindow();
        return false; // the window handles the message as ever
    };
    AnchorWatches().push_back(AddWindowMessageHook(anchor, watch));
    if (const HWND top = TopLevelOf(anchor); top != anchor)
        AnchorWatches().push_back(AddWindowMessageHook(top, watch));
}

SIZE TextSize(const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = HintFont() ? SelectObject(dc, HintFont()) : nullptr;
    RECT r{0, 0, 0, 0};
    DrawText(dc, text.c_str(), int(text.size()), &r, kTextFormat | DT_CALCRECT);
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
    return {r.right - r.left, r.bottom - r.top};
}

void Paint(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillSysColor(dc, client, COLOR_INFOBK);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FrameRect(dc, &client, black);
    DeleteObject(black);
    std::string text = GetWindowText(hwnd);
    HGDIOBJ old = HintFont() ? SelectObject(dc, HintFont()) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    RECT t{HINT_PADDING_X, HINT_PADDING_Y, client.right - HINT_PADDING_X,
           client.bottom - HINT_PADDING_Y};
    DrawText(dc, text.c_str(), int(text.size()), &t, kTextFormat);
    if (old) SelectObject(dc, old);
}

LRESULT HintWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: PaintControl(hwnd, wParam, [hwnd](HDC dc) { Paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return kMaNoActivate;
    case WM_NCHITTEST: return HTTRANSPARENT; // the mouse goes to what lies beneath
    case WM_NCDESTROY:
        if (Hint() == hwnd) Hint() = nullptr;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void RegisterHintWindowClass() {
    WNDCLASS existing;
    if (GetClassInfo(TOOLTIPS_CLASS, &existing)) return;
    SetModalLoopStartHook(HideHintWindow);
    RegisterClassOnce(TOOLTIPS_CLASS, HintWindowProc, CS_SAVEBITS,
                      reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1), LoadCursor(nullptr, IDC_ARROW));
}

void ShowHintWindow(std::string_view text, POINT pt, HWND anchor) {
    if (!IsWindowVisible(anchor) || !AcceptsInput(anchor) || ModalLoopRunning()) {
        HideHintWindow();
        return;
    }
    ShowHintWindow(text, pt);
    if (IsWindowVisible(HintWindowHandle())) WatchAnchor(anchor);
}

void ShowHintWindow(std::string_view text, POINT pt) {
    ForgetAnchor();
    RegisterHintWindowClass();
    HWND& hint = Hint();
    if (!hint || !IsWindow(hint))
        hint = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASS, "", WS_POPUP, 0, 0,
                              0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!hint) return;
    std::string copy(text);
    SetWindowText(hint, copy);
    SIZE size = TextSize(copy);
    int width = size.cx + 2 * HINT_PADDING_X, height = size.cy + 2 * HINT_PADDING_Y;
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int x = std::max(0, std::min<int>(pt.x, screenW - width));
    int y = std::max(0, std::min<int>(pt.y, screenH - height));
    SetWindowPos(hint, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE);
    InvalidateRect(hint, nullptr, true);
    ShowWindow(hint, SW_SHOWNA);
}

void HideHintWindow() {
    ForgetAnchor();
    if (Hint() && IsWindow(Hint())) ShowWindow(Hint(), SW_HIDE);
}

HWND HintWindowHandle() { return Hint() && IsWindow(Hint()) ? Hint() : nullptr; }
