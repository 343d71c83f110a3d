#pragma once
// The splash picture: the course's name over a blue-green gradient with a faint histogram
// and its bell curve behind it.
#include "platform/gdi/Bitmap.h"

class SplashPainter {
  public:
    static constexpr int kWidth = 780;
    static constexpr int kHeight = 274;
    // The part the splash window shows; the HTML view covers the rest.
    static constexpr int kVisibleWidth = 683;
    static constexpr int kVisibleHeight = 264;
    // No channel goes below this, so that JPEG noise cannot reach the window's see-through
    // black.
    static constexpr int kDarkest = 20;

    // 24 bits, kWidth x kHeight.
    static Bitmap Paint();
};
