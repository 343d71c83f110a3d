#include "windows/qvGroupBoxWnd.h"

#include "paint/sCommonData.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysColors.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/WinControl.h"
#include "windows/qvDialogPaint.h"

HFONT TqvGroupBoxWnd::CaptionFont() const {
    if (const TWinControl* control = Control()) return control->Font().Handle();
    return reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0));
}

RECT TqvGroupBoxWnd::CaptionBand() const {
    RECT window{};
    GetWindowRect(Handle, &window);
    return CaptionBandRect(MeasureCaption(CaptionFont(), CaptionText), WidthOf(window));
}

TColor TqvGroupBoxWnd::ParentPlainColor() const {
    const TWinControl* control = Control();
    if (control && control->Parent()) return GetParentBgColor(control->Parent());
    ParentBgColor = KeyColor;
    if (ParentWindow) SendSkinCommand(ParentWindow, SkinCommandWParam(scGetBgColor), 0);
    TColor color = ParentBgColor;
    ParentBgColor = KeyColor;
    // A parent that knows no colour of its own shows the dialog face colour.
    if (color == KeyColor) color = TColor(GetSysColor(COLOR_BTNFACE));
    return color;
}

void TqvGroupBoxWnd::RebuildCache() {
    if (!SkinData->CacheInvalid) return;
    TqvGroupBoxLook look;
    look.Caption = CaptionText;
    look.Font = CaptionFont();
    look.Enabled = IsWindowEnabled(Handle);
    look.PositionInParent = PositionInParent;
    const ParentCacheInfo parentCache = TsCommonData::QueryParentBackground(Handle);
    if (!parentCache.Usable) look.ParentColor = ParentPlainColor();
    band_ = PaintGroupBoxCache(*SkinData, parentCache, look, Width, Height);
}

void TqvGroupBoxWnd::Paint(HDC given, bool beginPaint) {
    RefreshGeometry();
    PAINTSTRUCT ps{};
    if (beginPaint) BeginPaint(Handle, &ps);
    SkinData->UpdateLock = WindowPaintHeld(*SkinData, Handle);
    if (!SkinData->UpdateLock) {
        ParentCacheAnswer = ParentCacheInfo{};
        HDC dc = given ? given : GetWindowDC(Handle);
        RebuildCache();
        if (DialogMode) {
            const TsSkinManager* manager = Manager();
            const int border = SkinData->BorderMaskIndex;
            const int wl = manager ? manager->GetMaskWL(border) : 0;
            const int wr = manager ? manager->GetMaskWR(border) : 0;
            const int wb = manager ? manager->GetMaskWB(border) : 0;
            ExcludeClipRect(dc, wl, HeightOf(band_), Width - wr, Height - wb);
        }
        CopyCacheToDC(Handle, *SkinData, POINT{0, 0}, 0, 0, false, dc, RECT{0, 0, Width, Height});
        if (TWinControl* control = Control()) PaintGraphicChildren(dc, control, POINT{0, 0});
        if (!given) ReleaseDC(Handle, dc);
        RepaintChildWindows(Handle);
    }
    if (beginPaint) EndPaint(Handle, &ps);
}

bool TqvGroupBoxWnd::SkinCommand(TMessage& m) {
    if (SkinCommandCode(m.WParam) == scGetCaptionHeight) {
        m.Result = HeightOf(CaptionBand());
        return true;
    }
    return TqvMainWnd::SkinCommand(m);
}

void TqvGroupBoxWnd::WindowProc(TMessage& m) {
    // Without a skin the window paints itself, as it did before it was wrapped.
    if (!SkinLoaded()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_SIZE: SkinData->CacheInvalid = true; break;
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_PAINT:
        if (DialogMode) {
            // The window paints itself, its frame included, after its WM_NCPAINT: the skinned
            // strips and band go over that again, the interior left as the window drew it.
            TqvMainWnd::WindowProc(m);
            if (!Destroyed) Paint(reinterpret_cast<HDC>(m.WParam), false);
            return;
        }
        Paint(m.LParam == 1 ? reinterpret_cast<HDC>(m.WParam) : nullptr, m.WParam == 0);
        m.Result = 0;
        return;
    case WM_PRINT:
        if (DialogMode) break;
        SkinData->CacheInvalid = true;
        m.LParam = 1;
        Paint(reinterpret_cast<HDC>(m.WParam), false);
        break;
    case WM_NCPAINT:
        if (!DialogMode) break;
        TqvMainWnd::WindowProc(m);
        // The window's own frame is covered; its interior stays as the dialog drew it. No
        // BeginPaint here: that would take the update away from the window's own painting.
        if (!Destroyed) Paint(nullptr, false);
        return;
    default: break;
    }
    TqvMainWnd::WindowProc(m);
}
