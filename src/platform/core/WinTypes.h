#pragma once
// The plain value types of the window system, named and laid out as in the Win32 model.
#include <algorithm>
#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using UINT = uint32_t;
using COLORREF = uint32_t; // red in the low byte, then green, then blue

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Half-open: right and bottom are one past the last column and row, unless an
// operation documents itself as taking an inclusive rectangle.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr RECT Rect(LONG left, LONG top, LONG right, LONG bottom) {
    return RECT{left, top, right, bottom};
}
constexpr LONG WidthOf(const RECT& r) { return r.right - r.left; }
constexpr LONG HeightOf(const RECT& r) { return r.bottom - r.top; }

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE(c >> 16); }

constexpr bool IsRectEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

constexpr bool EqualRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

constexpr bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Returns false and an all-zero rectangle when the two do not overlap, as Win32 does.
inline bool IntersectRect(RECT& dst, const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (IsRectEmpty(r)) {
        dst = RECT{};
        return false;
    }
    dst = r;
    return true;
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
inline bool UnionRect(RECT& dst, const RECT& a, const RECT& b) {
    if (IsRectEmpty(a))
        dst = b;
    else if (IsRectEmpty(b))
        dst = a;
    else
        dst = RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
    if (IsRectEmpty(dst)) {
        dst = RECT{};
        return false;
    }
    return true;
}

constexpr RECT OffsetRect(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

constexpr RECT InflateRect(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}
