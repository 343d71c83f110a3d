#include "controls/sLabel.h"

#include <algorithm>

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sSkinItems.h"
#include "platform/gdi/Gdi.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/WinControl.h"

bool TsCustomLabel::paintingGuard_ = false;

namespace {
// The shadow colour that means "no shadow", in both spellings a stored setting may have.
bool IsNoColor(TColor c) { return c == clNone || c == TColor(0x1FFFFFFF); }
} // namespace

// ---------------------------------------------------------------- TsCustomLabel

TsCustomLabel::TsCustomLabel(TComponent* owner) : TLabel(owner) { SetTransparent(true); }

void TsCustomLabel::SetSkinSection(const std::string& value) {
    if (value == skinSection_) return;
    skinSection_ = value;
    Invalidate();
}

bool TsCustomLabel::SkinLoaded() { return PrimaryManager && PrimaryManager->SkinData.Loaded; }

TFont& TsCustomLabel::FontForSkin() {
    if (SkinLoaded()) {
        const TColor color = PrimaryManager->SkinGlobalFontColor();
        if (color != KeyColor) Font().SetColor(color);
    }
    return Font();
}

void TsCustomLabel::Paint() {
    if (!paintingGuard_) {
        paintingGuard_ = true;
        FontForSkin();
        paintingGuard_ = false;
    }
    PaintSectionBehind();
    TLabel::Paint();
}

// The skin's first section (the global one) is never painted behind a label.
void TsCustomLabel::PaintSectionBehind() {
    if (skinSection_.empty() || !PrimaryManager || !PrimaryManager->Active()) return;
    const int index = PrimaryManager->GetSectionIndex(skinSection_);
    if (index <= 0) return;
    ParentCacheAnswer = ParentCacheInfo{};
    if (Parent()) SendSkinCommand(Parent(), SkinCommandWParam(scGetCache), 0);
    const ParentCacheInfo parentCache = ParentCacheAnswer;
    RenderItemToDC(index, skinSection_, parentCache, PrimaryManager, Canvas().Handle(),
                   POINT{Left(), Top()}, RECT{0, 0, Width(), Height()}, false, true);
}

std::string TsCustomLabel::TextToDraw(UINT flags) const {
    std::string text = Caption();
    if (((flags & DT_CALCRECT) && text.empty()) || (ShowAccelChar() && text == "&")) text += ' ';
    return text;
}

UINT TsCustomLabel::AdjustedFlags(UINT flags) const {
    return ShowAccelChar() ? flags : flags | DT_NOPREFIX;
}

void TsCustomLabel::DrawTextOnCanvas(const std::string& text, RECT& rect, UINT flags) {
    TCanvas& canvas = Canvas();
    canvas.Brush.Style = bsClear;
    if (flags & DT_CALCRECT) {
        SelectObject(canvas.Handle(), canvas.Font.Handle());
        DrawText(canvas.Handle(), text.c_str(), int(text.size()), &rect, flags);
    } else {
        canvas.TextRect(rect, text, flags);
    }
    canvas.Brush.Style = bsSolid;
}

// Disabled text under a skin: 40% of the font colour over 60% of the parent's background.
void TsCustomLabel::DoDrawText(RECT& rect, UINT flags) {
    if (Enabled() || !SkinLoaded()) {
        TLabel::DoDrawText(rect, flags);
        return;
    }
    const std::string text = TextToDraw(flags);
    flags = AdjustedFlags(flags);
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    const TColor background = Parent() ? GetParentBgColor(Parent()) : Color();
    canvas.Font.SetColor(BlendTwoColors(ColorToRGB(Font().Color()), background, 0.4));
    DrawTextOnCanvas(text, rect, flags);
}

void TsCustomLabel::WndProc(TMessage& m) {
    if (m.Msg == CM_FONTCHANGED) {
        if (paintingGuard_) return;
        if (AutoSize()) AdjustBounds();
        Repaint();
        return;
    }
    TLabel::WndProc(m);
    if (IsSkinCommand(m, scRemoveSkin) && m.LParam == LPARAM(PrimaryManager))
        Font().SetColor(SysColor(COLOR_WINDOWTEXT));
}

// ---------------------------------------------------------------- TsLabel

TsLabel::TsLabel(TComponent* owner) : TsCustomLabel(owner) {}

TFont& TsLabel::FontForSkin() {
    if (useSkinColor_) return TsCustomLabel::FontForSkin();
    return Font();
}

