#include "graphics/sAlphaGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define STAT_TINT_SSE2 1
#endif

#include "graphics/qvFast24.h"
#include "graphics/qvFastSum24.h"
#include "platform/gdi/FillRoundRect.h"

namespace {

// Outside every 24-bit value, so a disabled key never matches a pixel.
constexpr uint32_t kNoKey = 0xFFFFFFFFu;

// The 24-bit value a key argument is compared with, or kNoKey when its high byte turns the
// key test off.
uint32_t KeyValue(TColor key) {
    if ((uint32_t(key) >> 24) == 0xFF) return kNoKey;
    return ColorToRGB(key) & 0xFFFFFFu;
}

// The 3 bytes blue, green, red at p as a colour value (red in the low byte).
inline uint32_t PixelValue(const uint8_t* p) { return RGB(p[2], p[1], p[0]); }

inline uint8_t ClampByte(int v) { return uint8_t(std::clamp(v, 0, 255)); }

// Round to nearest, ties to even (the default floating-point rounding mode), then clamp.
inline uint8_t RoundByte(double v) { return uint8_t(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

bool Is24(const Bitmap& b) { return b.BitsPerPixel() == 24 && !b.Empty(); }

bool SameSize(const Bitmap& a, const Bitmap& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// The part of an inclusive source rectangle that lies inside both bitmaps once placed with
// its top-left corner at (x, y). Destination = source + (dx, dy); parts outside either
// bitmap are cut without moving the rest.
struct CopyArea {
    int sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0; // half-open, in source coordinates
    int dx = 0, dy = 0;
};

bool ClipCopy(const Bitmap& dst, const Bitmap& src, int x, int y, const RECT& inclusiveSrc,
              CopyArea& area) {
    const int64_t dx = int64_t(x) - inclusiveSrc.left, dy = int64_t(y) - inclusiveSrc.top;
    const int64_t sx1 = std::max<int64_t>({inclusiveSrc.left, 0, -dx});
    const int64_t sy1 = std::max<int64_t>({inclusiveSrc.top, 0, -dy});
    const int64_t sx2 =
        std::min<int64_t>({int64_t(inclusiveSrc.right) + 1, src.Width(), dst.Width() - dx});
    const int64_t sy2 =
        std::min<int64_t>({int64_t(inclusiveSrc.bottom) + 1, src.Height(), dst.Height() - dy});
    if (sx1 >= sx2 || sy1 >= sy2) return false;
    area = CopyArea{int(sx1), int(sy1), int(sx2), int(sy2), int(dx), int(dy)};
    return true;
}

// Copies the area; with Keyed, source pixels equal to key are not copied and, WithParent,
// take the parent's pixel at (parentX + dx, parentY + dy) of their destination (dx, dy)
// where the parent has one.
template <bool Keyed, bool WithParent>
void CopyRows(Bitmap& dst, const Bitmap& src, const CopyArea& a, uint32_t key,
              const TqvFast24* parent, int parentX, int parentY) {
    for (int sy = a.sy1; sy < a.sy2; ++sy) {
        const int dy = sy + a.dy;
        const uint8_t* s = src.ScanLine(sy) + a.sx1 * 3;
        uint8_t* d = dst.ScanLine(dy) + (a.sx1 + a.dx) * 3;
        // The destination columns [lo, hi) that have a parent pixel in this row.
        const uint8_t* parentRow = nullptr;
        int64_t lo = 0, hi = 0;
        if constexpr (WithParent) {
            const int64_t py = int64_t(parentY) + dy;
            if (py >= 0 && py < parent->Height) {
                parentRow = parent->Row(int(py));
                lo = -int64_t(parentX);
                hi = int64_t(parent->Width) - parentX;
            }
        }
        for (int sx = a.sx1; sx < a.sx2; ++sx, s += 3, d += 3) {
            if constexpr (Keyed) {
                if (PixelValue(s) == key) {
                    if constexpr (WithParent) {
                        const int64_t dx = int64_t(sx) + a.dx;
                        if (parentRow && dx >= lo && dx < hi)
                            std::memcpy(d, parentRow + (dx + parentX) * 3, 3);
                    }
                    continue;
                }
            }
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

void CopyArea24(Bitmap& dst, const Bitmap& src, int x, int y, TColor key, const RECT& srcRect,
                const TqvFast24* parent, int parentX, int parentY) {
    if (!Is24(dst) || !Is24(src)) return;
    CopyArea area;
    if (!ClipCopy(dst, src, x, y, srcRect, area)) return;
    const uint32_t keyValue = KeyValue(key);
    if (keyValue == kNoKey)
        CopyRows<false, false>(dst, src, area, keyValue, nullptr, 0, 0);
    else if (parent)
        CopyRows<true, true>(dst, src, area, keyValue, parent, parentX, parentY);
    else
        CopyRows<true, false>(dst, src, area, keyValue, nullptr, 0, 0);
}

template <bool Keyed>
void BlendKeyedRows(Bitmap& dst, const Bitmap& src, const CopyArea& a, uint32_t key, double ratio) {
    for (int sy = a.sy1; sy < a.sy2; ++sy) {
        const uint8_t* s = src.ScanLine(sy) + a.sx1 * 3;
        uint8_t* d = dst.ScanLine(sy + a.dy) + (a.sx1 + a.dx) * 3;
        for (int sx = a.sx1; sx < a.sx2; ++sx, s += 3, d += 3) {
            if constexpr (Keyed)
                if (PixelValue(s) == key) continue;
            // d = round(s - ratio*(s - d)), ties to even
            for (int c = 0; c < 3; ++c) d[c] = RoundByte(s[c] - ratio * (s[c] - d[c]));
        }
    }
}

template <bool WithMap>
void CrossFadeRows(Bitmap& out32, const Bitmap& first, const Bitmap& second, int alpha,
                   const Bitmap* alphaMap, int width, int height) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* f = first.ScanLine(y);
        const uint8_t* s = second.ScanLine(y);
        const uint8_t* m = WithMap ? alphaMap->ScanLine(y) : nullptr;
        uint8_t* o = out32.ScanLine(y);
        for (int x = 0; x < width; ++x, f += 3, s += 3, o += 4) {
            for (int c = 0; c < 3; ++c) {
                int a = alpha;
                if constexpr (WithMap) a = m[c];
                // out = clamp((a*(f - s) + s*256) >> 8), the shift rounding toward minus
                // infinity
                o[c] = ClampByte((a * (f[c] - s[c]) + s[c] * 256) >> 8);
            }
            if constexpr (WithMap) m += 3;
        }
    }
}

// A tint maps each byte by an affine function. In 16-bit fixed point it becomes
// r = ((c << 8)*mul >> 16) + add[channel]) >> 8; where that reproduces the real-valued
// table for every input of every channel, rows can be tinted 16 bytes at a time with the
// same results. Ties (percent 50 and the like) and percents outside 0..99 keep the table.
struct FixedTint {
    uint16_t mul = 0;
    uint16_t add[3] = {};
};

bool FixedTintFor(const uint8_t (&table)[3][256], double p, const int (&target)[3],
                  FixedTint& fixed) {
    if (!(p >= 0 && p < 1)) return false;
    const double mul = std::nearbyint(p * 65536);
    if (mul > 65535) return false;
    fixed.mul = uint16_t(mul);
    for (int c = 0; c < 3; ++c) {
        const double add = std::nearbyint(((1 - p) * target[c] + 0.5) * 256);
        if (add < 0 || add > 65535) return false;
        fixed.add[c] = uint16_t(add);
        for (uint32_t v = 0; v < 256; ++v) {
            const uint32_t t = ((v << 8) * fixed.mul) >> 16;
            if (uint16_t(t + fixed.add[c]) >> 8 != table[c][v]) return false;
        }
    }
    return true;
}

void TintRowTable(uint8_t* px, int pixels, const uint8_t (&table)[3][256]) {
    for (int x = 0; x < pixels; ++x, px += 3) {
        px[0] = table[0][px[0]];
        px[1] = table[1][px[1]];
        px[2] = table[2][px[2]];
    }
}

#ifdef STAT_TINT_SSE2
// 48 bytes (16 pixels) per step, so every block starts with a blue byte.
class TintSse2 {
  public:
    explicit TintSse2(const FixedTint& f) : mul_(_mm_set1_epi16(short(f.mul))) {
        for (int v = 0; v < 3; ++v) {
            uint16_t lo[8], hi[8];
            for (int i = 0; i < 8; ++i) {
                lo[i] = f.add[(16 * v + i) % 3];
                hi[i] = f.add[(16 * v + 8 + i) % 3];
            }
            addLo_[v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lo));
            addHi_[v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hi));
        }
    }
    // Returns the number of whole pixels done.
    int Row(uint8_t* px, int pixels) const {
        const __m128i zero = _mm_setzero_si128();
        int done = 0;
        for (; done + 16 <= pixels; done += 16, px += 48)
            for (int v = 0; v < 3; ++v) {
                __m128i* p = reinterpret_cast<__m128i*>(px + 16 * v);
                const __m128i bytes = _mm_loadu_si128(p);
                // (c << 8) in each 16-bit lane, high half of the product with mul
                const __m128i lo = _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, bytes), mul_);
                const __m128i hi = _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, bytes), mul_);
                _mm_storeu_si128(p,
                                 _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(lo, addLo_[v]), 8),
                                                  _mm_srli_epi16(_mm_add_epi16(hi, addHi_[v]), 8)));
            }
        return done;
    }

  private:
    __m128i mul_;
    __m128i addLo_[3], addHi_[3];
};
#endif

} // namespace

