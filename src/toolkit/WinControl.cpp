#include "toolkit/WinControl.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

constexpr const char* kControlProp = "Toolkit.Control";

// Our own classes paint nothing by themselves: the control decides.
void EnsureClassRegistered(const TCreateParams& params) {
    WNDCLASS wc;
    if (GetClassInfo(params.ClassName, &wc)) return;
    wc.lpszClassName = params.ClassName;
    wc.lpfnWndProc = DefWindowProc;
    wc.style = params.WindowClassStyle;
    RegisterClass(wc);
}

// Edge order of the layout; ties at one edge go by position, the changed control first.
int EdgeRank(TAlign a) {
    switch (a) {
    case alTop: return 0;
    case alBottom: return 1;
    case alLeft: return 2;
    case alRight: return 3;
    case alClient: return 4;
    default: return 5;
    }
}

// How far from its edge a control was: the sort key within one edge.
int EdgePosition(const TControl* c) {
    switch (c->Align()) {
    case alTop: return c->Top();
    case alBottom: return -(c->Top() + c->Height());
    case alLeft: return c->Left();
    case alRight: return -(c->Left() + c->Width());
    default: return 0;
    }
}

} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Owned components go first, the last made first, while this window still exists.
    Destroying();
    DestroyComponents();
    // Children that outlive us (owned elsewhere) lose their parent, not their memory.
    for (TControl* c : std::vector<TControl*>(controls_)) c->parent_ = nullptr;
    controls_.clear();
    if (handle_) DestroyWnd();
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    auto* control = hwnd ? static_cast<TWinControl*>(GetProp(hwnd, kControlProp)) : nullptr;
    // A window we are destroying belongs to no control any more.
    return control && !control->windowGoing_ ? control : nullptr;
}

// ---------------------------------------------------------------- the window

HWND TWinControl::Handle() {
    // A control on its way out makes no new window.
    if (!handle_ && !IsDestroying()) CreateWnd();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.ClassName = ClassName();
    params.Caption = Caption();
    params.Style =
        WS_CHILD | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0) | (tabStop_ ? WS_TABSTOP : 0);
    if (!Enabled()) params.Style |= WS_DISABLED;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    // Asking for the parent's window may have made this one already (the parent makes its
    // children's windows): a second window would be left behind, still naming this control.
    if (handle_) return;
    // A child needs its parent's window; a parentless child cannot exist yet.
    if ((params.Style & WS_CHILD) && !params.WndParent) return;
    EnsureClassRegistered(params);
    const HWND hwnd = CreateWindowEx(params.ExStyle, params.ClassName, params.Caption, params.Style,
                                     params.X, params.Y, params.Width, params.Height,
                                     params.WndParent, nullptr, nullptr, nullptr);
    if (!hwnd) return;
    handle_ = hwnd;
    // The window system puts a new child at the bottom; the toolkit's order has the control
    // made last on top, as its place in the parent's list says.
    if (params.Style & WS_CHILD)
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetProp(hwnd, kControlProp, this);
    defProc_ = SubclassWindow(hwnd, ToolkitProc);
    SendMessage(hwnd, WM_SETFONT, WPARAM(Font().Handle()), 0);
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->Handle();
    HandleCreated();
    Realign();
}

void TWinControl::DestroyWnd() {
    if (!handle_) return;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) w->DestroyWnd();
    const HWND hwnd = handle_;
    // The window goes with every procedure still on it, so that whoever subclassed it over
    // ours hears WM_DESTROY and WM_NCDESTROY and gives its procedure back before the window
    // is gone. Meanwhile only those two reach WindowProc.
    windowGoing_ = true;
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    if (IsWindow(hwnd)) {
        // A hook refused the destruction: the window is no longer ours, and its class has it
        // back when nobody subclassed it over us.
        if (GetWindowLongPtr(hwnd, GWL_WNDPROC) == LONG_PTR(uintptr_t(&ToolkitProc)))
            SubclassWindow(hwnd, defProc_);
        RemoveProp(hwnd, kControlProp);
    }
    windowGoing_ = false;
    handle_ = nullptr;
    defProc_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    DestroyWnd();
    CreateWnd();
}

