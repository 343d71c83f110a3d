// Pixels of small movies whose expected pictures follow from the twips and the colour
// formulas. Edges on whole pixels give exact colours even though drawing is anti-aliased.
#include <functional>

#include "MovieTestUtil.h"
#include "platform/image/JpegFile.h"

namespace {

const SwfRgba kBg = Color(10, 20, 30);
const SwfRgba kRed = Color(200, 30, 40);
const SwfRgba kBlue = Color(20, 60, 220);

TSwfTagWriter WithBackground(SwfRgba bg = kBg) {
    TSwfTagWriter t;
    t.SetBackgroundColor(bg);
    return t;
}

// One shape placed once, in a movie of w x h pixels.
std::unique_ptr<TSwfMovie> OneShapeMovie(const TSwfShapeWriter& shape, int w, int h,
                                         const SwfPlaceCommand& place = PlaceCmd(1, 1)) {
    TSwfTagWriter t = WithBackground();
    t.DefineShape(1, shape);
    t.PlaceObject2(place);
    t.ShowFrame();
    return LoadOrFail(MovieBytes(t, w, h));
}

} // namespace

TEST(SwfRender, TranslatedRectangleLandsOnItsTwipsInEveryBitmapFormat) {
    // A 3 x 2 pixel rectangle (60 x 40 twips) moved by (40, 20) twips = (2, 1) pixels.
    auto movie = OneShapeMovie(RectShape(0, 0, 60, 40, SolidFill(kRed)), 8, 5,
                               PlaceCmd(1, 1, Translation(40, 20)));
    ASSERT_TRUE(movie);
    // clang-format off
    const std::vector<std::string> picture = {
        "........",
        "..###...",
        "..###...",
        "........",
        "........",
    };
    // clang-format on
    struct Format {
        int bpp;
        bool topDown;
    };
    for (Format f : {Format{24, false}, Format{24, true}, Format{32, false}, Format{32, true}}) {
        SCOPED_TRACE(testing::Message() << f.bpp << " bits, top-down " << f.topDown);
        ExpectPicture(RenderWhole(*movie, f.bpp, f.topDown), picture,
                      {{'.', Ref(kBg)}, {'#', Ref(kRed)}}, "translated-rect");
    }
}

TEST(SwfRender, ColorTransformMultipliesThenAddsAndClamps) {
    // c' = clamp(floor(c * mult / 256) + add, 0, 255), worked out by hand per case.
    struct Case {
        SwfRgba color;
        int mult[3];
        int add[3];
        SwfRgba expected;
    } cases[] = {
        {Color(200, 100, 50), {128, 256, 512}, {10, -20, 0}, Color(110, 80, 100)},
        {Color(200, 100, 50), {512, 256, 256}, {100, -150, 205}, Color(255, 0, 255)},
        {Color(255, 255, 255), {0, 0, 0}, {12, 34, 56}, Color(12, 34, 56)},
        {Color(7, 9, 11), {-256, 256, 256}, {0, 0, 0}, Color(0, 9, 11)},
    };
    for (const Case& c : cases) {
        SwfPlaceCommand place = PlaceCmd(1, 1);
        place.hasColorTransform = true;
        for (int i = 0; i < 3; ++i) {
            place.colorTransform.mult[i] = c.mult[i];
            place.colorTransform.add[i] = c.add[i];
        }
        auto movie = OneShapeMovie(RectShape(0, 0, 40, 40, SolidFill(c.color)), 2, 2, place);
        ASSERT_TRUE(movie);
        Bitmap b = RenderWhole(*movie);
        EXPECT_EQ(b.GetPixel(1, 1), Ref(c.expected))
            << "colour " << int(c.color.r) << "," << int(c.color.g) << "," << int(c.color.b);
    }
}

TEST(SwfRender, NestedColorTransformsApplyInnermostFirst) {
    // The shape inside the sprite adds 20 to red, the sprite's instance halves red:
    // (200 + 20) * 128 / 256 = 110; the other order would give 200 * 128 / 256 + 20 = 120.
    TSwfTagWriter t = WithBackground();
    t.DefineShape(1, RectShape(0, 0, 40, 40, SolidFill(Color(200, 0, 0))));
    TSwfTagWriter sprite;
    SwfPlaceCommand inner = PlaceCmd(1, 1);
    inner.hasColorTransform = true;
    inner.colorTransform.add[0] = 20;
    sprite.PlaceObject2(inner);
    sprite.ShowFrame();
    t.DefineSprite(2, sprite);
    SwfPlaceCommand outer = PlaceCmd(1, 2);
    outer.hasColorTransform = true;
    outer.colorTransform.mult[0] = 128;
    t.PlaceObject2(outer);
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 2, 2));
    ASSERT_TRUE(movie);
    EXPECT_EQ(RenderWhole(*movie).GetPixel(0, 0), RGB(110, 0, 0));
}

