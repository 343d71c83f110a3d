#pragma once
// The gallery's second window: every standard window class in its classic look, a menu bar
// whose items open a message box and the print dialog.
#include "platform/core/Handles.h"

// Creates and shows the window at (x, y) in screen coordinates, owned by `owner`.
HWND CreateControlsGallery(int x, int y, HWND owner);
