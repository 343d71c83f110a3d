#pragma once
// Fading between two looks of a control: when a skinned button's look changes (the mouse
// enters or leaves it, it is pressed or released), the old picture fades into the new one
// over a few 10 ms timer ticks. TsAnimTimer drives one fade and knows only the control's
// skin data; the functions after it are the control's side, through TsFadeHost.
#include <cstdint>
#include <memory>

#include "platform/gdi/Bitmap.h"
#include "toolkit/Timer.h"

class TsCommonData;

// The state changes that may fade, as a set; aeGlobalDef adds the skin manager's button
// events (ButtonFadeEvents).
enum TqvAnimatEvent : unsigned {
    aeMouseEnter = 1,
    aeMouseLeave = 2,
    aeMouseDown = 4,
    aeMouseUp = 8,
    aeGlobalDef = 16,
};
using TqvAnimatEvents = unsigned;

// The numbers of the state changes in those sets (their bit positions).
enum TqvAnimatEventNumber : int {
    anMouseEnter = 0,
    anMouseLeave = 1,
    anMouseDown = 2,
    anMouseUp = 3
};

class TsAnimTimer : public TTimer {
  public:
    static constexpr unsigned kIntervalMs = 10;

    // A timer of its own (no owner), disabled, with both pictures empty.
    TsAnimTimer();

    // The control to fade: ticks every 10 ms and as many steps as its section's
    // FadingIterations.
    void Setup(TsCommonData* skinData);
    // True when the timer or its control is gone or going, or the application is ending;
    // false while 0 <= Step <= StepCount. Past the last step it tells the control to stop
    // fading (scStopFading), which frees this timer: the caller must not touch it then.
    bool Finished();
    // Shows step Step: the old look (StartImage) keeping A = 255 - Step*256 div StepCount of
    // 255 against the control's rebuilt cache, then counts the step.
    void DoStep();
    // Repaints the control now, with its parent told that the control paints alone.
    void Present();

    std::unique_ptr<Bitmap> StartImage; // the look before the change
    std::unique_ptr<Bitmap> WorkImage;  // the blend shown now
    bool Stepping = false;              // a step is being shown; a tick meanwhile is skipped
    TsCommonData* SkinData = nullptr;   // borrowed from the control
    int32_t Step = 0;
    int32_t StepCount = 0;

  protected:
    void Timer() override;
};

// What a fade needs of the control that fades. The control owns its fade (at most one) and
// paints WorkImage instead of its cache while the fade's timer is enabled and WorkImage has
// the control's width; it answers scStopFading with StopFade.
class TsFadeHost {
  public:
    virtual ~TsFadeHost() = default;
    virtual TsCommonData& FadeSkinData() = 0;
    // Composes the cache for the control's present state: the look a fade goes to.
    virtual void RebuildCache() = 0;
    // Repaints the control at once.
    virtual void RepaintNow() = 0;
    // The running fade, or null.
    virtual std::unique_ptr<TsAnimTimer>& FadeTimer() = 0;
};

// Whether state change `event` (anMouseEnter ..) fades under the control's set: it is in the
// set, or the set holds aeGlobalDef and the event is in ButtonFadeEvents. Events above 7 are
// in no set.
bool EventAnimates(int event, TqvAnimatEvents controlEvents);

// After the control's state changed (half: a press or release, which fades in half the
// steps): fades to the new look when `animate`, no skin change is under way, the control is
// skinned with a section that fades and its cache is valid; otherwise stops any fade and
// repaints with the new look.
void ChangeState(TsFadeHost& host, bool half, bool animate);
// Starts a fade from the present cache to the cache rebuilt for the new state. A fade that
// runs already is replaced, the new one starting where the old one had got to.
void StartFade(TsFadeHost& host, bool half);
// Ends the fade; a fade that showed anything leaves the control repainted from its cache.
void StopFade(TsFadeHost& host);
