#include "platform/gdi/Bitmap.h"

#include "platform/core/WinTypes.h"

Bitmap::Bitmap(int width, int height, int bitsPerPixel, bool topDown)
    : bpp_(bitsPerPixel == 32 ? 32 : 24), topDown_(topDown) {
    SetSize(width, height);
}

bool Bitmap::SetSize(int width, int height) {
    bits_.clear();
    width_ = height_ = stride_ = 0;
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide ||
        int64_t(width) * height > kMaxPixels)
        return false;
    width_ = width;
    height_ = height;
    stride_ = ((width * bpp_ + 31) / 32) * 4;
    bits_.assign(size_t(stride_) * size_t(height), 0);
    return true;
}

bool Bitmap::SetFormat(int bitsPerPixel) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return false;
    if (bitsPerPixel == bpp_) return true;
    Bitmap converted(width_, height_, bitsPerPixel, topDown_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) converted.SetPixel(x, y, GetPixel(x, y));
    *this = std::move(converted);
    return true;
}

uint32_t Bitmap::GetPixel(int x, int y) const {
    const uint8_t* p = ScanLine(y) + x * BytesPerPixel();
    return RGB(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, uint32_t color) {
    uint8_t* p = ScanLine(y) + x * BytesPerPixel();
    p[0] = GetBValue(color);
    p[1] = GetGValue(color);
    p[2] = GetRValue(color);
}

void Bitmap::Fill(uint32_t color) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) SetPixel(x, y, color);
}
