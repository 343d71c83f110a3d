// The cool bar: a band's control sits behind the grip at the band's height, and the bar
// follows the bands' height.
#include "platform/controls/CoolBar.h"

#include "ControlTestFixture.h"
#include "toolkit/CoolBar.h"
#include "toolkit/ImageList.h"
#include "toolkit/ToolBar.h"

namespace {

class CoolBarTest : public ControlTest {
  protected:
    // The main window's top: a 928-wide bar with one band holding a tool bar aligned left.
    void MakeBar(bool fixedSize) {
        form_ = MakeForm(928, 300);
        cool_ = Child<TCoolBar>(form_, 0, 0, 928, 60, alTop);
        cool_->SetAutoSize(true);
        tools_ = Child<TToolBar>(cool_, 9, 0, 911, 37, alLeft);
        TCoolBand band;
        band.Control = tools_;
        band.MinHeight = 37;
        band.Width = 924;
        band.FixedSize = fixedSize;
        cool_->AddBand(band);
        ShowAndSettle(form_);
    }
    TForm* form_ = nullptr;
    TCoolBar* cool_ = nullptr;
    TToolBar* tools_ = nullptr;
};

TEST_F(CoolBarTest, BandControlSitsBehindTheGripAtTheBandsHeight) {
    struct Case {
        bool fixedSize;
        int left;
    };
    // The grip takes 9 pixels; a fixed band has none and keeps only its 2-pixel frame.
    const Case cases[] = {{false, REBAR_GRIP_WIDTH}, {true, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixedSize);
        MakeBar(c.fixedSize);
        // The only band reaches the right edge (928) less its 2-pixel frame; the control is
        // 2 below the band's top and MinHeight high; the band is MinHeight + 4 high.
        EXPECT_EQ(tools_->BoundsRect(), (RECT{c.left, 2, 926, 39}));
        EXPECT_EQ(cool_->Height(), 41);
        EXPECT_EQ(cool_->BoundsRect(), (RECT{0, 0, 928, 41}));
        RECT wr{};
        GetWindowRect(tools_->Handle(), &wr);
        POINT origin{0, 0};
        ClientToScreen(cool_->Handle(), &origin);
        EXPECT_EQ(wr.left - origin.x, c.left) << "the window agrees with the control";
        form_->Hide();
    }
}

TEST_F(CoolBarTest, BandsFollowTheBarsWidthAndAFormRealign) {
    MakeBar(false);
    form_->SetClientSize(700, 300);
    ProcessPendingMessages();
    EXPECT_EQ(cool_->Width(), 700);
    EXPECT_EQ(tools_->BoundsRect(), (RECT{9, 2, 698, 39}));
    // Aligning the tool bar again (alLeft inside the bar) does not pull it out of its band.
    cool_->Realign(tools_);
    EXPECT_EQ(tools_->Left(), 9);
    EXPECT_EQ(tools_->Top(), 2);

    // A taller band makes a taller bar.
    TCoolBand band = cool_->Band(0);
    band.MinHeight = 50;
    cool_->SetBand(0, band);
    EXPECT_EQ(cool_->Height(), 54);
    EXPECT_EQ(tools_->Height(), 50);
}

// A hidden band takes no room and hides its control; shown again, it is back in its place.
TEST_F(CoolBarTest, HiddenBandsTakeNoRoomAndHideTheirControls) {
    MakeBar(false);
    auto* second = Child<TToolBar>(cool_, 9, 0, 911, 37, alLeft);
    TCoolBand band;
    band.Control = second;
    band.MinHeight = 37; // a row of its own, under the first: 41 + 2
    cool_->AddBand(band);
    EXPECT_EQ(second->Top(), 43);
    TCoolBand first = cool_->Band(0);
    first.Visible = false;
    cool_->SetBand(0, first);
    EXPECT_FALSE(tools_->Visible());
    EXPECT_EQ(second->Top(), 2);
    EXPECT_EQ(cool_->Height(), 41);
    first.Visible = true;
    cool_->SetBand(0, first);
    EXPECT_TRUE(tools_->Visible());
    EXPECT_EQ(tools_->Top(), 2);
    EXPECT_EQ(second->Top(), 43);
}

// A header as the window draws it: 20-high control, so the band is 24 high; text "Ab".
class CoolBarImageTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        form_ = MakeForm(400, 200);
        cool_ = Child<TCoolBar>(form_, 0, 0, 400, 60, alTop);
        cool_->SetAutoSize(true);
        tools_ = Child<TToolBar>(cool_, 0, 0, 100, 20, alLeft);
        TCoolBand band;
        band.Control = tools_;
        band.MinHeight = 20;
        band.Text = "Ab";
        cool_->AddBand(band);
        ShowAndSettle(form_);
    }
    // Images 8 wide and 10 high of one colour.
    TImageList* Images(COLORREF colour) {
        TImageList* list = form_->Make<TImageList>(8, 10);
        Bitmap image(8, 10, 24, true);
        image.Fill(colour);
        list->Add(image);
        return list;
    }
    void SetImageIndex(int index) {
        TCoolBand band = cool_->Band(0);
        band.ImageIndex = index;
        cool_->SetBand(0, band);
        ProcessPendingMessages();
    }
    // The leftmost column of the text's ink in the header left of the control.
    int TextInkLeft() {
        const Bitmap shot = ClientShot(cool_);
        for (int x = REBAR_GRIP_WIDTH; x < tools_->Left(); ++x)
            for (int y = 2; y < 22; ++y)
                if (Pixel(shot, x, y) == (GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF)) return x;
        return -1;
    }
    TForm* form_ = nullptr;
    TCoolBar* cool_ = nullptr;
    TToolBar* tools_ = nullptr;
};

