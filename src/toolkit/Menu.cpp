#include "toolkit/Menu.h"

#include <algorithm>
#include <cstdlib>

#include "platform/text/Text.h"

namespace {

// Strips the owner-draw type from every entry below `item`.
void ClearOwnerDraw(TMenuItem& item) {
    const HMENU menu = item.Handle();
    if (!menu) return;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFO info;
        info.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfo(menu, UINT(i), true, &info)) continue;
        info.fType &= ~MFT_OWNERDRAW;
        SetMenuItemInfo(menu, UINT(i), true, &info);
    }
    for (int i = 0; i < item.Count(); ++i) ClearOwnerDraw(*item.Items(i));
}

} // namespace

TMenu::TMenu(TComponent* owner, bool bar) : TComponent(owner), root_(nullptr) {
    root_.menu_ = this;
    root_.barHandle_ = bar;
}

TMenu::~TMenu() {
    Destroying();
    listeners_.clear();
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    if (!value) ClearOwnerDraw(root_);
    RebuildEntries();
}

void TMenu::RebuildEntries() {
    std::vector<TMenuItem*> stack{&root_};
    while (!stack.empty()) {
        TMenuItem* item = stack.back();
        stack.pop_back();
        item->RebuildEntries();
        for (TMenuItem* child : item->items_) stack.push_back(child);
    }
    MenuChanged(&root_, true);
}

void TMenu::SetImages(TImageList* images) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    MenuChanged(&root_, false);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = root_.FindCommand(command);
    if (!item || item == &root_) return false;
    item->Click();
    return true;
}

int TMenu::AddChangeListener(TMenuChangeEvent listener) {
    listeners_.push_back(Listener{nextListener_, std::move(listener)});
    return nextListener_++;
}

void TMenu::RemoveChangeListener(int id) {
    std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; });
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuilt) {
    if (IsDestroying()) return;
    // A copy: a listener may leave while it is told.
    const std::vector<Listener> listeners = listeners_;
    for (const Listener& l : listeners)
        if (std::any_of(listeners_.begin(), listeners_.end(),
                        [&](const Listener& x) { return x.id == l.id; }))
            l.call(this, source, rebuilt);
}

bool TMenu::DispatchOwnerDraw(TMessage& m) {
    if (m.Msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (!mis || mis->CtlType != ODT_MENU) return false;
        TMenuItem* item = TMenuItem::FromItemData(mis->itemData);
        if (!item) return false;
        const HDC dc = CreateCompatibleDC(nullptr);
        NONCLIENTMETRICS metrics;
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        {
            TCanvas canvas(dc);
            canvas.Font.SetName(metrics.lfMenuFont.lfFaceName);
            canvas.Font.SetHeight(int(std::abs(metrics.lfMenuFont.lfHeight)));
            int width = int(mis->itemWidth), height = int(mis->itemHeight);
            item->MeasureItem(canvas, width, height);
            mis->itemWidth = UINT(std::max(0, width));
            mis->itemHeight = UINT(std::max(0, height));
        }
        DeleteDC(dc);
        m.Result = 1;
        return true;
    }
    if (m.Msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (!dis || dis->CtlType != ODT_MENU) return false;
        TMenuItem* item = TMenuItem::FromItemData(dis->itemData);
        if (!item) return false;
        TCanvas canvas(dis->hDC);
        const bool topLevel = item->Parent() && item->Parent()->barHandle_;
        item->AdvancedDrawItem(canvas, dis->rcItem, dis->itemState, topLevel);
        m.Result = 1;
        return true;
    }
    return false;
}
