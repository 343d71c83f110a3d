#include "htmlview/PrintContainer.h"

#include <algorithm>
#include <cairo-ft.h>
#include <cmath>
#include <cstring>

#include "platform/text/FontEngine.h"
#include "platform/text/FontFace.h"

namespace {

void SetColor(cairo_t* cr, const litehtml::web_color& c) {
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

void FillBox(cairo_t* cr, double x, double y, double w, double h) {
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

const cairo_user_data_key_t kFaceKey{};

// A cairo face over a face of its own: cairo may keep the face after the container lets it
// go, so the face is released with it.
cairo_font_face_t* CairoFaceFor(const RealizedFont& realized) {
    std::unique_ptr<FontFace> face = FontFace::OpenLike(realized);
    if (!face) return nullptr;
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face->Handle(), 0);
    if (cairo_font_face_set_user_data(cairoFace, &kFaceKey, face.get(), [](void* p) {
            delete static_cast<FontFace*>(p);
        }) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(cairoFace);
        return nullptr;
    }
    face.release();
    return cairoFace;
}

} // namespace

TPrintContainer::TPrintContainer(std::string documentPath, int pageWidthPx, int pageHeightPx)
    : THtmlContainerBase(std::move(documentPath)), pageWidth_(pageWidthPx),
      pageHeight_(pageHeightPx) {}

TPrintContainer::~TPrintContainer() {
    for (auto& f : fonts_) {
        cairo_scaled_font_destroy(f->scaled);
        cairo_font_face_destroy(f->face);
    }
    for (auto& [bitmap, surface] : surfaces_) cairo_surface_destroy(surface);
}

litehtml::uint_ptr TPrintContainer::create_font(const char* faceName, int size, int weight,
                                                litehtml::font_style italic,
                                                unsigned int decoration,
                                                litehtml::font_metrics* fm) {
    const TFontRequest request = FontRequest(faceName, size, weight, italic, decoration);
    // The same face file the screen realizes for this request, so print and screen agree.
    std::shared_ptr<RealizedFont> realized = FontEngine::Instance().Realize(request.log);
    if (!realized) return 0;
    auto font = std::make_unique<TPrintFont>();
    font->face = CairoFaceFor(*realized);
    if (!font->face) return 0;
    unsigned synth = 0;
    if (realized->SyntheticBold()) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (realized->SyntheticItalic()) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    if (synth) cairo_ft_font_face_set_synthesize(font->face, synth);
    font->size = -request.log.lfHeight;
    cairo_matrix_t matrix, ctm;
    cairo_matrix_init_scale(&matrix, font->size, font->size);
    cairo_matrix_init_identity(&ctm);
    cairo_font_options_t* options = cairo_font_options_create();
    // Layout measures must not depend on the device's pixel grid: print is resolution-free.
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    font->scaled = cairo_scaled_font_create(font->face, &matrix, &ctm, options);
    cairo_font_options_destroy(options);
    cairo_font_extents_t fe;
    cairo_scaled_font_extents(font->scaled, &fe);
    font->ascent = int(std::ceil(fe.ascent));
    font->descent = int(std::ceil(fe.descent));
    font->decoration = decoration;
    if (fm) {
        fm->ascent = font->ascent;
        fm->descent = font->descent;
        fm->height = font->ascent + font->descent;
        cairo_text_extents_t te;
        cairo_scaled_font_text_extents(font->scaled, "x", &te);
        fm->x_height = std::max(1, int(std::lround(-te.y_bearing)));
        fm->draw_spaces = italic == litehtml::fontStyleItalic || decoration != 0;
    }
    fonts_.push_back(std::move(font));
    return reinterpret_cast<litehtml::uint_ptr>(fonts_.back().get());
}

void TPrintContainer::delete_font(litehtml::uint_ptr hFont) {
    auto it = std::find_if(fonts_.begin(), fonts_.end(), [&](const auto& f) {
        return reinterpret_cast<litehtml::uint_ptr>(f.get()) == hFont;
    });
    if (it == fonts_.end()) return;
    cairo_scaled_font_destroy((*it)->scaled);
    cairo_font_face_destroy((*it)->face);
    fonts_.erase(it);
}

int TPrintContainer::text_width(const char* text, litehtml::uint_ptr hFont) {
    auto* font = reinterpret_cast<TPrintFont*>(hFont);
    if (!font || !text) return 0;
    cairo_text_extents_t te;
    cairo_scaled_font_text_extents(font->scaled, text, &te);
    return int(std::lround(te.x_advance));
}

void TPrintContainer::draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr hFont,
                                litehtml::web_color color, const litehtml::position& pos) {
    auto* cr = reinterpret_cast<cairo_t*>(hdc);
    auto* font = reinterpret_cast<TPrintFont*>(hFont);
    if (!font || !text || color.alpha == 0) return;
    cairo_save(cr);
    cairo_set_scaled_font(cr, font->scaled);
    SetColor(cr, color);
    const double baseline = pos.y + font->ascent;
    cairo_move_to(cr, pos.x, baseline);
    cairo_show_text(cr, text);
    const double thickness = std::max(1.0, font->size / 16.0);
    if (font->decoration & litehtml::font_decoration_underline)
        FillBox(cr, pos.x, baseline + font->descent / 2.0, text_width(text, hFont), thickness);
    if (font->decoration & litehtml::font_decoration_linethrough)
        FillBox(cr, pos.x, baseline - font->ascent / 3.0, text_width(text, hFont), thickness);
    cairo_restore(cr);
}

