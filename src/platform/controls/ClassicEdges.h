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
// Fills the rectangle with a system colour.
void FillSysColor(HDC dc, const RECT& rect, int colorIndex);
// A one-pixel frame: top and left in one colour, bottom and right in the other.
void FrameTwoTone(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight);
// Two pixels: the sunken edge of an edit or list field.
void DrawFieldSunken(HDC dc, const RECT& r);
// Fills the rectangle with one colour.
void FillSolidRect(HDC dc, const RECT& r, COLORREF color);
