#include "windows/sSystemMenu.h"

#include <vector>

#include "skin/sSkinManager.h"
#include "skin/sSkinSource.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/MenuItem.h"

namespace {

constexpr const char* kSkinSelectName = "SkinSelectItem";
constexpr const char* kSkinSelectLineName = "SkinSelectLine";
constexpr int kSkinsPerColumn = 20;
// Stored skins, skin folders and skin packages alike.
constexpr int kAllSkinKinds = 2;

bool FirstItemNamed(TMenuItem& root, const char* name) {
    return root.Count() > 0 && root.Items(0)->Name() == name;
}

} // namespace

std::string WithoutAmpersands(const std::string& caption) {
    std::string text;
    text.reserve(caption.size());
    for (char c : caption)
        if (c != '&') text += c;
    return text;
}

TsSystemMenu::TsSystemMenu(TComponent* owner, TForm* form)
    : TsWindowCommandMenu(owner, {"ItemRestore", "ItemMove", "ItemSize", "ItemMinimize",
                                  "ItemMaximize", "ItemClose"}),
      form_(form) {
    ItemRestore = CommandItem(Restore);
    ItemMove = CommandItem(Move);
    ItemSize = CommandItem(Size);
    ItemMinimize = CommandItem(Minimize);
    ItemMaximize = CommandItem(Maximize);
    ItemClose = CommandItem(Close);
}

TsSystemMenu::~TsSystemMenu() {
    Destroying();
    if (manager_) manager_->RemoveFreeNotification(this);
}

void TsSystemMenu::RunCommand(WPARAM command) {
    if (!form_ || !form_->HandleAllocated()) return;
    const bool mdiChild = form_->FormStyle() == fsMDIChild;
    if (command == SC_MINIMIZE && Application && Application->MainForm() == form_) {
        Application->Minimize();
    } else {
        if (command == SC_MAXIMIZE && !mdiChild) form_->SetWindowState(wsMaximized);
        SendMessage(form_->Handle(), WM_SYSCOMMAND, command, 0);
    }
    if (command == SC_RESTORE || command == SC_MINIMIZE || command == SC_MAXIMIZE)
        UpdateItems(CommandFactsOf(*form_));
}

void TsSystemMenu::UpdateItems(const TsCommandFacts& facts) {
    ApplyRules([&](int slot) { return CommandVisible(facts, TsSystemCommand(slot)); },
               [&](int slot) { return CommandEnabled(facts, TsSystemCommand(slot)); });
}

TMenuItem* TsSystemMenu::SkinSelectItem() const {
    TMenuItem& root = const_cast<TsSystemMenu*>(this)->Items();
    return FirstItemNamed(root, kSkinSelectName) ? root.Items(0) : nullptr;
}

void TsSystemMenu::RemoveSkinItems() {
    if (TMenuItem* select = SkinSelectItem()) {
        while (select->Count() > 0) delete select->Items(select->Count() - 1);
        delete select;
    }
    // The line under the submenu goes with it, or every popup would add one more.
    if (FirstItemNamed(Items(), kSkinSelectLineName)) delete Items().Items(0);
}

void TsSystemMenu::RebuildSkinItems(TsSkinManager& manager) {
    RemoveSkinItems();
    if (manager_ != &manager) {
        if (manager_) manager_->RemoveFreeNotification(this);
        manager_ = &manager;
        manager.FreeNotification(this);
    }
    std::vector<std::string> names;
    ListSkinNames(names, kAllSkinKinds, manager.InternalSkins(), manager.FullSkinDirectory());
    if (names.empty()) return;

    TMenuItem* select = Make<TMenuItem>();
    select->SetName(kSkinSelectName);
    select->SetCaption("Available skins");
    TMenuItem* line = Make<TMenuItem>();
    line->SetName(kSkinSelectLineName);
    line->SetCaption("-");
    Items().Insert(0, select);
    Items().Insert(1, line);
    for (size_t i = 0; i < names.size(); ++i) {
        TMenuItem* item = Make<TMenuItem>();
        item->SetName(kSkinSelectName + std::to_string(i));
        item->SetCaption(names[i]);
        item->SetRadioItem(true);
        item->SetChecked(names[i] == manager.SkinName());
        if (i != 0 && i % kSkinsPerColumn == 0) item->SetBreak(mbBreak);
        item->OnClick = [this, item](TComponent*) { ChooseSkin(*item); };
        select->Add(item);
    }
}

void TsSystemMenu::ChooseSkin(const TMenuItem& item) {
    if (manager_) manager_->SetSkinName(WithoutAmpersands(item.Caption()));
}

void TsSystemMenu::Notification(TComponent* component, TOperation operation) {
    TPopupMenu::Notification(component, operation);
    if (operation == opRemove && component == manager_) manager_ = nullptr;
    if (operation == opRemove && component == form_) form_ = nullptr;
}
