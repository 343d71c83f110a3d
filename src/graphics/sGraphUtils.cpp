#include "graphics/sGraphUtils.h"

#include "platform/gdi/Gdi.h"

namespace {

// Deletes a GDI object when leaving scope, whatever happened in between.
class ObjectGuard {
  public:
    explicit ObjectGuard(HGDIOBJ object) : object_(object) {}
    ObjectGuard(const ObjectGuard&) = delete;
    ObjectGuard& operator=(const ObjectGuard&) = delete;
    ~ObjectGuard() {
        if (object_) DeleteObject(object_);
    }

  private:
    HGDIOBJ object_;
};

} // namespace

void FillDCRect(HDC dc, RECT rect, TColor color) {
    // "No colour" is not a colour to fill with; resolving it would give black.
    if (color == clNone) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    const ObjectGuard deleteBrush(brush);
    const int saved = SaveDC(dc);
    if (saved == 0) return;
    SelectObject(dc, brush);
    FillRect(dc, &rect, brush);
    RestoreDC(dc, saved);
}

void DrawDottedFrame(HDC dc, RECT rect) {
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    const LONG w = rect.right - rect.left, h = rect.bottom - rect.top;
    for (LONG i = 0; i <= w / 3; ++i) {
        const LONG x = rect.left + 3 * i;
        SetPixel(dc, x, rect.top, black);
        SetPixel(dc, x, rect.bottom, black);
        SetPixel(dc, x - 1, rect.top - 1, white);
        SetPixel(dc, x - 1, rect.bottom - 1, white);
    }
    for (LONG j = 0; j <= h / 3; ++j) {
        const LONG y = rect.top + 3 * j;
        SetPixel(dc, rect.left, y, black);
        SetPixel(dc, rect.right, y, black);
        SetPixel(dc, rect.left - 1, y - 1, white);
        SetPixel(dc, rect.right - 1, y - 1, white);
    }
}

void Draw3DBorder(HDC dc, RECT& rect, TColor light, int& width, TColor dark) {
    HPEN lightPen = CreatePen(PS_SOLID, 1, ColorToRGB(light));
    HPEN darkPen = CreatePen(PS_SOLID, 1, ColorToRGB(dark));
    const ObjectGuard deleteLight(lightPen), deleteDark(darkPen);
    HGDIOBJ oldPen = GetCurrentObject(dc, OBJ_PEN);
    for (; width > 0; --width) {
        if (!IsRectEmpty(rect)) {
            // Corner pixels of the half-open rectangle.
            const LONG right = rect.right - 1, bottom = rect.bottom - 1;
            const POINT lightLine[3] = {
                {rect.left, bottom}, {rect.left, rect.top}, {right, rect.top}};
            const POINT darkLine[3] = {{right, rect.top}, {right, bottom}, {rect.left - 1, bottom}};
            SelectObject(dc, lightPen);
            Polyline(dc, lightLine, 3);
            SelectObject(dc, darkPen);
            Polyline(dc, darkLine, 3);
        }
        rect = InflateRect(rect, -1, -1);
    }
    width = 0;
    if (oldPen) SelectObject(dc, oldPen);
}

void CopyFrameEdges(HDC dc, int x, int y, int t, int srcX, int srcY, HDC src, int h, int w) {
    BitBlt(dc, x, y, t, h, src, srcX, srcY, SRCCOPY);
    BitBlt(dc, x + t, y, w, t, src, srcX + t, srcY, SRCCOPY);
    // The right and bottom strips are placed from the context's origin (w - t, h - t), not
    // from (x, y): that is where the callers' frame bitmaps expect them.
    BitBlt(dc, w - t, y + t, t, h, src, srcX + w - t, srcY + t, SRCCOPY);
    BitBlt(dc, x + t, h - t, w - t, h, src, srcX + t, srcY + h - t, SRCCOPY);
}
