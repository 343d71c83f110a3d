#include "paint/sMaskData.h"

#include <algorithm>
#include <cstdint>

#include "graphics/qvFast24.h"
#include "graphics/qvFast32.h"
#include "paint/sBitmapDC.h"
#include "platform/gdi/Gdi.h"
#include "skin/sSkinManager.h"

namespace {

// Coordinates this far out meet no bitmap (sides are at most Bitmap::kMaxSide); refusing them
// keeps every sum below in range of 32 bits.
constexpr LONG kFar = 1 << 24;
constexpr RECT kNothingLeft{-1, -1, -1, -1};

bool Near(LONG v) { return v > -kFar && v < kFar; }
bool Sane(const RECT& r) { return Near(r.left) && Near(r.top) && Near(r.right) && Near(r.bottom); }
bool Sane(POINT p) { return Near(p.x) && Near(p.y); }

RECT Bounds(const Bitmap& b) { return RECT{0, 0, b.Width(), b.Height()}; }

// The entry's own bitmap, else its manager's master bitmap; null when there is neither.
const Bitmap* SourceOf(const TsMaskData& md) {
    if (!md.Manager) return nullptr;
    const Bitmap* src = md.Bmp ? md.Bmp.get() : md.Manager->MasterBitmap.get();
    return src && !src->Empty() ? src : nullptr;
}

struct FrameGeometry {
    int FW = 0;         // width of one state frame
    int FH = 0;         // height of the image rows
    int MaskOffset = 0; // rows from an image pixel down to its mask pixel
    bool Masked = false;
};

// False for entries that paint nothing: no manager, no frames, an empty or absurd rectangle.
// Any MaskType above 0 means the one mask layout there is; a negative one means none.
bool FrameOf(const TsMaskData& md, FrameGeometry& g) {
    if (!md.Manager || md.ImageCount < 1 || !Sane(md.R)) return false;
    const int w = WidthOf(md.R), h = HeightOf(md.R);
    if (w <= 0 || h <= 0) return false;
    g.Masked = md.MaskType > 0;
    g.FW = w / md.ImageCount;
    g.FH = g.Masked ? h / 2 : h;
    g.MaskOffset = h / 2;
    return g.FW > 0 && g.FH > 0;
}

int FrameLeft(const TsMaskData& md, const FrameGeometry& g, int state) {
    return md.R.left + g.FW * std::clamp(state, 0, md.ImageCount - 1);
}

// Margins too wide for the size lose the excess evenly; the second one takes the odd pixel.
void ShrinkMargins(int& first, int& second, int size) {
    first = std::max(first, 0);
    second = std::max(second, 0);
    if (first + second <= size) return;
    const int excess = first + second - size;
    first = std::max(first - excess / 2, 0);
    second = std::max(second - (excess - excess / 2), 0);
    first = std::min(first, size);
    second = std::min(second, size - first);
}

bool Meets(const RECT& a, const RECT& b) {
    RECT r;
    return IntersectRect(r, a, b);
}

// The first and one-past-last tile index along one axis whose tile [start + k*step, +step)
// meets [lo, hi), for tiles starting at `start` and cut at `end`.
void TileRange(int start, int end, int step, int lo, int hi, int& first, int& last) {
    const int count = end > start ? (end - start + step - 1) / step : 0;
    first = lo > start ? (lo - start) / step : 0;
    last = hi > start ? std::min(count, (hi - start + step - 1) / step) : 0;
}

// Repeats `slice` over `area` from its top-left corner, cutting the last column and row;
// only tiles that meet `clip` are made.
void AddTiles(std::vector<TsSlicePiece>& out, const RECT& slice, const RECT& area, TsSliceKind kind,
              const RECT& clip) {
    const int sw = WidthOf(slice), sh = HeightOf(slice);
    if (sw <= 0 || sh <= 0 || IsRectEmpty(area)) return;
    int c0, c1, r0, r1;
    TileRange(area.left, area.right, sw, clip.left, clip.right, c0, c1);
    TileRange(area.top, area.bottom, sh, clip.top, clip.bottom, r0, r1);
    for (int r = r0; r < r1; ++r)
        for (int c = c0; c < c1; ++c) {
            const int x = area.left + c * sw, y = area.top + r * sh;
            const int w = std::min(sw, int(area.right) - x), h = std::min(sh, int(area.bottom) - y);
            out.push_back({RECT{slice.left, slice.top, slice.left + w, slice.top + h},
                           RECT{x, y, x + w, y + h}, kind});
        }
}

void AddSlice(std::vector<TsSlicePiece>& out, const RECT& slice, const RECT& area, TsSliceKind kind,
              bool stretch, const RECT& clip) {
    if (IsRectEmpty(slice) || IsRectEmpty(area)) return;
    if (kind == skCorner || stretch) {
        if (Meets(area, clip)) out.push_back({slice, area, kind});
    } else {
        AddTiles(out, slice, area, kind, clip);
    }
}

// ---- Masked pixels

enum class KeyMode {
    MaskAll,  // key pixels get the mask formula like the others
    Leave,    // key pixels leave the destination as it is
    AsIs,     // key pixels are written as KeyColor, for a later corner repair
    ToColor,  // key pixels take ParentFillColor
    ToParent, // key pixels take the parent's pixel (left alone outside the parent)
};

bool IsKey(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF; }

uint8_t Clamp255(int v) { return uint8_t(std::clamp(v, 0, 255)); }

// Where key pixels come from while a block is copied.
struct KeySource {
    KeyMode Mode = KeyMode::MaskAll;
    uint8_t Fill[3] = {0, 0, 0}; // blue, green, red of ParentFillColor
    TqvFast24 Parent24;
    TqvFast32 Parent32;
    int ParentBytes = 0; // 3 or 4 when the parent is read
    int ParentX = 0, ParentY = 0;
};

void SetFill(KeySource& k, TColor color) {
    const COLORREF c = ColorToRGB(color);
    k.Fill[0] = uint8_t(c >> 16);
    k.Fill[1] = uint8_t(c >> 8);
    k.Fill[2] = uint8_t(c);
}

// Attaches the parent's bitmap; false when it is not usable or cannot be read.
bool AttachParent(KeySource& k, const ParentCacheInfo& parent) {
    if (!parent.Usable || !parent.Bitmap) return false;
    if (k.Parent24.Attach(*parent.Bitmap))
        k.ParentBytes = 3;
    else if (k.Parent32.Attach(*parent.Bitmap))
        k.ParentBytes = 4;
    else
        return false;
    // Offsets this far out reach no pixel; limiting them keeps the sums below in range.
    k.ParentX = std::clamp(parent.X, -kFar, kFar);
    k.ParentY = std::clamp(parent.Y, -kFar, kFar);
    return true;
}

int ParentWidth(const KeySource& k) {
    return k.ParentBytes == 3 ? k.Parent24.Width : k.Parent32.Width;
}
int ParentHeight(const KeySource& k) {
    return k.ParentBytes == 3 ? k.Parent24.Height : k.Parent32.Height;
}
const uint8_t* ParentRow(const KeySource& k, int y) {
    return k.ParentBytes == 3 ? k.Parent24.Row(y) : k.Parent32.Row(y);
}

// One row of a masked copy of w pixels; dx, dy is the row's destination start, for the
// parent look-up. Per channel: clamp(((d - i)*m + i*256) >> 8), where `faded` lets 100/256
// more of the destination through (m raised by 100, at most 255).
template <KeyMode Mode, bool Faded>
void MaskRow(uint8_t* d, const uint8_t* s, const uint8_t* m, int w, const KeySource& k, int dx,
             int dy) {
    const uint8_t* parentRow = nullptr;
    int px = 0, pw = 0;
    if constexpr (Mode == KeyMode::ToParent) {
        const int py = k.ParentY + dy;
        if (py >= 0 && py < ParentHeight(k)) {
            parentRow = ParentRow(k, py);
            px = k.ParentX + dx;
            pw = ParentWidth(k);
        }
    }
    for (int x = 0; x < w; ++x, d += 3, s += 3, m += 3) {
        if constexpr (Mode != KeyMode::MaskAll) {
            if (IsKey(s)) {
                if constexpr (Mode == KeyMode::AsIs) {
                    d[0] = s[0], d[1] = s[1], d[2] = s[2];
                } else if constexpr (Mode == KeyMode::ToColor) {
                    d[0] = k.Fill[0], d[1] = k.Fill[1], d[2] = k.Fill[2];
                } else if constexpr (Mode == KeyMode::ToParent) {
                    if (parentRow && px + x >= 0 && px + x < pw) {
                        const uint8_t* p = parentRow + size_t(px + x) * size_t(k.ParentBytes);
                        d[0] = p[0], d[1] = p[1], d[2] = p[2];
                    }
                }
                continue;
            }
        }
        for (int c = 0; c < 3; ++c) {
            const int mv = Faded ? std::min(m[c] + 100, 255) : m[c];
            d[c] = Clamp255(((d[c] - s[c]) * mv + s[c] * 256) >> 8);
        }
    }
}

template <bool Faded>
void MaskRowFor(KeyMode mode, uint8_t* d, const uint8_t* s, const uint8_t* m, int w,
                const KeySource& k, int dx, int dy) {
    switch (mode) {
    case KeyMode::MaskAll: return MaskRow<KeyMode::MaskAll, Faded>(d, s, m, w, k, dx, dy);
    case KeyMode::Leave: return MaskRow<KeyMode::Leave, Faded>(d, s, m, w, k, dx, dy);
    case KeyMode::AsIs: return MaskRow<KeyMode::AsIs, Faded>(d, s, m, w, k, dx, dy);
    case KeyMode::ToColor: return MaskRow<KeyMode::ToColor, Faded>(d, s, m, w, k, dx, dy);
    case KeyMode::ToParent: return MaskRow<KeyMode::ToParent, Faded>(d, s, m, w, k, dx, dy);
    }
}

// Copies a w x h block from (sx, sy) of src, its mask maskOffset rows lower, to (dx, dy) of
// dst. Negative starts move both sides together; the block is cut to both bitmaps and to the
// source rows that have a mask row.
void MaskedBlock(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, int w, int h,
                 int maskOffset, const KeySource& k, bool faded) {
    if (dst.BitsPerPixel() != 24 || src.BitsPerPixel() != 24 || maskOffset < 1) return;
    if (dx < 0) w += dx, sx -= dx, dx = 0;
    if (sx < 0) w += sx, dx -= sx, sx = 0;
    if (dy < 0) h += dy, sy -= dy, dy = 0;
    if (sy < 0) h += sy, dy -= sy, sy = 0;
    w = std::min({w, dst.Width() - dx, src.Width() - sx});
    h = std::min({h, dst.Height() - dy, src.Height() - maskOffset - sy});
    if (w <= 0 || h <= 0) return;
    for (int row = 0; row < h; ++row) {
        uint8_t* d = dst.ScanLine(dy + row) + size_t(dx) * 3;
        const uint8_t* s = src.ScanLine(sy + row) + size_t(sx) * 3;
        const uint8_t* m = src.ScanLine(sy + maskOffset + row) + size_t(sx) * 3;
        if (faded)
            MaskRowFor<true>(k.Mode, d, s, m, w, k, dx, dy + row);
        else
            MaskRowFor<false>(k.Mode, d, s, m, w, k, dx, dy + row);
    }
}

// Key handling of masked textures: the parent's pixels when it is usable and no fill colour
// is set, else the fill colour when set, else the destination stays.
KeySource TextureKeys(const ParentCacheInfo& parent) {
    KeySource k;
    if (ParentFillColor == KeyColor && AttachParent(k, parent)) {
        k.Mode = KeyMode::ToParent;
    } else if (ParentFillColor != KeyColor) {
        k.Mode = KeyMode::ToColor;
        SetFill(k, ParentFillColor);
    } else {
        k.Mode = KeyMode::Leave;
    }
    return k;
}

// Fills area of dst from the parent's background at the same place, or with the fill colour;
// leaves it when there is neither.
void FillFromParent(Bitmap& dst, RECT area, const ParentCacheInfo& parent) {
    if (dst.BitsPerPixel() != 24 || !IntersectRect(area, area, Bounds(dst))) return;
    KeySource k;
    const bool fromParent = AttachParent(k, parent);
    if (!fromParent && ParentFillColor == KeyColor) return;
    SetFill(k, ParentFillColor);
    for (int y = area.top; y < area.bottom; ++y) {
        uint8_t* d = dst.ScanLine(y) + size_t(area.left) * 3;
        const int py = k.ParentY + y;
        const uint8_t* p =
            fromParent && py >= 0 && py < ParentHeight(k) ? ParentRow(k, py) : nullptr;
        for (int x = area.left; x < area.right; ++x, d += 3) {
            if (fromParent) {
                const int px = k.ParentX + x;
                if (!p || px < 0 || px >= ParentWidth(k)) continue;
                const uint8_t* q = p + size_t(px) * size_t(k.ParentBytes);
                d[0] = q[0], d[1] = q[1], d[2] = q[2];
            } else {
                d[0] = k.Fill[0], d[1] = k.Fill[1], d[2] = k.Fill[2];
            }
        }
    }
}

// ---- Block copies through the window system

// Tiles the texture rectangle `tex` of srcDC over area of dc from area's top-left, cutting
// the last column and row; only tiles inside the context's clip box are copied.
void TileBlocks(HDC dc, const RECT& area, HDC srcDC, const RECT& tex) {
    const int tw = WidthOf(tex), th = HeightOf(tex);
    if (!dc || !srcDC || tw <= 0 || th <= 0 || IsRectEmpty(area)) return;
    RECT box{};
    GetClipBox(dc, &box);
    int c0, c1, r0, r1;
    TileRange(area.left, area.right, tw, box.left, box.right, c0, c1);
    TileRange(area.top, area.bottom, th, box.top, box.bottom, r0, r1);
    for (int r = r0; r < r1; ++r)
        for (int c = c0; c < c1; ++c) {
            const int x = area.left + c * tw, y = area.top + r * th;
            BitBlt(dc, x, y, std::min(tw, int(area.right) - x), std::min(th, int(area.bottom) - y),
                   srcDC, tex.left, tex.top, SRCCOPY);
        }
}

void StretchBlock(HDC dc, const RECT& area, HDC srcDC, const RECT& src) {
    if (!dc || !srcDC || IsRectEmpty(area) || IsRectEmpty(src)) return;
    StretchBlt(dc, area.left, area.top, WidthOf(area), HeightOf(area), srcDC, src.left, src.top,
               WidthOf(src), HeightOf(src), SRCCOPY);
}

RECT Inclusive(const RECT& r) { return RECT{r.left, r.top, r.right - 1, r.bottom - 1}; }

} // namespace

