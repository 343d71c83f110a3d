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
    explicit TProbe(TComponent* owner, std::string name = "") : TComponent(owner) { SetName(std::move(name)); }
    ~TProbe() override {
        Destroying();
        auto* form = dynamic_cast<TForm*>(Owner());
        Log().push_back(Name() + " gone; window " + (form && form->HandleAllocated() && IsWindow(form->Handle()) ? "alive" : "gone") +
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
    auto* watcher = form->Make<TProbe>("Watcher");
    ShowAndSettle(form);
    // The application goes with its forms still in it.
    app_.reset();
    const std::vector<std::string> expected = {
        "Watcher gone; window alive; application alive",
        "Second gone; window alive; application alive",
        "First gone; window alive; application alive",
    };
    EXPECT_EQ(Log(), expected);
    (void)watcher;
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
