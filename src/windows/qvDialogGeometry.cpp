#include "windows/qvDialogGeometry.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"
#include "windows/sTitleButtons.h"

namespace {

constexpr DWORD kModalFrame = 0x80; // DS_MODALFRAME
// Images lower than this sit two pixels lower, nearer the caption's middle.
constexpr int kLowImageHeight = 16;

bool HasFullCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }
bool Has(DWORD style, DWORD bits) { return (style & bits) != 0; }
bool Resizable(const TqvDialogFacts& f) {
    return f.FrameKind == fkUninitialized || f.FrameKind == fkSizing;
}

} // namespace

unsigned char DialogFrameKind(DWORD style) {
    if (Has(style, WS_POPUP) && !HasFullCaption(style)) return fkPopup;
    if (Has(style, WS_THICKFRAME)) return fkSizing;
    if (Has(style, kModalFrame)) return fkModal;
    return fkSizing;
}

int DialogFrameBorderWidth(const TqvDialogFacts& f) {
    if (f.FrameKind == fkPopup) return 0;
    return GetSystemMetrics(f.FrameKind == fkSizing ? SM_CXFRAME : SM_CXDLGFRAME);
}

int DialogFrameBorderHeight(const TqvDialogFacts& f) {
    if (f.FrameKind == fkPopup) return 0;
    return GetSystemMetrics(f.FrameKind == fkSizing ? SM_CYFRAME : SM_CYDLGFRAME);
}

int DialogCaptionHeight(const TqvDialogFacts& f) {
    if (f.FrameKind == fkPopup || !HasFullCaption(f.CurrentStyle)) return 0;
    return GetSystemMetrics(SM_CYCAPTION);
}

int DialogTopAreaHeight(const TqvDialogFacts& f) {
    const int border = DialogFrameBorderHeight(f);
    int top = f.WindowHeight - f.ClientHeight - (HasFullCaption(f.CurrentStyle) ? border : 0);
    top = std::max(top, 0);
    if (f.Iconic) top += border;
    return top - f.HScrollHeight;
}

POINT DialogClientOrigin(const TqvDialogFacts& f) {
    const int border = DialogCaptionHeight(f) > 0 ? DialogFrameBorderHeight(f) : 0;
    return POINT{(f.WindowWidth - f.ClientWidth - f.VScrollWidth) / 2,
                 f.WindowHeight - f.ClientHeight - border - f.HScrollHeight};
}

bool DialogCommandVisible(const TqvDialogFacts& f, TqvDialogCommand command) {
    switch (command) {
    case TqvDialogCommand::Close: return Has(f.SavedStyle, WS_SYSMENU);
    case TqvDialogCommand::Maximize: return Has(f.SavedStyle, WS_MAXIMIZEBOX);
    case TqvDialogCommand::Restore: return Resizable(f) && Has(f.SavedStyle, WS_SYSMENU);
    case TqvDialogCommand::Minimize: return Has(f.SavedStyle, WS_MINIMIZEBOX);
    case TqvDialogCommand::Help: return Has(f.SavedExStyle, WS_EX_CONTEXTHELP);
    case TqvDialogCommand::Move: return true;
    case TqvDialogCommand::Size: return Resizable(f);
    }
    return false;
}

bool DialogCommandEnabled(const TqvDialogFacts& f, TqvDialogCommand command) {
    const auto visible = [&](TqvDialogCommand c) { return DialogCommandVisible(f, c); };
    switch (command) {
    case TqvDialogCommand::Close: return visible(command) && !Has(f.ClassStyle, CS_NOCLOSE);
    case TqvDialogCommand::Maximize: return visible(command) && !f.Maximized && Resizable(f);
    case TqvDialogCommand::Restore:
        return visible(TqvDialogCommand::Maximize) && (f.Iconic || f.Maximized);
    case TqvDialogCommand::Minimize: return visible(command) && !f.Iconic;
    case TqvDialogCommand::Help: return true;
    case TqvDialogCommand::Move: return !f.Maximized;
    case TqvDialogCommand::Size: return f.FrameKind != fkUninitialized && !f.Iconic;
    }
    return false;
}