std::vector<TsSlicePiece> NineSlicePieces(const TsMaskData& maskData, RECT rect, int state,
                                          bool stretch, bool center, RECT clip) {
    std::vector<TsSlicePiece> out;
    FrameGeometry g;
    if (!FrameOf(maskData, g) || !Sane(rect)) return out;
    const int w = WidthOf(rect), h = HeightOf(rect);
    if (w < 2 || h < 2) return out;
    int L = maskData.WL, Rr = maskData.WR, T = maskData.WT, B = maskData.WB;
    ShrinkMargins(L, Rr, w);
    ShrinkMargins(T, B, h);
    const int MW = std::max(g.FW - L - Rr, 0), MH = std::max(g.FH - T - B, 0);
    const int x0 = FrameLeft(maskData, g, state), y0 = maskData.R.top;
    const int xr = x0 + g.FW - Rr, yb = y0 + g.FH - B; // the right and bottom slices' starts
    const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;

    AddSlice(out, {x0, y0, x0 + L, y0 + T}, {l, t, l + L, t + T}, skCorner, false, clip);
    AddSlice(out, {x0, y0 + T, x0 + L, y0 + T + MH}, {l, t + T, l + L, b - B}, skEdge, stretch,
             clip);
    AddSlice(out, {x0 + L, y0, x0 + L + MW, y0 + T}, {l + L, t, r - Rr, t + T}, skEdge, stretch,
             clip);
    AddSlice(out, {x0, yb, x0 + L, yb + B}, {l, b - B, l + L, b}, skCorner, false, clip);
    AddSlice(out, {x0 + L, yb, x0 + L + MW, yb + B}, {l + L, b - B, r - Rr, b}, skEdge, stretch,
             clip);
    AddSlice(out, {xr, yb, xr + Rr, yb + B}, {r - Rr, b - B, r, b}, skCorner, false, clip);
    AddSlice(out, {xr, y0, xr + Rr, y0 + T}, {r - Rr, t, r, t + T}, skCorner, false, clip);
    AddSlice(out, {xr, y0 + T, xr + Rr, y0 + T + MH}, {r - Rr, t + T, r, b - B}, skEdge, stretch,
             clip);
    if (center)
        AddSlice(out, {x0 + L, y0 + T, x0 + L + MW, y0 + T + MH}, {l + L, t + T, r - Rr, b - B},
                 skCenter, stretch, clip);
    return out;
}

