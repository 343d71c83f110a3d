#include "toolkit/BitBtn.h"

#include "platform/controls/Button.h"

TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    // The button class reports the click (BN_CLICKED); the toolkit must not make a second one
    // from the raw mouse messages.
    SetControlStyle(ControlStyle() & ~unsigned(csClickEvents));
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "Button";
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TBitBtn::SetDefault(bool value) {
    default_ = value;
    if (HandleAllocated())
        SendMessage(Handle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

void TBitBtn::PerformClick() {
    if (HandleAllocated())
        SendMessage(Handle(), BM_CLICK, 0, 0);
    else if (Enabled())
        Click();
}

void TBitBtn::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case CM_TEXTCHANGED:
        if (HandleAllocated()) SetWindowText(Handle(), Caption());
        return;
    case CM_ENABLEDCHANGED:
        if (HandleAllocated()) EnableWindow(Handle(), Enabled());
        return;
    default: TWinControl::WndProc(m);
    }
}
