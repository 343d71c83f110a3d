// Menu objects: the handle table, items and their flags, the menu bar of a window and the
// system menu.
#include <cstring>
#include <set>
#include <unordered_map>

#include "platform/core/TextCodec.h"
#include "platform/menus/MenuInternal.h"
#include "platform/text/Text.h"
#include "platform/window/WindowInternal.h"
#include "platform/window/WindowObject.h"

namespace {

struct MenuTable {
    std::unordered_map<uintptr_t, std::unique_ptr<MenuObject>> byHandle;
    uintptr_t nextHandle = 0x20010;
    // System menus by window: created on first request.
    std::unordered_map<HWND, HMENU> systemMenus;
    // Windows whose menus go with them.
    std::set<HWND> watched;
};

MenuTable& Menus() {
    // Whoever makes or looks up a menu uses the menu layer, so it takes over the menu bar's
    // part of the non-client area here, once.
    static MenuTable t = [] {
        UseMenuNonClient();
        return MenuTable{};
    }();
    return t;
}

HMENU NewMenu(bool popup) {
    auto& t = Menus();
    auto object = std::make_unique<MenuObject>();
    object->handle = reinterpret_cast<HMENU>(t.nextHandle);
    object->popup = popup;
    t.nextHandle += 4;
    const HMENU h = object->handle;
    t.byHandle[reinterpret_cast<uintptr_t>(h)] = std::move(object);
    return h;
}

void DestroyMenuTree(HMENU menu, std::set<HMENU>& seen) {
    MenuObject* m = MenuOf(menu);
    if (!m || !seen.insert(menu).second) return;
    const std::vector<MenuItem> items = m->items;
    for (const MenuItem& item : items) DestroyMenuTree(item.subMenu, seen);
    MenuDestroyedNotice(menu);
    Menus().byHandle.erase(reinterpret_cast<uintptr_t>(menu));
}

// An MF_* item description turned into item fields.
MenuItem ItemFromFlags(UINT flags, uintptr_t newItem, const char* text) {
    MenuItem item;
    item.type = flags & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_MENUBREAK | MFT_MENUBARBREAK |
                         MFT_RIGHTJUSTIFY);
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (item.state & (MF_GRAYED | MF_DISABLED)) item.state |= MFS_GRAYED;
    if (flags & MF_POPUP)
        item.subMenu = reinterpret_cast<HMENU>(newItem);
    else
        item.id = UINT(newItem);
    if (flags & MF_OWNERDRAW)
        item.data = uintptr_t(text);
    else if (text && !(flags & MF_SEPARATOR))
        item.text = text;
    return item;
}

void ApplyInfo(MenuItem& item, const MENUITEMINFO& info) {
    if (info.fMask & (MIIM_FTYPE | MIIM_TYPE)) item.type = info.fType;
    if (info.fMask & MIIM_STATE) item.state = info.fState;
    if (info.fMask & MIIM_ID) item.id = info.wID;
    if (info.fMask & MIIM_SUBMENU) item.subMenu = info.hSubMenu;
    if (info.fMask & MIIM_DATA) item.data = info.dwItemData;
    if ((info.fMask & MIIM_STRING) ||
        ((info.fMask & MIIM_TYPE) && !(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW))))
        item.text = info.dwTypeData ? info.dwTypeData : "";
    item.measured = false;
}

MenuItem* ItemOf(HMENU menu, UINT item, UINT flags) {
    HMENU holder = nullptr;
    const int pos = FindMenuItem(menu, item, flags, &holder);
    return pos < 0 ? nullptr : &MenuOf(holder)->items[size_t(pos)];
}

// As in Win32, a window's menu bar and system menu are destroyed with the window.
void WatchWindow(HWND hwnd) {
    auto& t = Menus();
    if (!t.watched.insert(hwnd).second) return;
    AddWindowMessageHook(hwnd, [](HWND h, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_NCDESTROY) return false;
        auto& menus = Menus();
        menus.watched.erase(h);
        if (WindowObject* w = WindowOf(h); w && !w->IsChild() && w->menu) {
            const HMENU bar = w->menu;
            w->menu = nullptr;
            DestroyMenu(bar);
        }
        if (auto it = menus.systemMenus.find(h); it != menus.systemMenus.end()) {
            const HMENU sys = it->second;
            menus.systemMenus.erase(it);
            DestroyMenu(sys);
        }
        return false;
    });
}

} // namespace

MenuObject* MenuOf(HMENU menu) {
    auto& t = Menus().byHandle;
    auto it = t.find(reinterpret_cast<uintptr_t>(menu));
    return it == t.end() ? nullptr : it->second.get();
}

