#pragma once
// 4-bit BMP files with the sixteen-colour Windows VGA palette, for the tool buttons' glyphs:
// the platform only writes 24 and 32-bit files.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

class Bmp4Writer {
  public:
    static const std::array<COLORREF, 16>& Palette();
    // Index of the palette colour nearest to color (squared distance).
    static int NearestIndex(COLORREF color);
    // A plain bottom-up file with an info header; each pixel is stored as its nearest palette
    // colour. Empty for an empty bitmap.
    static std::vector<uint8_t> Encode(const Bitmap& picture);
};