LRESULT TWinControl::ToolkitProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(GetProp(hwnd, kControlProp));
    if (!control || control->handle_ != hwnd) return DefWindowProc(hwnd, msg, wParam, lParam);
    const bool lastWords = msg == WM_DESTROY || msg == WM_NCDESTROY;
    // While we destroy the window the control is going: its class alone hears the rest.
    if (control->windowGoing_ && !lastWords)
        return CallWindowProc(control->defProc_, hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    if (msg == WM_NCDESTROY) {
        // Whoever replaced WindowProc hears the window go (we destroyed it, or its parent
        // went without asking us); then the class hears it, once, and the window is forgotten.
        const WNDPROC old = control->defProc_;
        control->ncDestroyPassed_ = false;
        control->WindowProc(m);
        if (!control->ncDestroyPassed_) m.Result = CallWindowProc(old, hwnd, msg, wParam, lParam);
        RemoveProp(hwnd, kControlProp);
        control->handle_ = nullptr;
        control->defProc_ = nullptr;
        control->mouseOver_ = false;
        return m.Result;
    }
    control->WindowProc(m);
    return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (m.Msg == WM_NCDESTROY) ncDestroyPassed_ = true;
    if (handle_ && defProc_)
        m.Result = CallWindowProc(defProc_, handle_, m.Msg, m.WParam, m.LParam);
}

// ---------------------------------------------------------------- children

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control); w && handle_) w->Handle();
    if (handle_) Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (captureControl_ == control) captureControl_ = nullptr;
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (auto* w = dynamic_cast<TWinControl*>(control); w && w->handle_) w->DestroyWnd();
    if (handle_ && !IsDestroying()) {
        const RECT r = control->BoundsRect();
        InvalidateRect(handle_, &r, true);
    }
}

// ---------------------------------------------------------------- geometry

RECT TWinControl::ClientRect() const {
    if (handle_) {
        RECT r{};
        GetClientRect(handle_, &r);
        return r;
    }
    return RECT{0, 0, Width(), Height()};
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
}

void TWinControl::BoundsChanged(const RECT& old) {
    if (handle_) {
        const RECT now = BoundsRect();
        SetWindowPos(handle_, nullptr, now.left, now.top, WidthOf(now), HeightOf(now),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Perform(CM_BOUNDSCHANGED);
        if (WidthOf(old) != Width() || HeightOf(old) != Height()) {
            Realign();
            Resize();
        }
        return;
    }
    TControl::BoundsChanged(old);
    if (WidthOf(old) != Width() || HeightOf(old) != Height()) Realign();
}

void TWinControl::SetBorderWidth(int width) {
    borderWidth_ = std::max(0, width);
    Realign();
}

void TWinControl::Realign(TControl* changed) {
    if (aligning_ || Loading()) return;
    aligning_ = true;
    RECT rect = ClientRect();
    rect = InflateRect(rect, -borderWidth_, -borderWidth_);
    std::vector<TControl*> order;
    for (TControl* c : controls_)
        if (c->Visible() && c->Align() != alNone) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [changed](const TControl* a, const TControl* b) {
        if (EdgeRank(a->Align()) != EdgeRank(b->Align()))
            return EdgeRank(a->Align()) < EdgeRank(b->Align());
        const int pa = EdgePosition(a), pb = EdgePosition(b);
        if (pa != pb) return pa < pb;
        return a == changed && b != changed;
    });
    for (TControl* c : order) {
        RECT r{};
        switch (c->Align()) {
        case alTop:
            r = RECT{rect.left, rect.top, rect.right, rect.top + c->Height()};
            rect.top = r.bottom;
            break;
        case alBottom:
            r = RECT{rect.left, rect.bottom - c->Height(), rect.right, rect.bottom};
            rect.bottom = r.top;
            break;
        case alLeft:
            r = RECT{rect.left, rect.top, rect.left + c->Width(), rect.bottom};
            rect.left = r.right;
            break;
        case alRight:
            r = RECT{rect.right - c->Width(), rect.top, rect.right, rect.bottom};
            rect.right = r.left;
            break;
        default:
            r = rect; // every client-aligned control shares what is left
            break;
        }
        if (!EqualRect(r, c->BoundsRect())) c->PlaceAt(r);
    }
    AlignControls(rect);
    const RECT client = ClientRect();
    for (TControl* c : controls_)
        if (c->Align() == alNone) ApplyAnchors(c, client);
    aligning_ = false;
}

void TWinControl::AlignControls(RECT&) {}

