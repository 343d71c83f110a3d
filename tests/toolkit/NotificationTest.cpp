// The toolkit's notifications, each where it is sent and with what it carries: the mouse
// entering and leaving windowed and windowless controls (through the input queue), showing
// changes, menu changes, the hint about to show, focus entering and leaving controls of a
// form, and a pop-up menu closing; and a pop-up menu destroyed while it is shown.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ControlTestFixture.h"
#include "platform/controls/HintWindow.h"
#include "platform/menus/Menu.h"
#include "toolkit/Label.h"
#include "toolkit/MainMenu.h"
#include "toolkit/Panel.h"
#include "toolkit/PopupMenu.h"

namespace {

class NotificationTest : public ControlTest {
  protected:
    void TearDown() override {
        Headless()->SetDriver(nullptr);
        ControlTest::TearDown();
    }
    // Notes every message `msg` the control gets, as "<name> <what>", what being `describe`'s.
    void Listen(TControl* control, const std::string& name, UINT msg,
                std::function<std::string(const TMessage&)> describe) {
        control->WindowProc = [this, previous = control->WindowProc, name, msg,
                               describe](TMessage& m) {
            if (m.Msg == msg) log_.push_back(name + " " + describe(m));
            previous(m);
        };
    }
    std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }

    std::vector<std::string> log_;
};

// ---------------------------------------------------------------- mouse enter and leave

TEST_F(NotificationTest, TheMouseEntersAndLeavesWindowedAndWindowlessControlsThroughTheQueue) {
    TForm* form = MakeForm(300, 200);
    auto* panel = Child<TPanel>(form, 50, 50, 150, 100);
    auto* label = Child<TLabel>(panel, 10, 10, 50, 20);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 50, 20);
    ShowAndSettle(form);
    std::map<LPARAM, std::string> names{
        {LPARAM(form), "form"}, {LPARAM(panel), "panel"}, {LPARAM(label), "label"}};
    const auto named = [&names](const TMessage& m) { return names[m.LParam]; };
    for (auto [control, name] :
         std::vector<std::pair<TControl*, std::string>>{{form, "form"}, {panel, "panel"}}) {
        Listen(control, name, CM_MOUSEENTER,
               [named](const TMessage& m) { return "CM_MOUSEENTER " + named(m); });
        Listen(control, name, CM_MOUSELEAVE,
               [named](const TMessage& m) { return "CM_MOUSELEAVE " + named(m); });
    }
    for (auto [control, name] : std::vector<std::pair<TControl*, std::string>>{
             {form, "form"}, {panel, "panel"}, {label, "label"}}) {
        control->OnMouseEnter = [this, name](TComponent*) {
            log_.push_back(name + " OnMouseEnter");
        };
        control->OnMouseLeave = [this, name](TComponent*) {
            log_.push_back(name + " OnMouseLeave");
        };
    }

    struct Step {
        const char* what;
        POINT to;
        std::vector<std::string> expected;
    };
    const std::vector<Step> steps = {
        {"onto the form",
         ScreenPoint(form, 10, 10),
         {"form CM_MOUSEENTER form", "form OnMouseEnter"}},
        {"within the form", ScreenPoint(form, 20, 12), {}},
        // The panel's window takes the mouse from the form's: the form hears it leave, then
        // that the panel was entered.
        {"onto the panel",
         ScreenPoint(panel, 100, 80),
         {"form CM_MOUSELEAVE form", "form OnMouseLeave", "panel CM_MOUSEENTER panel",
          "panel OnMouseEnter", "form CM_MOUSEENTER panel"}},
        // A windowless child is entered within its parent's window: the panel is not left.
        {"onto the label",
         ScreenPoint(label, 5, 5),
         {"label OnMouseEnter", "panel CM_MOUSEENTER label"}},
        {"back onto the panel",
         ScreenPoint(panel, 100, 80),
         {"label OnMouseLeave", "panel CM_MOUSELEAVE label"}},
        {"off every window",
         POINT{1200, 900},
         {"panel CM_MOUSELEAVE panel", "panel OnMouseLeave", "form CM_MOUSELEAVE panel"}},
        {"onto the label from outside",
         ScreenPoint(label, 5, 5),
         {"panel CM_MOUSEENTER panel", "panel OnMouseEnter", "form CM_MOUSEENTER panel",
          "label OnMouseEnter", "panel CM_MOUSEENTER label"}},
        {"off again",
         POINT{1200, 900},
         {"label OnMouseLeave", "panel CM_MOUSELEAVE label", "panel CM_MOUSELEAVE panel",
          "panel OnMouseLeave", "form CM_MOUSELEAVE panel"}},
    };
    MouseMoveTo(POINT{1200, 900});
    TakeLog();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        MouseMoveTo(step.to);
        EXPECT_EQ(TakeLog(), step.expected);
    }
}

