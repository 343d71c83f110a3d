#include "windows/sMenuItemKind.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/Gdi.h"
#include "toolkit/Menu.h"

namespace {

constexpr char kRightAlignMark = '\b';
constexpr int kDefaultGlyphSide = 16;
constexpr int kOwnerDrawExtra = 12; // what the system adds to a measured popup width
constexpr int kColumnGap = 4;

// Rounds to the nearest integer, halves to even.
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

} // namespace

TsMenuItemType MenuItemKindOf(const std::string& caption) {
    if (caption == "-") return smDivider;
    if (caption.size() >= 2 && caption.front() == '-' && caption.back() == '-') return smCaption;
    return smNormal;
}

std::string CaptionItemWord(const std::string& caption) {
    const size_t start = caption.find_first_not_of('-');
    if (start == std::string::npos) return {};
    const size_t end = caption.find('-', start);
    return caption.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool RightAlignedCaption(const std::string& caption) {
    return !caption.empty() && caption.front() == kRightAlignMark;
}

std::string ShownCaption(const std::string& caption) {
    if (!RightAlignedCaption(caption)) return caption;
    return caption.substr(1) + std::string(6, ' ');
}

std::string CaptionWithShortcut(const TMenuItem& item) {
    return ShownCaption(item.Caption()) + item.ShortCutText();
}

SIZE MenuGlyphSize(const TMenuItem& item) {
    if (item.Bitmap()) {
        BITMAP info;
        if (GetObject(item.Bitmap(), sizeof info, &info)) return SIZE{info.bmWidth, info.bmHeight};
    }
    if (const TMenu* menu = item.GetParentMenu(); menu && menu->Images())
        return SIZE{menu->Images()->Width(), menu->Images()->Height()};
    return SIZE{kDefaultGlyphSide, kDefaultGlyphSide};
}

bool InFirstMenuColumn(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    if (!parent) return item.Break() == mbNone;
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* sibling = parent->Items(i);
        if (sibling->Break() != mbNone) return false;
        if (sibling == &item) return true;
    }
    return true;
}

int PopupItemWidth(const TsPopupItemMeasure& m) {
    return 2 * m.GlyphWidth + m.TextWidth + 3 * m.Margin + m.Spacing + m.ExtraWidth;
}

int PopupItemHeight(TsMenuItemType kind, const TsPopupItemMeasure& m) {
    if (kind == smDivider) return 2;
    const int text = RoundHalfEven(1.25 * m.TextHeight);
    if (kind == smCaption) return text + 2 * m.Margin;
    return std::max(text, m.GlyphHeight) + 2 * m.Margin;
}

SIZE PopupClientSize(const std::vector<TsPopupEntrySize>& entries) {
    int column = 0, before = 0, columnHeight = 0, height = 0;
    for (const TsPopupEntrySize& e : entries) {
        if (e.Break) {
            before += column + kColumnGap;
            column = 0;
            columnHeight = 0;
        }
        column = std::max(column, e.Width + kOwnerDrawExtra);
        columnHeight += e.Height;
        height = std::max(height, columnHeight);
    }
    return SIZE{column + before, height};
}
