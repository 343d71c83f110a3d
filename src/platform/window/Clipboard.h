#pragma once
// The program-wide text clipboard the edit controls cut, copy and paste through. It holds
// UTF-8 text; there is no opening or closing, one process uses it.
#include <string>
#include <string_view>

void SetClipboardText(std::string_view text);
std::string GetClipboardText();
