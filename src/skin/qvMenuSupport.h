#pragma once
// The manager's menu options, read by the menu skinning.
#include <string>

#include "toolkit/Font.h"

struct TqvMenuSupport {
    std::string IcoLineSkin; // "ICOLINE" once the manager is read, when left empty
    bool UseExtraLine = false;
    int ExtraLineWidth = 32;
    TFont ExtraLineFont;
};
