#pragma once
// uishot --view: shows one file in the HTML view, headless (and writes a screenshot) or in a
// real window.
#include <string>
#include <vector>

// args are the arguments after "--view". Returns the process exit code.
int RunViewShot(const std::vector<std::string>& args);
