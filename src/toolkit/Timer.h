#pragma once
// Timers: OnTimer runs every Interval milliseconds while the timer is enabled, on the
// window-system clock (the virtual one in tests).
#include "toolkit/Control.h"

class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }

    UINT Interval() const { return interval_; }
    void SetInterval(UINT ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

  protected:
    // One tick; a derived timer may do its own work here.
    virtual void Timer();

  private:
    void Restart();
    static void Tick(HWND, UINT, uintptr_t id, DWORD);

    UINT interval_ = 1000;
    bool enabled_ = true;
    uintptr_t id_ = 0;
};
