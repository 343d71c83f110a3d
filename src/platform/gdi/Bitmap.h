#pragma once
// A device-independent bitmap whose rows can be addressed directly: 24 bits per pixel
// (blue, green, red) or 32 bits (blue, green, red, alpha). Rows are aligned to four bytes.
// Like a Win32 DIB it is stored bottom-up unless asked otherwise, so row 0 (the top row)
// is the last one in memory; code that walks rows uses ScanLine and the row distance
// rather than assuming either order.
#include <cstddef>
#include <cstdint>
#include <vector>

class Bitmap {
  public:
    // The largest side and area a bitmap may have; larger requests are refused (empty bitmap)
    // so that a forged size in outside data cannot make us allocate without bound.
    static constexpr int kMaxSide = 32768;
    static constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

    Bitmap() = default;
    Bitmap(int width, int height, int bitsPerPixel, bool topDown = false);

    // Reallocates with zeroed pixels. Returns false (and leaves an empty bitmap) when the
    // size is negative, too large or the format is not 24 or 32 bits.
    bool SetSize(int width, int height);
    // Converts to 24 or 32 bits keeping the colours (a new alpha byte is 0); false for any
    // other depth.
    bool SetFormat(int bitsPerPixel);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bpp_; }
    int BytesPerPixel() const { return bpp_ / 8; }
    bool TopDown() const { return topDown_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Bytes from one row to the next in memory, always positive.
    int Stride() const { return stride_; }
    // Signed distance in bytes from the address of row y to that of row y + 1.
    std::ptrdiff_t RowDelta() const { return topDown_ ? stride_ : -std::ptrdiff_t(stride_); }

    // Address of row y counted from the top (0 <= y < Height()).
    uint8_t* ScanLine(int y) { return bits_.data() + RowOffset(y); }
    const uint8_t* ScanLine(int y) const { return bits_.data() + RowOffset(y); }

    // The whole pixel store, rows in memory order.
    uint8_t* Bits() { return bits_.data(); }
    const uint8_t* Bits() const { return bits_.data(); }
    size_t SizeInBytes() const { return bits_.size(); }

    // Pixel as a colour value (red in the low byte); for tests and slow paths only.
    uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t color);
    void Fill(uint32_t color);

  private:
    size_t RowOffset(int y) const {
        return size_t(topDown_ ? y : height_ - 1 - y) * size_t(stride_);
    }

    int width_ = 0;
    int height_ = 0;
    int bpp_ = 24;
    int stride_ = 0;
    bool topDown_ = false;
    std::vector<uint8_t> bits_;
};
