#pragma once
// A standard push button with a caption, optionally the dialog's default button. The glyph
// is kept for the skinned button, which draws it; the plain button shows its caption only.
#include "platform/gdi/Bitmap.h"
#include "toolkit/WinControl.h"

class TBitBtn : public TWinControl {
  public:
    explicit TBitBtn(TComponent* owner);
    const char* ClassName() const override { return "TBitBtn"; }

    bool Default() const { return default_; }
    void SetDefault(bool value);
    const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const Bitmap& glyph) { glyph_ = glyph; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value) { numGlyphs_ = value < 1 ? 1 : value > 4 ? 4 : value; }
    // What a click does, also for code (BM_CLICK goes through the window like a user's click).
    void PerformClick();

  protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& m) override;

    bool default_ = false;
    Bitmap glyph_;
    int numGlyphs_ = 1;
};
