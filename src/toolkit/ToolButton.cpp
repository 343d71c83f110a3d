#include "toolkit/ToolButton.h"

#include "platform/controls/ClassicEdges.h"
#include "platform/controls/ToolBar.h"
#include "toolkit/ToolBar.h"

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, TOOLBAR_DEFAULT_BUTTON_WIDTH, TOOLBAR_DEFAULT_BUTTON_HEIGHT);
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style == style_) return;
    const bool wasSeparator = IsSeparator();
    style_ = style;
    if (IsSeparator() && !wasSeparator) SetWidth(TOOLBAR_DEFAULT_SEPARATOR_WIDTH);
    if (TToolBar* bar = ToolBar()) bar->ButtonsChanged();
}

void TToolButton::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Invalidate();
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::Paint() {
    if (style_ != tbsDivider) return;
    const RECT r = ClientRect();
    const int x = WidthOf(r) / 2 - 1;
    FillSysColor(Canvas().Handle(), RECT{x, r.top, x + 1, r.bottom}, COLOR_BTNSHADOW);
    FillSysColor(Canvas().Handle(), RECT{x + 1, r.top, x + 2, r.bottom}, COLOR_BTNHIGHLIGHT);
}

void TToolButton::WndProc(TMessage& m) {
    TGraphicControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED)
        if (TToolBar* bar = ToolBar()) bar->ButtonsChanged();
}