void PaintMaskBorders(Bitmap& bitmap, RECT rect, bool fillCenter, bool useParent, int state,
                      const TsMaskData& maskData, const ParentCacheInfo& parentCache) {
    const Bitmap* src = SourceOf(maskData);
    if (!src || bitmap.Empty()) return;
    const bool masked = maskData.MaskType > 0;
    const bool stretch = !masked && maskData.StretchMode != 0;
    // An unmasked border with a BorderWidth leaves its centre to the background layers.
    const bool center = fillCenter && (masked || maskData.BorderWidth == 0);
    const std::vector<TsSlicePiece> pieces =
        NineSlicePieces(maskData, rect, state, stretch, center, Bounds(bitmap));
    if (pieces.empty()) return;
    if (masked) {
        // The corners always consult the parent; edges and centre never do.
        const ParentCacheInfo none;
        for (const TsSlicePiece& p : pieces) {
            const bool corner = p.Kind == skCorner;
            CopyMaskedPiece(p.Dst, p.Src, bitmap, maskData, corner, corner ? parentCache : none,
                            *src);
        }
        return;
    }
    TsBitmapDC dstDC(bitmap), srcDC(*src);
    for (const TsSlicePiece& p : pieces) {
        if (p.Kind == skCorner)
            CopyKeyedOverParent(bitmap, *src, p.Dst.left, p.Dst.top, KeyColor, Inclusive(p.Src),
                                parentCache, useParent);
        else if (WidthOf(p.Src) == WidthOf(p.Dst) && HeightOf(p.Src) == HeightOf(p.Dst))
            BitBlt(dstDC.Handle(), p.Dst.left, p.Dst.top, WidthOf(p.Dst), HeightOf(p.Dst),
                   srcDC.Handle(), p.Src.left, p.Src.top, SRCCOPY);
        else
            StretchBlock(dstDC.Handle(), p.Dst, srcDC.Handle(), p.Src);
    }
}

