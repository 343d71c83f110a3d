#include "ContactSheet.h"

#include <algorithm>
#include <string>

#include "SkinRenderer.h"
#include "paint/sBitmapDC.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "skin/sSkinManager.h"

namespace {

constexpr TColor kNeutral = 0xD8D8D8;
constexpr TColor kLabel = 0x202020;
constexpr int kGap = 8;
constexpr int kLabelHeight = 18;
constexpr SIZE kSmall{48, 32};
constexpr SIZE kWide{160, 32};
constexpr SIZE kTall{40, 112};
constexpr int kColumns = 3;

// One card: the name on top; small normal and hot, then wide normal and hot beneath them on
// the left; tall normal and hot on the right.
struct TCardSlot {
    POINT At;
    SIZE Size;
    int State;
};
constexpr TCardSlot kSlots[] = {
    {{kGap, kLabelHeight}, kSmall, 0},
    {{kGap * 2 + kSmall.cx, kLabelHeight}, kSmall, 1},
    {{kGap, kLabelHeight + kSmall.cy + kGap}, kWide, 0},
    {{kGap, kLabelHeight + kSmall.cy + kWide.cy + kGap * 2}, kWide, 1},
    {{kGap * 2 + kWide.cx, kLabelHeight}, kTall, 0},
    {{kGap * 3 + kWide.cx + kTall.cx, kLabelHeight}, kTall, 1},
};
constexpr int kCardWidth = kGap * 4 + kWide.cx + kTall.cx * 2;
constexpr int kCardHeight = kLabelHeight + kTall.cy + kGap * 2;

void Place(Bitmap& sheet, const Bitmap& piece, POINT at) {
    const int bpp = piece.BytesPerPixel();
    for (int y = 0; y < piece.Height() && at.y + y < sheet.Height(); ++y) {
        const uint8_t* src = piece.ScanLine(y);
        uint8_t* dst = sheet.ScanLine(at.y + y) + at.x * bpp;
        const int width = std::min(piece.Width(), sheet.Width() - at.x);
        std::copy(src, src + width * bpp, dst);
    }
}

void Label(Bitmap& sheet, POINT at, const std::string& text) {
    TsBitmapDC dc(sheet);
    if (!dc.Handle()) return;
    const HGDIOBJ old = SelectObject(dc.Handle(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc.Handle(), TRANSPARENT);
    SetTextColor(dc.Handle(), kLabel);
    TextOut(dc.Handle(), at.x, at.y, text.c_str(), int(text.size()));
    SelectObject(dc.Handle(), old);
}

} // namespace

Bitmap ContactSheet(TSkinRenderer& renderer) {
    const auto& sections = renderer.Manager().SectionsData;
    const int count = int(sections.size());
    const int rows = (count + kColumns - 1) / kColumns;
    Bitmap sheet(kColumns * kCardWidth + kGap, std::max(1, rows) * kCardHeight + kGap, 24);
    sheet.Fill(kNeutral);
    TRenderParent parent;
    parent.Color = kNeutral;
    for (int i = 0; i < count; ++i) {
        const POINT card{kGap + (i % kColumns) * kCardWidth, kGap + (i / kColumns) * kCardHeight};
        const TsGeneralData& section = sections[size_t(i)];
        const std::string& name = section.SectionName;
        // A see-through section shows only the sheet under it; the label says so.
        const bool clear = section.Transparency >= 100;
        Label(sheet, {card.x + kGap, card.y + 2}, clear ? name + " (transparent)" : name);
        for (const TCardSlot& slot : kSlots)
            if (auto piece = renderer.Render(name, slot.Size, slot.State, parent))
                Place(sheet, *piece, {card.x + slot.At.x, card.y + slot.At.y});
    }
    return sheet;
}
