#pragma once
// The window that covers a control while AnimateRepaint cross-fades it: it shows the frames
// copied into it and nothing of its own, so it never erases its background. Without a parent
// it is a pop-up owned by the application window, topmost when the form of the control it
// covers is; over a child window it is a child of the same parent.
#include "toolkit/CustomControl.h"

class TOutputWindow : public TCustomControl {
  public:
    // The owner is the control being animated.
    explicit TOutputWindow(TComponent* owner);
    const char* ClassName() const override { return "TOutputWindow"; }

  protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& m) override;
};
