// Which system commands show and which may run, for the kinds of form the program makes and
// the other border styles.
#include <gtest/gtest.h>
#include <string>

#include "skin/SkinManagerTestFixture.h"
#include "windows/sSystemCommands.h"

namespace {

struct FormKind {
    const char* Name;
    TsCommandFacts Facts;
    // One letter per command when it holds: Restore, Move, Size, miNimize, maXimize, Close,
    // Help; '.' when it does not.
    const char* Visible;
    const char* Enabled;
};

constexpr TBorderIcons kUsual = biSystemMenu | biMinimize | biMaximize;
constexpr TsSystemCommand kCommands[] = {TsSystemCommand::Restore,  TsSystemCommand::Move,
                                         TsSystemCommand::Size,     TsSystemCommand::Minimize,
                                         TsSystemCommand::Maximize, TsSystemCommand::Close,
                                         TsSystemCommand::Help};

std::string Row(const TsCommandFacts& facts, bool (*rule)(const TsCommandFacts&, TsSystemCommand)) {
    const char letters[] = "RMSNXCH";
    std::string row;
    for (int i = 0; i < 7; ++i) row += rule(facts, kCommands[i]) ? letters[i] : '.';
    return row;
}

} // namespace

TEST(SystemCommandsTest, VisibilityAndEnablingFollowTheFormKind) {
    const FormKind kinds[] = {
        {"main window", {bsSingle, biMaximize, wsNormal, false, false}, ".MS....", ".M..XCH"},
        {"about dialog", {bsDialog, biSystemMenu, wsNormal, false, false}, ".M...C.", ".MS..CH"},
        {"sizeable", {bsSizeable, kUsual, wsNormal, false, false}, "RMSNXC.", ".MSNXCH"},
        // Minimize shows without biMinimize on a sizeable form, but cannot run.
        {"sizeable without minimize",
         {bsSizeable, biSystemMenu | biMaximize, wsNormal, false, false},
         "RMSNXC.",
         ".MS.XCH"},
        {"maximised", {bsSizeable, kUsual, wsMaximized, false, false}, "RMSNXC.", "R.SN.CH"},
        {"iconic", {bsSizeable, kUsual, wsMinimized, false, true}, "RMSNXC.", "RM..XCH"},
        {"tool window", {bsToolWindow, biSystemMenu, wsNormal, false, false}, ".M...C.", ".MS..CH"},
        {"sizeable tool window",
         {bsSizeToolWin, biSystemMenu | biMinimize, wsNormal, false, false},
         ".MS..C.",
         ".MSN.CH"},
        {"maximised MDI child",
         {bsSizeable, kUsual, wsMaximized, true, false},
         "RMSNXC.",
         "R.SNXCH"},
        {"single with help",
         {bsSingle, biSystemMenu | biHelp, wsNormal, false, false},
         "RMS..CH",
         ".M...CH"},
    };
    for (const FormKind& kind : kinds) {
        EXPECT_EQ(Row(kind.Facts, CommandVisible), kind.Visible) << kind.Name;
        EXPECT_EQ(Row(kind.Facts, CommandEnabled), kind.Enabled) << kind.Name;
    }
}

class CommandFactsTest : public SkinWindowTest {};

TEST_F(CommandFactsTest, ALiveFormGivesItsStyleIconsAndState) {
    TForm* form = app_->CreateForm<TForm>();
    form->SetBounds(10, 10, 200, 150);
    form->SetBorderStyle(bsSingle);
    form->SetBorderIcons(biSystemMenu | biMinimize);
    TsCommandFacts facts = CommandFactsOf(*form);
    EXPECT_EQ(facts.BorderStyle, bsSingle);
    EXPECT_EQ(facts.BorderIcons, TBorderIcons(biSystemMenu | biMinimize));
    EXPECT_EQ(facts.WindowState, wsNormal);
    EXPECT_FALSE(facts.Iconic);
    EXPECT_FALSE(facts.MdiChild);

    form->Show();
    ShowWindow(form->Handle(), SW_MINIMIZE);
    facts = CommandFactsOf(*form);
    EXPECT_EQ(facts.WindowState, wsMinimized);
    EXPECT_TRUE(facts.Iconic);
}
