// Drawing menu items: the popup backdrop built once per popup, popup items at their
// rectangles (hot, disabled, after a column break, right-aligned), separators, caption items,
// and menu-bar items over the band of the form skinning.
#include <algorithm>

#include "MenuTestFixture.h"
#include "platform/window/WindowSystem.h"

using menutest::Surface;

namespace {

constexpr TColor Red = RGB(255, 0, 0);

// Items measured by the program: every one 80 x 22.
void FixedSize(TMenuItem* item) {
    item->OnMeasureItem = [](TMenuItem*, TCanvas&, int& width, int& height) {
        width = 80;
        height = 22;
    };
}

// The leftmost column of [left, right) x [top, bottom) where text (smoothed, so anything
// but the background) shows, or -1.
int LeftmostInk(const Surface& s, TColor background, RECT area) {
    for (int x = area.left; x < area.right; ++x)
        for (int y = area.top; y < area.bottom; ++y)
            if (s.At(x, y) != background) return x;
    return -1;
}

} // namespace

class MenuDrawTest : public MenuSkinTest {
  protected:
    void SetUp() override {
        MenuSkinTest::SetUp();
        AddMenuSections();
    }
    void Draw(TMenuItem* item, Surface& s, RECT r, TOwnerDrawState state = 0) {
        menus_->PopupDraw(item, s.canvas, r, state);
    }
};

TEST_F(MenuDrawTest, TheBackdropIsBuiltOncePerPopupWithItsIconColumn) {
    AddSection("ICOLINE", RGB(90, 10, 200));
    manager_->MenuSupport.IcoLineSkin = "ICOLINE";
    TMenuItem* first = Item(file_, "One");
    menus_->PrepareBackdrop(first, 60, 40, nullptr);
    Bitmap* backdrop = PopupState().Backdrop.get();
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(backdrop->Width(), 60);
    EXPECT_EQ(backdrop->Height(), 40);
    // No border image: the icon column (Margin 3 + glyph 16 + Spacing 6) starts at x 0.
    EXPECT_EQ(PopupState().IconColumnWidth, 25);
    EXPECT_EQ(backdrop->GetPixel(0, 0) & 0xFFFFFF, RGB(90, 10, 200));
    EXPECT_EQ(backdrop->GetPixel(24, 39) & 0xFFFFFF, RGB(90, 10, 200));
    EXPECT_EQ(backdrop->GetPixel(25, 0) & 0xFFFFFF, menutest::Backdrop);

    // The same popup again: the very bitmap, untouched.
    backdrop->SetPixel(50, 5, menutest::Sentinel);
    menus_->PrepareBackdrop(first, 60, 40, nullptr);
    EXPECT_EQ(PopupState().Backdrop.get(), backdrop);
    EXPECT_EQ(backdrop->GetPixel(50, 5) & 0xFFFFFF, menutest::Sentinel);
    // The same popup grown: built anew at its new size.
    menus_->PrepareBackdrop(first, 60, 52, nullptr);
    EXPECT_EQ(PopupState().Backdrop->Height(), 52);
    EXPECT_EQ(PopupState().Backdrop->GetPixel(50, 5) & 0xFFFFFF, menutest::Backdrop);
    backdrop = PopupState().Backdrop.get();
    backdrop->SetPixel(50, 5, menutest::Sentinel);
    // Another popup: built anew.
    TMenuItem* other = Item(Item(file_, "Sub"), "Inner");
    menus_->PrepareBackdrop(other, 60, 52, nullptr);
    EXPECT_EQ(PopupState().FirstItem, other);
    EXPECT_EQ(PopupState().Backdrop->GetPixel(50, 5) & 0xFFFFFF, menutest::Backdrop);
}

