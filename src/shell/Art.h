#pragma once
// The textbook's pictures, decoded from the files embedded from data/art.
#include "platform/core/Handles.h"
#include "platform/gdi/Bitmap.h"

enum class TToolGlyph { Back, Forward, Contents, Print, Exit };

class TArt {
  public:
    // 24 bits, 780 x 274; empty if the embedded file cannot be decoded.
    static Bitmap SplashPicture();
    // 24 bits, 32 x 16: the normal image on the left, the greyed one on the right; the
    // bottom-left pixel is the transparent colour.
    static Bitmap ToolGlyph(TToolGlyph glyph);
    // The program's icon for sizes 16 and 32, shared (never destroyed by callers); null for
    // other sizes or a file that cannot be decoded.
    static HICON WindowIcon(int size);
};
