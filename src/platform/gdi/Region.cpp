#include "platform/gdi/Region.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace {

bool Apply(int mode, bool inA, bool inB) {
    switch (mode) {
    case RGN_AND: return inA && inB;
    case RGN_OR: return inA || inB;
    case RGN_XOR: return inA != inB;
    default: return inA && !inB; // RGN_DIFF
    }
}

// One sweep over the edges of two canonical span lists. Canonical input has strictly
// increasing edges, so the output changes state only where the result does and is
// canonical again: no empty spans, no touching spans.
void CombineSpans(const std::vector<LONG>& a, const std::vector<LONG>& b, int mode,
                  std::vector<LONG>& out) {
    out.clear();
    size_t i = 0, j = 0;
    bool inA = false, inB = false, inOut = false;
    while (i < a.size() || j < b.size()) {
        LONG x;
        if (i == a.size())
            x = b[j];
        else if (j == b.size())
            x = a[i];
        else
            x = std::min(a[i], b[j]);
        if (i < a.size() && a[i] == x) {
            inA = !inA;
            ++i;
        }
        if (j < b.size() && b[j] == x) {
            inB = !inB;
            ++j;
        }
        const bool now = Apply(mode, inA, inB);
        if (now != inOut) {
            out.push_back(x);
            inOut = now;
        }
    }
}

} // namespace

Region::Region(const RECT& rect) {
    const LONG left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
    const LONG top = std::min(rect.top, rect.bottom), bottom = std::max(rect.top, rect.bottom);
    if (left < right && top < bottom) bands_.push_back(Band{top, bottom, {left, right}});
}

void Region::AppendCanonical(LONG top, LONG bottom, std::vector<LONG>&& xs) {
    if (xs.empty() || top >= bottom) return;
    if (!bands_.empty() && bands_.back().bottom == top && bands_.back().xs == xs) {
        bands_.back().bottom = bottom;
        return;
    }
    bands_.push_back(Band{top, bottom, std::move(xs)});
}

void Region::AppendBand(LONG top, LONG bottom, const LONG* xs, size_t count) {
    assert(count % 2 == 0);
    assert(bands_.empty() || top >= bands_.back().bottom);
    std::vector<LONG> spans;
    spans.reserve(count);
    for (size_t k = 0; k + 1 < count; k += 2) {
        const LONG x1 = xs[k], x2 = xs[k + 1];
        if (x1 >= x2) continue;
        assert(spans.empty() || x1 >= spans.back());
        if (!spans.empty() && x1 <= spans.back())
            spans.back() = std::max(spans.back(), x2);
        else {
            spans.push_back(x1);
            spans.push_back(x2);
        }
    }
    AppendCanonical(top, bottom, std::move(spans));
}

int Region::Combine(const Region& src1, const Region& src2, int mode) {
    if (mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    if (mode == RGN_COPY) {
        if (this != &src1) bands_ = src1.bands_;
        return Complexity();
    }

    // Every band edge of either source starts a new elementary strip; inside a strip each
    // source has one span list (or none), so the strip's spans are one sweep of the two.
    std::vector<LONG> ys;
    ys.reserve(2 * (src1.bands_.size() + src2.bands_.size()));
    for (const Region* r : {&src1, &src2})
        for (const Band& band : r->bands_) {
            ys.push_back(band.top);
            ys.push_back(band.bottom);
        }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    static const std::vector<LONG> kNone;
    Region result;
    std::vector<LONG> spans;
    size_t i = 0, j = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        const LONG y0 = ys[k], y1 = ys[k + 1];
        while (i < src1.bands_.size() && src1.bands_[i].bottom <= y0) ++i;
        while (j < src2.bands_.size() && src2.bands_[j].bottom <= y0) ++j;
        const bool hasA = i < src1.bands_.size() && src1.bands_[i].top <= y0;
        const bool hasB = j < src2.bands_.size() && src2.bands_[j].top <= y0;
        CombineSpans(hasA ? src1.bands_[i].xs : kNone, hasB ? src2.bands_[j].xs : kNone, mode,
                     spans);
        result.AppendCanonical(y0, y1, std::vector<LONG>(spans));
    }
    bands_ = std::move(result.bands_);
    return Complexity();
}

void Region::Offset(LONG dx, LONG dy) {
    for (Band& band : bands_) {
        band.top += dy;
        band.bottom += dy;
        for (LONG& x : band.xs) x += dx;
    }
}

bool Region::Contains(LONG x, LONG y) const {
    auto band = std::upper_bound(bands_.begin(), bands_.end(), y,
                                 [](LONG v, const Band& b) { return v < b.bottom; });
    if (band == bands_.end() || band->top > y) return false;
    // Inside a span exactly when an odd number of edges lie at or left of x.
    const auto edge = std::upper_bound(band->xs.begin(), band->xs.end(), x);
    return (edge - band->xs.begin()) % 2 == 1;
}

bool Region::Intersects(const RECT& rect) const {
    if (IsRectEmpty(rect)) return false;
    for (const Band& band : bands_) {
        if (band.bottom <= rect.top) continue;
        if (band.top >= rect.bottom) break;
        for (size_t k = 0; k < band.xs.size(); k += 2)
            if (band.xs[k] < rect.right && band.xs[k + 1] > rect.left) return true;
    }
    return false;
}

int Region::GetBox(RECT& box) const {
    box = RECT{};
    if (bands_.empty()) return NULLREGION;
    box.top = bands_.front().top;
    box.bottom = bands_.back().bottom;
    box.left = bands_.front().xs.front();
    box.right = bands_.front().xs.back();
    for (const Band& band : bands_) {
        box.left = std::min(box.left, band.xs.front());
        box.right = std::max(box.right, band.xs.back());
    }
    return Complexity();
}

int Region::Complexity() const {
    if (bands_.empty()) return NULLREGION;
    return bands_.size() == 1 && bands_.front().xs.size() == 2 ? SIMPLEREGION : COMPLEXREGION;
}

std::vector<RECT> Region::Rects() const {
    std::vector<RECT> rects;
    for (const Band& band : bands_)
        for (size_t k = 0; k < band.xs.size(); k += 2)
            rects.push_back(RECT{band.xs[k], band.top, band.xs[k + 1], band.bottom});
    return rects;
}
