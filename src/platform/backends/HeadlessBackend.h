#pragma once
// The backend of tests and screenshots: a virtual screen, a virtual clock that moves only
// when told, and input injected by code at screen points.
#include <functional>
#include <string>

#include "platform/gdi/Bitmap.h"
#include "platform/window/Backend.h"

class HeadlessBackend : public Backend {
  public:
    explicit HeadlessBackend(int screenWidth = 1280, int screenHeight = 1024);

    DWORD NowMs() override { return now_; }
    // The moment the virtual clock started (the real time at construction unless set) plus
    // its milliseconds: the date and time only move as the virtual clock does.
    std::time_t WallClock() override { return wallStart_ + std::time_t(now_ / 1000); }
    void SetWallClockStart(std::time_t start) { wallStart_ = start - std::time_t(now_ / 1000); }
    // With a driver set, waiting hands control to it (a scenario plays its next step);
    // without one, time jumps to the next timer, or the program ends when none is set.
    bool WaitForEvents(DWORD untilMs) override;
    void Sleep(DWORD ms) override { now_ += ms; }
    RECT ScreenRect() override { return Rect(0, 0, width_, height_); }
    RECT WorkArea() override { return Rect(0, 0, width_, height_ - kTaskBarHeight); }
    void SetCursorShape(int cursorId) override { cursor_ = cursorId; }
    void TopLevelChanged(HWND) override {}
    void SurfaceChanged(HWND, const RECT&) override {}

    void SetScreenSize(int width, int height);
    int CursorShape() const { return cursor_; }
    // Called when the program waits; returns false when the scenario has ended.
    void SetDriver(std::function<bool()> driver) { driver_ = std::move(driver); }

    static constexpr int kTaskBarHeight = 30;

  private:
    DWORD now_ = 0;
    std::time_t wallStart_ = std::time(nullptr);
    int width_;
    int height_;
    int cursor_ = 32512;
    std::function<bool()> driver_;
};

// The headless backend in use, or null when another one runs.
HeadlessBackend* Headless();
// Makes sure the headless backend runs (tests call this first) and returns it.
HeadlessBackend& UseHeadlessBackend(int screenWidth = 1280, int screenHeight = 1024);

// Driving the program as a user would, on the headless backend. Each call queues the input
// and then handles every message that is waiting.
void AdvanceClock(DWORD ms); // delivers the timers that fall due on the way, in order
void MouseMoveTo(POINT screen);
void MouseDown(POINT screen, bool right = false);
void MouseUp(POINT screen, bool right = false);
void Click(POINT screen);
void DoubleClick(POINT screen);
void Wheel(POINT screen, int delta);
void KeyPress(UINT vk);
void KeyDown(UINT vk);
void KeyUp(UINT vk);
void TypeChar(uint32_t codePoint);

// The screen as a user would see it, or one top-level window.
Bitmap Screenshot();
Bitmap WindowShot(HWND topLevel);
bool SaveScreenshot(const std::string& hostPath, std::string* error);
