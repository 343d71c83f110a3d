#pragma once
// What the window manager needs from the thing that shows windows and delivers input: a
// clock, a way to wait, the screen's size and work area, cursor shapes, and notice of what
// changed on top-level windows. The headless backend and the SDL2 backend implement it;
// nothing above the window system knows which one runs.
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"

constexpr DWORD kWaitForever = 0xFFFFFFFF;

class Backend {
  public:
    virtual ~Backend() = default;

    // Milliseconds since the backend started.
    virtual DWORD NowMs() = 0;
    // The date and time of day, as the system clock gives them.
    virtual std::time_t WallClock() { return std::time(nullptr); }
    // Waits until input may have been queued or the clock reaches untilMs (kWaitForever: no
    // time limit). Returns false when no input can ever come again (the program should end).
    virtual bool WaitForEvents(DWORD untilMs) = 0;
    // A blocking pause between animation frames.
    virtual void Sleep(DWORD ms) = 0;

    virtual RECT ScreenRect() = 0;
    virtual RECT WorkArea() = 0;
    virtual void SetCursorShape(int cursorId) = 0;

    // A top-level window was shown, hidden, moved, resized, reshaped or destroyed.
    virtual void TopLevelChanged(HWND topLevel) = 0;
    // Pixels of a top-level window's surface changed inside `dirty` (window coordinates).
    virtual void SurfaceChanged(HWND topLevel, const RECT& dirty) = 0;
    // Draws the user's eye to a top-level window (a click landed on a window it disables);
    // a backend that cannot does nothing.
    virtual void FlashWindow(HWND) {}

    // The text clipboard, UTF-8. By default one string inside the program (headless); a
    // backend with a desktop shares it with the other programs there.
    virtual void SetClipboardText(std::string_view text);
    virtual std::string ClipboardText();
};

// The running backend; a headless one is created on first use when none was set.
Backend& CurrentBackend();
void SetBackend(std::unique_ptr<Backend> backend);
