#include "platform/backends/SdlBackend.h"

#include <SDL.h>
#include <SDL_shape.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/core/TextCodec.h"
#include "platform/window/ScreenOverlay.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

// Sanitized builds: the system libraries SDL loads for a display (D-Bus, Xlib) keep a few
// allocations for the life of the process; they are not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:libX11.so\n";
}

namespace {

RECT FromSdl(const SDL_Rect& r) { return Rect(r.x, r.y, r.x + r.w, r.y + r.h); }

bool Keyed(const WindowObject& w) { return w.layered && (w.layeredFlags & LWA_COLORKEY); }

// The SDL creation flags a window's styles ask for. Owned windows, pop-ups and tool windows
// stay off the task bar unless they ask for it; a tool pop-up (menus, drop-down lists and
// hints carry WS_EX_TOOLWINDOW) is left unmanaged, so the window manager neither moves nor
// focuses it.
uint32_t CreationFlags(const WindowObject& w) {
    uint32_t flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    const bool popup = (w.style & WS_POPUP) != 0, tool = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
    if ((popup || tool || w.owner) && !(w.exStyle & WS_EX_APPWINDOW))
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    if (popup && tool) flags |= SDL_WINDOW_POPUP_MENU;
    if (w.exStyle & WS_EX_TOPMOST) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    return flags;
}

SDL_SystemCursor SystemCursorFor(int id) {
    switch (id) {
    case IDC_HAND: return SDL_SYSTEM_CURSOR_HAND;
    case IDC_IBEAM: return SDL_SYSTEM_CURSOR_IBEAM;
    case IDC_SIZEWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case IDC_SIZENS: return SDL_SYSTEM_CURSOR_SIZENS;
    case IDC_SIZENWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case IDC_SIZENESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case IDC_SIZEALL: return SDL_SYSTEM_CURSOR_SIZEALL;
    case IDC_WAIT: return SDL_SYSTEM_CURSOR_WAIT;
    case IDC_NO: return SDL_SYSTEM_CURSOR_NO;
    case IDC_CROSS: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

std::vector<uint32_t> CodePoints(const char* utf8) {
    std::vector<uint32_t> out;
    const std::string_view s(utf8, strnlen(utf8, SDL_TEXTINPUTEVENT_TEXT_SIZE));
    for (size_t pos = 0; pos < s.size();) out.push_back(DecodeUtf8(s, pos));
    return out;
}

} // namespace

UINT VirtualKeyFromSdl(int32_t keycode, int scancode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return UINT('A' + (keycode - SDLK_a));
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return UINT('0' + (keycode - SDLK_0));
    // A layout whose letter keys give other letters (Cyrillic): by position, as Win32 does.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z && keycode > 0x7F)
        return UINT('A' + (scancode - SDL_SCANCODE_A));
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0 && keycode > 0x7F)
        return scancode == SDL_SCANCODE_0 ? UINT('0') : UINT('1' + (scancode - SDL_SCANCODE_1));
    switch (keycode) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    default: break;
    }
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return VK_F1 + UINT(keycode - SDLK_F1);
    return 0;
}

// ---------------------------------------------------------------- start and end

std::unique_ptr<SdlBackend> SdlBackend::Create(std::string* error, const char* videoDriver) {
    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    if (!backend->Start(error, videoDriver)) return nullptr;
    return backend;
}

bool SdlBackend::Start(std::string* error, const char* videoDriver) {
    if (videoDriver)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, videoDriver);
    else
        SDL_ResetHint(SDL_HINT_VIDEODRIVER); // SDL's choice, whatever an earlier start asked for
    // Closing a window is the program's decision (it gets SC_CLOSE), not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click that activates a window also acts on it, as on Win32.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The driver's own window surface. The accelerated one goes through a renderer, for which
    // SDL makes the OS window anew, and a new X11 window has lost its shape.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
        return false;
    }
    const char* name = SDL_GetCurrentVideoDriver();
    driver_ = name ? name : "";
    // These drivers report the pointer in screen coordinates, which stay right while a window
    // moves under the pointer; elsewhere the event's window coordinates are all there is.
    globalMouse_ = driver_ == "x11" || driver_ == "windows" || driver_ == "cocoa";
    startTicks_ = SDL_GetTicks();
    SDL_StartTextInput();
    return true;
}

