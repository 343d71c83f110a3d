// Messages: synchronous sends, the posted-message queue with its input messages, timers and
// generated paints, and the translation of raw backend input into window messages.
#include <algorithm>
#include <deque>
#include <map>
#include <unordered_map>

#include "platform/window/Backend.h"
#include "platform/window/ModalLoop.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

struct Timer {
    HWND hwnd;
    uintptr_t id;
    UINT interval;
    DWORD due;
    TIMERPROC proc;
};

struct MessageState {
    std::deque<MSG> queue;
    std::vector<Timer> timers;
    bool quitPosted = false;
    int quitCode = 0;
    DWORD lastTime = 0;
    POINT lastPos{};
    POINT cursor{};
    std::map<int, std::pair<HWND, WindowMessageHook>> windowHooks;
    int nextWindowHook = 1;
    std::unordered_map<std::string, UINT> registered;
    UINT nextRegistered = 0xC000;
    std::function<void(std::exception_ptr)> exceptionHandler;
    bool keyDown[256] = {};
    // Double clicks: the last button press.
    HWND lastDownWindow = nullptr;
    UINT lastDownMessage = 0;
    DWORD lastDownTime = 0;
    POINT lastDownPos{};
    HWND leaveTracked = nullptr;
    HWND lastMouseWindow = nullptr;
    // A move or size by mouse in progress.
    HWND moveSizeWindow = nullptr;
    int moveSizeHit = 0;
    POINT moveSizeStart{};
    RECT moveSizeRect{};
    // A caption button held down.
    HWND buttonWindow = nullptr;
    int buttonHit = 0;
};

void TrackMoveSize(POINT screen);
void EndMoveSize();

MessageState& State() {
    static MessageState s;
    return s;
}

constexpr DWORD kDoubleClickTime = 500;

LRESULT CallProc(HWND hwnd, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& hooks = State().windowHooks;
    if (!hooks.empty()) {
        // Copies: a hook may remove itself or others.
        std::vector<WindowMessageHook> matching;
        for (auto& [id, entry] : hooks)
            if (entry.first == hwnd) matching.push_back(entry.second);
        for (auto& hook : matching) {
            LRESULT result = 0;
            if (hook(hwnd, msg, wParam, lParam, &result)) return result;
        }
    }
    return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

DWORD Now() { return CurrentBackend().NowMs(); }

// The next WM_PAINT: windows with something to paint, top-level windows front first, each
// parent before its children.
HWND FindWindowToPaint(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !(w->style & WS_VISIBLE) || !w->redrawEnabled) return nullptr;
    if (!w->update.IsEmpty() || w->internalPaint || w->frameNeeded) return hwnd;
    for (HWND c : w->children)
        if (HWND found = FindWindowToPaint(c)) return found;
    return nullptr;
}

bool TakeTimer(MSG* msg, HWND filter, bool remove) {
    auto& s = State();
    const DWORD now = Now();
    for (Timer& t : s.timers) {
        if (int32_t(now - t.due) < 0) continue;
        if (filter && t.hwnd != filter) continue;
        *msg =
            MSG{t.hwnd, WM_TIMER, t.id, LPARAM(reinterpret_cast<uintptr_t>(t.proc)), now, s.cursor};
        if (remove) t.due = now + std::max<UINT>(t.interval, 1);
        return true;
    }
    return false;
}

bool MatchesFilter(const MSG& m, HWND hwnd, UINT lo, UINT hi) {
    if (hwnd && m.hwnd != hwnd && !IsChild(hwnd, m.hwnd)) return false;
    if (lo == 0 && hi == 0) return true;
    return m.message >= lo && m.message <= hi;
}

bool IsInputMessage(UINT msg) {
    // The Win32 ranges: client mouse messages up to the wheel, non-client mouse messages, keys.
    return (msg >= WM_MOUSEMOVE && msg <= 0x020E) || (msg >= WM_NCMOUSEMOVE && msg <= 0x00A9) ||
           (msg >= WM_KEYDOWN && msg <= 0x0109);
}