TEST_F(MenuDrawTest, TheExtraLineIsAStripWithItsCaptionReadingUpward) {
    constexpr TColor Strip = RGB(20, 40, 60);
    AddSection("EXTRALINE", Strip).FontColor[0] = RGB(255, 255, 0);
    AddSection("ICOLINE", RGB(90, 10, 200));
    manager_->MenuSupport.IcoLineSkin = "ICOLINE";
    manager_->MenuSupport.UseExtraLine = true;
    menus_->PrepareBackdrop(Item(file_, "One"), 80, 300, nullptr);
    const Bitmap& b = *PopupState().Backdrop;
    // 32 pixels of strip (no border image: from x 0), then the icon column.
    EXPECT_EQ(b.GetPixel(0, 0) & 0xFFFFFF, Strip);
    EXPECT_EQ(b.GetPixel(31, 299) & 0xFFFFFF, Strip);
    EXPECT_EQ(b.GetPixel(32, 0) & 0xFFFFFF, RGB(90, 10, 200));
    // The reminder text stands from 12 pixels above the bottom upward, taller than wide.
    int top = 300, bottom = -1, left = 32, right = -1;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 32; ++x)
            if ((b.GetPixel(x, y) & 0xFFFFFF) != Strip) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_LE(bottom, 300 - 12);
    EXPECT_GE(bottom, 300 - 12 - 2);
    EXPECT_GT(bottom - top, 100);
    EXPECT_LT(right - left, 20);
}

TEST_F(MenuDrawTest, PopupItemsFillTheirRectanglesOnlyAndAskForShaping) {
    TMenuItem* open = Item(file_, "Open");
    TMenuItem* save = Item(file_, "Save");
    FixedSize(open);
    FixedSize(save);
    Surface s(100, 60);
    // Two items of 80 x 22: the popup is 92 x 44 inside a frame of 3.
    Draw(save, s, RECT{0, 22, 92, 44});
    ASSERT_NE(PopupState().Backdrop, nullptr);
    EXPECT_EQ(PopupState().Backdrop->Width(), 98);
    EXPECT_EQ(PopupState().Backdrop->Height(), 50);
    for (POINT p : {POINT{0, 22}, POINT{91, 22}, POINT{0, 43}, POINT{91, 43}})
        EXPECT_EQ(s.At(p.x, p.y), menutest::ItemColor) << p.x << "," << p.y;
    for (POINT p : {POINT{92, 22}, POINT{0, 21}, POINT{0, 44}})
        EXPECT_EQ(s.At(p.x, p.y), menutest::Sentinel) << p.x << "," << p.y;

    // Selected: the hot look.
    Draw(open, s, RECT{0, 0, 92, 22}, odSelected);
    EXPECT_EQ(s.At(0, 0), menutest::ItemHot);
    EXPECT_EQ(s.At(91, 21), menutest::ItemHot);

    // Without the pop-up's window at hand the application window is asked to shape it,
    // once however many items were drawn.
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, Application->Handle(), 48307, 48307, PM_REMOVE));
    EXPECT_EQ(m.lParam, LPARAM(reinterpret_cast<uintptr_t>(save)));
    EXPECT_FALSE(PeekMessage(&m, Application->Handle(), 48307, 48308, PM_REMOVE));
}

TEST_F(MenuDrawTest, ADisabledItemKeepsFortyPercentOverTheBackdropButNotOverItsKeyPixels) {
    TMenuItem* open = Item(file_, "Open");
    FixedSize(open);
    open->SetEnabled(false);
    // The popup's backdrop, prepared at the size the drawing will ask for, with a key-colour
    // area behind the item's right half.
    menus_->PrepareBackdrop(open, 98, 28, nullptr);
    Bitmap& backdrop = *PopupState().Backdrop;
    for (int y = 0; y < 28; ++y)
        for (int x = 50; x < 98; ++x) backdrop.SetPixel(x, y, KeyColor);
    Surface s(100, 30);
    Draw(open, s, RECT{0, 0, 92, 22});
    // round(b - 0.4 (b - m)) per channel: 200 - 64, 180 - 40, 160 - 16.
    EXPECT_EQ(s.At(0, 0), RGB(136, 140, 144));
    EXPECT_EQ(s.At(44, 21), RGB(136, 140, 144));
    // Client x 47 lies at backdrop x 50.
    EXPECT_EQ(s.At(47, 0), menutest::ItemColor);
    EXPECT_EQ(s.At(91, 21), menutest::ItemColor);
}

