#pragma once
// The manager's animation options: which mouse events make skinned buttons fade, and the
// on/off switch and duration of the four window animations.
class TsSkinManager;

enum TqvButtonEvent : unsigned {
    beMouseEnter = 1,
    beMouseLeave = 2,
    beMouseDown = 4,
    beMouseUp = 8,
};
using TqvButtonEvents = unsigned;
constexpr TqvButtonEvents kAllButtonEvents = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;

// The events on which skinned buttons fade; set through the default manager's options.
extern TqvButtonEvents ButtonFadeEvents;

struct TqvFormAnimation {
    bool Active = true;
    int Time = 0; // milliseconds
};

class TqvBtnEffects {
  public:
    explicit TqvBtnEffects(TsSkinManager* manager) : manager_(manager) {}
    TqvButtonEvents Events() const { return events_; }
    // On the default manager this also sets the process-wide ButtonFadeEvents.
    void SetEvents(TqvButtonEvents events);

  private:
    TsSkinManager* manager_;
    TqvButtonEvents events_ = kAllButtonEvents;
};

class TqvAnimEffects {
  public:
    explicit TqvAnimEffects(TsSkinManager* manager) : Buttons(manager), manager_(manager) {}
    TsSkinManager* Manager() const { return manager_; }

    TqvBtnEffects Buttons;
    TqvFormAnimation DialogShow{true, 100};
    TqvFormAnimation FormShow{true, 0};
    TqvFormAnimation PageChange{true, 0};
    TqvFormAnimation SkinSwitching{true, 100};

  private:
    TsSkinManager* manager_;
};