bool TakeMessage(MSG* msg, HWND hwnd, UINT lo, UINT hi, bool remove) {
    auto& s = State();
    for (auto it = s.queue.begin(); it != s.queue.end();) {
        // Input queued before a modal window disabled its target is never delivered: the
        // target was chosen when it was queued, and the window may take none now.
        if (IsInputMessage(it->message) && !AcceptsInput(it->hwnd)) {
            it = s.queue.erase(it);
            continue;
        }
        if (!MatchesFilter(*it, hwnd, lo, hi)) {
            ++it;
            continue;
        }
        *msg = *it;
        if (remove) s.queue.erase(it);
        return true;
    }
    if (s.quitPosted && (lo == 0 || (WM_QUIT >= lo && WM_QUIT <= hi))) {
        *msg = MSG{nullptr, WM_QUIT, WPARAM(s.quitCode), 0, Now(), s.cursor};
        if (remove) s.quitPosted = false;
        return true;
    }
    const bool wantsPaint = (lo == 0 && hi == 0) || (WM_PAINT >= lo && WM_PAINT <= hi);
    if (wantsPaint) {
        const std::vector<HWND> tops = hwnd ? std::vector<HWND>{hwnd} : TopLevelZOrder();
        for (HWND top : tops)
            if (HWND p = FindWindowToPaint(top)) {
                *msg = MSG{p, WM_PAINT, 0, 0, Now(), s.cursor};
                return true;
            }
    }
    const bool wantsTimer = (lo == 0 && hi == 0) || (WM_TIMER >= lo && WM_TIMER <= hi);
    return wantsTimer && TakeTimer(msg, hwnd, remove);
}

DWORD NextTimerDue() {
    DWORD best = kWaitForever;
    const DWORD now = Now();
    for (const Timer& t : State().timers) {
        const DWORD due = int32_t(t.due - now) < 0 ? now : t.due;
        if (best == kWaitForever || int32_t(due - best) < 0) best = due;
    }
    return best;
}

void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& s = State();
    s.queue.push_back(MSG{hwnd, msg, wParam, lParam, Now(), s.cursor});
}

WPARAM MouseKeyState() {
    auto& k = State().keyDown;
    return (k[VK_LBUTTON] ? MK_LBUTTON : 0) | (k[VK_RBUTTON] ? MK_RBUTTON : 0) |
           (k[VK_SHIFT] ? MK_SHIFT : 0) | (k[VK_CONTROL] ? MK_CONTROL : 0);
}

// The window under a screen point and its hit-test code, skipping windows that answer
// HTTRANSPARENT.
HWND HitWindow(POINT screen, int* hit) {
    std::vector<HWND> transparent;
    *hit = HTNOWHERE;
    // Bounded: each round passes over one more window.
    for (int round = 0; round < 64; ++round) {
        HWND target = WindowFromPointExcept(screen, transparent);
        if (!target) return nullptr;
        *hit = int(SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
        if (*hit != HTTRANSPARENT) return target;
        transparent.push_back(target); // what lies beneath gets the point
    }
    return nullptr;
}

void UpdateLeaveTracking(HWND now) {
    auto& s = State();
    if (s.leaveTracked && s.leaveTracked != now) {
        HWND left = s.leaveTracked;
        s.leaveTracked = nullptr;
        if (WindowOf(left))
            WindowOf(left)->trackLeave = false, PostInput(left, WM_MOUSELEAVE, 0, 0);
    }
    s.lastMouseWindow = now;
}

} // namespace

DWORD NextTimerDueMs() { return NextTimerDue(); }

// ---------------------------------------------------------------- sending and posting

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return 0;
    return CallProc(hwnd, w->proc, msg, wParam, lParam);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !WindowOf(hwnd)) return false;
    auto& s = State();
    s.queue.push_back(MSG{hwnd, msg, wParam, lParam, Now(), s.cursor});
    return true;
}

void PostQuitMessage(int exitCode) {
    State().quitPosted = true;
    State().quitCode = exitCode;
}

bool PeekMessage(MSG* msg, HWND hwnd, UINT lo, UINT hi, UINT removeFlags) {
    MSG m;
    if (!TakeMessage(&m, hwnd, lo, hi, (removeFlags & PM_REMOVE) != 0)) return false;
    State().lastTime = m.time;
    State().lastPos = m.pt;
    if (msg) *msg = m;
    return true;
}

