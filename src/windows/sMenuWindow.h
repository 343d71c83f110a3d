#pragma once
// The popup menu window under the menu skinning: its window procedure leaves the frame and
// the background to the item drawing, and its region cuts the skin's transparent corners.
#include "paint/sMaskData.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/WindowSystem.h"

// The skin command a shaped menu window is told that it is shaped with.
constexpr unsigned kMenuWindowShaped = 14;

// Takes the popup window over once (its previous procedure kept in its user-data slot) and,
// with a backdrop, sets its region: the backdrop's rectangle less the corner cut-outs (less
// the origin pixel when there are none). Nothing while `shaping` holds, and no region for a
// window that reports itself shaped already.
void ShapeMenuWindow(HWND window, const Bitmap* backdrop, const TAOR& cornerRects, bool& shaping);

// The procedure ShapeMenuWindow installs: erasing and non-client painting are answered 1
// and go no further (the item drawing paints frame and background from the backdrop); the
// window's destruction forgets the popup state; all else goes to the saved procedure.
LRESULT MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
