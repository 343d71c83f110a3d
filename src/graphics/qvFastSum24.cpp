#include "graphics/qvFastSum24.h"

#include <algorithm>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define STAT_BLEND_AVX2 1
#endif

namespace {

using BlendFunction = void (*)(uint8_t*, const uint8_t*, size_t, unsigned);

// d = (d*A + s*(255-A) + 127) >> 8
void BlendBytes(uint8_t* __restrict d, const uint8_t* __restrict s, size_t count, unsigned a) {
    const unsigned b = 255 - a;
    for (size_t i = 0; i < count; ++i) d[i] = uint8_t((d[i] * a + s[i] * b + 127) >> 8);
}

#ifdef STAT_BLEND_AVX2
// The same, 32 bytes at a time in 16-bit lanes (the sum is at most 255*255 + 127); unpack and
// pack both work within 128-bit halves, so bytes come back in their places.
__attribute__((target("avx2"))) void BlendBytesAvx2(uint8_t* d, const uint8_t* s, size_t count,
                                                    unsigned a) {
    const __m256i wd = _mm256_set1_epi16(short(a)), ws = _mm256_set1_epi16(short(255 - a));
    const __m256i half = _mm256_set1_epi16(127), zero = _mm256_setzero_si256();
    size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
        const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i lo = _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_unpacklo_epi8(dv, zero), wd),
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(sv, zero), ws), half));
        const __m256i hi = _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_unpackhi_epi8(dv, zero), wd),
            _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(sv, zero), ws), half));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(d + i),
            _mm256_packus_epi16(_mm256_srli_epi16(lo, 8), _mm256_srli_epi16(hi, 8)));
    }
    BlendBytes(d + i, s + i, count - i, a);
}
#endif

BlendFunction PickBlend() {
#ifdef STAT_BLEND_AVX2
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) return BlendBytesAvx2;
#endif
    return BlendBytes;
}

} // namespace

bool TqvFastSum24::Attach(const ::Bitmap& src, ::Bitmap& dst) {
    *this = TqvFastSum24{};
    for (const ::Bitmap* b : {&src, static_cast<const ::Bitmap*>(&dst)})
        if (b->BitsPerPixel() != 24 || b->Width() < 2 || b->Height() < 2) return false;
    Src = &src;
    Dst = &dst;
    Width = std::min(src.Width(), dst.Width());
    Height = std::min(src.Height(), dst.Height());
    SrcRow0 = src.ScanLine(0);
    SrcDelta = src.ScanLine(1) - SrcRow0;
    DstRow0 = dst.ScanLine(0);
    DstDelta = dst.ScanLine(1) - DstRow0;
    return true;
}

void TqvFastSum24::BlendRows() {
    if (!Src || !Dst) return;
    const int rowShift = DstY2 - SrcY2; // source row = destination row - rowShift
    const int colShift = DstX1 - SrcX1;
    if (DstX1 < 0 || DstY1 < 0 || DstX2 > Dst->Width() || DstY2 > Dst->Height() || DstX1 >= DstX2 ||
        DstY1 >= DstY2)
        return;
    if (DstY1 - rowShift < 0 || DstY2 - rowShift > Src->Height() || DstX1 - colShift < 0 ||
        DstX2 - colShift > Src->Width())
        return;

    const unsigned a = Alpha, b = 255 - a;
    if (Src == Dst) {
        // One bitmap: keep the documented walk, since overlapping rectangles read bytes that
        // the same pass may already have written.
        for (int y = DstY2 - 1; y >= DstY1; --y) {
            uint8_t* d = DstRow0 + y * DstDelta;
            const uint8_t* s = SrcRow0 + (y - rowShift) * SrcDelta;
            for (int i = DstX2 * 3 - 1; i >= DstX1 * 3; --i)
                d[i] = uint8_t((d[i] * a + s[i - colShift * 3] * b + 127) >> 8);
        }
        return;
    }
    // Two bitmaps never share bytes, so any order gives the same result.
    const BlendFunction blend = PickBlend();
    const size_t count = size_t(DstX2 - DstX1) * 3;
    for (int y = DstY1; y < DstY2; ++y)
        blend(DstRow0 + y * DstDelta + DstX1 * 3, SrcRow0 + (y - rowShift) * SrcDelta + SrcX1 * 3,
              count, a);
}
