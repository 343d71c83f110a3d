#include "platform/gdi/GradientFill.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Coordinates are doubled so that pixel centres (x + 0.5) become odd integers and every
// edge test is exact integer arithmetic.
struct Point2 {
    int64_t x;
    int64_t y;
};

// Twice the signed area of (a, b, p): positive on one side of a->b, zero on the line.
int64_t EdgeValue(Point2 a, Point2 b, Point2 p) {
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

// One edge's test along a row: its value at the row's first pixel centre, how it changes per
// pixel and per row, and the least value that counts as inside (0 on a top or left edge,
// 1 elsewhere, which is the fill rule for centres exactly on the edge).
struct EdgeWalk {
    int64_t row = 0;
    int64_t stepX = 0;
    int64_t stepY = 0;
    int64_t least = 0;

    EdgeWalk(Point2 a, Point2 b, Point2 start) {
        const int64_t dx = b.x - a.x, dy = b.y - a.y;
        row = EdgeValue(a, b, start);
        stepX = -2 * dy;
        stepY = 2 * dx;
        // With the triangle oriented so that inside is positive, the inward normal is
        // (-dy, dx): it points right on a left edge and down on a top edge.
        const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
        least = topLeft ? 0 : 1;
    }
};

uint8_t To8Bits(double c16) {
    const double v = std::floor(c16 / 256.0 + 0.5);
    return uint8_t(std::clamp(v, 0.0, 255.0));
}

template <int BytesPerPixel>
void FillTriangle(Bitmap& bitmap, const TRIVERTEX* va, const TRIVERTEX* vb, const TRIVERTEX* vc,
                  const RECT& area) {
    Point2 a{2 * int64_t(va->x), 2 * int64_t(va->y)};
    Point2 b{2 * int64_t(vb->x), 2 * int64_t(vb->y)};
    Point2 c{2 * int64_t(vc->x), 2 * int64_t(vc->y)};
    int64_t area2 = EdgeValue(a, b, c);
    if (area2 == 0) return;
    if (area2 < 0) {
        std::swap(b, c);
        std::swap(vb, vc);
        area2 = -area2;
    }

    // Pixel centres inside the triangle lie inside its bounding box of pixel edges.
    const RECT box{std::max(std::min({va->x, vb->x, vc->x}), area.left),
                   std::max(std::min({va->y, vb->y, vc->y}), area.top),
                   std::min(std::max({va->x, vb->x, vc->x}), area.right),
                   std::min(std::max({va->y, vb->y, vc->y}), area.bottom)};
    if (IsRectEmpty(box)) return;

    // Channel values relative to vertex a, so a flat triangle comes out exact.
    constexpr int kChannels = BytesPerPixel; // blue, green, red (, alpha)
    const double base[4] = {double(va->Blue), double(va->Green), double(va->Red),
                            double(va->Alpha)};
    double toB[4], toC[4];
    const COLOR16 colB[4] = {vb->Blue, vb->Green, vb->Red, vb->Alpha};
    const COLOR16 colC[4] = {vc->Blue, vc->Green, vc->Red, vc->Alpha};
    for (int k = 0; k < 4; ++k) {
        toB[k] = double(colB[k]) - base[k];
        toC[k] = double(colC[k]) - base[k];
    }
    const double inverseArea = 1.0 / double(area2);

    const Point2 start{2 * int64_t(box.left) + 1, 2 * int64_t(box.top) + 1};
    EdgeWalk weightA(b, c, start), weightB(c, a, start), weightC(a, b, start);
    const std::ptrdiff_t rowDelta = bitmap.RowDelta();
    uint8_t* row = bitmap.ScanLine(box.top) + box.left * BytesPerPixel;
    for (LONG y = box.top; y < box.bottom; ++y, row += rowDelta) {
        int64_t ea = weightA.row, eb = weightB.row, ec = weightC.row;
        uint8_t* p = row;
        for (LONG x = box.left; x < box.right; ++x, p += BytesPerPixel) {
            if (ea >= weightA.least && eb >= weightB.least && ec >= weightC.least) {
                const double wb = double(eb) * inverseArea, wc = double(ec) * inverseArea;
                for (int k = 0; k < kChannels; ++k)
                    p[k] = To8Bits(base[k] + wb * toB[k] + wc * toC[k]);
            }
            ea += weightA.stepX;
            eb += weightB.stepX;
            ec += weightC.stepX;
        }
        weightA.row += weightA.stepY;
        weightB.row += weightB.stepY;
        weightC.row += weightC.stepY;
    }
}

bool InRange(const TRIVERTEX& v) {
    return v.x >= -kMaxGradientCoord && v.x <= kMaxGradientCoord && v.y >= -kMaxGradientCoord &&
           v.y <= kMaxGradientCoord;
}

} // namespace

bool GradientFillTriangles(Bitmap& bitmap, const TRIVERTEX* vertices, ULONG nVertex,
                           const GRADIENT_TRIANGLE* triangles, ULONG nTriangle, const RECT* clip) {
    if (nTriangle == 0) return true;
    if (!vertices || !triangles) return false;
    for (ULONG t = 0; t < nTriangle; ++t) {
        const GRADIENT_TRIANGLE& tri = triangles[t];
        for (ULONG index : {tri.Vertex1, tri.Vertex2, tri.Vertex3})
            if (index >= nVertex || !InRange(vertices[index])) return false;
    }

    RECT area{0, 0, bitmap.Width(), bitmap.Height()};
    if (clip && !IntersectRect(area, area, *clip)) return true;
    if (IsRectEmpty(area)) return true;

    for (ULONG t = 0; t < nTriangle; ++t) {
        const GRADIENT_TRIANGLE& tri = triangles[t];
        const TRIVERTEX* a = &vertices[tri.Vertex1];
        const TRIVERTEX* b = &vertices[tri.Vertex2];
        const TRIVERTEX* c = &vertices[tri.Vertex3];
        if (bitmap.BitsPerPixel() == 32)
            FillTriangle<4>(bitmap, a, b, c, area);
        else
            FillTriangle<3>(bitmap, a, b, c, area);
    }
    return true;
}
