#include <benchmark/benchmark.h>

#include "platform/gdi/Gdi.h"

// Device-context drawing over 1920 x 1080 24-bit memory contexts. Bytes processed are the
// bitmap's pixel bytes, so the rates read directly beside BM_Memcpy1080p.
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// A memory context with its own bitmap, filled with a byte pattern.
class BenchDC {
  public:
    BenchDC(int seed)
        : dc_(CreateCompatibleDC(nullptr)),
          bitmap_(CreateCompatibleBitmap(nullptr, kWidth, kHeight)) {
        old_ = SelectObject(dc_, bitmap_);
        Bitmap& b = *BitmapOf(bitmap_);
        for (int y = 0; y < kHeight; ++y) {
            uint8_t* p = b.ScanLine(y);
            for (int i = 0; i < kWidth * 3; ++i) p[i] = uint8_t(i * 7 + y * 13 + seed);
        }
    }
    BenchDC(const BenchDC&) = delete;
    BenchDC& operator=(const BenchDC&) = delete;
    ~BenchDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC dc() const { return dc_; }
    void* bits() const { return BitmapOf(bitmap_)->Bits(); }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_ = nullptr;
};

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * 3 * kHeight);
}

} // namespace

static void BM_BitBltSrcCopy1080p(benchmark::State& state) {
    BenchDC src(1), dst(2);
    for (auto _ : state) {
        BitBlt(dst.dc(), 0, 0, kWidth, kHeight, src.dc(), 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(dst.bits());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_BitBltSrcCopy1080p);

static void BM_FillRect1080p(benchmark::State& state) {
    BenchDC dst(3);
    // A colour whose three bytes differ, so the fill cannot be a plain memset.
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    const RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        FillRect(dst.dc(), &all, brush);
        benchmark::DoNotOptimize(dst.bits());
        benchmark::ClobberMemory();
    }
    DeleteObject(brush);
    SetBytes(state);
}
BENCHMARK(BM_FillRect1080p);
