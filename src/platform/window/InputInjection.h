#pragma once
// Mouse and keyboard input handed to the window system in screen coordinates, as a backend
// delivers it; the window system turns it into queued messages. Drivers that play input
// without a backend (uishot's scenarios) use it too.
#include <cstdint>

#include "platform/core/WinTypes.h"

enum class MouseButton { None, Left, Right, Middle };
void QueueMouseMove(POINT screen);
void QueueMouseButton(POINT screen, MouseButton button, bool down);
void QueueMouseWheel(POINT screen, int delta);
void QueueKey(UINT vk, bool down);
void QueueChar(uint32_t codePoint);

// When the next timer falls due (backend clock), or kWaitForever without timers: a driver
// advancing the clock by hand steps to it.
DWORD NextTimerDueMs();
