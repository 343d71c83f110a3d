// Windows and classes: the handle table, creation and destruction in the Win32 order,
// window longs, properties, text, geometry, z-order, showing, activation, focus, capture
// and the creation-and-activation hook.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/window/Backend.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

struct ClassTable {
    std::unordered_map<std::string, std::shared_ptr<WindowClass>> byName; // lower-case names
    ATOM nextAtom = 0xC000;
};

ClassTable& Classes() {
    static ClassTable t;
    return t;
}

struct WindowTable {
    std::unordered_map<uintptr_t, std::unique_ptr<WindowObject>> byHandle;
    uintptr_t nextHandle = 0x10010;
    std::vector<HWND> topLevels; // front first
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
};

WindowTable& Windows() {
    static WindowTable t;
    return t;
}

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return r;
}

struct HookEntry {
    HHOOK handle;
    int id;
    HOOKPROC proc;
};
std::vector<HookEntry>& Hooks() {
    static std::vector<HookEntry> hooks; // most recently installed first
    return hooks;
}
uintptr_t g_nextHook = 1;

void RemoveFromSiblings(WindowObject& w) {
    if (w.IsChild()) {
        if (WindowObject* p = WindowOf(w.parent)) std::erase(p->children, w.handle);
    } else {
        std::erase(Windows().topLevels, w.handle);
    }
}

std::vector<HWND>& SiblingList(WindowObject& w) {
    if (w.IsChild()) return WindowOf(w.parent)->children;
    return Windows().topLevels;
}

// Topmost windows stay in front of the others.
void InsertInZOrder(WindowObject& w, HWND after) {
    std::vector<HWND>& list = SiblingList(w);
    std::erase(list, w.handle);
    auto isTopmost = [](HWND h) {
        WindowObject* o = WindowOf(h);
        return o && (o->exStyle & WS_EX_TOPMOST);
    };
    auto pos = list.end();
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        pos = list.begin();
        if (!w.IsChild() && !(w.exStyle & WS_EX_TOPMOST))
            while (pos != list.end() && isTopmost(*pos)) ++pos;
    } else if (after == HWND_BOTTOM) {
        pos = list.end();
    } else {
        auto it = std::find(list.begin(), list.end(), after);
        pos = it == list.end() ? list.begin() : it + 1;
    }
    list.insert(pos, w.handle);
}

} // namespace

// ---------------------------------------------------------------- internal access

WindowObject* WindowOf(HWND hwnd) {
    auto& t = Windows().byHandle;
    auto it = t.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == t.end() ? nullptr : it->second.get();
}

HWND TopLevelOf(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    while (w && w->IsChild()) {
        hwnd = w->parent;
        w = WindowOf(hwnd);
    }
    return w ? hwnd : nullptr;
}

POINT OffsetInTopLevel(HWND hwnd) {
    POINT p{};
    WindowObject* w = WindowOf(hwnd);
    while (w && w->IsChild()) {
        WindowObject* parent = WindowOf(w->parent);
        if (!parent) break;
        p.x += w->rect.left + parent->client.left;
        p.y += w->rect.top + parent->client.top;
        w = parent;
    }
    return p;
}

const std::vector<HWND>& TopLevelZOrder() { return Windows().topLevels; }

HWND& ActiveWindowSlot() { return Windows().active; }
HWND& FocusWindowSlot() { return Windows().focus; }
HWND& CaptureWindowSlot() { return Windows().capture; }

LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam) {
    if (Hooks().empty()) return 0;
    for (const HookEntry& h : Hooks())
        if (h.id == WH_CBT) return h.proc(code, wParam, lParam);
    return 0;
}

// ---------------------------------------------------------------- classes

ATOM RegisterClass(const WNDCLASS& wc) {
    if (wc.lpszClassName.empty() || !wc.lpfnWndProc) return 0;
    auto& t = Classes();
    const std::string key = Lower(wc.lpszClassName);
    if (t.byName.count(key)) return 0;
    auto cls = std::make_shared<WindowClass>();
    cls->wc = wc;
    cls->atom = t.nextAtom++;
    t.byName[key] = cls;
    return cls->atom;
}

