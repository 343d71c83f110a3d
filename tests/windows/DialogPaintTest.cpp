// The rules and cache painting of the dialog control wrappers, on hand-made skins.
#include <cmath>
#include <map>
#include <utility>

#include "platform/controls/Button.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "windows/DialogControlsTestFixture.h"
#include "windows/qvDialogPaint.h"

namespace {

constexpr TColor kFace = RGB(200, 190, 180);
constexpr TColor kHotFace = RGB(120, 110, 100);

struct Rgb {
    int R, G, B;
};
Rgb Split(TColor c) { return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)}; }

} // namespace

TEST(DialogMarks, KindStateAndImageFollowTheButton) {
    struct KindCase {
        DWORD Style;
        bool CheckBox;
    };
    const KindCase kinds[] = {
        {BS_PUSHBUTTON, false},
        {BS_DEFPUSHBUTTON, false},
        {BS_CHECKBOX, true},
        {BS_AUTOCHECKBOX, true},
        {BS_RADIOBUTTON, false},
        {BS_3STATE, true},
        {BS_AUTO3STATE, true},
        {BS_AUTORADIOBUTTON, false},
        {WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_MULTILINE, false},
        {WS_CHILD | BS_AUTOCHECKBOX | BS_LEFTTEXT, true},
    };
    for (const KindCase& k : kinds) EXPECT_EQ(IsCheckBoxStyle(k.Style), k.CheckBox) << k.Style;

    EXPECT_EQ(CheckStateOf(BST_UNCHECKED), 0);
    EXPECT_EQ(CheckStateOf(BST_CHECKED), 1);
    EXPECT_EQ(CheckStateOf(BST_CHECKED | BST_FOCUS | BST_PUSHED), 1);
    EXPECT_EQ(CheckStateOf(BST_INDETERMINATE), 2);

    struct MarkCase {
        bool CheckBox;
        int State;
        const char* Name;
    };
    const MarkCase marks[] = {
        {true, 0, "BOXUNCHECKED"},    {true, 1, "BOXCHECKED"},    {true, 2, "BOXGRAYED"},
        {false, 0, "RADIOUNCHECKED"}, {false, 1, "RADIOCHECKED"}, {false, 2, "BOXGRAYED"},
    };
    for (const MarkCase& k : marks)
        EXPECT_STREQ(CheckMarkName(k.CheckBox, k.State), k.Name) << k.CheckBox << " " << k.State;

    EXPECT_EQ(CheckButtonState(BST_PUSHED | BST_FOCUS, true, true), 2);
    EXPECT_EQ(CheckButtonState(BST_FOCUS, true, false), 1);
    EXPECT_EQ(CheckButtonState(0, false, true), 1);
    EXPECT_EQ(CheckButtonState(BST_CHECKED, false, false), 0);

    EXPECT_EQ(MarkRect(SIZE{13, 13}, 20), (RECT{0, 3, 13, 16}));
    EXPECT_EQ(MarkRect(SIZE{13, 13}, 8), (RECT{0, -2, 13, 11}));
}

TEST(DialogMarks, SpinHalvesAndTheirStates) {
    EXPECT_EQ(SpinUpperHalf(2, 16, 15), (RECT{2, 0, 16, 8}));
    EXPECT_EQ(SpinLowerHalf(2, 16, 15), (RECT{2, 7, 16, 15}));
    // Window 16 x 15 at (100, 50): the upper half of the rectangle ends at 65 - 7 = 58.
    const RECT window{100, 50, 116, 65};
    struct Case {
        POINT Cursor;
        bool Down;
        int Upper, Lower;
    };
    const Case cases[] = {
        {{105, 50}, false, 1, 0}, {{105, 57}, true, 2, 0}, {{105, 58}, false, 0, 1},
        {{115, 64}, true, 0, 2},  {{116, 57}, true, 0, 0}, {{105, 65}, false, 0, 0},
        {{99, 52}, true, 0, 0},
    };
    for (const Case& k : cases) {
        const TqvSpinStates s = SpinStatesAt(k.Cursor, window, k.Down);
        EXPECT_EQ(s.Upper, k.Upper) << k.Cursor.x << "," << k.Cursor.y;
        EXPECT_EQ(s.Lower, k.Lower) << k.Cursor.x << "," << k.Cursor.y;
    }
    EXPECT_EQ(CenteredGlyph(RECT{2, 10, 16, 20}, SIZE{4, 3}), (POINT{7, 13}));
}

