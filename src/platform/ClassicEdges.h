#pragma once
// The classic 3D look shared by the bar and tab controls: one- and two-pixel edges in the
// system colours, drawn inside the given half-open rectangle.
#include "platform/Gdi.h"

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
