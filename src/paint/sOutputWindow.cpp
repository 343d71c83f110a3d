#include "paint/sOutputWindow.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

bool IsTopmost(TForm* form) {
    if (form->FormStyle() == fsStayOnTop) return true;
    return form->HandleAllocated() && (GetWindowLong(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

} // namespace

TOutputWindow::TOutputWindow(TComponent* owner) : TCustomControl(owner) {
    SetCaption("qvOutputWindow");
    SetVisible(false);
    SetColor(TColor(0x800080));
}

void TOutputWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (Parent()) return;
    params.Style = (params.Style & ~DWORD(WS_CHILD)) | WS_POPUP;
    params.WndParent = Application ? Application->Handle() : nullptr;
    // A cover owned by a control of a form stays on top as that form does.
    auto* control = dynamic_cast<TControl*>(Owner());
    if (TForm* form = control ? control->ParentForm() : nullptr; form && IsTopmost(form))
        params.ExStyle |= WS_EX_TOPMOST;
}

void TOutputWindow::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        // What covers the control is whatever frame was copied in last.
        m.Result = 1;
        return;
    }
    TCustomControl::WndProc(m);
}
