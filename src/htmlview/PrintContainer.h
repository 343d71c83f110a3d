#pragma once
// The layout engine's container for printing: text through cairo with the same font files the
// screen uses (so a PDF carries real, selectable text), lengths in CSS pixels.
#include <cairo.h>
#include <map>
#include <memory>
#include <vector>

#include "htmlview/HtmlContainerBase.h"

class TPrintContainer : public THtmlContainerBase {
  public:
    TPrintContainer(std::string documentPath, int pageWidthPx, int pageHeightPx);
    ~TPrintContainer() override;
    TPrintContainer(const TPrintContainer&) = delete;
    TPrintContainer& operator=(const TPrintContainer&) = delete;

    litehtml::uint_ptr create_font(const char* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr hFont) override;
    int text_width(const char* text, litehtml::uint_ptr hFont) override;
    void draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr hFont,
                   litehtml::web_color color, const litehtml::position& pos) override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& bdr_radius,
                  bool valid_x, bool valid_y) override;
    void del_clip() override;

    // The context the clip callbacks act on while a page is drawn.
    void SetContext(cairo_t* cr) { cr_ = cr; }

  protected:
    TMedia Media() const override;
    void FillColorBox(litehtml::uint_ptr hdc, const litehtml::position& box,
                      const litehtml::web_color& color) override;

  private:
    struct TPrintFont {
        cairo_font_face_t* face = nullptr;
        cairo_scaled_font_t* scaled = nullptr;
        unsigned decoration = 0;
        int ascent = 0;
        int descent = 0;
        double size = 0;
    };
    cairo_surface_t* SurfaceFor(const char* src, const char* baseurl);

    int pageWidth_;
    int pageHeight_;
    cairo_t* cr_ = nullptr;
    std::vector<std::unique_ptr<TPrintFont>> fonts_;
    std::map<const Bitmap*, cairo_surface_t*> surfaces_;
};
