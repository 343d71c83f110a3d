#pragma once
// The text clipboard the edit controls cut, copy and paste through, kept by the backend (the
// desktop's on screen, the program's own headless). It holds UTF-8 text; there is no opening
// or closing.
#include <string>
#include <string_view>

void SetClipboardText(std::string_view text);
std::string GetClipboardText();
