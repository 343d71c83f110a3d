// The SDL2 backend on SDL's "dummy" video driver: real SDL windows and window surfaces, no
// display. Events are pushed into SDL's queue as the operating system would deliver them.
#include "platform/backends/SdlBackend.h"

#include <SDL.h>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#include "WindowTestUtil.h"
#include "platform/window/WindowInternal.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class SdlBackendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        std::unique_ptr<SdlBackend> backend = SdlBackend::Create(&error, "dummy");
        ASSERT_TRUE(backend) << error;
        sdl_ = backend.get();
        SetBackend(std::move(backend));
        RegisterRecordingClass();
        MessageLog().clear();
    }
    void TearDown() override {
        for (HWND h : created_) DestroyWindow(h);
        ProcessPendingMessages();
        MessageLog().clear();
        SetBackend(std::make_unique<HeadlessBackend>()); // ends SDL
    }
    HWND Make(DWORD exStyle, const char* cls, DWORD style, int x, int y, int w, int h,
              HWND owner = nullptr) {
        HWND hwnd =
            CreateWindowEx(exStyle, cls, "", style, x, y, w, h, owner, nullptr, nullptr, nullptr);
        created_.push_back(hwnd);
        return hwnd;
    }
    // Hands SDL's queued events to the backend without waiting, as a message loop does, until
    // none is left; a last round presents what the windows painted.
    void Pump() {
        for (int i = 0; i < 1000 && SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); ++i) {
            sdl_->WaitForEvents(sdl_->NowMs());
            ProcessPendingMessages();
        }
        sdl_->WaitForEvents(sdl_->NowMs());
        ProcessPendingMessages();
    }
    static void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    uint32_t IdOf(HWND hwnd) const { return SDL_GetWindowID(sdl_->NativeWindow(hwnd)); }

    // A presented pixel, read back from the OS window's surface.
    COLORREF Presented(HWND hwnd, int x, int y) const {
        SDL_Surface* s = SDL_GetWindowSurface(sdl_->NativeWindow(hwnd));
        if (!s) return CLR_INVALID;
        SDL_LockSurface(s);
        const auto* p =
            static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
        uint32_t value = 0;
        std::memcpy(&value, p, s->format->BytesPerPixel); // little-endian host
        SDL_UnlockSurface(s);
        uint8_t r, g, b;
        SDL_GetRGB(value, s->format, &r, &g, &b);
        return RGB(r, g, b);
    }

    SdlBackend* sdl_ = nullptr;
    std::vector<HWND> created_;
};

HBRUSH SolidBrush(COLORREF c) { return CreateSolidBrush(c); }

void RegisterSolidClass(const char* name, COLORREF color) {
    if (GetClassInfo(name, nullptr)) return;
    RegisterRecordingClass(name, 0, SolidBrush(color));
}

void Fill(HWND hwnd, RECT r, COLORREF color) {
    HDC dc = GetDC(hwnd);
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(hwnd, dc);
}

SDL_Event WindowEvent(uint32_t id, Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = id;
    e.window.event = kind;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

SDL_Event Key(bool down, SDL_Keycode sym, SDL_Scancode scan) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scan;
    return e;
}

SDL_Event Text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

// Keyboard messages the window received, as (message, wParam).
std::vector<std::pair<UINT, WPARAM>> KeyMessages(HWND hwnd) {
    std::vector<std::pair<UINT, WPARAM>> out;
    for (const auto& m : MessageLog())
        if (m.hwnd == hwnd && (m.msg == WM_KEYDOWN || m.msg == WM_KEYUP || m.msg == WM_CHAR))
            out.push_back({m.msg, m.wParam});
    return out;
}

} // namespace

