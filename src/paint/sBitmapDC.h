#pragma once
// A memory device context over a bitmap that something else owns, so that the window
// system's block copies (BitBlt, StretchBlt) can read from or write into a work bitmap.
// The bitmap must outlive the context.
#include "platform/core/Handles.h"
#include "platform/gdi/Bitmap.h"

class TsBitmapDC {
  public:
    explicit TsBitmapDC(Bitmap& bitmap);
    // For a source only: nothing is drawn into a bitmap reached this way.
    explicit TsBitmapDC(const Bitmap& bitmap);
    ~TsBitmapDC();
    TsBitmapDC(const TsBitmapDC&) = delete;
    TsBitmapDC& operator=(const TsBitmapDC&) = delete;

    // Null when the context could not be made; block copies then do nothing.
    HDC Handle() const { return dc_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP handle_ = nullptr;
    HGDIOBJ old_ = nullptr;
};
