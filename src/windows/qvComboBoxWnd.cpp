#include "windows/qvComboBoxWnd.h"

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "platform/controls/ComboBox.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "windows/qvDialogPaint.h"
#include "windows/qvHotWindow.h"

namespace {

std::string ChosenItem(HWND combo) {
    const LRESULT index = SendMessage(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    const LRESULT length = SendMessage(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length <= 0) return {};
    std::string text(size_t(length) + 1, '\0');
    const LRESULT got = SendMessage(combo, CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
    text.resize(got > 0 && got <= length ? size_t(got) : 0);
    return text;
}

} // namespace

void TqvComboBoxWnd::Paint(HDC given) {
    RefreshGeometry();
    PAINTSTRUCT ps{};
    if (!given) BeginPaint(Handle, &ps);
    // A paint held back now comes with the dialog's repaint command (it ends the update mode).
    SkinData->UpdateLock = WindowPaintHeld(*SkinData, Handle);
    if (!SkinData->UpdateLock && (given || IsWindowVisible(Handle))) {
        TqvComboLook look;
        look.Text = ChosenItem(Handle);
        look.Font = reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0));
        look.Enabled = IsWindowEnabled(Handle);
        look.Focused = GetFocus() == Handle;
        look.Dropped = SendMessage(Handle, CB_GETDROPPEDSTATE, 0, 0) != 0;
        look.Hot = IsHotWindow(Handle);
        look.DialogMode = DialogMode;
        look.PositionInParent = PositionInParent;
        const ParentCacheInfo parentCache = TsCommonData::QueryParentBackground(Handle);
        PaintComboCache(*SkinData, parentCache, look, Width, Height);
        HDC dc = given ? given : GetDC(Handle);
        {
            TsBitmapDC source(*SkinData->CacheBitmap);
            BitBlt(dc, 0, 0, Width, Height, source.Handle(), 0, 0, SRCCOPY);
        }
        if (!given) ReleaseDC(Handle, dc);
    }
    if (!given) EndPaint(Handle, &ps);
}

void TqvComboBoxWnd::WindowProc(TMessage& m) {
    // Without a skin the window paints itself, as it did before it was wrapped.
    if (!SkinLoaded()) {
        TqvMainWnd::WindowProc(m);
        return;
    }
    switch (m.Msg) {
    case SM_ORVENCMD: {
        const unsigned code = SkinCommandCode(m.WParam);
        if (code == scMouseEntered || code == scMouseLeft) InvalidateRect(Handle, nullptr, false);
        break;
    }
    case WM_PAINT:
        Paint(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
    case WM_ERASEBKGND: m.Result = 1; return;
    default: break;
    }
    TqvMainWnd::WindowProc(m);
    if (Destroyed) return;
    if (m.Msg == WM_NCHITTEST && IsWindowEnabled(Handle) && !IsHotWindow(Handle))
        MakeHotWindow(Handle, Manager());
}
