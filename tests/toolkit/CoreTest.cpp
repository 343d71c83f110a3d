// The toolkit's core: ownership and loading, layout by alignment and anchors, messages of
// windowless controls, timers, forms, menus and the default error handler.
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/MainMenu.h"
#include "toolkit/Timer.h"

namespace {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

class TRecorded : public TComponent {
  public:
    TRecorded(TComponent* owner, std::string tag) : TComponent(owner), tag_(std::move(tag)) {}
    ~TRecorded() override { Events().push_back("destroy " + tag_); }

  protected:
    void Loaded() override {
        Events().push_back("loaded " + tag_ + (Loading() ? " while loading" : ""));
        TComponent::Loaded();
    }

  private:
    std::string tag_;
};

class TBox : public TGraphicControl {
  public:
    explicit TBox(TComponent* owner) : TGraphicControl(owner) {}
    std::vector<std::string> seen;

  protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_MOUSEENTER) seen.push_back("enter");
        if (m.Msg == CM_MOUSELEAVE) seen.push_back("leave");
        TGraphicControl::WndProc(m);
    }
    void Paint() override {
        Canvas().Brush.Color = RGB(200, 30, 40);
        Canvas().FillRect(ClientRect());
    }
};

class ToolkitTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        Events().clear();
    }
    void TearDown() override {
        Headless()->SetDriver(nullptr);
        ControlTest::TearDown();
    }
};

// ---------------------------------------------------------------- components

TEST_F(ToolkitTest, OwnerLoadsInOrderAndDestroysLastMadeFirst) {
    {
        TComponent owner(nullptr);
        owner.Make<TRecorded>("a")->SetName("A");
        owner.Make<TRecorded>("b")->SetName("B");
        owner.BeginLoading();
        EXPECT_TRUE(owner.FindComponent("B")->Loading());
        owner.EndLoading();
        EXPECT_FALSE(owner.Loading());
        EXPECT_EQ(owner.FindComponent("A"), owner.Components(0));
        EXPECT_EQ(owner.FindComponent("C"), nullptr);
    }
    // Loaded runs while the component still counts as loading, and only then clears it.
    const std::vector<std::string> expected = {"loaded a while loading", "loaded b while loading",
                                               "destroy b", "destroy a"};
    EXPECT_EQ(Events(), expected);
}

// ---------------------------------------------------------------- layout

TEST_F(ToolkitTest, AlignmentFollowsTheEdgeOrderAndAShownControlTakesItsEdge) {
    TForm* form = MakeForm(928, 621);
    form->BeginLoading();
    auto* left = Child<TBox>(form, 0, 41, 13, 560, alLeft);
    auto* right = Child<TBox>(form, 547, 41, 13, 560, alRight);
    auto* bottom = Child<TBox>(form, 0, 601, 928, 20, alBottom);
    auto* client = Child<TBox>(form, 13, 41, 534, 560, alClient);
    auto* top = Child<TBox>(form, 0, 0, 928, 41, alTop);
    auto* pane = Child<TBox>(form, 560, 41, 368, 560, alRight);
    pane->SetVisible(false);
    form->EndLoading();
    form->Show();
    ASSERT_EQ(form->ClientWidth(), 928);
    ASSERT_EQ(form->ClientHeight(), 621);

    struct Case {
        const char* name;
        TControl* control;
        RECT expected;
    };
    // The hidden pane takes no room: the right splitter sits at the right edge.
    for (const Case& c : std::vector<Case>{{"top", top, {0, 0, 928, 41}},
                                           {"bottom", bottom, {0, 601, 928, 621}},
                                           {"left", left, {0, 41, 13, 601}},
                                           {"right", right, {915, 41, 928, 601}},
                                           {"client", client, {13, 41, 915, 601}}}) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(EqualRect(c.control->BoundsRect(), c.expected));
    }
    // Shown, the pane lands at the right edge with the splitter to its left.
    pane->SetVisible(true);
    for (const Case& c : std::vector<Case>{{"pane", pane, {560, 41, 928, 601}},
                                           {"right", right, {547, 41, 560, 601}},
                                           {"client", client, {13, 41, 547, 601}}}) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(EqualRect(c.control->BoundsRect(), c.expected));
    }
}

TEST_F(ToolkitTest, ABottomAnchorKeepsTheDistanceAndTheCentreFraction) {
    TForm* form = MakeForm(928, 621);
    form->BeginLoading();
    // A windowed panel stands in for the welcome panel: the label needs a windowed parent.
    auto* host = form->Make<TCustomControl>();
    host->SetBounds(13, 41, 534, 560);
    host->SetParent(form);
    auto* label = host->Make<TBox>();
    label->SetBounds(-59, 41, 645, 109);
    label->SetAnchors(akBottom);
    label->SetParent(host);
    form->EndLoading();
    form->Show();

    host->SetBounds(13, 41, 902, 600);
    // Centre: twice the centre is -59 + 586 = 527; at the new width (527 * 902 + 267) / 534 =
    // 890, so the left edge is (890 - 645) / 2 = 122. Bottom: 41 + (600 - 560) = 81.
    EXPECT_EQ(label->Left(), 122);
    EXPECT_EQ(label->Top(), 81);
    EXPECT_EQ(label->Width(), 645);
    EXPECT_EQ(label->Height(), 109);
}

