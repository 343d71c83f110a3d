#include "toolkit/PageControl.h"

#include <algorithm>

#include "platform/controls/TabControl.h"
#include "platform/window/OwnerDraw.h"

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetTabStop(true);
}

TPageControl::~TPageControl() {
    UnhookParent();
    // The window outlives this part of the control; it must not reach the images through it.
    if (HandleAllocated()) SendMessage(Handle(), TCM_SETIMAGELIST, 0, 0);
    for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
}

DWORD TabWindowStyle(TTabPosition position, TTabStyle style, bool hotTrack, bool multiLine) {
    DWORD bits = 0;
    if (position == tpBottom) bits |= TCS_BOTTOM;
    if (position == tpLeft) bits |= TCS_VERTICAL;
    if (position == tpRight) bits |= TCS_VERTICAL | TCS_RIGHT;
    if (style == tsButtons) bits |= TCS_BUTTONS;
    if (style == tsFlatButtons) bits |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (hotTrack) bits |= TCS_HOTTRACK;
    if (multiLine) bits |= TCS_MULTILINE;
    return bits;
}

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = WC_TABCONTROL;
    params.Style |= WS_CLIPCHILDREN;
    params.Style |= TabWindowStyle(tabPosition_, style_, hotTrack_, multiLine_);
    if (ownerDraw_) params.Style |= TCS_OWNERDRAWFIXED;
    if (tabWidth_ > 0) params.Style |= TCS_FIXEDWIDTH;
}

void TPageControl::HandleCreated() {
    if (images_.List()) SendMessage(Handle(), TCM_SETIMAGELIST, 0, images_.AsParam());
    ApplyItemSize();
    InsertTabs();
    HookParent();
    Realign();
}

void TPageControl::DestroyWnd() {
    UnhookParent();
    TWinControl::DestroyWnd();
}

void TPageControl::InsertTabs() {
    const HWND hwnd = Handle();
    SendMessage(hwnd, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEM item = ItemOf(pages_[i]);
        SendMessage(hwnd, TCM_INSERTITEMA, WPARAM(i), LPARAM(&item));
    }
    SendMessage(hwnd, TCM_SETCURSEL, WPARAM(TabIndex()), 0);
}

TCITEM TPageControl::ItemOf(TTabSheet* page) const {
    TCITEM item;
    item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
    item.pszText = const_cast<char*>(page->Caption().c_str());
    item.lParam = LPARAM(page);
    item.iImage = page->ImageIndex();
    return item;
}

void TPageControl::ApplyItemSize() {
    if (HandleAllocated() && (tabHeight_ > 0 || tabWidth_ > 0))
        SendMessage(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth_, tabHeight_));
}

// The tab control tells its parent when a tab is to be drawn; the parent is not ours to
// change, so the page control listens to the parent's messages.
void TPageControl::HookParent() {
    UnhookParent();
    const HWND parent = GetParent(Handle());
    if (!parent) return;
    const HWND self = Handle();
    parentHook_ = AddWindowMessageHook(
        parent, [this, self](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
            if (msg != WM_DRAWITEM || !lParam) return false;
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (dis->hwndItem != self || dis->CtlType != ODT_TAB) return false;
            canvas_.SetHandle(dis->hDC);
            canvas_.Font = Font();
            DrawTab(int(dis->itemID), dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
            canvas_.SetHandle(nullptr);
            *result = 1;
            return true;
        });
}

void TPageControl::UnhookParent() {
    if (parentHook_) RemoveWindowMessageHook(parentHook_);
    parentHook_ = 0;
}

void TPageControl::DrawTab(int tabIndex, const RECT& rect, bool active) {
    if (OnDrawTab) {
        OnDrawTab(this, tabIndex, rect, active);
        return;
    }
    if (tabIndex < 0 || tabIndex >= PageCount()) return;
    canvas_.Brush.Style = bsClear;
    canvas_.TextRect(rect, Pages(tabIndex)->Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas_.Brush.Style = bsSolid;
}

// ---------------------------------------------------------------- pages

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
    pages_.push_back(page);
    if (HandleAllocated()) {
        TCITEM item = ItemOf(page);
        SendMessage(Handle(), TCM_INSERTITEMA, WPARAM(pages_.size() - 1), LPARAM(&item));
    }
    if (!activePage_)
        SetActivePage(page);
    else
        page->SetVisible(false);
    Realign();
}

void TPageControl::RemovePage(TTabSheet* page) {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    const int index = int(it - pages_.begin());
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (HandleAllocated()) SendMessage(Handle(), TCM_DELETEITEM, WPARAM(index), 0);
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (!pages_.empty()) SetActivePage(pages_[size_t(std::min(index, PageCount() - 1))]);
    } else if (HandleAllocated()) {
        SendMessage(Handle(), TCM_SETCURSEL, WPARAM(TabIndex()), 0);
    }
}

