// Block transfers (PatBlt, BitBlt, StretchBlt) and gradient fills.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiRaster.h"

namespace {

// A ternary raster operation's byte (bits 16..23 of the code) is its truth table: bit
// (4p + 2s + d) is the result for pattern bit p, source bit s and destination bit d.
constexpr unsigned RopByte(DWORD rop) { return (rop >> 16) & 0xFF; }
bool UsesSource(unsigned code) { return ((code >> 2) ^ code) & 0x33; }
bool UsesPattern(unsigned code) { return ((code >> 4) ^ code) & 0x0F; }

// Byte-wise row operations: d[i] = f(p[i], s[i], d[i]) over n bytes. The named operations
// have loops of their own that the compiler vectorises; any other code is evaluated from its
// truth table.
using RowFn = void (*)(uint8_t* d, const uint8_t* s, const uint8_t* p, size_t n, unsigned code);

template <typename F>
void Bytewise(uint8_t* d, const uint8_t* s, const uint8_t* p, size_t n, F f) {
    for (size_t i = 0; i < n; ++i) d[i] = f(p[i], s[i], d[i]);
}

void RowGeneric(uint8_t* d, const uint8_t* s, const uint8_t* p, size_t n, unsigned code) {
    Bytewise(d, s, p, n, [code](uint8_t pv, uint8_t sv, uint8_t dv) {
        uint8_t r = 0;
        for (unsigned m = 0; m < 8; ++m)
            if (code >> m & 1)
                r |= uint8_t((m & 4 ? pv : ~pv) & (m & 2 ? sv : ~sv) & (m & 1 ? dv : ~dv));
        return r;
    });
}

template <typename F>
RowFn Row() {
    return [](uint8_t* d, const uint8_t* s, const uint8_t* p, size_t n, unsigned) {
        Bytewise(d, s, p, n, F{});
    };
}
struct SrcCopy {
    uint8_t operator()(uint8_t, uint8_t s, uint8_t) const { return s; }
};
struct SrcPaint {
    uint8_t operator()(uint8_t, uint8_t s, uint8_t d) const { return s | d; }
};
struct SrcAnd {
    uint8_t operator()(uint8_t, uint8_t s, uint8_t d) const { return s & d; }
};
struct SrcInvert {
    uint8_t operator()(uint8_t, uint8_t s, uint8_t d) const { return s ^ d; }
};
struct NotSrcCopy {
    uint8_t operator()(uint8_t, uint8_t s, uint8_t) const { return uint8_t(~s); }
};

RowFn RowFor(unsigned code) {
    switch (code) {
    case RopByte(SRCCOPY): return Row<SrcCopy>();
    case RopByte(SRCPAINT): return Row<SrcPaint>();
    case RopByte(SRCAND): return Row<SrcAnd>();
    case RopByte(SRCINVERT): return Row<SrcInvert>();
    case RopByte(NOTSRCCOPY): return Row<NotSrcCopy>();
    default: return RowGeneric;
    }
}

// Brings n source pixels into the destination's format: 32 -> 24 drops alpha, 24 -> 32
// writes alpha 0 (a 24-bit picture carries no opacity, and 0 is what every other opaque
// drawing call writes to a 32-bit surface).
template <int SB, int DB>
void ConvertRow(const uint8_t* s, uint8_t* d, int n) {
    for (int i = 0; i < n; ++i, s += SB, d += DB) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        if constexpr (DB == 4) d[3] = SB == 4 ? s[3] : 0;
    }
}
using ConvertFn = void (*)(const uint8_t*, uint8_t*, int);
ConvertFn ConverterFor(int sourceBpp, int destBpp) {
    if (sourceBpp == destBpp) return nullptr;
    return sourceBpp == 4 ? ConvertRow<4, 3> : ConvertRow<3, 4>;
}

