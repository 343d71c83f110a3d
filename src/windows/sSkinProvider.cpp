#include "windows/sSkinProvider.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "paint/sBitmapDC.h"
#include "paint/sSkinItems.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/gdi/DrawModes.h"
#include "platform/gdi/Gdi.h"
#include "platform/menus/Menu.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/MenuItem.h"
#include "toolkit/PopupMenu.h"
#include "windows/qvCtrlAdapter.h"
#include "windows/qvMnuWnd.h"
#include "windows/qvProvider.h"
#include "windows/sCaptionButtons.h"
#include "windows/sFrameRegion.h"

namespace {

constexpr const char* kProviderProp = "TsSkinProvider";
// Where a window whose procedure we could not take back keeps the one we replaced.
constexpr const char* kOrphanProcProp = "TsSkinProvider.OldProc";
constexpr const char* kOnlyOneProvider = "Only one TsSkinProvider component is allowed!";
constexpr const char* kGlobalInfo = "GLOBALINFO";
// A window that answers this query with the same value keeps the region it set itself.
constexpr UINT kKeepRegionQuery = 48205;
constexpr WPARAM kKeepRegionAnswer = 16802;

std::vector<TsSkinProvider*>& Providers() {
    static std::vector<TsSkinProvider*> providers;
    return providers;
}

TForm* FormOf(TComponent* component) {
    for (TComponent* c = component; c; c = c->Owner())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

RECT WindowRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

void CopyRows(const Bitmap& src, int top, int rows, Bitmap& dst) {
    const int width = std::min(src.Width(), dst.Width());
    for (int y = 0; y < rows && top + y < src.Height() && y < dst.Height(); ++y)
        std::copy_n(src.ScanLine(top + y), size_t(width) * 3, dst.ScanLine(y));
}

void PasteRows(const Bitmap& src, Bitmap& dst, int top) {
    const int width = std::min(src.Width(), dst.Width());
    for (int y = 0; y < src.Height() && top + y < dst.Height(); ++y)
        std::copy_n(src.ScanLine(y), size_t(width) * 3, dst.ScanLine(top + y));
}

// The glyph scaled (nearest pixel) into dst, leaving its KeyColor pixels out.
void StretchKeyed(const Bitmap& glyph, Bitmap& dst, RECT to) {
    if (glyph.Empty() || WidthOf(to) <= 0 || HeightOf(to) <= 0) return;
    for (int y = std::max<int>(to.top, 0); y < std::min<int>(to.bottom, dst.Height()); ++y) {
        const int sy = (y - to.top) * glyph.Height() / HeightOf(to);
        for (int x = std::max<int>(to.left, 0); x < std::min<int>(to.right, dst.Width()); ++x) {
            const int sx = (x - to.left) * glyph.Width() / WidthOf(to);
            const uint32_t c = glyph.GetPixel(sx, sy) & 0xFFFFFF;
            if (c != KeyColor) dst.SetPixel(x, y, c);
        }
    }
}

// The top-level menu items in the order of the window's menu bar, with their positions.
struct TsBarItem {
    TMenuItem* Item = nullptr;
    UINT Position = 0;
};
std::vector<TsBarItem> BarItems(HMENU menu) {
    std::vector<TsBarItem> items;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFO info;
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfo(menu, UINT(i), true, &info)) continue;
        if (TMenuItem* item = TMenuItem::FromItemData(info.dwItemData))
            items.push_back({item, UINT(i)});
    }
    return items;
}

bool DrawsItself(const TMenuItem* item) {
    return item->Visible() && (item->OnAdvancedDrawItem || item->OnDrawItem);
}

} // namespace

// ---------------------------------------------------------------- life cycle

TsSkinProvider::TsSkinProvider(TComponent* owner)
    : TComponent(owner), SkinData(std::make_unique<TsCommonData>(this, true)) {
    SkinData->SetSkinSection("FORM");
    captionButtons_ = std::make_unique<TsCaptionButtons>(*this);
    TForm* form = FormOf(owner);
    if (!form) return;
    if (OfForm(form)) {
        // A second provider on one form stays inert.
        if (Designing()) MessageBox(nullptr, kOnlyOneProvider, "", MB_OK);
        return;
    }
    form_ = form;
    Providers().push_back(this);
    form_->SetDoubleBuffered(false);
    // The toolkit's own notifications reach the form without passing its window.
    oldWindowProc_ = form_->WindowProc;
    form_->WindowProc = [this](TMessage& m) { ToolkitMessage(m); };
    AddHookedForm(form_);
    if (form_->HandleAllocated()) HookWindow();
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager && manager->Active() && !Loading()) {
        InitSkinning();
        PrepareSkinning();
    }
}

TsSkinProvider::~TsSkinProvider() {
    Destroying();
    if (!form_) return;
    RemoveHookedForm(form_);
    AdapterCall([this] { adapter_.reset(); });
    UnhookWindow();
    form_->WindowProc = oldWindowProc_;
    auto& all = Providers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    captionButtons_.reset();
    form_ = nullptr;
}

TsSkinProvider* TsSkinProvider::OfForm(const TForm* form) {
    for (TsSkinProvider* p : Providers())
        if (p->form_ == form) return p;
    return nullptr;
}

void TsSkinProvider::Loaded() {
    TComponent::Loaded();
    SkinData->Loaded();
    if (form_ && Skinned()) {
        InitSkinning();
        PrepareSkinning();
    }
}

template <typename Work>
void TsSkinProvider::AdapterCall(Work work) {
    try {
        work();
    } catch (...) {
        // A control that fails to be wrapped stays plain; the form is skinned all the same.
    }
}

void TsSkinProvider::RescanAdapter() {
    if (!form_ || form_->IsDestroying() || !Skinned()) return;
    AdapterCall([this] {
        if (!adapter_) adapter_ = std::make_unique<TqvCtrlAdapter>(this);
        adapter_->DropDeadItems();
        adapter_->WrapAllControls();
    });
}

// The adapter's work on a skin becoming active: the controls, the system menu and the title
// buttons.
void TsSkinProvider::PrepareSkinning() {
    TsSkinManager* manager = HostManager();
    if (!manager) return;
    RescanAdapter();
    try {
        captionButtons_->UpdateSystemMenu();
    } catch (...) {
        // Updating the system menu never stops the skinning.
    }
    int image = manager->FindImageEntryIndex(kGlobalInfo, "TITLEBUTTON");
    if (image < 0) image = manager->FindImageEntryIndex(SkinData->SkinSection(), "TITLEBUTTON");
    TsTitleButtons& buttons = TitleButtons();
    for (int i = 0; i < buttons.Count(); ++i) {
        TsTitleButton& b = buttons.Items(i);
        b.FrameButton.ImageIndex = b.UseSkinData ? image : -1;
    }
}

