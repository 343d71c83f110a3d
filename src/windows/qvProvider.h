#pragma once
// What the skin manager's window hook makes for a window it takes over on activation. For a
// form of the program without a skin provider: a provider component on the form (it belongs
// to the form; this object only records it). For a system dialog ("#32770"): a wrapper for
// every child window by its class and a dialog wrapper that paints the frame and background.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "skin/sHookedWrapper.h"

class TForm;
class TqvDialogWnd;
class TsSkinManager;
class TsSkinProvider;

// The wrapper kinds the dialog's children get.
enum class TqvChildWrapper {
    None,
    Static,
    Icon,
    TransPanel,
    GroupBox,
    CheckBox,
    Button,
    ComboBox,
    Edit,
    Sizer,
    ListView,
    Spin,
    TreeView,
    Link,
    ToolBar,
};

// What the class table decides for one child window.
struct TqvChildDecision {
    TqvChildWrapper Wrapper = TqvChildWrapper::None;
    const char* Section = "";
    int LayoutKind = -1;      // -1: unchanged
    bool FormSection = false; // the dialog wrapper's section becomes "FORM"
    bool CountsComboList = false;
    bool Fails = false; // the whole attachment fails
};
// className in lower case; size of the child's window rectangle.
TqvChildDecision DecideDialogChild(const std::string& className, DWORD style, SIZE size);

// Child windows of class "combolbox" wrapped during the present attachment.
extern int ComboListCount;
// The sample area a dialog with three drop-down lists paints itself (empty until one comes).
extern RECT SampleRect;
// The three areas a dialog with fixed areas paints itself.
const std::vector<RECT>& FixedAreaRects();

class TqvProvider : public TsHookedWrapper {
  public:
    // skinMenu false leaves out the skin-selection submenu (message dialogs).
    TqvProvider(TForm* form, TsSkinManager* manager, bool skinMenu);
    // A provider for a window that is not a form of the program: attaches the dialog
    // skinning at once (see Attached).
    TqvProvider(HWND window, TsSkinManager* manager);
    ~TqvProvider() override;
    // No window once the dialog has gone: a new window with the same handle is a new one.
    HWND Window() const override;
    bool Attached() const override { return FormProvider != nullptr || attached_; }

    bool AttachToDialog(HWND window);
    bool WrapDialogChildren(HWND window);
    bool WrapDialogChild(HWND child);

    // 0 ordinary dialog; 1 with a sample area it paints itself; 3 with three fixed areas.
    unsigned char LayoutKind = 0;
    TsSkinProvider* FormProvider = nullptr;
    HWND DialogHandle = nullptr;
    std::vector<std::unique_ptr<TsHookedWrapper>> WrappedChildren;
    std::unique_ptr<TqvDialogWnd> DialogWrapper;

    // Makes the wrapper of one kind for a child window (MakeDialogChildWrapper unless a test
    // puts its own); null when the kind has none here.
    static std::function<std::unique_ptr<TsHookedWrapper>(TqvChildWrapper, HWND,
                                                          const std::string& section)>
        MakeChildWrapper;

  private:
    void CreateDialogWrapper(HWND window);
    bool Wrapped(HWND child) const;

    HWND window_ = nullptr;
    bool attached_ = false;
};

std::unique_ptr<TsHookedWrapper> MakeDialogChildWrapper(TqvChildWrapper kind, HWND child,
                                                        const std::string& section);

// Plugs the dialog skinning into the skin manager's window hook.
void InstallDialogSkinning();
