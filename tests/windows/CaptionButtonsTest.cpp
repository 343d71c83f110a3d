// The caption buttons of a 200-pixel frame: where they lie, what each point of the frame
// answers, how the states follow the mouse and what one repainted button leaves in the cache.
#include <algorithm>

#include "windows/CaptionTestFixture.h"

namespace {

RECT R(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

} // namespace

// Buttons are placed from x = 200 - 4 - 1 (spacing) leftwards, each followed by one pixel of
// spacing; their top is (18 + 4 - 18) / 2 = 2.
TEST_F(CaptionTest, ButtonsArePlacedFromTheRightWithTheSkinsSpacing) {
    Activate();
    buttons_->LayoutButtons();
    EXPECT_EQ(buttons_->FrameButtonHeight(), 18);
    ExpectRect(buttons_->Close.Rect, R(179, 2, 195, 20), "close");
    ExpectRect(buttons_->Maximize.Rect, R(164, 2, 178, 20), "maximize");
    ExpectRect(buttons_->Minimize.Rect, R(149, 2, 163, 20), "minimize");
    // (16 + 1) + (14 + 1) + (14 + 1)
    EXPECT_EQ(buttons_->ButtonsWidth(), 47);
}

TEST_F(CaptionTest, AButtonImageLowerThan16PixelsSitsTwoPixelsLower) {
    // A 16 x 12 close image: top (18 + 4 - 12) / 2 + 2 = 7.
    manager_->MasksData.clear();
    AddButtonImage("BICONCLOSE", 0, 60, 16, 12);
    Activate();
    buttons_->LayoutButtons();
    EXPECT_EQ(buttons_->FrameButtonHeight(), 12);
    ExpectRect(buttons_->Close.Rect, R(179, 7, 195, 19), "close");
    // Missing images make 21-pixel buttons: maximise at 178 - 21, minimise after it.
    ExpectRect(buttons_->Maximize.Rect, R(157, 7, 178, 19), "maximize");
    ExpectRect(buttons_->Minimize.Rect, R(135, 7, 156, 19), "minimize");
}

TEST_F(CaptionTest, FormKindsShowTheirButtons) {
    // The main window: fixed size, only biMaximize: no buttons at all.
    form_->SetBorderStyle(bsSingle);
    form_->SetBorderIcons(biMaximize);
    Activate();
    EXPECT_EQ(buttons_->ButtonsWidth(), 0);
    EXPECT_EQ(Hit(187, 10), kOwnHit);

    // The About dialog: Close only, from the big images when the small ones are missing.
    form_->SetBorderStyle(bsDialog);
    form_->SetBorderIcons(biSystemMenu);
    Activate();
    EXPECT_EQ(buttons_->Close.ImageIndex,
              manager_->FindImageEntryIndex("GLOBALINFO", "BICONCLOSE"));
    EXPECT_EQ(buttons_->ButtonsWidth(), 17);
    EXPECT_EQ(Hit(187, 10), HTCLOSE);
    EXPECT_EQ(Hit(170, 10), kOwnHit);

    // Help without Maximize: Close, Minimize, then a 21-pixel Help third from the right.
    form_->SetBorderStyle(bsSizeable);
    form_->SetBorderIcons(biSystemMenu | biMinimize | biHelp);
    Activate();
    buttons_->LayoutButtons();
    ExpectRect(buttons_->Minimize.Rect, R(164, 2, 178, 20), "minimize");
    ExpectRect(buttons_->Help.Rect, R(142, 2, 163, 20), "help");
    EXPECT_EQ(buttons_->ButtonsWidth(), 17 + 15 + 22);
    EXPECT_EQ(Hit(150, 10), HTHELP);
    EXPECT_EQ(buttons_->HotButton(), HTHELP);
}

TEST_F(CaptionTest, SmallImagesServeDialogs) {
    const int small = AddButtonImage("SICONCLOSE", 0, 60, 12, 12);
    form_->SetBorderStyle(bsToolWindow);
    Activate();
    EXPECT_EQ(buttons_->Close.ImageIndex, small);
    form_->SetBorderStyle(bsSingle);
    Activate();
    EXPECT_EQ(buttons_->Close.ImageIndex,
              manager_->FindImageEntryIndex("GLOBALINFO", "BICONCLOSE"));
}

TEST_F(CaptionTest, WithoutAGlobalCloseImageTheFormsSectionGivesTheImages) {
    manager_->MasksData.clear();
    const int close = AddButtonImage("BICONCLOSE", 0, 0, 16, 18, "FORM");
    const int normal = AddButtonImage("BICONNORM", 48, 0, 14, 18, "FORM");
    const int title = AddButtonImage("TITLEBUTTON", 0, 60, 21, 18, "FORM");
    buttons_->TitleButtons.Add();
    buttons_->TitleButtons.Add().UseSkinData = false;
    Activate();
    EXPECT_EQ(buttons_->Close.ImageIndex, close);
    EXPECT_EQ(buttons_->Maximize.ImageIndex, -1);
    EXPECT_EQ(buttons_->RestoreImage, normal);
    EXPECT_EQ(buttons_->TitleButtonImage, title);
    EXPECT_EQ(buttons_->TitleButtons.Items(0).FrameButton.ImageIndex, title);
    EXPECT_EQ(buttons_->TitleButtons.Items(1).FrameButton.ImageIndex, -1);
}

TEST_F(CaptionTest, EveryPointOfTheFrameAnswersItsCode) {
    Activate();
    // The button band is rows 2 to 20 (inclusive); the icon columns 4 to 20.
    const struct {
        int X, Y;
        LRESULT Expected;
    } points[] = {
        {187, 10, HTCLOSE},     {179, 10, HTCLOSE},     {195, 10, HTCLOSE},
        {178, 10, HTMAXBUTTON}, {164, 10, HTMAXBUTTON}, {150, 10, HTMINBUTTON},
        {170, 2, HTMAXBUTTON},  {170, 20, HTMAXBUTTON}, {10, 10, HTSYSMENU},
        {4, 10, HTSYSMENU},     {20, 10, HTSYSMENU},    {21, 10, kOwnHit},
        {100, 10, kOwnHit},     {196, 10, kOwnHit},     {170, 1, kOwnHit},
        {170, 21, kOwnHit},     {100, 100, kOwnHit},
    };
    for (const auto& p : points) EXPECT_EQ(Hit(p.X, p.Y), p.Expected) << p.X << "," << p.Y;
}

TEST_F(CaptionTest, ADisabledMinimizeAndADisabledTitleButtonAnswerAsCaption) {
    form_->SetBorderIcons(biSystemMenu | biMaximize); // Minimize shows, disabled
    buttons_->TitleButtons.Add();
    buttons_->TitleButtons.Add().Enabled = false;
    Activate();
    // Title buttons 21 wide after Minimize (149..163): 127..148 and 105..126.
    EXPECT_EQ(Hit(150, 10), kOwnHit);
    EXPECT_EQ(buttons_->HotButton(), 0);
    EXPECT_EQ(Hit(140, 10), kTitleButtonHitBase);
    EXPECT_EQ(buttons_->HotButton(), kTitleButtonHitBase);
    EXPECT_EQ(Hit(110, 10), kOwnHit);
    EXPECT_EQ(buttons_->HotButton(), 0);
}

TEST_F(CaptionTest, AMaximisedFormLeavesItsOuterTwoPixelsToTheWindowsBelow) {
    Activate();
    form_->Show();
    form_->SetWindowState(wsMaximized);
    RECT w{};
    GetWindowRect(form_->Handle(), &w);
    const int width = w.right - w.left;
    EXPECT_EQ(Hit(1, 60), HTTRANSPARENT);
    EXPECT_EQ(Hit(2, 60), kOwnHit);
    EXPECT_EQ(Hit(width - 2, 60), HTTRANSPARENT);
    EXPECT_EQ(Hit(width - 3, 60), kOwnHit);
    // Maximised, the maximise button restores.
    EXPECT_EQ(Hit(170, 10), HTMAXBUTTON);
}

TEST_F(CaptionTest, TheGripCornerSizesAndTheBorderModeRemembersTheDragKind) {
    AddImage("GLOBALINFO", "GRIPIMAGE", RECT{100, 0, 108, 8}, 1, 0);
    Activate();
    host_.Grip = gmRightBottom;
    host_.Resize = rmBorder;
    // The grip's corner: x = 200 - 8 - 4, y = 150 - 8 - 4.
    EXPECT_EQ(Hit(188, 138), HTBOTTOMRIGHT);
    EXPECT_EQ(buttons_->LastDragKind(), HTBOTTOMRIGHT);
    EXPECT_EQ(Hit(187, 138), kOwnHit);
    EXPECT_EQ(Hit(188, 137), kOwnHit);
}

// A pressed button holds the mouse: it looks pressed only while the mouse is over it, and a
// release back over it still acts.
TEST_F(CaptionTest, ThePressedStateFollowsTheMouse) {
    Activate();
    Paint();
    EXPECT_EQ(Hit(150, 10), HTMINBUTTON);
    EXPECT_EQ(buttons_->Minimize.State, 1);
    EXPECT_TRUE(Mouse(WM_NCLBUTTONDOWN, HTMINBUTTON, 150, 10));
    EXPECT_EQ(buttons_->Minimize.State, 2);
    EXPECT_TRUE(TsCaptionButtons::ButtonPressed());
    EXPECT_EQ(GetCapture(), form_->Handle());
    EXPECT_TRUE(ClientMouse(WM_MOUSEMOVE, 100, 60));
    EXPECT_EQ(buttons_->Minimize.State, 0);
    EXPECT_TRUE(TsCaptionButtons::ButtonPressed());
    EXPECT_TRUE(ClientMouse(WM_MOUSEMOVE, 150, 10));
    EXPECT_EQ(buttons_->Minimize.State, 2);
    EXPECT_TRUE(ClientMouse(WM_LBUTTONUP, 150, 10));
    EXPECT_EQ(Commands, std::vector<WPARAM>{SC_MINIMIZE});
    EXPECT_EQ(buttons_->HotButton(), 0);
    EXPECT_EQ(buttons_->Minimize.State, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Moved out and let go outside, the press ends without a command.
TEST_F(CaptionTest, ALetGoOutsideAfterMovingOutSendsNothing) {
    Activate();
    Paint();
    Hit(187, 10);
    Mouse(WM_NCLBUTTONDOWN, HTCLOSE, 187, 10);
    ClientMouse(WM_MOUSEMOVE, 100, 60);
    EXPECT_TRUE(ClientMouse(WM_LBUTTONUP, 100, 60));
    EXPECT_TRUE(Commands.empty());
    EXPECT_EQ(buttons_->Close.State, 0);
    EXPECT_FALSE(TsCaptionButtons::ButtonPressed());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CaptionTest, AReleaseOutsideAPressedMinimizeOnlyClearsTheHotState) {
    Activate();
    Paint();
    Hit(150, 10);
    Mouse(WM_NCLBUTTONDOWN, HTMINBUTTON, 150, 10);
    EXPECT_TRUE(Mouse(WM_NCLBUTTONUP, HTCAPTION, 100, 10));
    EXPECT_TRUE(Commands.empty());
    EXPECT_EQ(buttons_->HotButton(), 0);
    EXPECT_EQ(buttons_->Minimize.State, 0);
    EXPECT_FALSE(TsCaptionButtons::ButtonPressed());
    EXPECT_EQ(std::count(host_.OwnMessages.begin(), host_.OwnMessages.end(), WM_NCLBUTTONUP), 0);
}

TEST_F(CaptionTest, ReleasesOverPressedButtonsSendTheirCommands) {
    Activate();
    Paint();
    const auto click = [&](int hit, int x) {
        Hit(x, 10);
        Mouse(WM_NCLBUTTONDOWN, WPARAM(hit), x, 10);
        Mouse(WM_NCLBUTTONUP, WPARAM(hit), x, 10);
    };
    click(HTMINBUTTON, 150); // the main form minimises
    click(HTMAXBUTTON, 170);
    EXPECT_EQ(form_->WindowState(), wsMaximized);
    click(HTCLOSE, 187);
    ASSERT_EQ(Commands.size(), 3u);
    EXPECT_EQ(Commands[0], SC_MINIMIZE);
    EXPECT_EQ(Commands[1], SC_MAXIMIZE);
    EXPECT_EQ(Commands[2], SC_CLOSE);
    EXPECT_EQ(buttons_->HotButton(), 0);
}

TEST_F(CaptionTest, TitleButtonsRaiseTheirMouseEvents) {
    std::vector<std::string> events;
    TsTitleButton& button = buttons_->TitleButtons.Add();
    button.OnMouseDown = [&](TsTitleButton*, TMouseButton b, TShiftState, int, int) {
        events.push_back(b == mbLeft ? "down" : "?");
    };
    button.OnMouseUp = [&](TsTitleButton* sender, TMouseButton, TShiftState, int, int) {
        events.push_back(sender == &button ? "up" : "?");
    };
    Activate();
    Paint();
    EXPECT_EQ(Hit(140, 10), kTitleButtonHitBase);
    Mouse(WM_NCLBUTTONDOWN, kTitleButtonHitBase, 140, 10);
    EXPECT_EQ(button.FrameButton.State, 2);
    Mouse(WM_NCLBUTTONUP, kTitleButtonHitBase, 140, 10);
    EXPECT_EQ((std::vector<std::string>{"down", "up"}), events);
    EXPECT_EQ(button.FrameButton.State, 0);
}

TEST_F(CaptionTest, DoubleClicksAndRightClicksOnTheCaption) {
    Activate();
    EXPECT_TRUE(Mouse(WM_NCLBUTTONDBLCLK, HTCAPTION, 100, 10));
    EXPECT_EQ(form_->WindowState(), wsMaximized);
    EXPECT_TRUE(Mouse(WM_NCLBUTTONDBLCLK, HTSYSMENU, 10, 10));
    EXPECT_TRUE(Mouse(WM_NCRBUTTONDOWN, HTCAPTION, 100, 10));
    EXPECT_FALSE(Mouse(WM_NCRBUTTONDOWN, HTLEFT, 1, 60));
    ASSERT_EQ(Commands.size(), 2u);
    EXPECT_EQ(Commands[0], SC_MAXIMIZE);
    EXPECT_EQ(Commands[1], SC_CLOSE);
}

TEST_F(CaptionTest, TheBorderModeDragsAnOutlineFromTheCaptionAndTheEdges) {
    Activate();
    host_.Resize = rmBorder;
    EXPECT_TRUE(Mouse(WM_NCLBUTTONDOWN, HTCAPTION, 100, 10));
    EXPECT_TRUE(Mouse(WM_NCLBUTTONDOWN, HTLEFT, 1, 60));
    EXPECT_TRUE(Mouse(WM_NCLBUTTONDOWN, HTMENU, 50, 30));
    EXPECT_EQ((std::vector<int>{HTCAPTION, HTLEFT}), host_.DragStarts);
    // The caption click and the menu bar reach the form too; the edge only drags.
    EXPECT_EQ(std::count(host_.OwnMessages.begin(), host_.OwnMessages.end(), WM_NCLBUTTONDOWN), 2);
}

// Background 0x646464; frame colours kNormal, kHot, kPressed. The faded mode of an unmasked
// image is half image, half background: RGB(200, 0, 0) over 100 grey gives RGB(150, 50, 50).
TEST_F(CaptionTest, ARepaintedButtonChangesOnlyItsOwnPixels) {
    Activate();
    Paint();
    EXPECT_EQ(CachePixel(187, 10), kNormal);
    EXPECT_EQ(CachePixel(170, 10), kNormal);
    EXPECT_EQ(CachePixel(178, 10), kFrameGrey); // the spacing column
    buttons_->SetHotButton(HTCLOSE);
    EXPECT_EQ(CachePixel(179, 2), kHot);
    EXPECT_EQ(CachePixel(194, 19), kHot);
    EXPECT_EQ(CachePixel(195, 10), kFrameGrey);
    EXPECT_EQ(CachePixel(187, 20), kFrameGrey);
    EXPECT_EQ(CachePixel(170, 10), kNormal);
    buttons_->PressButton(HTCLOSE);
    EXPECT_EQ(CachePixel(187, 10), kPressed);
    buttons_->SetHotButton(0);
    EXPECT_EQ(CachePixel(187, 10), kNormal);
}

TEST_F(CaptionTest, AnInactiveFrameFadesIdleButtonsButNotTheHotOne) {
    const TColor faded = TColor(RGB(150, 50, 50));
    host_.Active = false;
    Activate();
    Paint();
    EXPECT_EQ(CachePixel(187, 10), faded);
    buttons_->SetHotButton(HTCLOSE);
    EXPECT_EQ(CachePixel(187, 10), kHot);
    buttons_->SetHotButton(0);
    EXPECT_EQ(CachePixel(187, 10), faded); // from the saved background, not over the old image
}

TEST_F(CaptionTest, ADisabledTitleButtonIsDrawnFaded) {
    AddButtonImage("TITLEBUTTON", 0, 60, 21, 18);
    buttons_->TitleButtons.Add();
    buttons_->TitleButtons.Add().Enabled = false;
    Activate();
    Paint();
    EXPECT_EQ(CachePixel(137, 10), kNormal);
    EXPECT_EQ(CachePixel(115, 10), TColor(RGB(150, 50, 50)));
}

TEST_F(CaptionTest, ATitleButtonGlyphIsCentredWithItsCornerColourTransparent) {
    // A 3 x 3 white glyph whose bottom-left pixel (black) is the transparent colour.
    TsTitleButton& button = buttons_->TitleButtons.Add();
    button.UseSkinData = false;
    button.Glyph = std::make_unique<Bitmap>(3, 3, 24);
    button.Glyph->Fill(0xFFFFFF);
    button.Glyph->SetPixel(0, 2, 0);
    Activate();
    Paint();
    // The button is 127..148 (21 wide): the glyph at 127 + 9 = 136, 2 + (18 - 3) / 2 = 9.
    EXPECT_EQ(CachePixel(136, 9), 0xFFFFFF);
    EXPECT_EQ(CachePixel(138, 11), 0xFFFFFF);
    EXPECT_EQ(CachePixel(136, 11), kFrameGrey);
    EXPECT_EQ(CachePixel(135, 9), kFrameGrey);
}

TEST_F(CaptionTest, ARepaintedButtonReachesTheWindow) {
    form_->Show();
    ProcessPendingMessages();
    Activate();
    Paint();
    buttons_->SetHotButton(HTCLOSE);
    const HDC dc = GetWindowDC(form_->Handle());
    EXPECT_EQ(GetPixel(dc, 187, 10), COLORREF(kHot));
    ReleaseDC(form_->Handle(), dc);
}

TEST_F(CaptionTest, AClientReleaseWithControlHeldIsNoMinimizeClick) {
    // MK_CONTROL has the value of HTMINBUTTON: only a pressed button makes a release ours.
    Activate();
    Paint();
    TMessage up{WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(150, 10), 0};
    EXPECT_FALSE(buttons_->HandleMouseMessage(up));
    EXPECT_TRUE(Commands.empty());
}

TEST_F(CaptionTest, LeavingTheWindowClearsTheHotButtonAndGoesOn) {
    Activate();
    Paint();
    Hit(187, 10);
    EXPECT_EQ(buttons_->HotButton(), HTCLOSE);
    TMessage leave{WM_MOUSELEAVE, 0, 0, 0};
    EXPECT_FALSE(buttons_->HandleMouseMessage(leave));
    EXPECT_EQ(buttons_->HotButton(), 0);
    EXPECT_EQ(CachePixel(187, 10), kNormal);
}
