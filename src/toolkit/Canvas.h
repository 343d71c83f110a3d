#pragma once
// A drawing surface over a device context it does not own, with the font, brush and pen the
// toolkit's controls draw with. The objects are selected when a drawing call needs them.
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "toolkit/Font.h"

enum TBrushStyle { bsSolid, bsClear };
enum TPenMode { pmCopy, pmXor };

struct TBrush {
    TColor Color = SysColor(COLOR_BTNFACE);
    TBrushStyle Style = bsSolid;
};

struct TPen {
    TColor Color = 0;
    int Width = 1;
    int Style = PS_SOLID;
    TPenMode Mode = pmCopy;
};

class TCanvas {
  public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) : handle_(dc) {}

    HDC Handle() const { return handle_; }
    void SetHandle(HDC dc) { handle_ = dc; }

    TFont Font;
    TBrush Brush;
    TPen Pen;

    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to r; `format` takes DrawText's flags.
    void TextRect(RECT r, const std::string& text, UINT format);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    void Polyline(const POINT* points, int count);
    void RoundRect(const RECT& r, int cornerWidth, int cornerHeight);
    void Draw(int x, int y, HBITMAP bitmap);

  private:
    void SelectFont();
    HDC handle_ = nullptr;
};