TEST(SwfRender, AlphaFromColorTransformBlendsOverBackground) {
    // alpha = 255 * 128 / 256 = 127; red over blue: r = 255 * 127/255, b = 255 * 128/255.
    SwfPlaceCommand place = PlaceCmd(1, 1);
    place.hasColorTransform = true;
    place.colorTransform.mult[3] = 128;
    TSwfTagWriter t = WithBackground(Color(0, 0, 255));
    t.DefineShape(1, RectShape(0, 0, 40, 40, SolidFill(Color(255, 0, 0))));
    t.PlaceObject2(place);
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 2, 2));
    ASSERT_TRUE(movie);
    EXPECT_TRUE(Near(RenderWhole(*movie).GetPixel(1, 1), RGB(127, 0, 128), 1))
        << std::hex << RenderWhole(*movie).GetPixel(1, 1);
}

TEST(SwfRender, LetterboxTakesBackgroundAndNothingOutsideDestChanges) {
    // A 10 x 5 movie whose stage is covered green; the background colour is blue.
    const SwfRgba green = Color(0, 200, 0), blue = Color(0, 0, 200);
    TSwfTagWriter t = WithBackground(blue);
    t.DefineShape(1, RectShape(0, 0, 10 * kTw, 5 * kTw, SolidFill(green)));
    t.PlaceObject2(PlaceCmd(1, 1));
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 10, 5));
    ASSERT_TRUE(movie);
    const COLORREF sentinel = RGB(255, 255, 255);

    struct Case {
        const char* name;
        int bitmapW, bitmapH;
        RECT dest;
        RECT stage; // scale = min(destW / 10, destH / 5), centred
    } cases[] = {
        // 20 x 20: scale 2, stage 20 x 10 with (20 - 10) / 2 = 5 rows above and below.
        {"tall", 24, 24, RECT{2, 2, 22, 22}, RECT{2, 7, 22, 17}},
        // 40 x 10: scale 2, stage 20 x 10 with (40 - 20) / 2 = 10 columns left and right.
        {"wide", 44, 14, RECT{2, 2, 42, 12}, RECT{12, 2, 32, 12}},
        // dest partly off the bitmap: scale 2, the stage covers the dest exactly.
        {"clipped", 12, 8, RECT{-10, -5, 10, 5}, RECT{-10, -5, 10, 5}},
    };
    for (const Case& c : cases) {
        Bitmap b(c.bitmapW, c.bitmapH, 24);
        b.Fill(sentinel);
        movie->Render(b, c.dest);
        int bad = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                auto inside = [x, y](const RECT& r) {
                    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                };
                const COLORREF want = inside(c.stage)  ? Ref(green)
                                      : inside(c.dest) ? Ref(blue)
                                                       : sentinel;
                if (b.GetPixel(x, y) != want && bad++ < 5)
                    ADD_FAILURE() << c.name << ": pixel (" << x << ", " << y << ") is " << std::hex
                                  << b.GetPixel(x, y) << ", want " << want;
            }
    }
}

