#pragma once
// Drawing helpers of the painting core that work through a device context rather than on
// bitmap rows: a solid fill, the dotted frame, nested 3D frames and the copy of a frame's
// edges from one context to another. Coordinates are the context's logical ones.
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/SysColors.h"

// Fills the half-open rect with a solid brush of the resolved colour, leaving the context's
// state as it was. clNone ("no colour") paints nothing.
void FillDCRect(HDC dc, RECT rect, TColor color);

// The dotted frame, pixel by pixel. With w = Right - Left and h = Bottom - Top:
// for i = 0 .. w div 3, (Left + 3i, Top) and (Left + 3i, Bottom) black, then
// (Left + 3i - 1, Top - 1) and (Left + 3i - 1, Bottom - 1) white; afterwards for
// j = 0 .. h div 3, (Left, Top + 3j) and (Right, Top + 3j) black, then (Left - 1, Top + 3j - 1)
// and (Right - 1, Top + 3j - 1) white. Note that Right and Bottom themselves are drawn.
void DrawDottedFrame(HDC dc, RECT rect);

// Draws `width` nested one-pixel frames on the edge pixels of the half-open rect, the
// outermost first: light along the left column and top row, dark along the right column and
// bottom row (which take the top-right and bottom-left corners). Each frame is two polylines
// with a one-pixel pen: light from bottom-left through top-left to top-right, dark from
// top-right through bottom-right to one pixel left of bottom-left. On return rect has shrunk
// by the original width on every side and width is 0. Frames that would no longer fit inside
// the shrinking rectangle are not drawn; a negative width counts as 0.
void Draw3DBorder(HDC dc, RECT& rect, TColor light, int& width, TColor dark);

// Copies the frame of a w x h area of src to dc in four SRCCOPY block copies:
//   t x h        from (srcX, srcY)             to (x, y)          left strip
//   w x t        from (srcX + t, srcY)         to (x + t, y)      top strip
//   t x h        from (srcX + w - t, srcY + t) to (w - t, y + t)  right strip
//   (w - t) x h  from (srcX + t, srcY + h - t) to (x + t, h - t)  bottom strip
// The right strip's x and the bottom strip's y are measured from the context's origin, not
// from (x, y); callers rely on that placement.
void CopyFrameEdges(HDC dc, int x, int y, int t, int srcX, int srcY, HDC src, int h, int w);
