// The menu loop: selection across the bar and the pop-up levels, mouse and keyboard input,
// the notifications to the owner and the choice of a command.
#include "platform/menus/MenuTracker.h"

#include <algorithm>

#include "platform/window/ModalLoop.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

bool Selectable(const MenuItem& item) { return !item.Separator(); }

RECT ScreenRectOfPopupItem(HWND popup, const MenuItem& item) {
    POINT o{0, 0};
    ClientToScreen(popup, &o);
    return OffsetRect(item.rect, o.x, o.y);
}

RECT ScreenRectOfBarItem(HWND hwnd, const MenuItem& item) {
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    return OffsetRect(item.rect, wr.left, wr.top);
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

} // namespace

MenuTracker& MenuTracker::Instance() {
    static MenuTracker tracker;
    return tracker;
}

// ---------------------------------------------------------------- starting and ending

bool MenuTracker::Begin(HWND owner, HMENU bar, UINT flags, bool systemMenu) {
    if (active_ || !IsWindow(owner)) return false;
    active_ = true;
    const unsigned gen = ++generation_;
    owner_ = owner;
    bar_ = bar;
    barItem_ = -1;
    flags_ = flags;
    systemMenu_ = systemMenu;
    levels_.clear();
    toggleKey_ = 0;
    // Keys go to the focus window (or the active one); the owner gets the mouse while no
    // pop-up is open.
    for (HWND h : {owner, GetFocus(), GetActiveWindow()}) {
        if (!h || std::find(hooked_.begin(), hooked_.end(), h) != hooked_.end()) continue;
        hooked_.push_back(h);
        hooks_.push_back(
            AddWindowMessageHook(h, [this](HWND w, UINT m, WPARAM wp, LPARAM lp, LRESULT* r) {
                *r = 0;
                return OnMessage(w, m, wp, lp);
            }));
    }
    SendMessage(owner, WM_ENTERMENULOOP, bar ? 0 : 1, 0);
    if (!Alive(gen)) return false;
    if (bar && !(flags & TPM_NONOTIFY))
        SendMessage(owner, WM_INITMENU, WPARAM(reinterpret_cast<uintptr_t>(bar)), 0);
    if (!Alive(gen)) return false;
    CaptureInput();
    return Alive(gen);
}

void MenuTracker::StartBar(HWND owner, int item, bool open, bool selectFirst) {
    MenuObject* m = MenuOf(GetMenu(owner));
    if (!m || item < 0 || size_t(item) >= m->items.size()) return;
    const unsigned gen = generation_ + 1;
    if (!Begin(owner, GetMenu(owner), 0, false)) return;
    SetBarItem(item);
    if (!Alive(gen) || !open) return;
    const MenuItem& chosen = MenuOf(bar_)->items[size_t(item)];
    // A mnemonic of a bar item without a pop-up chooses it at once.
    if (!chosen.subMenu && selectFirst) {
        Choose(bar_, item);
        return;
    }
    OpenBarPopup(selectFirst);
}

void MenuTracker::StartSystemMenu(HWND owner, POINT at, bool selectFirst) {
    const HMENU menu = GetSystemMenu(owner, false);
    if (!menu) return;
    const unsigned gen = generation_ + 1;
    if (!Begin(owner, nullptr, 0, true)) return;
    if (!OpenPopup(menu, 0, at, nullptr, selectFirst) && Alive(gen)) Cancel();
}

bool MenuTracker::StartPopup(HWND owner, HMENU menu, POINT at, UINT flags) {
    if (!MenuOf(menu)) return false;
    const unsigned gen = generation_ + 1;
    if (!Begin(owner, nullptr, flags, false)) return false;
    if (!OpenPopup(menu, 0, at, nullptr, false)) {
        if (Alive(gen)) Cancel();
        return false;
    }
    return Alive(gen);
}

void MenuTracker::Cancel() { Finish(0, false); }

