#include <benchmark/benchmark.h>
#include <cstring>

#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"

// Text drawn and measured the way captions and tree items are: a 60-character Kazakh line in
// an 11-pixel UI font, with the glyph cache warm (the first pass renders, the timed ones copy).
namespace {

const char* const kLine = "Қазақ тілі: әліпби, ғылым, құндылық, өнер, ұлт, үміт, һәм ң!"; // 60

class TextSurface {
  public:
    TextSurface(int bitsPerPixel, const char* face, LONG height)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateDIBSection(600, 40, bitsPerPixel)) {
        oldBitmap_ = SelectObject(dc_, bitmap_);
        LOGFONT lf;
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        lf.lfHeight = height;
        font_ = CreateFontIndirect(&lf);
        oldFont_ = SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
        TextOut(dc_, 2, 2, kLine, -1); // warms the glyph cache
    }
    ~TextSurface() {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HFONT font_;
    HGDIOBJ oldBitmap_, oldFont_;
};

} // namespace

static void BM_TextOutKazakhLine(benchmark::State& state) {
    TextSurface s(int(state.range(0)), "MS Sans Serif", -11);
    for (auto _ : state) {
        TextOut(s.dc(), 2, 2, kLine, -1);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 60);
}
BENCHMARK(BM_TextOutKazakhLine)->Arg(24)->Arg(32);

static void BM_TextOutKazakhLineLarge(benchmark::State& state) {
    TextSurface s(24, "Times New Roman", -24);
    for (auto _ : state) {
        TextOut(s.dc(), 2, 2, kLine, -1);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 60);
}
BENCHMARK(BM_TextOutKazakhLineLarge);

static void BM_MeasureKazakhLine(benchmark::State& state) {
    TextSurface s(24, "MS Sans Serif", -11);
    SIZE size{};
    for (auto _ : state) {
        GetTextExtentPoint32(s.dc(), kLine, -1, &size);
        benchmark::DoNotOptimize(size);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 60);
}
BENCHMARK(BM_MeasureKazakhLine);

// A caption as the panels draw it: centred, one line, shortened with an ellipsis.
static void BM_DrawTextCaption(benchmark::State& state) {
    TextSurface s(24, "MS Sans Serif", -11);
    for (auto _ : state) {
        RECT r{0, 0, 200, 40};
        DrawText(s.dc(), kLine, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawTextCaption);
