#include "windows/qvSystemMenu.h"

#include "platform/window/WindowSystem.h"
#include "windows/qvDialogGeometry.h"
#include "windows/qvDialogWnd.h"

TqvSystemMenu::TqvSystemMenu(TComponent* owner, TqvDialogWnd* menuOwner)
    : TsWindowCommandMenu(owner,
                          {"miRestore", "miMove", "miSize", "miMinimize", "miMaximize", "miClose"}),
      menuOwner_(menuOwner) {
    miRestore = CommandItem(Restore);
    miMove = CommandItem(Move);
    miSize = CommandItem(Size);
    miMinimize = CommandItem(Minimize);
    miMaximize = CommandItem(Maximize);
    miClose = CommandItem(Close);
}

void TqvSystemMenu::RunCommand(WPARAM command) {
    if (!menuOwner_ || !IsWindow(menuOwner_->Handle)) return;
    SendMessage(menuOwner_->Handle, WM_SYSCOMMAND, command, 0);
    if (command == SC_RESTORE || command == SC_MAXIMIZE) UpdateItems();
}

void TqvSystemMenu::UpdateItems() {
    if (menuOwner_) UpdateItems(menuOwner_->Facts());
}

void TqvSystemMenu::UpdateItems(const TqvDialogFacts& facts) {
    ApplyRules([&](int slot) { return DialogCommandVisible(facts, TqvDialogCommand(slot)); },
               [&](int slot) { return DialogCommandEnabled(facts, TqvDialogCommand(slot)); });
}
