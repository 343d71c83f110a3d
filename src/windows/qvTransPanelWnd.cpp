#include "windows/qvTransPanelWnd.h"

#include "paint/sCommonData.h"
#include "skin/sMessages.h"
#include "windows/qvDialogPaint.h"

void TqvTransPanelWnd::RebuildFrameCache() {
    RefreshGeometry();
    PaintBaseCache(*SkinData, Handle, PositionInParent, Width, Height);
}

void TqvTransPanelWnd::PaintBackground() {
    RefreshGeometry();
    PAINTSTRUCT ps{};
    BeginPaint(Handle, &ps);
    HDC dc = GetWindowDC(Handle);
    SkinData->CacheInvalid = true;
    SendSkinCommand(Handle, SkinCommandWParam(scRepaintFrame), 0);
    SizedCache(*SkinData, Width, Height);
    CopyCacheToDC(Handle, *SkinData, POINT{0, 0}, 0, 0, false, dc, RECT{0, 0, Width, Height});
    ReleaseDC(Handle, dc);
    EndPaint(Handle, &ps);
}

void TqvTransPanelWnd::WindowProc(TMessage& m) {
    // Without a skin the window paints itself, as it did before it was wrapped.
    if (!SkinLoaded()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_ERASEBKGND:
        PaintBackground();
        m.Result = 1;
        return;
    case WM_NCPAINT: m.Result = 0; return;
    default: TqvMainWnd::WindowProc(m);
    }
}