TEST_F(SdlBackendTest, AnOsWindowFollowsEachTopLevelWindowThroughItsLife) {
    HWND hwnd = Make(0, "Recorder", WS_POPUP, 100, 50, 200, 100);
    EXPECT_EQ(sdl_->NativeWindow(hwnd), nullptr) << "no OS window before the first show";

    ShowWindow(hwnd, SW_SHOW);
    SDL_Window* native = sdl_->NativeWindow(hwnd);
    ASSERT_NE(native, nullptr);
    const uint32_t id = SDL_GetWindowID(native);
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN);
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_BORDERLESS);
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(native, &x, &y);
    SDL_GetWindowSize(native, &w, &h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{100, 50, 200, 100}));

    MoveWindow(hwnd, 30, 40, 150, 80, true);
    SDL_GetWindowPosition(native, &x, &y);
    SDL_GetWindowSize(native, &w, &h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{30, 40, 150, 80}));

    ShowWindow(hwnd, SW_HIDE);
    EXPECT_FALSE(SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN);
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(sdl_->NativeWindow(hwnd), native) << "showing again reuses the OS window";
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN);

    DestroyWindow(hwnd);
    EXPECT_EQ(sdl_->NativeWindow(hwnd), nullptr);
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr) << "the OS window goes with the handle";
}