bool GetMessage(MSG* msg, HWND hwnd, UINT lo, UINT hi) {
    for (;;) {
        if (PeekMessage(msg, hwnd, lo, hi, PM_REMOVE)) return msg->message != WM_QUIT;
        if (!CurrentBackend().WaitForEvents(NextTimerDue())) {
            // Nothing can ever arrive again: end the loop as if asked to quit.
            *msg = MSG{nullptr, WM_QUIT, 0, 0, Now(), State().cursor};
            return false;
        }
    }
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(uintptr_t(msg->lParam));
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    WindowObject* w = WindowOf(msg->hwnd);
    if (!w) return 0;
    // What was invalid when a WM_PAINT went out counts as painted afterwards, even when the
    // handler did not validate it, so the loop cannot spin on one window; whatever the handler
    // invalidated anew stays.
    const bool paint = msg->message == WM_PAINT;
    const Region before = paint ? w->update : Region();
    const bool frameBefore = paint && w->frameNeeded;
    try {
        const LRESULT r = CallProc(msg->hwnd, w->proc, msg->message, msg->wParam, msg->lParam);
        if (paint)
            if (WindowObject* again = WindowOf(msg->hwnd)) {
                again->update.Combine(again->update, before, RGN_DIFF);
                again->internalPaint = false;
                if (frameBefore) again->frameNeeded = false;
                if (again->update.IsEmpty()) again->eraseNeeded = false;
            }
        return r;
    } catch (...) {
        if (!State().exceptionHandler) throw;
        State().exceptionHandler(std::current_exception());
        return 0;
    }
}

void SetDispatchExceptionHandler(std::function<void(std::exception_ptr)> handler) {
    State().exceptionHandler = std::move(handler);
}

uint32_t KeyCharacter(UINT vk, bool shift, bool ctrl) {
    if (vk >= 'A' && vk <= 'Z') return ctrl ? vk - 'A' + 1 : shift ? vk : vk + 32; // Ctrl+C is 0x03
    if (vk >= '0' && vk <= '9') return vk;
    if (vk == VK_SPACE || vk == VK_RETURN || vk == VK_BACK || vk == VK_TAB || vk == VK_ESCAPE)
        return vk;
    return 0;
}

bool TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return false;
    const uint32_t ch =
        KeyCharacter(UINT(msg->wParam), State().keyDown[VK_SHIFT], State().keyDown[VK_CONTROL]);
    if (!ch) return false;
    // The character comes next, before any input queued after the key.
    auto& s = State();
    s.queue.push_front(MSG{msg->hwnd, msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, ch,
                           msg->lParam, Now(), s.cursor});
    return true;
}

UINT RegisterWindowMessage(std::string_view name) {
    auto& s = State();
    auto [it, added] = s.registered.try_emplace(std::string(name), s.nextRegistered);
    if (added) ++s.nextRegistered;
    return it->second;
}

