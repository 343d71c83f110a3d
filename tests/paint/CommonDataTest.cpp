#include <vector>

#include "CommonDataTestFixture.h"
#include "paint/sBitmapDC.h"
#include "toolkit/Canvas.h"

TEST_F(CommonDataTest, AControlWithoutSectionTakesTheDefaultOfItsKind) {
    struct Case {
        int Kind;
        const char* Section;
    };
    const Case cases[] = {
        {2, "EDIT"},         {8, "EDIT"},          {9, "TTESTHOST"},    {10, "EDIT"},
        {11, "COMBOBOX"},    {18, "COMBOBOX"},     {19, "BAR"},         {20, "BARTITLE"},
        {32, "CHECKBOX"},    {33, "RADIOBUTTON"},  {51, "PANEL"},       {52, "PANEL_LOW"},
        {53, "TOOLBAR"},     {55, "TTESTHOST"},    {56, "DRAGBAR"},     {57, "TABSHEET"},
        {58, "PANEL_LOW"},   {59, "PANEL"},        {60, "TOOLBAR"},     {74, "GROUPBOX"},
        {75, "SPLITTER"},    {82, "COMBOBOX"},     {92, "SPEEDBUTTON"}, {94, "BUTTON"},
        {95, "SPEEDBUTTON"}, {97, "EDIT"},         {98, "TOOLBUTTON"},  {141, "PAGECONTROL"},
        {142, "TTESTHOST"},  {143, "PAGECONTROL"}, {151, "STATUSBAR"},  {152, "CHECKBOX"},
        {161, "GAUGE"},      {165, "TRACKBAR"},    {224, "TTESTHOST"},  {226, "GROUPBOX"},
        {227, "EDIT"},       {1000, "TTESTHOST"},
    };
    for (const Case& c : cases) {
        SkinnedWin host(nullptr, nullptr, c.Kind);
        host.SkinData->Loaded();
        EXPECT_EQ(host.SkinData->SkinSection(), c.Section) << "kind " << c.Kind;
    }
}

TEST_F(CommonDataTest, ANamedSectionIsKeptByLoaded) {
    AddSection("PANEL");
    SkinnedWin host(nullptr, nullptr, 92);
    host.SkinData->SetSkinSection("panel");
    host.SkinData->Loaded();
    EXPECT_EQ(host.SkinData->SkinSection(), "PANEL");
    EXPECT_EQ(host.SkinData->SectionIndex, 0);
}

TEST_F(CommonDataTest, SettingTheSectionRefreshesOrRemovesTheSkin) {
    AddSection("PANEL");
    auto* c = Host(form_, "c");
    c->HandleNeeded();
    log_.Entries.clear();
    TsCommonData& sd = *c->SkinData;

    sd.SetSkinSection("panel");
    EXPECT_EQ(sd.SkinSection(), "PANEL");
    EXPECT_EQ(sd.SectionIndex, 0);
    EXPECT_EQ(log_.Entries, std::vector<std::string>{"c:3"});
    sd.SetSkinSection("PANEL"); // the same value: nothing happens
    EXPECT_EQ(log_.Entries.size(), 1u);

    sd.CacheBitmap->SetSize(20, 20);
    sd.SetSkinSection("NOSUCH");
    EXPECT_EQ(sd.SectionIndex, -1);
    EXPECT_FALSE(sd.SkinActive());
    EXPECT_EQ(log_.Entries.back(), "c:2");
    EXPECT_TRUE(sd.UpdateLock);
    EXPECT_TRUE(sd.CacheBitmap->Empty());

    sd.SetSkinSection("");
    EXPECT_EQ(sd.SkinSection(), "UNKNOWN");
}

TEST_F(CommonDataTest, IndexesComeFromTheManagersLookUps) {
    AddSection("PANEL");
    AddSection("BUTTON").ParentClass = "PANEL";
    const int border = AddImage("PANEL", "BORDERSMASK", {0, 0, 3, 3}, 1, 0);
    AddImage("BUTTON", "PATTERN", {0, 0, 2, 2}, 1, 0, itisaGlyph);
    const int pattern = AddImage("BUTTON", "PATTERN", {0, 0, 2, 2}, 1, 0, itisaTexture);
    SkinnedWin host(nullptr);
    host.SkinData->SetSkinSection("BUTTON");
    EXPECT_EQ(host.SkinData->SectionIndex, 1);
    EXPECT_EQ(host.SkinData->BorderMaskIndex, border); // inherited from PANEL
    EXPECT_EQ(host.SkinData->PatternIndex, pattern);   // textures only
    EXPECT_EQ(host.SkinData->HotPatternIndex, -1);
}

