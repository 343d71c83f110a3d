#pragma once
// A check box or radio button painted from the skin: the section's background, the caption,
// a focus frame, the skin's mark for the check state in the button's state, and the disabled
// look over a skinned parent.
#include "windows/qvMainWnd.h"

class TqvCheckBoxWnd : public TqvMainWnd {
  public:
    using TqvMainWnd::TqvMainWnd;
    void WindowProc(TMessage& message) override;

  private:
    void Paint(HDC given);
    void QuietlyThenRepaint(TMessage& message);
};