void TsSkinProvider::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == SkinData->SkinManager())
        SkinData->SetSkinManager(nullptr);
    if (operation == opRemove && adapter_) AdapterCall([&] { adapter_->DropControl(component); });
}

void TsSkinProvider::InitSkinning() {
    if (!form_) return;
    systemMenuMade_ = true;
    SkinData->RefreshSkinIndexes();
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager && manager->SkinData.Loaded && SkinData->SkinActive()) RemoveSysMenuStyle();
    captionButtons_->UpdateButtonIndexes(SkinData->SkinSection());
    if (!form_->Loading() && !form_->IsDestroying() && form_->HandleAllocated() &&
        UseGlobalColor() && !SkinData->CustomColor() && SkinData->SkinActive(false))
        SetGlobalColor();
}

// ---------------------------------------------------------------- properties

TsTitleButtons& TsSkinProvider::TitleButtons() { return captionButtons_->TitleButtons; }

bool TsSkinProvider::MakeSkinMenu() const { return captionButtons_->MakeSkinMenu; }
void TsSkinProvider::SetMakeSkinMenu(bool value) { captionButtons_->MakeSkinMenu = value; }

void TsSkinProvider::SetTitleSkin(const std::string& value) {
    if (value == titleSkin_) return;
    titleSkin_ = value;
    InvalidateFrame();
    RepaintNonClient();
}

void TsSkinProvider::SetCaptionAlignment(TAlignment value) {
    if (value == captionAlignment_) return;
    captionAlignment_ = value;
    InvalidateFrame();
    RepaintNonClient();
}

void TsSkinProvider::SetShowAppIcon(bool value) {
    if (value == showAppIcon_) return;
    showAppIcon_ = value;
    InvalidateFrame();
    RepaintNonClient();
}

void TsSkinProvider::SetUseGlobalColor(bool value) {
    useGlobalColor_ = value;
    if (!form_ || Loading()) return;
    if (Skinned() && value && !SkinData->CustomColor())
        form_->SetColor(SkinData->GetSkinManager()->SkinGlobalColor());
    else
        form_->SetColor(SysColor(COLOR_BTNFACE));
}

void TsSkinProvider::SetGlobalColor() {
    if (!form_ || !useGlobalColor_ || SkinData->CustomColor()) return;
    if (TsSkinManager* manager = SkinData->GetSkinManager())
        form_->SetColor(manager->SkinGlobalColor());
}

void TsSkinProvider::RestoreColor() {
    if (form_ && useGlobalColor_ && !SkinData->CustomColor())
        form_->SetColor(SysColor(COLOR_BTNFACE));
}

// ---------------------------------------------------------------- state

bool TsSkinProvider::Skinned() const {
    return form_ && !form_->IsDestroying() && SkinData->SkinActive(true);
}

bool TsSkinProvider::IsUpdating() const {
    const TsSkinManager* manager = SkinData->GetSkinManager();
    return !manager || !manager->SkinData.Loaded || SkinData->UpdateLock;
}

TsSkinManager* TsSkinProvider::HostManager() const {
    return SkinData->SkinActive(false) ? SkinData->GetSkinManager() : nullptr;
}

TsFrameFacts TsSkinProvider::Facts() const {
    TsFrameFacts f = TsFrameFacts::FromForm(*form_);
    f.ShowAppIcon = showAppIcon_;
    f.TitleIconWidth = TitleIcon.Width;
    f.TitleIconHeight = TitleIcon.Height;
    return f;
}

TsTitleMetrics TsSkinProvider::TitleMetrics() const {
    return form_ ? TitleMetricsOf(Facts()) : TsTitleMetrics{};
}

Bitmap* TsSkinProvider::FrameCache() {
    Bitmap* cache = SkinData->CacheBitmap.get();
    return cache && !cache->Empty() ? cache : nullptr;
}

const Bitmap* TsSkinProvider::MenuLineCache() const {
    return menuLineCache_ && !menuLineCache_->Empty() ? menuLineCache_.get() : nullptr;
}

int TsSkinProvider::MenuLineTop() const {
    if (!form_) return 0;
    const TsFrameFacts f = Facts();
    return CaptionHeight(f) + FrameBorderHeight(f);
}

void TsSkinProvider::InvalidateFrame() {
    SkinData->CacheInvalid = true;
    menuLineCount_ = -1;
}

int TsSkinProvider::MenuLineCount() {
    if (menuLineCount_ >= 0) return menuLineCount_;
    menuLineCount_ = 1;
    if (!form_ || !form_->Menu() || !form_->HandleAllocated()) return menuLineCount_;
    const HWND hwnd = form_->Handle();
    const TsFrameFacts f = Facts();
    const int border = FrameBorderWidth(f);
    const int room = f.FormWidth - 2 * border - 2 * f.FormBorderWidth;
    int x = border;
    for (const TsBarItem& bar : BarItems(GetMenu(hwnd))) {
        if (!DrawsItself(bar.Item)) continue;
        RECT r{};
        if (!GetMenuItemRect(hwnd, GetMenu(hwnd), bar.Position, &r)) continue;
        const int width = WidthOf(r);
        if (room < x + width) {
            ++menuLineCount_;
            x = border;
        }
        x += width;
    }
    return menuLineCount_;
}

// ---------------------------------------------------------------- the window procedure

void TsSkinProvider::HookWindow() {
    if (!form_ || !form_->HandleAllocated()) return;
    const HWND hwnd = form_->Handle();
    if (hwnd == hooked_) return;
    hooked_ = hwnd;
    SetProp(hwnd, kProviderProp, this);
    oldProc_ = SubclassWindow(hwnd, &TsSkinProvider::ProviderProc);
    // A new window starts without the skin's frame: the frame and its region follow.
    showsActive_ = GetActiveWindow() == hwnd;
    RegionChanged = true;
    InvalidateFrame();
    menuOwnerDrawDone_ = false;
    removedSysMenu_ = false;
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager && manager->Active()) InitSkinning();
    // A window that shows already trades the system's frame for the skinned one at once.
    if (Skinned() && IsWindowVisible(hwnd)) RedrawWhole();
}

