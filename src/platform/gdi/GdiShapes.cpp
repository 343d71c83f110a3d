// Lines, shapes, rectangle and region fills, and single pixels.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FillRoundRect.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiRaster.h"

namespace {

// The pen as drawing uses it. Width 0 is one pixel; a wider pen is always solid (as Win32
// does with styled cosmetic pens), and its pixels are squares of its width centred on the
// line's pixels ([x - w/2, x - w/2 + w)).
struct PenInfo {
    bool null = false;
    int width = 1;
    int style = PS_SOLID;
    COLORREF color = 0;
};

PenInfo PenOf(const DeviceContext& dc) {
    const LOGPEN log = dc.SelectedPen();
    PenInfo pen;
    pen.null = log.lopnStyle == PS_NULL;
    pen.width = std::max<LONG>(1, log.lopnWidth.x);
    pen.style = pen.width > 1 ? PS_SOLID : int(log.lopnStyle);
    pen.color = log.lopnColor;
    return pen;
}

// The selected brush's colour, or none for a null brush.
std::optional<COLORREF> BrushColorOf(const DeviceContext& dc) {
    const LOGBRUSH log = dc.SelectedBrush();
    if (log.lbStyle == BS_NULL) return std::nullopt;
    return log.lbColor;
}

// A brush handle as FillRect takes it: a real brush or, as in Win32, a system colour index
// plus one. Fails for unknown handles; a null brush gives no colour.
bool ResolveBrush(HBRUSH brush, std::optional<COLORREF>& color) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= uintptr_t(COLOR_MENUBAR) + 1) {
        color = GetSysColor(int(value - 1));
        return true;
    }
    const GdiBrush* b = GdiLookupAs<GdiBrush>(brush);
    if (!b) return false;
    if (b->log.lbStyle == BS_NULL)
        color.reset();
    else
        color = b->log.lbColor;
    return true;
}

