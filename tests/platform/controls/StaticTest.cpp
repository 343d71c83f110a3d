#include "platform/controls/Static.h"

#include <gtest/gtest.h>

#include "ControlTestUtil.h"

namespace {

// Where a window shows anything other than its background colour, in client coordinates.
struct Ink {
    RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    int pixels = 0;
    bool Any() const { return pixels > 0; }
};

class StaticTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterStaticClass();
        RegisterStaticClass();
    }
    HWND Static(DWORD style, const char* text, int w = 200, int h = 40, int id = 1) {
        return Child("Static", text, style, 20, 20, w, h, id);
    }
    static Ink InkOf(HWND hwnd, COLORREF background) {
        ProcessPendingMessages();
        const Bitmap shot = Screenshot();
        RECT r;
        GetWindowRect(hwnd, &r);
        Ink ink;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                if (shot.GetPixel(x, y) == background) continue;
                ++ink.pixels;
                ink.box = Rect(std::min<LONG>(ink.box.left, x - r.left),
                               std::min<LONG>(ink.box.top, y - r.top),
                               std::max<LONG>(ink.box.right, x - r.left + 1),
                               std::max<LONG>(ink.box.bottom, y - r.top + 1));
            }
        return ink;
    }
};

TEST_F(StaticTest, TextUsesTheBrushAndTextColourTheParentAnswers) {
    Parent().colorBrush = CreateSolidBrush(RGB(0, 0, 160));
    Parent().setTextColor = true;
    Parent().textColor = RGB(255, 255, 0);
    HWND s = Static(SS_LEFT, "Statistics");
    ProcessPendingMessages();
    EXPECT_EQ(ScreenPixel(s, 199, 39), RGB(0, 0, 160));
    bool asked = false;
    for (const ParentEvent& e : Parent().events)
        asked |= e.msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(e.lParam) == s;
    EXPECT_TRUE(asked);
    // Every pixel is the brush, the text colour or a blend of the two (antialiased edges): no
    // pixel has more red than the text or more blue than the brush allows.
    const Bitmap shot = Screenshot();
    RECT r;
    GetWindowRect(s, &r);
    int yellow = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = shot.GetPixel(x, y);
            yellow += c == RGB(255, 255, 0);
            EXPECT_EQ(GetRValue(c), GetGValue(c)) << x << "," << y;
        }
    EXPECT_GT(yellow, 0);
}

TEST_F(StaticTest, AlignmentStylesPlaceTheText) {
    struct Case {
        DWORD style;
        int minLeft, maxLeft; // where the ink may start in a 200-pixel static
    } cases[] = {{SS_LEFT, 0, 3},
                 {SS_CENTER, 80, 99},
                 {SS_RIGHT, 160, 199},
                 {SS_SIMPLE, 0, 3},
                 {SS_LEFTNOWORDWRAP, 0, 3}};
    for (const Case& c : cases) {
        HWND s = Static(c.style, "Mean");
        const Ink ink = InkOf(s, GetSysColor(COLOR_BTNFACE));
        ASSERT_TRUE(ink.Any()) << c.style;
        EXPECT_GE(ink.box.left, c.minLeft) << c.style;
        EXPECT_LE(ink.box.left, c.maxLeft) << c.style;
        if (c.style == SS_RIGHT) {
            EXPECT_GE(ink.box.right, 190);
        }
        DestroyWindow(s);
    }
}

TEST_F(StaticTest, PlainTextBreaksBetweenWordsNoWordWrapAndSimpleDoNot) {
    const char* text = "variance deviation";
    struct Case {
        DWORD style;
        bool twoLines;
    } cases[] = {
        {SS_LEFT, true}, {SS_CENTER, true}, {SS_LEFTNOWORDWRAP, false}, {SS_SIMPLE, false}};
    for (const Case& c : cases) {
        HWND s = Static(c.style, text, 70, 60);
        const Ink ink = InkOf(s, GetSysColor(COLOR_BTNFACE));
        TEXTMETRIC tm;
        HDC dc = GetDC(s);
        SelectObject(dc, DefaultControlFont());
        GetTextMetrics(dc, &tm);
        ReleaseDC(s, dc);
        EXPECT_EQ(ink.box.bottom > tm.tmHeight, c.twoLines) << c.style;
        DestroyWindow(s);
    }
}

TEST_F(StaticTest, NoPrefixShowsAmpersandsAsTheyAre) {
    HWND prefixed = Static(SS_LEFT, "&&&&&&");
    const Ink a = InkOf(prefixed, GetSysColor(COLOR_BTNFACE));
    DestroyWindow(prefixed);
    HWND plain = Static(SS_LEFT | SS_NOPREFIX, "&&&&&&");
    const Ink b = InkOf(plain, GetSysColor(COLOR_BTNFACE));
    // Three ampersands against six.
    EXPECT_GT(WidthOf(b.box), WidthOf(a.box) * 3 / 2) << WidthOf(a.box) << " " << WidthOf(b.box);
}