TEST(DialogMarks, CaptionBand) {
    EXPECT_EQ(CaptionBandRect(SIZE{40, 13}, 100), (RECT{6, 0, 54, 15}));
    EXPECT_EQ(CaptionBandRect(SIZE{40, 13}, 54), (RECT{6, 0, 54, 15}));
    EXPECT_EQ(CaptionBandRect(SIZE{40, 13}, 53), (RECT{6, 0, 52, 15}));
    EXPECT_EQ(CaptionBandRect(SIZE{0, 2}, 100), (RECT{6, 0, 14, 6}));
}

// A check box with its own section and the marks of "GLOBALINFO", each 10 x 10 in three
// state frames.
class CheckBoxCacheTest : public DialogControlsTest {
  protected:
    static constexpr TColor kChecked[3] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0)};
    static constexpr TColor kGrayed[3] = {RGB(0, 10, 0), RGB(0, 20, 0), RGB(0, 30, 0)};
    void SetUp() override {
        DialogControlsTest::SetUp();
        AddSection("CHECKBOX", kFace).HotColor = kHotFace;
        AddSection("GLOBALINFO");
        AddSolidImage("GLOBALINFO", "BOXCHECKED", 0, 0, 10, 10,
                      {kChecked[0], kChecked[1], kChecked[2]}, {{0, 0}});
        AddSolidImage("GLOBALINFO", "BOXGRAYED", 0, 10, 10, 10,
                      {kGrayed[0], kGrayed[1], kGrayed[2]});
        data_ = PlainData("CHECKBOX");
    }
    // Every pixel: the mark's frame colour in (0, 3, 10, 13) but its key pixel, the face
    // elsewhere unless `extra` names the pixel.
    void ExpectCache(TColor mark, bool keyedCorner,
                     const std::map<std::pair<int, int>, TColor>& extra) {
        const Bitmap& b = *data_->CacheBitmap;
        ASSERT_EQ(b.Width(), kW);
        ASSERT_EQ(b.Height(), kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                TColor want = kFace;
                if (x < 10 && y >= 3 && y < 13 && !(keyedCorner && x == 0 && y == 3)) want = mark;
                if (auto it = extra.find({x, y}); it != extra.end()) want = it->second;
                ASSERT_EQ(At(b, x, y), want) << x << "," << y;
            }
    }
    static constexpr int kW = 40, kH = 16;
    std::unique_ptr<TsCommonData> data_;
};

TEST_F(CheckBoxCacheTest, ACheckedHotBoxShowsTheHotFrameOfItsMark) {
    TqvCheckBoxLook look;
    look.CheckState = 1;
    look.ButtonState = CheckButtonState(0, false, true);
    PaintCheckBoxCache(*data_, ParentCacheInfo{}, look, kW, kH);
    EXPECT_FALSE(data_->CacheInvalid);
    // The mark's key pixel shows the face below it.
    ExpectCache(kChecked[1], true, {});
    EXPECT_EQ(ParentFillColor, KeyColor);
}

TEST_F(CheckBoxCacheTest, AnIndeterminateRadioButtonShowsTheGrayedBox) {
    TqvCheckBoxLook look;
    look.CheckBox = false;
    look.CheckState = 2;
    PaintCheckBoxCache(*data_, ParentCacheInfo{}, look, kW, kH);
    ExpectCache(kGrayed[0], false, {});
}

