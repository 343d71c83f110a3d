// Painting: visible regions, update regions and their invalidation rules, paint and window
// device contexts, window regions, layered windows, screen composition and point-to-window
// lookup.
#include <algorithm>
#include <cstring>

#include "platform/gdi/DeviceContext.h"
#include "platform/window/Backend.h"
#include "platform/window/ScreenOverlay.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

RECT WindowBoundsInTopLevel(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    const POINT o = OffsetInTopLevel(hwnd);
    return Rect(o.x, o.y, o.x + WidthOf(w->rect), o.y + HeightOf(w->rect));
}

// The window's own shape in top-level coordinates: its rectangle cut by its window region.
Region ShapeInTopLevel(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    const RECT bounds = WindowBoundsInTopLevel(hwnd);
    Region shape(bounds);
    if (w->windowRegion) {
        Region r = *w->windowRegion;
        r.Offset(bounds.left, bounds.top);
        shape.Combine(shape, r, RGN_AND);
    }
    return shape;
}

bool RedrawAllowed(HWND hwnd) {
    for (WindowObject* w = WindowOf(hwnd); w; w = w->IsChild() ? WindowOf(w->parent) : nullptr)
        if (!w->redrawEnabled) return false;
    return true;
}

// Adds a region (window coordinates of hwnd) to the window's update region and, following
// the children rule, to its children's.
void AddUpdate(HWND hwnd, const Region& area, UINT flags) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || area.IsEmpty()) return;
    Region clipped = area;
    clipped.Combine(clipped, Region(Rect(0, 0, WidthOf(w->rect), HeightOf(w->rect))), RGN_AND);
    if (clipped.IsEmpty()) return;
    w->update.Combine(w->update, clipped, RGN_OR);
    if (flags & RDW_ERASE) w->eraseNeeded = true;
    if (flags & RDW_FRAME) {
        Region clientArea(w->client);
        Region frame;
        frame.Combine(clipped, clientArea, RGN_DIFF);
        if (!frame.IsEmpty()) w->frameNeeded = true;
    }
    const bool children =
        (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (!children) return;
    for (HWND c : w->children) {
        WindowObject* cw = WindowOf(c);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        Region part = clipped;
        part.Offset(-(w->client.left + cw->rect.left), -(w->client.top + cw->rect.top));
        AddUpdate(c, part, flags | RDW_FRAME);
    }
}

void RemoveUpdate(HWND hwnd, const Region& area, UINT flags) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return;
    w->update.Combine(w->update, area, RGN_DIFF);
    if (w->update.IsEmpty()) w->eraseNeeded = false;
    if (flags & RDW_NOFRAME) w->frameNeeded = false;
    if (flags & RDW_ALLCHILDREN)
        for (HWND c : w->children)
            if (WindowOf(c)) {
                Region part = area;
                part.Offset(-(w->client.left + WindowOf(c)->rect.left),
                            -(w->client.top + WindowOf(c)->rect.top));
                RemoveUpdate(c, part, flags);
            }
}

void PaintNow(HWND hwnd, bool children) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !IsWindowVisible(hwnd) || !RedrawAllowed(hwnd)) return;
    if (!w->update.IsEmpty() || w->frameNeeded || w->internalPaint) {
        MSG m{hwnd, WM_PAINT, 0, 0, GetTickCount(), {}};
        DispatchMessage(&m);
    }
    if (!children) return;
    if (WindowObject* again = WindowOf(hwnd)) {
        const std::vector<HWND> list = again->children;
        for (HWND c : list) PaintNow(c, true);
    }
}

HDC MakeWindowDC(HWND hwnd, DCKind kind, bool clientOnly) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    const HWND top = TopLevelOf(hwnd);
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = kind;
    dc->hwnd = hwnd;
    dc->surface = WindowOf(top)->surface;
    POINT origin = OffsetInTopLevel(hwnd);
    if (clientOnly) origin.x += w->client.left, origin.y += w->client.top;
    dc->surfaceOrigin = origin;
    const bool clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
    Region visible = RedrawAllowed(hwnd) && IsWindowVisible(hwnd)
                         ? VisibleRegion(hwnd, clientOnly, clipChildren)
                         : Region();
    visible.Offset(-origin.x, -origin.y);
    dc->visible = std::move(visible);
    if (w->font) dc->state.font = w->font;
    return AddDeviceContext(std::move(dc));
}

