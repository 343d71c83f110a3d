// The textbook's three windows driven as a student would: start-up, the splash click, the
// contents tree and the menu, the tool buttons, the timers, and errors shown in message boxes.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/FileSystem.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "shell/StoredSkinData.h"
#include "shell/Unit1.h"
#include "shell/Unit3.h"
#include "shell/Unit4.h"
#include "skin/sMessages.h"
#include "toolkit/Application.h"
#include "windows/sCaptionButtons.h"

namespace {

// A content folder with two documents and no movie; the program starts in it.
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend(1280, 1024);
        ProcessPendingMessages();
        old_ = std::filesystem::current_path();
        char pattern[] = "/tmp/shell-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        std::filesystem::create_directories(dir_ / "Doc1");
        Write(dir_ / "Doc1" / "DAR1.htm", "<html><body><h1>Дәріс 1</h1></body></html>");
        Write(dir_ / "Doc1" / "D3T.htm", "<html><body><p>Тапсырмалар</p></body></html>");
        std::filesystem::current_path(dir_);
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
        app_->SetTitle("Статистика");
        app_->CreateForm<TForm4>();
        app_->CreateForm<TForm1>();
        app_->CreateForm<TForm3>();
        Form4->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        Headless()->SetDriver(nullptr);
        app_.reset();
        ProcessPendingMessages();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    static void Write(const std::filesystem::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    static void ClickControl(TControl* c, int x = 5, int y = 5) {
        const POINT p = c->ClientToScreen(POINT{x, y});
        MouseMoveTo(p);
        Click(p);
    }
    // Runs `action` and answers the message box it shows with Enter; returns the box's text.
    static std::string AnswerMessageBox(const std::function<void()>& action) {
        std::string text;
        Headless()->SetDriver([&text] {
            const HWND box = GetActiveWindow();
            if (GetClassName(box) != kDialogClass) return false;
            text = GetDlgItemText(box, IDC_MESSAGEBOX_TEXT);
            KeyPress(VK_RETURN);
            return true;
        });
        action();
        Headless()->SetDriver(nullptr);
        return text;
    }
    TMenuItem* MenuItem(const char* name) {
        return static_cast<TMenuItem*>(Form1->FindComponent(name));
    }

    std::filesystem::path old_, dir_;
    std::unique_ptr<TApplication> app_;
};

TEST_F(ShellTest, StartUpShowsOnlyTheSplashAndItsClickOpensTheMainWindow) {
    EXPECT_EQ(app_->MainForm(), Form4);
    EXPECT_TRUE(IsWindowVisible(Form4->Handle()));
    EXPECT_FALSE(Form1->Visible());
    EXPECT_FALSE(Form3->Visible());
    EXPECT_EQ(Form4->ClientWidth(), 683);
    EXPECT_EQ(Form4->ClientHeight(), 366);
    // The movie is missing here: the strip shows the view's own page, and start-up went on.
    AdvanceClock(10);
    EXPECT_EQ(WidthOf(Form4->WebBrowser1->BoundsRect()), 683);
    EXPECT_EQ(Form4->WebBrowser1->Top(), 264);

    ClickControl(Form4->Image1, 100, 100);
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    EXPECT_FALSE(IsWindowVisible(Form4->Handle()));
    EXPECT_EQ(Form1->ClientWidth(), 928);
    EXPECT_EQ(Form1->ClientHeight(), 621);
    EXPECT_EQ(GetWindowText(Form1->Handle()), "СТАТИСТИКА");
}

TEST_F(ShellTest, TheMainWindowsManagerHoldsTheStoredSkinsAndHasLoadedPavoBeforeShowing) {
    TsSkinManager* m = Form1->sSkinManager1;
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Owner(), Form1);
    EXPECT_EQ(PrimaryManager, m);
    ASSERT_EQ(m->InternalSkins().Count(), 3);
    const char* const names[] = {"Nordvale (internal)", "Pavo (internal)", "Frostline (internal)"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m->InternalSkins()[i].Name, names[i]);
        EXPECT_EQ(m->InternalSkins()[i].Data.size(), EmbeddedSkins()[size_t(i)].Package.size());
    }
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(m->SkinName(), "Pavo (internal)");
    EXPECT_TRUE(m->Active());
    EXPECT_TRUE(m->SkinData.Loaded);
    EXPECT_TRUE(m->FromPackage);
    EXPECT_FALSE(m->SectionsData.empty());
    EXPECT_NE(m->GetSectionIndex("PANEL"), -1);
    EXPECT_NE(m->SkinInfo(), "N/A");
    EXPECT_EQ(m->MenuSupport.IcoLineSkin, "ICOLINE");
    EXPECT_EQ(m->MenuSupport.ExtraLineFont.Name(), "MS Sans Serif");
    EXPECT_EQ(m->MenuSupport.ExtraLineFont.Height(), 11);
    // The designer's skin folder is not there: only the stored skins can be chosen.
    EXPECT_FALSE(DirectoryExists(m->FullSkinDirectory()));
}

