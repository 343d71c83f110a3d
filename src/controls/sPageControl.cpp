#include "controls/sPageControl.h"

#include <algorithm>
#include <cstring>

#include "graphics/sAlphaGraph.h"
#include "graphics/sGraphUtils.h"
#include "paint/sAnimateRepaint.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "platform/controls/TabControl.h"
#include "platform/text/Text.h"
#include "platform/window/ScrollBars.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Messages.h"

bool CloseButtonPressed = false;

namespace {

constexpr TColor kScrollKeyColor = 0xFF0100;

bool Contains(const RECT& r, POINT p) { return !IsRectEmpty(r) && PtInRect(r, p); }

RECT Moved(RECT r, POINT by) { return OffsetRect(r, by.x, by.y); }

// Copies src (whole) to dst at `at`, leaving out the pixels inside `excluded` (dst coordinates).
void CopyBitmapExcept(const Bitmap& src, Bitmap& dst, POINT at, const RECT* excluded) {
    const int bpp = 3;
    for (int y = 0; y < src.Height(); ++y) {
        const int dy = at.y + y;
        if (dy < 0 || dy >= dst.Height()) continue;
        const uint8_t* s = src.ScanLine(y);
        uint8_t* d = dst.ScanLine(dy);
        for (int x = 0; x < src.Width(); ++x) {
            const int dx = at.x + x;
            if (dx < 0 || dx >= dst.Width()) continue;
            if (excluded && PtInRect(*excluded, POINT{dx, dy})) continue;
            std::memcpy(d + dx * bpp, s + x * bpp, bpp);
        }
    }
}

// Copies srcRect of src into dst at `at`, both clipped to their bitmaps.
void CopyBitmapRect(const Bitmap& src, RECT srcRect, Bitmap& dst, POINT at) {
    for (int y = srcRect.top; y < srcRect.bottom; ++y) {
        const int dy = at.y + y - srcRect.top;
        if (y < 0 || y >= src.Height() || dy < 0 || dy >= dst.Height()) continue;
        const uint8_t* s = src.ScanLine(y);
        uint8_t* d = dst.ScanLine(dy);
        for (int x = srcRect.left; x < srcRect.right; ++x) {
            const int dx = at.x + x - srcRect.left;
            if (x < 0 || x >= src.Width() || dx < 0 || dx >= dst.Width()) continue;
            std::memcpy(d + dx * 3, s + x * 3, 3);
        }
    }
}

void FillBitmapRect(Bitmap& b, RECT r, TColor color) {
    IntersectRect(r, r, RECT{0, 0, b.Width(), b.Height()});
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) b.SetPixel(x, y, uint32_t(ColorToRGB(color)));
}

void BlitToDC(HDC dc, RECT at, const Bitmap& b) {
    TsBitmapDC src(b);
    BitBlt(dc, at.left, at.top, b.Width(), b.Height(), src.Handle(), 0, 0, SRCCOPY);
}

// A tab's or close button's look: the section's layers and its border in the given frame
// (0 normal, 1 hot, 2 active; a border with fewer frames shows its last one).
void RenderTabLook(const TsSkinManager& manager, int section, int border, Bitmap& bitmap,
                   POINT offset, RECT rect, int state, ParentCacheInfo parentCache) {
    const std::string& name = manager.SectionsData[size_t(section)].SectionName;
    RenderItemBackground(section, name, parentCache, KeyColor, -1, -1, &manager, bitmap, offset,
                         rect, state != 0);
    if (!manager.ImageIndexValid(border)) return;
    const TsMaskData& mask = manager.MasksData[size_t(border)];
    parentCache.X += offset.x;
    parentCache.Y += offset.y;
    const int frame = std::clamp(state, 0, std::max(0, mask.ImageCount - 1));
    PaintMaskBorders(bitmap, rect, true, true, frame, mask, parentCache);
}

} // namespace

// The up-down's painter asks these without knowing the page control's class.
bool IsSkinnedPageControl(const TWinControl* control) {
    return dynamic_cast<const TsPageControl*>(control) != nullptr;
}
TsSkinManager* PageControlManager(const TWinControl* control) {
    const auto* pc = dynamic_cast<const TsPageControl*>(control);
    return pc ? pc->SkinData->GetSkinManager() : nullptr;
}

// ---------------------------------------------------------------- the close button

TsTabBtn::TsTabBtn(TComponent* owner, TsTabSheet* sheet) : TsSpeedButton(owner), sheet_(sheet) {
    SetFlat(true);
    SetBounds(0, 0, 15, 15);
    SetCaption("X");
    Font().SetStyle(fsBold);
    Font().SetColor(0x0000FF);
}

void TsTabBtn::Click() {
    TsSpeedButton::Click();
    TsPageControl* pc = sheet_ ? sheet_->SkinnedControl() : nullptr;
    if (pc) pc->CloseSheet(sheet_->PageIndex());
}

// ---------------------------------------------------------------- the sheet

TsTabSheet::TsTabSheet(TComponent* owner) : TTabSheet(owner) {}

TsTabSheet::~TsTabSheet() {
    closeButton_.reset();
    Destroying();
}

TsPageControl* TsTabSheet::SkinnedControl() const {
    return dynamic_cast<TsPageControl*>(PageControl());
}

void TsTabSheet::InvalidateControl() {
    if (TsPageControl* pc = SkinnedControl()) pc->SkinData->Invalidate();
}

void TsTabSheet::SetTabSkin(const std::string& value) {
    if (value == tabSkin_) return;
    tabSkin_ = value;
    InvalidateControl();
}

void TsTabSheet::SetButtonSkin(const std::string& value) {
    if (value == buttonSkin_) return;
    buttonSkin_ = value;
    InvalidateControl();
}

void TsTabSheet::SetUseCloseBtn(bool value) {
    if (value == useCloseBtn_) return;
    useCloseBtn_ = value;
    InvalidateControl();
}

void TsTabSheet::Paint(TMessage& m) {
    TsPageControl* pc = SkinnedControl();
    TsCommonData& sd = *pc->SkinData;
    PAINTSTRUCT ps{};
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    const bool own = dc == nullptr;
    if (own) dc = BeginPaint(Handle(), &ps);
    sd.UpdateLock = sd.IsUpdating();
    if (!sd.UpdateLock && sd.CacheBitmap) {
        CopyCacheToDC(this, sd, POINT{Left(), Top()}, 0, 0, false, dc,
                      RECT{0, 0, Width(), Height()});
        PaintGraphicChildren(dc, this, POINT{0, 0});
        RepaintChildren(this);
    }
    if (own) EndPaint(Handle(), &ps);
    m.Result = 0;
}