RECT Normalized(RECT r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

// The rows [top, bottom) of the target's clip in device coordinates (the clip is banded,
// so its first and last rectangles hold its top and bottom).
bool ClipRows(const DrawTarget& target, LONG& top, LONG& bottom) {
    if (target.Empty()) return false;
    top = target.clip.front().top - target.origin.y;
    bottom = target.clip.back().bottom - target.origin.y;
    return true;
}

// The device-coordinate bounding box of the target's clip, to bound per-pixel work on
// shapes and lines far larger than the surface.
bool ClipBox(const DrawTarget& target, RECT& box) {
    if (target.Empty()) return false;
    box = target.clip.front();
    for (const RECT& r : target.clip) UnionRect(box, box, r);
    box = OffsetRect(box, -target.origin.x, -target.origin.y);
    return true;
}

// Collects the pixels of a pen's path (device coordinates), continuing the style pattern
// from one segment to the next; off pixels of a styled pen go to `gaps`.
class PenPath {
  public:
    PenPath(const PenInfo& pen, const DrawTarget& target) : pen_(pen) {
        if (ClipBox(target, bounds_)) bounds_ = InflateRect(bounds_, pen.width, pen.width);
    }

    // The pixels from a to b, b itself excluded. For a line longer in x the pixel in column
    // a.x + i (i = 0 .. |dx| - 1) lies on row a.y + sign(dy) * floor((2i|dy| + |dx|) / 2|dx|):
    // the row nearest the ideal line, halves rounded away from a. Likewise with x and y
    // exchanged for lines longer in y.
    void Segment(POINT a, POINT b) {
        const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
        const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
        const int64_t steps = std::max(adx, ady);
        const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
        const bool alongX = adx >= ady;
        // Only steps whose major coordinate lies inside the bounds can show; the style index
        // still counts the ones skipped.
        const int64_t start = alongX ? a.x : a.y, sign = alongX ? sx : sy;
        const int64_t low = alongX ? bounds_.left : bounds_.top;
        const int64_t high = alongX ? bounds_.right : bounds_.bottom;
        int64_t first = sign > 0 ? low - start : start - high + 1;
        int64_t last = sign > 0 ? high - start : start - low + 1;
        first = std::max<int64_t>(first, 0);
        last = std::min(last, steps);
        for (int64_t i = first; i < last; ++i) {
            int64_t x, y;
            if (alongX) {
                x = a.x + sx * i;
                y = a.y + sy * ((2 * i * ady + adx) / (2 * adx));
            } else {
                y = a.y + sy * i;
                x = a.x + sx * ((2 * i * adx + ady) / (2 * ady));
            }
            Plot(LONG(x), LONG(y), index_ + i);
        }
        index_ += steps;
    }

    std::vector<Span> on;
    std::vector<Span> gaps;

  private:
    // PS_DOT: alternate pixels; PS_DASH: six on, two off.
    bool StyleOn(int64_t k) const {
        switch (pen_.style) {
        case PS_DOT: return k % 2 == 0;
        case PS_DASH: return k % 8 < 6;
        default: return true;
        }
    }

    void Plot(LONG x, LONG y, int64_t k) {
        if (y < bounds_.top || y >= bounds_.bottom) return;
        std::vector<Span>& out = StyleOn(k) ? on : gaps;
        const LONG half = pen_.width / 2;
        for (LONG r = 0; r < pen_.width; ++r)
            out.push_back(Span{y - half + r, x - half, x - half + pen_.width});
    }

    PenInfo pen_;
    RECT bounds_{};
    int64_t index_ = 0;
};

// Paints a pen path: the pen's pixels with the pen colour, and for a styled pen the gaps
// with the background colour when the background mode is opaque (the Win32 rule). Both go
// through the binary raster operation.
void PaintPenPath(const DeviceContext& dc, const DrawTarget& target, const PenInfo& pen,
                  PenPath& path) {
    SolidOp ink = SolidOp::FromRop2(dc.state.rop2, pen.color);
    PaintSpans(target, path.on, ink);
    if (!path.gaps.empty() && dc.state.bkMode == OPAQUE) {
        SolidOp background = SolidOp::FromRop2(dc.state.rop2, dc.state.bkColor);
        PaintSpans(target, path.gaps, background);
    }
}

bool DrawPolyline(HDC dc, const POINT* points, int count, bool closed) {
    DeviceContext* context = DCOf(dc);
    if (!context || !points || count < 2) return false;
    const PenInfo pen = PenOf(*context);
    const DrawTarget target = TargetOf(*context);
    if (pen.null || target.Empty()) return true;
    PenPath path(pen, target);
    for (int i = 0; i + 1 < count; ++i)
        path.Segment(context->ToDevice(points[i]), context->ToDevice(points[i + 1]));
    if (closed) path.Segment(context->ToDevice(points[count - 1]), context->ToDevice(points[0]));
    PaintPenPath(*context, target, pen, path);
    return true;
}

// One row of a convex shape: [x1, x2), or empty.
struct RowSpan {
    LONG x1 = 0;
    LONG x2 = 0;
    bool Empty() const { return x1 >= x2; }
};

// Outlines a round rectangle (a plain rectangle with corner size 0, an ellipse with the full
// size) with the pen and fills its inside with the brush, both through the binary raster
// operation. With a one-pixel pen the outline is the shape's pixels that have a horizontal
// or vertical neighbour outside it (a thin, 8-connected contour); a wider pen draws an inside
// frame: the shape less the same shape inset by the pen width. With a null pen the brush fills
// the whole shape, which for a rectangle is the whole half-open rectangle (our choice; Win32
// leaves out the last row and column).
bool DrawShape(HDC dc, RECT rect, int ellipseWidth, int ellipseHeight) {
    DeviceContext* context = DCOf(dc);
    if (!context) return false;
    const DrawTarget target = TargetOf(*context);
    const RECT shape = Normalized(context->ToDevice(rect));
    LONG clipTop, clipBottom;
    if (IsRectEmpty(shape) || !ClipRows(target, clipTop, clipBottom)) return true;
    ellipseWidth = std::max(ellipseWidth, 0);
    ellipseHeight = std::max(ellipseHeight, 0);

    const PenInfo pen = PenOf(*context);
    const std::optional<COLORREF> brush = BrushColorOf(*context);
    const int w = pen.null ? 0 : pen.width;
    // One row of margin around the clip is enough for the one-pixel contour test.
    const LONG top = std::max(shape.top, clipTop - 1);
    const LONG bottom = std::min(shape.bottom, clipBottom + 1);
    if (top >= bottom) return true;

    auto rowOf = [&](const RECT& r, int ew, int eh, LONG y) {
        RowSpan s;
        if (!RoundRectRowSpan(r, ew, eh, y, s.x1, s.x2)) s = RowSpan{};
        return s;
    };
    std::vector<RowSpan> outer(size_t(bottom - top)), inner(size_t(bottom - top));
    for (LONG y = top; y < bottom; ++y)
        outer[size_t(y - top)] = rowOf(shape, ellipseWidth, ellipseHeight, y);
    if (w == 0) {
        inner = outer;
    } else if (w == 1) {
        auto at = [&](LONG y) {
            if (y < shape.top || y >= shape.bottom) return RowSpan{};
            if (y >= top && y < bottom) return outer[size_t(y - top)];
            return rowOf(shape, ellipseWidth, ellipseHeight, y);
        };
        for (LONG y = top; y < bottom; ++y) {
            const RowSpan here = outer[size_t(y - top)], up = at(y - 1), down = at(y + 1);
            if (here.Empty() || up.Empty() || down.Empty()) continue;
            inner[size_t(y - top)] = RowSpan{std::max({here.x1 + 1, up.x1, down.x1}),
                                             std::min({here.x2 - 1, up.x2, down.x2})};
        }
    } else {
        const RECT inset = InflateRect(shape, -w, -w);
        if (!IsRectEmpty(inset))
            for (LONG y = std::max(top, inset.top); y < std::min(bottom, inset.bottom); ++y)
                inner[size_t(y - top)] = rowOf(inset, std::max(ellipseWidth - 2 * w, 0),
                                               std::max(ellipseHeight - 2 * w, 0), y);
    }

    std::vector<Span> fill, outline;
    for (LONG y = top; y < bottom; ++y) {
        const RowSpan o = outer[size_t(y - top)], i = inner[size_t(y - top)];
        if (o.Empty()) continue;
        if (i.Empty()) {
            outline.push_back(Span{y, o.x1, o.x2});
            continue;
        }
        fill.push_back(Span{y, i.x1, i.x2});
        outline.push_back(Span{y, o.x1, i.x1});
        outline.push_back(Span{y, i.x2, o.x2});
    }
    if (brush) {
        SolidOp op = SolidOp::FromRop2(context->state.rop2, *brush);
        PaintSpans(target, fill, op);
    }
    if (w == 0) return true;
    if (pen.style != PS_SOLID && ellipseWidth == 0 && ellipseHeight == 0) {
        // A styled pen walks the frame of a plain rectangle so that its pattern runs along
        // the edges. (Rounded shapes keep the solid contour.)
        PenPath path(pen, target);
        const POINT corners[4] = {{shape.left, shape.top},
                                  {shape.right - 1, shape.top},
                                  {shape.right - 1, shape.bottom - 1},
                                  {shape.left, shape.bottom - 1}};
        if (WidthOf(shape) == 1 || HeightOf(shape) == 1) {
            path.Segment(corners[0], corners[2]);
            path.on.push_back(Span{corners[2].y, corners[2].x, corners[2].x + 1});
        } else {
            for (int k = 0; k < 4; ++k) path.Segment(corners[k], corners[(k + 1) % 4]);
        }
        PaintPenPath(*context, target, pen, path);
        return true;
    }
    SolidOp op = SolidOp::FromRop2(context->state.rop2, pen.color);
    PaintSpans(target, outline, op);
    return true;
}

// floor(a / b) for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The inside of a polygon by the even-odd rule: a pixel is inside when its centre is; a
// centre exactly on a left edge is inside, on a right edge outside. Centres (y + 0.5) never
// meet a vertex row, so every edge crossing a row is counted once.
void PolygonSpans(const std::vector<POINT>& points, LONG top, LONG bottom, std::vector<Span>& out) {
    LONG minY = points[0].y, maxY = points[0].y;
    for (const POINT& p : points) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    top = std::max(top, minY);
    bottom = std::min(bottom, maxY);
    std::vector<LONG> starts;
    for (LONG y = top; y < bottom; ++y) {
        starts.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            POINT a = points[i], b = points[(i + 1) % points.size()];
            if (a.y == b.y) continue;
            if (a.y > b.y) std::swap(a, b);
            if (!(2 * int64_t(a.y) < 2 * int64_t(y) + 1 && 2 * int64_t(y) + 1 < 2 * int64_t(b.y)))
                continue;
            // Crossing at x = num / den; the first pixel whose centre is at or right of it is
            // ceil((2 num - den) / 2 den).
            const int64_t den = 2 * (int64_t(b.y) - a.y);
            const int64_t num =
                int64_t(a.x) * den + (2 * int64_t(y) + 1 - 2 * int64_t(a.y)) * (int64_t(b.x) - a.x);
            starts.push_back(LONG(-FloorDiv(-(2 * num - den), 2 * den)));
        }
        std::sort(starts.begin(), starts.end());
        for (size_t k = 0; k + 1 < starts.size(); k += 2)
            out.push_back(Span{y, starts[k], starts[k + 1]});
    }
}

} // namespace

