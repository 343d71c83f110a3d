#pragma once
// The skinned system menu of a dialog that is skinned from outside: the six window commands,
// shown and enabled by the dialog's own frame rules, each sent to the dialog as a system
// command.
#include "windows/sWindowCommandMenu.h"

class TMenuItem;
class TqvDialogWnd;
struct TqvDialogFacts;

class TqvSystemMenu : public TsWindowCommandMenu {
  public:
    TqvSystemMenu(TComponent* owner, TqvDialogWnd* menuOwner);
    const char* ClassName() const override { return "TqvSystemMenu"; }

    TqvDialogWnd* MenuOwner() const { return menuOwner_; }
    TMenuItem* miRestore = nullptr;
    TMenuItem* miMove = nullptr;
    TMenuItem* miSize = nullptr;
    TMenuItem* miMinimize = nullptr;
    TMenuItem* miMaximize = nullptr;
    TMenuItem* miClose = nullptr;

    // From the dialog's present state; Move always shows, Close always works.
    void UpdateItems();
    void UpdateItems(const TqvDialogFacts& facts);

  protected:
    void RunCommand(WPARAM command) override;

  private:
    TqvDialogWnd* menuOwner_;
};
