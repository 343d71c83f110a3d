#pragma once
// The menu bar of a form: its items, the window-system menu built from them, and the commands
// routed back to the items.
#include "toolkit/MenuItem.h"

class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    const char* ClassName() const override { return "TMainMenu"; }

    // The root whose children are the bar's items.
    TMenuItem& Items() { return root_; }
    // The window-system menu, built on first use and again after a change.
    HMENU Handle();
    // Runs the click of the item with the command; false when none has it.
    bool DispatchCommand(UINT command);
    // Called when the menu is rebuilt, so that the form can hand the new one to its window.
    std::function<void(HMENU)> OnRebuilt;

private:
    void Rebuild();
    TMenuItem root_;
    HMENU handle_ = nullptr;
};
