// The skinned speed button: its look in each state from a tiny skin, the glyph frame each
// state shows, its properties' limits, and the fade between the normal and the hot look.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "SpeedButtonTestFixture.h"
#include "platform/backends/HeadlessBackend.h"
#include "skin/sMessages.h"
#include "toolkit/Application.h"

namespace {

constexpr TColor kFrame[4] = {RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90), RGB(220, 30, 40)};

// A glyph pixel blended keyed over the background: each channel round(s - r*(s - d)), r the
// share the background keeps.
TColor BlendKeyed(TColor glyph, TColor background, double r) {
    auto ch = [&](int s, int d) { return int(std::lround(s - r * (s - d))); };
    return RGB(ch(GetRValue(glyph), GetRValue(background)),
               ch(GetGValue(glyph), GetGValue(background)),
               ch(GetBValue(glyph), GetBValue(background)));
}

TColor Grey(TColor c) {
    const int g = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
    return RGB(g, g, g);
}

enum Look { Normal, Hot, Down, Disabled };

TEST_F(SpeedButtonTest, EachStateShowsItsBackgroundAndGlyphFrame) {
    struct Case {
        const char* what;
        int frames;
        Look look;
        int blend;
        bool grayed;
        TColor glyph; // the glyph's colour inside its frame
    };
    const Case cases[] = {
        {"two frames, normal: frame 0", 2, Normal, 0, false, kFrame[0]},
        {"two frames, hot: frame 0", 2, Hot, 0, false, kFrame[0]},
        {"two frames, down: frame 1", 2, Down, 0, false, kFrame[1]},
        {"two frames, disabled: frame 1", 2, Disabled, 0, false, kFrame[1]},
        {"two frames, Blend 1, enabled: never blended", 2, Normal, 1, false, kFrame[0]},
        {"two frames, Blend 1, disabled: blended", 2, Disabled, 1, false,
         BlendKeyed(kFrame[1], kFace, 0.01)},
        {"four frames, down: frame 3", 4, Down, 0, false, kFrame[3]},
        {"three frames, down: frame 2", 3, Down, 0, false, kFrame[2]},
        {"one frame, Grayed, normal: grey", 1, Normal, 0, true, Grey(kFrame[0])},
        {"one frame, Grayed, hot: colour", 1, Hot, 0, true, kFrame[0]},
        {"one frame, Grayed, down: colour", 1, Down, 0, true, kFrame[0]},
        {"one frame, Blend 40, normal: blended", 1, Normal, 40, false,
         BlendKeyed(kFrame[0], kFace, 0.4)},
        {"one frame, Blend 40, hot: not blended", 1, Hot, 40, false, kFrame[0]},
        {"one frame, disabled: half blended", 1, Disabled, 0, false,
         BlendKeyed(kFrame[0], kFace, 0.5)},
    };
    for (const Case& c : cases) {
        TsSpeedButton* b = Button();
        b->SetDisabledKind(0); // the whole-button disabled look is left out here
        b->SetGlyph(Glyph(std::vector<TColor>(kFrame, kFrame + c.frames)));
        b->SetNumGlyphs(c.frames);
        b->SetBlend(c.blend);
        b->SetGrayed(c.grayed);
        if (c.look == Hot) b->SkinData()->MouseOver = true;
        if (c.look == Down) {
            b->SetGroupIndex(1);
            b->SetAllowAllUp(true);
            b->SetDown(true);
        }
        if (c.look == Disabled) b->SetEnabled(false);
        b->ComposeLook();
        const bool hotFace = c.look == Hot || c.look == Down;
        const TColor face = hotFace ? kHot : kFace;
        // An 8 x 8 frame centred in 30 x 30: (30 - 8) div 2 = 11; pressed, one pixel further.
        const int at = c.look == Down ? 12 : 11;
        EXPECT_EQ(Pixel(b, 2, 2), face) << c.what;
        EXPECT_EQ(Pixel(b, at - 1, at - 1), face) << c.what;
        EXPECT_EQ(Pixel(b, at, at), c.glyph) << c.what;
        EXPECT_EQ(Pixel(b, at + 7, at + 6), c.glyph) << c.what;
        EXPECT_EQ(Pixel(b, at, at + 7), face) << c.what << ": the key pixel is left out";
        delete b;
    }
}

