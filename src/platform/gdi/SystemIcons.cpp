#include "platform/gdi/SystemIcons.h"

#include <cmath>
#include <functional>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 4; // per axis: 16 samples a pixel smooth the edges

struct Layer {
    COLORREF color;
    std::function<bool(double, double)> inside;
};

bool InCircle(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool InRect(double x, double y, double l, double t, double r, double b) {
    return x >= l && x < r && y >= t && y < b;
}

// Within `halfWidth` of the segment from (ax, ay) to (bx, by).
bool NearSegment(double x, double y, double ax, double ay, double bx, double by, double halfWidth) {
    const double dx = bx - ax, dy = by - ay;
    double t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double px = ax + t * dx - x, py = ay + t * dy - y;
    return px * px + py * py <= halfWidth * halfWidth;
}

bool InTriangle(double x, double y, const double (&p)[6]) {
    const auto side = [&](int a, int b) {
        return (p[2 * b] - p[2 * a]) * (y - p[2 * a + 1]) -
               (p[2 * b + 1] - p[2 * a + 1]) * (x - p[2 * a]);
    };
    const double s0 = side(0, 1), s1 = side(1, 2), s2 = side(2, 0);
    return (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
}

// Paints the layers in order, each over the ones before, with 16 samples a pixel.
Bitmap Compose(const std::vector<Layer>& layers) {
    Bitmap out(kSize, kSize, 32, true);
    for (int y = 0; y < kSize; ++y) {
        uint8_t* row = out.ScanLine(y);
        for (int x = 0; x < kSize; ++x) {
            double r = 0, g = 0, b = 0, a = 0; // premultiplied
            for (const Layer& layer : layers) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        hits += layer.inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
                const double c = double(hits) / (kSamples * kSamples);
                r = r * (1 - c) + GetRValue(layer.color) * c;
                g = g * (1 - c) + GetGValue(layer.color) * c;
                b = b * (1 - c) + GetBValue(layer.color) * c;
                a = a * (1 - c) + c;
            }
            uint8_t* px = row + x * 4;
            px[0] = uint8_t(a > 0 ? std::lround(b / a) : 0);
            px[1] = uint8_t(a > 0 ? std::lround(g / a) : 0);
            px[2] = uint8_t(a > 0 ? std::lround(r / a) : 0);
            px[3] = uint8_t(std::lround(a * 255));
        }
    }
    return out;
}

Bitmap DrawHand() {
    return Compose({
        {RGB(128, 0, 0), [](double x, double y) { return InCircle(x, y, 16, 16, 15); }},
        {RGB(214, 36, 28), [](double x, double y) { return InCircle(x, y, 16, 16, 13.6); }},
        {RGB(255, 255, 255),
         [](double x, double y) {
             return NearSegment(x, y, 10.5, 10.5, 21.5, 21.5, 2.1) ||
                    NearSegment(x, y, 21.5, 10.5, 10.5, 21.5, 2.1);
         }},
    });
}

Bitmap DrawExclamation() {
    static const double outer[6] = {16, 1, 31.5, 29.5, 0.5, 29.5};
    static const double inner[6] = {16, 3.6, 29.2, 28.2, 2.8, 28.2};
    return Compose({
        {RGB(120, 90, 0), [](double x, double y) { return InTriangle(x, y, outer); }},
        {RGB(255, 214, 0), [](double x, double y) { return InTriangle(x, y, inner); }},
        {RGB(0, 0, 0),
         [](double x, double y) {
             return NearSegment(x, y, 16, 11, 16, 19.5, 1.7) || InCircle(x, y, 16, 24, 1.9);
         }},
    });
}

// A round speech bubble with a tail at the lower left, in the blue of the information icons.
std::vector<Layer> Bubble() {
    static const double tailOuter[6] = {6, 31, 9, 22, 16, 26};
    static const double tailInner[6] = {7.6, 28.8, 10, 22, 14.6, 25};
    return {
        {RGB(0, 60, 160),
         [](double x, double y) {
             return InCircle(x, y, 16, 14.5, 13.8) || InTriangle(x, y, tailOuter);
         }},
        {RGB(255, 255, 255),
         [](double x, double y) {
             return InCircle(x, y, 16, 14.5, 12.4) || InTriangle(x, y, tailInner);
         }},
    };
}

Bitmap DrawAsterisk() {
    std::vector<Layer> layers = Bubble();
    layers.push_back({RGB(0, 60, 160), [](double x, double y) {
                          return InCircle(x, y, 16, 8.2, 2.1) || InRect(x, y, 14.2, 12, 17.8, 22) ||
                                 InRect(x, y, 12.5, 20.4, 19.5, 22);
                      }});
    return Compose(layers);
}

Bitmap DrawQuestion() {
    std::vector<Layer> layers = Bubble();
    layers.push_back({RGB(0, 60, 160), [](double x, double y) {
                          // The hook: a ring around (16, 10.5) from the left, over the top, to
                          // the lower right, then a stem down to the dot.
                          const double dx = x - 16, dy = y - 10.5, d = std::sqrt(dx * dx + dy * dy);
                          const bool onRing =
                              d >= 3 && d <= 6 && (dy <= 0 || (dx >= 0 && dy <= 3.5));
                          return onRing || NearSegment(x, y, 18.2, 14.2, 16, 17, 1.6) ||
                                 InRect(x, y, 14.4, 16, 17.6, 19) || InCircle(x, y, 16, 22.3, 2);
                      }});
    return Compose(layers);
}

} // namespace

Bitmap DrawSystemIcon(int id) {
    switch (id) {
    case IDI_HAND: return DrawHand();
    case IDI_QUESTION: return DrawQuestion();
    case IDI_EXCLAMATION: return DrawExclamation();
    case IDI_ASTERISK: return DrawAsterisk();
    default: return Bitmap();
    }
}
