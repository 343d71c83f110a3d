#include "Bmp4Writer.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

int Square(int v) { return v * v; }

} // namespace

const std::array<COLORREF, 16>& Bmp4Writer::Palette() {
    static const std::array<COLORREF, 16> kVga = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    return kVga;
}

int Bmp4Writer::NearestIndex(COLORREF color) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 16; ++i) {
        const COLORREF p = Palette()[size_t(i)];
        const int distance = Square(GetRValue(p) - GetRValue(color)) +
                             Square(GetGValue(p) - GetGValue(color)) +
                             Square(GetBValue(p) - GetBValue(color));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<uint8_t> Bmp4Writer::Encode(const Bitmap& picture) {
    if (picture.Empty()) return {};
    const uint32_t width = uint32_t(picture.Width());
    const uint32_t height = uint32_t(picture.Height());
    const uint32_t stride = ((width * 4 + 31) / 32) * 4;
    const uint32_t headers = 14 + 40 + 16 * 4;
    std::vector<uint8_t> out;
    out.reserve(headers + stride * height);
    out.push_back('B');
    out.push_back('M');
    Put32(out, headers + stride * height);
    Put32(out, 0);
    Put32(out, headers);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height); // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0); // BI_RGB
    Put32(out, stride * height);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 16);
    Put32(out, 16);
    for (COLORREF c : Palette()) {
        out.push_back(GetBValue(c));
        out.push_back(GetGValue(c));
        out.push_back(GetRValue(c));
        out.push_back(0);
    }
    for (int y = int(height) - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (uint32_t x = 0; x < width; ++x) {
            const int index = NearestIndex(picture.GetPixel(int(x), y));
            row[x / 2] |= uint8_t(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}