TEST_F(SpeedButtonTest, PropertiesKeepTheirLimitsAndTheDropPartItsWidth) {
    TsSpeedButton* b = Button();
    EXPECT_STREQ(b->ClassName(), "TsSpeedButton");
    EXPECT_EQ(b->SkinData()->SkinSection(), "SPEEDBUTTON");
    EXPECT_EQ(b->DisabledKind(), TsDisabledKind(dkBlended));
    EXPECT_EQ(b->DisabledGlyphKind(), TsDisabledGlyphKind(dgBlended));
    EXPECT_EQ(b->AnimatEvents, TqvAnimatEvents(aeGlobalDef));
    EXPECT_TRUE(b->ShowCaption());
    EXPECT_TRUE(b->DrawOverBorder());
    EXPECT_EQ(b->ImageIndex(), -1);

    const std::pair<int, int> blends[] = {{-5, 0}, {0, 0}, {55, 55}, {100, 100}, {150, 100}};
    for (auto [set, read] : blends) {
        b->SetBlend(set);
        EXPECT_EQ(b->Blend(), read) << set;
    }

    b->SetButtonStyle(tbsDropDown);
    EXPECT_EQ(b->Width(), 46);
    b->SetButtonStyle(tbsCheck);
    EXPECT_EQ(b->Width(), 30);
    b->SetButtonStyle(tbsButton);
    EXPECT_EQ(b->Width(), 30);
}

TEST_F(SpeedButtonTest, AHiddenCaptionLeavesTheGlyphCentredAndAlignmentShowsAtOnce) {
    TsSpeedButton* b = Button();
    b->SetGlyph(Glyph({kFrame[0], kFrame[1]}));
    b->SetNumGlyphs(2);
    const RECT alone = b->GlyphBox();
    EXPECT_EQ(alone.left, 11);
    EXPECT_EQ(alone.top, 11);
    b->SetCaption("Caption");
    b->SetShowCaption(false);
    const RECT hidden = b->GlyphBox();
    EXPECT_EQ(hidden.left, alone.left);
    EXPECT_EQ(hidden.top, alone.top);

    b->ComposeLook();
    ASSERT_FALSE(b->SkinData()->CacheInvalid);
    b->SetTextAlignment(taLeftJustify);
    EXPECT_TRUE(b->SkinData()->CacheInvalid) << "the next paint composes the new alignment";
}

TEST_F(SpeedButtonTest, AnImageIndexPastTheListDrawsNoGlyph) {
    TImageList* list = form_->Make<TImageList>(8, 8);
    Bitmap image(8, 8, 24);
    image.Fill(kFrame[2]);
    list->Add(image);
    TsSpeedButton* b = Button();
    b->SetImages(list);
    b->SetImageIndex(0);
    b->ComposeLook();
    EXPECT_EQ(Pixel(b, 14, 14), kFrame[2]);
    b->SetImageIndex(1);
    b->ComposeLook();
    EXPECT_EQ(Pixel(b, 14, 14), kFace);
}

TEST_F(SpeedButtonTest, UnskinnedTheImageListGivesTheStandardGlyphItsTwoFrames) {
    TImageList* list = form_->Make<TImageList>(8, 8);
    Bitmap image(8, 8, 24);
    image.Fill(kFrame[3]);
    list->Add(image);
    const TColor face = SysColor(COLOR_BTNFACE);
    struct Case {
        const char* what;
        TsDisabledGlyphKind kind;
        TColor second; // the second frame's colour inside
        TColor corner; // its bottom-left pixel
    };
    const Case cases[] = {
        {"blended: half over the button face", dgBlended, BlendKeyed(kFrame[3], face, 0.5),
         BlendKeyed(kFrame[3], face, 0.5)},
        {"greyed: grey, the corner marked", dgGrayed, Grey(kFrame[3]), RGB(255, 0, 255)},
        {"greyed and blended", dgGrayed | dgBlended, BlendKeyed(Grey(kFrame[3]), face, 0.5),
         BlendKeyed(Grey(kFrame[3]), face, 0.5)},
        {"no kind: a copy of the first", 0, kFrame[3], kFrame[3]},
    };
    for (const Case& c : cases) {
        TsSpeedButton* b = Button();
        b->SkinData()->SetSkinSection("NOSUCHSECTION");
        ASSERT_EQ(b->SkinData()->SectionIndex, -1) << c.what;
        b->SetDisabledGlyphKind(c.kind);
        b->SetImages(list);
        b->SetImageIndex(0);
        ASSERT_EQ(b->Glyph().Width(), 16) << c.what;
        EXPECT_EQ(b->NumGlyphs(), 2) << c.what;
        EXPECT_EQ(b->Glyph().GetPixel(3, 3) & 0xFFFFFF, kFrame[3]) << c.what;
        EXPECT_EQ(b->Glyph().GetPixel(11, 3) & 0xFFFFFF, c.second) << c.what;
        EXPECT_EQ(b->Glyph().GetPixel(8, 7) & 0xFFFFFF, c.corner) << c.what;
        delete b;
    }
}

