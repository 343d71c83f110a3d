#include "controls/sPanel.h"

#include "paint/sBitmapDC.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"
#include "toolkit/Application.h"

namespace {
// RedrawWindow flags of an immediate full redraw: invalidate, erase, frame, all children and
// update now.
constexpr UINT kRedrawNow = 0x585;
} // namespace

TsPanel::TsPanel(TComponent* owner)
    : TPanel(owner), SkinData(std::make_unique<TsCommonData>(this, true)) {
    SetControlStyle(ControlStyle() | csOpaque);
    SkinData->ControlKind = 51;
    SkinData->Loaded();
}

TsPanel::~TsPanel() { Destroying(); }

void TsPanel::Loaded() {
    TPanel::Loaded();
    SkinData->Loaded();
}

bool TsPanel::OursCommand(const TMessage& m) const {
    return m.LParam == LPARAM(SkinData->GetSkinManager());
}

// The skin data forwards loads, removals and refreshes to the children itself (whatever the
// manager), so the panel adds only its own repainting.
bool TsPanel::HandleSkinChange(TMessage& m) {
    if (m.Msg != SM_ORVENCMD) return false;
    switch (SkinCommandCode(m.WParam)) {
    case scSkinLoaded: SkinData->HandleSkinCommand(m); return true;
    case scRemoveSkin:
        SkinData->HandleSkinCommand(m);
        if (OursCommand(m)) Invalidate();
        return true;
    case scRefresh:
        SkinData->HandleSkinCommand(m);
        if (OursCommand(m)) Repaint();
        return true;
    case scIsSkinned: m.LParam = m.Result = 1; return true;
    case scGetApplication: m.Result = LRESULT(Application); return true;
    default: return false;
    }
}

void TsPanel::WndProc(TMessage& m) {
    if (HandleSkinChange(m)) return;
    if (!IsReadyToRepaint(this) || !SkinData->SkinActive())
        PlainMessage(m);
    else
        SkinnedMessage(m);
}

void TsPanel::PlainMessage(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND && OnPaint) {
        m.Result = 1;
        return;
    }
    if (m.Msg == WM_PRINT) {
        // The handler draws straight into the context the print request carries.
        if (OnPaint && m.WParam) {
            Canvas().SetHandle(reinterpret_cast<HDC>(m.WParam));
            Canvas().Font = Font();
            OnPaint(this, Canvas());
            Canvas().SetHandle(nullptr);
        }
        return;
    }
    TPanel::WndProc(m);
}

void TsPanel::SkinnedMessage(TMessage& m) {
    switch (m.Msg) {
    case SM_ORVENCMD:
        if (SkinCommandCode(m.WParam) == scRepaintNow) {
            if (SkinData->IsUpdating()) {
                SkinData->UpdateLock = false;
                RedrawWindow(Handle(), nullptr, nullptr, kRedrawNow);
            }
        } else if (SkinCommandCode(m.WParam) == scIsNotReady) {
            m.LParam = m.Result = (SkinData->CacheInvalid || SkinData->IsUpdating()) ? 1 : 0;
        } else {
            SkinData->HandleMessage(m);
        }
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: TPanel::WndProc(m); return;
    case WM_PAINT:
        if (Visible() || Designing())
            PaintSkinned(m);
        else
            TPanel::WndProc(m);
        return;
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_PRINT: PrintSkinned(m); return;
    case CM_VISIBLECHANGED:
        SkinData->CacheInvalid = true;
        SkinData->UpdateLock = false;
        TPanel::WndProc(m);
        return;
    case CM_TEXTCHANGED:
        if (Parent()) SkinData->Invalidate();
        return;
    default: break;
    }
    if (SkinData->HandleMessage(m)) return;
    TPanel::WndProc(m);
    if ((m.Msg == WM_SETFONT || m.Msg == CM_FONTCHANGED) && !Caption().empty()) {
        SkinData->CacheInvalid = true;
        Repaint();
    } else if (m.Msg == CM_ENABLEDCHANGED) {
        SkinData->Invalidate();
    }
}