TEST_F(StaticTest, SetTextRepaintsAndDisabledTextIsGrey) {
    HWND s = Static(SS_LEFT, "");
    EXPECT_FALSE(InkOf(s, GetSysColor(COLOR_BTNFACE)).Any());
    SetWindowText(s, "Median");
    EXPECT_TRUE(InkOf(s, GetSysColor(COLOR_BTNFACE)).Any());
    EnableWindow(s, false);
    ProcessPendingMessages();
    const Bitmap shot = Screenshot();
    RECT r;
    GetWindowRect(s, &r);
    int grey = 0, black = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            grey += shot.GetPixel(x, y) == GetSysColor(COLOR_GRAYTEXT);
            black += shot.GetPixel(x, y) == RGB(0, 0, 0);
        }
    EXPECT_GT(grey, 0);
    EXPECT_EQ(black, 0);
}

TEST_F(StaticTest, IconStaticTakesItsIconsSizeAndDrawsIt) {
    HWND s = Static(SS_ICON, "", 100, 100);
    EXPECT_EQ(SendMessage(s, STM_GETICON, 0, 0), 0);
    const HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    EXPECT_EQ(SendMessage(s, STM_SETICON, WPARAM(icon), 0), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(s, STM_GETICON, 0, 0)), icon);
    RECT r;
    GetClientRect(s, &r);
    EXPECT_EQ(r, Rect(0, 0, 32, 32));
    EXPECT_TRUE(InkOf(s, GetSysColor(COLOR_BTNFACE)).Any());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(s, STM_SETICON, 0, 0)), icon);
    EXPECT_FALSE(InkOf(s, GetSysColor(COLOR_BTNFACE)).Any());
}

TEST_F(StaticTest, RectanglesFramesAndEtchedLinesHaveTheirColours) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                   light = GetSysColor(COLOR_BTNHIGHLIGHT);
    struct Case {
        DWORD style;
        POINT at;
        COLORREF expected;
    } cases[] = {
        {SS_BLACKRECT, {10, 10}, RGB(0, 0, 0)}, {SS_GRAYRECT, {10, 10}, shadow},
        {SS_WHITERECT, {10, 10}, light},        {SS_BLACKFRAME, {0, 10}, RGB(0, 0, 0)},
        {SS_BLACKFRAME, {10, 10}, face},        {SS_GRAYFRAME, {19, 10}, shadow},
        {SS_ETCHEDHORZ, {10, 0}, shadow},       {SS_ETCHEDHORZ, {10, 1}, light},
        {SS_ETCHEDHORZ, {10, 2}, face},         {SS_ETCHEDVERT, {0, 10}, shadow},
        {SS_ETCHEDVERT, {1, 10}, light},        {SS_ETCHEDFRAME, {5, 0}, shadow},
        {SS_ETCHEDFRAME, {5, 1}, light},        {SS_ETCHEDFRAME, {10, 10}, face},
    };
    for (const Case& c : cases) {
        HWND s = Static(c.style, "", 20, 20);
        EXPECT_EQ(ScreenPixel(s, c.at.x, c.at.y), c.expected)
            << "style " << c.style << " at " << c.at.x << "," << c.at.y;
        DestroyWindow(s);
    }
}

TEST_F(StaticTest, OwnerDrawnStaticSendsDrawItemOfTypeStatic) {
    HWND s = Static(SS_OWNERDRAW, "", 50, 20, 77);
    ProcessPendingMessages();
    bool seen = false;
    for (const ParentEvent& e : Parent().events)
        seen |= e.msg == WM_DRAWITEM && e.drawType == ODT_STATIC && e.wParam == 77;
    EXPECT_TRUE(seen);
    DestroyWindow(s);
}

TEST_F(StaticTest, ClicksPassThroughUnlessNotifyIsSet) {
    HWND quiet = Static(SS_LEFT, "quiet", 100, 20, 1);
    const POINT c = Centre(quiet);
    EXPECT_EQ(SendMessage(quiet, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTTRANSPARENT);
    Click(c);
    EXPECT_TRUE(Commands().empty());
    DestroyWindow(quiet);
    HWND loud = Static(SS_LEFT | SS_NOTIFY, "loud", 100, 20, 2);
    Click(Centre(loud));
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, HWND>>{{STN_CLICKED, loud}}));
}

TEST_F(StaticTest, FontDefaultsToTheMessageFont) {
    HWND s = Static(SS_LEFT, "x");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(s, WM_GETFONT, 0, 0)), DefaultControlFont());
    EXPECT_EQ(SendMessage(s, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

} // namespace