void TPrintContainer::draw_list_marker(litehtml::uint_ptr hdc,
                                       const litehtml::list_marker& marker) {
    auto* cr = reinterpret_cast<cairo_t*>(hdc);
    const litehtml::position& p = marker.pos;
    cairo_save(cr);
    SetColor(cr, marker.color);
    switch (marker.marker_type) {
    case litehtml::list_style_type_none: break;
    case litehtml::list_style_type_square: FillBox(cr, p.x, p.y, p.width, p.height); break;
    case litehtml::list_style_type_circle:
    case litehtml::list_style_type_disc:
        cairo_arc(cr, p.x + p.width / 2.0, p.y + p.height / 2.0, p.width / 2.0, 0, 2 * M_PI);
        if (marker.marker_type == litehtml::list_style_type_disc)
            cairo_fill(cr);
        else {
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        break;
    default:
        if (auto* font = reinterpret_cast<TPrintFont*>(marker.font)) {
            const std::string label = std::to_string(std::max(marker.index, 0)) + ".";
            cairo_set_scaled_font(cr, font->scaled);
            cairo_move_to(cr, p.right() - text_width(label.c_str(), marker.font), p.bottom());
            cairo_show_text(cr, label.c_str());
        }
        break;
    }
    cairo_restore(cr);
}

cairo_surface_t* TPrintContainer::SurfaceFor(const char* src, const char* baseurl) {
    const Bitmap* b = Image(src, baseurl);
    if (!b || b->Empty()) return nullptr;
    if (auto it = surfaces_.find(b); it != surfaces_.end()) return it->second;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, b->Width(), b->Height());
    cairo_surface_flush(s);
    uint8_t* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const int bpp = b->BytesPerPixel();
    for (int y = 0; y < b->Height(); ++y) {
        const uint8_t* in = b->ScanLine(y);
        auto* out = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < b->Width(); ++x, in += bpp) {
            const uint32_t a = bpp == 4 ? in[3] : 255;
            // cairo wants premultiplied alpha: c * a / 255, rounded to nearest.
            auto pm = [a](uint32_t c) { return (c * a + 127) / 255; };
            out[x] = (a << 24) | (pm(in[2]) << 16) | (pm(in[1]) << 8) | pm(in[0]);
        }
    }
    cairo_surface_mark_dirty(s);
    surfaces_[b] = s;
    return s;
}

void TPrintContainer::draw_background(litehtml::uint_ptr hdc,
                                      const litehtml::background_paint& bg) {
    auto* cr = reinterpret_cast<cairo_t*>(hdc);
    const litehtml::position& c = bg.clip_box;
    cairo_save(cr);
    cairo_rectangle(cr, c.x, c.y, c.width, c.height);
    cairo_clip(cr);
    // The page's own colour stays off paper, as browsers print; boxes keep theirs.
    if (bg.color.alpha > 0 && !bg.is_root) {
        SetColor(cr, bg.color);
        cairo_paint(cr);
    }
    cairo_surface_t* image =
        bg.image.empty() ? nullptr : SurfaceFor(bg.image.c_str(), bg.baseurl.c_str());
    if (image && bg.image_size.width > 0 && bg.image_size.height > 0) {
        const double sx = double(bg.image_size.width) / cairo_image_surface_get_width(image);
        const double sy = double(bg.image_size.height) / cairo_image_surface_get_height(image);
        cairo_translate(cr, bg.position_x, bg.position_y); // already placed in the document
        cairo_scale(cr, sx, sy);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
        const bool repeat = bg.repeat != litehtml::background_repeat_no_repeat;
        cairo_pattern_set_extend(pattern, repeat ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_NONE);
        cairo_set_source(cr, pattern);
        if (repeat)
            cairo_paint(cr);
        else {
            cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(image),
                            cairo_image_surface_get_height(image));
            cairo_fill(cr);
        }
        cairo_pattern_destroy(pattern);
    }
    cairo_restore(cr);
}

void TPrintContainer::FillColorBox(litehtml::uint_ptr hdc, const litehtml::position& box,
                                   const litehtml::web_color& color) {
    auto* cr = reinterpret_cast<cairo_t*>(hdc);
    cairo_save(cr);
    SetColor(cr, color);
    FillBox(cr, box.x, box.y, box.width, box.height);
    cairo_restore(cr);
}

void TPrintContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&,
                               bool valid_x, bool valid_y) {
    if (!cr_) return;
    cairo_save(cr_);
    constexpr double kFar = 1e7;
    const double x = valid_x ? pos.x : -kFar, w = valid_x ? pos.width : 2 * kFar;
    const double y = valid_y ? pos.y : -kFar, h = valid_y ? pos.height : 2 * kFar;
    cairo_rectangle(cr_, x, y, w, h);
    cairo_clip(cr_);
}

void TPrintContainer::del_clip() {
    if (cr_) cairo_restore(cr_);
}

TPrintContainer::TMedia TPrintContainer::Media() const {
    return {litehtml::media_type_print, pageWidth_, pageHeight_, pageWidth_, pageHeight_};
}
