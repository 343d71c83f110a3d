#include "toolkit/MainMenu.h"

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), root_(nullptr) {
    root_.OnChanged = [this] {
        if (handle_) Rebuild();
    };
}

TMainMenu::~TMainMenu() {
    if (handle_) DestroyMenu(handle_);
}

HMENU TMainMenu::Handle() {
    if (!handle_) Rebuild();
    return handle_;
}

void TMainMenu::Rebuild() {
    const HMENU old = handle_;
    handle_ = CreateMenu();
    root_.AppendTo(handle_);
    if (OnRebuilt) OnRebuilt(handle_);
    if (old) DestroyMenu(old);
}

bool TMainMenu::DispatchCommand(UINT command) {
    TMenuItem* item = root_.FindCommand(command);
    if (!item || item == &root_) return false;
    item->Click();
    return true;
}