TEST(SwfRender, RegionsFillWhicheverSideAndOrderTheirEdgesCome) {
    const int p = kTw; // one pixel
    struct Case {
        const char* name;
        std::function<void(TSwfShapeWriter&, int red, int blue)> draw;
        std::vector<std::string> picture;
    };
    // clang-format off
    const std::vector<std::string> square = {
        "......",
        ".####.",
        ".####.",
        ".####.",
        ".####.",
        "......",
    };
    // clang-format on
    const Case cases[] = {
        {"clockwise, fill on the right",
         [p](TSwfShapeWriter& s, int red, int) {
             s.SetStyles(0, red, 0);
             s.MoveTo(p, p);
             s.LineTo(5 * p, p);
             s.LineTo(5 * p, 5 * p);
             s.LineTo(p, 5 * p);
             s.LineTo(p, p);
         },
         square},
        {"anticlockwise, fill on the left",
         [p](TSwfShapeWriter& s, int red, int) {
             s.SetStyles(red, 0, 0);
             s.MoveTo(p, p);
             s.LineTo(p, 5 * p);
             s.LineTo(5 * p, 5 * p);
             s.LineTo(5 * p, p);
             s.LineTo(p, p);
         },
         square},
        {"separate edges in mixed order and directions",
         [p](TSwfShapeWriter& s, int red, int) {
             s.SetStyles(red, 0, 0); // bottom, left to right: inside is on the left
             s.MoveTo(p, 5 * p);
             s.LineTo(5 * p, 5 * p);
             s.SetStyles(0, red, 0); // top, left to right: inside is on the right
             s.MoveTo(p, p);
             s.LineTo(5 * p, p);
             s.SetStyles(red, 0, 0); // left side downwards: inside is on the left
             s.MoveTo(p, p);
             s.LineTo(p, 5 * p);
             s.SetStyles(red, 0, 0); // right side upwards: inside is on the left
             s.MoveTo(5 * p, 5 * p);
             s.LineTo(5 * p, p);
         },
         square},
        {"two fills sharing an edge",
         [p](TSwfShapeWriter& s, int red, int blue) {
             s.SetStyles(0, red, 0);
             s.MoveTo(p, p);
             s.LineTo(3 * p, p);
             s.SetStyles(0, blue, 0);
             s.LineTo(5 * p, p);
             s.LineTo(5 * p, 5 * p);
             s.LineTo(3 * p, 5 * p);
             s.SetStyles(0, red, 0);
             s.LineTo(p, 5 * p);
             s.LineTo(p, p);
             s.SetStyles(blue, red, 0); // downwards: red (west) on the right, blue on the left
             s.MoveTo(3 * p, p);
             s.LineTo(3 * p, 5 * p);
         },
         // clang-format off
         {"......",
          ".##bb.",
          ".##bb.",
          ".##bb.",
          ".##bb.",
          "......"}},
        // clang-format on
        {"a hole: inner contour with the fill outside it",
         [p](TSwfShapeWriter& s, int red, int) {
             s.SetStyles(0, red, 0);
             s.MoveTo(0, 0);
             s.LineTo(6 * p, 0);
             s.LineTo(6 * p, 6 * p);
             s.LineTo(0, 6 * p);
             s.LineTo(0, 0);
             s.SetStyles(red, 0, 0); // clockwise again: the ring is on the left
             s.MoveTo(2 * p, 2 * p);
             s.LineTo(4 * p, 2 * p);
             s.LineTo(4 * p, 4 * p);
             s.LineTo(2 * p, 4 * p);
             s.LineTo(2 * p, 2 * p);
         },
         // clang-format off
         {"######",
          "######",
          "##..##",
          "##..##",
          "######",
          "######"}},
        // clang-format on
    };
    for (const Case& c : cases) {
        TSwfShapeWriter s;
        const int red = s.AddFill(SolidFill(kRed));
        const int blue = s.AddFill(SolidFill(kBlue));
        c.draw(s, red, blue);
        auto movie = OneShapeMovie(s, 6, 6);
        ASSERT_TRUE(movie) << c.name;
        SCOPED_TRACE(c.name);
        ExpectPicture(RenderWhole(*movie), c.picture,
                      {{'.', Ref(kBg)}, {'#', Ref(kRed)}, {'b', Ref(kBlue)}}, "fill-sides");
    }
}

TEST(SwfRender, CurvedEdgeBulgesToItsQuadratic) {
    // From (0,10) px back to (0,0) through control (10,5): x(t) = 20 t (1 - t), y = 10 (1 - t).
    // At rows 5..6 the curve lies at x = 5.0 .. 4.8, so pixels 2 and 3 are fully inside and
    // pixel 6 fully outside; the chord alone (x = 0) would cover nothing.
    TSwfShapeWriter s;
    s.SetStyles(s.AddFill(SolidFill(kRed)), 0, 0);
    s.MoveTo(0, 0);
    s.LineTo(0, 10 * kTw);
    s.CurveTo(10 * kTw, 5 * kTw, 0, 0);
    auto movie = OneShapeMovie(s, 10, 10);
    ASSERT_TRUE(movie);
    Bitmap b = RenderWhole(*movie);
    EXPECT_EQ(b.GetPixel(2, 5), Ref(kRed));
    EXPECT_EQ(b.GetPixel(3, 5), Ref(kRed));
    EXPECT_EQ(b.GetPixel(6, 5), Ref(kBg));
    EXPECT_EQ(b.GetPixel(8, 1), Ref(kBg));
}