void ProcessPendingMessages() {
    // Bounded, so a window that keeps invalidating itself cannot hold the caller forever.
    MSG m;
    for (int i = 0; i < 100000 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(int(m.wParam));
            return;
        }
        if (FilterThroughModalLoop(m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}

DWORD GetMessageTime() { return State().lastTime; }
POINT GetMessagePos() { return State().lastPos; }

int AddWindowMessageHook(HWND hwnd, WindowMessageHook hook) {
    auto& s = State();
    const int id = s.nextWindowHook++;
    s.windowHooks[id] = {hwnd, std::move(hook)};
    return id;
}

void RemoveWindowMessageHook(int id) { State().windowHooks.erase(id); }

// ---------------------------------------------------------------- timers

uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs, TIMERPROC proc) {
    if (hwnd && !WindowOf(hwnd)) return 0;
    auto& timers = State().timers;
    if (!hwnd && id == 0) {
        uintptr_t fresh = 1;
        while (std::any_of(timers.begin(), timers.end(),
                           [&](const Timer& t) { return !t.hwnd && t.id == fresh; }))
            ++fresh;
        id = fresh;
    }
    const DWORD due = Now() + std::max<UINT>(elapseMs, 1);
    for (Timer& t : timers)
        if (t.hwnd == hwnd && t.id == id) {
            t.interval = elapseMs;
            t.due = due;
            t.proc = proc;
            return hwnd ? 1 : id;
        }
    timers.push_back(Timer{hwnd, id, elapseMs, due, proc});
    return hwnd ? 1 : id;
}

bool KillTimer(HWND hwnd, uintptr_t id) {
    return std::erase_if(State().timers,
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

void ForgetWindowTimers(HWND hwnd) {
    std::erase_if(State().timers, [&](const Timer& t) { return t.hwnd == hwnd; });
    std::erase_if(State().queue, [&](const MSG& m) { return m.hwnd == hwnd; });
    auto& s = State();
    std::erase_if(s.windowHooks, [&](const auto& e) { return e.second.first == hwnd; });
    if (s.leaveTracked == hwnd) s.leaveTracked = nullptr;
    if (s.lastMouseWindow == hwnd) s.lastMouseWindow = nullptr;
    if (s.lastDownWindow == hwnd) s.lastDownWindow = nullptr;
}

DWORD GetTickCount() { return Now(); }
void Sleep(DWORD ms) { CurrentBackend().Sleep(ms); }

// ---------------------------------------------------------------- input state

bool GetCursorPos(POINT* point) {
    if (!point) return false;
    *point = State().cursor;
    return true;
}

int16_t GetKeyState(int vk) {
    return vk >= 0 && vk < 256 && State().keyDown[vk] ? int16_t(0x8000) : 0;
}
int16_t GetAsyncKeyState(int vk) { return GetKeyState(vk); }

bool TrackMouseEvent(TRACKMOUSEEVENT* tme) {
    if (!tme || !WindowOf(tme->hwndTrack)) return false;
    auto& s = State();
    if (tme->dwFlags & TME_CANCEL) {
        if (s.leaveTracked == tme->hwndTrack) s.leaveTracked = nullptr;
        return true;
    }
    if (tme->dwFlags & TME_LEAVE) {
        if (s.lastMouseWindow != tme->hwndTrack) {
            PostInput(tme->hwndTrack, WM_MOUSELEAVE, 0, 0); // the mouse is not over it now
            return true;
        }
        s.leaveTracked = tme->hwndTrack;
        WindowOf(tme->hwndTrack)->trackLeave = true;
    }
    return true;
}

// ---------------------------------------------------------------- raw input

bool TrackCaptionButtonInput(POINT screen, bool released);

void QueueMouseMove(POINT screen) {
    auto& s = State();
    s.cursor = screen;
    if (MoveSizeActive()) {
        TrackMoveSize(screen);
        return;
    }
    if (WindowOf(s.buttonWindow) && TrackCaptionButtonInput(screen, false)) return;
    if (HWND capture = GetCapture()) {
        POINT p = screen;
        ScreenToClient(capture, &p);
        UpdateLeaveTracking(capture);
        PostInput(capture, WM_MOUSEMOVE, MouseKeyState(), MAKELPARAM(p.x, p.y));
        return;
    }
    int hit = HTNOWHERE;
    HWND target = HitWindow(screen, &hit);
    UpdateLeaveTracking(target);
    if (!target || !AcceptsInput(target)) return;
    SendMessage(target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(hit, WM_MOUSEMOVE));
    if (!WindowOf(target)) return;
    if (hit == HTCLIENT) {
        POINT p = screen;
        ScreenToClient(target, &p);
        PostInput(target, WM_MOUSEMOVE, MouseKeyState(), MAKELPARAM(p.x, p.y));
    } else {
        PostInput(target, WM_NCMOUSEMOVE, WPARAM(hit), MAKELPARAM(screen.x, screen.y));
    }
}

void QueueMouseButton(POINT screen, MouseButton button, bool down) {
    auto& s = State();
    s.cursor = screen;
    const UINT vk = button == MouseButton::Left    ? VK_LBUTTON
                    : button == MouseButton::Right ? VK_RBUTTON
                                                   : 0x04;
    s.keyDown[vk] = down;
    const UINT base = button == MouseButton::Left    ? WM_LBUTTONDOWN
                      : button == MouseButton::Right ? WM_RBUTTONDOWN
                                                     : WM_MBUTTONDOWN;
    const UINT ncBase = button == MouseButton::Left    ? WM_NCLBUTTONDOWN
                        : button == MouseButton::Right ? WM_NCRBUTTONDOWN
                                                       : WM_NCMBUTTONDOWN;
    if (MoveSizeActive()) {
        if (button == MouseButton::Left) EndMoveSize();
        return;
    }
    if (WindowOf(s.buttonWindow) && button == MouseButton::Left && !down &&
        TrackCaptionButtonInput(screen, true))
        return;

    HWND target = GetCapture();
    int hit = HTCLIENT;
    if (!target) target = HitWindow(screen, &hit);
    if (!target) return;
    UpdateLeaveTracking(target);
    if (!AcceptsInput(target)) {
        if (down) ActivateBlockingWindow(target);
        return;
    }

    if (down && !GetCapture()) {
        // A press on a window of another top-level window activates it first.
        const HWND top = TopLevelOf(target);
        if (top && top != GetActiveWindow()) {
            const LRESULT how =
                SendMessage(target, WM_MOUSEACTIVATE, WPARAM(top), MAKELPARAM(hit, base));
            if (how != 3 /* MA_NOACTIVATE */ && how != 4 /* MA_NOACTIVATEANDEAT */ && WindowOf(top))
                SetActiveWindow(top);
            if (how == 4 || how == 2 /* MA_ACTIVATEANDEAT */) return;
        }
        if (!WindowOf(target)) return;
        SendMessage(target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(hit, base));
        if (!WindowOf(target)) return;
    }

    UINT msg = down ? base : base + 1;
    const bool client = hit == HTCLIENT;
    if (down) {
        const bool dblClient = client && (WindowOf(target)->cls->wc.style & CS_DBLCLKS);
        const bool sameSpot =
            std::abs(screen.x - s.lastDownPos.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
            std::abs(screen.y - s.lastDownPos.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        const bool isDouble =
            s.lastDownWindow == target && s.lastDownMessage == (client ? base : ncBase) &&
            Now() - s.lastDownTime <= kDoubleClickTime && sameSpot && (dblClient || !client);
        if (isDouble) {
            msg = base + 2;
            s.lastDownWindow = nullptr;
        } else {
            s.lastDownWindow = target;
            s.lastDownMessage = client ? base : ncBase;
            s.lastDownTime = Now();
            s.lastDownPos = screen;
        }
    }
    if (client) {
        POINT p = screen;
        ScreenToClient(target, &p);
        PostInput(target, msg, MouseKeyState(), MAKELPARAM(p.x, p.y));
    } else {
        PostInput(target, msg - base + ncBase, WPARAM(hit), MAKELPARAM(screen.x, screen.y));
    }
}

void QueueMouseWheel(POINT screen, int delta) {
    State().cursor = screen;
    HWND target = GetFocus();
    if (!target) {
        int hit;
        target = HitWindow(screen, &hit);
    }
    if (target && AcceptsInput(target))
        PostInput(target, WM_MOUSEWHEEL, MAKELONG(WORD(MouseKeyState()), WORD(int16_t(delta))),
                  MAKELPARAM(screen.x, screen.y));
}

void QueueKey(UINT vk, bool down) {
    auto& s = State();
    if (vk < 256) s.keyDown[vk] = down;
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    if (!target || !AcceptsInput(target)) return;
    const bool alt = s.keyDown[VK_MENU];
    const bool sys = alt || vk == VK_MENU || vk == VK_F10;
    const UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    const LPARAM lParam = 1 | (alt ? (1 << 29) : 0) | (down ? 0 : (LPARAM(3) << 30));
    PostInput(target, msg, vk, lParam);
}

void QueueChar(uint32_t codePoint) {
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    if (target && AcceptsInput(target)) PostInput(target, WM_CHAR, codePoint, 1);
}

// ---------------------------------------------------------------- moving, sizing, caption buttons

namespace {

void TrackMoveSize(POINT screen) {
    auto& s = State();
    const HWND hwnd = s.moveSizeWindow;
    if (!WindowOf(hwnd)) {
        s.moveSizeWindow = nullptr;
        return;
    }
    const int dx = screen.x - s.moveSizeStart.x, dy = screen.y - s.moveSizeStart.y;
    RECT r = s.moveSizeRect;
    const int hit = s.moveSizeHit;
    if (hit == HTCAPTION) {
        r = OffsetRect(r, dx, dy);
        SendMessage(hwnd, WM_MOVING, 0, LPARAM(&r));
    } else {
        if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT) r.left += dx;
        if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT) r.right += dx;
        if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT) r.top += dy;
        if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) r.bottom += dy;
        MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
        // The moving edge stops at the minimum and maximum track sizes.
        auto limit = [](LONG& moving, LONG fixed, int sign, LONG lo, LONG hi) {
            LONG size = (moving - fixed) * sign;
            size = std::clamp(size, lo, std::max(lo, hi));
            moving = fixed + size * sign;
        };
        if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
            limit(r.left, r.right, -1, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x);
        else
            limit(r.right, r.left, 1, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x);
        if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
            limit(r.top, r.bottom, -1, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y);
        else
            limit(r.bottom, r.top, 1, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y);
        SendMessage(hwnd, WM_SIZING, WPARAM(hit - HTLEFT + 1), LPARAM(&r));
    }
    if (WindowOf(hwnd))
        SetWindowPos(hwnd, nullptr, r.left, r.top, WidthOf(r), HeightOf(r),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void EndMoveSize() {
    auto& s = State();
    const HWND hwnd = s.moveSizeWindow;
    s.moveSizeWindow = nullptr;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (WindowOf(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace

void StartMoveSize(HWND hwnd, int hit, const POINT* anchor) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || (w->style & WS_MAXIMIZE) || (w->style & WS_MINIMIZE)) return;
    auto& s = State();
    s.moveSizeWindow = hwnd;
    s.moveSizeHit = hit;
    s.moveSizeStart = anchor ? *anchor : s.cursor;
    GetWindowRect(hwnd, &s.moveSizeRect);
    if (w->IsChild()) {
        POINT tl{s.moveSizeRect.left, s.moveSizeRect.top};
        ScreenToClient(w->parent, &tl);
        s.moveSizeRect =
            OffsetRect(s.moveSizeRect, tl.x - s.moveSizeRect.left, tl.y - s.moveSizeRect.top);
    }
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    if (WindowOf(hwnd)) SetCapture(hwnd);
    // A move started without the left button held (from the keyboard) ends at the next click.
}

bool MoveSizeActive() { return WindowOf(State().moveSizeWindow) != nullptr; }

void StartCaptionButtonTracking(HWND hwnd, int hit) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return;
    auto& s = State();
    s.buttonWindow = hwnd;
    s.buttonHit = hit;
    w->ncPressedButton = hit;
    SendMessage(hwnd, WM_NCPAINT, 1, 0);
    if (WindowOf(hwnd)) SetCapture(hwnd);
}

namespace {

bool TrackCaptionButton(POINT screen, bool released) {
    auto& s = State();
    const HWND hwnd = s.buttonWindow;
    WindowObject* w = WindowOf(hwnd);
    if (!w) {
        s.buttonWindow = nullptr;
        return false;
    }
    const int over = int(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
    if (!(w = WindowOf(hwnd))) return true;
    const int pressed = over == s.buttonHit ? s.buttonHit : 0;
    if (pressed != w->ncPressedButton) {
        w->ncPressedButton = pressed;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
    }
    if (!released) return true;
    s.buttonWindow = nullptr;
    if (WindowOf(hwnd)) WindowOf(hwnd)->ncPressedButton = 0;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (WindowOf(hwnd)) SendMessage(hwnd, WM_NCPAINT, 1, 0);
    if (over == s.buttonHit && WindowOf(hwnd)) {
        WPARAM cmd = over == HTCLOSE       ? SC_CLOSE
                     : over == HTMINBUTTON ? SC_MINIMIZE
                     : over == HTHELP      ? SC_CONTEXTHELP
                     : IsZoomed(hwnd)      ? SC_RESTORE
                                           : SC_MAXIMIZE;
        PostMessage(hwnd, WM_SYSCOMMAND, cmd, MAKELPARAM(screen.x, screen.y));
    }
    return true;
}

} // namespace

bool TrackCaptionButtonInput(POINT screen, bool released) {
    return TrackCaptionButton(screen, released);
}