std::unique_ptr<Bitmap> NewBitmap24(int width, int height) {
    return std::make_unique<Bitmap>(width, height, 24);
}

std::unique_ptr<Bitmap> NewBitmap32(int width, int height) {
    return std::make_unique<Bitmap>(width, height, 32);
}

void TintRectToColor(Bitmap& bitmap, RECT r, int percent, TColor color) {
    if (!Is24(bitmap)) return;
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, bitmap.Width() - 1);
    r.bottom = std::min<LONG>(r.bottom, bitmap.Height() - 1);
    if (r.bottom < r.top || r.right < r.left) return;

    // The result of a channel depends on its old value alone, so a table per channel,
    // filled with the exact real formula, gives the same bytes at a lookup each.
    const COLORREF rgb = ColorToRGB(color);
    const double p = percent / 100.0;
    const int target[3] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
    uint8_t table[3][256];
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) table[c][v] = RoundByte(p * v + (1 - p) * target[c]);

    const int count = r.right - r.left + 1;
#ifdef STAT_TINT_SSE2
    FixedTint fixed;
    if (FixedTintFor(table, p, target, fixed)) {
        const TintSse2 tint(fixed);
        for (int y = r.top; y <= r.bottom; ++y) {
            uint8_t* px = bitmap.ScanLine(y) + r.left * 3;
            const int done = tint.Row(px, count);
            TintRowTable(px + done * 3, count - done, table);
        }
        return;
    }
