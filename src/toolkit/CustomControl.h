#pragma once
// A windowed control that paints itself through its own canvas.
#include "toolkit/Canvas.h"
#include "toolkit/WinControl.h"

class TCustomControl : public TWinControl {
  public:
    explicit TCustomControl(TComponent* owner);
    const char* ClassName() const override { return "TCustomControl"; }
    TCanvas& Canvas() { return canvas_; }

  protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void WndProc(TMessage& m) override;

  private:
    TCanvas canvas_;
};