void MenuTracker::Finish(UINT id, bool systemCommand) {
    if (!active_) return;
    const HWND owner = owner_;
    const bool popupMode = bar_ == nullptr;
    const UINT flags = flags_;
    const unsigned gen = generation_;
    // The state is reset before any message goes out, so a handler may start a new menu.
    CloseLevelsFrom(0);
    for (int hook : hooks_) RemoveWindowMessageHook(hook);
    hooks_.clear();
    hooked_.clear();
    const HWND capture = GetCapture();
    active_ = false;
    barItem_ = -1;
    bar_ = nullptr;
    owner_ = nullptr;
    if (capture == owner) ReleaseCapture();
    RedrawMenuBar(owner);
    if (IsWindow(owner) && !(flags & TPM_NONOTIFY))
        SendMessage(owner, WM_MENUSELECT, MAKELONG(0, 0xFFFF), 0);
    if (IsWindow(owner)) SendMessage(owner, WM_EXITMENULOOP, popupMode ? 1 : 0, 0);
    if (flags & TPM_RETURNCMD) {
        result_ = id;
        resultGeneration_ = gen;
        // The menu may close inside another pump that ran while TrackPopupMenu waited.
        WakeModalLoop();
        return;
    }
    if (id && IsWindow(owner))
        PostMessage(owner, systemCommand ? WM_SYSCOMMAND : WM_COMMAND, id, 0);
}

// ---------------------------------------------------------------- queries

int MenuTracker::BarSelection(HWND owner, bool* open) const {
    if (!active_ || owner != owner_ || !bar_) return -1;
    if (open) *open = !levels_.empty();
    return barItem_;
}

HWND MenuTracker::PopupFor(HMENU menu) const {
    for (const Level& l : levels_)
        if (l.menu == menu) return l.window;
    return nullptr;
}

bool MenuTracker::Uses(HMENU menu) const { return active_ && (menu == bar_ || PopupFor(menu)); }

bool MenuTracker::IsOurWindow(HWND hwnd) const {
    if (hwnd && hwnd == owner_) return true;
    return std::any_of(levels_.begin(), levels_.end(),
                       [&](const Level& l) { return l.window == hwnd; });
}

// ---------------------------------------------------------------- levels and selection

void MenuTracker::CaptureInput() {
    const HWND target = levels_.empty() ? owner_ : levels_.back().window;
    if (IsWindow(target) && GetCapture() != target) SetCapture(target);
}

void MenuTracker::SendMenuSelect(HMENU menu, int item) {
    MenuObject* m = MenuOf(menu);
    if (!m || item < 0 || size_t(item) >= m->items.size() || (flags_ & TPM_NONOTIFY)) return;
    const MenuItem& it = m->items[size_t(item)];
    UINT flags = MF_HILITE | (it.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) |
                 (it.type & (MF_OWNERDRAW | MF_SEPARATOR));
    if (it.subMenu) flags |= MF_POPUP;
    if (m->systemMenu) flags |= MF_SYSMENU;
    if (mouseInput_) flags |= MF_MOUSESELECT;
    const UINT key = it.subMenu ? UINT(item) : it.id;
    SendMessage(owner_, WM_MENUSELECT, MAKELONG(WORD(key), WORD(flags)),
                LPARAM(reinterpret_cast<uintptr_t>(menu)));
}

void MenuTracker::SetBarItem(int item) {
    if (barItem_ == item) return;
    barItem_ = item;
    RedrawMenuBar(owner_);
    SendMenuSelect(bar_, item);
}

void MenuTracker::SwitchBar(int item, bool open, bool selectFirst) {
    const unsigned gen = generation_;
    CloseLevelsFrom(0);
    SetBarItem(item);
    if (Alive(gen) && open) OpenBarPopup(selectFirst);
}

void MenuTracker::OpenBarPopup(bool selectFirst) {
    MenuObject* m = MenuOf(bar_);
    if (!m || barItem_ < 0 || size_t(barItem_) >= m->items.size()) return;
    const MenuItem& item = m->items[size_t(barItem_)];
    if (!item.subMenu || item.Disabled()) return;
    const RECT r = ScreenRectOfBarItem(owner_, item);
    OpenPopup(item.subMenu, barItem_, POINT{r.left, r.bottom}, &r, selectFirst);
    RedrawMenuBar(owner_);
}

bool MenuTracker::OpenPopup(HMENU menu, int position, POINT at, const RECT* exclude,
                            bool selectFirst) {
    const unsigned gen = generation_;
    if (!(flags_ & TPM_NONOTIFY))
        SendMessage(owner_, WM_INITMENUPOPUP, WPARAM(reinterpret_cast<uintptr_t>(menu)),
                    MAKELPARAM(position, systemMenu_ ? 1 : 0));
    if (!Alive(gen) || !MenuOf(menu)) return false;
    const HWND popup = CreatePopupMenuWindow(owner_, menu, at, exclude);
    if (!Alive(gen) || !popup) {
        if (popup) DestroyWindow(popup);
        return false;
    }
    Level level{menu, popup, 0};
    level.hook =
        AddWindowMessageHook(popup, [this](HWND w, UINT m, WPARAM wp, LPARAM lp, LRESULT* r) {
            *r = 0;
            return OnMessage(w, m, wp, lp);
        });
    levels_.push_back(level);
    CaptureInput();
    if (Alive(gen) && selectFirst) MoveSelection(levels_.size() - 1, 1);
    return Alive(gen);
}

