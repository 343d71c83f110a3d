#pragma once
// A drop-down combo box of a system dialog painted from the skin: its field as the dialog's
// edits show theirs, the chosen item, and a drop button drawn as the skin's down scroll
// button, pressed while the list is open and hot under the mouse. The list itself and every
// behaviour stay the window's own.
#include "windows/qvMainWnd.h"

class TqvComboBoxWnd : public TqvMainWnd {
  public:
    using TqvMainWnd::TqvMainWnd;
    void WindowProc(TMessage& message) override;

  private:
    void Paint(HDC given);
};
