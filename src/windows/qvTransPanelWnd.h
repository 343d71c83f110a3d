#pragma once
// A dialog panel nested in a system dialog: its background is the base look, painted when it
// is erased, while its children paint themselves.
#include "windows/qvMainWnd.h"

class TqvTransPanelWnd : public TqvMainWnd {
  public:
    using TqvMainWnd::TqvMainWnd;
    void WindowProc(TMessage& message) override;

  protected:
    void RebuildFrameCache() override;

  private:
    void PaintBackground();
};
