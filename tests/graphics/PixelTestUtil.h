#pragma once
// Tiny bitmaps written and read as colour values (red in the low byte), row by row from
// the top, for pixel tests.
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"

inline Bitmap MakeBitmap(int width, int height, const std::vector<COLORREF>& pixels,
                         bool topDown = false, int bitsPerPixel = 24) {
    Bitmap b(width, height, bitsPerPixel, topDown);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.SetPixel(x, y, pixels[size_t(y * width + x)]);
    return b;
}

inline Bitmap FilledBitmap(int width, int height, COLORREF color, bool topDown = false) {
    Bitmap b(width, height, 24, topDown);
    b.Fill(color);
    return b;
}

inline std::vector<COLORREF> PixelsOf(const Bitmap& b) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) pixels.push_back(b.GetPixel(x, y));
    return pixels;
}

inline constexpr COLORREF Grey(int v) { return RGB(BYTE(v), BYTE(v), BYTE(v)); }

// Compares every pixel and names the first few that differ.
inline void ExpectPixels(const Bitmap& b, const std::vector<COLORREF>& expected) {
    ASSERT_EQ(size_t(b.Width() * b.Height()), expected.size());
    int reported = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const COLORREF want = expected[size_t(y * b.Width() + x)];
            const COLORREF got = b.GetPixel(x, y);
            if (got != want && reported++ < 8)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): got " << std::hex << got
                              << ", want " << want;
        }
    EXPECT_EQ(reported, 0) << "pixels differing";
}
