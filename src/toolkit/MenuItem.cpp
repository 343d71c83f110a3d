#include "toolkit/MenuItem.h"

#include <algorithm>
#include <unordered_set>

#include "platform/gdi/SysColors.h"
#include "toolkit/Menu.h"

namespace {

UINT NextCommand() {
    static UINT next = 100;
    return next++;
}

// The items alive now: item data that arrives in a message is only trusted when listed here.
std::unordered_set<const TMenuItem*>& LiveItems() {
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

constexpr int kTextIndent = 20; // room for a check mark or an image before the text
constexpr int kBarPadding = 7;

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    for (TMenuItem* child : items_) child->parent_ = nullptr;
    items_.clear();
    DestroyHandle();
    if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::FromItemData(uintptr_t data) {
    auto* item = reinterpret_cast<const TMenuItem*>(data);
    return LiveItems().count(item) ? const_cast<TMenuItem*>(item) : nullptr;
}

void TMenuItem::DestroyHandle() {
    if (!handle_) return;
    // The children's submenus belong to the children: take them out before the menu goes.
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
    handle_ = nullptr;
}

// ---------------------------------------------------------------- properties

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    const bool wasLine = IsLine();
    caption_ = caption;
    if (wasLine != IsLine())
        Changed(true);
    else
        UpdateEntry();
}

void TMenuItem::SetShortCutText(const std::string& text) {
    shortCut_ = text;
    UpdateEntry();
}

void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateEntry();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (parent_) parent_->Changed(true);
}

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    // A radio item checked unchecks the other radio items of its group.
    if (checked && radioItem_ && parent_)
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->checked_) {
                sibling->checked_ = false;
                sibling->UpdateEntry();
            }
    UpdateEntry();
}

void TMenuItem::SetRadioItem(bool radio) {
    radioItem_ = radio;
    UpdateEntry();
}

void TMenuItem::SetDefault(bool value) {
    default_ = value;
    UpdateEntry();
}

void TMenuItem::SetBreak(TMenuBreak value) {
    break_ = value;
    UpdateEntry();
}

void TMenuItem::SetBitmap(HBITMAP bitmap) {
    bitmap_ = bitmap;
    UpdateEntry();
}

void TMenuItem::SetImageIndex(int index) {
    imageIndex_ = index;
    UpdateEntry();
}

// ---------------------------------------------------------------- the tree

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    if (item->parent_) item->parent_->Remove(item);
    item->parent_ = this;
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (items_.empty() && !menu_ && parent_) {
        // No children left: the entry is a plain command again.
        DestroyHandle();
        parent_->Changed(true);
        return;
    }
    if (!IsDestroying()) Changed(true);
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    const auto& siblings = parent_->items_;
    return int(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->parent_) i = i->parent_;
    return i->menu_;
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
    if (command == command_) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindCommand(command)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

// ---------------------------------------------------------------- entries

HMENU TMenuItem::Handle() {
    if (!handle_ && (menu_ || !items_.empty())) {
        handle_ = barHandle_ ? CreateMenu() : CreatePopupMenu();
        RebuildEntries();
    }
    return handle_;
}

int TMenuItem::EntryPosition() const {
    int position = 0;
    for (const TMenuItem* sibling : parent_->items_) {
        if (sibling == this) return position;
        position += sibling->visible_;
    }
    return -1;
}

void TMenuItem::FillInfo(MENUITEMINFO& info, std::string& text, UINT keepType) {
    text = caption_;
    if (!shortCut_.empty()) text += "\t" + shortCut_;
    const TMenu* menu = GetParentMenu();
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_SUBMENU;
    info.fType = keepType & MFT_OWNERDRAW;
    if (IsLine()) info.fType |= MFT_SEPARATOR;
    if (menu && menu->OwnerDraw()) info.fType |= MFT_OWNERDRAW;
    if (radioItem_) info.fType |= MFT_RADIOCHECK;
    if (break_ == mbBreak) info.fType |= MFT_MENUBREAK;
    if (break_ == mbBarBreak) info.fType |= MFT_MENUBARBREAK;
    info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) |
                  (default_ ? MFS_DEFAULT : 0);
    info.wID = command_;
    info.dwItemData = reinterpret_cast<uintptr_t>(this);
    info.dwTypeData = text.data(); // owner-drawn entries keep their text too, for their drawer
    info.hSubMenu = Handle();
    if (bitmap_) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = bitmap_;
    }
}