namespace {
int FindById(HMENU menu, UINT id, HMENU* owner, int depth) {
    MenuObject* m = MenuOf(menu);
    if (!m || depth > 32) return -1; // a menu that contains itself must not loop forever
    for (size_t i = 0; i < m->items.size(); ++i)
        if (!m->items[i].subMenu && m->items[i].id == id) {
            *owner = menu;
            return int(i);
        }
    for (size_t i = 0; i < m->items.size(); ++i)
        if (m->items[i].subMenu) {
            const int found = FindById(m->items[i].subMenu, id, owner, depth + 1);
            if (found >= 0) return found;
        }
    // A submenu item may be named by its id too, as in Win32.
    for (size_t i = 0; i < m->items.size(); ++i)
        if (m->items[i].subMenu && m->items[i].id == id && id != 0) {
            *owner = menu;
            return int(i);
        }
    return -1;
}
} // namespace

int FindMenuItem(HMENU menu, UINT item, UINT flags, HMENU* owner) {
    MenuObject* m = MenuOf(menu);
    if (!m) return -1;
    HMENU dummy = nullptr;
    if (!owner) owner = &dummy;
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size()) return -1;
        *owner = menu;
        return int(item);
    }
    return FindById(menu, item, owner, 0);
}

void WatchMenuWindow(HWND hwnd) { WatchWindow(hwnd); }

// ---------------------------------------------------------------- creation and items

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

bool DestroyMenu(HMENU menu) {
    if (!MenuOf(menu)) return false;
    std::set<HMENU> seen;
    DestroyMenuTree(menu, seen);
    for (auto it = Menus().systemMenus.begin(); it != Menus().systemMenus.end();)
        it = it->second == menu ? Menus().systemMenus.erase(it) : std::next(it);
    return true;
}

bool IsMenu(HMENU menu) { return MenuOf(menu) != nullptr; }

bool AppendMenu(HMENU menu, UINT flags, uintptr_t newItem, const char* text) {
    MenuObject* m = MenuOf(menu);
    if (!m) return false;
    m->items.push_back(ItemFromFlags(flags, newItem, text));
    return true;
}

bool InsertMenu(HMENU menu, UINT position, UINT flags, uintptr_t newItem, const char* text) {
    MenuObject* m = MenuOf(menu);
    if (!m) return false;
    HMENU holder = menu;
    int pos = FindMenuItem(menu, position, flags, &holder);
    if (pos < 0) { // Win32 appends when the position is past the end
        if (!(flags & MF_BYPOSITION)) return false;
        pos = int(m->items.size());
    }
    MenuObject* target = MenuOf(holder);
    target->items.insert(target->items.begin() + pos,
                         ItemFromFlags(flags & ~MF_BYPOSITION, newItem, text));
    return true;
}

bool ModifyMenu(HMENU menu, UINT position, UINT flags, uintptr_t newItem, const char* text) {
    MenuItem* item = ItemOf(menu, position, flags);
    if (!item) return false;
    const MenuItem fresh = ItemFromFlags(flags & ~MF_BYPOSITION, newItem, text);
    *item = fresh;
    return true;
}

bool RemoveMenu(HMENU menu, UINT position, UINT flags) {
    HMENU holder = nullptr;
    const int pos = FindMenuItem(menu, position, flags, &holder);
    if (pos < 0) return false;
    auto& items = MenuOf(holder)->items;
    items.erase(items.begin() + pos);
    return true;
}

bool DeleteMenu(HMENU menu, UINT position, UINT flags) {
    HMENU holder = nullptr;
    const int pos = FindMenuItem(menu, position, flags, &holder);
    if (pos < 0) return false;
    auto& items = MenuOf(holder)->items;
    const HMENU sub = items[size_t(pos)].subMenu;
    items.erase(items.begin() + pos);
    if (sub) DestroyMenu(sub);
    return true;
}

bool InsertMenuItem(HMENU menu, UINT position, bool byPosition, const MENUITEMINFO* info) {
    MenuObject* m = MenuOf(menu);
    if (!m || !info) return false;
    HMENU holder = menu;
    int pos = FindMenuItem(menu, position, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, &holder);
    if (pos < 0) {
        if (!byPosition) return false;
        pos = int(m->items.size());
    }
    MenuItem item;
    ApplyInfo(item, *info);
    MenuObject* target = MenuOf(holder);
    target->items.insert(target->items.begin() + pos, item);
    return true;
}

