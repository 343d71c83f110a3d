#pragma once
// Windowless controls: painted by their parent after the parent's own picture, through a
// canvas on the parent's context whose origin is the control's corner.
#include "toolkit/Canvas.h"
#include "toolkit/Control.h"

class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* owner);
    const char* ClassName() const override { return "TGraphicControl"; }
    TCanvas& Canvas() { return canvas_; }

  protected:
    virtual void Paint() {}
    void WndProc(TMessage& m) override;

  private:
    TCanvas canvas_;
};
