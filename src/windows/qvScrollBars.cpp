#include "windows/qvScrollBars.h"

#include <algorithm>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sCommonData.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "windows/qvMainWnd.h"

namespace {

// Who is pressed, hovered or dragged, for the whole program.
struct TqvScrollTracking {
    HWND Window = nullptr; // the pressed window
    int Bar = -1;          // 0 horizontal, 1 vertical, -1 none
    int PressedPart = spNone;
    UINT ScrollMessage = 0;
    HWND HoverWindow = nullptr;
    int HoverBar = -1;
    RECT HoverRect{};
    int HotPart = spNone;
    // A thumb drag: the thumb as it was at the press, where it stands now (from the bar's
    // start), the cursor's distance from its start, and the bar then.
    TqvThumb DragThumb;
    int ThumbStart = 0;
    int GrabOffset = 0;
    RECT DragBarRect{};
    int LastPosition = 0;
};
TqvScrollTracking Tracking;

constexpr WPARAM kScrollCommand = 61559; // SC_VSCROLL with HTVSCROLL: the system's own bar

void ClearPress() {
    Tracking.Window = nullptr;
    Tracking.Bar = -1;
    Tracking.PressedPart = spNone;
    Tracking.ScrollMessage = 0;
}

void ClearHover() {
    Tracking.HoverWindow = nullptr;
    Tracking.HoverBar = -1;
    Tracking.HoverRect = RECT{};
    Tracking.HotPart = spNone;
}

bool IsBarHit(WPARAM hit) { return hit == WPARAM(HTHSCROLL) || hit == WPARAM(HTVSCROLL); }

RECT Span(bool vertical, int from, int to, int across) {
    return vertical ? RECT{0, from, across, to} : RECT{from, 0, to, across};
}

const TsScrollPartIndexes& PartIndexes(const TsCachedIndexes& c, bool vertical, int part) {
    switch (part) {
    case spLineUp: return vertical ? c.ScrollBtnTop : c.ScrollBtnLeft;
    case spLineDown: return vertical ? c.ScrollBtnBottom : c.ScrollBtnRight;
    case spPageUp: return vertical ? c.ScrollBar1V : c.ScrollBar1H;
    case spPageDown: return vertical ? c.ScrollBar2V : c.ScrollBar2H;
    default: return vertical ? c.ScrollSliderV : c.ScrollSliderH;
    }
}

const char* PartSection(bool vertical, int part) {
    switch (part) {
    case spLineUp: return vertical ? "SCROLLBTNTOP" : "SCROLLBTNLEFT";
    case spLineDown: return vertical ? "SCROLLBTNBOTTOM" : "SCROLLBTNRIGHT";
    case spPageUp: return vertical ? "SCROLLBAR1V" : "SCROLLBAR1H";
    case spPageDown: return vertical ? "SCROLLBAR2V" : "SCROLLBAR2H";
    default: return vertical ? "SCROLLSLIDERV" : "SCROLLSLIDERH";
    }
}

ParentCacheInfo Moved(ParentCacheInfo parent, POINT by) {
    parent.X += by.x;
    parent.Y += by.y;
    return parent;
}

bool UsableParent(const ParentCacheInfo& parent) {
    return parent.Usable && parent.Bitmap && !parent.Bitmap->Empty();
}

// A work bitmap of r's size holding the parent's pixels behind r when there are any.
std::unique_ptr<Bitmap> ImageOverParent(const RECT& r, const ParentCacheInfo& parent) {
    std::unique_ptr<Bitmap> image = NewBitmap24(WidthOf(r), HeightOf(r));
    if (!image->Empty() && UsableParent(parent))
        CopyKeyedRect(*image, *parent.Bitmap, 0, 0, clNone,
                      RECT{parent.X + r.left, parent.Y + r.top, parent.X + r.right - 1,
                           parent.Y + r.bottom - 1});
    return image;
}

} // namespace

