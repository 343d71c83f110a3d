#pragma once
// A font as the forms describe it: face name, character height in pixels, style, character
// set, pitch and colour. The window-system font is made when first asked for and made again
// after a change.
#include <functional>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysColors.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum TFontPitch { fpDefault, fpVariable, fpFixed };
constexpr BYTE kDefaultCharset = 1;
constexpr BYTE kCyrillicCharset = 204;

class TFont {
  public:
    TFont();
    ~TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return name_; }
    int Height() const { return height_; }
    unsigned Style() const { return style_; }
    BYTE Charset() const { return charset_; }
    TFontPitch Pitch() const { return pitch_; }
    TColor Color() const { return color_; }

    void SetName(std::string name);
    void SetHeight(int height); // character height in pixels
    void SetStyle(unsigned style);
    void SetCharset(BYTE charset);
    void SetPitch(TFontPitch pitch);
    void SetColor(TColor color);
    // Every property in one step, with a single change notice.
    void Assign(const TFont& other);

    HFONT Handle() const;
    std::function<void()> OnChange;

  private:
    void Changed();
    void Release() const;

    std::string name_ = "MS Sans Serif";
    int height_ = 11;
    unsigned style_ = 0;
    BYTE charset_ = kDefaultCharset;
    TFontPitch pitch_ = fpDefault;
    TColor color_ = SysColor(COLOR_WINDOWTEXT);
    mutable HFONT handle_ = nullptr;
};
