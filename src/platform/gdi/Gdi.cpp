// Objects, regions, device contexts and their state, and clipping.
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FillRoundRect.h"

namespace {

GdiBitmap* BitmapEntry(HBITMAP bitmap) { return GdiLookupAs<GdiBitmap>(bitmap); }

// The whole surface in device coordinates (empty without one).
Region SurfaceRegion(const DeviceContext& dc) {
    if (!dc.surface || dc.surface->Empty()) return Region();
    return Region(RECT{-dc.surfaceOrigin.x, -dc.surfaceOrigin.y,
                       dc.surface->Width() - dc.surfaceOrigin.x,
                       dc.surface->Height() - dc.surfaceOrigin.y});
}

// Makes `bitmap` the memory context's surface. A bitmap may be in one context at a time;
// the stock default bitmap in any number. Returns the previous bitmap, null on refusal.
HBITMAP SelectBitmap(DeviceContext& dc, HBITMAP bitmap) {
    if (dc.kind != DCKind::Memory) return nullptr;
    GdiBitmap* entry = BitmapEntry(bitmap);
    if (!entry) return nullptr;
    HBITMAP previous = dc.state.bitmap;
    if (bitmap == previous) return previous;
    if (entry->selectedCount > 0 && !GdiIsStock(bitmap)) return nullptr;
    if (GdiBitmap* old = BitmapEntry(previous)) --old->selectedCount;
    ++entry->selectedCount;
    dc.state.bitmap = bitmap;
    dc.surface = entry->pixels;
    return previous;
}

int ClipComplexity(const DeviceContext& dc) {
    return dc.state.clip ? dc.state.clip->Complexity() : dc.EffectiveClip().Complexity();
}

HRGN AddRegion(Region region) { return static_cast<HRGN>(GdiAdd(GdiRegion{std::move(region)})); }

} // namespace

// ---- Objects

HBRUSH CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(GdiAdd(GdiBrush{LOGBRUSH{BS_SOLID, color & 0xFFFFFF, 0}}));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush || (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL)) return nullptr;
    LOGBRUSH log = *brush;
    log.lbColor &= 0xFFFFFF;
    return static_cast<HBRUSH>(GdiAdd(GdiBrush{log}));
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > 6) return nullptr;
    LOGPEN log;
    log.lopnStyle = UINT(style);
    log.lopnWidth = POINT{std::abs(width), 0};
    log.lopnColor = color & 0xFFFFFF;
    return static_cast<HPEN>(GdiAdd(GdiPen{log}));
}

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (!font) return nullptr;
    LOGFONT log = *font;
    log.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(GdiAdd(GdiFont{log}));
}

HBITMAP CreateDIBSection(int width, int height, int bitsPerPixel, bool topDown) {
    if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) return nullptr;
    auto pixels = std::make_shared<Bitmap>(width, height, bitsPerPixel, topDown);
    if (pixels->Empty()) return nullptr; // refused as too large
    return static_cast<HBITMAP>(GdiAdd(GdiBitmap{std::move(pixels), 0}));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    // A zero size still gives a valid (empty) bitmap, so that callers which select and
    // delete it unconditionally keep working.
    if (width == 0 || height == 0)
        return static_cast<HBITMAP>(GdiAdd(GdiBitmap{std::make_shared<Bitmap>(), 0}));
    return CreateDIBSection(width, height, 24, false);
}

bool DeleteObject(HGDIOBJ object) { return GdiRemove(object); }

int GetObjectType(HGDIOBJ object) {
    if (const GdiObject* o = GdiLookup(object)) {
        if (std::holds_alternative<GdiBrush>(*o)) return OBJ_BRUSH;
        if (std::holds_alternative<GdiPen>(*o)) return OBJ_PEN;
        if (std::holds_alternative<GdiFont>(*o)) return OBJ_FONT;
        if (std::holds_alternative<GdiBitmap>(*o)) return OBJ_BITMAP;
        return OBJ_REGION;
    }
    if (const DeviceContext* dc = DCOf(static_cast<HDC>(object)))
        return dc->kind == DCKind::Memory ? OBJ_MEMDC : OBJ_DC;
    return 0;
}