bool MoveToEx(HDC dc, int x, int y, POINT* old) {
    DeviceContext* context = DCOf(dc);
    if (!context) return false;
    if (old) *old = context->state.currentPosition;
    context->state.currentPosition = POINT{x, y};
    return true;
}

bool LineTo(HDC dc, int x, int y) {
    DeviceContext* context = DCOf(dc);
    if (!context) return false;
    const POINT points[2] = {context->state.currentPosition, POINT{x, y}};
    context->state.currentPosition = points[1];
    return DrawPolyline(dc, points, 2, false);
}

bool Polyline(HDC dc, const POINT* points, int count) {
    return DrawPolyline(dc, points, count, false);
}

bool Polygon(HDC dc, const POINT* points, int count) {
    DeviceContext* context = DCOf(dc);
    if (!context || !points || count < 2) return false;
    const DrawTarget target = TargetOf(*context);
    LONG top, bottom;
    if (!ClipRows(target, top, bottom)) return true;
    if (const std::optional<COLORREF> brush = BrushColorOf(*context)) {
        std::vector<POINT> device(points, points + count);
        for (POINT& p : device) p = context->ToDevice(p);
        std::vector<Span> fill;
        PolygonSpans(device, top, bottom, fill);
        SolidOp op = SolidOp::FromRop2(context->state.rop2, *brush);
        PaintSpans(target, fill, op);
    }
    return DrawPolyline(dc, points, count, true);
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
    return DrawShape(dc, RECT{left, top, right, bottom}, 0, 0);
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight) {
    return DrawShape(dc, RECT{left, top, right, bottom}, ellipseWidth, ellipseHeight);
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
    const RECT r = Normalized(RECT{left, top, right, bottom});
    return DrawShape(dc, r, WidthOf(r), HeightOf(r));
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* context = DCOf(dc);
    std::optional<COLORREF> color;
    if (!context || !rect || !ResolveBrush(brush, color)) return 0;
    if (!color) return 1;
    SolidOp op = SolidOp::Copy(*color);
    PaintRect(TargetOf(*context), context->ToDevice(*rect), op);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* context = DCOf(dc);
    std::optional<COLORREF> color;
    if (!context || !rect || !ResolveBrush(brush, color)) return 0;
    const RECT r = context->ToDevice(*rect);
    if (!color || IsRectEmpty(r)) return 1;
    const DrawTarget target = TargetOf(*context);
    SolidOp op = SolidOp::Copy(*color);
    PaintRect(target, RECT{r.left, r.top, r.right, r.top + 1}, op);
    PaintRect(target, RECT{r.left, r.bottom - 1, r.right, r.bottom}, op);
    PaintRect(target, RECT{r.left, r.top, r.left + 1, r.bottom}, op);
    PaintRect(target, RECT{r.right - 1, r.top, r.right, r.bottom}, op);
    return 1;
}