void CopyMaskedPiece(RECT dstRect, RECT srcRect, Bitmap& bitmap, const TsMaskData& maskData,
                     bool useParent, const ParentCacheInfo& parentCache, const Bitmap& srcBitmap) {
    if (!maskData.Manager || !Sane(dstRect) || !Sane(srcRect) || !Sane(maskData.R)) return;
    KeySource k;
    if (!useParent) {
        k.Mode = KeyMode::MaskAll;
    } else if (AttachParent(k, parentCache)) {
        k.Mode = KeyMode::ToParent;
    } else if (ParentFillColor != KeyColor) {
        k.Mode = KeyMode::ToColor;
        SetFill(k, ParentFillColor);
    } else {
        k.Mode = KeyMode::AsIs;
    }
    const int w = std::min(WidthOf(dstRect), WidthOf(srcRect));
    const int h = std::min(HeightOf(dstRect), HeightOf(srcRect));
    MaskedBlock(bitmap, dstRect.left, dstRect.top, srcBitmap, srcRect.left, srcRect.top, w, h,
                HeightOf(maskData.R) / 2, k, false);
}

void PaintMaskImage(Bitmap& bitmap, POINT point, int state, const TsMaskData& maskData, int mode) {
    FrameGeometry g;
    const Bitmap* src = SourceOf(maskData);
    if (!src || !FrameOf(maskData, g) || !Sane(point)) return;
    int sx = FrameLeft(maskData, g, state), sy = maskData.R.top;
    int x = point.x, y = point.y, w = g.FW, h = g.FH;
    if (x < 0) sx -= x, w += x, x = 0;
    if (y < 0) sy -= y, h += y, y = 0;
    if (w <= 0 || h <= 0) return;
    const RECT srcRect{sx, sy, sx + w - 1, sy + h - 1};
    if (maskData.Bmp || g.Masked)
        CopyMaskedImage(RECT{x, y, x + w - 1, y + h - 1}, srcRect, bitmap, maskData, mode, *src);
    else if (mode == 1)
        CopyKeyedOverParent(bitmap, *src, x, y, KeyColor, srcRect, ParentCacheInfo{}, false);
    else
        BlendImageKeyed(bitmap, x, y, KeyColor, 0.5, srcRect, *src); // half image, half destination
}

