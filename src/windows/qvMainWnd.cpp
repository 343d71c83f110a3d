#include "windows/qvMainWnd.h"

#include <algorithm>

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "paint/sControlImage.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/WinControl.h"

namespace {
constexpr const char* kWrapperProp = "QVSBSC";
// The procedure a wrapper replaced, left behind when someone subclassed the window after it
// and the wrapper went first: the trampoline still continues the chain there.
constexpr const char* kOrphanProcProp = "QVSBSC.old";
} // namespace

bool TqvMainWnd::WrappingDialogChild = false;
HWND TqvMainWnd::HotWindow = nullptr;

// Shared between the wrapper and the route it puts into a control's WindowProc. The route
// outlives the wrapper when someone replaced WindowProc after it; it then only passes on.
struct TqvMainWnd::Link {
    TqvMainWnd* Wrapper = nullptr;
    std::function<void(TMessage&)> Old;
};

class TqvMainWnd::ToolkitRoute {
  public:
    explicit ToolkitRoute(std::shared_ptr<Link> link) : link_(std::move(link)) {}
    void operator()(TMessage& m) const {
        // The route may be replaced (and freed) while the message runs: only the local copy
        // is touched afterwards.
        const std::shared_ptr<Link> link = link_;
        if (link->Wrapper)
            link->Wrapper->Dispatch(m);
        else if (link->Old)
            link->Old(m);
    }
    const Link* Target() const { return link_.get(); }

  private:
    std::shared_ptr<Link> link_;
};

TqvMainWnd::TqvMainWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : Handle(handle), SkinManager(manager), withScrollBars_(withScrollBars) {
    if (!Handle || !IsWindow(Handle)) {
        Handle = nullptr;
        Destroyed = true;
        return;
    }
    control_ = TWinControl::FromHandle(Handle);
    if (skinSection != "DIALOG") {
        SetWindowTheme(Handle, " ", " ");
        themeSwitched_ = true;
    }
    if (skinData) {
        SkinData = skinData;
    } else {
        ownSkinData_ = std::make_unique<TsCommonData>(nullptr, true);
        SkinData = ownSkinData_.get();
        OwnsSkinData = true;
    }
    if (manager && manager != PrimaryManager && !SkinData->SkinManager())
        SkinData->SetSkinManager(manager);
    if (SkinData->SkinSection().empty() && !skinSection.empty())
        SkinData->SetSkinSection(skinSection);
    if (!SkinData->CacheBitmap) SkinData->CacheBitmap = std::make_unique<Bitmap>(0, 0, 24);
    DialogMode = WrappingDialogChild;
    CaptionText = GetWindowText(Handle);
    TakeOver();
}

TqvMainWnd::~TqvMainWnd() {
    Unwrap();
    if (HotWindow == Handle && Handle) HotWindow = nullptr;
}

TsSkinManager* TqvMainWnd::Manager() const {
    if (SkinManager) return SkinManager;
    return SkinData ? SkinData->GetSkinManager() : PrimaryManager;
}

bool TqvMainWnd::SkinLoaded() const {
    const TsSkinManager* manager = Manager();
    return manager && manager->SkinData.Loaded;
}

TqvMainWnd* TqvMainWnd::FromWindow(HWND window) {
    if (!window || !IsWindow(window)) return nullptr;
    return static_cast<TqvMainWnd*>(GetProp(window, kWrapperProp));
}

void TqvMainWnd::RefreshGeometry() {
    if (!Handle || !IsWindow(Handle)) return;
    GetWindowRect(Handle, &WindowRect);
    Width = WidthOf(WindowRect);
    Height = HeightOf(WindowRect);
    ParentWindow = GetParent(Handle);
    POINT corner{WindowRect.left, WindowRect.top};
    if (ParentWindow) {
        GetWindowRect(ParentWindow, &ParentRect);
        ScreenToClient(ParentWindow, &corner);
    } else {
        ParentRect = RECT{};
    }
    PositionInParent = corner;
}