void TPageControl::PageCaptionChanged(TTabSheet* page) {
    const int index = page->PageIndex();
    if (!HandleAllocated() || index < 0) return;
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(page->Caption().c_str());
    SendMessage(Handle(), TCM_SETITEMA, WPARAM(index), LPARAM(&item));
    Realign(); // a new text may change the rows of tabs, and so the display area
}

void TPageControl::PageImageChanged(TTabSheet* page) {
    const int index = page->PageIndex();
    if (!HandleAllocated() || index < 0) return;
    TCITEM item;
    item.mask = TCIF_IMAGE;
    item.iImage = page->ImageIndex();
    SendMessage(Handle(), TCM_SETITEMA, WPARAM(index), LPARAM(&item));
    Realign();
}

void TPageControl::SetImages(TImageList* images) {
    if (images == images_.List()) return;
    if (images_.List()) images_.List()->RemoveFreeNotification(this);
    images_.SetList(images);
    if (images) images->FreeNotification(this);
    if (HandleAllocated()) SendMessage(Handle(), TCM_SETIMAGELIST, 0, images_.AsParam());
    Realign(); // tabs with images are larger
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_.List()) SetImages(nullptr);
}

int TPageControl::TabIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetTabIndex(int index) {
    if (index >= 0 && index < PageCount()) SetActivePage(pages_[size_t(index)]);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    activePage_ = page;
    if (HandleAllocated()) SendMessage(Handle(), TCM_SETCURSEL, WPARAM(TabIndex()), 0);
    ShowOnlyActive();
}

// The new page shows before the old one hides, so the area never shows the bare control.
void TPageControl::ShowOnlyActive() {
    if (activePage_) {
        const RECT r = DisplayRect();
        activePage_->SetBounds(r.left, r.top, WidthOf(r), HeightOf(r));
        activePage_->SetVisible(true);
        activePage_->BringToFront();
    }
    for (TTabSheet* p : pages_)
        if (p != activePage_) p->SetVisible(false);
}

void TPageControl::UpdateActivePage() {
    if (!HandleAllocated()) return;
    const int index = int(SendMessage(Handle(), TCM_GETCURSEL, 0, 0));
    SetActivePage(index >= 0 && index < PageCount() ? pages_[size_t(index)] : nullptr);
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- styles and layout

void TPageControl::SetTabPosition(TTabPosition value) {
    if (value == tabPosition_) return;
    tabPosition_ = value;
    RecreateWnd();
}

void TPageControl::SetStyle(TTabStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

void TPageControl::SetHotTrack(bool value) {
    if (value == hotTrack_) return;
    hotTrack_ = value;
    RecreateWnd();
}

void TPageControl::SetMultiLine(bool value) {
    if (value == multiLine_) return;
    multiLine_ = value;
    RecreateWnd();
}

void TPageControl::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    RecreateWnd();
}

void TPageControl::SetTabHeight(int value) {
    tabHeight_ = std::max(0, value);
    ApplyItemSize();
    Realign();
}

void TPageControl::SetTabWidth(int value) {
    const bool fixedChanged = (value > 0) != (tabWidth_ > 0);
    tabWidth_ = std::max(0, value);
    if (fixedChanged)
        RecreateWnd();
    else
        ApplyItemSize();
    Realign();
}

RECT TPageControl::DisplayRect() {
    RECT r = ClientRect();
    if (HandleAllocated()) SendMessage(Handle(), TCM_ADJUSTRECT, 0, LPARAM(&r));
    return r;
}

void TPageControl::AlignControls(RECT&) {
    const RECT r = DisplayRect();
    for (TTabSheet* p : pages_)
        if (p->BoundsRect() != r) p->SetBounds(r.left, r.top, WidthOf(r), HeightOf(r));
}

void TPageControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && m.LParam) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr->code == TCN_SELCHANGING) {
            m.Result = CanChange() ? 0 : 1; // non-zero keeps the old tab
            return;
        }
        if (hdr->code == TCN_SELCHANGE) {
            UpdateActivePage();
            Change();
            return;
        }
    }
    TWinControl::WndProc(m);
}
