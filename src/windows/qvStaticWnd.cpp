#include "windows/qvStaticWnd.h"

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "toolkit/Canvas.h"
#include "windows/qvDialogPaint.h"

namespace {

// The message box's text static: its own drawing inside this rectangle is kept.
constexpr int kKeptWidth = 152, kKeptHeight = 49;
constexpr RECT kKeptRect{30, 6, 120, 41};

} // namespace

void TqvStaticWnd::RebuildFrameCache() {
    RefreshGeometry();
    PaintBaseCache(*SkinData, Handle, PositionInParent, Width, Height);
}

void TqvStaticWnd::PaintContent(Bitmap& cache) {
    TsBitmapDC dc(cache);
    TCanvas canvas(dc.Handle());
    canvas.Brush.Style = bsClear;
    AssignMessageFont(canvas.Font);
    RECT r{0, 0, Width + 4, Height};
    WriteSkinText(canvas, CaptionText, true, false, *SkinData, DT_WORDBREAK | DT_EXPANDTABS, r);
}

void TqvStaticWnd::QuietlyThenRepaint(TMessage& message) {
    SendMessage(Handle, WM_SETREDRAW, 0, 0);
    TqvMainWnd::WindowProc(message);
    if (Destroyed) return;
    SendMessage(Handle, WM_SETREDRAW, 1, 0);
    SendMessage(Handle, WM_PAINT, 0, 0);
}

// A context given with the message (WM_PRINT arrives as such a WM_PAINT) is painted into;
// otherwise the window's client context between BeginPaint and EndPaint.
void TqvStaticWnd::Paint(HDC given) {
    PAINTSTRUCT ps{};
    if (!given) BeginPaint(Handle, &ps);
    RefreshGeometry();
    HDC dc = given ? given : GetDC(Handle);
    if (Width == kKeptWidth && Height == kKeptHeight) {
        TMessage own{WM_PAINT, WPARAM(dc), 0, 0};
        PassOn(own);
        ExcludeClipRect(dc, kKeptRect.left, kKeptRect.top, kKeptRect.right, kKeptRect.bottom);
    }
    SkinData->CacheInvalid = true;
    SendSkinCommand(Handle, SkinCommandWParam(scRepaintFrame), 0);
    Bitmap& cache = SizedCache(*SkinData, Width, Height);
    PaintContent(cache);
    {
        TsBitmapDC source(cache);
        BitBlt(dc, 0, 0, Width, Height, source.Handle(), 0, 0, SRCCOPY);
    }
    if (!given) {
        ReleaseDC(Handle, dc);
        EndPaint(Handle, &ps);
    }
}

void TqvStaticWnd::WindowProc(TMessage& m) {
    // Without a skin the window paints itself, as it did before it was wrapped.
    if (!SkinLoaded()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_ENABLE:
    case WM_CANCELMODE: QuietlyThenRepaint(m); return;
    case WM_SETTEXT:
        SendMessage(Handle, WM_SETREDRAW, 0, 0);
        PassOn(m);
        if (Destroyed) return;
        CaptionText = GetWindowText(Handle);
        SendMessage(Handle, WM_SETREDRAW, 1, 0);
        SkinData->CacheInvalid = true;
        SendMessage(Handle, WM_PAINT, 0, 0);
        return;
    case WM_PAINT:
        if (!IsWindowVisible(Handle)) break;
        Paint(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: m.Result = 1; return;
    case WM_UPDATEUISTATE:
        if (!IsWindowVisible(Handle)) break;
        SendMessage(Handle, WM_SETREDRAW, 0, 0);
        TqvMainWnd::WindowProc(m);
        if (!Destroyed) SendMessage(Handle, WM_SETREDRAW, 1, 0);
        return;
    default: break;
    }
    TqvMainWnd::WindowProc(m);
}