void TsLabel::WndProc(TMessage& m) {
    if (IsSkinCommand(m, scRemoveSkin)) {
        if (m.LParam == LPARAM(PrimaryManager) && useSkinColor_)
            Font().SetColor(SysColor(COLOR_WINDOWTEXT));
        return;
    }
    TsCustomLabel::WndProc(m);
}

// ---------------------------------------------------------------- TsShadow, TsKind

TsShadow::TsShadow(TControl* owner) : owner_(owner) { TakeComponents(color_); }

void TsShadow::Changed() {
    if (owner_) owner_->Invalidate();
}

void TsShadow::TakeComponents(TColor color) {
    const COLORREF rgb = ColorToRGB(color);
    R = GetRValue(rgb);
    G = GetGValue(rgb);
    B = GetBValue(rgb);
}

void TsShadow::SetMode(TsShadowMode value) {
    if (value == mode_) return;
    mode_ = value;
    Changed();
}

void TsShadow::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    TakeComponents(value);
    Changed();
}

void TsShadow::SetBlurCount(int value) {
    if (value == blurCount_) return;
    blurCount_ = value;
    Changed();
}

void TsShadow::SetDistance(int value) {
    if (value == distance_) return;
    distance_ = value;
    Changed();
}

void TsKind::Changed() {
    if (owner_) owner_->Invalidate();
}

void TsKind::SetKindType(TsKindType value) {
    if (value == kindType_) return;
    kindType_ = value;
    Changed();
}

void TsKind::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

// ---------------------------------------------------------------- TsLabelFX

TsLabelFX::TsLabelFX(TComponent* owner)
    : TsCustomLabel(owner), Shadow(std::make_unique<TsShadow>(this)),
      Kind(std::make_unique<TsKind>(this)) {}

TsLabelFX::ShadowParams TsLabelFX::ShadowInEffect() {
    ShadowParams p{Shadow->Color(), Shadow->BlurCount(), Shadow->Distance()};
    if (Shadow->Mode() == smSkin1) {
        if (SkinLoaded() && PrimaryManager->SkinData.Shadow1Blur != -1) {
            const TsSkinData& skin = PrimaryManager->SkinData;
            p = ShadowParams{TColor(skin.Shadow1Color), skin.Shadow1Blur, skin.Shadow1Offset};
        }
        Shadow->TakeComponents(p.Color);
    }
    return p;
}

TColor TsLabelFX::TextColor() const {
    switch (Kind->KindType()) {
    case ktStandard: return TColor(ColorToRGB(Color()));
    case ktCustom: return Kind->Color();
    case ktSkin: break;
    }
    if (SkinLoaded()) {
        const int global = PrimaryManager->GetSectionIndex("GLOBALINFO");
        if (global >= 0 && size_t(global) < PrimaryManager->SectionsData.size()) {
            const TColor contour = PrimaryManager->SectionsData[size_t(global)].FontColor[1];
            if (contour != -1) return contour;
        }
    }
    return Kind->Color();
}

void TsLabelFX::DoDrawText(RECT& rect, UINT flags) {
    if (Shadow->Mode() == smNone) {
        TsCustomLabel::DoDrawText(rect, flags);
        return;
    }
    const ShadowParams p = ShadowInEffect();
    const std::string text = TextToDraw(flags);
    flags = AdjustedFlags(flags);
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    if (!Enabled()) {
        if (flags & DT_CALCRECT) {
            DrawTextOnCanvas(text, rect, flags);
            return;
        }
        RECT moved = OffsetRect(rect, 1, 1);
        canvas.Font.SetColor(SysColor(COLOR_BTNHIGHLIGHT));
        DrawTextOnCanvas(text, moved, flags);
        canvas.Font.SetColor(SysColor(COLOR_BTNSHADOW));
        DrawTextOnCanvas(text, rect, flags);
        return;
    }
    const TColor textColor = TextColor();
    const bool measuring = (flags & DT_CALCRECT) != 0;
    if (measuring || IsNoColor(p.Color) || p.Blur == 0) {
        canvas.Font.SetColor(textColor);
        DrawTextOnCanvas(text, rect, flags);
        if (measuring && !IsNoColor(p.Color) && p.Blur != 0) {
            ShadowMarginTopLeft = std::min(0, p.Distance - p.Blur);
            ShadowMarginBottomRight = std::max(0, p.Distance + p.Blur);
            const int grow = ShadowMarginBottomRight - ShadowMarginTopLeft;
            rect.right += grow;
            rect.bottom += grow;
        }
        return;
    }
    DrawShadowed(text, rect, flags, p, textColor);
}

