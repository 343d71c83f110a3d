// The frame rules of a system dialog skinned from outside, worked out from the headless
// system metrics: dialog frame 3, sizing frame 4, caption 19, small icon 16.
#include <gtest/gtest.h>
#include <vector>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "windows/qvDialogGeometry.h"

namespace {

constexpr DWORD kModalFrame = 0x80;
constexpr DWORD kModalPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | kModalFrame;
constexpr DWORD kSizeable = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;

class DialogGeometryTest : public ::testing::Test {
  protected:
    void SetUp() override { UseHeadlessBackend(800, 600); }

    static TqvDialogFacts Facts(DWORD style, int w, int h, int cw, int ch, DWORD ex = 0) {
        TqvDialogFacts f;
        f.SavedStyle = style;
        f.CurrentStyle = style & ~WS_SYSMENU; // the wrapper takes the system menu style away
        f.SavedExStyle = ex;
        f.FrameKind = DialogFrameKind(style);
        f.WindowWidth = w;
        f.WindowHeight = h;
        f.ClientWidth = cw;
        f.ClientHeight = ch;
        return f;
    }
    static TqvDialogButtons Buttons(SIZE close, SIZE others) {
        TqvDialogButtons b;
        b.Close = {close, true, {}};
        b.Maximize = b.Minimize = b.Help = {others, true, {}};
        return b;
    }
};

TEST_F(DialogGeometryTest, FrameKindFollowsTheStyle) {
    struct Case {
        DWORD Style;
        unsigned char Kind;
    };
    const std::vector<Case> cases = {
        {kModalPopup, fkModal},
        {WS_POPUP | WS_BORDER, fkPopup},     // one caption bit only
        {WS_POPUP | WS_THICKFRAME, fkPopup}, // no caption beats the frame
        {WS_CHILD | WS_CAPTION | WS_THICKFRAME, fkSizing},
        {WS_CAPTION | kModalFrame | WS_THICKFRAME, fkSizing}, // the sizing frame wins
        {WS_CAPTION, fkSizing},                               // any other dialog
    };
    for (const Case& c : cases) EXPECT_EQ(DialogFrameKind(c.Style), c.Kind) << std::hex << c.Style;
}

TEST_F(DialogGeometryTest, ModalPopupHasThinFrameAndOnlyClose) {
    // 300 x 200 window, client 294 x 175: 3 + 19 above the client, 3 below.
    TqvDialogFacts f = Facts(kModalPopup, 300, 200, 294, 175);
    EXPECT_EQ(f.FrameKind, fkModal);
    EXPECT_EQ(DialogFrameBorderWidth(f), 3);
    EXPECT_EQ(DialogFrameBorderHeight(f), 3);
    EXPECT_EQ(DialogCaptionHeight(f), 19);
    EXPECT_EQ(DialogTopAreaHeight(f), 200 - 175 - 3);
    EXPECT_EQ(DialogClientOrigin(f).x, 3);
    EXPECT_EQ(DialogClientOrigin(f).y, 22);

    using C = TqvDialogCommand;
    for (C hidden : {C::Restore, C::Size, C::Minimize, C::Maximize, C::Help})
        EXPECT_FALSE(DialogCommandVisible(f, hidden)) << int(hidden);
    EXPECT_TRUE(DialogCommandVisible(f, C::Move));
    EXPECT_TRUE(DialogCommandEnabled(f, C::Move));
    EXPECT_TRUE(DialogCommandVisible(f, C::Close));
    EXPECT_TRUE(DialogCommandEnabled(f, C::Close));
    f.ClassStyle = CS_NOCLOSE;
    EXPECT_FALSE(DialogCommandEnabled(f, C::Close));

    // A small close image 16 x 14 stands two pixels lower: (19 + 3 - 14) / 2 + 2 = 6.
    TqvDialogButtons b = Buttons({16, 14}, {16, 14});
    LayoutDialogButtons(f, b);
    EXPECT_EQ(b.Close.Rect.left, 300 - 3 - 16);
    EXPECT_EQ(b.Close.Rect.top, 6);
    EXPECT_EQ(b.Close.Rect.right, 297);
    EXPECT_EQ(b.Close.Rect.bottom, 20);
    EXPECT_EQ(b.Maximize.Rect.right, 0); // not shown
    EXPECT_EQ(DialogButtonsWidth(f, b), 16);
}

TEST_F(DialogGeometryTest, SizeableDialogWithMaximizeBox) {
    TqvDialogFacts f = Facts(kSizeable, 400, 300, 392, 273);
    EXPECT_EQ(f.FrameKind, fkSizing);
    EXPECT_EQ(DialogFrameBorderWidth(f), 4);
    EXPECT_EQ(DialogTopAreaHeight(f), 300 - 273 - 4);
    EXPECT_EQ(DialogTopAreaHeight([&] {
                  TqvDialogFacts iconic = f;
                  iconic.Iconic = true;
                  return iconic;
              }()),
              23 + 4);
    using C = TqvDialogCommand;
    EXPECT_TRUE(DialogCommandEnabled(f, C::Maximize));
    EXPECT_TRUE(DialogCommandVisible(f, C::Restore));
    EXPECT_FALSE(DialogCommandEnabled(f, C::Restore));
    EXPECT_TRUE(DialogCommandEnabled(f, C::Size));
    f.Maximized = true;
    EXPECT_FALSE(DialogCommandEnabled(f, C::Maximize));
    EXPECT_TRUE(DialogCommandEnabled(f, C::Restore));
    EXPECT_FALSE(DialogCommandEnabled(f, C::Move));

    // Close 20 x 18, maximize 18 x 18 from x = 396 leftward, top (19 + 4 - 18) / 2 = 2.
    TqvDialogButtons b = Buttons({20, 18}, {18, 18});
    LayoutDialogButtons(f, b);
    EXPECT_EQ(b.Close.Rect.left, 376);
    EXPECT_EQ(b.Maximize.Rect.left, 358);
    EXPECT_EQ(b.Maximize.Rect.right, 376);
    EXPECT_EQ(b.Maximize.Rect.top, 2);
    EXPECT_EQ(DialogButtonsWidth(f, b), 38);
}

TEST_F(DialogGeometryTest, PopupWithoutCaptionHasNoFrame) {
    const TqvDialogFacts f = Facts(WS_POPUP, 200, 100, 200, 100);
    EXPECT_EQ(DialogFrameBorderWidth(f), 0);
    EXPECT_EQ(DialogCaptionHeight(f), 0);
    EXPECT_EQ(DialogTopAreaHeight(f), 0);
    EXPECT_EQ(DialogClientOrigin(f).y, 0);
    // No band: the top-left corner is not a system menu icon.
    const TqvDialogHit hit = DialogHitTest(f, Buttons({21, 21}, {21, 21}), {5, 5}, 16, {0, 0});
    EXPECT_EQ(hit.Code, HTNOWHERE);
}

TEST_F(DialogGeometryTest, HitCodesOfPoints) {
    // Sizeable 400 x 300 with maximize box; close 20 x 18: band y 2..20, close 376..396,
    // maximize 358..376; grip 12 x 12 from (400 - 12 - 4, 300 - 12 - 4) = (384, 284).
    struct Case {
        POINT P;
        bool Maximized;
        int Code;
        bool Hot;
    };
    const std::vector<Case> cases = {
        {{4, 10}, false, HTSYSMENU, true},
        {{20, 10}, false, HTSYSMENU, true},
        {{21, 10}, false, HTCAPTION, false},
        {{380, 10}, false, HTCLOSE, true},
        {{376, 2}, false, HTCLOSE, true},
        {{360, 20}, false, HTMAXBUTTON, true},
        {{358, 10}, false, HTMAXBUTTON, true},
        {{357, 10}, false, HTCAPTION, false},
        {{397, 10}, false, HTCAPTION, false},
        {{200, 21}, false, HTNOWHERE, false},
        {{385, 285}, false, HTBOTTOMRIGHT, false},
        {{384, 285}, false, HTNOWHERE, false},
        // Maximized: the restore button answers; near the edge the window lets clicks through.
        {{360, 10}, true, HTMAXBUTTON, true},
        {{399, 150}, true, HTTRANSPARENT, false},
        {{1, 150}, true, HTTRANSPARENT, false},
        {{200, 150}, true, HTNOWHERE, false},
    };
    for (const Case& c : cases) {
        TqvDialogFacts f = Facts(kSizeable, 400, 300, 392, 273);
        f.Maximized = c.Maximized;
        TqvDialogButtons b = Buttons({20, 18}, {18, 18});
        LayoutDialogButtons(f, b);
        const TqvDialogHit hit = DialogHitTest(f, b, c.P, 16, {12, 12});
        EXPECT_EQ(hit.Code, c.Code) << c.P.x << "," << c.P.y << " max " << c.Maximized;
        EXPECT_EQ(hit.MakesHot, c.Hot) << c.P.x << "," << c.P.y;
    }
}

TEST_F(DialogGeometryTest, HelpBesideMinimizeIsHelp) {
    // Close, minimize, help, no maximize: the third button from the right is help.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    TqvDialogFacts f = Facts(style, 400, 300, 392, 273, WS_EX_CONTEXTHELP);
    TqvDialogButtons b = Buttons({20, 18}, {18, 18});
    LayoutDialogButtons(f, b);
    EXPECT_EQ(DialogHitTest(f, b, {345, 10}, 16, {0, 0}).Code, HTHELP);
    EXPECT_EQ(DialogHitTest(f, b, {365, 10}, 16, {0, 0}).Code, HTMINBUTTON);
    // Without the system menu style every button place is caption.
    f.SavedStyle &= ~WS_SYSMENU;
    LayoutDialogButtons(f, b);
    EXPECT_EQ(DialogHitTest(f, b, {380, 10}, 16, {0, 0}).Code, HTCAPTION);
}

TEST_F(DialogGeometryTest, ButtonWithoutImageIsNotPlaced) {
    TqvDialogFacts f = Facts(kSizeable, 400, 300, 392, 273);
    TqvDialogButtons b = Buttons({20, 18}, {18, 18});
    b.Maximize.Drawable = false; // its width still counts for the title band
    LayoutDialogButtons(f, b);
    EXPECT_EQ(b.Maximize.Rect.right, 0);
    EXPECT_EQ(DialogButtonsWidth(f, b), 38);
    EXPECT_EQ(DialogHitTest(f, b, {360, 10}, 16, {0, 0}).Code, HTCAPTION);
}

} // namespace
