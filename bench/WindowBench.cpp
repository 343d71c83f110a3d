#include <benchmark/benchmark.h>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowSystem.h"

namespace {

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

// Composing a 1920 x 1080 screen from three overlapping windows that together cover it,
// read beside BM_Memcpy1080p: the bytes of one full screen.
void BM_ComposeScreenThreeWindows(benchmark::State& state) {
    UseHeadlessBackend(1920, 1080);
    WNDCLASS wc;
    wc.lpszClassName = "BenchPlain";
    wc.lpfnWndProc = PlainProc;
    RegisterClass(wc);
    HWND windows[3] = {
        CreateWindowEx(0, "BenchPlain", "", WS_POPUP | WS_VISIBLE, 0, 0, 1920, 1080, nullptr,
                       nullptr, nullptr, nullptr),
        CreateWindowEx(0, "BenchPlain", "", WS_POPUP | WS_VISIBLE, 100, 100, 800, 600, nullptr,
                       nullptr, nullptr, nullptr),
        CreateWindowEx(0, "BenchPlain", "", WS_POPUP | WS_VISIBLE, 600, 300, 900, 700, nullptr,
                       nullptr, nullptr, nullptr),
    };
    ProcessPendingMessages();
    Bitmap screen(1920, 1080, 24, true);
    for (auto _ : state) {
        ComposeScreen(screen);
        benchmark::DoNotOptimize(screen.Bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(screen.SizeInBytes()));
    for (HWND h : windows) DestroyWindow(h);
}
BENCHMARK(BM_ComposeScreenThreeWindows)->Unit(benchmark::kMicrosecond);

} // namespace
