#include "windows/qvCheckBoxWnd.h"

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "platform/controls/Button.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "windows/qvDialogPaint.h"
#include "windows/qvHotWindow.h"

namespace {

// The style of the check box being painted; read at the start of every paint.
DWORD g_paintedStyle = 0;

} // namespace

void TqvCheckBoxWnd::Paint(HDC given) {
    g_paintedStyle = DWORD(GetWindowLong(Handle, GWL_STYLE));
    RefreshGeometry();
    const ParentCacheInfo parentCache = TsCommonData::QueryParentBackground(Handle);
    PAINTSTRUCT ps{};
    if (!given) BeginPaint(Handle, &ps);
    if (IsWindowVisible(Handle) || given) {
        HDC dc = given ? given : GetDC(Handle);
        const bool focused = GetFocus() == Handle;
        TqvCheckBoxLook look;
        look.CheckBox = IsCheckBoxStyle(g_paintedStyle);
        look.CheckState = CheckStateOf(SendMessage(Handle, BM_GETCHECK, 0, 0));
        look.ButtonState =
            CheckButtonState(SendMessage(Handle, BM_GETSTATE, 0, 0), focused, IsHotWindow(Handle));
        look.Focused = focused;
        look.Enabled = IsWindowEnabled(Handle);
        look.MultiLine = (g_paintedStyle & BS_MULTILINE) != 0;
        look.Caption = CaptionText;
        look.Font = reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0));
        look.PositionInParent = PositionInParent;
        SkinData->CacheInvalid = true;
        PaintCheckBoxCache(*SkinData, parentCache, look, Width, Height);
        {
            TsBitmapDC source(*SkinData->CacheBitmap);
            BitBlt(dc, 0, 0, Width, Height, source.Handle(), 0, 0, SRCCOPY);
        }
        if (!given) ReleaseDC(Handle, dc);
    }
    if (!given) EndPaint(Handle, &ps);
}

void TqvCheckBoxWnd::QuietlyThenRepaint(TMessage& m) {
    SendMessage(Handle, WM_SETREDRAW, 0, 0);
    TqvMainWnd::WindowProc(m);
    if (Destroyed) return;
    SendMessage(Handle, WM_SETREDRAW, 1, 0);
    SendMessage(Handle, WM_PAINT, 0, 0);
}

void TqvCheckBoxWnd::WindowProc(TMessage& m) {
    // Without a skin the window paints itself, as it did before it was wrapped.
    if (!SkinLoaded()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case SM_ORVENCMD: {
        const unsigned code = SkinCommandCode(m.WParam);
        if (code == scMouseEntered || code == scMouseLeft) {
            SkinData->CacheInvalid = true;
            SendMessage(Handle, WM_PAINT, 0, 0);
            if (Destroyed) return;
        }
        break;
    }
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE:
        if (!IsWindowVisible(Handle)) break;
        QuietlyThenRepaint(m);
        return;
    case WM_PAINT:
        Paint(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_NCPAINT: m.Result = 0; return;
    default: break;
    }
    TqvMainWnd::WindowProc(m);
    if (Destroyed) return;
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: SendMessage(Handle, WM_PAINT, 0, 0); break;
    case WM_KEYDOWN:
        if (m.WParam == VK_SPACE) SendMessage(Handle, WM_PAINT, 0, 0);
        break;
    case WM_NCHITTEST:
        if (IsWindowEnabled(Handle) && !IsHotWindow(Handle)) MakeHotWindow(Handle, Manager());
        break;
    default: break;
    }
}
