#include "movie/SwfRenderer.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstring>

namespace {

// One colour transform: c' = clamp(floor(c * mult / 256) + add, 0, 255).
SwfRgba Transform(SwfRgba c, const SwfColorTransform& cx) {
    int in[4] = {c.r, c.g, c.b, c.a}, out[4];
    for (int i = 0; i < 4; ++i)
        out[i] = std::clamp(((in[i] * cx.mult[i]) >> 8) + cx.add[i], 0, 255);
    return SwfRgba{uint8_t(out[0]), uint8_t(out[1]), uint8_t(out[2]), uint8_t(out[3])};
}

SwfRgba ApplyChain(SwfRgba c, const std::vector<const SwfColorTransform*>& chain) {
    for (const SwfColorTransform* cx : chain) c = Transform(c, *cx);
    return c;
}

cairo_matrix_t ToCairo(const SwfMatrix& m) {
    cairo_matrix_t c;
    cairo_matrix_init(&c, m.scaleX, m.rotateSkew0, m.rotateSkew1, m.scaleY, m.translateX,
                      m.translateY);
    return c;
}

// cairo refuses singular matrices by putting the whole context into an error state, and
// coordinates far out of range lose precision; such an instance has no visible area anyway.
bool Drawable(const cairo_matrix_t& m) {
    const double values[6] = {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0};
    for (double v : values)
        if (!std::isfinite(v) || std::fabs(v) > 1e9) return false;
    return std::fabs(m.xx * m.yy - m.xy * m.yx) > 1e-12;
}

void AddPath(cairo_t* cr, const std::vector<SwfSegment>& segments) {
    double x = 0, y = 0;
    for (const SwfSegment& s : segments) {
        switch (s.kind) {
        case SwfSegmentKind::Move: cairo_move_to(cr, s.x, s.y); break;
        case SwfSegmentKind::Line: cairo_line_to(cr, s.x, s.y); break;
        case SwfSegmentKind::Curve:
            // Quadratic to cubic: control points two thirds of the way to the quadratic one.
            cairo_curve_to(cr, x + 2.0 / 3.0 * (s.cx - x), y + 2.0 / 3.0 * (s.cy - y),
                           s.x + 2.0 / 3.0 * (s.cx - s.x), s.y + 2.0 / 3.0 * (s.cy - s.y), s.x,
                           s.y);
            break;
        }
        x = s.x;
        y = s.y;
    }
}

// Pattern units per device pixel: how many gradient-square twips (or bitmap pixels) one
// device pixel spans. pixman holds this in 16.16 fixed point, and cairo fails the surface
// at about 32768.
bool TooDenseForPixman(const cairo_matrix_t& shapeToPattern, const cairo_matrix_t& shapeToDevice) {
    cairo_matrix_t deviceToShape = shapeToDevice, deviceToPattern;
    if (cairo_matrix_invert(&deviceToShape) != CAIRO_STATUS_SUCCESS) return true;
    cairo_matrix_multiply(&deviceToPattern, &deviceToShape, &shapeToPattern);
    const double limit = 16384; // a gradient square at least 2 pixels wide
    return std::fabs(deviceToPattern.xx) > limit || std::fabs(deviceToPattern.yx) > limit ||
           std::fabs(deviceToPattern.xy) > limit || std::fabs(deviceToPattern.yy) > limit;
}

void SetColor(cairo_t* cr, SwfRgba c) {
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
}

} // namespace

TSwfRenderer::~TSwfRenderer() {
    if (surface_) cairo_surface_destroy(surface_);
}

bool TSwfRenderer::PrepareSurface(int width, int height) {
    if (surface_ && width == surfaceWidth_ && height == surfaceHeight_) return true;
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    surfaceWidth_ = width;
    surfaceHeight_ = height;
    if (cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS) return true;
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    return false;
}

