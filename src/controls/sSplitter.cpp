#include "controls/sSplitter.h"

#include "controls/sHintSlot.h"
#include "paint/sBitmapDC.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "skin/sVclUtils.h"
#include "toolkit/Application.h"
#include "toolkit/WinControl.h"

TsSplitter::TsSplitter(TComponent* owner)
    : TSplitter(owner), SkinData(std::make_unique<TsCommonData>(this, false)) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks);
    SetWidth(6);
    SkinData->ControlKind = 75;
    SkinData->Loaded();
}

TsSplitter::~TsSplitter() {
    if (holdsHints_) TsHintSlot::Release();
    Destroying();
}

void TsSplitter::Loaded() {
    TSplitter::Loaded();
    SkinData->Loaded();
}

int TsSplitter::PaintState() const {
    if (dragging_ && ResizeStyle() == rsUpdate) return 2;
    return SkinData->IsHot() ? 1 : 0;
}

void TsSplitter::Paint() {
    if (!SkinData->SkinActive()) {
        TSplitter::Paint();
        return;
    }
    SkinData->SizeCacheBitmap();
    Bitmap* cache = SkinData->CacheBitmap.get();
    if (cache && !cache->Empty()) {
        RenderSkinItem(*SkinData, SkinData->QueryParentBackground(), true, true, cache,
                       POINT{Left(), Top()}, ClientRect(), PaintState());
        TsBitmapDC source(*cache);
        BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), source.Handle(), 0, 0, SRCCOPY);
    }
    SkinData->CacheBitmap.reset();
    if (Designing()) {
        TCanvas& canvas = Canvas();
        canvas.Pen.Mode = pmXor;
        canvas.Pen.Color = TColor(0xFFD8CE);
        canvas.Pen.Style = PS_DOT;
        canvas.Brush.Style = bsClear;
        const int w = ClientWidth() - 1, h = ClientHeight() - 1;
        const POINT outline[5] = {{0, 0}, {w, 0}, {w, h}, {0, h}, {0, 0}};
        canvas.Polyline(outline, 5);
        canvas.Pen.Mode = pmCopy;
        canvas.Brush.Style = bsSolid;
    }
    if (OnPaint) OnPaint(this);
}

// A neighbour collapsed to nothing sits at the splitter's edge, so the drag finds it.
void TsSplitter::SnapCollapsedNeighbours() {
    if (!AutoSnap() || !Parent()) return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this) continue;
        if (Align() == alTop && c->Height() == 0) c->SetTop(Top());
        if (Align() == alLeft && c->Width() == 0) c->SetLeft(Left());
    }
}

void TsSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!holdsHints_) holdsHints_ = TsHintSlot::Hold();
    SnapCollapsedNeighbours();
    TSplitter::MouseDown(button, shift, x, y);
    dragging_ = true;
    if (ResizeStyle() == rsUpdate) Repaint();
}

void TsSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TSplitter::MouseUp(button, shift, x, y);
    dragging_ = false;
    if (ResizeStyle() == rsUpdate) Repaint();
    if (holdsHints_) {
        TsHintSlot::Release();
        holdsHints_ = false;
    }
}

bool TsSplitter::SkinCommand(TMessage& m) {
    if (m.Msg != SM_ORVENCMD) return false;
    const unsigned code = SkinCommandCode(m.WParam);
    if (code == scIsSkinned) {
        m.LParam = m.Result = 1;
        return true;
    }
    if (code == scGetApplication) {
        m.Result = LRESULT(Application);
        return true;
    }
    if (m.LParam != LPARAM(SkinData->GetSkinManager())) return false;
    if (code == scSkinLoaded) {
        SkinData->HandleMessage(m);
        return true;
    }
    if (code == scRemoveSkin || code == scRefresh) {
        SkinData->HandleMessage(m);
        Repaint();
        return true;
    }
    return false;
}

bool TsSplitter::BeforeSkinned(TMessage& m) {
    switch (m.Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case CM_BOUNDSCHANGED:
    case WM_MOUSEWHEEL:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED: SkinData->CacheInvalid = true; return false;
    case WM_ERASEBKGND:
    case WM_NCPAINT: m.Result = 1; return true;
    case SM_ORVENCMD:
        if (SkinCommandCode(m.WParam) == scRepaintNow && SkinData->IsUpdating()) {
            SkinData->UpdateLock = false;
            Invalidate();
            return true;
        }
        return false;
    default: return false;
    }
}

void TsSplitter::AfterSkinned(const TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (SkinData->Focused || Designing()) return;
        SkinData->MouseOver = m.Msg == CM_MOUSEENTER;
        break;
    case WM_SETFOCUS:
    case CM_ENTER:
        SkinData->Focused = true;
        SkinData->MouseOver = false;
        break;
    case WM_KILLFOCUS:
    case CM_EXIT:
        SkinData->Focused = false;
        SkinData->MouseOver = false;
        break;
    default: return;
    }
    SkinData->CacheInvalid = true;
    Repaint();
}

void TsSplitter::WndProc(TMessage& m) {
    if (SkinCommand(m)) return;
    if (!IsReadyToRepaint(this) || !SkinData->SkinActive()) {
        TSplitter::WndProc(m);
        return;
    }
    if (BeforeSkinned(m)) return;
    if (SkinData->HandleMessage(m)) return;
    TSplitter::WndProc(m);
    AfterSkinned(m);
}