TEST_F(MenuDrawTest, AColumnBreakEndsTheExtraLineOffsetAndCopiesTheGap) {
    manager_->MenuSupport.UseExtraLine = true;
    TMenuItem* a = Item(file_, "");
    TMenuItem* b = Item(file_, "");
    b->SetBreak(mbBreak);
    FixedSize(a);
    FixedSize(b);
    Surface s(200, 30);
    // Columns of 92 with a gap of 4: the popup is 188 x 22.
    Draw(a, s, RECT{0, 0, 92, 22});
    EXPECT_EQ(PopupState().Backdrop->Width(), 194);
    // The first column's item starts after the extra line's 32 pixels.
    EXPECT_EQ(s.At(31, 0), menutest::Sentinel);
    EXPECT_EQ(s.At(32, 0), menutest::ItemColor);
    EXPECT_EQ(s.At(91, 21), menutest::ItemColor);
    Draw(b, s, RECT{96, 0, 188, 22});
    EXPECT_EQ(s.At(96, 0), menutest::ItemColor);
    EXPECT_EQ(s.At(187, 21), menutest::ItemColor);
    // The gap left of the break item comes from the backdrop.
    for (int x = 92; x < 96; ++x) EXPECT_EQ(s.At(x, 10), menutest::Backdrop) << x;
}

TEST_F(MenuDrawTest, ACaptionBeginningWithBackspaceIsRightAligned) {
    manager_->SectionsData[size_t(manager_->GetSectionIndex("MENUITEM"))].FontColor[0] = Red;
    TMenuItem* left = Item(file_, "AB");
    TMenuItem* right = Item(file_, "\bAB");
    FixedSize(left);
    FixedSize(right);
    Surface s(100, 50);
    Draw(left, s, RECT{0, 0, 92, 22});
    Draw(right, s, RECT{0, 22, 92, 44});
    // Left: the text starts after glyph 16, 2 x Margin and Spacing.
    const int l = LeftmostInk(s, menutest::ItemColor, RECT{0, 0, 92, 22});
    EXPECT_GE(l, 28);
    EXPECT_LE(l, 30);
    // Right: the text and its six blanks end at the item's right edge.
    const int r = LeftmostInk(s, menutest::ItemColor, RECT{0, 22, 92, 44});
    const int start = 92 - MenuTextWidth("AB      ");
    EXPECT_GE(r, start);
    EXPECT_LE(r, start + 2);
}

TEST_F(MenuDrawTest, ACheckedItemShowsTheCheckFrameOfItsState) {
    // "CHECK" of "GLOBALINFO": two 4 x 4 frames, normal and hot.
    constexpr TColor Frames[2] = {RGB(0, 200, 0), RGB(0, 0, 200)};
    for (int f = 0; f < 2; ++f)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) manager_->MasterBitmap->SetPixel(4 * f + x, y, Frames[f]);
    AddSection("GLOBALINFO");
    AddImage("GLOBALINFO", "CHECK", RECT{0, 0, 8, 4}, 2, 0, itisaGlyph);
    TMenuItem* checked = Item(file_, "");
    FixedSize(checked);
    checked->SetChecked(true);
    Surface s(100, 30);
    // At x = Margin, centred in the item's 22 rows: rows 9 to 12.
    Draw(checked, s, RECT{0, 0, 92, 22});
    EXPECT_EQ(s.At(2, 9), menutest::ItemColor);
    EXPECT_EQ(s.At(3, 9), Frames[0]);
    EXPECT_EQ(s.At(6, 12), Frames[0]);
    EXPECT_EQ(s.At(7, 12), menutest::ItemColor);
    EXPECT_EQ(s.At(3, 13), menutest::ItemColor);
    Draw(checked, s, RECT{0, 0, 92, 22}, odSelected);
    EXPECT_EQ(s.At(3, 9), Frames[1]);
}

