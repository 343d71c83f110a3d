#pragma once
// The manager's menu options, read by the menu skinning.
#include <functional>
#include <memory>
#include <string>

#include "platform/gdi/Bitmap.h"
#include "toolkit/Font.h"

class TMenuItem;

// Asked before a popup menu with an extra line is shown, for the popup whose first item is
// firstItem: every value comes preset (section "EXTRALINE", the reminder caption, no glyph, the
// line visible) and the handler may change any of them.
using TqvGetExtraLineData =
    std::function<void(TMenuItem* firstItem, std::string& skinSection, std::string& caption,
                       std::unique_ptr<Bitmap>& glyph, bool& lineVisible)>;

struct TqvMenuSupport {
    std::string IcoLineSkin; // "ICOLINE" once the manager is read, when left empty
    bool UseExtraLine = false;
    int ExtraLineWidth = 32;
    TFont ExtraLineFont;
};
