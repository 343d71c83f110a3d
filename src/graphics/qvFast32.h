#pragma once
// Read access to the pixels of a 32-bit bitmap (blue, green, red, alpha) through row
// addresses. An attachment is valid until the bitmap is resized or destroyed.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

class TqvFast32 {
  public:
    const ::Bitmap* Bitmap = nullptr;
    int Width = 0;
    int Height = 0;
    // Address of row 1 minus address of row 0: negative for a bottom-up bitmap.
    std::ptrdiff_t RowDelta = 0;
    const uint8_t* Row0 = nullptr;

    // Fails (and sets Width to 0) for a bitmap that is not 32-bit or is narrower or lower
    // than 2 pixels, because the row distance is measured between rows 0 and 1.
    bool Attach(const ::Bitmap& bitmap);

    const uint8_t* Row(int y) const { return Row0 + y * RowDelta; }
    // The pixel's colour bytes, red in the low byte; the alpha byte is not part of it.
    // No bounds check: callers test against Width and Height first.
    TColor Pixel(int x, int y) const {
        const uint8_t* p = Row(y) + 4 * x;
        return TColor(RGB(p[2], p[1], p[0]));
    }
};
