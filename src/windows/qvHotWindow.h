#pragma once
// The window the wrappers of dialog controls hold as hot (the one under the mouse): making a
// window hot tells the previous one that the mouse left (skin command 30) and the new one
// that it entered (29).
#include "platform/core/Handles.h"

class TsSkinManager;

// Nothing when the window already is the hot one.
void MakeHotWindow(HWND window, TsSkinManager* manager);
// The hot window, when there is one, hears that the mouse left.
void ClearHotWindow(TsSkinManager* manager);
bool IsHotWindow(HWND window);