void TqvMainWnd::BuildBaseCache() {
    if (!SkinData || !SkinData->CacheInvalid || !Handle) return;
    RefreshGeometry();
    Bitmap& cache = *SkinData->CacheBitmap;
    if (cache.BitsPerPixel() != 24) cache.SetFormat(24);
    cache.SetSize(std::max(Width, 0), std::max(Height, 0));
    if (SkinData->SkinActive() && !cache.Empty()) {
        const ParentCacheInfo parent = TsCommonData::QueryParentBackground(Handle);
        RenderSkinItem(*SkinData, parent, true, true, &cache, PositionInParent,
                       RECT{0, 0, Width, Height}, 0);
        if (!IsWindowEnabled(Handle))
            ApplyDisabledLook(cache, dkBlended, SkinData->HostControl, PositionInParent, parent);
    }
    SkinData->CacheInvalid = false;
}

void TqvMainWnd::CopyFrameStrips(HDC dc) const {
    if (!dc || !SkinData || !SkinData->CacheBitmap || SkinData->CacheBitmap->Empty()) return;
    const Bitmap& cache = *SkinData->CacheBitmap;
    const RECT client = ClientRectInWindow(Handle);
    const int w = cache.Width(), h = cache.Height();
    // The border is as thick on the right and bottom as on the left and top; what lies
    // between it and the client is the scroll bars' business.
    const int bx = std::max<int>(client.left, 0), by = std::max<int>(client.top, 0);
    if (bx == 0 && by == 0) return;
    TsBitmapDC source(cache);
    if (!source.Handle()) return;
    const RECT strips[] = {
        {0, 0, w, by}, {0, h - by, w, h}, {0, by, bx, h - by}, {w - bx, by, w, h - by}};
    for (const RECT& r : strips)
        if (r.right > r.left && r.bottom > r.top)
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.Handle(), r.left,
                   r.top, SRCCOPY);
}

// ---- Take-over

void TqvMainWnd::TakeOver() {
    link_ = std::make_shared<Link>();
    link_->Wrapper = this;
    if (control_) {
        link_->Old = control_->WindowProc;
        control_->WindowProc = ToolkitRoute(link_);
    } else {
        oldProc_ = SubclassWindow(Handle, &TqvMainWnd::Trampoline);
    }
    SetProp(Handle, kWrapperProp, this);
    attached_ = true;
}

bool TqvMainWnd::RouteIsCurrent() const {
    // The route lives in the control's WindowProc; with the control gone only ours is left.
    if (!control_ || link_.use_count() < 2) return false;
    const auto* route = control_->WindowProc.target<ToolkitRoute>();
    return route && route->Target() == link_.get();
}

void TqvMainWnd::GiveBackHandling() {
    if (!attached_) return;
    attached_ = false;
    if (control_) {
        if (RouteIsCurrent()) {
            std::function<void(TMessage&)> old = link_->Old;
            link_->Wrapper = nullptr;
            control_->WindowProc = std::move(old);
        }
        link_->Wrapper = nullptr;
    } else if (Handle && IsWindow(Handle)) {
        if (GetWindowLongPtr(Handle, GWL_WNDPROC) ==
            LONG_PTR(reinterpret_cast<uintptr_t>(&TqvMainWnd::Trampoline)))
            SubclassWindow(Handle, oldProc_);
        else
            SetProp(Handle, kOrphanProcProp,
                    reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(oldProc_)));
    }
    if (Handle && IsWindow(Handle) && GetProp(Handle, kWrapperProp) == this)
        RemoveProp(Handle, kWrapperProp);
    if (themeSwitched_ && Handle && IsWindow(Handle)) SetWindowTheme(Handle, nullptr, nullptr);
    themeSwitched_ = false;
}

void TqvMainWnd::Unwrap() {
    if (unwrapped_) return;
    unwrapped_ = true;
    const bool windowAlive = !Destroyed && Handle && IsWindow(Handle);
    GiveBackHandling();
    Destroyed = true;
    if (windowAlive) {
        RestoreStandardLook();
        // The window's own frame, its scroll bars among it, comes back at once.
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (IsWindow(Handle) && IsWindowVisible(Handle))
            RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }
    control_ = nullptr;
}

void TqvMainWnd::WindowGone() {
    const bool toolkit = control_ != nullptr;
    GiveBackHandling();
    unwrapped_ = true;
    Destroyed = true;
    if (!toolkit && Handle && IsWindow(Handle) && IsWindowVisible(Handle))
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    control_ = nullptr;
}