TEST_F(SdlBackendTest, StylesDecideTaskBarAndStacking) {
    HWND owner = Make(0, "Recorder", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    struct Case {
        const char* what;
        DWORD exStyle, style;
        bool owned;
        uint32_t set, clear;
    };
    const Case cases[] = {
        {"an unowned overlapped window is on the task bar", 0, WS_OVERLAPPEDWINDOW, false, 0,
         SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP},
        {"a pop-up is not", 0, WS_POPUP, false, SDL_WINDOW_SKIP_TASKBAR, SDL_WINDOW_POPUP_MENU},
        {"nor is an owned window", 0, WS_OVERLAPPEDWINDOW, true, SDL_WINDOW_SKIP_TASKBAR, 0},
        {"unless it asks to be", WS_EX_APPWINDOW, WS_POPUP, false, 0, SDL_WINDOW_SKIP_TASKBAR},
        {"a tool pop-up is left to itself", WS_EX_TOOLWINDOW, WS_POPUP, true,
         SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_POPUP_MENU, 0},
        {"a topmost window stays on top", WS_EX_TOPMOST, WS_POPUP, false, SDL_WINDOW_ALWAYS_ON_TOP,
         0},
    };
    for (const Case& c : cases) {
        HWND hwnd = Make(c.exStyle, "Recorder", c.style, 10, 10, 50, 40, c.owned ? owner : nullptr);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        const uint32_t flags = SDL_GetWindowFlags(sdl_->NativeWindow(hwnd));
        EXPECT_EQ(flags & c.set, c.set) << c.what;
        EXPECT_EQ(flags & c.clear, 0u) << c.what;
    }
}

TEST_F(SdlBackendTest, PaintedPixelsArePresentedBeforeWaiting) {
    RegisterSolidClass("SdlRed", kRed);
    HWND hwnd = Make(0, "SdlRed", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
    Pump();
    EXPECT_EQ(Presented(hwnd, 5, 5), kRed);
    EXPECT_EQ(Presented(hwnd, 39, 29), kRed);

    Fill(hwnd, Rect(10, 10, 20, 20), kBlue);
    EXPECT_EQ(Presented(hwnd, 15, 15), kRed) << "nothing reaches the OS window before the wait";
    sdl_->WaitForEvents(sdl_->NowMs());
    EXPECT_EQ(Presented(hwnd, 15, 15), kBlue);
    EXPECT_EQ(Presented(hwnd, 9, 15), kRed);
    EXPECT_EQ(Presented(hwnd, 20, 20), kRed);

    // A larger window gets a larger surface, presented whole.
    MoveWindow(hwnd, 0, 0, 60, 50, true);
    Pump();
    EXPECT_EQ(Presented(hwnd, 55, 45), kRed);
}

TEST_F(SdlBackendTest, DrawingOnTheScreenShowsOverTheWindowsUntilDrawnAway) {
    RegisterSolidClass("SdlRed", kRed);
    HWND left = Make(0, "SdlRed", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
    HWND right = Make(0, "SdlRed", WS_POPUP | WS_VISIBLE, 50, 0, 40, 30);
    Pump();
    // A drag outline's edge from screen x 10 to 79, across both windows and the gap, in XOR.
    auto drawEdge = [] {
        HDC dc = GetDC(nullptr);
        PatBlt(dc, 10, 10, 70, 1, DSTINVERT);
        ReleaseDC(nullptr, dc);
    };
    const COLORREF inverted = kRed ^ 0xFFFFFF;
    drawEdge();
    Pump();
    EXPECT_EQ(Presented(left, 10, 10), inverted);
    EXPECT_EQ(Presented(left, 39, 10), inverted);
    EXPECT_EQ(Presented(left, 9, 10), kRed);
    EXPECT_EQ(Presented(left, 10, 11), kRed);
    EXPECT_EQ(Presented(right, 0, 10), inverted) << "screen x 50";
    EXPECT_EQ(Presented(right, 29, 10), inverted) << "screen x 79";
    EXPECT_EQ(Presented(right, 30, 10), kRed) << "screen x 80";

    drawEdge(); // the second XOR, as the drag moves on
    Pump();
    EXPECT_EQ(Presented(left, 10, 10), kRed);
    EXPECT_EQ(Presented(left, 39, 10), kRed);
    EXPECT_EQ(Presented(right, 0, 10), kRed);
    EXPECT_EQ(Presented(right, 29, 10), kRed);
}

TEST_F(SdlBackendTest, WithoutShapingRegionsAndColourKeysArePresentedBlackAndSaidOnce) {
    RegisterSolidClass("SdlRed", kRed);
    RegisterSolidClass("SdlMagenta", kMagenta);
    testing::internal::CaptureStderr();
    HWND round = Make(0, "SdlRed", WS_POPUP, 0, 0, 40, 30);
    SetWindowRgn(round, CreateRoundRectRgn(0, 0, 40, 30, 20, 20), false);
    ShowWindow(round, SW_SHOW);
    HWND keyed = Make(WS_EX_LAYERED, "SdlMagenta", WS_POPUP, 50, 0, 40, 30);
    SetLayeredWindowAttributes(keyed, kMagenta, 255, LWA_COLORKEY);
    ShowWindow(keyed, SW_SHOW);
    Pump();
    const std::string said = testing::internal::GetCapturedStderr();

    // The dummy driver cannot shape windows: the backend shows plain ones and says so once.
    EXPECT_FALSE(sdl_->ShapingAvailable());
    ASSERT_NE(sdl_->NativeWindow(round), nullptr);
    ASSERT_NE(sdl_->NativeWindow(keyed), nullptr);
    size_t lines = 0;
    for (size_t at = said.find("Window shapes are not available"); at != std::string::npos;
         at = said.find("Window shapes are not available", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1u) << said;

    EXPECT_EQ(Presented(round, 0, 0), kBlack) << "outside the rounded corner";
    EXPECT_EQ(Presented(round, 20, 15), kRed);
    EXPECT_EQ(Presented(keyed, 20, 15), kBlack) << "key-coloured pixels";

    // The colour key follows the pixels as they are painted.
    Fill(keyed, Rect(0, 0, 10, 30), kGreen);
    Pump();
    EXPECT_EQ(Presented(keyed, 5, 15), kGreen);
    EXPECT_EQ(Presented(keyed, 15, 15), kBlack);
    Fill(keyed, Rect(0, 0, 10, 30), kMagenta);
    Pump();
    EXPECT_EQ(Presented(keyed, 5, 15), kBlack);
}

TEST_F(SdlBackendTest, MouseEventsArriveAtTheirScreenPoints) {
    HWND hwnd = Make(0, "Recorder", WS_POPUP | WS_VISIBLE, 100, 50, 200, 100);
    ProcessPendingMessages();
    const uint32_t id = IdOf(hwnd);
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = id;
    e.motion.x = 10;
    e.motion.y = 20;
    Push(e);
    auto button = [&](Uint32 type, Uint8 which, int x, int y) {
        SDL_Event b{};
        b.type = type;
        b.button.windowID = id;
        b.button.button = which;
        b.button.x = x;
        b.button.y = y;
        Push(b);
    };
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 12, 22);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 12, 22);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 30, 5);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 30, 5);
    auto wheel = [&](int y, Uint32 direction) {
        SDL_Event w{};
        w.type = SDL_MOUSEWHEEL;
        w.wheel.windowID = id;
        w.wheel.y = y;
        w.wheel.direction = direction;
        w.wheel.mouseX = 40;
        w.wheel.mouseY = 60;
        Push(w);
    };
    wheel(1, SDL_MOUSEWHEEL_NORMAL);
    wheel(2, SDL_MOUSEWHEEL_FLIPPED);
    MessageLog().clear();
    Pump();

    using Seen = std::tuple<UINT, int, int>; // message and client point
    std::vector<Seen> seen;
    std::vector<int> wheelDeltas;
    for (const auto& m : MessageLog()) {
        if (m.hwnd != hwnd) continue;
        if (m.msg == WM_MOUSEWHEEL) {
            wheelDeltas.push_back(int16_t(HIWORD(m.wParam)));
            // The wheel's point is on the screen: the window's corner plus the event's point.
            EXPECT_EQ(GET_X_LPARAM(m.lParam), 140);
            EXPECT_EQ(GET_Y_LPARAM(m.lParam), 110);
        } else if (m.msg >= WM_MOUSEMOVE && m.msg <= WM_RBUTTONUP) {
            seen.emplace_back(m.msg, GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
        }
    }
    // A pop-up's client area is the whole window, so client points equal the event's points.
    EXPECT_EQ(seen, (std::vector<Seen>{{WM_MOUSEMOVE, 10, 20},
                                       {WM_LBUTTONDOWN, 12, 22},
                                       {WM_LBUTTONUP, 12, 22},
                                       {WM_RBUTTONDOWN, 30, 5},
                                       {WM_RBUTTONUP, 30, 5}}));
    EXPECT_EQ(wheelDeltas, (std::vector<int>{120, -240}));
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor, (POINT{140, 110}));
}