void TsSkinProvider::UnhookWindow() {
    if (!hooked_) return;
    const HWND hwnd = hooked_;
    hooked_ = nullptr;
    if (IsWindow(hwnd)) {
        if (GetWindowLongPtr(hwnd, GWL_WNDPROC) ==
            LONG_PTR(reinterpret_cast<uintptr_t>(&TsSkinProvider::ProviderProc)))
            SubclassWindow(hwnd, oldProc_);
        else
            SetProp(hwnd, kOrphanProcProp,
                    reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(oldProc_)));
        RemoveProp(hwnd, kProviderProp);
    }
    oldProc_ = nullptr;
}

LRESULT TsSkinProvider::ProviderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* provider = static_cast<TsSkinProvider*>(GetProp(hwnd, kProviderProp));
    if (!provider || provider->hooked_ != hwnd) {
        // Someone subclassed over us and we have gone: the chain continues where we were.
        if (auto old = reinterpret_cast<WNDPROC>(
                reinterpret_cast<uintptr_t>(GetProp(hwnd, kOrphanProcProp))))
            return CallWindowProc(old, hwnd, msg, wParam, lParam);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        const WNDPROC old = provider->oldProc_;
        provider->UnhookWindow();
        return CallWindowProc(old, hwnd, msg, wParam, lParam);
    }
    TMessage m{msg, wParam, lParam, 0};
    provider->WindowProc(m);
    return m.Result;
}

void TsSkinProvider::CallOwnHandler(TMessage& m) {
    if (hooked_ && oldProc_)
        m.Result = CallWindowProc(oldProc_, hooked_, m.Msg, m.WParam, m.LParam);
}

void TsSkinProvider::PassToolkitMessage(TMessage& m) {
    if (oldWindowProc_) oldWindowProc_(m);
}

void TsSkinProvider::ToolkitMessage(TMessage& m) {
    // The toolkit made the form's window (again): it is hooked before it hears anything else.
    // A window's last words come after we let it go: it is not taken again.
    const bool lastWords = m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY;
    if (!lastWords && form_->HandleAllocated() && form_->Handle() != hooked_ &&
        !form_->IsDestroying())
        HookWindow();
    if (m.Msg < CM_BASE || m.Msg > CM_PARENTFONTCHANGED || !Skinned()) {
        PassToolkitMessage(m);
        return;
    }
    switch (m.Msg) {
    case CM_ENABLEDCHANGED:
        PassToolkitMessage(m);
        InvalidateFrame();
        RepaintNonClient();
        return;
    case CM_COLORCHANGED:
        // The skin gives the form its colour; only an own colour is the form's business.
        if (SkinData->CustomColor()) {
            SkinData->CacheInvalid = true;
            PassToolkitMessage(m);
        }
        return;
    case CM_MENUCHANGED:
        if (form_->Visible()) {
            TitleChanged = true;
            InvalidateFrame();
        }
        PassToolkitMessage(m);
        return;
    case CM_TEXTCHANGED:
        // The form's caption changes without its window hearing of it.
        PassToolkitMessage(m);
        TitleChanged = true;
        InvalidateFrame();
        RepaintNonClient();
        return;
    case CM_MOUSELEAVE:
        captionButtons_->SetHotButton(0);
        PassToolkitMessage(m);
        return;
    case CM_CONTROLLISTCHANGE:
        PassToolkitMessage(m);
        if (m.LParam && adapter_) {
            auto* control = reinterpret_cast<TControl*>(m.WParam);
            if (dynamic_cast<TWinControl*>(control))
                AdapterCall([&] { adapter_->WrapNewControl(control); });
        }
        return;
    default: PassToolkitMessage(m); return;
    }
}

void TsSkinProvider::WindowProc(TMessage& m) {
    if (m.Msg == SM_ORVENCMD) {
        if (!SkinCommand(m)) CallOwnHandler(m);
        return;
    }
    if (m.Msg == WM_PARENTNOTIFY && LOWORD(m.WParam) == WM_CREATE && Skinned() &&
        !form_->Loading()) {
        CallOwnHandler(m);
        RescanAdapter();
        return;
    }
    if (!Skinned() || !SkinnedMessage(m)) CallOwnHandler(m);
}

// The messages a skinned form's window gets from us; false: the own handler answers alone.
bool TsSkinProvider::SkinnedMessage(TMessage& m) {
    const HWND hwnd = hooked_;
    if (drag_.Running) {
        if (m.Msg == WM_MOUSEMOVE) {
            POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            ClientToScreen(hwnd, &p);
            OutlineMouseMove(p);
            return true;
        }
        if (m.Msg == WM_LBUTTONUP || m.Msg == WM_CAPTURECHANGED) {
            EndOutlineDrag();
            return true;
        }
    }
    switch (m.Msg) {
    case WM_NCPAINT: {
        if (!form_->Visible() || form_->Loading() || IsUpdating()) return true;
        HDC dc = GetWindowDC(hwnd);
        NcPaint(dc);
        ReleaseDC(hwnd, dc);
        m.Result = 0;
        return true;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (!IsUpdating() && !form_->IsDestroying()) PaintClient(dc);
        EndPaint(hwnd, &ps);
        m.Result = 0;
        return true;
    }
    case WM_ERASEBKGND:
    case WM_ENTERIDLE:
    case WM_PRINTCLIENT: m.Result = 0; return true;
    case WM_PRINT: Print(m); return true;
    case WM_NCACTIVATE: NcActivate(m); return true;
    case WM_ACTIVATE:
        CallOwnHandler(m);
        showsActive_ = LOWORD(m.WParam) != WA_INACTIVE;
        InvalidateFrame();
        RepaintNonClient();
        AttachFormMenus(true);
        captionButtons_->UpdateSystemMenu();
        return true;
    case WM_SETTEXT:
        if (SkinData->UpdateLock) {
            SendMessage(hwnd, WM_SETREDRAW, 0, 0);
            CallOwnHandler(m);
            SendMessage(hwnd, WM_SETREDRAW, 1, 0);
            return true;
        }
        CallOwnHandler(m);
        if (HasBorder(Facts())) {
            InvalidateFrame();
            TitleChanged = true;
            RepaintNonClient();
        }
        return true;
    case WM_NCHITTEST:
        if (CaptionHeight(Facts()) <= 0) return false;
        m.Result = captionButtons_->HitTest(m);
        return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE: return captionButtons_->HandleMouseMessage(m);
    case WM_SYSCOMMAND: SysCommand(m); return true;
    case WM_GETMINMAXINFO: GetMinMaxInfo(m); return true;
    case WM_WINDOWPOSCHANGING: SnapToWorkArea(m); return true;
    case WM_WINDOWPOSCHANGED:
    case WM_EXITSIZEMOVE:
    case WM_SIZING:
    case WM_SIZE: SizeChanged(m); return true;
    case WM_SETTINGCHANGE:
        InvalidateFrame();
        titleCache_.reset();
        return false;
    case WM_SYSCOLORCHANGE:
    case WM_CHILDACTIVATE:
        CallOwnHandler(m);
        menuOwnerDrawDone_ = false;
        MakeMenuOwnerDrawn(true);
        return true;
    default: return false;
    }
}