TEST_F(CheckBoxCacheTest, AFocusedBoxDrawsADottedFrameBesideItsMark) {
    TqvCheckBoxLook look;
    look.CheckState = 1;
    look.Focused = true;
    look.ButtonState = CheckButtonState(BST_FOCUS, true, false);
    look.Caption = " "; // the frame belongs to the caption; a blank draws no glyph
    PaintCheckBoxCache(*data_, ParentCacheInfo{}, look, kW, kH);
    // The frame on (10 + 2, 2, 40 - 4, 16 - 2), worked out point by point: black on the
    // edges every third pixel, white one pixel up and left of each.
    const int l = 12, t = 2, r = 36, b = 14;
    std::map<std::pair<int, int>, TColor> frame;
    for (int i = 0; i <= (r - l) / 3; ++i) {
        frame[{l + 3 * i, t}] = 0;
        frame[{l + 3 * i, b}] = 0;
        frame[{l + 3 * i - 1, t - 1}] = 0xFFFFFF;
        frame[{l + 3 * i - 1, b - 1}] = 0xFFFFFF;
    }
    for (int j = 0; j <= (b - t) / 3; ++j) {
        frame[{l, t + 3 * j}] = 0;
        frame[{r, t + 3 * j}] = 0;
        frame[{l - 1, t + 3 * j - 1}] = 0xFFFFFF;
        frame[{r - 1, t + 3 * j - 1}] = 0xFFFFFF;
    }
    EXPECT_EQ(frame.at({12, 2}), TColor(0));
    EXPECT_EQ(frame.at({11, 1}), TColor(0xFFFFFF));
    ExpectCache(kChecked[1], true, frame);
}

TEST_F(CheckBoxCacheTest, ADisabledBoxShowsSixtyPercentOfItsParent) {
    Bitmap parent(80, 40, 24);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) parent.SetPixel(x, y, RGB(x * 3, y * 5, 77));
    // The box lies at (5, 7) in its parent, whose background sits at (2, 1) in that bitmap.
    const ParentCacheInfo parentCache{&parent, 2, 1, true};
    TqvCheckBoxLook look;
    look.Enabled = false;
    look.PositionInParent = {5, 7};
    PaintCheckBoxCache(*data_, parentCache, look, kW, kH);
    const Bitmap& cache = *data_->CacheBitmap;
    auto blend = [](int s, int d) { return int(std::nearbyint(s - 0.4 * (s - d))); };
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const Rgb s = Split(At(parent, x + 7, y + 8));
            const Rgb d = Split(kFace); // no BOXUNCHECKED image: no mark
            const TColor want = RGB(blend(s.R, d.R), blend(s.G, d.G), blend(s.B, d.B));
            ASSERT_EQ(At(cache, x, y), want) << x << "," << y;
        }
}

TEST_F(CheckBoxCacheTest, WithoutACheckedImageTheTextLeavesSixteenPixels) {
    manager_->MasksData.clear();
    TqvCheckBoxLook look;
    look.Caption = " ";
    look.Focused = true;
    PaintCheckBoxCache(*data_, ParentCacheInfo{}, look, kW, kH);
    // The frame starts at 16 + 2.
    EXPECT_EQ(At(*data_->CacheBitmap, 18, 2), TColor(0));
    EXPECT_EQ(At(*data_->CacheBitmap, 17, 1), TColor(0xFFFFFF));
    EXPECT_EQ(At(*data_->CacheBitmap, 12, 2), kFace);
}

TEST_F(DialogControlsTest, ASpinPressedOnItsLowerHalf) {
    constexpr TColor kUp[3] = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)};
    constexpr TColor kDown[3] = {RGB(11, 12, 13), RGB(14, 15, 16), RGB(17, 18, 19)};
    AddSection("SPEEDBUTTON_SMALL", kFace).HotColor = kHotFace;
    AddSection("SCROLLBTNTOP");
    AddSection("SCROLLBTNBOTTOM");
    AddSolidImage("SCROLLBTNTOP", "GLYPHMASK", 0, 0, 4, 3, {kUp[0], kUp[1], kUp[2]});
    AddSolidImage("SCROLLBTNBOTTOM", "GLYPHMASK", 0, 3, 4, 3, {kDown[0], kDown[1], kDown[2]});
    manager_->LookupCachedIndexes();
    auto data = PlainData("SPEEDBUTTON_SMALL");
    // 16 x 20 with two columns left out: halves (2, 0, 16, 10) and (2, 10, 16, 20); the 4 x 3
    // arrows at (2 + 5, 0 + 3) and (2 + 5, 10 + 3).
    PaintSpinCache(*data, ParentCacheInfo{}, 2, TqvSpinStates{0, 2}, POINT{0, 0}, 16, 20);
    const Bitmap& b = *data->CacheBitmap;
    for (int y = 0; y < 20; ++y)
        for (int x = 2; x < 16; ++x) {
            const bool arrowX = x >= 7 && x < 11;
            TColor want = y < 10 ? kFace : kHotFace;
            if (arrowX && y >= 3 && y < 6) want = kUp[0];
            if (arrowX && y >= 13 && y < 16) want = kDown[2];
            ASSERT_EQ(At(b, x, y), want) << x << "," << y;
        }
    EXPECT_EQ(At(b, 0, 5), TColor(0));
    EXPECT_EQ(At(b, 1, 15), TColor(0));
}

