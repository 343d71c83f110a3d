#pragma once
// Web and mail links leave the program: the desktop's opener (xdg-open) gets them.
#include <string>

// Starts the opener without a shell and without waiting for it; false when there is none (the
// link is then ignored without an error).
bool OpenExternalUrl(const std::string& url);
