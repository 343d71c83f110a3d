#include "platform/gdi/FillRoundRect.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

template <int BytesPerPixel>
void FillSpan(uint8_t* p, LONG count, COLORREF color) {
    const uint8_t b = GetBValue(color), g = GetGValue(color), r = GetRValue(color);
    for (LONG i = 0; i < count; ++i, p += BytesPerPixel) {
        p[0] = b;
        p[1] = g;
        p[2] = r;
        if constexpr (BytesPerPixel == 4) p[3] = 0;
    }
}

} // namespace

bool RoundRectRowSpan(const RECT& rect, int ellipseWidth, int ellipseHeight, LONG y, LONG& x1,
                      LONG& x2) {
    if (y < rect.top || y >= rect.bottom || rect.left >= rect.right) return false;
    const int64_t width = int64_t(rect.right) - rect.left;
    const int64_t height = int64_t(rect.bottom) - rect.top;
    const double rx = double(std::clamp<int64_t>(ellipseWidth, 0, width)) / 2.0;
    const double ry = double(std::clamp<int64_t>(ellipseHeight, 0, height)) / 2.0;
    x1 = rect.left;
    x2 = rect.right;
    if (rx > 0 && ry > 0) {
        // Distance of the pixel centre from the nearer horizontal edge; inside the corner
        // band the ellipse moves both ends of the row inward by the same amount.
        const double yc = y + 0.5;
        const double edge = std::min(yc - rect.top, rect.bottom - yc);
        if (edge < ry) {
            const double t = (ry - edge) / ry;
            const double inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - t * t));
            // Centres at x + 0.5 >= left + inset, and symmetrically on the right.
            const LONG cut = LONG(std::ceil(inset - 0.5));
            x1 += cut;
            x2 -= cut;
        }
    }
    return x1 < x2;
}

void FillRoundRect(Bitmap& bitmap, const RECT& rect, int ellipseWidth, int ellipseHeight,
                   COLORREF color) {
    RECT area;
    if (!IntersectRect(area, rect, RECT{0, 0, bitmap.Width(), bitmap.Height()})) return;

    const int bpp = bitmap.BytesPerPixel();
    for (LONG y = area.top; y < area.bottom; ++y) {
        LONG x1, x2;
        if (!RoundRectRowSpan(rect, ellipseWidth, ellipseHeight, y, x1, x2)) continue;
        x1 = std::max(x1, area.left);
        x2 = std::min(x2, area.right);
        if (x1 >= x2) continue;
        uint8_t* p = bitmap.ScanLine(y) + x1 * bpp;
        if (bpp == 4)
            FillSpan<4>(p, x2 - x1, color);
        else
            FillSpan<3>(p, x2 - x1, color);
    }
}