bool UnregisterClass(std::string_view className) {
    return Classes().byName.erase(Lower(className)) > 0;
}

bool GetClassInfo(std::string_view className, WNDCLASS* wc) {
    auto& t = Classes().byName;
    auto it = t.find(Lower(className));
    if (it == t.end()) return false;
    if (wc) *wc = it->second->wc;
    return true;
}

std::string GetClassName(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    return w ? w->cls->wc.lpszClassName : std::string();
}

int GetClassName(HWND hwnd, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    const std::string name = GetClassName(hwnd);
    const int n = std::min<int>(int(name.size()), size - 1);
    std::memcpy(buffer, name.data(), size_t(n));
    buffer[n] = 0;
    return n;
}

uintptr_t GetClassLongPtr(HWND hwnd, int index) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return 0;
    if (index == GCL_STYLE) return w->cls->wc.style;
    return 0;
}

// ---------------------------------------------------------------- creation and destruction

HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                    HINSTANCE, void* param) {
    auto& classes = Classes().byName;
    auto cit = classes.find(Lower(className));
    if (cit == classes.end()) return nullptr;
    if ((style & WS_CHILD) && !WindowOf(parent)) return nullptr;

    auto& t = Windows();
    auto object = std::make_unique<WindowObject>();
    WindowObject& w = *object;
    w.handle = reinterpret_cast<HWND>(t.nextHandle);
    t.nextHandle += 4;
    w.cls = cit->second;
    w.proc = w.cls->wc.lpfnWndProc;
    w.text = std::string(windowName);
    w.style = style & ~WS_VISIBLE;
    w.exStyle = exStyle;
    if (style & WS_CHILD) {
        w.parent = parent;
        w.id = LONG_PTR(reinterpret_cast<uintptr_t>(menu));
    } else {
        w.owner = parent ? TopLevelOf(parent) : nullptr;
        w.menu = menu;
        // Overlapped windows always have a caption and a border.
        if (!(style & WS_POPUP)) w.style |= WS_CAPTION | WS_CLIPSIBLINGS;
    }
    if (x == CW_USEDEFAULT) x = y = 40;
    if (width == CW_USEDEFAULT) {
        width = 640;
        height = 480;
    }
    w.rect = Rect(x, y, x + std::max(0, width), y + std::max(0, height));
    w.client = Rect(0, 0, WidthOf(w.rect), HeightOf(w.rect));
    const HWND hwnd = w.handle;
    t.byHandle[reinterpret_cast<uintptr_t>(hwnd)] = std::move(object);
    if (w.IsChild())
        WindowOf(parent)->children.push_back(hwnd); // the bottom of the z-order
    else {
        w.surface = std::make_shared<Bitmap>(WidthOf(w.rect), HeightOf(w.rect), 24, true);
        InsertInZOrder(w, HWND_TOP);
    }

    const std::string nameCopy(windowName), classCopy(w.cls->wc.lpszClassName);
    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.x = x, cs.y = y, cs.cx = width, cs.cy = height;
    cs.style = LONG(style);
    cs.lpszName = nameCopy.c_str();
    cs.lpszClass = classCopy.c_str();
    cs.dwExStyle = exStyle;

    CBT_CREATEWND cbt{&cs, HWND_TOP};
    if (CallCbtHooks(HCBT_CREATEWND, WPARAM(hwnd), LPARAM(&cbt)) != 0 || !WindowOf(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!SendMessage(hwnd, WM_NCCREATE, 0, LPARAM(&cs)) || !WindowOf(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    RecalcClientRect(hwnd);
    if (SendMessage(hwnd, WM_CREATE, 0, LPARAM(&cs)) == -1 || !WindowOf(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (WindowObject* created = WindowOf(hwnd)) {
        created->created = true;
        const RECT c = created->client;
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WidthOf(c), HeightOf(c)));
        if (WindowObject* again = WindowOf(hwnd))
            SendMessage(hwnd, WM_MOVE, 0,
                        MAKELPARAM(again->rect.left + again->client.left,
                                   again->rect.top + again->client.top));
    }
    if (!WindowOf(hwnd)) return nullptr;
    if ((style & WS_CHILD) && WindowOf(parent))
        SendMessage(parent, WM_PARENTNOTIFY, MAKELONG(WM_CREATE, WORD(LOWORD(uintptr_t(w.id)))),
                    LPARAM(hwnd));
    if (!WindowOf(hwnd)) return nullptr;
    if (style & WS_MAXIMIZE)
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    else if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return WindowOf(hwnd) ? hwnd : nullptr;
}

namespace {

void SendDestroyMessages(HWND hwnd) {
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    WindowObject* w = WindowOf(hwnd);
    if (!w) return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children) {
        if (WindowObject* cw = WindowOf(c)) cw->destroying = true;
        SendDestroyMessages(c);
    }
}

void SendNcDestroyAndFree(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children) SendNcDestroyAndFree(c);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    ForgetWindowTimers(hwnd);
    auto& t = Windows();
    if (t.focus == hwnd) t.focus = nullptr;
    if (t.capture == hwnd) t.capture = nullptr;
    if (t.active == hwnd) t.active = nullptr;
    if (WindowObject* still = WindowOf(hwnd)) {
        RemoveFromSiblings(*still);
        auto node = t.byHandle.extract(reinterpret_cast<uintptr_t>(hwnd));
        (void)node; // freed here, after every message about it has returned
    }
}

} // namespace

bool DestroyWindow(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    if (w->destroying) return true;
    w->destroying = true;
    if (CallCbtHooks(HCBT_DESTROYWND, WPARAM(hwnd), 0) != 0 && WindowOf(hwnd)) {
        WindowOf(hwnd)->destroying = false;
        return false;
    }
    // Owned windows go first.
    std::vector<HWND> owned;
    for (HWND h : TopLevelZOrder())
        if (WindowObject* o = WindowOf(h); o && o->owner == hwnd) owned.push_back(h);
    for (HWND h : owned) DestroyWindow(h);

    if (!WindowOf(hwnd)) return true;
    const bool wasChild = WindowOf(hwnd)->IsChild();
    const HWND parent = WindowOf(hwnd)->parent;
    if (IsWindowVisible(hwnd))
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (wasChild && WindowOf(parent) && WindowOf(hwnd))
        SendMessage(parent, WM_PARENTNOTIFY, MAKELONG(WM_DESTROY, WORD(WindowOf(hwnd)->id)),
                    LPARAM(hwnd));
    if (!WindowOf(hwnd)) return true;
    // Activation and focus leave the window before it goes.
    auto& t = Windows();
    if (t.focus && (t.focus == hwnd || IsChild(hwnd, t.focus))) t.focus = nullptr;
    if (t.active == hwnd) {
        t.active = nullptr;
        // The owner takes the activation back, as it gave it; otherwise the frontmost window.
        const HWND owner = WindowOf(hwnd)->owner;
        if (owner && IsWindowVisible(owner) && IsWindowEnabled(owner)) {
            SetActiveWindow(owner);
        } else {
            for (HWND h : TopLevelZOrder())
                if (h != hwnd && IsWindowVisible(h) && IsWindowEnabled(h) &&
                    !(WindowOf(h)->exStyle & WS_EX_TOOLWINDOW)) {
                    SetActiveWindow(h);
                    break;
                }
        }
    }
    if (t.capture && (t.capture == hwnd || IsChild(hwnd, t.capture))) ReleaseCapture();
    SendDestroyMessages(hwnd);
    SendNcDestroyAndFree(hwnd);
    if (!wasChild) WindowDestroyedNotice(hwnd);
    return true;
}

// ---------------------------------------------------------------- queries

bool IsWindow(HWND hwnd) { return WindowOf(hwnd) != nullptr; }

bool IsWindowVisible(HWND hwnd) {
    for (WindowObject* w = WindowOf(hwnd); w; w = w->IsChild() ? WindowOf(w->parent) : nullptr)
        if (!(w->style & WS_VISIBLE)) return false;
    return WindowOf(hwnd) != nullptr;
}

bool IsWindowEnabled(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    return w && !(w->style & WS_DISABLED);
}

bool AcceptsInput(HWND hwnd) {
    for (WindowObject* w = WindowOf(hwnd); w; w = w->IsChild() ? WindowOf(w->parent) : nullptr)
        if (w->style & WS_DISABLED) return false;
    return WindowOf(hwnd) != nullptr;
}

void ActivateBlockingWindow(HWND disabled) {
    const HWND top = TopLevelOf(disabled);
    auto usable = [](HWND h) {
        return IsWindowVisible(h) && IsWindowEnabled(h) &&
               !(WindowOf(h)->exStyle & WS_EX_TOOLWINDOW);
    };
    auto ownedBy = [](HWND h, HWND owner) {
        for (WindowObject* w = WindowOf(h); w && w->owner; w = WindowOf(w->owner))
            if (w->owner == owner) return true;
        return false;
    };
    // The frontmost usable window the disabled one owns; failing that (a box owned by the
    // hidden application window), the active window when it is usable.
    HWND modal = nullptr;
    for (HWND h : TopLevelZOrder())
        if (h != top && usable(h) && ownedBy(h, top)) {
            modal = h;
            break;
        }
    if (!modal && usable(GetActiveWindow()) && GetActiveWindow() != top) modal = GetActiveWindow();
    if (!modal) return;
    SetActiveWindow(modal);
    if (WindowOf(modal)) CurrentBackend().FlashWindow(modal);
}

bool IsIconic(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

bool IsZoomed(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    return w && (w->style & WS_MAXIMIZE);
}

bool IsChild(HWND parent, HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    while (w && w->IsChild()) {
        if (w->parent == parent) return true;
        w = WindowOf(w->parent);
    }
    return false;
}

bool EnableWindow(HWND hwnd, bool enable) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable)
        w->style &= ~WS_DISABLED;
    else {
        w->style |= WS_DISABLED;
        if (GetFocus() == hwnd || IsChild(hwnd, GetFocus())) SetFocus(nullptr);
        if (GetCapture() == hwnd || IsChild(hwnd, GetCapture())) ReleaseCapture();
    }
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

HWND GetParent(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    return w->IsChild() ? w->parent : ((w->style & WS_POPUP) ? w->owner : nullptr);
}

HWND SetParent(HWND hwnd, HWND parent) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !w->IsChild() || !WindowOf(parent) || hwnd == parent || IsChild(hwnd, parent))
        return nullptr;
    const HWND old = w->parent;
    InvalidateRect(old, nullptr, true);
    RemoveFromSiblings(*w);
    w->parent = parent;
    WindowOf(parent)->children.insert(WindowOf(parent)->children.begin(), hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    switch (flags) {
    case GA_PARENT: return w->IsChild() ? w->parent : GetDesktopWindow();
    case GA_ROOT: return TopLevelOf(hwnd);
    case GA_ROOTOWNER: {
        HWND h = TopLevelOf(hwnd);
        while (WindowObject* o = WindowOf(h)) {
            if (!o->owner) break;
            h = o->owner;
        }
        return h;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (cmd == GW_OWNER) return w->IsChild() ? nullptr : w->owner;
    const std::vector<HWND>& list = SiblingList(*w);
    auto it = std::find(list.begin(), list.end(), hwnd);
    if (it == list.end()) return nullptr;
    switch (cmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return it + 1 == list.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == list.begin() ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    if (!hwnd) return TopLevelZOrder().empty() ? nullptr : TopLevelZOrder().front();
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() { return reinterpret_cast<HWND>(uintptr_t(0x10000)); }

bool EnumChildWindows(HWND parent, const std::function<bool(HWND)>& visit) {
    WindowObject* w = WindowOf(parent);
    if (!w) return false;
    const std::vector<HWND> children = w->children;
    for (HWND c : children) {
        if (!WindowOf(c)) continue;
        if (!visit(c)) return false;
        if (!EnumChildWindows(c, visit) && WindowOf(c) && !WindowOf(c)->children.empty())
            return false;
    }
    return true;
}

bool EnumWindows(const std::function<bool(HWND)>& visit) {
    const std::vector<HWND> list = TopLevelZOrder();
    for (HWND h : list)
        if (WindowOf(h) && !visit(h)) return false;
    return true;
}

// ---------------------------------------------------------------- longs, properties, text

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_WNDPROC: return LONG_PTR(reinterpret_cast<uintptr_t>(w->proc));
    case GWL_STYLE: return LONG_PTR(LONG(w->style));
    case GWL_EXSTYLE: return LONG_PTR(LONG(w->exStyle));
    case GWL_USERDATA: return w->userData;
    case GWL_ID: return w->id;
    case GWL_HWNDPARENT:
        return LONG_PTR(reinterpret_cast<uintptr_t>(w->IsChild() ? w->parent : w->owner));
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_WNDPROC:
        if (value) w->proc = reinterpret_cast<WNDPROC>(uintptr_t(value));
        break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        STYLESTRUCT ss{DWORD(old), DWORD(value)};
        SendMessage(hwnd, WM_STYLECHANGING, WPARAM(index), LPARAM(&ss));
        w = WindowOf(hwnd);
        if (!w) return old;
        if (index == GWL_STYLE) {
            // Visibility changes go through ShowWindow; the bit itself is kept.
            w->style = (ss.styleNew & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
        } else {
            w->exStyle = ss.styleNew;
            w->layered = (w->exStyle & WS_EX_LAYERED) != 0;
        }
        SendMessage(hwnd, WM_STYLECHANGED, WPARAM(index), LPARAM(&ss));
        break;
    }
    case GWL_USERDATA: w->userData = value; break;
    case GWL_ID: w->id = value; break;
    case GWL_HWNDPARENT:
        if (!w->IsChild()) w->owner = reinterpret_cast<HWND>(uintptr_t(value));
        break;
    default: return 0;
    }
    return old;
}

WNDPROC SubclassWindow(HWND hwnd, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(uintptr_t(
        SetWindowLongPtr(hwnd, GWL_WNDPROC, LONG_PTR(reinterpret_cast<uintptr_t>(proc)))));
}

bool SetProp(HWND hwnd, std::string_view name, void* data) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    w->props[std::string(name)] = data;
    return true;
}

void* GetProp(HWND hwnd, std::string_view name) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    auto it = w->props.find(name);
    return it == w->props.end() ? nullptr : it->second;
}