void MenuTracker::OpenSubmenu(size_t level, bool selectFirst) {
    if (level >= levels_.size()) return;
    const HWND popup = levels_[level].window;
    const int sel = PopupSelection(popup);
    MenuObject* m = MenuOf(levels_[level].menu);
    if (!m || sel < 0 || size_t(sel) >= m->items.size()) return;
    const MenuItem& item = m->items[size_t(sel)];
    if (!item.subMenu || item.Disabled()) return;
    if (level + 1 < levels_.size() && levels_[level + 1].menu == item.subMenu)
        return; // open already
    CloseLevelsFrom(level + 1);
    const RECT r = ScreenRectOfPopupItem(popup, item);
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    OpenPopup(item.subMenu, sel, POINT{r.right, r.top - frame}, &r, selectFirst);
}

void MenuTracker::CloseLevelsFrom(size_t count) {
    while (levels_.size() > count) {
        const Level level = levels_.back();
        levels_.pop_back();
        RemoveWindowMessageHook(level.hook);
        // The capture moves on before the window goes, so its loss does not end the loop.
        if (active_) CaptureInput();
        if (IsWindow(level.window)) DestroyWindow(level.window);
        if (active_ && !(flags_ & TPM_NONOTIFY) && IsWindow(owner_))
            SendMessage(owner_, WM_UNINITMENUPOPUP, WPARAM(reinterpret_cast<uintptr_t>(level.menu)),
                        0);
    }
}

void MenuTracker::Select(size_t level, int item) {
    if (level >= levels_.size()) return;
    const HWND popup = levels_[level].window;
    if (PopupSelection(popup) == item) return;
    const unsigned gen = generation_;
    CloseLevelsFrom(level + 1);
    if (!Alive(gen)) return;
    SetPopupSelection(popup, item);
    SendMenuSelect(levels_[level].menu, item);
}

void MenuTracker::MoveSelection(size_t level, int direction) {
    if (level >= levels_.size()) return;
    MenuObject* m = MenuOf(levels_[level].menu);
    if (!m || m->items.empty()) return;
    const int n = int(m->items.size());
    int i = PopupSelection(levels_[level].window);
    if (i < 0) i = direction > 0 ? -1 : n;
    for (int step = 0; step < n; ++step) {
        i = ((i + direction) % n + n) % n;
        if (Selectable(m->items[size_t(i)])) {
            Select(level, i);
            return;
        }
    }
}

void MenuTracker::Choose(HMENU menu, int index) {
    MenuObject* m = MenuOf(menu);
    if (!m || index < 0 || size_t(index) >= m->items.size()) return;
    const MenuItem& item = m->items[size_t(index)];
    if (item.Separator() || item.Disabled() || item.subMenu) return;
    Finish(item.id, m->systemMenu);
}

// ---------------------------------------------------------------- input

bool MenuTracker::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!active_) return false;
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        if (hwnd != GetCapture() || !IsOurWindow(hwnd)) return false;
        POINT p = PointOf(lParam);
        ClientToScreen(hwnd, &p);
        const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                          msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK;
        const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
        // Only the left button chooses unless the pop-up was asked to follow the right one.
        const bool right = msg == WM_RBUTTONUP;
        if (up && right && !(flags_ & TPM_RIGHTBUTTON)) return true;
        Mouse(down ? MouseKind::Down : up ? MouseKind::Up : MouseKind::Move, p);
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        mouseInput_ = false;
        toggleKey_ = UINT(wParam);
        Key(UINT(wParam));
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // Alt and F10 leave the menu when released, so that the release does not reach the
        // default handling, which would open it again.
        if (UINT(wParam) == toggleKey_ && (wParam == VK_MENU || wParam == VK_F10)) Cancel();
        return true;
    case WM_CHAR:
    case WM_SYSCHAR:
        mouseInput_ = false;
        Char(uint32_t(wParam));
        return true;
    case WM_CAPTURECHANGED:
        if (!IsOurWindow(reinterpret_cast<HWND>(lParam))) Cancel();
        return false;
    case WM_CANCELMODE: Cancel(); return false;
    case WM_DESTROY:
        if (IsOurWindow(hwnd)) Cancel();
        return false;
    case WM_ACTIVATE:
        if (hwnd == owner_ && LOWORD(wParam) == WA_INACTIVE) Cancel();
        return false;
    default: return false;
    }
}