TEST_F(SpeedButtonTest, TheSkinCommandsTakeAndGiveBackTheSkinnedLook) {
    TImageList* list = form_->Make<TImageList>(8, 8);
    Bitmap image(8, 8, 24);
    image.Fill(kFrame[2]);
    list->Add(image);
    TsSpeedButton* b = Button();
    b->SetImages(list);
    b->SetImageIndex(0);
    EXPECT_TRUE(b->Glyph().Empty()) << "skinned, the look draws from the list itself";
    EXPECT_NE(b->ControlStyle() & csOpaque, 0u);
    EXPECT_TRUE(AskSkinCommand(b, scIsSkinned));

    b->Perform(SM_ORVENCMD, SkinCommandWParam(scRemoveSkin), LPARAM(manager_.get()));
    EXPECT_EQ(b->SkinData()->SectionIndex, -1);
    EXPECT_EQ(b->Glyph().Width(), 16) << "the standard painting gets the list's glyph";
    EXPECT_EQ(b->ControlStyle() & csOpaque, 0u);

    b->Perform(SM_ORVENCMD, SkinCommandWParam(scSkinLoaded), LPARAM(manager_.get()));
    EXPECT_GE(b->SkinData()->SectionIndex, 0);
    EXPECT_TRUE(b->Glyph().Empty());
    EXPECT_NE(b->ControlStyle() & csOpaque, 0u);
}

// A menu that notes where it was asked to pop up instead of running its loop.
class NotedMenu : public TPopupMenu {
  public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override {
        Points.push_back(POINT{x, y});
        if (WhileOpen) WhileOpen();
    }
    std::vector<POINT> Points;
    std::function<void()> WhileOpen;
};

TEST_F(SpeedButtonTest, TheDropPartOpensTheMenuOnceAndBelowTheButton) {
    struct Case {
        const char* what;
        bool onClick;
        int x;
        bool opens;
    };
    const Case cases[] = {
        {"with OnClick, left of the drop part: a click", true, 0, false},
        {"with OnClick, at x = 14: still a click", true, 14, false},
        {"with OnClick, at x = 15: the menu", true, 15, true},
        {"with OnClick, at x = 29: the menu", true, 29, true},
        {"without OnClick, anywhere: the menu", false, 0, true},
    };
    for (const Case& c : cases) {
        TsSpeedButton* b = Button();
        auto* menu = form_->Make<NotedMenu>();
        b->SetButtonStyle(tbsDropDown);
        b->SetBounds(10, 5, 30, 30);
        b->SetDropdownMenu(menu);
        int clicks = 0;
        if (c.onClick) b->OnClick = [&](TComponent*) { ++clicks; };
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, 3));
        EXPECT_FALSE(Application->ShowHint()) << c.what << ": no hints while held";
        b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(c.x, 3));
        EXPECT_TRUE(Application->ShowHint()) << c.what;
        EXPECT_EQ(menu->Points.size(), c.opens ? 1u : 0u) << c.what;
        if (c.opens) {
            const POINT below = b->ClientToScreen(POINT{0, 31});
            EXPECT_EQ(menu->Points[0].x, below.x) << c.what;
            EXPECT_EQ(menu->Points[0].y, below.y) << c.what;
        }
        EXPECT_EQ(clicks, c.onClick && !c.opens ? 1 : 0) << c.what;
        EXPECT_FALSE(TsSpeedButton::DropDownMenuOpen) << c.what;
        EXPECT_EQ(TsSpeedButton::CurrentDropDown, nullptr) << c.what;
        delete b;
        delete menu;
    }

    // While one menu is open, another drop-down button does not open a second.
    TsSpeedButton* first = Button("First");
    TsSpeedButton* second = Button("Second");
    auto* firstMenu = form_->Make<NotedMenu>();
    auto* secondMenu = form_->Make<NotedMenu>();
    for (auto [b, m] : {std::pair{first, firstMenu}, std::pair{second, secondMenu}}) {
        b->SetButtonStyle(tbsDropDown);
        b->SetDropdownMenu(m);
    }
    firstMenu->WhileOpen = [&] {
        EXPECT_TRUE(first->MenuOpen());
        second->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        second->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    };
    first->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(firstMenu->Points.size(), 1u);
    EXPECT_TRUE(secondMenu->Points.empty());
    EXPECT_FALSE(first->MenuOpen());
}

