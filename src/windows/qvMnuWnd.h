#pragma once
// The wrapper the window hook gives every popup menu window when it is made: while a menu is
// measured or shown it paints the window's background and frame from "MAINMENU", and it
// tells the menu skinning whether the window has been shaped already.
#include "windows/qvScrollWnd.h"

class TqvMnuWnd : public TqvScrollWnd {
  public:
    TqvMnuWnd(HWND handle, TsSkinManager* manager);
    ~TqvMnuWnd() override;

    void WindowProc(TMessage& message) override;
    bool Shaped = false;

    // The frame copied onto the window on non-client painting is this thick.
    static constexpr int kFrameWidth = 18;
    // The client background is taken from the cache from this point.
    static constexpr int kClientOffset = 3;

  protected:
    bool SkinCommand(TMessage& message) override;

  private:
    void BuildCache();
    void EraseBackground(TMessage& message);
    void PaintFrame();
};
