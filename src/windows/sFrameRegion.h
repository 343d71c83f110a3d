#pragma once
// The window region of a skinned form: the window rectangle without the key-coloured pixels
// of the frame's corner pictures, so that the desktop shows through rounded or cut corners.
#include "paint/sMaskData.h"
#include "platform/core/Handles.h"

class TsSkinManager;

// The one-pixel-high rectangles to cut: the top and bottom corners of the form's border
// (formBorderMask) and the top corners of the title bar's border (titleBorderMask), placed on
// a window of frameWidth x formHeight. An index that is not a valid image adds nothing.
TAOR FrameCornerRects(const TsSkinManager& manager, int formBorderMask, int titleBorderMask,
                      int frameWidth, int formHeight);

// The rectangle (0, 0, frameWidth, formHeight) without the given rectangles.
HRGN MakeFrameRegion(const TAOR& cornerRects, int frameWidth, int formHeight);
