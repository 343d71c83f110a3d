#pragma once
// The tool buttons' glyphs: pixel drawings in the sixteen VGA colours, each with its greyed
// copy for the disabled button beside it.
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "shell/Art.h" // the glyph names

class GlyphPainter {
  public:
    static constexpr int kSize = 16;
    // Background and the bottom-left pixel: the speed button takes it as transparent.
    static constexpr COLORREF kTransparent = RGB(128, 128, 0);

    // 24 bits, 32 x 16: the normal image on the left, the greyed one on the right.
    static Bitmap Paint(TToolGlyph glyph);
    // The file name the glyph is stored under in data/art.
    static const char* FileName(TToolGlyph glyph);
};
