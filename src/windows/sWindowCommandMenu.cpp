#include "windows/sWindowCommandMenu.h"

#include "platform/window/WindowSystem.h"
#include "toolkit/MenuItem.h"

namespace {

struct TsCommandItem {
    const char* Caption;
    WPARAM Command;
};
constexpr std::array<TsCommandItem, TsWindowCommandMenu::SlotCount> kCommandItems{{
    {"Restore", SC_RESTORE},
    {"Move", SC_MOVE},
    {"Size", SC_SIZE},
    {"Minimize", SC_MINIMIZE},
    {"Maximize", SC_MAXIMIZE},
    {"Close", SC_CLOSE},
}};

} // namespace

TsWindowCommandMenu::TsWindowCommandMenu(TComponent* owner,
                                         const std::array<const char*, SlotCount>& names)
    : TPopupMenu(owner) {
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot == Close) {
            TMenuItem* line = Make<TMenuItem>();
            line->SetCaption("-");
            Items().Add(line);
        }
        TMenuItem* item = Make<TMenuItem>();
        item->SetName(names[size_t(slot)]);
        item->SetCaption(kCommandItems[size_t(slot)].Caption);
        const WPARAM command = kCommandItems[size_t(slot)].Command;
        item->OnClick = [this, command](TComponent*) { RunCommand(command); };
        Items().Add(item);
        items_[size_t(slot)] = item;
    }
    items_[Close]->SetShortCutText("Alt+F4");
}

void TsWindowCommandMenu::ApplyRules(const SlotRule& visible, const SlotRule& enabled) {
    try {
        for (int slot = 0; slot < SlotCount; ++slot) {
            items_[size_t(slot)]->SetVisible(visible(slot));
            items_[size_t(slot)]->SetEnabled(enabled(slot));
        }
        items_[Move]->SetVisible(true);
        items_[Close]->SetEnabled(true);
    } catch (...) {}
}
