#include "platform/controls/ClassicEdges.h"

#include "platform/gdi/SysColors.h"

void FillSysColor(HDC dc, const RECT& rect, int colorIndex) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

void DrawEdgeLines(HDC dc, const RECT& r, int topLeftColor, int bottomRightColor) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    // The bottom-right pair is drawn last so that it owns the two shared corner pixels.
    FillSysColor(dc, {r.left, r.top, r.right, r.top + 1}, topLeftColor);
    FillSysColor(dc, {r.left, r.top, r.left + 1, r.bottom}, topLeftColor);
    FillSysColor(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRightColor);
    FillSysColor(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRightColor);
}

namespace {

// One line of an edge on the named sides; the bottom-right sides go last and own the corners.
void DrawEdgeLine(HDC dc, const RECT& r, int topLeft, int bottomRight, unsigned sides) {
    if (sides & edgeTop) FillSysColor(dc, {r.left, r.top, r.right, r.top + 1}, topLeft);
    if (sides & edgeLeft) FillSysColor(dc, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
    if (sides & edgeBottom)
        FillSysColor(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    if (sides & edgeRight) FillSysColor(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

} // namespace

void DrawEdgeSides(HDC dc, RECT r, EdgeLine outer, EdgeLine inner, unsigned sides) {
    struct Line {
        EdgeLine style;
        int raisedTopLeft, raisedBottomRight, sunkenTopLeft, sunkenBottomRight;
    };
    const Line lines[] = {
        {outer, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
        {inner, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    for (const Line& line : lines) {
        if (line.style == edgeLineNone) continue;
        if (r.right <= r.left || r.bottom <= r.top) return;
        const bool raised = line.style == edgeLineRaised;
        DrawEdgeLine(dc, r, raised ? line.raisedTopLeft : line.sunkenTopLeft,
                     raised ? line.raisedBottomRight : line.sunkenBottomRight, sides);
        if (sides & edgeLeft) ++r.left;
        if (sides & edgeTop) ++r.top;
        if (sides & edgeRight) --r.right;
        if (sides & edgeBottom) --r.bottom;
    }
}

void DrawThinSunken(HDC dc, const RECT& rect) {
    DrawEdgeLines(dc, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void DrawThinRaised(HDC dc, const RECT& rect) {
    DrawEdgeLines(dc, rect, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

void DrawButtonRaised(HDC dc, const RECT& r) {
    DrawEdgeLines(dc, r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    DrawEdgeLines(dc, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, COLOR_3DLIGHT,
                  COLOR_BTNSHADOW);
}

void DrawButtonSunken(HDC dc, const RECT& r) {
    DrawEdgeLines(dc, r, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT);
    DrawEdgeLines(dc, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, COLOR_BTNSHADOW,
                  COLOR_3DLIGHT);
}

void DrawEtched(HDC dc, const RECT& r) {
    DrawEdgeLines(dc, {r.left + 1, r.top + 1, r.right, r.bottom}, COLOR_BTNHIGHLIGHT,
                  COLOR_BTNHIGHLIGHT);
    DrawEdgeLines(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
}

void FrameTwoTone(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    if (IsRectEmpty(r)) return;
    FillSolidRect(dc, Rect(r.left, r.top, r.right - 1, r.top + 1), topLeft);
    FillSolidRect(dc, Rect(r.left, r.top, r.left + 1, r.bottom - 1), topLeft);
    FillSolidRect(dc, Rect(r.left, r.bottom - 1, r.right, r.bottom), bottomRight);
    FillSolidRect(dc, Rect(r.right - 1, r.top, r.right, r.bottom), bottomRight);
}

void DrawFieldSunken(HDC dc, const RECT& r) {
    FrameTwoTone(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    FrameTwoTone(dc, InflateRect(r, -1, -1), GetSysColor(COLOR_3DDKSHADOW),
                 GetSysColor(COLOR_3DLIGHT));
}

void FillSolidRect(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
}
