#include "toolkit/UpDown.h"

#include <algorithm>

#include "platform/controls/UpDown.h"

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 17, 25); }

void TUpDown::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    RegisterUpDownClass();
    params.ClassName = "msctls_updown32";
    if (orientation_ == udHorizontal) params.Style |= UDS_HORZ;
    if (arrowKeys_) params.Style |= UDS_ARROWKEYS;
}

void TUpDown::HandleCreated() { SendRange(); }

void TUpDown::SendRange() {
    if (!HandleAllocated()) return;
    SendMessage(Handle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessage(Handle(), UDM_SETPOS32, 0, LPARAM(position_));
}

void TUpDown::SetMin(int value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
    position_ = std::clamp(position_, min_, max_);
    SendRange();
}

void TUpDown::SetMax(int value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
    position_ = std::clamp(position_, min_, max_);
    SendRange();
}

void TUpDown::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    SendRange();
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    SetBounds(Left(), Top(), Height(), Width()); // the arrows turn, and so does the control
    RecreateWnd();
}

void TUpDown::SetArrowKeys(bool value) {
    if (value == arrowKeys_) return;
    arrowKeys_ = value;
    RecreateWnd();
}

bool TUpDown::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TUpDown::Click(TUDBtnType button) {
    if (OnClick) OnClick(this, button);
}

bool TUpDown::Step(int direction) {
    const long long stepped = (long long)position_ + (long long)direction * increment_;
    int next;
    if (stepped > max_)
        next = wrap_ ? min_ : max_;
    else if (stepped < min_)
        next = wrap_ ? max_ : min_;
    else
        next = int(stepped);
    if (next == position_ || !CanChange()) return false;
    SetPosition(next);
    Click(direction > 0 ? btNext : btPrev);
    return true;
}

void TUpDown::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && m.LParam &&
        reinterpret_cast<const NMHDR*>(m.LParam)->code == UDN_DELTAPOS) {
        const auto* nm = reinterpret_cast<const NMUPDOWN*>(m.LParam);
        Step(nm->iDelta > 0 ? 1 : -1);
        m.Result = 1; // the step is ours: the window keeps the position it is told
        return;
    }
    TWinControl::WndProc(m);
}