int GetObject(HGDIOBJ object, int size, void* out) {
    const GdiObject* o = GdiLookup(object);
    if (!o || size < 0) return 0;
    auto give = [&](const auto& value) {
        constexpr int needed = int(sizeof(value));
        if (!out) return needed;
        if (size < needed) return 0;
        std::memcpy(out, &value, sizeof(value));
        return needed;
    };
    if (const auto* brush = std::get_if<GdiBrush>(o)) return give(brush->log);
    if (const auto* pen = std::get_if<GdiPen>(o)) return give(pen->log);
    if (const auto* font = std::get_if<GdiFont>(o)) return give(font->log);
    if (const auto* bitmap = std::get_if<GdiBitmap>(o)) {
        BITMAP info;
        Bitmap& b = *bitmap->pixels;
        info.bmWidth = b.Width();
        info.bmHeight = b.Height();
        info.bmWidthBytes = b.Stride();
        info.bmBitsPixel = WORD(b.BitsPerPixel());
        info.bmBits = b.Empty() ? nullptr : b.Bits();
        return give(info);
    }
    return 0;
}

// ---- Regions

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return AddRegion(Region(RECT{left, top, right, bottom}));
}

HRGN CreateRectRgnIndirect(const RECT* rect) { return rect ? AddRegion(Region(*rect)) : nullptr; }

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    const RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right),
                 std::max(top, bottom)};
    Region region;
    for (LONG y = r.top; y < r.bottom; ++y) {
        LONG xs[2];
        if (RoundRectRowSpan(r, ellipseWidth, ellipseHeight, y, xs[0], xs[1]))
            region.AppendBand(y, y + 1, xs, 2);
    }
    return AddRegion(std::move(region));
}

HRGN CreateRegionFromRects(const RECT* rects, int count) {
    if (count < 0 || (count > 0 && !rects)) return nullptr;
    Region region;
    for (int i = 0; i < count; ++i) region.Combine(region, Region(rects[i]), RGN_OR);
    return AddRegion(std::move(region));
}

HRGN CreateRegionFrom(const Region& region) { return AddRegion(region); }

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
    Region* d = RegionOf(dst);
    const Region* a = RegionOf(src1);
    const Region* b = mode == RGN_COPY ? a : RegionOf(src2);
    if (!d || !a || !b) return RGN_ERROR;
    return d->Combine(*a, *b, mode);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    Region* r = RegionOf(region);
    if (!r) return RGN_ERROR;
    r->Offset(dx, dy);
    return r->Complexity();
}

bool PtInRegion(HRGN region, int x, int y) {
    const Region* r = RegionOf(region);
    return r && r->Contains(x, y);
}

bool RectInRegion(HRGN region, const RECT* rect) {
    const Region* r = RegionOf(region);
    return r && rect && r->Intersects(*rect);
}

int GetRgnBox(HRGN region, RECT* box) {
    const Region* r = RegionOf(region);
    if (!r || !box) return RGN_ERROR;
    return r->GetBox(*box);
}

bool EqualRgn(HRGN a, HRGN b) {
    const Region* ra = RegionOf(a);
    const Region* rb = RegionOf(b);
    return ra && rb && *ra == *rb;
}

// ---- Device contexts

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !DCOf(dc)) return nullptr;
    auto context = std::make_unique<DeviceContext>();
    context->kind = DCKind::Memory;
    return AddDeviceContext(std::move(context));
}

bool DeleteDC(HDC dc) {
    // Window, client, paint and screen contexts belong to the window system, which releases
    // them; only memory contexts are deleted here.
    const DeviceContext* context = DCOf(dc);
    if (!context || context->kind != DCKind::Memory) return false;
    return RemoveDeviceContext(dc);
}

int SaveDC(HDC dc) {
    DeviceContext* context = DCOf(dc);
    if (!context) return 0;
    context->saved.push_back(context->state);
    return int(context->saved.size());
}