void* RemoveProp(HWND hwnd, std::string_view name) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return nullptr;
    auto it = w->props.find(name);
    if (it == w->props.end()) return nullptr;
    void* data = it->second;
    w->props.erase(it);
    return data;
}

bool SetWindowText(HWND hwnd, std::string_view text) {
    const std::string copy(text);
    return WindowOf(hwnd) && SendMessage(hwnd, WM_SETTEXT, 0, LPARAM(copy.c_str())) != 0;
}

int GetWindowText(HWND hwnd, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = 0;
    return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(size), LPARAM(buffer)));
}

std::string GetWindowText(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string s(size_t(length) + 1, '\0');
    const int n = GetWindowText(hwnd, s.data(), length + 1);
    s.resize(size_t(std::max(0, n)));
    return s;
}

int GetWindowTextLength(HWND hwnd) { return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

// ---------------------------------------------------------------- geometry

bool GetWindowRect(HWND hwnd, RECT* rect) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !rect) return false;
    if (!w->IsChild()) {
        *rect = w->rect;
        return true;
    }
    POINT origin{w->rect.left, w->rect.top};
    WindowObject* parent = WindowOf(w->parent);
    POINT c{parent->client.left, parent->client.top};
    origin.x += c.x;
    origin.y += c.y;
    RECT pr;
    GetWindowRect(w->parent, &pr);
    *rect = OffsetRect(Rect(0, 0, WidthOf(w->rect), HeightOf(w->rect)), pr.left + origin.x,
                       pr.top + origin.y);
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !rect) return false;
    *rect = Rect(0, 0, WidthOf(w->client), HeightOf(w->client));
    return true;
}

