#pragma once
// Pixel work shared by the drawing calls: where one call may draw, a raster operation with a
// constant operand (a pen or brush colour) applied to rows, and the span painter that lines
// and shapes go through. Internal to the drawing services.
//
// On 32-bit surfaces the fourth byte takes part in every raster operation as a channel whose
// pen or brush value is 0, the way a COLORREF has a zero high byte: a copy writes alpha 0,
// XOR leaves it, NOT inverts it.
#include <cstdint>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"

// One drawing call's destination: the surface, the surface pixel of device (0, 0), and the
// effective clip as surface rectangles in banded order (empty: nothing may be drawn).
struct DrawTarget {
    Bitmap* bitmap = nullptr;
    POINT origin{};
    std::vector<RECT> clip;

    bool Empty() const { return !bitmap || clip.empty(); }
    RECT ToSurface(const RECT& device) const { return OffsetRect(device, origin.x, origin.y); }
};
DrawTarget TargetOf(const DeviceContext& dc);

// A horizontal run of pixels [x1, x2) on row y, in device coordinates.
struct Span {
    LONG y = 0;
    LONG x1 = 0;
    LONG x2 = 0;
};

// The operation d' = f(c, d) on every byte d of a pixel, c being the colour's byte for that
// channel. Decided once per call: a plain fill, a 256-entry table per channel, or nothing.
class SolidOp {
  public:
    // A binary raster operation (R2_BLACK .. R2_WHITE) with a pen or brush colour. Unknown
    // codes act as R2_COPYPEN.
    static SolidOp FromRop2(int rop2, COLORREF color);
    // A ternary raster operation that does not read a source (PATCOPY, PATINVERT, DSTINVERT,
    // BLACKNESS, WHITENESS and the like), with the brush colour as the pattern.
    static SolidOp FromPatternRop(DWORD rop, COLORREF brushColor);
    static SolidOp Copy(COLORREF color) { return FromRop2(13 /* R2_COPYPEN */, color); }

    bool IsNop() const { return kind_ == Kind::Nop; }
    // Sizes the fill pattern for rows of up to width pixels; the painters call it once.
    void Prepare(int width, int bytesPerPixel);
    // Applies the operation to count pixels starting at p (Prepare must cover count).
    void ApplyRow(uint8_t* p, int count, int bytesPerPixel) const;

  private:
    enum class Kind { Fill, Table, Nop };
    static SolidOp FromTable(unsigned table, COLORREF color);

    Kind kind_ = Kind::Nop;
    uint8_t value_[4] = {};      // Fill: the bytes written (blue, green, red, alpha)
    uint8_t table_[4][256] = {}; // Table: the new value of each byte, per channel
    std::vector<uint8_t> pattern_;
};

// Paints the rectangle (device coordinates) through the target's clip.
void PaintRect(const DrawTarget& target, const RECT& device, SolidOp& op);
// Paints the spans (device coordinates) through the target's clip. Spans are sorted and
// overlapping ones merged first, so every pixel is touched once even where a pen's stamps
// overlap (XOR drawing stays reversible).
void PaintSpans(const DrawTarget& target, std::vector<Span>& spans, SolidOp& op);
