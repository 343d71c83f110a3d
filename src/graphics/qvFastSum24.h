#pragma once
// Weighted blend of a rectangle of one 24-bit bitmap into another, through row addresses.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Bitmap.h"

class TqvFastSum24 {
  public:
    const ::Bitmap* Src = nullptr;
    ::Bitmap* Dst = nullptr;
    int Width = 0;  // the smaller of the two widths
    int Height = 0; // the smaller of the two heights
    const uint8_t* SrcRow0 = nullptr;
    uint8_t* DstRow0 = nullptr;
    std::ptrdiff_t SrcDelta = 0; // address of row 1 minus row 0, negative when bottom-up
    std::ptrdiff_t DstDelta = 0;
    uint8_t Alpha = 0; // the weight the destination keeps, out of 255
    // Destination and source rectangles, half-open.
    int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
    int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;

    // Fails when either bitmap is not 24-bit or is narrower or lower than 2 pixels. Src and
    // Dst may be the same bitmap.
    bool Attach(const ::Bitmap& src, ::Bitmap& dst);

    // Blends the source rectangle into the destination rectangle, byte by byte:
    // d = (d*Alpha + s*(255-Alpha) + 127) >> 8. Source row of destination row y is
    // y - (DstY2 - SrcY2), source byte of destination byte b is b - (DstX1 - SrcX1)*3.
    // The caller clips; rectangles reaching outside either bitmap make it do nothing.
    // When Src and Dst are the same bitmap, rows are walked from DstY2-1 up and bytes from
    // right to left, which fixes the outcome of overlapping rectangles.
    void BlendRows();
};