void MenuTracker::Mouse(MouseKind kind, POINT screen) {
    mouseInput_ = true;
    if (MouseOverPopups(kind, screen)) return;
    const int barItem = bar_ ? MenuBarItemAt(owner_, screen) : -1;
    if (barItem >= 0) {
        MouseOverBar(kind, barItem);
        return;
    }
    if (kind == MouseKind::Down) {
        Cancel();
        return;
    }
    // Outside every menu: the deepest pop-up shows no selection unless a submenu hangs off it.
    if (kind == MouseKind::Move && !levels_.empty()) Select(levels_.size() - 1, -1);
}

bool MenuTracker::MouseOverPopups(MouseKind kind, POINT screen) {
    for (size_t level = levels_.size(); level-- > 0;) {
        RECT wr{};
        GetWindowRect(levels_[level].window, &wr);
        if (!PtInRect(wr, screen)) continue;
        const int item = PopupItemAt(levels_[level].window, screen);
        MenuObject* m = MenuOf(levels_[level].menu);
        const bool valid = m && item >= 0 && Selectable(m->items[size_t(item)]);
        if (kind == MouseKind::Up) {
            if (valid) Choose(levels_[level].menu, item);
            return true;
        }
        const unsigned gen = generation_;
        if (!valid) {
            if (level + 1 == levels_.size()) Select(level, -1);
            return true;
        }
        Select(level, item);
        if (Alive(gen)) OpenSubmenu(level, false);
        return true;
    }
    return false;
}

void MenuTracker::MouseOverBar(MouseKind kind, int item) {
    MenuObject* m = MenuOf(bar_);
    if (!m) return;
    const bool open = !levels_.empty();
    switch (kind) {
    case MouseKind::Move:
        if (item == barItem_) return;
        if (open || (GetKeyState(VK_LBUTTON) & 0x8000))
            SwitchBar(item, true, false);
        else
            SetBarItem(item);
        return;
    case MouseKind::Down:
        if (item == barItem_ && open)
            Cancel(); // a second click on the open item closes it
        else
            SwitchBar(item, true, false);
        return;
    case MouseKind::Up:
        // A bar item without a pop-up is chosen when the button is released over it.
        if (item == barItem_ && !m->items[size_t(item)].subMenu) Choose(bar_, item);
        return;
    }
}

void MenuTracker::Key(UINT vk) {
    const unsigned gen = generation_;
    const size_t depth = levels_.size();
    MenuObject* barMenu = MenuOf(bar_);
    const int barCount = barMenu ? int(barMenu->items.size()) : 0;
    switch (vk) {
    case VK_MENU:
    case VK_F10: return; // on release
    case VK_ESCAPE:
        if (depth > 1 || (depth == 1 && bar_)) {
            CloseLevelsFrom(depth - 1);
            if (Alive(gen) && depth == 1) RedrawMenuBar(owner_);
        } else {
            Cancel();
        }
        return;
    case VK_UP:
    case VK_DOWN:
        if (depth == 0)
            OpenBarPopup(true);
        else
            MoveSelection(depth - 1, vk == VK_DOWN ? 1 : -1);
        return;
    case VK_LEFT:
        if (depth > 1)
            CloseLevelsFrom(depth - 1);
        else if (barCount > 0)
            SwitchBar((barItem_ - 1 + barCount) % barCount, depth > 0, true);
        return;
    case VK_RIGHT: {
        if (depth > 0) {
            const Level& last = levels_.back();
            const int sel = PopupSelection(last.window);
            MenuObject* m = MenuOf(last.menu);
            if (m && sel >= 0 && m->items[size_t(sel)].subMenu &&
                !m->items[size_t(sel)].Disabled()) {
                OpenSubmenu(depth - 1, true);
                return;
            }
        }
        if (barCount > 0) SwitchBar((barItem_ + 1) % barCount, depth > 0, true);
        return;
    }
    case VK_RETURN: {
        if (depth == 0) {
            if (barMenu && barItem_ >= 0 && barMenu->items[size_t(barItem_)].subMenu)
                OpenBarPopup(true);
            else
                Choose(bar_, barItem_);
            return;
        }
        const Level& last = levels_.back();
        const int sel = PopupSelection(last.window);
        MenuObject* m = MenuOf(last.menu);
        if (!m || sel < 0) return;
        if (m->items[size_t(sel)].subMenu)
            OpenSubmenu(depth - 1, true);
        else
            Choose(last.menu, sel);
        return;
    }
    default: return;
    }
}

