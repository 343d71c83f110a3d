#pragma once
// What the screen and the print containers of the layout engine share: finding documents'
// resources (pictures, style sheets) relative to the document, font names mapped to the
// program's faces, text transforms, and the link and cursor notifications.
#include <litehtml.h>
#include <map>
#include <memory>
#include <string>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"

struct TFontRequest {
    LOGFONT log;
    unsigned decoration = 0; // litehtml::font_decoration_* bits
};

class THtmlContainerBase : public litehtml::document_container {
  public:
    explicit THtmlContainerBase(std::string documentPath);
    virtual ~THtmlContainerBase() = default;

    const std::string& DocumentPath() const { return documentPath_; }
    // The link the last click activated (cleared when taken) and the cursor the element under
    // the mouse asks for.
    std::string TakeClickedLink();
    const std::string& Cursor() const { return cursor_; }

    // The LOGFONT for a CSS font request: the first family the program knows, generic
    // families mapped to the program's faces, size in pixels.
    static TFontRequest FontRequest(const char* faceName, int size, int weight,
                                    litehtml::font_style italic, unsigned decoration);

    // litehtml::document_container, the parts both containers answer alike.
    int pt_to_px(int pt) const override { return pt * 96 / 72; }
    int get_default_font_size() const override { return 16; }
    const litehtml::tchar_t* get_default_font_name() const override { return "Times New Roman"; }
    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                    bool redraw_on_ready) override;
    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                        litehtml::size& sz) override;
    void set_caption(const litehtml::tchar_t*) override {}
    void set_base_url(const litehtml::tchar_t* base_url) override;
    void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
    void set_cursor(const litehtml::tchar_t* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url,
                    litehtml::tstring& baseurl) override;
    std::shared_ptr<litehtml::element>
    create_element(const litehtml::tchar_t*, const litehtml::string_map&,
                   const std::shared_ptr<litehtml::document>&) override {
        return nullptr;
    }
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;
    // Every border style is drawn solid, one box per visible side: dotted and grooved table
    // rules read the same at these widths.
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                      const litehtml::position& draw_pos, bool root) override;
    void get_client_rect(litehtml::position& client) const override;
    void get_media_features(litehtml::media_features& media) const override;

  protected:
    // What the document is laid out for, in CSS pixels.
    struct TMedia {
        litehtml::media_type type = litehtml::media_type_screen;
        int width = 0, height = 0;             // the area laid out
        int deviceWidth = 0, deviceHeight = 0; // the screen or the page
    };
    virtual TMedia Media() const = 0;
    // Fills a box with a colour on the container's drawing surface.
    virtual void FillColorBox(litehtml::uint_ptr hdc, const litehtml::position& box,
                              const litehtml::web_color& color) = 0;

    // The decoded picture for a reference (null when it could not be read).
    const Bitmap* Image(const char* src, const char* baseurl) const;
    std::string ResourcePath(const char* src, const char* baseurl) const;

  private:
    std::string documentPath_;
    std::string baseUrl_;
    std::map<std::string, std::shared_ptr<Bitmap>> images_;
    std::string clickedLink_;
    std::string cursor_ = "auto";
    size_t importedCssBytes_ = 0;
};