TEST_F(CommonDataTest, AnotherManagerIsUsedAndTheDefaultOneStoredAsNone) {
    AddSection("PANEL");
    TsSkinManager other(nullptr);
    other.SkinData.Loaded = true;
    TsGeneralData gd;
    gd.SectionName = "PANEL";
    other.SectionsData.push_back(gd);
    other.SectionsData.push_back(gd);
    other.SectionsData[0].SectionName = "OTHER";

    auto* c = Host(form_, "c", 0, "PANEL");
    c->HandleNeeded();
    log_.Entries.clear();
    TsCommonData& sd = *c->SkinData;
    sd.SetSkinManager(&other);
    EXPECT_EQ(sd.SkinManager(), &other);
    EXPECT_EQ(sd.SectionIndex, 1);
    EXPECT_EQ(log_.Entries, std::vector<std::string>{"c:3"});
    sd.SetSkinManager(manager_.get());
    EXPECT_EQ(sd.SkinManager(), nullptr);
    EXPECT_EQ(sd.GetSkinManager(), manager_.get());
    EXPECT_EQ(sd.SectionIndex, 0);
}

TEST_F(CommonDataTest, TheSkinIsActiveOnlyWithALoadedSkinAndAValidSection) {
    AddSection("PANEL");
    SkinnedWin host(nullptr);
    TsCommonData& sd = *host.SkinData;
    EXPECT_FALSE(sd.SkinActive());
    sd.SetSkinSection("PANEL");
    EXPECT_TRUE(sd.SkinActive());
    manager_->SkinData.Loaded = false;
    EXPECT_FALSE(sd.SkinActive(true));
    EXPECT_TRUE(sd.SkinActive(false));
}

TEST_F(CommonDataTest, OnlyKindsThatTrackTheMouseBecomeHot) {
    struct Case {
        int Kind;
        bool Hot;
    };
    const Case cases[] = {{0, true},    {50, true},   {51, false},  {74, false},
                          {75, true},   {109, true},  {110, false}, {140, true},
                          {141, false}, {161, false}, {162, true},  {300, true}};
    for (const Case& c : cases) {
        SkinnedGraphic host(nullptr, nullptr, c.Kind);
        host.SkinData->MouseOver = true;
        EXPECT_EQ(host.SkinData->IsHot(), c.Hot) << "kind " << c.Kind;
        host.SkinData->MouseOver = false;
        EXPECT_FALSE(host.SkinData->IsHot()) << "kind " << c.Kind;
        host.SkinData->Focused = true;
        EXPECT_TRUE(host.SkinData->IsHot()) << "kind " << c.Kind;
        host.SetEnabled(false);
        EXPECT_FALSE(host.SkinData->IsHot()) << "kind " << c.Kind;
    }
}

TEST_F(CommonDataTest, UpdatingFollowsTheParentsReadiness) {
    AddSection("PANEL");
    auto* parent = Host(form_, "parent", 51, "PANEL");
    auto* child = Host(parent, "child", 51, "PANEL");
    form_->HandleNeeded();
    parent->HandleNeeded();
    TsCommonData& p = *parent->SkinData;
    TsCommonData& c = *child->SkinData;
    p.UpdateLock = c.UpdateLock = false;
    p.CacheInvalid = false;
    EXPECT_FALSE(p.IsUpdating()); // a plain form is never "not ready"
    EXPECT_FALSE(c.IsUpdating());
    p.CacheInvalid = true;
    EXPECT_TRUE(c.IsUpdating());
    p.CacheInvalid = false;
    p.UpdateLock = true;
    EXPECT_TRUE(c.IsUpdating());
    p.UpdateLock = false;
    c.UpdateLock = true;
    EXPECT_TRUE(c.IsUpdating());
    c.UpdateLock = false;
    manager_->SkinData.Loaded = false;
    EXPECT_TRUE(c.IsUpdating());
    manager_->SkinData.Loaded = true;
    SkinnedWin orphan(nullptr);
    orphan.SkinData->UpdateLock = false;
    EXPECT_TRUE(orphan.SkinData->IsUpdating());
}

