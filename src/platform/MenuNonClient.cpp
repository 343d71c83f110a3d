// The menu bar in the non-client area. Until menus exist a window has no menu bar.
#include "platform/WindowInternal.h"

int MenuBarHeight(HWND) { return 0; }
void PaintMenuBar(HWND, HDC, const RECT&) {}
void MenuBarMouseDown(HWND, POINT) {}
void MenuBarKey(HWND, WPARAM) {}
