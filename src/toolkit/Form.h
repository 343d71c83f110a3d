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
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// Multiple-document forms are not made by this program; the values are there to be asked.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

// Limits on a size; 0 is no limit.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
};

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
    // What the window is; set before the window shows, it is how the window first shows.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    // Every size the form takes, by code, by the user's drag or by maximising, keeps within.
    const TSizeConstraints& Constraints() const { return constraints_; }
    void SetConstraints(const TSizeConstraints& constraints);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    // Whether the form would scroll to controls that lie outside its client area.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }
    // A band of this width inside the frame, in the form's colour, around the client area.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    void SetBounds(int left, int top, int width, int height) override;

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
    // Paints the client area over the form's colour; the canvas is the form's.
    TNotifyEvent OnPaint;

  protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& m) override;
    void HandleCreated() override;
    void VisibleChanged() override;
    // Runs OnCreate; the forms call it at the end of their construction.
    void DoCreate();
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;

  private:
    void ApplyWindowState();
    void ConstrainTracking(MINMAXINFO& info) const;
    void PaintBorderBand();
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
    TWindowState windowState_ = wsNormal;
    TSizeConstraints constraints_;
    TFormStyle formStyle_ = fsNormal;
    bool autoScroll_ = false;
    int borderWidth_ = 0;
};