void TsTabSheet::WndProc(TMessage& m) {
    TsPageControl* pc = SkinnedControl();
    if (m.Msg == SM_ORVENCMD && pc) {
        TsCommonData& sd = *pc->SkinData;
        const bool ours = m.LParam == LPARAM(sd.GetSkinManager());
        switch (SkinCommandCode(m.WParam)) {
        case scRemoveSkin:
            if (ours) Invalidate();
            BroadcastToChildren(this, m);
            return;
        case scSkinLoaded: BroadcastToChildren(this, m); return;
        case scRefresh:
            if (ours && Visible()) Invalidate();
            BroadcastToChildren(this, m);
            return;
        case scGetCache:
            if (sd.SkinActive(false) && sd.CacheBitmap && !sd.CacheBitmap->Empty())
                ParentCacheAnswer = ParentCacheInfo{sd.CacheBitmap.get(), Left(), Top(), true};
            return;
        case scIsSkinned: m.Result = m.LParam = 1; return;
        case scIsNotReady: {
            TMessage ask{SM_ORVENCMD, SkinCommandWParam(scIsNotReady), 0, 0};
            pc->Perform(ask);
            m.Result = m.LParam = ask.LParam;
            return;
        }
        case scHasImageBackground: {
            const TsGeneralData* s = sd.SkinActive(false) ? sd.Section() : nullptr;
            const bool image =
                s && (s->GradientPercent > 0 || s->ImagePercent > 0 || s->Transparency > 0);
            m.Result = m.LParam = image ? 1 : 0;
            return;
        }
        case scGetBgColor: pc->Perform(m); return;
        case scGetApplication: m.Result = LRESULT(Application); return;
        default: break;
        }
    }
    if (pc && pc->SkinData->SkinActive(false) && !IsDestroying()) {
        if (m.Msg == WM_ERASEBKGND) {
            m.Result = 1;
            return;
        }
        if (m.Msg == WM_PAINT && Showing()) {
            Paint(m);
            return;
        }
    }
    TTabSheet::WndProc(m);
}

// ---------------------------------------------------------------- the page control

TsPageControl::TsPageControl(TComponent* owner)
    : TPageControl(owner), SkinData(std::make_unique<TsCommonData>(this, true)) {
    SkinData->ControlKind = 141;
    SkinData->Loaded();
}

TsPageControl::~TsPageControl() {
    Destroying();
    scrollButtons_.reset();
}

void TsPageControl::Loaded() {
    TPageControl::Loaded();
    SkinData->Loaded();
    NotifyForm(this);
    SyncScrollButtons();
    SyncCloseButtons();
}

TsTabSheet* TsPageControl::SkinnedSheet(int pageIndex) const {
    if (pageIndex < 0 || pageIndex >= PageCount()) return nullptr;
    return dynamic_cast<TsTabSheet*>(Pages(pageIndex));
}

bool TsPageControl::SheetUsesCloseBtn(int pageIndex) const {
    const TsTabSheet* s = SkinnedSheet(pageIndex);
    return s && s->UseCloseBtn();
}

int TsPageControl::ActivePageIndex() const { return ActivePage() ? ActivePage()->PageIndex() : -1; }

// ---------------------------------------------------------------- geometry

RECT TsPageControl::NativeTabRect(int tabIndex) {
    RECT r{};
    if (tabIndex >= 0 && tabIndex < PageCount() && HandleAllocated())
        SendMessage(Handle(), TCM_GETITEMRECT, WPARAM(tabIndex), LPARAM(&r));
    return r;
}

RECT TsPageControl::StripArea() {
    if (VisibleTabCount() == 0) return {0, 0, Width(), Height()};
    const RECT c = DisplayRect();
    switch (TabPosition()) {
    case tpTop: return {0, 0, Width(), c.top - 4};
    case tpBottom: return {0, c.bottom + 1, Width(), Height()};
    case tpLeft: return {0, 0, c.left - 1, Height()};
    case tpRight: return {c.right + 1, 0, Width(), Height()};
    }
    return {};
}

RECT TsPageControl::FrameArea() {
    if (VisibleTabCount() == 0) return {0, 0, Width(), Height()};
    const RECT c = DisplayRect();
    switch (TabPosition()) {
    case tpTop: return {0, c.top - 4, Width(), Height()};
    case tpBottom: return {0, 0, Width(), c.bottom + 1};
    case tpLeft: return {c.left - 1, 0, Width(), Height()};
    case tpRight: return {0, 0, c.right + 1, Height()};
    }
    return {};
}

RECT TsPageControl::SkinnedTabBounds(int tabIndex, bool active) {
    if (tabIndex < 0 || tabIndex >= PageCount() || !ActivePage()) return {};
    const RECT n = NativeTabRect(tabIndex);
    if (Style() != tsTabs || IsRectEmpty(n)) return n;
    const LONG l = n.left, t = n.top, r = n.right, b = n.bottom;
    switch (TabPosition()) {
    case tpTop: return active ? RECT{l - 2, t - 2, r + 2, b + 2} : RECT{l, t, r - 1, b + 4};
    case tpBottom: return active ? RECT{l - 2, t - 3, r + 2, b + 1} : RECT{l, t - 2, r - 1, b};
    case tpLeft: return active ? RECT{l - 1, t - 2, r + 3, b + 1} : RECT{l, t - 1, r + 3, b};
    case tpRight: return active ? RECT{l - 3, t - 2, r + 1, b + 2} : RECT{l - 2, t - 1, r - 1, b};
    }
    return n;
}

int TsPageControl::TabAtPoint(POINT p) {
    for (int i = 0; i < PageCount(); ++i)
        if (Contains(SkinnedTabBounds(i, false), p)) return i;
    return -1;
}

int TsPageControl::TabRowNumber(int tabIndex) {
    const int rows = HandleAllocated() ? int(SendMessage(Handle(), TCM_GETROWCOUNT, 0, 0)) : 0;
    if (rows < 2) return 1;
    const RECT n = NativeTabRect(tabIndex);
    const int w = std::max<int>(1, WidthOf(n)), h = std::max<int>(1, HeightOf(n));
    const RECT s = StripArea();
    switch (TabPosition()) {
    case tpTop: return (h / 2 + n.bottom) / h;
    case tpLeft: return (w / 2 + n.right) / w;
    case tpRight: return rows - (n.right + w / 2 - s.left) / w + 1;
    case tpBottom: return rows - (n.bottom + h / 2 - s.top) / h + 1;
    }
    return 1;
}

