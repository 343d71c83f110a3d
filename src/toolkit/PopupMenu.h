#pragma once
// A pop-up menu: shown at a point of the screen, it runs the menu loop until an item is
// chosen or the menu is put away. Its owner-draw requests go to a hidden window of its own,
// so that a pop-up menu works without a form.
#include "toolkit/Menu.h"

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
  public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner, false) {}
    ~TPopupMenu() override;
    const char* ClassName() const override { return "TPopupMenu"; }

    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment a) { alignment_ = a; }
    // The component the menu was last shown for (a tool button, a form's caption).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* c) { popupComponent_ = c; }

    // Shows the menu at the screen point and runs the chosen item's click. When it closes,
    // OnClose runs and a control that is the PopupComponent gets CN_DROPDOWNCLOSED (lParam:
    // the menu). A handler may destroy the menu.
    virtual void Popup(int x, int y);
    // The window that receives the menu's messages while it is shown.
    HWND WindowHandle();

    TNotifyEvent OnPopup;
    // The menu was put away, chosen or not (the drop-down closed).
    TNotifyEvent OnClose;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    static LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ShowAndRun(int x, int y, const bool& destroyed);

    TPopupAlignment alignment_ = paLeft;
    TComponent* popupComponent_ = nullptr;
    HWND window_ = nullptr;
    bool* destroyedFlag_ = nullptr; // set while Popup runs: told when this menu is destroyed
};
