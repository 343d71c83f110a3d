#include "platform/window/ModalLoop.h"

#include <vector>

namespace {

constexpr int kWakeQuitCode = 0x4D4F444C;

std::vector<const ModalFilter*>& Filters() {
    static std::vector<const ModalFilter*> filters;
    return filters;
}

bool IsWakeQuit(const MSG& msg) {
    return msg.message == WM_QUIT && int(msg.wParam) == kWakeQuitCode;
}

void DropWakeQuit() {
    MSG quit;
    if (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) && IsWakeQuit(quit))
        PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// Keeps the filter on the stack for exactly as long as its loop runs, exceptions included.
class FilterScope {
  public:
    explicit FilterScope(const ModalFilter* filter) { Filters().push_back(filter); }
    ~FilterScope() { Filters().pop_back(); }
    FilterScope(const FilterScope&) = delete;
    FilterScope& operator=(const FilterScope&) = delete;
};

} // namespace

void WakeModalLoop() {
    MSG pending;
    if (!PeekMessage(&pending, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        PostQuitMessage(kWakeQuitCode);
}

bool ModalLoopRunning() { return !Filters().empty(); }

namespace {
std::function<void()>& StartHook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void SetModalLoopStartHook(std::function<void()> hook) { StartHook() = std::move(hook); }

bool FilterThroughModalLoop(MSG& msg) {
    const auto& filters = Filters();
    return !filters.empty() && filters.back() && *filters.back() && (*filters.back())(msg);
}

bool RunModalLoop(const std::function<bool()>& done, const ModalFilter& filter,
                  const std::function<void()>& idle) {
    FilterScope scope(&filter);
    if (StartHook()) StartHook()(); // a hint of a window beneath would float over the modal one
    MSG msg;
    bool ended = true;
    while (!done()) {
        if (idle && !PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idle();
            if (done()) break;
        }
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            if (IsWakeQuit(msg)) continue;
            DropWakeQuit();
            PostQuitMessage(int(msg.wParam));
            ended = false;
            break;
        }
        if (filter && filter(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    DropWakeQuit();
    return ended;
}
