#include "toolkit/Font.h"

#include <cstring>

TFont::TFont() = default;

TFont::~TFont() { Release(); }

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), style_(other.style_), charset_(other.charset_),
      pitch_(other.pitch_), color_(other.color_) {}

TFont& TFont::operator=(const TFont& other) {
    if (this != &other) Assign(other);
    return *this;
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    charset_ = other.charset_;
    pitch_ = other.pitch_;
    color_ = other.color_;
    Changed();
}

void TFont::SetName(std::string name) {
    if (name == name_) return;
    name_ = std::move(name);
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

void TFont::SetStyle(unsigned style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(BYTE charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    // The colour is drawn with, not part of the window-system font.
    if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = -height_; // negative: the character height, not the cell height
        lf.lfWeight = (style_ & fsBold) ? 700 : 400;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = charset_;
        lf.lfPitchAndFamily = BYTE(pitch_ == fpFixed ? 1 : pitch_ == fpVariable ? 2 : 0);
        std::strncpy(lf.lfFaceName, name_.c_str(), sizeof lf.lfFaceName - 1);
        handle_ = CreateFontIndirect(&lf);
    }
    return handle_;
}

void TFont::Release() const {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
}

void TFont::Changed() {
    Release();
    if (OnChange) OnChange();
}
