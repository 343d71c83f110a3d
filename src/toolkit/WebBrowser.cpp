#include "toolkit/WebBrowser.h"

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 300, 150);
    SetTabStop(true);
}

TWebBrowser::~TWebBrowser() {
    view_.reset();
    if (HandleAllocated()) DestroyWnd();
}

void TWebBrowser::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TWebBrowser::HandleCreated() {
    THtmlView::RegisterWindowClass();
    view_ = THtmlView::Create(Handle(), ClientRect(), 1);
}

void TWebBrowser::DestroyWnd() {
    // The view's window is our child; the view goes with it (its history too).
    view_.reset();
    TWinControl::DestroyWnd();
}

void TWebBrowser::FitView() {
    if (view_ && view_->Handle()) {
        const RECT r = ClientRect();
        MoveWindow(view_->Handle(), 0, 0, WidthOf(r), HeightOf(r), true);
    }
}

void TWebBrowser::WndProc(TMessage& m) {
    TWinControl::WndProc(m);
    if (m.Msg == WM_SIZE)
        FitView();
    else if (m.Msg == WM_SETFOCUS && view_ && view_->Handle())
        ::SetFocus(view_->Handle());
}

THtmlView* TWebBrowser::EnsureView() {
    if (!HandleAllocated()) HandleNeeded();
    return view_.get();
}

HRESULT TWebBrowser::Navigate(const std::string& path) {
    THtmlView* view = EnsureView();
    return view ? view->Navigate(path) : E_FAIL;
}

HRESULT TWebBrowser::GoBack() {
    THtmlView* view = EnsureView();
    return view ? view->GoBack() : E_FAIL;
}

HRESULT TWebBrowser::GoForward() {
    THtmlView* view = EnsureView();
    return view ? view->GoForward() : E_FAIL;
}

HRESULT TWebBrowser::ExecWB(int command, int option) {
    THtmlView* view = EnsureView();
    return view ? view->ExecWB(command, option) : E_FAIL;
}