RECT TsPageControl::CloseButtonBounds(int tabIndex) {
    if (!Skinned() || tabIndex < 0) return {};
    const RECT r = SkinnedTabBounds(tabIndex, tabIndex == ActivePageIndex());
    return {r.right - closeBtnWidth_ - 1, r.top + 1, r.right - 1, r.top + closeBtnHeight_ + 1};
}

int TsPageControl::OverflowTabCount() {
    if (!Skinned()) return 0;
    const int limit = Width() - (scrollButtons_ ? scrollButtons_->Width() : 0) - 3;
    int count = 0;
    for (int i = 0; i < PageCount(); ++i) {
        const RECT n = NativeTabRect(i);
        if (!IsRectEmpty(n) && (n.right > limit || n.right <= 4)) ++count;
    }
    return count;
}

std::string TsPageControl::PageSection() const {
    if (SkinData->SkinSection() != "PAGECONTROL") return SkinData->SkinSection();
    switch (TabPosition()) {
    case tpTop: return "PAGECONTROL";
    case tpBottom: return "PAGECONTROLBOTTOM";
    case tpLeft: return "PAGECONTROLLEFT";
    case tpRight: return "PAGECONTROLRIGHT";
    }
    return "PAGECONTROL";
}

bool TsPageControl::TabSection(int pageIndex, int& section, int& borderMask) const {
    section = borderMask = -1;
    const TsSkinManager* m = SkinData->GetSkinManager();
    if (!m || m->CachedIndexes.TabTop <= 0) return false;
    const TsTabSheet* sheet = SkinnedSheet(pageIndex);
    const std::string tabSkin = sheet ? sheet->TabSkin() : std::string();
    std::string name = tabSkin;
    if (name.empty() && Style() == tsTabs) {
        const TsCachedIndexes& c = m->CachedIndexes;
        switch (TabPosition()) {
        case tpTop: section = c.TabTop, borderMask = c.TabTopBorder; break;
        case tpBottom: section = c.TabBottom, borderMask = c.TabBottomBorder; break;
        case tpLeft: section = c.TabLeft, borderMask = c.TabLeftBorder; break;
        case tpRight: section = c.TabRight, borderMask = c.TabRightBorder; break;
        }
    } else {
        if (name.empty()) name = Style() == tsButtons ? "BUTTON" : "TOOLBUTTON";
        section = m->GetSectionIndex(name);
        borderMask = m->FindImageEntryIndex(name, "BORDERSMASK");
    }
    return m->SectionIndexValid(section) && m->ImageIndexValid(borderMask);
}

// ---------------------------------------------------------------- painting the tabs

void TsPageControl::RenderTab(int pageIndex, int state, POINT offset, Bitmap& target) {
    if (pageIndex < 0 || pageIndex >= PageCount()) return;
    const bool isActivePage = pageIndex == ActivePageIndex();
    RECT r0 = SkinnedTabBounds(pageIndex, isActivePage);
    if (state == 1 && r0.left < 0) return;
    const bool active = state == 2 && isActivePage;
    RECT r = SkinnedTabBounds(pageIndex, active);
    if (IsRectEmpty(r)) return;
    const TsSkinManager* m = SkinData->GetSkinManager();
    int section = -1, border = -1;
    if (m && TabSection(pageIndex, section, border) && SkinData->CacheBitmap) {
        const Bitmap& cache = *SkinData->CacheBitmap;
        Bitmap w(WidthOf(r), HeightOf(r), 24);
        if (active) {
            CopyBitmapRect(cache, r, w, POINT{0, 0});
            // Around the tab's rounded edges lies whatever is behind the control.
            r0 = Moved(r0, offset);
            if (ParentBgColor == KeyColor) {
                const ParentCacheInfo pc = SkinData->QueryParentBackground();
                const RECT n = NativeTabRect(pageIndex);
                if (pc.Usable && pc.Bitmap) {
                    const POINT from{n.left + Left() + pc.X, n.top + Top() + pc.Y};
                    CopyBitmapRect(
                        *pc.Bitmap,
                        RECT{from.x, from.y, from.x + WidthOf(r0), from.y + HeightOf(r0)}, w,
                        POINT{r0.left, r0.top});
                } else if (Parent()) {
                    FillBitmapRect(w, r0, Parent()->Color());
                }
            } else {
                FillBitmapRect(w, r0, ParentBgColor);
            }
            CopyBitmapExcept(w, target, POINT{r.left + offset.x, r.top + offset.y}, nullptr);
            RenderTabLook(*m, section, border, target, POINT{0, 0},
                          RECT{0, 0, w.Width(), w.Height()}, 2, ParentCacheInfo{&w, 0, 0, true});
        } else {
            RenderTabLook(*m, section, border, w, POINT{r.left, r.top},
                          RECT{0, 0, w.Width(), w.Height()}, state,
                          ParentCacheInfo{&cache, 0, 0, true});
            const RECT frame = Moved(FrameArea(), offset);
            const bool clipFrame = TabPosition() == tpTop || TabPosition() == tpLeft;
            CopyBitmapExcept(w, target, POINT{r.left + offset.x, r.top + offset.y},
                             clipFrame ? &frame : nullptr);
        }
    }
    PaintTabCaption(pageIndex, state, active, r, section, target);
}