// The image is laid over r: its pixel (0, 0) is r's top-left corner on the label.
void TsLabelFX::DrawShadowed(const std::string& text, const RECT& r, UINT flags,
                             const ShadowParams& p, TColor textColor) {
    const int w = WidthOf(r), h = HeightOf(r);
    if (w <= 0 || h <= 0 || !shadowImage_.SetSize(w, h)) return;
    TCanvas& canvas = Canvas();
    // The text's box inside r, clear of the room kept for the shadow.
    const RECT textRect{r.left - ShadowMarginTopLeft, r.top - ShadowMarginTopLeft,
                        r.right - ShadowMarginBottomRight, r.bottom - ShadowMarginBottomRight};
    {
        TsBitmapDC image(shadowImage_);
        TCanvas imageCanvas(image.Handle());
        imageCanvas.Brush.Color = 0;
        imageCanvas.FillRect(RECT{0, 0, w, h});
        imageCanvas.Font = canvas.Font;
        imageCanvas.Font.SetColor(0xFFFFFF);
        imageCanvas.Brush.Style = bsClear;
        const RECT shifted = OffsetRect(textRect, p.Distance - r.left, p.Distance - r.top);
        imageCanvas.TextRect(shifted, text, flags);
    }
    BlurShadow(shadowImage_, p.Blur, blur_);
    if (Transparent()) {
        TsBitmapDC image(shadowImage_);
        BitBlt(image.Handle(), 0, 0, w, h, canvas.Handle(), r.left, r.top, SRCCOPY);
    }
    const uint8_t shadowBgr[3] = {Shadow->B, Shadow->G, Shadow->R};
    ComposeShadow(shadowImage_, blur_, shadowBgr, Transparent(), ColorToRGB(Color()));
    {
        TsBitmapDC image(shadowImage_);
        BitBlt(canvas.Handle(), r.left, r.top, w, h, image.Handle(), 0, 0, SRCCOPY);
    }
    canvas.Font.SetColor(textColor);
    RECT plain = textRect;
    DrawTextOnCanvas(text, plain, flags);
}

void TsLabelFX::BlurShadow(const Bitmap& image, int passes, std::vector<uint8_t>& cells) {
    const int width = image.Width(), height = image.Height();
    const size_t cols = size_t(width) + 2, rows = size_t(height) + 2;
    // The grid only grows: a later, smaller label reuses it.
    if (cells.size() < cols * rows) cells.resize(cols * rows);
    std::fill(cells.begin(), cells.begin() + std::ptrdiff_t(cols * rows), uint8_t(0));
    const int step = image.BytesPerPixel();
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y) {
            const uint8_t* px = image.ScanLine(y);
            uint8_t* cell = cells.data() + size_t(y + 1) * cols + 1;
            for (int x = 0; x < width; ++x)
                if (px[size_t(x) * size_t(step)] != 0) cell[x] = 255;
        }
        for (size_t y = 1; y + 1 < rows; ++y) {
            uint8_t* row = cells.data() + y * cols;
            const uint8_t* up = row - cols;
            const uint8_t* down = row + cols;
            for (size_t x = 1; x + 1 < cols; ++x)
                row[x] = uint8_t((up[x] + down[x] + row[x - 1] + row[x + 1]) / 4);
        }
    }
}

void TsLabelFX::ComposeShadow(Bitmap& image, const std::vector<uint8_t>& cells,
                              const uint8_t shadowBgr[3], bool transparent, COLORREF background) {
    const int w = image.Width(), h = image.Height(), step = image.BytesPerPixel();
    const size_t cols = size_t(w) + 2;
    if (cells.size() < cols * (size_t(h) + 2)) return;
    const uint8_t back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (int y = 0; y < h; ++y) {
        uint8_t* px = image.ScanLine(y);
        const uint8_t* cell = cells.data() + size_t(y + 1) * cols + 1;
        for (int x = 0; x < w; ++x, px += step) {
            const unsigned a = cell[x], rest = 255 - a;
            for (int c = 0; c < 3; ++c) {
                const unsigned under = transparent ? px[c] : back[c];
                px[c] = uint8_t((under * rest + shadowBgr[c] * a) >> 8);
            }
        }
    }
}