SdlBackend::~SdlBackend() {
    for (auto& [hwnd, n] : natives_) DestroyNative(n);
    natives_.clear();
    for (auto& [id, cursor] : cursors_) SDL_FreeCursor(cursor);
    cursors_.clear();
    SDL_StopTextInput();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

// ---------------------------------------------------------------- clock, screen, cursor

DWORD SdlBackend::NowMs() { return DWORD(SDL_GetTicks() - startTicks_); }

void SdlBackend::Sleep(DWORD ms) {
    // Animations pause between frames; each frame must reach the screen first.
    PresentDirty();
    SDL_Delay(ms);
}

RECT SdlBackend::ScreenRect() {
    SDL_Rect r;
    if (SDL_GetDisplayBounds(0, &r) != 0) return Rect(0, 0, 1024, 768);
    return FromSdl(r);
}

RECT SdlBackend::WorkArea() {
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return ScreenRect();
    return FromSdl(r);
}

void SdlBackend::SetCursorShape(int cursorId) {
    const SDL_SystemCursor shape = SystemCursorFor(cursorId);
    auto it = cursors_.find(int(shape));
    if (it == cursors_.end()) {
        SDL_Cursor* cursor = SDL_CreateSystemCursor(shape);
        if (!cursor) return; // the driver has no such cursor: keep the one shown
        it = cursors_.emplace(int(shape), cursor).first;
    }
    SDL_SetCursor(it->second);
}

// ---------------------------------------------------------------- windows

SDL_Window* SdlBackend::NativeWindow(HWND topLevel) const {
    auto it = natives_.find(topLevel);
    return it == natives_.end() ? nullptr : it->second.window;
}

HWND SdlBackend::WindowOfId(uint32_t id) const {
    for (const auto& [hwnd, n] : natives_)
        if (n.window && n.id == id) return hwnd;
    return nullptr;
}

bool SdlBackend::AnyVisibleWindow() const {
    for (HWND h : TopLevelZOrder())
        if (WindowObject* w = WindowOf(h); w && (w->style & WS_VISIBLE)) return true;
    return false;
}

void SdlBackend::FlashWindow(HWND topLevel) {
    if (SDL_Window* native = NativeWindow(topLevel)) SDL_FlashWindow(native, SDL_FLASH_BRIEFLY);
}

void SdlBackend::TopLevelChanged(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    auto it = natives_.find(hwnd);
    if (!w || w->IsChild()) { // destroyed, or made a child by SetParent
        if (it != natives_.end()) {
            DestroyNative(it->second);
            natives_.erase(it);
        }
        if (raisedFront_ == hwnd) raisedFront_ = nullptr;
        RaiseFront();
        return;
    }
    const RECT r = w->rect;
    // A window without pixels has nothing to show; an OS window cannot be that small.
    const bool visible = (w->style & WS_VISIBLE) && WidthOf(r) > 0 && HeightOf(r) > 0;
    if (!visible) {
        if (it != natives_.end() && it->second.shown) {
            SDL_HideWindow(it->second.window);
            it->second.shown = false;
            if (raisedFront_ == hwnd) raisedFront_ = nullptr;
        }
        RaiseFront();
        return;
    }

    Native& n = natives_[hwnd];
    const uint32_t flags = CreationFlags(*w);
    const bool wantsShape = w->windowRegion.has_value() || Keyed(*w);
    const bool sized = WidthOf(r) != WidthOf(n.rect) || HeightOf(r) != HeightOf(n.rect);
    const bool moved = r.left != n.rect.left || r.top != n.rect.top;
    // A shape mask has the window's size, and the kind of window cannot change once it is
    // made: such changes take a new OS window.
    if (n.window && (flags != n.flags || wantsShape != n.wantsShape || (n.shaped && sized)))
        DestroyNative(n);
    if (!n.window) {
        n.flags = flags;
        n.wantsShape = wantsShape;
        n.rect = r;
        CreateNative(hwnd, n);
        if (!n.window) return;
    } else {
        if (sized) {
            SDL_SetWindowSize(n.window, WidthOf(r), HeightOf(r));
            n.dirty = Rect(0, 0, WidthOf(r), HeightOf(r));
        }
        // An OS move being taken over is already where it should be.
        if (moved && !adoptingMove_) SDL_SetWindowPosition(n.window, r.left, r.top);
        // The screen's drawing stays where it is while the window moves under it.
        if (moved && !ScreenOverlay::Instance().Empty())
            n.dirty = Rect(0, 0, WidthOf(r), HeightOf(r));
        n.rect = r;
    }
    if (wantsShape) UpdateShape(hwnd, n);
    if (n.title != w->text) {
        n.title = w->text;
        SDL_SetWindowTitle(n.window, n.title.c_str());
    }
    const int opacity = w->layered && (w->layeredFlags & LWA_ALPHA) ? w->layeredAlpha : 255;
    if (opacity != n.opacity) {
        n.opacity = opacity;
        SDL_SetWindowOpacity(n.window, float(opacity) / 255.0f); // needs a compositor; else opaque
    }
    if (!n.shown) {
        SDL_ShowWindow(n.window);
        n.shown = true;
        n.dirty = Rect(0, 0, WidthOf(r), HeightOf(r));
        raisedFront_ = nullptr; // a window the OS just mapped may cover the front one
    }
    const bool minimized = (w->style & WS_MINIMIZE) != 0;
    if (minimized != n.minimized) {
        n.minimized = minimized;
        if (minimized)
            SDL_MinimizeWindow(n.window);
        else
            SDL_RestoreWindow(n.window);
        if (!minimized) n.dirty = Rect(0, 0, WidthOf(r), HeightOf(r));
    }
    RaiseFront();
}

void SdlBackend::SurfaceChanged(HWND topLevel, const RECT& dirty) {
    auto it = natives_.find(topLevel);
    if (it == natives_.end()) return; // a window not on screen yet is presented whole when shown
    UnionRect(it->second.dirty, it->second.dirty, dirty);
}

void SdlBackend::CreateNative(HWND hwnd, Native& n) {
    const RECT r = n.rect;
    const int width = WidthOf(r), height = HeightOf(r);
    const char* title = WindowOf(hwnd) ? WindowOf(hwnd)->text.c_str() : "";
    n.shaped = false;
    if (n.wantsShape && shapingAvailable_) {
        // The position parameters are unsigned; SDL hands them back as the signed values.
        n.window = SDL_CreateShapedWindow(title, unsigned(r.left), unsigned(r.top), unsigned(width),
                                          unsigned(height), n.flags);
        if (n.window) {
            n.shaped = true;
        } else {
            shapingAvailable_ = false;
            const char* why = SDL_GetError();
            std::fprintf(
                stderr,
                "Window shapes are not available (%s); shaped windows are shown as rectangles.\n",
                why && *why ? why
                            : ("the " + driver_ + " video driver cannot shape windows").c_str());
        }
    }
    if (!n.window) n.window = SDL_CreateWindow(title, r.left, r.top, width, height, n.flags);
    if (!n.window) {
        if (!createWarned_) std::fprintf(stderr, "Cannot create a window: %s\n", SDL_GetError());
        createWarned_ = true;
        return;
    }
    n.id = SDL_GetWindowID(n.window);
    n.title = title;
    n.shown = false;
    n.minimized = false;
    n.opacity = 255;
    n.mask.clear();
    n.dirty = Rect(0, 0, width, height);
    if (n.wantsShape) UpdateShape(hwnd, n);
    // A shaped window is made off screen and placed when it gets its first shape.
    SDL_SetWindowPosition(n.window, r.left, r.top);
}

void SdlBackend::DestroyNative(Native& n) {
    if (n.window) SDL_DestroyWindow(n.window);
    n.window = nullptr;
    n.id = 0;
    n.shown = false;
    n.shaped = false;
    n.mask.clear();
    n.dirty = RECT{};
}

void SdlBackend::UpdateShape(HWND hwnd, Native& n) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !n.wantsShape) return;
    const int width = WidthOf(n.rect), height = HeightOf(n.rect);
    std::vector<uint8_t> mask(size_t(width) * size_t(height), 0);
    Region shape(Rect(0, 0, width, height));
    if (w->windowRegion) shape.Combine(shape, *w->windowRegion, RGN_AND);
    for (const RECT& r : shape.Rects())
        for (int y = r.top; y < r.bottom; ++y)
            std::fill_n(&mask[size_t(y) * width + r.left], WidthOf(r), uint8_t(1));
    const Bitmap* pixels = w->surface.get();
    if (Keyed(*w) && pixels && pixels->BitsPerPixel() == 24) {
        const uint8_t kb = GetBValue(w->layeredKey), kg = GetGValue(w->layeredKey),
                      kr = GetRValue(w->layeredKey);
        const int rows = std::min(height, pixels->Height()),
                  cols = std::min(width, pixels->Width());
        for (int y = 0; y < rows; ++y) {
            const uint8_t* p = pixels->ScanLine(y);
            uint8_t* m = &mask[size_t(y) * width];
            for (int x = 0; x < cols; ++x, p += 3)
                if (p[0] == kb && p[1] == kg && p[2] == kr) m[x] = 0;
        }
    }
    if (mask == n.mask) return;
    n.mask = std::move(mask);
    n.dirty = Rect(0, 0, width, height);
    if (!n.shaped) return; // unshaped: the hidden pixels are presented black

    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<uint8_t*>(surface->pixels) + ptrdiff_t(y) * surface->pitch;
        for (int x = 0; x < width; ++x) {
            const uint8_t a = n.mask[size_t(y) * width + x] ? 255 : 0;
            row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = a;
            row[4 * x + 3] = a;
        }
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeDefault; // shown where alpha >= 1
    mode.parameters.binarizationCutoff = 1;
    if (SDL_SetWindowShape(n.window, surface, &mode) != 0)
        std::fprintf(stderr, "Cannot shape a window: %s\n", SDL_GetError());
    SDL_FreeSurface(surface);
}