bool RestoreDC(HDC dc, int savedDC) {
    DeviceContext* context = DCOf(dc);
    if (!context) return false;
    const int depth = int(context->saved.size());
    const int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
    if (level < 1 || level > depth) return false;
    DCState restored = std::move(context->saved[size_t(level - 1)]);
    context->saved.resize(size_t(level - 1));
    // Only the current bitmap counts as selected, so the saved one is selected again. It
    // may have been deleted or selected elsewhere since; then the context is left with the
    // default bitmap rather than with a surface it may not use.
    const HBITMAP wanted = restored.bitmap;
    restored.bitmap = context->state.bitmap;
    context->state = std::move(restored);
    if (context->kind == DCKind::Memory && wanted != context->state.bitmap)
        if (!SelectBitmap(*context, wanted)) SelectBitmap(*context, DefaultBitmap());
    return true;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* context = DCOf(dc);
    GdiObject* o = GdiLookup(object);
    if (!context || !o) return nullptr;
    DCState& state = context->state;
    if (std::holds_alternative<GdiBrush>(*o))
        return std::exchange(state.brush, static_cast<HBRUSH>(object));
    if (std::holds_alternative<GdiPen>(*o))
        return std::exchange(state.pen, static_cast<HPEN>(object));
    if (std::holds_alternative<GdiFont>(*o))
        return std::exchange(state.font, static_cast<HFONT>(object));
    if (std::holds_alternative<GdiBitmap>(*o))
        return SelectBitmap(*context, static_cast<HBITMAP>(object));
    // A region: selected as the clip region; the result is its complexity, as in Win32.
    return reinterpret_cast<HGDIOBJ>(intptr_t(SelectClipRgn(dc, static_cast<HRGN>(object))));
}

HGDIOBJ GetCurrentObject(HDC dc, UINT objectType) {
    const DeviceContext* context = DCOf(dc);
    if (!context) return nullptr;
    switch (objectType) {
    case OBJ_BRUSH: return context->state.brush;
    case OBJ_PEN: return context->state.pen;
    case OBJ_FONT: return context->state.font;
    case OBJ_BITMAP: return context->state.bitmap;
    default: return nullptr;
    }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    DeviceContext* context = DCOf(dc);
    return context ? std::exchange(context->state.textColor, color & 0xFFFFFF) : CLR_INVALID;
}

COLORREF GetTextColor(HDC dc) {
    const DeviceContext* context = DCOf(dc);
    return context ? context->state.textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    DeviceContext* context = DCOf(dc);
    return context ? std::exchange(context->state.bkColor, color & 0xFFFFFF) : CLR_INVALID;
}

COLORREF GetBkColor(HDC dc) {
    const DeviceContext* context = DCOf(dc);
    return context ? context->state.bkColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
    DeviceContext* context = DCOf(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(context->state.bkMode, mode);
}

int GetBkMode(HDC dc) {
    const DeviceContext* context = DCOf(dc);
    return context ? context->state.bkMode : 0;
}

int SetROP2(HDC dc, int mode) {
    DeviceContext* context = DCOf(dc);
    if (!context || mode < R2_BLACK || mode > R2_WHITE) return 0;
    return std::exchange(context->state.rop2, mode);
}

int GetROP2(HDC dc) {
    const DeviceContext* context = DCOf(dc);
    return context ? context->state.rop2 : 0;
}

namespace {

bool SetOrigin(HDC dc, POINT DCState::*origin, POINT value, POINT* old) {
    DeviceContext* context = DCOf(dc);
    if (!context) return false;
    if (old) *old = context->state.*origin;
    context->state.*origin = value;
    return true;
}

bool GetOrigin(HDC dc, POINT DCState::*origin, POINT* out) {
    const DeviceContext* context = DCOf(dc);
    if (!context || !out) return false;
    *out = context->state.*origin;
    return true;
}

bool OffsetOrigin(HDC dc, POINT DCState::*origin, int dx, int dy, POINT* old) {
    DeviceContext* context = DCOf(dc);
    if (!context) return false;
    POINT& o = context->state.*origin;
    if (old) *old = o;
    o = POINT{o.x + dx, o.y + dy};
    return true;
}

} // namespace

bool SetWindowOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetOrigin(dc, &DCState::windowOrg, POINT{x, y}, old);
}
bool GetWindowOrgEx(HDC dc, POINT* org) { return GetOrigin(dc, &DCState::windowOrg, org); }
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old) {
    return OffsetOrigin(dc, &DCState::windowOrg, dx, dy, old);
}
bool SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetOrigin(dc, &DCState::viewportOrg, POINT{x, y}, old);
}
bool GetViewportOrgEx(HDC dc, POINT* org) { return GetOrigin(dc, &DCState::viewportOrg, org); }
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
    return OffsetOrigin(dc, &DCState::viewportOrg, dx, dy, old);
}

