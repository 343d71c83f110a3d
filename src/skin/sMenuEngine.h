#pragma once
// What the skin manager asks of the menu skinning that it owns: the window-skinning layer
// makes the object (TsSkinManager::MakeMenuEngine) and the manager drives it through this.
#include "platform/core/WinTypes.h"

class TMenu;
class TMenuItem;

class TsMenuEngine {
  public:
    virtual ~TsMenuEngine() = default;
    // A skin is about to be loaded: the menu frame width is looked up again.
    virtual void ResetBorderWidth() = 0;
    // Hooks or unhooks every menu of the application to follow whether a skin is loaded.
    virtual void RefreshHooks() = 0;
    // Forgets the backdrop and the extra-line answers of the current pop-up.
    virtual void ResetPopupState() = 0;
    virtual void AttachMainMenu(TMenu* menu, bool active) = 0;
    virtual void AttachPopupMenu(TMenu* menu, bool active) = 0;
    virtual void AttachMenuItems(TMenuItem* item, bool active) = 0;
    virtual void AttachSingleItem(TMenuItem* item, bool active) = 0;
    // The application window's private menu messages; true when answered.
    virtual bool HandleApplicationMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};
