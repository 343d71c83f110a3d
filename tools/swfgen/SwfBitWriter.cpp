#include "tools/swfgen/SwfBitWriter.h"

#include <algorithm>

void TSwfBitWriter::UB(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        if (bitPos_ == 0) data_.push_back(0);
        if ((value >> i) & 1u) data_.back() |= uint8_t(0x80u >> bitPos_);
        bitPos_ = (bitPos_ + 1) & 7;
    }
}

void TSwfBitWriter::SB(int32_t value, int bits) {
    UB(uint32_t(value) & (bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u)), bits);
}

void TSwfBitWriter::Align() { bitPos_ = 0; }

void TSwfBitWriter::U8(uint8_t v) {
    Align();
    data_.push_back(v);
}

void TSwfBitWriter::U16(uint16_t v) {
    U8(uint8_t(v));
    U8(uint8_t(v >> 8));
}

void TSwfBitWriter::U32(uint32_t v) {
    U16(uint16_t(v));
    U16(uint16_t(v >> 16));
}

void TSwfBitWriter::Bytes(const std::vector<uint8_t>& bytes) {
    Align();
    data_.insert(data_.end(), bytes.begin(), bytes.end());
}

void TSwfBitWriter::String(const char* text) {
    while (*text) U8(uint8_t(*text++));
    U8(0);
}

int TSwfBitWriter::SignedBits(int64_t value) {
    if (value == 0) return 0;
    int bits = 1;
    while (value < -(int64_t(1) << (bits - 1)) || value >= (int64_t(1) << (bits - 1))) ++bits;
    return bits;
}

int TSwfBitWriter::UnsignedBits(uint32_t value) {
    int bits = 0;
    while (bits < 32 && (value >> bits) != 0) ++bits;
    return bits;
}

void TSwfBitWriter::Rect(const SwfRect& r) {
    Align();
    int bits =
        std::max({SignedBits(r.xMin), SignedBits(r.xMax), SignedBits(r.yMin), SignedBits(r.yMax)});
    UB(uint32_t(bits), 5);
    SB(r.xMin, bits);
    SB(r.xMax, bits);
    SB(r.yMin, bits);
    SB(r.yMax, bits);
    Align();
}

void TSwfBitWriter::Matrix(const SwfMatrix& m) {
    Align();
    const bool hasScale = m.scaleX != 1 || m.scaleY != 1;
    UB(hasScale, 1);
    if (hasScale) {
        int32_t sx = Fixed16(m.scaleX), sy = Fixed16(m.scaleY);
        int bits = std::max({SignedBits(sx), SignedBits(sy), 1});
        UB(uint32_t(bits), 5);
        SB(sx, bits);
        SB(sy, bits);
    }
    const bool hasRotate = m.rotateSkew0 != 0 || m.rotateSkew1 != 0;
    UB(hasRotate, 1);
    if (hasRotate) {
        int32_t r0 = Fixed16(m.rotateSkew0), r1 = Fixed16(m.rotateSkew1);
        int bits = std::max({SignedBits(r0), SignedBits(r1), 1});
        UB(uint32_t(bits), 5);
        SB(r0, bits);
        SB(r1, bits);
    }
    int32_t tx = int32_t(m.translateX), ty = int32_t(m.translateY);
    int bits = std::max(SignedBits(tx), SignedBits(ty));
    UB(uint32_t(bits), 5);
    SB(tx, bits);
    SB(ty, bits);
    Align();
}

void TSwfBitWriter::Rgb(SwfRgba c) {
    U8(c.r);
    U8(c.g);
    U8(c.b);
}

void TSwfBitWriter::Rgba(SwfRgba c) {
    Rgb(c);
    U8(c.a);
}

void TSwfBitWriter::ColorTransform(const SwfColorTransform& cx, bool withAlpha) {
    Align();
    const int channels = withAlpha ? 4 : 3;
    bool hasMult = false, hasAdd = false;
    int bits = 0;
    for (int i = 0; i < channels; ++i) {
        hasMult |= cx.mult[i] != 256;
        hasAdd |= cx.add[i] != 0;
    }
    for (int i = 0; i < channels; ++i) {
        if (hasMult) bits = std::max(bits, SignedBits(cx.mult[i]));
        if (hasAdd) bits = std::max(bits, SignedBits(cx.add[i]));
    }
    UB(hasAdd, 1);
    UB(hasMult, 1);
    UB(uint32_t(bits), 4);
    if (hasMult)
        for (int i = 0; i < channels; ++i) SB(cx.mult[i], bits);
    if (hasAdd)
        for (int i = 0; i < channels; ++i) SB(cx.add[i], bits);
    Align();
}
