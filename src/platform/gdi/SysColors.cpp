#include "platform/gdi/SysColors.h"

#include <array>

namespace {
constexpr std::array<COLORREF, 31> kClassicScheme = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
    RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(166, 202, 240),
    RGB(192, 192, 192), RGB(10, 36, 106),   RGB(212, 208, 200),
};
} // namespace

COLORREF GetSysColor(int index) {
    return index >= 0 && size_t(index) < kClassicScheme.size() ? kClassicScheme[size_t(index)] : 0;
}

COLORREF ColorToRGB(TColor color) {
    return color < 0 ? GetSysColor(int(uint32_t(color) & 0xFF)) : COLORREF(color);
}
