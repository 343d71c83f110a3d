// The cool bar: a band's control sits behind the grip at the band's height, and the bar
// follows the bands' height.
#include "platform/controls/CoolBar.h"

#include "ControlTestFixture.h"
#include "toolkit/CoolBar.h"
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

} // namespace