// The main window's frame is the skin's: its provider takes the "FORM" section with no title
// buttons, the system draws no caption buttons (there is no system menu), no skinned button
// shows (biMaximize alone), and the skin's rounded top corners are cut out of the window.
TEST_F(ShellTest, TheMainWindowsFrameIsPaintedByItsSkinProvider) {
    TsSkinProvider* p = Form1->sSkinProvider1;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Owner(), Form1);
    EXPECT_EQ(p->SkinData->SkinSection(), "FORM");
    EXPECT_EQ(p->TitleButtons().Count(), 0);
    ClickControl(Form4->Image1, 100, 100);
    const HWND hwnd = Form1->Handle();
    EXPECT_EQ(SendSkinCommand(Form1, SkinCommandWParam(scIsSkinned), 0), 1);
    EXPECT_EQ(TsSkinProvider::OfForm(Form1), p);
    EXPECT_FALSE(GetWindowLong(hwnd, GWL_STYLE) & WS_SYSMENU);
    EXPECT_EQ(p->CaptionButtons().ButtonsWidth(), 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(hwnd, region), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, Form1->Width() / 2, 0));
    DeleteObject(region);
    // The frame image covers the whole window.
    EXPECT_EQ(p->SkinData->CacheBitmap->Width(), Form1->Width());
    EXPECT_EQ(p->SkinData->CacheBitmap->Height(), Form1->Height());
}

TEST_F(ShellTest, TheTreeOpensDocumentsAndGroupNodesDoNothing) {
    Form1->Show();
    Form1->sSpeedButton5->SetDown(true);
    Form1->sSpeedButton5Click(Form1->sSpeedButton5);
    ASSERT_TRUE(Form1->PageC1->Visible());
    TTreeNode* lecture1 = Form1->TV1->Items().GetFirstNode()->GetFirstChild();
    ASSERT_EQ(lecture1->AbsoluteIndex(), 1);
    Form1->TV1->SetSelected(lecture1);
    AdvanceClock(10);
    EXPECT_EQ(Form1->P->Caption(),
              "Дәріс 1: Экономика-әлеуметтік сатистиканың пәні, әдісі. ЭӘС топтастырылуы.");
    // A group node leaves the caption as it was.
    Form1->TV1->SetSelected(Form1->TV1->Items().GetFirstNode());
    EXPECT_EQ(Form1->P->Caption(),
              "Дәріс 1: Экономика-әлеуметтік сатистиканың пәні, әдісі. ЭӘС топтастырылуы.");
}

TEST_F(ShellTest, MenuChoicesFollowTheirStepsAndN34LeavesTheTitleMoving) {
    Form1->Show();
    ASSERT_TRUE(Form1->sLabel1->Visible());
    MenuItem("N34")->Click();
    EXPECT_TRUE(Form1->sLabel1->Visible());
    EXPECT_FALSE(Form1->sPanel1->Visible());
    EXPECT_EQ(Form1->P->Caption(),
              "Тақырып 3: Өндіріс және еңбек ресурстарын тиімді қолданудың статистикасы");
    MenuItem("N23")->Click();
    EXPECT_FALSE(Form1->sLabel1->Visible());
    EXPECT_EQ(Form1->P->Caption(),
              "Дәріс 1: Экономика-әлеуметтік статистиканың пәні, әдісі. ЭӘС топтастырылуы.");
    // The About item shows the About window, and its button hides it again.
    MenuItem("N10")->Click();
    EXPECT_TRUE(Form3->Visible());
    Form3->BitBtn1Click(Form3->BitBtn1);
    EXPECT_FALSE(Form3->Visible());
}

TEST_F(ShellTest, TimersMoveTheTitleAndFillTheStatusBarUntilContentsIsPressed) {
    Form1->Show();
    AdvanceClock(300 * 28); // 308 + 28 * 10 = 588
    EXPECT_EQ(Form1->sLabel1->Left(), 588);
    AdvanceClock(300);
    EXPECT_EQ(Form1->sLabel1->Left(), 0);
    EXPECT_EQ(Form1->StatusBar1->Panel(2).Text.rfind("User Windows: ", 0), 0u);
    EXPECT_FALSE(Form1->StatusBar1->Panel(0).Text.empty());

    Form1->StatusBar1->SetPanelText(1, "");
    Form1->sSpeedButton5->SetDown(true);
    Form1->sSpeedButton5Click(Form1->sSpeedButton5);
    AdvanceClock(3000);
    EXPECT_EQ(Form1->StatusBar1->Panel(1).Text, ""); // the clock stopped for good
    EXPECT_FALSE(Form1->sLabel1->Visible());
    // Releasing the button hides the pane again; the clock stays stopped.
    Form1->sSpeedButton5->SetDown(false);
    Form1->sSpeedButton5Click(Form1->sSpeedButton5);
    EXPECT_FALSE(Form1->PageC1->Visible());
    AdvanceClock(2000);
    EXPECT_EQ(Form1->StatusBar1->Panel(1).Text, "");
}

TEST_F(ShellTest, BackWithNoHistoryShowsAnErrorAndStaysPressed) {
    Form1->Show();
    ProcessPendingMessages();
    const std::string text = AnswerMessageBox([] {
        const POINT p = Form1->sSpeedButton1->ClientToScreen(POINT{10, 10});
        MouseMoveTo(p);
        Click(p);
    });
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(Form1->sSpeedButton1->Down());
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
}

TEST_F(ShellTest, ExitClosesBothWindowsAndEndsTheProgram) {
    Form1->Show();
    Headless()->SetDriver([] {
        Form1->sSpeedButton6Click(Form1->sSpeedButton6);
        return true;
    });
    app_->Run();
    EXPECT_TRUE(app_->Terminated());
    EXPECT_FALSE(Form1->Visible());
}

} // namespace
