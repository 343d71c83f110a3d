#include "windows/qvCtrlAdapter.h"

#include <algorithm>

#include "paint/sCommonData.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/WinControl.h"
#include "windows/qvMainWnd.h"
#include "windows/sSkinProvider.h"

TqvCtrlAdapter::TqvCtrlAdapter(TsSkinProvider* provider) : Provider(provider) {}

TqvCtrlAdapter::~TqvCtrlAdapter() { DropAllItems(); }

TsSkinManager* TqvCtrlAdapter::Manager() const {
    if (Provider && Provider->SkinData) return Provider->SkinData->GetSkinManager();
    return PrimaryManager;
}

bool TqvCtrlAdapter::CanWrap(TControl* control) const {
    switch (AdaptedKindOf(control)) {
    case TqvAdaptedKind::BitButton:
    case TqvAdaptedKind::Button:
    case TqvAdaptedKind::GroupBox:
    case TqvAdaptedKind::TreeView:
    case TqvAdaptedKind::Edit:
    case TqvAdaptedKind::SynEdit:
    case TqvAdaptedKind::RichView:
    case TqvAdaptedKind::VirtualTree: return true;
    // Panels are wrapped only when asked for one by one.
    case TqvAdaptedKind::Panel:
    case TqvAdaptedKind::None: return false;
    }
    return false;
}

TqvAdapterItem* TqvCtrlAdapter::ItemAt(int index) const {
    if (index < 0 || index >= ItemCount()) return nullptr;
    return WrappedItems[size_t(index)].get();
}

int TqvCtrlAdapter::IndexOf(const TControl* control) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (WrappedItems[size_t(i)]->Control == control) return i;
    return -1;
}

std::unique_ptr<TqvAdapterItem> TqvCtrlAdapter::MakeItem(TControl* control) {
    TsSkinManager* manager = Manager();
    return std::make_unique<TqvAdapterItem>(control, manager != PrimaryManager ? manager : nullptr);
}

void TqvCtrlAdapter::WrapNewControl(TControl* control) {
    if (CanWrap(control)) WrapControl(control, DefaultSection);
}

void TqvCtrlAdapter::WrapControl(TControl* control, const std::string& skinSection) {
    if (!control || control->IsDestroying()) return;
    if (control->Parent() && AskSkinCommand(control, scIsSkinned)) return;
    std::string section = skinSection;
    if (Provider && Provider->OnSkinItem) {
        bool canBeAdded = true;
        Provider->OnSkinItem(control, canBeAdded, section);
        if (!canBeAdded) return;
    }
    const int index = IndexOf(control);
    if (index >= 0) {
        TqvAdapterItem& item = *WrappedItems[size_t(index)];
        item.SkinData->SetSkinSection(section);
        if (item.Wrapper && !item.WrapperAlive()) {
            item.FreeWrapper();
            auto* windowed = dynamic_cast<TWinControl*>(control);
            if (windowed && windowed->HandleAllocated()) item.AttachWrapper(control);
        }
        return;
    }
    std::unique_ptr<TqvAdapterItem> item = MakeItem(control);
    item->SkinData->SetSkinSection(section);
    if (control->Parent()) item->AttachWrapper(control);
    if (!item->Wrapper) return;
    // The provider hears when the control goes, whoever owns it.
    if (Provider) control->FreeNotification(Provider);
    WrappedItems.push_back(std::move(item));
}

void TqvCtrlAdapter::DropItem(int index) {
    if (index < 0 || index >= ItemCount()) return;
    // Taken out of the list first: unwrapping sends messages that may reach the adapter.
    std::unique_ptr<TqvAdapterItem> item = std::move(WrappedItems[size_t(index)]);
    WrappedItems.erase(WrappedItems.begin() + index);
    item.reset();
}

void TqvCtrlAdapter::DropAllItems() {
    if (droppingAll_) return;
    droppingAll_ = true;
    while (!WrappedItems.empty()) DropItem(ItemCount() - 1);
    droppingAll_ = false;
}

void TqvCtrlAdapter::DropDeadItems() {
    for (int i = ItemCount() - 1; i >= 0; --i)
        if (i < ItemCount() && !WrappedItems[size_t(i)]->WrapperAlive()) DropItem(i);
}

void TqvCtrlAdapter::DropControl(const TComponent* control) {
    // Compared by address only: the control may be half destroyed already.
    int index = -1;
    for (int i = 0; i < ItemCount() && index < 0; ++i)
        if (static_cast<const TComponent*>(WrappedItems[size_t(i)]->Control) == control) index = i;
    if (index < 0) return;
    // The control is going: its wrapper must not touch it any more.
    TqvAdapterItem& item = *WrappedItems[size_t(index)];
    item.Control = nullptr;
    DropItem(index);
}

void TqvCtrlAdapter::SendToWrapped(TMessage& m) {
    // A copy of the windows first: a receiver may change the list.
    std::vector<HWND> windows;
    for (const auto& item : WrappedItems)
        if (item->WrapperAlive() && item->Control && item->Control->Parent())
            windows.push_back(item->Wrapper->Handle);
    for (HWND window : windows) {
        try {
            if (IsWindow(window)) SendMessage(window, m.Msg, m.WParam, m.LParam);
        } catch (...) {
            // One failing window does not keep the others from hearing it.
        }
    }
}

void TqvCtrlAdapter::TakeControl(TControl* control) {
    if (!control || control->IsDestroying()) return;
    if (CanWrap(control)) {
        WrapControl(control, "EDIT");
        return;
    }
    TsSkinManager* manager = Manager();
    if (std::string_view(control->ClassName()) == "TLabel" && manager) {
        auto* label = static_cast<TLabel*>(control);
        label->SetTransparent(true);
        label->Font().SetColor(manager->SkinGlobalFontColor());
    }
}

void TqvCtrlAdapter::WrapTree(TComponent* root, std::vector<const TComponent*>& walked) {
    if (!root || std::find(walked.begin(), walked.end(), root) != walked.end()) return;
    walked.push_back(root);
    std::vector<TControl*> controls;
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TWinControl*>(root->Components(i))) controls.push_back(c);
    if (auto* container = dynamic_cast<TWinControl*>(root))
        for (int i = 0; i < container->ControlCount(); ++i)
            controls.push_back(container->Controls(i));
    for (TControl* c : controls) TakeControl(c);
    for (TControl* c : controls) {
        auto* windowed = dynamic_cast<TWinControl*>(c);
        if (windowed && windowed->HandleAllocated() && windowed->Parent() &&
            !windowed->IsDestroying())
            WrapTree(windowed, walked);
    }
}

void TqvCtrlAdapter::WrapAllControls(TComponent* root) {
    TsSkinManager* manager = Manager();
    if (wrappingAll_ || !manager || !(manager->SkinningRules & srThirdParty)) return;
    if (!root && Provider) root = Provider->Form();
    if (!root) return;
    wrappingAll_ = true;
    std::vector<const TComponent*> walked;
    WrapTree(root, walked);
    wrappingAll_ = false;
}
