#pragma once
// The hint (tool tip) window, class "tooltips_class32": a small frameless pop-up on the info
// background colour showing a text near a screen point, never taking activation.
#include <string_view>

#include "platform/window/WindowSystem.h"

constexpr char TOOLTIPS_CLASS[] = "tooltips_class32";

// Around the text: a 1-pixel black frame and 2 (sideways) or 1 (up and down) pixels of space.
constexpr int HINT_PADDING_X = 3;
constexpr int HINT_PADDING_Y = 2;

// Registers the class (again is harmless).
void RegisterHintWindowClass();
// Shows the text with the hint's top-left corner at the screen point, moved as little as
// needed to keep it wholly on the screen, without activating it. Reuses one window.
void ShowHintWindow(std::string_view text, POINT screenPoint);
// The same for a hint of something inside `anchor`: nothing shows while the anchor is hidden
// or disabled (itself or a window it lies in) or a modal loop runs, and the hint goes when the
// anchor or its top-level window is destroyed or disabled.
void ShowHintWindow(std::string_view text, POINT screenPoint, HWND anchor);
void HideHintWindow();
// The hint window, or null before the first hint.
HWND HintWindowHandle();
