#include "toolkit/ImageList.h"

#include <algorithm>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(std::max(1, width)), height_(std::max(1, height)) {}

void TImageList::SetSize(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    images_.clear();
    Changed();
}

void TImageList::SetTransparentColor(COLORREF color) {
    transparent_ = color & 0xFFFFFF;
    Changed();
}

int TImageList::Add(const Bitmap& strip) {
    if (strip.Height() < height_ || strip.Width() < width_) return -1;
    const int first = Count();
    for (int left = 0; left + width_ <= strip.Width(); left += width_) {
        Bitmap image(width_, height_, 24, true);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                image.SetPixel(x, y, strip.GetPixel(left + x, y) & 0xFFFFFF);
        images_.push_back(std::move(image));
    }
    Changed();
    return first;
}

int TImageList::Add(HBITMAP strip) {
    const Bitmap* b = BitmapOf(strip);
    return b ? Add(*b) : -1;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    images_.erase(images_.begin() + index);
    Changed();
}

void TImageList::Clear() {
    images_.clear();
    Changed();
}

const Bitmap* TImageList::Image(int index) const {
    return index >= 0 && index < Count() ? &images_[size_t(index)] : nullptr;
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
    const Bitmap* image = Image(index);
    if (!image || !dc) return;
    // Icon-sized images: pixel by pixel through the context keeps its clip and origin.
    const auto opaque = [&](int px, int py) {
        return (image->GetPixel(px, py) & 0xFFFFFF) != transparent_;
    };
    if (enabled) {
        for (int py = 0; py < height_; ++py)
            for (int px = 0; px < width_; ++px)
                if (opaque(px, py))
                    SetPixel(dc, x + px, y + py, image->GetPixel(px, py) & 0xFFFFFF);
        return;
    }
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int py = 0; py < height_; ++py)
        for (int px = 0; px < width_; ++px)
            if (opaque(px, py)) SetPixel(dc, x + px + 1, y + py + 1, highlight);
    for (int py = 0; py < height_; ++py)
        for (int px = 0; px < width_; ++px)
            if (opaque(px, py)) SetPixel(dc, x + px, y + py, shadow);
}

void TImageList::Changed() {
    if (OnChange) OnChange();
}
