#include "controls/sSpeedButton.h"

#include <algorithm>

#include "controls/sHintSlot.h"
#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "paint/sSkinItems.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Messages.h"
#include "toolkit/WinControl.h"

TsSpeedButton* TsSpeedButton::CurrentDropDown = nullptr;
bool TsSpeedButton::DropDownMenuOpen = false;

namespace {

constexpr int kSpeedButtonKind = 92;
constexpr int kDropWidth = 16;

TColor PixelColor(const Bitmap& bitmap, int x, int y) {
    return TColor(bitmap.GetPixel(x, y) & 0xFFFFFF);
}

// A 24-bit work copy, the shape the pixel primitives read.
Bitmap Copy24(const Bitmap& source) {
    Bitmap copy = source;
    if (copy.BitsPerPixel() != 24) copy.SetFormat(24);
    return copy;
}

RECT WholeInclusive(const Bitmap& b) { return RECT{0, 0, b.Width() - 1, b.Height() - 1}; }

UINT AlignmentFlag(TAlignment a) {
    switch (a) {
    case taLeftJustify: return DT_LEFT;
    case taRightJustify: return DT_RIGHT;
    default: return DT_CENTER;
    }
}

} // namespace

TsSpeedButton::TsSpeedButton(TComponent* owner)
    : TSpeedButton(owner), skinData_(std::make_unique<TsCommonData>(this, true)) {
    skinData_->ControlKind = kSpeedButtonKind;
    skinData_->StopFading = [this] { StopFade(*this); };
    skinData_->Loaded();
    if (Skinned()) SetOpaque(true);
}

TsSpeedButton::~TsSpeedButton() {
    Destroying();
    if (CurrentDropDown == this) CurrentDropDown = nullptr;
    fade_.reset();
}

void TsSpeedButton::Loaded() {
    TSpeedButton::Loaded();
    skinData_->Loaded();
    if (Skinned()) SetOpaque(true);
}

void TsSpeedButton::SetOpaque(bool opaque) {
    SetControlStyle(opaque ? ControlStyle() | csOpaque : ControlStyle() & ~unsigned(csOpaque));
}

// ---------------------------------------------------------------- properties

void TsSpeedButton::PropertyChanged(bool always) {
    if (always || Visible()) skinData_->CacheInvalid = true;
    RepaintAnnounced();
}

void TsSpeedButton::SetDisabledKind(TsDisabledKind value) {
    if (value == disabledKind_) return;
    disabledKind_ = value;
    PropertyChanged();
}

void TsSpeedButton::SetDisabledGlyphKind(TsDisabledGlyphKind value) {
    if (value == disabledGlyphKind_) return;
    disabledGlyphKind_ = value;
    BuildGlyphFromImages();
    PropertyChanged();
}

void TsSpeedButton::SetGrayed(bool value) {
    if (value == grayed_) return;
    grayed_ = value;
    PropertyChanged();
}

void TsSpeedButton::SetBlend(int value) {
    value = std::clamp(value, 0, 100);
    if (value == blend_) return;
    blend_ = value;
    PropertyChanged();
}

void TsSpeedButton::SetTextOffset(int value) {
    if (value == textOffset_) return;
    textOffset_ = value;
    PropertyChanged();
}

void TsSpeedButton::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    TSpeedButton::SetImageIndex(value);
    BuildGlyphFromImages();
    PropertyChanged();
}

void TsSpeedButton::SetImages(TImageList* value) {
    if (value == images_) return;
    TSpeedButton::SetImages(value);
    BuildGlyphFromImages();
    PropertyChanged(true);
}

void TsSpeedButton::SetShowCaption(bool value) {
    if (value == showCaption_) return;
    showCaption_ = value;
    PropertyChanged();
}

void TsSpeedButton::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    PropertyChanged();
}

