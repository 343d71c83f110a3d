#include <gtest/gtest.h>

#include "HtmlViewTestUtil.h"
#include "tools/swfgen/CourseMovie.h"

namespace {

using HtmlMovie = HtmlViewFixture;

uint64_t Fingerprint(const Bitmap& b) {
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) h = (h ^ b.GetPixel(x, y)) * 1099511628211ull;
    return h;
}

TEST_F(HtmlMovie, AMoviePlaysFramesAsTheClockAdvances) {
    const std::vector<uint8_t> swf = TCourseMovie::Build(true);
    const std::string path = Write("flash/STAT.SWF", std::string(swf.begin(), swf.end()));
    Load(path);
    ASSERT_TRUE(view_->ShowsMovie());
    EXPECT_EQ(view_->MovieFrame(), 0);
    UpdateWindow(host_);
    const uint64_t first = Fingerprint(Screenshot());
    // One frame every 1000 / 20 = 50 ms.
    const DWORD frameMs = 1000 / TCourseMovie::kFrameRate;
    AdvanceClock(frameMs * 10);
    EXPECT_EQ(view_->MovieFrame(), 10);
    UpdateWindow(host_);
    EXPECT_NE(Fingerprint(Screenshot()), first);
    // It keeps playing while hidden.
    ShowWindow(host_, SW_HIDE);
    AdvanceClock(frameMs * 5);
    EXPECT_EQ(view_->MovieFrame(), 15);
    // Leaving the movie stops it; coming back starts it again.
    ShowWindow(host_, SW_SHOW);
    Load(Write("a.htm", "<p>text</p>"));
    EXPECT_FALSE(view_->ShowsMovie());
    view_->GoBack();
    ProcessPendingMessages();
    EXPECT_TRUE(view_->ShowsMovie());
}

TEST_F(HtmlMovie, ADamagedMovieShowsAnErrorPage) {
    std::vector<uint8_t> swf = TCourseMovie::Build(false);
    swf.resize(swf.size() / 3);
    Load(Write("cut.swf", std::string(swf.begin(), swf.end())));
    EXPECT_FALSE(view_->ShowsMovie());
    EXPECT_NE(view_->Text().find("Фильмді ойнату мүмкін емес"), std::string::npos) << view_->Text();
    Load(Write("garbage.swf", "FWS\x09garbage"));
    EXPECT_NE(view_->Text().find("Фильмді ойнату мүмкін емес"), std::string::npos);
}

} // namespace
