// The up-down control steps its position by the increment between its limits, wraps when
// asked, asks before each change and names the arrow that was clicked.
#include "platform/controls/UpDown.h"

#include <vector>

#include "ControlTestFixture.h"
#include "toolkit/UpDown.h"

namespace {

class UpDownTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        form_ = MakeForm(200, 100);
        updown_ = Child<TUpDown>(form_, 10, 10, 17, 26);
        updown_->SetMax(10);
        updown_->SetIncrement(3);
        updown_->SetPosition(5);
        updown_->OnClick = [this](TComponent*, TUDBtnType b) { clicks_.push_back(b); };
        ShowAndSettle(form_);
    }
    void ClickUp() { Click(ScreenPoint(updown_, 8, 3)); }
    void ClickDown() { Click(ScreenPoint(updown_, 8, 22)); }
    int WindowPosition() const { return int(SendMessage(updown_->Handle(), UDM_GETPOS32, 0, 0)); }

    TForm* form_ = nullptr;
    TUpDown* updown_ = nullptr;
    std::vector<TUDBtnType> clicks_;
};

TEST_F(UpDownTest, ArrowsStepByTheIncrementAndStopAtTheLimits) {
    ClickUp();
    EXPECT_EQ(updown_->Position(), 8);
    ClickUp(); // 11 is past Max: it stops there
    EXPECT_EQ(updown_->Position(), 10);
    ClickUp(); // nothing moves, nothing is reported
    EXPECT_EQ(updown_->Position(), 10);
    ClickDown();
    EXPECT_EQ(updown_->Position(), 7);
    EXPECT_EQ(WindowPosition(), 7) << "the window shows the control's position";
    EXPECT_EQ(clicks_, (std::vector<TUDBtnType>{btNext, btNext, btPrev}));
}

TEST_F(UpDownTest, WrapGoesRoundAndOnChangingMayRefuse) {
    updown_->SetWrap(true);
    updown_->SetPosition(1);
    ClickDown(); // -2 wraps to Max
    EXPECT_EQ(updown_->Position(), 10);
    ClickUp(); // 13 wraps to Min
    EXPECT_EQ(updown_->Position(), 0);
    updown_->OnChanging = [](TComponent*, bool& allow) { allow = false; };
    ClickUp();
    EXPECT_EQ(updown_->Position(), 0);
    EXPECT_EQ(WindowPosition(), 0);
    EXPECT_EQ(clicks_.size(), 2u);
    // Code keeps the position within the limits.
    updown_->SetPosition(50);
    EXPECT_EQ(updown_->Position(), 10);
}

} // namespace
