#pragma once
// A region of the window system: a set of pixels, held as pure data (no handle). It is kept
// in canonical y-x banded form: horizontal bands sorted from top to bottom that do not
// overlap, each band a sorted list of disjoint, non-touching spans, and two vertically
// touching bands never carry the same spans. So two regions holding the same pixels hold
// the same bands and compare equal.
#include <cstddef>
#include <vector>

#include "platform/core/WinTypes.h"

// Combine modes and complexity codes with their Win32 values.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

class Region {
  public:
    Region() = default;
    // The pixels of a half-open rectangle. Like Win32, an inverted rectangle is normalised
    // (its sides swapped); a rectangle of zero width or height gives an empty region.
    explicit Region(const RECT& rect);

    // Sets this region to src1 <mode> src2 (src2 is not read for RGN_COPY). Either source may
    // be this region itself. Returns the complexity of the result, or RGN_ERROR (and leaves
    // this region unchanged) for an unknown mode.
    int Combine(const Region& src1, const Region& src2, int mode);
    void Offset(LONG dx, LONG dy);

    // Whether pixel (x, y) belongs to the region (right and bottom edges are outside).
    bool Contains(LONG x, LONG y) const;
    // Whether any pixel of the half-open rectangle belongs to the region; an empty
    // rectangle overlaps nothing.
    bool Intersects(const RECT& rect) const;
    // The bounding box (all zero for an empty region) and the complexity.
    int GetBox(RECT& box) const;
    int Complexity() const;
    bool IsEmpty() const { return bands_.empty(); }
    // The rectangles in y-x banded order: by band from top to bottom, then left to right.
    std::vector<RECT> Rects() const;

    // Adds the band [top, bottom) holding the spans [xs[0], xs[1]), [xs[2], xs[3]), ...
    // which must be sorted from left to right and not overlap; empty spans are dropped and
    // touching ones joined. Bands must be appended from top to bottom without overlapping
    // (top >= the bottom of the band appended before). Builds a region in linear time.
    void AppendBand(LONG top, LONG bottom, const LONG* xs, size_t count);

    friend bool operator==(const Region&, const Region&) = default;

  private:
    struct Band {
        LONG top = 0;
        LONG bottom = 0;
        std::vector<LONG> xs; // span edges: left, right, left, right, ...
        friend bool operator==(const Band&, const Band&) = default;
    };
    void AppendCanonical(LONG top, LONG bottom, std::vector<LONG>&& xs);

    std::vector<Band> bands_;
};

// The Win32 names, for code written against that model.
inline int CombineRgn(Region& dst, const Region& src1, const Region& src2, int mode) {
    return dst.Combine(src1, src2, mode);
}
inline int OffsetRgn(Region& region, int dx, int dy) {
    region.Offset(dx, dy);
    return region.Complexity();
}
inline bool PtInRegion(const Region& region, int x, int y) { return region.Contains(x, y); }
inline bool RectInRegion(const Region& region, const RECT& rect) { return region.Intersects(rect); }
inline int GetRgnBox(const Region& region, RECT& box) { return region.GetBox(box); }