TqvScrollBars::TqvScrollBars(TqvMainWnd& owner)
    : Horizontal(0, &owner), Vertical(1, &owner), owner_(owner),
      alive_(std::make_shared<bool>(true)) {
    const HWND w = Window();
    const DWORD style = DWORD(GetWindowLong(w, GWL_STYLE));
    if (style & WS_HSCROLL) Horizontal.StyleFlags |= sbfHasStyle;
    if (style & WS_VSCROLL) Vertical.StyleFlags |= sbfHasStyle;
    LeftScrollBar = (DWORD(GetWindowLong(w, GWL_EXSTYLE)) & WS_EX_LEFTSCROLLBAR) != 0;
    ReadScrollInfo();
}

TqvScrollBars::~TqvScrollBars() {
    *alive_ = false;
    StopTracking();
}

HWND TqvScrollBars::Window() const { return owner_.Handle; }

bool TqvScrollBars::Dragging() const { return ThumbTracking && Tracking.Window == Window(); }

SIZE TqvScrollBars::Reserved() const {
    return SIZE{Vertical.Shown ? Vertical.Thickness() : 0,
                Horizontal.Shown ? Horizontal.Thickness() : 0};
}

// ---------------------------------------------------------------- state and geometry

void TqvScrollBars::ReadScrollInfo() {
    const HWND w = Window();
    for (TqvScrollBar* bar : {&Horizontal, &Vertical}) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        if (GetScrollInfo(w, bar->Vertical() ? SB_VERT : SB_HORZ, &si)) bar->ScrollInfo = si;
        unsigned flags = bar->StyleFlags & sbfHasStyle;
        SCROLLBARINFO sbi;
        if (GetScrollBarInfo(w, bar->Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi)) {
            if (sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) flags |= sbfFirstArrowDisabled;
            if (sbi.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) flags |= sbfSecondArrowDisabled;
        }
        const SCROLLINFO& s = bar->ScrollInfo;
        if (s.nMin >= s.nMax || int64_t(s.nPage) > int64_t(bar->Range())) flags |= sbfRangeDisabled;
        bar->StyleFlags = flags;
    }
}