TEST(SwfRender, LinearGradientFollowsItsMatrixAndPadsBeyondIt) {
    // Black to white over the middle 32 of 64 pixels: the gradient square's 32768 twips are
    // scaled to 640 twips and centred at pixel 32. Pixel x (centre x + 0.5) has
    // t = (x + 0.5 - 16) / 32 and grey 255 t; outside it pads with the end colours.
    SwfFillStyle g;
    g.kind = SwfFillKind::Linear;
    g.matrix.scaleX = 32.0 * kTw / 32768;
    g.matrix.scaleY = 1;
    g.matrix.translateX = 32 * kTw;
    g.stops = {{0, Color(0, 0, 0)}, {255, Color(255, 255, 255)}};
    auto movie = OneShapeMovie(RectShape(0, 0, 64 * kTw, kTw, g), 64, 1);
    ASSERT_TRUE(movie);
    Bitmap b = RenderWhole(*movie);
    for (int x = 0; x < 64; ++x) {
        const double t = std::clamp((x + 0.5 - 16) / 32, 0.0, 1.0);
        const int grey = int(255 * t + 0.5);
        EXPECT_TRUE(Near(b.GetPixel(x, 0), RGB(BYTE(grey), BYTE(grey), BYTE(grey)), 2))
            << "x " << x << ": " << std::hex << b.GetPixel(x, 0) << ", want grey " << std::dec
            << grey;
    }
}

TEST(SwfRender, RadialGradientRunsFromCentreOutwards) {
    // Radius 10 px around the centre of a 21 x 21 stage: red at the centre, blue from 10 px on.
    SwfFillStyle g;
    g.kind = SwfFillKind::Radial;
    g.matrix.scaleX = g.matrix.scaleY = 20.0 * kTw / 32768;
    g.matrix.translateX = g.matrix.translateY = 10.5 * kTw;
    g.stops = {{0, Color(255, 0, 0)}, {255, Color(0, 0, 255)}};
    auto movie = OneShapeMovie(RectShape(0, 0, 21 * kTw, 21 * kTw, g), 21, 21);
    ASSERT_TRUE(movie);
    Bitmap b = RenderWhole(*movie);
    EXPECT_TRUE(Near(b.GetPixel(10, 10), RGB(255, 0, 0), 2)) << std::hex << b.GetPixel(10, 10);
    EXPECT_EQ(b.GetPixel(0, 0), RGB(0, 0, 255)); // 14 px away: padded
    // 5 px right of the centre: t = 0.5.
    EXPECT_TRUE(Near(b.GetPixel(15, 10), RGB(128, 0, 128), 3)) << std::hex << b.GetPixel(15, 10);
}

namespace {

// A shape covering w x h pixels filled with bitmap 5, one bitmap pixel per screen pixel.
std::unique_ptr<TSwfMovie> BitmapMovie(TSwfTagWriter& t, int w, int h) {
    SwfFillStyle f;
    f.kind = SwfFillKind::Bitmap;
    f.bitmapId = 5;
    f.matrix.scaleX = f.matrix.scaleY = kTw;
    f.repeat = false;
    f.smooth = false;
    t.DefineShape(1, RectShape(0, 0, w * kTw, h * kTw, f));
    t.PlaceObject2(PlaceCmd(1, 1));
    t.ShowFrame();
    return LoadOrFail(MovieBytes(t, w, h));
}

} // namespace

