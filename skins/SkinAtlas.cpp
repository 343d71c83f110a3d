#include "skins/SkinAtlas.h"

#include <algorithm>
#include <numeric>

namespace {
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr int kGap = 1;
} // namespace

int TSkinAtlas::Add(Bitmap piece) {
    pieces_.push_back(std::move(piece));
    rects_.push_back(RECT{});
    return int(pieces_.size()) - 1;
}

Bitmap TSkinAtlas::Pack(int width) {
    std::vector<size_t> order(pieces_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return pieces_[a].Height() > pieces_[b].Height(); });
    int x = 0, y = 0, shelf = 0;
    for (size_t i : order) {
        const Bitmap& p = pieces_[i];
        width = std::max(width, p.Width());
        if (x + p.Width() > width) {
            x = 0;
            y += shelf + kGap;
            shelf = 0;
        }
        rects_[i] = Rect(x, y, x + p.Width(), y + p.Height());
        x += p.Width() + kGap;
        shelf = std::max(shelf, p.Height());
    }
    Bitmap master(width, std::max(1, y + shelf), 24);
    master.Fill(kKey);
    for (size_t i = 0; i < pieces_.size(); ++i) {
        const Bitmap& p = pieces_[i];
        for (int py = 0; py < p.Height(); ++py)
            for (int px = 0; px < p.Width(); ++px)
                master.SetPixel(rects_[i].left + px, rects_[i].top + py, p.GetPixel(px, py));
    }
    return master;
}
