#include "Supersampler.h"

namespace {

struct TBlockSum {
    int Red = 0, Green = 0, Blue = 0, Count = 0;
};

TBlockSum SumBlock(const Bitmap& large, int factor, int x, int y, bool skipKey, COLORREF key) {
    TBlockSum sum;
    const int step = large.BytesPerPixel();
    for (int dy = 0; dy < factor; ++dy) {
        const uint8_t* p = large.ScanLine(y * factor + dy) + size_t(x * factor) * size_t(step);
        for (int dx = 0; dx < factor; ++dx, p += step) {
            if (skipKey && RGB(p[2], p[1], p[0]) == key) continue;
            sum.Blue += p[0];
            sum.Green += p[1];
            sum.Red += p[2];
            ++sum.Count;
        }
    }
    return sum;
}

uint8_t Mean(int total, int count) { return uint8_t((total + count / 2) / count); }

} // namespace

Bitmap Supersampler::Reduce(const Bitmap& large, int factor) {
    Bitmap small(large.Width() / factor, large.Height() / factor, 24);
    for (int y = 0; y < small.Height(); ++y) {
        uint8_t* out = small.ScanLine(y);
        for (int x = 0; x < small.Width(); ++x, out += 3) {
            const TBlockSum sum = SumBlock(large, factor, x, y, false, 0);
            out[0] = Mean(sum.Blue, sum.Count);
            out[1] = Mean(sum.Green, sum.Count);
            out[2] = Mean(sum.Red, sum.Count);
        }
    }
    return small;
}

Bitmap Supersampler::ReduceOverKey(const Bitmap& large, int factor, COLORREF key) {
    Bitmap small(large.Width() / factor, large.Height() / factor, 32);
    const int area = factor * factor;
    for (int y = 0; y < small.Height(); ++y) {
        uint8_t* out = small.ScanLine(y);
        for (int x = 0; x < small.Width(); ++x, out += 4) {
            const TBlockSum sum = SumBlock(large, factor, x, y, true, key);
            if (sum.Count == 0) {
                out[0] = out[1] = out[2] = out[3] = 0;
                continue;
            }
            out[0] = Mean(sum.Blue, sum.Count);
            out[1] = Mean(sum.Green, sum.Count);
            out[2] = Mean(sum.Red, sum.Count);
            out[3] = uint8_t((sum.Count * 255 + area / 2) / area);
        }
    }
    return small;
}
