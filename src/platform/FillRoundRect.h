#pragma once
// A solid fill of a rounded rectangle, as a pure operation on a bitmap.
#include "platform/Bitmap.h"
#include "platform/WinTypes.h"

// Fills the half-open rect with color on a 24- or 32-bit bitmap (alpha written 0, as a
// solid fill leaves it), clipped to the bitmap. Each corner is cut by a quarter of an
// ellipse ellipseWidth x ellipseHeight whose bounding box sits in that corner (sizes are
// limited to the rectangle's width and height). A pixel is filled when its centre lies inside
// the shape or on its outline, so the shape is symmetric left-right and top-bottom. A corner
// size of 0 in either direction fills the whole rectangle, right column and bottom row
// included.
void FillRoundRect(Bitmap& bitmap, const RECT& rect, int ellipseWidth, int ellipseHeight,
                   COLORREF color);
