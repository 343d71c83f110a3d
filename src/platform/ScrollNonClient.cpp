// The scroll bars of windows in the non-client area. Until they exist no space is reserved.
#include "platform/WindowInternal.h"

void ScrollBarsCalcSize(HWND, RECT&) {}
void PaintScrollBars(HWND, HDC) {}
int ScrollBarHitTest(HWND, POINT) { return HTNOWHERE; }
void ScrollBarMouseDown(HWND, int, POINT) {}
