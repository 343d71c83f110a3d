#pragma once
// Where a control finds its parent's composed background: the parent's cache bitmap, the
// position of the control's origin inside it, and whether it holds a valid background.
// The bitmap is borrowed from the parent for the duration of one paint.
#include "platform/gdi/Bitmap.h"

struct ParentCacheInfo {
    const ::Bitmap* Bitmap = nullptr;
    int X = 0;
    int Y = 0;
    bool Usable = false;
};