#endif
    for (int y = r.top; y <= r.bottom; ++y)
        TintRowTable(bitmap.ScanLine(y) + r.left * 3, count, table);
}

void BlendImages(Bitmap& dst, const Bitmap& src, int dstWeight, POINT dstPoint, RECT srcRect) {
    // Wide arithmetic so that no clipping step can overflow.
    int64_t x = dstPoint.x, y = dstPoint.y;
    int64_t left = srcRect.left, top = srcRect.top, right = srcRect.right, bottom = srcRect.bottom;
    if (x < 0) {
        left -= x;
        x = 0;
    }
    if (y < 0) {
        top -= y;
        y = 0;
    }
    if (left < 0) {
        x -= left;
        left = 0;
    }
    if (top < 0) {
        y -= top;
        top = 0;
    }
    right = std::min<int64_t>(right, src.Width());
    bottom = std::min<int64_t>(bottom, src.Height());
    if (x + (right - left) > dst.Width()) right = left + dst.Width() - x;
    if (y + (bottom - top) > dst.Height()) bottom = top + dst.Height() - y;
    if (right <= left || bottom <= top) return;

    TqvFastSum24 sum;
    if (!sum.Attach(src, dst)) return;
    sum.Alpha = uint8_t(std::clamp(dstWeight, 0, 255));
    sum.DstX1 = int(x);
    sum.DstY1 = int(y);
    sum.DstX2 = int(x + (right - left));
    sum.DstY2 = int(y + (bottom - top));
    sum.SrcX1 = int(left);
    sum.SrcY1 = int(top);
    sum.SrcX2 = int(right);
    sum.SrcY2 = int(bottom);
    sum.BlendRows();
}

