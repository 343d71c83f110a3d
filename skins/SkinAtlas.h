#pragma once
// Packs the skin's pictures into its master bitmap, shelf by shelf, with a key-coloured gap
// between neighbours so that no picture bleeds into another.
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

class TSkinAtlas {
  public:
    // Returns the picture's number; its place is known after Pack.
    int Add(Bitmap piece);
    // Lays every picture out in a bitmap of the given width (taller pictures first).
    Bitmap Pack(int width);
    // The picture's rectangle in the packed bitmap (right and bottom exclusive).
    RECT RectOf(int id) const { return rects_[size_t(id)]; }

  private:
    std::vector<Bitmap> pieces_;
    std::vector<RECT> rects_;
};