TEST(SwfRender, LosslessBitmapsFillPixelForPixel) {
    // 32-bit pixels are stored alpha (or padding) first, then red, green, blue.
    TSwfTagWriter t32 = WithBackground();
    t32.DefineBitsLossless(
        5, false, 5, 2, 2, 0,
        {255, 255, 0, 0, 255, 0, 255, 0, /* row 2 */ 255, 0, 0, 255, 255, 9, 8, 7});
    auto movie = BitmapMovie(t32, 2, 2);
    ASSERT_TRUE(movie);
    ExpectPicture(
        RenderWhole(*movie), {"rg", "bw"},
        {{'r', RGB(255, 0, 0)}, {'g', RGB(0, 255, 0)}, {'b', RGB(0, 0, 255)}, {'w', RGB(9, 8, 7)}},
        "lossless-32");

    // Colour-mapped, 3 pixels wide: each row is padded to 4 bytes.
    TSwfTagWriter t8 = WithBackground();
    t8.DefineBitsLossless(5, false, 3, 3, 2, 3,
                          {/* table */ 250, 0, 0, 0, 250, 0, 0, 0, 250,
                           /* rows */ 0, 1, 2, 99, 2, 2, 0, 99});
    movie = BitmapMovie(t8, 3, 2);
    ASSERT_TRUE(movie);
    ExpectPicture(RenderWhole(*movie), {"rgb", "bbr"},
                  {{'r', RGB(250, 0, 0)}, {'g', RGB(0, 250, 0)}, {'b', RGB(0, 0, 250)}},
                  "lossless-8");
}

TEST(SwfRender, LosslessTwoBlendsItsPremultipliedAlpha) {
    // Premultiplied (a 128, red 128) over the background: r = 128 + 10 * (255 - 128) / 255.
    TSwfTagWriter t = WithBackground();
    t.DefineBitsLossless(5, true, 5, 1, 1, 0, {128, 128, 0, 0});
    auto movie = BitmapMovie(t, 1, 1);
    ASSERT_TRUE(movie);
    const COLORREF want = RGB(128 + 5, 0 + 10, 0 + 15); // 20 * 127/255 ~ 10, 30 * 127/255 ~ 15
    EXPECT_TRUE(Near(RenderWhole(*movie).GetPixel(0, 0), want, 1))
        << std::hex << RenderWhole(*movie).GetPixel(0, 0);
}

TEST(SwfRender, JpegWithTheOldEncoderPrefixStillDecodes) {
    Bitmap src(8, 8, 24);
    src.Fill(RGB(40, 160, 90));
    std::vector<uint8_t> jpeg = {0xFF, 0xD9, 0xFF, 0xD8};
    const std::vector<uint8_t> encoded = EncodeJPEG(src, 100);
    jpeg.insert(jpeg.end(), encoded.begin(), encoded.end());
    TSwfTagWriter t = WithBackground();
    t.DefineBitsJPEG2(5, jpeg);
    auto movie = BitmapMovie(t, 8, 8);
    ASSERT_TRUE(movie);
    EXPECT_TRUE(Near(RenderWhole(*movie).GetPixel(4, 4), RGB(40, 160, 90), 4))
        << std::hex << RenderWhole(*movie).GetPixel(4, 4);
}

TEST(SwfRender, LinesAreStrokedInTheirColour) {
    // A 2-pixel-wide line along row boundary y = 2: it covers rows 1 and 2 exactly.
    TSwfShapeWriter s;
    s.SetStyles(0, 0, s.AddLine(SwfLineStyle{40, kRed}));
    s.MoveTo(-kTw, 2 * kTw);
    s.LineTo(7 * kTw, 2 * kTw);
    auto movie = OneShapeMovie(s, 6, 4);
    ASSERT_TRUE(movie);
    ExpectPicture(RenderWhole(*movie), {"......", "######", "######", "......"},
                  {{'.', Ref(kBg)}, {'#', Ref(kRed)}}, "line");
}