TEST_F(CommonDataTest, OnlyTransparentOrDisabledControlsOverAnImageNeedTheirParent) {
    AddSection("PLAIN");
    AddSection("SEE").Transparency = 40;
    AddSection("SHADED").GradientPercent = 100;
    auto* plainParent = Host(form_, "plainParent", 51, "PLAIN");
    auto* shadedParent = Host(form_, "shadedParent", 51, "SHADED");
    plainParent->HandleNeeded();
    shadedParent->HandleNeeded();
    struct Case {
        TWinControl* Parent;
        const char* Section;
        bool Enabled;
        bool Needs;
    };
    const Case cases[] = {
        {plainParent, "PLAIN", true, false},  {plainParent, "SEE", true, false},
        {plainParent, "PLAIN", false, false}, {shadedParent, "PLAIN", true, false},
        {shadedParent, "SEE", true, true},    {shadedParent, "PLAIN", false, true},
        {shadedParent, "NOSUCH", true, true},
    };
    for (const Case& k : cases) {
        auto* c = Host(k.Parent, "c", 51, k.Section);
        c->SetEnabled(k.Enabled);
        EXPECT_EQ(c->SkinData->NeedsParentImage(), k.Needs)
            << k.Section << (k.Enabled ? " enabled" : " disabled") << " on " << k.Parent->Name();
        c->SkinData->CacheLocked = true;
        EXPECT_TRUE(c->SkinData->NeedsParentImage());
        c->SetParent(nullptr);
    }
}

TEST_F(CommonDataTest, TheParentsCacheIsAskedFor) {
    AddSection("PANEL");
    auto* parent = Host(form_, "parent", 51, "PANEL");
    auto* child = Host<SkinnedGraphic>(parent, "child", 51, "PANEL");
    parent->HandleNeeded();
    EXPECT_FALSE(child->SkinData->QueryParentBackground().Usable); // an empty cache
    parent->SkinData->SizeCacheBitmap();
    ASSERT_EQ(parent->SkinData->CacheBitmap->Width(), 20);
    const ParentCacheInfo info = child->SkinData->QueryParentBackground();
    EXPECT_TRUE(info.Usable);
    EXPECT_EQ(info.Bitmap, parent->SkinData->CacheBitmap.get());
    EXPECT_EQ(info.X, 0);
    EXPECT_EQ(info.Y, 0);
    // A plain form has no cache; neither has a control without parent.
    EXPECT_FALSE(parent->SkinData->QueryParentBackground().Usable);
    SkinnedWin orphan(nullptr);
    EXPECT_FALSE(orphan.SkinData->QueryParentBackground().Usable);
    // The window variant asks the parent window.
    auto* windowed = Host(parent, "windowed", 51, "PANEL");
    EXPECT_TRUE(TsCommonData::QueryParentBackground(windowed->Handle()).Usable);
}

TEST_F(CommonDataTest, MessagesKeepTheInputStates) {
    AddSection("PANEL");
    auto* c = Host(form_, "c", 0, "PANEL");
    c->SetTabStop(true);
    form_->Show();
    TsCommonData& sd = *c->SkinData;
    sd.CacheInvalid = false;
    c->SetFocus();
    EXPECT_TRUE(sd.Focused);
    EXPECT_TRUE(sd.CacheInvalid);
    c->Perform(CM_MOUSEENTER, 0, LPARAM(c));
    EXPECT_TRUE(sd.MouseOver);
    c->Perform(CM_MOUSELEAVE, 0, LPARAM(c));
    EXPECT_FALSE(sd.MouseOver);
    c->Perform(CM_MOUSEENTER, 0, LPARAM(c));
    c->SetEnabled(false);
    EXPECT_FALSE(sd.Focused);
    EXPECT_FALSE(sd.MouseOver);
    // The keyboard-cue update is swallowed while skinned.
    TMessage cues{WM_UPDATEUISTATE};
    EXPECT_TRUE(sd.HandleMessage(cues));
    sd.SetSkinSection("NOSUCH");
    EXPECT_FALSE(sd.HandleMessage(cues));

    auto* panel = Host(form_, "panel", 51, "PANEL");
    panel->Perform(CM_MOUSEENTER, 0, LPARAM(panel));
    EXPECT_FALSE(panel->SkinData->MouseOver); // panels never track the mouse
}