// Gathers pixels cols[0..n) of a source row into destination format.
template <int SB, int DB>
void GatherRow(const uint8_t* row, const int* cols, uint8_t* d, int n) {
    for (int i = 0; i < n; ++i, d += DB) {
        const uint8_t* s = row + size_t(cols[i]) * SB;
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        if constexpr (DB == 4) d[3] = SB == 4 ? s[3] : 0;
    }
}
using GatherFn = void (*)(const uint8_t*, const int*, uint8_t*, int);
GatherFn GathererFor(int sourceBpp, int destBpp) {
    if (sourceBpp == 3) return destBpp == 3 ? GatherRow<3, 3> : GatherRow<3, 4>;
    return destBpp == 3 ? GatherRow<4, 3> : GatherRow<4, 4>;
}

// The pattern as a row of bytes in the destination's format (alpha 0), long enough for
// `width` pixels. Empty when the operation reads no pattern.
bool PatternRow(const DeviceContext& dc, unsigned code, int width, int bpp,
                std::vector<uint8_t>& row) {
    if (!UsesPattern(code)) {
        row.assign(size_t(width) * size_t(bpp), 0);
        return true;
    }
    const LOGBRUSH brush = dc.SelectedBrush();
    if (brush.lbStyle == BS_NULL) return false; // a hollow pattern paints nothing
    const uint8_t bytes[4] = {GetBValue(brush.lbColor), GetGValue(brush.lbColor),
                              GetRValue(brush.lbColor), 0};
    row.resize(size_t(width) * size_t(bpp));
    for (size_t i = 0; i < row.size(); i += size_t(bpp))
        std::memcpy(row.data() + i, bytes, size_t(bpp));
    return true;
}

RECT SurfaceBounds(const Bitmap& b) { return RECT{0, 0, b.Width(), b.Height()}; }

// A copy of part of a bitmap, for transfers whose source and destination share a surface.
Bitmap CopyOf(const Bitmap& b, const RECT& part) {
    Bitmap copy(WidthOf(part), HeightOf(part), b.BitsPerPixel(), b.TopDown());
    const size_t bytes = size_t(WidthOf(part)) * size_t(b.BytesPerPixel());
    for (LONG y = part.top; y < part.bottom; ++y)
        std::memcpy(copy.ScanLine(y - part.top), b.ScanLine(y) + part.left * b.BytesPerPixel(),
                    bytes);
    return copy;
}

RECT Normalized(LONG x, LONG y, LONG width, LONG height) {
    return RECT{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width),
                std::max(y, y + height)};
}

// The nearest-neighbour map of a stretched axis: destination pixel i (0 <= i < dstSize)
// takes source pixel floor((2i + 1) * srcSize / (2 * dstSize)), the source pixel under the
// destination pixel's centre; mirrored, srcSize - 1 minus that. Returns the map for
// destination pixels [from, to) in source coordinates (srcStart added).
std::vector<int> AxisMap(int64_t from, int64_t to, int64_t dstSize, int64_t srcSize, bool mirror,
                         int64_t srcStart) {
    std::vector<int> map;
    map.reserve(size_t(std::max<int64_t>(to - from, 0)));
    for (int64_t i = from; i < to; ++i) {
        int64_t j = ((2 * i + 1) * srcSize) / (2 * dstSize);
        if (mirror) j = srcSize - 1 - j;
        map.push_back(int(srcStart + j));
    }
    return map;
}

// Shrinks [lo, hi) (indices into map, offset by base) to the entries inside [0, limit). The
// map is monotonic, so those entries are contiguous.
void KeepInside(const std::vector<int>& map, LONG base, int limit, LONG& lo, LONG& hi) {
    while (lo < hi && (map[size_t(lo - base)] < 0 || map[size_t(lo - base)] >= limit)) ++lo;
    while (hi > lo && (map[size_t(hi - 1 - base)] < 0 || map[size_t(hi - 1 - base)] >= limit)) --hi;
}

} // namespace

