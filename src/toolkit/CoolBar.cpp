#include "toolkit/CoolBar.h"

#include <algorithm>

#include "platform/controls/CoolBar.h"

namespace {

REBARBANDINFO InfoOf(const TCoolBand& band, HWND child) {
    REBARBANDINFO info;
    info.fMask =
        RBBIM_STYLE | RBBIM_TEXT | RBBIM_IMAGE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    info.fStyle = (band.FixedSize ? RBBS_FIXEDSIZE : 0) | (band.Break ? RBBS_BREAK : 0);
    info.lpText = const_cast<char*>(band.Text.c_str());
    info.iImage = band.ImageIndex < 0 ? -1 : band.ImageIndex;
    info.hwndChild = child;
    info.cxMinChild = UINT(std::max(0, band.MinWidth));
    info.cyMinChild = UINT(std::max(0, band.MinHeight));
    info.cx = UINT(std::max(0, band.Width));
    return info;
}

} // namespace

// A band's control counts only while it is our child: one that was taken away (or destroyed,
// which takes it away) is not touched through the band's stale pointer.
TWinControl* TCoolBar::BandControl(const TCoolBand& band) const {
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i) == band.Control) return dynamic_cast<TWinControl*>(band.Control);
    return nullptr;
}

HWND TCoolBar::ChildWindow(const TCoolBand& band) const {
    TWinControl* w = BandControl(band);
    return w ? w->Handle() : nullptr;
}

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 75);
    SetAlign(alTop);
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TCoolBar::~TCoolBar() {
    // The window outlives this part of the bar; it must not reach the images through it.
    if (!HandleAllocated()) return;
    REBARINFO info;
    info.fMask = RBIM_IMAGELIST;
    SendMessage(Handle(), RB_SETBARINFO, 0, LPARAM(&info));
}

void TCoolBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = REBARCLASSNAME;
    // The toolkit places and sizes the bar.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | WS_CLIPCHILDREN;
}

void TCoolBar::HandleCreated() {
    SendImages();
    InsertBands();
    FollowBands();
}

void TCoolBar::InsertBands() {
    const HWND hwnd = Handle();
    while (SendMessage(hwnd, RB_GETBANDCOUNT, 0, 0) > 0)
        if (!SendMessage(hwnd, RB_DELETEBAND, 0, 0)) break;
    for (const TCoolBand& band : bands_) {
        if (!band.Visible) continue;
        REBARBANDINFO info = InfoOf(band, ChildWindow(band));
        SendMessage(hwnd, RB_INSERTBANDA, WPARAM(-1), LPARAM(&info));
    }
}

int TCoolBar::WindowIndex(int index) const {
    if (!bands_[size_t(index)].Visible) return -1;
    int shown = 0;
    for (int i = 0; i < index; ++i)
        if (bands_[size_t(i)].Visible) ++shown;
    return shown;
}

void TCoolBar::ShowBandControl(const TCoolBand& band) {
    if (TWinControl* control = BandControl(band)) control->SetVisible(band.Visible);
}

int TCoolBar::AddBand(const TCoolBand& band) {
    bands_.push_back(band);
    if (!band.Visible) ShowBandControl(band);
    if (HandleAllocated() && band.Visible) {
        REBARBANDINFO info = InfoOf(band, ChildWindow(band));
        SendMessage(Handle(), RB_INSERTBANDA, WPARAM(-1), LPARAM(&info));
        FollowBands();
    }
    return BandCount() - 1;
}

void TCoolBar::SetBand(int index, const TCoolBand& band) {
    if (index < 0 || index >= BandCount()) return;
    const bool shownBefore = bands_[size_t(index)].Visible;
    bands_[size_t(index)] = band;
    if (shownBefore != band.Visible) ShowBandControl(band);
    if (!HandleAllocated()) return;
    if (shownBefore != band.Visible) {
        InsertBands();
    } else if (band.Visible) {
        REBARBANDINFO info = InfoOf(band, ChildWindow(band));
        SendMessage(Handle(), RB_SETBANDINFOA, WPARAM(WindowIndex(index)), LPARAM(&info));
    }
    FollowBands();
}

void TCoolBar::SetImages(TImageList* images) {
    if (images == images_.List()) return;
    if (images_.List()) images_.List()->RemoveFreeNotification(this);
    images_.SetList(images);
    if (images) images->FreeNotification(this);
    if (!HandleAllocated()) return;
    SendImages();
    FollowBands(); // the headers' widths moved the controls
}

void TCoolBar::SendImages() {
    REBARINFO info;
    info.fMask = RBIM_IMAGELIST;
    info.himl = images_.List() ? &images_ : nullptr;
    SendMessage(Handle(), RB_SETBARINFO, 0, LPARAM(&info));
}

void TCoolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_.List()) SetImages(nullptr);
}

void TCoolBar::SetAutoSize(bool value) {
    autoSize_ = value;
    if (HandleAllocated()) FollowBands();
}

void TCoolBar::FollowBands() {
    if (!HandleAllocated() || following_) return;
    following_ = true;
    const HWND hwnd = Handle();
    if (autoSize_) {
        // A new height realigns the bar, which puts the controls back (AlignControls).
        RECT wr{}, cr{};
        GetWindowRect(hwnd, &wr);
        GetClientRect(hwnd, &cr);
        const int height =
            int(SendMessage(hwnd, RB_GETBARHEIGHT, 0, 0)) + HeightOf(wr) - HeightOf(cr);
        if (height != Height()) SetHeight(height);
    }
    ReadBackControls();
    following_ = false;
}

void TCoolBar::ReadBackControls() {
    const HWND hwnd = Handle();
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    for (const TCoolBand& band : bands_) {
        TWinControl* control = BandControl(band);
        if (!band.Visible || !control || !control->HandleAllocated()) continue;
        RECT r{};
        GetWindowRect(control->Handle(), &r);
        r = OffsetRect(r, -origin.x, -origin.y);
        if (!EqualRect(r, control->BoundsRect()))
            control->SetBounds(r.left, r.top, WidthOf(r), HeightOf(r));
    }
}

// Alignment may have moved a band's control (a tool bar aligned left): the window puts it
// back in its band, and the control's bounds follow.
void TCoolBar::AlignControls(RECT&) {
    if (!HandleAllocated()) return;
    const RECT client = ClientRect();
    TMessage size{WM_SIZE, 0, MAKELPARAM(WidthOf(client), HeightOf(client)), 0};
    DefaultHandler(size);
    ReadBackControls();
}

void TCoolBar::WndProc(TMessage& m) {
    TWinControl::WndProc(m);
    if (m.Msg == CN_NOTIFY && m.LParam &&
        reinterpret_cast<const NMHDR*>(m.LParam)->code == RBN_HEIGHTCHANGE)
        FollowBands();
}
