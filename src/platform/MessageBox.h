#pragma once
// Message boxes of the window system. Until windows exist the box is written to standard
// error as one line and answered with its default button.
#include <string>

#include "platform/Handles.h"

constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr int IDOK = 1;


int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type);