bool TqvScrollBars::BarEnabled(const TqvScrollBar& bar) const {
    SCROLLBARINFO sbi;
    if (!GetScrollBarInfo(Window(), bar.Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi))
        return false;
    return bar.FlagsEnabled() && !(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

RECT TqvScrollBars::BarRect(const TqvScrollBar& bar) const {
    RECT wr{};
    GetWindowRect(Window(), &wr);
    const int width = WidthOf(wr), height = HeightOf(wr);
    const int hThick = Horizontal.Shown ? Horizontal.Thickness() : 0;
    const int vThick = Vertical.Shown ? Vertical.Thickness() : 0;
    if (!bar.Vertical()) {
        const int bottom = height - Edges.bottom;
        return RECT{Edges.left + (LeftScrollBar ? vThick : 0), bottom - hThick,
                    width - Edges.right - (LeftScrollBar ? 0 : vThick), bottom};
    }
    const int top = Edges.top, bottom = height - Edges.bottom - hThick;
    if (LeftScrollBar) return RECT{Edges.left, top, Edges.left + vThick, bottom};
    return RECT{width - Edges.right - vThick, top, width - Edges.right, bottom};
}

RECT TqvScrollBars::SquareRect() const {
    if (!Horizontal.Shown || !Vertical.Shown) return RECT{};
    const RECT h = BarRect(Horizontal), v = BarRect(Vertical);
    return RECT{v.left, h.top, v.right, h.bottom};
}

int TqvScrollBars::ArrowOf(const TqvScrollBar& bar) const {
    return bar.ArrowLength(owner_.Manager());
}

int TqvScrollBars::LengthOf(const TqvScrollBar& bar, const RECT& r) {
    return bar.Vertical() ? HeightOf(r) : WidthOf(r);
}

int TqvScrollBars::AlongBar(const TqvScrollBar& bar, const RECT& r, POINT p) const {
    return bar.Vertical() ? p.y - r.top : p.x - r.left;
}

POINT TqvScrollBars::CursorInWindow() const {
    POINT p{};
    GetCursorPos(&p);
    RECT wr{};
    GetWindowRect(Window(), &wr);
    return POINT{p.x - wr.left, p.y - wr.top};
}

int TqvScrollBars::PartUnder(const TqvScrollBar& bar, POINT p) const {
    const RECT r = BarRect(bar);
    if (!bar.Shown || !PtInRect(r, p)) return spNone;
    return bar.PartAt(AlongBar(bar, r, p), LengthOf(bar, r), ArrowOf(bar));
}

// ---------------------------------------------------------------- messages

bool TqvScrollBars::HandleMessage(TMessage& m) {
    const HWND w = Window();
    if (!owner_.SkinLoaded()) {
        // Without a skin the system's own bars come back with the next frame calculation.
        if (m.Msg == WM_NCCALCSIZE) {
            Horizontal.Shown = Vertical.Shown = false;
            Edges = RECT{};
        }
        if (m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY) StopTracking();
        return false;
    }
    switch (m.Msg) {
    case WM_NCCALCSIZE: CalcSize(m); return true;
    case WM_NCHITTEST: {
        const LRESULT hit = HitTest(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (hit < 0) return false;
        m.Result = hit;
        return true;
    }
    case WM_NCPAINT: {
        owner_.PassOn(m);
        if (const HDC dc = GetWindowDC(w)) {
            PaintBars(dc);
            ReleaseDC(w, dc);
        }
        return true;
    }
    case WM_NCMOUSEMOVE:
        if (IsBarHit(m.WParam)) StartHover(m.WParam == WPARAM(HTVSCROLL) ? 1 : 0);
        return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (!IsBarHit(m.WParam)) return false;
        Press(int(m.WParam), POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        m.Result = 0;
        return true;
    case WM_MOUSEMOVE:
        if (Tracking.Window != w) return false;
        if (ThumbTracking) DragThumb(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        return true; // the window does not see the mouse while its bar holds it
    case WM_LBUTTONUP:
        if (Tracking.Window == w) Release();
        return false;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the button-up will not come here, so the press ends
        // now rather than repeating on.
        if (Tracking.Window == w && !releasing_) Release();
        return false;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (!IsBarHit(m.WParam)) return false;
        m.Result = 0;
        return true;
    case WM_SYSCOMMAND: return m.WParam == kScrollCommand;
    case WM_SETCURSOR:
        if (!IsBarHit(LOWORD(uintptr_t(m.LParam)))) return false;
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        m.Result = 1;
        return true;
    case WM_STYLECHANGED: {
        if (IgnoreStyleChange) return true;
        owner_.PassOn(m);
        const DWORD style = DWORD(GetWindowLong(w, GWL_STYLE));
        Horizontal.StyleFlags = (Horizontal.StyleFlags & ~unsigned(sbfHasStyle)) |
                                ((style & WS_HSCROLL) ? unsigned(sbfHasStyle) : 0u);
        Vertical.StyleFlags = (Vertical.StyleFlags & ~unsigned(sbfHasStyle)) |
                              ((style & WS_VSCROLL) ? unsigned(sbfHasStyle) : 0u);
        LeftScrollBar = (DWORD(GetWindowLong(w, GWL_EXSTYLE)) & WS_EX_LEFTSCROLLBAR) != 0;
        return true;
    }
    case WM_MOUSEWHEEL: {
        const std::shared_ptr<bool> alive = alive_;
        owner_.PassOn(m);
        if (*alive && IsWindow(w) && !InternalScroll) Refresh();
        return true;
    }
    case WM_TIMER: {
        const std::shared_ptr<bool> alive = alive_;
        switch (m.WParam) {
        case kScrollHoverTimer: HoverTick(); break;
        case kScrollDelayTimer: DelayTick(); break;
        case kScrollRepeatTimer: RepeatTick(); break;
        default: owner_.PassOn(m); break;
        }
        if (!*alive || !IsWindow(w) || Dragging() || InternalScroll) return true;
        // Timers of the window itself may scroll it (auto-scrolling while dragging an item).
        const SCROLLINFO h = Horizontal.ScrollInfo, v = Vertical.ScrollInfo;
        const unsigned hf = Horizontal.StyleFlags, vf = Vertical.StyleFlags;
        ReadScrollInfo();
        auto same = [](const SCROLLINFO& a, const SCROLLINFO& b) {
            return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
        };
        if (!same(h, Horizontal.ScrollInfo) || !same(v, Vertical.ScrollInfo) ||
            hf != Horizontal.StyleFlags || vf != Vertical.StyleFlags)
            RepaintBars();
        return true;
    }
    case WM_DESTROY:
    case WM_NCDESTROY: StopTracking(); return false;
    default: return false;
    }
}

void TqvScrollBars::CalcSize(TMessage& m) {
    const HWND w = Window();
    if (!m.LParam) {
        owner_.PassOn(m);
        return;
    }
    RECT& proposed = m.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                              : *reinterpret_cast<RECT*>(m.LParam);
    const RECT windowRect = proposed;
    const DWORD style = DWORD(GetWindowLong(w, GWL_STYLE));
    const DWORD bars = style & (WS_HSCROLL | WS_VSCROLL);
    Horizontal.StyleFlags = (Horizontal.StyleFlags & ~unsigned(sbfHasStyle)) |
                            ((bars & WS_HSCROLL) ? unsigned(sbfHasStyle) : 0u);
    Vertical.StyleFlags = (Vertical.StyleFlags & ~unsigned(sbfHasStyle)) |
                          ((bars & WS_VSCROLL) ? unsigned(sbfHasStyle) : 0u);
    LeftScrollBar = (DWORD(GetWindowLong(w, GWL_EXSTYLE)) & WS_EX_LEFTSCROLLBAR) != 0;

    // Without the bits the system reserves no room for bars of its own.
    const std::shared_ptr<bool> alive = alive_;
    if (bars) {
        IgnoreStyleChange = true;
        SetWindowLong(w, GWL_STYLE, LONG(style & ~bars));
    }
    owner_.PassOn(m);
    if (!*alive) return;
    if (bars) {
        if (IsWindow(w)) SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) | LONG(bars));
        IgnoreStyleChange = false;
    }

    RECT& client = proposed;
    Edges = RECT{client.left - windowRect.left, client.top - windowRect.top,
                 windowRect.right - client.right, windowRect.bottom - client.bottom};
    Horizontal.Shown =
        (Horizontal.StyleFlags & sbfHasStyle) && HeightOf(client) >= Horizontal.Thickness();
    if (Horizontal.Shown) client.bottom -= Horizontal.Thickness();
    Vertical.Shown = (Vertical.StyleFlags & sbfHasStyle) && WidthOf(client) >= Vertical.Thickness();
    if (Vertical.Shown) {
        if (LeftScrollBar)
            client.left += Vertical.Thickness();
        else
            client.right -= Vertical.Thickness();
    }
}

bool TqvScrollBars::InCornerOfTopLevel() const {
    const HWND w = Window();
    const HWND root = GetAncestor(w, GA_ROOT);
    if (!root || root == w) return false;
    RECT wr{}, cr{};
    GetWindowRect(w, &wr);
    GetClientRect(root, &cr);
    POINT corner{cr.right, cr.bottom};
    ClientToScreen(root, &corner);
    return wr.right == corner.x && wr.bottom == corner.y;
}

LRESULT TqvScrollBars::HitTest(POINT screen) const {
    RECT wr{};
    GetWindowRect(Window(), &wr);
    const POINT p{screen.x - wr.left, screen.y - wr.top};
    if (Horizontal.Shown && PtInRect(BarRect(Horizontal), p))
        return BarEnabled(Horizontal) ? HTHSCROLL : HTNOWHERE;
    if (Vertical.Shown && PtInRect(BarRect(Vertical), p))
        return BarEnabled(Vertical) ? HTVSCROLL : HTNOWHERE;
    if (PtInRect(SquareRect(), p) && InCornerOfTopLevel()) return HTBOTTOMRIGHT;
    return -1;
}

// ---------------------------------------------------------------- painting

void TqvScrollBars::Refresh() {
    ReadScrollInfo();
    RepaintBars();
}

void TqvScrollBars::RepaintBars() {
    if (!CanPaint()) return;
    const HWND w = Window();
    if (const HDC dc = GetWindowDC(w)) {
        PaintBars(dc);
        ReleaseDC(w, dc);
    }
}

bool TqvScrollBars::CanPaint() const {
    const HWND w = Window();
    if (!IsWindow(w) || !IsWindowVisible(w) || InternalScroll) return false;
    if (!owner_.SkinLoaded() || !owner_.SkinData || owner_.SkinData->UpdateLock) return false;
    return Horizontal.Shown || Vertical.Shown;
}

void TqvScrollBars::PaintBars(HDC windowDC) {
    if (!windowDC || !CanPaint()) return;
    const HWND w = Window();
    const std::shared_ptr<bool> alive = alive_;
    if (owner_.SkinData->CacheInvalid) {
        SendSkinCommand(w, SkinCommandWParam(scRepaintFrame), 0);
        if (!*alive || !IsWindow(w)) return;
    }
    ParentCacheAnswer = ParentCacheInfo{};
    SendSkinCommand(w, SkinCommandWParam(scGetCache), 0);
    const ParentCacheInfo parent = ParentCacheAnswer;
    ParentCacheAnswer = ParentCacheInfo{};
    if (!*alive || !IsWindow(w)) return;
    if (Horizontal.Shown) PaintBar(Horizontal, windowDC, parent);
    if (Vertical.Shown) PaintBar(Vertical, windowDC, parent);
    if (Horizontal.Shown && Vertical.Shown) PaintSquare(windowDC, parent);
}

int TqvScrollBars::PartState(const TqvScrollBar& bar, int part) const {
    const HWND w = Window();
    if (Tracking.Window == w && Tracking.Bar == bar.Orientation && Tracking.PressedPart == part)
        return 2;
    if (Tracking.HoverWindow == w && Tracking.HoverBar == bar.Orientation &&
        Tracking.HotPart == part && BarEnabled(bar))
        return 1;
    return 0;
}

void TqvScrollBars::PaintBar(TqvScrollBar& bar, HDC dc, const ParentCacheInfo& parent) {
    const RECT r = BarRect(bar);
    if (IsRectEmpty(r)) return;
    const std::unique_ptr<Bitmap> image = ImageOverParent(r, parent);
    if (image->Empty()) return;

    const bool vertical = bar.Vertical();
    const int length = LengthOf(bar, r), across = vertical ? WidthOf(r) : HeightOf(r);
    const int arrow = ArrowOf(bar);
    const bool enabled = BarEnabled(bar);
    auto paint = [&](int part, int from, int to) {
        PaintPart(*image, Span(vertical, from, to, across), r, part, bar, parent,
                  PartState(bar, part));
    };
    if (2 * arrow < length) {
        TqvThumb thumb = bar.Thumb(length, arrow);
        // While dragged the thumb stands where the cursor put it.
        if (Dragging() && Tracking.Bar == bar.Orientation) {
            thumb = Tracking.DragThumb;
            thumb.Offset = Tracking.ThumbStart - arrow;
        }
        const int start = thumb.Start(arrow);
        const int centre = start + thumb.Length / 2;
        paint(spPageUp, 0, centre);
        paint(spPageDown, centre, length);
        paint(spLineUp, 0, arrow);
        paint(spLineDown, length - arrow, length);
        if (enabled && thumb.Length > 0 && thumb.Track >= thumb.Length)
            paint(spThumb, start, start + thumb.Length);
    } else {
        const int half = length / 2;
        paint(spPageUp, 0, half);
        paint(spPageDown, half, length);
        paint(spLineUp, 0, half);
        paint(spLineDown, half, length);
    }
    if (!enabled) PaintDisabled(*image, r, parent);

    TsBitmapDC source(*image);
    BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), source.Handle(), 0, 0, SRCCOPY);
}

void TqvScrollBars::PaintPart(Bitmap& bitmap, RECT partRect, const RECT& barRect, int partCode,
                              const TqvScrollBar& bar, const ParentCacheInfo& parent, int state) {
    if (IsRectEmpty(partRect)) return;
    const TsSkinManager* manager = owner_.Manager();
    if (!manager) return;
    const TsScrollPartIndexes& indexes =
        PartIndexes(manager->CachedIndexes, bar.Vertical(), partCode);
    if (!manager->SectionIndexValid(indexes.Section)) return; // a missing section paints less
    const char* name = PartSection(bar.Vertical(), partCode);
    const POINT barOrigin{barRect.left, barRect.top};
    RenderItemBackground(indexes.Section, name, parent, KeyColor, indexes.HotPattern,
                         indexes.Pattern, manager, bitmap,
                         POINT{barRect.left + partRect.left, barRect.top + partRect.top}, partRect,
                         state != 0);
    if (manager->ImageIndexValid(indexes.BordersMask))
        PaintMaskBorders(bitmap, partRect, true, true, state,
                         manager->MasksData[size_t(indexes.BordersMask)], Moved(parent, barOrigin));
    if (partCode == spPageUp || partCode == spPageDown) return;
    if (!manager->ImageIndexValid(indexes.GlyphMask)) return;
    const SIZE glyph = manager->GetMaskFrameSize(indexes.GlyphMask);
    // Arrows centre their picture in a square of the system's arrow width, the thumb in itself.
    const int square = GetSystemMetrics(SM_CXHSCROLL);
    const int boxW = partCode == spThumb ? WidthOf(partRect) : square;
    const int boxH = partCode == spThumb ? HeightOf(partRect) : square;
    const POINT at{partRect.left + (boxW - int(glyph.cx)) / 2,
                   partRect.top + (boxH - int(glyph.cy)) / 2};
    PaintMaskImage(bitmap, at, state, manager->MasksData[size_t(indexes.GlyphMask)], 1);
}

void TqvScrollBars::PaintDisabled(Bitmap& bitmap, const RECT& barRect,
                                  const ParentCacheInfo& parent) const {
    if (UsableParent(parent)) {
        // d = round(s - 0.4*(s - d)): the bar keeps 40 %, the background shows 60 %.
        BlendImageKeyed(bitmap, 0, 0, clNone, 0.4,
                        RECT{parent.X + barRect.left, parent.Y + barRect.top,
                             parent.X + barRect.right - 1, parent.Y + barRect.bottom - 1},
                        *parent.Bitmap);
        return;
    }
    const TsSkinManager* manager = owner_.Manager();
    if (!manager) return;
    const int section = manager->CachedIndexes.ScrollBar1H.Section;
    if (!manager->SectionIndexValid(section)) return;
    TintRectToColor(bitmap, RECT{0, 0, bitmap.Width() - 1, bitmap.Height() - 1}, 40,
                    manager->SectionsData[size_t(section)].Color);
}

void TqvScrollBars::PaintSquare(HDC dc, const ParentCacheInfo& parent) {
    const RECT sq = SquareRect();
    if (IsRectEmpty(sq)) return;
    const TsSkinManager* manager = owner_.Manager();
    if (!manager) return;
    const std::unique_ptr<Bitmap> image = ImageOverParent(sq, parent);
    if (image->Empty()) return;
    if (!UsableParent(parent)) image->Fill(uint32_t(ColorToRGB(manager->SkinGlobalHotColor())));
    if (InCornerOfTopLevel()) {
        const int grip = manager->FindImageEntryIndex("GLOBALINFO", "GRIPIMAGE");
        if (manager->ImageIndexValid(grip)) {
            const SIZE size = manager->GetMaskFrameSize(grip);
            PaintMaskImage(*image, POINT{image->Width() - size.cx, image->Height() - size.cy}, 0,
                           manager->MasksData[size_t(grip)], 1);
        }
    }
    TsBitmapDC source(*image);
    BitBlt(dc, sq.left, sq.top, WidthOf(sq), HeightOf(sq), source.Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- hovering

void TqvScrollBars::StartHover(int orientation) {
    const HWND w = Window();
    if (Tracking.HoverWindow == w && Tracking.HoverBar == orientation) return;
    if (Tracking.HoverWindow && Tracking.HoverWindow != w && IsWindow(Tracking.HoverWindow)) {
        const HWND previous = Tracking.HoverWindow;
        KillTimer(previous, kScrollHoverTimer);
        ClearHover();
        RedrawWindow(previous, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    Tracking.HoverWindow = w;
    Tracking.HoverBar = orientation;
    Tracking.HotPart = spNone;
    Tracking.HoverRect = BarRect(BarOf(orientation));
    SetTimer(w, kScrollHoverTimer, kScrollHoverMs, nullptr);
    RepaintBars();
}

void TqvScrollBars::HoverTick() {
    const HWND w = Window();
    if (Tracking.HoverWindow != w) {
        KillTimer(w, kScrollHoverTimer);
        return;
    }
    if (ThumbTracking) return;
    const POINT p = CursorInWindow();
    if (PtInRect(Tracking.HoverRect, p)) {
        const int part = PartUnder(BarOf(Tracking.HoverBar), p);
        if (part == Tracking.HotPart) return;
        Tracking.HotPart = part;
        RepaintBars();
        return;
    }
    KillTimer(w, kScrollHoverTimer);
    ClearHover();
    RepaintBars();
}

// ---------------------------------------------------------------- pressing and dragging

bool TqvScrollBars::Press(int hitCode, POINT screen) {
    const HWND w = Window();
    const int orientation = hitCode == HTVSCROLL ? 1 : 0;
    TqvScrollBar& bar = BarOf(orientation);
    ReadScrollInfo();
    RECT wr{};
    GetWindowRect(w, &wr);
    const POINT p{screen.x - wr.left, screen.y - wr.top};
    const int part = PartUnder(bar, p);
    if (part == spNone) return false;
    if ((part == spLineUp && (bar.StyleFlags & sbfFirstArrowDisabled)) ||
        (part == spLineDown && (bar.StyleFlags & sbfSecondArrowDisabled)))
        return false;
    if (part == spThumb && !BarEnabled(bar)) return false;

    Tracking.Window = w;
    Tracking.Bar = orientation;
    Tracking.ScrollMessage = bar.Vertical() ? WM_VSCROLL : WM_HSCROLL;
    Tracking.PressedPart = part;
    SetCapture(w);
    if (part == spThumb) {
        const RECT r = BarRect(bar);
        const int arrow = ArrowOf(bar);
        Tracking.DragThumb = bar.Thumb(LengthOf(bar, r), arrow);
        Tracking.ThumbStart = Tracking.DragThumb.Start(arrow);
        Tracking.GrabOffset = AlongBar(bar, r, p) - Tracking.ThumbStart;
        Tracking.DragBarRect = r;
        Tracking.LastPosition = bar.ScrollInfo.nPos;
        bar.ScrollInfo.nTrackPos = bar.ScrollInfo.nPos;
        ThumbTracking = true;
        RepaintBars();
        return true;
    }
    RepaintBars();
    if (!SendRequest(part, bar.ScrollInfo.nPos)) return true;
    if (Tracking.Window == w) SetTimer(w, kScrollDelayTimer, kScrollDelayMs, nullptr);
    return true;
}

void TqvScrollBars::DelayTick() {
    const HWND w = Window();
    KillTimer(w, kScrollDelayTimer);
    if (Tracking.Window != w) return;
    SetTimer(w, kScrollRepeatTimer, kScrollRepeatMs, nullptr);
    // The first repeat comes when the delay ends, the rest at the repeat rate.
    RepeatTick();
}

void TqvScrollBars::RepeatTick() {
    const HWND w = Window();
    if (Tracking.Window != w || ThumbTracking) {
        if (Tracking.Window != w) KillTimer(w, kScrollRepeatTimer);
        return;
    }
    TqvScrollBar& bar = BarOf(Tracking.Bar);
    // Off the pressed part nothing is sent, but the press goes on.
    if (PartUnder(bar, CursorInWindow()) != Tracking.PressedPart) return;
    SendRequest(Tracking.PressedPart, bar.ScrollInfo.nPos);
}

void TqvScrollBars::DragThumb(POINT client) {
    const HWND w = Window();
    TqvScrollBar& bar = BarOf(Tracking.Bar);
    const RECT inWindow = ClientRectInWindow(w);
    const POINT p{client.x + inWindow.left, client.y + inWindow.top};
    const RECT& r = Tracking.DragBarRect;
    const int arrow = ArrowOf(bar);
    const TqvThumb& thumb = Tracking.DragThumb;
    const int last = std::max(arrow, LengthOf(bar, r) - arrow - thumb.Length);
    const int start = std::clamp(AlongBar(bar, r, p) - Tracking.GrabOffset, arrow, last);
    Tracking.ThumbStart = start;
    RepaintBars();
    const int position = bar.PositionForThumb(start - arrow, thumb);
    if (position == Tracking.LastPosition) return;
    Tracking.LastPosition = position;
    bar.ScrollInfo.nTrackPos = position;
    SendRequest(SB_THUMBTRACK, position);
}

void TqvScrollBars::Release() {
    const HWND w = Window();
    const std::shared_ptr<bool> alive = alive_;
    if (GetCapture() == w) {
        releasing_ = true;
        ReleaseCapture();
        if (!*alive) return;
        releasing_ = false;
    }
    KillTimer(w, kScrollDelayTimer);
    KillTimer(w, kScrollRepeatTimer);
    if (Tracking.Window != w) return; // the capture's end already let go
    int position = BarOf(Tracking.Bar).ScrollInfo.nPos;
    if (ThumbTracking) {
        position = Tracking.LastPosition;
        if (!SendRequest(SB_THUMBPOSITION, position)) return;
        ThumbTracking = false;
    }
    if (!SendRequest(SB_ENDSCROLL, position)) return;
    ClearPress();
    ThumbTracking = false;
    RepaintBars();
}

bool TqvScrollBars::SendRequest(int code, int position) {
    const HWND w = Window();
    const std::shared_ptr<bool> alive = alive_;
    const int bar = Tracking.Bar == 1 ? SB_VERT : SB_HORZ;
    const UINT message = Tracking.ScrollMessage;
    auto gone = [&] { return !*alive || !IsWindow(w); };
    InternalScroll = true;
    SendSkinCommand(w, SkinCommandWParam(scScrollStart), 0);
    if (gone()) return false;
    SetScrollPos(w, bar, position, false);
    SendMessage(w, message, MAKEWPARAM(code, position), 0);
    if (gone()) return false;
    SendSkinCommand(w, SkinCommandWParam(scScrollEnd), MAKELPARAM(code, int(message)));
    if (gone()) return false;
    InternalScroll = false;
    // The window moved its position: the next request starts from there.
    Refresh();
    return true;
}

void TqvScrollBars::StopTracking() {
    const HWND w = Window();
    const bool live = IsWindow(w);
    if (Tracking.Window == w) {
        ClearPress();
        if (live) {
            KillTimer(w, kScrollDelayTimer);
            KillTimer(w, kScrollRepeatTimer);
            if (GetCapture() == w) ReleaseCapture();
        }
    }
    if (Tracking.HoverWindow == w) {
        ClearHover();
        if (live) KillTimer(w, kScrollHoverTimer);
    }
    ThumbTracking = false;
}
