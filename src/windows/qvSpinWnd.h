#pragma once
// The up-down arrows of a system dialog painted from the skin: two halves with their own
// states and the skin's scroll-button arrows.
#include "windows/qvMainWnd.h"

class TqvSpinWnd : public TqvMainWnd {
  public:
    TqvSpinWnd(HWND handle, bool withScrollBars, const std::string& skinSection,
               TsSkinManager* manager, TsCommonData* skinData);
    void WindowProc(TMessage& message) override;

    // Columns at the left left unpainted.
    int LeftOffset = 0;
    bool ButtonDown = false;
    // 0 normal, 1 hot, 2 pressed.
    int UpperState = 0;
    int LowerState = 0;

  private:
    void UpdateStates();
    void Paint(HDC given);
    void MouseMoved();
};