TEST_F(CommonDataTest, EnteringAContainerTellsItsHoveredSpeedButtonsToLeave) {
    AddSection("PANEL");
    AddSection("SPEEDBUTTON");
    auto* bar = Host(form_, "bar", 51, "PANEL");
    auto* a = Host<SkinnedGraphic>(bar, "a", 92, "SPEEDBUTTON");
    auto* b = Host<SkinnedGraphic>(bar, "b", 92, "SPEEDBUTTON");
    auto* other = Host<SkinnedGraphic>(bar, "other", 0, "PANEL");
    a->SkinData->MouseOver = b->SkinData->MouseOver = other->SkinData->MouseOver = true;
    bar->Perform(CM_MOUSEENTER, 0, LPARAM(b));
    EXPECT_FALSE(a->SkinData->MouseOver);
    EXPECT_TRUE(b->SkinData->MouseOver); // the one the mouse entered
    EXPECT_TRUE(other->SkinData->MouseOver);
}

TEST_F(CommonDataTest, UpdatesAreAnnouncedToTheOwner) {
    auto* c = Host(form_, "c");
    c->HandleNeeded();
    log_.Entries.clear();
    c->SkinData->BeginUpdate();
    EXPECT_TRUE(c->SkinData->UpdateLock);
    c->SkinData->EndUpdate();
    EXPECT_FALSE(c->SkinData->UpdateLock);
    EXPECT_EQ(log_.Entries, (std::vector<std::string>{"c:31", "c:32"}));
}

TEST_F(CommonDataTest, AnEditTakesTheSectionColoursUnlessItKeepsItsOwn) {
    TsGeneralData& edit = AddSection("EDIT", 0x102030);
    edit.FontColor[0] = 0x405060;
    struct Case {
        bool CustomColor, CustomFont;
    };
    for (const Case k : {Case{false, false}, Case{true, false}, Case{false, true}}) {
        auto* c = Host(form_, "edit", 97);
        c->SetColor(0x0A0B0C);
        c->Font().SetColor(0x0D0E0F);
        c->SkinData->SetCustomColor(k.CustomColor);
        c->SkinData->SetCustomFont(k.CustomFont);
        c->SkinData->Loaded();
        EXPECT_EQ(c->SkinData->SkinSection(), "EDIT");
        EXPECT_EQ(c->Color(), k.CustomColor ? TColor(0x0A0B0C) : TColor(0x102030));
        EXPECT_EQ(c->Font().Color(), k.CustomFont ? TColor(0x0D0E0F) : TColor(0x405060));
        c->SetParent(nullptr);
    }
}

TEST_F(CommonDataTest, DisabledTextMixesFontAndBackgroundColours) {
    TsGeneralData& s = AddSection("PANEL", RGB(255, 255, 255));
    s.FontColor = {RGB(0, 100, 200), -1, -1, -1, -1};
    s.HotFontColor = {RGB(9, 8, 7), -1, -1, -1, -1};
    auto* c = Host(form_, "c", 0, "PANEL");
    Bitmap target(40, 20, 24);
    TsBitmapDC dc(target);
    TCanvas canvas(dc.Handle());
    RECT r{0, 0, 40, 20};
    // round(0.4 * (font - back) + back) per channel: 153, 193, 233.
    WriteSkinText(canvas, "x", false, false, *c->SkinData, 0, r);
    EXPECT_EQ(canvas.Font.Color(), TColor(RGB(153, 193, 233)));
    WriteSkinText(canvas, "x", true, true, *c->SkinData, 0, r);
    EXPECT_EQ(canvas.Font.Color(), TColor(RGB(9, 8, 7)));
    c->Font().SetColor(RGB(1, 2, 3));
    c->SkinData->SetCustomFont(true);
    WriteSkinText(canvas, "x", true, false, *c->SkinData, 0, r);
    EXPECT_EQ(canvas.Font.Color(), TColor(RGB(1, 2, 3)));
}