void BlendImagesWhole(Bitmap& dst, const Bitmap& src, int dstWeight) {
    if (!SameSize(dst, src)) return;
    BlendImages(dst, src, dstWeight, POINT{0, 0}, RECT{0, 0, src.Width(), src.Height()});
}

void BlendImageKeyed(Bitmap& dst, int x, int y, TColor key, double ratio, RECT inclusiveSrcRect,
                     const Bitmap& src) {
    if (!Is24(dst) || !Is24(src)) return;
    CopyArea area;
    if (!ClipCopy(dst, src, x, y, inclusiveSrcRect, area)) return;
    const uint32_t keyValue = KeyValue(key);
    if (keyValue == kNoKey)
        BlendKeyedRows<false>(dst, src, area, keyValue, ratio);
    else
        BlendKeyedRows<true>(dst, src, area, keyValue, ratio);
}

void BlendColorByMask(Bitmap& bitmap, const Bitmap& mask, TColor color) {
    if (!Is24(bitmap) || !Is24(mask) || !SameSize(bitmap, mask)) return;
    const COLORREF rgb = ColorToRGB(color);
    const int target[3] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bitmap.ScanLine(y);
        const uint8_t* m = mask.ScanLine(y);
        for (int x = 0; x < width; ++x, p += 3, m += 3)
            for (int c = 0; c < 3; ++c)
                // p = clamp((C*256 + m*(p - C)) >> 8), the shift rounding toward minus infinity
                p[c] = ClampByte((target[c] * 256 + m[c] * (p[c] - target[c])) >> 8);
    }
}

TColor BlendTwoColors(TColor a, TColor b, double ratio) {
    // Resolved values: a system colour's high byte would otherwise turn the mix back into
    // a system colour index.
    const COLORREF ra = ColorToRGB(a), rb = ColorToRGB(b);
    auto mix = [ratio](int ca, int cb) { return RoundByte(ratio * (ca - cb) + cb); };
    const COLORREF mixed = RGB(mix(GetRValue(ra), GetRValue(rb)), mix(GetGValue(ra), GetGValue(rb)),
                               mix(GetBValue(ra), GetBValue(rb)));
    return TColor((ra & 0xFF000000u) | mixed);
}

namespace {
template <bool Keyed>
void GrayRows(Bitmap& bitmap, uint32_t key) {
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            if constexpr (Keyed)
                if (PixelValue(p) == key) continue;
            const uint8_t g = uint8_t((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = g;
        }
    }
}
} // namespace

void GrayscaleBitmap(Bitmap& bitmap) {
    if (Is24(bitmap)) GrayRows<false>(bitmap, kNoKey);
}

void GrayscaleBitmapKeyed(Bitmap& bitmap, TColor key) {
    if (!Is24(bitmap)) return;
    const uint32_t keyValue = KeyValue(key);
    if (keyValue == kNoKey)
        GrayRows<false>(bitmap, keyValue);
    else
        GrayRows<true>(bitmap, keyValue);
}

