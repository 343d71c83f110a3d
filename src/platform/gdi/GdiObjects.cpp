#include "platform/gdi/GdiObjects.h"

#include <array>
#include <cstring>
#include <unordered_map>

#include "platform/gdi/Gdi.h"

namespace {

struct Entry {
    GdiObject object;
    bool stock = false;
};

std::unordered_map<uintptr_t, Entry>& Table() {
    static std::unordered_map<uintptr_t, Entry> table;
    return table;
}

uintptr_t NumberOf(HGDIOBJ handle) { return reinterpret_cast<uintptr_t>(handle); }

LOGFONT SansFont(LONG height) {
    LOGFONT font;
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    std::strncpy(font.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return font;
}

GdiObject SolidBrush(COLORREF color) { return GdiBrush{LOGBRUSH{BS_SOLID, color, 0}}; }

GdiObject Pen(int style, COLORREF color) { return GdiPen{LOGPEN{UINT(style), POINT{1, 0}, color}}; }

// Created on first use so that the table exists before any stock object is added.
struct StockObjects {
    std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> byIndex{};
    HBITMAP defaultBitmap = nullptr;

    StockObjects() {
        byIndex[WHITE_BRUSH] = GdiAdd(SolidBrush(RGB(255, 255, 255)), true);
        byIndex[LTGRAY_BRUSH] = GdiAdd(SolidBrush(RGB(192, 192, 192)), true);
        byIndex[GRAY_BRUSH] = GdiAdd(SolidBrush(RGB(128, 128, 128)), true);
        byIndex[DKGRAY_BRUSH] = GdiAdd(SolidBrush(RGB(64, 64, 64)), true);
        byIndex[BLACK_BRUSH] = GdiAdd(SolidBrush(RGB(0, 0, 0)), true);
        byIndex[NULL_BRUSH] = GdiAdd(GdiBrush{LOGBRUSH{BS_NULL, 0, 0}}, true);
        byIndex[WHITE_PEN] = GdiAdd(Pen(PS_SOLID, RGB(255, 255, 255)), true);
        byIndex[BLACK_PEN] = GdiAdd(Pen(PS_SOLID, RGB(0, 0, 0)), true);
        byIndex[NULL_PEN] = GdiAdd(Pen(PS_NULL, RGB(0, 0, 0)), true);
        // A 16-pixel cell for the system font; the dialog font is 8 points at 96 dpi.
        byIndex[SYSTEM_FONT] = GdiAdd(GdiFont{SansFont(16)}, true);
        byIndex[DEFAULT_GUI_FONT] = GdiAdd(GdiFont{SansFont(-11)}, true);
        defaultBitmap =
            static_cast<HBITMAP>(GdiAdd(GdiBitmap{std::make_shared<Bitmap>(), 0}, true));
    }
};

StockObjects& Stock() {
    static StockObjects stock;
    return stock;
}

} // namespace

uintptr_t NextHandleNumber() {
    static uintptr_t next = 0x10000;
    return next++;
}

HGDIOBJ GdiAdd(GdiObject object, bool stock) {
    const uintptr_t number = NextHandleNumber();
    Table().emplace(number, Entry{std::move(object), stock});
    return reinterpret_cast<HGDIOBJ>(number);
}

GdiObject* GdiLookup(HGDIOBJ handle) {
    auto& table = Table();
    auto it = table.find(NumberOf(handle));
    return it == table.end() ? nullptr : &it->second.object;
}

bool GdiIsStock(HGDIOBJ handle) {
    auto& table = Table();
    auto it = table.find(NumberOf(handle));
    return it != table.end() && it->second.stock;
}

bool GdiRemove(HGDIOBJ handle) {
    auto& table = Table();
    auto it = table.find(NumberOf(handle));
    if (it == table.end() || it->second.stock) return false;
    if (const auto* bitmap = std::get_if<GdiBitmap>(&it->second.object))
        if (bitmap->selectedCount > 0) return false;
    table.erase(it);
    return true;
}

size_t GdiObjectCount() { return Table().size(); }

HBITMAP DefaultBitmap() { return Stock().defaultBitmap; }

Bitmap* BitmapOf(HBITMAP bitmap) {
    const GdiBitmap* b = GdiLookupAs<GdiBitmap>(bitmap);
    return b ? b->pixels.get() : nullptr;
}

std::shared_ptr<Bitmap> SharedBitmapOf(HBITMAP bitmap) {
    const GdiBitmap* b = GdiLookupAs<GdiBitmap>(bitmap);
    return b ? b->pixels : nullptr;
}

Region* RegionOf(HRGN region) {
    GdiRegion* r = GdiLookupAs<GdiRegion>(region);
    return r ? &r->region : nullptr;
}

HGDIOBJ GetStockObject(int index) {
    const auto& stock = Stock().byIndex;
    return index >= 0 && size_t(index) < stock.size() ? stock[size_t(index)] : nullptr;
}

HBRUSH GetSysColorBrush(int index) {
    static std::unordered_map<int, HBRUSH> brushes;
    if (index < 0 || index > COLOR_MENUBAR) return nullptr;
    HBRUSH& brush = brushes[index];
    if (!brush) brush = static_cast<HBRUSH>(GdiAdd(SolidBrush(GetSysColor(index)), true));
    return brush;
}
