#include "TextbookCommands.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ScenarioPlayer.h"
#include "paint/sCommonData.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/controls/TreeView.h"
#include "platform/core/FileSystem.h"
#include "platform/image/PngFile.h"
#include "platform/menus/Menu.h"
#include "platform/window/InputInjection.h"
#include "platform/window/WindowSystem.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/MainMenu.h"
#include "toolkit/MenuItem.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"
#include "toolkit/TreeView.h"
#include "toolkit/WebBrowser.h"
#include "windows/sCaptionButtons.h"
#include "windows/sSkinProvider.h"

namespace {

using Args = std::vector<std::string>;
using Steps = ScenarioPlayer::Steps;

// How long a step waits for what the previous one set off (a menu opening) before it fails;
// and how many wheel turns may bring a node into view.
constexpr int kMaxWaitForMenuMs = 2000;
constexpr int kMaxWheelTurns = 200;

// ---------------------------------------------------------------- finding components

TComponent* FindOwned(const TComponent* owner, const std::string& name) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (c->Name() == name) return c;
        if (TComponent* below = FindOwned(c, name)) return below;
    }
    return nullptr;
}

std::vector<TForm*> ProgramForms() {
    if (!Application) throw ScenarioError("the program is not running");
    return Application->Forms();
}

TComponent* FindComponentNamed(const std::string& name) {
    const std::string unknown = "unknown component \"" + name + "\"";
    if (const size_t dot = name.find('.'); dot != std::string::npos) {
        const std::string formName = name.substr(0, dot);
        for (TForm* form : ProgramForms())
            if (form->Name() == formName) {
                if (TComponent* c = FindOwned(form, name.substr(dot + 1))) return c;
                break;
            }
        throw ScenarioError(unknown);
    }
    std::vector<TComponent*> found;
    for (TForm* form : ProgramForms()) {
        if (form->Name() == name)
            found.push_back(form);
        else if (TComponent* c = FindOwned(form, name))
            found.push_back(c);
    }
    if (found.empty()) throw ScenarioError(unknown);
    if (found.size() > 1)
        throw ScenarioError("\"" + name + "\" names components of several forms; write FORM." +
                            name);
    return found.front();
}

template <typename T>
T* FindAs(const std::string& name, const char* what) {
    TComponent* c = FindComponentNamed(name);
    if (auto* t = dynamic_cast<T*>(c)) return t;
    throw ScenarioError("\"" + name + "\" is a " + c->ClassName() + ", not " + what);
}

TForm* FindForm(const std::string& name) {
    for (TForm* form : ProgramForms())
        if (form->Name() == name) return form;
    throw ScenarioError("unknown form \"" + name + "\"");
}

// ---------------------------------------------------------------- where things are on screen

RECT ScreenClientRect(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return Rect(origin.x, origin.y, origin.x + client.right, origin.y + client.bottom);
}

// The part of the control that its parents let show, in screen coordinates.
RECT VisibleScreenRect(TControl* c) {
    RECT r{};
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) {
        GetWindowRect(w->Handle(), &r);
    } else if (TWinControl* parent = c->Parent()) {
        const POINT o = parent->ClientToScreen(POINT{c->Left(), c->Top()});
        r = Rect(o.x, o.y, o.x + c->Width(), o.y + c->Height());
    }
    for (TWinControl* p = c->Parent(); p && p->HandleAllocated(); p = p->Parent())
        if (!IntersectRect(r, r, ScreenClientRect(p->Handle()))) return RECT{};
    return r;
}