bool PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* context = DCOf(dc);
    const unsigned code = RopByte(rop);
    if (!context || UsesSource(code)) return false;
    COLORREF pattern = 0;
    if (UsesPattern(code)) {
        const LOGBRUSH brush = context->SelectedBrush();
        if (brush.lbStyle == BS_NULL) return true; // a hollow pattern paints nothing
        pattern = brush.lbColor;
    }
    SolidOp op = SolidOp::FromPatternRop(rop, pattern);
    PaintRect(TargetOf(*context), context->ToDevice(Normalized(x, y, width, height)), op);
    return true;
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    DeviceContext* d = DCOf(dst);
    const unsigned code = RopByte(rop);
    if (!d) return false;
    if (!UsesSource(code)) return PatBlt(dst, x, y, width, height, rop);
    const DeviceContext* s = DCOf(src);
    if (!s) return false;
    if (width <= 0 || height <= 0) return true;

    const DrawTarget target = TargetOf(*d);
    if (target.Empty() || !s->surface || s->surface->Empty()) return true;
    const RECT wanted = target.ToSurface(d->ToDevice(RECT{x, y, x + width, y + height}));
    const POINT from = s->ToDevice(POINT{srcX, srcY});
    // Source pixel of destination surface pixel (x, y): (x + ox, y + oy).
    LONG ox = from.x + s->surfaceOrigin.x - wanted.left;
    LONG oy = from.y + s->surfaceOrigin.y - wanted.top;
    const Bitmap* source = s->surface.get();
    RECT valid;
    if (!IntersectRect(valid, wanted, OffsetRect(SurfaceBounds(*source), -ox, -oy))) return true;

    // Within one surface the source may overlap what is written; copy it first.
    Bitmap copy;
    if (source == target.bitmap) {
        const RECT part = OffsetRect(valid, ox, oy);
        copy = CopyOf(*source, part);
        source = &copy;
        ox -= part.left;
        oy -= part.top;
    }

    Bitmap& dest = *target.bitmap;
    const int db = dest.BytesPerPixel(), sb = source->BytesPerPixel();
    std::vector<uint8_t> pattern, converted;
    if (!PatternRow(*d, code, WidthOf(valid), db, pattern)) return true;
    const ConvertFn convert = ConverterFor(sb, db);
    if (convert) converted.resize(size_t(WidthOf(valid)) * size_t(db));
    const bool plainCopy = code == RopByte(SRCCOPY) && !convert;
    const RowFn op = RowFor(code);

    for (const RECT& clip : target.clip) {
        RECT r;
        if (!IntersectRect(r, valid, clip)) continue;
        const int n = WidthOf(r);
        const size_t bytes = size_t(n) * size_t(db);
        uint8_t* dRow = dest.ScanLine(r.top) + r.left * db;
        const uint8_t* sRow = source->ScanLine(r.top + oy) + (r.left + ox) * sb;
        for (LONG row = r.top; row < r.bottom;
             ++row, dRow += dest.RowDelta(), sRow += source->RowDelta()) {
            if (plainCopy) {
                std::memcpy(dRow, sRow, bytes);
                continue;
            }
            const uint8_t* in = sRow;
            if (convert) {
                convert(sRow, converted.data(), n);
                in = converted.data();
            }
            op(dRow, in, pattern.data(), bytes, code);
        }
    }
    return true;
}

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop) {
    DeviceContext* d = DCOf(dst);
    const unsigned code = RopByte(rop);
    if (!d) return false;
    if (!UsesSource(code)) return PatBlt(dst, x, y, width, height, rop);
    const DeviceContext* s = DCOf(src);
    if (!s) return false;
    if (width > 0 && height > 0 && width == srcWidth && height == srcHeight)
        return BitBlt(dst, x, y, width, height, src, srcX, srcY, rop);
    if (width == 0 || height == 0) return true;
    if (srcWidth == 0 || srcHeight == 0) return false;

    const DrawTarget target = TargetOf(*d);
    if (target.Empty() || !s->surface || s->surface->Empty()) return true;
    // Negative sizes extend left or up from (x, y), half-open like every rectangle; a sign
    // that differs between source and destination mirrors that axis.
    const RECT wanted = target.ToSurface(d->ToDevice(Normalized(x, y, width, height)));
    RECT from = Normalized(srcX, srcY, srcWidth, srcHeight);
    from = OffsetRect(s->ToDevice(from), s->surfaceOrigin.x, s->surfaceOrigin.y);
    const bool mirrorX = (width < 0) != (srcWidth < 0), mirrorY = (height < 0) != (srcHeight < 0);

    RECT box = target.clip.front(), visible;
    for (const RECT& r : target.clip) UnionRect(box, box, r);
    if (!IntersectRect(visible, wanted, box)) return true;
    const Bitmap* source = s->surface.get();
    std::vector<int> cols = AxisMap(visible.left - wanted.left, visible.right - wanted.left,
                                    WidthOf(wanted), WidthOf(from), mirrorX, from.left);
    std::vector<int> rows = AxisMap(visible.top - wanted.top, visible.bottom - wanted.top,
                                    HeightOf(wanted), HeightOf(from), mirrorY, from.top);
    // Destination pixels whose source pixel lies off the source surface are left alone.
    RECT valid = visible;
    KeepInside(cols, visible.left, source->Width(), valid.left, valid.right);
    KeepInside(rows, visible.top, source->Height(), valid.top, valid.bottom);
    if (IsRectEmpty(valid)) return true;

    Bitmap copy;
    if (source == target.bitmap) {
        const auto [cx1, cx2] = std::minmax(cols[size_t(valid.left - visible.left)],
                                            cols[size_t(valid.right - 1 - visible.left)]);
        const auto [cy1, cy2] = std::minmax(rows[size_t(valid.top - visible.top)],
                                            rows[size_t(valid.bottom - 1 - visible.top)]);
        const RECT part{cx1, cy1, cx2 + 1, cy2 + 1};
        copy = CopyOf(*source, part);
        source = &copy;
        for (int& c : cols) c -= part.left;
        for (int& r : rows) r -= part.top;
    }

    Bitmap& dest = *target.bitmap;
    const int db = dest.BytesPerPixel(), sb = source->BytesPerPixel();
    std::vector<uint8_t> pattern, gathered(size_t(WidthOf(valid)) * size_t(db));
    if (!PatternRow(*d, code, WidthOf(valid), db, pattern)) return true;
    const GatherFn gather = GathererFor(sb, db);
    const bool plainCopy = code == RopByte(SRCCOPY);
    const RowFn op = RowFor(code);

    for (const RECT& clip : target.clip) {
        RECT r;
        if (!IntersectRect(r, valid, clip)) continue;
        const int n = WidthOf(r);
        const int* colMap = cols.data() + (r.left - visible.left);
        uint8_t* dRow = dest.ScanLine(r.top) + r.left * db;
        for (LONG row = r.top; row < r.bottom; ++row, dRow += dest.RowDelta()) {
            const uint8_t* sRow = source->ScanLine(rows[size_t(row - visible.top)]);
            if (plainCopy) {
                gather(sRow, colMap, dRow, n);
                continue;
            }
            gather(sRow, colMap, gathered.data(), n);
            op(dRow, gathered.data(), pattern.data(), size_t(n) * size_t(db), code);
        }
    }
    return true;
}

