#include "platform/backends/HeadlessBackend.h"

#include "platform/core/FileSystem.h"
#include "platform/image/PngFile.h"
#include "platform/window/ScreenOverlay.h"
#include "platform/window/WindowInternal.h"

namespace {

std::unique_ptr<Backend>& Slot() {
    static std::unique_ptr<Backend> backend;
    return backend;
}

} // namespace

Backend& CurrentBackend() {
    if (!Slot()) Slot() = std::make_unique<HeadlessBackend>();
    return *Slot();
}

void SetBackend(std::unique_ptr<Backend> backend) { Slot() = std::move(backend); }

HeadlessBackend::HeadlessBackend(int screenWidth, int screenHeight)
    : width_(screenWidth), height_(screenHeight) {}

void HeadlessBackend::SetScreenSize(int width, int height) {
    width_ = width;
    height_ = height;
}

bool HeadlessBackend::WaitForEvents(DWORD untilMs) {
    if (driver_) return driver_();
    if (untilMs == kWaitForever) return false;
    if (int32_t(untilMs - now_) > 0) now_ = untilMs;
    return true;
}

HeadlessBackend* Headless() { return dynamic_cast<HeadlessBackend*>(&CurrentBackend()); }

HeadlessBackend& UseHeadlessBackend(int screenWidth, int screenHeight) {
    HeadlessBackend* h = Headless();
    if (!h) {
        SetBackend(std::make_unique<HeadlessBackend>(screenWidth, screenHeight));
        h = Headless();
    }
    h->SetScreenSize(screenWidth, screenHeight);
    ScreenOverlay::Instance().Clear(); // each run starts on a clean screen
    return *h;
}

void AdvanceClock(DWORD ms) {
    HeadlessBackend* running = Headless();
    HeadlessBackend& h = running ? *running : UseHeadlessBackend();
    ProcessPendingMessages();
    // From one due timer to the next: timers fall due in order, and what each one starts is
    // handled before the clock moves on; nothing else can happen in between.
    const DWORD end = h.NowMs() + ms;
    while (int32_t(end - h.NowMs()) > 0) {
        const DWORD now = h.NowMs(), next = NextTimerDueMs();
        DWORD target = end;
        if (next != kWaitForever && int32_t(next - end) < 0)
            target = int32_t(next - now) > 0 ? next : now + 1;
        h.Sleep(target - now);
        ProcessPendingMessages();
    }
}

void MouseMoveTo(POINT screen) {
    QueueMouseMove(screen);
    ProcessPendingMessages();
}

void MouseDown(POINT screen, bool right) {
    QueueMouseMove(screen);
    QueueMouseButton(screen, right ? MouseButton::Right : MouseButton::Left, true);
    ProcessPendingMessages();
}

void MouseUp(POINT screen, bool right) {
    QueueMouseMove(screen);
    QueueMouseButton(screen, right ? MouseButton::Right : MouseButton::Left, false);
    ProcessPendingMessages();
}

void Click(POINT screen) {
    MouseDown(screen);
    MouseUp(screen);
}

void DoubleClick(POINT screen) {
    Click(screen);
    Click(screen);
}

void Wheel(POINT screen, int delta) {
    QueueMouseWheel(screen, delta);
    ProcessPendingMessages();
}

void KeyDown(UINT vk) {
    QueueKey(vk, true);
    ProcessPendingMessages();
}

void KeyUp(UINT vk) {
    QueueKey(vk, false);
    ProcessPendingMessages();
}

void KeyPress(UINT vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void TypeChar(uint32_t codePoint) {
    QueueChar(codePoint);
    ProcessPendingMessages();
}

Bitmap Screenshot() {
    const RECT r = CurrentBackend().ScreenRect();
    Bitmap screen(WidthOf(r), HeightOf(r), 24, true);
    ComposeScreen(screen);
    return screen;
}

Bitmap WindowShot(HWND topLevel) {
    Bitmap out;
    ComposeWindow(topLevel, out);
    return out;
}

bool SaveScreenshot(const std::string& hostPath, std::string* error) {
    return SavePNG(Screenshot(), WindowsPath(hostPath), error);
}
