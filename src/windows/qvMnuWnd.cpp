#include "windows/qvMnuWnd.h"

#include <algorithm>

#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "windows/sMenuBackdrop.h"
#include "windows/sMenuWindow.h"

TqvMnuWnd::TqvMnuWnd(HWND handle, TsSkinManager* manager)
    : TqvScrollWnd(handle, false, "MAINMENU", manager, nullptr) {
    if (SkinData) SkinData->RefreshSkinIndexes();
}

TqvMnuWnd::~TqvMnuWnd() { Unwrap(); }

void TqvMnuWnd::BuildCache() {
    RefreshGeometry();
    Bitmap& cache = *SkinData->CacheBitmap;
    if (!SkinData->CacheInvalid && cache.Width() == Width && cache.Height() == Height) return;
    if (cache.BitsPerPixel() != 24) cache.SetFormat(24);
    cache.SetSize(std::max(Width, 0), std::max(Height, 0));
    if (!cache.Empty())
        RenderSkinItem(*SkinData, ParentCacheInfo{}, true, false, &cache, POINT{0, 0},
                       RECT{0, 0, Width, Height}, 0);
    SkinData->CacheInvalid = false;
}

void TqvMnuWnd::EraseBackground(TMessage& m) {
    BuildCache();
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    const bool own = dc == nullptr;
    if (own) dc = GetDC(Handle);
    const Bitmap& cache = *SkinData->CacheBitmap;
    if (dc && !cache.Empty()) {
        RECT client{};
        GetClientRect(Handle, &client);
        TsBitmapDC source(cache);
        if (source.Handle())
            BitBlt(dc, 0, 0, WidthOf(client), HeightOf(client), source.Handle(), kClientOffset,
                   kClientOffset, SRCCOPY);
    }
    if (own && dc) ReleaseDC(Handle, dc);
    Shaped = false;
    m.Result = 1;
}

void TqvMnuWnd::PaintFrame() {
    SkinData->CacheInvalid = true;
    BuildCache();
    const Bitmap& cache = *SkinData->CacheBitmap;
    HDC dc = GetWindowDC(Handle);
    if (!dc) return;
    if (!cache.Empty()) {
        TsBitmapDC source(cache);
        const int w = cache.Width(), h = cache.Height(), t = kFrameWidth;
        const RECT strips[] = {
            {0, 0, w, t}, {0, h - t, w, h}, {0, t, t, h - t}, {w - t, t, w, h - t}};
        for (const RECT& r : strips)
            if (source.Handle() && r.right > r.left && r.bottom > r.top)
                BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), source.Handle(), r.left, r.top,
                       SRCCOPY);
    }
    ReleaseDC(Handle, dc);
}

bool TqvMnuWnd::SkinCommand(TMessage& m) {
    switch (SkinCommandCode(m.WParam)) {
    case scIsSkinned: m.LParam = m.Result = 1; return true;
    case scSetUpdating: m.Result = Shaped ? 1 : 0; return true;
    case kMenuWindowShaped:
        if (IsWindowVisible(Handle)) Shaped = true;
        m.Result = 0;
        return true;
    default: return TqvScrollWnd::SkinCommand(m);
    }
}

void TqvMnuWnd::WindowProc(TMessage& m) {
    switch (m.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
        Shaped = false;
        TqvScrollWnd::WindowProc(m);
        // The window's own last messages may have marked it shaped again.
        Shaped = false;
        ResetPopupState();
        PopupState().Measuring = false;
        return;
    case WM_ERASEBKGND:
        if (PopupState().Measuring && SkinLoaded() && SkinData->SkinActive()) {
            EraseBackground(m);
            return;
        }
        break;
    case WM_NCPAINT:
        if (PopupState().Measuring && SkinLoaded() && SkinData->SkinActive()) {
            PaintFrame();
            m.Result = 0;
            return;
        }
        break;
    default: break;
    }
    TqvScrollWnd::WindowProc(m);
}
