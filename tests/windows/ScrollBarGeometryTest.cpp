// The arithmetic of one skinned scroll bar: thumb size and place, the part under a point and
// the position a dragged thumb stands for. Arrows are 10 pixels unless a case says otherwise.
#include <gtest/gtest.h>

#include "paint/CommonDataTestFixture.h"
#include "windows/qvScrollBar.h"

namespace {

TqvScrollBar BarWith(int minimum, int maximum, int page, int position, int minThumb = 0) {
    TqvScrollBar bar(1, nullptr);
    bar.ScrollInfo.nMin = minimum;
    bar.ScrollInfo.nMax = maximum;
    bar.ScrollInfo.nPage = UINT(page);
    bar.ScrollInfo.nPos = position;
    bar.MinThumbLength = minThumb;
    return bar;
}

struct ThumbCase {
    const char* What;
    int Min, Max, Page, Pos, MinThumb, Length, Arrow;
    int Track, ThumbLength, ThumbStart;
};

// Worked out by hand: S = MulDiv(page, T, range + 1) (or A for page 0), at least MinThumb;
// O = MulDiv(pos - min, T - S, range - max(page, 1) + 1) within 0 .. T - S; start A + O.
const ThumbCase kThumbCases[] = {
    // T = 80, S = 1600/100 = 16, 80 positions.
    {"at the top", 0, 99, 20, 0, 0, 100, 10, 80, 16, 10},
    {"in the middle", 0, 99, 20, 40, 0, 100, 10, 80, 16, 10 + 32},
    {"at the last position, ending at the lower arrow", 0, 99, 20, 80, 0, 100, 10, 80, 16, 74},
    {"with a minimum of its own", 10, 109, 20, 50, 0, 100, 10, 80, 16, 10 + 32},
    // Page 0: S = A = 10; O = MulDiv(5, 70, 9) = 350/9 = 38.9 -> 39.
    {"page 0 is as long as an arrow", 0, 9, 0, 5, 0, 100, 10, 80, 10, 49},
    // S = MulDiv(1, 80, 1000) = 0 -> the minimum 20; O = MulDiv(500, 60, 999) = 30.03 -> 30.
    {"held at its minimum length", 0, 999, 1, 500, 20, 100, 10, 80, 20, 40},
    {"at its minimum at the end", 0, 999, 1, 999, 20, 100, 10, 80, 20, 70},
    // A page of the whole range fills the track: no room to move.
    {"a page of the whole range", 0, 9, 10, 0, 0, 100, 10, 80, 80, 10},
    {"an empty range has no thumb", 5, 4, 3, 5, 0, 100, 10, 80, 0, 10},
    // 15 < 2A: T = -5; page 0 gives S = A.
    {"a bar shorter than two arrows", 0, 9, 0, 0, 0, 15, 10, -5, 10, 10},
};

TEST(ScrollBarGeometry, ThumbForRangesPagesAndSizes) {
    for (const ThumbCase& c : kThumbCases) {
        SCOPED_TRACE(c.What);
        const TqvScrollBar bar = BarWith(c.Min, c.Max, c.Page, c.Pos, c.MinThumb);
        const TqvThumb t = bar.Thumb(c.Length, c.Arrow);
        EXPECT_EQ(t.Track, c.Track);
        EXPECT_EQ(t.Length, c.ThumbLength);
        EXPECT_EQ(t.Start(c.Arrow), c.ThumbStart);
    }
}

struct PartCase {
    int Along, Part;
};

TEST(ScrollBarGeometry, PartsAlongABarWithAThumb) {
    // L = 100, A = 10, thumb 16 long from 42.
    const TqvScrollBar bar = BarWith(0, 99, 20, 40);
    const PartCase cases[] = {{-1, spNone},     {0, spLineUp},    {9, spLineUp},
                              {10, spPageUp},   {41, spPageUp},   {42, spThumb},
                              {57, spThumb},    {58, spPageDown}, {89, spPageDown},
                              {90, spLineDown}, {99, spLineDown}, {100, spNone}};
    for (const PartCase& c : cases) EXPECT_EQ(bar.PartAt(c.Along, 100, 10), c.Part) << c.Along;
}

TEST(ScrollBarGeometry, AThumbFillingTheTrackLeavesOnlyTheArrows) {
    const TqvScrollBar bar = BarWith(0, 9, 10, 0);
    const PartCase cases[] = {
        {9, spLineUp}, {10, spNone}, {50, spNone}, {89, spNone}, {90, spLineDown}};
    for (const PartCase& c : cases) EXPECT_EQ(bar.PartAt(c.Along, 100, 10), c.Part) << c.Along;
}

TEST(ScrollBarGeometry, AShortBarIsTwoHalfButtons) {
    const TqvScrollBar bar = BarWith(0, 99, 20, 40);
    EXPECT_EQ(TqvScrollBar::ArrowRoom(16, 10), 8);
    EXPECT_EQ(TqvScrollBar::ArrowRoom(20, 10), 10); // exactly two arrows: no room either
    EXPECT_EQ(TqvScrollBar::ArrowRoom(21, 10), 10);
    // Even length 16: halves of 8. Odd length 15: halves of 7 and the middle pixel is none.
    const PartCase even[] = {{0, spLineUp}, {7, spLineUp}, {8, spLineDown}, {15, spLineDown}};
    for (const PartCase& c : even) EXPECT_EQ(bar.PartAt(c.Along, 16, 10), c.Part) << c.Along;
    const PartCase odd[] = {{6, spLineUp}, {7, spNone}, {8, spLineDown}, {14, spLineDown}};
    for (const PartCase& c : odd) EXPECT_EQ(bar.PartAt(c.Along, 15, 10), c.Part) << c.Along;
}

TEST(ScrollBarGeometry, DraggedThumbPositions) {
    // T - S = 64 pixels stand for 80 steps: MulDiv(offset, 80, 64).
    const TqvScrollBar bar = BarWith(0, 99, 20, 0);
    const TqvThumb t = bar.Thumb(100, 10);
    EXPECT_EQ(bar.PositionForThumb(0, t), 0);
    EXPECT_EQ(bar.PositionForThumb(1, t), 1); // 1.25
    EXPECT_EQ(bar.PositionForThumb(2, t), 3); // 2.5 rounds away from zero
    EXPECT_EQ(bar.PositionForThumb(32, t), 40);
    EXPECT_EQ(bar.PositionForThumb(64, t), 80); // the last position, never beyond
    const TqvScrollBar shifted = BarWith(10, 109, 20, 10);
    EXPECT_EQ(shifted.PositionForThumb(64, shifted.Thumb(100, 10)), 90);
    // Page 0: 100 pixels of a 0..9 range with a 10-pixel thumb: 70 pixels for 9 steps.
    const TqvScrollBar noPage = BarWith(0, 9, 0, 0);
    EXPECT_EQ(noPage.PositionForThumb(70, noPage.Thumb(100, 10)), 9);
}

TEST(ScrollBarGeometry, EnabledByTheFlags) {
    TqvScrollBar bar = BarWith(0, 9, 1, 0);
    EXPECT_TRUE(bar.FlagsEnabled());
    bar.StyleFlags = sbfHasStyle | sbfFirstArrowDisabled;
    EXPECT_TRUE(bar.FlagsEnabled());
    bar.StyleFlags = sbfHasStyle | sbfFirstArrowDisabled | sbfSecondArrowDisabled;
    EXPECT_FALSE(bar.FlagsEnabled());
    bar.StyleFlags = sbfHasStyle | sbfRangeDisabled;
    EXPECT_FALSE(bar.FlagsEnabled());
}

class ScrollBarSizeTest : public CommonDataTest {};

TEST_F(ScrollBarSizeTest, ThicknessAndArrowFromTheSystemOrTheSkin) {
    TqvScrollBar horizontal(0, nullptr), vertical(1, nullptr);
    EXPECT_EQ(horizontal.Thickness(), GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(vertical.Thickness(), GetSystemMetrics(SM_CXVSCROLL));
    const int system = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(horizontal.ArrowLength(manager_.get()), system);

    // Three frames of 20 x 18 to the left; 2 frames of 12 x 22 on top (with a mask row).
    AddSection("SCROLLBTNLEFT");
    AddSection("SCROLLBTNTOP");
    AddImage("SCROLLBTNLEFT", "BORDERSMASK", {0, 0, 60, 18}, 3, 0);
    AddImage("SCROLLBTNTOP", "BORDERSMASK", {0, 0, 24, 44}, 2, 1);
    manager_->LookupCachedIndexes();
    EXPECT_EQ(horizontal.ArrowLength(manager_.get()), system); // ReservedBoolean not set
    manager_->SectionsData[0].ReservedBoolean = true;
    EXPECT_EQ(horizontal.ArrowLength(manager_.get()), std::max(system, 20));
    EXPECT_EQ(vertical.ArrowLength(manager_.get()), std::max(system, 22));

    horizontal.ThicknessOverride = 7;
    horizontal.ArrowOverride = 5;
    EXPECT_EQ(horizontal.Thickness(), 7);
    EXPECT_EQ(horizontal.ArrowLength(manager_.get()), 5);
}

} // namespace