void MenuTracker::Char(uint32_t ch) {
    if (ch < ' ') return; // Enter, Escape and the like arrive as keys
    const uint32_t key = FoldCase(ch);
    if (levels_.empty()) {
        MenuObject* m = MenuOf(bar_);
        if (!m) return;
        for (size_t i = 0; i < m->items.size(); ++i)
            if (ItemMnemonic(m->items[i]) == key) {
                if (m->items[i].subMenu)
                    SwitchBar(int(i), true, true);
                else
                    Choose(bar_, int(i));
                return;
            }
        return;
    }
    const size_t level = levels_.size() - 1;
    MenuObject* m = MenuOf(levels_[level].menu);
    if (!m) return;
    std::vector<int> matches;
    for (size_t i = 0; i < m->items.size(); ++i)
        if (Selectable(m->items[i]) && ItemMnemonic(m->items[i]) == key) matches.push_back(int(i));
    if (matches.empty()) return;
    if (matches.size() > 1) {
        // Several items share the letter: each press selects the next of them.
        const int sel = PopupSelection(levels_[level].window);
        auto next = std::upper_bound(matches.begin(), matches.end(), sel);
        Select(level, next == matches.end() ? matches.front() : *next);
        return;
    }
    const unsigned gen = generation_;
    Select(level, matches.front());
    if (!Alive(gen)) return;
    if (m->items[size_t(matches.front())].subMenu)
        OpenSubmenu(level, true);
    else
        Choose(levels_[level].menu, matches.front());
}

// ---------------------------------------------------------------- the program-wide functions

UINT TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    MenuTracker& tracker = MenuTracker::Instance();
    if (tracker.Active() || !MenuOf(menu) || !IsWindow(owner)) return 0;
    if (!tracker.StartPopup(owner, menu, POINT{x, y}, flags)) return 0;
    const unsigned gen = tracker.Generation();
    if (!(flags & TPM_RETURNCMD)) return 1;
    const auto open = [&tracker, gen] { return tracker.Active() && tracker.Generation() == gen; };
    // Quitting, or nothing can ever arrive: close the menu and leave the quit to the outer loop.
    if (!RunModalLoop([&open] { return !open(); }, nullptr, nullptr) && open()) tracker.Cancel();
    return tracker.ResultOf(gen);
}

bool EndMenu() {
    if (!MenuTracker::Instance().Active()) return false;
    MenuTracker::Instance().Cancel();
    return true;
}

bool IsMenuLoopActive() { return MenuTracker::Instance().Active(); }

int MenuBarSelection(HWND hwnd, bool* open) {
    bool dummy = false;
    return MenuTracker::Instance().BarSelection(hwnd, open ? open : &dummy);
}

void MenuDestroyedNotice(HMENU menu) {
    if (MenuTracker::Instance().Uses(menu)) MenuTracker::Instance().Cancel();
}

bool GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, RECT* rect) {
    MenuObject* m = MenuOf(menu);
    if (!m || !rect || item >= m->items.size()) return false;
    if (hwnd && GetMenu(hwnd) == menu) {
        LayOutMenuBar(hwnd);
        if (!(m = MenuOf(menu)) || item >= m->items.size()) return false;
        *rect = ScreenRectOfBarItem(hwnd, m->items[item]);
        return true;
    }
    const HWND popup = MenuTracker::Instance().PopupFor(menu);
    if (!popup) return false;
    *rect = ScreenRectOfPopupItem(popup, m->items[item]);
    return true;
}

int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screen) {
    if (hwnd && GetMenu(hwnd) == menu) return MenuBarItemAt(hwnd, screen);
    const HWND popup = MenuTracker::Instance().PopupFor(menu);
    return popup ? PopupItemAt(popup, screen) : -1;
}