TEST(SwfRender, SqueezedGradientsSpoilNeitherTheirFrameNorTheNext) {
    // A gradient square shrunk further each frame, under a solid marker drawn above it: the
    // marker must show in every frame, however small the gradient gets.
    SwfFillStyle g;
    g.kind = SwfFillKind::Linear;
    g.matrix.scaleX = g.matrix.scaleY = 200.0 / 32768;
    g.matrix.translateX = g.matrix.translateY = 100;
    g.stops = {{0, Color(0, 0, 255)}, {255, Color(0, 255, 0)}};
    SwfFillStyle r = g;
    r.kind = SwfFillKind::Radial;
    TSwfTagWriter t;
    t.SetBackgroundColor(Color(0, 0, 0));
    t.DefineShape(1, RectShape(0, 0, 200, 200, g));
    t.DefineShape(2, RectShape(0, 0, 200, 200, r));
    t.DefineShape(3, RectShape(0, 0, kTw, kTw, SolidFill(kRed)));
    double scale = 1;
    for (int f = 0; f < 12; ++f, scale /= 4) {
        SwfMatrix m = Translation(4 * kTw, 4 * kTw);
        m.scaleX = scale;
        m.scaleY = scale / 3;
        SwfPlaceCommand linear = PlaceCmd(1, 1, m), radial = PlaceCmd(2, 2, m);
        linear.move = radial.move = f > 0;
        linear.hasCharacter = radial.hasCharacter = f == 0;
        t.PlaceObject2(linear);
        t.PlaceObject2(radial);
        if (f == 0) t.PlaceObject2(PlaceCmd(3, 3));
        t.ShowFrame();
    }
    auto movie = LoadOrFail(MovieBytes(t, 10, 10));
    ASSERT_TRUE(movie);
    for (int f = 0; f < 12; ++f) {
        EXPECT_EQ(RenderWhole(*movie).GetPixel(0, 0), Ref(kRed)) << "frame " << f;
        movie->NextFrame();
    }
}

TEST(SwfRender, LinearGradientOnAPathFarAcrossItsAxis) {
    // A vertical gradient over rows 0..4 (red at the top, blue at the bottom), on a path drawn
    // 10000 pixels to the right in shape space and placed back onto the stage. Along the
    // gradient only y matters: row y has t = (y + 0.5) / 4.
    SwfFillStyle g;
    g.kind = SwfFillKind::Linear;
    const double d = 4.0 * kTw / 32768;
    g.matrix.scaleX = 0;
    g.matrix.rotateSkew0 = d;  // gradient x runs down the screen
    g.matrix.rotateSkew1 = -d; // gradient y runs across
    g.matrix.scaleY = 0;
    g.matrix.translateY = 2 * kTw;
    g.stops = {{0, Color(255, 0, 0)}, {255, Color(0, 0, 255)}};
    const int far = 10000 * kTw;
    auto movie = OneShapeMovie(RectShape(far, 0, far + 4 * kTw, 4 * kTw, g), 4, 4,
                               PlaceCmd(1, 1, Translation(-far, 0)));
    ASSERT_TRUE(movie);
    Bitmap b = RenderWhole(*movie);
    for (int y = 0; y < 4; ++y) {
        const double t = (y + 0.5) / 4;
        const COLORREF want = RGB(BYTE(255 * (1 - t) + 0.5), 0, BYTE(255 * t + 0.5));
        EXPECT_TRUE(Near(b.GetPixel(1, y), want, 3))
            << "row " << y << ": " << std::hex << b.GetPixel(1, y) << " want " << want;
    }
}

TEST(SwfRender, EveryShapeTagVersionDrawsTheSameFillAndStroke) {
    // DefineShape (RGB), DefineShape2 (RGB), DefineShape3 (RGBA), DefineShape4 (edge bounds,
    // extended line styles): a filled square at pixels 1..3 and a 2-pixel line on row 5..6.
    for (int version = 1; version <= 4; ++version) {
        TSwfShapeWriter s;
        s.SetStyles(0, s.AddFill(SolidFill(kRed)), 0);
        s.MoveTo(kTw, kTw);
        s.LineTo(4 * kTw, kTw);
        s.LineTo(4 * kTw, 4 * kTw);
        s.LineTo(kTw, 4 * kTw);
        s.LineTo(kTw, kTw);
        s.SetStyles(0, 0, s.AddLine(SwfLineStyle{40, kBlue}));
        s.MoveTo(-kTw, 6 * kTw);
        s.LineTo(7 * kTw, 6 * kTw);
        TSwfTagWriter t = WithBackground();
        t.DefineShape(1, s, version);
        t.PlaceObject2(PlaceCmd(1, 1));
        t.ShowFrame();
        auto movie = LoadOrFail(MovieBytes(t, 6, 8));
        ASSERT_TRUE(movie) << "version " << version;
        SCOPED_TRACE(testing::Message() << "DefineShape version " << version);
        ExpectPicture(
            RenderWhole(*movie),
            // clang-format off
            {"......",
             ".###..",
             ".###..",
             ".###..",
             "......",
             "bbbbbb",
             "bbbbbb",
             "......"},
            // clang-format on
            {{'.', Ref(kBg)}, {'#', Ref(kRed)}, {'b', Ref(kBlue)}}, "shape-versions");
    }
}
