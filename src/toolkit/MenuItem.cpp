#include "toolkit/MenuItem.h"

#include <algorithm>

namespace {

UINT NextCommand() {
    static UINT next = 100;
    return next++;
}

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

void TMenuItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    Changed();
}

void TMenuItem::Add(TMenuItem* item) {
    if (!item) return;
    item->parent_ = this;
    items_.push_back(item);
    Changed();
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    const auto& siblings = parent_->items_;
    return int(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::Changed() {
    for (TMenuItem* i = this; i; i = i->parent_)
        if (i->OnChanged) {
            i->OnChanged();
            return;
        }
}

void TMenuItem::AppendTo(HMENU menu) const {
    for (const TMenuItem* item : items_) {
        if (!item->visible_) continue;
        std::string text = item->caption_;
        if (!item->shortCut_.empty()) text += "\t" + item->shortCut_;
        UINT flags = MF_STRING | (item->enabled_ ? 0 : MF_GRAYED) | (item->checked_ ? MF_CHECKED : 0);
        if (item->caption_ == "-") {
            AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (!item->items_.empty()) {
            HMENU sub = CreatePopupMenu();
            item->AppendTo(sub);
            AppendMenu(menu, flags | MF_POPUP, uintptr_t(sub), text.c_str());
        } else {
            AppendMenu(menu, flags, item->command_, text.c_str());
        }
    }
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
    if (command == command_) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindCommand(command)) return found;
    return nullptr;
}
