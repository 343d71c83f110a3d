#pragma once
// The program's icon: a bar chart with a rising trend line on a light rounded tile.
#include "platform/gdi/Bitmap.h"

class IconPainter {
  public:
    // 32 bits with straight alpha, size x size; the corners are transparent.
    static Bitmap Paint(int size);
};
