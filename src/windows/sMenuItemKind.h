#pragma once
// What a menu item is from its caption, and the measures of popup items: plain rules with no
// painting, shared by the measure and draw handlers of the menu skinning.
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"

class TMenuItem;

enum TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };

// Separator ("-"), caption item ("-" first and last), or an ordinary item.
TsMenuItemType MenuItemKindOf(const std::string& caption);
// The word a caption item shows: the first run of characters between hyphens.
std::string CaptionItemWord(const std::string& caption);
// A caption that starts with the backspace character is drawn right-aligned.
bool RightAlignedCaption(const std::string& caption);
// The caption as drawn: the backspace mark taken off and six blanks added.
std::string ShownCaption(const std::string& caption);
// The caption followed by the item's shortcut text.
std::string CaptionWithShortcut(const TMenuItem& item);

// The item's glyph size for layout: its own bitmap, else its menu's images, else 16 x 16.
SIZE MenuGlyphSize(const TMenuItem& item);
// Whether no item up to and including this one in its parent's list starts a column.
bool InFirstMenuColumn(const TMenuItem& item);

// The measures of one popup item. textHeight is the height of "W" in the item font.
struct TsPopupItemMeasure {
    int GlyphWidth = 0;
    int GlyphHeight = 0;
    int TextWidth = 0;
    int TextHeight = 0;
    int Margin = 3;
    int Spacing = 6;
    int ExtraWidth = 0; // added only when the item is in the first column
};
int PopupItemWidth(const TsPopupItemMeasure& m);
int PopupItemHeight(TsMenuItemType kind, const TsPopupItemMeasure& m);

// One visible popup entry as laid out: its measured size and whether it starts a column.
struct TsPopupEntrySize {
    int Width = 0;
    int Height = 0;
    bool Break = false;
};
// The client size of a popup whose entries measured so (the system adds 12 to each width and
// leaves 4 pixels between columns).
SIZE PopupClientSize(const std::vector<TsPopupEntrySize>& entries);
