#pragma once
// A place in a tool bar's row: a button the bar draws, or a separator or divider that only
// takes room. The tool bar decides where it goes.
#include "toolkit/GraphicControl.h"

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

class TToolButton : public TGraphicControl {
  public:
    explicit TToolButton(TComponent* owner);
    const char* ClassName() const override { return "TToolButton"; }

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
    TToolBar* ToolBar() const;
    // The button's image in the bar's Images, -1 none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

  protected:
    // The bar's window draws buttons and separators; a divider adds its etched line here,
    // the only place it is drawn (the window draws none at a divider's place).
    void Paint() override;
    void WndProc(TMessage& m) override;

    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
};