bool GetMenuItemInfo(HMENU menu, UINT position, bool byPosition, MENUITEMINFO* info) {
    const MenuItem* item =
        info ? ItemOf(menu, position, byPosition ? MF_BYPOSITION : MF_BYCOMMAND) : nullptr;
    if (!item) return false;
    if (info->fMask & (MIIM_FTYPE | MIIM_TYPE)) info->fType = item->type;
    if (info->fMask & MIIM_STATE) info->fState = item->state;
    if (info->fMask & MIIM_ID) info->wID = item->id;
    if (info->fMask & MIIM_SUBMENU) info->hSubMenu = item->subMenu;
    if (info->fMask & MIIM_DATA) info->dwItemData = item->data;
    if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
        if (info->dwTypeData && info->cch > 0) {
            const size_t n = std::min<size_t>(item->text.size(), info->cch - 1);
            std::memcpy(info->dwTypeData, item->text.data(), n);
            info->dwTypeData[n] = 0;
        }
        info->cch = UINT(item->text.size());
    }
    return true;
}

bool SetMenuItemInfo(HMENU menu, UINT position, bool byPosition, const MENUITEMINFO* info) {
    MenuItem* item =
        info ? ItemOf(menu, position, byPosition ? MF_BYPOSITION : MF_BYCOMMAND) : nullptr;
    if (!item) return false;
    ApplyInfo(*item, *info);
    return true;
}

int GetMenuItemCount(HMENU menu) {
    MenuObject* m = MenuOf(menu);
    return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int pos) {
    MenuObject* m = MenuOf(menu);
    if (!m || pos < 0 || size_t(pos) >= m->items.size() || m->items[size_t(pos)].subMenu)
        return UINT(-1);
    return m->items[size_t(pos)].id;
}

HMENU GetSubMenu(HMENU menu, int pos) {
    MenuObject* m = MenuOf(menu);
    if (!m || pos < 0 || size_t(pos) >= m->items.size()) return nullptr;
    return m->items[size_t(pos)].subMenu;
}

UINT GetMenuState(HMENU menu, UINT position, UINT flags) {
    const MenuItem* item = ItemOf(menu, position, flags);
    if (!item) return UINT(-1);
    UINT state = (item->state & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT)) |
                 (item->type & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_MENUBREAK | MFT_MENUBARBREAK |
                                MFT_RIGHTJUSTIFY));
    if (item->subMenu)
        state |= MF_POPUP | (UINT(std::min(GetMenuItemCount(item->subMenu), 255)) << 8);
    return state;
}

int GetMenuString(HMENU menu, UINT position, char* buffer, int size, UINT flags) {
    const MenuItem* item = ItemOf(menu, position, flags);
    if (!item) return 0;
    if (!buffer || size <= 0) return int(item->text.size());
    const size_t n = std::min<size_t>(item->text.size(), size_t(size) - 1);
    std::memcpy(buffer, item->text.data(), n);
    buffer[n] = 0;
    return int(n);
}

UINT EnableMenuItem(HMENU menu, UINT position, UINT enable) {
    MenuItem* item = ItemOf(menu, position, enable);
    if (!item) return UINT(-1);
    const UINT old = item->state & MFS_GRAYED;
    item->state =
        (item->state & ~MFS_GRAYED) | ((enable & (MF_GRAYED | MF_DISABLED)) ? MFS_GRAYED : 0);
    return old;
}

UINT CheckMenuItem(HMENU menu, UINT position, UINT check) {
    MenuItem* item = ItemOf(menu, position, check);
    if (!item) return UINT(-1);
    const UINT old = item->state & MFS_CHECKED;
    item->state = (item->state & ~MFS_CHECKED) | (check & MF_CHECKED);
    return old;
}

bool CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    MenuObject* m = MenuOf(menu);
    if (!m) return false;
    bool found = false;
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& item = m->items[i];
        const UINT key = (flags & MF_BYPOSITION) ? UINT(i) : item.id;
        if (key < first || key > last || item.subMenu) continue;
        if (key == check) {
            item.state |= MFS_CHECKED;
            item.type |= MFT_RADIOCHECK;
            found = true;
        } else {
            item.state &= ~MFS_CHECKED;
        }
    }
    return found;
}

bool SetMenuDefaultItem(HMENU menu, UINT position, bool byPosition) {
    MenuObject* m = MenuOf(menu);
    if (!m) return false;
    for (MenuItem& item : m->items) item.state &= ~MFS_DEFAULT;
    if (position == UINT(-1)) return true;
    MenuItem* item = ItemOf(menu, position, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!item) return false;
    item->state |= MFS_DEFAULT;
    return true;
}

bool HiliteMenuItem(HWND hwnd, HMENU menu, UINT position, UINT hilite) {
    MenuItem* item = ItemOf(menu, position, hilite);
    if (!item) return false;
    item->state = (item->state & ~MFS_HILITE) | (hilite & MF_HILITE);
    if (GetMenu(hwnd) == menu) RedrawMenuBar(hwnd);
    return true;
}

// ---------------------------------------------------------------- text helpers

