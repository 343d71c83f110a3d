#include "skin/sMessages.h"

#include "platform/window/WindowSystem.h"
#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/Messages.h"
#include "toolkit/WinControl.h"

ParentCacheInfo ParentCacheAnswer;
TColor ParentBgColor = KeyColor;

bool IsSkinCommand(const TMessage& m, unsigned code) {
    return m.Msg == SM_ORVENCMD && SkinCommandCode(m.WParam) == code;
}

LRESULT SendSkinCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    return SendMessage(window, SM_ORVENCMD, wParam, lParam);
}

LRESULT SendSkinCommand(TControl* control, WPARAM wParam, LPARAM lParam) {
    if (!control) return 0;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (!win->HandleAllocated() || win->IsDestroying()) return 0;
        return SendSkinCommand(win->Handle(), wParam, lParam);
    }
    return control->Perform(SM_ORVENCMD, wParam, lParam);
}

bool AskSkinCommand(TControl* control, unsigned code) {
    if (!control) return false;
    TMessage m{SM_ORVENCMD, SkinCommandWParam(code), 0, 0};
    control->Perform(m);
    if (m.LParam == 1) return true;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win || !win->HandleAllocated() || win->IsDestroying()) return false;
    return SendSkinCommand(win->Handle(), SkinCommandWParam(code), 0) == 1;
}

bool AskWindowSkinCommand(HWND window, unsigned code) {
    return SendSkinCommand(window, SkinCommandWParam(code), 0) == 1;
}

void BroadcastToChildren(TWinControl* container, TMessage& message) {
    if (!container) return;
    // Receivers may add or remove children: the count is read again on every turn.
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        if (!child || child->IsDestroying()) continue;
        try {
            auto* win = dynamic_cast<TWinControl*>(child);
            if (!win) {
                child->Perform(message);
            } else if (win->HandleAllocated() && AskSkinCommand(win, scIsSkinned)) {
                message.Result =
                    SendMessage(win->Handle(), message.Msg, message.WParam, message.LParam);
            } else {
                BroadcastToChildren(win, message);
            }
        } catch (...) {
            // One faulty child must not keep the others from hearing of the skin change.
        }
    }
}

void NotifyForm(TControl* control) {
    if (!control || control->Designing()) return;
    if (TForm* form = control->ParentForm())
        SendSkinCommand(form, SkinCommandWParam(scChildChanged), LPARAM(control));
}

void RepaintChildren(TWinControl* container) {
    if (!container) return;
    try {
        for (int i = 0; i < container->ControlCount(); ++i) {
            auto* win = dynamic_cast<TWinControl*>(container->Controls(i));
            if (!win || win->IsDestroying() || !win->HandleAllocated()) continue;
            SendSkinCommand(win->Handle(), SkinCommandWParam(scRepaintNow), 0);
        }
    } catch (...) {
        // A child that fails ends the repaint; the rest catch up with their next paint.
    }
}

void RepaintChildWindows(HWND window) {
    if (!window) return;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLong(child, GWL_STYLE) & WS_CHILD) != 0)
            SendSkinCommand(child, SkinCommandWParam(scRepaintNow), 0);
}

TColor GetParentBgColor(TControl* parent) {
    ParentBgColor = KeyColor;
    if (!parent) return ParentBgColor;
    SendSkinCommand(parent, SkinCommandWParam(scGetBgColor), 0);
    if (ParentBgColor == KeyColor) ParentBgColor = parent->Color();
    ParentBgColor = TColor(ColorToRGB(ParentBgColor));
    return ParentBgColor;
}
