#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

// The yardstick the pixel benchmarks are read against: copying the bytes of a
// 1920 x 1080 24-bit bitmap.
static void BM_Memcpy1080p(benchmark::State& state) {
    const size_t bytes = size_t(1920 * 3) * 1080;
    std::vector<unsigned char> src(bytes, 1), dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_Memcpy1080p);
