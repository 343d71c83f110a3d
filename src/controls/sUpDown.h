#pragma once
// The skinned up-down: two arrow buttons painted from the skin's scroll-button sections (or a
// section of the caller's choice), hot and pressed with the mouse, and drawn disabled when
// they cannot move the position any further.
#include <string>

#include "paint/sControlImage.h"
#include "toolkit/UpDown.h"

class TsSkinManager;

enum TsUpDownButton { udbUp, udbLeft, udbDown, udbRight };

class TsUpDown : public TUpDown {
  public:
    explicit TsUpDown(TComponent* owner);
    const char* ClassName() const override { return "TsUpDown"; }

    const std::string& ButtonSkin() const { return buttonSkin_; }
    void SetButtonSkin(const std::string& value);
    TsDisabledKind DisabledKind = dkBlended;
    bool ShowInaccessibility = true;
    bool MouseDown = false;
    // 0 none, 1 first button hot, 2 second hot, 3 first pressed, 4 second pressed.
    int DrawingState = 0;

    // The first button is up (vertical) or left (horizontal).
    RECT FirstHalf() const;
    bool Inaccessible(bool firstButton) const;
    void PaintButton(Bitmap& bitmap, TsUpDownButton button);

  protected:
    void WndProc(TMessage& m) override;

  private:
    bool SkinPaints() const;
    void PaintSkinned(HDC dc);
    void SetDrawingState(int value);

    std::string buttonSkin_;
};
