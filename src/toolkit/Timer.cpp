#include "toolkit/Timer.h"

#include <unordered_map>

namespace {

std::unordered_map<uintptr_t, TTimer*>& Running() {
    static std::unordered_map<uintptr_t, TTimer*> timers;
    return timers;
}

} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Restart(); }

TTimer::~TTimer() {
    if (id_) {
        KillTimer(nullptr, id_);
        Running().erase(id_);
    }
}

void TTimer::SetInterval(UINT ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Restart();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Restart();
}

void TTimer::Restart() {
    if (id_) {
        KillTimer(nullptr, id_);
        Running().erase(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0) return;
    id_ = SetTimer(nullptr, 0, interval_, Tick);
    if (id_) Running()[id_] = this;
}

void TTimer::Tick(HWND, UINT, uintptr_t id, DWORD) {
    const auto it = Running().find(id);
    if (it != Running().end()) it->second->Timer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
