#include "controls/sCoolBar.h"

#include <algorithm>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sSkinItems.h"
#include "platform/controls/CoolBar.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Canvas.h"
#include "toolkit/Messages.h"

namespace {

// The grip width of the window's bands (the common controls of version 4.71 on).
constexpr int kGripSize = 9;

} // namespace

TsCoolBar::TsCoolBar(TComponent* owner)
    : TCoolBar(owner), SkinData(std::make_unique<TsCommonData>(this, true)) {
    SkinData->ControlKind = 53;
    SkinData->Loaded();
    // A bar made in code after the skin was loaded hears no Loaded: find the grip now.
    LookUpGripSection();
}

TsCoolBar::~TsCoolBar() { Destroying(); }

void TsCoolBar::Loaded() {
    TCoolBar::Loaded();
    SkinData->Loaded();
    LookUpGripSection();
}

// The bar lies horizontally (the plain cool bar has no vertical form).
void TsCoolBar::LookUpGripSection() {
    const TsSkinManager* manager = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (!manager || !SkinData->SkinActive(false)) {
        gripIndex_ = gripMaskIndex_ = gripTextureIndex_ = -1;
        return;
    }
    gripName_ = "GRIPH";
    gripIndex_ = manager->GetSectionIndex(gripName_);
    if (gripIndex_ < 0) {
        gripName_ = "PROGRESSV";
        gripIndex_ = manager->GetSectionIndex(gripName_);
        gripMaskIndex_ = manager->FindImageEntryIndex(gripName_, "BORDERSMASK");
        return;
    }
    gripMaskIndex_ = manager->FindImageEntryIndex(gripName_, "BORDERSMASK");
    gripTextureIndex_ = manager->GetTextureImageIndex(gripIndex_, gripName_, "PATTERN");
}

POINT TsCoolBar::ClientOffset() const {
    if (!const_cast<TsCoolBar*>(this)->HandleAllocated()) return POINT{0, 0};
    const HWND hwnd = const_cast<TsCoolBar*>(this)->Handle();
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    return POINT{origin.x - wr.left, origin.y - wr.top};
}

void TsCoolBar::ComposeLook() {
    SkinData->SizeCacheBitmap();
    const ParentCacheInfo parent = SkinData->QueryParentBackground();
    RenderSkinItem(*SkinData, parent, false, false, SkinData->CacheBitmap.get(),
                   POINT{Left(), Top()}, RECT{0, 0, Width(), Height()}, 0);
    SkinData->CacheInvalid = false;
}

// ---- Band headers

int TsCoolBar::GripSize(const TCoolBand& band) const { return band.FixedSize ? 0 : kGripSize; }

bool TsCoolBar::ShowsHeader(const TCoolBand& band) {
    TWinControl* control = BandControl(band);
    if (!control) return false;
    return (band.Visible && control->Visible()) || Designing();
}

int TsCoolBar::BandHeight(int index) {
    const TCoolBand& band = Band(index);
    const int shown = WindowIndex(index);
    RECT r{};
    if (HandleAllocated() && shown >= 0 &&
        SendMessage(Handle(), RB_GETRECT, WPARAM(shown), LPARAM(&r)) && HeightOf(r) > 0)
        return HeightOf(r);
    return band.MinHeight;
}

int TsCoolBar::HeaderWidth(const TCoolBand& band) {
    int width = 0;
    const bool hasText = !band.Text.empty();
    if (hasText) {
        TCanvas canvas;
        const HDC dc = CreateCompatibleDC(nullptr);
        canvas.SetHandle(dc);
        canvas.Font = Font();
        width = canvas.TextWidth(band.Text);
        canvas.SetHandle(nullptr);
        DeleteDC(dc);
    }
    const TImageList* images = Images();
    if (band.ImageIndex >= 0) {
        if (hasText) width += 2;
        if (images)
            width += images->Width();
        else if (!hasText)
            width += 4;
    }
    if (hasText || images) width += 4;
    return width + GripSize(band);
}

RECT TsCoolBar::BandHeaderRect(int index) {
    if (index < 0 || index >= BandCount()) return RECT{};
    const TCoolBand& band = Band(index);
    if (!ShowsHeader(band)) return RECT{};
    const TControl* control = BandControl(band);
    const int hw = HeaderWidth(band), height = BandHeight(index);
    const int x0 = control->Left() - hw;
    const int y0 = std::min(control->Top() - (height - control->Height()) / 2, control->Top());
    return RECT{x0, y0, x0 + hw, y0 + height};
}

