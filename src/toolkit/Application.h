#pragma once
// The application: its title, its forms in creation order (the first is the main form), the
// message loop, the default error handler that shows an error's message in a message box and
// lets the program go on, and the hint window.
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/WindowSystem.h"
#include "toolkit/Component.h"

class TForm;
class TControl;

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    void Initialize();
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // Creates a form owned by the application; the first one made becomes the main form.
    template <typename T>
    T* CreateForm() {
        T* form = Make<T>();
        forms_.push_back(form);
        if (!mainForm_) mainForm_ = form;
        return form;
    }
    TForm* MainForm() const { return mainForm_; }
    const std::vector<TForm*>& Forms() const { return forms_; }

    // Shows the main form and runs the message loop until the program is terminated.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    // Minimises every visible form of the program.
    void Minimize();
    // Shows the error's message in a message box; the program goes on.
    void HandleException(std::exception_ptr error);

    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }
    // The mouse came over a control (or left every control: null): its hint shows after the
    // usual pause and goes when the mouse leaves.
    void HintMouseMessage(TControl* control);
    // The pause is over: the hint of the control under the mouse shows.
    void ShowPendingHint();
    // A control goes: its hint, shown or pending, goes with it.
    void ControlDestroyed(TControl* control);
    // The hidden application window that owns the forms.
    HWND Handle();

    void FormDestroyed(TForm* form);

  private:
    std::string title_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool showHint_ = true;
    TControl* hintControl_ = nullptr;
    HWND handle_ = nullptr;
};

// The program's one application object (null before it is made and after it is gone).
extern TApplication* Application;