RECT ClientRectInWindow(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    return w ? w->client : RECT{};
}

namespace {
POINT ClientOriginOnScreen(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    WindowObject* w = WindowOf(hwnd);
    return POINT{r.left + (w ? w->client.left : 0), r.top + (w ? w->client.top : 0)};
}
} // namespace

bool ClientToScreen(HWND hwnd, POINT* point) {
    if (!WindowOf(hwnd) || !point) return false;
    const POINT o = ClientOriginOnScreen(hwnd);
    point->x += o.x;
    point->y += o.y;
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* point) {
    if (!WindowOf(hwnd) || !point) return false;
    const POINT o = ClientOriginOnScreen(hwnd);
    point->x -= o.x;
    point->y -= o.y;
    return true;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    const POINT a = from ? ClientOriginOnScreen(from) : POINT{};
    const POINT b = to ? ClientOriginOnScreen(to) : POINT{};
    const int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(MAKELONG(WORD(dx), WORD(dy)));
}

// ---------------------------------------------------------------- position, size, z-order, showing

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) pos.x = w->rect.left, pos.y = w->rect.top;
    if (flags & SWP_NOSIZE) pos.cx = WidthOf(w->rect), pos.cy = HeightOf(w->rect);
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
        if (!(w = WindowOf(hwnd))) return false;
    }
    pos.cx = std::max(0, pos.cx);
    pos.cy = std::max(0, pos.cy);
    const RECT oldRect = w->rect;
    const RECT newRect = Rect(pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy);
    const bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    const bool sized =
        WidthOf(newRect) != WidthOf(oldRect) || HeightOf(newRect) != HeightOf(oldRect);
    const bool wasVisible = IsWindowVisible(hwnd);
    bool show = (pos.flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE);
    bool hide = (pos.flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE);

    if (wasVisible && (moved || sized || hide) && w->IsChild()) InvalidateParentArea(hwnd);
    w->rect = newRect;
    if (sized || (pos.flags & SWP_FRAMECHANGED)) RecalcClientRect(hwnd);
    if (!(w = WindowOf(hwnd))) return false;
    if (!w->IsChild() && sized) w->surface = std::make_shared<Bitmap>(pos.cx, pos.cy, 24, true);
    if (!(pos.flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
        InsertInZOrder(*w, insertAfter);
    }
    if (show) w->style |= WS_VISIBLE;
    if (hide) w->style &= ~WS_VISIBLE;
    const bool nowVisible = IsWindowVisible(hwnd);
    if (nowVisible && !(pos.flags & SWP_NOREDRAW) &&
        (sized || show || (pos.flags & SWP_FRAMECHANGED) || (moved && w->IsChild())))
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (hide && hwnd == GetActiveWindow() && !(pos.flags & SWP_NOACTIVATE)) {
        for (HWND h : TopLevelZOrder())
            if (h != hwnd && IsWindowVisible(h) && IsWindowEnabled(h)) {
                SetActiveWindow(h);
                break;
            }
    }
    if (hide && (GetFocus() == hwnd || IsChild(hwnd, GetFocus()))) {
        HWND parent = w->IsChild() ? w->parent : nullptr;
        SetFocus(parent);
    }
    if (WindowObject* again = WindowOf(hwnd); again && !again->IsChild())
        TopLevelChangedNotice(hwnd);
    pos.flags |= (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
    if (WindowOf(hwnd)) SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool ShowWindow(HWND hwnd, int cmd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w) return false;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool child = w->IsChild();
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible) return false;
        SendMessage(hwnd, WM_SHOWWINDOW, 0, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        return true;
    case SW_MAXIMIZE:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_RESTORE: return ChangeWindowState(hwnd, cmd), wasVisible;
    default: break;
    }
    const bool activate = !child && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE;
    if (!wasVisible) {
        SendMessage(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!WindowOf(hwnd)) return false;
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE) |
                         (child ? SWP_NOZORDER : 0));
    }
    if (activate && WindowOf(hwnd)) SetActiveWindow(hwnd);
    return wasVisible;
}

