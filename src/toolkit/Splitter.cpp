#include "toolkit/Splitter.h"

#include <algorithm>

#include "platform/controls/ClassicEdges.h"
#include "toolkit/WinControl.h"

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    UpdateCursor();
}

void TSplitter::SetBeveled(bool value) {
    beveled_ = value;
    Invalidate();
}

void TSplitter::SetMinSize(int value) { minSize_ = std::max(1, value); }

void TSplitter::UpdateCursor() {
    if (!Enabled())
        SetCursor(crDefault);
    else
        SetCursor(Horizontal() ? IDC_SIZENS : IDC_SIZEWE);
}

void TSplitter::WndProc(TMessage& m) {
    TGraphicControl::WndProc(m);
    if (m.Msg == CM_ENABLEDCHANGED) UpdateCursor();
}

// The neighbour is the visible sibling covering the point just outside the splitter's edge
// that faces its alignment (left of a left-aligned splitter, and so on).
TControl* TSplitter::FindControl() const {
    TWinControl* parent = Parent();
    if (!parent || Align() == alNone || Align() == alClient) return nullptr;
    const RECT b = BoundsRect();
    POINT p{};
    switch (Align()) {
    case alLeft: p = POINT{b.left - 1, (b.top + b.bottom) / 2}; break;
    case alRight: p = POINT{b.right, (b.top + b.bottom) / 2}; break;
    case alTop: p = POINT{(b.left + b.right) / 2, b.top - 1}; break;
    default: p = POINT{(b.left + b.right) / 2, b.bottom}; break;
    }
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c != this && c->Visible() && c->Align() == Align() && PtInRect(c->BoundsRect(), p))
            return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    control_ = FindControl();
    if (!control_) return;
    // In the parent's coordinates: with rsUpdate the splitter moves under the mouse.
    downAt_ = POINT{x + Left(), y + Top()};
    startSize_ = newSize_ = SizeOf(control_);
    // The neighbour may grow into what the client-aligned and unaligned space leaves, less
    // the minimum that space keeps.
    TWinControl* parent = Parent();
    int taken = 0;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* c = parent->Controls(i);
        if (c == control_ || !c->Visible()) continue;
        const bool sameAxis = Horizontal() ? (c->Align() == alTop || c->Align() == alBottom)
                                           : (c->Align() == alLeft || c->Align() == alRight);
        if (sameAxis) taken += SizeOf(c);
    }
    const int extent = Horizontal() ? parent->ClientHeight() : parent->ClientWidth();
    maxSize_ = std::max(0, extent - taken - 2 * parent->BorderWidth() - minSize_);
    if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern) ToggleLine();
}

int TSplitter::SizeForMouse(int x, int y) const {
    const int delta = Horizontal() ? y + Top() - downAt_.y : x + Left() - downAt_.x;
    // The neighbour grows towards the splitter: to the right of a left one, and so on.
    const bool grows = Align() == alLeft || Align() == alTop;
    int size = startSize_ + (grows ? delta : -delta);
    // Below the minimum the neighbour snaps shut, or stops at the minimum without AutoSnap.
    if (size < minSize_) size = autoSnap_ ? 0 : minSize_;
    return std::min(size, std::max(maxSize_, 0));
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!control_) return;
    int size = SizeForMouse(x, y);
    if (size == newSize_ || !CanResize(size)) return;
    if (lineShown_) ToggleLine();
    newSize_ = size;
    if (resizeStyle_ == rsUpdate)
        ApplySize(newSize_);
    else if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern)
        ToggleLine();
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!control_ || button != mbLeft) return;
    if (lineShown_) ToggleLine();
    ApplySize(newSize_);
    control_ = nullptr;
    if (OnMoved) OnMoved(this);
}

bool TSplitter::CanResize(int& newSize) {
    bool accept = true;
    if (OnCanResize) OnCanResize(this, newSize, accept);
    return accept;
}

void TSplitter::ApplySize(int size) {
    if (!control_) return;
    if (Horizontal())
        control_->SetHeight(size);
    else
        control_->SetWidth(size);
}

// Where the splitter would be with the neighbour at newSize_, as an inverted band (drawing it
// twice restores the picture).
void TSplitter::ToggleLine() {
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated() || !control_) return;
    if (!lineShown_) {
        const int shift = newSize_ - startSize_;
        switch (Align()) {
        case alLeft: lineRect_ = OffsetRect(BoundsRect(), shift, 0); break;
        case alRight: lineRect_ = OffsetRect(BoundsRect(), -shift, 0); break;
        case alTop: lineRect_ = OffsetRect(BoundsRect(), 0, shift); break;
        default: lineRect_ = OffsetRect(BoundsRect(), 0, -shift); break;
        }
    }
    const HDC dc = GetDC(parent->Handle());
    InvertRect(dc, &lineRect_);
    ReleaseDC(parent->Handle(), dc);
    lineShown_ = !lineShown_;
}

void TSplitter::Paint() {
    const HDC dc = Canvas().Handle();
    const RECT r = ClientRect();
    FillSolidRect(dc, r, ColorToRGB(Color()));
    if (beveled_) DrawThinRaised(dc, r);
    if (OnPaint) OnPaint(this);
}