TEST_F(SdlBackendTest, KeysAndTypedTextBecomeKeyAndCharacterMessagesOnce) {
    HWND hwnd = Make(0, "Recorder", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    ProcessPendingMessages();
    ASSERT_EQ(GetFocus(), hwnd);
    using Msgs = std::vector<std::pair<UINT, WPARAM>>;
    struct Case {
        const char* what;
        std::vector<SDL_Event> events;
        Msgs expected;
    };
    const SDL_Event shiftDown = Key(true, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    const SDL_Event shiftUp = Key(false, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    const Case cases[] = {
        {"a Latin letter types itself once",
         {Key(true, SDLK_a, SDL_SCANCODE_A), Text("a"), Key(false, SDLK_a, SDL_SCANCODE_A)},
         {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}},
        {"with Shift, the capital",
         {shiftDown, Key(true, SDLK_a, SDL_SCANCODE_A), Text("A"),
          Key(false, SDLK_a, SDL_SCANCODE_A), shiftUp},
         {{WM_KEYDOWN, VK_SHIFT},
          {WM_KEYDOWN, 'A'},
          {WM_CHAR, 'A'},
          {WM_KEYUP, 'A'},
          {WM_KEYUP, VK_SHIFT}}},
        {"a Cyrillic layout types its letter, the key keeps its Latin name",
         {Key(true, 0x444, SDL_SCANCODE_A), Text("ф"), Key(false, 0x444, SDL_SCANCODE_A)},
         {{WM_KEYDOWN, VK_PROCESSKEY}, {WM_CHAR, 0x444}, {WM_KEYUP, 'A'}}},
        {"a shifted digit types its symbol, not the digit",
         {shiftDown, Key(true, SDLK_1, SDL_SCANCODE_1), Text("!"),
          Key(false, SDLK_1, SDL_SCANCODE_1), shiftUp},
         {{WM_KEYDOWN, VK_SHIFT},
          {WM_KEYDOWN, VK_PROCESSKEY},
          {WM_CHAR, '!'},
          {WM_KEYUP, '1'},
          {WM_KEYUP, VK_SHIFT}}},
        {"Enter has no text; TranslateMessage makes its character",
         {Key(true, SDLK_RETURN, SDL_SCANCODE_RETURN),
          Key(false, SDLK_RETURN, SDL_SCANCODE_RETURN)},
         {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'}, {WM_KEYUP, VK_RETURN}}},
        {"text without a key (a key the window system has no name for) arrives per code point",
         {Text("Әі")},
         {{WM_CHAR, 0x4D8}, {WM_CHAR, 0x456}}},
        {"function and paging keys",
         {Key(true, SDLK_F5, SDL_SCANCODE_F5), Key(false, SDLK_F5, SDL_SCANCODE_F5),
          Key(true, SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN),
          Key(false, SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN)},
         {{WM_KEYDOWN, 0x74}, {WM_KEYUP, 0x74}, {WM_KEYDOWN, 0x22}, {WM_KEYUP, 0x22}}},
        {"keys without a name are dropped",
         {Key(true, SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN),
          Key(false, SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN)},
         {}},
    };
    for (const Case& c : cases) {
        MessageLog().clear();
        for (const SDL_Event& e : c.events) Push(e);
        Pump();
        EXPECT_EQ(KeyMessages(hwnd), c.expected) << c.what;
    }
}

TEST_F(SdlBackendTest, VirtualKeysOfSdlKeys) {
    struct Case {
        SDL_Keycode sym;
        SDL_Scancode scan;
        UINT vk;
    };
    const Case cases[] = {
        {SDLK_z, SDL_SCANCODE_Z, 0x5A},
        {SDLK_0, SDL_SCANCODE_0, 0x30},
        {SDLK_9, SDL_SCANCODE_9, 0x39},
        {0x43F, SDL_SCANCODE_G, 0x47},  // Cyrillic "п" on G
        {0x4D9, SDL_SCANCODE_0, 0x30},  // a Kazakh letter on the 0 key
        {SDLK_a, SDL_SCANCODE_Q, 0x41}, // AZERTY: the layout's letter wins
        {SDLK_F1, SDL_SCANCODE_F1, 0x70},
        {SDLK_F12, SDL_SCANCODE_F12, 0x7B},
        {SDLK_HOME, SDL_SCANCODE_HOME, 0x24},
        {SDLK_END, SDL_SCANCODE_END, 0x23},
        {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 0x21},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, 0x25},
        {SDLK_UP, SDL_SCANCODE_UP, 0x26},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 0x27},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, 0x28},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0x1B},
        {SDLK_TAB, SDL_SCANCODE_TAB, 0x09},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, 0x20},
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0x08},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, 0x2E},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 0x11},
        {SDLK_RALT, SDL_SCANCODE_RALT, 0x12},
        {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0x10},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0x0D},
        {SDLK_F13, SDL_SCANCODE_F13, 0},
        {SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromSdl(c.sym, c.scan), c.vk)
            << "keycode " << c.sym << " scancode " << c.scan;
}

