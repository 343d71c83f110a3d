#include "platform/controls/StatusBar.h"

#include <string>

#include "BarTestUtil.h"
#include "platform/text/Text.h"

namespace {

class StatusBarTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterStatusBarClass();
        RegisterStatusBarClass(); // a second registration is harmless
        parent_ = Track(MakePlainParent(400, 300));
    }
    HWND MakeBar(DWORD style = 0) {
        return CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                              parent_, nullptr, nullptr, nullptr);
    }
    static RECT PartRect(HWND bar, int part) {
        RECT r{};
        EXPECT_TRUE(SendMessage(bar, SB_GETRECT, part, LPARAM(&r)));
        return r;
    }
    HWND parent_ = nullptr;
};

TEST_F(StatusBarTest, AlignsToTheParentEdgeTheStylesAskFor) {
    struct Case {
        DWORD style;
        RECT expected; // in the parent's client area, which is 400 x 300
    } cases[] = {
        {0, {0, 280, 400, 300}},
        {CCS_BOTTOM, {0, 280, 400, 300}},
        {CCS_TOP, {0, 0, 400, 20}},
    };
    for (const Case& c : cases) {
        HWND bar = MakeBar(c.style);
        RECT r;
        GetWindowRect(bar, &r);
        EXPECT_TRUE(SameRect(r, c.expected)) << "style " << c.style << ": " << RectText(r);
        // The parent grows: the bar follows its edge without being told.
        SetWindowPos(parent_, nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(bar, &r);
        RECT grown = c.expected;
        grown.right = 500;
        if (grown.top) grown.top = 330, grown.bottom = 350;
        EXPECT_TRUE(SameRect(r, grown)) << "style " << c.style << " after resize: " << RectText(r);
        SetWindowPos(parent_, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
        DestroyWindow(bar);
    }
}

TEST_F(StatusBarTest, NoParentAlignKeepsItsPlaceButTakesItsHeight) {
    HWND bar = CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN, 30,
                              40, 200, 50, parent_, nullptr, nullptr, nullptr);
    SetWindowPos(parent_, nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(bar, &r);
    EXPECT_TRUE(SameRect(r, {30, 40, 230, 60})) << RectText(r);
}

TEST_F(StatusBarTest, MinimumHeightTakesEffectOnTheNextSize) {
    HWND bar = MakeBar();
    SendMessage(bar, SB_SETMINHEIGHT, 30, 0);
    SendMessage(bar, WM_SIZE, 0, 0);
    RECT r;
    GetWindowRect(bar, &r);
    // 30 for drawing plus a 1-pixel frame on both sides and the 2-pixel band above.
    EXPECT_TRUE(SameRect(r, {0, 266, 400, 300})) << RectText(r);
}

TEST_F(StatusBarTest, PartsRunFromEdgeToEdgeWithMinusOneReachingTheEnd) {
    HWND bar = MakeBar();
    int edges[] = {100, 250, -1};
    ASSERT_TRUE(SendMessage(bar, SB_SETPARTS, 3, LPARAM(edges)));
    RECT expected[] = {{0, 2, 100, 20}, {102, 2, 250, 20}, {252, 2, 400, 20}};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(SameRect(PartRect(bar, i), expected[i]))
            << i << ": " << RectText(PartRect(bar, i));
    int got[3] = {};
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 3, LPARAM(got)), 3);
    EXPECT_EQ(got[0], 100);
    EXPECT_EQ(got[1], 250);
    EXPECT_EQ(got[2], -1);
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 3);
    RECT none;
    EXPECT_FALSE(SendMessage(bar, SB_GETRECT, 3, LPARAM(&none)));
}

TEST_F(StatusBarTest, BadPartListsAreRefusedAndLeaveThePartsAlone) {
    HWND bar = MakeBar();
    int edges[] = {100, -1};
    SendMessage(bar, SB_SETPARTS, 2, LPARAM(edges));
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 0, LPARAM(edges)));
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 2, 0));
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 1000, LPARAM(edges)));
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 2);
    EXPECT_FALSE(SendMessage(bar, SB_SETTEXTA, 2, LPARAM("beyond")));
    // An edge left of the previous one gives an empty part rather than a negative one.
    int backwards[] = {100, 50};
    SendMessage(bar, SB_SETPARTS, 2, LPARAM(backwards));
    EXPECT_TRUE(SameRect(PartRect(bar, 1), {102, 2, 102, 20})) << RectText(PartRect(bar, 1));
}