int DialogButtonsWidth(const TqvDialogFacts& f, const TqvDialogButtons& b) {
    if (!Has(f.SavedStyle, WS_SYSMENU)) return 0;
    int width = b.Close.Size.cx;
    if (DialogCommandVisible(f, TqvDialogCommand::Maximize)) width += b.Maximize.Size.cx;
    if (DialogCommandVisible(f, TqvDialogCommand::Minimize)) width += b.Minimize.Size.cx;
    if (DialogCommandVisible(f, TqvDialogCommand::Help)) width += b.Help.Size.cx;
    return width;
}

int DialogButtonTop(const TqvDialogFacts& f, int height) {
    int top = (DialogCaptionHeight(f) + DialogFrameBorderHeight(f) - height) / 2;
    if (height < kLowImageHeight) top += 2;
    return top;
}

void LayoutDialogButtons(const TqvDialogFacts& f, TqvDialogButtons& b) {
    for (TqvButtonSlot* slot : {&b.Minimize, &b.Maximize, &b.Close, &b.Help}) slot->Rect = RECT{};
    if (!Has(f.SavedStyle, WS_SYSMENU)) return;
    int x = f.WindowWidth - DialogFrameBorderWidth(f);
    const auto place = [&](TqvButtonSlot& slot) {
        if (!slot.Drawable) return;
        const int top = DialogButtonTop(f, slot.Size.cy);
        slot.Rect = RECT{x - slot.Size.cx, top, x, top + slot.Size.cy};
        x = slot.Rect.left;
    };
    place(b.Close);
    if (DialogCommandVisible(f, TqvDialogCommand::Maximize)) place(b.Maximize);
    if (DialogCommandVisible(f, TqvDialogCommand::Minimize)) place(b.Minimize);
    if (DialogCommandVisible(f, TqvDialogCommand::Help)) place(b.Help);
}

namespace {

// The answer of the button under the point, by the button itself: a disabled one lets the
// caption answer.
int ButtonAnswer(const TqvDialogFacts& f, const TqvDialogButtons& b, POINT p) {
    using C = TqvDialogCommand;
    const auto enabled = [&](C c) { return DialogCommandEnabled(f, c); };
    if (InsideInclusive(b.Close.Rect, p)) return HTCLOSE;
    if (DialogCommandVisible(f, C::Maximize) && InsideInclusive(b.Maximize.Rect, p))
        return enabled(C::Maximize) || enabled(C::Restore) ? HTMAXBUTTON : HTCAPTION;
    if (DialogCommandVisible(f, C::Minimize) && InsideInclusive(b.Minimize.Rect, p))
        return f.Iconic || enabled(C::Minimize) ? HTMINBUTTON : HTCAPTION;
    if (DialogCommandVisible(f, C::Help) && InsideInclusive(b.Help.Rect, p)) return HTHELP;
    return HTCAPTION;
}

} // namespace

TqvDialogHit DialogHitTest(const TqvDialogFacts& f, const TqvDialogButtons& b, POINT p,
                           int smallIconWidth, SIZE grip) {
    const int borderW = DialogFrameBorderWidth(f), borderH = DialogFrameBorderHeight(f);
    const int caption = DialogCaptionHeight(f);
    const int h = b.Close.Size.cy;
    const int band = (caption + borderH - h) / 2;
    // A frame without a caption has no button band: its top edge is client or border.
    if (caption > 0 && p.y >= band && p.y <= band + h) {
        if (p.x >= borderW && p.x <= borderW + smallIconWidth) return {HTSYSMENU, true};
        if (!Has(f.SavedStyle, WS_SYSMENU)) return {HTCAPTION, false};
        const int code = ButtonAnswer(f, b, p);
        return {code, code != HTCAPTION};
    }
    if (f.FrameKind == fkSizing && grip.cx > 0 && grip.cy > 0 &&
        p.x > f.WindowWidth - grip.cx - borderW && p.y > f.WindowHeight - grip.cy - borderH)
        return {HTBOTTOMRIGHT, false};
    if (f.Maximized &&
        (p.x < 2 || p.y < 2 || p.x >= f.WindowWidth - 4 || p.y >= f.WindowHeight - 4))
        return {HTTRANSPARENT, false};
    return {HTNOWHERE, false};
}
