#pragma once
// The WM_PAINT handling every window class shares.
#include "platform/window/WindowSystem.h"

// Paints with the context WM_PAINT carries in wParam, or between BeginPaint and EndPaint.
// EndPaint runs even when painting destroyed the window, so its context does not outlive it.
template <typename Paint>
void PaintControl(HWND hwnd, WPARAM wParam, Paint&& paint) {
    if (wParam) {
        paint(reinterpret_cast<HDC>(wParam));
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc) paint(dc);
    EndPaint(hwnd, &ps);
}