TEST_F(StatusBarTest, TextsKeepTheirDrawingFlags) {
    HWND bar = MakeBar();
    int edges[] = {100, -1};
    SendMessage(bar, SB_SETPARTS, 2, LPARAM(edges));
    struct Case {
        int part;
        WORD flags;
        std::string text;
    } cases[] = {{0, 0, "Бет 1"}, {1, WORD(SBT_POPOUT), "Уақыт"}, {1, WORD(SBT_NOBORDERS), ""}};
    for (const Case& c : cases) {
        ASSERT_TRUE(
            SendMessage(bar, SB_SETTEXTA, MAKELONG(WORD(c.part), c.flags), LPARAM(c.text.c_str())));
        char buffer[64] = "garbage";
        LRESULT got = SendMessage(bar, SB_GETTEXTA, c.part, LPARAM(buffer));
        EXPECT_EQ(LOWORD(got), c.text.size());
        EXPECT_EQ(HIWORD(got), c.flags);
        EXPECT_EQ(std::string(buffer), c.text);
        EXPECT_EQ(LOWORD(SendMessage(bar, SB_GETTEXTLENGTHA, c.part, 0)), c.text.size());
    }
    // The Win32 spelling with the flags beside the index in the low word means the same.
    SendMessage(bar, SB_SETTEXTA, 1 | SBT_POPOUT, LPARAM("x"));
    EXPECT_EQ(HIWORD(SendMessage(bar, SB_GETTEXTA, 1, 0)), SBT_POPOUT);
}

TEST_F(StatusBarTest, PaintsSunkenFramesAndPlacesTextsByTheRule) {
    HWND bar = MakeBar();
    int edges[] = {100, 250, -1};
    SendMessage(bar, SB_SETPARTS, 3, LPARAM(edges));
    SendMessage(bar, SB_SETTEXTA, 0, LPARAM("Left"));
    SendMessage(bar, SB_SETTEXTA, 1, LPARAM("\tMid"));
    SendMessage(bar, SB_SETTEXTA, MAKELONG(2, WORD(SBT_NOBORDERS)), LPARAM("\t\tRight"));
    UpdateWindow(parent_);
    Bitmap shot = Screenshot();
    COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
             light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // The bar sits at y 280; part 0's frame: shadow on top and left, highlight below and right.
    EXPECT_EQ(PixelOf(shot, 50, 282), shadow);
    EXPECT_EQ(PixelOf(shot, 0, 290), shadow);
    EXPECT_EQ(PixelOf(shot, 50, 299), light);
    EXPECT_EQ(PixelOf(shot, 99, 290), light);
    EXPECT_EQ(PixelOf(shot, 100, 290), face); // the gap between parts
    EXPECT_EQ(PixelOf(shot, 300, 282), face); // part 2 has no border
    EXPECT_EQ(PixelOf(shot, 50, 281), face);  // the band above the parts

    // Left text starts 4 pixels into its part, the centred one is centred in the drawing area
    // (part 1 less 4 on each side: 106..246, centre 176), the right one ends 4 before the edge.
    RECT inner0{1, 283, 99, 299}, inner1{103, 283, 249, 299}, inner2{252, 282, 400, 300};
    RECT left = InkBox(shot, inner0, face), mid = InkBox(shot, inner1, face),
         right = InkBox(shot, inner2, face);
    ASSERT_LT(left.left, left.right);
    ASSERT_LT(mid.left, mid.right);
    ASSERT_LT(right.left, right.right);
    EXPECT_GE(left.left, 4);
    EXPECT_LE(left.left, 6);
    EXPECT_NEAR((mid.left + mid.right) / 2.0, 176.0, 2.0);
    EXPECT_LE(right.right, 396);
    EXPECT_GE(right.right, 394);
    // Vertically centred on the drawing area (283..299, centre 291).
    EXPECT_NEAR((left.top + left.bottom) / 2.0, 291.0, 2.5);
}

TEST_F(StatusBarTest, SizeGripAnswersBottomRightOnlyWhereItIsDrawn) {
    HWND plain = MakeBar();
    HWND grip = MakeBar(SBARS_SIZEGRIP);
    // Both sit at y 280..300 of the screen, x 0..400.
    int gripSize = GetSystemMetrics(SM_CXVSCROLL);
    struct Case {
        HWND bar;
        POINT pt;
        LRESULT expected;
    } cases[] = {
        {grip, {399, 299}, HTBOTTOMRIGHT},
        {grip, {400 - gripSize, 300 - gripSize}, HTBOTTOMRIGHT},
        {grip, {399 - gripSize, 299}, HTCLIENT},
        {grip, {200, 290}, HTCLIENT},
        {plain, {399, 299}, HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(c.bar, WM_NCHITTEST, 0, MAKELPARAM(c.pt.x, c.pt.y)), c.expected)
            << c.pt.x << "," << c.pt.y;
    // The grip shows highlight strokes near the corner on the face colour.
    ShowWindow(plain, SW_HIDE);
    UpdateWindow(parent_);
    Bitmap shot = Screenshot();
    RECT g{400 - gripSize, 300 - gripSize, 400, 300};
    RECT ink = InkBox(shot, g, GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(ink.right, ink.left);
    EXPECT_EQ(PixelOf(shot, 399 - 3, 299), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(StatusBarTest, DestroyingTheBarStopsFollowingTheParent) {
    HWND bar = MakeBar();
    DestroyWindow(bar);
    // A resize of the parent after the bar is gone must not reach the dead bar.
    SetWindowPos(parent_, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(IsWindow(bar));
}

} // namespace
