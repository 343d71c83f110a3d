#include <filesystem>
#include <fstream>

#include "SkinManagerTestFixture.h"
#include "platform/core/FileSystem.h"
#include "platform/image/BmpFile.h"
#include "skin/sHookDecision.h"
#include "skin/sSkinManager.h"

namespace fs = std::filesystem;

namespace {

// (200, 100, 0): avg 100, so saturation -49 gives 200 + 49 = 249, 100, 0 - 49 -> 0.
constexpr TColor kOrange = 200 | (100 << 8);
constexpr TColor kOrangeAt49Away = 249 | (100 << 8);
constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00; // red with its hue turned by 120 degrees
// Orange turned by 120 degrees: H 30 -> 150, sector 2 with f 0.5: (0, 200, 100).
constexpr TColor kOrangeTurned = 0 | (200 << 8) | (100 << 16);

const char* const kOptions = "[GLOBALINFO]\n"
                             "VERSION=5\n"
                             "MASTERBITMAP=Master.bmp\n"
                             "COLOR=255\n"
                             "BORDERCOLOR=255\n"
                             "BOXCHECKED=#Box (0,0,2,1)\n"
                             "[PANEL]\n"
                             "COLOR=25800\n"
                             "HOTCOLOR=255\n"
                             "FONTCOLOR=255\n"
                             "GRADIENTDATA=255;25800;100;0;0\n"
                             "HOTGRADIENTDATA=25800;255;100;0;0\n"
                             "BORDERSMASK=#Panel (0,0,4,1) (1,0,0,1)\n"
                             "[COMBOBTN]\n"
                             "PARENTCLASS=PANEL\n"
                             "[TABTOP]\n"
                             "BORDERSMASK=#Tab (0,0,4,1)\n";

class SkinManagerTest : public SkinWindowTest {
  protected:
    void SetUp() override {
        SkinWindowTest::SetUp();
        root_ = fs::path(STAT_TEST_DATA_DIR) /
                (std::string("skin-manager-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "Skins" / "Test");
        std::ofstream(root_ / "Skins" / "Test" / "Options.dat") << kOptions;
        // Master pixels: red, magenta (the key), grey, orange.
        Bitmap master(4, 1, 24);
        master.SetPixel(0, 0, kRed);
        master.SetPixel(1, 0, 0xFF00FF);
        master.SetPixel(2, 0, 0x808080);
        master.SetPixel(3, 0, kOrange);
        WriteBitmap(root_ / "Skins" / "Test" / "Master.bmp", master);
        Bitmap extra(6, 2, 24);
        WriteBitmap(root_ / "Skins" / "Test" / "Extra.bmp", extra);
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        manager_->SetSkinDirectory(WindowsPath((root_ / "Skins").string()));
    }
    void TearDown() override {
        TsSkinManager::MakeFormProvider = nullptr;
        manager_.reset();
        SkinWindowTest::TearDown();
    }
    static void WriteBitmap(const fs::path& path, const Bitmap& bmp) {
        const std::vector<uint8_t> bytes = SaveBMP(bmp);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    TColor MasterPixel(int x) const { return TColor(manager_->MasterBitmap->GetPixel(x, 0)); }
    const TsGeneralData& Section(const char* name) const {
        const int i = manager_->GetSectionIndex(name);
        EXPECT_GE(i, 0) << name;
        return manager_->SectionsData.at(size_t(std::max(i, 0)));
    }
    // The broadcast commands only (the manager also asks forms for their providers).
    std::vector<std::string> Broadcasts() const {
        std::vector<std::string> out;
        for (const std::string& e : log_.Entries) {
            const std::string code = e.substr(e.find(':') + 1);
            if (code == "1" || code == "2" || code == "3" || code == "16") out.push_back(e);
        }
        return out;
    }
    fs::path root_;
    std::unique_ptr<TsSkinManager> manager_;
};

} // namespace

TEST_F(SkinManagerTest, PublishedDefaults) {
    TsSkinManager& m = *manager_;
    EXPECT_TRUE(m.Active());
    EXPECT_TRUE(m.IsDefault());
    EXPECT_EQ(PrimaryManager, &m);
    EXPECT_TRUE(m.SkinnedPopups());
    EXPECT_EQ(m.HueOffset(), 0);
    EXPECT_EQ(m.Saturation(), 0);
    EXPECT_EQ(m.SkinningRules, kAllSkinningRules);
    EXPECT_EQ(m.Version(), "5.36");
    EXPECT_EQ(m.SkinInfo(), "N/A");
    EXPECT_EQ(m.MenuSupport.ExtraLineWidth, 32);
    EXPECT_FALSE(m.MenuSupport.UseExtraLine);
    EXPECT_EQ(m.AnimEffects.Buttons.Events(), kAllButtonEvents);
    EXPECT_EQ(m.AnimEffects.DialogShow.Time, 100);
    EXPECT_EQ(m.AnimEffects.FormShow.Time, 0);
    EXPECT_EQ(m.AnimEffects.PageChange.Time, 0);
    EXPECT_EQ(m.AnimEffects.SkinSwitching.Time, 100);
    EXPECT_TRUE(m.AnimEffects.SkinSwitching.Active);
    EXPECT_EQ(TsSkinManager(nullptr).SkinDirectory(), "c:\\Skins");

    m.BeginLoading();
    m.EndLoading();
    EXPECT_EQ(m.MenuSupport.IcoLineSkin, "ICOLINE");
    m.AnimEffects.Buttons.SetEvents(beMouseEnter);
    EXPECT_EQ(ButtonFadeEvents, TqvButtonEvents(beMouseEnter));
    m.AnimEffects.Buttons.SetEvents(kAllButtonEvents);
}

TEST_F(SkinManagerTest, SecondManagerIsNotTheDefaultUntilMadeSo) {
    TsSkinManager other(nullptr);
    EXPECT_FALSE(other.IsDefault());
    other.SetIsDefault(false);
    EXPECT_EQ(PrimaryManager, manager_.get());
    other.SetIsDefault(true);
    EXPECT_EQ(PrimaryManager, &other);
    manager_->SetIsDefault(true);
}

namespace {

// A menu engine that only notes when it is told to hook the menus again.
class HookCountingMenuEngine : public TsMenuEngine {
  public:
    explicit HookCountingMenuEngine(int& refreshes) : refreshes_(refreshes) {}
    void ResetBorderWidth() override {}
    void RefreshHooks() override { ++refreshes_; }
    void ResetPopupState() override {}
    void AttachMainMenu(TMenu*, bool) override {}
    void AttachPopupMenu(TMenu*, bool) override {}
    void AttachMenuItems(TMenuItem*, bool) override {}
    void AttachSingleItem(TMenuItem*, bool) override {}
    bool HandleApplicationMessage(UINT, WPARAM, LPARAM) override { return false; }

  private:
    int& refreshes_;
};

} // namespace

// Only the default manager starts the menu skinning on pop-ups, and only when the value turns on.
TEST_F(SkinManagerTest, TurningSkinnedPopupsOnStartsThePopupSkinningOfTheDefaultManager) {
    int refreshes = 0;
    TsSkinManager::MakeMenuEngine = [&](TsSkinManager*) {
        return std::make_unique<HookCountingMenuEngine>(refreshes);
    };
    TsSkinManager other(nullptr);
    TsSkinManager::MakeMenuEngine = nullptr;
    ASSERT_NE(other.MenuEngine(), nullptr);
    other.SetSkinnedPopups(false);
    other.SetSkinnedPopups(true); // not the default manager
    EXPECT_EQ(refreshes, 0);
    other.SetIsDefault(true); // applying the skin hooks the menus too
    const int afterApply = refreshes;
    other.SetSkinnedPopups(true); // already on
    EXPECT_EQ(refreshes, afterApply);
    other.SetSkinnedPopups(false);
    other.SetSkinnedPopups(true);
    EXPECT_EQ(refreshes, afterApply + 1);
    manager_->SetIsDefault(true);
}

TEST_F(SkinManagerTest, LoadingAFolderSkin) {
    auto* form = app_->CreateForm<RecordingForm>();
    form->Record(&log_, false);
    form->HandleNeeded();
    std::vector<std::string> infoWhileApplying;
    form->Heard = [&](const TMessage& m) {
        if (SkinCommandCode(m.WParam) == scSkinLoaded) {
            infoWhileApplying.push_back(manager_->SkinInfo());
            EXPECT_TRUE(ApplyInProgress);
            EXPECT_TRUE(SkinSwitching);
        }
    };
    int before = 0, after = 0;
    manager_->OnBeforeChange = [&](TComponent*) { ++before; };
    manager_->OnAfterChange = [&](TComponent*) { ++after; };
    manager_->SetSkinName("Test");
    EXPECT_EQ(infoWhileApplying, std::vector<std::string>{"N/A"});
    EXPECT_EQ(manager_->SkinInfo(), "5");
    EXPECT_TRUE(manager_->SkinData.Loaded);
    EXPECT_FALSE(SkinSwitching);
    EXPECT_FALSE(ApplyInProgress);
    EXPECT_FALSE(manager_->FromPackage);
    EXPECT_TRUE(manager_->HookInstalled());
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(Section("PANEL").Color, kOrange);
    EXPECT_EQ(MasterPixel(0), kRed);
    EXPECT_EQ(manager_->SkinGlobalColor(), kRed);
    EXPECT_EQ(manager_->SkinGlobalHotColor(), 0xFFFFFF);
}

TEST_F(SkinManagerTest, HueOffsetWithoutASkinIsStoredAndAppliedWithTheNextLoad) {
    manager_->SetHueOffset(120);
    EXPECT_EQ(manager_->HueOffset(), 120);
    EXPECT_TRUE(manager_->SectionsData.empty());
    EXPECT_FALSE(manager_->MasterBitmap);

    manager_->SetSkinName("Test");
    EXPECT_EQ(MasterPixel(0), kGreen);
    EXPECT_EQ(MasterPixel(1), 0xFF00FF); // the key colour is never recoloured
    EXPECT_EQ(MasterPixel(2), 0x808080); // nor is grey
    EXPECT_EQ(Section("PANEL").HotColor, kGreen);
    EXPECT_EQ(Section("PANEL").FontColor[0], kGreen);
    EXPECT_EQ(Section("PANEL").FontColor[1], -1); // no contour stays no contour
    EXPECT_EQ(Section("PANEL").Color, kOrangeTurned);
    EXPECT_EQ(manager_->SkinData.BorderColor, kGreen);
    const TsGeneralData& panel = Section("PANEL");
    ASSERT_EQ(panel.GradientSteps.size(), 1u);
    EXPECT_EQ(panel.GradientSteps[0].Color1, kGreen);
    EXPECT_EQ(panel.GradientSteps[0].Color2, kOrangeTurned);
    ASSERT_EQ(panel.HotGradientSteps.size(), 1u);
    EXPECT_EQ(panel.HotGradientSteps[0].Color1, kOrangeTurned);
    EXPECT_EQ(panel.HotGradientSteps[0].Color2, kGreen);
}

TEST_F(SkinManagerTest, ColourChangesOfALoadedSkinReloadItFromItsSource) {
    manager_->SetSkinName("Test");
    manager_->SetHueOffset(120);
    EXPECT_EQ(MasterPixel(0), kGreen);
    EXPECT_TRUE(manager_->SkinData.Loaded);
    manager_->SetHueOffset(0);
    EXPECT_EQ(MasterPixel(0), kRed); // from the source again, not turned back
}

TEST_F(SkinManagerTest, SaturationTakesTheRemainderOf101Negated) {
    manager_->SetSaturation(150); // applied as -49: away from grey
    manager_->SetSkinName("Test");
    EXPECT_EQ(Section("PANEL").Color, kOrangeAt49Away);
    EXPECT_EQ(MasterPixel(3), kOrangeAt49Away);
    EXPECT_EQ(MasterPixel(1), 0xFF00FF);
    EXPECT_EQ(MasterPixel(2), 0x808080);
    manager_->SetSaturation(49);
    EXPECT_EQ(Section("PANEL").Color, kOrangeAt49Away);
}

TEST_F(SkinManagerTest, CachedIndexes) {
    manager_->SetSkinName("Test");
    const TsCachedIndexes& c = manager_->CachedIndexes;
    EXPECT_EQ(c.GlobalInfoIndex, manager_->GetSectionIndex("GLOBALINFO"));
    EXPECT_EQ(c.BoxChecked, manager_->FindImageEntryIndex("GLOBALINFO", "BOXCHECKED"));
    EXPECT_GE(c.BoxChecked, 0);
    EXPECT_EQ(c.RadioChecked, -1);
    EXPECT_EQ(c.TabTop, manager_->GetSectionIndex("TABTOP"));
    EXPECT_EQ(c.TabTopBorder, manager_->FindImageEntryIndex("TABTOP", "BORDERSMASK"));
    EXPECT_GE(c.TabTopBorder, 0);
    EXPECT_EQ(c.TabBottom, -1);
    EXPECT_EQ(c.TabBottomBorder, -1);
    EXPECT_EQ(c.ScrollBtnTop.Section, -1);
    EXPECT_EQ(c.ScrollBtnTop.GlyphMask, -1);
    // COMBOBTN inherits PANEL's border, but the cached one is looked up without inheritance.
    EXPECT_GE(c.ComboBtn.Section, 0);
    EXPECT_GE(manager_->GetImageEntryIndex(c.ComboBtn.Section, "COMBOBTN", "BORDERSMASK"), 0);
    EXPECT_EQ(c.ComboBtn.BordersMask, -1);

    manager_->SetActive(false);
    EXPECT_EQ(manager_->CachedIndexes.GlobalInfoIndex, -1);
    EXPECT_EQ(manager_->CachedIndexes.TabTopBorder, -1);
}

TEST_F(SkinManagerTest, MaskFrameSizeAndMargins) {
    manager_->SetSkinName("Test");
    const int panel = manager_->FindImageEntryIndex("PANEL", "BORDERSMASK");
    ASSERT_GE(panel, 0);
    // (0,0,4,1) with one frame, no mask and border width 1.
    EXPECT_EQ(manager_->GetMaskFrameSize(panel).cx, 4);
    EXPECT_EQ(manager_->GetMaskFrameSize(panel).cy, 1);
    EXPECT_EQ(manager_->GetMaskWL(panel), 1);
    TsMaskData& m = manager_->MasksData[size_t(panel)];
    m.WL = m.WR = m.WB = 0;
    m.BorderWidth = 0;
    m.R = Rect(0, 0, 12, 6);
    m.ImageCount = 0; // read as one frame
    m.MaskType = 1;
    EXPECT_EQ(manager_->GetMaskWL(panel), 12 / 3);
    EXPECT_EQ(manager_->GetMaskWR(panel), 12 / 3);
    EXPECT_EQ(manager_->GetMaskWB(panel), 6 / 6);
    EXPECT_EQ(manager_->GetMaskFrameSize(panel).cx, 12);
    EXPECT_EQ(manager_->GetMaskFrameSize(panel).cy, 3);
    m.Bmp = std::make_unique<Bitmap>(9, 8, 24); // own bitmap: a third by a half
    EXPECT_EQ(manager_->GetMaskFrameSize(panel).cx, 3);
    EXPECT_EQ(manager_->GetMaskFrameSize(panel).cy, 4);
    EXPECT_EQ(manager_->GetMaskFrameSize(-1).cx, 0);
}

TEST_F(SkinManagerTest, GlobalColoursWithoutASkin) {
    EXPECT_EQ(manager_->SkinGlobalColor(), TColor(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(manager_->SkinGlobalFontColor(), 16711935);
    EXPECT_EQ(manager_->SkinGlobalHotColor(), TColor(GetSysColor(COLOR_WINDOW)));
}

TEST_F(SkinManagerTest, CommonSectionsAddNewSectionsAndImagesButLeaveLoadedOnesAlone) {
    manager_->SetSkinName("Test");
    manager_->SetCommonSections({
        "[MY PANEL]",
        "PARENTCLASS = panel",
        "HOTCOLOR=$00FF00",
        "TRANSPARENCY=-1", // -1 counts as absent
        "BORDERSMASK=Extra.bmp",
        "GLYPHMASK=#Glyph (0,0,2,1)",
        "[PANEL]",
        "COLOR=0",
        "SHADOWMASK=Extra.bmp",
        "[LONELY]",
        "SHOWFOCUS=True",
        "; a comment keeps its blanks",
    });
    EXPECT_EQ(manager_->CommonSections().back(), "; a comment keeps its blanks");
    const TsGeneralData& mine = Section("MYPANEL");
    EXPECT_EQ(mine.ParentClass, "PANEL");
    EXPECT_EQ(mine.Color, kOrange); // from its base section
    EXPECT_EQ(mine.HotColor, 0x00FF00);
    EXPECT_EQ(mine.Transparency, 0);
    EXPECT_EQ(Section("PANEL").Color, kOrange); // the skin's own section keeps its values
    int panels = 0;
    for (const auto& s : manager_->SectionsData) panels += s.SectionName == "PANEL";
    EXPECT_EQ(panels, 1);
    const TsGeneralData& lonely = Section("LONELY");
    EXPECT_EQ(lonely.ParentClass, "-1");
    EXPECT_TRUE(lonely.ShowFocus);
    EXPECT_EQ(lonely.Color, 0xFFFFFF);
    EXPECT_TRUE(lonely.GradientSteps.empty());

    const int border = manager_->FindImageEntryIndex("MYPANEL", "BORDERSMASK");
    ASSERT_GE(border, 0);
    ASSERT_TRUE(manager_->MasksData[size_t(border)].Bmp);
    EXPECT_EQ(manager_->MasksData[size_t(border)].Bmp->Width(), 6);
    EXPECT_EQ(WidthOf(manager_->MasksData[size_t(border)].R), 0);
    const int glyph = manager_->FindImageEntryIndex("MYPANEL", "GLYPHMASK");
    ASSERT_GE(glyph, 0);
    EXPECT_FALSE(manager_->MasksData[size_t(glyph)].Bmp);
    EXPECT_EQ(WidthOf(manager_->MasksData[size_t(glyph)].R), 2);
    // Images are added for sections of any name, also those the skin has.
    EXPECT_GE(manager_->FindImageEntryIndex("PANEL", "SHADOWMASK"), 0);
}

TEST_F(SkinManagerTest, BroadcastGoesToFormsLastMadeFirstThenToHookedForms) {
    auto* f1 = app_->CreateForm<RecordingForm>();
    f1->Record(&log_, false);
    f1->SetName("f1");
    auto* f2 = app_->CreateForm<RecordingForm>();
    f2->Record(&log_, false);
    f2->SetName("f2");
    auto* hooked = app_->CreateForm<RecordingForm>();
    hooked->Record(&log_, true);
    hooked->SetName("h");
    auto* loading = app_->CreateForm<RecordingForm>();
    loading->Record(&log_, false);
    loading->SetName("loading");
    auto* mdiChild = app_->CreateForm<RecordingForm>();
    mdiChild->Record(&log_, false);
    mdiChild->SetName("mdi");
    mdiChild->SetFormStyle(fsMDIChild);
    for (RecordingForm* f : {f1, f2, hooked, loading, mdiChild}) f->HandleNeeded();
    Child<RecordingWinControl>(f1, "c1", true)->HandleNeeded();
    Child<RecordingGraphic>(f2, "g2", false);
    Child<RecordingWinControl>(hooked, "hc", true)->HandleNeeded();
    AddHookedForm(hooked);
    loading->BeginLoading();

    manager_->SetSkinName("Test");
    const std::vector<std::string> round = {"f2", "g2", "f1", "c1", "h", "hc"};
    std::vector<std::string> expected;
    for (const char* code : {":1", ":16", ":3"})
        for (const std::string& who : round) expected.push_back(who + code);
    EXPECT_EQ(Broadcasts(), expected);

    log_.Entries.clear();
    manager_->SetActive(false);
    expected.clear();
    for (const std::string& who : round) expected.push_back(who + ":2");
    EXPECT_EQ(Broadcasts(), expected);
    EXPECT_TRUE(manager_->SectionsData.empty());
    EXPECT_FALSE(manager_->HookInstalled());
    EXPECT_EQ(manager_->SkinInfo(), "N/A");

    log_.Entries.clear();
    manager_->SetActive(true); // reloads from the source and applies again
    EXPECT_EQ(Broadcasts().size(), 3 * round.size());
    EXPECT_EQ(Broadcasts().front(), "f2:1");
    EXPECT_EQ(Section("PANEL").Color, kOrange);
    EXPECT_EQ(manager_->SkinInfo(), "5");

    RemoveHookedForm(hooked);
    loading->EndLoading();
}

TEST_F(SkinManagerTest, NoSkinAnywhereMakesTheManagerInactive) {
    manager_->SetSkinName("Missing");
    EXPECT_FALSE(manager_->Active());
    EXPECT_FALSE(manager_->SkinData.Loaded);
    EXPECT_TRUE(manager_->SectionsData.empty());
}

TEST_F(SkinManagerTest, StoredSkinIsTheFallback) {
    TsStoredSkins stored;
    TsStoredSkin& s = stored.Add();
    s.Name = "Inside";
    s.Version = 5.5;
    TsSkinGeneral g;
    g.SectionName = "PANEL";
    g.Color = kRed;
    s.GeneralData.push_back(g);
    manager_->SetInternalSkins(stored);
    manager_->SetHueOffset(120);
    manager_->SetSkinName("Missing");
    EXPECT_TRUE(manager_->Active());
    EXPECT_EQ(manager_->SkinName(), "Inside");
    EXPECT_EQ(manager_->SkinInfo(), "5.5");
    EXPECT_EQ(Section("PANEL").Color, kGreen);
}

TEST(SkinHookDecision, WhatEachWindowGets) {
    const unsigned all = kAllSkinningRules;
    struct Case {
        const char* what;
        TsHookWindowFacts facts;
        TsHookAction action;
    };
    auto activated = [&](const char* cls, bool ownForm) {
        TsHookWindowFacts f;
        f.WindowClass = cls;
        f.IsOwnForm = ownForm;
        f.HasDefaultManager = true;
        f.SkinningRules = all;
        return f;
    };
    auto with = [](TsHookWindowFacts f, auto change) {
        change(f);
        return f;
    };
    TsHookWindowFacts menu;
    menu.Creating = true;
    menu.WindowClass = "#32768";
    const Case cases[] = {
        {"menu window being created", menu, TsHookAction::MenuWindowAdapter},
        {"skinned menu window", with(menu, [](auto& f) { f.AnswersSkinned = true; }),
         TsHookAction::Nothing},
        {"other window being created", with(menu, [](auto& f) { f.WindowClass = "Button"; }),
         TsHookAction::Nothing},
        {"our form", activated("TForm", true), TsHookAction::FormProvider},
        {"our form, forms not skinned",
         with(activated("TForm", true), [](auto& f) { f.SkinningRules = srStdDialogs; }),
         TsHookAction::Nothing},
        {"calculator", with(activated("TForm", true), [](auto& f) { f.Caption = "Calculator"; }),
         TsHookAction::Nothing},
        {"Mgn", with(activated("TForm", true), [](auto& f) { f.Caption = "Mgn"; }),
         TsHookAction::Nothing},
        {"message dialog", activated("TMessageForm", true), TsHookAction::DialogAdapter},
        {"message dialog, dialogs not skinned",
         with(activated("TMessageForm", true), [](auto& f) { f.SkinningRules = srStdForms; }),
         TsHookAction::Nothing},
        {"application window", activated("TApplication", false), TsHookAction::Nothing},
        {"report preview", activated("TQRStandardPreview", true), TsHookAction::Nothing},
        {"already skinned form",
         with(activated("TForm", true), [](auto& f) { f.AnswersSkinned = true; }),
         TsHookAction::Nothing},
        {"already adapted",
         with(activated("TForm", true), [](auto& f) { f.AlreadyAdapted = true; }),
         TsHookAction::Nothing},
        {"no default manager",
         with(activated("TForm", true), [](auto& f) { f.HasDefaultManager = false; }),
         TsHookAction::Nothing},
        {"system dialog", activated("#32770", false), TsHookAction::SystemDialog},
        {"system dialog while another hooked window shows",
         with(activated("#32770", false), [](auto& f) { f.HookedWindowVisible = true; }),
         TsHookAction::Nothing},
        {"system dialog with a tool bar while another shows",
         with(activated("#32770", false),
              [](auto& f) { f.HookedWindowVisible = f.HasToolbarChild = true; }),
         TsHookAction::SystemDialog},
        {"system dialog, dialogs not skinned",
         with(activated("#32770", false), [](auto& f) { f.SkinningRules = srStdForms; }),
         TsHookAction::Nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecideHookAction(c.facts), c.action);
    }
}

namespace {
struct TestWrapper : TsHookedWrapper {
    explicit TestWrapper(HWND h, bool attached) : window(h), attached(attached) {}
    HWND Window() const override { return window; }
    bool Attached() const override { return attached; }
    HWND window;
    bool attached;
};
} // namespace

TEST_F(SkinManagerTest, ThreadHookGivesAnActivatedFormOneProvider) {
    std::vector<std::pair<TForm*, bool>> made;
    bool attach = true;
    TsSkinManager::MakeFormProvider = [&](TForm* form, TsSkinManager* m,
                                          bool skinMenu) -> std::unique_ptr<TsHookedWrapper> {
        EXPECT_EQ(m, manager_.get());
        made.emplace_back(form, skinMenu);
        return std::make_unique<TestWrapper>(form->Handle(), attach);
    };
    manager_->SetSkinName("Test");
    ASSERT_TRUE(manager_->HookInstalled());

    TForm* refused = app_->CreateForm<TForm>();
    attach = false; // a wrapper that cannot attach is dropped at once
    refused->Show();
    ProcessPendingMessages();
    EXPECT_TRUE(manager_->HookedWrappers().empty());

    attach = true;
    TForm* a = app_->CreateForm<TForm>();
    a->Show();
    ProcessPendingMessages();
    TForm* b = app_->CreateForm<TForm>();
    b->Show();
    ProcessPendingMessages();
    SetActiveWindow(a->Handle()); // a second activation: no second wrapper
    ProcessPendingMessages();
    ASSERT_GE(made.size(), 3u);
    EXPECT_EQ(std::count_if(made.begin(), made.end(), [&](auto& p) { return p.first == a; }), 1);
    EXPECT_TRUE(made.back().second); // an ordinary form gets its menu skinned too
    EXPECT_EQ(manager_->HookedWrappers().size(), 2u);

    manager_->SetActive(false); // removing the skin releases what the hook made
    EXPECT_TRUE(manager_->HookedWrappers().empty());
}

TEST_F(SkinManagerTest, ApplicationWindowHookSwallowsOnlyTheThemeChange) {
    std::vector<UINT> passed;
    const int id =
        AddWindowMessageHook(app_->Handle(), [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
            if (msg == 794 || msg >= WM_USER) passed.push_back(msg);
            return false;
        });
    for (UINT msg : {794u, 48307u, 48308u, WM_USER + 1}) SendMessage(app_->Handle(), msg, 0, 0);
    RemoveWindowMessageHook(id);
    // Without a menu engine both menu messages are left to the window.
    EXPECT_EQ(passed, (std::vector<UINT>{48307u, 48308u, WM_USER + 1}));
}