void TSwfRenderer::Render(const TSwfDisplayList& root, Bitmap& target, const RECT& dest) {
    // Only the part of dest inside the bitmap is drawn, so a huge dest costs nothing extra.
    const int64_t left = std::max<int64_t>(dest.left, 0);
    const int64_t top = std::max<int64_t>(dest.top, 0);
    const int64_t right = std::min<int64_t>(dest.right, target.Width());
    const int64_t bottom = std::min<int64_t>(dest.bottom, target.Height());
    if (left >= right || top >= bottom) return;
    const int width = int(right - left), height = int(bottom - top);
    if (!PrepareSurface(width, height)) return;

    cairo_t* cr = cairo_create(surface_);
    const SwfRgba bg = doc_.background;
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, bg.r / 255.0, bg.g / 255.0, bg.b / 255.0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);

    // Fit the stage into dest: the smaller of the two scales, centred on both axes.
    const SwfRect& stage = doc_.frameSize;
    const double stageW = double(stage.xMax) - stage.xMin, stageH = double(stage.yMax) - stage.yMin;
    const double destW = double(dest.right) - dest.left, destH = double(dest.bottom) - dest.top;
    const double scale = std::min(destW / stageW, destH / stageH);
    if (scale > 0) {
        const double ox = double(dest.left) - double(left) + (destW - stageW * scale) / 2;
        const double oy = double(dest.top) - double(top) + (destH - stageH * scale) / 2;
        cairo_rectangle(cr, ox, oy, stageW * scale, stageH * scale);
        cairo_clip(cr);
        cairo_matrix_t base;
        cairo_matrix_init(&base, scale, 0, 0, scale, ox - stage.xMin * scale,
                          oy - stage.yMin * scale);
        ColorChain chain;
        DrawList(cr, root, base, chain);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface_);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        // cairo errors are sticky: drop the surface so that the next frame starts afresh.
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
        return;
    }
    CopyToBitmap(target, int(left), int(top), width, height);
}

void TSwfRenderer::DrawList(cairo_t* cr, const TSwfDisplayList& list, const cairo_matrix_t& parent,
                            ColorChain& chain) {
    for (const auto& [depth, instance] : list.Instances()) {
        // FIXME: clip layers should mask the depths above them; they are only left undrawn.
        if (instance.isClipLayer) continue;
        if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return;
        cairo_matrix_t local = ToCairo(instance.matrix), combined;
        cairo_matrix_multiply(&combined, &local, &parent); // local first, then parent
        if (!Drawable(combined)) continue;
        chain.insert(chain.begin(), &instance.colorTransform);
        if (instance.sprite) {
            DrawList(cr, *instance.sprite, combined, chain);
        } else {
            auto shape = doc_.shapes.find(instance.characterId);
            if (shape != doc_.shapes.end()) DrawShape(cr, shape->second, combined, chain);
        }
        chain.erase(chain.begin());
    }
}

void TSwfRenderer::DrawShape(cairo_t* cr, const SwfShape& shape, const cairo_matrix_t& matrix,
                             const ColorChain& chain) {
    // Strokes are drawn in device space so that a thin line stays at least a pixel wide.
    const double deviceScale = std::sqrt(std::fabs(matrix.xx * matrix.yy - matrix.xy * matrix.yx));
    for (const SwfShapePath& path : shape.paths) {
        cairo_save(cr);
        cairo_set_matrix(cr, &matrix);
        AddPath(cr, path.segments);
        if (path.isLine) {
            const SwfLineStyle& line = shape.lines[size_t(path.style)];
            cairo_identity_matrix(cr);
            cairo_set_line_width(cr, std::max(1.0, line.width * deviceScale));
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            SetColor(cr, ApplyChain(line.color, chain));
            cairo_stroke(cr);
        } else {
            double alpha = 1;
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
            if (SetFillSource(cr, shape.fills[size_t(path.style)], chain, matrix, &alpha)) {
                if (alpha >= 1) {
                    cairo_fill(cr);
                } else {
                    cairo_clip(cr);
                    cairo_paint_with_alpha(cr, alpha);
                }
            }
            cairo_new_path(cr);
        }
        cairo_restore(cr);
    }
}