bool FillRgn(HDC dc, HRGN region, HBRUSH brush) {
    DeviceContext* context = DCOf(dc);
    const Region* r = RegionOf(region);
    std::optional<COLORREF> color;
    if (!context || !r || !ResolveBrush(brush, color)) return false;
    if (!color) return true;
    const POINT shift = context->ToDevice(POINT{0, 0});
    const DrawTarget target = TargetOf(*context);
    SolidOp op = SolidOp::Copy(*color);
    for (const RECT& rect : r->Rects()) PaintRect(target, OffsetRect(rect, shift.x, shift.y), op);
    return true;
}

bool FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height) {
    DeviceContext* context = DCOf(dc);
    const Region* r = RegionOf(region);
    std::optional<COLORREF> color;
    if (!context || !r || width <= 0 || height <= 0 || !ResolveBrush(brush, color)) return false;
    if (!color) return true;
    // The frame is what the region loses when it is eroded by a (2w+1) x (2h+1) box: first by
    // a horizontal segment, then by a vertical one.
    Region across = *r;
    for (int dx = 1; dx <= width; ++dx)
        for (int sign : {-1, 1}) {
            Region shifted = *r;
            shifted.Offset(sign * dx, 0);
            across.Combine(across, shifted, RGN_AND);
        }
    Region inner = across;
    for (int dy = 1; dy <= height; ++dy)
        for (int sign : {-1, 1}) {
            Region shifted = across;
            shifted.Offset(0, sign * dy);
            inner.Combine(inner, shifted, RGN_AND);
        }
    Region frame;
    frame.Combine(*r, inner, RGN_DIFF);
    const POINT shift = context->ToDevice(POINT{0, 0});
    const DrawTarget target = TargetOf(*context);
    SolidOp op = SolidOp::Copy(*color);
    for (const RECT& rect : frame.Rects())
        PaintRect(target, OffsetRect(rect, shift.x, shift.y), op);
    return true;
}

