#pragma once
// Read access to the pixels of a 24-bit bitmap through row addresses. An attachment is valid
// until the bitmap is resized or destroyed. Writers walk the bitmap's own ScanLine rows.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

class TqvFast24 {
  public:
    const ::Bitmap* Bitmap = nullptr;
    int Width = 0;
    int Height = 0;
    // Address of row 1 minus address of row 0: negative for a bottom-up bitmap.
    std::ptrdiff_t RowDelta = 0;
    const uint8_t* Row0 = nullptr;

    // Fails (and sets Width to 0) for a bitmap that is not 24-bit or is narrower or lower
    // than 2 pixels, because the row distance is measured between rows 0 and 1.
    bool Attach(const ::Bitmap& bitmap);

    const uint8_t* Row(int y) const { return Row0 + y * RowDelta; }
    // The pixel as a colour, red in the low byte. No bounds check: callers test against
    // Width and Height first.
    TColor Pixel(int x, int y) const {
        const uint8_t* p = Row(y) + 3 * x;
        return TColor(RGB(p[2], p[1], p[0]));
    }
};
