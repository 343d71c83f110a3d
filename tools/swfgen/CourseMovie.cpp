#include "tools/swfgen/CourseMovie.h"

#include <algorithm>
#include <cmath>

#include "tools/swfgen/SwfFileWriter.h"
#include "tools/swfgen/SwfShapeWriter.h"
#include "tools/swfgen/SwfTagWriter.h"

namespace {

constexpr int kTw = 20; // twips per pixel
constexpr double kPi = 3.14159265358979323846;
constexpr int kBaseline = 86; // pixels from the top
constexpr int kBars = 12, kBarX = 24, kBarWidth = 16, kBarStep = 20;
constexpr int kDonutX = 341, kDonutY = 51, kDonutOuter = 36, kDonutInner = 21;
constexpr int kPoints = 10, kLineX = 422, kLineStep = 27;
constexpr double kLineY[kPoints] = {74, 68, 70, 58, 61, 49, 52, 38, 41, 26};

enum Id : uint16_t {
    kBackgroundId = 1,
    kGlowId,
    kGridId,
    kBellId,
    kAreaId,
    kGlossId,
    kDonutShapeId,
    kDonutSpriteId,
    kChartSpriteId,
    kDotId,
    kBarId = 20,
    kPieceId = 40,
};

SwfRgba Rgb(int rgb, int alpha = 255) {
    return SwfRgba{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), uint8_t(alpha)};
}

