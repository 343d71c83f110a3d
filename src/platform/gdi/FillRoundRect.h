#pragma once
// A solid fill of a rounded rectangle, as a pure operation on a bitmap.
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

// Fills the half-open rect with color on a 24- or 32-bit bitmap (alpha written 0, as a
// solid fill leaves it), clipped to the bitmap. Each corner is cut by a quarter of an
// ellipse ellipseWidth x ellipseHeight whose bounding box sits in that corner (sizes are
// limited to the rectangle's width and height). A pixel is filled when its centre lies inside
// the shape or on its outline, so the shape is symmetric left-right and top-bottom. A corner
// size of 0 in either direction fills the whole rectangle, right column and bottom row
// included.
void FillRoundRect(Bitmap& bitmap, const RECT& rect, int ellipseWidth, int ellipseHeight,
                   COLORREF color);

// The span [x1, x2) that the same shape covers on row y, unclipped; false when the row is
// outside the rectangle or the span is empty. Round-rect regions and outlined shapes use it,
// so a region, an outline and a fill of one rectangle agree pixel for pixel.
bool RoundRectRowSpan(const RECT& rect, int ellipseWidth, int ellipseHeight, LONG y, LONG& x1,
                      LONG& x2);