HWND WindowFromDC(HDC dc) {
    const DeviceContext* context = DCOf(dc);
    return context ? context->hwnd : nullptr;
}

// ---- Clipping

namespace {

// Combines the clip region with a device region; with no clip region selected the whole
// surface stands for it.
int CombineClip(DeviceContext& dc, const Region& device, int mode) {
    Region clip = dc.state.clip ? *dc.state.clip : SurfaceRegion(dc);
    const int complexity = clip.Combine(clip, device, mode);
    if (complexity == RGN_ERROR) return RGN_ERROR;
    dc.state.clip = std::move(clip);
    return complexity;
}

} // namespace

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* context = DCOf(dc);
    if (!context) return RGN_ERROR;
    return CombineClip(*context, Region(context->ToDevice(RECT{left, top, right, bottom})),
                       RGN_AND);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* context = DCOf(dc);
    if (!context) return RGN_ERROR;
    return CombineClip(*context, Region(context->ToDevice(RECT{left, top, right, bottom})),
                       RGN_DIFF);
}

int SelectClipRgn(HDC dc, HRGN region) { return ExtSelectClipRgn(dc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    DeviceContext* context = DCOf(dc);
    if (!context || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    const Region* r = RegionOf(region);
    if (!r) {
        // Only a copy of "no region" is meaningful: it removes the clip region.
        if (region || mode != RGN_COPY) return RGN_ERROR;
        context->state.clip.reset();
        return ClipComplexity(*context);
    }
    if (mode == RGN_COPY) {
        context->state.clip = *r;
        return r->Complexity();
    }
    return CombineClip(*context, *r, mode);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    DeviceContext* context = DCOf(dc);
    if (!context) return RGN_ERROR;
    if (context->state.clip) context->state.clip->Offset(dx, dy);
    return ClipComplexity(*context);
}

int GetClipBox(HDC dc, RECT* box) {
    const DeviceContext* context = DCOf(dc);
    if (!context || !box) return RGN_ERROR;
    RECT device;
    const int complexity = context->EffectiveClip().GetBox(device);
    if (complexity == NULLREGION) {
        *box = RECT{};
        return NULLREGION;
    }
    const POINT topLeft = context->ToLogical(POINT{device.left, device.top});
    *box = OffsetRect(device, topLeft.x - device.left, topLeft.y - device.top);
    return complexity;
}

int GetClipRgn(HDC dc, HRGN region) {
    const DeviceContext* context = DCOf(dc);
    Region* out = RegionOf(region);
    if (!context || !out) return -1;
    if (!context->state.clip) return 0;
    *out = *context->state.clip;
    return 1;
}

bool RectVisible(HDC dc, const RECT* rect) {
    const DeviceContext* context = DCOf(dc);
    return context && rect && context->EffectiveClip().Intersects(context->ToDevice(*rect));
}

bool PtVisible(HDC dc, int x, int y) {
    const DeviceContext* context = DCOf(dc);
    if (!context) return false;
    const POINT p = context->ToDevice(POINT{x, y});
    return context->EffectiveClip().Contains(p.x, p.y);
}