SwfRgba Mix(SwfRgba a, SwfRgba b, double t) {
    auto m = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
    return SwfRgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

SwfFillStyle Solid(SwfRgba c) {
    SwfFillStyle f;
    f.color = c;
    return f;
}

// A linear gradient running from (x0, y0) to (x1, y1), in twips: the gradient square's x
// axis is laid along that line, its y axis across it.
SwfFillStyle Linear(double x0, double y0, double x1, double y1,
                    std::vector<SwfGradientStop> stops) {
    SwfFillStyle f;
    f.kind = SwfFillKind::Linear;
    const double dx = (x1 - x0) / 32768, dy = (y1 - y0) / 32768;
    f.matrix.scaleX = dx;
    f.matrix.rotateSkew0 = dy;
    f.matrix.rotateSkew1 = -dy;
    f.matrix.scaleY = dx;
    f.matrix.translateX = (x0 + x1) / 2;
    f.matrix.translateY = (y0 + y1) / 2;
    f.stops = std::move(stops);
    return f;
}

SwfFillStyle Radial(double cx, double cy, double radius, std::vector<SwfGradientStop> stops) {
    SwfFillStyle f;
    f.kind = SwfFillKind::Radial;
    f.matrix.scaleX = f.matrix.scaleY = radius * 2 / 32768;
    f.matrix.translateX = cx;
    f.matrix.translateY = cy;
    f.stops = std::move(stops);
    return f;
}

void Rectangle(TSwfShapeWriter& s, int x0, int y0, int x1, int y1) {
    s.MoveTo(x0, y0);
    s.LineTo(x1, y0);
    s.LineTo(x1, y1);
    s.LineTo(x0, y1);
    s.LineTo(x0, y0);
}

// An arc of a circle as quadratic curves of at most 45 degrees, from the pen's position
// (which must be the arc's start) to its end.
void Arc(TSwfShapeWriter& s, double cx, double cy, double r, double from, double to) {
    const int parts = std::max(1, int(std::ceil(std::fabs(to - from) / (kPi / 4))));
    const double step = (to - from) / parts;
    for (int i = 0; i < parts; ++i) {
        const double a0 = from + step * i, a1 = a0 + step, mid = (a0 + a1) / 2;
        const double rc = r / std::cos(step / 2);
        s.CurveTo(int32_t(std::lround(cx + rc * std::cos(mid))),
                  int32_t(std::lround(cy + rc * std::sin(mid))),
                  int32_t(std::lround(cx + r * std::cos(a1))),
                  int32_t(std::lround(cy + r * std::sin(a1))));
    }
}

void Circle(TSwfShapeWriter& s, double cx, double cy, double r) {
    s.MoveTo(int32_t(std::lround(cx + r)), int32_t(std::lround(cy)));
    Arc(s, cx, cy, r, 0, 2 * kPi);
}

double EaseOut(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return 1 - (1 - t) * (1 - t) * (1 - t);
}

SwfMatrix Translate(double x, double y) {
    SwfMatrix m;
    m.translateX = x;
    m.translateY = y;
    return m;
}

SwfPlaceCommand Place(uint16_t depth, uint16_t id, const SwfMatrix& m = SwfMatrix()) {
    SwfPlaceCommand c;
    c.depth = depth;
    c.hasCharacter = true;
    c.characterId = id;
    c.hasMatrix = true;
    c.matrix = m;
    return c;
}

SwfPlaceCommand Move(uint16_t depth) {
    SwfPlaceCommand c;
    c.depth = depth;
    c.move = true;
    return c;
}

SwfColorTransform Alpha(double a) {
    SwfColorTransform cx;
    cx.mult[3] = int(std::lround(256 * std::clamp(a, 0.0, 1.0)));
    return cx;
}

double BarHeight(int i) {
    const double z = (i - (kBars - 1) / 2.0) / 2.4;
    return 58 * std::exp(-z * z / 2) + 5;
}

void DefineBackground(TSwfTagWriter& tags) {
    const int w = TCourseMovie::kWidth * kTw, h = TCourseMovie::kHeight * kTw;
    TSwfShapeWriter bg;
    bg.SetStyles(
        0,
        bg.AddFill(Linear(0, 0, w, h * 3,
                          {{0, Rgb(0x0F2A4F)}, {150, Rgb(0x174A78)}, {255, Rgb(0x157A8C)}})),
        0);
    Rectangle(bg, 0, 0, w, h);
    tags.DefineShape(kBackgroundId, bg);

    TSwfShapeWriter glow; // soft light behind the histogram and behind the line chart
    glow.SetStyles(glow.AddFill(Radial(150 * kTw, 60 * kTw, 170 * kTw,
                                       {{0, Rgb(0x6FC3FF, 70)}, {255, Rgb(0x6FC3FF, 0)}})),
                   0, 0);
    Rectangle(glow, 0, 0, w / 2, h);
    glow.NewStyleGroup();
    glow.SetStyles(glow.AddFill(Radial(560 * kTw, 40 * kTw, 160 * kTw,
                                       {{0, Rgb(0x5FF0D0, 45)}, {255, Rgb(0x5FF0D0, 0)}})),
                   0, 0);
    Rectangle(glow, w / 2, 0, w, h);
    tags.DefineShape(kGlowId, glow);

    TSwfShapeWriter grid;
    const int faint = grid.AddLine(SwfLineStyle{20, Rgb(0xFFFFFF, 32)});
    const int base = grid.AddLine(SwfLineStyle{20, Rgb(0xFFFFFF, 120)});
    grid.SetStyles(0, 0, faint);
    for (int y : {26, 46, 66}) {
        grid.MoveTo(14 * kTw, y * kTw);
        grid.LineTo(669 * kTw, y * kTw);
    }
    grid.SetStyles(0, 0, base);
    grid.MoveTo(14 * kTw, kBaseline * kTw);
    grid.LineTo(669 * kTw, kBaseline * kTw);
    tags.DefineShape(kGridId, grid);

    TSwfShapeWriter gloss; // a sheen over the upper half
    gloss.SetStyles(
        0, gloss.AddFill(Linear(0, 0, 0, h / 2, {{0, Rgb(0xFFFFFF, 34)}, {255, Rgb(0xFFFFFF, 0)}})),
        0);
    Rectangle(gloss, 0, 0, w, h / 2);
    tags.DefineShape(kGlossId, gloss);
}

// Bars stand on y = 0 and grow upwards, so scaling y grows them from the baseline.
void DefineBars(TSwfTagWriter& tags) {
    // Colour by height: blue for the tails, through teal, to gold at the peak.
    const SwfRgba low = Rgb(0x4EA8DE), mid = Rgb(0x2EC4B6), high = Rgb(0xFAC05E);
    for (int i = 0; i < kBars; ++i) {
        const double h = BarHeight(i), t = (h - 5) / 58;
        const SwfRgba base = t < 0.5 ? Mix(low, mid, t * 2) : Mix(mid, high, t * 2 - 1);
        const SwfRgba top = Mix(base, Rgb(0xFFFFFF), 0.35);
        TSwfShapeWriter bar;
        const int w = kBarWidth * kTw, ht = int(h * kTw), r = 3 * kTw;
        bar.SetStyles(bar.AddFill(Linear(0, -ht, 0, 0, {{0, top}, {255, base}})), 0, 0);
        bar.MoveTo(0, 0);
        bar.LineTo(0, -ht + r);
        bar.CurveTo(0, -ht, r, -ht);
        bar.LineTo(w - r, -ht);
        bar.CurveTo(w, -ht, w, -ht + r);
        bar.LineTo(w, 0);
        bar.LineTo(0, 0);
        tags.DefineShape(uint16_t(kBarId + i), bar);
    }

    TSwfShapeWriter bell; // the normal curve the histogram follows
    bell.SetStyles(0, 0, bell.AddLine(SwfLineStyle{44, Rgb(0xFFFFFF, 230)}));
    const double left = kBarX - 6, right = kBarX + kBars * kBarStep + 2;
    auto curveY = [](double x) {
        const double z = (x - (kBarX + (kBars * kBarStep - 4) / 2.0)) / (kBarStep * 2.4);
        return (kBaseline - 5 - 58 * std::exp(-z * z / 2)) * kTw;
    };
    bell.MoveTo(int32_t(left * kTw), int32_t(curveY(left)));
    for (double x = left + 6; x <= right + 0.1; x += 6) {
        // The control point is where the tangents at both ends meet: close for a smooth curve.
        const double xm = x - 3;
        bell.CurveTo(int32_t(xm * kTw), int32_t(2 * curveY(xm) - (curveY(x - 6) + curveY(x)) / 2),
                     int32_t(x * kTw), int32_t(curveY(x)));
    }
    tags.DefineShape(kBellId, bell);
}

void DefineDonut(TSwfTagWriter& tags) {
    const SwfRgba colors[4] = {Rgb(0xFF6B6B), Rgb(0xFAC05E), Rgb(0x2EC4B6), Rgb(0x4EA8DE)};
    const double shares[4] = {0.34, 0.27, 0.22, 0.17};
    const double ro = kDonutOuter * kTw, ri = kDonutInner * kTw, gap = 0.05;
    TSwfShapeWriter donut; // centred on its origin so that it turns in place
    double angle = -kPi / 2;
    for (int i = 0; i < 4; ++i) {
        const double a0 = angle + gap / 2, a1 = angle + shares[i] * 2 * kPi - gap / 2;
        const SwfRgba light = Mix(colors[i], Rgb(0xFFFFFF), 0.25);
        const int fill = donut.AddFill(Radial(0, 0, ro, {{150, colors[i]}, {255, light}}));
        // Alternate sides: the reader must fill a region whichever side names its style.
        if (i % 2)
            donut.SetStyles(fill, 0, 0);
        else
            donut.SetStyles(0, fill, 0);
        donut.MoveTo(int32_t(std::lround(ro * std::cos(a0))),
                     int32_t(std::lround(ro * std::sin(a0))));
        Arc(donut, 0, 0, ro, a0, a1);
        donut.LineTo(int32_t(std::lround(ri * std::cos(a1))),
                     int32_t(std::lround(ri * std::sin(a1))));
        Arc(donut, 0, 0, ri, a1, a0);
        donut.LineTo(int32_t(std::lround(ro * std::cos(a0))),
                     int32_t(std::lround(ro * std::sin(a0))));
        angle += shares[i] * 2 * kPi;
    }
    donut.SetStyles(0,
                    donut.AddFill(Radial(0, 0, (kDonutInner - 5) * kTw,
                                         {{0, Rgb(0xFFFFFF, 70)}, {255, Rgb(0xFFFFFF, 16)}})),
                    0);
    Circle(donut, 0, 0, (kDonutInner - 5) * kTw);
    tags.DefineShape(kDonutShapeId, donut);

    // The sprite turns the donut once in the length of the movie, so its loop is seamless.
    TSwfTagWriter spin;
    for (int f = 0; f < TCourseMovie::kFrames; ++f) {
        const double a = 2 * kPi * f / TCourseMovie::kFrames;
        SwfMatrix m;
        m.scaleX = m.scaleY = std::cos(a);
        m.rotateSkew0 = std::sin(a);
        m.rotateSkew1 = -std::sin(a);
        SwfPlaceCommand c = f == 0 ? Place(1, kDonutShapeId, m) : Move(1);
        c.hasMatrix = true;
        c.matrix = m;
        spin.PlaceObject2(c);
        spin.ShowFrame();
    }
    tags.DefineSprite(kDonutSpriteId, spin);
}

double PointX(int i) { return (kLineX + kLineStep * i) * kTw; }
double PointY(int i) { return kLineY[i] * kTw; }

void DefineLineChart(TSwfTagWriter& tags, int pieces) {
    // Each segment of the line comes in pieces, one per frame, so the line draws itself.
    for (int i = 0; i + 1 < kPoints; ++i) {
        for (int p = 0; p < pieces; ++p) {
            const double t0 = double(p) / pieces, t1 = double(p + 1) / pieces;
            TSwfShapeWriter piece;
            piece.SetStyles(0, 0, piece.AddLine(SwfLineStyle{50, Rgb(0xFFF3C4)}));
            piece.MoveTo(int32_t(PointX(i) + (PointX(i + 1) - PointX(i)) * t0),
                         int32_t(PointY(i) + (PointY(i + 1) - PointY(i)) * t0));
            piece.LineTo(int32_t(PointX(i) + (PointX(i + 1) - PointX(i)) * t1),
                         int32_t(PointY(i) + (PointY(i + 1) - PointY(i)) * t1));
            tags.DefineShape(uint16_t(kPieceId + i * pieces + p), piece, 2);
        }
    }
    TSwfShapeWriter area;
    area.SetStyles(0,
                   area.AddFill(Linear(0, 20 * kTw, 0, kBaseline * kTw,
                                       {{0, Rgb(0x7FF5DC, 170)}, {255, Rgb(0x7FF5DC, 10)}})),
                   0);
    area.MoveTo(int32_t(PointX(0)), kBaseline * kTw);
    for (int i = 0; i < kPoints; ++i) area.LineTo(int32_t(PointX(i)), int32_t(PointY(i)));
    area.LineTo(int32_t(PointX(kPoints - 1)), kBaseline * kTw);
    area.LineTo(int32_t(PointX(0)), kBaseline * kTw);
    tags.DefineShape(kAreaId, area);

    TSwfShapeWriter dot;
    dot.SetStyles(0, dot.AddFill(Solid(Rgb(0xFFFFFF))),
                  dot.AddLine(SwfLineStyle{40, Rgb(0x2EC4B6)}));
    Circle(dot, 0, 0, 3.2 * kTw);
    tags.DefineShape(kDotId, dot);
}

// The chart animation, one sprite as long as the movie, so that one colour transform on it
// fades everything in and out together.
void DefineChartSprite(TSwfTagWriter& tags) {
    constexpr int kPieces = 3, kLineStart = 30, kAreaStart = 60, kBellStart = 50;
    constexpr uint16_t kAreaDepth = 2, kBarDepth = 10, kBellDepth = 30, kDonutDepth = 40,
                       kPieceDepth = 50, kDotDepth = 90;
    TSwfTagWriter t;
    for (int f = 0; f < TCourseMovie::kFrames; ++f) {
        for (int i = 0; i < kBars; ++i) { // bars rise one after another
            const int start = 6 + 3 * i, grow = 10;
            if (f < start || f > start + grow) continue;
            SwfMatrix m = Translate((kBarX + kBarStep * i) * kTw, kBaseline * kTw);
            m.scaleY = std::max(0.02, EaseOut(double(f - start) / grow));
            SwfPlaceCommand c = f == start ? Place(uint16_t(kBarDepth + i), uint16_t(kBarId + i), m)
                                           : Move(uint16_t(kBarDepth + i));
            c.hasMatrix = true;
            c.matrix = m;
            t.PlaceObject2(c);
        }
        if (f >= kBellStart && f <= kBellStart + 12) {
            SwfPlaceCommand c = f == kBellStart ? Place(kBellDepth, kBellId) : Move(kBellDepth);
            c.hasColorTransform = true;
            c.colorTransform = Alpha((f - kBellStart) / 12.0);
            t.PlaceObject2(c);
        }
        if (f >= 8 && f <= 20) { // the donut springs open
            const double s = std::max(0.05, EaseOut((f - 8) / 12.0));
            SwfMatrix m = Translate(kDonutX * kTw, kDonutY * kTw);
            m.scaleX = m.scaleY = s;
            SwfPlaceCommand c = f == 8 ? Place(kDonutDepth, kDonutSpriteId, m) : Move(kDonutDepth);
            c.hasMatrix = true;
            c.matrix = m;
            t.PlaceObject2(c);
        }
        const int piece = f - kLineStart;
        if (piece >= 0 && piece < (kPoints - 1) * kPieces)
            t.PlaceObject2(Place(uint16_t(kPieceDepth + piece), uint16_t(kPieceId + piece)));
        for (int i = 0; i < kPoints; ++i) { // a dot pops up as the line reaches its point
            const int start = kLineStart + i * kPieces - 1, grow = 4;
            if (f < start || f > start + grow) continue;
            const double s = std::max(0.05, EaseOut(double(f - start) / grow));
            SwfMatrix m = Translate(PointX(i), PointY(i));
            m.scaleX = m.scaleY = s;
            SwfPlaceCommand c = f == start ? Place(uint16_t(kDotDepth + i), kDotId, m)
                                           : Move(uint16_t(kDotDepth + i));
            c.hasMatrix = true;
            c.matrix = m;
            t.PlaceObject2(c);
        }
        if (f >= kAreaStart && f <= kAreaStart + 14) {
            SwfPlaceCommand c = f == kAreaStart ? Place(kAreaDepth, kAreaId) : Move(kAreaDepth);
            c.hasColorTransform = true;
            c.colorTransform = Alpha((f - kAreaStart) / 14.0);
            t.PlaceObject2(c);
        }
        t.ShowFrame();
    }
    tags.DefineSprite(kChartSpriteId, t);
}

} // namespace