bool TSwfRenderer::SetFillSource(cairo_t* cr, const SwfFillStyle& fill, const ColorChain& chain,
                                 const cairo_matrix_t& deviceMatrix, double* alpha) {
    if (fill.kind == SwfFillKind::Solid) {
        SetColor(cr, ApplyChain(fill.color, chain));
        return true;
    }
    cairo_matrix_t inverse = ToCairo(fill.matrix);
    if (!Drawable(inverse) || cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS) return false;
    if (TooDenseForPixman(inverse, deviceMatrix)) {
        // A gradient or bitmap squeezed into a pixel or two overflows pixman's fixed-point
        // matrix, which cairo reports by failing the whole surface. At that size a gradient's
        // mean colour will do; such a bitmap is left out.
        if (fill.kind == SwfFillKind::Bitmap || fill.stops.empty()) return false;
        int sum[4] = {0, 0, 0, 0};
        for (const SwfGradientStop& stop : fill.stops) {
            const SwfRgba c = ApplyChain(stop.color, chain);
            sum[0] += c.r, sum[1] += c.g, sum[2] += c.b, sum[3] += c.a;
        }
        const int n = int(fill.stops.size());
        SetColor(cr, SwfRgba{uint8_t(sum[0] / n), uint8_t(sum[1] / n), uint8_t(sum[2] / n),
                             uint8_t(sum[3] / n)});
        return true;
    }

    cairo_pattern_t* pattern = nullptr;
    if (fill.kind == SwfFillKind::Bitmap) {
        auto it = doc_.bitmaps.find(fill.bitmapId);
        if (it == doc_.bitmaps.end()) return false;
        const SwfBitmap& bmp = *it->second;
        // cairo only reads a source surface's pixels; the cast does not let it write them.
        cairo_surface_t* image = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(bmp.pixels.data())),
            CAIRO_FORMAT_ARGB32, bmp.width, bmp.height, bmp.width * 4);
        pattern = cairo_pattern_create_for_surface(image);
        cairo_surface_destroy(image); // the pattern holds its own reference
        cairo_pattern_set_extend(pattern, fill.repeat ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern,
                                 fill.smooth ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
        // A bitmap cannot be recoloured through cairo; its opacity follows the transform.
        *alpha = ApplyChain(SwfRgba{255, 255, 255, 255}, chain).a / 255.0;
    } else {
        if (fill.stops.empty()) return false;
        if (fill.kind == SwfFillKind::Linear) {
            // A linear gradient is the same all along its y axis, so move that axis to the
            // path: pixman's fixed point cannot hold a path lying far across the square.
            double x1, y1, x2, y2;
            cairo_path_extents(cr, &x1, &y1, &x2, &y2);
            const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
            inverse.y0 -= inverse.yx * cx + inverse.yy * cy + inverse.y0;
        }
        // Gradients live in a square of -16384..16384 twips mapped through their matrix.
        pattern = fill.kind == SwfFillKind::Linear
                      ? cairo_pattern_create_linear(-16384, 0, 16384, 0)
                      : cairo_pattern_create_radial(16384 * std::clamp(fill.focal, -0.98, 0.98), 0,
                                                    0, 0, 0, 16384);
        for (const SwfGradientStop& stop : fill.stops) {
            const SwfRgba c = ApplyChain(stop.color, chain);
            cairo_pattern_add_color_stop_rgba(pattern, stop.ratio / 255.0, c.r / 255.0, c.g / 255.0,
                                              c.b / 255.0, c.a / 255.0);
        }
        cairo_pattern_set_extend(pattern, fill.spread == SwfSpread::Reflect  ? CAIRO_EXTEND_REFLECT
                                          : fill.spread == SwfSpread::Repeat ? CAIRO_EXTEND_REPEAT
                                                                             : CAIRO_EXTEND_PAD);
    }
    cairo_pattern_set_matrix(pattern, &inverse);
    // A failed pattern would put the whole context into its error state; skip the fill.
    const bool usable = cairo_pattern_status(pattern) == CAIRO_STATUS_SUCCESS;
    if (usable) cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    return usable;
}

void TSwfRenderer::CopyToBitmap(Bitmap& target, int left, int top, int width, int height) const {
    const uint8_t* src = cairo_image_surface_get_data(surface_);
    const int srcStride = cairo_image_surface_get_stride(surface_);
    const int bytes = target.BytesPerPixel();
    // The surface is opaque (the background is painted first), so its premultiplied pixels
    // are the colours themselves: B, G, R, 255 in memory on a little-endian machine.
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = src + size_t(y) * size_t(srcStride);
        uint8_t* d = target.ScanLine(top + y) + size_t(left) * size_t(bytes);
        if (bytes == 4) {
            std::memcpy(d, s, size_t(width) * 4);
        } else {
            for (int x = 0; x < width; ++x, s += 4, d += 3) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        }
    }
}
