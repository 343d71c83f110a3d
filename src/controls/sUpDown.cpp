#include "controls/sUpDown.h"

#include <algorithm>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"

class TsPageControl;
bool IsSkinnedPageControl(const TWinControl* control);
TsSkinManager* PageControlManager(const TWinControl* control);

TsUpDown::TsUpDown(TComponent* owner) : TUpDown(owner) {
    SetControlStyle(ControlStyle() & ~unsigned(csDoubleClicks));
}

void TsUpDown::SetButtonSkin(const std::string& value) {
    if (value == buttonSkin_) return;
    buttonSkin_ = value;
    Invalidate();
}

RECT TsUpDown::FirstHalf() const {
    if (Orientation() == udVertical) return {0, 0, Width(), Height() / 2};
    return {0, 0, Width() / 2, Height()};
}

// The up and right buttons stop at Max, the down and left ones at Min.
bool TsUpDown::Inaccessible(bool firstButton) const {
    if (!ShowInaccessibility) return false;
    const bool towardMax = (Orientation() == udVertical) == firstButton;
    return Position() == (towardMax ? Max() : Min());
}

bool TsUpDown::SkinPaints() const {
    const TsSkinManager* m = PrimaryManager;
    if (!m || !m->SkinData.Loaded) return false;
    const TsCachedIndexes& c = m->CachedIndexes;
    if (Orientation() == udVertical)
        return c.ScrollBtnTop.Section >= 0 && c.ScrollBtnBottom.Section >= 0;
    return c.ScrollBtnLeft.Section >= 0 && c.ScrollBtnRight.Section >= 0;
}

void TsUpDown::SetDrawingState(int value) {
    if (value == DrawingState) return;
    DrawingState = value;
    Invalidate();
}

void TsUpDown::PaintButton(Bitmap& bitmap, TsUpDownButton button) {
    TWinControl* parent = Parent();
    const bool inPageControl = IsSkinnedPageControl(parent);
    const TsSkinManager* manager = inPageControl ? PageControlManager(parent) : PrimaryManager;
    if (!manager) return;
    const TsCachedIndexes& c = manager->CachedIndexes;
    const TsScrollPartIndexes& part = button == udbUp     ? c.ScrollBtnTop
                                      : button == udbLeft ? c.ScrollBtnLeft
                                      : button == udbDown ? c.ScrollBtnBottom
                                                          : c.ScrollBtnRight;
    int section = buttonSkin_.empty() ? -1 : manager->GetSectionIndex(buttonSkin_);
    std::string sectionName = buttonSkin_;
    int border = -1, pattern = -1, hotPattern = -1;
    if (section >= 0) {
        border = manager->GetImageEntryIndex(section, buttonSkin_, "BORDERSMASK");
        pattern = manager->GetTextureImageIndex(section, buttonSkin_, "PATTERN");
        hotPattern = manager->GetTextureImageIndex(section, buttonSkin_, "HOTPATTERN");
    } else {
        section = part.Section;
        border = part.BordersMask;
        pattern = part.Pattern;
        hotPattern = part.HotPattern;
        if (manager->SectionIndexValid(section))
            sectionName = manager->SectionsData[size_t(section)].SectionName;
    }
    if (!manager->SectionIndexValid(section)) return;

    // The second button takes what the first half leaves.
    const RECT half = FirstHalf();
    POINT at{0, 0};
    if (button == udbDown) {
        const int h = Height() - HeightOf(half);
        bitmap.SetSize(bitmap.Width(), h);
        at = {0, Height() - h};
    } else if (button == udbRight) {
        const int w = Width() - WidthOf(half);
        bitmap.SetSize(w, bitmap.Height());
        at = {Width() - w, 0};
    }
    const bool first = button == udbUp || button == udbLeft;
    int state = 0;
    if (DrawingState == (first ? 1 : 2)) state = 1;
    if (DrawingState == (first ? 3 : 4)) state = 2;

    ParentCacheInfo parentCache;
    if (!inPageControl && parent) {
        ParentCacheAnswer = ParentCacheInfo{};
        SendSkinCommand(parent, SkinCommandWParam(scGetCache), 0);
        parentCache = ParentCacheAnswer;
    }
    const POINT offset{Left() + at.x, Top() + at.y};
    const RECT r{0, 0, bitmap.Width(), bitmap.Height()};
    RenderItemQuick(section, border, pattern, hotPattern, manager, bitmap, offset, r, state != 0,
                    true, parentCache, sectionName);

    if (manager->ImageIndexValid(part.GlyphMask)) {
        const TsMaskData& glyph = manager->MasksData[size_t(part.GlyphMask)];
        int gw, gh;
        if (glyph.Bmp) {
            gw = glyph.Bmp->Width() / 3;
            gh = glyph.Bmp->Height() / 2;
        } else {
            gw = WidthOf(glyph.R) / std::max<int>(1, glyph.ImageCount);
            gh = HeightOf(glyph.R) / (glyph.MaskType + 1);
        }
        POINT p{(r.right - gw) / 2, (r.bottom - gh) / 2};
        if (glyph.Bmp && glyph.Bmp->Height() / 2 >= r.bottom) p = {0, 0};
        if (p.x >= 0 && p.y >= 0) PaintMaskImage(bitmap, p, state, glyph, 1);
    }

    if (!Enabled() || Inaccessible(first)) {
        ParentCacheInfo behind;
        if (parent) {
            ParentCacheAnswer = ParentCacheInfo{};
            SendSkinCommand(parent, SkinCommandWParam(scGetCache), 0);
            behind = ParentCacheAnswer;
        }
        if (behind.Usable && behind.Bitmap) {
            behind.X += offset.x;
            behind.Y += offset.y;
            ApplyDisabledLook(bitmap, DisabledKind, this, POINT{0, 0}, behind);
        } else {
            const TColor behindColor = parent ? parent->Color() : Color();
            TintRectToColor(bitmap, RECT{0, 0, r.right + 1, r.bottom + 1}, 60, behindColor);
        }
    }
}