TColor ShiftHue(int delta, TColor color) {
    const COLORREF rgb = ColorToRGB(color);
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const int v = std::max({r, g, b});
    const double d = v - std::min({r, g, b});
    const double s = v == 0 ? 0.0 : d / v;
    if (s == 0) return color;

    double h;
    if (r == v)
        h = 60.0 * (g - b) / d;
    else if (g == v)
        h = 120.0 + 60.0 * (b - r) / d;
    else
        h = 240.0 + 60.0 * (r - g) / d;
    if (h < 0) h += 360.0;
    int64_t turned = int64_t(std::nearbyint(h + delta)) % 360;
    if (turned < 0) turned += 360;

    const double t = double(turned) / 60.0;
    const int sector = int(t);
    const double f = t - sector;
    const double value = v;
    const uint8_t p = RoundByte(value * (1 - s));
    const uint8_t q = RoundByte(value * (1 - f * s));
    const uint8_t u = RoundByte(value * (1 - (1 - f) * s));
    const uint8_t vv = uint8_t(v);
    switch (sector) {
    case 0: return TColor(RGB(vv, u, p));
    case 1: return TColor(RGB(q, vv, p));
    case 2: return TColor(RGB(p, vv, u));
    case 3: return TColor(RGB(p, q, vv));
    case 4: return TColor(RGB(u, p, vv));
    default: return TColor(RGB(vv, p, q));
    }
}

TColor ShiftSaturation(TColor color, int amount) {
    if (amount == 0) return color;
    const COLORREF rgb = ColorToRGB(color);
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const double avg = (r + g + b) / 3.0;
    auto shift = [&](int c) { return RoundByte(c + amount * (avg - c) / 100); };
    return TColor(RGB(shift(r), shift(g), shift(b)));
}

void CopyBitmapBlock(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, int w, int h) {
    if (dst.Empty() || src.Empty() || dst.BitsPerPixel() != src.BitsPerPixel()) return;
    if (sx < 0) dx -= sx, w += sx, sx = 0;
    if (sy < 0) dy -= sy, h += sy, sy = 0;
    if (dx < 0) sx -= dx, w += dx, dx = 0;
    if (dy < 0) sy -= dy, h += dy, dy = 0;
    w = std::min({w, src.Width() - sx, dst.Width() - dx});
    h = std::min({h, src.Height() - sy, dst.Height() - dy});
    if (w <= 0 || h <= 0) return;
    const int bytes = w * src.BytesPerPixel();
    for (int row = 0; row < h; ++row) {
        const uint8_t* from = src.ScanLine(sy + row) + sx * src.BytesPerPixel();
        std::copy(from, from + bytes, dst.ScanLine(dy + row) + dx * dst.BytesPerPixel());
    }
}

void CopyKeyed(Bitmap& dst, const Bitmap& src, int x, int y, TColor key) {
    CopyArea24(dst, src, x, y, key, RECT{0, 0, src.Width() - 1, src.Height() - 1}, nullptr, 0, 0);
}

void CopyKeyedRect(Bitmap& dst, const Bitmap& src, int x, int y, TColor key,
                   RECT inclusiveSrcRect) {
    CopyArea24(dst, src, x, y, key, inclusiveSrcRect, nullptr, 0, 0);
}

void CopyKeyedOverParent(Bitmap& dst, const Bitmap& src, int x, int y, TColor key,
                         RECT inclusiveSrcRect, const ParentCacheInfo& parent, bool useParent) {
    TqvFast24 parentPixels;
    const bool haveParent =
        useParent && parent.Usable && parent.Bitmap && parentPixels.Attach(*parent.Bitmap);
    CopyArea24(dst, src, x, y, key, inclusiveSrcRect, haveParent ? &parentPixels : nullptr,
               parent.X, parent.Y);
}

