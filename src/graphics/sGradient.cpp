#include "graphics/sGradient.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/core/Errors.h"
#include "platform/core/StrUtils.h"
#include "platform/gdi/GradientFill.h"

void ParseGradientData(std::string_view text, TsGradArray& grad) {
    grad.clear();
    if (text.empty()) return;
    const std::vector<std::string_view> words = SplitText(text, ';');
    auto number = [&words](size_t index) -> int32_t {
        if (auto value = TryStrToInt(Trim(words[index]))) return *value;
        throw EConvertError("gradient data: word " + std::to_string(index + 1) + " ('" +
                            std::string(words[index]) + "') is not a valid integer value");
    };

    // Built aside so that a bad word leaves grad empty rather than half filled.
    TsGradArray parsed(words.size() / 5);
    for (size_t i = 0; i < parsed.size(); ++i) {
        TsGradPie& pie = parsed[i];
        pie.Color1 = number(5 * i);
        pie.Color2 = number(5 * i + 1);
        // A negative share would wrap around in the 8-bit field; it counts as 0.
        pie.Percent = uint8_t(std::clamp(number(5 * i + 2), 0, 100));
        pie.Mode = number(5 * i + 3);
        // The fifth word of a segment is not read.
    }
    grad = std::move(parsed);
}

namespace {

// The colour along a segment of length + 1 pixels: single-precision accumulators that start
// at color1 and grow by a double-precision step, read rounded to nearest, ties to even, so
// the first pixel has exactly color1 and the last color2.
class Ramp {
  public:
    Ramp(COLORREF color1, COLORREF color2, int64_t length) {
        const int from[3] = {GetBValue(color1), GetGValue(color1), GetRValue(color1)};
        const int to[3] = {GetBValue(color2), GetGValue(color2), GetRValue(color2)};
        for (int c = 0; c < 3; ++c) {
            acc_[c] = float(from[c]);
            step_[c] = double(to[c] - from[c]) / double(length);
        }
    }
    void Current(uint8_t bgr[3]) const {
        for (int c = 0; c < 3; ++c)
            bgr[c] = uint8_t(std::clamp(std::nearbyint(double(acc_[c])), 0.0, 255.0));
    }
    void Step() {
        for (int c = 0; c < 3; ++c) acc_[c] = float(double(acc_[c]) + step_[c]);
    }

  private:
    float acc_[3];
    double step_[3];
};

// Fills count pixels from p with one colour: one pixel, then doubling copies.
void FillPixels(uint8_t* p, size_t count, const uint8_t bgr[3]) {
    if (count == 0) return;
    std::memcpy(p, bgr, 3);
    const size_t total = count * 3;
    for (size_t filled = 3; filled < total; filled *= 2)
        std::memcpy(p + filled, p, std::min(filled, total - filled));
}

void PaintVertical(Bitmap& bitmap, const RECT& r, const TsGradArray& grad, int offset) {
    const int64_t lastRow = r.bottom - 1; // r is already cut to the bitmap
    const int64_t span = int64_t(r.bottom) - r.top + offset;
    const size_t width = size_t(r.right - r.left);
    int64_t s = int64_t(r.top) + offset;
    for (size_t i = 0; i < grad.size(); ++i) {
        const TsGradPie& pie = grad[i];
        int64_t e = s + int64_t(pie.Percent) * span / 100;
        e = i + 1 == grad.size() ? lastRow : std::min(e, lastRow);
        if (e - s > 0) {
            Ramp ramp(ColorToRGB(pie.Color1), ColorToRGB(pie.Color2), e - s);
            for (int64_t y = s; y <= e; ++y, ramp.Step()) {
                // A negative offset starts the segments above the rectangle; those rows
                // advance the colour but are not painted.
                if (y < r.top) continue;
                uint8_t bgr[3];
                ramp.Current(bgr);
                FillPixels(bitmap.ScanLine(int(y)) + r.left * 3, width, bgr);
            }
        }
        // The boundary row is painted again by the next segment, ending with its Color1.
        s = e;
    }
}

void PaintHorizontal(Bitmap& bitmap, const RECT& r, const TsGradArray& grad) {
    const int64_t lastCol = r.right - 1; // r is already cut to the bitmap
    const double perPercent = double(r.right - r.left) / 100.0;
    uint8_t* first = bitmap.ScanLine(r.top);
    int64_t x = r.left;
    int64_t paintedFrom = lastCol + 1, paintedTo = -1;
    for (size_t i = 0; i < grad.size(); ++i) {
        const TsGradPie& pie = grad[i];
        int64_t xe = int64_t(std::nearbyint(pie.Percent * perPercent + double(x)));
        xe = i + 1 == grad.size() ? lastCol : std::min(xe, lastCol);
        if (xe - x > 0) {
            Ramp ramp(ColorToRGB(pie.Color1), ColorToRGB(pie.Color2), xe - x);
            uint8_t* p = first + x * 3;
            for (int64_t px = x; px <= xe; ++px, p += 3, ramp.Step()) ramp.Current(p);
            paintedFrom = std::min(paintedFrom, x);
            paintedTo = std::max(paintedTo, xe);
        }
        x = xe;
    }
    // Every row gets the same segments, so the first row is computed once and copied.
    if (paintedTo < paintedFrom) return;
    const size_t bytes = size_t(paintedTo - paintedFrom + 1) * 3;
    for (LONG y = r.top + 1; y < r.bottom; ++y)
        std::memcpy(bitmap.ScanLine(y) + paintedFrom * 3, first + paintedFrom * 3, bytes);
}

TRIVERTEX Vertex(LONG x, LONG y, TColor color) {
    const COLORREF rgb = ColorToRGB(color);
    return TRIVERTEX{x,
                     y,
                     COLOR16(GetRValue(rgb) << 8),
                     COLOR16(GetGValue(rgb) << 8),
                     COLOR16(GetBValue(rgb) << 8),
                     0};
}

void PaintTriangles(Bitmap& bitmap, const RECT& r, const TsGradArray& grad) {
    // Corners and centre take Color1 of elements 0..4; a missing element repeats the
    // previous vertex's colour.
    TColor colors[5];
    for (size_t i = 0; i < 5; ++i) colors[i] = i < grad.size() ? grad[i].Color1 : colors[i - 1];
    const LONG width = r.right - r.left, height = r.bottom - r.top;
    const TRIVERTEX vertices[5] = {
        Vertex(r.left, r.top, colors[0]),
        Vertex(r.left + width / 2, r.top + height / 2, colors[1]),
        Vertex(r.right, r.top, colors[2]),
        Vertex(r.right, r.bottom, colors[3]),
        Vertex(r.left, r.bottom, colors[4]),
    };
    const GRADIENT_TRIANGLE triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
    GradientFillTriangles(bitmap, vertices, 5, triangles, 4, &r);
}

} // namespace

void PaintGradient(Bitmap& bitmap, const RECT& rect, const TsGradArray& grad, int offset) {
    if (bitmap.BitsPerPixel() != 24 || grad.empty()) return;
    RECT r{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
           std::min<LONG>(rect.right, bitmap.Width()),
           std::min<LONG>(rect.bottom, bitmap.Height())};
    // A rectangle that misses the bitmap paints nothing (the segment arithmetic would
    // otherwise run backwards into pixels outside it).
    if (IsRectEmpty(r)) return;
    switch (grad.front().Mode) {
    case 0: PaintVertical(bitmap, r, grad, offset); break;
    case 1: PaintHorizontal(bitmap, r, grad); break;
    case 2: PaintTriangles(bitmap, r, grad); break;
    default: break; // other modes paint nothing
    }
}
