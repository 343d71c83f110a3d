#pragma once
// The size grip of a system dialog: the base look, and a hit test that always resizes from
// the bottom-right corner.
#include "windows/qvMainWnd.h"

class TqvSizerWnd : public TqvMainWnd {
  public:
    using TqvMainWnd::TqvMainWnd;
    void WindowProc(TMessage& message) override;

  protected:
    void RebuildFrameCache() override;

  private:
    // Into the context the message gives, else the client context.
    void Paint(HDC given);
};
