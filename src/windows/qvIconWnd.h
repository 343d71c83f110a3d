#pragma once
// A static icon of a system dialog: the base look with the icon the window shows over it.
#include "windows/qvStaticWnd.h"

class TqvIconWnd : public TqvStaticWnd {
  public:
    using TqvStaticWnd::TqvStaticWnd;
    // The window's icon (STM_GETICON) at its own size at (0, 0); nothing without one.
    void PaintContent(Bitmap& cache) override;
};
