#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/WinControl.h"

TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_.OnChange = [this] {
        parentFont_ = false;
        Perform(CM_FONTCHANGED);
        Invalidate();
    };
}

TControl::~TControl() {
    Destroying();
    DestroyComponents();
    if (Application) Application->ControlDestroyed(this);
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    auto* windowed = dynamic_cast<TWinControl*>(this);
    if (!parent_) {
        if (windowed) windowed->UpdateShowing();
        return;
    }
    parent_->InsertControl(this);
    if (windowed) windowed->UpdateShowing();
    if (parentColor_) ParentColorChanged();
    if (parentFont_) ParentFontChanged();
    if (!Loading()) RequestAlign();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    return Perform(m);
}

LRESULT TControl::Perform(TMessage& m) {
    if (WindowProc) WindowProc(m);
    return m.Result;
}

// ---------------------------------------------------------------- bounds, alignment, anchors

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const RECT old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged(old);
    // A place set by code is the new origin of the anchors.
    if (!Loading()) RecordAnchorOrigin();
    if (!Loading() && align_ != alNone) RequestAlign();
}

void TControl::PlaceAt(const RECT& bounds) {
    const RECT old = BoundsRect();
    if (EqualRect(old, bounds)) return;
    left_ = bounds.left;
    top_ = bounds.top;
    width_ = std::max<LONG>(0, WidthOf(bounds));
    height_ = std::max<LONG>(0, HeightOf(bounds));
    BoundsChanged(old);
}

void TControl::BoundsChanged(const RECT& old) {
    // Windowless: the parent repaints both places and the control hears that it moved.
    if (parent_ && parent_->HandleAllocated()) {
        InvalidateRect(parent_->Handle(), &old, true);
        const RECT now = BoundsRect();
        InvalidateRect(parent_->Handle(), &now, true);
    }
    Perform(CM_BOUNDSCHANGED);
    if (WidthOf(old) != width_ || HeightOf(old) != height_) Resize();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (!Loading()) RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
    anchors_ = anchors;
    if (!Loading()) RecordAnchorOrigin();
}

void TControl::SetParentBackground(bool value) {
    if (value == ParentBackground()) return;
    controlStyle_ =
        value ? controlStyle_ | csParentBackground : controlStyle_ & ~unsigned(csParentBackground);
    Invalidate();
}

void TControl::RecordAnchorOrigin() {
    anchorBounds_ = BoundsRect();
    anchorParent_ = parent_ ? SIZE{parent_->ClientWidth(), parent_->ClientHeight()} : SIZE{0, 0};
    anchorRecorded_ = parent_ != nullptr;
}

void TControl::RequestAlign() {
    if (parent_) parent_->Realign(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    // The designed place and the parent's designed size are the origin of the anchors.
    RecordAnchorOrigin();
}

// ---------------------------------------------------------------- state

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->UpdateShowing();
    if (parent_) parent_->Realign(this);
}

void TControl::VisibleChanged() {
    if (parent_ && parent_->HandleAllocated()) {
        const RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, true);
    }
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    Perform(CM_COLORCHANGED);
    Invalidate();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parent_) return;
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parent_) return;
    auto keep = std::move(font_.OnChange);
    font_.Assign(parent_->Font());
    font_.OnChange = std::move(keep);
    Perform(CM_FONTCHANGED);
}

void TControl::SetCaption(const std::string& text) {
    if (text == caption_) return;
    caption_ = text;
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

bool TControl::ShowHint() const {
    if (parentShowHint_ && parent_) return parent_->ShowHint();
    return showHint_;
}

// ---------------------------------------------------------------- painting and geometry

void TControl::Invalidate() {
    if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
    const RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, !(controlStyle_ & csOpaque));
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Update() {
    if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TControl::BringToFront() {
    if (!parent_) return;
    TWinControl* parent = parent_;
    parent->RemoveControl(this);
    parent->InsertControl(this);
    Invalidate();
}

POINT TControl::ClientToScreen(POINT p) const {
    if (auto* w = dynamic_cast<TWinControl*>(const_cast<TControl*>(this));
        w && w->HandleAllocated()) {
        ::ClientToScreen(w->Handle(), &p);
        return p;
    }
    if (!parent_) return p;
    POINT q{p.x + left_, p.y + top_};
    return parent_->ClientToScreen(q);
}

POINT TControl::ScreenToClient(POINT p) const {
    const POINT origin = ClientToScreen(POINT{0, 0});
    return POINT{p.x - origin.x, p.y - origin.y};
}

TForm* TControl::ParentForm() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (auto* form = dynamic_cast<TForm*>(const_cast<TControl*>(c))) return form;
    return nullptr;
}

// ---------------------------------------------------------------- messages

void TControl::WndProc(TMessage& m) {
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    const TShiftState shift = ShiftFromKeys(m.WParam);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!enabled_) return;
        controlState_ |= csLButtonDown;
        MouseDown(mbLeft, shift | (m.Msg == WM_LBUTTONDBLCLK ? unsigned(ssDouble) : 0u), x, y);
        if (m.Msg == WM_LBUTTONDBLCLK && (controlStyle_ & csDoubleClicks)) DblClick();
        return;
    case WM_LBUTTONUP: {
        if (!enabled_) return;
        const bool wasDown = (controlState_ & csLButtonDown) != 0;
        controlState_ &= ~unsigned(csLButtonDown);
        MouseUp(mbLeft, shift, x, y);
        const RECT client = ClientRect();
        if (wasDown && (controlStyle_ & csClickEvents) && PtInRect(client, POINT{x, y})) Click();
        return;
    }
    case WM_RBUTTONDOWN:
        if (enabled_) MouseDown(mbRight, shift, x, y);
        return;
    case WM_RBUTTONUP:
        if (enabled_) MouseUp(mbRight, shift, x, y);
        return;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // A parent hears of its children's too (lParam names them): only its own counts.
        if (m.LParam == 0 || m.LParam == LPARAM(this)) {
            if (m.Msg == CM_MOUSEENTER)
                MouseEnter();
            else
                MouseLeave();
        }
        DefaultHandler(m);
        return;
    default: DefaultHandler(m);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}