void CopyMaskedImage(RECT dstRect, RECT srcRect, Bitmap& bitmap, const TsMaskData& maskData,
                     int mode, const Bitmap& srcBitmap) {
    if (!maskData.Manager || !Sane(dstRect) || !Sane(srcRect) || !Sane(maskData.R)) return;
    const bool masked = maskData.MaskType > 0;
    if (maskData.ImageCount < 1) {
        // Without a frame count the entry is one frame: never read past it.
        const int fh = masked ? HeightOf(maskData.R) / 2 : HeightOf(maskData.R);
        srcRect.right = std::min(srcRect.right, maskData.R.right - 1);
        srcRect.bottom = std::min(srcRect.bottom, maskData.R.top + fh - 1);
    }
    const int w = std::min(dstRect.right - dstRect.left, srcRect.right - srcRect.left) + 1;
    const int h = std::min(dstRect.bottom - dstRect.top, srcRect.bottom - srcRect.top) + 1;
    if (w <= 0 || h <= 0) return;
    if (!masked) {
        const RECT cut{srcRect.left, srcRect.top, srcRect.left + w - 1, srcRect.top + h - 1};
        CopyKeyedRect(bitmap, srcBitmap, dstRect.left, dstRect.top, KeyColor, cut);
        return;
    }
    KeySource k;
    k.Mode = KeyMode::Leave;
    MaskedBlock(bitmap, dstRect.left, dstRect.top, srcBitmap, srcRect.left, srcRect.top, w, h,
                HeightOf(maskData.R) / 2, k, mode != 1);
}