void TsCoolBar::RenderBandHeaders(HDC dc) {
    const Bitmap* cache = SkinData->CacheBitmap.get();
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (!dc || !cache || cache->Empty() || !manager) return;
    const POINT co = ClientOffset();
    TsBitmapDC cacheDC(*cache);
    for (int i = 0; i < BandCount(); ++i) {
        const RECT header = BandHeaderRect(i);
        if (IsRectEmpty(header)) continue;
        const TCoolBand& band = Band(i);
        const int w = WidthOf(header), h = HeightOf(header), g = GripSize(band);
        auto work = NewBitmap24(w, h);
        TsBitmapDC workDC(*work);
        BitBlt(workDC.Handle(), 0, 0, w, h, cacheDC.Handle(), header.left + co.x, header.top + co.y,
               SRCCOPY);
        if (gripIndex_ >= 0 && g > 2) {
            const ParentCacheInfo parent{cache, co.x, co.y, true};
            RenderSectionItem(gripIndex_, gripName_, parent, -1, gripTextureIndex_, manager, *work,
                              POINT{header.left, header.top}, RECT{0, 0, g - 2, h}, false, true);
        }
        RECT text{g, 0, w, h};
        if (const TImageList* images = Images();
            images && band.ImageIndex >= 0 && band.ImageIndex < images->Count()) {
            images->Draw(workDC.Handle(), g, (h - images->Height()) / 2, band.ImageIndex);
            text.left += images->Width() + 2;
        }
        if (!band.Text.empty()) {
            TCanvas canvas;
            canvas.SetHandle(workDC.Handle());
            canvas.Font = Font();
            WriteSkinText(canvas, band.Text, true, false, *SkinData,
                          DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER, text);
            canvas.SetHandle(nullptr);
        }
        BitBlt(dc, header.left, header.top, w, h, workDC.Handle(), 0, 0, SRCCOPY);
    }
}

// ---- Presenting the cache

void TsCoolBar::PresentCache(HDC dc, bool notifyChildren) {
    if (IsDestroying() || !SkinData || !SkinData->SkinActive(false)) return;
    const TsSkinManager* manager = SkinData->GetSkinManager();
    if (!manager || !manager->SkinData.Loaded) return;
    SkinData->UpdateLock = SkinData->IsUpdating();
    if (SkinData->UpdateLock) return;
    const bool rebuild = SkinData->CacheIncomplete || SkinData->CacheInvalid;
    if (SkinData->NeedsParentImage() && Parent()) {
        const RECT pc = Parent()->ClientRect();
        const POINT a{Left() + 1, Top() + 1}, b{Left() + Width() - 1, Top() + Height() - 1};
        SkinData->CacheIncomplete = !PtInRect(pc, a) || !PtInRect(pc, b);
    } else {
        // Nothing of the parent shows through: one rebuild completes the cache, which is
        // not composed again on every paint.
        SkinData->CacheIncomplete = false;
    }
    if (rebuild) ComposeLook();
    FillAllCorners(*SkinData, 0);
    if (!dc) return;
    const int saved = SaveDC(dc);
    for (int i = 0; i < BandCount(); ++i) {
        const RECT header = BandHeaderRect(i);
        if (!IsRectEmpty(header))
            ExcludeClipRect(dc, header.left, header.top, header.right, header.bottom);
    }
    const RECT client = ClientRect();
    CopyCacheToDC(this, *SkinData, ClientOffset(), 0, 0, false, dc,
                  RECT{0, 0, WidthOf(client), HeightOf(client)});
    RestoreDC(dc, saved);
    PaintGraphicChildren(dc, this, POINT{0, 0});
    RenderBandHeaders(dc);
    if (notifyChildren) RepaintChildren(this);
}

// The four strips of the frame around the client area, from the same places of the cache.
void TsCoolBar::CopyBorderStrips(HDC dc) {
    const Bitmap* cache = SkinData->CacheBitmap.get();
    if (!dc || !cache || cache->Empty()) return;
    const POINT co = ClientOffset();
    const RECT client = ClientRect();
    const int cw = WidthOf(client), ch = HeightOf(client), w = Width(), h = Height();
    if (cw == w && ch == h) return;
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, co.x, co.y, co.x + cw, co.y + ch);
    const RECT strips[] = {
        {0, 0, w, co.y},
        {0, co.y, co.x, ch},
        {0, co.y + ch, w, h - ch - co.y},
        {co.x + cw, co.y, w - co.x - cw, ch},
    };
    TsBitmapDC source(*cache);
    for (const RECT& s : strips) // (x, y, width, height)
        if (s.right > 0 && s.bottom > 0)
            BitBlt(dc, s.left, s.top, s.right, s.bottom, source.Handle(), s.left, s.top, SRCCOPY);
    RestoreDC(dc, saved);
}

void TsCoolBar::PaintNonClient() {
    if (!HandleAllocated() || SkinData->IsUpdating()) return;
    if (SkinData->CacheInvalid) ComposeLook();
    const HDC dc = GetWindowDC(Handle());
    CopyBorderStrips(dc);
    ReleaseDC(Handle(), dc);
}

