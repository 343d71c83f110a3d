// The push button: one OnClick per click, by mouse, keyboard or code; none while disabled.
#include "toolkit/BitBtn.h"

#include "ControlTestFixture.h"
#include "platform/controls/Button.h"

namespace {

TEST_F(ControlTest, BitBtnClicksOnceByMouseKeyboardAndCode) {
    TForm* form = MakeForm(200, 100);
    auto* button = Child<TBitBtn>(form, 10, 10, 75, 25);
    button->SetCaption("Басып шығару");
    int clicks = 0;
    button->OnClick = [&clicks](TComponent*) { ++clicks; };
    ShowAndSettle(form);

    Click(ScreenPoint(button, 20, 10));
    EXPECT_EQ(clicks, 1)
        << "the class's BN_CLICKED only, not a second click from the mouse messages";
    button->SetFocus();
    KeyPress(VK_SPACE);
    EXPECT_EQ(clicks, 2);
    button->PerformClick();
    EXPECT_EQ(clicks, 3);

    button->SetEnabled(false);
    Click(ScreenPoint(button, 20, 10));
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
}

TEST_F(ControlTest, BitBtnCaptionAndDefaultReachTheWindow) {
    TForm* form = MakeForm(200, 100);
    auto* button = Child<TBitBtn>(form, 10, 10, 75, 25);
    button->SetCaption("OK");
    button->SetDefault(true);
    ShowAndSettle(form);
    const auto text = [&] {
        char buffer[32] = {};
        GetWindowText(button->Handle(), buffer, sizeof buffer);
        return std::string(buffer);
    };
    EXPECT_EQ(text(), "OK");
    EXPECT_EQ(GetWindowLongPtr(button->Handle(), GWL_STYLE) & BS_TYPEMASK,
              LONG_PTR(BS_DEFPUSHBUTTON));
    button->SetCaption("Болдырмау");
    EXPECT_EQ(text(), "Болдырмау");
    button->SetDefault(false);
    EXPECT_EQ(GetWindowLongPtr(button->Handle(), GWL_STYLE) & BS_TYPEMASK, LONG_PTR(BS_PUSHBUTTON));
}

} // namespace
