#pragma once
// The standard tool bar: one row holding tool buttons and other controls (speed buttons, a
// panel) in the order of their Left. Every child has a place in the bar's window (a button,
// or a separator as wide as the control), so the window lays the row out and the control is
// put over its place. The window's custom drawing reaches OnAdvancedCustomDraw and
// OnAdvancedCustomDrawButton, which a skinned bar takes over by overriding the virtuals.
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/controls/CustomDraw.h"
#include "toolkit/Canvas.h"
#include "toolkit/ImageList.h"
#include "toolkit/ToolButton.h"
#include "toolkit/WinControl.h"

enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TEdgeBorder : unsigned { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };
using TEdgeBorders = unsigned;
enum TEdgeStyle { esNone, esRaised, esLowered };
// How the bar goes on drawing a button after its custom-draw handler.
enum TTBCustomDrawFlag : unsigned {
    tbNoEdges = 1,        // no raised or sunken frame
    tbHiliteHotTrack = 2, // (the window draws hot buttons as usual)
    tbNoOffset = 4,       // (the window moves pressed text as usual)
    tbNoMark = 8,         // (the window draws no marks)
    tbNoEtchedEffect = 16 // disabled text in plain grey instead of etched
};
using TTBCustomDrawFlags = unsigned;

class TToolBar;
using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* sender, const RECT& r, TCustomDrawStage stage, bool& defaultDraw)>;

// The button event: (sender, button, custom-draw state, stage, drawing flags, default drawing).
// A handler that does not care for the flags may leave them out.
class TTBAdvancedCustomDrawBtnEvent {
  public:
    using Handler =
        std::function<void(TToolBar* sender, TToolButton* button, UINT state,
                           TCustomDrawStage stage, TTBCustomDrawFlags& flags, bool& defaultDraw)>;
    TTBAdvancedCustomDrawBtnEvent() = default;
    TTBAdvancedCustomDrawBtnEvent(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<
                           !std::is_same_v<std::decay_t<F>, TTBAdvancedCustomDrawBtnEvent> &&
                           !std::is_same_v<std::decay_t<F>, std::nullptr_t>>>
    TTBAdvancedCustomDrawBtnEvent(F f) : handler_(Wrap(std::move(f))) {}

    explicit operator bool() const { return bool(handler_); }
    void operator()(TToolBar* sender, TToolButton* button, UINT state, TCustomDrawStage stage,
                    TTBCustomDrawFlags& flags, bool& defaultDraw) const {
        handler_(sender, button, state, stage, flags, defaultDraw);
    }

  private:
    template <class F>
    static Handler Wrap(F f) {
        if constexpr (std::is_invocable_v<F&, TToolBar*, TToolButton*, UINT, TCustomDrawStage,
                                          TTBCustomDrawFlags&, bool&>) {
            return Handler(std::move(f));
        } else {
            return
                [f = std::move(f)](TToolBar* sender, TToolButton* button, UINT state,
                                   TCustomDrawStage stage, TTBCustomDrawFlags&, bool& defaultDraw) {
                    f(sender, button, state, stage, defaultDraw);
                };
        }
    }
    Handler handler_;
};

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
    // The edge lines of every side EdgeBorders names, outer line outside, inner inside, in
    // the non-client frame (with 2 x BorderWidth inside them), so a skinned bar can paint the
    // frame itself.
    TEdgeStyle EdgeInner() const { return edgeInner_; }
    void SetEdgeInner(TEdgeStyle value);
    TEdgeStyle EdgeOuter() const { return edgeOuter_; }
    void SetEdgeOuter(TEdgeStyle value);
    // One pixel for each of EdgeInner and EdgeOuter that is not esNone.
    int EdgeSize() const;
    // The frame around the client area: left, top, right and bottom widths.
    RECT FrameWidths() const;
    // Shadows the control's: the band lies in the bar's frame, which must be made again.
    void SetBorderWidth(int width);
    // Captions to the right of the images rather than below them.
    bool List() const { return list_; }
    void SetList(bool value);
    // The buttons' images (by their ImageIndex), and those of hot buttons where it has one.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TImageList* images);

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
    virtual bool CustomDrawButton(TToolButton* button, UINT state, TCustomDrawStage stage,
                                  TTBCustomDrawFlags& flags);
    // Whether CustomDrawButton wants to hear about each button.
    virtual bool WantsButtonDraw() const { return bool(OnAdvancedCustomDrawButton); }
    LRESULT CNCustomDraw(NMCUSTOMDRAW& cd);
    // The button's image after the window drew the button.
    void DrawButtonImage(TToolButton* button, const RECT& place, UINT state);
    void Notification(TComponent* component, TOperation operation) override;

    int buttonHeight_ = 22;
    int buttonWidth_ = 23;
    bool flat_ = false;
    bool showCaptions_ = false;
    TEdgeBorders edgeBorders_ = ebTop;
    TEdgeStyle edgeInner_ = esRaised;
    TEdgeStyle edgeOuter_ = esLowered;
    bool list_ = false;
    TImageList* images_ = nullptr;
    TImageList* hotImages_ = nullptr;

  private:
    void SetImageList(TImageList*& field, TImageList* images);
    void FrameChanged();
    void PaintFrame(HDC given);
    void OrderRow();
    void SyncButtons();
    void PlaceRow();
    RECT PlaceOf(int index) const;

    std::vector<TControl*> order_;    // every child, in row order
    std::vector<TControl*> row_;      // the visible ones
    std::vector<std::string> synced_; // what the window's places were made from
    TCanvas canvas_;
};