void TsCoolBar::PrintSkinned(HDC dc) {
    if (!dc) return;
    SkinData->UpdateLock = false;
    if (SkinData->CacheInvalid) ComposeLook();
    CopyBorderStrips(dc);
    const POINT co = ClientOffset();
    const RECT client = ClientRect();
    const int saved = SaveDC(dc);
    POINT old{};
    GetViewportOrgEx(dc, &old);
    SetViewportOrgEx(dc, old.x + co.x, old.y + co.y, nullptr);
    IntersectClipRect(dc, 0, 0, WidthOf(client), HeightOf(client));
    PresentCache(dc, true);
    POINT inner{};
    GetViewportOrgEx(dc, &inner);
    for (int i = 0; i < BandCount(); ++i) {
        TWinControl* control = BandControl(Band(i));
        if (!control) continue;
        const int one = SaveDC(dc);
        SetViewportOrgEx(dc, inner.x + control->Left(), inner.y + control->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        // Printed rather than painted, so that a control with a frame (the tool bar) brings
        // its frame and puts its client area inside it.
        control->Perform(WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_CLIENT);
        RestoreDC(dc, one);
    }
    RestoreDC(dc, saved);
}

void TsCoolBar::PaintSkinned(TMessage& m) {
    if (!HandleAllocated()) return;
    const HWND hwnd = Handle();
    PAINTSTRUCT ps{};
    const HDC began = BeginPaint(hwnd, &ps);
    const HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : began;
    if (dc) {
        const int saved = SaveDC(dc);
        PresentCache(dc, true);
        RestoreDC(dc, saved);
    }
    EndPaint(hwnd, &ps);
    m.Result = 0;
}

void TsCoolBar::SendNcPaint() {
    if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

void TsCoolBar::RepaintWhole() {
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, false);
}

// ---- Messages

bool TsCoolBar::SkinCommand(TMessage& m) {
    const bool ours = m.LParam == LPARAM(SkinData->GetSkinManager());
    switch (SkinCommandCode(m.WParam)) {
    case scSkinLoaded:
        // The skin data passes it on to the children before it looks up its section.
        SkinData->HandleMessage(m);
        if (ours) LookUpGripSection();
        break;
    case scRemoveSkin:
        SkinData->HandleMessage(m); // and on to the children
        if (ours) {
            LookUpGripSection();
            if (HandleAllocated())
                RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
        }
        break;
    case scRefresh:
        SkinData->HandleMessage(m);
        if (ours) {
            LookUpGripSection();
            RepaintWhole();
            SendNcPaint();
        }
        break;
    case scGetCache: {
        const Bitmap* cache = SkinData->SkinActive(false) ? SkinData->CacheBitmap.get() : nullptr;
        const POINT co = ClientOffset();
        ParentCacheAnswer = ParentCacheInfo{cache, co.x, co.y, cache && !cache->Empty()};
        m.Result = 0;
        break;
    }
    case scIsSkinned: m.LParam = m.Result = 1; break;
    case scRepaintNow:
        if (SkinData->IsUpdating()) {
            SkinData->UpdateLock = false;
            RepaintWhole();
            SendNcPaint();
        }
        break;
    case scIsNotReady:
        m.LParam = m.Result = (SkinData->CacheInvalid || SkinData->IsUpdating()) ? 1 : 0;
        break;
    case scGetApplication: m.Result = LRESULT(Application); break;
    default: SkinData->HandleSkinCommand(m); break;
    }
    return true;
}

void TsCoolBar::WndProc(TMessage& m) {
    if (m.Msg == SM_ORVENCMD && SkinData && !IsDestroying()) {
        SkinCommand(m);
        return;
    }
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS || IsDestroying() || !SkinData) {
        TCoolBar::WndProc(m);
        return;
    }
    const bool skinned = SkinData->SkinActive(false);
    if (skinned) {
        switch (m.Msg) {
        case WM_PAINT: PaintSkinned(m); return;
        case WM_ERASEBKGND: m.Result = 1; return;
        case WM_NCPAINT: PaintNonClient(); return;
        case WM_PRINT: PrintSkinned(reinterpret_cast<HDC>(m.WParam)); return;
        case CM_VISIBLECHANGED:
            SkinData->CacheInvalid = true;
            if (!SkinData->IsUpdating()) RepaintWhole();
            TCoolBar::WndProc(m);
            return;
        default: break;
        }
    }
    if (SkinData->HandleMessage(m)) return;
    TCoolBar::WndProc(m);
    if (skinned && m.Msg == WM_SIZE) {
        SkinData->CacheInvalid = true;
        SendNcPaint();
    }
}
