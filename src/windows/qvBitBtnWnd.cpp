#include "windows/qvBitBtnWnd.h"

#include <algorithm>

#include "graphics/sAlphaGraph.h"
#include "paint/sCommonData.h"
#include "platform/text/Text.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Canvas.h"
#include "toolkit/WinControl.h"

namespace {
// The plain bit button's layout: glyph left of the caption, the pair centred, 4 pixels apart.
constexpr int kGlyphSpacing = 4;
} // namespace

TqvBitBtnWnd::~TqvBitBtnWnd() { Unwrap(); }

int TqvBitBtnWnd::GlyphFrame(int numGlyphs, bool enabled, bool pushed) {
    if (!enabled) return std::max(std::min(numGlyphs, 1) - 1, 0);
    if (pushed) return std::max(std::min(numGlyphs, 4) - 1, 0);
    return 0;
}

void TqvBitBtnWnd::PaintContent(TCanvas& canvas, int state) {
    const auto* button = dynamic_cast<const TBitBtn*>(Control());
    if (!button || button->Glyph().Empty()) {
        TqvBtnWnd::PaintContent(canvas, state);
        return;
    }
    Bitmap glyph = button->Glyph();
    if (glyph.BitsPerPixel() != 24) glyph.SetFormat(24);
    const int frames = std::max(button->NumGlyphs(), 1);
    const int gw = glyph.Width() / frames, gh = glyph.Height();
    const int textWidth = CaptionText.empty() ? 0 : canvas.TextWidth(CaptionText);
    const int total = gw + (CaptionText.empty() ? 0 : kGlyphSpacing + textWidth);
    int gx = (Width - total) / 2, gy = (Height - gh) / 2;
    const bool pushed = state == 2;
    const int frame = GlyphFrame(frames, IsWindowEnabled(Handle), pushed);
    const TColor key = TColor(glyph.GetPixel(0, 0) & 0xFFFFFF);
    if (pushed) ++gx, ++gy;
    const RECT source{frame * gw, 0, frame * gw + gw - 1, gh - 1};
    CopyKeyedRect(*SkinData->CacheBitmap, glyph, gx, gy, key, source);
    if (CaptionText.empty()) return;
    // The caption starts after the glyph; PaintCaption moves it once more when pushed.
    const int left = gx - (pushed ? 1 : 0) + gw + kGlyphSpacing;
    PaintCaption(canvas, state, RECT{left, 0, Width, Height}, DT_LEFT);
}