// ---------------------------------------------------------------- fading

// The blend a fade step shows, per channel: (old*A + new*(255-A) + 127) >> 8.
TColor FadeBlend(TColor old, TColor now, int a) {
    auto ch = [&](int o, int n) { return (o * a + n * (255 - a) + 127) >> 8; };
    return RGB(ch(GetRValue(old), GetRValue(now)), ch(GetGValue(old), GetGValue(now)),
               ch(GetBValue(old), GetBValue(now)));
}

class SpeedButtonFadeTest : public SpeedButtonTest {
  protected:
    void SetUp() override {
        SpeedButtonTest::SetUp();
        ButtonSection().FadingEnabled = true;
        ButtonSection().FadingIterations = 5;
        button_ = Button();
        button_->AnimatEvents = aeMouseEnter | aeMouseLeave;
        form_->Show();
        ProcessPendingMessages();
        ASSERT_FALSE(button_->SkinData()->CacheInvalid) << "the first paint composed the look";
    }
    // The colour of the fade's picture now, or "cache" plus the cache's once it has ended.
    void Note() {
        if (button_->FadeTimer())
            shown_.push_back(TColor(button_->FadeTimer()->WorkImage->GetPixel(2, 2) & 0xFFFFFF));
        else
            shown_.push_back(Pixel(button_, 2, 2));
    }
    void Tick() {
        AdvanceClock(TsAnimTimer::kIntervalMs);
        Note();
    }
    TsSpeedButton* button_ = nullptr;
    std::vector<TColor> shown_;
};

TEST_F(SpeedButtonFadeTest, EnteringFadesFromTheNormalToTheHotLook) {
    button_->Perform(CM_MOUSEENTER, 0, LPARAM(button_));
    Note();
    for (int i = 0; i < 6; ++i) Tick();
    // A = 255 - 256k div 5 for steps k = 1..5, then the hot cache stays.
    const std::vector<TColor> expected = {FadeBlend(kFace, kHot, 204),
                                          FadeBlend(kFace, kHot, 153),
                                          FadeBlend(kFace, kHot, 102),
                                          FadeBlend(kFace, kHot, 51),
                                          FadeBlend(kFace, kHot, 0),
                                          kHot,
                                          kHot};
    EXPECT_EQ(shown_, expected);
    EXPECT_EQ(button_->FadeTimer(), nullptr);
}

TEST_F(SpeedButtonFadeTest, LeavingDuringTheFadeTurnsBackFromWhereItGot) {
    button_->Perform(CM_MOUSEENTER, 0, LPARAM(button_));
    Note();
    Tick(); // step 2 shown; the fade has three steps to go
    button_->Perform(CM_MOUSELEAVE, 0, LPARAM(button_));
    Note();
    for (int i = 0; i < 4; ++i) Tick();
    const std::vector<TColor> expected = {FadeBlend(kFace, kHot, 204),
                                          FadeBlend(kFace, kHot, 153),
                                          FadeBlend(kHot, kFace, 153),
                                          FadeBlend(kHot, kFace, 102),
                                          FadeBlend(kHot, kFace, 51),
                                          FadeBlend(kHot, kFace, 0),
                                          kFace};
    EXPECT_EQ(shown_, expected);
    EXPECT_FALSE(button_->SkinData()->MouseOver);
}

} // namespace
