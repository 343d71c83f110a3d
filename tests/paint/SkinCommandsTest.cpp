#include <vector>

#include "CommonDataTestFixture.h"

namespace {

LRESULT Send(TControl* c, unsigned code, LPARAM lParam = 0, unsigned lowWord = 0) {
    return SendSkinCommand(c, SkinCommandWParam(code, lowWord), lParam);
}

} // namespace

using SkinCommandsTest = CommonDataTest;

TEST_F(SkinCommandsTest, ARefreshFromAnotherManagerIsIgnoredButPassedOn) {
    AddSection("PANEL");
    auto* outer = Host(form_, "outer", 51, "PANEL");
    auto* inner = Host(outer, "inner", 51, "PANEL");
    outer->HandleNeeded();
    inner->HandleNeeded();
    TsSkinManager other(nullptr);
    for (TsCommonData* sd : {outer->SkinData.get(), inner->SkinData.get()}) {
        sd->CacheInvalid = false;
        sd->UpdateLock = true;
    }
    log_.Entries.clear();
    Send(outer, scRefresh, LPARAM(&other));
    EXPECT_EQ(log_.Entries, (std::vector<std::string>{"outer:3", "inner:3"}));
    EXPECT_FALSE(outer->SkinData->CacheInvalid);
    EXPECT_TRUE(inner->SkinData->UpdateLock);

    Send(outer, scRefresh, LPARAM(manager_.get()));
    for (TsCommonData* sd : {outer->SkinData.get(), inner->SkinData.get()}) {
        EXPECT_TRUE(sd->CacheInvalid);
        EXPECT_FALSE(sd->UpdateLock);
    }
}

TEST_F(SkinCommandsTest, ANewSkinLocksAndLooksTheIndexesUpAgain) {
    auto* outer = Host(form_, "outer", 51, "PANEL");
    auto* inner = Host<SkinnedGraphic>(outer, "inner", 51, "BUTTON");
    outer->HandleNeeded();
    EXPECT_EQ(outer->SkinData->SectionIndex, -1);
    AddSection("PANEL");
    AddSection("BUTTON");
    for (TsCommonData* sd : {outer->SkinData.get(), inner->SkinData.get()}) sd->UpdateLock = false;
    Send(outer, scSkinLoaded, LPARAM(manager_.get()));
    EXPECT_EQ(outer->SkinData->SectionIndex, 0);
    EXPECT_EQ(inner->SkinData->SectionIndex, 1);
    EXPECT_TRUE(outer->SkinData->UpdateLock);
    EXPECT_TRUE(inner->SkinData->UpdateLock);
}

TEST_F(SkinCommandsTest, RemovingTheSkinGivesAnEditItsSystemColoursBack) {
    TsGeneralData& edit = AddSection("EDIT", 0x102030);
    edit.FontColor[0] = 0x405060;
    struct Case {
        bool CustomColor, CustomFont;
    };
    for (const Case k : {Case{false, false}, Case{true, false}, Case{false, true}}) {
        auto* c = Host(form_, "edit", 97, "EDIT");
        c->HandleNeeded();
        c->SkinData->SizeCacheBitmap();
        c->SkinData->SetCustomColor(k.CustomColor);
        c->SkinData->SetCustomFont(k.CustomFont);
        c->SetColor(0x0A0B0C);
        c->Font().SetColor(0x0D0E0F);
        Send(c, scRemoveSkin, LPARAM(manager_.get()));
        TsCommonData& sd = *c->SkinData;
        EXPECT_EQ(sd.SectionIndex, -1);
        EXPECT_EQ(sd.BorderMaskIndex, -1);
        EXPECT_TRUE(sd.UpdateLock);
        EXPECT_TRUE(sd.CacheBitmap->Empty());
        EXPECT_EQ(c->Color(), k.CustomColor ? TColor(0x0A0B0C) : SysColor(COLOR_WINDOW));
        EXPECT_EQ(c->Font().Color(), k.CustomFont ? TColor(0x0D0E0F) : SysColor(COLOR_WINDOWTEXT));
        c->SetParent(nullptr);
    }
}

TEST_F(SkinCommandsTest, EverySkinDataOwnerAnswersThatItIsSkinned) {
    auto* plain = form_->Make<TCustomControl>();
    plain->SetParent(form_);
    plain->HandleNeeded();
    auto* unskinned = Host(form_, "unskinned", 0, "NOSUCH");
    unskinned->HandleNeeded();
    auto* graphic = Host<SkinnedGraphic>(form_, "graphic");
    EXPECT_FALSE(AskSkinCommand(plain, scIsSkinned));
    EXPECT_TRUE(AskSkinCommand(unskinned, scIsSkinned));
    EXPECT_TRUE(AskSkinCommand(graphic, scIsSkinned));
    EXPECT_TRUE(AskWindowSkinCommand(unskinned->Handle(), scIsSkinned));
}

