#pragma once
// What the skinned system menus of forms and of dialogs share: the six window commands
// (Restore, Move, Size, Minimize, Maximize, a line, Close with Alt+F4), each handed to
// RunCommand when chosen, and their showing and enabling by the owner's rules.
#include <array>
#include <functional>

#include "platform/core/WinTypes.h"
#include "toolkit/PopupMenu.h"

class TMenuItem;

class TsWindowCommandMenu : public TPopupMenu {
  public:
    // The items in menu order; the first six values of both command tables.
    enum Slot { Restore, Move, Size, Minimize, Maximize, Close, SlotCount };
    using SlotRule = std::function<bool(int slot)>;

  protected:
    // names: the component names of the six items, in slot order.
    TsWindowCommandMenu(TComponent* owner, const std::array<const char*, SlotCount>& names);
    TMenuItem* CommandItem(Slot slot) const { return items_[slot]; }
    // Shows and enables every item by the rules; Move always shows and Close always works. A
    // failure leaves the menu as it was, so that the frame goes on working.
    void ApplyRules(const SlotRule& visible, const SlotRule& enabled);
    // The chosen command (SC_RESTORE ... SC_CLOSE).
    virtual void RunCommand(WPARAM command) = 0;

  private:
    std::array<TMenuItem*, SlotCount> items_{};
};
