#pragma once
// Nested message loops for modal windows (pop-up menus, dialog boxes).
//
// Other pumps may run while a modal loop waits: a headless driver that injects input and
// handles it at once, ProcessPendingMessages called from a handler. They take every message
// but stop at WM_QUIT, so whoever ends a modal loop from inside one wakes it with a private
// quit. They also pass each message through the innermost loop's filter, so a dialog's
// keyboard works whichever pump delivers the key.
#include <functional>

#include "platform/window/WindowSystem.h"

// Answers true when it has handled the message itself (the pump must not dispatch it).
using ModalFilter = std::function<bool(MSG&)>;

// Pumps until `done` holds; `idle` runs each time the queue has emptied before waiting. A real
// quit, or a wait in which nothing can ever arrive, ends the loop early: it returns false and
// leaves the quit queued for the outer loop.
bool RunModalLoop(const std::function<bool()>& done, const ModalFilter& filter,
                  const std::function<void()>& idle);
// Wakes the innermost modal loop so that it checks whether it is done.
void WakeModalLoop();
// A modal loop (dialog box, message box, tracked menu) is running.
bool ModalLoopRunning();
// Called whenever a modal loop starts; the layers above (the hint window) register here,
// since this layer cannot know them. One hook: a second call replaces the first.
void SetModalLoopStartHook(std::function<void()> hook);
// The innermost running loop's filter applied to a message a foreign pump took.
bool FilterThroughModalLoop(MSG& msg);
