// Playing: frames of the main timeline, sprites that loop on their own, header values.
#include "MovieTestUtil.h"

namespace {

const SwfRgba kBg = Color(0, 0, 0);
const SwfRgba kRed = Color(255, 0, 0);
const std::vector<std::pair<char, COLORREF>> kLegend = {{'.', Ref(kBg)}, {'#', Ref(kRed)}};

SwfPlaceCommand MoveCmd(uint16_t depth, const SwfMatrix& m) {
    SwfPlaceCommand c;
    c.depth = depth;
    c.move = true;
    c.hasMatrix = true;
    c.matrix = m;
    return c;
}

} // namespace

TEST(SwfTimeline, PlaceMoveRemoveFrameByFrameThenLoop) {
    // A one-pixel square: placed at x 0, moved to x 2, removed, and back to frame 0.
    TSwfTagWriter t;
    t.SetBackgroundColor(kBg);
    t.DefineShape(1, RectShape(0, 0, kTw, kTw, SolidFill(kRed)));
    t.PlaceObject2(PlaceCmd(1, 1));
    t.ShowFrame();
    t.PlaceObject2(MoveCmd(1, Translation(2 * kTw, 0)));
    t.ShowFrame();
    t.RemoveObject2(1);
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 4, 1));
    ASSERT_TRUE(movie);
    ASSERT_EQ(movie->FrameCount(), 3);
    const char* expected[] = {"#...", "..#.", "....", "#...", "..#."};
    for (int step = 0; step < 5; ++step) {
        EXPECT_EQ(movie->CurrentFrame(), step % 3);
        ExpectPicture(RenderWhole(*movie), {expected[step]}, kLegend, "timeline");
        movie->NextFrame();
    }
}

TEST(SwfTimeline, PlaceObjectOneAndDefineShapeOneWork) {
    TSwfTagWriter t;
    t.SetBackgroundColor(kBg);
    t.DefineShape(1, RectShape(0, 0, kTw, kTw, SolidFill(kRed)), 1); // RGB colours
    t.PlaceObject(1, 1, Translation(kTw, 0));
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 3, 1));
    ASSERT_TRUE(movie);
    ExpectPicture(RenderWhole(*movie), {".#."}, kLegend, "place-object-1");
}

TEST(SwfTimeline, SpriteLoopsOnItsOwnInsideAStillMainTimeline) {
    // The sprite moves its square over 3 positions; the main timeline has a single frame,
    // which must keep the sprite playing rather than restarting it.
    TSwfTagWriter t;
    t.SetBackgroundColor(kBg);
    t.DefineShape(1, RectShape(0, 0, kTw, kTw, SolidFill(kRed)));
    TSwfTagWriter sprite;
    sprite.PlaceObject2(PlaceCmd(1, 1));
    sprite.ShowFrame();
    sprite.PlaceObject2(MoveCmd(1, Translation(kTw, 0)));
    sprite.ShowFrame();
    sprite.PlaceObject2(MoveCmd(1, Translation(2 * kTw, 0)));
    sprite.ShowFrame();
    t.DefineSprite(2, sprite);
    t.PlaceObject2(PlaceCmd(1, 2, Translation(kTw, 0))); // the sprite itself is shifted by 1
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 4, 1));
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->FrameCount(), 1);
    const char* expected[] = {".#..", "..#.", "...#", ".#..", "..#."};
    for (const char* row : expected) {
        EXPECT_EQ(movie->CurrentFrame(), 0);
        ExpectPicture(RenderWhole(*movie), {row}, kLegend, "sprite-loop");
        movie->NextFrame();
    }
}

TEST(SwfTimeline, SpriteKeepsPlayingAcrossTheMainLoop) {
    // Main timeline of 2 frames, sprite of 3: after 3 steps the sprite is at its frame 0
    // although the main timeline looped in between.
    TSwfTagWriter t;
    t.SetBackgroundColor(kBg);
    t.DefineShape(1, RectShape(0, 0, kTw, kTw, SolidFill(kRed)));
    TSwfTagWriter sprite;
    for (int x = 0; x < 3; ++x) {
        sprite.PlaceObject2(x == 0 ? PlaceCmd(1, 1) : MoveCmd(1, Translation(x * kTw, 0)));
        sprite.ShowFrame();
    }
    t.DefineSprite(2, sprite);
    t.PlaceObject2(PlaceCmd(1, 2));
    t.ShowFrame();
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 3, 1));
    ASSERT_TRUE(movie);
    const char* expected[] = {"#..", ".#.", "..#", "#.."};
    for (const char* row : expected) {
        ExpectPicture(RenderWhole(*movie), {row}, kLegend, "sprite-across-loop");
        movie->NextFrame();
    }
}

TEST(SwfTimeline, HeaderValues) {
    struct Case {
        SwfRect frame;
        double fps;
        int width, height;
        double expectedFps;
    } cases[] = {
        {{0, 683 * 20, 0, 102 * 20}, 24, 683, 102, 24},
        {{0, 683 * 20 + 9, 0, 102 * 20 + 10}, 12.5, 683, 103, 12.5}, // 683.45 and 102.5 px
        {{-200, 200, 100, 300}, 0, 20, 10, 12},                      // rate 0 plays at 12
    };
    for (const Case& c : cases) {
        TSwfTagWriter t;
        t.ShowFrame();
        const std::vector<uint8_t> bytes = TSwfFileWriter::Write(t, c.frame, c.fps, false);
        auto movie = LoadOrFail(bytes);
        ASSERT_TRUE(movie);
        EXPECT_EQ(movie->Width(), c.width);
        EXPECT_EQ(movie->Height(), c.height);
        EXPECT_DOUBLE_EQ(movie->FrameRate(), c.expectedFps);
        EXPECT_EQ(movie->FrameCount(), 1);
    }
}

TEST(SwfTimeline, FramesPresentCountNotTheHeaderAndTrailingCommandsShow) {
    // No ShowFrame at all: the placed square still makes one frame.
    TSwfTagWriter t;
    t.SetBackgroundColor(kBg);
    t.DefineShape(1, RectShape(0, 0, kTw, kTw, SolidFill(kRed)));
    t.PlaceObject2(PlaceCmd(1, 1));
    std::vector<uint8_t> bytes = MovieBytes(t, 2, 1);
    bytes[8 + 1 + 4 + 2] = 50; // header frame count (after an 8-byte header, 5-byte RECT, rate)
    auto movie = LoadOrFail(bytes);
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->FrameCount(), 1);
    ExpectPicture(RenderWhole(*movie), {"#."}, kLegend, "no-showframe");
}

TEST(SwfTimeline, CompressedAndPlainFilesReadAlike) {
    TSwfTagWriter t;
    t.SetBackgroundColor(kBg);
    t.DefineShape(1, RectShape(0, 0, kTw, kTw, SolidFill(kRed)));
    t.PlaceObject2(PlaceCmd(1, 1, Translation(kTw, 0)));
    t.ShowFrame();
    for (bool compress : {false, true}) {
        auto movie = LoadOrFail(MovieBytes(t, 3, 1, compress));
        ASSERT_TRUE(movie);
        ExpectPicture(RenderWhole(*movie), {".#."}, kLegend, "cws");
    }
}
