#include "toolkit/Application.h"

#include "platform/controls/HintWindow.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/StandardClasses.h"
#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/WinControl.h"

TApplication* Application = nullptr;

namespace {

constexpr uintptr_t kHintTimer = 0x4854;
constexpr UINT kHintPauseMs = 500;

LRESULT ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kHintTimer) {
        KillTimer(hwnd, kHintTimer);
        if (Application) Application->ShowPendingHint();
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

TApplication::TApplication() : TComponent(nullptr) { Application = this; }

TApplication::~TApplication() {
    // The forms go first, the last made first, while the application and its lists are whole.
    Destroying();
    DestroyComponents();
    if (handle_) DestroyWindow(handle_);
    HideHintWindow();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    RegisterStandardClasses();
    Handle(); // the hidden window that owns the program's windows exists from the start
    SetDispatchExceptionHandler([this](std::exception_ptr e) { HandleException(e); });
}

HWND TApplication::Handle() {
    if (!handle_) {
        WNDCLASS wc;
        if (!GetClassInfo("TApplication", &wc)) {
            wc.lpszClassName = "TApplication";
            wc.lpfnWndProc = ApplicationWindowProc;
            RegisterClass(wc);
        }
        handle_ = CreateWindowEx(WS_EX_TOOLWINDOW, "TApplication", title_, WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, nullptr, nullptr);
    }
    return handle_;
}

void TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    MSG msg;
    while (!terminated_ && GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    terminated_ = true;
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() { ProcessPendingMessages(); }

void TApplication::Minimize() {
    for (TForm* form : std::vector<TForm*>(forms_))
        if (form->HandleAllocated() && IsWindowVisible(form->Handle()))
            ShowWindow(form->Handle(), SW_MINIMIZE);
}

void TApplication::HandleException(std::exception_ptr error) {
    std::string text = "Белгісіз қате";
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {}
    const HWND owner = GetActiveWindow();
    MessageBox(owner, text, title_, MB_OK | MB_ICONERROR);
}

void TApplication::HintMouseMessage(TControl* control) {
    const HWND timerWindow = Handle();
    KillTimer(timerWindow, kHintTimer);
    HideHintWindow();
    hintControl_ = control;
    if (control && showHint_ && control->ShowHint() && !control->Hint().empty())
        SetTimer(timerWindow, kHintTimer, kHintPauseMs, nullptr);
}

void TApplication::ShowPendingHint() {
    if (!hintControl_ || !hintControl_->ShowHint() || hintControl_->Hint().empty()) return;
    // The window the control lies in: the hint shows only while it may take input.
    auto* windowed = dynamic_cast<TWinControl*>(hintControl_);
    if (!windowed) windowed = hintControl_->Parent();
    if (!windowed || !windowed->HandleAllocated()) return;
    POINT p{};
    GetCursorPos(&p);
    THintInfo info;
    info.HintControl = hintControl_;
    info.CursorPos = hintControl_->ScreenToClient(p);
    info.HintPos = POINT{p.x, p.y + 20};
    info.HintStr = hintControl_->Hint();
    // The control may move the hint, change its text, or refuse it.
    TMessage m{CM_HINTSHOW, 0, LPARAM(&info), 0};
    if (hintControl_->Perform(m) != 0 || info.HintStr.empty()) return;
    ShowHintWindow(info.HintStr, info.HintPos, windowed->Handle());
}

void TApplication::ControlDestroyed(TControl* control) {
    if (!control || control != hintControl_) return;
    hintControl_ = nullptr;
    if (handle_) KillTimer(handle_, kHintTimer);
    HideHintWindow();
}

void TApplication::FormDestroyed(TForm* form) {
    std::erase(forms_, form);
    if (mainForm_ == form) mainForm_ = nullptr;
}
