#include "paint/sControlImage.h"

#include "graphics/sAlphaGraph.h"
#include "paint/sBitmapDC.h"
#include "skin/sMessages.h"
#include "toolkit/Control.h"
#include "toolkit/ImageList.h"

void ApplyDisabledLook(Bitmap& bitmap, TsDisabledKind kind, const TControl* control, POINT offset,
                       const ParentCacheInfo& parentCache) {
    if (bitmap.Empty() || bitmap.BitsPerPixel() != 24) return;
    if (kind & dkGrayed) GrayscaleBitmap(bitmap);
    if (!(kind & dkBlended)) return;
    if (parentCache.Usable && parentCache.Bitmap) {
        const int left = parentCache.X + offset.x;
        const int top = parentCache.Y + offset.y;
        const RECT source{left, top, left + bitmap.Width() - 1, top + bitmap.Height() - 1};
        // The control keeps 40%; the background behind it shows through with 60%.
        BlendImageKeyed(bitmap, 0, 0, clNone, 0.4, source, *parentCache.Bitmap);
        return;
    }
    TColor color = ParentBgColor;
    if (color == KeyColor && control) color = control->Color();
    TintRectToColor(bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()}, 50, color);
}

void ImageToBitmap(Bitmap& bitmap, const TImageList& imageList, int index) {
    if (bitmap.BitsPerPixel() != 24) bitmap.SetFormat(24);
    if (!bitmap.SetSize(imageList.Width(), imageList.Height())) return;
    bitmap.Fill(imageList.BkColor());
    TsBitmapDC dc(bitmap);
    if (dc.Handle()) imageList.Draw(dc.Handle(), 0, 0, index);
}
