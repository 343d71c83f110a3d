#include "platform/window/ScreenOverlay.h"

#include <algorithm>

ScreenOverlay& ScreenOverlay::Instance() {
    static ScreenOverlay overlay;
    return overlay;
}

// A new screen size starts a new overlay.
void ScreenOverlay::Fit(int width, int height) {
    if (pixels_.Width() == width && pixels_.Height() == height) return;
    if (keptCount_ > 0) NoteChanged(Rect(0, 0, pixels_.Width(), pixels_.Height()));
    pixels_ = Bitmap(width, height, 24, true);
    kept_.assign(size_t(width) * size_t(height), false);
    keptCount_ = 0;
}

void ScreenOverlay::NoteChanged(const RECT& area) { UnionRect(changed_, changed_, area); }

RECT ScreenOverlay::TakeChangedArea() {
    const RECT area = changed_;
    changed_ = RECT{};
    return area;
}

void ScreenOverlay::Begin(HDC dc, const Bitmap& windows, Bitmap& surface) {
    Fit(windows.Width(), windows.Height());
    bases_[dc] = windows;
    ApplyTo(surface);
}

void ScreenOverlay::End(HDC dc, const Bitmap& surface) {
    const auto it = bases_.find(dc);
    if (it == bases_.end()) return;
    const Bitmap base = std::move(it->second);
    bases_.erase(it);
    const int w = base.Width(), h = base.Height();
    if (surface.Width() != w || surface.Height() != h || pixels_.Width() != w ||
        pixels_.Height() != h)
        return;
    RECT changed{};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t now = surface.GetPixel(x, y) & 0xFFFFFF;
            const bool differs = now != (base.GetPixel(x, y) & 0xFFFFFF);
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            const bool shown = differs || kept_[i];
            if (shown && (differs != kept_[i] || (pixels_.GetPixel(x, y) & 0xFFFFFF) != now))
                UnionRect(changed, changed, Rect(x, y, x + 1, y + 1));
            if (differs) pixels_.SetPixel(x, y, now);
            if (differs != kept_[i]) keptCount_ += differs ? 1 : -1;
            kept_[i] = differs;
        }
    NoteChanged(changed);
}

void ScreenOverlay::ApplyTo(Bitmap& screen) const {
    if (keptCount_ == 0 || screen.Width() != pixels_.Width() || screen.Height() != pixels_.Height())
        return;
    ApplyToRows(screen.ScanLine(0), screen.RowDelta(), Rect(0, 0, screen.Width(), screen.Height()));
}

void ScreenOverlay::ApplyToRows(uint8_t* row0, std::ptrdiff_t rowDelta, const RECT& area) const {
    if (keptCount_ == 0 || pixels_.BitsPerPixel() != 24) return;
    const int left = std::max<int>(area.left, 0), top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, pixels_.Width());
    const int bottom = std::min<int>(area.bottom, pixels_.Height());
    const size_t width = size_t(pixels_.Width());
    for (int y = top; y < bottom; ++y) {
        const uint8_t* src = pixels_.ScanLine(y) + 3 * left;
        uint8_t* dst = row0 + (y - area.top) * rowDelta + 3 * (left - area.left);
        const size_t rowStart = size_t(y) * width;
        for (int x = left; x < right; ++x, src += 3, dst += 3)
            if (kept_[rowStart + size_t(x)]) dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
    }
}

void ScreenOverlay::Clear() {
    if (keptCount_ > 0) NoteChanged(Rect(0, 0, pixels_.Width(), pixels_.Height()));
    kept_.assign(kept_.size(), false);
    keptCount_ = 0;
}
