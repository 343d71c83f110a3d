#pragma once
// A gallery of what the window system draws, for looking at it: a classic framed window that
// shows the Kazakh letters in every font face the forms use, rotated text, a triangle gradient,
// pens and shapes; beside it a window cut by a rounded region and a layered window whose black
// pixels are see-through. Drawn only with the window system's own drawing and text calls.
// A fourth window shows the standard window classes, menus, a message box and the print dialog.
#include "platform/core/Handles.h"

struct GalleryWindows {
    HWND main = nullptr;     // closing it ends the gallery (WM_DESTROY posts WM_QUIT)
    HWND shaped = nullptr;   // owned by main
    HWND layered = nullptr;  // owned by main
    HWND controls = nullptr; // every standard window class; owned by main
};

// Creates and shows the three windows, placed from the work area's top-left corner; on the
// 1280 x 1024 headless screen they all fit.
GalleryWindows CreateGallery();