void TMenuItem::RebuildEntries() {
    if (!handle_) return;
    // Owner-draw flags put on the entries by whoever draws them survive the rebuild.
    std::vector<std::pair<const TMenuItem*, UINT>> drawn;
    for (int i = 0, n = GetMenuItemCount(handle_); i < n; ++i) {
        MENUITEMINFO old;
        old.fMask = MIIM_FTYPE | MIIM_DATA;
        if (GetMenuItemInfo(handle_, UINT(i), true, &old))
            drawn.emplace_back(reinterpret_cast<TMenuItem*>(old.dwItemData), old.fType);
    }
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    UINT position = 0;
    for (TMenuItem* item : items_) {
        if (!item->visible_) continue;
        UINT keep = 0;
        for (const auto& [who, type] : drawn)
            if (who == item) keep = type;
        MENUITEMINFO info;
        std::string text;
        item->FillInfo(info, text, keep);
        InsertMenuItem(handle_, position++, true, &info);
    }
}

void TMenuItem::UpdateEntry() {
    if (!parent_ || !parent_->handle_ || !visible_) return;
    const int position = EntryPosition();
    MENUITEMINFO old;
    old.fMask = MIIM_FTYPE;
    if (position < 0 || !GetMenuItemInfo(parent_->handle_, UINT(position), true, &old)) {
        parent_->Changed(true);
        return;
    }
    MENUITEMINFO info;
    std::string text;
    FillInfo(info, text, old.fType);
    SetMenuItemInfo(parent_->handle_, UINT(position), true, &info);
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, false);
}

void TMenuItem::Changed(bool rebuilt) {
    if (rebuilt && handle_)
        RebuildEntries();
    else if (rebuilt && !items_.empty() && parent_ && parent_->handle_) {
        // The first child: the entry becomes a submenu.
        parent_->RebuildEntries();
    }
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuilt);
}

// ---------------------------------------------------------------- owner drawing

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    if (OnMeasureItem) {
        OnMeasureItem(this, canvas, width, height);
        return;
    }
    const bool topLevel = parent_ && parent_->barHandle_;
    if (IsLine()) {
        width = 0;
        height = GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    std::string text = caption_;
    if (!shortCut_.empty()) text += "    " + shortCut_;
    const SIZE s = canvas.TextExtent(text);
    width = topLevel ? int(s.cx) + 2 * kBarPadding : int(s.cx) + 2 * kTextIndent;
    height = std::max(int(s.cy) + 4, GetSystemMetrics(SM_CYMENU));
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
    if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, selected);
        return;
    }
    DrawDefault(canvas, rect, selected ? unsigned(odSelected) : 0u, parent_ && parent_->barHandle_);
}

void TMenuItem::AdvancedDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state,
                                 bool topLevel) {
    if (OnAdvancedDrawItem) {
        OnAdvancedDrawItem(this, canvas, rect, state);
        return;
    }
    if (OnDrawItem) {
        DrawItem(canvas, rect, (state & odSelected) != 0);
        return;
    }
    DrawDefault(canvas, rect, state, topLevel);
}

void TMenuItem::DrawDefault(TCanvas& canvas, const RECT& rect, TOwnerDrawState state,
                            bool topLevel) {
    const bool selected = (state & (odSelected | odHotLight)) != 0;
    const bool highlight = selected && !topLevel;
    canvas.Brush.Color = SysColor(highlight ? COLOR_HIGHLIGHT : COLOR_MENU);
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(rect);
    if (IsLine()) {
        const int y = (rect.top + rect.bottom) / 2;
        canvas.Brush.Color = SysColor(COLOR_BTNSHADOW);
        canvas.FillRect(RECT{rect.left + 1, y - 1, rect.right - 1, y});
        canvas.Brush.Color = SysColor(COLOR_BTNHIGHLIGHT);
        canvas.FillRect(RECT{rect.left + 1, y, rect.right - 1, y + 1});
        return;
    }
    const TMenu* menu = GetParentMenu();
    if (menu && menu->Images() && imageIndex_ >= 0 && !topLevel) {
        const TImageList* images = menu->Images();
        images->Draw(canvas.Handle(), rect.left + 2,
                     rect.top + (HeightOf(rect) - images->Height()) / 2, imageIndex_, enabled_);
    } else if (checked_ && !topLevel) {
        canvas.Font.SetColor(SysColor(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        canvas.TextRect(RECT{rect.left, rect.top, rect.left + kTextIndent, rect.bottom},
                        radioItem_ ? "\u2022" : "\u2713", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    canvas.Brush.Style = bsClear;
    canvas.Font.SetColor(SysColor(int(!enabled_   ? COLOR_GRAYTEXT
                                      : highlight ? COLOR_HIGHLIGHTTEXT
                                                  : COLOR_MENUTEXT)));
    const RECT text{rect.left + (topLevel ? 0 : kTextIndent), rect.top,
                    rect.right - (topLevel ? 0 : 8), rect.bottom};
    canvas.TextRect(text, caption_, (topLevel ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE);
    if (!shortCut_.empty() && !topLevel)
        canvas.TextRect(text, shortCut_, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}