bool GradientFill(HDC dc, const TRIVERTEX* vertices, ULONG nVertex, const void* mesh, ULONG nMesh,
                  ULONG mode) {
    DeviceContext* context = DCOf(dc);
    if (!context || (nMesh > 0 && !mesh) || (nVertex > 0 && !vertices)) return false;
    std::vector<TRIVERTEX> points;
    std::vector<GRADIENT_TRIANGLE> triangles;
    if (mode == GRADIENT_FILL_TRIANGLE) {
        points.assign(vertices, vertices + nVertex);
        const auto* t = static_cast<const GRADIENT_TRIANGLE*>(mesh);
        triangles.assign(t, t + nMesh);
    } else if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
        // Each rectangle is two triangles whose corner colours make the colour linear along
        // one axis; the triangle fill then covers exactly the half-open rectangle.
        const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
        for (ULONG k = 0; k < nMesh; ++k) {
            if (rects[k].UpperLeft >= nVertex || rects[k].LowerRight >= nVertex) return false;
            const TRIVERTEX& a = vertices[rects[k].UpperLeft];
            const TRIVERTEX& b = vertices[rects[k].LowerRight];
            const bool horizontal = mode == GRADIENT_FILL_RECT_H;
            auto corner = [](LONG x, LONG y, const TRIVERTEX& colour) {
                TRIVERTEX v = colour;
                v.x = x;
                v.y = y;
                return v;
            };
            const ULONG base = ULONG(points.size());
            points.push_back(corner(a.x, a.y, a));
            points.push_back(corner(b.x, a.y, horizontal ? b : a));
            points.push_back(corner(b.x, b.y, b));
            points.push_back(corner(a.x, b.y, horizontal ? a : b));
            triangles.push_back(GRADIENT_TRIANGLE{base, base + 1, base + 2});
            triangles.push_back(GRADIENT_TRIANGLE{base, base + 2, base + 3});
        }
    } else {
        return false;
    }

    // To surface coordinates; a vertex pushed out of the accepted range fails like one given
    // out of range.
    const POINT shift = context->ToDevice(POINT{0, 0});
    for (TRIVERTEX& v : points) {
        const int64_t px = int64_t(v.x) + shift.x + context->surfaceOrigin.x;
        const int64_t py = int64_t(v.y) + shift.y + context->surfaceOrigin.y;
        if (std::llabs(px) > kMaxGradientCoord || std::llabs(py) > kMaxGradientCoord) return false;
        v.x = LONG(px);
        v.y = LONG(py);
    }
    const DrawTarget target = TargetOf(*context);
    const ULONG count = ULONG(points.size()), nTriangles = ULONG(triangles.size());
    if (target.Empty()) {
        // Nothing is drawable, but a bad mesh still fails: check it against an empty clip.
        Bitmap none;
        const RECT empty{};
        return GradientFillTriangles(none, points.data(), count, triangles.data(), nTriangles,
                                     &empty);
    }
    for (const RECT& clip : target.clip)
        if (!GradientFillTriangles(*target.bitmap, points.data(), count, triangles.data(),
                                   nTriangles, &clip))
            return false;
    return true;
}

