#include "windows/sMenuWindow.h"

#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "windows/sMenuBackdrop.h"

namespace {

WNDPROC SavedProcedure(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(uintptr_t(GetWindowLongPtr(hwnd, GWL_USERDATA)));
}

bool HasMenuWindowProc(HWND hwnd) {
    return GetWindowLongPtr(hwnd, GWL_WNDPROC) ==
           LONG_PTR(reinterpret_cast<uintptr_t>(&MenuWindowProc));
}

void CutCorners(HWND window, const Bitmap& backdrop, const TAOR& cornerRects) {
    HRGN region = CreateRectRgn(0, 0, backdrop.Width(), backdrop.Height());
    const TAOR originOnly{RECT{0, 0, 1, 1}};
    for (const RECT& r : cornerRects.empty() ? originOnly : cornerRects) {
        HRGN cut = CreateRectRgnIndirect(&r);
        CombineRgn(region, region, cut, RGN_DIFF);
        DeleteObject(cut);
    }
    SetWindowRgn(window, region, true);
}

} // namespace

LRESULT MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
    case WM_NCPAINT: return 1;
    case WM_DESTROY: ResetPopupState(); break;
    default: break;
    }
    const WNDPROC saved = SavedProcedure(hwnd);
    return saved ? CallWindowProc(saved, hwnd, msg, wParam, lParam)
                 : DefWindowProc(hwnd, msg, wParam, lParam);
}

void ShapeMenuWindow(HWND window, const Bitmap* backdrop, const TAOR& cornerRects, bool& shaping) {
    if (shaping || !IsWindow(window)) return;
    if (!HasMenuWindowProc(window)) {
        const WNDPROC previous = SubclassWindow(window, &MenuWindowProc);
        SetWindowLongPtr(window, GWL_USERDATA, LONG_PTR(reinterpret_cast<uintptr_t>(previous)));
    }
    if (backdrop && !backdrop->Empty() &&
        !SendSkinCommand(window, SkinCommandWParam(scSetUpdating), 0)) {
        SendSkinCommand(window, SkinCommandWParam(kMenuWindowShaped), 0);
        shaping = true;
        if (IsWindow(window)) CutCorners(window, *backdrop, cornerRects);
    }
    shaping = false;
}
