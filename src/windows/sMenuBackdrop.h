#pragma once
// The state of the popup menu being shown, shared by every menu of the process: only one
// popup level is prepared at a time. It holds the popup's background image at window size
// (frame included), the popup it belongs to (keyed by its first item), the extra-line answers
// and the icon column's width.
#include <memory>
#include <string>

#include "platform/gdi/Bitmap.h"
#include "windows/sMenuItemKind.h"

class TMenuItem;

struct TsPopupState {
    std::unique_ptr<Bitmap> Backdrop;
    // Only compared with, never followed: the item may be gone by then.
    const TMenuItem* FirstItem = nullptr;
    bool ExtraLineDeciding = false;
    bool ExtraLineDecided = false;
    bool ExtraLineVisible = false;
    std::string ExtraLineSection;
    std::string ExtraLineCaption;
    std::unique_ptr<Bitmap> ExtraLineGlyph;
    int IconColumnWidth = 0;
    TsMenuItemType LastItemKind = smNormal;
    // A menu is being measured or shown (set by measuring and by a skinned form's
    // WM_INITMENUPOPUP; a menu window's destruction clears it).
    bool Measuring = false;
};

// The one popup state of the process.
TsPopupState& PopupState();
// Forgets the popup: its first item, its backdrop and the extra-line answers.
void ResetPopupState();
