#include "platform/MessageBox.h"

#include <cstdio>

int MessageBox(HWND, const std::string& text, const std::string& caption, unsigned) {
    std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
    return IDOK;
}
