#pragma once
// Showing windows on the display (the SDL backend) instead of headless.
#include <functional>

// Switches to the SDL backend, calls `open` to make the windows and runs the message loop
// until it ends (after `seconds` when that is not negative); `close` then destroys what is
// left while the backend that shows it is still there, and the headless backend comes back.
// 1, with a message, when there is no display; 0 otherwise.
int RunOnScreen(int seconds, const std::function<void()>& open, const std::function<void()>& close);
