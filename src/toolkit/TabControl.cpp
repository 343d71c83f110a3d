#include "toolkit/TabControl.h"

#include "platform/controls/TabControl.h"

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TTabControl::~TTabControl() {
    // The window outlives this part of the control; it must not reach the images through it.
    if (HandleAllocated()) SendMessage(Handle(), TCM_SETIMAGELIST, 0, 0);
}

void TTabControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = WC_TABCONTROL;
    params.Style |= WS_CLIPCHILDREN;
    params.Style |= TabWindowStyle(tabPosition_, style_, hotTrack_, multiLine_);
}

void TTabControl::HandleCreated() {
    if (images_.List()) SendMessage(Handle(), TCM_SETIMAGELIST, 0, images_.AsParam());
    InsertTabs();
    Realign();
}

void TTabControl::InsertTabs() {
    if (!HandleAllocated()) return;
    const HWND hwnd = Handle();
    SendMessage(hwnd, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < tabs_.size(); ++i) {
        TCITEM item;
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(tabs_[i].c_str());
        item.iImage = int(i);
        SendMessage(hwnd, TCM_INSERTITEMA, WPARAM(i), LPARAM(&item));
    }
    SendMessage(hwnd, TCM_SETCURSEL, WPARAM(tabIndex_), 0);
}

void TTabControl::SetTabs(const std::vector<std::string>& tabs) {
    tabs_ = tabs;
    if (tabIndex_ >= TabCount()) tabIndex_ = TabCount() - 1;
    if (tabIndex_ < 0 && !tabs_.empty()) tabIndex_ = 0;
    InsertTabs();
    Realign();
}

void TTabControl::SetTabIndex(int index) {
    if (index < -1 || index >= TabCount()) return;
    tabIndex_ = index;
    if (HandleAllocated()) SendMessage(Handle(), TCM_SETCURSEL, WPARAM(index), 0);
}

void TTabControl::SetStyleValue(bool& field, bool value) {
    if (field == value) return;
    field = value;
    RecreateWnd();
}

void TTabControl::SetTabPosition(TTabPosition value) {
    if (value == tabPosition_) return;
    tabPosition_ = value;
    RecreateWnd();
}

void TTabControl::SetStyle(TTabStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

void TTabControl::SetHotTrack(bool value) { SetStyleValue(hotTrack_, value); }
void TTabControl::SetMultiLine(bool value) { SetStyleValue(multiLine_, value); }

void TTabControl::SetImages(TImageList* images) {
    if (images == images_.List()) return;
    if (images_.List()) images_.List()->RemoveFreeNotification(this);
    images_.SetList(images);
    if (images) images->FreeNotification(this);
    if (HandleAllocated()) SendMessage(Handle(), TCM_SETIMAGELIST, 0, images_.AsParam());
    Realign();
}

void TTabControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_.List()) SetImages(nullptr);
}

RECT TTabControl::DisplayRect() {
    RECT r = ClientRect();
    if (HandleAllocated()) SendMessage(Handle(), TCM_ADJUSTRECT, 0, LPARAM(&r));
    return r;
}

int TTabControl::IndexOfTabAt(int x, int y) {
    if (!HandleAllocated()) return -1;
    TCHITTESTINFO info;
    info.pt = POINT{x, y};
    return int(SendMessage(Handle(), TCM_HITTEST, 0, LPARAM(&info)));
}

RECT TTabControl::TabRect(int index) {
    RECT r{};
    if (HandleAllocated()) SendMessage(Handle(), TCM_GETITEMRECT, WPARAM(index), LPARAM(&r));
    return r;
}

bool TTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TTabControl::Change() {
    if (OnChange) OnChange(this);
}

void TTabControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && m.LParam) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr->code == TCN_SELCHANGING) {
            m.Result = CanChange() ? 0 : 1; // non-zero keeps the old tab
            return;
        }
        if (hdr->code == TCN_SELCHANGE) {
            tabIndex_ = int(SendMessage(Handle(), TCM_GETCURSEL, 0, 0));
            Change();
            return;
        }
    }
    TWinControl::WndProc(m);
}