bool InvertRect(HDC dc, const RECT* rect) {
    DeviceContext* context = DCOf(dc);
    if (!context || !rect) return false;
    SolidOp op = SolidOp::FromPatternRop(DSTINVERT, 0);
    PaintRect(TargetOf(*context), context->ToDevice(*rect), op);
    return true;
}

bool DrawFocusRect(HDC dc, const RECT* rect) {
    DeviceContext* context = DCOf(dc);
    if (!context || !rect) return false;
    const RECT r = context->ToDevice(*rect);
    const DrawTarget target = TargetOf(*context);
    RECT box, visible;
    if (IsRectEmpty(r) || !ClipBox(target, box) || !IntersectRect(visible, r, box)) return true;
    // The frame's pixels whose device x + y is even are inverted, so the dots line up from
    // one edge to the next and drawing the same frame twice restores the picture.
    std::vector<Span> dots;
    auto dot = [&](LONG x, LONG y) {
        if (((x + y) & 1) == 0) dots.push_back(Span{y, x, x + 1});
    };
    for (LONG x = visible.left; x < visible.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
    }
    for (LONG y = std::max(r.top + 1, visible.top); y < std::min(r.bottom - 1, visible.bottom);
         ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left) dot(r.right - 1, y);
    }
    SolidOp op = SolidOp::FromRop2(R2_NOT, 0);
    PaintSpans(target, dots, op);
    return true;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    DeviceContext* context = DCOf(dc);
    if (!context) return CLR_INVALID;
    const DrawTarget target = TargetOf(*context);
    const POINT d = context->ToDevice(POINT{x, y});
    const POINT s{d.x + target.origin.x, d.y + target.origin.y};
    for (const RECT& clip : target.clip)
        if (PtInRect(clip, s)) {
            color &= 0xFFFFFF;
            const int bpp = target.bitmap->BytesPerPixel();
            uint8_t* p = target.bitmap->ScanLine(s.y) + s.x * bpp;
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
            if (bpp == 4) p[3] = 0;
            return color;
        }
    return CLR_INVALID;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    const DeviceContext* context = DCOf(dc);
    if (!context || !context->surface) return CLR_INVALID;
    const Bitmap& surface = *context->surface;
    const POINT d = context->ToDevice(POINT{x, y});
    const POINT s{d.x + context->surfaceOrigin.x, d.y + context->surfaceOrigin.y};
    if (!PtInRect(RECT{0, 0, surface.Width(), surface.Height()}, s)) return CLR_INVALID;
    return surface.GetPixel(s.x, s.y);
}
