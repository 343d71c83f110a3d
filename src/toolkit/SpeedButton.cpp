#include "toolkit/SpeedButton.h"

#include <algorithm>

#include "platform/controls/ClassicEdges.h"
#include "platform/gdi/GdiObjects.h"
#include "toolkit/WinControl.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
    // The press ends with the release even outside the button, so the mouse stays captured.
    SetControlStyle(ControlStyle() | csCaptureMouse | csOpaque);
}

TSpeedButton::~TSpeedButton() { ReleaseMasks(); }

void TSpeedButton::SetGroupIndex(int value) {
    groupIndex_ = value;
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        state_ = bsUp;
    }
    UpdateExclusive();
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    // The last pressed button of a group stays down unless the group allows all up.
    if (down_ && !allowAllUp_) return;
    down_ = value;
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
    if (down_) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool value) {
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetGlyph(const Bitmap& glyph) {
    glyph_ = glyph;
    BuildMasks();
    Invalidate();
    GlyphChanged();
}

void TSpeedButton::GlyphChanged() {
    if (OnGlyphChange) OnGlyphChange(this);
}

void TSpeedButton::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    // A see-through face needs its parent to paint under it first.
    SetControlStyle(value ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
    Invalidate();
}

void TSpeedButton::SetImages(TImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    Invalidate();
}

void TSpeedButton::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Invalidate();
}

void TSpeedButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == images_) SetImages(nullptr);
}

bool TSpeedButton::UsesImages() const {
    return glyph_.Empty() && images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count();
}

void TSpeedButton::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    layout_ = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value) {
    margin_ = std::max(-1, value);
    Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
    spacing_ = value;
    Invalidate();
}

void TSpeedButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !Parent()) return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling != this) sibling->Perform(CM_BUTTONPRESSED, WPARAM(groupIndex_), LPARAM(this));
    }
}

void TSpeedButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_BUTTONPRESSED: {
        auto* sender = reinterpret_cast<TSpeedButton*>(m.LParam);
        if (int(m.WParam) != groupIndex_ || sender == this || groupIndex_ == 0) return;
        if (sender->Down() && down_) {
            down_ = false;
            state_ = bsUp;
            Invalidate();
        }
        allowAllUp_ = sender->AllowAllUp();
        return;
    }
    case CM_MOUSEENTER:
        mouseInControl_ = true;
        if (flat_) Invalidate();
        break;
    case CM_MOUSELEAVE:
        mouseInControl_ = false;
        if (flat_) Invalidate();
        break;
    case CM_ENABLEDCHANGED: Invalidate(); break;
    default: break;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!down_) {
        state_ = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    const bool inside = PtInRect(ClientRect(), POINT{x, y});
    const TButtonState wanted = inside ? bsDown : (down_ ? bsExclusive : bsUp);
    if (!down_ && wanted != state_) {
        state_ = wanted;
        Invalidate();
    }
}

// The group's Down changes here, before TControl turns the release into Click and OnClick.
void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_ || button != mbLeft) return;
    dragging_ = false;
    const bool inside = PtInRect(ClientRect(), POINT{x, y});
    if (groupIndex_ == 0) {
        state_ = bsUp;
    } else if (inside) {
        SetDown(!down_);
        state_ = down_ ? bsExclusive : bsUp;
    } else {
        state_ = down_ ? bsExclusive : bsUp;
    }
    Invalidate();
}

// ---------------------------------------------------------------- painting

SIZE TSpeedButton::GlyphSize() const {
    if (UsesImages()) return SIZE{images_->Width(), images_->Height()};
    if (glyph_.Empty()) return SIZE{0, 0};
    return SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
}

int TSpeedButton::GlyphIndexForState() const {
    int index = 0;
    if (!Enabled())
        index = 1;
    else if (state_ == bsDown)
        index = 2;
    else if (state_ == bsExclusive)
        index = 3;
    // A missing picture falls back to the normal one.
    return index < numGlyphs_ ? index : 0;
}

void TSpeedButton::ReleaseMasks() {
    if (image_) DeleteObject(image_);
    if (mask_) DeleteObject(mask_);
    image_ = mask_ = nullptr;
}

// Built once per glyph, so painting is two blits: AND with the mask, OR with the image.
void TSpeedButton::BuildMasks() {
    ReleaseMasks();
    if (glyph_.Empty()) return;
    const int w = glyph_.Width(), h = glyph_.Height();
    image_ = CreateDIBSection(w, h, 24, true);
    mask_ = CreateDIBSection(w, h, 24, true);
    Bitmap* image = BitmapOf(image_);
    Bitmap* mask = BitmapOf(mask_);
    if (!image || !mask) return ReleaseMasks();
    const int bpp = glyph_.BytesPerPixel();
    const uint8_t* key = glyph_.ScanLine(h - 1);
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = glyph_.ScanLine(y);
        uint8_t* img = image->ScanLine(y);
        uint8_t* msk = mask->ScanLine(y);
        for (int x = 0; x < w; ++x, src += bpp, img += 3, msk += 3) {
            const bool transparent = src[0] == key[0] && src[1] == key[1] && src[2] == key[2];
            const uint8_t m = transparent ? 0xFF : 0x00;
            msk[0] = msk[1] = msk[2] = m;
            img[0] = transparent ? 0 : src[0];
            img[1] = transparent ? 0 : src[1];
            img[2] = transparent ? 0 : src[2];
        }
    }
}

