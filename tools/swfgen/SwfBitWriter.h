#pragma once
// Writes SWF fields: little-endian integers and big-endian bit fields, plus the packed
// records (RECT, MATRIX, colours, colour transforms) built from them.
#include <cstdint>
#include <vector>

#include "movie/SwfTypes.h"

class TSwfBitWriter {
  public:
    void UB(uint32_t value, int bits);
    void SB(int32_t value, int bits);
    void Align(); // pads a partly written byte with zero bits

    void U8(uint8_t v);
    void U16(uint16_t v);
    void U32(uint32_t v);
    void Bytes(const std::vector<uint8_t>& bytes);
    void String(const char* text); // zero-terminated

    void Rect(const SwfRect& r);
    void Matrix(const SwfMatrix& m);
    void Rgb(SwfRgba c);
    void Rgba(SwfRgba c);
    void ColorTransform(const SwfColorTransform& cx, bool withAlpha);

    // Bits a signed field needs for value (0 for 0, so an all-zero field takes no bits).
    static int SignedBits(int64_t value);
    static int UnsignedBits(uint32_t value);
    static int32_t Fixed16(double value) {
        return int32_t(value * 65536.0 + (value < 0 ? -0.5 : 0.5));
    }

    const std::vector<uint8_t>& Data() const { return data_; }

  private:
    std::vector<uint8_t> data_;
    int bitPos_ = 0; // bits used in the last byte; 0 when aligned
};