// ---------------------------------------------------------------- showing

TEST_F(NotificationTest, ShowingChangesAreToldToEveryWindowedControlWhoseShowingChanged) {
    TForm* form = MakeForm(300, 200);
    auto* outer = Child<TPanel>(form, 10, 10, 200, 150);
    auto* inner = Child<TPanel>(outer, 10, 10, 50, 50);
    auto* hidden = Child<TPanel>(outer, 70, 10, 50, 50);
    hidden->Hide();
    Child<TLabel>(outer, 130, 10, 30, 20);
    const auto state = [](const TMessage& m) {
        return std::string(m.WParam ? "showing" : "not showing");
    };
    Listen(form, "form", CM_SHOWINGCHANGED, state);
    Listen(outer, "outer", CM_SHOWINGCHANGED, state);
    Listen(inner, "inner", CM_SHOWINGCHANGED, state);
    Listen(hidden, "hidden", CM_SHOWINGCHANGED, state);

    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> expected;
    };
    const std::vector<Step> steps = {
        {"the form shows",
         [&] { ShowAndSettle(form); },
         {"form showing", "outer showing", "inner showing"}},
        {"the outer panel hides",
         [&] { outer->Hide(); },
         {"outer not showing", "inner not showing"}},
        {"a child of a hidden panel shows", [&] { hidden->Show(); }, {}},
        {"the outer panel shows",
         [&] { outer->Show(); },
         {"outer showing", "inner showing", "hidden showing"}},
        {"the inner panel leaves its parent",
         [&] { inner->SetParent(nullptr); },
         {"inner not showing"}},
        {"and comes back", [&] { inner->SetParent(outer); }, {"inner showing"}},
        {"the form hides",
         [&] { form->Hide(); },
         {"form not showing", "outer not showing", "hidden not showing", "inner not showing"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(TakeLog(), step.expected);
    }
}

// ---------------------------------------------------------------- menus

TEST_F(NotificationTest, TheFormIsToldOfItsMenuAndOfChangesToIt) {
    TForm* form = MakeForm(300, 200);
    auto* menu = form->Make<TMainMenu>();
    auto* file = form->Make<TMenuItem>();
    file->SetCaption("Файл");
    menu->Items().Add(file);
    ShowAndSettle(form);
    Listen(form, "form", CM_MENUCHANGED,
           [](const TMessage& m) { return m.WParam ? "rebuilt" : "changed"; });
    form->SetMenu(menu);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"form changed"});
    file->SetCaption("Құжат"); // updated in place
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"form changed"});
    auto* help = form->Make<TMenuItem>();
    help->SetCaption("Анықтама");
    menu->Items().Add(help); // the bar's entries are put in again
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"form rebuilt"});
    form->SetMenu(nullptr);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"form changed"});
}

// ---------------------------------------------------------------- hints

TEST_F(NotificationTest, TheControlMayMoveChangeOrRefuseItsHintBeforeItShows) {
    TForm* form = MakeForm(300, 200);
    auto* label = Child<TLabel>(form, 40, 30, 80, 20);
    label->SetAutoSize(false);
    label->SetBounds(40, 30, 80, 20);
    label->SetHint("Бастапқы");
    label->SetShowHint(true);
    ShowAndSettle(form);
    THintInfo seen;
    bool refuse = false;
    label->WindowProc = [&, previous = label->WindowProc](TMessage& m) {
        if (m.Msg != CM_HINTSHOW) return previous(m);
        auto* info = reinterpret_cast<THintInfo*>(m.LParam);
        seen = *info;
        info->HintStr = "Жаңа";
        info->HintPos = POINT{400, 300};
        m.Result = refuse ? 1 : 0;
    };
    const POINT at = ScreenPoint(label, 5, 6);
    MouseMoveTo(at);
    AdvanceClock(600); // past the hint's pause
    EXPECT_EQ(seen.HintControl, label);
    EXPECT_EQ(seen.HintStr, "Бастапқы");
    EXPECT_EQ(seen.CursorPos.x, 5);
    EXPECT_EQ(seen.CursorPos.y, 6);
    // Where it would have shown: 20 pixels below the cursor.
    EXPECT_EQ(seen.HintPos.x, at.x);
    EXPECT_EQ(seen.HintPos.y, at.y + 20);
    const HWND hint = HintWindowHandle();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint));
    EXPECT_EQ(GetWindowText(hint), "Жаңа");
    RECT r{};
    GetWindowRect(hint, &r);
    EXPECT_EQ(r.left, 400);
    EXPECT_EQ(r.top, 300);

    // Refused: the mouse leaves and comes back, and no hint shows.
    refuse = true;
    MouseMoveTo(POINT{1200, 900});
    EXPECT_FALSE(IsWindowVisible(hint));
    MouseMoveTo(at);
    AdvanceClock(600);
    EXPECT_FALSE(IsWindowVisible(hint));
}

