#pragma once
// The browser pane: a control that hosts the HTML view as a child window filling it. Each
// operation returns the view's result; a caller that wants an error raised passes it to
// OleCheck.
#include <memory>
#include <string>

#include "htmlview/HtmlView.h"
#include "toolkit/OleException.h"
#include "toolkit/WinControl.h"

class TWebBrowser : public TWinControl {
  public:
    explicit TWebBrowser(TComponent* owner);
    ~TWebBrowser() override;
    const char* ClassName() const override { return "TWebBrowser"; }

    // Each fails (E_FAIL) when there is no view: the control has no window and cannot get one.
    HRESULT Navigate(const std::string& path);
    HRESULT GoBack();
    HRESULT GoForward();
    HRESULT ExecWB(int command, int option);

    // The hosted view, or null while the control has no window.
    THtmlView* View() const { return view_.get(); }

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void DestroyWnd() override;
    void WndProc(TMessage& m) override;
    void FitView();
    // Makes the window (and so the view) when it can; null when there is no parent yet.
    THtmlView* EnsureView();

    std::unique_ptr<THtmlView> view_;
};
