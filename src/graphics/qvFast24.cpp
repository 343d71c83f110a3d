#include "graphics/qvFast24.h"

bool TqvFast24::Attach(const ::Bitmap& bitmap) {
    *this = TqvFast24{};
    if (bitmap.BitsPerPixel() != 24 || bitmap.Width() < 2 || bitmap.Height() < 2) return false;
    Bitmap = &bitmap;
    Width = bitmap.Width();
    Height = bitmap.Height();
    Row0 = bitmap.ScanLine(0);
    RowDelta = bitmap.ScanLine(1) - Row0;
    return true;
}