void TsUpDown::PaintSkinned(HDC dc) {
    const RECT half = FirstHalf();
    const int saved = SaveDC(dc);
    const bool vertical = Orientation() == udVertical;
    for (int k = 0; k < 2; ++k) {
        Bitmap b(std::max(1, WidthOf(half)), std::max(1, HeightOf(half)), 24);
        const TsUpDownButton button =
            k == 0 ? (vertical ? udbUp : udbLeft) : (vertical ? udbDown : udbRight);
        PaintButton(b, button);
        const int x = k == 0 || vertical ? 0 : Width() / 2;
        const int y = k == 0 || !vertical ? 0 : Height() / 2;
        TsBitmapDC src(b);
        BitBlt(dc, x, y, b.Width(), b.Height(), src.Handle(), 0, 0, SRCCOPY);
    }
    RestoreDC(dc, saved);
}

void TsUpDown::WndProc(TMessage& m) {
    const bool skinned = SkinPaints();
    switch (m.Msg) {
    case WM_PAINT:
        if (!skinned) break;
        if (m.WParam) {
            PaintSkinned(reinterpret_cast<HDC>(m.WParam));
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            PaintSkinned(dc);
            EndPaint(Handle(), &ps);
        }
        m.Result = 0;
        return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
        if (PrimaryManager && PrimaryManager->SkinData.Loaded) {
            m.Result = 1;
            return;
        }
        break;
    case WM_PRINT: Perform(WM_PAINT, m.WParam, m.LParam); return;
    case SM_ORVENCMD:
        switch (SkinCommandCode(m.WParam)) {
        case scRemoveSkin:
        case scRefresh:
            if (PrimaryManager) Invalidate();
            return;
        case scIsSkinned: m.Result = m.LParam = 1; return;
        case scGetApplication: m.Result = LRESULT(Application); return;
        default: break;
        }
        break;
    default: break;
    }
    TUpDown::WndProc(m);
    if (Designing()) return;
    switch (m.Msg) {
    case WM_NCHITTEST: {
        const POINT p = ScreenToClient(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        const bool inFirst = PtInRect(FirstHalf(), p);
        int state = inFirst ? 1 : 2;
        if (Inaccessible(inFirst)) state = 0;
        if (!MouseDown) SetDrawingState(state);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        MouseDown = true;
        if (DrawingState == 1 && Position() < Max())
            SetDrawingState(3);
        else if (DrawingState == 2 && Position() > Min())
            SetDrawingState(4);
        if (m.Msg == WM_LBUTTONDOWN) m.Result = 1;
        break;
    case WM_LBUTTONUP:
        if (!MouseDown) break;
        MouseDown = false;
        if (DrawingState == 3)
            SetDrawingState(ShowInaccessibility && Position() == Max() ? 0 : 1);
        else
            SetDrawingState(ShowInaccessibility && Position() == Min() ? 0 : 2);
        m.Result = 1;
        break;
    case CM_MOUSELEAVE:
        MouseDown = false;
        SetDrawingState(0);
        break;
    default: break;
    }
}