TEST_F(SkinCommandsTest, TheBackgroundColourMixesTheParentsByTheTransparency) {
    // Per channel (T*(parent - colour) + colour*256) shr 8, T the percentage used as it is.
    AddSection("BLACK", RGB(0, 0, 0));
    AddSection("BLUEISH", RGB(0, 100, 200));
    struct Case {
        const char* Parent;
        TColor Color;
        int Transparency;
        bool CustomColor;
        TColor Expected;
    };
    const Case cases[] = {
        // (50*(0 - 255) + 255*256) shr 8 = 52530 shr 8 = 205.
        {"BLACK", RGB(255, 255, 255), 50, false, RGB(205, 205, 205)},
        // red (26*(0 - 255) + 255*256) shr 8 = 58650 shr 8 = 229, green 2600 shr 8 = 10,
        // blue (26*100 + 100*256) shr 8 = 28200 shr 8 = 110.
        {"BLUEISH", RGB(255, 0, 100), 26, false, RGB(229, 10, 110)},
        {"BLUEISH", RGB(255, 0, 100), 0, false, RGB(255, 0, 100)},
        {"BLUEISH", RGB(255, 0, 100), 100, false, RGB(0, 100, 200)},
        // The own colour (1, 2, 3) replaces the section's: over black (50*(0 - c) + c*256)
        // shr 8 gives 206 shr 8 = 0, 412 shr 8 = 1, 618 shr 8 = 2.
        {"BLUEISH", RGB(255, 0, 100), 0, true, RGB(1, 2, 3)},
        {"BLACK", RGB(255, 0, 100), 50, true, RGB(0, 1, 2)},
    };
    for (const Case& k : cases) {
        TsGeneralData& s = AddSection("CHILD", k.Color);
        s.Transparency = k.Transparency;
        auto* parent = Host(form_, "parent", 51, k.Parent);
        auto* child = Host<SkinnedGraphic>(parent, "child", 51, "CHILD");
        child->SetColor(RGB(1, 2, 3));
        child->SkinData->SetCustomColor(k.CustomColor);
        parent->HandleNeeded();
        ParentBgColor = KeyColor;
        Send(child, scGetBgColor);
        EXPECT_EQ(ParentBgColor, k.Expected) << k.Parent << " T" << k.Transparency;
        EXPECT_EQ(GetParentBgColor(child), k.Expected);
        parent->SetParent(nullptr);
        manager_->SectionsData.pop_back();
    }
    auto* unskinned = Host<SkinnedGraphic>(form_, "unskinned", 51, "NOSUCH");
    unskinned->SetColor(RGB(7, 8, 9));
    EXPECT_EQ(GetParentBgColor(unskinned), TColor(RGB(7, 8, 9)));
}

TEST_F(SkinCommandsTest, StateCommandsSetTheirFields) {
    AddSection("PANEL");
    AddSection("SEE").Transparency = 30;
    auto* c = Host(form_, "c", 51, "SEE");
    c->HandleNeeded();
    TsCommonData& sd = *c->SkinData;
    auto* painting = Host<SkinnedGraphic>(form_, "painting");

    Send(c, scSetUpdating, 0, 1);
    EXPECT_TRUE(sd.UpdateLock);
    Send(c, scSetUpdating, 0, 0);
    EXPECT_FALSE(sd.UpdateLock);
    Send(c, scLockCache, 0, 1);
    EXPECT_TRUE(sd.CacheLocked);
    Send(c, scLockCache, 0, 0);
    EXPECT_FALSE(sd.CacheLocked);
    Send(c, scSetPaintingChild, LPARAM(painting));
    EXPECT_EQ(sd.PaintingChild, painting);
    Send(c, scSetPaintingChild, 0);
    EXPECT_EQ(sd.PaintingChild, nullptr);

    sd.CacheInvalid = false;
    Send(c, scParentChanged, 0, 0);
    EXPECT_FALSE(sd.CacheInvalid);
    Send(c, scParentChanged, 0, 1); // only a transparent control cares
    EXPECT_TRUE(sd.CacheInvalid);
    sd.CacheInvalid = false;
    Send(c, scInvalidate);
    EXPECT_TRUE(sd.CacheInvalid);

    sd.CacheIncomplete = false;
    EXPECT_FALSE(AskSkinCommand(c, scIsIncomplete));
    Send(c, scNotFullyPainted);
    EXPECT_TRUE(sd.CacheIncomplete);
    EXPECT_TRUE(AskSkinCommand(c, scIsIncomplete));

    sd.CacheInvalid = false;
    sd.UpdateLock = false;
    EXPECT_FALSE(AskSkinCommand(c, scIsNotReady));
    sd.CacheInvalid = true;
    EXPECT_TRUE(AskSkinCommand(c, scIsNotReady));

    int stops = 0;
    sd.StopFading = [&] { ++stops; };
    Send(c, scStopFading, LPARAM(manager_.get()));
    EXPECT_EQ(stops, 1);
    Send(c, 13);
    Send(c, scBeginUpdate);
    Send(c, scEndUpdate);
    EXPECT_TRUE(sd.SkinActive());
}