TEST_F(DialogControlsTest, AGroupBoxBandShowsItsParentAboveTheBody) {
    AddSection("GROUPBOX", kFace);
    auto data = PlainData("GROUPBOX");
    Bitmap parent(120, 60, 24);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) parent.SetPixel(x, y, RGB(x * 2, y * 4, 50));
    TqvGroupBoxLook look;
    look.Caption = "Ab";
    look.PositionInParent = {10, 4};
    const ParentCacheInfo parentCache{&parent, 1, 2, true};
    // The band from the caption as the window system measures it.
    HDC dc = CreateCompatibleDC(nullptr);
    RECT text{0, 0, 0, 0};
    DrawText(dc, "Ab", 2, &text, DT_CENTER | DT_CALCRECT);
    DeleteDC(dc);
    const int right = WidthOf(text) + 14, bottom = std::max<int>(4, HeightOf(text)) + 2;
    const int half = bottom / 2;
    const RECT band = PaintGroupBoxCache(*data, parentCache, look, 80, 40);
    EXPECT_EQ(band, (RECT{6, 0, right, bottom}));
    const Bitmap& b = *data->CacheBitmap;
    auto parentAt = [&](int x, int y) { return At(parent, x + 11, y + 6); };
    // Above the body everywhere, and inside the band left of the centred text.
    EXPECT_EQ(At(b, 0, 0), parentAt(0, 0));
    EXPECT_EQ(At(b, 79, half - 1), parentAt(79, half - 1));
    EXPECT_EQ(At(b, 7, half), parentAt(7, half));
    EXPECT_EQ(At(b, 7, bottom - 1), parentAt(7, bottom - 1));
    // The body from half the band down, outside the band.
    EXPECT_EQ(At(b, 0, half), kFace);
    EXPECT_EQ(At(b, 5, bottom - 1), kFace);
    EXPECT_EQ(At(b, right, half), kFace);
    EXPECT_EQ(At(b, 40, bottom), kFace);
    EXPECT_EQ(At(b, 79, 39), kFace);
}

TEST_F(DialogControlsTest, AGroupBoxWithoutParentBackgroundTakesItsPlainColour) {
    AddSection("GROUPBOX", kFace);
    auto data = PlainData("GROUPBOX");
    TqvGroupBoxLook look;
    look.ParentColor = RGB(9, 99, 199);
    const RECT band = PaintGroupBoxCache(*data, ParentCacheInfo{}, look, 50, 30);
    const int half = HeightOf(band) / 2;
    EXPECT_EQ(At(*data->CacheBitmap, 3, half - 1), RGB(9, 99, 199));
    EXPECT_EQ(At(*data->CacheBitmap, 3, half), kFace);
}

TEST_F(DialogControlsTest, AGroupBoxWiderThanItsParentCopiesOnlyWhatThereIs) {
    AddSection("GROUPBOX", kFace);
    auto data = PlainData("GROUPBOX");
    Bitmap parent(30, 2, 24);
    parent.Fill(RGB(1, 2, 3));
    TqvGroupBoxLook look;
    look.PositionInParent = {-4, 0};
    // The window's x 4 .. 33 and rows 0 .. 1 lie in the parent; the rest of the strip stays
    // as the fresh (black) cache was.
    PaintGroupBoxCache(*data, ParentCacheInfo{&parent, 0, 0, true}, look, 60, 30);
    const Bitmap& b = *data->CacheBitmap;
    EXPECT_EQ(At(b, 3, 0), TColor(0));
    EXPECT_EQ(At(b, 4, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(b, 33, 1), RGB(1, 2, 3));
    EXPECT_EQ(At(b, 34, 1), TColor(0));
    EXPECT_EQ(At(b, 10, 2), TColor(0));
}