void TsPageControl::PaintTabCaption(int pageIndex, int state, bool active, RECT r, int section,
                                    Bitmap& target) {
    if (OwnerDraw()) {
        if (OnDrawTab) OnDrawTab(this, pageIndex, r, state != 0);
        return;
    }
    (void)active;
    // The caller has moved the tab into the target already when it used an offset; captions
    // follow the tab where it was painted, so compute it from the target's own placement.
    TsBitmapDC dcHolder(target);
    HDC dc = dcHolder.Handle();
    if (!dc) return;
    TTabSheet* sheet = Pages(pageIndex);
    const std::string caption = sheet->Caption();
    const TImageList* images = Images();
    const bool withImage =
        images && sheet->ImageIndex() >= 0 && sheet->ImageIndex() < images->Count();
    const int iw = withImage ? images->Width() : 0, ih = withImage ? images->Height() : 0;
    const TsSkinManager* m = SkinData->GetSkinManager();
    const bool isActivePage = pageIndex == ActivePageIndex();

    if (TabPosition() == tpTop || TabPosition() == tpBottom) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font = Font();
        const int tw = CanvasTextWidth(canvas, caption);
        if (withImage) {
            images->Draw(dc, r.left + (WidthOf(r) - (tw + iw + 8)) / 2,
                         r.top + (HeightOf(r) - ih) / 2, sheet->ImageIndex(), true);
            r.left += iw;
        }
        RECT tr = r;
        WriteSectionText(canvas, caption, withImage ? Enabled() : true, m, state != 0, section,
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE, tr);
        if (Focused() && state == 2 && !caption.empty()) {
            const SIZE s = CanvasTextSize(canvas, caption);
            RECT f{r.left + (WidthOf(r) - s.cx) / 2, r.top + (HeightOf(r) - s.cy) / 2, 0, 0};
            f.right = f.left + s.cx;
            f.bottom = f.top + s.cy;
            f = InflateRect(f, 2, 1);
            DrawDottedFrame(dc, f);
        }
        canvas.SetHandle(nullptr);
        return;
    }

    // Side tabs: a rotated font made from the control's.
    const TFont& font = Font();
    LOGFONT lf;
    lf.lfHeight = -font.Height();
    lf.lfItalic = (font.Style() & fsItalic) ? 1 : 0;
    lf.lfUnderline = (font.Style() & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (font.Style() & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = font.Charset();
    lf.lfWeight = 400;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    HFONT plain = CreateFontIndirect(&lf);
    const int saved = SaveDC(dc);
    HGDIOBJ old = SelectObject(dc, plain);
    SIZE ext{};
    GetTextExtentPoint32(dc, caption.c_str(), int(caption.size()), &ext);
    SelectObject(dc, old);
    const int tw = ext.cx, th = ext.cy;
    lf.lfEscapement = lf.lfOrientation = TabPosition() == tpLeft ? -2700 : -900;
    HFONT rotated = CreateFontIndirect(&lf);
    SelectObject(dc, rotated);
    TColor color = 8421504;
    if (Enabled() && m && m->SectionIndexValid(section)) {
        const TsGeneralData& g = m->SectionsData[size_t(section)];
        color = state == 0 ? g.FontColor[0] : g.HotFontColor[0];
    } else if (Enabled()) {
        color = font.Color();
    }
    SetTextColor(dc, ColorToRGB(color));
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    POINT start{};
    RECT focus{};
    if (TabPosition() == tpLeft) {
        if (withImage) {
            if (isActivePage) r = OffsetRect(r, 2, 0);
            const int a = HeightOf(r) - (ih + tw + 4);
            images->Draw(dc, r.left + (WidthOf(r) - iw) / 2, r.bottom - a / 2 - ih,
                         sheet->ImageIndex(), Enabled());
            start = {r.left + (WidthOf(r) - th) / 2, r.bottom - a / 2 - ih - 4};
        } else {
            start = {r.left + (WidthOf(r) - th) / 2, r.bottom - (HeightOf(r) - tw) / 2};
        }
        const int boxH = withImage ? tw + 4 : tw;
        focus = {r.left + (WidthOf(r) - th) / 2, r.top + (HeightOf(r) - boxH) / 2, 0, 0};
        focus.right = focus.left + th;
        focus.bottom = focus.top + boxH;
        if (withImage) focus = OffsetRect(focus, 0, -(ih + 4) / 2);
    } else {
        r = OffsetRect(r, -2, -1);
        if (withImage && isActivePage) r = OffsetRect(r, 2, 0);
        const int a = HeightOf(r) - (ih + tw + 4);
        if (withImage) {
            images->Draw(dc, r.left + (WidthOf(r) - iw) / 2, r.top + a / 2, sheet->ImageIndex(),
                         Enabled());
            start = {r.left + (WidthOf(r) - th) / 2 + th, r.top + a / 2 + ih + 4};
        } else {
            start = {r.left + (WidthOf(r) - th) / 2 + th, r.top + (HeightOf(r) - tw) / 2};
        }
        const int boxH = tw + 4;
        focus = {r.left + (WidthOf(r) - th) / 2, r.top + (HeightOf(r) - boxH) / 2, 0, 0};
        focus.right = focus.left + th;
        focus.bottom = focus.top + boxH;
        if (withImage) focus = OffsetRect(focus, 0, (ih + 4) / 2);
    }
    TextOut(dc, start.x, start.y, caption.c_str(), int(caption.size()));
    if (Focused() && state != 0) DrawDottedFrame(dc, focus);
    SelectObject(dc, old);
    RestoreDC(dc, saved);
    DeleteObject(rotated);
    DeleteObject(plain);
}

void TsPageControl::RenderTabToDC(int pageIndex, int state, HDC dc) {
    if (pageIndex < 0 || pageIndex >= PageCount()) return;
    const RECT r = SkinnedTabBounds(pageIndex, state == 2);
    if (IsRectEmpty(r)) return;
    Bitmap b(WidthOf(r), HeightOf(r), 24);
    // A tab the skin has no look for still shows what lies under it.
    if (SkinData->CacheBitmap) CopyBitmapRect(*SkinData->CacheBitmap, r, b, POINT{0, 0});
    RenderTab(pageIndex, state, POINT{-r.left, -r.top}, b);
    BlitToDC(dc, r, b);
    if (showCloseBtns_ && SheetUsesCloseBtn(pageIndex)) {
        TsBitmapDC src(b);
        RenderCloseButton(dc, r, src.Handle(), 0);
    }
}

void TsPageControl::RenderTabOnWindow(int pageIndex, int state) {
    if (!HandleAllocated()) return;
    HDC dc = GetDC(Handle());
    if (!dc) return;
    const RECT n = NativeTabRect(pageIndex);
    IntersectClipRect(dc, n.left, n.top, n.right, n.bottom);
    const RECT a = SkinnedTabBounds(ActivePageIndex(), true);
    ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
    RenderTabToDC(pageIndex, state, dc);
    ReleaseDC(Handle(), dc);
}

void TsPageControl::RenderCloseButton(HDC dc, RECT tabRect, HDC sourceDC, int state) {
    const TsSkinManager* m = SkinData->GetSkinManager();
    if (closeButtonIndex_ < 0 || !m || closeBtnWidth_ <= 0 || closeBtnHeight_ <= 0) return;
    const int cw = closeBtnWidth_, ch = closeBtnHeight_;
    const RECT b{tabRect.right - cw - 1, tabRect.top + 1, tabRect.right - 1, tabRect.top + ch + 1};
    Bitmap bmp(cw, ch, 24);
    {
        TsBitmapDC dst(bmp);
        if (sourceDC) {
            BitBlt(dst.Handle(), 0, 0, cw, ch, sourceDC, WidthOf(tabRect) - cw - 1, 1, SRCCOPY);
        } else if (SkinData->CacheBitmap) {
            CopyBitmapRect(*SkinData->CacheBitmap, b, bmp, POINT{0, 0});
        }
    }
    if (!closeBtnSkin_.empty()) {
        if (!m->SectionIndexValid(closeButtonIndex_)) return;
        const int border = m->GetImageEntryIndex(closeButtonIndex_, closeBtnSkin_, "BORDERSMASK");
        ParentCacheInfo pc;
        if (SkinData->CacheBitmap) pc = ParentCacheInfo{SkinData->CacheBitmap.get(), 0, 0, true};
        RenderTabLook(*m, closeButtonIndex_, border, bmp, POINT{b.left, b.top}, RECT{0, 0, cw, ch},
                      state, pc);
        TsBitmapDC dst(bmp);
        TCanvas canvas;
        canvas.SetHandle(dst.Handle());
        canvas.Font = Font();
        canvas.Font.SetStyle(fsBold);
        canvas.Font.SetColor(0x0000FF);
        SetBkMode(dst.Handle(), TRANSPARENT);
        SetTextColor(dst.Handle(), 0x0000FF);
        const SIZE s = CanvasTextSize(canvas, "X");
        const int shift = state == 2 ? 1 : 0;
        canvas.TextOut((15 - s.cx) / 2 + shift, (15 - s.cy) / 2 + shift, "X");
        canvas.SetHandle(nullptr);
    } else if (m->ImageIndexValid(closeButtonIndex_)) {
        PaintMaskImage(bmp, POINT{0, 0}, state, m->MasksData[size_t(closeButtonIndex_)], 1);
    }
    BlitToDC(dc, b, bmp);
}

void TsPageControl::LookUpCloseButtonSkin() {
    const TsSkinManager* m = SkinData->GetSkinManager();
    closeButtonIndex_ = -1;
    closeBtnWidth_ = closeBtnHeight_ = 0;
    if (!m) return;
    if (!closeBtnSkin_.empty()) {
        closeButtonIndex_ = m->GetSectionIndex(closeBtnSkin_);
        if (closeButtonIndex_ >= 0) closeBtnWidth_ = closeBtnHeight_ = 15;
        return;
    }
    const int info = m->GetSectionIndex("GLOBALINFO");
    closeButtonIndex_ = m->GetImageEntryIndex(info, "GLOBALINFO", "SICONCLOSE");
    if (closeButtonIndex_ < 0)
        closeButtonIndex_ = m->GetImageEntryIndex(info, "GLOBALINFO", "BICONCLOSE");
    if (m->ImageIndexValid(closeButtonIndex_)) {
        const TsMaskData& md = m->MasksData[size_t(closeButtonIndex_)];
        const int width = md.Bmp ? md.Bmp->Width() : WidthOf(md.R);
        const int height = md.Bmp ? md.Bmp->Height() : HeightOf(md.R);
        closeBtnWidth_ = width / std::max<int>(1, md.ImageCount);
        closeBtnHeight_ = height / (md.MaskType + 1);
    } else {
        closeButtonIndex_ = -1;
    }
}

void TsPageControl::RenderCloseButtons(HDC dc) {
    if (!showCloseBtns_) return;
    const int active = ActivePageIndex();
    for (int i = 0; i < PageCount(); ++i)
        if (SheetUsesCloseBtn(i))
            RenderCloseButton(dc, SkinnedTabBounds(i, i == active), nullptr, i == active ? 2 : 0);
}

void TsPageControl::RenderCloseButtonState(int pageIndex, int buttonState, int tabState) {
    if (pageIndex < 0 || pageIndex >= PageCount() || !showCloseBtns_ ||
        !SheetUsesCloseBtn(pageIndex) || !HandleAllocated())
        return;
    const RECT r = SkinnedTabBounds(pageIndex, pageIndex == ActivePageIndex());
    if (IsRectEmpty(r)) return;
    Bitmap b(WidthOf(r), HeightOf(r), 24);
    RenderTab(pageIndex, tabState, POINT{-r.left, -r.top}, b);
    if (tabState != 2 && SkinData->CacheBitmap)
        CopyBitmapRect(*SkinData->CacheBitmap, RECT{r.left, r.bottom - 5, r.right, r.bottom}, b,
                       POINT{0, b.Height() - 5});
    HDC dc = GetDC(Handle());
    if (!dc) return;
    TsBitmapDC src(b);
    RenderCloseButton(dc, r, src.Handle(), buttonState);
    ReleaseDC(Handle(), dc);
}

void TsPageControl::RenderTabStrip(const ParentCacheInfo& parentCache) {
    if (!SkinData->CacheBitmap) return;
    Bitmap& cache = *SkinData->CacheBitmap;
    const RECT strip = StripArea();
    if (parentCache.Usable && parentCache.Bitmap) {
        const POINT from{parentCache.X + Left() + strip.left, parentCache.Y + Top() + strip.top};
        CopyBitmapRect(*parentCache.Bitmap,
                       RECT{from.x, from.y, from.x + WidthOf(strip), from.y + HeightOf(strip)},
                       cache, POINT{strip.left, strip.top});
    } else if (Parent()) {
        FillBitmapRect(cache, strip, Parent()->Color());
    }
    const int rows =
        std::max(1, HandleAllocated() ? int(SendMessage(Handle(), TCM_GETROWCOUNT, 0, 0)) : 1);
    try {
        for (int row = 1; row <= rows; ++row)
            for (int i = 0; i < PageCount(); ++i)
                if (TabRowNumber(i) == row) RenderTab(i, 0, POINT{0, 0}, cache);
    } catch (...) {
        // A tab that cannot be painted leaves the rest of the strip as it is.
    }
}

// ---------------------------------------------------------------- the full paint

void TsPageControl::FullPaint(TMessage& m) {
    PAINTSTRUCT ps{};
    HDC given = reinterpret_cast<HDC>(m.WParam);
    const bool print = m.LParam == 1 && given;
    HDC dc = given ? given : BeginPaint(Handle(), &ps);
    TsCommonData& sd = *SkinData;
    sd.UpdateLock = sd.IsUpdating();
    if (!sd.UpdateLock && !tabSizePending_ && dc) {
        TWinControl* parent = Parent();
        if (sd.CacheIncomplete || (parent && AskSkinCommand(parent, scIsIncomplete)))
            sd.CacheInvalid = true;
        if (parent) {
            const RECT pr = parent->ClientRect();
            sd.CacheIncomplete = !PtInRect(pr, POINT{Left(), Top()}) ||
                                 !PtInRect(pr, POINT{Left() + Width() - 1, Top() + Height() - 1});
        }
        sectionInUse_ = PageSection();
        const TsSkinManager* manager = sd.GetSkinManager();
        sd.SectionIndex = manager ? manager->GetSectionIndex(sectionInUse_) : -1;
        const ParentCacheInfo pc = sd.QueryParentBackground();
        sd.SizeCacheBitmap();
        const bool tabs = VisibleTabCount() > 0;
        const bool rebuilt = sd.CacheInvalid;
        if (sd.CacheInvalid) {
            if (tabs) RenderTabStrip(pc);
            const RECT frame = FrameArea();
            ParentFillColor = parent ? parent->Color() : KeyColor;
            RenderSectionItem(sd.SectionIndex, sectionInUse_, pc, -1, -1, manager, *sd.CacheBitmap,
                              POINT{Left() + frame.left, Top() + frame.top}, frame, false, false);
            ParentFillColor = KeyColor;
            sd.CacheInvalid = false;
        }
        const int active = ActivePageIndex();
        const int activeSaved = SaveDC(dc);
        if (tabs && active >= 0) {
            const RECT a = SkinnedTabBounds(active, true);
            ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
        }
        const int closeSaved = SaveDC(dc);
        if (showCloseBtns_)
            for (int i = 0; i < PageCount(); ++i)
                if (i != active && SheetUsesCloseBtn(i)) {
                    const RECT c = CloseButtonBounds(i);
                    ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
                }
        CopyCacheToDC(this, sd, POINT{0, 0}, 0, 0, true, dc, RECT{0, 0, Width(), Height()});
        RestoreDC(dc, closeSaved);
        RenderCloseButtons(dc);
        PaintGraphicChildren(dc, this, POINT{0, 0});
        RestoreDC(dc, activeSaved);
        if (tabs && active >= 0) RenderTabToDC(active, 2, dc);
        if (TTabSheet* sheet = ActivePage()) {
            if (print) {
                POINT old{};
                OffsetViewportOrgEx(dc, sheet->Left(), sheet->Top(), &old);
                sheet->Perform(WM_PAINT, WPARAM(dc), 0);
                SetViewportOrgEx(dc, old.x, old.y, nullptr);
            } else if (rebuilt) {
                sheet->Invalidate();
            }
        }
    }
    if (!given) EndPaint(Handle(), &ps);
    paintedTabCount_ = VisibleTabCount();
    m.Result = 0;
}

void TsPageControl::PaintNonClient() {
    // The control has no frame of its own: the page frame lies in the client area and is
    // painted with it.
}

void TsPageControl::RedrawAll() {
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

// ---------------------------------------------------------------- page change

void TsPageControl::UpdateActivePage() {
    TrackedTab = -1;
    if (!Skinned()) {
        TPageControl::UpdateActivePage();
        return;
    }
    TPageControl::UpdateActivePage();
    if (SkinData->IsUpdating()) {
        tabSizePending_ = false;
        return;
    }
    if (VisibleTabCount() == paintedTabCount_) {
        SkinData->CacheInvalid = false;
        const int active = ActivePageIndex();
        if (active >= 0 && HandleAllocated()) {
            HDC dc = GetDC(Handle());
            if (dc) {
                if (!animating_) {
                    RenderTabStrip(SkinData->QueryParentBackground());
                    RECT strip = StripArea();
                    if (TabPosition() == tpTop) strip.bottom += 2;
                    if (TabPosition() == tpBottom) strip.top -= 2;
                    if (TabPosition() == tpLeft) strip.right += 2;
                    if (TabPosition() == tpRight) strip.left -= 2;
                    if (SkinData->CacheBitmap) {
                        TsBitmapDC src(*SkinData->CacheBitmap);
                        BitBlt(dc, strip.left, strip.top, WidthOf(strip), HeightOf(strip),
                               src.Handle(), strip.left, strip.top, SRCCOPY);
                    }
                    RenderCloseButtons(dc);
                }
                RenderTabToDC(active, 2, dc);
                ReleaseDC(Handle(), dc);
            }
            ActivePage()->Invalidate();
        } else if (active < 0) {
            SkinData->Invalidate();
        }
    } else {
        SkinData->CacheInvalid = true;
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        if (ActivePage()) ActivePage()->Invalidate();
    }
    tabSizePending_ = false;
}

// ---------------------------------------------------------------- close buttons

void TsPageControl::SetShowCloseBtns(bool value) {
    if (value == showCloseBtns_) return;
    showCloseBtns_ = value;
    if (value && Skinned()) LookUpCloseButtonSkin();
    SyncCloseButtons();
    if (Skinned()) SkinData->Invalidate();
}

void TsPageControl::SetCloseBtnSkin(const std::string& value) {
    closeBtnSkin_ = value;
    SkinData->Invalidate();
}

void TsPageControl::CloseSheet(int pageIndex) {
    if (pageIndex < 0 || pageIndex >= PageCount()) return;
    TTabSheet* sheet = Pages(pageIndex);
    bool canClose = true;
    TqvCloseAction action = qvaFree;
    if (OnCloseBtnClick) OnCloseBtnClick(this, pageIndex, canClose, action);
    // The handler may have removed the page itself.
    if (!canClose || pageIndex >= PageCount() || Pages(pageIndex) != sheet) return;
    if (auto* s = dynamic_cast<TsTabSheet*>(sheet)) s->closeButton_.reset();
    if (action == qvaFree) {
        delete sheet;
    } else {
        // Hiding the tab keeps the sheet for its owner; it leaves the strip until it is put back.
        sheet->SetPageControl(nullptr);
        sheet->SetVisible(false);
    }
    SkinData->CacheInvalid = true;
    SyncCloseButtons();
    SyncScrollButtons();
    RedrawAll();
}

void TsPageControl::SyncCloseButtons() {
    const bool wanted = showCloseBtns_ && !Skinned() && !IsDestroying();
    for (int i = 0; i < PageCount(); ++i) {
        auto* sheet = SkinnedSheet(i);
        if (!sheet) continue;
        if (!wanted || !sheet->UseCloseBtn()) {
            sheet->closeButton_.reset();
            continue;
        }
        if (!sheet->closeButton_) {
            sheet->closeButton_ = std::make_unique<TsTabBtn>(nullptr, sheet);
            sheet->closeButton_->SetParent(this);
        }
        const RECT r = NativeTabRect(i);
        const int left = TabPosition() == tpLeft ? r.left + 1 : r.right - 15 - 1;
        sheet->closeButton_->SetBounds(left, r.top + 1, 15, 15);
        sheet->closeButton_->SetVisible(true);
    }
}

// ---------------------------------------------------------------- scroll buttons

void TsPageControl::SyncScrollButtons() {
    if (Loading() || !HandleAllocated() || IsDestroying()) return;
    if (Skinned()) {
        // The tab control's own arrows give way to skinned ones.
        for (HWND child = GetWindow(Handle(), GW_CHILD); child;) {
            const HWND next = GetWindow(child, GW_HWNDNEXT);
            char name[32] = {};
            GetClassName(child, name, int(sizeof(name)));
            if (std::strcmp(name, "msctls_updown32") == 0 &&
                (!scrollButtons_ || !scrollButtons_->HandleAllocated() ||
                 child != scrollButtons_->Handle()))
                DestroyWindow(child);
            child = next;
        }
    }
    const bool wanted = Skinned() && (TabPosition() == tpTop || TabPosition() == tpBottom) &&
                        !MultiLine() && OverflowTabCount() > 0;
    if (!wanted) {
        scrollButtons_.reset();
        return;
    }
    if (scrollButtons_) {
        PlaceScrollButtons();
        return;
    }
    scrollButtons_ = std::make_unique<TsUpDown>(nullptr);
    TsUpDown& ud = *scrollButtons_;
    ud.SetOrientation(udHorizontal);
    ud.SetBounds(0, 0, 2 * GetSystemMetrics(SM_CXHSCROLL) + 2, GetSystemMetrics(SM_CYHSCROLL) + 1);
    const TsSkinManager* m = SkinData->GetSkinManager();
    ud.SetButtonSkin(m && m->GetSectionIndex("UPDOWNBTN") >= 0 ? "UPDOWNBTN" : "BUTTON");
    ud.SetMin(0);
    ud.SetMax(OverflowTabCount());
    ud.SetIncrement(1);
    ud.ShowInaccessibility = false;
    ud.SetParent(this);
    PlaceScrollButtons();
    ud.OnClick = [this](TComponent*, TUDBtnType) {
        if (scrollButtons_) ScrollTabs(scrollButtons_->Position());
    };
    ShapeScrollButtons(false);
    ud.SetVisible(true);
}

void TsPageControl::ScrollTabs(int position) {
    if (!HandleAllocated()) return;
    SendMessage(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
    UpdateActivePage();
}

void TsPageControl::PlaceScrollButtons() {
    if (!scrollButtons_) return;
    TsUpDown& ud = *scrollButtons_;
    const int top = TabPosition() == tpTop ? 0 : Height() - ud.Height();
    ud.SetBounds(Width() - ud.Width(), top, ud.Width(), ud.Height());
    ud.SetMax(OverflowTabCount());
    int first = 0;
    for (int i = 0; i < PageCount(); ++i)
        if (NativeTabRect(i).left > 0) {
            first = i;
            break;
        }
    ud.SetPosition(first);
}

void TsPageControl::ShapeScrollButtons(bool redraw) {
    if (!scrollButtons_ || scrollButtons_->ButtonSkin() != "BUTTON") return;
    const TsSkinManager* m = SkinData->GetSkinManager();
    if (!m || m->FindImageEntryIndex("BUTTON", "BORDERSMASK") < 0) return;
    TsUpDown& ud = *scrollButtons_;
    const int half = std::max(1, ud.Width() / 2);
    Bitmap b(half, std::max(1, ud.Height()), 24);
    b.Fill(uint32_t(kScrollKeyColor));
    ParentFillColor = kScrollKeyColor;
    ud.PaintButton(b, udbLeft);
    ParentFillColor = KeyColor;
    Bitmap full(ud.Width(), b.Height(), 24);
    CopyBitmapRect(b, RECT{0, 0, b.Width(), b.Height()}, full, POINT{0, 0});
    CopyBitmapRect(b, RECT{0, 0, b.Width(), b.Height()}, full, POINT{ud.Width() - half, 0});
    if (!ud.HandleAllocated()) return;
    SetWindowRgn(ud.Handle(), CreateRegionFrom(RegionFromColor(full, kScrollKeyColor)), redraw);
}

// ---------------------------------------------------------------- mouse

void TsPageControl::RepaintTabNormal(int pageIndex, bool ht) {
    if (pageIndex < 0) return;
    if (ht) RenderTabOnWindow(pageIndex, 0);
    RenderCloseButtonState(pageIndex, 0, pageIndex == ActivePageIndex() ? 2 : 0);
}

bool TsPageControl::HandleMouse(TMessage& m) {
    const bool ht = HotTrack() || Style() != tsTabs;
    if (!ht && !showCloseBtns_) return false;
    const int active = ActivePageIndex();
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (PtInRect(StripArea(), p)) {
            const int t = TabAtPoint(p);
            if (t != TrackedTab) {
                if (TrackedTab >= 0 && (HotTrack() || showCloseBtns_))
                    RepaintTabNormal(TrackedTab, ht);
                TPageControl::WndProc(m);
                TrackedTab = t;
                if (t >= 0 && t == active) {
                    TrackedTab = -1;
                    CloseButtonPressed = false;
                    if (showCloseBtns_ && Contains(CloseButtonBounds(t), p))
                        RenderCloseButtonState(t, 1, 2);
                    return true;
                }
                if (t >= 0 && ht) RenderTabOnWindow(t, 1);
                if (t >= 0 && showCloseBtns_ && Contains(CloseButtonBounds(t), p))
                    RenderCloseButtonState(t, 1, 1);
                return true;
            }
            if (showCloseBtns_ && t >= 0) {
                RenderCloseButtonState(t, Contains(CloseButtonBounds(t), p) ? 1 : 0,
                                       t == active ? 2 : 1);
                return true;
            }
        } else if (TrackedTab >= 0) {
            RepaintTabNormal(TrackedTab, ht);
            TrackedTab = -1;
            CloseButtonPressed = false;
        }
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        if (!showCloseBtns_) return false;
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (!PtInRect(StripArea(), p)) return false;
        for (int i = 0; i < PageCount(); ++i) {
            if (!Contains(SkinnedTabBounds(i, i == active), p) || !SheetUsesCloseBtn(i)) continue;
            if (!Contains(CloseButtonBounds(i), p)) continue;
            const bool down = m.Msg == WM_LBUTTONDOWN;
            RenderCloseButtonState(i, down ? 2 : 1, i == active ? 2 : 1);
            if (down) {
                CloseButtonPressed = true;
            } else if (CloseButtonPressed) {
                CloseButtonPressed = false;
                CloseSheet(i);
            }
            m.Result = 0;
            return true;
        }
        return false;
    }
    case CM_MOUSELEAVE:
    case WM_MOUSELEAVE:
        if (TrackedTab >= 0 && TrackedTab != active) {
            if (HotTrack()) RenderTabOnWindow(TrackedTab, 0);
            if (SheetUsesCloseBtn(TrackedTab)) RenderCloseButtonState(TrackedTab, 0, 0);
            CloseButtonPressed = false;
            TrackedTab = -1;
            return true;
        }
        return false;
    default: return false;
    }
}

// ---------------------------------------------------------------- messages

bool TsPageControl::HandleSkinCommand(TMessage& m) {
    const bool ours = m.LParam == LPARAM(SkinData->GetSkinManager());
    switch (SkinCommandCode(m.WParam)) {
    case scSkinLoaded:
        BroadcastToChildren(this, m);
        if (ours) SkinData->HandleMessage(m);
        LookUpCloseButtonSkin();
        return true;
    case scRemoveSkin:
        if (ours) {
            SkinData->HandleMessage(m);
            SyncScrollButtons();
            SyncCloseButtons();
            RedrawAll();
        }
        BroadcastToChildren(this, m);
        TPageControl::WndProc(m);
        return true;
    case scRefresh:
        if (ours) SkinData->HandleMessage(m);
        if (Showing()) RedrawAll();
        NotifyForm(this);
        SyncScrollButtons();
        SyncCloseButtons();
        if (scrollButtons_) ShapeScrollButtons(true);
        BroadcastToChildren(this, m);
        return true;
    case scGetCache:
        if (Skinned() && SkinData->CacheBitmap && !SkinData->CacheBitmap->Empty())
            ParentCacheAnswer = ParentCacheInfo{SkinData->CacheBitmap.get(), 0, 0, true};
        return true;
    case scRepaintNow:
        if (SkinData->IsUpdating()) {
            SkinData->UpdateLock = false;
            RedrawAll();
        }
        return true;
    case scIsSkinned: m.Result = m.LParam = 1; return true;
    case scIsNotReady:
        m.Result = m.LParam =
            (SkinData->IsUpdating() || tabSizePending_ || SkinData->CacheInvalid) ? 1 : 0;
        return true;
    case scGetApplication: m.Result = LRESULT(Application); return true;
    default: break;
    }
    if (SkinData->HandleMessage(m)) return true;
    return false;
}

void TsPageControl::WndProc(TMessage& m) {
    if (m.Msg == SM_ORVENCMD) {
        if (HandleSkinCommand(m)) return;
        TPageControl::WndProc(m);
        return;
    }
    if (!Skinned() || IsDestroying()) {
        TPageControl::WndProc(m);
        if (m.Msg == WM_WINDOWPOSCHANGED || m.Msg == WM_PAINT) SyncCloseButtons();
        return;
    }
    if (!Designing() && SkinData->SkinActive(true) && HandleMouse(m)) return;

    // The page change fades in when the skin asks for it.
    if (m.Msg == CN_NOTIFY && m.LParam) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        const TsSkinManager* man = SkinData->GetSkinManager();
        const bool animate = !Designing() && man && man->AnimEffects.PageChange.Active;
        if (hdr->code == TCN_SELCHANGING && animate) {
            PrepareAnimateRepaint(this);
            animating_ = true;
            TPageControl::WndProc(m);
            if (m.Result != 0) {
                CancelAnimateRepaint(this);
                animating_ = false;
                Perform(WM_MOUSEMOVE, 0, 0);
            }
            PlaceScrollButtons();
            return;
        }
        if (hdr->code == TCN_SELCHANGE && animating_) {
            TPageControl::WndProc(m);
            AnimateRepaint(this, man ? man->AnimEffects.PageChange.Time : 0);
            animating_ = false;
            if (ActivePage())
                RedrawWindow(ActivePage()->Handle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            PlaceScrollButtons();
            return;
        }
    }

    switch (m.Msg) {
    case WM_PAINT:
        if (Parent() && !Parent()->IsDestroying() && !Loading()) {
            FullPaint(m);
            return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        if (Designing()) return;
        const bool invalid = SkinData->CacheInvalid;
        SkinData->HandleMessage(m);
        SkinData->CacheInvalid = invalid;
        TPageControl::WndProc(m);
        return;
    }
    default: break;
    }
    if (SkinData->HandleMessage(m)) return;
    switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_STYLECHANGED:
    case WM_HSCROLL:
        TPageControl::WndProc(m);
        SkinData->CacheInvalid = true;
        Invalidate();
        return;
    case WM_NCPAINT:
        if (SkinData->IsUpdating()) return;
        PaintNonClient();
        break;
    case WM_PRINT:
        SyncScrollButtons();
        SyncCloseButtons();
        SkinData->UpdateLock = false;
        Perform(WM_PAINT, m.WParam, 1);
        return;
    case TCM_SETITEMSIZE: tabSizePending_ = true; break;
    default: break;
    }
    TPageControl::WndProc(m);
    switch (m.Msg) {
    case WM_SIZE:
        if (!Loading()) {
            SyncScrollButtons();
            SyncCloseButtons();
        }
        break;
    case WM_WINDOWPOSCHANGED:
        if (tabSizePending_) {
            // The tab size changed: the strip is rebuilt at the next paint.
            tabSizePending_ = false;
            SkinData->CacheInvalid = true;
            if (!SkinData->IsUpdating()) Invalidate();
        }
        break;
    case WM_PARENTNOTIFY:
        if (LOWORD(m.WParam) == WM_CREATE) NotifyForm(this);
        break;
    case TCM_DELETEITEM:
        if (!SkinData->IsUpdating()) SkinData->CacheInvalid = true;
        break;
    case TCM_INSERTITEMA: SkinData->CacheInvalid = true; break;
    case TCM_SETCURSEL: Invalidate(); break;
    case CM_CONTROLLISTCHANGE:
        SyncScrollButtons();
        SyncCloseButtons();
        break;
    case CM_HINTSHOW: {
        auto* info = reinterpret_cast<THintInfo*>(m.LParam);
        if (!info) break;
        const int t = TabAtPoint(info->CursorPos);
        if (t >= 0) {
            info->HintStr = Pages(t)->Hint();
            POINT p{info->CursorPos.x + GetSystemMetrics(SM_CXCURSOR) / 2,
                    info->CursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2};
            info->HintPos = ClientToScreen(p);
        }
        break;
    }
    default: break;
    }
}