void SdlBackend::PresentDirty() {
    // What was drawn on the screen, or drawn away, shows again in every window under it.
    const RECT overlay = ScreenOverlay::Instance().TakeChangedArea();
    for (auto& [hwnd, n] : natives_)
        if (RECT part; IntersectRect(part, overlay, n.rect))
            UnionRect(n.dirty, n.dirty, OffsetRect(part, -n.rect.left, -n.rect.top));
    std::vector<HWND> handles;
    for (const auto& [hwnd, n] : natives_)
        if (n.window && n.shown && !n.minimized && !IsRectEmpty(n.dirty)) handles.push_back(hwnd);
    for (HWND h : handles)
        if (auto it = natives_.find(h); it != natives_.end()) Present(h, it->second);
}

void SdlBackend::Present(HWND hwnd, Native& n) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !w->surface || w->surface->BitsPerPixel() != 24) return;
    if (n.wantsShape) UpdateShape(hwnd, n); // a colour key follows the pixels
    SDL_Surface* target = SDL_GetWindowSurface(n.window);
    if (!target) {
        if (!surfaceWarned_)
            std::fprintf(stderr, "Cannot draw into a window: %s\n", SDL_GetError());
        surfaceWarned_ = true;
        return;
    }
    const Bitmap& pixels = *w->surface;
    const int width = std::min({pixels.Width(), target->w, WidthOf(n.rect)});
    const int height = std::min({pixels.Height(), target->h, HeightOf(n.rect)});
    RECT r;
    const bool any = IntersectRect(r, n.dirty, Rect(0, 0, width, height));
    n.dirty = RECT{};
    if (!any) return;

    // Stage the rectangle as the window shows it: hidden pixels black, as ComposeWindow does.
    const int w3 = 3 * WidthOf(r);
    const int pitch = (w3 + 3) & ~3;
    std::vector<uint8_t> staging(size_t(pitch) * size_t(HeightOf(r)));
    const bool masked =
        n.wantsShape && n.mask.size() == size_t(WidthOf(n.rect)) * size_t(HeightOf(n.rect));
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* dst = &staging[size_t(y - r.top) * pitch];
        std::memcpy(dst, pixels.ScanLine(y) + 3 * r.left, size_t(w3));
        if (!masked) continue;
        const uint8_t* m = &n.mask[size_t(y) * WidthOf(n.rect) + r.left];
        for (int x = 0; x < WidthOf(r); ++x)
            if (!m[x]) dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = 0;
    }
    ScreenOverlay::Instance().ApplyToRows(staging.data(), pitch,
                                          OffsetRect(r, n.rect.left, n.rect.top));
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        staging.data(), WidthOf(r), HeightOf(r), 24, pitch, SDL_PIXELFORMAT_BGR24);
    if (!source) return;
    SDL_Rect at{r.left, r.top, WidthOf(r), HeightOf(r)};
    SDL_Rect blitAt = at; // SDL_BlitSurface clips the rectangle it is given
    SDL_BlitSurface(source, nullptr, target, &blitAt);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurfaceRects(n.window, &at, 1);
}

