#pragma once
// Pictures are drawn at a multiple of their size with the window system's hard-edged GDI and
// then box-filtered down, which gives smooth edges to shapes and curves.
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

class Supersampler {
  public:
    // A 24-bit picture 1/factor the size, each pixel the mean of its factor x factor block.
    static Bitmap Reduce(const Bitmap& large, int factor);
    // A 32-bit picture 1/factor the size over transparency: pixels of the key colour are
    // empty, alpha is the share of the block that is not, the colour the mean of those pixels.
    static Bitmap ReduceOverKey(const Bitmap& large, int factor, COLORREF key);
};
