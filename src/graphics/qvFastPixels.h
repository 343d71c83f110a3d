#pragma once
// Read access to the pixels of a 24-bit (blue, green, red) or 32-bit (blue, green, red,
// alpha) bitmap through row addresses. An attachment is valid until the bitmap is resized or
// destroyed. Writers walk the bitmap's own ScanLine rows.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

template <int BitsPerPixel>
class TqvFastPixels {
    static_assert(BitsPerPixel == 24 || BitsPerPixel == 32);
    static constexpr int kBytesPerPixel = BitsPerPixel / 8;

  public:
    const ::Bitmap* Bitmap = nullptr;
    int Width = 0;
    int Height = 0;
    // Address of row 1 minus address of row 0: negative for a bottom-up bitmap.
    std::ptrdiff_t RowDelta = 0;
    const uint8_t* Row0 = nullptr;

    // Fails (and sets Width to 0) for a bitmap of another depth or one narrower or lower than
    // 2 pixels, because the row distance is measured between rows 0 and 1.
    bool Attach(const ::Bitmap& bitmap) {
        *this = TqvFastPixels{};
        if (bitmap.BitsPerPixel() != BitsPerPixel || bitmap.Width() < 2 || bitmap.Height() < 2)
            return false;
        Bitmap = &bitmap;
        Width = bitmap.Width();
        Height = bitmap.Height();
        Row0 = bitmap.ScanLine(0);
        RowDelta = bitmap.ScanLine(1) - Row0;
        return true;
    }

    const uint8_t* Row(int y) const { return Row0 + y * RowDelta; }
    // The pixel's colour, red in the low byte; a 32-bit pixel's alpha byte is not part of it.
    // No bounds check: callers test against Width and Height first.
    TColor Pixel(int x, int y) const {
        const uint8_t* p = Row(y) + kBytesPerPixel * x;
        return TColor(RGB(p[2], p[1], p[0]));
    }
};
