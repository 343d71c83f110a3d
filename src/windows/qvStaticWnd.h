#pragma once
// A static text of a system dialog painted from the skin: the base look with the window's
// text in the system message font over it.
#include "windows/qvMainWnd.h"

class Bitmap;

class TqvStaticWnd : public TqvMainWnd {
  public:
    using TqvMainWnd::TqvMainWnd;
    void WindowProc(TMessage& message) override;
    // Draws the window's content onto the cache (here its text).
    virtual void PaintContent(Bitmap& cache);

  protected:
    void RebuildFrameCache() override;
    // Turns drawing off around the base handling and then repaints the window.
    void QuietlyThenRepaint(TMessage& message);
    void Paint(HDC given);
};
