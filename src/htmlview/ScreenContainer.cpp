#include "htmlview/ScreenContainer.h"

#include <algorithm>

#include "platform/text/FontEngine.h"
#include "platform/text/Text.h"

namespace {

COLORREF ColorOf(const litehtml::web_color& c) { return RGB(c.red, c.green, c.blue); }

HDC AsDc(litehtml::uint_ptr hdc) { return reinterpret_cast<HDC>(hdc); }

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

bool IsTextMarker(litehtml::list_style_type t) {
    return t != litehtml::list_style_type_none && t != litehtml::list_style_type_circle &&
           t != litehtml::list_style_type_disc && t != litehtml::list_style_type_square;
}

} // namespace

TScreenContainer::TScreenContainer(std::string documentPath, SIZE viewport)
    : THtmlContainerBase(std::move(documentPath)), viewport_(viewport),
      measureDc_(CreateCompatibleDC(nullptr)) {}

TScreenContainer::~TScreenContainer() {
    DeleteDC(measureDc_);
    for (HFONT f : fonts_) DeleteObject(f);
}

void TScreenContainer::EndDraw() {
    // A clip the engine opened and did not close must not outlive the paint.
    while (clipDepth_ > 0) del_clip();
    dc_ = nullptr;
}

litehtml::uint_ptr TScreenContainer::create_font(const char* faceName, int size, int weight,
                                                 litehtml::font_style italic,
                                                 unsigned int decoration,
                                                 litehtml::font_metrics* fm) {
    const TFontRequest request = FontRequest(faceName, size, weight, italic, decoration);
    HFONT font = CreateFontIndirect(&request.log);
    if (!font) return 0;
    fonts_.push_back(font);
    if (fm) {
        HGDIOBJ old = SelectObject(measureDc_, font);
        TEXTMETRIC tm;
        GetTextMetrics(measureDc_, &tm);
        fm->ascent = tm.tmAscent;
        fm->descent = tm.tmDescent;
        fm->height = tm.tmHeight;
        fm->x_height = tm.tmAscent / 2;
        if (auto realized = RealizedFontOf(measureDc_)) {
            const int top = realized->Glyph(U'x').top;
            if (top > 0) fm->x_height = top;
        }
        fm->draw_spaces = italic == litehtml::fontStyleItalic || decoration != 0;
        SelectObject(measureDc_, old);
    }
    return reinterpret_cast<litehtml::uint_ptr>(font);
}

void TScreenContainer::delete_font(litehtml::uint_ptr hFont) {
    HFONT font = reinterpret_cast<HFONT>(hFont);
    auto it = std::find(fonts_.begin(), fonts_.end(), font);
    if (it == fonts_.end()) return;
    DeleteObject(font);
    fonts_.erase(it);
}

int TScreenContainer::text_width(const char* text, litehtml::uint_ptr hFont) {
    HGDIOBJ old = SelectObject(measureDc_, reinterpret_cast<HFONT>(hFont));
    SIZE size{};
    GetTextExtentPoint32(measureDc_, text, -1, &size);
    SelectObject(measureDc_, old);
    return size.cx;
}

void TScreenContainer::draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr hFont,
                                 litehtml::web_color color, const litehtml::position& pos) {
    if (color.alpha == 0) return;
    HDC dc = AsDc(hdc);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(hFont));
    SetTextColor(dc, ColorOf(color));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    TextOut(dc, pos.x, pos.y, text, -1);
    SelectObject(dc, old);
}

