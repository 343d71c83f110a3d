#include "SkinManagerTestFixture.h"

TEST(SkinCommandWord, CodeInTheHighWordArgumentInTheLow) {
    EXPECT_EQ(SkinCommandWParam(scRefreshTree, 1), WPARAM(0x00140001));
    EXPECT_EQ(SkinCommandCode(SkinCommandWParam(scGetApplication, 1)), 60u);
    EXPECT_EQ(SkinCommandLowWord(SkinCommandWParam(scSetUpdating, 1)), 1u);
    EXPECT_EQ(SkinCommandWParam(scSkinLoaded), WPARAM(0x00010000));
}

using SkinMessagesTest = SkinWindowTest;

TEST_F(SkinMessagesTest, AskingAPlainControlIsANo) {
    TForm* form = app_->CreateForm<TForm>();
    auto* plain = form->Make<TCustomControl>();
    plain->SetParent(form);
    plain->HandleNeeded();
    auto* skinned = Child<RecordingWinControl>(form, "skinned", true);
    skinned->HandleNeeded();
    auto* graphic = Child<RecordingGraphic>(form, "graphic", true);
    EXPECT_FALSE(AskSkinCommand(plain, scIsSkinned));
    EXPECT_TRUE(AskSkinCommand(skinned, scIsSkinned));
    EXPECT_TRUE(AskSkinCommand(graphic, scIsSkinned));
    EXPECT_TRUE(AskWindowSkinCommand(skinned->Handle(), scIsSkinned));
    EXPECT_FALSE(AskWindowSkinCommand(plain->Handle(), scIsSkinned));
}

TEST_F(SkinMessagesTest, BroadcastReachesSkinnedAndWindowlessChildrenThroughPlainOnes) {
    TForm* form = app_->CreateForm<TForm>();
    auto* a = Child<RecordingWinControl>(form, "a", true);
    auto* plain = Child<RecordingWinControl>(form, "plain", false);
    Child<RecordingGraphic>(plain, "label", false);
    auto* inner = Child<RecordingWinControl>(plain, "inner", true);
    Child<RecordingWinControl>(a, "underA", true); // a passes it on itself, if it wants
    form->HandleNeeded();
    a->HandleNeeded();
    inner->HandleNeeded();
    TMessage m{SM_ORVENCMD, SkinCommandWParam(scRefresh), 0, 0};
    BroadcastToChildren(form, m);
    EXPECT_EQ(log_.Entries, (std::vector<std::string>{"a:3", "label:3", "inner:3"}));
}

TEST_F(SkinMessagesTest, CommandsToAControlWithoutWindowAreNotSent) {
    TForm* form = app_->CreateForm<TForm>();
    auto* c = Child<RecordingWinControl>(form, "c", true);
    ASSERT_FALSE(c->HandleAllocated());
    EXPECT_EQ(SendSkinCommand(c, SkinCommandWParam(scRefresh), 0), 0);
    EXPECT_TRUE(log_.Entries.empty());
    EXPECT_FALSE(c->HandleAllocated());
}

TEST_F(SkinMessagesTest, RepaintChildrenAsksEveryChildWindow) {
    TForm* form = app_->CreateForm<TForm>();
    auto* a = Child<RecordingWinControl>(form, "a", false);
    Child<RecordingGraphic>(form, "label", false);
    auto* b = Child<RecordingWinControl>(form, "b", true);
    a->HandleNeeded();
    b->HandleNeeded();
    RepaintChildren(form);
    EXPECT_EQ(log_.Entries, (std::vector<std::string>{"a:6", "b:6"}));
    log_.Entries.clear();
    RepaintChildWindows(form->Handle());
    // Child windows come in z-order: the window made last lies on top.
    EXPECT_EQ(log_.Entries, (std::vector<std::string>{"b:6", "a:6"}));
}

namespace {
// Answers scGetBgColor with a fixed colour.
class ColourAnswering : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    TColor Answer = KeyColor;

  protected:
    void WndProc(TMessage& m) override {
        if (IsSkinCommand(m, scGetBgColor)) {
            if (Answer != KeyColor) ParentBgColor = Answer;
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
    }
};
} // namespace

TEST_F(SkinMessagesTest, ParentBgColorFromTheAnswerOrTheParentsOwnColour) {
    TForm* form = app_->CreateForm<TForm>();
    auto* parent = form->Make<ColourAnswering>();
    parent->SetParent(form);
    parent->SetColor(0x123456);
    parent->HandleNeeded();
    EXPECT_EQ(GetParentBgColor(parent), 0x123456);
    parent->Answer = 0x00CC00;
    EXPECT_EQ(GetParentBgColor(parent), 0x00CC00);
    EXPECT_EQ(ParentBgColor, 0x00CC00);
    parent->SetColor(TColor(0x80000000 | COLOR_BTNFACE)); // a system colour resolves to RGB
    parent->Answer = KeyColor;
    EXPECT_EQ(GetParentBgColor(parent), TColor(GetSysColor(COLOR_BTNFACE)));
}
