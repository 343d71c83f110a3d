#pragma once
// Forms: top-level windows with a border style, caption-bar icons, a position rule, a menu,
// an icon, and optional alpha blending or a transparent colour. Closing the application's
// main form ends the program; closing another form hides it.
#include "toolkit/CustomControl.h"
#include "toolkit/MainMenu.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition { poDesigned, poScreenCenter };

class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    const char* ClassName() const override { return "TForm"; }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    void SetAlphaBlend(bool on, BYTE value = 255) {
        alphaBlend_ = on;
        alphaValue_ = value;
    }
    void SetTransparentColor(bool on, COLORREF value = 0) {
        transparent_ = on;
        transparentValue_ = value;
    }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    void SetIcon(HICON big, HICON small);
    // Sets the size so that the client area has these dimensions.
    void SetClientSize(int width, int height);

    bool Showing() const override { return Visible() && HandleAllocated(); }
    // The control of this form that last had the focus, or null.
    TWinControl* FocusedControl() const { return focused_; }
    // The focus moved to a control of this form: the controls it left, up to the one that
    // holds both, get CM_EXIT (innermost first); those it came to get CM_ENTER (outermost first).
    void SetFocusedControl(TWinControl* control);
    void Show();
    void Close();

    TNotifyEvent OnCreate;
    TNotifyEvent OnClose;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& m) override;
    void HandleCreated() override;
    void VisibleChanged() override;
    // Runs OnCreate; the forms call it at the end of their construction.
    void DoCreate();
    void Notification(TComponent* component, TOperation operation) override;

private:
    void MenuChanged(bool rebuilt);

    void PlaceOnScreen();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    bool alphaBlend_ = false;
    BYTE alphaValue_ = 255;
    bool transparent_ = false;
    COLORREF transparentValue_ = 0;
    TMainMenu* menu_ = nullptr;
    int menuListener_ = 0;
    TWinControl* focused_ = nullptr;
    HICON iconBig_ = nullptr, iconSmall_ = nullptr;
    int clientWidth_ = -1, clientHeight_ = -1;
};