TEST_F(CoolBarImageTest, ImageIsDrawnAfterTheGripAndPushesTheText) {
    const int plainText = TextInkLeft();
    const int plainLeft = tools_->Left();
    ASSERT_GT(plainText, 0);

    // No images, or an index of -1, change nothing.
    SetImageIndex(0);
    EXPECT_EQ(TextInkLeft(), plainText);
    EXPECT_EQ(tools_->Left(), plainLeft);
    const COLORREF blue = RGB(0, 0, 200);
    cool_->SetImages(Images(blue));
    SetImageIndex(-1);
    EXPECT_EQ(TextInkLeft(), plainText);
    EXPECT_EQ(tools_->Left(), plainLeft);

    // The image sits right after the grip, centred in the 24-high band: (9, 7) to (16, 16).
    // Text and control move right by its width and a 2-pixel gap.
    SetImageIndex(0);
    EXPECT_EQ(TextInkLeft(), plainText + 8 + 2);
    EXPECT_EQ(tools_->Left(), plainLeft + 8 + 2);
    const Bitmap shot = ClientShot(cool_);
    struct Case {
        int x, y;
        bool image;
    };
    const Case cases[] = {{9, 7, true},    {16, 16, true}, {12, 11, true}, {8, 11, false},
                          {17, 11, false}, {12, 6, false}, {12, 17, false}};
    for (const Case& c : cases)
        EXPECT_EQ(Pixel(shot, c.x, c.y) == blue, c.image) << c.x << "," << c.y;

    // An index past the list's end draws nothing and takes no room.
    SetImageIndex(1);
    EXPECT_EQ(TextInkLeft(), plainText);
    EXPECT_EQ(tools_->Left(), plainLeft);
}

// Disabled, the image takes the classic greyed look: the shadow colour in place, the
// highlight one pixel down and right where no shadow covers it.
TEST_F(CoolBarImageTest, DisabledBarGreysTheImage) {
    cool_->SetImages(Images(RGB(0, 0, 200)));
    SetImageIndex(0);
    cool_->SetEnabled(false);
    ProcessPendingMessages();
    const Bitmap shot = ClientShot(cool_);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
    EXPECT_EQ(Pixel(shot, 9, 7), shadow);
    EXPECT_EQ(Pixel(shot, 16, 16), shadow);
    EXPECT_EQ(Pixel(shot, 17, 17), highlight);
    EXPECT_EQ(Pixel(shot, 17, 8), highlight);
    EXPECT_NE(Pixel(shot, 17, 7), highlight);
}

// The list going away takes the images out of the headers.
TEST_F(CoolBarImageTest, FreedImagesLeaveTheHeader) {
    const int plainLeft = tools_->Left();
    TImageList* list = Images(RGB(0, 0, 200));
    cool_->SetImages(list);
    SetImageIndex(0);
    EXPECT_EQ(tools_->Left(), plainLeft + 10);
    delete list;
    ProcessPendingMessages();
    EXPECT_EQ(cool_->Images(), nullptr);
    EXPECT_EQ(tools_->Left(), plainLeft);
}

} // namespace
