// Component lifecycle: loading flags for components made while their owner loads,
// destruction in reverse order while the owner's window and the application stay, removal
// notifications, and Perform answering through the message record.
#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "toolkit/Panel.h"

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Records what it sees of its own loading and destruction.
class TProbe : public TComponent {
  public:
    explicit TProbe(TComponent* owner, std::string name = "") : TComponent(owner) {
        SetName(std::move(name));
    }
    ~TProbe() override {
        Destroying();
        auto* form = dynamic_cast<TForm*>(Owner());
        Log().push_back(
            Name() + " gone; window " +
            (form && form->HandleAllocated() && IsWindow(form->Handle()) ? "alive" : "gone") +
            "; application " + (Application ? "alive" : "gone"));
    }
    void SetValue(int v) {
        value = v;
        loadingWhenSet = Loading() && (ComponentState() & csReading);
    }
    int value = 0;
    bool loadingWhenSet = false;
    bool loadedCalled = false;
    std::vector<std::string> removals;

  protected:
    void Loaded() override {
        loadedCalled = Loading();
        TComponent::Loaded();
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) removals.push_back(component->Name());
    }
};

// A plain window-procedure subclass over a toolkit control's window, as an adapter makes
// one: it hears the window go, passes the message on, and then gives its procedure back.
class WndProcWrapper {
  public:
    WndProcWrapper(HWND hwnd, std::string name, UINT undoOn)
        : name_(std::move(name)), undoOn_(undoOn) {
        SetProp(hwnd, kProp, this);
        old_ = reinterpret_cast<WNDPROC>(
            uintptr_t(SetWindowLongPtr(hwnd, GWL_WNDPROC, LONG_PTR(uintptr_t(&Proc)))));
    }
    bool undone = false;

  private:
    static constexpr const char* kProp = "Test.Wrapper";
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<WndProcWrapper*>(GetProp(hwnd, kProp));
        if (msg == WM_DESTROY) Log().push_back(self->name_ + " wrapper: WM_DESTROY");
        if (msg == WM_NCDESTROY) Log().push_back(self->name_ + " wrapper: WM_NCDESTROY");
        const LRESULT result = CallWindowProc(self->old_, hwnd, msg, wParam, lParam);
        if (msg == self->undoOn_) {
            SetWindowLongPtr(hwnd, GWL_WNDPROC, LONG_PTR(uintptr_t(self->old_)));
            RemoveProp(hwnd, kProp);
            self->undone = true;
            Log().push_back(self->name_ + " wrapper: undone");
        }
        return result;
    }
    std::string name_;
    UINT undoOn_;
    WNDPROC old_ = nullptr;
};

// A subclass of the control's WindowProc that notes the last message of its window.
void HearWindowGo(TControl* control, const std::string& name) {
    control->WindowProc = [previous = control->WindowProc, name](TMessage& m) {
        if (m.Msg == WM_NCDESTROY)
            Log().push_back(name + " WindowProc: WM_NCDESTROY; application " +
                            (Application ? "alive" : "gone"));
        previous(m);
    };
}

class LifecycleTest : public ControlTest {};

TEST_F(LifecycleTest, ComponentsMadeWhileTheirOwnerLoadsAreLoadingUntilLoaded) {
    TForm* form = MakeForm(200, 100);
    form->BeginLoading();
    auto* probe = form->Make<TProbe>("Probe");
    auto* panel = form->Make<TPanel>();
    auto* inner = panel->Make<TProbe>("Inner"); // owned by a component that is loading itself
    probe->SetValue(3);
    EXPECT_TRUE(probe->loadingWhenSet);
    EXPECT_TRUE(panel->Loading());
    EXPECT_TRUE(inner->Loading());
    EXPECT_FALSE(probe->Designing());
    form->EndLoading();
    EXPECT_TRUE(probe->loadedCalled);
    EXPECT_FALSE(probe->Loading());
    EXPECT_FALSE(panel->Loading());
    EXPECT_FALSE(inner->Loading());
    EXPECT_FALSE(form->Loading());
    // Made after loading: not loading.
    auto* later = form->Make<TProbe>("Later");
    later->SetValue(1);
    EXPECT_FALSE(later->loadingWhenSet);
}

TEST_F(LifecycleTest, OwnedComponentsGoLastFirstWhileTheWindowAndApplicationStay) {
    Log().clear();
    TForm* form = MakeForm(200, 100);
    form->Make<TProbe>("First");
    form->Make<TProbe>("Second");
    auto* panel = Child<TPanel>(form, 10, 10, 50, 50);
    auto* watcher = form->Make<TProbe>("Watcher");
    ShowAndSettle(form);
    // Adapters over both windows; the panel's gives its procedure back at WM_DESTROY, the
    // form's at WM_NCDESTROY.
    WndProcWrapper panelWrapper(panel->Handle(), "Panel", WM_DESTROY);
    WndProcWrapper formWrapper(form->Handle(), "Form", WM_NCDESTROY);
    HearWindowGo(panel, "Panel");
    HearWindowGo(form, "Form");
    // The application goes with its forms still in it.
    app_.reset();
    const std::vector<std::string> expected = {
        "Watcher gone; window alive; application alive",
        // The panel, made before the watcher, goes next: its window goes with the adapter
        // still on it, which is told and gives its procedure back before the window is gone.
        "Panel wrapper: WM_DESTROY",
        "Panel wrapper: undone",
        "Panel WindowProc: WM_NCDESTROY; application alive",
        "Second gone; window alive; application alive",
        "First gone; window alive; application alive",
        // Then the form's own window, once everything it owns has gone.
        "Form wrapper: WM_DESTROY",
        "Form wrapper: WM_NCDESTROY",
        "Form WindowProc: WM_NCDESTROY; application alive",
        "Form wrapper: undone",
    };
    EXPECT_EQ(Log(), expected);
    EXPECT_TRUE(panelWrapper.undone);
    EXPECT_TRUE(formWrapper.undone);
    (void)watcher;
}

