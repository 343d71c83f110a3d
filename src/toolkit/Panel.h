#pragma once
// A plain container with optional bevels and a centred caption; the main window's bars and
// frames are panels.
#include "toolkit/CustomControl.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
  public:
    explicit TPanel(TComponent* owner);
    const char* ClassName() const override { return "TPanel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);

    // The area inside both bevels and the border, where the caption goes.
    RECT InnerRect() const;

  protected:
    void Paint() override;
    // One bevel of BevelWidth pixels inside r; r shrinks by what was drawn.
    void DrawBevel(RECT& r, TBevelCut cut);
    virtual void DrawCaption(const RECT& r);

    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
};
