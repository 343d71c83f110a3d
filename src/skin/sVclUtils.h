#pragma once
// Small control helpers of the skinning engine: readiness to repaint, the owning form, text
// flags by alignment, the client rectangle in window coordinates, the room aligned children
// take, and the desktop work area.
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "toolkit/Control.h"
#include "toolkit/Panel.h"

class TComponent;
class TForm;
class TWinControl;

// Has a window if windowed, is not loading, reading or going away, and has a parent.
bool IsReadyToRepaint(const TControl* control);

// The first form up the owner chain, or null.
TForm* FindParentForm(const TComponent* component);

// DT_LEFT / DT_RIGHT / DT_CENTER for the alignment, with vertical centring and tab expansion.
UINT TextFlagsFor(const TControl* control, TAlignment alignment);

// The window's client rectangle moved to where the client area lies in the window rectangle.
void ClientRectInWindow(HWND window, RECT& rect);

// The sum of the heights (alTop, alBottom) or widths (alLeft, alRight) of the container's
// visible children with that alignment; windowless ones only when includeWindowless. Other
// alignments give 0.
int AlignedSize(const TWinControl* container, TAlign align, bool includeWindowless);

// The desktop work area.
void GetWorkArea(RECT& rect);
