#pragma once
// The window system's triangle gradient fill, as a pure operation on a bitmap.
#include <cstdint>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

using ULONG = uint32_t;
using COLOR16 = uint16_t;

// A vertex: a position in pixel-edge coordinates (pixel (x, y) covers [x, x+1) x [y, y+1))
// and a 16-bit colour per channel.
struct TRIVERTEX {
    LONG x = 0;
    LONG y = 0;
    COLOR16 Red = 0;
    COLOR16 Green = 0;
    COLOR16 Blue = 0;
    COLOR16 Alpha = 0;
};

struct GRADIENT_TRIANGLE {
    ULONG Vertex1 = 0;
    ULONG Vertex2 = 0;
    ULONG Vertex3 = 0;
};

// The largest vertex coordinate accepted (the 27-bit coordinate space of the Win32 model);
// it keeps the exact edge arithmetic inside 64 bits.
constexpr LONG kMaxGradientCoord = 1 << 27;

// Fills each triangle of the mesh on a 24- or 32-bit bitmap, clipped to the bitmap and to
// clip (half-open) when given.
// Fill rule: a pixel is painted when its centre (x + 0.5, y + 0.5) lies inside the triangle;
// a centre exactly on an edge belongs to the triangle only when that edge is a top edge
// (horizontal, the triangle below it) or a left edge (the triangle to its right). So
// triangles that share an edge neither overlap nor leave gaps between them, and a fan of
// triangles covering a rectangle paints exactly the pixels of the half-open rectangle.
// Colour: each channel is interpolated linearly (barycentric weights) between the three
// vertex colours at the pixel centre, then brought to 8 bits as round(c16 / 256) (halves up,
// at most 255), so a channel given as v << 8 comes out as v. On 32-bit bitmaps the alpha
// channel is interpolated and written the same way.
// Returns false, painting nothing, when a triangle names a vertex index >= nVertex, when a
// vertex lies outside +-kMaxGradientCoord, or when a pointer is missing for a non-zero
// count. Degenerate (zero-area) triangles paint nothing.
bool GradientFillTriangles(Bitmap& bitmap, const TRIVERTEX* vertices, ULONG nVertex,
                           const GRADIENT_TRIANGLE* triangles, ULONG nTriangle,
                           const RECT* clip = nullptr);