std::vector<uint8_t> TCourseMovie::Build(bool compress) {
    TSwfTagWriter tags;
    tags.SetBackgroundColor(Rgb(0x0F2A4F));
    DefineBackground(tags);
    DefineBars(tags);
    DefineDonut(tags);
    DefineLineChart(tags, 3);
    DefineChartSprite(tags);

    constexpr uint16_t kChartDepth = 10;
    constexpr int kFadeIn = 6, kFadeOut = 14;
    for (int f = 0; f < kFrames; ++f) {
        if (f == 0) {
            tags.PlaceObject2(Place(1, kBackgroundId));
            tags.PlaceObject2(Place(2, kGlowId));
            tags.PlaceObject2(Place(3, kGridId));
            tags.PlaceObject2(Place(20, kGlossId));
        }
        double alpha = 1;
        if (f <= kFadeIn) alpha = double(f) / kFadeIn;
        if (f >= kFrames - kFadeOut) alpha = double(kFrames - 1 - f) / kFadeOut;
        if (f <= kFadeIn || f >= kFrames - kFadeOut - 1) {
            SwfPlaceCommand c = f == 0 ? Place(kChartDepth, kChartSpriteId) : Move(kChartDepth);
            c.hasColorTransform = true;
            c.colorTransform = Alpha(alpha);
            tags.PlaceObject2(c);
        }
        tags.ShowFrame();
    }
    const SwfRect frame{0, kWidth * kTw, 0, kHeight * kTw};
    return TSwfFileWriter::Write(tags, frame, kFrameRate, compress);
}
