// Drawing straight onto the screen: what a screen context draws shows over the windows in
// the screenshot after the context is released, and an outline inverted twice is gone.
#include "BarTestUtil.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

namespace {

class ScreenDrawingTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        // A window of one colour, so every inverted pixel over it is known.
        WNDCLASS wc;
        wc.lpszClassName = "ScreenDrawingBack";
        wc.lpfnWndProc = DefWindowProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClass(wc);
        back_ = Track(MakePlainParent(300, 200, "ScreenDrawingBack"));
        UpdateWindow(back_);
    }
    void TearDown() override {
        InvalidateRect(nullptr, nullptr, true); // nothing stays for the next test
        WindowTest::TearDown();
    }
    // A one-pixel inverted frame, as a drag outline is drawn.
    static void InvertFrame(HDC dc, const RECT& r) {
        PatBlt(dc, r.left, r.top, WidthOf(r), 1, DSTINVERT);
        PatBlt(dc, r.left, r.bottom - 1, WidthOf(r), 1, DSTINVERT);
        PatBlt(dc, r.left, r.top + 1, 1, HeightOf(r) - 2, DSTINVERT);
        PatBlt(dc, r.right - 1, r.top + 1, 1, HeightOf(r) - 2, DSTINVERT);
    }
    HWND back_ = nullptr;
};

TEST_F(ScreenDrawingTest, AnOutlineDrawnOnTheScreenShowsUntilDrawnAgain) {
    const COLORREF window = GetSysColor(COLOR_WINDOW), desktop = GetSysColor(COLOR_BACKGROUND);
    const COLORREF inverted = window ^ 0xFFFFFF, desktopInverted = desktop ^ 0xFFFFFF;
    const RECT outline{50, 40, 350, 140}; // over the window and past its right edge
    // Each way to the screen: the null window, the desktop's client and its window context.
    using Getter = HDC (*)();
    const Getter getters[] = {[] { return GetDC(nullptr); },
                              [] { return GetDC(GetDesktopWindow()); },
                              [] { return GetWindowDC(GetDesktopWindow()); }};
    for (const Getter get : getters) {
        HDC dc = get();
        ASSERT_NE(dc, nullptr);
        InvertFrame(dc, outline);
        ReleaseDC(nullptr, dc);
        Bitmap shot = Screenshot();
        EXPECT_EQ(PixelOf(shot, 100, 40), inverted);        // top edge over the window
        EXPECT_EQ(PixelOf(shot, 50, 90), inverted);         // left edge
        EXPECT_EQ(PixelOf(shot, 349, 90), desktopInverted); // right edge over the desktop
        EXPECT_EQ(PixelOf(shot, 100, 41), window);          // inside: untouched
        EXPECT_EQ(PixelOf(shot, 100, 139), inverted);
        // The second XOR, as when the drag moves on, takes it off again.
        dc = get();
        InvertFrame(dc, outline);
        ReleaseDC(nullptr, dc);
        shot = Screenshot();
        EXPECT_EQ(PixelOf(shot, 100, 40), window);
        EXPECT_EQ(PixelOf(shot, 349, 90), desktop);
    }
}

TEST_F(ScreenDrawingTest, RepaintingTheWholeScreenTakesTheDrawingAway) {
    HDC dc = GetDC(nullptr);
    InvertFrame(dc, RECT{10, 10, 60, 60});
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(PixelOf(Screenshot(), 10, 30), GetSysColor(COLOR_WINDOW) ^ 0xFFFFFF);
    InvalidateRect(nullptr, nullptr, true);
    ProcessPendingMessages();
    EXPECT_EQ(PixelOf(Screenshot(), 10, 30), GetSysColor(COLOR_WINDOW));
}

} // namespace