// ---------------------------------------------------------------- skin commands

bool TsSkinProvider::SkinCommand(TMessage& m) {
    if (!form_) return false;
    const unsigned code = SkinCommandCode(m.WParam);
    const bool always = code == scSkinLoaded || code == scRemoveSkin || code == scGetProvider ||
                        code == scIsSkinned || code == scGetApplication;
    if (!always && !Skinned()) return false;
    m.Result = 0;
    switch (code) {
    case scSkinLoaded: SkinLoaded(m); return true;
    case scRemoveSkin: SkinRemoved(m); return true;
    case scRefresh: SkinRefreshed(m); return true;
    case scGetProvider: m.Result = LRESULT(static_cast<TComponent*>(this)); return true;
    case scGetCache: {
        if (SkinData->CacheInvalid && !IsUpdating()) PaintFrame();
        const POINT origin = ClientOrigin(Facts());
        ParentCacheAnswer = ParentCacheInfo{SkinData->CacheBitmap.get(), origin.x, origin.y,
                                            !SkinData->CacheBitmap->Empty()};
        return true;
    }
    case scIsSkinned: m.LParam = m.Result = 1; return true;
    case scSetUpdating:
        SkinData->UpdateLock = SkinCommandLowWord(m.WParam) == 1;
        if (SkinData->UpdateLock) SkinData->CacheInvalid = true;
        return true;
    case scIsNotReady:
        m.LParam = m.Result = (SkinData->CacheInvalid || IsUpdating()) ? 1 : 0;
        return true;
    case scSetPaintingChild:
        SkinData->PaintingChild = reinterpret_cast<TControl*>(m.LParam);
        return true;
    case scHasImageBackground: {
        const TsGeneralData* section = SkinData->Section();
        m.LParam = m.Result =
            (section && section->GradientPercent + section->ImagePercent > 0) ? 1 : 0;
        return true;
    }
    case scGetBgColor: {
        const TsGeneralData* section = SkinData->Section();
        ParentBgColor = TColor(
            ColorToRGB(section && !SkinData->CustomColor() ? section->Color : form_->Color()));
        m.Result = 1;
        return true;
    }
    case scChildChanged:
        if (adapter_)
            AdapterCall([&] { adapter_->WrapNewControl(reinterpret_cast<TControl*>(m.LParam)); });
        return true;
    case scScrollStart:
    case scScrollEnd: return true; // the form's look needs no parent
    case scGetApplication: m.Result = LRESULT(Application); return true;
    default: return false;
    }
}

void TsSkinProvider::SkinLoaded(TMessage& m) {
    if (!systemMenuMade_) InitSkinning();
    if (m.LParam != LPARAM(SkinData->GetSkinManager())) return;
    SkinData->UpdateLock = false;
    SkinData->RefreshSkinIndexes();
    captionButtons_->UpdateButtonIndexes(SkinData->SkinSection());
    if (!SkinData->SkinActive(false)) return; // the skin has no frame for us: the plain one stays
    RemoveSysMenuStyle();
    InvalidateFrame();
    titleCache_.reset();
    RegionChanged = true;
    if (!skinnedOnce_) {
        skinnedOnce_ = true;
        AttachFormMenus(true);
        SetGlobalColor();
        PrepareSkinning();
    } else {
        if (TsMenuEngine* engine = SkinData->GetSkinManager()->MenuEngine()) engine->RefreshHooks();
        RepaintNonClient();
    }
}