void SdlBackend::RaiseFront() {
    // The OS only learns which window is in front; the rest of the order follows from how
    // windows are shown and activated.
    HWND front = nullptr;
    for (HWND h : TopLevelZOrder()) {
        WindowObject* w = WindowOf(h);
        if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) continue;
        auto it = natives_.find(h);
        if (it == natives_.end() || !it->second.shown) continue;
        front = h;
        break;
    }
    if (!front || front == raisedFront_) return;
    raisedFront_ = front;
    SDL_RaiseWindow(natives_[front].window);
}

// ---------------------------------------------------------------- events

bool SdlBackend::WaitForEvents(DWORD untilMs) {
    PresentDirty();
    SyncCapture();
    SDL_Event event;
    int got = 0;
    if (untilMs == kWaitForever) {
        got = SDL_WaitEvent(&event);
        if (!got) {
            // Nothing can arrive when SDL cannot wait at all; end rather than spin.
            std::fprintf(stderr, "Cannot wait for input: %s\n", SDL_GetError());
            return false;
        }
    } else {
        const int32_t left = int32_t(untilMs - NowMs());
        // SDL takes a negative time-out as "forever"; a time already past only polls.
        got = left > 0 ? SDL_WaitEventTimeout(&event, left) : SDL_PollEvent(&event);
    }
    // One piece of input at a time: the loop handles it (and what TranslateMessage posts for
    // it) before the next is queued, so a WM_CHAR comes before the key's release and is made
    // with the Shift state of its own key press, however fast the keys came.
    bool input = got && HandleEvent(event);
    while (!input && SDL_PollEvent(&event)) input = HandleEvent(event);
    SyncCapture();
    return !(quitRequested_ && !AnyVisibleWindow());
}

