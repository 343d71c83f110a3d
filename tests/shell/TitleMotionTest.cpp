#include "shell/TitleMotion.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(TitleMotion, FromTheStartItReaches588ThenWrapsToZero) {
    // 308 + 28 steps of 10 = 588; the 29th step would give 598 > 590.
    int left = kTitleStartLeft;
    for (int tick = 1; tick <= 28; ++tick) {
        left = NextTitleLeft(left);
        ASSERT_EQ(left, 308 + 10 * tick);
    }
    EXPECT_EQ(left, 588);
    EXPECT_EQ(NextTitleLeft(left), 0);
}

TEST(TitleMotion, AfterTheFirstWrapItRunsThroughZeroTo590) {
    // 0, 10, ... 590 is 60 positions; the tick after 590 gives 0 again.
    std::vector<int> seen;
    int left = 0;
    do {
        seen.push_back(left);
        left = NextTitleLeft(left);
    } while (left != 0 && seen.size() < 100);
    ASSERT_EQ(seen.size(), 60u);
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], int(10 * i));
}

TEST(TitleMotion, EdgesOfTheWrap) {
    struct TCase {
        int left, next;
    };
    const TCase cases[] = {
        {580, 590},                        // exactly 590 is not past the end
        {581, 0},                          // 591 is
        {590, 0},   {-5, 5}, {INT_MAX, 0}, // far out positions wrap without overflowing
    };
    for (const TCase& c : cases) EXPECT_EQ(NextTitleLeft(c.left), c.next) << c.left;
}

} // namespace