bool DrawBitmapScaled(HDC dc, const Bitmap& picture, const RECT& dest) {
    DeviceContext* context = DCOf(dc);
    if (!context || !context->surface || picture.Empty() || IsRectEmpty(dest)) return false;
    Bitmap& surface = *context->surface;
    const RECT device = context->ToDevice(dest);
    const RECT wanted = OffsetRect(device, context->surfaceOrigin.x, context->surfaceOrigin.y);
    const int w = WidthOf(wanted), h = HeightOf(wanted);
    const int sb = picture.BytesPerPixel(), db = surface.BytesPerPixel();
    for (const RECT& clip : context->SurfaceClipRects()) {
        RECT r;
        if (!IntersectRect(r, wanted, clip)) continue;
        for (LONG y = r.top; y < r.bottom; ++y) {
            const int sy =
                int(((2 * int64_t(y - wanted.top) + 1) * picture.Height()) / (2 * int64_t(h)));
            const uint8_t* srcRow = picture.ScanLine(sy);
            uint8_t* d = surface.ScanLine(y) + r.left * db;
            for (LONG x = r.left; x < r.right; ++x, d += db) {
                const int sx =
                    int(((2 * int64_t(x - wanted.left) + 1) * picture.Width()) / (2 * int64_t(w)));
                const uint8_t* s = srcRow + sx * sb;
                const unsigned a = sb == 4 ? s[3] : 255;
                for (int c = 0; c < 3; ++c)
                    d[c] = uint8_t((s[c] * a + d[c] * (255 - a) + 127) / 255);
                if (db == 4) d[3] = 255;
            }
        }
    }
    return true;
}
