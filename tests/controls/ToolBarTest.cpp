// The skinned tool bar: its frame and background from its cache, its buttons from
// "TOOLBUTTON" in the state the custom drawing and its own hot tracking give them.
#include "platform/controls/ToolBar.h"

#include "BarsTestFixture.h"
#include "platform/controls/CustomDraw.h"
#include "toolkit/ImageList.h"

using namespace bars;

namespace {

class SkinnedToolBarTest : public BarsTest {
  protected:
    // Buttons 0 and 1, a separator (2), a disabled button (3) and a drop-down button (4).
    void MakeBar(bool flat = false) {
        form_->BeginLoading();
        bar_ = form_->Make<TsToolBar>();
        bar_->SetName("bar");
        bar_->SetParent(form_);
        bar_->SetBounds(0, 0, 300, 37);
        bar_->SetButtonHeight(30);
        bar_->SetFlat(flat);
        const TToolButtonStyle styles[] = {tbsButton, tbsButton, tbsSeparator, tbsButton,
                                           tbsDropDown};
        int left = 0;
        for (const TToolButtonStyle style : styles) {
            auto* b = bar_->Make<TToolButton>();
            b->SetStyle(style);
            b->SetBounds(left, 0, style == tbsSeparator ? 8 : 23, 22);
            b->SetParent(bar_);
            buttons_.push_back(b);
            left += 30;
        }
        buttons_[3]->SetEnabled(false);
        form_->EndLoading();
        Show();
    }
    // A client pixel of the bar, whose frame is 2 pixels on top (two edges, ebTop).
    TColor ClientPixel(int x, int y) { return WindowPixel(bar_, x, y + 2); }
    POINT Middle(int index) {
        const RECT r = bar_->ToolButtonBounds(index);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void MoveTo(POINT p) { bar_->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }
    TsToolBar* bar_ = nullptr;
    std::vector<TToolButton*> buttons_;
};

TEST_F(SkinnedToolBarTest, FrameAndBackgroundComeFromTheCache) {
    MakeBar();
    EXPECT_STREQ(bar_->ClassName(), "TsToolBar");
    EXPECT_EQ(bar_->SkinData->SkinSection(), "TOOLBAR");
    EXPECT_EQ(bar_->BtnDisabledKind(), TsDisabledKind(dkBlended));
    // Row 0 of the window is the border's edge, row 1 the bar's colour inside it; the
    // client area starts at cache row 2, so it shows no edge.
    struct Case {
        int X, Y;
        TColor Expected;
    } const cases[] = {
        {150, 0, BarEdge},  {150, 1, BarColor},  {0, 0, BarEdge},
        {150, 4, BarColor}, {250, 20, BarColor}, // a client gap, right of the buttons
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowPixel(bar_, c.X, c.Y), c.Expected) << c.X << "," << c.Y;
    // The separator's place shows the bar's background.
    const POINT sep = Middle(2);
    EXPECT_EQ(ClientPixel(sep.x, sep.y), BarColor);
}

TEST_F(SkinnedToolBarTest, CacheOffsetIsTheFrameOnTheLeftAndTop) {
    MakeBar();
    struct Case {
        TEdgeBorders Edges;
        TEdgeStyle Inner, Outer;
        int BorderWidth;
        POINT Offset;
    } const cases[] = {
        {ebTop, esRaised, esLowered, 0, {0, 2}},
        {ebLeft | ebTop, esRaised, esNone, 0, {1, 1}},
        {ebLeft | ebBottom, esRaised, esLowered, 1, {4, 2}},
        {0, esRaised, esLowered, 3, {6, 6}},
    };
    for (const Case& c : cases) {
        bar_->SetEdgeBorders(c.Edges);
        bar_->SetEdgeInner(c.Inner);
        bar_->SetEdgeOuter(c.Outer);
        bar_->SetBorderWidth(c.BorderWidth);
        ParentCacheAnswer = ParentCacheInfo{};
        SendSkinCommand(bar_, SkinCommandWParam(scGetCache), 0);
        EXPECT_TRUE(ParentCacheAnswer.Usable);
        EXPECT_EQ(ParentCacheAnswer.Bitmap, bar_->SkinData->CacheBitmap.get());
        EXPECT_EQ(ParentCacheAnswer.X, c.Offset.x) << c.Edges << "/" << c.BorderWidth;
        EXPECT_EQ(ParentCacheAnswer.Y, c.Offset.y) << c.Edges << "/" << c.BorderWidth;
    }
}

TEST_F(SkinnedToolBarTest, HotTrackingMarksOneButtonAndSkipsDisabledOnes) {
    MakeBar();
    const POINT b0 = Middle(0), b1 = Middle(1);
    EXPECT_EQ(ClientPixel(b0.x, b0.y), Frame[0]);
    MoveTo(b0);
    EXPECT_EQ(bar_->TrackedButton, 0);
    EXPECT_EQ(ClientPixel(b0.x, b0.y), Frame[1]);
    MoveTo(b1);
    EXPECT_EQ(bar_->TrackedButton, 1);
    EXPECT_EQ(ClientPixel(b0.x, b0.y), Frame[0]);
    EXPECT_EQ(ClientPixel(b1.x, b1.y), Frame[1]);
    // Onto the disabled button: the previous one stays hot.
    MoveTo(Middle(3));
    EXPECT_EQ(bar_->TrackedButton, 1);
    // Onto the separator: no button is hot.
    MoveTo(Middle(2));
    EXPECT_EQ(bar_->TrackedButton, -1);
    EXPECT_EQ(ClientPixel(b1.x, b1.y), Frame[0]);
    MoveTo(b1);
    bar_->Perform(CM_MOUSELEAVE, 0, LPARAM(buttons_[1])); // a child left: still hot
    EXPECT_EQ(bar_->TrackedButton, 1);
    bar_->Perform(CM_MOUSELEAVE, 0, LPARAM(bar_));
    EXPECT_EQ(bar_->TrackedButton, -1);
    EXPECT_EQ(ClientPixel(b1.x, b1.y), Frame[0]);
}

TEST_F(SkinnedToolBarTest, ACheckedButtonIsPressedAndMovesItsImage) {
    MakeBar();
    const TColor ink = RGB(11, 22, 33);
    auto* images = form_->Make<TImageList>(4, 4);
    Bitmap square(4, 4, 24);
    square.Fill(ink);
    images->Add(square);
    buttons_[0]->SetImageIndex(0);
    bar_->SetImages(images);
    ProcessPendingMessages();
    const RECT r = bar_->ToolButtonBounds(0);
    // Without captions the image lies at ((23 - 4) div 2 + 1, (30 - 4) div 2) of the button;
    // pressed (state 2) one pixel further right and down.
    struct Case {
        bool Checked;
        POINT Image;
        TColor Frame;
    } const cases[] = {{false, {10, 13}, Frame[0]}, {true, {11, 14}, Frame[2]}};
    for (const Case& c : cases) {
        SendMessage(bar_->Handle(), TB_CHECKBUTTON, 1, MAKELPARAM(c.Checked ? 1 : 0, 0));
        bar_->Invalidate();
        ProcessPendingMessages();
        const int x = r.left + c.Image.x, y = r.top + c.Image.y;
        EXPECT_EQ(ClientPixel(x, y), ink) << c.Checked;
        EXPECT_EQ(ClientPixel(x + 3, y + 3), ink) << c.Checked;
        EXPECT_EQ(ClientPixel(x - 1, y), c.Frame) << c.Checked;
        EXPECT_EQ(ClientPixel(x + 4, y + 3), c.Frame) << c.Checked;
    }
}

TEST_F(SkinnedToolBarTest, AFlatBarTracksNoButtonOfItsOwn) {
    MakeBar(true);
    MoveTo(Middle(0));
    EXPECT_EQ(bar_->TrackedButton, -1);
}

TEST_F(SkinnedToolBarTest, ADisabledButtonLeavesSixtyPercentOfTheBar) {
    MakeBar();
    const POINT p = Middle(3);
    // 40 % of the normal frame over 60 % of the bar's colour, per channel.
    const auto mix = [](int button, int bar) { return (4 * button + 6 * bar) / 10; };
    const TColor expected = RGB(mix(GetRValue(Frame[0]), GetRValue(BarColor)),
                                mix(GetGValue(Frame[0]), GetGValue(BarColor)),
                                mix(GetBValue(Frame[0]), GetBValue(BarColor)));
    const TColor got = ClientPixel(p.x, p.y);
    EXPECT_NEAR(GetRValue(got), GetRValue(expected), 1);
    EXPECT_NEAR(GetGValue(got), GetGValue(expected), 1);
    EXPECT_NEAR(GetBValue(got), GetBValue(expected), 1);
}

TEST_F(SkinnedToolBarTest, TheDropPartIsPressedWhileTheMenuIsOpen) {
    MakeBar();
    const int index = 4;
    const RECT r = bar_->ToolButtonBounds(index);
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    const int available = WidthOf(r) - arrow;
    ASSERT_GT(available, 0);
    // The drop part fills (available, 0) - (width, height); the 2 x 2 glyph lies at
    // ((arrow - 2 - 3) div 2 + available + 2, (30 - 2) div 2) of the button.
    const POINT part{r.left + available + 1, r.top + 3};
    const POINT glyph{r.left + (arrow - 2 - 3) / 2 + available + 2, r.top + (30 - 2) / 2};
    EXPECT_EQ(ClientPixel(part.x, part.y), Frame[0]);
    EXPECT_EQ(ClientPixel(glyph.x, glyph.y), Glyph[0]);

    NMTOOLBAR dropped{};
    dropped.hdr.hwndFrom = bar_->Handle();
    dropped.hdr.code = TBN_DROPDOWN;
    dropped.iItem = index + 1;
    bar_->Perform(CN_NOTIFY, 0, LPARAM(&dropped));
    EXPECT_EQ(bar_->DroppedButton(), buttons_[index]);
    EXPECT_EQ(ClientPixel(part.x, part.y), Frame[2]);
    EXPECT_EQ(ClientPixel(glyph.x, glyph.y), Glyph[2]);
    // The button's own part is not pressed by its menu.
    EXPECT_EQ(ClientPixel(r.left + 2, part.y), Frame[0]);

    bar_->DropDownClosed();
    EXPECT_EQ(bar_->DroppedButton(), nullptr);
    EXPECT_EQ(ClientPixel(part.x, part.y), Frame[0]);
    EXPECT_EQ(ClientPixel(glyph.x, glyph.y), Glyph[0]);
}

TEST_F(SkinnedToolBarTest, CustomDrawStagesOwnedByTheSkinnedBar) {
    MakeBar();
    ASSERT_TRUE(bool(bar_->OnAdvancedCustomDraw));
    ASSERT_TRUE(bool(bar_->OnAdvancedCustomDrawButton));
    struct Case {
        TCustomDrawStage Stage;
        bool BarDefault;
    } const cases[] = {
        {cdPrePaint, true}, {cdPostPaint, false}, {cdPreErase, false}, {cdPostErase, false}};
    for (const Case& c : cases) {
        bool defaultDraw = !c.BarDefault;
        bar_->BarBackgroundHandler(bar_, RECT{0, 0, 1, 1}, c.Stage, defaultDraw);
        EXPECT_EQ(defaultDraw, c.BarDefault) << c.Stage;
        // The buttons are always the bar's to draw; flags are only set where it draws.
        TTBCustomDrawFlags flags = 0;
        defaultDraw = true;
        bar_->ToolButtonHandler(bar_, buttons_[0], 0, c.Stage, flags, defaultDraw);
        EXPECT_FALSE(defaultDraw) << c.Stage;
        EXPECT_EQ(flags, c.Stage == cdPrePaint ? tbNoEdges | tbNoEtchedEffect : 0u) << c.Stage;
    }

    // Without the skin the plain bar draws everything itself again.
    SendSkinCommand(bar_, SkinCommandWParam(scRemoveSkin), LPARAM(manager_.get()));
    EXPECT_FALSE(bool(bar_->OnAdvancedCustomDraw));
    EXPECT_FALSE(bool(bar_->OnAdvancedCustomDrawButton));
    bool defaultDraw = false;
    bar_->BarBackgroundHandler(bar_, RECT{0, 0, 1, 1}, cdPostPaint, defaultDraw);
    EXPECT_TRUE(defaultDraw);
    TTBCustomDrawFlags flags = 0;
    defaultDraw = false;
    bar_->ToolButtonHandler(bar_, buttons_[0], 0, cdPrePaint, flags, defaultDraw);
    EXPECT_TRUE(defaultDraw);
    EXPECT_EQ(flags, 0u);
    ProcessPendingMessages();
    EXPECT_NE(WindowPixel(bar_, 150, 0), BarEdge);

    // A refresh brings the skinned look back.
    bar_->SkinData->RefreshSkinIndexes();
    SendSkinCommand(bar_, SkinCommandWParam(scRefresh), LPARAM(manager_.get()));
    ProcessPendingMessages();
    EXPECT_TRUE(bool(bar_->OnAdvancedCustomDraw));
    EXPECT_EQ(WindowPixel(bar_, 150, 0), BarEdge);
}

TEST_F(SkinnedToolBarTest, AnswersTheSkinQuestions) {
    MakeBar();
    EXPECT_TRUE(AskSkinCommand(bar_, scIsSkinned));
    EXPECT_EQ(SendSkinCommand(bar_, SkinCommandWParam(scGetApplication), 0), LRESULT(Application));
    // Removing a button that was hot leaves none tracked.
    bar_->TrackedButton = 4;
    buttons_[4]->SetParent(nullptr);
    bar_->ButtonsChanged();
    EXPECT_EQ(bar_->TrackedButton, -1);
}

} // namespace