// ---------------------------------------------------------------- windowless controls

TEST_F(ToolkitTest, WindowlessChildrenArePaintedAndGetTheMouse) {
    TForm* form = MakeForm(300, 200);
    auto* box = Child<TBox>(form, 40, 30, 100, 50, alNone);
    int clicks = 0;
    box->OnClick = [&clicks](TComponent*) { ++clicks; };
    form->Show();
    ProcessPendingMessages();

    const POINT inside = box->ClientToScreen(POINT{10, 10});
    MouseMoveTo(inside);
    Click(inside);
    EXPECT_EQ(clicks, 1);
    const POINT outside = box->ClientToScreen(POINT{150, 10});
    MouseMoveTo(outside);
    const std::vector<std::string> seen = {"enter", "leave"};
    EXPECT_EQ(box->seen, seen);
    // A press inside and a release outside is no click.
    MouseDown(inside);
    MouseUp(outside);
    EXPECT_EQ(clicks, 1);

    const Bitmap shot = WindowShot(form->Handle());
    const RECT client = ClientRectInWindow(form->Handle());
    EXPECT_EQ(shot.GetPixel(client.left + 40, client.top + 30) & 0xFFFFFF, RGB(200, 30, 40));
    EXPECT_EQ(shot.GetPixel(client.left + 139, client.top + 79) & 0xFFFFFF, RGB(200, 30, 40));
    EXPECT_NE(shot.GetPixel(client.left + 140, client.top + 79) & 0xFFFFFF, RGB(200, 30, 40));
}

// ---------------------------------------------------------------- timers, forms, menus, errors

TEST_F(ToolkitTest, TimerTicksOnTheClockUntilDisabled) {
    auto* timer = app_->Make<TTimer>();
    timer->SetInterval(300);
    int ticks = 0;
    timer->OnTimer = [&ticks](TComponent*) { ++ticks; };
    AdvanceClock(1000);
    EXPECT_EQ(ticks, 3);
    timer->SetEnabled(false);
    AdvanceClock(1000);
    EXPECT_EQ(ticks, 3);
}

TEST_F(ToolkitTest, ClosingTheMainFormEndsTheLoopAndAnotherOnlyHides) {
    TForm* main = MakeForm(200, 100);
    TForm* other = MakeForm(200, 100);
    EXPECT_EQ(app_->MainForm(), main);
    other->Show();
    ASSERT_TRUE(IsWindowVisible(other->Handle()));
    SendMessage(other->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(other->Visible());
    EXPECT_TRUE(IsWindow(other->Handle()));
    EXPECT_FALSE(app_->Terminated());

    Headless()->SetDriver([main] {
        main->Close();
        return true;
    });
    app_->Run();
    EXPECT_TRUE(app_->Terminated());
}

TEST_F(ToolkitTest, MenuCommandsReachTheirItems) {
    TForm* form = MakeForm(300, 200);
    auto* menu = form->Make<TMainMenu>();
    auto* top = form->Make<TMenuItem>();
    top->SetCaption("Дәріс");
    auto* item = form->Make<TMenuItem>();
    item->SetCaption("Дәріс 1");
    int clicked = 0;
    item->OnClick = [&clicked](TComponent*) { ++clicked; };
    menu->Items().Add(top);
    top->Add(item);
    form->SetMenu(menu);
    form->Show();
    ASSERT_EQ(GetMenu(form->Handle()), menu->Handle());
    SendMessage(form->Handle(), WM_COMMAND, item->Command(), 0);
    EXPECT_EQ(clicked, 1);
    item->SetEnabled(false);
    SendMessage(form->Handle(), WM_COMMAND, item->Command(), 0);
    EXPECT_EQ(clicked, 1);
}

TEST_F(ToolkitTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    app_->SetTitle("Статистика");
    TForm* form = MakeForm(300, 200);
    auto* box = Child<TBox>(form, 0, 0, 100, 100, alNone);
    bool after = false;
    box->OnClick = [&after](TComponent*) {
        throw std::runtime_error("Құжатты ашу мүмкін емес");
        after = true;
    };
    form->Show();
    std::string caption, text;
    Headless()->SetDriver([&] {
        const HWND boxWindow = GetActiveWindow();
        caption = GetWindowText(boxWindow);
        text = GetDlgItemText(boxWindow, IDC_MESSAGEBOX_TEXT);
        KeyPress(VK_RETURN);
        return true;
    });
    const POINT p = box->ClientToScreen(POINT{5, 5});
    MouseMoveTo(p);
    Click(p);
    Headless()->SetDriver(nullptr);
    EXPECT_EQ(caption, "Статистика");
    EXPECT_EQ(text, "Құжатты ашу мүмкін емес");
    EXPECT_FALSE(after);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

} // namespace