// ---------------------------------------------------------------- activation, focus, capture

HWND SetActiveWindow(HWND hwnd) {
    auto& t = Windows();
    const HWND old = t.active;
    if (hwnd) {
        hwnd = TopLevelOf(hwnd);
        if (!hwnd) return nullptr;
    }
    if (hwnd == old) return old;
    if (hwnd) {
        CBTACTIVATESTRUCT cbt{false, old};
        if (CallCbtHooks(HCBT_ACTIVATE, WPARAM(hwnd), LPARAM(&cbt)) != 0) return nullptr;
        if (!WindowOf(hwnd)) return nullptr;
    }
    if (WindowOf(old)) {
        SendMessage(old, WM_NCACTIVATE, 0, 0);
        if (WindowOf(old)) SendMessage(old, WM_ACTIVATE, MAKELONG(WA_INACTIVE, 0), LPARAM(hwnd));
    }
    if (!old && hwnd) {
        for (HWND h : std::vector<HWND>(TopLevelZOrder()))
            if (WindowOf(h)) SendMessage(h, WM_ACTIVATEAPP, 1, 0);
    }
    t.active = WindowOf(hwnd) ? hwnd : nullptr;
    if (t.active) {
        InsertInZOrder(*WindowOf(hwnd), HWND_TOP);
        TopLevelChangedNotice(hwnd);
        SendMessage(hwnd, WM_NCACTIVATE, 1, 0);
        if (WindowOf(hwnd))
            SendMessage(hwnd, WM_ACTIVATE, MAKELONG(WA_ACTIVE, IsIconic(hwnd)), LPARAM(old));
    } else if (old) {
        for (HWND h : std::vector<HWND>(TopLevelZOrder()))
            if (WindowOf(h)) SendMessage(h, WM_ACTIVATEAPP, 0, 0);
        SetFocus(nullptr);
    }
    return WindowOf(old) ? old : nullptr;
}

