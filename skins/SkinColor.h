#pragma once
// Colour arithmetic for drawing the stored skins: mixing, lightening and the WCAG contrast
// figures the skins are checked against.
#include <algorithm>
#include <cmath>

#include "platform/core/WinTypes.h"

namespace skincolor {

inline COLORREF Mix(COLORREF a, COLORREF b, double t) {
    auto ch = [t](int x, int y) {
        return BYTE(std::lround(x + (y - x) * std::clamp(t, 0.0, 1.0)));
    };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)),
               ch(GetBValue(a), GetBValue(b)));
}

inline COLORREF Lighter(COLORREF c, double t) { return Mix(c, RGB(255, 255, 255), t); }
inline COLORREF Darker(COLORREF c, double t) { return Mix(c, RGB(0, 0, 0), t); }

inline double RelativeLuminance(COLORREF c) {
    auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(GetRValue(c)) + 0.7152 * lin(GetGValue(c)) + 0.0722 * lin(GetBValue(c));
}

inline double ContrastRatio(COLORREF a, COLORREF b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace skincolor
