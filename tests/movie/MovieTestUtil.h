#pragma once
// Small SWF fixtures built with the project's writer, and pixel helpers for the movie tests.
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "movie/SwfMovie.h"
#include "platform/core/WinTypes.h"
#include "platform/image/PngFile.h"
#include "tools/swfgen/SwfFileWriter.h"
#include "tools/swfgen/SwfShapeWriter.h"
#include "tools/swfgen/SwfTagWriter.h"

constexpr int kTw = 20; // twips per pixel

inline SwfRgba Color(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) { return {r, g, b, a}; }
inline COLORREF Ref(SwfRgba c) { return RGB(c.r, c.g, c.b); }

inline SwfFillStyle SolidFill(SwfRgba c) {
    SwfFillStyle f;
    f.color = c;
    return f;
}

inline SwfMatrix Translation(double x, double y) {
    SwfMatrix m;
    m.translateX = x;
    m.translateY = y;
    return m;
}

// A rectangle in twips, drawn clockwise with its fill on the right-hand side (fill 1).
inline TSwfShapeWriter RectShape(int x0, int y0, int x1, int y1, const SwfFillStyle& fill) {
    TSwfShapeWriter s;
    s.SetStyles(0, s.AddFill(fill), 0);
    s.MoveTo(x0, y0);
    s.LineTo(x1, y0);
    s.LineTo(x1, y1);
    s.LineTo(x0, y1);
    s.LineTo(x0, y0);
    return s;
}

inline SwfPlaceCommand PlaceCmd(uint16_t depth, uint16_t id, const SwfMatrix& m = SwfMatrix()) {
    SwfPlaceCommand c;
    c.depth = depth;
    c.hasCharacter = true;
    c.characterId = id;
    c.hasMatrix = true;
    c.matrix = m;
    return c;
}

inline std::vector<uint8_t> MovieBytes(const TSwfTagWriter& tags, int widthPx, int heightPx,
                                       bool compress = false, double fps = 12) {
    return TSwfFileWriter::Write(tags, SwfRect{0, widthPx * kTw, 0, heightPx * kTw}, fps, compress);
}

inline std::unique_ptr<TSwfMovie> LoadOrFail(const std::vector<uint8_t>& bytes) {
    std::string error;
    std::unique_ptr<TSwfMovie> movie = TSwfMovie::Load(bytes.data(), bytes.size(), &error);
    EXPECT_TRUE(movie) << error;
    return movie;
}

// Renders into a bitmap of the movie's own size at 1 pixel per 20 twips.
inline Bitmap RenderWhole(const TSwfMovie& movie, int bpp = 24, bool topDown = false) {
    Bitmap b(movie.Width(), movie.Height(), bpp, topDown);
    movie.Render(b, RECT{0, 0, b.Width(), b.Height()});
    return b;
}

// Expected picture as rows of characters, each mapped to a colour through a legend.
inline void ExpectPicture(const Bitmap& b, const std::vector<std::string>& rows,
                          const std::vector<std::pair<char, COLORREF>>& legend,
                          const std::string& name) {
    ASSERT_EQ(int(rows.size()), b.Height());
    int reported = 0;
    for (int y = 0; y < b.Height(); ++y) {
        ASSERT_EQ(int(rows[size_t(y)].size()), b.Width());
        for (int x = 0; x < b.Width(); ++x) {
            COLORREF want = 0;
            for (auto& [key, color] : legend)
                if (key == rows[size_t(y)][size_t(x)]) want = color;
            if (b.GetPixel(x, y) != want && reported++ < 8)
                ADD_FAILURE() << name << ": pixel (" << x << ", " << y << ") is " << std::hex
                              << b.GetPixel(x, y) << ", want " << want;
        }
    }
    if (reported) SavePNG(b, std::string(STAT_TEST_DATA_DIR) + "/" + name + "-FAILED.png", nullptr);
}

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}
