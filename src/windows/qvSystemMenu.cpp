#include "windows/qvSystemMenu.h"

#include "platform/window/WindowSystem.h"
#include "toolkit/MenuItem.h"
#include "windows/qvDialogGeometry.h"
#include "windows/qvDialogWnd.h"

TqvSystemMenu::TqvSystemMenu(TComponent* owner, TqvDialogWnd* menuOwner)
    : TPopupMenu(owner), menuOwner_(menuOwner) {
    miRestore = AddCommandItem("miRestore", "Restore", SC_RESTORE);
    miMove = AddCommandItem("miMove", "Move", SC_MOVE);
    miSize = AddCommandItem("miSize", "Size", SC_SIZE);
    miMinimize = AddCommandItem("miMinimize", "Minimize", SC_MINIMIZE);
    miMaximize = AddCommandItem("miMaximize", "Maximize", SC_MAXIMIZE);
    TMenuItem* line = Make<TMenuItem>();
    line->SetCaption("-");
    Items().Add(line);
    miClose = AddCommandItem("miClose", "Close", SC_CLOSE);
    miClose->SetShortCutText("Alt+F4");
}

TMenuItem* TqvSystemMenu::AddCommandItem(const char* name, const char* caption, WPARAM command) {
    TMenuItem* item = Make<TMenuItem>();
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = [this, command](TComponent*) { RunCommand(command); };
    Items().Add(item);
    return item;
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
    // A failure here must not stop the dialog from working: the menu keeps its old state.
    try {
        const auto set = [&](TMenuItem* item, TqvDialogCommand command) {
            item->SetVisible(DialogCommandVisible(facts, command));
            item->SetEnabled(DialogCommandEnabled(facts, command));
        };
        set(miRestore, TqvDialogCommand::Restore);
        set(miMove, TqvDialogCommand::Move);
        set(miSize, TqvDialogCommand::Size);
        set(miMinimize, TqvDialogCommand::Minimize);
        set(miMaximize, TqvDialogCommand::Maximize);
        set(miClose, TqvDialogCommand::Close);
        miMove->SetVisible(true);
        miClose->SetEnabled(true);
    } catch (...) {}
}
