#include "windows/qvSizerWnd.h"

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "windows/qvDialogPaint.h"
#include "windows/qvHotWindow.h"

void TqvSizerWnd::RebuildFrameCache() {
    RefreshGeometry();
    PaintBaseCache(*SkinData, Handle, PositionInParent, Width, Height);
}

void TqvSizerWnd::Paint(HDC given) {
    PAINTSTRUCT ps{};
    if (!given) BeginPaint(Handle, &ps);
    HDC dc = given ? given : GetDC(Handle);
    SkinData->CacheInvalid = true;
    SendSkinCommand(Handle, SkinCommandWParam(scRepaintFrame), 0);
    Bitmap& cache = SizedCache(*SkinData, Width, Height);
    {
        TsBitmapDC source(cache);
        BitBlt(dc, 0, 0, cache.Width(), cache.Height(), source.Handle(), 0, 0, SRCCOPY);
    }
    if (given) return;
    ReleaseDC(Handle, dc);
    EndPaint(Handle, &ps);
}

void TqvSizerWnd::WindowProc(TMessage& m) {
    // Without a skin the window paints itself, as it did before it was wrapped.
    if (!SkinLoaded()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_PAINT:
        RefreshGeometry();
        Paint(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_NCPAINT: m.Result = 0; return;
    default: break;
    }
    TqvMainWnd::WindowProc(m);
    if (m.Msg != WM_NCHITTEST || Destroyed) return;
    if (IsWindowEnabled(Handle)) ClearHotWindow(Manager());
    m.Result = HTBOTTOMRIGHT;
}
