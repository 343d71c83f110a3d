// The skinned scroll bars of a wrapped window: the room they take, hit codes, the requests a
// click, a hold and a drag send on the virtual clock, and the pixels they paint.
//
// Unless a test says otherwise the window is 100 x 120 at screen (110, 110) with a vertical
// bar only, no border: the bar is x 84..99, y 0..119 of the window (screen x 194..209).
// Arrows A = 16, track T = 120 - 32 = 88; range 0..99 with page 20 gives a thumb
// S = MulDiv(20, 88, 100) = 18 and 80 positions, the thumb at 16 + MulDiv(pos, 70, 80).
#include "toolkit/TreeView.h"
#include "windows/ScrollBarsTestFixture.h"

namespace {

constexpr int kBarX = 200;       // screen x inside the vertical bar
constexpr int kDownArrowY = 225; // window y 115

TEST_F(ScrollBarsTest, TheBarsTakeTheirRoomOutOfTheClientArea) {
    Wrapped(100, 120, WS_VSCROLL | WS_HSCROLL | WS_BORDER);
    // The border takes 1 pixel on each side; the bars 16 at the right and the bottom.
    EXPECT_EQ(ClientRectInWindow(child_), (RECT{1, 1, 83, 103}));
    EXPECT_EQ(Bars().Edges, (RECT{1, 1, 1, 1}));
    // The style keeps its bits: only the calculation did not see them.
    EXPECT_EQ(DWORD(GetWindowLong(child_, GWL_STYLE)) & (WS_VSCROLL | WS_HSCROLL),
              DWORD(WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(Bars().Reserved().cx, 16);
    EXPECT_EQ(Bars().Reserved().cy, 16);
    EXPECT_EQ(Bars().BarRect(Bars().Vertical), (RECT{83, 1, 99, 103}));
    EXPECT_EQ(Bars().BarRect(Bars().Horizontal), (RECT{1, 103, 83, 119}));
    EXPECT_EQ(Bars().SquareRect(), (RECT{83, 103, 99, 119}));
}

TEST_F(ScrollBarsTest, AClientLowerThanTheBarShowsNoHorizontalBar) {
    Wrapped(100, 10, WS_HSCROLL);
    EXPECT_FALSE(Bars().Horizontal.Shown);
    EXPECT_EQ(Bars().Reserved().cy, 0);
    EXPECT_EQ(ClientRectInWindow(child_), (RECT{0, 0, 100, 10}));
}

TEST_F(ScrollBarsTest, TheVerticalBarStandsLeftWhenTheWindowAsks) {
    Wrapped(100, 120, WS_VSCROLL);
    SetWindowLong(child_, GWL_EXSTYLE, WS_EX_LEFTSCROLLBAR);
    SetWindowPos(child_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(ClientRectInWindow(child_), (RECT{16, 0, 100, 120}));
    EXPECT_EQ(Bars().BarRect(Bars().Vertical), (RECT{0, 0, 16, 120}));
}

TEST_F(ScrollBarsTest, WithoutASkinTheSystemKeepsItsOwnBars) {
    Wrapped(100, 120);
    manager_->SkinData.Loaded = false;
    SetWindowPos(child_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_FALSE(Bars().Vertical.Shown);
    EXPECT_EQ(Bars().Reserved().cx, 0);
    // The system's bar takes the same room.
    EXPECT_EQ(ClientRectInWindow(child_), (RECT{0, 0, 84, 120}));
}

TEST_F(ScrollBarsTest, HitCodes) {
    Wrapped(100, 120, WS_VSCROLL | WS_HSCROLL);
    auto hit = [&](int x, int y) { return SendMessage(child_, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    // Vertical bar x 84..99, y 0..103; horizontal y 104..119, x 0..83.
    EXPECT_EQ(hit(150, 150), HTCLIENT);
    EXPECT_EQ(hit(194, 110), HTVSCROLL);
    EXPECT_EQ(hit(209, 213), HTVSCROLL);
    EXPECT_EQ(hit(110, 214), HTHSCROLL);
    EXPECT_EQ(hit(193, 229), HTHSCROLL);
    // Not in the corner of the top window: the square is the window's own business.
    EXPECT_NE(hit(200, 225), HTBOTTOMRIGHT);
    EXPECT_NE(hit(200, 225), HTVSCROLL);

    EnableScrollBar(child_, SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_EQ(hit(200, 150), HTNOWHERE);
    EXPECT_EQ(hit(150, 225), HTHSCROLL);
}

TEST_F(ScrollBarsTest, TheSquareInTheTopWindowsCornerSizesIt) {
    // The top window's client is 300 x 250: this child ends in its bottom-right corner.
    Wrapped(100, 120, WS_VSCROLL | WS_HSCROLL, 200, 130);
    EXPECT_EQ(SendMessage(child_, WM_NCHITTEST, 0, MAKELPARAM(390, 340)), HTBOTTOMRIGHT);
}

TEST_F(ScrollBarsTest, AClickOnAnArrowSendsOneLineAndTheEndOfScrolling) {
    Wrapped(100, 120);
    Click(POINT{kBarX, kDownArrowY});
    const LPARAM lineDown = MAKELPARAM(SB_LINEDOWN, WM_VSCROLL);
    const LPARAM end = MAKELPARAM(SB_ENDSCROLL, WM_VSCROLL);
    const std::vector<ScrollRecord> expected = {
        {SM_ORVENCMD, scScrollStart, 0, 0},
        V(SB_LINEDOWN, 0),
        {SM_ORVENCMD, scScrollEnd, int(lineDown), 0},
        {SM_ORVENCMD, scScrollStart, 0, 0},
        V(SB_ENDSCROLL, 1),
        {SM_ORVENCMD, scScrollEnd, int(end), 0},
    };
    EXPECT_EQ(ScrollLog(), expected);
    EXPECT_EQ(Position(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarsTest, HoldingAnArrowRepeatsAfterTheDelayAndPausesOffTheArrow) {
    Wrapped(100, 120);
    MouseDown(POINT{kBarX, kDownArrowY});
    EXPECT_EQ(Requests().size(), 1u);
    AdvanceClock(299);
    EXPECT_EQ(Requests().size(), 1u);
    AdvanceClock(1); // 300 ms: the delay is over
    EXPECT_EQ(Requests().size(), 2u);
    AdvanceClock(54);
    EXPECT_EQ(Requests().size(), 2u);
    AdvanceClock(1); // 355
    EXPECT_EQ(Requests().size(), 3u);
    AdvanceClock(55); // 410
    EXPECT_EQ(Requests().size(), 4u);

    MouseMoveTo(POINT{150, 150}); // off the arrow, still pressed
    AdvanceClock(110);
    EXPECT_EQ(Requests().size(), 4u);
    MouseMoveTo(POINT{kBarX, kDownArrowY});
    AdvanceClock(55);
    EXPECT_EQ(Requests().size(), 5u);

    MouseUp(POINT{kBarX, kDownArrowY});
    AdvanceClock(300);
    const std::vector<ScrollRecord> expected = {V(1, 0), V(1, 1), V(1, 2),
                                                V(1, 3), V(1, 4), V(SB_ENDSCROLL, 5)};
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(Position(), 5);
}

TEST_F(ScrollBarsTest, HoldingTheTrackPagesUntilTheThumbReachesTheCursor) {
    Wrapped(100, 120);
    // Window y 100 is below the thumb (16..33). Pages move it to 16 + MulDiv(pos, 70, 80):
    // pos 20 -> 34, 40 -> 51, 60 -> 69, 80 -> 86, which covers y 100.
    MouseDown(POINT{kBarX, 210});
    AdvanceClock(300 + 55 + 55 + 55 + 55);
    MouseUp(POINT{kBarX, 210});
    const std::vector<ScrollRecord> expected = {V(3, 0), V(3, 20), V(3, 40), V(3, 60),
                                                V(SB_ENDSCROLL, 80)};
    EXPECT_EQ(Requests(), expected);
}

TEST_F(ScrollBarsTest, DraggingTheThumbSendsPositionsAndStopsAtTheTrackEnds) {
    Wrapped(100, 120);
    // The thumb is at 16..33; grabbed 4 pixels into it.
    MouseDown(POINT{kBarX, 130});
    EXPECT_TRUE(Bars().Dragging());
    // Along 55: thumb at 51, 35 of 70 pixels: MulDiv(35, 80, 70) = 40.
    MouseMoveTo(POINT{kBarX, 165});
    // Far below: the thumb stops at 120 - 16 - 18 = 86, the last position 80.
    MouseMoveTo(POINT{kBarX, 400});
    MouseMoveTo(POINT{kBarX, 500}); // the same position: nothing sent
    // The thumb is drawn pressed at its end, the track above it up to there.
    EXPECT_EQ(Pixel(90, 86), kThumbHot);
    EXPECT_EQ(Pixel(90, 103), kThumbHot);
    EXPECT_EQ(Pixel(90, 85), kTrack1Color);
    MouseUp(POINT{kBarX, 500});
    EXPECT_FALSE(Bars().Dragging());
    const std::vector<ScrollRecord> expected = {V(SB_THUMBTRACK, 40), V(SB_THUMBTRACK, 80),
                                                V(SB_THUMBPOSITION, 80), V(SB_ENDSCROLL, 80)};
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(Position(), 80);
}

TEST_F(ScrollBarsTest, DraggingAboveTheTrackSendsTheFirstPosition) {
    Wrapped(100, 120);
    SetRange(SB_VERT, 0, 99, 20, 40); // thumb at 51..68
    Bars().Refresh();
    MouseDown(POINT{kBarX, 110 + 60});
    MouseMoveTo(POINT{kBarX, 20});
    MouseUp(POINT{kBarX, 20});
    const std::vector<ScrollRecord> expected = {V(SB_THUMBTRACK, 0), V(SB_THUMBPOSITION, 0),
                                                V(SB_ENDSCROLL, 0)};
    EXPECT_EQ(Requests(), expected);
}

TEST_F(ScrollBarsTest, PaintsArrowsTracksAndThumbFromTheirSections) {
    Wrapped(100, 120);
    SetRange(SB_VERT, 0, 99, 20, 40); // thumb at 16 + 35 = 51..68, its centre 60
    Bars().Refresh();
    struct Case {
        int Y;
        TColor Color;
    };
    const Case cases[] = {{0, kTopColor},     {15, kTopColor},     {16, kTrack1Color},
                          {50, kTrack1Color}, {51, kThumbColor},   {68, kThumbColor},
                          {69, kTrack2Color}, {103, kTrack2Color}, {104, kBottomColor},
                          {119, kBottomColor}};
    for (const Case& c : cases) EXPECT_EQ(Pixel(90, c.Y), c.Color) << c.Y;
}

TEST_F(ScrollBarsTest, ADisabledBarShowsItsBackgroundThrough) {
    Wrapped(100, 120);
    SetRange(SB_VERT, 0, 99, 20, 40);
    EnableScrollBar(child_, SB_VERT, ESB_DISABLE_BOTH);
    Bars().Refresh();
    // No thumb. Over the wrapper's 0x20 background each channel becomes
    // round(0x20 - 0.4 * (0x20 - c)): 255 -> 121.2 -> 0x79, 0 -> 19.2 -> 0x13.
    struct Case {
        int Y;
        TColor Color;
    };
    const Case cases[] = {{5, 0x131379},  {30, 0x791313}, {59, 0x791313},
                          {60, 0x797913}, {80, 0x797913}, {115, 0x137913}};
    for (const Case& c : cases) EXPECT_EQ(Pixel(90, c.Y), c.Color) << c.Y;

    // Without a background it is tinted toward SCROLLBAR1H's 0x50 instead:
    // round(0.4 * c + 0.6 * 80): 255 -> 150 = 0x96, 0 -> 48 = 0x30.
    WithoutBackground();
    Bars().Refresh();
    const Case tinted[] = {{5, 0x303096}, {30, 0x963030}, {80, 0x969630}, {115, 0x309630}};
    for (const Case& c : tinted) EXPECT_EQ(Pixel(90, c.Y), c.Color) << c.Y;
}

TEST_F(ScrollBarsTest, GlyphsAreCentredInTheArrowSquareAndInTheThumb) {
    Bitmap& master = *manager_->MasterBitmap;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            master.SetPixel(x, y, 0x123456);
            master.SetPixel(4 + x, y, 0x654321);
        }
    AddImage("SCROLLBTNBOTTOM", "GLYPHMASK", {0, 0, 4, 4}, 1, 0, itisaGlyph);
    AddImage("SCROLLSLIDERV", "GLYPHMASK", {4, 0, 8, 4}, 1, 0, itisaGlyph);
    manager_->LookupCachedIndexes();
    Wrapped(100, 120);
    SetRange(SB_VERT, 0, 99, 20, 40); // thumb 51..68
    Bars().Refresh();
    // The down arrow starts at y 104: (16 - 4) / 2 = 6 into its 16-pixel square.
    EXPECT_EQ(Pixel(90, 110), TColor(0x123456));
    EXPECT_EQ(Pixel(93, 113), TColor(0x123456));
    EXPECT_EQ(Pixel(89, 110), kBottomColor);
    EXPECT_EQ(Pixel(90, 114), kBottomColor);
    // The thumb is 16 x 18: (16 - 4) / 2 = 6 across, (18 - 4) / 2 = 7 down from 51.
    EXPECT_EQ(Pixel(90, 58), TColor(0x654321));
    EXPECT_EQ(Pixel(93, 61), TColor(0x654321));
    EXPECT_EQ(Pixel(90, 57), kThumbColor);
    EXPECT_EQ(Pixel(90, 62), kThumbColor);
}

TEST_F(ScrollBarsTest, TheSquareShowsTheBackgroundAndTheGripInTheCorner) {
    AddSection("GLOBALINFO", 0).HotColor = 0x0A0B0C;
    Bitmap& master = *manager_->MasterBitmap;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) master.SetPixel(8 + x, y, 0x111111);
    AddImage("GLOBALINFO", "GRIPIMAGE", {8, 0, 12, 4}, 1, 0, itisaGlyph);
    manager_->LookupCachedIndexes();

    Wrapped(100, 120, WS_VSCROLL | WS_HSCROLL); // not in the top window's corner
    EXPECT_EQ(Pixel(84, 104), kEditColor);
    EXPECT_EQ(Pixel(99, 119), kEditColor);
    // Without a background: the skin's global hot colour.
    WithoutBackground();
    Bars().Refresh();
    EXPECT_EQ(Pixel(84, 104), TColor(0x0A0B0C));
    EXPECT_EQ(Pixel(99, 119), TColor(0x0A0B0C));
    wrapper_.reset();
    DestroyWindow(child_);

    Wrapped(100, 120, WS_VSCROLL | WS_HSCROLL, 200, 130); // in the corner: the grip
    EXPECT_EQ(Pixel(95, 115), kEditColor);
    EXPECT_EQ(Pixel(96, 116), TColor(0x111111));
    EXPECT_EQ(Pixel(99, 119), TColor(0x111111));
}

TEST_F(ScrollBarsTest, AWindowTimerThatScrollsMovesThePaintedThumb) {
    Wrapped(100, 120);
    EXPECT_EQ(Pixel(90, 51), kTrack2Color);
    SetTimer(child_, kOwnTimer, 100, nullptr);
    AdvanceClock(100);
    KillTimer(child_, kOwnTimer);
    EXPECT_EQ(Position(), 40);
    EXPECT_EQ(Pixel(90, 51), kThumbColor);
    EXPECT_EQ(Pixel(90, 20), kTrack1Color);
}

TEST_F(ScrollBarsTest, ADisabledArrowIgnoresItsPress) {
    Wrapped(100, 120);
    EnableScrollBar(child_, SB_VERT, ESB_DISABLE_RTDN);
    Click(POINT{kBarX, kDownArrowY});
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(GetCapture(), nullptr);
    Click(POINT{kBarX, 115}); // the up arrow still works
    const std::vector<ScrollRecord> expected = {V(SB_LINEUP, 0), V(SB_ENDSCROLL, 0)};
    EXPECT_EQ(Requests(), expected);
}

TEST_F(ScrollBarsTest, ABarShorterThanTwoArrowsIsTwoHalfButtons) {
    Wrapped(100, 30);
    EXPECT_EQ(Pixel(90, 0), kTopColor);
    EXPECT_EQ(Pixel(90, 14), kTopColor);
    EXPECT_EQ(Pixel(90, 15), kBottomColor);
    EXPECT_EQ(Pixel(90, 29), kBottomColor);
    Click(POINT{kBarX, 110 + 20});
    EXPECT_EQ(Requests().front(), V(SB_LINEDOWN, 0));
}

TEST_F(ScrollBarsTest, HoveringMakesThePartHotUntilTheCursorLeaves) {
    Wrapped(100, 120);
    MouseMoveTo(POINT{kBarX, kDownArrowY});
    AdvanceClock(20);
    EXPECT_EQ(Pixel(90, 115), kBottomHot);
    EXPECT_EQ(Pixel(90, 5), kTopColor);
    MouseMoveTo(POINT{kBarX, 115}); // the up arrow
    AdvanceClock(20);
    EXPECT_EQ(Pixel(90, 115), kBottomColor);
    EXPECT_EQ(Pixel(90, 5), kTopHot);
    MouseMoveTo(POINT{150, 150}); // into the client area
    AdvanceClock(20);
    EXPECT_EQ(Pixel(90, 5), kTopColor);
}

TEST_F(ScrollBarsTest, LosingTheMouseEndsAHold) {
    Wrapped(100, 120);
    MouseDown(POINT{kBarX, kDownArrowY});
    SetCapture(top_);
    AdvanceClock(400);
    const std::vector<ScrollRecord> expected = {V(SB_LINEDOWN, 0), V(SB_ENDSCROLL, 1)};
    EXPECT_EQ(Requests(), expected);
    ReleaseCapture();
}

TEST_F(ScrollBarsTest, DestroyingThePressedWindowEndsTheTracking) {
    Wrapped(100, 120);
    MouseDown(POINT{kBarX, kDownArrowY});
    DestroyWindow(child_);
    AdvanceClock(400);
    // The window loses the mouse on its way out, which ends the press: no repeats follow.
    const std::vector<ScrollRecord> expected = {V(SB_LINEDOWN, 0), V(SB_ENDSCROLL, 1)};
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(GetCapture(), nullptr);
}

// A toolkit tree view, reached through its control's WindowProc: its skinned arrow and
// thumb scroll it.
TEST_F(ScrollBarsTest, ATreeViewScrollsByItsSkinnedBar) {
    form_->SetBounds(0, 0, 300, 250);
    auto* tree = form_->Make<TTreeView>();
    tree->SetBounds(10, 10, 150, 120);
    tree->SetParent(form_);
    for (int i = 0; i < 40; ++i) tree->Items().Add(nullptr, "Item " + std::to_string(i));
    form_->Show();
    ProcessPendingMessages();
    const HWND h = tree->Handle();
    ASSERT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_VSCROLL);
    TqvScrollWnd wrapper(h, true, "EDIT", manager_.get(), nullptr);
    wrapper.Start();
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ProcessPendingMessages();
    TqvScrollBars& bars = *wrapper.ScrollBars();
    ASSERT_TRUE(bars.Vertical.Shown);

    RECT wr{};
    GetWindowRect(h, &wr);
    const RECT bar = OffsetRect(bars.BarRect(bars.Vertical), wr.left, wr.top);
    const int x = (bar.left + bar.right) / 2;
    Click(POINT{x, bar.bottom - 3});
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 1);
    Click(POINT{x, bar.top + 3});
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);

    // Dragging the thumb to the track's end shows the last items.
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, SB_VERT, &si);
    MouseDown(POINT{x, bar.top + 16 + 2});
    MouseMoveTo(POINT{x, bar.bottom + 50});
    MouseUp(POINT{x, bar.bottom + 50});
    EXPECT_EQ(GetScrollPos(h, SB_VERT), si.nMax - int(si.nPage) + 1);
    wrapper.Unwrap();
}

} // namespace
