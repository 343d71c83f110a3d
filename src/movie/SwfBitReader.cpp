#include "movie/SwfBitReader.h"

#include <utility>

#include "movie/SwfError.h"

TSwfBitReader::TSwfBitReader(const uint8_t* data, size_t size, size_t baseOffset,
                             std::string context)
    : data_(data), size_(size), base_(baseOffset), context_(std::move(context)) {}

void TSwfBitReader::Fail(const std::string& what) const {
    throw SwfError(context_ + ": " + what, FileOffset());
}

void TSwfBitReader::Need(size_t bytes) const {
    if (bytes > size_ - pos_) Fail("data ends too early");
}

uint32_t TSwfBitReader::UB(int bits) {
    if (bits < 0 || bits > 32) Fail("bad bit field width");
    // Bits left in the range, counted without forming a position past its end.
    uint64_t available = uint64_t(size_ - pos_) * 8 - uint64_t(bitPos_);
    if (uint64_t(bits) > available) Fail("bit field runs past the end");
    uint64_t value = 0;
    for (int i = 0; i < bits; ++i) {
        value = (value << 1) | ((data_[pos_] >> (7 - bitPos_)) & 1u);
        if (++bitPos_ == 8) {
            bitPos_ = 0;
            ++pos_;
        }
    }
    return uint32_t(value);
}

int32_t TSwfBitReader::SB(int bits) {
    uint32_t raw = UB(bits);
    if (bits == 0) return 0;
    if (bits < 32 && (raw & (1u << (bits - 1)))) raw |= ~((1u << bits) - 1u); // sign extension
    return int32_t(raw);
}

double TSwfBitReader::FB(int bits) { return SB(bits) / 65536.0; }

void TSwfBitReader::Align() {
    if (bitPos_ != 0) {
        bitPos_ = 0;
        ++pos_;
    }
}

uint8_t TSwfBitReader::U8() {
    Align();
    Need(1);
    return data_[pos_++];
}

uint16_t TSwfBitReader::U16() {
    Align();
    Need(2);
    uint16_t v = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

uint32_t TSwfBitReader::U32() {
    Align();
    Need(4);
    uint32_t v = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 |
                 uint32_t(data_[pos_ + 2]) << 16 | uint32_t(data_[pos_ + 3]) << 24;
    pos_ += 4;
    return v;
}

int16_t TSwfBitReader::S16() { return int16_t(U16()); }

void TSwfBitReader::Skip(size_t bytes) {
    Align();
    Need(bytes);
    pos_ += bytes;
}

std::string TSwfBitReader::String() {
    Align();
    std::string s;
    for (;;) {
        Need(1);
        char c = char(data_[pos_++]);
        if (c == 0) return s;
        s.push_back(c);
    }
}

SwfRect TSwfBitReader::Rect() {
    Align();
    int bits = int(UB(5));
    SwfRect r;
    r.xMin = SB(bits);
    r.xMax = SB(bits);
    r.yMin = SB(bits);
    r.yMax = SB(bits);
    Align();
    return r;
}

SwfMatrix TSwfBitReader::Matrix() {
    Align();
    SwfMatrix m;
    if (UB(1)) {
        int bits = int(UB(5));
        m.scaleX = FB(bits);
        m.scaleY = FB(bits);
    }
    if (UB(1)) {
        int bits = int(UB(5));
        m.rotateSkew0 = FB(bits);
        m.rotateSkew1 = FB(bits);
    }
    int bits = int(UB(5));
    m.translateX = SB(bits);
    m.translateY = SB(bits);
    Align();
    return m;
}

SwfRgba TSwfBitReader::Rgb() {
    SwfRgba c;
    c.r = U8();
    c.g = U8();
    c.b = U8();
    return c;
}

SwfRgba TSwfBitReader::Rgba() {
    SwfRgba c = Rgb();
    c.a = U8();
    return c;
}

SwfColorTransform TSwfBitReader::ColorTransform(bool withAlpha) {
    Align();
    SwfColorTransform cx;
    bool hasAdd = UB(1) != 0;
    bool hasMult = UB(1) != 0;
    int bits = int(UB(4));
    int channels = withAlpha ? 4 : 3;
    if (hasMult)
        for (int i = 0; i < channels; ++i) cx.mult[i] = SB(bits);
    if (hasAdd)
        for (int i = 0; i < channels; ++i) cx.add[i] = SB(bits);
    Align();
    return cx;
}
