#include <benchmark/benchmark.h>

#include "graphics/sAlphaGraph.h"
#include "graphics/sGradient.h"
#include "platform/gdi/Bitmap.h"

// Pixel operations over a 1920 x 1080 24-bit bitmap. Bytes processed are the bitmap's bytes,
// so the rates read directly beside BM_Memcpy1080p.
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

Bitmap Pattern(int seed) {
    Bitmap b(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = b.ScanLine(y);
        for (int i = 0; i < kWidth * 3; ++i) p[i] = uint8_t(i * 7 + y * 13 + seed);
    }
    return b;
}

void SetBytes(benchmark::State& state, const Bitmap& b) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(b.Width()) * 3 * b.Height());
}

} // namespace

static void BM_BlendImagesWhole1080p(benchmark::State& state) {
    Bitmap dst = Pattern(1);
    const Bitmap src = Pattern(2);
    for (auto _ : state) {
        BlendImagesWhole(dst, src, 128);
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    SetBytes(state, dst);
}
BENCHMARK(BM_BlendImagesWhole1080p);

static void BM_TintRectToColor1080p(benchmark::State& state) {
    Bitmap b = Pattern(3);
    for (auto _ : state) {
        TintRectToColor(b, RECT{0, 0, kWidth, kHeight}, 60, TColor(RGB(10, 120, 230)));
        benchmark::DoNotOptimize(b.Bits());
        benchmark::ClobberMemory();
    }
    SetBytes(state, b);
}
BENCHMARK(BM_TintRectToColor1080p);

static void BM_PaintGradientVertical1080p(benchmark::State& state) {
    Bitmap b(kWidth, kHeight, 24);
    TsGradArray grad;
    ParseGradientData("16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;16184300;42;0;0;"
                      "16184300;16184300;0;0;0",
                      grad);
    for (auto _ : state) {
        PaintGradient(b, RECT{0, 0, kWidth, kHeight}, grad);
        benchmark::DoNotOptimize(b.Bits());
        benchmark::ClobberMemory();
    }
    SetBytes(state, b);
}
BENCHMARK(BM_PaintGradientVertical1080p);

static void BM_PaintGradientHorizontal1080p(benchmark::State& state) {
    Bitmap b(kWidth, kHeight, 24);
    TsGradArray grad;
    ParseGradientData("16184299;15788256;45;1;0;15788256;14866631;10;1;0;14866631;16184300;42;1;0;"
                      "16184300;16184300;0;1;0",
                      grad);
    for (auto _ : state) {
        PaintGradient(b, RECT{0, 0, kWidth, kHeight}, grad);
        benchmark::DoNotOptimize(b.Bits());
        benchmark::ClobberMemory();
    }
    SetBytes(state, b);
}
BENCHMARK(BM_PaintGradientHorizontal1080p);
