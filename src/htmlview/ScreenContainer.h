#pragma once
// The layout engine's container for the screen: fonts of the window system, drawing through
// its device contexts.
#include <map>
#include <memory>
#include <vector>

#include "htmlview/HtmlContainerBase.h"
#include "platform/window/WindowSystem.h"

class TScreenContainer : public THtmlContainerBase {
  public:
    TScreenContainer(std::string documentPath, SIZE viewport);
    ~TScreenContainer() override;
    TScreenContainer(const TScreenContainer&) = delete;
    TScreenContainer& operator=(const TScreenContainer&) = delete;

    void SetViewport(SIZE viewport) { viewport_ = viewport; }
    // Drawing calls go to this context between BeginDraw and EndDraw (the engine's clip
    // callbacks carry no context of their own).
    void BeginDraw(HDC dc) {
        dc_ = dc;
        clipDepth_ = 0;
    }
    void EndDraw();

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

  protected:
    TMedia Media() const override;
    void FillColorBox(litehtml::uint_ptr hdc, const litehtml::position& box,
                      const litehtml::web_color& color) override;

  private:
    void DrawImage(HDC dc, const litehtml::background_paint& bg);

    SIZE viewport_;
    HDC measureDc_ = nullptr;
    HDC dc_ = nullptr;
    int clipDepth_ = 0;
    std::vector<HFONT> fonts_;
};