LRESULT TqvMainWnd::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* wrapper = static_cast<TqvMainWnd*>(GetProp(hwnd, kWrapperProp));
    if (!wrapper || wrapper->Handle != hwnd || !wrapper->attached_) {
        if (auto old = reinterpret_cast<WNDPROC>(
                reinterpret_cast<uintptr_t>(GetProp(hwnd, kOrphanProcProp))))
            return CallWindowProc(old, hwnd, msg, wParam, lParam);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    TMessage m{msg, wParam, lParam, 0};
    wrapper->Dispatch(m);
    return m.Result;
}

void TqvMainWnd::Start() {
    if (started_ || Destroyed) return;
    started_ = true;
    SaveStandardLook();
}

void TqvMainWnd::Dispatch(TMessage& m) {
    Start();
    WindowProc(m);
}

void TqvMainWnd::PassOn(TMessage& m) {
    if (control_ && link_) {
        if (link_->Old) link_->Old(m);
        return;
    }
    if (oldProc_ && Handle)
        m.Result = CallWindowProc(oldProc_, Handle, m.Msg, m.WParam, m.LParam);
    else if (Handle)
        m.Result = DefWindowProc(Handle, m.Msg, m.WParam, m.LParam);
}

// ---- Hot state

void TqvMainWnd::BecomeHot() {
    if (!PrimaryManager || PrimaryManager->Designing() || !IsWindowEnabled(Handle)) return;
    if (HotWindow == Handle) return;
    const HWND previous = HotWindow;
    HotWindow = Handle;
    if (previous && IsWindow(previous))
        SendSkinCommand(previous, SkinCommandWParam(scMouseLeft), LPARAM(Manager()));
    SendSkinCommand(Handle, SkinCommandWParam(scMouseEntered), LPARAM(Manager()));
}

void TqvMainWnd::GiveUpHot() {
    if (HotWindow != Handle) return;
    HotWindow = nullptr;
    SendSkinCommand(Handle, SkinCommandWParam(scMouseLeft), LPARAM(Manager()));
}

// ---- Messages

void TqvMainWnd::WindowProc(TMessage& m) {
    switch (m.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
        PassOn(m);
        WindowGone();
        return;
    case WM_UPDATEUISTATE: return;
    case WM_SETTEXT:
        PassOn(m);
        if (Handle && IsWindow(Handle)) CaptionText = GetWindowText(Handle);
        return;
    case WM_MOUSEMOVE: BecomeHot(); break;
    case WM_PRINT: m.Result = SendMessage(Handle, WM_PAINT, m.WParam, m.LParam); return;
    default: break;
    }
    if (!SkinData || !SkinLoaded()) {
        PassOn(m);
        return;
    }
    if (m.Msg == SM_ORVENCMD && SkinCommand(m)) return;
    PassOn(m);
}

bool TqvMainWnd::SkinCommand(TMessage& m) {
    const unsigned code = SkinCommandCode(m.WParam);
    // Loads, removals and refreshes name their manager; another manager's are not ours.
    const bool namesManager = code == scSkinLoaded || code == scRemoveSkin || code == scRefresh;
    if (namesManager && m.LParam != 0 && m.LParam != LPARAM(Manager())) return false;
    switch (code) {
    case scSkinLoaded:
        SkinData->RefreshSkinIndexes();
        SkinData->CacheInvalid = true;
        return false;
    case scRemoveSkin: RestoreStandardLook(); return false;
    case scRefresh:
        SkinData->RefreshSkinIndexes();
        SkinData->CacheInvalid = true;
        InvalidateRect(Handle, nullptr, false);
        SendMessage(Handle, WM_PAINT, 0, 0);
        return true;
    case scGetCache:
        if (SkinData->CacheBitmap && !SkinData->CacheBitmap->Empty())
            ParentCacheAnswer = ParentCacheInfo{SkinData->CacheBitmap.get(), 0, 0, true};
        m.Result = 0;
        return true;
    case scRepaintNow:
        if (SkinData->UpdateLock) {
            SkinData->UpdateLock = false;
            RedrawWindow(Handle, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        return false;
    case scIsSkinned: m.LParam = m.Result = 1; return true;
    case scIsNotReady:
        m.LParam = m.Result = (SkinData->CacheInvalid || SkinData->UpdateLock) ? 1 : 0;
        return true;
    case scHasImageBackground:
    case scGetBgColor:
        if (SkinData->HostControl) return SkinData->HandleSkinCommand(m);
        return false;
    case scRepaintFrame: RebuildFrameCache(); return false;
    case scGetApplication: m.Result = LRESULT(Application); return true;
    default: return false;
    }
}
