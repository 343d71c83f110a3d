#include "windows/qvEditWnd.h"

#include "paint/sCommonData.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Control.h"
#include "toolkit/WinControl.h"
#include "windows/qvDialogPaint.h"

namespace {
constexpr UINT kLbAddString = 0x0180;
constexpr UINT kLbInsertString = 0x0181;
constexpr UINT kEmReplaceSel = 0x00C2;
constexpr UINT kWmStyleChanging = 0x007C;
constexpr UINT kWmStyleChanged = 0x007D;

// Messages after which the window may scroll differently.
bool MayChangeScrollState(UINT msg) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case CN_KEYDOWN:
    case CN_KEYUP:
    case kEmReplaceSel:
    case kLbAddString:
    case kLbInsertString:
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL: return true;
    default: return false;
    }
}
} // namespace

TqvEditWnd::TqvEditWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : TqvBaseWnd(handle, withScrollBars, skinSection, manager, skinData) {}

TqvEditWnd::~TqvEditWnd() { Unwrap(); }

void TqvEditWnd::SaveStandardLook() {
    if (TWinControl* c = Control()) {
        SavedColor = c->Color();
        SavedFontColor = c->Font().Color();
    }
}

void TqvEditWnd::RestoreStandardLook() {
    Skinned = false;
    TWinControl* c = Control();
    if (!c || c->IsDestroying() || SavedColor == clNone) return;
    c->SetColor(SavedColor);
    c->Font().SetColor(SavedFontColor);
}

void TqvEditWnd::ApplySkinLook() {
    applyingLook_ = true;
    Skinned = true;
    const TsGeneralData* section = SkinData->SkinActive() ? SkinData->Section() : nullptr;
    if (TWinControl* c = Control()) {
        // A missing section leaves the control's colours as they are.
        if (section && !SkinData->CustomColor()) {
            if (section->Transparency > 0 && c->Parent())
                c->SetColor(GetParentBgColor(c->Parent()));
            else
                c->SetColor(section->Color);
        }
        if (section && !SkinData->CustomFont()) c->Font().SetColor(section->HotFontColor[0]);
    } else {
        BgColor = (DialogMode || !section) ? SysColor(COLOR_WINDOW) : section->Color;
        FocusColor = 0;
    }
    SkinData->CacheInvalid = true;
    applyingLook_ = false;
}

void TqvEditWnd::ApplyLookOnce() {
    if (!Skinned) ApplySkinLook();
}

void TqvEditWnd::RebuildFrameCache() {
    if (!SkinData->CacheInvalid) return;
    const TColor border = DialogFieldBorder(Manager());
    if (DialogMode && border != KeyColor) {
        RefreshGeometry();
        PaintDialogField(SizedCache(*SkinData, Width, Height), border);
        SkinData->CacheInvalid = false;
        return;
    }
    if (!GetParent(Handle)) {
        SkinData->CacheInvalid = false;
        return;
    }
    BuildBaseCache();
}

void TqvEditWnd::PaintFrame(HDC dc) {
    CopyFrameStrips(dc);
    PaintScrollBars(dc);
}

void TqvEditWnd::NcPaint() {
    RefreshGeometry();
    if (SkinData->UpdateLock) return;
    if (SkinData->CacheInvalid) {
        ApplyLookOnce();
        RebuildFrameCache();
        RefreshScrollBars();
    }
    if (HDC dc = GetWindowDC(Handle)) {
        PaintFrame(dc);
        ReleaseDC(Handle, dc);
    }
}

void TqvEditWnd::RepaintFrame() {
    if (IsWindowVisible(Handle)) SendMessage(Handle, WM_NCPAINT, 1, 0);
}

void TqvEditWnd::Print(TMessage& m) {
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    SkinData->UpdateLock = false;
    SkinData->CacheInvalid = true;
    ApplySkinLook();
    RebuildFrameCache();
    RefreshScrollBars();
    if (!dc) return;
    PaintFrame(dc);
    const RECT client = ClientRectInWindow(Handle);
    const int saved = SaveDC(dc);
    POINT old{};
    OffsetViewportOrgEx(dc, client.left, client.top, &old);
    IntersectClipRect(dc, 0, 0, client.right - client.left, client.bottom - client.top);
    SendMessage(Handle, WM_ERASEBKGND, m.WParam, 0);
    SendMessage(Handle, WM_PAINT, m.WParam, 0);
    SendMessage(Handle, WM_PRINTCLIENT, m.WParam, PRF_CLIENT);
    RestoreDC(dc, saved);
}

bool TqvEditWnd::SkinCommand(TMessage& m) {
    switch (SkinCommandCode(m.WParam)) {
    case scRemoveSkin:
        if (m.LParam != 0 && m.LParam != LPARAM(Manager())) return false;
        RestoreStandardLook();
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return false;
    case scRefresh:
        if (m.LParam != 0 && m.LParam != LPARAM(Manager())) return false;
        SkinData->RefreshSkinIndexes();
        ApplySkinLook();
        SkinData->CacheInvalid = true;
        InvalidateRect(Handle, nullptr, true);
        RepaintFrame();
        return true;
    case scGetSectionIndex: m.Result = SkinData->SectionIndex + 1; return true;
    default: return TqvBaseWnd::SkinCommand(m);
    }
}

bool TqvEditWnd::SkinnedMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT:
        if (IsWindowVisible(Handle)) {
            // The window system draws the plain scroll bars while the skin has none for it.
            if (!ScrollBars()) PassOn(m);
            NcPaint();
        }
        m.Result = 0;
        return true;
    case WM_PAINT:
    case WM_ERASEBKGND:
        if (!IsWindowVisible(Handle)) return false;
        if (SkinData->UpdateLock) {
            if (m.Msg == WM_PAINT) ValidateRect(Handle, nullptr);
            m.Result = 1;
            return true;
        }
        ApplyLookOnce();
        return false;
    case WM_PRINT: Print(m); return true;
    case kWmStyleChanging:
    case kWmStyleChanged: return applyingLook_;
    default: return false;
    }
}

void TqvEditWnd::AfterPassOn(const TMessage& m) {
    if (Destroyed) return;
    if (m.Msg == WM_SIZE) {
        SkinData->CacheInvalid = true;
        RepaintFrame();
    }
    if (MayChangeScrollState(m.Msg)) RefreshScrollBars();
    if (m.Msg == WM_ENABLE || m.Msg == CM_ENABLEDCHANGED) {
        SkinData->CacheInvalid = true;
        RepaintFrame();
    }
}

void TqvEditWnd::WindowProc(TMessage& m) {
    if (Destroyed || !SkinData || !SkinLoaded() || m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY) {
        TqvBaseWnd::WindowProc(m);
        return;
    }
    if (m.Msg == SM_ORVENCMD) {
        TqvBaseWnd::WindowProc(m);
        return;
    }
    if (SkinnedMessage(m)) return;
    TqvBaseWnd::WindowProc(m);
    AfterPassOn(m);
}