void PaintTexture(HDC canvas, RECT& rect, const Bitmap* image, int drawMode,
                  const TsMaskData& maskData) {
    if (image && !image->Empty()) {
        TileImage(canvas, rect, *image);
        rect = kNothingLeft;
        return;
    }
    const Bitmap* src = SourceOf(maskData);
    if (!src || maskData.ImageCount < 1 || !Sane(rect) || !Sane(maskData.R)) return;
    RECT tex = maskData.R;
    // A small picture texture has its own bitmap and no rectangle: it is the whole bitmap.
    if (maskData.Bmp && IsRectEmpty(tex)) tex = Bounds(*src);
    const int W = WidthOf(tex), H = HeightOf(tex);
    if (W <= 0 || H <= 0) return;
    TsBitmapDC srcDC(*src);
    const HDC s = srcDC.Handle();
    const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    RECT left = kNothingLeft;
    switch (drawMode) {
    case 0: TileBlocks(canvas, rect, s, tex); break;
    case 1: StretchBlock(canvas, rect, s, tex); break;
    case 2:
        TileBlocks(canvas, {l, t, r, std::min(b, t + H)}, s, tex);
        left = {l, t + H, r, b};
        break;
    case 3:
        TileBlocks(canvas, {l, t, std::min(r, l + W), b}, s, tex);
        left = {l + W, t, r, b};
        break;
    case 4: {
        const RECT band{l, t, r, std::min(b, t + H)};
        StretchBlock(canvas, band, s, {tex.left, tex.top, tex.right, tex.top + HeightOf(band)});
        left = {l, t + H, r, b};
        break;
    }
    case 5: {
        const RECT band{l, t, std::min(r, l + W), b};
        StretchBlock(canvas, band, s, {tex.left, tex.top, tex.left + WidthOf(band), tex.bottom});
        left = {l + W, t, r, b};
        break;
    }
    case 6:
        TileBlocks(canvas, {l, std::max(t, b - H), r, b}, s, tex);
        left = {l, t, r, b - H};
        break;
    case 7:
        TileBlocks(canvas, {std::max(l, r - W), t, r, b}, s, tex);
        left = {l, t, r - W, b};
        break;
    case 10:
        // Whole rows only: the strip below the last whole row stays unpainted.
        if (b - t >= H) TileBlocks(canvas, {l, t, r, t + (b - t) / H * H}, s, tex);
        break;
    default: {
        // Modes no skin uses: the right-edge band of mode 7, which is then left to the fill.
        const RECT band{std::max(l, r - W), t, r, b};
        TileBlocks(canvas, band, s, tex);
        left = band;
        break;
    }
    }
    rect = IsRectEmpty(left) ? kNothingLeft : left;
}