TEST_F(NotificationTest, AWindowedControlsHintShowsOverItAndGivesWayToItsChildrens) {
    TForm* form = MakeForm(300, 200);
    auto* panel = Child<TPanel>(form, 20, 20, 200, 120);
    panel->SetHint("Панель");
    panel->SetShowHint(true);
    auto* label = Child<TLabel>(panel, 10, 10, 80, 20);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 80, 20);
    label->SetHint("Жазу");
    label->SetShowHint(true);
    ShowAndSettle(form);
    std::vector<std::string> asked;
    for (TControl* c : std::vector<TControl*>{panel, label})
        c->WindowProc = [&asked, previous = c->WindowProc](TMessage& m) {
            if (m.Msg == CM_HINTSHOW)
                asked.push_back(reinterpret_cast<THintInfo*>(m.LParam)->HintStr);
            previous(m);
        };
    const auto shownText = [] {
        const HWND hint = HintWindowHandle();
        return hint && IsWindowVisible(hint) ? GetWindowText(hint) : std::string("(none)");
    };
    struct Step {
        const char* what;
        POINT to;
        std::string shown;
    };
    for (const Step& step :
         std::vector<Step>{{"over the panel", ScreenPoint(panel, 150, 90), "Панель"},
                           {"over its label", ScreenPoint(label, 5, 5), "Жазу"},
                           {"back over the panel", ScreenPoint(panel, 150, 100), "Панель"},
                           {"over the form", ScreenPoint(form, 250, 180), "(none)"}}) {
        SCOPED_TRACE(step.what);
        MouseMoveTo(step.to);
        EXPECT_EQ(shownText(), "(none)"); // not before the pause
        AdvanceClock(600);
        EXPECT_EQ(shownText(), step.shown);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"Панель", "Жазу", "Панель"}));
}

TEST_F(NotificationTest, AHintPendingForAControlThatWentNeverShows) {
    TForm* form = MakeForm(300, 200);
    auto* label = Child<TLabel>(form, 40, 30, 80, 20);
    label->SetAutoSize(false);
    label->SetBounds(40, 30, 80, 20);
    label->SetHint("Кетеді");
    label->SetShowHint(true);
    ShowAndSettle(form);
    MouseMoveTo(ScreenPoint(label, 5, 5));
    delete label;
    AdvanceClock(600); // the hint's pause ends after the label has gone
    const HWND hint = HintWindowHandle();
    EXPECT_TRUE(!hint || !IsWindowVisible(hint));
}

// ---------------------------------------------------------------- focus

TEST_F(NotificationTest, FocusMovesTellTheControlsLeftAndEnteredUpToTheOneHoldingBoth) {
    TForm* form = MakeForm(300, 200);
    auto* group = Child<TPanel>(form, 10, 10, 200, 100);
    auto* first = Child<TPanel>(group, 10, 10, 50, 50);
    auto* second = Child<TPanel>(group, 70, 10, 50, 50);
    auto* alone = Child<TPanel>(form, 220, 10, 50, 50);
    ShowAndSettle(form);
    for (auto [control, name] : std::vector<std::pair<TControl*, std::string>>{{form, "form"},
                                                                               {group, "group"},
                                                                               {first, "first"},
                                                                               {second, "second"},
                                                                               {alone, "alone"}}) {
        Listen(control, name, CM_ENTER, [](const TMessage&) { return "enter"; });
        Listen(control, name, CM_EXIT, [](const TMessage&) { return "exit"; });
    }
    struct Step {
        TWinControl* to;
        std::vector<std::string> expected;
    };
    const std::vector<Step> steps = {
        {first, {"group enter", "first enter"}},
        {second, {"first exit", "second enter"}},
        {alone, {"second exit", "group exit", "alone enter"}},
        {group, {"alone exit", "group enter"}},
        {first, {"first enter"}},
        {group, {"first exit"}},
        {group, {}},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        steps[i].to->SetFocus();
        EXPECT_EQ(TakeLog(), steps[i].expected);
        EXPECT_EQ(form->FocusedControl(), steps[i].to);
    }
    // A focused control that goes is forgotten: the next one is entered with its parents.
    alone->SetFocus();
    TakeLog();
    delete alone;
    EXPECT_EQ(form->FocusedControl(), nullptr);
    first->SetFocus();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"group enter", "first enter"}));
    // The window system gives the focus of a child that goes to its parent, which was
    // entered already.
    delete first;
    EXPECT_EQ(form->FocusedControl(), group);
    second->SetFocus();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"second enter"}));
}