void TsSpeedButton::SetButtonStyle(TToolButtonStyle value) {
    if (value == buttonStyle_) return;
    const bool wasDropDown = buttonStyle_ == tbsDropDown;
    buttonStyle_ = value;
    if (!Loading()) {
        // The drop part is added to (or taken from) the button's own width.
        if (value == tbsDropDown)
            SetBounds(Left(), Top(), Width() + kDropWidth, Height());
        else if (wasDropDown)
            SetBounds(Left(), Top(), Width() - kDropWidth, Height());
    }
    PropertyChanged();
}

void TsSpeedButton::SetDropdownMenu(TPopupMenu* value) {
    if (value == dropdownMenu_) return;
    if (dropdownMenu_) dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = value;
    if (dropdownMenu_) dropdownMenu_->FreeNotification(this);
}

void TsSpeedButton::SetDrawOverBorder(bool value) {
    if (value == drawOverBorder_) return;
    drawOverBorder_ = value;
    PropertyChanged();
}

void TsSpeedButton::SetTextAlignment(TAlignment value) {
    if (value == textAlignment_) return;
    textAlignment_ = value;
    PropertyChanged();
}

void TsSpeedButton::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        if (component == dropdownMenu_) dropdownMenu_ = nullptr;
        if (component == images_) SetImages(nullptr);
    }
    TSpeedButton::Notification(component, operation);
}

void TsSpeedButton::GlyphChanged() {
    TSpeedButton::GlyphChanged();
    if (buildingGlyph_ || Loading() || IsDestroying() || !skinData_) return;
    skinData_->Invalidate();
}

// ---------------------------------------------------------------- geometry

int TsSpeedButton::GlyphFrameWidth() const {
    if (glyph_.Width() > 0) return glyph_.Width() / std::max(1, numGlyphs_);
    if (images_ && imageIndex_ >= 0) return images_->Width();
    return 0;
}

int TsSpeedButton::GlyphFrameHeight() const {
    if (glyph_.Width() > 0) return glyph_.Height();
    if (images_ && imageIndex_ >= 0) return images_->Height();
    return 0;
}

int TsSpeedButton::MaxTextWidth() const {
    if (!showCaption_ || !HasCaption()) return 0;
    const int gw = GlyphFrameWidth();
    return Width() - DropWidth() - 2 * margin_ - (gw != 0 ? gw + spacing_ : 0);
}

