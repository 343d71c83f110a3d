// Speed buttons: groups, check buttons and plain buttons, as a user clicks them, and the
// glyph drawn with its transparent colour.
#include "toolkit/SpeedButton.h"

#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "platform/controls/HintWindow.h"

namespace {

class SpeedButtonTest : public ControlTest {
  protected:
    // Three buttons side by side; every click records the Down state of all three as OnClick
    // sees it, so a Down changed after OnClick shows up as a wrong record.
    void MakeRow(int groupIndex, bool allowAllUp) {
        form_ = MakeForm(200, 60);
        for (int i = 0; i < 3; ++i) {
            auto* b = Child<TSpeedButton>(form_, 10 + 30 * i, 10, 25, 25);
            b->SetGroupIndex(groupIndex);
            b->SetAllowAllUp(allowAllUp);
            b->OnClick = [this](TComponent*) { seen_.push_back(Downs()); };
            buttons_.push_back(b);
        }
        ShowAndSettle(form_);
    }
    std::string Downs() const {
        std::string s;
        for (auto* b : buttons_) s += b->Down() ? 'D' : '-';
        return s;
    }
    void ClickButton(int i) { Click(ScreenPoint(buttons_[size_t(i)], 12, 12)); }

    TForm* form_ = nullptr;
    std::vector<TSpeedButton*> buttons_;
    std::vector<std::string> seen_;
};

TEST_F(SpeedButtonTest, ClicksOnAGroupSetDownBeforeOnClick) {
    struct Case {
        const char* name;
        int group;
        bool allowAllUp;
        std::vector<int> clicks;
        std::vector<std::string> seen;
    };
    const Case cases[] = {
        // One of the group stays down; clicking it again changes nothing.
        {"exclusive", 1, false, {0, 1, 1, 2}, {"D--", "-D-", "-D-", "--D"}},
        // AllowAllUp lets the pressed one be released by a second click.
        {"all up", 1, true, {0, 0, 2, 1}, {"D--", "---", "--D", "-D-"}},
        // Group 0: plain push buttons that never stay down.
        {"plain", 0, false, {0, 2}, {"---", "---"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeRow(c.group, c.allowAllUp);
        for (int i : c.clicks) ClickButton(i);
        EXPECT_EQ(seen_, c.seen);
        for (auto* b : buttons_) EXPECT_EQ(b->State(), b->Down() ? bsExclusive : bsUp);
        form_->Hide(); // the application owns the form
        buttons_.clear();
        seen_.clear();
    }
}

TEST_F(SpeedButtonTest, ButtonAloneInItsGroupWithAllowAllUpIsACheckButton) {
    form_ = MakeForm(200, 60);
    auto* check = Child<TSpeedButton>(form_, 10, 10, 25, 25);
    auto* other = Child<TSpeedButton>(form_, 40, 10, 25, 25);
    check->SetGroupIndex(7);
    check->SetAllowAllUp(true);
    other->SetGroupIndex(1);
    other->SetDown(true);
    std::vector<bool> seen;
    check->OnClick = [&](TComponent*) { seen.push_back(check->Down()); };
    ShowAndSettle(form_);
    for (int i = 0; i < 3; ++i) Click(ScreenPoint(check, 5, 5));
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(other->Down()) << "another group is not released";
}

TEST_F(SpeedButtonTest, PressReleasedOutsideNeitherClicksNorToggles) {
    MakeRow(1, false);
    MouseDown(ScreenPoint(buttons_[0], 5, 5));
    EXPECT_EQ(buttons_[0]->State(), bsDown);
    MouseMoveTo(ScreenPoint(buttons_[0], 60, 5));
    MouseUp(ScreenPoint(buttons_[0], 60, 5));
    EXPECT_TRUE(seen_.empty());
    EXPECT_EQ(Downs(), "---");
    EXPECT_EQ(buttons_[0]->State(), bsUp);
}

TEST_F(SpeedButtonTest, DisabledButtonIgnoresClicks) {
    MakeRow(1, false);
    buttons_[1]->SetEnabled(false);
    ClickButton(1);
    EXPECT_TRUE(seen_.empty());
    EXPECT_EQ(Downs(), "---");
}

TEST_F(SpeedButtonTest, GlyphLeavesItsTransparentColourOutAndPicksTheDisabledImage) {
    // Two 4x3 images side by side; the bottom-left pixel (magenta) is the transparent colour.
    // Image 0 is red with a magenta hole at (1,0); image 1 is green.
    const COLORREF magenta = RGB(255, 0, 255), red = RGB(255, 0, 0), green = RGB(0, 255, 0);
    Bitmap glyph(8, 3, 24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x) glyph.SetPixel(x, y, x < 4 ? red : green);
    glyph.SetPixel(0, 2, magenta);
    glyph.SetPixel(1, 0, magenta);

    form_ = MakeForm(100, 60);
    auto* b = Child<TSpeedButton>(form_, 10, 10, 20, 20);
    b->SetFlat(true);
    b->SetColor(RGB(0, 0, 200));
    b->SetGlyph(glyph);
    b->SetNumGlyphs(2);
    ShowAndSettle(form_);

    // Flat and not hot: no edges, the face is inset by one pixel: 18x18 from (1,1). The
    // 4x3 glyph is centred: x = 1 + (18-4)/2 = 8, y = 1 + (18-3)/2 = 8, plus the button's 10.
    const int gx = 18, gy = 18;
    Bitmap shot = ClientShot(form_);
    EXPECT_EQ(Pixel(shot, gx, gy), red);
    EXPECT_EQ(Pixel(shot, gx + 1, gy), RGB(0, 0, 200)) << "the hole shows the face";
    EXPECT_EQ(Pixel(shot, gx, gy + 2), RGB(0, 0, 200)) << "the key pixel shows the face";
    EXPECT_EQ(Pixel(shot, gx + 3, gy + 2), red);
    EXPECT_EQ(Pixel(shot, gx + 4, gy), RGB(0, 0, 200)) << "only one image is drawn";
    EXPECT_EQ(Pixel(shot, 10, 10), RGB(0, 0, 200)) << "a flat button has no edge";

    b->SetEnabled(false);
    shot = ClientShot(form_);
    EXPECT_EQ(Pixel(shot, gx, gy), green);
    EXPECT_EQ(Pixel(shot, gx + 1, gy), green) << "image 1 has no hole";
    EXPECT_EQ(Pixel(shot, gx, gy + 2), green) << "only the key colour itself is transparent";
}

TEST_F(SpeedButtonTest, MarginPlacesTheGlyphAndADownButtonShiftsItsFace) {
    const COLORREF key = RGB(128, 128, 0), blue = RGB(0, 0, 255), face = RGB(200, 200, 200);
    Bitmap glyph(4, 3, 24);
    glyph.Fill(blue);
    glyph.SetPixel(0, 2, key); // the transparent colour, at the bottom-left
    form_ = MakeForm(100, 60);
    auto* b = Child<TSpeedButton>(form_, 10, 10, 30, 20);
    b->SetColor(face);
    b->SetGlyph(glyph);
    b->SetMargin(3);
    b->SetGroupIndex(1);
    ShowAndSettle(form_);
    // Raised: the face is inset by the 2-pixel edge, (2,2)-(28,18); the glyph starts Margin
    // in, x = 2 + 3, and is centred vertically, y = 2 + (16 - 3) / 2 = 8.
    struct Case {
        bool down;
        int x, y;
    };
    for (const Case& c : {Case{false, 5, 8}, Case{true, 6, 9}}) { // down: one pixel right and down
        SCOPED_TRACE(c.down);
        b->SetDown(c.down);
        const Bitmap shot = ClientShot(form_);
        EXPECT_EQ(Pixel(shot, 10 + c.x, 10 + c.y), blue);
        EXPECT_EQ(Pixel(shot, 10 + c.x + 3, 10 + c.y + 1), blue);
        EXPECT_EQ(Pixel(shot, 10 + c.x - 1, 10 + c.y), face);
        EXPECT_EQ(Pixel(shot, 10 + c.x, 10 + c.y + 2), face) << "the key pixel";
        EXPECT_EQ(Pixel(shot, 10 + c.x + 4, 10 + c.y), face);
    }
}

// Without a glyph the picture comes from the image list, greyed when disabled; a transparent
// face lets the form show; replacing the glyph is announced.
TEST_F(SpeedButtonTest, ImagesGiveThePictureTransparentShowsTheParentAndGlyphChangesAreTold) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 200);
    form_ = MakeForm(100, 60);
    auto* list = form_->Make<TImageList>(4, 3);
    Bitmap image(4, 3, 24, true);
    image.Fill(red);
    list->Add(image);
    auto* b = Child<TSpeedButton>(form_, 10, 10, 20, 20);
    b->SetFlat(true);
    b->SetColor(blue);
    b->SetImages(list);
    b->SetImageIndex(0);
    int told = 0;
    b->OnGlyphChange = [&](TComponent* sender) { told += sender == b; };
    ShowAndSettle(form_);
    // Centred in the flat face as a glyph would be: (10 + 1 + (18 - 4) / 2, 10 + 1 + (18 - 3) / 2).
    Bitmap shot = ClientShot(form_);
    EXPECT_EQ(Pixel(shot, 18, 18), red);
    EXPECT_EQ(Pixel(shot, 21, 20), red);
    EXPECT_EQ(Pixel(shot, 17, 18), blue);
    // Disabled: the classic greyed look, shadow in place.
    b->SetEnabled(false);
    shot = ClientShot(form_);
    EXPECT_EQ(Pixel(shot, 18, 18), GetSysColor(COLOR_BTNSHADOW));
    b->SetEnabled(true);

    b->SetTransparent(true);
    shot = ClientShot(form_);
    EXPECT_EQ(Pixel(shot, 12, 12), ColorToRGB(form_->Color()))
        << "the form, not the button's colour";
    EXPECT_EQ(Pixel(shot, 18, 18), red);

    b->SetGlyph(image);
    EXPECT_EQ(told, 1);
    delete list; // the button lets the list go
    EXPECT_EQ(b->Images(), nullptr);
}

} // namespace

namespace {

// A windowless button's hint lives only while its form takes input: a modal box disables the
// form and the hint goes; a hint that was still pausing never shows over the box.
TEST_F(SpeedButtonTest, TheHintGoesWhenItsFormIsDisabled) {
    MakeRow(0, false);
    buttons_[1]->SetHint("Мазмұны");
    buttons_[1]->SetShowHint(true);
    const HWND form = form_->Handle();
    MouseMoveTo(ScreenPoint(buttons_[1], 12, 12));
    AdvanceClock(600);
    ASSERT_TRUE(IsWindowVisible(HintWindowHandle())) << "the hint shows after the pause";
    EnableWindow(form, false);
    EXPECT_FALSE(IsWindowVisible(HintWindowHandle()));

    EnableWindow(form, true);
    MouseMoveTo(ScreenPoint(buttons_[0], 12, 12));
    MouseMoveTo(ScreenPoint(buttons_[1], 12, 12));
    AdvanceClock(100);
    EnableWindow(form, false); // within the pause
    AdvanceClock(600);
    EXPECT_FALSE(IsWindowVisible(HintWindowHandle()));
    EnableWindow(form, true);
}

} // namespace