POINT CentreOf(const std::string& name) {
    auto* control = FindAs<TControl>(name, "a control");
    if (!control->Showing()) throw ScenarioError("\"" + name + "\" is hidden");
    const RECT r = VisibleScreenRect(control);
    if (r.right <= r.left || r.bottom <= r.top)
        throw ScenarioError("\"" + name + "\" has no visible area");
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT CentreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Where a form's caption icon sits: just inside the frame's left border, half way down the
// caption bar.
POINT CaptionIconPoint(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    const int border = ClientRectInWindow(hwnd).left;
    return POINT{window.left + border + 4,
                 window.top + border + GetSystemMetrics(SM_CYCAPTION) / 2};
}

// A press and its release are separate steps, so that what the press starts (a menu loop,
// capture) is in place when the release comes.
Steps ClickSteps(POINT p) {
    return {{[p] {
                QueueMouseMove(p);
                QueueMouseButton(p, MouseButton::Left, true);
            }},
            {[p] { QueueMouseButton(p, MouseButton::Left, false); }}};
}

// ---------------------------------------------------------------- menus

// The item's place in its window-system menu, where hidden items take none.
int MenuPosition(const TMenuItem* item) {
    const TMenuItem* parent = item->Parent();
    int position = 0;
    for (int i = 0; i < parent->Count() && parent->Items(i) != item; ++i)
        position += parent->Items(i)->Visible();
    return position;
}

struct MenuPath {
    HWND window = nullptr;
    std::vector<const TMenuItem*> items; // from the menu bar down to the item
};

MenuPath MenuPathOf(const std::string& name) {
    auto* item = FindAs<TMenuItem>(name, "a menu item");
    MenuPath path;
    for (const TMenuItem* i = item; i && i->Parent(); i = i->Parent())
        path.items.insert(path.items.begin(), i);
    for (const TMenuItem* i : path.items)
        if (!i->Visible()) throw ScenarioError("\"" + i->Name() + "\" is hidden");
    auto* form = dynamic_cast<TForm*>(item->Owner());
    if (path.items.empty() || !form || !form->Menu())
        throw ScenarioError("\"" + name + "\" is not an item of a form's main menu");
    if (!form->Showing()) throw ScenarioError("\"" + form->Name() + "\" is hidden");
    path.window = form->Handle();
    return path;
}

// The window-system menu that holds the item at `level` of the path (0: the menu bar).
HMENU MenuAtLevel(const MenuPath& path, size_t level) {
    HMENU menu = GetMenu(path.window);
    for (size_t i = 0; i < level && menu; ++i) menu = GetSubMenu(menu, MenuPosition(path.items[i]));
    return menu;
}

// Clicks the item at `level` of the path once its menu is open, then goes on one level down;
// an item whose menu has not opened yet is waited for on the virtual clock.
ScenarioPlayer::Step MenuLevelStep(ScenarioPlayer& player, std::shared_ptr<MenuPath> path,
                                   size_t level, int waited = 0) {
    return {[&player, path, level, waited] {
        if (level == path->items.size()) {
            // The last item has a submenu: it is left open for the next commands.
            return;
        }
        const TMenuItem* item = path->items[level];
        const HMENU menu = MenuAtLevel(*path, level);
        RECT r{};
        const bool bar = level == 0;
        if (!menu ||
            !GetMenuItemRect(bar ? path->window : nullptr, menu, UINT(MenuPosition(item)), &r)) {
            if (bar || waited >= kMaxWaitForMenuMs)
                throw ScenarioError("the menu that holds \"" + item->Name() + "\" did not open");
            Sleep(1);
            player.PlayNext({MenuLevelStep(player, path, level, waited + 1)});
            return;
        }
        Steps steps = ClickSteps(CentreOf(r));
        if (item->Count() > 0) steps.push_back(MenuLevelStep(player, path, level + 1));
        player.PlayNext(std::move(steps));
    }};
}

// ---------------------------------------------------------------- tree nodes

TTreeNode* NodeAt(TTreeView* tree, const std::string& name, int index) {
    TTreeNode* node =
        index >= 0 && index < tree->Items().Count() ? tree->Items().Item(index) : nullptr;
    if (!node) throw ScenarioError("\"" + name + "\" has no node " + std::to_string(index));
    return node;
}

// One move towards selecting the node: bring the next node that needs a click into view with
// the wheel, then click its button (a collapsed parent) or its text (the node itself).
ScenarioPlayer::Step SelectStep(ScenarioPlayer& player, TTreeView* tree, int index, int turns = 0) {
    return {[&player, tree, index, turns] {
        TTreeNode* node = tree->Items().Item(index);
        std::vector<TTreeNode*> parents;
        for (TTreeNode* p = node->Parent(); p; p = p->Parent()) parents.insert(parents.begin(), p);
        TTreeNode* target = node;
        for (TTreeNode* p : parents)
            if (!p->Expanded()) {
                target = p;
                break;
            }
        const HWND hwnd = tree->Handle();
        RECT label{};
        // The request names its item in the rectangle's first bytes.
        const HTREEITEM item = target->ItemId();
        std::memcpy(static_cast<void*>(&label), &item, sizeof item);
        if (!SendMessage(hwnd, TVM_GETITEMRECT, 1, LPARAM(&label)))
            throw ScenarioError("the node " + std::to_string(target->AbsoluteIndex()) +
                                " is not in the tree's window");
        RECT client{};
        GetClientRect(hwnd, &client);
        const RECT screen = ScreenClientRect(hwnd);
        if (label.top < 0 || label.bottom > client.bottom) {
            if (turns >= kMaxWheelTurns)
                throw ScenarioError("the node " + std::to_string(target->AbsoluteIndex()) +
                                    " does not scroll into view");
            const POINT over = CentreOf(screen);
            const int delta = label.top < 0 ? WHEEL_DELTA : -WHEEL_DELTA;
            player.PlayNext({{[over, delta] {
                                 QueueMouseMove(over);
                                 QueueMouseWheel(over, delta);
                             }},
                             SelectStep(player, tree, index, turns + 1)});
            return;
        }
        const int y = screen.top + (label.top + label.bottom) / 2;
        if (target != node) {
            // The expand button sits in the indent just left of the text.
            const int indent = int(SendMessage(hwnd, TVM_GETINDENT, 0, 0));
            Steps steps = ClickSteps(POINT{screen.left + label.left - 3 - indent / 2, y});
            steps.push_back(SelectStep(player, tree, index, turns));
            player.PlayNext(std::move(steps));
            return;
        }
        // A long text runs past the window's edge: the click goes to the part that shows.
        const int right = std::min(label.right, client.right);
        player.PlayNext(ClickSteps(POINT{screen.left + (label.left + right) / 2, y}));
    }};
}

// ---------------------------------------------------------------- properties

std::string Bool(bool b) { return b ? "true" : "false"; }

// The text of the tree's first visible node, empty without one.
std::string FirstVisibleNodeText(TTreeView& tree) {
    if (!tree.HandleAllocated()) return "";
    const HWND h = tree.Handle();
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessage(h, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    if (!item) return "";
    char text[256] = {};
    TVITEM info;
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = int(sizeof text);
    SendMessage(h, TVM_GETITEMA, 0, LPARAM(&info));
    return text;
}

// The caption buttons a skinned form shows, as "Close=L,T,R,B/STATE" in screen coordinates
// (STATE 0 normal, 1 hot, 2 pressed), right to left; "none" without any.
std::string CaptionButtonsOf(TForm& form) {
    TsSkinProvider* provider = TsSkinProvider::OfForm(&form);
    if (!provider || !form.HandleAllocated()) return "none";
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    TsCaptionButtons& buttons = provider->CaptionButtons();
    const std::pair<const char*, const TsFrameButton*> all[] = {{"Close", &buttons.Close},
                                                                {"Maximize", &buttons.Maximize},
                                                                {"Minimize", &buttons.Minimize},
                                                                {"Help", &buttons.Help}};
    std::string text;
    for (const auto& [name, b] : all) {
        const RECT r = b->Rect;
        if (r.right <= r.left) continue;
        text += (text.empty() ? "" : " ") + std::string(name) + '=' +
                std::to_string(window.left + r.left) + ',' + std::to_string(window.top + r.top) +
                ',' + std::to_string(window.left + r.right) + ',' +
                std::to_string(window.top + r.bottom) + '/' + std::to_string(b->State);
    }
    return text.empty() ? "none" : text;
}

// A skin manager's properties; nothing for a property it does not have.
std::optional<std::string> SkinManagerProperty(const TsSkinManager& m, const std::string& prop) {
    if (prop == "SkinName") return m.SkinName();
    if (prop == "HueOffset") return std::to_string(m.HueOffset());
    if (prop == "Saturation") return std::to_string(m.Saturation());
    if (prop == "Active") return Bool(m.Active());
    if (prop == "SkinInfo") return m.SkinInfo();
    return std::nullopt;
}

std::string PropertyOf(TComponent* c, const std::string& name, const std::string& prop) {
    if (auto* manager = dynamic_cast<TsSkinManager*>(c))
        if (auto value = SkinManagerProperty(*manager, prop)) return *value;
    auto* control = dynamic_cast<TControl*>(c);
    auto* item = dynamic_cast<TMenuItem*>(c);
    auto* timer = dynamic_cast<TTimer*>(c);
    if (prop == "ClassName") return c->ClassName();
    if (prop == "Visible") {
        if (control) return Bool(control->Visible());
        if (item) return Bool(item->Visible());
    }
    if (prop == "Enabled") {
        if (control) return Bool(control->Enabled());
        if (item) return Bool(item->Enabled());
        if (timer) return Bool(timer->Enabled());
    }
    if (control) {
        if (prop == "ScreenRect") {
            const RECT r = VisibleScreenRect(control);
            return std::to_string(r.left) + ',' + std::to_string(r.top) + ',' +
                   std::to_string(r.right) + ',' + std::to_string(r.bottom);
        }
        if (prop == "Left") return std::to_string(control->Left());
        if (prop == "Top") return std::to_string(control->Top());
        if (prop == "Width") return std::to_string(control->Width());
        if (prop == "Height") return std::to_string(control->Height());
    }
    if (prop == "Caption" || prop == "Text") {
        if (auto* bar = dynamic_cast<TStatusBar*>(c)) {
            std::string text;
            for (int i = 0; i < bar->PanelCount(); ++i)
                text += (i ? " | " : "") + bar->Panel(i).Text;
            return text;
        }
        if (control) return control->Caption();
        if (item) return item->Caption();
    }
    if (prop == "Down") {
        if (auto* button = dynamic_cast<TSpeedButton*>(c)) return Bool(button->Down());
    }
    if (prop == "Checked" && item) return Bool(item->Checked());
    if (auto* tree = dynamic_cast<TTreeView*>(c); tree && prop == "TopItem")
        return FirstVisibleNodeText(*tree);
    if (auto* form = dynamic_cast<TForm*>(c)) {
        static const char* const states[] = {"wsNormal", "wsMinimized", "wsMaximized"};
        if (prop == "WindowState") return states[form->WindowState()];
        if (prop == "CaptionButtons") return CaptionButtonsOf(*form);
    }
    if (prop == "SkinSection")
        if (const TsCommonData* skinData = TsCommonData::Of(c)) return skinData->SkinSection();
    static const char* const known[] = {"Visible",     "Enabled",     "Left",          "Top",
                                        "Width",       "Height",      "Caption",       "Text",
                                        "Down",        "ClassName",   "Checked",       "SkinName",
                                        "HueOffset",   "Saturation",  "Active",        "SkinInfo",
                                        "SkinSection", "WindowState", "CaptionButtons"};
    for (const char* k : known)
        if (prop == k)
            throw ScenarioError("\"" + name + "\" (" + c->ClassName() + ") has no " + prop);
    throw ScenarioError("unknown property \"" + prop + "\"");
}

// The skin commands change the main window's skin manager as its properties would be set.
constexpr const char* kSkinManagerName = "sSkinManager1";
constexpr int kMaxHueOffset = 360;
constexpr int kMaxSaturation = 100;

ScenarioPlayer::Steps OnSkinManager(std::function<void(TsSkinManager&)> change) {
    return {{[change] { change(*FindAs<TsSkinManager>(kSkinManagerName, "a skin manager")); }}};
}

void RegisterSkinCommands(ScenarioPlayer& player) {
    // The name is the rest of the line, its words joined by one blank ("Pavo (internal)").
    player.Register("skin", [](const Args& args) -> Steps {
        if (args.empty()) throw ScenarioError("expected a skin name");
        std::string name = args[0];
        for (size_t i = 1; i < args.size(); ++i) name += ' ' + args[i];
        return OnSkinManager([name](TsSkinManager& m) { m.SetSkinName(name); });
    });
    player.Register("hue", [](const Args& args) -> Steps {
        if (args.size() != 1) throw ScenarioError("expected N");
        const int value = ScenarioInt(args[0], "N", -kMaxHueOffset, kMaxHueOffset);
        return OnSkinManager([value](TsSkinManager& m) { m.SetHueOffset(value); });
    });
    player.Register("saturation", [](const Args& args) -> Steps {
        if (args.size() != 1) throw ScenarioError("expected N");
        const int value = ScenarioInt(args[0], "N", -kMaxSaturation, kMaxSaturation);
        return OnSkinManager([value](TsSkinManager& m) { m.SetSaturation(value); });
    });
    for (const bool on : {false, true})
        player.Register(on ? "skinon" : "skinoff", [on](const Args& args) -> Steps {
            if (!args.empty()) throw ScenarioError("expected no arguments");
            return OnSkinManager([on](TsSkinManager& m) { m.SetActive(on); });
        });
}

std::string FormNameOf(HWND hwnd) {
    if (!Application) return "-";
    for (TForm* form : Application->Forms())
        if (form->HandleAllocated() && form->Handle() == hwnd) return form->Name();
    return "-";
}

} // namespace

void RegisterTextbookCommands(ScenarioPlayer& player, std::ostream& out) {
    player.SetWindowNamer(FormNameOf);
    RegisterSkinCommands(player);

    const ScenarioPlayer::CommandParser clickAt = player.Parser("click");
    player.Register("click", [&player, clickAt](const Args& args) -> Steps {
        if (args.size() != 1) return clickAt(args);
        const std::string name = args[0];
        return {{[&player, name] { player.PlayNext(ClickSteps(CentreOf(name))); }}};
    });
    const ScenarioPlayer::CommandParser moveTo = player.Parser("move");
    player.Register("move", [moveTo](const Args& args) -> Steps {
        if (args.size() != 1) return moveTo(args);
        const std::string name = args[0];
        return {{[name] { QueueMouseMove(CentreOf(name)); }}};
    });
    player.Register("menu", [&player](const Args& args) -> Steps {
        if (args.size() != 1) throw ScenarioError("expected a menu item's name");
        const std::string name = args[0];
        return {{[&player, name] {
            auto path = std::make_shared<MenuPath>(MenuPathOf(name));
            player.PlayNext({MenuLevelStep(player, path, 0)});
        }}};
    });
    // Clicks the form's caption icon, which opens its system menu.
    player.Register("sysmenu", [&player](const Args& args) -> Steps {
        if (args.size() != 1) throw ScenarioError("expected FORMNAME");
        const std::string formName = args[0];
        return {{[&player, formName] {
            TForm* form = FindForm(formName);
            if (!form->Showing()) throw ScenarioError("\"" + formName + "\" is hidden");
            player.PlayNext(ClickSteps(CaptionIconPoint(form->Handle())));
        }}};
    });
    player.Register("select", [&player](const Args& args) -> Steps {
        if (args.size() != 2) throw ScenarioError("expected NAME INDEX");
        const std::string name = args[0];
        const int index = ScenarioInt(args[1], "INDEX", 0, 1 << 20);
        return {{[&player, name, index] {
            auto* tree = FindAs<TTreeView>(name, "a tree view");
            NodeAt(tree, name, index);
            if (!tree->Showing()) throw ScenarioError("\"" + name + "\" is hidden");
            player.PlayNext({SelectStep(player, tree, index)});
        }}};
    });
    player.Register("get", [&out](const Args& args) -> Steps {
        if (args.size() != 2) throw ScenarioError("expected NAME PROP");
        const std::string name = args[0], prop = args[1];
        return {{[&out, name, prop] {
            const std::string value = PropertyOf(FindComponentNamed(name), name, prop);
            out << name << '.' << prop << '=' << value << '\n';
            out.flush();
        }}};
    });
    player.Register("url", [&out](const Args& args) -> Steps {
        if (args.size() != 1) throw ScenarioError("expected NAME");
        const std::string name = args[0];
        return {{[&out, name] {
            auto* browser = FindAs<TWebBrowser>(name, "an HTML view");
            out << name << ".url=" << (browser->View() ? browser->View()->CurrentPath() : "")
                << '\n';
            out.flush();
        }}};
    });
    const ScenarioPlayer::CommandParser shotScreen = player.Parser("shot");
    player.Register("shot", [shotScreen](const Args& args) -> Steps {
        if (args.size() != 2) return shotScreen(args);
        const std::string file = args[0], formName = args[1];
        return {{[file, formName] {
            TForm* form = FindForm(formName);
            if (!form->HandleAllocated()) throw ScenarioError("\"" + formName + "\" has no window");
            std::string error;
            if (!SavePNG(WindowShot(form->Handle()), WindowsPath(file), &error))
                throw ScenarioError("cannot write \"" + file + "\": " + error);
        }}};
    });
}