// The whole window is repainted from the window's own context, not the clipped one that
// begin-paint gives, so the cache lands complete.
void TsPanel::PaintSkinned(const TMessage& m) {
    const HWND window = Handle();
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    const HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : GetDC(window);
    if (dc) {
        const int saved = SaveDC(dc);
        Canvas().SetHandle(dc);
        Canvas().Font = Font();
        PresentCache(dc, true);
        Canvas().SetHandle(nullptr);
        RestoreDC(dc, saved);
        if (!m.WParam) ReleaseDC(window, dc);
    }
    EndPaint(window, &ps);
}

void TsPanel::PrintSkinned(const TMessage& m) {
    SkinData->UpdateLock = false;
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (SkinData->CacheInvalid) ComposeLook();
    FillAllCorners(*SkinData, 0);
    PresentCache(dc, false);
}

void TsPanel::PaintWindow(HDC dc) {
    TPanel::PaintWindow(dc);
    PresentCache(dc, true);
}

void TsPanel::Paint() {
    if (SkinData->SkinActive() || !OnPaint) {
        TPanel::Paint();
        return;
    }
    if (Loading() && Visible()) return;
    OnPaint(this, Canvas());
}

void TsPanel::PresentCache(HDC dc, bool notifyChildren) {
    if (IsDestroying() || !SkinData || !SkinData->SkinActive()) return;
    if (Parent() && (Parent()->ComponentState() & csReading)) return;
    SkinData->UpdateLock = SkinData->IsUpdating();
    if (SkinData->UpdateLock) return;
    const bool rebuild = SkinData->CacheInvalid || SkinData->CacheIncomplete;
    if (!dc) dc = Canvas().Handle();
    if (SkinData->NeedsParentImage()) {
        RECT clip{};
        GetClipBox(dc, &clip);
        SkinData->CacheIncomplete = WidthOf(clip) != Width() || HeightOf(clip) != Height();
    } else {
        SkinData->CacheIncomplete = false;
    }
    if (rebuild) ComposeLook();
    CopyCacheToDC(this, *SkinData, POINT{0, 0}, 0, 0, true, dc, RECT{0, 0, Width(), Height()});
    PaintGraphicChildren(dc, this, POINT{0, 0});
    if (notifyChildren) RepaintChildren(this);
}

RECT TsPanel::CaptionRect() const {
    int bevels = 0;
    if (BevelInner() != bvNone) ++bevels;
    if (BevelOuter() != bvNone) ++bevels;
    const int inset = BorderWidth() + BevelWidth() * bevels;
    return InflateRect(ClientRect(), -inset, -inset);
}

void TsPanel::ComposeLook() {
    SkinData->SizeCacheBitmap();
    const ParentCacheInfo parentCache = SkinData->QueryParentBackground();
    RenderSkinItem(*SkinData, parentCache, false, false, SkinData->CacheBitmap.get(),
                   POINT{Left(), Top()}, RECT{0, 0, Width(), Height()}, 0);
    WriteCaptionToCache(CaptionRect());
    if (OnPaint && SkinData->CacheBitmap && !SkinData->CacheBitmap->Empty()) {
        TsBitmapDC cacheDC(*SkinData->CacheBitmap);
        TCanvas canvas(cacheDC.Handle());
        canvas.Font = Font();
        OnPaint(this, canvas);
    }
    SkinData->CacheInvalid = false;
}

void TsPanel::WriteCaptionToCache(RECT r) {
    if (Caption().empty() || !SkinData->CacheBitmap || SkinData->CacheBitmap->Empty()) return;
    TsBitmapDC cacheDC(*SkinData->CacheBitmap);
    TCanvas canvas(cacheDC.Handle());
    canvas.Font = Font();
    canvas.Brush.Style = bsClear;
    const int height = canvas.TextHeight("W");
    r.top = (r.top + r.bottom - height) / 2;
    r.bottom = r.top + height;
    const UINT flags = TextFlagsFor(this, Alignment()) | DT_NOPREFIX;
    WriteSkinText(canvas, Caption(), Enabled(), false, *SkinData, flags, r);
}