std::string ItemLabel(const MenuItem& item) {
    const size_t tab = item.text.find('\t');
    return tab == std::string::npos ? item.text : item.text.substr(0, tab);
}

std::string ItemShortcut(const MenuItem& item) {
    const size_t tab = item.text.find('\t');
    return tab == std::string::npos ? std::string() : item.text.substr(tab + 1);
}

uint32_t ItemMnemonic(const MenuItem& item) { return MnemonicOf(ItemLabel(item)); }

HFONT CreateMenuFont() {
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirect(&metrics.lfMenuFont);
}

SIZE MeasureOwnerItem(HWND owner, const MenuItem& item) {
    MEASUREITEMSTRUCT mis;
    mis.CtlType = ODT_MENU;
    mis.itemID = item.id;
    mis.itemData = item.data;
    mis.itemHeight = UINT(GetSystemMetrics(SM_CYMENU));
    SendMessage(owner, WM_MEASUREITEM, 0, LPARAM(&mis));
    return SIZE{LONG(mis.itemWidth), LONG(mis.itemHeight)};
}

void DrawOwnerItem(HWND owner, HMENU menu, const MenuItem& item, HDC dc, const RECT& rect,
                   UINT odState) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_MENU;
    dis.itemID = item.id;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = odState;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = item.data;
    const int saved = SaveDC(dc);
    SendMessage(owner, WM_DRAWITEM, 0, LPARAM(&dis));
    RestoreDC(dc, saved);
}

// ---------------------------------------------------------------- the menu bar of a window

bool SetMenu(HWND hwnd, HMENU menu) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || w->IsChild() || (menu && !MenuOf(menu))) return false;
    w->menu = menu;
    if (menu) WatchWindow(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

HMENU GetMenu(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    return w && !w->IsChild() ? w->menu : nullptr;
}

bool DrawMenuBar(HWND hwnd) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || w->IsChild()) return false;
    // The number of lines may have changed: recompute the frame, which repaints it.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

// ---------------------------------------------------------------- the system menu

namespace {

struct SystemItem {
    UINT id;
    const char* text;
};

constexpr SystemItem kSystemItems[] = {
    {UINT(SC_RESTORE), "&Қалпына келтіру"},
    {UINT(SC_MOVE), "&Жылжыту"},
    {UINT(SC_SIZE), "&Өлшемі"},
    {UINT(SC_MINIMIZE), "&Кішірейту"},
    {UINT(SC_MAXIMIZE), "Ү&лкейту"},
    {0, nullptr},
    {UINT(SC_CLOSE), "Ж&абу\tAlt+F4"},
};

HMENU BuildSystemMenu() {
    HMENU menu = CreatePopupMenu();
    MenuOf(menu)->systemMenu = true;
    for (const SystemItem& item : kSystemItems) {
        if (!item.text)
            AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenu(menu, MF_STRING, item.id, item.text);
    }
    SetMenuDefaultItem(menu, UINT(SC_CLOSE), false);
    return menu;
}

} // namespace

void UpdateSystemMenu(HWND hwnd, HMENU menu) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || !MenuOf(menu)) return;
    const bool iconic = (w->style & WS_MINIMIZE) != 0, zoomed = (w->style & WS_MAXIMIZE) != 0;
    const bool sizable = (w->style & WS_THICKFRAME) != 0;
    auto enable = [&](WPARAM cmd, bool on) {
        EnableMenuItem(menu, UINT(cmd), on ? MF_ENABLED : MF_GRAYED);
    };
    enable(SC_RESTORE, iconic || zoomed);
    enable(SC_MOVE, !zoomed);
    enable(SC_SIZE, sizable && !iconic && !zoomed);
    enable(SC_MINIMIZE, (w->style & WS_MINIMIZEBOX) && !iconic);
    enable(SC_MAXIMIZE, (w->style & WS_MAXIMIZEBOX) && !zoomed);
    enable(SC_CLOSE, !(w->cls->wc.style & CS_NOCLOSE));
}

HMENU GetSystemMenu(HWND hwnd, bool revert) {
    WindowObject* w = WindowOf(hwnd);
    if (!w || w->IsChild()) return nullptr;
    auto& menus = Menus().systemMenus;
    auto it = menus.find(hwnd);
    if (it != menus.end() && !MenuOf(it->second)) {
        menus.erase(it);
        it = menus.end();
    }
    if (revert) {
        if (it != menus.end()) {
            DestroyMenu(it->second);
            menus.erase(hwnd);
        }
        return nullptr;
    }
    if (it == menus.end()) {
        it = menus.emplace(hwnd, BuildSystemMenu()).first;
        WatchWindow(hwnd);
    }
    UpdateSystemMenu(hwnd, it->second);
    return it->second;
}
