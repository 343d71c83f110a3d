#include "windows/sFrameRegion.h"

#include "platform/gdi/Gdi.h"
#include "skin/sSkinManager.h"

TAOR FrameCornerRects(const TsSkinManager& manager, int formBorderMask, int titleBorderMask,
                      int frameWidth, int formHeight) {
    TAOR rects;
    if (manager.ImageIndexValid(formBorderMask)) {
        const TsMaskData& border = manager.MasksData[size_t(formBorderMask)];
        CornerRegionRects(rects, frameWidth, border, false, 0);
        CornerRegionRects(rects, frameWidth, border, true, formHeight - border.WB);
    }
    // The title bar lies at the top only: its bottom corners are not the window's.
    if (manager.ImageIndexValid(titleBorderMask))
        CornerRegionRects(rects, frameWidth, manager.MasksData[size_t(titleBorderMask)], false, 0);
    return rects;
}

HRGN MakeFrameRegion(const TAOR& cornerRects, int frameWidth, int formHeight) {
    HRGN region = CreateRectRgn(0, 0, frameWidth, formHeight);
    for (const RECT& r : cornerRects) {
        HRGN cut = CreateRectRgnIndirect(&r);
        CombineRgn(region, region, cut, RGN_DIFF);
        DeleteObject(cut);
    }
    return region;
}