void TsSkinProvider::SkinRemoved(TMessage& m) {
    if (m.LParam != LPARAM(SkinData->GetSkinManager())) return;
    if (adapter_) {
        AdapterCall([&] {
            adapter_->SendToWrapped(m);
            adapter_.reset();
        });
    }
    skinnedOnce_ = false;
    SkinData->SectionIndex = SkinData->BorderMaskIndex = -1;
    SkinData->PatternIndex = SkinData->HotPatternIndex = -1;
    SkinData->CacheBitmap->SetSize(0, 0);
    InvalidateFrame();
    titleCache_.reset();
    menuLineCache_.reset();
    cornerRects_.clear();
    captionButtons_->SetHotButton(0);
    RestoreColor();
    AttachFormMenus(false);
    MakeMenuOwnerDrawn(false);
    if (!hooked_) return;
    // The plain frame comes back as the form had it.
    if (removedSysMenu_) {
        SetWindowLong(hooked_, GWL_STYLE, GetWindowLong(hooked_, GWL_STYLE) | WS_SYSMENU);
        removedSysMenu_ = false;
    }
    SetWindowRgn(hooked_, nullptr, true);
    if (IsWindowVisible(hooked_))
        RedrawWindow(hooked_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TsSkinProvider::SkinRefreshed(TMessage& m) {
    if (m.LParam != LPARAM(SkinData->GetSkinManager())) return;
    RescanAdapter();
    SkinData->UpdateLock = false;
    InvalidateFrame();
    titleCache_.reset();
    AttachFormMenus(true);
    RegionChanged = true;
    if (!hooked_ || !IsWindowVisible(hooked_)) return;
    SetGlobalColor();
    RedrawWindow(hooked_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    if (adapter_) AdapterCall([&] { adapter_->SendToWrapped(m); });
}

void TsSkinProvider::RebuildFrame() {
    if (!Skinned() || !hooked_) return;
    InvalidateFrame();
    RegionChanged = true;
    if (IsUpdating()) return;
    PaintFrame();
    UpdateRegion();
    ApplyRegion(false);
    RegionChanged = false;
}

void TsSkinProvider::RemoveSysMenuStyle() {
    if (!hooked_ || form_->FormStyle() == fsMDIChild) return;
    const LONG style = GetWindowLong(hooked_, GWL_STYLE);
    if (!(style & WS_SYSMENU)) return;
    // The system draws no caption buttons and no system menu of its own.
    SetWindowLong(hooked_, GWL_STYLE, style & ~LONG(WS_SYSMENU));
    removedSysMenu_ = true;
}

void TsSkinProvider::AttachFormMenus(bool active) {
    TsSkinManager* manager = SkinData->GetSkinManager();
    TsMenuEngine* engine = manager ? manager->MenuEngine() : nullptr;
    if (!engine || !manager->IsDefault() || !manager->SkinnedPopups()) return;
    if (form_->Menu()) engine->AttachMainMenu(form_->Menu(), active);
    for (int i = 0; i < form_->ComponentCount(); ++i) {
        TComponent* c = form_->Components(i);
        if (auto* popup = dynamic_cast<TPopupMenu*>(c))
            engine->AttachPopupMenu(popup, active);
        else if (auto* item = dynamic_cast<TMenuItem*>(c); item && !item->GetParentMenu())
            engine->AttachMenuItems(item, active);
    }
}

void TsSkinProvider::MakeMenuOwnerDrawn(bool active) {
    TMainMenu* menu = form_->Menu();
    if (!menu || (active && menuOwnerDrawDone_)) return;
    menuOwnerDrawDone_ = active;
    SkinData->UpdateLock = true;
    menu->SetOwnerDraw(active);
    SkinData->UpdateLock = false;
    menuLineCount_ = -1;
}

// ---------------------------------------------------------------- activation and sizes

void TsSkinProvider::RepaintNonClient() {
    if (!hooked_ || !IsWindowVisible(hooked_) || !IsRedrawEnabled(hooked_) || !Skinned() ||
        IsUpdating())
        return;
    HDC dc = GetWindowDC(hooked_);
    NcPaint(dc);
    ReleaseDC(hooked_, dc);
}

void TsSkinProvider::RedrawWhole() {
    if (hooked_ && IsWindowVisible(hooked_))
        RedrawWindow(hooked_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TsSkinProvider::NcActivate(TMessage& m) {
    const bool active = m.WParam != 0;
    if (form_->Visible()) {
        if (active != showsActive_) SkinData->CacheInvalid = true;
        // The system would paint its own caption in between.
        SendMessage(hooked_, WM_SETREDRAW, 0, 0);
        CallOwnHandler(m);
        SendMessage(hooked_, WM_SETREDRAW, 1, 0);
    } else {
        CallOwnHandler(m);
    }
    showsActive_ = active;
    RepaintNonClient();
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager && manager->SkinnedPopups()) AttachFormMenus(true);
    MakeMenuOwnerDrawn(true);
    if (!adapter_) RescanAdapter();
    if (form_->Visible())
        RedrawWindow(hooked_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TsSkinProvider::SysCommand(TMessage& m) {
    const UINT command = UINT(m.WParam) & 0xFFF0;
    if (command == SC_KEYMENU && captionButtons_->HandleMouseMessage(m)) return;
    if (command == SC_MOVE && (m.WParam & 0xF) == HTCAPTION) RepaintNonClient();
    if (ResizeModeValue == rmBorder && (command == SC_MOVE || command == SC_SIZE) &&
        !drag_.Running && !IsZoomed(hooked_)) {
        POINT p{};
        GetCursorPos(&p);
        // A size from the keyboard names no edge: the last one the hit test saw is taken.
        int hit = HTCAPTION;
        if (command == SC_SIZE)
            hit = (m.WParam & 0xF) ? int(m.WParam & 0xF) + 9 : captionButtons_->LastDragKind();
        StartOutlineDrag(hit >= HTLEFT && hit <= HTBOTTOMRIGHT ? hit : HTCAPTION, p);
        return;
    }
    CallOwnHandler(m);
    if (command == SC_MAXIMIZE || command == SC_RESTORE) captionButtons_->SetHotButton(0);
}

void TsSkinProvider::GetMinMaxInfo(TMessage& m) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    if (!info) {
        CallOwnHandler(m);
        return;
    }
    info->ptMaxTrackSize = POINT{-1, -1};
    info->ptMaxPosition = POINT{-1, -1};
    CallOwnHandler(m);
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const TsFrameFacts f = Facts();
    const bool framed = form_->BorderStyle() != bsNone;
    const int bw = framed ? FrameBorderWidth(f) : 0, bh = framed ? FrameBorderHeight(f) : 0;
    if (info->ptMaxTrackSize.x == -1) info->ptMaxTrackSize.x = WidthOf(work) + 2 * bw;
    if (info->ptMaxTrackSize.y == -1) info->ptMaxTrackSize.y = HeightOf(work) + 2 * bh;
    if (info->ptMaxPosition.x == -1) info->ptMaxPosition.x = -bw;
    if (info->ptMaxPosition.y == -1) info->ptMaxPosition.y = -bw;
}

void TsSkinProvider::SnapToWorkArea(TMessage& m) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (ScreenSnap && pos && !(pos->flags & SWP_NOMOVE) && !IsZoomed(hooked_) && !settingRegion_ &&
        (pos->x != 0 || pos->y != 0)) {
        RECT work{};
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        const POINT monitor{0, 0}; // the one screen's top-left corner
        const int w = form_->Width(), h = form_->Height();
        if (std::abs(pos->x + w - work.right) < SnapBuffer) pos->x = work.right - w;
        if (std::abs(pos->y + h - work.bottom) < SnapBuffer) pos->y = work.bottom - h;
        if (std::abs(pos->x + monitor.x - work.left) < SnapBuffer) pos->x = work.left - monitor.x;
        if (std::abs(pos->y + monitor.y - work.top) < SnapBuffer) pos->y = work.top - monitor.y;
    }
    CallOwnHandler(m);
}

void TsSkinProvider::SizeChanged(TMessage& m) {
    if (m.Msg == WM_SIZE) {
        InvalidateFrame();
        RegionChanged = true;
        CallOwnHandler(m);
        if (!form_->Visible()) return;
        const TsGeneralData* section = SkinData->Section();
        if (section && section->GradientPercent > 0)
            for (int i = 0; i < form_->ControlCount(); ++i)
                SendSkinCommand(form_->Controls(i), SkinCommandWParam(scRefreshTree, 1), 0);
        RedrawWhole();
        return;
    }
    CallOwnHandler(m);
    const Bitmap& cache = *SkinData->CacheBitmap;
    const bool sizeDiffers =
        cache.Width() != FrameWidth(Facts()) || cache.Height() != form_->Height();
    if (!sizeDiffers) return;
    if (m.Msg == WM_SIZING) {
        InvalidateFrame();
        return;
    }
    if (settingRegion_ || SkinSwitching) return;
    RegionChanged = true;
    InvalidateFrame();
    RepaintNonClient();
}

void TsSkinProvider::Print(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc || IsUpdating()) return;
    if (SkinData->CacheInvalid) PaintFrame();
    NcPaint(dc);
    const TsFrameFacts f = Facts();
    const POINT origin = ClientOrigin(f);
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    PaintClient(dc);
    RestoreDC(dc, saved);
}

// ---------------------------------------------------------------- painting

void TsSkinProvider::NcPaint(HDC dc) {
    const TsFrameFacts f = Facts();
    if (RegionChanged && (HasBorder(f) || (f.Style & WS_THICKFRAME))) {
        UpdateRegion();
        ApplyRegion(false);
        RegionChanged = false;
    }
    MakeMenuOwnerDrawn(true);
    if (SkinData->CacheInvalid) PaintFrame();
    const Bitmap& cache = *SkinData->CacheBitmap;
    if (cache.Empty()) return;
    const int width = FrameWidth(f), height = f.FormHeight, top = TopAreaHeight(f);
    int sides = FrameBorderWidth(f) + f.FormBorderWidth;
    int bottom = FrameBorderHeight(f) + f.FormBorderWidth;
    if (!HasBorder(f) && (f.Style & WS_THICKFRAME)) sides = bottom = f.FormBorderWidth + 3;
    TsBitmapDC source(cache);
    BitBlt(dc, 0, 0, width, top, source.Handle(), 0, 0, SRCCOPY);
    BitBlt(dc, 0, top, sides, height - top, source.Handle(), 0, top, SRCCOPY);
    BitBlt(dc, 0, height - bottom, width, bottom, source.Handle(), 0, height - bottom, SRCCOPY);
    BitBlt(dc, width - sides, top, sides, height - top, source.Handle(), width - sides, top,
           SRCCOPY);
    // The bar's items in their present states over the band (hot and open ones).
    if (form_->Menu() && hooked_) DrawMenuBarItems(hooked_, dc);
}

void TsSkinProvider::PaintClient(HDC dc) {
    SkinData->PaintingChild = nullptr; // a single child is painted with the rest
    if (SkinData->CacheInvalid) PaintFrame();
    if (SkinData->CacheBitmap->Empty()) return;
    const TsFrameFacts f = Facts();
    const RECT client{0, 0, f.ClientWidth, f.ClientHeight};
    CopyCacheToDC(form_, *SkinData, ClientOrigin(f), 0, 0, false, dc, client);
    PaintGraphicChildren(dc, form_, POINT{0, 0});
    RepaintChildren(form_);
    if (adapter_) {
        TMessage refresh{SM_ORVENCMD, SkinCommandWParam(scRefresh),
                         LPARAM(SkinData->GetSkinManager()), 0};
        AdapterCall([&] { adapter_->SendToWrapped(refresh); });
    }
}

void TsSkinProvider::PaintFrame() {
    if (!form_ || !form_->HandleAllocated() || !SkinData->SkinActive()) return;
    TsSkinManager* manager = SkinData->GetSkinManager();
    const TsFrameFacts f = Facts();
    Bitmap& cache = *SkinData->CacheBitmap;
    const int width = FrameWidth(f), height = f.FormHeight;
    const int caption = CaptionHeight(f), border = FrameBorderHeight(f);
    const TsGeneralData* section = SkinData->Section();
    const bool reserved = section && section->ReservedBoolean;

    if (!TitleChanged && reserved && titleCache_ && titleCache_->Width() == width &&
        cache.Height() == height && caption > 0) {
        PasteRows(*titleCache_, cache, 0);
        PaintTitleContent(f, cache);
        CallOnPaint(f, cache);
        SkinData->CacheInvalid = false;
        return;
    }
    RegionChanged = true;
    cache.SetSize(width, height);
    if (section) {
        if (caption > 0) {
            const RECT whole =
                f.Iconic ? RECT{0, 0, width, border + caption + 1} : RECT{0, 0, width, height};
            // The client background is the section's layers: the border leaves it alone.
            RenderSkinItem(*SkinData, ParentCacheInfo{}, false, false, &cache, POINT{0, 0}, whole,
                           showsActive_ ? 1 : 0);
        } else {
            RenderItemBackground(SkinData->SectionIndex, SkinData->SkinSection(), ParentCacheInfo{},
                                 KeyColor, SkinData->HotPatternIndex, SkinData->PatternIndex,
                                 manager, cache, POINT{0, 0}, RECT{0, 0, width, height}, false);
        }
    }
    PaintGrip(cache);
    if (reserved && (!titleCache_ || titleCache_->Width() != width)) {
        titleCache_ = std::make_unique<Bitmap>(width, std::min(border + caption, height), 24);
        CopyRows(cache, 0, titleCache_->Height(), *titleCache_);
    }
    PaintTitleContent(f, cache);
    TitleChanged = false;
    CallOnPaint(f, cache);
    SkinData->CacheInvalid = false;
}

void TsSkinProvider::PaintGrip(Bitmap& cache) {
    if (GripModeValue != gmRightBottom) return;
    const TsSkinManager* manager = SkinData->GetSkinManager();
    const int grip = manager->FindImageEntryIndex(kGlobalInfo, "GRIPIMAGE");
    if (!manager->ImageIndexValid(grip)) return;
    const SIZE size = manager->GetMaskFrameSize(grip);
    const int border = FrameBorderWidth(Facts()), borderY = FrameBorderHeight(Facts());
    PaintMaskImage(cache,
                   POINT{cache.Width() - size.cx - border, cache.Height() - size.cy - borderY}, 0,
                   manager->MasksData[size_t(grip)], 1);
}

std::string TsSkinProvider::TitleSectionName() const {
    return titleSkin_.empty() ? std::string("FORMTITLE") : titleSkin_;
}

int TsSkinProvider::TitleSectionIndex() const {
    const TsSkinManager* manager = SkinData->GetSkinManager();
    return manager ? manager->GetSectionIndex(TitleSectionName()) : -1;
}

// Steps that draw over the frame: title bar, icon, buttons band, menu bar, buttons, caption.
void TsSkinProvider::PaintTitleContent(const TsFrameFacts& f, Bitmap& cache) {
    const int caption = CaptionHeight(f), border = FrameBorderHeight(f);
    if (caption > 0) {
        if (const int title = TitleSectionIndex(); title >= 0) {
            const RECT band{0, 0, FrameWidth(f), border + caption + (f.Iconic ? 1 : 0)};
            RenderSectionItem(title, TitleSectionName(), ParentCacheInfo{&cache, 0, 0, true}, -1,
                              -1, SkinData->GetSkinManager(), cache, POINT{0, 0}, band,
                              showsActive_, false);
        }
        PaintTitleIcon(f, cache);
        if (form_->BorderIcons() & biSystemMenu) PaintTitleBarBand(f, cache);
    }
    PaintMenuLine(f, cache);
    if (caption > 0) {
        captionButtons_->SaveBackground(cache);
        captionButtons_->PaintCaptionButtons(cache);
        PaintCaptionText(f, cache);
    }
}

void TsSkinProvider::PaintTitleIcon(const TsFrameFacts& f, Bitmap& cache) {
    if (!IconShown(f)) return;
    const RECT icon = IconRect(f);
    if (TitleIcon.Glyph && !TitleIcon.Glyph->Empty()) {
        const int fallback = IconSizeFor(TopAreaHeight(f) - 2);
        const int w = TitleIcon.Width ? TitleIcon.Width : fallback;
        const int h = TitleIcon.Height ? TitleIcon.Height : fallback;
        StretchKeyed(*TitleIcon.Glyph, cache,
                     RECT{icon.left, icon.top, icon.left + w, icon.top + h});
        return;
    }
    const int w = WidthOf(icon), h = HeightOf(icon);
    if (w <= 0 || h <= 0) return;
    const bool large = h > 16;
    HICON handle = reinterpret_cast<HICON>(SendMessage(hooked_, WM_GETICON, large ? 1 : 0, 0));
    if (!handle)
        handle = reinterpret_cast<HICON>(SendMessage(hooked_, WM_GETICON, large ? 0 : 1, 0));
    if (!handle) {
        const int height = TitleIcon.Height ? TitleIcon.Height : CaptionHeight(f) - icon.top;
        handle = ProgramIcon(height > 16 ? 32 : 16);
    }
    if (!handle) handle = LoadIcon(nullptr, IDI_APPLICATION);
    TsBitmapDC dc(cache);
    DrawIconEx(dc.Handle(), icon.left, icon.top, handle, w, h, 0, nullptr, DI_NORMAL);
}

void TsSkinProvider::PaintTitleBarBand(const TsFrameFacts& f, Bitmap& cache) {
    const TsSkinManager* manager = SkinData->GetSkinManager();
    const int image =
        manager->GetImageEntryIndex(SkinData->SectionIndex, SkinData->SkinSection(), "TITLEBAR");
    if (!manager->ImageIndexValid(image)) return;
    const TsMaskData& md = manager->MasksData[size_t(image)];
    const int third = md.Bmp ? md.Bmp->Width() / 9 : manager->GetMaskFrameSize(image).cx / 3;
    const int width = FrameWidth(f);
    const RECT band{width - (2 * third + captionButtons_->ButtonsWidth()), 0, width,
                    FrameBorderHeight(f) + CaptionHeight(f)};
    PaintMaskBorders(cache, band, true, true, 0, md, ParentCacheInfo{&cache, 0, 0, true});
}

void TsSkinProvider::PaintMenuLine(const TsFrameFacts& f, Bitmap& cache) {
    TMainMenu* menu = form_->Menu();
    const int lineHeight = MenuHeight(f);
    if (!menu || lineHeight <= 0) return;
    const HMENU bar = GetMenu(hooked_);
    const std::vector<TsBarItem> items = BarItems(bar);
    if (std::none_of(items.begin(), items.end(),
                     [](const TsBarItem& b) { return b.Item->Visible(); }))
        return;
    TsSkinManager* manager = SkinData->GetSkinManager();
    std::string name = "MENULINE";
    if (!MenuLineSkin.empty() && manager->GetSectionIndex(MenuLineSkin) >= 0) name = MenuLineSkin;
    const int index = manager->GetSectionIndex(name);
    const int top = CaptionHeight(f) + FrameBorderHeight(f);
    const RECT band{0, top, cache.Width(),
                    std::min(top + MenuLineCount() * lineHeight, cache.Height())};
    if (index >= 0 && band.bottom > band.top) {
        RenderSectionItem(index, name, ParentCacheInfo{&cache, 0, 0, true}, -1, -1, manager, cache,
                          POINT{0, 0}, band, showsActive_, false);
        menuLineCache_ = std::make_unique<Bitmap>(WidthOf(band), HeightOf(band), 24);
        CopyRows(cache, band.top, HeightOf(band), *menuLineCache_);
    }
    const RECT window = WindowRectOf(hooked_);
    TsBitmapDC dc(cache);
    TCanvas canvas(dc.Handle());
    TsMenuLineHost* previous = TsMenuLineHost::Painting;
    TsMenuLineHost::Painting = this;
    for (const TsBarItem& b : items) {
        if (!DrawsItself(b.Item)) continue;
        RECT r{};
        if (!GetMenuItemRect(hooked_, bar, b.Position, &r)) continue;
        r = OffsetRect(r, -window.left, -window.top);
        if (b.Item->OnAdvancedDrawItem)
            b.Item->OnAdvancedDrawItem(b.Item, canvas, r, 0);
        else
            b.Item->OnDrawItem(b.Item, canvas, r, false);
    }
    TsMenuLineHost::Painting = previous;
}

void TsSkinProvider::PaintCaptionText(const TsFrameFacts& f, Bitmap& cache) {
    RECT r = CaptionTextRect(f, captionButtons_->ButtonsWidth());
    const std::string& text = form_->Caption();
    if (WidthOf(r) <= 0 || text.empty()) return;
    TsBitmapDC dc(cache);
    TCanvas canvas(dc.Handle());
    canvas.Font = form_->Font();
    canvas.Font.SetStyle(canvas.Font.Style() | fsBold);
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
        canvas.Font.SetHeight(std::abs(int(metrics.lfCaptionFont.lfHeight)));
    const int textHeight = canvas.TextHeight(text);
    r.top += (HeightOf(r) - textHeight) / 2;
    r.bottom = r.top + textHeight;
    UINT flags = DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    switch (captionAlignment_) {
    case taLeftJustify: flags |= DT_LEFT; break;
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
    }
    const int title = TitleSectionIndex();
    WriteSectionText(canvas, text, true, SkinData->GetSkinManager(), showsActive_,
                     title >= 0 ? title : SkinData->SectionIndex, flags, r);
}

void TsSkinProvider::CallOnPaint(const TsFrameFacts& f, Bitmap& cache) {
    if (!form_->OnPaint) return;
    TsBitmapDC dc(cache);
    const POINT origin = ClientOrigin(f);
    SetViewportOrgEx(dc.Handle(), origin.x, origin.y, nullptr);
    TCanvas& canvas = form_->Canvas();
    const HDC previous = canvas.Handle();
    canvas.SetHandle(dc.Handle());
    form_->OnPaint(form_);
    canvas.SetHandle(previous);
}

// ---------------------------------------------------------------- region

void TsSkinProvider::UpdateRegion() {
    const TsSkinManager* manager = SkinData->GetSkinManager();
    if (!manager || !form_) return;
    const int title = TitleSectionIndex();
    const int titleBorder =
        title >= 0 ? manager->GetImageEntryIndex(title, TitleSectionName(), "BORDERSMASK") : -1;
    const TsFrameFacts f = Facts();
    cornerRects_ = FrameCornerRects(*manager, SkinData->BorderMaskIndex, titleBorder, FrameWidth(f),
                                    f.FormHeight);
}

void TsSkinProvider::ApplyRegion(bool redraw) {
    if (!hooked_ || !HasBorder(Facts()) || form_->Parent()) return;
    if (SendMessage(hooked_, kKeepRegionQuery, kKeepRegionAnswer, 0) == LRESULT(kKeepRegionAnswer))
        return;
    settingRegion_ = true;
    const TsFrameFacts f = Facts();
    SetWindowRgn(hooked_, MakeFrameRegion(cornerRects_, FrameWidth(f), f.FormHeight), redraw);
    settingRegion_ = false;
}

// ---------------------------------------------------------------- outline drag

void TsSkinProvider::StartOutlineDrag(int hit, POINT screenPoint) {
    if (!hooked_ || drag_.Running || IsZoomed(hooked_)) return;
    drag_.Running = true;
    drag_.Hit = hit;
    drag_.Start = screenPoint;
    drag_.StartRect = WindowRectOf(hooked_);
    drag_.Shown = drag_.StartRect;
    SetCapture(hooked_);
    DrawOutline(drag_.Shown);
}

RECT TsSkinProvider::OutlineFor(POINT p) const {
    const int dx = p.x - drag_.Start.x, dy = p.y - drag_.Start.y;
    RECT r = drag_.StartRect;
    if (drag_.Hit == HTCAPTION) return OffsetRect(r, dx, dy);
    const int h = drag_.Hit;
    const bool left = h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT;
    const bool right = h == HTRIGHT || h == HTTOPRIGHT || h == HTBOTTOMRIGHT;
    const bool top = h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT;
    const bool bottom = h == HTBOTTOM || h == HTBOTTOMLEFT || h == HTBOTTOMRIGHT;
    const TSizeConstraints& c = form_->Constraints();
    const int minW = std::max(c.MinWidth, 0), minH = std::max(c.MinHeight, 0);
    if (left) r.left = std::min<LONG>(r.left + dx, r.right - minW);
    if (right) r.right = std::max<LONG>(r.right + dx, r.left + minW);
    if (top) r.top = std::min<LONG>(r.top + dy, r.bottom - minH);
    if (bottom) r.bottom = std::max<LONG>(r.bottom + dy, r.top + minH);
    return r;
}

void TsSkinProvider::DrawOutline(const RECT& r) {
    HDC dc = GetDC(nullptr);
    const int oldMode = SetROP2(dc, R2_NOT);
    const POINT points[5] = {{r.left, r.top},
                             {r.right - 1, r.top},
                             {r.right - 1, r.bottom - 1},
                             {r.left, r.bottom - 1},
                             {r.left, r.top}};
    Polyline(dc, points, 5);
    SetROP2(dc, oldMode);
    ReleaseDC(nullptr, dc);
}

void TsSkinProvider::OutlineMouseMove(POINT screen) {
    const RECT next = OutlineFor(screen);
    if (EqualRect(next, drag_.Shown)) return;
    DrawOutline(drag_.Shown);
    drag_.Shown = next;
    DrawOutline(drag_.Shown);
}

bool TsSkinProvider::EndOutlineDrag() {
    if (!drag_.Running) return false;
    drag_.Running = false;
    if (GetCapture() == hooked_) ReleaseCapture();
    DrawOutline(drag_.Shown);
    const RECT r = drag_.Shown;
    MoveWindow(hooked_, r.left, r.top, WidthOf(r), HeightOf(r), true);
    return true;
}

// ---------------------------------------------------------------- installation

void InstallFormSkinning() {
    TsSkinManager::ProviderUsesManager = [](TForm* form, TsSkinManager* manager) {
        const TsSkinProvider* provider = TsSkinProvider::OfForm(form);
        return provider && provider->SkinData->GetSkinManager() == manager;
    };
    TsSkinManager::RebuildProviderFrame = [](TForm* form) {
        if (TsSkinProvider* provider = TsSkinProvider::OfForm(form)) provider->RebuildFrame();
    };
    TsSkinManager::MakeMenuWindowAdapter = [](HWND window, TsSkinManager* manager) {
        auto wrapper = std::make_unique<TqvMnuWnd>(window, manager);
        wrapper->Start();
        return std::unique_ptr<TsHookedWrapper>(std::move(wrapper));
    };
    TsSkinManager::MakeFormProvider = [](TForm* form, TsSkinManager* manager, bool skinMenu) {
        return std::unique_ptr<TsHookedWrapper>(
            std::make_unique<TqvProvider>(form, manager, skinMenu));
    };
}
