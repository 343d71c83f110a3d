#pragma once
// The skinned tool bar: its background and non-client border come from its section through a
// cache bitmap, and its tool buttons are composed from "TOOLBUTTON" by the bar's own
// custom-draw handlers, which take over the plain bar's two custom-draw events. Without the
// hot tracking of a flat bar it tracks the hot button itself.
#include <memory>

#include "paint/sCommonData.h"
#include "paint/sControlImage.h"
#include "toolkit/ToolBar.h"

class TsToolBar : public TToolBar {
  public:
    explicit TsToolBar(TComponent* owner);
    ~TsToolBar() override;
    const char* ClassName() const override { return "TsToolBar"; }

    // The row index of the button the mouse made hot; -1 none.
    int TrackedButton = -1;
    std::unique_ptr<TsCommonData> SkinData; // control kind 54, section "TOOLBAR"

    TsDisabledKind BtnDisabledKind() const { return btnDisabledKind_; }
    void SetBtnDisabledKind(TsDisabledKind value);
    // The tool button whose drop-down menu is open, or null.
    TToolButton* DroppedButton() const { return droppedButton_; }

    void Loaded() override;
    // Skinned, the bar's custom-draw events are its own handlers; unskinned, they are cleared.
    void HookCustomDraw();
    // The button's rectangle in the client area, as the bar's window lays it out.
    RECT ToolButtonBounds(int index);
    // The row index of the clickable tool button under the point; -1 for none or a separator.
    int ToolButtonAtPoint(POINT point);
    void ChangeTrackedButton(int index);
    // Draws one button straight on the window, as the custom drawing would.
    void RedrawToolButtonNow(int index);
    // The dropped button's menu closed.
    void DropDownClosed();

    void BarBackgroundHandler(TToolBar* sender, const RECT& rect, TCustomDrawStage stage,
                              bool& defaultDraw);
    void ToolButtonHandler(TToolBar* sender, TToolButton* button, UINT state,
                           TCustomDrawStage stage, TTBCustomDrawFlags& flags, bool& defaultDraw);

    // Where the client area starts in the cache: the border widths on the left and top.
    POINT CacheOffset() const;
    void ComposeLook();

  protected:
    void WndProc(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    bool SkinCommand(TMessage& m);
    bool SkinnedMessage(TMessage& m);
    void AfterStandard(const TMessage& m);
    void PaintNonClient();
    void CopyBorderStrips(HDC windowDC);
    void PrintSkinned(TMessage& m);
    void MouseMoved(POINT point);
    int IndexOf(const TControl* button);
    TToolButton* ButtonAt(int index);
    bool ButtonDown(int index);
    void SendNcPaint();
    void RepaintWhole();

    TsDisabledKind btnDisabledKind_ = dkBlended;
    TToolButton* droppedButton_ = nullptr;
};
