#include "windows/qvHotWindow.h"

#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "windows/qvMainWnd.h"

namespace {

void TellMouseLeft(HWND window, TsSkinManager* manager) {
    if (window && IsWindow(window))
        SendSkinCommand(window, SkinCommandWParam(scMouseLeft), LPARAM(manager));
}

} // namespace

void MakeHotWindow(HWND window, TsSkinManager* manager) {
    if (!window || TqvMainWnd::HotWindow == window) return;
    // The new window is recorded before anyone hears of it, so a receiver that asks sees
    // the final state.
    const HWND previous = TqvMainWnd::HotWindow;
    TqvMainWnd::HotWindow = window;
    TellMouseLeft(previous, manager);
    if (IsWindow(window))
        SendSkinCommand(window, SkinCommandWParam(scMouseEntered), LPARAM(manager));
}

void ClearHotWindow(TsSkinManager* manager) {
    const HWND previous = TqvMainWnd::HotWindow;
    TqvMainWnd::HotWindow = nullptr;
    TellMouseLeft(previous, manager);
}

bool IsHotWindow(HWND window) { return window && TqvMainWnd::HotWindow == window; }