TEST_F(MenuDrawTest, SeparatorsUseTheDividerImageOrElseAnEtchedLine) {
    TMenuItem* line = Item(file_, "-");
    // A popup 60 wide: measured 48, and the system adds 12.
    line->OnMeasureItem = [](TMenuItem*, TCanvas&, int& width, int& height) {
        width = 48;
        height = 2;
    };
    Surface s(60, 20);
    Draw(line, s, RECT{0, 0, 60, 2});
    for (int x = 0; x < 60; ++x) {
        ASSERT_EQ(s.At(x, 0), TColor(0x808080)) << x;
        ASSERT_EQ(s.At(x, 1), TColor(0xFFFFFF)) << x;
    }
    EXPECT_EQ(s.At(0, 2), menutest::Sentinel);

    // A divider image: tiled from the icon column + 2 (3 + 16 + 6 + 2 = 27) to 2 x Margin +
    // Spacing (12) before the right edge; the rest shows the backdrop.
    ResetPopupState();
    constexpr TColor Divider = RGB(0, 100, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) manager_->MasterBitmap->SetPixel(x, y, Divider);
    AddSection("DIVIDERV");
    AddImage("DIVIDERV", "BORDERSMASK", RECT{0, 0, 3, 2}, 1, 0);
    Surface d(60, 20);
    Draw(line, d, RECT{0, 0, 60, 2});
    EXPECT_EQ(d.At(26, 0), menutest::Backdrop);
    EXPECT_EQ(d.At(27, 0), Divider);
    EXPECT_EQ(d.At(47, 1), Divider);
    EXPECT_EQ(d.At(48, 0), menutest::Backdrop);
}

TEST_F(MenuDrawTest, ACaptionItemShowsItsWordCentredOverTheToolBarLook) {
    constexpr TColor Bar = RGB(0, 0, 160);
    AddSection("TOOLBAR", Bar).FontColor[0] = Red;
    TMenuItem* caption = Item(file_, "-Options-");
    FixedSize(caption);
    Surface s(100, 30);
    Draw(caption, s, RECT{0, 0, 92, 22});
    // The tool-bar look is inset by one pixel; the backdrop shows around it.
    EXPECT_EQ(s.At(0, 0), menutest::Backdrop);
    EXPECT_EQ(s.At(91, 21), menutest::Backdrop);
    EXPECT_EQ(s.At(1, 1), Bar);
    EXPECT_EQ(s.At(90, 20), Bar);
    // The word without its hyphens, centred in the caption font.
    menutest::Surface m(4, 4);
    m.canvas.Font.Assign(menus_->CaptionFont);
    const int start = (92 - m.canvas.TextWidth("Options")) / 2;
    const int ink = LeftmostInk(s, Bar, RECT{1, 1, 91, 21});
    EXPECT_GE(ink, start);
    EXPECT_LE(ink, start + 2);
}

class MenuBarDrawTest : public MenuDrawTest {
  protected:
    // The bar band starts at window y 20; its colour is what a disabled item blends with.
    menutest::FakeLineHost host_{300, 19, 20, RGB(10, 200, 90)};
};

TEST_F(MenuBarDrawTest, BarItemsTakeTheItemLookAndFadeOverTheBandWhenDisabled) {
    TsMenuLineHost::Painting = &host_;
    Surface s(120, 60);
    const RECT r{10, 20, 50, 39};
    struct Case {
        bool enabled;
        TOwnerDrawState state;
        TColor corner;
    };
    // Disabled: (m*102 + band*153 + 127) >> 8 per channel: (40, 80, 120) over (10, 200, 90).
    const Case cases[] = {
        {true, 0, menutest::ItemColor},
        {true, odHotLight, menutest::ItemHot},
        {true, odSelected, menutest::ItemHot},
        {false, odSelected, RGB(22, 151, 102)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        file_->SetEnabled(c.enabled);
        menus_->TopLineDraw(file_, s.canvas, r, c.state);
        EXPECT_EQ(s.At(10, 20), c.corner);
        EXPECT_EQ(s.At(49, 38), c.corner);
        EXPECT_EQ(s.At(9, 20), menutest::Sentinel);
        EXPECT_EQ(s.At(50, 38), menutest::Sentinel);
    }
    // Without a host nothing is drawn.
    TsMenuLineHost::Painting = nullptr;
    Surface none(120, 60);
    menus_->TopLineDraw(file_, none.canvas, r, 0);
    EXPECT_EQ(none.At(10, 20), menutest::Sentinel);
}
