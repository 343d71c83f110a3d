#include "IconPainter.h"

#include <algorithm>
#include <cmath>

#include "Supersampler.h"
#include "platform/gdi/Gdi.h"

namespace {

constexpr int kOversample = 8;
constexpr COLORREF kKey = RGB(255, 0, 255);
// The drawing is laid out on a 32-unit grid; bars sit on whole units of the 16-pixel icon too.
constexpr int kGrid = 32;

struct TBar {
    int Left, Top;
    COLORREF Color;
};

class TIconCanvas {
  public:
    TIconCanvas(HDC dc, int size) : dc_(dc), unit_(size * kOversample / kGrid) {}

    void RoundTile(int left, int top, int right, int bottom, int corner, COLORREF fill,
                   COLORREF edge, int edgeWidth) {
        HPEN pen = CreatePen(PS_SOLID, edgeWidth * unit_ / 2, edge);
        HBRUSH brush = CreateSolidBrush(fill);
        HGDIOBJ oldPen = SelectObject(dc_, pen);
        HGDIOBJ oldBrush = SelectObject(dc_, brush);
        RoundRect(dc_, left * unit_, top * unit_, right * unit_, bottom * unit_, corner * unit_,
                  corner * unit_);
        SelectObject(dc_, oldPen);
        SelectObject(dc_, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }

    void Box(int left, int top, int right, int bottom, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        const RECT r = Rect(left * unit_, top * unit_, right * unit_, bottom * unit_);
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }

    // A thick straight stroke with round ends, in half-units for width.
    void Stroke(POINT from, POINT to, int halfUnits, COLORREF color) {
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double length = std::max(1e-9, std::sqrt(dx * dx + dy * dy));
        const double r = halfUnits * unit_ / 4.0; // half the width, in oversampled pixels
        const double nx = -dy / length * r, ny = dx / length * r;
        const double ax = from.x * unit_, ay = from.y * unit_, bx = to.x * unit_, by = to.y * unit_;
        const POINT quad[4] = {{LONG(ax + nx), LONG(ay + ny)},
                               {LONG(bx + nx), LONG(by + ny)},
                               {LONG(bx - nx), LONG(by - ny)},
                               {LONG(ax - nx), LONG(ay - ny)}};
        HPEN pen = CreatePen(PS_NULL, 0, color);
        HBRUSH brush = CreateSolidBrush(color);
        HGDIOBJ oldPen = SelectObject(dc_, pen);
        HGDIOBJ oldBrush = SelectObject(dc_, brush);
        Polygon(dc_, quad, 4);
        auto roundEnd = [&](double x, double y) {
            Ellipse(dc_, LONG(x - r), LONG(y - r), LONG(x + r), LONG(y + r));
        };
        roundEnd(ax, ay);
        roundEnd(bx, by);
        SelectObject(dc_, oldPen);
        SelectObject(dc_, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }

  private:
    HDC dc_;
    int unit_;
};

void DrawIcon(TIconCanvas& canvas) {
    canvas.RoundTile(0, 0, 32, 32, 14, RGB(240, 246, 252), RGB(38, 84, 150), 4);
    // Bars rising to the right, their tops stepping like a growing series.
    const TBar bars[] = {
        {6, 18, RGB(70, 130, 205)},
        {12, 14, RGB(46, 160, 150)},
        {18, 16, RGB(70, 130, 205)},
        {24, 9, RGB(46, 160, 150)},
    };
    for (const TBar& bar : bars) canvas.Box(bar.Left, bar.Top, bar.Left + 4, 26, bar.Color);
    canvas.Box(4, 26, 28, 28, RGB(30, 52, 96));
    canvas.Stroke({7, 19}, {26, 6}, 5, RGB(222, 52, 44));
}

} // namespace

Bitmap IconPainter::Paint(int size) {
    const int large = size * kOversample;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP surface = CreateDIBSection(large, large, 24);
    HGDIOBJ old = SelectObject(dc, surface);
    HBRUSH key = CreateSolidBrush(kKey);
    const RECT all = Rect(0, 0, large, large);
    FillRect(dc, &all, key);
    DeleteObject(key);
    TIconCanvas canvas(dc, size);
    DrawIcon(canvas);
    SelectObject(dc, old);
    const Bitmap* pixels = BitmapOf(surface);
    Bitmap icon = pixels ? Supersampler::ReduceOverKey(*pixels, kOversample, kKey) : Bitmap();
    DeleteDC(dc);
    DeleteObject(surface);
    return icon;
}
