#pragma once
// The classic 3D look the standard controls share: one- and two-pixel edges in the system
// colours, drawn inside the given half-open rectangle, and solid fills.
#include "platform/gdi/Gdi.h"

// Top and left edges in one system colour, bottom and right in another, `width` pixels each.
void DrawEdgeLines(HDC dc, const RECT& rect, int topLeftColor, int bottomRightColor);
// One pixel: shadow above-left, highlight below-right (a part frame, a pressed flat button).
void DrawThinSunken(HDC dc, const RECT& rect);
// One pixel: highlight above-left, shadow below-right (a hot flat button, a pop-out part).
void DrawThinRaised(HDC dc, const RECT& rect);
// Two pixels: a classic push button's raised edge.
void DrawButtonRaised(HDC dc, const RECT& rect);
// Two pixels: a classic push button's pushed edge.
void DrawButtonSunken(HDC dc, const RECT& rect);
// Two pixels: a shadow frame with a highlight frame one pixel inside and to the right.
void DrawEtched(HDC dc, const RECT& rect);
// The sides DrawEdge can name, for DrawEdgeSides.
enum EdgeSide : unsigned { edgeLeft = 1, edgeTop = 2, edgeRight = 4, edgeBottom = 8 };
enum EdgeLine { edgeLineNone, edgeLineRaised, edgeLineSunken };
// DrawEdge on the named sides only: the outer line along the rectangle, the inner one a pixel
// inside it; a none line takes no room. Colours as DrawEdge's: raised outer 3D light over dark
// shadow, raised inner highlight over shadow, sunken outer shadow over highlight, sunken inner
// dark shadow over 3D light (top-left over bottom-right).
void DrawEdgeSides(HDC dc, RECT rect, EdgeLine outer, EdgeLine inner, unsigned sides);
// Fills the rectangle with a system colour.
void FillSysColor(HDC dc, const RECT& rect, int colorIndex);
// A one-pixel frame: top and left in one colour, bottom and right in the other.
void FrameTwoTone(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight);
// Two pixels: the sunken edge of an edit or list field.
void DrawFieldSunken(HDC dc, const RECT& r);
// Fills the rectangle with one colour.
void FillSolidRect(HDC dc, const RECT& r, COLORREF color);
