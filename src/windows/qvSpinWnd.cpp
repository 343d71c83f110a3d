#include "windows/qvSpinWnd.h"

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "platform/gdi/Gdi.h"
#include "windows/qvDialogPaint.h"
#include "windows/qvHotWindow.h"

TqvSpinWnd::TqvSpinWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : TqvMainWnd(handle, withScrollBars, skinSection, manager, skinData) {}

void TqvSpinWnd::UpdateStates() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const TqvSpinStates states = SpinStatesAt(cursor, WindowRect, ButtonDown);
    UpperState = states.Upper;
    LowerState = states.Lower;
}

void TqvSpinWnd::Paint(HDC given) {
    RefreshGeometry();
    UpdateStates();
    PAINTSTRUCT ps{};
    if (!given) BeginPaint(Handle, &ps);
    SkinData->UpdateLock = WindowPaintHeld(*SkinData, Handle);
    if (!SkinData->UpdateLock) {
        HDC dc = given ? given : GetDC(Handle);
        SkinData->CacheInvalid = true;
        const ParentCacheInfo parentCache = TsCommonData::QueryParentBackground(Handle);
        PaintSpinCache(*SkinData, parentCache, LeftOffset, TqvSpinStates{UpperState, LowerState},
                       PositionInParent, Width, Height);
        {
            TsBitmapDC source(*SkinData->CacheBitmap);
            BitBlt(dc, LeftOffset, 0, Width - LeftOffset, Height, source.Handle(), LeftOffset, 0,
                   SRCCOPY);
        }
        if (!given) ReleaseDC(Handle, dc);
    }
    if (!given) EndPaint(Handle, &ps);
}

void TqvSpinWnd::MouseMoved() {
    if (!Manager() || !IsWindowEnabled(Handle)) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT window{};
    GetWindowRect(Handle, &window);
    if (PtInRect(window, cursor)) {
        if (IsHotWindow(Handle))
            SendMessage(Handle, WM_PAINT, 0, 0);
        else
            MakeHotWindow(Handle, Manager());
    } else if (IsHotWindow(Handle)) {
        ClearHotWindow(Manager());
    }
}

void TqvSpinWnd::WindowProc(TMessage& m) {
    // Without a skin the window paints itself, as it did before it was wrapped.
    if (!SkinLoaded()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_PAINT:
        Paint(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_NCPAINT: m.Result = 0; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        ButtonDown = m.Msg == WM_LBUTTONDOWN;
        TqvMainWnd::WindowProc(m);
        if (!Destroyed) SendMessage(Handle, WM_PAINT, 0, 0);
        return;
    case WM_MOUSEMOVE:
        TqvMainWnd::WindowProc(m);
        if (!Destroyed) MouseMoved();
        return;
    default: TqvMainWnd::WindowProc(m);
    }
}
