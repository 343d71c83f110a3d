#pragma once
// A line (or paragraph) of text painted on its parent, sized to its text unless told not to.
#include "toolkit/GraphicControl.h"
#include "toolkit/Panel.h" // TAlignment

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner);
    const char* ClassName() const override { return "TLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

  protected:
    void Paint() override;
    void WndProc(TMessage& m) override;
    void Loaded() override;
    // Draws (or with DT_CALCRECT measures) the caption in rect on the canvas.
    virtual void DoDrawText(RECT& rect, UINT flags);
    // With AutoSize, fits the bounds to the text; the edge the alignment names stays put.
    virtual void AdjustBounds();
    UINT TextFlags() const;

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    bool adjusting_ = false;
};
