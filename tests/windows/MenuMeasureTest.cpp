// Menu items: their kinds from the caption, their measures, the popup size with a column
// break, the extra-line decision, and which handlers the hooking puts on and takes off.
#include <algorithm>
#include <cmath>

#include "MenuTestFixture.h"
#include "platform/menus/Menu.h"
#include "windows/sMenuItemKind.h"

TEST(MenuItemKindTest, KindsAndShownTextsFollowTheCaption) {
    struct Case {
        const char* caption;
        TsMenuItemType kind;
        const char* word; // what a caption item shows
        const char* shown;
        bool right;
    };
    const Case cases[] = {
        {"-", smDivider, "", "-", false},
        {"-Options-", smCaption, "Options", "-Options-", false},
        {"-Two words-", smCaption, "Two words", "-Two words-", false},
        {"-A-B-", smCaption, "A", "-A-B-", false},
        {"--", smCaption, "", "--", false},
        {"Open", smNormal, "Open", "Open", false},
        {"-Open", smNormal, "Open", "-Open", false},
        {"\bHelp", smNormal, "\bHelp", "Help      ", true},
        {"", smNormal, "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(MenuItemKindOf(c.caption), c.kind);
        if (c.kind == smCaption) {
            EXPECT_EQ(CaptionItemWord(c.caption), c.word);
        }
        EXPECT_EQ(ShownCaption(c.caption), c.shown);
        EXPECT_EQ(RightAlignedCaption(c.caption), c.right);
    }
}

TEST(MenuItemKindTest, HeightsRoundTheTextHeightHalfToEven) {
    struct Case {
        TsMenuItemType kind;
        int textHeight, glyphHeight, expected;
    };
    // 1.25 x 10 = 12.5 -> 12 and 1.25 x 14 = 17.5 -> 18 (halves to even); margins 2 x 3.
    const Case cases[] = {
        {smNormal, 10, 0, 12 + 6},  {smNormal, 14, 0, 18 + 6},   {smNormal, 13, 0, 16 + 6},
        {smNormal, 10, 16, 16 + 6}, {smCaption, 10, 40, 12 + 6}, {smDivider, 14, 16, 2},
    };
    for (const Case& c : cases) {
        TsPopupItemMeasure m;
        m.TextHeight = c.textHeight;
        m.GlyphHeight = c.glyphHeight;
        EXPECT_EQ(PopupItemHeight(c.kind, m), c.expected) << c.textHeight << " " << c.glyphHeight;
    }
}

TEST(MenuItemKindTest, APopupWithABreakIsAsWideAsItsColumnsAndTheGap) {
    // Column one: max(50, 70) + 12 = 82; the break adds 82 + 4; column two: max(40, 30) + 12.
    // Heights: 20 + 18 in the first column, 22 + 10 in the second.
    const std::vector<TsPopupEntrySize> entries = {
        {50, 20, false}, {70, 18, false}, {40, 22, true}, {30, 10, false}};
    EXPECT_EQ(PopupClientSize(entries), (SIZE{86 + 52, 38}));
    EXPECT_EQ(PopupClientSize({}), (SIZE{0, 0}));
}

TEST_F(MenuSkinTest, PopupItemsMeasureGlyphTextMarginsAndSpacing) {
    TMenuItem* separator = Item(file_, "-");
    TMenuItem* caption = Item(file_, "-Options-");
    TMenuItem* plain = Item(file_, "Open");
    TMenuItem* shortcut = Item(file_, "Save");
    shortcut->SetShortCutText("Ctrl+S");
    TMenuItem* glyphed = Item(file_, "Print");
    const HBITMAP glyph = CreateDIBSection(24, 30, 24);
    glyphed->SetBitmap(glyph);

    const int h = int(std::nearbyint(1.25 * MenuTextHeight()));
    struct Case {
        TMenuItem* item;
        int width, height;
    };
    // Width: 2 x glyph width + text + 3 x Margin + Spacing; the default glyph is 16 x 16.
    const Case cases[] = {
        {separator, 2 * 16 + 0 + 9 + 6, 2},
        {caption, 2 * 16 + MenuTextWidth("--Options--") + 15, h + 6},
        {plain, 2 * 16 + MenuTextWidth("Open") + 15, std::max(h, 16) + 6},
        {shortcut, 2 * 16 + MenuTextWidth("SaveCtrl+S") + 15, std::max(h, 16) + 6},
        {glyphed, 2 * 24 + MenuTextWidth("Print") + 15, std::max(h, 30) + 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item->Caption());
        int width = 0, height = 0;
        Measure(c.item, width, height);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
    EXPECT_TRUE(PopupState().Measuring);
    EXPECT_EQ(PopupState().LastItemKind, smNormal);
    int width = 0, height = 0;
    Measure(caption, width, height);
    EXPECT_EQ(PopupState().LastItemKind, smCaption);
    glyphed->SetBitmap(nullptr);
    DeleteObject(glyph);
}

TEST_F(MenuSkinTest, BarItemsAreALineHighAndWideEnoughForTheirTextAndMargins) {
    file_->SetShortCutText("F2");
    menutest::Surface s(4, 4);
    // The text and shortcut, with a Margin on each side so that the drawing never cuts them.
    const int text = MenuTextWidth("FileF2") + 2 * 3;
    for (int proposed : {0, text - 1, text + 40}) {
        int width = proposed, height = 0;
        menus_->TopLineMeasure(file_, s.canvas, width, height);
        EXPECT_EQ(width, std::max(proposed, text)) << proposed;
        EXPECT_EQ(height, GetSystemMetrics(SM_CYMENU) - 1);
    }
}

TEST_F(MenuSkinTest, TheExtraLineWidensOnlyItemsOfTheFirstColumn) {
    manager_->MenuSupport.UseExtraLine = true;
    TMenuItem* first = Item(file_, "One");
    TMenuItem* second = Item(file_, "Two");
    second->SetBreak(mbBreak);
    TMenuItem* third = Item(file_, "Three");
    const int base = 2 * 16 + 15;
    int width = 0, height = 0;
    Measure(first, width, height);
    EXPECT_EQ(width, base + MenuTextWidth("One") + 32);
    Measure(second, width, height);
    EXPECT_EQ(width, base + MenuTextWidth("Two"));
    Measure(third, width, height);
    EXPECT_EQ(width, base + MenuTextWidth("Three"));
    EXPECT_EQ(menus_->ExtraLineFactor(*first), 1);
    EXPECT_EQ(menus_->ExtraLineFactor(*third), 0);

    // Without the extra line nobody gets it.
    manager_->MenuSupport.UseExtraLine = false;
    Measure(first, width, height);
    EXPECT_EQ(width, base + MenuTextWidth("One"));
}

TEST_F(MenuSkinTest, TheExtraLineIsDecidedOncePerPopup) {
    TMenuItem* first = Item(file_, "One");
    // No handler: the line shows with the reminder text.
    menus_->DecideExtraLine(first);
    EXPECT_TRUE(PopupState().ExtraLineDecided);
    EXPECT_TRUE(PopupState().ExtraLineVisible);
    EXPECT_EQ(PopupState().ExtraLineSection, "EXTRALINE");
    EXPECT_EQ(PopupState().ExtraLineCaption, "Don`t forget OnGetExtraLineData event...");

    // A handler is asked once; its caption loses its "&"; a hidden line drops its glyph.
    int asked = 0;
    manager_->OnGetMenuExtraLineData = [&](TMenuItem* item, std::string& section,
                                           std::string& caption, std::unique_ptr<Bitmap>& glyph,
                                           bool& visible) {
        ++asked;
        EXPECT_EQ(item, first);
        EXPECT_EQ(section, "EXTRALINE");
        EXPECT_TRUE(visible);
        section = "MYLINE";
        caption = "&Skins && more";
        glyph = std::make_unique<Bitmap>(4, 4, 24);
        visible = false;
    };
    ResetPopupState();
    menus_->DecideExtraLine(first);
    menus_->DecideExtraLine(first);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(PopupState().ExtraLineSection, "MYLINE");
    EXPECT_EQ(PopupState().ExtraLineCaption, "Skins  more");
    EXPECT_FALSE(PopupState().ExtraLineVisible);
    EXPECT_EQ(PopupState().ExtraLineGlyph, nullptr);

    // The skin submenu of the system menu never shows it and asks nobody.
    ResetPopupState();
    first->SetName("SkinSelectItem");
    menus_->DecideExtraLine(first);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(PopupState().ExtraLineVisible);
    EXPECT_FALSE(PopupState().ExtraLineDecided);
}

TEST_F(MenuSkinTest, HookingKeepsTheProgramsHandlersAndUnhookingClearsOnlyOurs) {
    manager_->SkinData.Loaded = true;
    TMenuItem* own = Item(file_, "Own");
    TMenuItem* plain = Item(file_, "Plain");
    TMenuItem* deep = Item(plain, "Deep");
    int ownMeasures = 0;
    own->OnMeasureItem = [&](TMenuItem*, TCanvas&, int&, int&) { ++ownMeasures; };
    own->OnDrawItem = [](TMenuItem*, TCanvas&, const RECT&, bool) {};
    form_->SetMenu(menu_);

    menus_->ApplyActive(true);
    EXPECT_TRUE(menus_->HooksActive());
    EXPECT_TRUE(menu_->OwnerDraw());
    // The bar item takes the top-line handlers, the items below the popup ones.
    EXPECT_TRUE(file_->OnMeasureItem && file_->OnAdvancedDrawItem);
    EXPECT_TRUE(plain->OnMeasureItem && plain->OnAdvancedDrawItem);
    EXPECT_TRUE(deep->OnMeasureItem && deep->OnAdvancedDrawItem);
    EXPECT_FALSE(own->OnAdvancedDrawItem); // the program draws it through OnDrawItem
    menutest::Surface s(4, 4);
    int width = 0, height = 0;
    own->MeasureItem(s.canvas, width, height);
    EXPECT_EQ(ownMeasures, 1);
    // A bar item measures a menu-bar line less one.
    file_->MeasureItem(s.canvas, width, height);
    EXPECT_EQ(height, GetSystemMetrics(SM_CYMENU) - 1);

    menus_->ApplyActive(false);
    EXPECT_FALSE(menu_->OwnerDraw());
    for (TMenuItem* item : {file_, plain, deep}) {
        EXPECT_FALSE(item->OnMeasureItem) << item->Caption();
        EXPECT_FALSE(item->OnAdvancedDrawItem) << item->Caption();
    }
    EXPECT_TRUE(own->OnMeasureItem);
    EXPECT_TRUE(own->OnDrawItem);

    // RefreshHooks follows whether a skin is loaded.
    menus_->RefreshHooks();
    EXPECT_TRUE(menus_->HooksActive());
    manager_->SkinData.Loaded = false;
    menus_->RefreshHooks();
    EXPECT_FALSE(menus_->HooksActive());
    EXPECT_FALSE(file_->OnMeasureItem);
}

TEST_F(MenuSkinTest, TheBarMeasuresAgainWhenItsHandlersChange) {
    manager_->SkinData.Loaded = true;
    form_->SetMenu(menu_);
    menu_->SetOwnerDraw(true); // owner-drawn already, as a skin switch leaves it
    form_->Show();
    const auto barWidth = [&] {
        RECT r{};
        GetMenuItemRect(form_->Handle(), menu_->Handle(), 0, &r);
        return int(WidthOf(r));
    };
    const int plain = barWidth();
    menus_->AttachMainMenu(menu_, true);
    EXPECT_EQ(barWidth(), MenuTextWidth("File") + 2 * 3);
    EXPECT_NE(barWidth(), plain);
    menus_->AttachMainMenu(menu_, false);
    EXPECT_EQ(barWidth(), plain);
}

TEST_F(MenuSkinTest, AHandlerLeftOnAnItemDoesNothingOnceItsEngineIsGone) {
    TMenuItem* item = Item(file_, "Open");
    menus_->AttachSingleItem(item, true);
    ASSERT_TRUE(item->OnMeasureItem);
    menus_.reset();
    menutest::Surface s(4, 4);
    int width = 7, height = 9;
    item->MeasureItem(s.canvas, width, height);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 9);
}
