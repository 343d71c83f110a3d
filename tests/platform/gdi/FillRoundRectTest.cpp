#include "platform/gdi/FillRoundRect.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {
constexpr COLORREF kInk = RGB(10, 20, 30);

bool Painted(const Bitmap& b, int x, int y) { return b.GetPixel(x, y) == kInk; }
} // namespace

TEST(FillRoundRect, SquareCornersFillTheWholeHalfOpenRectangle) {
    for (auto [ew, eh] : {std::pair{0, 0}, {0, 6}, {6, 0}}) {
        Bitmap b(6, 5, 24);
        FillRoundRect(b, RECT{1, 1, 4, 3}, ew, eh, kInk);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(Painted(b, x, y), x >= 1 && x < 4 && y >= 1 && y < 3) << x << "," << y;
    }
    // Clipped to the bitmap, and a 32-bit target gets alpha 0.
    Bitmap c(3, 3, 32);
    for (int y = 0; y < 3; ++y) std::fill_n(c.ScanLine(y), 12, uint8_t(0xEE));
    FillRoundRect(c, RECT{-5, 1, 50, 50}, 0, 0, kInk);
    EXPECT_EQ(c.GetPixel(0, 0), RGB(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(c.GetPixel(2, 2), kInk);
    EXPECT_EQ(c.ScanLine(2)[2 * 4 + 3], 0);
}

TEST(FillRoundRect, CircularCornersTakeThePixelsWhoseCentresLieInside) {
    // For each corner size, a pixel is outside exactly when its centre lies in a corner box
    // of the rectangle and farther than r from that corner's circle centre.
    for (int size : {1, 2, 3, 4, 5, 8, 9, 12, 40}) {
        SCOPED_TRACE(size);
        const RECT r{1, 2, 13, 11}; // 12 x 9
        Bitmap b(14, 13, 24);
        FillRoundRect(b, r, size, size, kInk);
        const double rx = std::min(size, 12) / 2.0, ry = std::min(size, 9) / 2.0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 14; ++x) {
                const double xc = x + 0.5, yc = y + 0.5;
                bool in = xc > r.left && xc < r.right && yc > r.top && yc < r.bottom;
                const double cx = xc < r.left + rx    ? r.left + rx
                                  : xc > r.right - rx ? r.right - rx
                                                      : xc;
                const double cy = yc < r.top + ry      ? r.top + ry
                                  : yc > r.bottom - ry ? r.bottom - ry
                                                       : yc;
                const double dx = (xc - cx) / rx, dy = (yc - cy) / ry;
                if (in && dx * dx + dy * dy > 1) in = false;
                EXPECT_EQ(Painted(b, x, y), in) << x << "," << y;
            }
    }
}

TEST(FillRoundRect, EllipticalCorner) {
    // 12 x 6 with an 8 x 4 ellipse (radii 4 and 2): in the top row the centre (0.5, 0.5) gives
    // (3.5/4)^2 + (1.5/2)^2 = 1.33 (outside), (1.5, 0.5) gives 0.95 (inside); in the second
    // row (0.5, 1.5) gives 0.83 (inside).
    Bitmap b(12, 6, 24);
    FillRoundRect(b, RECT{0, 0, 12, 6}, 8, 4, kInk);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool corner = (x == 0 || x == 11) && (y == 0 || y == 5);
            EXPECT_EQ(Painted(b, x, y), !corner) << x << "," << y;
        }
}