void TScreenContainer::draw_list_marker(litehtml::uint_ptr hdc,
                                        const litehtml::list_marker& marker) {
    HDC dc = AsDc(hdc);
    if (!marker.image.empty()) {
        if (const Bitmap* picture = Image(marker.image.c_str(), marker.baseurl)) {
            DrawBitmapScaled(
                dc, *picture,
                Rect(marker.pos.x, marker.pos.y, marker.pos.right(), marker.pos.bottom()));
            return;
        }
    }
    const litehtml::position& p = marker.pos;
    const COLORREF color = ColorOf(marker.color);
    if (IsTextMarker(marker.marker_type)) {
        // Numbered markers: the number and a full stop, right-aligned before the item.
        const std::string label = std::to_string(std::max(marker.index, 0)) + ".";
        if (marker.font) {
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(marker.font));
            SetTextColor(dc, color);
            SetBkMode(dc, TRANSPARENT);
            SetTextAlign(dc, TA_BASELINE | TA_RIGHT);
            TextOut(dc, p.right(), p.bottom(), label.c_str(), -1);
            SetTextAlign(dc, TA_TOP | TA_LEFT);
            SelectObject(dc, old);
        }
        return;
    }
    const RECT r = Rect(p.x, p.y, p.right(), p.bottom());
    if (marker.marker_type == litehtml::list_style_type_square) {
        FillSolid(dc, r, color);
        return;
    }
    if (marker.marker_type == litehtml::list_style_type_none) return;
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush =
        marker.marker_type == litehtml::list_style_type_disc ? CreateSolidBrush(color) : nullptr;
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush ? brush : GetStockObject(NULL_BRUSH));
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    if (brush) DeleteObject(brush);
}

void TScreenContainer::DrawImage(HDC dc, const litehtml::background_paint& bg) {
    const Bitmap* picture = Image(bg.image.c_str(), bg.baseurl.c_str());
    if (!picture) return;
    const int w = bg.image_size.width;
    const int h = bg.image_size.height;
    if (w <= 0 || h <= 0) return;
    const litehtml::position& clip = bg.clip_box;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.x, clip.y, clip.right(), clip.bottom());
    // The engine hands the picture's position already placed in the document.
    int x0 = bg.position_x;
    int y0 = bg.position_y;
    const bool repeatX = bg.repeat == litehtml::background_repeat_repeat ||
                         bg.repeat == litehtml::background_repeat_repeat_x;
    const bool repeatY = bg.repeat == litehtml::background_repeat_repeat ||
                         bg.repeat == litehtml::background_repeat_repeat_y;
    // Tiles start left of and above the clip box so that they line up with the origin.
    if (repeatX) x0 -= ((x0 - clip.x) / w + ((x0 - clip.x) % w > 0 ? 1 : 0)) * w;
    if (repeatY) y0 -= ((y0 - clip.y) / h + ((y0 - clip.y) % h > 0 ? 1 : 0)) * h;
    const int x1 = repeatX ? clip.right() : x0 + 1;
    const int y1 = repeatY ? clip.bottom() : y0 + 1;
    for (int y = y0; y < y1; y += h)
        for (int x = x0; x < x1; x += w) DrawBitmapScaled(dc, *picture, Rect(x, y, x + w, y + h));
    RestoreDC(dc, saved);
}

void TScreenContainer::draw_background(litehtml::uint_ptr hdc,
                                       const litehtml::background_paint& bg) {
    HDC dc = AsDc(hdc);
    if (bg.color.alpha > 0) {
        const litehtml::position& c = bg.clip_box;
        if (bg.is_root) {
            // The root's colour covers the whole view, as the canvas of a page.
            RECT box{};
            GetClipBox(dc, &box);
            FillSolid(dc, box, ColorOf(bg.color));
        } else {
            FillSolid(dc, Rect(c.x, c.y, c.right(), c.bottom()), ColorOf(bg.color));
        }
    }
    if (!bg.image.empty()) DrawImage(dc, bg);
}

void TScreenContainer::FillColorBox(litehtml::uint_ptr hdc, const litehtml::position& box,
                                    const litehtml::web_color& color) {
    FillSolid(AsDc(hdc), Rect(box.x, box.y, box.right(), box.bottom()), ColorOf(color));
}

void TScreenContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&,
                                bool valid_x, bool valid_y) {
    if (!dc_) return;
    SaveDC(dc_);
    ++clipDepth_;
    constexpr int kFar = 1 << 28;
    IntersectClipRect(dc_, valid_x ? pos.x : -kFar, valid_y ? pos.y : -kFar,
                      valid_x ? pos.right() : kFar, valid_y ? pos.bottom() : kFar);
}

void TScreenContainer::del_clip() {
    if (!dc_ || clipDepth_ == 0) return;
    RestoreDC(dc_, -1);
    --clipDepth_;
}

TScreenContainer::TMedia TScreenContainer::Media() const {
    return {litehtml::media_type_screen, int(viewport_.cx), int(viewport_.cy), GetSystemMetrics(0),
            GetSystemMetrics(1)};
}
