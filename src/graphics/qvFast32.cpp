#include "graphics/qvFast32.h"

bool TqvFast32::Attach(const ::Bitmap& bitmap) {
    *this = TqvFast32{};
    if (bitmap.BitsPerPixel() != 32 || bitmap.Width() < 2 || bitmap.Height() < 2) return false;
    Bitmap = &bitmap;
    Width = bitmap.Width();
    Height = bitmap.Height();
    Row0 = bitmap.ScanLine(0);
    RowDelta = bitmap.ScanLine(1) - Row0;
    return true;
}
