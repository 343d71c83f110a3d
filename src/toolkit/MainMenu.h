#pragma once
// The menu bar of a form: its items and the window-system menu bar built from them.
#include "toolkit/Menu.h"

class TMainMenu : public TMenu {
  public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner, true) {}
    const char* ClassName() const override { return "TMainMenu"; }
};
