#include "windows/qvTreeViewWnd.h"

#include "paint/sCommonData.h"
#include "platform/controls/TreeView.h"
#include "platform/gdi/Gdi.h"
#include "skin/sSkinManager.h"
#include "toolkit/WinControl.h"

TqvTreeViewWnd::~TqvTreeViewWnd() { Unwrap(); }

// The tree keeps the skin's colours: giving the plain ones back would repaint it twice on
// every skin change.
void TqvTreeViewWnd::RestoreStandardLook() { Skinned = false; }

TColor TqvTreeViewWnd::TreeBackground() const {
    const TsGeneralData* section = SkinData->SkinActive() ? SkinData->Section() : nullptr;
    return (DialogMode || !section) ? SysColor(COLOR_WINDOW) : section->HotColor;
}

void TqvTreeViewWnd::ApplySkinLook() {
    Skinned = true;
    const TsGeneralData* section = SkinData->SkinActive() ? SkinData->Section() : nullptr;
    if (!section) return;
    TWinControl* c = Control();
    if (!DialogMode && c) {
        if (c->Font().Color() != section->HotFontColor[0])
            c->Font().SetColor(section->HotFontColor[0]);
        if (c->Color() == section->HotColor) return;
    }
    SendMessage(Handle, TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(TreeBackground())));
    if (!DialogMode && c)
        SendMessage(Handle, TVM_SETTEXTCOLOR, 0, LPARAM(ColorToRGB(section->HotFontColor[0])));
}

bool TqvTreeViewWnd::SkinnedMessage(TMessage& m) {
    if (m.Msg != WM_ERASEBKGND || !IsWindowVisible(Handle) || SkinData->UpdateLock)
        return TqvEditWnd::SkinnedMessage(m);
    ApplyLookOnce();
    RebuildFrameCache();
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    const bool own = dc == nullptr;
    if (own) dc = GetDC(Handle);
    if (dc) {
        RECT client{};
        GetClientRect(Handle, &client);
        HBRUSH brush = CreateSolidBrush(ColorToRGB(TreeBackground()));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        if (own) ReleaseDC(Handle, dc);
    }
    m.Result = 0;
    return true;
}

void TqvTreeViewWnd::AfterPassOn(const TMessage& m) {
    TqvEditWnd::AfterPassOn(m);
    if (m.Msg == WM_LBUTTONUP && !Destroyed && GetCapture() == Handle) ReleaseCapture();
}
