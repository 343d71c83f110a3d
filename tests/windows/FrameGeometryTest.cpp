// The frame sizes of a skinned form, worked out from the window system's metrics at 96 dpi:
// dialog frame 3, sizing frame 4, caption 19, small caption 15, menu line 19.
#include <gtest/gtest.h>

#include "ProviderTestFixture.h"
#include "windows/sFrameGeometry.h"

namespace {

TsFrameFacts Facts(TFormBorderStyle style, int width, int height) {
    TsFrameFacts f;
    f.BorderStyle = style;
    f.Style = style == bsNone ? WS_POPUP : WS_CAPTION;
    f.FormWidth = f.WindowWidth = width;
    f.FormHeight = f.WindowHeight = height;
    return f;
}

} // namespace

TEST(FrameGeometry, IconSizeFollowsTheHeightInSteps) {
    const struct {
        int Height, Size;
    } cases[] = {{8, 0}, {9, 8}, {16, 8}, {17, 16}, {27, 16}, {28, 32}, {40, 32}};
    for (const auto& c : cases) EXPECT_EQ(IconSizeFor(c.Height), c.Size) << c.Height;
}

TEST(FrameGeometry, IconAndCaptionTextRectangles) {
    TsFrameFacts single = Facts(bsSingle, 300, 200);
    // Caption 19 gives a 16-pixel icon, centred in caption + top border: (19 + 3 - 16) / 2.
    EXPECT_EQ(IconRect(single), (RECT{3, 3, 19, 19}));
    // left = 16 + 3 + 4, right = 300 - buttons - 6, top = border, bottom = caption height.
    EXPECT_EQ(CaptionTextRect(single, 0), (RECT{23, 3, 294, 19}));
    EXPECT_EQ(CaptionTextRect(single, 50), (RECT{23, 3, 244, 19}));

    single.FormWidth = single.WindowWidth = 29; // right 23: nothing left for the text
    EXPECT_EQ(CaptionTextRect(single, 0), (RECT{}));

    // Dialogs show no icon.
    const TsFrameFacts dialog = Facts(bsDialog, 300, 200);
    EXPECT_EQ(IconWidth(dialog), 0);
    EXPECT_EQ(CaptionTextRect(dialog, 0).left, 7);

    // An own icon size; the top still centres it: (19 + 3 - 20) / 2.
    TsFrameFacts own = Facts(bsSizeable, 300, 200);
    own.TitleIconWidth = 24;
    own.TitleIconHeight = 20;
    EXPECT_EQ(IconRect(own), (RECT{4, 1, 28, 21}));
    own.ShowAppIcon = false;
    EXPECT_EQ(IconWidth(own), 0);
}

TEST(FrameGeometry, IconicFormsMeasureTheWindowRectangle) {
    TsFrameFacts f = Facts(bsSizeable, 300, 200);
    f.Iconic = true;
    f.WindowWidth = 160;
    f.WindowHeight = 27;
    f.ClientHeight = 0;
    EXPECT_EQ(FrameWidth(f), 160);
    // 27 - 0 - (4 + 0), plus the top border again while iconic.
    EXPECT_EQ(TopAreaHeight(f), 27);
}

TEST(FrameGeometry, SkinnedScrollBarsAreTakenOffTheClientOrigin) {
    TsFrameFacts f = Facts(bsSingle, 300, 200);
    f.ClientWidth = 294 - 16;
    f.ClientHeight = 175 - 16;
    f.VScrollWidth = 16;
    f.HScrollHeight = 16;
    // X = (300 - 278 - 16) / 2; Y = 200 - 159 - 3 - 16.
    EXPECT_EQ(ClientOrigin(f), (POINT{3, 22}));
    EXPECT_EQ(TopAreaHeight(f), 200 - 159 - 3 - 16);
}

// The computed sizes agree with the non-client area the window system gives each form.
TEST_F(ProviderTest, GeometryAgreesWithTheWindowSystem) {
    const struct {
        TFormBorderStyle Style;
        bool Menu;
        int Border, Caption, MenuLine, Top;
    } cases[] = {
        {bsSingle, false, 3, 19, 0, 22},     {bsSingle, true, 3, 19, 18, 41},
        {bsSizeable, false, 4, 19, 0, 23},   {bsSizeable, true, 4, 19, 18, 42},
        {bsDialog, false, 3, 19, 0, 22},     {bsDialog, true, 3, 19, 18, 41},
        {bsToolWindow, false, 3, 15, 0, 18}, {bsNone, false, 0, 0, 0, 0},
        {bsNone, true, 0, 0, 18, 19},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "style " << c.Style << " menu " << c.Menu);
        TForm* form = ShownForm(c.Style, biSystemMenu, 300, 200, c.Menu);
        const TsFrameFacts f = TsFrameFacts::FromForm(*form);
        EXPECT_EQ(FrameBorderWidth(f), c.Border);
        EXPECT_EQ(FrameBorderHeight(f), c.Border);
        EXPECT_EQ(CaptionHeight(f), c.Caption);
        EXPECT_EQ(MenuHeight(f), c.MenuLine);
        EXPECT_EQ(TopAreaHeight(f), c.Top);
        EXPECT_EQ(ClientOrigin(f), (POINT{c.Border, c.Top}));
        const RECT client = ClientRectInWindow(form->Handle());
        EXPECT_EQ(client.left, c.Border);
        EXPECT_EQ(client.top, c.Top);
        EXPECT_EQ(300 - client.right, c.Border);
        EXPECT_EQ(200 - client.bottom, c.Border);
    }
}
