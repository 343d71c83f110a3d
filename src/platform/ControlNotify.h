#pragma once
// Helpers the common controls share: notifications to the parent and the default font.
#include "platform/WindowSystem.h"

// Fills in the header (sender, its id, the code) and sends WM_NOTIFY to the parent; 0 when
// there is no parent. The caller must re-check its window afterwards: the parent may destroy it.
LRESULT SendNotify(HWND from, NMHDR* hdr, UINT code);
// The system's message font, newly created (the caller deletes it); null when unavailable.
HFONT CreateMessageFont();
// The width and height of a UTF-8 text in a font (the default font when null).
SIZE MeasureText(HFONT font, const std::string& text);
