#include "skins/FeatherPicture.h"

#include <cmath>

#include "platform/gdi/Bitmap.h"
#include "platform/image/JpegFile.h"
#include "skins/SkinColor.h"

namespace {
constexpr int kSide = 96; // small: the loader keeps it as a texture of its own
}

std::vector<uint8_t> FeatherPictureJpeg() {
    const COLORREF deep = RGB(8, 46, 62), teal = RGB(16, 86, 96), sheen = RGB(30, 112, 112);
    Bitmap picture(kSide, kSide, 24);
    const double pi = 3.14159265358979;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            // Barbs run diagonally from a shaft; whole periods across the tile keep it seamless.
            const double barbs = 0.5 + 0.5 * std::sin(2 * pi * (x + y) * 8 / kSide);
            const double shaft = 0.5 + 0.5 * std::cos(2 * pi * (x - y) * 2 / kSide);
            const double glow = 0.5 + 0.5 * std::sin(2 * pi * y / kSide);
            COLORREF c = skincolor::Mix(deep, teal, 0.35 + 0.45 * glow);
            c = skincolor::Mix(c, sheen, 0.35 * barbs * shaft);
            picture.SetPixel(x, y, c);
        }
    return EncodeJPEG(picture, 90);
}