SIZE TsSpeedButton::CaptionExtent() {
    std::unique_ptr<TsBitmapDC> own;
    if (!cacheCanvas_.Handle()) {
        own = std::make_unique<TsBitmapDC>(*skinData_->CacheBitmap);
        cacheCanvas_.SetHandle(own->Handle());
    }
    RECT r{0, 0, MaxTextWidth(), 0};
    SIZE size{0, 0};
    if (cacheCanvas_.Handle() && HasCaption()) {
        cacheCanvas_.Font = Font();
        cacheCanvas_.TextRect(r, "", 0); // selects the font into the context
        DrawText(cacheCanvas_.Handle(), Caption().c_str(), int(Caption().size()), &r,
                 DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        size = SIZE{r.right - r.left, r.bottom - r.top};
    }
    if (own) cacheCanvas_.SetHandle(nullptr);
    return size;
}

int TsSpeedButton::LookState() const {
    if (state_ == bsDown || state_ == bsExclusive) return 2;
    if (skinData_->IsHot()) return 1;
    return 0;
}

RECT TsSpeedButton::GlyphBox() {
    const SIZE text = CaptionExtent();
    const int tw = text.cx, th = text.cy;
    const int gw = GlyphFrameWidth(), gh = GlyphFrameHeight();
    const int w = Width(), h = Height(), dw = DropWidth(), mo = MarginOffset();
    const int g = (showCaption_ && gw > 0 && HasCaption()) ? 1 : 0;
    const int hs = (w - dw - gw - g * spacing_ - tw) / 2 - mo;
    const int vs = (h - gh - g * spacing_ - th) / 2 - mo;
    const int cy = (h - gh) / 2;
    int x = 0, y = cy;
    switch (layout_) {
    case blGlyphLeft:
        x = alignment_ == taLeftJustify ? mo : alignment_ == taCenter ? mo + hs : mo + 2 * hs;
        break;
    case blGlyphRight:
        if (alignment_ == taLeftJustify)
            x = w - dw - mo - 2 * hs - g * spacing_ - gw;
        else if (alignment_ == taCenter)
            x = (w - dw - gw + g * spacing_ + tw) / 2;
        else
            x = w - dw - gw - mo;
        break;
    case blGlyphTop:
        x = (w - dw - gw) / 2 + 1;
        y = vs + mo;
        break;
    case blGlyphBottom:
        x = (w - dw - gw) / 2 + 1;
        y = h - mo - vs - gh;
        break;
    }
    if (LookState() == 2) ++x, ++y;
    return RECT{x, y, x + gw, y + gh};
}

RECT TsSpeedButton::CaptionBox() {
    const SIZE text = CaptionExtent();
    const int tw = text.cx, th = text.cy;
    const int gw = GlyphFrameWidth(), gh = GlyphFrameHeight();
    const int w = Width(), h = Height(), dw = DropWidth(), mo = MarginOffset();
    const int hSp = (gw > 0 && HasCaption()) ? spacing_ : 0;
    const int vSp = (gh > 0 && HasCaption()) ? spacing_ : 0;
    const int hs = (w - dw - gw - hSp - tw) / 2 - mo;
    const int vs = (h - gh - vSp - th) / 2 - mo;
    const int t0 = (h - th) / 2;
    const int lc = (w - tw - dw) / 2;
    int l = 0, t = t0, r = 0, b = h - t0;
    switch (layout_) {
    case blGlyphLeft:
        if (alignment_ == taLeftJustify) {
            l = gw + margin_ + hSp; // the raw margin here
            r = w - dw - mo - 2 * hs;
        } else if (alignment_ == taCenter) {
            l = gw + mo + hs + hSp;
            r = w - dw - mo - hs;
        } else {
            l = mo + 2 * hs + gw + hSp;
            r = w - dw - mo;
        }
        break;
    case blGlyphRight: {
        const int shift = alignment_ == taLeftJustify ? 0 : alignment_ == taCenter ? hs : 2 * hs;
        l = mo + shift;
        r = mo + shift + tw;
        break;
    }
    case blGlyphTop:
        l = lc;
        r = w - lc - dw;
        t = gh + mo + vs + vSp;
        b = h - vs - mo;
        break;
    case blGlyphBottom:
        l = lc;
        r = w - lc - dw;
        t = mo + vs;
        b = h - vs - mo - gh - vSp;
        break;
    }
    RECT box{l - 1 + textOffset_, t, r + 2 + textOffset_, b};
    if (LookState() == 2) box = OffsetRect(box, 1, 1);
    return box;
}

// ---------------------------------------------------------------- composing the look

void TsSpeedButton::RenderCaption() {
    if (!showCaption_) return;
    cacheCanvas_.Font = Font();
    cacheCanvas_.Brush.Style = bsClear;
    UINT flags = AlignmentFlag(textAlignment_) | DT_EXPANDTABS | DT_VCENTER;
    flags |= DT_WORDBREAK | DT_EXPANDTABS;
    EmitCaptionText(CaptionBox(), flags);
}

void TsSpeedButton::EmitCaptionText(RECT rect, UINT flags) {
    if (!cacheCanvas_.Handle()) return;
    cacheCanvas_.Font = Font();
    WriteSkinText(cacheCanvas_, Caption(), true, LookState() != 0, *skinData_,
                  flags & ~UINT(DT_SINGLELINE), rect);
}

void TsSpeedButton::GlyphFromBitmap(Bitmap& cache, POINT at) {
    Bitmap glyph = Copy24(glyph_);
    const int h = glyph.Height();
    const int state = LookState();
    if (numGlyphs_ <= 1) {
        const TColor key = PixelColor(glyph, 0, h - 1);
        if (Enabled()) {
            if (state == 0 && grayed_) GrayscaleBitmapKeyed(glyph, key);
            if (state == 0 && blend_ > 0)
                BlendImageKeyed(cache, at.x, at.y, key, blend_ / 100.0, WholeInclusive(glyph),
                                glyph);
            else
                CopyKeyed(cache, glyph, at.x, at.y, key);
            return;
        }
        if (disabledGlyphKind_ & dgGrayed) GrayscaleBitmapKeyed(glyph, key);
        if (disabledGlyphKind_ & dgBlended)
            BlendImageKeyed(cache, at.x, at.y, key, 0.5, WholeInclusive(glyph), glyph);
        else
            CopyKeyed(cache, glyph, at.x, at.y, key);
        return;
    }
    const int fw = glyph.Width() / numGlyphs_;
    const int f =
        Enabled() ? (state == 2 ? std::min(numGlyphs_, 4) - 1 : 0) : std::min(numGlyphs_, 2) - 1;
    const RECT source{f * fw, 0, (f + 1) * fw - 1, h - 1};
    if (Enabled()) {
        CopyKeyedRect(cache, glyph, at.x, at.y, PixelColor(glyph, f * fw, h - 1), source);
        return;
    }
    const TColor key = PixelColor(glyph, 0, h - 1);
    if (state == 0 && blend_ > 0)
        BlendImageKeyed(cache, at.x, at.y, key, blend_ / 100.0, source, glyph);
    else
        CopyKeyedRect(cache, glyph, at.x, at.y, key, source);
}

void TsSpeedButton::GlyphFromImages(Bitmap& cache, POINT at) {
    Bitmap image(1, 1, 24);
    ImageToBitmap(image, *images_, imageIndex_);
    if (image.Empty()) return;
    const TColor key = TColor(images_->BkColor() & 0xFFFFFF);
    const TColor corner = PixelColor(image, 0, image.Height() - 1);
    const bool hot = skinData_->IsHot();
    if (Enabled()) {
        if (!hot && grayed_) GrayscaleBitmapKeyed(image, corner);
        if (hot || blend_ < 1)
            CopyKeyed(cache, image, at.x, at.y, key);
        else
            BlendImageKeyed(cache, at.x, at.y, key, blend_ / 100.0, WholeInclusive(image), image);
        return;
    }
    if (disabledGlyphKind_ & dgGrayed) GrayscaleBitmapKeyed(image, corner);
    if (disabledGlyphKind_ & dgBlended)
        BlendImageKeyed(cache, at.x, at.y, key, 0.5, WholeInclusive(image), image);
    else
        CopyKeyed(cache, image, at.x, at.y, key);
}

void TsSpeedButton::RenderGlyph() {
    Bitmap* cache = skinData_->CacheBitmap.get();
    if (!cache) return;
    const RECT box = GlyphBox();
    const POINT at{box.left, box.top};
    if (glyph_.Width() > 0)
        GlyphFromBitmap(*cache, at);
    else if (images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count())
        GlyphFromImages(*cache, at);
}

void TsSpeedButton::ComposeBackground(const ParentCacheInfo& parent) {
    Bitmap& cache = *skinData_->CacheBitmap;
    if (parent.Usable && parent.Bitmap) {
        cache.Fill(Parent() ? Parent()->Color() : 0);
        const RECT source{parent.X + Left(), parent.Y + Top(), parent.X + Left() + Width() - 1,
                          parent.Y + Top() + Height() - 1};
        CopyKeyedRect(cache, *parent.Bitmap, 0, 0, clNone, source);
    } else {
        cache.Fill(ColorToRGB(Parent() ? Parent()->Color() : Color()));
    }
}

void TsSpeedButton::ComposeButton() {
    Bitmap& cache = *skinData_->CacheBitmap;
    const ParentCacheInfo parent = skinData_->QueryParentBackground();
    ParentBgColor = parent.Usable ? KeyColor : (Parent() ? Parent()->Color() : Color());
    const RECT main{0, 0, Width() - DropWidth(), Height()};
    const int state = LookState();
    const POINT offset{Left(), Top()};
    if (drawOverBorder_) {
        RenderSkinItem(*skinData_, parent, true, false, &cache, offset, main, state);
        RenderCaption();
        RenderGlyph();
        return;
    }
    TsSkinManager* manager = skinData_->GetSkinManager();
    RenderItemBackground(skinData_->SectionIndex, skinData_->SkinSection(), parent, KeyColor,
                         skinData_->HotPatternIndex, skinData_->PatternIndex, manager, cache,
                         offset, main, state != 0);
    RenderCaption();
    RenderGlyph();
    const int border = manager->GetImageEntryIndex(skinData_->SectionIndex,
                                                   skinData_->SkinSection(), "BORDERSMASK");
    if (manager->ImageIndexValid(border)) {
        ParentCacheInfo moved = parent;
        moved.X += Left();
        moved.Y += Top();
        PaintMaskBorders(cache, main, true, true, state, manager->MasksData[size_t(border)], moved);
    }
}

void TsSpeedButton::ComposeDropPart() {
    Bitmap& cache = *skinData_->CacheBitmap;
    const int ds =
        ((dropdownMenu_ && menuOpen_) || down_ || state_ == bsDown || state_ == bsExclusive) ? 2
        : skinData_->IsHot()                                                                 ? 1
                                                                                             : 0;
    const ParentCacheInfo parent = skinData_->QueryParentBackground();
    const RECT drop{Width() - kDropWidth, 0, Width(), Height()};
    const POINT offset{Left() + Width() - kDropWidth, Top()};
    TsSkinManager* manager = skinData_->GetSkinManager();
    if (drawOverBorder_) {
        RenderSkinItem(*skinData_, parent, true, false, &cache, offset, drop, ds);
    } else {
        RenderItemBackground(skinData_->SectionIndex, skinData_->SkinSection(), parent, KeyColor,
                             skinData_->HotPatternIndex, skinData_->PatternIndex, manager, cache,
                             offset, drop, ds != 0);
        const int border = manager->GetImageEntryIndex(skinData_->SectionIndex,
                                                       skinData_->SkinSection(), "BORDERSMASK");
        if (manager->ImageIndexValid(border))
            PaintMaskBorders(cache, drop, true, true, ds, manager->MasksData[size_t(border)],
                             parent);
    }
    const int arrow = manager->CachedIndexes.ScrollBtnBottom.GlyphMask;
    if (!manager->ImageIndexValid(arrow)) return;
    const TsMaskData& mask = manager->MasksData[size_t(arrow)];
    const int frameW = WidthOf(mask.R) / std::max<int>(1, mask.ImageCount);
    const int frameH = HeightOf(mask.R) / (mask.MaskType + 1);
    const POINT at{(kDropWidth - frameW) / 2 + Width() - kDropWidth + 1, (Height() - frameH) / 2};
    PaintMaskImage(cache, at, ds, mask, 1);
}

void TsSpeedButton::ComposeLook() {
    TsSkinManager* manager = skinData_->GetSkinManager();
    if (!manager) return;
    skinData_->SizeCacheBitmap();
    Bitmap* cache = skinData_->CacheBitmap.get();
    if (!cache || cache->Empty()) return;
    TsBitmapDC dc(*cache);
    cacheCanvas_.SetHandle(dc.Handle());
    cacheCanvas_.Font = Font();
    const ParentCacheInfo parent = skinData_->QueryParentBackground();
    if (parent.Usable && parent.Bitmap && parent.Bitmap->Width() == 0) {
        cacheCanvas_.SetHandle(nullptr);
        return; // the parent is not painted yet: the cache stays invalid
    }
    if (buttonStyle_ == tbsSeparator || buttonStyle_ == tbsDivider) {
        ComposeBackground(parent);
        const int section = buttonStyle_ == tbsDivider ? manager->GetSectionIndex("DIVIDER") : -1;
        const int mask =
            section >= 0 ? manager->GetImageEntryIndex(section, "DIVIDER", "BORDERSMASK") : -1;
        if (manager->ImageIndexValid(mask)) {
            const int w = manager->GetMaskFrameSize(mask).cx;
            const RECT r{(Width() - w) / 2, 1, (Width() + w) / 2, Height() - 2};
            PaintMaskBorders(*cache, r, true, true, 0, manager->MasksData[size_t(mask)], parent);
        }
    } else {
        ComposeButton();
        if (buttonStyle_ == tbsDropDown) ComposeDropPart();
        if (!Enabled()) {
            ApplyDisabledLook(*cache, disabledKind_, Parent(), POINT{Left(), Top()},
                              skinData_->QueryParentBackground());
            ParentBgColor = KeyColor;
        }
        if (OnPaint) OnPaint(this, *cache);
    }
    cacheCanvas_.SetHandle(nullptr);
    skinData_->CacheInvalid = false;
}

// ---------------------------------------------------------------- painting

void TsSpeedButton::Paint() {
    TsSkinManager* manager = skinData_->GetSkinManager();
    // Only an unresolved section is looked up again: the look-up invalidates the cache, and
    // doing it for the first section of a skin (index 0) would rebuild it on every paint.
    if (manager && manager->Active() && skinData_->SectionIndex < 0)
        skinData_->RefreshSkinIndexes();
    if (!Skinned() || (!Visible() && !Designing())) {
        TSpeedButton::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1 || skinData_->IsUpdating()) return;
    const HDC dc = Canvas().Handle();
    if (fade_ && fade_->Enabled() && fade_->WorkImage && fade_->WorkImage->Width() == Width()) {
        TsBitmapDC source(*fade_->WorkImage);
        BitBlt(dc, 0, 0, Width(), Height(), source.Handle(), 0, 0, SRCCOPY);
        return;
    }
    TsCommonData& sd = *skinData_;
    sd.CacheInvalid = storedDown_ != down_ || sd.CacheInvalid || sd.CacheIncomplete;
    storedDown_ = down_;
    sd.CacheIncomplete = sd.NeedsParentImage();
    if (sd.CacheInvalid) {
        storedNumGlyphs_ = numGlyphs_;
        storedSpacing_ = spacing_;
    } else if (numGlyphs_ != storedNumGlyphs_ || spacing_ != storedSpacing_) {
        sd.CacheInvalid = true;
        storedNumGlyphs_ = numGlyphs_;
        storedSpacing_ = spacing_;
    }
    if (sd.CacheInvalid && !sd.CacheLocked) ComposeLook();
    FillAllCorners(sd, 0);
    if (!sd.CacheBitmap) return;
    TsBitmapDC source(*sd.CacheBitmap);
    BitBlt(dc, 0, 0, Width(), Height(), source.Handle(), 0, 0, SRCCOPY);
}

void TsSpeedButton::RepaintAnnounced() {
    if (Loading() || IsDestroying() || !Parent() || !Visible() || !Parent()->HandleAllocated())
        return;
    SendSkinCommand(Parent(), SkinCommandWParam(scSetPaintingChild), LPARAM(this));
    Repaint();
    SendSkinCommand(Parent(), SkinCommandWParam(scSetPaintingChild), 0);
}

// ---------------------------------------------------------------- the image-list glyph

void TsSpeedButton::BuildGlyphFromImages() {
    if (Skinned() || !HasImages() || Designing()) return;
    if (imageIndex_ < 0 || imageIndex_ >= images_->Count()) return;
    const int w = images_->Width(), h = images_->Height();
    const TColor key = TColor(images_->BkColor() & 0xFFFFFF);
    Bitmap image(1, 1, 24);
    ImageToBitmap(image, *images_, imageIndex_);
    if (image.Empty()) return;
    Bitmap glyph(2 * w, h, 24);
    glyph.Fill(key);
    CopyKeyed(glyph, image, 0, 0, clNone);
    if (disabledGlyphKind_ == 0) {
        CopyKeyed(glyph, image, w, 0, clNone);
    } else {
        const TColor face = SysColor(COLOR_BTNFACE);
        for (int y = 0; y < h; ++y)
            for (int x = w; x < 2 * w; ++x) glyph.SetPixel(x, y, face);
        Bitmap second = image;
        if (disabledGlyphKind_ & dgGrayed) GrayscaleBitmapKeyed(second, key);
        if (disabledGlyphKind_ & dgBlended) {
            BlendImageKeyed(glyph, w, 0, key, 0.5, WholeInclusive(second), second);
        } else {
            CopyKeyed(glyph, second, w, 0, key);
            glyph.SetPixel(w, h - 1, 0xFF00FF);
        }
    }
    buildingGlyph_ = true;
    SetGlyph(glyph);
    SetNumGlyphs(2);
    buildingGlyph_ = false;
}

// ---------------------------------------------------------------- messages

bool TsSpeedButton::Ready() const {
    return !Loading() && !IsDestroying() && !(ComponentState() & csReading) && Parent();
}

void TsSpeedButton::PerformMouseLeave() { Perform(CM_MOUSELEAVE, 0, LPARAM(this)); }

void TsSpeedButton::WndProc(TMessage& m) {
    if (m.Msg == SM_ORVENCMD) {
        const bool ours = m.LParam == LPARAM(skinData_->GetSkinManager());
        switch (SkinCommandCode(m.WParam)) {
        case scSkinLoaded:
            if (!ours) break;
            if (HasImages()) {
                buildingGlyph_ = true;
                SetGlyph(Bitmap());
                buildingGlyph_ = false;
            }
            skinData_->HandleMessage(m);
            if (Skinned()) SetOpaque(true);
            return;
        case scRemoveSkin:
            if (!ours || IsDestroying()) break;
            skinData_->HandleMessage(m);
            BuildGlyphFromImages();
            Repaint();
            SetOpaque(false);
            TSpeedButton::WndProc(m);
            return;
        case scRefresh:
            if (!ours) break;
            skinData_->HandleMessage(m);
            if (Visible()) Repaint();
            return;
        case scRepaintNow: return;
        case scIsSkinned: m.LParam = 1; return;
        case scGetApplication: m.Result = LRESULT(Application); return;
        default: break;
        }
    }
    // A parent hears of its children's mouse entering too; only our own counts here.
    const bool mouseOurs = (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) &&
                           (m.LParam == 0 || m.LParam == LPARAM(this));
    if (!Ready() || !Skinned()) {
        if (mouseOurs && Enabled() && !Designing()) {
            const TNotifyEvent& handler = m.Msg == CM_MOUSEENTER ? OnMouseEnter : OnMouseLeave;
            if (handler) handler(this);
        }
        if (skinData_->HandleMessage(m)) return;
        TSpeedButton::WndProc(m);
        return;
    }
    switch (m.Msg) {
    case SM_ORVENCMD:
        if (SkinCommandCode(m.WParam) == scStopFading) {
            StopFade(*this);
            return;
        }
        break;
    case CM_BOUNDSCHANGED:
        if (Visible()) skinData_->CacheInvalid = true;
        break;
    case WM_ERASEBKGND: return;
    case WM_LBUTTONUP:
        if (!Designing() && fade_ && fade_->WorkImage && fade_->WorkImage->Width() == Width()) {
            StopFade(*this);
            ComposeLook();
            RepaintAnnounced();
        }
        break;
    case CM_TEXTCHANGED:
        if (showCaption_) {
            skinData_->Invalidate();
            return;
        }
        break;
    case CM_MOUSEENTER:
        if (mouseOurs && Enabled() && !mouseInControl_ && !Designing()) {
            if (OnMouseEnter) OnMouseEnter(this);
            if (!skinData_->MouseOver) {
                skinData_->MouseOver = true;
                mouseInControl_ = true;
                ChangeState(*this, false, EventAnimates(anMouseEnter, AnimatEvents));
            }
        }
        break;
    case CM_MOUSELEAVE:
        if (mouseOurs && Enabled()) {
            if (OnMouseLeave) OnMouseLeave(this);
            skinData_->MouseOver = false;
            mouseInControl_ = false;
            if (state_ == bsDown) state_ = bsUp;
            ChangeState(*this, false, EventAnimates(anMouseLeave, AnimatEvents));
        }
        break;
    default: break;
    }
    if (skinData_->HandleMessage(m)) return;
    TSpeedButton::WndProc(m);
    switch (m.Msg) {
    case CM_BOUNDSCHANGED:
        if (Designing() && !skinData_->IsUpdating()) RepaintAnnounced();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Designing() && !IsDestroying())
            ChangeState(*this, true, EventAnimates(anMouseDown, AnimatEvents));
        break;
    case WM_LBUTTONUP:
        if (Designing() || IsDestroying())
            m.Result = 1;
        else
            ChangeState(*this, true, EventAnimates(anMouseUp, AnimatEvents));
        break;
    case CM_VISIBLECHANGED: PerformMouseLeave(); break;
    case CM_ENABLEDCHANGED:
        if (Visible() || Designing()) {
            if (Visible()) skinData_->CacheInvalid = true;
            RepaintAnnounced();
        }
        break;
    default: break;
    }
}