void SdlBackend::SyncCapture() {
    const bool want = GetCapture() != nullptr;
    if (want == capturing_) return;
    // Without mouse focus SDL refuses; the next wait tries again.
    if (SDL_CaptureMouse(want ? SDL_TRUE : SDL_FALSE) == 0) capturing_ = want;
}

bool SdlBackend::ScreenPoint(uint32_t windowId, int x, int y, POINT* screen) const {
    // While the window system moves a window under the pointer, events queued before the OS
    // window moved are relative to its old place; the pointer's screen position is not.
    if (globalMouse_ && MoveSizeActive()) {
        int gx = 0, gy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        *screen = POINT{gx, gy};
        return true;
    }
    HWND hwnd = WindowOfId(windowId);
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    *screen = POINT{w->rect.left + x, w->rect.top + y};
    return true;
}

bool SdlBackend::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        // The system asks the program to end: every window is asked to close, as at log-off.
        quitRequested_ = true;
        for (HWND h : std::vector<HWND>(TopLevelZOrder()))
            if (IsWindowVisible(h)) PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case SDL_WINDOWEVENT: return HandleWindowEvent(event);
    case SDL_MOUSEMOTION: {
        if (event.motion.which == SDL_TOUCH_MOUSEID) break; // touches come as their own events too
        POINT p;
        if (!ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y, &p)) break;
        QueueMouseMove(p);
        return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const MouseButton button = event.button.button == SDL_BUTTON_LEFT     ? MouseButton::Left
                                   : event.button.button == SDL_BUTTON_RIGHT  ? MouseButton::Right
                                   : event.button.button == SDL_BUTTON_MIDDLE ? MouseButton::Middle
                                                                              : MouseButton::None;
        POINT p;
        if (button == MouseButton::None ||
            !ScreenPoint(event.button.windowID, event.button.x, event.button.y, &p))
            break;
        QueueMouseButton(p, button, event.type == SDL_MOUSEBUTTONDOWN);
        return true;
    }
    case SDL_MOUSEWHEEL: {
        int steps = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
        POINT p;
        if (!steps ||
            !ScreenPoint(event.wheel.windowID, event.wheel.mouseX, event.wheel.mouseY, &p))
            break;
        QueueMouseWheel(p, steps * WHEEL_DELTA);
        return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: return HandleKey(event);
    case SDL_TEXTINPUT:
        for (uint32_t c : CodePoints(event.text.text)) QueueChar(c);
        return true;
    default: break;
    }
    return false;
}