TEST_F(LifecycleTest, AWindowDestroyedWithoutTheToolkitAskingIsToldToItsSubclassersAndForgotten) {
    Log().clear();
    TForm* form = MakeForm(200, 100);
    auto* panel = Child<TPanel>(form, 10, 10, 50, 50);
    ShowAndSettle(form);
    const HWND panelWindow = panel->Handle();
    WndProcWrapper wrapper(panelWindow, "Panel", WM_NCDESTROY);
    HearWindowGo(panel, "Panel");
    // The panel's window goes with its parent's, not through the panel.
    DestroyWindow(form->Handle());
    const std::vector<std::string> expected = {
        "Panel wrapper: WM_DESTROY",
        "Panel wrapper: WM_NCDESTROY",
        "Panel WindowProc: WM_NCDESTROY; application alive",
        "Panel wrapper: undone",
    };
    EXPECT_EQ(Log(), expected);
    EXPECT_FALSE(IsWindow(panelWindow));
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(TWinControl::FromHandle(panelWindow), nullptr);
}

TEST_F(LifecycleTest, RemovalsAreToldToTheOwnersComponentsAndToFreeNotifyListeners) {
    TForm* form = MakeForm(200, 100);
    auto* a = form->Make<TProbe>("A");
    auto* b = form->Make<TProbe>("B");
    TProbe outsider(nullptr, "Outsider");
    auto* target = form->Make<TProbe>("Target");
    target->FreeNotification(&outsider);
    form->Make<TProbe>("Other")->FreeNotification(&outsider);
    form->Make<TProbe>("Quiet")->FreeNotification(&outsider);
    form->FindComponent("Quiet")->RemoveFreeNotification(&outsider);
    delete target; // taken out of its owner's list as it goes
    EXPECT_EQ(form->FindComponent("Target"), nullptr);
    EXPECT_EQ(a->removals, std::vector<std::string>{"Target"});
    EXPECT_EQ(b->removals, std::vector<std::string>{"Target"});
    EXPECT_EQ(outsider.removals, std::vector<std::string>{"Target"});
    delete form->FindComponent("Quiet");
    EXPECT_EQ(outsider.removals, std::vector<std::string>{"Target"});
    // The listener going first is forgotten by those it listened to.
    auto* other = static_cast<TProbe*>(form->FindComponent("Other"));
    {
        TProbe shortLived(nullptr, "Short");
        other->FreeNotification(&shortLived);
    }
    delete other;
    EXPECT_EQ(outsider.removals, (std::vector<std::string>{"Target", "Other"}));
}

TEST_F(LifecycleTest, AWindowWhoseDestructionIsRefusedGoesBackToItsClass) {
    TForm* form = MakeForm(200, 100);
    auto* panel = Child<TPanel>(form, 10, 10, 50, 50);
    ShowAndSettle(form);
    const HWND kept = panel->Handle();
    static HHOOK hook;
    hook = SetWindowsHookEx(
        WH_CBT,
        [](int code, WPARAM w, LPARAM l) -> LRESULT {
            return code == HCBT_DESTROYWND ? 1 : CallNextHookEx(hook, code, w, l);
        },
        nullptr, 0);
    panel->SetParent(nullptr); // the panel lets its window go; the hook keeps it
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(IsWindow(kept));
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_EQ(TWinControl::FromHandle(kept), nullptr);
    // The window's class has it back: the panel hears nothing more from it.
    int heard = 0;
    panel->WindowProc = [&heard, previous = panel->WindowProc](TMessage& m) {
        if (m.Msg == WM_USER + 5) ++heard;
        previous(m);
    };
    SendMessage(kept, WM_USER + 5, 0, 0);
    EXPECT_EQ(heard, 0);
    WNDCLASS wc{};
    ASSERT_TRUE(GetClassInfo("TPanel", &wc));
    EXPECT_EQ(GetWindowLongPtr(kept, GWL_WNDPROC), LONG_PTR(uintptr_t(wc.lpfnWndProc)));
    DestroyWindow(kept);
}

// Answers with a value written into its lParam's target and into the record's wParam.
class TAnswering : public TPanel {
  public:
    using TPanel::TPanel;

  protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_HINTSHOW) {
            m.WParam = 42;
            m.LParam = 7;
            m.Result = 1;
            return;
        }
        TPanel::WndProc(m);
    }
};

TEST_F(LifecycleTest, PerformHandsBackWhatTheHandlerWroteIntoTheRecord) {
    TForm* form = MakeForm(200, 100);
    auto* c = Child<TAnswering>(form, 0, 0, 50, 50);
    TMessage m{CM_HINTSHOW, 1, 2, 0};
    EXPECT_EQ(c->Perform(m), 1);
    EXPECT_EQ(m.WParam, 42u);
    EXPECT_EQ(m.LParam, 7);
    EXPECT_EQ(c->Perform(CM_HINTSHOW, 0, 0), 1);
}

} // namespace
