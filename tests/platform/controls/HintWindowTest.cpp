#include "platform/controls/HintWindow.h"

#include <functional>
#include <string>
#include <vector>

#include "BarTestUtil.h"
#include "platform/controls/ControlSupport.h"
#include "platform/text/Text.h"
#include "platform/window/ModalLoop.h"

namespace {

class HintWindowTest : public WindowTest {
  protected:
    void TearDown() override {
        if (HWND hint = HintWindowHandle()) DestroyWindow(hint);
        WindowTest::TearDown();
    }
    // The text's extent by the rule the hint states: DrawText's DT_CALCRECT in the message font.
    static SIZE Extent(const std::string& text) {
        HFONT font = CreateMessageFont();
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, font);
        RECT r{0, 0, 0, 0};
        DrawText(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
        DeleteDC(dc);
        DeleteObject(font);
        return {r.right, r.bottom};
    }
};

TEST_F(HintWindowTest, SizedToItsTextAtThePoint) {
    for (std::string text : {"АРТҚА", "Екі\nжол"}) {
        ShowHintWindow(text, {100, 200});
        HWND hint = HintWindowHandle();
        ASSERT_NE(hint, nullptr);
        SIZE e = Extent(text);
        RECT r;
        GetWindowRect(hint, &r);
        EXPECT_TRUE(SameRect(r, {100, 200, 100 + e.cx + 6, 200 + e.cy + 4}))
            << text << ": " << RectText(r);
        EXPECT_EQ(GetClassName(hint), TOOLTIPS_CLASS);
        EXPECT_TRUE(GetWindowLong(hint, GWL_STYLE) & WS_POPUP);
        EXPECT_TRUE(GetWindowLong(hint, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
    EXPECT_GT(Extent("Екі\nжол").cy, Extent("АРТҚА").cy); // two lines are taller than one
}

TEST_F(HintWindowTest, ShowsWithoutTakingActivationAndHides) {
    HWND main = Track(CreateWindowEx(0, "Recorder", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                     300, 200, nullptr, nullptr, nullptr, nullptr));
    SetActiveWindow(main);
    ASSERT_EQ(GetActiveWindow(), main);
    MessageLog().clear();
    ShowHintWindow("Мазмұны", {120, 120});
    HWND hint = HintWindowHandle();
    EXPECT_TRUE(IsWindowVisible(hint));
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetForegroundWindow(), main);
    for (UINT m : MessagesFor(main)) EXPECT_NE(m, WM_ACTIVATE) << "the main window lost activation";
    HideHintWindow();
    EXPECT_FALSE(IsWindowVisible(hint));
    ShowHintWindow("Қайта", {10, 10});
    EXPECT_EQ(HintWindowHandle(), hint); // one window, reused
    EXPECT_EQ(GetWindowText(hint), "Қайта");
}

TEST_F(HintWindowTest, KeptOnTheScreen) {
    // The test screen is 800 x 600.
    SIZE e = Extent("Шығу");
    int w = e.cx + 6, h = e.cy + 4;
    struct Case {
        POINT pt;
        POINT expected;
    } cases[] = {
        {{790, 590}, {800 - w, 600 - h}},
        {{-40, -5}, {0, 0}},
        {{790, 10}, {800 - w, 10}},
    };
    for (const Case& c : cases) {
        ShowHintWindow("Шығу", c.pt);
        RECT r;
        GetWindowRect(HintWindowHandle(), &r);
        EXPECT_EQ(r.left, c.expected.x) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(r.top, c.expected.y) << c.pt.x << "," << c.pt.y;
    }
}

TEST_F(HintWindowTest, BlackFrameOnInfoBackgroundWithTextInside) {
    ShowHintWindow("Hint", {100, 100});
    UpdateWindow(HintWindowHandle());
    Bitmap shot = Screenshot();
    RECT r;
    GetWindowRect(HintWindowHandle(), &r);
    EXPECT_EQ(PixelOf(shot, r.left, r.top), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(shot, r.right - 1, r.bottom - 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(shot, r.left + 1, r.top + 1), GetSysColor(COLOR_INFOBK));
    RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    RECT ink = InkBox(shot, inner, GetSysColor(COLOR_INFOBK));
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GE(ink.left, r.left + 3);
    EXPECT_LE(ink.right, r.right - 3);
    EXPECT_GE(ink.top, r.top + 2);
}

} // namespace

// A hint of something inside a window lives only as long as that window may take input.
TEST_F(HintWindowTest, AHintGoesWithItsWindow) {
    struct Case {
        const char* name;
        std::function<void(HWND top, HWND child)> act; // after the hint shows
    };
    const std::vector<Case> cases = {
        {"the anchor is destroyed", [](HWND, HWND child) { DestroyWindow(child); }},
        {"its top-level window is destroyed", [](HWND top, HWND) { DestroyWindow(top); }},
        {"its top-level window is disabled", [](HWND top, HWND) { EnableWindow(top, false); }},
        {"the anchor is disabled", [](HWND, HWND child) { EnableWindow(child, false); }},
        {"a modal loop starts",
         [](HWND, HWND) { RunModalLoop([] { return true; }, nullptr, nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND top = Track(CreateWindowEx(0, "Recorder", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                        300, 200, nullptr, nullptr, nullptr, nullptr));
        HWND child = CreateWindowEx(0, "Recorder", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, top,
                                    nullptr, nullptr, nullptr);
        ShowHintWindow("Мазмұнын көрсету", {120, 120}, child);
        ASSERT_TRUE(IsWindowVisible(HintWindowHandle()));
        c.act(top, child);
        EXPECT_FALSE(IsWindowVisible(HintWindowHandle()));
        if (IsWindow(top)) DestroyWindow(top);
    }
}

TEST_F(HintWindowTest, NoHintShowsForADisabledOrHiddenWindow) {
    HWND top = Track(CreateWindowEx(0, "Recorder", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                    300, 200, nullptr, nullptr, nullptr, nullptr));
    HWND child = CreateWindowEx(0, "Recorder", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, top,
                                nullptr, nullptr, nullptr);
    EnableWindow(top, false);
    ShowHintWindow("Басып шығару", {120, 120}, child);
    EXPECT_FALSE(IsWindowVisible(HintWindowHandle()));
    EnableWindow(top, true);
    ShowWindow(child, SW_HIDE);
    ShowHintWindow("Басып шығару", {120, 120}, child);
    EXPECT_FALSE(IsWindowVisible(HintWindowHandle()));
    ShowWindow(child, SW_SHOW);
    ShowHintWindow("Басып шығару", {120, 120}, child);
    EXPECT_TRUE(IsWindowVisible(HintWindowHandle()));
    // A hint shown afresh without a window is no longer tied to the old one.
    ShowHintWindow("Мазмұны", {120, 120});
    EnableWindow(top, false);
    EXPECT_TRUE(IsWindowVisible(HintWindowHandle()));
}