void PaintMaskedTexture(Bitmap& bitmap, RECT& rect, const ParentCacheInfo& parentCache,
                        int drawMode, const TsMaskData& maskData) {
    const RECT area = rect;
    rect = kNothingLeft;
    const Bitmap* src = SourceOf(maskData);
    if (!src || maskData.ImageCount < 1 || !Sane(area) || !Sane(maskData.R) || IsRectEmpty(area))
        return;
    const int fw = WidthOf(maskData.R) / maskData.ImageCount, hh = HeightOf(maskData.R) / 2;
    if (fw <= 0 || hh <= 0) return;
    const KeySource k = TextureKeys(parentCache);
    const int columns = WidthOf(area) / fw, rows = HeightOf(area) / hh;
    const int wholeRight = area.left + columns * fw, wholeBottom = area.top + rows * hh;
    const RECT clip = Bounds(bitmap);
    int c0, c1, r0, r1;
    TileRange(area.left, wholeRight, fw, clip.left, clip.right, c0, c1);
    TileRange(area.top, wholeBottom, hh, clip.top, clip.bottom, r0, r1);
    const int sx = maskData.R.left, sy = maskData.R.top;
    for (int row = r0; row < r1; ++row) {
        const int y = area.top + row * hh;
        for (int c = c0; c < c1; ++c)
            MaskedBlock(bitmap, area.left + c * fw, y, *src, sx, sy, fw, hh, hh, k, false);
        if (drawMode == 0 && wholeRight < area.right)
            MaskedBlock(bitmap, wholeRight, y, *src, sx, sy, area.right - wholeRight, hh, hh, k,
                        false);
    }
    if (drawMode == 10) {
        FillFromParent(bitmap, {wholeRight, area.top, area.right, area.bottom}, parentCache);
        FillFromParent(bitmap, {area.left, wholeBottom, wholeRight, area.bottom}, parentCache);
    }
}

void TileImage(HDC canvas, RECT rect, const Bitmap& image) {
    if (image.Empty() || !Sane(rect)) return;
    TsBitmapDC srcDC(image);
    TileBlocks(canvas, rect, srcDC.Handle(), Bounds(image));
}

void CornerRegionRects(TAOR& rects, int targetWidth, const TsMaskData& maskData, bool bottom,
                       int y) {
    FrameGeometry g;
    const Bitmap* src = SourceOf(maskData);
    if (!src || src->BitsPerPixel() != 24 || !FrameOf(maskData, g) || !Near(targetWidth) ||
        !Near(y))
        return;
    const int T = std::clamp(int(bottom ? maskData.WB : maskData.WT), 0, g.FH);
    const int wl = std::clamp(int(maskData.WL), 0, g.FW),
              wr = std::clamp(int(maskData.WR), 0, g.FW);
    // Appends the runs of key pixels among frame columns [from, to) of source row sy.
    auto runs = [&](int sy, int from, int to, int placeAt, int row) {
        int start = -1;
        for (int col = from; col <= to; ++col) {
            const int sx = maskData.R.left + col;
            const bool key = col < to && sx >= 0 && sx < src->Width() &&
                             IsKey(src->ScanLine(sy) + size_t(sx) * 3);
            if (key && start < 0) start = col;
            if (!key && start >= 0) {
                rects.push_back(RECT{placeAt + start, y + row, placeAt + col, y + row + 1});
                start = -1;
            }
        }
    };
    for (int row = 0; row < T; ++row) {
        const int sy = maskData.R.top + (bottom ? g.FH - T + row : row);
        if (sy < 0 || sy >= src->Height()) continue;
        runs(sy, 0, wl, 0, row);
        runs(sy, g.FW - wr, g.FW, targetWidth - g.FW, row);
    }
}
