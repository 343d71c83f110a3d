#pragma once
// Rendering a control and its windowed children into a bitmap, and the animated repaint that
// cross-fades a form from its look on screen to its repainted look.
#include "platform/gdi/Bitmap.h"

class TControl;
class TWinControl;

// Renders the control into the bitmap with its corner at (0, 0), clipped to its size. A
// windowed control is drawn whole (frame and client area): a skinned one prints itself, any
// other paints its frame and then its client area through the toolkit. Its windowless
// children come with its own picture; its visible windowed children are rendered in turn at
// their places in its window, clipped to its client area. A windowless control only paints
// itself.
void PaintControlTree(Bitmap& bitmap, TControl* control);

// Cross-fades a control (a form, or a page control changing its page) from what the screen
// shows to its new look. Unless PrepareAnimateRepaint has done it already, the control stops
// redrawing and a TOutputWindow showing what the screen showed covers it. Then the new look
// is rendered with PaintControlTree and, when time is over 7 ms, faded in over time div 8 + 1
// frames 8 ms apart (the old look's weight falling from 255 by 255 div (time div 8) a frame);
// the new look shows, the cover goes and the control may redraw again. A form answering
// scGetProvider first has its provider's frame rebuilt (TsSkinManager::RebuildProviderFrame)
// and lends the cover its window region.
void AnimateRepaint(TWinControl* control, int time);
// The first step alone, before the control changes: it stops redrawing and the cover shows
// its present look. Nothing when a cover exists already.
void PrepareAnimateRepaint(TWinControl* control);
// The change did not happen: the cover and the old look go and the control may redraw.
void CancelAnimateRepaint(TWinControl* control);

// Gives the skin manager its animated repaint (TsSkinManager::AnimateRepaint); called once
// when the program starts.
void InstallAnimateRepaint();