bool SdlBackend::HandleKey(const SDL_Event& event) {
    const UINT vk = VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
    if (!vk) return false; // what such a key types still arrives as text
    if (event.type == SDL_KEYUP) {
        QueueKey(vk, false);
        return true;
    }
    // SDL reports the text a key types right behind the key. TranslateMessage makes its own
    // character of letter, digit and a few other keys; when that is the text, the text is
    // dropped, and when the layout types something else (Cyrillic, a shifted digit) the key
    // goes out as VK_PROCESSKEY, which nothing translates, and the text follows it, as an IME
    // does on Win32.
    // Compared without Ctrl: the text of a Ctrl combination is its letter, which TranslateMessage
    // turns into the control character.
    const uint32_t translated = KeyCharacter(vk, GetKeyState(VK_SHIFT) < 0, false);
    SDL_Event next;
    if (translated && SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
        next.type == SDL_TEXTINPUT) {
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        const std::vector<uint32_t> text = CodePoints(next.text.text);
        if (text.size() == 1 && text[0] == translated) {
            QueueKey(vk, true);
            return true;
        }
        QueueKey(VK_PROCESSKEY, true);
        for (uint32_t c : text) QueueChar(c);
        return true;
    }
    QueueKey(vk, true);
    return true;
}

bool SdlBackend::HandleWindowEvent(const SDL_Event& event) {
    const HWND hwnd = WindowOfId(event.window.windowID);
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    Native& n = natives_[hwnd];
    const RECT whole = Rect(0, 0, WidthOf(w->rect), HeightOf(w->rect));
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE: PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); return true;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_SHOWN:
        n.dirty = whole; // the OS keeps no copy of what was presented
        break;
    case SDL_WINDOWEVENT_MOVED: {
        // The OS (a window manager) put the window elsewhere: the window system follows, so
        // that pointer positions and pixels agree. Not while the window system itself moves
        // the window, whose requests are still on their way.
        const POINT at{event.window.data1, event.window.data2};
        if (!n.shown || MoveSizeActive() || (at.x == w->rect.left && at.y == w->rect.top)) break;
        adoptingMove_ = true;
        SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        adoptingMove_ = false;
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
        if (!IsIconic(hwnd)) {
            n.minimized = true; // already so in the OS
            ShowWindow(hwnd, SW_MINIMIZE);
        }
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (IsIconic(hwnd)) {
            n.minimized = false;
            ShowWindow(hwnd, SW_RESTORE);
        }
        if (auto it = natives_.find(hwnd); it != natives_.end()) it->second.dirty = whole;
        break;
    case SDL_WINDOWEVENT_LEAVE:
        // The pointer left for a window of another program: move it there, so the window
        // it left hears WM_MOUSELEAVE and drops its hover look.
        if (globalMouse_ && !GetCapture()) {
            int gx = 0, gy = 0;
            SDL_GetGlobalMouseState(&gx, &gy);
            QueueMouseMove(POINT{gx, gy});
            return true;
        }
        break;
    default: break;
    }
    return false;
}

void SdlBackend::SetClipboardText(std::string_view text) {
    // SDL takes a C string: text stops at an embedded NUL, as a pasted C string would.
    SDL_SetClipboardText(std::string(text).c_str());
}

std::string SdlBackend::ClipboardText() {
    char* text = SDL_GetClipboardText(); // "" when empty or on failure; always to be freed
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
}
