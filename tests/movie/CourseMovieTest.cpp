// The course's splash movie as the generator writes it, and the committed copy of it.
#include "tools/swfgen/CourseMovie.h"

#include "MovieTestUtil.h"
#include "platform/core/FileSystem.h"

namespace {

int DifferingPixels(const Bitmap& a, const Bitmap& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
    return n;
}

} // namespace

TEST(CourseMovie, HeaderFitsTheSplashStrip) {
    const std::vector<uint8_t> bytes = TCourseMovie::Build(true);
    ASSERT_EQ(bytes[0], 'C');
    auto movie = LoadOrFail(bytes);
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->Width(), 683);
    EXPECT_EQ(movie->Height(), 102);
    EXPECT_DOUBLE_EQ(movie->FrameRate(), 20);
    EXPECT_EQ(movie->FrameCount(), 100);
}

TEST(CourseMovie, PlaysChangingFramesAndLoopsBackToTheFirst) {
    auto movie = LoadOrFail(TCourseMovie::Build(true));
    ASSERT_TRUE(movie);
    const Bitmap first = RenderWhole(*movie);
    Bitmap previous = first;
    int stillFrames = 0;
    for (int f = 1; f < movie->FrameCount(); ++f) {
        movie->NextFrame();
        ASSERT_EQ(movie->CurrentFrame(), f);
        Bitmap now = RenderWhole(*movie);
        if (f > 8) stillFrames += DifferingPixels(previous, now) == 0;
        previous = std::move(now);
    }
    // Once the donut is in (frame 8) it turns all the time, so no two frames are alike.
    EXPECT_EQ(stillFrames, 0);
    movie->NextFrame();
    EXPECT_EQ(movie->CurrentFrame(), 0);
    EXPECT_EQ(DifferingPixels(first, RenderWhole(*movie)), 0);
}

TEST(CourseMovie, ChartsAppearInTheMiddleOfTheLoop) {
    // Frame 0 shows the empty, faded-in background; by frame 75 the histogram stands in the
    // left part and the line chart in the right part.
    auto movie = LoadOrFail(TCourseMovie::Build(false));
    ASSERT_TRUE(movie);
    const Bitmap start = RenderWhole(*movie);
    for (int f = 0; f < 75; ++f) movie->NextFrame();
    const Bitmap middle = RenderWhole(*movie);
    auto changedIn = [&](int x0, int x1) {
        int n = 0;
        for (int y = 0; y < start.Height(); ++y)
            for (int x = x0; x < x1; ++x) n += start.GetPixel(x, y) != middle.GetPixel(x, y);
        return n;
    };
    EXPECT_GT(changedIn(24, 260), 2000);  // histogram
    EXPECT_GT(changedIn(305, 377), 1000); // donut
    EXPECT_GT(changedIn(420, 666), 2000); // line chart and its shaded area
}

TEST(CourseMovie, CommittedFileIsWhatTheGeneratorWrites) {
    const TFileReadResult file =
        ReadFileBytes(std::string(STAT_SOURCE_DIR) + "/content/flash/stat.swf", 1 << 20);
    ASSERT_TRUE(file.Ok()) << file.Error << " (regenerate with the stat_swf target)";
    EXPECT_TRUE(file.Data == TCourseMovie::Build(true))
        << "content/flash/stat.swf is stale: rebuild it with the stat_swf target";
}