void TintRoundRect(Bitmap& bitmap, RECT rect, int percent, int radius, int depth, TColor color) {
    if (!Is24(bitmap)) return;
    RECT area;
    if (!IntersectRect(area, rect, RECT{0, 0, bitmap.Width(), bitmap.Height()})) return;

    // Work bitmap and mask cover only the visible part; the shapes are drawn at the
    // rectangle's full size, moved into the mask's coordinates, so clipping keeps the outline.
    const int w = area.right - area.left, h = area.bottom - area.top;
    Bitmap work(w, h, 24), mask(w, h, 24);
    if (work.Empty() || mask.Empty()) return;
    const RECT local = OffsetRect(rect, -area.left, -area.top);
    const int64_t half =
        std::min((int64_t(rect.right) - rect.left) / 2, (int64_t(rect.bottom) - rect.top) / 2);
    const int rings = int(std::clamp<int64_t>(depth, 0, half));
    const int corner = int(std::clamp<int64_t>(radius, 0, half));
    const int level = std::clamp(percent, 0, 100) * 255 / 100;
    auto grey = [](int v) { return RGB(BYTE(v), BYTE(v), BYTE(v)); };

    // White (keep the pixel) outside the outline as well as on the outer ring.
    for (int y = 0; y < h; ++y) std::memset(mask.ScanLine(y), 255, size_t(w) * 3);
    FillRoundRect(mask, local, corner, corner, grey(255));
    for (int k = 1; k <= rings; ++k) {
        const int ring =
            level + int(std::nearbyint((255.0 - level) / (rings + 1) * (rings - k + 1)));
        FillRoundRect(mask, InflateRect(local, -k, -k), corner, corner, grey(ring));
    }
    FillRoundRect(mask, InflateRect(local, -rings, -rings), corner, corner, grey(level));

    for (int y = 0; y < h; ++y)
        std::memcpy(work.ScanLine(y), bitmap.ScanLine(area.top + y) + area.left * 3, size_t(w) * 3);
    BlendColorByMask(work, mask, color);
    for (int y = 0; y < h; ++y)
        std::memcpy(bitmap.ScanLine(area.top + y) + area.left * 3, work.ScanLine(y), size_t(w) * 3);
}

void CrossFade32(Bitmap& out32, const Bitmap& first, const Bitmap& second, int alpha,
                 const Bitmap* alphaMap) {
    if (out32.BitsPerPixel() != 32 || !Is24(first) || !Is24(second) || !SameSize(first, second))
        return;
    if (alphaMap && (!Is24(*alphaMap) || !SameSize(*alphaMap, first))) return;
    const int width = std::min(first.Width(), out32.Width());
    const int height = std::min(first.Height(), out32.Height());
    // Beyond +-65536 every channel that differs saturates anyway; the limit keeps the
    // products inside int.
    const int a = std::clamp(alpha, -65536, 65536);
    if (alphaMap)
        CrossFadeRows<true>(out32, first, second, a, alphaMap, width, height);
    else
        CrossFadeRows<false>(out32, first, second, a, nullptr, width, height);
}

Region RegionFromColor(const Bitmap& bitmap, TColor color) {
    const LONG width = bitmap.Width(), height = bitmap.Height();
    TqvFast24 pixels;
    if (!pixels.Attach(bitmap)) return Region(RECT{0, 0, width, height});

    // Row by row, the spans between runs of the colour are what remains of the rectangle;
    // appending them as bands gives the same pixels as subtracting every run.
    const uint32_t key = ColorToRGB(color) & 0xFFFFFFu;
    Region region;
    std::vector<LONG> spans;
    for (LONG y = 0; y < height; ++y) {
        spans.clear();
        const uint8_t* p = pixels.Row(y);
        LONG start = 0;
        for (LONG x = 0; x < width; ++x, p += 3) {
            if (PixelValue(p) != key) continue;
            if (x > start) {
                spans.push_back(start);
                spans.push_back(x);
            }
            start = x + 1;
        }
        if (start < width) {
            spans.push_back(start);
            spans.push_back(width);
        }
        region.AppendBand(y, y + 1, spans.data(), spans.size());
    }
    return region;
}
