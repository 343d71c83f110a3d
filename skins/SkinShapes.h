#pragma once
// Shapes as point predicates over continuous pixel space (pixel (i, j) covers [i, i+1) x
// [j, j+1)); the skin images sample them several times per pixel for smooth edges.
#include <cmath>
#include <functional>

using TShape = std::function<bool(double x, double y)>;

namespace skinshape {

// A rectangle whose corners are rounded with their own radii (top-left, top-right,
// bottom-right, bottom-left).
inline TShape RoundRect(double x0, double y0, double x1, double y1, double tl, double tr, double br,
                        double bl) {
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        auto outside = [&](double cx, double cy, double r) {
            const double dx = x - cx, dy = y - cy;
            return dx * dx + dy * dy > r * r;
        };
        if (x < x0 + tl && y < y0 + tl && outside(x0 + tl, y0 + tl, tl)) return false;
        if (x > x1 - tr && y < y0 + tr && outside(x1 - tr, y0 + tr, tr)) return false;
        if (x > x1 - br && y > y1 - br && outside(x1 - br, y1 - br, br)) return false;
        if (x < x0 + bl && y > y1 - bl && outside(x0 + bl, y1 - bl, bl)) return false;
        return true;
    };
}

inline TShape RoundRect(double x0, double y0, double x1, double y1, double r) {
    return RoundRect(x0, y0, x1, y1, r, r, r, r);
}

inline TShape Block(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

inline TShape Disc(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

// A stroke of the given half width along the segment from a to b, with round ends.
inline TShape Segment(double ax, double ay, double bx, double by, double halfWidth) {
    return [=](double x, double y) {
        const double vx = bx - ax, vy = by - ay;
        const double len2 = vx * vx + vy * vy;
        double t = len2 > 0 ? ((x - ax) * vx + (y - ay) * vy) / len2 : 0;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        const double dx = x - (ax + t * vx), dy = y - (ay + t * vy);
        return dx * dx + dy * dy <= halfWidth * halfWidth;
    };
}

inline TShape Triangle(double ax, double ay, double bx, double by, double cx, double cy) {
    return [=](double x, double y) {
        auto side = [&](double px, double py, double qx, double qy) {
            return (qx - px) * (y - py) - (qy - py) * (x - px);
        };
        const double s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy),
                     s3 = side(cx, cy, ax, ay);
        return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
    };
}

inline TShape Minus(TShape a, TShape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

inline TShape Union(TShape a, TShape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

// The band of a round rectangle between its outline and the outline moved inward by width.
inline TShape Ring(double x0, double y0, double x1, double y1, double r, double width) {
    return Minus(RoundRect(x0, y0, x1, y1, r), RoundRect(x0 + width, y0 + width, x1 - width,
                                                         y1 - width, r > width ? r - width : 0));
}

} // namespace skinshape
