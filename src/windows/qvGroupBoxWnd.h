#pragma once
// A group box painted from the skin: the parent's background behind the caption band, the
// section's border below it and the caption centred in the band. In a system dialog only the
// border strips and the band are painted over the window's own drawing.
#include "windows/qvMainWnd.h"

class TqvGroupBoxWnd : public TqvMainWnd {
  public:
    using TqvMainWnd::TqvMainWnd;
    void WindowProc(TMessage& message) override;
    // The caption band measured with the window's font.
    RECT CaptionBand() const;

  protected:
    bool SkinCommand(TMessage& message) override;

  private:
    HFONT CaptionFont() const;
    TColor ParentPlainColor() const;
    void RebuildCache();
    // given: the context the message brought (when its second parameter is 1).
    void Paint(HDC given, bool beginPaint);
    RECT band_{};
};
