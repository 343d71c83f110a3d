#include "platform/gdi/DeviceContext.h"

#include <unordered_map>

#include "platform/gdi/Gdi.h"

namespace {

std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>>& Contexts() {
    static std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>> contexts;
    return contexts;
}

template <typename T>
const T* StockAs(int index) {
    return GdiLookupAs<T>(GetStockObject(index));
}

} // namespace

Region DeviceContext::EffectiveClip() const {
    if (!surface || surface->Empty()) return Region();
    Region clip(RECT{-surfaceOrigin.x, -surfaceOrigin.y, surface->Width() - surfaceOrigin.x,
                     surface->Height() - surfaceOrigin.y});
    if (visible) clip.Combine(clip, *visible, RGN_AND);
    if (state.clip) clip.Combine(clip, *state.clip, RGN_AND);
    return clip;
}

std::vector<RECT> DeviceContext::SurfaceClipRects() const {
    std::vector<RECT> rects = EffectiveClip().Rects();
    for (RECT& r : rects) r = OffsetRect(r, surfaceOrigin.x, surfaceOrigin.y);
    return rects;
}

LOGBRUSH DeviceContext::SelectedBrush() const {
    if (const GdiBrush* brush = GdiLookupAs<GdiBrush>(state.brush)) return brush->log;
    return StockAs<GdiBrush>(WHITE_BRUSH)->log;
}

LOGPEN DeviceContext::SelectedPen() const {
    if (const GdiPen* pen = GdiLookupAs<GdiPen>(state.pen)) return pen->log;
    return StockAs<GdiPen>(BLACK_PEN)->log;
}

LOGFONT DeviceContext::SelectedFont() const {
    if (const GdiFont* font = GdiLookupAs<GdiFont>(state.font)) return font->log;
    return StockAs<GdiFont>(SYSTEM_FONT)->log;
}

DeviceContext* DCOf(HDC dc) {
    auto& contexts = Contexts();
    auto it = contexts.find(reinterpret_cast<uintptr_t>(dc));
    return it == contexts.end() ? nullptr : it->second.get();
}

HDC AddDeviceContext(std::unique_ptr<DeviceContext> dc) {
    if (!dc) return nullptr;
    DCState& state = dc->state;
    if (!state.brush) state.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!state.pen) state.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    if (!state.font) state.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    if (dc->kind == DCKind::Memory) {
        GdiBitmap* bitmap = GdiLookupAs<GdiBitmap>(state.bitmap);
        if (!bitmap) {
            state.bitmap = DefaultBitmap();
            bitmap = GdiLookupAs<GdiBitmap>(state.bitmap);
        }
        ++bitmap->selectedCount;
        dc->surface = bitmap->pixels;
    }
    const uintptr_t number = NextHandleNumber();
    Contexts().emplace(number, std::move(dc));
    return reinterpret_cast<HDC>(number);
}

bool RemoveDeviceContext(HDC dc) {
    auto& contexts = Contexts();
    auto it = contexts.find(reinterpret_cast<uintptr_t>(dc));
    if (it == contexts.end()) return false;
    if (it->second->kind == DCKind::Memory)
        if (GdiBitmap* bitmap = GdiLookupAs<GdiBitmap>(it->second->state.bitmap))
            --bitmap->selectedCount;
    contexts.erase(it);
    return true;
}
