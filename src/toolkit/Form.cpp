#include "toolkit/Form.h"

#include <algorithm>
#include <vector>

#include "toolkit/Application.h"

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(11);
}

TForm::~TForm() {
    // What the form owns goes while its window and its fields are still there.
    Destroying();
    DestroyComponents();
    if (Application) Application->FormDestroyed(this);
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) {
        menu_->RemoveChangeListener(menuListener_);
        menu_->RemoveFreeNotification(this);
    }
    menu_ = menu;
    menuListener_ = 0;
    if (menu_) {
        menu_->FreeNotification(this);
        menuListener_ = menu_->AddChangeListener(
            [this](TMenu*, TMenuItem*, bool rebuilt) { MenuChanged(rebuilt); });
    }
    if (HandleAllocated()) ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
    Perform(CM_MENUCHANGED);
}

void TForm::MenuChanged(bool rebuilt) {
    if (!HandleAllocated() || !menu_) return;
    // The bar keeps its handle; its entries changed, so its lines and picture may have.
    if (GetMenu(Handle()) != menu_->Handle())
        ::SetMenu(Handle(), menu_->Handle());
    else
        DrawMenuBar(Handle());
    Perform(CM_MENUCHANGED, rebuilt ? 1 : 0);
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == focused_) focused_ = nullptr;
    if (operation == opRemove && component == menu_) {
        menu_ = nullptr;
        menuListener_ = 0;
        if (HandleAllocated() && !IsDestroying()) ::SetMenu(Handle(), nullptr);
    }
}

void TForm::SetFocusedControl(TWinControl* control) {
    if (control == focused_ || control == this || IsDestroying()) return;
    TWinControl* old = focused_;
    if (old) old->RemoveFreeNotification(this);
    focused_ = control;
    if (control) control->FreeNotification(this);
    std::vector<TWinControl*> entered; // from the new control up to the form
    for (TWinControl* c = control; c && c != this; c = c->Parent()) entered.push_back(c);
    size_t common = entered.size();
    for (TWinControl* c = old; c && c != this; c = c->Parent()) {
        const auto it = std::find(entered.begin(), entered.end(), c);
        if (it != entered.end()) {
            common = size_t(it - entered.begin());
            break;
        }
        if (!c->IsDestroying()) c->Perform(CM_EXIT);
    }
    for (size_t i = common; i-- > 0;)
        if (!entered[i]->IsDestroying()) entered[i]->Perform(CM_ENTER);
}

void TForm::SetIcon(HICON big, HICON small) {
    iconBig_ = big;
    iconSmall_ = small;
    if (HandleAllocated()) {
        SendMessage(Handle(), WM_SETICON, 1, LPARAM(big));
        SendMessage(Handle(), WM_SETICON, 0, LPARAM(small));
    }
}

void TForm::SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    if (!HandleAllocated()) {
        SetBounds(Left(), Top(), width, height); // the frame comes on when the window is made
        return;
    }
    RECT wr{}, cr{};
    GetWindowRect(Handle(), &wr);
    GetClientRect(Handle(), &cr);
    SetBounds(Left(), Top(), width + WidthOf(wr) - WidthOf(cr),
              height + HeightOf(wr) - HeightOf(cr));
}

TWindowState TForm::WindowState() const {
    if (!HandleAllocated() || !IsWindowVisible(const_cast<TForm*>(this)->Handle()))
        return windowState_;
    const HWND hwnd = const_cast<TForm*>(this)->Handle();
    if (IsIconic(hwnd)) return wsMinimized;
    return IsZoomed(hwnd) ? wsMaximized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (HandleAllocated() && Visible()) ApplyWindowState();
}

void TForm::ApplyWindowState() {
    const HWND hwnd = Handle();
    if (windowState_ == WindowState() && IsWindowVisible(hwnd)) return;
    switch (windowState_) {
    case wsNormal:
        // A minimised window that was maximised restores to maximised first.
        ShowWindow(hwnd, SW_RESTORE);
        if (IsZoomed(hwnd)) ShowWindow(hwnd, SW_RESTORE);
        break;
    case wsMinimized: ShowWindow(hwnd, SW_MINIMIZE); break;
    case wsMaximized: ShowWindow(hwnd, SW_MAXIMIZE); break;
    }
}

void TForm::SetConstraints(const TSizeConstraints& constraints) {
    constraints_ = constraints;
    SetBounds(Left(), Top(), Width(), Height());
}

namespace {
int Constrained(int size, int minimum, int maximum) {
    if (maximum > 0) size = std::min(size, std::max(maximum, minimum));
    return std::max(size, minimum);
}
} // namespace

void TForm::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top,
                              Constrained(width, constraints_.MinWidth, constraints_.MaxWidth),
                              Constrained(height, constraints_.MinHeight, constraints_.MaxHeight));
}

void TForm::ConstrainTracking(MINMAXINFO& info) const {
    const TSizeConstraints& c = constraints_;
    if (c.MinWidth > 0) info.ptMinTrackSize.x = std::max<LONG>(info.ptMinTrackSize.x, c.MinWidth);
    if (c.MinHeight > 0) info.ptMinTrackSize.y = std::max<LONG>(info.ptMinTrackSize.y, c.MinHeight);
    if (c.MaxWidth > 0) {
        info.ptMaxTrackSize.x = std::min<LONG>(info.ptMaxTrackSize.x, c.MaxWidth);
        info.ptMaxSize.x = std::min<LONG>(info.ptMaxSize.x, c.MaxWidth);
    }
    if (c.MaxHeight > 0) {
        info.ptMaxTrackSize.y = std::min<LONG>(info.ptMaxTrackSize.y, c.MaxHeight);
        info.ptMaxSize.y = std::min<LONG>(info.ptMaxSize.y, c.MaxHeight);
    }
}

void TForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    formStyle_ = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetBorderWidth(int width) {
    width = std::max(0, width);
    if (width == borderWidth_) return;
    borderWidth_ = width;
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The band between the frame and the client area belongs to the non-client area: the
// frame's painting leaves it, so the form fills it with its colour.
void TForm::PaintBorderBand() {
    if (borderWidth_ <= 0 || !HandleAllocated()) return;
    const HWND hwnd = Handle();
    RECT wr{}, cr{};
    GetWindowRect(hwnd, &wr);
    GetClientRect(hwnd, &cr);
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    const RECT client = OffsetRect(cr, origin.x - wr.left, origin.y - wr.top);
    const RECT band{client.left - borderWidth_, client.top - borderWidth_,
                    client.right + borderWidth_, client.bottom + borderWidth_};
    HDC dc = GetWindowDC(hwnd);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &band, brush);
    DeleteObject(brush);
    RestoreDC(dc, saved);
    ReleaseDC(hwnd, dc);
}

void TForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TForm::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WndParent = nullptr;
    params.Style = WS_CLIPCHILDREN;
    params.ExStyle = 0;
    switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ != bsNone) {
        if (borderIcons_ & biSystemMenu) params.Style |= WS_SYSMENU;
        if ((borderIcons_ & biMinimize) && borderStyle_ != bsDialog) params.Style |= WS_MINIMIZEBOX;
        if ((borderIcons_ & biMaximize) && borderStyle_ != bsDialog) params.Style |= WS_MAXIMIZEBOX;
    }
    if (alphaBlend_ || transparent_) params.ExStyle |= WS_EX_LAYERED;
    if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
}

void TForm::HandleCreated() {
    const HWND hwnd = Handle();
    if (alphaBlend_ || transparent_)
        SetLayeredWindowAttributes(hwnd, transparentValue_, alphaValue_,
                                   (alphaBlend_ ? LWA_ALPHA : 0) |
                                       (transparent_ ? LWA_COLORKEY : 0));
    if (menu_) ::SetMenu(hwnd, menu_->Handle());
    if (iconBig_) SendMessage(hwnd, WM_SETICON, 1, LPARAM(iconBig_));
    if (iconSmall_) SendMessage(hwnd, WM_SETICON, 0, LPARAM(iconSmall_));
    if (clientWidth_ >= 0) SetClientSize(clientWidth_, clientHeight_);
    PlaceOnScreen();
}

void TForm::PlaceOnScreen() {
    if (position_ != poScreenCenter) return;
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + (WidthOf(work) - Width()) / 2, work.top + (HeightOf(work) - Height()) / 2,
              Width(), Height());
}

void TForm::Show() {
    SetVisible(true);
    if (HandleAllocated()) {
        ShowWindow(Handle(), SW_SHOW);
        BringWindowToTop(Handle());
    }
}

void TForm::VisibleChanged() {
    if (Visible()) {
        const HWND hwnd = Handle(); // a form's window is made when it is first shown
        if (hwnd) ShowWindow(hwnd, SW_SHOW);
        if (hwnd && windowState_ != wsNormal) ApplyWindowState();
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TForm::Close() {
    if (OnClose) OnClose(this);
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        Hide();
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // A menu entry's request goes to its item; a control's to the control (below).
        if (m.WParam == 0 && TMenu::DispatchOwnerDraw(m)) return;
        break;
    case WM_COMMAND:
        if (m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_ &&
            menu_->DispatchCommand(LOWORD(m.WParam)))
            return;
        break;
    case WM_GETMINMAXINFO:
        TCustomControl::WndProc(m);
        if (m.LParam) ConstrainTracking(*reinterpret_cast<MINMAXINFO*>(m.LParam));
        return;
    case WM_NCCALCSIZE:
        TCustomControl::WndProc(m);
        if (m.LParam && borderWidth_ > 0) {
            RECT& r = *reinterpret_cast<RECT*>(m.LParam);
            r = RECT{r.left + borderWidth_, r.top + borderWidth_,
                     std::max(r.left + borderWidth_, r.right - borderWidth_),
                     std::max(r.top + borderWidth_, r.bottom - borderWidth_)};
        }
        return;
    case WM_NCPAINT:
        TCustomControl::WndProc(m);
        PaintBorderBand();
        return;
    case WM_SIZE:
        // The user's maximise, minimise and restore are the form's state from now on.
        if (m.WParam == SIZE_MINIMIZED)
            windowState_ = wsMinimized;
        else if (m.WParam == SIZE_MAXIMIZED)
            windowState_ = wsMaximized;
        else if (m.WParam == SIZE_RESTORED && IsWindowVisible(Handle()))
            windowState_ = wsNormal;
        [[fallthrough]];
    case WM_MOVE: {
        RECT r{};
        GetWindowRect(Handle(), &r);
        PlaceAt(r);
        break;
    }
    default: break;
    }
    TCustomControl::WndProc(m);
}