void NoticeSurfaceChange(HDC hdc) {
    DeviceContext* dc = DCOf(hdc);
    if (!dc || !dc->hwnd || dc->kind == DCKind::Screen || dc->kind == DCKind::Memory) return;
    RECT box{};
    if (dc->visible) dc->visible->GetBox(box);
    box = OffsetRect(box, dc->surfaceOrigin.x, dc->surfaceOrigin.y);
    if (!IsRectEmpty(box)) CurrentBackend().SurfaceChanged(TopLevelOf(dc->hwnd), box);
}

} // namespace

Region VisibleRegion(HWND hwnd, bool clientOnly, bool clipChildren) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return Region();
    Region r = ShapeInTopLevel(hwnd);
    const POINT origin = OffsetInTopLevel(hwnd);
    if (clientOnly) r.Combine(r, Region(OffsetRect(w->client, origin.x, origin.y)), RGN_AND);
    for (HWND c = hwnd; WindowOf(c) && WindowOf(c)->IsChild();) {
        WindowObject* cw = WindowOf(c);
        const HWND p = cw->parent;
        WindowObject* pw = WindowOf(p);
        const POINT po = OffsetInTopLevel(p);
        r.Combine(r, Region(OffsetRect(pw->client, po.x, po.y)), RGN_AND);
        if (pw->windowRegion) r.Combine(r, ShapeInTopLevel(p), RGN_AND);
        if (cw->style & WS_CLIPSIBLINGS) {
            for (HWND s : pw->children) {
                if (s == c) break; // siblings in front come first
                WindowObject* sw = WindowOf(s);
                if (sw && (sw->style & WS_VISIBLE)) r.Combine(r, ShapeInTopLevel(s), RGN_DIFF);
            }
        }
        c = p;
    }
    if (clipChildren)
        for (HWND c : w->children) {
            WindowObject* cw = WindowOf(c);
            if (cw && (cw->style & WS_VISIBLE)) r.Combine(r, ShapeInTopLevel(c), RGN_DIFF);
        }
    return r;
}

// ---------------------------------------------------------------- invalidation

bool RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    Region area;
    if (region && RegionOf(region)) {
        area = *RegionOf(region);
        area.Offset(w->client.left, w->client.top);
    } else if (rect) {
        area = Region(OffsetRect(*rect, w->client.left, w->client.top));
    } else {
        area = Region((flags & RDW_FRAME) ? Rect(0, 0, WidthOf(w->rect), HeightOf(w->rect))
                                          : w->client);
    }
    if (flags & RDW_INVALIDATE) {
        AddUpdate(hwnd, area, flags);
        if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    }
    if (flags & RDW_VALIDATE) RemoveUpdate(hwnd, area, flags);
    if (flags & RDW_UPDATENOW)
        PaintNow(hwnd, (flags & RDW_ALLCHILDREN) || !(flags & RDW_NOCHILDREN));
    return true;
}

bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase) {
    if (!hwnd) {
        ScreenOverlay::Instance().Clear(); // every window paints afresh over what was drawn
        for (HWND h : std::vector<HWND>(TopLevelZOrder()))
            RedrawWindow(h, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return true;
    }
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

bool InvalidateRgn(HWND hwnd, HRGN region, bool erase) {
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

bool ValidateRect(HWND hwnd, const RECT* rect) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool ValidateRgn(HWND hwnd, HRGN region) {
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    Region inClient = w->update;
    inClient.Combine(inClient, Region(w->client), RGN_AND);
    inClient.Offset(-w->client.left, -w->client.top);
    RECT box{};
    inClient.GetBox(box);
    if (rect) *rect = box;
    if (erase && !inClient.IsEmpty() && w->eraseNeeded) {
        HDC dc = GetDC(hwnd);
        w->eraseNeeded = false;
        SendMessage(hwnd, WM_ERASEBKGND, WPARAM(dc), 0);
        ReleaseDC(hwnd, dc);
    }
    return !IsRectEmpty(box);
}

int GetUpdateRgn(HWND hwnd, HRGN region, bool erase) {
    WindowObject* w = WindowOf(hwnd);
    Region* out = RegionOf(region);
    if (!w || !out) return RGN_ERROR;
    Region inClient = w->update;
    inClient.Combine(inClient, Region(w->client), RGN_AND);
    inClient.Offset(-w->client.left, -w->client.top);
    *out = inClient;
    RECT ignored;
    if (erase) GetUpdateRect(hwnd, &ignored, true);
    return out->Complexity();
}

bool UpdateWindow(HWND hwnd) {
    if (!WindowOf(hwnd)) return false;
    PaintNow(hwnd, true);
    return true;
}

void InvalidateParentArea(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !w->IsChild()) return;
    RedrawWindow(w->parent, &w->rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool IsRedrawEnabled(HWND hwnd) { return WindowOf(hwnd) && RedrawAllowed(hwnd); }

// ---------------------------------------------------------------- device contexts

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    if (w->frameNeeded) {
        w->frameNeeded = false;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = WindowOf(hwnd))) return nullptr;
    }
    Region update = w->update;
    const bool erase = w->eraseNeeded;
    w->update = Region();
    w->eraseNeeded = false;
    w->internalPaint = false;
    update.Combine(update, Region(w->client), RGN_AND);
    update.Offset(-w->client.left, -w->client.top);

    HDC hdc = MakeWindowDC(hwnd, DCKind::Paint, true);
    DeviceContext* dc = DCOf(hdc);
    dc->visible->Combine(*dc->visible, update, RGN_AND);
    PAINTSTRUCT local;
    PAINTSTRUCT& p = ps ? *ps : local;
    p.hdc = hdc;
    dc->visible->GetBox(p.rcPaint);
    p.fErase = erase;
    if (erase) p.fErase = SendMessage(hwnd, WM_ERASEBKGND, WPARAM(hdc), 0) == 0;
    return hdc;
}

bool EndPaint(HWND, const PAINTSTRUCT* ps) {
    if (!ps) return false;
    NoticeSurfaceChange(ps->hdc);
    return RemoveDeviceContext(ps->hdc);
}

namespace {
// The screen: drawing on it stays over the windows (ScreenOverlay) once the context goes.
HDC MakeScreenDC() {
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DCKind::Screen;
    const RECT screen = CurrentBackend().ScreenRect();
    Bitmap windows(WidthOf(screen), HeightOf(screen), 24, true);
    ComposeWindows(windows);
    dc->surface = std::make_shared<Bitmap>(windows);
    Bitmap& surface = *dc->surface;
    const HDC hdc = AddDeviceContext(std::move(dc));
    ScreenOverlay::Instance().Begin(hdc, windows, surface);
    return hdc;
}
} // namespace

HDC GetDC(HWND hwnd) {
    if (!hwnd || hwnd == GetDesktopWindow()) return MakeScreenDC();
    return MakeWindowDC(hwnd, DCKind::Client, true);
}

HDC GetWindowDC(HWND hwnd) {
    if (!hwnd || hwnd == GetDesktopWindow()) return MakeScreenDC();
    return MakeWindowDC(hwnd, DCKind::Window, false);
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    constexpr DWORD DCX_WINDOW = 0x1, DCX_INTERSECTRGN = 0x80;
    HDC hdc = (flags & DCX_WINDOW) ? GetWindowDC(hwnd) : GetDC(hwnd);
    DeviceContext* dc = DCOf(hdc);
    if (dc && clip && (flags & DCX_INTERSECTRGN) && RegionOf(clip) && dc->visible)
        dc->visible->Combine(*dc->visible, *RegionOf(clip), RGN_AND);
    return hdc;
}

int ReleaseDC(HWND, HDC hdc) {
    if (const DeviceContext* dc = DCOf(hdc); dc && dc->kind == DCKind::Screen && dc->surface)
        ScreenOverlay::Instance().End(hdc, *dc->surface);
    NoticeSurfaceChange(hdc);
    return RemoveDeviceContext(hdc) ? 1 : 0;
}

// ---------------------------------------------------------------- regions and layering

int SetWindowRgn(HWND hwnd, HRGN region, bool redraw) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return 0;
    if (w->IsChild() && IsWindowVisible(hwnd)) InvalidateParentArea(hwnd);
    if (Region* r = RegionOf(region)) {
        w->windowRegion = *r;
        DeleteObject(region); // the window owns it now
    } else {
        w->windowRegion.reset();
    }
    if (redraw)
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (!w->IsChild()) TopLevelChangedNotice(hwnd);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    WindowObject* w = WindowOf(hwnd);
    Region* out = RegionOf(region);
    if (!w || !out || !w->windowRegion) return RGN_ERROR;
    *out = *w->windowRegion;
    return out->Complexity();
}

bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || w->IsChild() || !(w->exStyle & WS_EX_LAYERED)) return false;
    w->layered = true;
    w->layeredKey = key & 0xFFFFFF;
    w->layeredAlpha = alpha;
    w->layeredFlags = flags;
    TopLevelChangedNotice(hwnd);
    return true;
}

bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !w->layered) return false;
    if (key) *key = w->layeredKey;
    if (alpha) *alpha = w->layeredAlpha;
    if (flags) *flags = w->layeredFlags;
    return true;
}

void TopLevelChangedNotice(HWND topLevel) { CurrentBackend().TopLevelChanged(topLevel); }
void WindowDestroyedNotice(HWND topLevel) { CurrentBackend().TopLevelChanged(topLevel); }

// ---------------------------------------------------------------- composition and lookup

namespace {

bool KeyedOut(const WindowObject& w, POINT inWindow) {
    if (!w.layered || !(w.layeredFlags & LWA_COLORKEY) || !w.surface) return false;
    if (inWindow.x < 0 || inWindow.y < 0 || inWindow.x >= w.surface->Width() ||
        inWindow.y >= w.surface->Height())
        return false;
    return (w.surface->GetPixel(inWindow.x, inWindow.y) & 0xFFFFFF) == w.layeredKey;
}

// The pixels of a top-level window on the screen: its rectangle cut by its window region.
Region ScreenShape(const WindowObject& w, POINT at, const Bitmap& out) {
    Region shape(Rect(0, 0, w.surface->Width(), w.surface->Height()));
    if (w.windowRegion) shape.Combine(shape, *w.windowRegion, RGN_AND);
    shape.Offset(at.x, at.y);
    shape.Combine(shape, Region(Rect(0, 0, out.Width(), out.Height())), RGN_AND);
    return shape;
}

bool Opaque(const WindowObject& w) {
    return !w.layered || !(w.layeredFlags & (LWA_COLORKEY | LWA_ALPHA)) ||
           ((w.layeredFlags & LWA_ALPHA) && w.layeredAlpha == 255 &&
            !(w.layeredFlags & LWA_COLORKEY));
}

// Copies a top-level window's pixels into `out` at `at`, inside `area` (out's coordinates),
// leaving out key-coloured pixels and blending by the window's constant alpha.
void BlitTopLevel(const WindowObject& w, Bitmap& out, POINT at, const Region& area) {
    if (!w.surface || w.surface->BitsPerPixel() != 24 || out.BitsPerPixel() != 24) return;
    const bool keyed = w.layered && (w.layeredFlags & LWA_COLORKEY);
    const bool blended = w.layered && (w.layeredFlags & LWA_ALPHA) && w.layeredAlpha < 255;
    const uint8_t kb = GetBValue(w.layeredKey), kg = GetGValue(w.layeredKey),
                  kr = GetRValue(w.layeredKey);
    const int a = w.layeredAlpha;
    for (const RECT& r : area.Rects()) {
        const int width = WidthOf(r);
        for (int y = r.top; y < r.bottom; ++y) {
            const uint8_t* src = w.surface->ScanLine(y - at.y) + 3 * (r.left - at.x);
            uint8_t* dst = out.ScanLine(y) + 3 * r.left;
            if (!keyed && !blended) {
                std::memcpy(dst, src, size_t(width) * 3);
                continue;
            }
            for (int x = 0; x < width; ++x, src += 3, dst += 3) {
                if (keyed && src[0] == kb && src[1] == kg && src[2] == kr) continue;
                if (blended) {
                    // d = (s*a + d*(255-a) + 127) / 255
                    for (int c = 0; c < 3; ++c)
                        dst[c] = uint8_t((src[c] * a + dst[c] * (255 - a) + 127) / 255);
                } else {
                    dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
                }
            }
        }
    }
}

void FillArea(Bitmap& out, const Region& area, COLORREF color) {
    const uint8_t px[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    for (const RECT& r : area.Rects())
        for (int y = r.top; y < r.bottom; ++y) {
            uint8_t* d = out.ScanLine(y) + 3 * r.left;
            for (int x = r.left; x < r.right; ++x, d += 3) d[0] = px[0], d[1] = px[1], d[2] = px[2];
        }
}

HWND ChildAt(HWND parent, POINT inParentClient, const std::vector<HWND>& skip) {
    WindowObject* p = WindowOf(parent);
    for (HWND c : p->children) {
        WindowObject* cw = WindowOf(c);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        if (std::find(skip.begin(), skip.end(), c) != skip.end()) continue;
        if (!PtInRect(cw->rect, inParentClient)) continue;
        if (cw->windowRegion && !cw->windowRegion->Contains(inParentClient.x - cw->rect.left,
                                                            inParentClient.y - cw->rect.top))
            continue;
        return c;
    }
    return nullptr;
}

} // namespace

void ComposeScreen(Bitmap& screen) {
    ComposeWindows(screen);
    ScreenOverlay::Instance().ApplyTo(screen);
}

void ComposeWindows(Bitmap& screen) {
    // Front to back, each window keeps only what opaque windows in front of it leave
    // visible, so every screen pixel is written once (twice under see-through windows).
    struct Layer {
        const WindowObject* w;
        Region area;
    };
    std::vector<Layer> layers;
    Region covered;
    for (HWND h : TopLevelZOrder()) {
        const WindowObject* w = WindowOf(h);
        if (!w || !w->surface || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) continue;
        Region shape = ScreenShape(*w, POINT{w->rect.left, w->rect.top}, screen);
        Region visible;
        visible.Combine(shape, covered, RGN_DIFF);
        if (visible.IsEmpty()) continue;
        if (Opaque(*w)) covered.Combine(covered, shape, RGN_OR);
        layers.push_back({w, std::move(visible)});
    }
    Region desktop;
    desktop.Combine(Region(Rect(0, 0, screen.Width(), screen.Height())), covered, RGN_DIFF);
    FillArea(screen, desktop, GetSysColor(COLOR_BACKGROUND));
    for (auto it = layers.rbegin(); it != layers.rend(); ++it)
        BlitTopLevel(*it->w, screen, POINT{it->w->rect.left, it->w->rect.top}, it->area);
}

void ComposeWindow(HWND topLevel, Bitmap& out) {
    WindowObject* w = WindowOf(topLevel);
    if (!w || !w->surface) return;
    out = Bitmap(WidthOf(w->rect), HeightOf(w->rect), 24, true);
    BlitTopLevel(*w, out, POINT{0, 0}, ScreenShape(*w, POINT{0, 0}, out));
}

HWND WindowFromPoint(POINT screen) { return WindowFromPointExcept(screen, {}); }

HWND WindowFromPointExcept(POINT screen, const std::vector<HWND>& skip) {
    for (HWND top : TopLevelZOrder()) {
        if (std::find(skip.begin(), skip.end(), top) != skip.end()) continue;
        WindowObject* w = WindowOf(top);
        if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) ||
            !PtInRect(w->rect, screen))
            continue;
        const POINT inWindow{screen.x - w->rect.left, screen.y - w->rect.top};
        if (w->windowRegion && !w->windowRegion->Contains(inWindow.x, inWindow.y)) continue;
        if (KeyedOut(*w, inWindow)) continue; // see-through and click-through
        HWND found = top;
        for (;;) {
            WindowObject* fw = WindowOf(found);
            POINT inClient{screen.x, screen.y};
            ScreenToClient(found, &inClient);
            if (!PtInRect(Rect(0, 0, WidthOf(fw->client), HeightOf(fw->client)), inClient)) break;
            HWND child = ChildAt(found, inClient, skip);
            if (!child || !IsWindowEnabled(child)) break;
            found = child;
        }
        return found;
    }
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint) {
    WindowObject* p = WindowOf(parent);
    if (!p) return nullptr;
    if (!PtInRect(Rect(0, 0, WidthOf(p->client), HeightOf(p->client)), clientPoint)) return nullptr;
    HWND child = ChildAt(parent, clientPoint, {});
    return child ? child : parent;
}

void RecalcClientRect(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return;
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = w->rect;
    SendMessage(hwnd, WM_NCCALCSIZE, 1, LPARAM(&params));
    if (!(w = WindowOf(hwnd))) return;
    RECT c = OffsetRect(params.rgrc[0], -w->rect.left, -w->rect.top);
    // Keep the client area inside the window and never inverted.
    c.left = std::clamp<LONG>(c.left, 0, WidthOf(w->rect));
    c.top = std::clamp<LONG>(c.top, 0, HeightOf(w->rect));
    c.right = std::clamp<LONG>(c.right, c.left, WidthOf(w->rect));
    c.bottom = std::clamp<LONG>(c.bottom, c.top, HeightOf(w->rect));
    w->client = c;
}
