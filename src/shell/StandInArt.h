#pragma once
// Pictures drawn in code that stand in for the artwork until it arrives: the tool buttons'
// glyphs and the splash picture.
#include "platform/Bitmap.h"
#include "platform/WinTypes.h"

enum class TToolGlyph { Back, Forward, Contents, Print, Exit };

class StandInArt {
  public:
    static constexpr int kGlyphSize = 16;
    // The glyph's background; the speed button reads it from the bottom-left pixel.
    static constexpr COLORREF kGlyphTransparent = RGB(128, 128, 0);
    static constexpr int kSplashWidth = 780;
    static constexpr int kSplashHeight = 274;
    // What the splash window shows of the picture: its client width, less the strip the HTML
    // view covers at the bottom. The texts are centred within it.
    static constexpr int kSplashVisibleWidth = 683;
    static constexpr int kSplashVisibleHeight = 264;

    // 24 bits, 32 x 16: the normal image on the left, the greyed one on the right, both in
    // the sixteen colours of a 4-bit bitmap.
    static Bitmap ToolGlyph(TToolGlyph glyph);

    // 24 bits, 780 x 274. No pixel is pure black, the splash window's see-through colour.
    static Bitmap SplashPicture();
};
