#include "platform/window/ScreenOverlay.h"

ScreenOverlay& ScreenOverlay::Instance() {
    static ScreenOverlay overlay;
    return overlay;
}

// A new screen size starts a new overlay.
void ScreenOverlay::Fit(int width, int height) {
    if (pixels_.Width() == width && pixels_.Height() == height) return;
    pixels_ = Bitmap(width, height, 24, true);
    kept_.assign(size_t(width) * size_t(height), false);
    keptCount_ = 0;
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
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t now = surface.GetPixel(x, y) & 0xFFFFFF;
            const bool differs = now != (base.GetPixel(x, y) & 0xFFFFFF);
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            if (differs) pixels_.SetPixel(x, y, now);
            if (differs != kept_[i]) keptCount_ += differs ? 1 : -1;
            kept_[i] = differs;
        }
}

void ScreenOverlay::ApplyTo(Bitmap& screen) const {
    if (keptCount_ == 0 || screen.Width() != pixels_.Width() || screen.Height() != pixels_.Height())
        return;
    const int w = screen.Width(), h = screen.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (kept_[size_t(y) * size_t(w) + size_t(x)])
                screen.SetPixel(x, y, pixels_.GetPixel(x, y));
}

void ScreenOverlay::Clear() {
    kept_.assign(kept_.size(), false);
    keptCount_ = 0;
}