// ---------------------------------------------------------------- mouse and menu

void TsSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TsHintSlot::Hold();
    const bool dropPath = button == mbLeft && Enabled() && buttonStyle_ == tbsDropDown &&
                          dropdownMenu_ && (x > Width() - kDropWidth || !OnClick);
    if (!dropPath) {
        TSpeedButton::MouseDown(button, shift, x, y);
        return;
    }
    DropDown();
}

void TsSpeedButton::DropDown() {
    CurrentDropDown = this;
    StopFade(*this);
    if (DropDownMenuOpen) return;
    DropDownMenuOpen = true;
    menuOpen_ = true;
    skinData_->CacheInvalid = true;
    if (!OnClick) state_ = bsDown;
    RepaintAnnounced();
    const POINT at = ClientToScreen(POINT{0, Height() + 1});
    TPopupMenu* menu = dropdownMenu_;
    menu->SetPopupComponent(this);
    menu->Popup(at.x, at.y);
    // The press went to the menu: its release is no click of the button.
    SetControlState(ControlState() & ~unsigned(csLButtonDown));
    DropDownMenuOpen = false;
    menuOpen_ = false;
    if (CurrentDropDown == this) CurrentDropDown = nullptr;
    if (IsDestroying()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT origin = ClientToScreen(POINT{0, 0});
    const RECT screen{origin.x, origin.y, origin.x + Width(), origin.y + Height()};
    if (!PtInRect(screen, cursor)) PerformMouseLeave();
    if (!OnClick) state_ = bsUp;
    skinData_->CacheInvalid = true;
    RepaintAnnounced();
}

void TsSpeedButton::MenuPopupPainted() {
    if (!CurrentDropDown) return;
    TsHintSlot::Release(true);
    CurrentDropDown = nullptr;
}

void TsSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TsHintSlot::Release();
    if (button == mbLeft && Enabled() && buttonStyle_ == tbsDropDown) {
        menuOpen_ = false;
        if (CurrentDropDown == this) CurrentDropDown = nullptr;
    }
    TSpeedButton::MouseUp(button, shift, x, y);
}