HWND GetActiveWindow() { return Windows().active; }
HWND GetForegroundWindow() { return Windows().active; }
bool SetForegroundWindow(HWND hwnd) {
    return SetActiveWindow(hwnd) != nullptr || GetActiveWindow() == TopLevelOf(hwnd);
}

HWND SetFocus(HWND hwnd) {
    auto& t = Windows();
    HWND old = t.focus;
    if (hwnd && !WindowOf(hwnd)) return nullptr;
    if (hwnd == old) return old;
    const HWND before = old;
    if (hwnd) {
        if (!IsWindowEnabled(hwnd)) return nullptr;
        if (CallCbtHooks(HCBT_SETFOCUS, WPARAM(hwnd), LPARAM(old)) != 0) return nullptr;
        const HWND top = TopLevelOf(hwnd);
        if (top != t.active) SetActiveWindow(top);
        if (!WindowOf(hwnd)) return nullptr;
        // Activation may have put the focus somewhere in the window already; the request
        // still decides where it ends up.
        if (t.focus == hwnd) return WindowOf(before) ? before : nullptr;
        old = t.focus;
    }
    t.focus = hwnd;
    if (WindowOf(old)) SendMessage(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (hwnd && WindowOf(hwnd) && t.focus == hwnd) SendMessage(hwnd, WM_SETFOCUS, WPARAM(old), 0);
    return WindowOf(before) ? before : nullptr;
}

HWND GetFocus() { return WindowOf(Windows().focus) ? Windows().focus : nullptr; }

HWND SetCapture(HWND hwnd) {
    auto& t = Windows();
    const HWND old = t.capture;
    if (!WindowOf(hwnd)) return nullptr;
    t.capture = hwnd;
    if (old && old != hwnd && WindowOf(old)) SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return old;
}

bool ReleaseCapture() {
    auto& t = Windows();
    const HWND old = t.capture;
    t.capture = nullptr;
    if (old && WindowOf(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() { return WindowOf(Windows().capture) ? Windows().capture : nullptr; }

// ---------------------------------------------------------------- hooks

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
    if (idHook != WH_CBT || !proc) return nullptr;
    HHOOK h = reinterpret_cast<HHOOK>(g_nextHook++);
    Hooks().insert(Hooks().begin(), HookEntry{h, idHook, proc});
    return h;
}

bool UnhookWindowsHookEx(HHOOK hook) {
    return std::erase_if(Hooks(), [&](const HookEntry& e) { return e.handle == hook; }) > 0;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    auto& hooks = Hooks();
    auto it = std::find_if(hooks.begin(), hooks.end(),
                           [&](const HookEntry& e) { return e.handle == hook; });
    if (it == hooks.end()) return 0;
    const int id = it->id;
    for (++it; it != hooks.end(); ++it)
        if (it->id == id) return it->proc(code, wParam, lParam);
    return 0;
}

// ---------------------------------------------------------------- minimize, maximize, restore

void ChangeWindowState(HWND hwnd, int cmd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || w->IsChild()) return;
    const bool minimized = (w->style & WS_MINIMIZE) != 0, maximized = (w->style & WS_MAXIMIZE) != 0;
    if (!minimized && !maximized) w->restoreRect = w->rect;
    if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINNOACTIVE) {
        if (minimized) return;
        w->style |= WS_MINIMIZE;
        w->style |= WS_VISIBLE;
        if (hwnd == GetActiveWindow()) {
            HWND next = nullptr;
            for (HWND h : TopLevelZOrder())
                if (h != hwnd && IsWindowVisible(h) && !IsIconic(h)) {
                    next = h;
                    break;
                }
            SetActiveWindow(next);
        }
        TopLevelChangedNotice(hwnd);
        SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        return;
    }
    if (cmd == SW_MAXIMIZE) {
        MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
        if (!(w = WindowOf(hwnd))) return;
        RECT work{};
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
        SetWindowPos(hwnd, HWND_TOP, work.left + mmi.ptMaxPosition.x,
                     work.top + mmi.ptMaxPosition.y, mmi.ptMaxSize.x, mmi.ptMaxSize.y,
                     SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        if (WindowOf(hwnd)) SetActiveWindow(hwnd);
        return;
    }
    // Restore: from minimized back to what it was, from maximized to the normal rectangle.
    if (minimized) {
        w->style &= ~WS_MINIMIZE;
        w->style |= WS_VISIBLE;
        TopLevelChangedNotice(hwnd);
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        SendMessage(hwnd, WM_SIZE, maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                    MAKELPARAM(WidthOf(w->client), HeightOf(w->client)));
    } else if (maximized) {
        w->style &= ~WS_MAXIMIZE;
        const RECT r = w->restoreRect;
        SetWindowPos(hwnd, nullptr, r.left, r.top, WidthOf(r), HeightOf(r),
                     SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    } else if (!(w->style & WS_VISIBLE)) {
        ShowWindow(hwnd, SW_SHOW);
        return;
    }
    if (WindowOf(hwnd)) SetActiveWindow(hwnd);
}

void RegisterClassOnce(std::string_view className, WNDPROC proc, UINT style, HBRUSH background,
                       HCURSOR cursor) {
    if (GetClassInfo(className, nullptr)) return;
    WNDCLASS wc;
    wc.lpszClassName = std::string(className);
    wc.lpfnWndProc = proc;
    wc.style = style;
    wc.hbrBackground = background;
    wc.hCursor = cursor;
    RegisterClass(wc);
}