// ---------------------------------------------------------------- pop-up menus

class PopupTest : public NotificationTest {
  protected:
    void SetUp() override {
        NotificationTest::SetUp();
        form_ = MakeForm(300, 200);
        button_ = Child<TPanel>(form_, 10, 10, 60, 20);
        Listen(button_, "button", CN_DROPDOWNCLOSED, [this](const TMessage& m) {
            return m.LParam == LPARAM(popup_) ? "drop-down closed" : "?";
        });
        MakePopup();
        ShowAndSettle(form_);
    }
    // A pop-up of two entries shown for the button.
    void MakePopup() {
        popup_ = form_->Make<TPopupMenu>();
        for (const char* caption : {"Бір", "Екі"}) {
            auto* item = form_->Make<TMenuItem>();
            item->SetCaption(caption);
            item->OnClick = [this, caption](TComponent*) {
                log_.push_back(std::string("click ") + caption);
            };
            popup_->Items().Add(item);
        }
        popup_->SetPopupComponent(button_);
        popup_->OnClose = [this](TComponent*) { log_.push_back("OnClose"); };
    }
    // While the menu is shown: clicks its second entry.
    std::function<bool()> ChooseSecond() {
        return [this] {
            RECT r{};
            if (GetMenuItemRect(nullptr, popup_->Handle(), 1, &r))
                Click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            return true;
        };
    }

    TForm* form_ = nullptr;
    TPanel* button_ = nullptr;
    TPopupMenu* popup_ = nullptr;
};

TEST_F(PopupTest, TheComponentItWasShownForHearsTheDropDownCloseBeforeTheItemRuns) {
    Headless()->SetDriver(ChooseSecond());
    popup_->Popup(200, 200);
    EXPECT_EQ(TakeLog(),
              (std::vector<std::string>{"OnClose", "button drop-down closed", "click Екі"}));
    // Put away with nothing chosen.
    Headless()->SetDriver([] {
        KeyPress(VK_ESCAPE);
        return true;
    });
    popup_->Popup(200, 200);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"OnClose", "button drop-down closed"}));
}

TEST_F(PopupTest, AMenuDestroyedWhileShownOrByItsHandlersIsNotTouchedAgain) {
    struct Case {
        const char* when;
        std::vector<std::string> expected;
    };
    for (const Case& c :
         std::vector<Case>{{"while shown", {}},
                           {"by OnPopup", {}},
                           {"by OnClose", {"OnClose"}},
                           {"by the drop-down's close", {"OnClose", "button drop-down closed"}}}) {
        SCOPED_TRACE(c.when);
        if (!popup_) MakePopup();
        const std::string when = c.when;
        // The handler that runs this is freed with the menu: nothing is touched after it.
        const auto destroy = [this] { delete std::exchange(popup_, nullptr); };
        if (when == "while shown") {
            Headless()->SetDriver([this, destroy] {
                if (popup_) destroy();
                return true;
            });
        } else {
            Headless()->SetDriver(ChooseSecond());
        }
        if (when == "by OnPopup") popup_->OnPopup = [destroy](TComponent*) { destroy(); };
        if (when == "by OnClose")
            popup_->OnClose = [this, destroy](TComponent*) {
                log_.push_back("OnClose");
                destroy();
            };
        if (when == "by the drop-down's close")
            button_->WindowProc = [this, destroy, previous = button_->WindowProc](TMessage& m) {
                if (m.Msg == CN_DROPDOWNCLOSED) {
                    log_.push_back("button drop-down closed");
                    destroy();
                    return;
                }
                previous(m);
            };
        TPopupMenu* const shown = popup_;
        shown->Popup(200, 200);
        Headless()->SetDriver(nullptr);
        EXPECT_EQ(popup_, nullptr);
        EXPECT_EQ(TakeLog(), c.expected);
        EXPECT_FALSE(IsMenuLoopActive());
    }
}

} // namespace