// A control without a left and a right anchor keeps its centre at the same fraction of the
// width; with both it stretches; with the right one only it keeps its distance from the right.
void TWinControl::ApplyAnchors(TControl* c, const RECT& client) {
    if (!c->anchorRecorded_ || c->anchorParent_.cx <= 0 || c->anchorParent_.cy <= 0) return;
    const RECT& o = c->anchorBounds_;
    const int pw = WidthOf(client), ph = HeightOf(client);
    const auto axis = [](bool lowAnchor, bool highAnchor, int lo, int hi, int oldSize, int newSize,
                         int* outLo, int* outHi) {
        const int size = hi - lo;
        if (lowAnchor && highAnchor) {
            *outLo = lo;
            *outHi = hi + newSize - oldSize;
        } else if (highAnchor) {
            *outLo = lo + newSize - oldSize;
            *outHi = *outLo + size;
        } else if (!lowAnchor) {
            // Centre at the same fraction, rounded half up.
            const int centre2 = lo + hi; // twice the centre
            const int newCentre2 = int((int64_t(centre2) * newSize + oldSize / 2) / oldSize);
            *outLo = (newCentre2 - size) / 2;
            *outHi = *outLo + size;
        } else {
            *outLo = lo;
            *outHi = hi;
        }
    };
    RECT r{};
    axis(c->Anchors() & akLeft, c->Anchors() & akRight, o.left, o.right, c->anchorParent_.cx, pw,
         &r.left, &r.right);
    axis(c->Anchors() & akTop, c->Anchors() & akBottom, o.top, o.bottom, c->anchorParent_.cy, ph,
         &r.top, &r.bottom);
    if (!EqualRect(r, c->BoundsRect())) c->PlaceAt(r);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (handle_) Realign();
}

// ---------------------------------------------------------------- state

void TWinControl::VisibleChanged() {
    if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, !(ControlStyle() & csOpaque));
}

