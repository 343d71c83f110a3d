#pragma once
// The standard up-down control: two arrow buttons that step Position between Min and Max by
// Increment (wrapping round with Wrap), asking OnChanging first and reporting the button
// through OnClick. The control does the stepping itself, so Increment and Wrap need nothing
// from the window class but its arrows.
#include <functional>

#include "toolkit/WinControl.h"

enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev }; // up or right; down or left

using TUDClickEvent = std::function<void(TComponent* sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TComponent* sender, bool& allowChange)>;

class TUpDown : public TWinControl {
  public:
    explicit TUpDown(TComponent* owner);
    const char* ClassName() const override { return "TUpDown"; }

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    // Kept within Min and Max.
    int Position() const { return position_; }
    void SetPosition(int value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value) { wrap_ = value; }
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool value);

    // Hides the control's plain click: an up-down's click names its button.
    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& m) override;
    virtual bool CanChange();
    virtual void Click(TUDBtnType button);
    using TControl::Click;
    // One step in a direction (+1 next, -1 previous); false when nothing moved.
    bool Step(int direction);

  private:
    void SendRange();

    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    int position_ = 0;
    TUDOrientation orientation_ = udVertical;
    bool wrap_ = false;
    bool arrowKeys_ = true;
};
