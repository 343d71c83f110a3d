#pragma once
// The wrapper of bit buttons: a push button that also shows its glyph, placed left of the
// caption as the plain bit button places it.
#include "windows/qvBtnWnd.h"

class TqvBitBtnWnd : public TqvBtnWnd {
  public:
    using TqvBtnWnd::TqvBtnWnd;
    ~TqvBitBtnWnd() override;

    // The glyph frame for a state: 0 normal, the last of up to four when pushed, the
    // disabled one (the first) when disabled.
    static int GlyphFrame(int numGlyphs, bool enabled, bool pushed);

  protected:
    void PaintContent(TCanvas& canvas, int state) override;
};
