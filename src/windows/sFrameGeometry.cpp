#include "windows/sFrameGeometry.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"

namespace {

bool HasFullCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

bool IsToolWindow(TFormBorderStyle style) {
    return style == bsToolWindow || style == bsSizeToolWin;
}

// The frame metric of one axis: the fixed (dialog) or the sizing frame.
int FrameMetric(const TsFrameFacts& f, bool vertical) {
    if (!HasBorder(f)) return 0;
    const bool fixed = f.MdiChild ? (f.BorderStyle == bsSingle || f.BorderStyle == bsToolWindow)
                                  : (f.BorderStyle == bsSingle || f.BorderStyle == bsDialog ||
                                     f.BorderStyle == bsToolWindow);
    if (f.MdiChild)
        return GetSystemMetrics(fixed ? (vertical ? SM_CYFIXEDFRAME : SM_CXFIXEDFRAME)
                                      : (vertical ? SM_CYSIZEFRAME : SM_CXSIZEFRAME));
    return GetSystemMetrics(fixed ? (vertical ? SM_CYDLGFRAME : SM_CXDLGFRAME)
                                  : (vertical ? SM_CYFRAME : SM_CXFRAME));
}

// The frame's bottom band that the client area is measured against.
int BottomBand(const TsFrameFacts& f) {
    return CaptionHeight(f) > 0 ? FrameBorderHeight(f) + f.FormBorderWidth : 0;
}

} // namespace

TsFrameFacts TsFrameFacts::FromForm(TForm& form) {
    TsFrameFacts f;
    f.BorderStyle = form.BorderStyle();
    f.MdiChild = form.FormStyle() == fsMDIChild;
    f.FormBorderWidth = form.BorderWidth();
    f.FormWidth = form.Width();
    f.FormHeight = form.Height();
    f.WindowWidth = form.Width();
    f.WindowHeight = form.Height();
    f.ClientWidth = form.Width();
    f.ClientHeight = form.Height();
    f.HasMainMenu = form.Menu() != nullptr;
    if (form.HandleAllocated()) {
        const HWND hwnd = form.Handle();
        f.Style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
        RECT r{};
        GetWindowRect(hwnd, &r);
        f.WindowWidth = WidthOf(r);
        f.WindowHeight = HeightOf(r);
        GetClientRect(hwnd, &r);
        f.ClientWidth = WidthOf(r);
        f.ClientHeight = HeightOf(r);
        f.Iconic = IsIconic(hwnd);
    }
    return f;
}

bool HasBorder(const TsFrameFacts& f) { return f.BorderStyle != bsNone || f.MdiChild; }

int CaptionHeight(const TsFrameFacts& f) {
    if (!HasBorder(f) || !HasFullCaption(f.Style)) return 0;
    return GetSystemMetrics(IsToolWindow(f.BorderStyle) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int FrameBorderWidth(const TsFrameFacts& f) { return FrameMetric(f, false); }
int FrameBorderHeight(const TsFrameFacts& f) { return FrameMetric(f, true); }

int FrameWidth(const TsFrameFacts& f) { return f.Iconic ? f.WindowWidth : f.FormWidth; }

int MenuHeight(const TsFrameFacts& f) {
    return f.HasMainMenu ? GetSystemMetrics(SM_CYMENU) - 1 : 0;
}

int TopAreaHeight(const TsFrameFacts& f) {
    int h = std::max(f.WindowHeight - f.ClientHeight - BottomBand(f), 0);
    if (f.Iconic) h += FrameBorderHeight(f);
    return h - f.HScrollHeight;
}

POINT ClientOrigin(const TsFrameFacts& f) {
    return POINT{(f.WindowWidth - f.ClientWidth - f.VScrollWidth) / 2,
                 f.WindowHeight - f.ClientHeight - BottomBand(f) - f.HScrollHeight};
}

int IconSizeFor(int height) {
    if (height < 9) return 0;
    if (height <= 16) return 8;
    if (height <= 27) return 16;
    return 32;
}

bool IconShown(const TsFrameFacts& f) {
    return (f.BorderStyle == bsSingle || f.BorderStyle == bsSizeable) && f.ShowAppIcon;
}

int IconWidth(const TsFrameFacts& f) {
    if (!IconShown(f)) return 0;
    return f.TitleIconWidth != 0 ? f.TitleIconWidth : IconSizeFor(CaptionHeight(f));
}

int IconHeight(const TsFrameFacts& f) {
    if (!IconShown(f)) return 0;
    return f.TitleIconHeight != 0 ? f.TitleIconHeight : IconSizeFor(CaptionHeight(f));
}

RECT IconRect(const TsFrameFacts& f) {
    const int left = FrameBorderWidth(f);
    const int top = (CaptionHeight(f) + FrameBorderHeight(f) - IconHeight(f)) / 2;
    return RECT{left, top, left + IconWidth(f), top + IconHeight(f)};
}

RECT CaptionTextRect(const TsFrameFacts& f, int buttonsWidth) {
    RECT r{IconWidth(f) + FrameBorderWidth(f) + 4, FrameBorderHeight(f),
           FrameWidth(f) - buttonsWidth - 6, CaptionHeight(f)};
    if (r.right <= r.left || r.bottom <= r.top) return RECT{};
    return r;
}

TsTitleMetrics TitleMetricsOf(const TsFrameFacts& f) {
    TsTitleMetrics m;
    m.FrameWidth = FrameWidth(f);
    m.FrameHeight = f.FormHeight;
    m.FrameBorderWidth = FrameBorderWidth(f);
    m.FrameBorderHeight = FrameBorderHeight(f);
    m.CaptionHeight = CaptionHeight(f);
    m.TopAreaHeight = TopAreaHeight(f);
    m.FormBorderWidth = f.FormBorderWidth;
    m.IconWidth = IconWidth(f);
    m.IconHeight = IconHeight(f);
    m.IconRect = IconRect(f);
    return m;
}
