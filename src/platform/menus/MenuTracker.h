#pragma once
// The menu loop without a loop of its own: its state lives here, and input reaches it through
// window message hooks on the owner, the focus window and the open pop-ups (which hold the
// mouse capture). Only TrackPopupMenu with TPM_RETURNCMD pumps messages until it ends.
#include <vector>

#include "platform/menus/MenuInternal.h"

class MenuTracker {
  public:
    static MenuTracker& Instance();

    bool Active() const { return active_; }
    unsigned Generation() const { return generation_; }

    // The owner's menu bar with `item` selected; `open` opens its pop-up, `selectFirst` also
    // selects the pop-up's first item (keyboard entry).
    void StartBar(HWND owner, int item, bool open, bool selectFirst);
    void StartSystemMenu(HWND owner, POINT at, bool selectFirst);
    bool StartPopup(HWND owner, HMENU menu, POINT at, UINT flags);
    // Closes everything without a choice.
    void Cancel();
    // The id chosen by the loop of that generation (TPM_RETURNCMD), 0 for none.
    UINT ResultOf(unsigned generation) const {
        return generation == resultGeneration_ ? result_ : 0;
    }

    int BarSelection(HWND owner, bool* open) const;
    HWND PopupFor(HMENU menu) const;
    bool Uses(HMENU menu) const;

  private:
    struct Level {
        HMENU menu = nullptr;
        HWND window = nullptr;
        int hook = 0;
    };
    enum class MouseKind { Move, Down, Up };

    bool Begin(HWND owner, HMENU bar, UINT flags, bool systemMenu);
    bool Alive(unsigned generation) const { return active_ && generation_ == generation; }
    bool OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Mouse(MouseKind kind, POINT screen);
    bool MouseOverPopups(MouseKind kind, POINT screen);
    void MouseOverBar(MouseKind kind, int item);
    void Key(UINT vk);
    void Char(uint32_t ch);

    void SetBarItem(int item);
    void SwitchBar(int item, bool open, bool selectFirst);
    void OpenBarPopup(bool selectFirst);
    bool OpenPopup(HMENU menu, int position, POINT at, const RECT* exclude, bool selectFirst);
    void OpenSubmenu(size_t level, bool selectFirst);
    void CloseLevelsFrom(size_t count);
    void Select(size_t level, int item);
    void MoveSelection(size_t level, int direction);
    void Choose(HMENU menu, int item);
    void Finish(UINT id, bool systemCommand);
    void CaptureInput();
    bool IsOurWindow(HWND hwnd) const;
    void SendMenuSelect(HMENU menu, int item);

    bool active_ = false;
    unsigned generation_ = 0;
    HWND owner_ = nullptr;
    HMENU bar_ = nullptr;
    int barItem_ = -1;
    bool systemMenu_ = false;
    bool mouseInput_ = false;
    UINT toggleKey_ = 0; // the last key pressed in the loop
    UINT flags_ = 0;
    std::vector<Level> levels_;
    std::vector<int> hooks_;
    std::vector<HWND> hooked_;
    UINT result_ = 0;
    unsigned resultGeneration_ = 0;
};
