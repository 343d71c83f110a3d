#include "skins/SkinImage.h"

#include <algorithm>
#include <cmath>

#include "skins/SkinColor.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr int kSamples = 4; // per axis

BYTE Channel(double v) { return BYTE(std::clamp<long>(std::lround(v), 0, 255)); }

} // namespace

TSkinImage::TSkinImage(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(size_t(width_) * size_t(height_)) {}

double TSkinImage::Coverage(const TShape& shape, int x, int y) {
    int hits = 0;
    for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i)
            if (shape(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples)) ++hits;
    return double(hits) / (kSamples * kSamples);
}

void TSkinImage::Over(Pixel& p, double r, double g, double b, double a) {
    if (a <= 0) return;
    const double outA = a + p.a * (1 - a);
    p.r = (r * a + p.r * p.a * (1 - a)) / outA;
    p.g = (g * a + p.g * p.a * (1 - a)) / outA;
    p.b = (b * a + p.b * p.a * (1 - a)) / outA;
    p.a = outA;
}

void TSkinImage::Fill(const TShape& shape, COLORREF color, double opacity) {
    FillVertical(shape, 0, 1, color, color, opacity);
}

void TSkinImage::FillVertical(const TShape& shape, double y0, double y1, COLORREF top,
                              COLORREF bottom, double opacity) {
    for (int y = 0; y < height_; ++y) {
        const double t = y1 > y0 ? (y + 0.5 - y0) / (y1 - y0) : 0;
        const COLORREF c = skincolor::Mix(top, bottom, t);
        for (int x = 0; x < width_; ++x) {
            const double cov = Coverage(shape, x, y);
            if (cov > 0) Over(At(x, y), GetRValue(c), GetGValue(c), GetBValue(c), cov * opacity);
        }
    }
}

void TSkinImage::FillFading(const TShape& shape, COLORREF color, double y0, double y1,
                            double opacityTop, double opacityBottom) {
    for (int y = 0; y < height_; ++y) {
        const double t = y1 > y0 ? std::clamp((y + 0.5 - y0) / (y1 - y0), 0.0, 1.0) : 0;
        const double opacity = opacityTop + (opacityBottom - opacityTop) * t;
        if (opacity <= 0) continue;
        for (int x = 0; x < width_; ++x) {
            const double cov = Coverage(shape, x, y);
            if (cov > 0)
                Over(At(x, y), GetRValue(color), GetGValue(color), GetBValue(color), cov * opacity);
        }
    }
}

void TSkinImage::Silhouette(const TShape& shape) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            At(x, y).shape = std::max(At(x, y).shape, Coverage(shape, x, y));
}

void TSkinImage::Place(const TSkinImage& piece, int x0, int y0) {
    for (int y = 0; y < piece.height_; ++y)
        for (int x = 0; x < piece.width_; ++x)
            if (x0 + x >= 0 && x0 + x < width_ && y0 + y >= 0 && y0 + y < height_)
                At(x0 + x, y0 + y) = piece.At(x, y);
}

TSkinImage TSkinImage::Cut(int x0, int y0, int width, int height) const {
    TSkinImage out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (x0 + x >= 0 && x0 + x < width_ && y0 + y >= 0 && y0 + y < height_)
                out.At(x, y) = At(x0 + x, y0 + y);
    return out;
}

TSkinImage TSkinImage::FlippedVertically() const {
    TSkinImage out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.At(x, y) = At(x, height_ - 1 - y);
    return out;
}

TSkinImage TSkinImage::FlippedHorizontally() const {
    TSkinImage out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.At(x, y) = At(width_ - 1 - x, y);
    return out;
}

TSkinImage TSkinImage::Transposed() const {
    TSkinImage out(height_, width_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.At(y, x) = At(x, y);
    return out;
}

Bitmap TSkinImage::Emit(TEmitKind kind, bool masked, COLORREF clear, COLORREF outside) const {
    Bitmap out(width_, masked ? height_ * 2 : height_, 24);
    const double cr = GetRValue(clear), cg = GetGValue(clear), cb = GetBValue(clear);
    const double orr = GetRValue(outside), og = GetGValue(outside), ob = GetBValue(outside);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const Pixel& p = At(x, y);
            // The picture laid over the clear colour, and how much of what lies below stays.
            double r = p.r * p.a + cr * (1 - p.a), g = p.g * p.a + cg * (1 - p.a),
                   b = p.b * p.a + cb * (1 - p.a);
            double keep = 1 - p.a;
            bool key = false;
            if (kind == TEmitKind::Glyph) {
                key = p.a < 0.01;
            } else if (kind == TEmitKind::Border) {
                key = outside == kHardEdge ? p.shape < 0.5 : p.shape <= 0.001;
                if (!key && p.shape < 0.999 && outside != kHardEdge) {
                    // Outline pixels are mixed with the usual surroundings and kept opaque: the
                    // engine blends corners with the control's own face, not its parent.
                    r = orr + (r - orr) * p.shape;
                    g = og + (g - og) * p.shape;
                    b = ob + (b - ob) * p.shape;
                    keep = 0;
                }
            }
            if (masked && keep > 0 && p.a > 0.01) {
                // The mask does the blending: write the picture's own colour.
                r = p.r;
                g = p.g;
                b = p.b;
            }
            if (!masked && !key) keep = 0;
            const COLORREF color = key ? kKey : RGB(Channel(r), Channel(g), Channel(b));
            out.SetPixel(x, y, color == kKey && !key ? RGB(254, 0, 255) : color);
            if (masked) {
                const BYTE m = key ? 255 : Channel(keep * 255);
                out.SetPixel(x, y + height_, RGB(m, m, m));
            }
        }
    return out;
}