TEST_F(SkinCommandsTest, TheImageBackgroundQueryLooksThroughFullyTransparentControls) {
    AddSection("PLAIN");
    AddSection("SHADED").GradientPercent = 30;
    AddSection("TEXTURED").ImagePercent = 10;
    AddSection("GLASS").Transparency = 100;
    struct Case {
        const char* Parent;
        const char* Section;
        bool Image;
    };
    const Case cases[] = {
        {"PLAIN", "PLAIN", false}, {"PLAIN", "SHADED", true}, {"PLAIN", "TEXTURED", true},
        {"PLAIN", "GLASS", false}, {"SHADED", "GLASS", true}, {"SHADED", "PLAIN", false},
        {"PLAIN", "NOSUCH", true},
    };
    for (const Case& k : cases) {
        auto* parent = Host(form_, "parent", 51, k.Parent);
        auto* c = Host(parent, "c", 51, k.Section);
        c->HandleNeeded();
        EXPECT_EQ(AskSkinCommand(c, scHasImageBackground), k.Image)
            << k.Section << " on " << k.Parent;
        parent->SetParent(nullptr);
    }
}

TEST_F(SkinCommandsTest, ATreeRefreshReachesTheChildrenOnlyOfAControlOverAnImage) {
    AddSection("SHADED").GradientPercent = 100;
    AddSection("SEE").Transparency = 50;
    AddSection("PLAIN");
    auto* shaded = Host(form_, "shaded", 51, "SHADED");
    for (const char* section : {"PLAIN", "SEE"}) {
        auto* c = Host(shaded, "c", 51, section);
        auto* child = Host<SkinnedGraphic>(c, "child", 51, "SEE");
        shaded->HandleNeeded();
        c->HandleNeeded();
        c->SkinData->CacheInvalid = false;
        child->SkinData->CacheInvalid = false;
        log_.Entries.clear();
        Send(c, scRefreshTree, 0, 1);
        const bool overImage = std::string(section) == "SEE";
        EXPECT_EQ(c->SkinData->CacheInvalid, overImage) << section;
        EXPECT_EQ(child->SkinData->CacheInvalid, overImage) << section;
        std::vector<std::string> refreshed;
        for (const std::string& e : log_.Entries)
            if (e.ends_with(":20")) refreshed.push_back(e);
        const std::vector<std::string> expected = overImage
                                                      ? std::vector<std::string>{"c:20", "child:20"}
                                                      : std::vector<std::string>{"c:20"};
        EXPECT_EQ(refreshed, expected) << section;
        c->SetParent(nullptr);
    }
}

TEST_F(SkinCommandsTest, UnknownCodesAreLeftToTheOwner) {
    auto* c = Host<SkinnedGraphic>(form_, "c");
    for (unsigned code : {4u, 23u, 26u, 27u, 60u}) {
        TMessage m{SM_ORVENCMD, SkinCommandWParam(code), 0, 0};
        EXPECT_FALSE(c->SkinData->HandleSkinCommand(m)) << code;
    }
    TMessage other{WM_PAINT};
    EXPECT_FALSE(c->SkinData->HandleSkinCommand(other));
}

TEST_F(SkinCommandsTest, AFormComponentAnswersFirst) {
    AddSection("PANEL");
    auto* c = Host<SkinnedGraphic>(form_, "c", 51, "PANEL");
    c->SkinData->FormCommand = [](TMessage& m) {
        if (SkinCommandCode(m.WParam) != scGetBgColor) return false;
        ParentBgColor = RGB(4, 5, 6);
        return true;
    };
    EXPECT_EQ(GetParentBgColor(c), TColor(RGB(4, 5, 6)));
    EXPECT_TRUE(AskSkinCommand(c, scIsSkinned));
}
