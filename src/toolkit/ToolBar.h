#pragma once
// The standard tool bar: one row holding tool buttons and other controls (speed buttons, a
// panel) in the order of their Left. Every child has a place in the bar's window (a button,
// or a separator as wide as the control), so the window lays the row out and the control is
// put over its place. The window's custom drawing reaches OnAdvancedCustomDraw and
// OnAdvancedCustomDrawButton, which a skinned bar takes over by overriding the virtuals.
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/CustomDraw.h"
#include "toolkit/Canvas.h"
#include "toolkit/ToolButton.h"
#include "toolkit/WinControl.h"

enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TEdgeBorder : unsigned { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };
using TEdgeBorders = unsigned;

class TToolBar;
using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* sender, const RECT& r, TCustomDrawStage stage, bool& defaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent = std::function<void(TToolBar* sender, TToolButton* button, UINT state,
                                                         TCustomDrawStage stage, bool& defaultDraw)>;

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    const char* ClassName() const override { return "TToolBar"; }

    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    // One row only: a bar that wraps its buttons is not needed by the program.
    bool Wrapable() const { return false; }
    TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders value);

    // The visible children in row order.
    std::vector<TControl*> RowControls();
    TCanvas& Canvas() { return canvas_; }

    TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

    // A tool button's style or caption changed: the window's places are made again.
    void ButtonsChanged();

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& m) override;
    void AlignControls(RECT& rect) override;
    // Return whether the window should draw as usual. The canvas draws on the window's context.
    virtual bool CustomDraw(const RECT& r, TCustomDrawStage stage);
    virtual bool CustomDrawButton(TToolButton* button, UINT state, TCustomDrawStage stage);
    // Whether CustomDrawButton wants to hear about each button.
    virtual bool WantsButtonDraw() const { return bool(OnAdvancedCustomDrawButton); }
    LRESULT CNCustomDraw(NMCUSTOMDRAW& cd);

    int buttonHeight_ = 22;
    int buttonWidth_ = 23;
    bool flat_ = false;
    bool showCaptions_ = false;
    TEdgeBorders edgeBorders_ = ebTop;

private:
    void OrderRow();
    void SyncButtons();
    void PlaceRow();
    RECT PlaceOf(int index) const;

    std::vector<TControl*> order_; // every child, in row order
    std::vector<TControl*> row_;   // the visible ones
    std::vector<std::string> synced_; // what the window's places were made from
    TCanvas canvas_;
};
