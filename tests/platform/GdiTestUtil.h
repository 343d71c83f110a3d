#pragma once
// Drawing-test helpers: a memory context over a tiny bitmap, and pictures written as text
// (one string per row from the top, one character per pixel, a legend from characters to
// colours) to compare surfaces with.
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A memory context with its own DIB selected, every pixel `fill`. The destructor selects
// the default bitmap back and deletes both.
class TestDC {
  public:
    TestDC(int width, int height, COLORREF fill = kWhite, int bitsPerPixel = 24,
           bool topDown = false)
        : dc(CreateCompatibleDC(nullptr)),
          bitmap(CreateDIBSection(width, height, bitsPerPixel, topDown)) {
        old = SelectObject(dc, bitmap);
        pixels().Fill(fill);
    }
    TestDC(const TestDC&) = delete;
    TestDC& operator=(const TestDC&) = delete;
    ~TestDC() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }

    Bitmap& pixels() { return *BitmapOf(bitmap); }
    // The alpha byte of a 32-bit surface pixel.
    uint8_t Alpha(int x, int y) { return pixels().ScanLine(y)[x * 4 + 3]; }

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old = nullptr;
};

// Whether two bitmaps of one format hold the same pixel bytes (alpha included).
inline bool PixelsEqual(const Bitmap& a, const Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.BitsPerPixel() != b.BitsPerPixel())
        return false;
    const size_t bytes = size_t(a.Width()) * size_t(a.BytesPerPixel());
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), bytes) != 0) return false;
    return true;
}

// A picture of the same size as the rows, drawn from a legend.
inline std::vector<COLORREF> PictureColors(const std::vector<std::string>& rows,
                                           const std::map<char, COLORREF>& legend) {
    std::vector<COLORREF> colors;
    for (const std::string& row : rows)
        for (char c : row) colors.push_back(legend.at(c));
    return colors;
}

// Compares every pixel with the picture; on failure prints what the surface holds in the
// legend's characters ('?' for colours it does not name).
inline void ExpectPicture(const Bitmap& b, const std::vector<std::string>& rows,
                          const std::map<char, COLORREF>& legend) {
    ASSERT_EQ(size_t(b.Height()), rows.size());
    bool same = true;
    std::string actual;
    for (int y = 0; y < b.Height(); ++y) {
        ASSERT_EQ(size_t(b.Width()), rows[size_t(y)].size()) << "row " << y;
        for (int x = 0; x < b.Width(); ++x) {
            const COLORREF got = b.GetPixel(x, y);
            same = same && got == legend.at(rows[size_t(y)][size_t(x)]);
            char name = '?';
            for (const auto& [c, color] : legend)
                if (color == got) name = c;
            actual += name;
        }
        actual += '\n';
    }
    EXPECT_TRUE(same) << "surface holds:\n" << actual;
}
