#include "windows/qvBtnWnd.h"

#include <algorithm>

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "paint/sControlImage.h"
#include "platform/controls/Button.h"
#include "platform/gdi/DrawModes.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinRecords.h"
#include "toolkit/Canvas.h"
#include "toolkit/WinControl.h"

TqvBtnWnd::TqvBtnWnd(HWND handle, const std::string& skinSection, TsSkinManager* manager,
                     TsCommonData* skinData)
    : TqvMainWnd(handle, false, skinSection, manager, skinData) {}

TqvBtnWnd::~TqvBtnWnd() { Unwrap(); }

int TqvBtnWnd::ButtonState() const {
    if (SendMessage(Handle, BM_GETSTATE, 0, 0) & BST_PUSHED) return 2;
    if (!IsWindowEnabled(Handle)) return 0;
    if (GetFocus() == Handle || HotWindow == Handle) return 1;
    const DWORD style = DWORD(GetWindowLongPtr(Handle, GWL_STYLE));
    return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
}

bool TqvBtnWnd::SectionTransparent() const {
    const TsGeneralData* section = SkinData->Section();
    if (!section) return false;
    return section->Transparency > 0 || (HotWindow == Handle && section->HotTransparency > 0);
}

void TqvBtnWnd::PaintCaption(TCanvas& canvas, int state, RECT r, UINT alignment) {
    if (CaptionText.empty()) return;
    const DWORD style = DWORD(GetWindowLongPtr(Handle, GWL_STYLE));
    const UINT breaking = (style & BS_MULTILINE) ? 0 : DT_WORDBREAK;
    if (state == 2) r = OffsetRect(r, 1, 1);
    // Centred vertically by the text's measured height; a broken caption is counted in
    // whole lines of its width.
    const SIZE extent = canvas.TextExtent(CaptionText);
    int lines = 1;
    if (breaking && WidthOf(r) > 0 && extent.cx > WidthOf(r))
        lines = (extent.cx + WidthOf(r) - 1) / WidthOf(r);
    const int textHeight = extent.cy * lines;
    const int textWidth = std::min<int>(extent.cx, WidthOf(r));
    RECT text{r.left, r.top + (HeightOf(r) - textHeight) / 2, r.right, 0};
    text.bottom = text.top + textHeight;
    WriteSkinText(canvas, CaptionText, true, state != 0, *SkinData, alignment | breaking, text);
    const TsGeneralData* section = SkinData->Section();
    if (IsWindowEnabled(Handle) && GetFocus() == Handle && section && section->ShowFocus) {
        RECT focus{};
        if (alignment == DT_CENTER) {
            focus = RECT{r.left + (WidthOf(r) - textWidth) / 2, text.top, 0, text.bottom};
            focus.right = focus.left + textWidth;
        } else {
            focus = RECT{text.left, text.top, text.left + textWidth, text.bottom};
        }
        focus = InflateRect(focus, 1, 1);
        DrawFocusRect(canvas.Handle(), &focus);
    }
}

void TqvBtnWnd::PaintContent(TCanvas& canvas, int state) {
    PaintCaption(canvas, state, RECT{0, 0, Width, Height}, DT_CENTER);
}

void TqvBtnWnd::UpdateCache() {
    const int state = ButtonState();
    RefreshGeometry();
    Bitmap& cache = *SkinData->CacheBitmap;
    if (!SkinData->CacheInvalid && state == cachedState_ && cache.Width() == Width &&
        cache.Height() == Height)
        return;
    if (cache.BitsPerPixel() != 24) cache.SetFormat(24);
    cache.SetSize(std::max(Width, 0), std::max(Height, 0));
    cachedState_ = state;
    SkinData->CacheInvalid = false;
    if (cache.Empty()) return;
    const ParentCacheInfo parent = TsCommonData::QueryParentBackground(Handle);
    RenderSkinItem(*SkinData, parent, true, true, &cache, PositionInParent,
                   RECT{0, 0, Width, Height}, state);
    {
        TsBitmapDC dc(cache);
        if (dc.Handle()) {
            TCanvas canvas(dc.Handle());
            if (TWinControl* c = Control()) canvas.Font = c->Font();
            SetBkMode(dc.Handle(), TRANSPARENT);
            PaintContent(canvas, state);
        }
    }
    if (!IsWindowEnabled(Handle))
        ApplyDisabledLook(cache, dkBlended, SkinData->HostControl, PositionInParent, parent);
}

void TqvBtnWnd::CopyCacheTo(HDC dc) {
    const Bitmap& cache = *SkinData->CacheBitmap;
    if (!dc || cache.Empty()) return;
    TsBitmapDC source(cache);
    if (source.Handle())
        BitBlt(dc, 0, 0, cache.Width(), cache.Height(), source.Handle(), 0, 0, SRCCOPY);
}

void TqvBtnWnd::Paint(TMessage& m) {
    UpdateCache();
    if (m.Msg == WM_PRINT || (m.Msg == WM_PAINT && m.WParam)) {
        CopyCacheTo(reinterpret_cast<HDC>(m.WParam));
    } else {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(Handle, &ps);
        CopyCacheTo(dc);
        EndPaint(Handle, &ps);
    }
    m.Result = 0;
}

void TqvBtnWnd::Redraw() {
    SkinData->CacheInvalid = true;
    if (!IsWindowVisible(Handle)) return;
    InvalidateRect(Handle, nullptr, false);
    UpdateWindow(Handle);
}

void TqvBtnWnd::PassOnAndRedraw(TMessage& m) {
    const bool redraw = IsRedrawEnabled(Handle);
    if (redraw) SendMessage(Handle, WM_SETREDRAW, 0, 0);
    PassOn(m);
    if (Destroyed) return;
    if (redraw) SendMessage(Handle, WM_SETREDRAW, 1, 0);
    Redraw();
}

void TqvBtnWnd::TrackMouse(const TMessage& m) {
    RECT client{};
    GetClientRect(Handle, &client);
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (PtInRect(client, p)) {
        if (HotWindow != Handle) {
            BecomeHot();
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = Handle;
            TrackMouseEvent(&track);
        }
    } else {
        GiveUpHot();
    }
}

void TqvBtnWnd::WindowProc(TMessage& m) {
    if (Destroyed || !SkinData || !SkinLoaded() || !SkinData->SkinActive()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT: Paint(m); return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_UPDATEUISTATE: m.Result = 1; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (IsWindowEnabled(Handle)) {
            PassOnAndRedraw(m);
            return;
        }
        break;
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTATE:
        if (IsWindowVisible(Handle)) {
            PassOnAndRedraw(m);
            if (m.Msg == WM_SETTEXT && !Destroyed) CaptionText = GetWindowText(Handle);
            return;
        }
        break;
    case WM_MOVE:
        PassOn(m);
        if (!Destroyed && SectionTransparent()) Redraw();
        return;
    case WM_MOUSEMOVE:
        TrackMouse(m);
        PassOn(m);
        return;
    case WM_MOUSELEAVE:
        GiveUpHot();
        PassOn(m);
        return;
    case SM_ORVENCMD:
        if (SkinCommandCode(m.WParam) == scMouseEntered ||
            SkinCommandCode(m.WParam) == scMouseLeft) {
            Redraw();
            return;
        }
        break;
    default: break;
    }
    TqvMainWnd::WindowProc(m);
}
