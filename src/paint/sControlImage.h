#pragma once
// The pixel primitives that need a control or an image list, and so sit above the toolkit:
// the disabled look of a control's image and an image-list image as a work bitmap.
#include "graphics/ParentCacheInfo.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

class TControl;
class TImageList;

enum TsDisabledKindFlag : unsigned { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = unsigned;

// dkGrayed greys the bitmap; dkBlended then shows it at 40% over the parent's background
// (the parent cache at its offset moved by `offset`) or, without a usable parent cache,
// tints it halfway toward ParentBgColor (the control's own colour while that is KeyColor).
void ApplyDisabledLook(Bitmap& bitmap, TsDisabledKind kind, const TControl* control, POINT offset,
                       const ParentCacheInfo& parentCache);

// Sizes the bitmap (24 bits) to the list's images, fills it with the list's transparent
// colour and draws image `index` at (0, 0); a bad index leaves only the fill.
void ImageToBitmap(Bitmap& bitmap, const TImageList& imageList, int index);
