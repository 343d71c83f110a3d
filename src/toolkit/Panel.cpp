#include "toolkit/Panel.h"

#include <algorithm>

#include "platform/controls/ClassicEdges.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value) {
    bevelInner_ = value;
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    Invalidate();
}

void TPanel::SetBevelWidth(int value) {
    bevelWidth_ = std::max(1, value);
    Invalidate();
}

RECT TPanel::InnerRect() const {
    int inset = BorderWidth();
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    const RECT client = ClientRect();
    return InflateRect(client, -inset, -inset);
}

void TPanel::DrawBevel(RECT& r, TBevelCut cut) {
    if (cut == bvNone) return;
    const HDC dc = Canvas().Handle();
    const int topLeft = cut == bvRaised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
    const int bottomRight = cut == bvRaised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    for (int i = 0; i < bevelWidth_; ++i) {
        FrameTwoTone(dc, r, GetSysColor(topLeft), GetSysColor(bottomRight));
        r = InflateRect(r, -1, -1);
    }
}

void TPanel::Paint() {
    RECT r = ClientRect();
    DrawBevel(r, bevelOuter_);
    r = InflateRect(r, -BorderWidth(), -BorderWidth());
    DrawBevel(r, bevelInner_);
    DrawCaption(r);
}

void TPanel::DrawCaption(const RECT& r) {
    if (Caption().empty()) return;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (alignment_ == taCenter)
        format |= DT_CENTER;
    else if (alignment_ == taRightJustify)
        format |= DT_RIGHT;
    Canvas().Brush.Style = bsClear;
    Canvas().TextRect(r, Caption(), format);
    Canvas().Brush.Style = bsSolid;
}