TEST_F(SdlBackendTest, OsRequestsReachTheWindowSystem) {
    HWND hwnd = Make(0, "Recorder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 150);
    ProcessPendingMessages();
    const uint32_t id = IdOf(hwnd);

    // Moved by a window manager: the window system takes the new place.
    Push(WindowEvent(id, SDL_WINDOWEVENT_MOVED, 300, 200));
    Pump();
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, Rect(300, 200, 500, 350));

    Push(WindowEvent(id, SDL_WINDOWEVENT_MINIMIZED));
    Pump();
    EXPECT_TRUE(IsIconic(hwnd));
    Push(WindowEvent(id, SDL_WINDOWEVENT_RESTORED));
    Pump();
    EXPECT_FALSE(IsIconic(hwnd));

    // The close button of the OS: SC_CLOSE, which by default destroys the window.
    MessageLog().clear();
    Push(WindowEvent(id, SDL_WINDOWEVENT_CLOSE));
    Pump();
    bool sawClose = false;
    for (const auto& m : MessageLog())
        sawClose |= m.hwnd == hwnd && m.msg == WM_SYSCOMMAND && m.wParam == SC_CLOSE;
    EXPECT_TRUE(sawClose);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(sdl_->NativeWindow(hwnd), nullptr);
}

TEST_F(SdlBackendTest, QuitEndsWaitingOnlyOnceNoVisibleWindowIsLeft) {
    HWND hwnd = Make(0, "Recorder", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);
    ProcessPendingMessages();
    EXPECT_TRUE(sdl_->WaitForEvents(sdl_->NowMs()));

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    MessageLog().clear();
    // A window is still there: it is asked to close, and waiting goes on until it has.
    EXPECT_TRUE(sdl_->WaitForEvents(sdl_->NowMs()));
    ProcessPendingMessages();
    bool asked = false;
    for (const auto& m : MessageLog())
        asked |= m.hwnd == hwnd && m.msg == WM_SYSCOMMAND && m.wParam == SC_CLOSE;
    EXPECT_TRUE(asked);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(sdl_->WaitForEvents(sdl_->NowMs()));
}