void TWinControl::SetTabStop(bool stop) {
    tabStop_ = stop;
    if (!handle_) return;
    const LONG_PTR style = GetWindowLongPtr(handle_, GWL_STYLE);
    SetWindowLongPtr(handle_, GWL_STYLE,
                     stop ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
    if (CanFocus()) ::SetFocus(Handle());
}

// ---------------------------------------------------------------- painting

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, WPARAM(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* c : controls_) {
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        const RECT r = c->BoundsRect();
        RECT clip{};
        GetClipBox(dc, &clip);
        RECT overlap{};
        if (!IntersectRect(overlap, clip, r)) continue;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + r.left, origin.y + r.top, nullptr);
        c->Perform(WM_PAINT, WPARAM(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(HDC dc) {
    PaintWindow(dc);
    PaintControls(dc);
}

// The whole background and picture are made in a memory bitmap, then copied in one go, so
// the window never shows a half-painted state.
void TWinControl::PaintBuffered(HDC dc, const RECT& area) {
    const RECT client = ClientRect();
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap =
        CreateCompatibleBitmap(dc, std::max(1, WidthOf(client)), std::max(1, HeightOf(client)));
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const int saved = SaveDC(memory);
    IntersectClipRect(memory, area.left, area.top, area.right, area.bottom);
    controlState_ |= csPaintCopy;
    Perform(WM_ERASEBKGND, WPARAM(memory), 0);
    PaintHandler(memory);
    controlState_ &= ~unsigned(csPaintCopy);
    RestoreDC(memory, saved);
    BitBlt(dc, area.left, area.top, WidthOf(area), HeightOf(area), memory, area.left, area.top,
           SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    const int saved = SaveDC(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + x, origin.y + y, nullptr);
    Perform(WM_ERASEBKGND, WPARAM(dc), 0);
    PaintHandler(dc);
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible())
            w->PaintTo(dc, w->Left(), w->Top());
    RestoreDC(dc, saved);
}

// ---------------------------------------------------------------- messages

TControl* TWinControl::ControlAt(POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        if (PtInRect(c->BoundsRect(), p)) return c;
    }
    return nullptr;
}

void TWinControl::SetMouseControl(TControl* control) {
    if (control == mouseControl_) return;
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old) {
        old->Perform(CM_MOUSELEAVE, 0, LPARAM(old));
        Perform(CM_MOUSELEAVE, 0, LPARAM(old));
    }
    // Off a windowless child but still over the window: the window's own hint.
    if (Application)
        Application->HintMouseMessage(control ? control : (mouseOver_ ? this : nullptr));
    if (control) {
        control->Perform(CM_MOUSEENTER, 0, LPARAM(control));
        Perform(CM_MOUSEENTER, 0, LPARAM(control));
        // The window hears when the mouse leaves it, so the child can hear it too.
        TRACKMOUSEEVENT tme{};
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = handle_;
        TrackMouseEvent(&tme);
    }
}

void TWinControl::TrackMouseOver(bool over) {
    if (over == mouseOver_ || !handle_) return;
    mouseOver_ = over;
    if (over) {
        // The window system tells the window when the mouse leaves it.
        TRACKMOUSEEVENT tme{};
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = handle_;
        TrackMouseEvent(&tme);
    }
    // As a windowless control does: the control hears it, then its parent, naming it.
    const UINT msg = over ? CM_MOUSEENTER : CM_MOUSELEAVE;
    Perform(msg, 0, LPARAM(this));
    if (Parent()) Parent()->Perform(msg, 0, LPARAM(this));
    if (Application) Application->HintMouseMessage(over ? this : nullptr);
}

void TWinControl::UpdateShowing() {
    if (IsDestroying()) return;
    const bool now = Showing();
    if (now != showing_) {
        showing_ = now;
        Perform(CM_SHOWINGCHANGED, now ? 1 : 0);
    }
    for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
}

void TWinControl::RouteMouse(TMessage& m) {
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TControl* target = captureControl_ ? captureControl_ : ControlAt(p);
    if (m.Msg == WM_MOUSEMOVE && !captureControl_) SetMouseControl(target);
    if (!target) {
        TControl::WndProc(m);
        DefaultHandler(m);
        return;
    }
    const bool down =
        m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
    const bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP;
    // A press puts any hint away.
    if (down && Application) Application->HintMouseMessage(nullptr);
    if (down && target->Enabled() && (target->ControlStyle() & csCaptureMouse)) {
        captureControl_ = target;
        SetCapture(handle_);
    }
    // A release ends the capture even when the click's handler raises an error: the error
    // leaves through the message loop, and a capture kept would swallow the next click.
    struct CaptureEnd {
        TWinControl* self;
        bool active;
        ~CaptureEnd() {
            if (active) self->EndChildCapture();
        }
    } end{this, up};
    target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
}

void TWinControl::EndChildCapture() {
    if (!captureControl_) return;
    captureControl_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
    if (HandleAllocated()) {
        POINT now{};
        GetCursorPos(&now);
        ::ScreenToClient(handle_, &now);
        SetMouseControl(ControlAt(now));
    }
}

bool TWinControl::ReflectNotification(TMessage& m) {
    HWND from = nullptr;
    if (m.Msg == WM_COMMAND)
        from = reinterpret_cast<HWND>(m.LParam);
    else if (m.Msg == WM_NOTIFY && m.LParam)
        from = reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom;
    TWinControl* child = FromHandle(from);
    if (!child || child == this) return false;
    m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: {
        if (m.WParam) {
            PaintHandler(reinterpret_cast<HDC>(m.WParam));
            return;
        }
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(handle_, &ps);
        if (dc && DoubleBuffered())
            PaintBuffered(dc, ps.rcPaint);
        else if (dc)
            PaintHandler(dc);
        EndPaint(handle_, &ps);
        return;
    }
    case WM_PRINTCLIENT: PaintHandler(reinterpret_cast<HDC>(m.WParam)); return;
    case WM_MOUSEMOVE:
        // A window holding the mouse hears moves from outside too.
        if (PtInRect(ClientRect(), POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}))
            TrackMouseOver(true);
        RouteMouse(m);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: RouteMouse(m); return;
    case WM_MOUSELEAVE:
        if (!captureControl_) SetMouseControl(nullptr);
        TrackMouseOver(false);
        DefaultHandler(m);
        return;
    case WM_SETFOCUS:
        if (TForm* form = ParentForm(); form && form != this) form->SetFocusedControl(this);
        DefaultHandler(m);
        return;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != handle_) captureControl_ = nullptr;
        DefaultHandler(m);
        return;
    case WM_COMMAND:
    case WM_NOTIFY:
        if (ReflectNotification(m)) return;
        DefaultHandler(m);
        return;
    case WM_SETCURSOR: {
        if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
            POINT p{};
            GetCursorPos(&p);
            ::ScreenToClient(handle_, &p);
            const TControl* under = ControlAt(p);
            const int cursor = under && under->Cursor() != crDefault ? under->Cursor() : Cursor();
            if (cursor != crDefault) {
                ::SetCursor(LoadCursor(nullptr, cursor));
                m.Result = 1;
                return;
            }
        }
        DefaultHandler(m);
        return;
    }
    case WM_SIZE:
        DefaultHandler(m);
        Realign();
        return;
    case CM_ENABLEDCHANGED:
        if (handle_) EnableWindow(handle_, Enabled());
        TControl::WndProc(m);
        return;
    default: TControl::WndProc(m);
    }
}
