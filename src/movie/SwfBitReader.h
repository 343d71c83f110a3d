#pragma once
// Reads SWF fields from a byte range: little-endian integers and the big-endian bit fields
// that RECT, MATRIX, colour transforms and shape records are packed into. Every read checks
// the range first and throws SwfError (naming the offset in the file) rather than reading
// past its end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "movie/SwfTypes.h"

class TSwfBitReader {
  public:
    // baseOffset is where data starts in the file, so that errors name file offsets.
    TSwfBitReader(const uint8_t* data, size_t size, size_t baseOffset, std::string context);

    uint32_t UB(int bits);
    int32_t SB(int bits);
    double FB(int bits); // 16.16 fixed point in a signed bit field
    void Align();        // drops the rest of a partly read byte

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t S16();
    void Skip(size_t bytes);
    std::string String(); // zero-terminated

    SwfRect Rect();
    SwfMatrix Matrix();
    SwfRgba Rgb();
    SwfRgba Rgba();
    SwfColorTransform ColorTransform(bool withAlpha);

    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    size_t FileOffset() const { return base_ + pos_; }
    const uint8_t* Here() const { return data_ + pos_; }
    [[noreturn]] void Fail(const std::string& what) const;

  private:
    void Need(size_t bytes) const;

    const uint8_t* data_;
    size_t size_;
    size_t base_;
    std::string context_;
    size_t pos_ = 0;
    int bitPos_ = 0; // bits already taken from data_[pos_]; 0 when aligned
};