void TSpeedButton::DrawGlyph(HDC dc, int x, int y, int index) {
    if (UsesImages()) {
        images_->Draw(dc, x, y, imageIndex_, Enabled());
        return;
    }
    if (!image_ || !mask_) return;
    const SIZE size = GlyphSize();
    const HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, mask_);
    BitBlt(dc, x, y, size.cx, size.cy, source, index * size.cx, 0, SRCAND);
    SelectObject(source, image_);
    BitBlt(dc, x, y, size.cx, size.cy, source, index * size.cx, 0, SRCPAINT);
    SelectObject(source, old);
    DeleteDC(source);
}

void TSpeedButton::DrawFrame(HDC dc, RECT& r) {
    const bool pushed = state_ == bsDown || state_ == bsExclusive;
    if (flat_) {
        if (pushed)
            DrawThinSunken(dc, r);
        else if (mouseInControl_ && Enabled())
            DrawThinRaised(dc, r);
        r = InflateRect(r, -1, -1);
        return;
    }
    if (pushed)
        DrawButtonSunken(dc, r);
    else
        DrawButtonRaised(dc, r);
    r = InflateRect(r, -2, -2);
}

void TSpeedButton::DrawContents(HDC dc, const RECT& r) {
    const SIZE glyph = GlyphSize();
    SIZE text{};
    TCanvas& canvas = Canvas();
    if (!Caption().empty()) {
        RECT measure{0, 0, WidthOf(r), 0};
        SelectObject(dc, canvas.Font.Handle());
        DrawText(dc, Caption().c_str(), int(Caption().size()), &measure,
                 DT_CALCRECT | DT_SINGLELINE);
        text = SIZE{WidthOf(measure), HeightOf(measure)};
    }
    const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    const int gap = (glyph.cx > 0 && text.cx > 0) ? spacing_ : 0;
    const int total = horizontal ? glyph.cx + gap + text.cx : glyph.cy + gap + text.cy;
    const int room = horizontal ? WidthOf(r) : HeightOf(r);
    const int start = margin_ < 0 ? (room - total) / 2 : margin_;
    POINT glyphAt{}, textAt{};
    switch (layout_) {
    case blGlyphLeft:
        glyphAt = POINT{r.left + start, r.top + (HeightOf(r) - glyph.cy) / 2};
        textAt = POINT{glyphAt.x + glyph.cx + gap, r.top + (HeightOf(r) - text.cy) / 2};
        break;
    case blGlyphRight:
        textAt = POINT{r.left + start, r.top + (HeightOf(r) - text.cy) / 2};
        glyphAt = POINT{textAt.x + text.cx + gap, r.top + (HeightOf(r) - glyph.cy) / 2};
        break;
    case blGlyphTop:
        glyphAt = POINT{r.left + (WidthOf(r) - glyph.cx) / 2, r.top + start};
        textAt = POINT{r.left + (WidthOf(r) - text.cx) / 2, glyphAt.y + glyph.cy + gap};
        break;
    case blGlyphBottom:
        textAt = POINT{r.left + (WidthOf(r) - text.cx) / 2, r.top + start};
        glyphAt = POINT{r.left + (WidthOf(r) - glyph.cx) / 2, textAt.y + text.cy + gap};
        break;
    }
    if (glyph.cx > 0) DrawGlyph(dc, glyphAt.x, glyphAt.y, GlyphIndexForState());
    if (text.cx > 0) {
        RECT tr{textAt.x, textAt.y, textAt.x + text.cx, textAt.y + text.cy};
        canvas.Brush.Style = bsClear;
        if (!Enabled()) {
            TFont f = canvas.Font;
            f.SetColor(SysColor(COLOR_BTNHIGHLIGHT));
            canvas.Font = f;
            canvas.TextRect(OffsetRect(tr, 1, 1), Caption(), DT_SINGLELINE);
            f.SetColor(SysColor(COLOR_BTNSHADOW));
            canvas.Font = f;
        }
        canvas.TextRect(tr, Caption(), DT_SINGLELINE);
        canvas.Brush.Style = bsSolid;
    }
}

void TSpeedButton::Paint() {
    const HDC dc = Canvas().Handle();
    RECT r = ClientRect();
    if (!transparent_) FillSolidRect(dc, r, ColorToRGB(Color()));
    DrawFrame(dc, r);
    // A pushed button's face moves one pixel down and right.
    if (state_ == bsDown || state_ == bsExclusive) r = OffsetRect(r, 1, 1);
    DrawContents(dc, r);
}
