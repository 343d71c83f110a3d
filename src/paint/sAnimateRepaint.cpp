#include "paint/sAnimateRepaint.h"

#include <algorithm>
#include <memory>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sOutputWindow.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Form.h"

namespace {

constexpr DWORD kFrameWaitMs = 8;
// Up to this many milliseconds the new look shows at once.
constexpr int kLongestInstantTime = 7;

// Where a child window's corner lies in its parent's window, frame included.
POINT OffsetInParentWindow(HWND child, HWND parent) {
    RECT c{}, p{};
    GetWindowRect(child, &c);
    GetWindowRect(parent, &p);
    return POINT{c.left - p.left, c.top - p.top};
}

void PaintWindowOnly(HDC dc, TWinControl* control) {
    const HWND hwnd = control->Handle();
    if (AskSkinCommand(control, scIsSkinned)) {
        SendMessage(hwnd, WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT);
        return;
    }
    SendMessage(hwnd, WM_PRINT, WPARAM(dc), PRF_NONCLIENT);
    const RECT client = ClientRectInWindow(hwnd);
    control->PaintTo(dc, client.left, client.top);
}

// The DC's origin is the control's corner.
void PaintTree(HDC dc, TControl* control) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) {
        // The toolkit's windowless controls print into the context a paint message carries.
        control->Perform(WM_PAINT, WPARAM(dc), 0);
    } else if (windowed->HandleAllocated()) {
        PaintWindowOnly(dc, windowed);
        const HWND hwnd = windowed->Handle();
        const RECT client = ClientRectInWindow(hwnd);
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        // Bottom to top, so that children in front are drawn last.
        for (int i = 0; i < windowed->ControlCount(); ++i) {
            auto* child = dynamic_cast<TWinControl*>(windowed->Controls(i));
            if (!child || !child->Visible() || !child->HandleAllocated()) continue;
            const POINT at = OffsetInParentWindow(child->Handle(), hwnd);
            const int childSaved = SaveDC(dc);
            POINT origin{};
            GetViewportOrgEx(dc, &origin);
            SetViewportOrgEx(dc, origin.x + at.x, origin.y + at.y, nullptr);
            PaintTree(dc, child);
            RestoreDC(dc, childSaved);
        }
    }
    RestoreDC(dc, saved);
}

std::unique_ptr<Bitmap> ScreenArea(const RECT& area) {
    std::unique_ptr<Bitmap> shot = NewBitmap24(WidthOf(area), HeightOf(area));
    const HDC screen = GetDC(nullptr);
    {
        const TsBitmapDC target(*shot);
        BitBlt(target.Handle(), 0, 0, WidthOf(area), HeightOf(area), screen, area.left, area.top,
               SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    return shot;
}

void CopyToWindow(HWND hwnd, const Bitmap& picture) {
    const HDC dc = GetDC(hwnd);
    if (!dc) return;
    {
        const TsBitmapDC source(picture);
        BitBlt(dc, 0, 0, picture.Width(), picture.Height(), source.Handle(), 0, 0, SRCCOPY);
    }
    ReleaseDC(hwnd, dc);
}

// A cover over the control, just above it in z-order, shown without taking the activation.
TOutputWindow* CoverControl(TWinControl* control) {
    const HWND window = control->Handle();
    // Asked before the cover exists, which may land anywhere in the order.
    const HWND above = GetWindow(window, GW_HWNDPREV);
    TOutputWindow* cover = control->Make<TOutputWindow>();
    TWinControl* parent = control->Parent();
    // A form with a parent control may still have a window of its own on the screen.
    if (parent && (GetWindowLong(window, GWL_STYLE) & WS_CHILD)) {
        cover->SetParent(parent);
        const RECT r = control->BoundsRect();
        cover->SetBounds(r.left, r.top, WidthOf(r), HeightOf(r));
    } else {
        RECT r{};
        GetWindowRect(window, &r);
        cover->SetBounds(r.left, r.top, WidthOf(r), HeightOf(r));
    }
    const HWND coverWindow = cover->Handle();
    cover->SetVisible(true); // showing a window may put it in front of all
    SetWindowPos(coverWindow, above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return cover;
}

void LendProviderRegion(TWinControl* control, HWND cover) {
    auto* form = dynamic_cast<TForm*>(control);
    if (!form || SendSkinCommand(form, SkinCommandWParam(scGetProvider), 0) == 0) return;
    if (TsSkinManager::RebuildProviderFrame) TsSkinManager::RebuildProviderFrame(form);
    if (!form->HandleAllocated()) return;
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(form->Handle(), region) != RGN_ERROR)
        SetWindowRgn(cover, region, false); // the cover owns it now
    else
        DeleteObject(region);
}

// The cover and the old look exist from the preparation until the animation ends.
TOutputWindow* g_cover = nullptr;
std::unique_ptr<Bitmap> g_snapshot;

void Uncover(TWinControl* control) {
    if (g_cover) {
        const HWND window = control->HandleAllocated() ? control->Handle() : nullptr;
        if (!window || !(GetWindowLong(window, GWL_EXSTYLE) & WS_EX_LAYERED))
            g_cover->SetVisible(false);
        delete g_cover;
        g_cover = nullptr;
    }
    g_snapshot.reset();
    if (control->HandleAllocated()) SendMessage(control->Handle(), WM_SETREDRAW, 1, 0);
}

} // namespace

void PaintControlTree(Bitmap& bitmap, TControl* control) {
    if (!control) return;
    const TsBitmapDC dc(bitmap);
    if (!dc.Handle()) return;
    PaintTree(dc.Handle(), control);
}

void PrepareAnimateRepaint(TWinControl* control) {
    if (g_cover || !control || control->IsDestroying()) return;
    const HWND window = control->Handle();
    if (!window) return;
    SendMessage(window, WM_SETREDRAW, 0, 0);
    RECT area{};
    GetWindowRect(window, &area);
    g_snapshot = ScreenArea(area);
    g_cover = CoverControl(control);
}

void CancelAnimateRepaint(TWinControl* control) {
    if (control) Uncover(control);
}

void AnimateRepaint(TWinControl* control, int time) {
    if (!control || control->IsDestroying() || !control->Handle()) return;
    PrepareAnimateRepaint(control);
    if (!g_cover || !g_snapshot) return;
    const HWND coverWindow = g_cover->Handle();
    RECT area{};
    GetWindowRect(control->Handle(), &area);

    std::unique_ptr<Bitmap> image = NewBitmap24(WidthOf(area), HeightOf(area));
    PaintControlTree(*image, control);
    std::unique_ptr<Bitmap> frame = NewBitmap32(image->Width(), image->Height());
    LendProviderRegion(control, coverWindow);

    if (time > kLongestInstantTime) {
        const int steps = time / 8;
        const int alphaStep = 255 / steps;
        int alpha = 255;
        for (int i = 0; i <= steps; ++i) {
            CrossFade32(*frame, *g_snapshot, *image, std::max(alpha, 0));
            CopyToWindow(coverWindow, *frame);
            alpha -= alphaStep;
            Sleep(kFrameWaitMs);
        }
    }
    CopyToWindow(coverWindow, *image);
    Uncover(control);
}

void InstallAnimateRepaint() { TsSkinManager::AnimateRepaint = AnimateRepaint; }
