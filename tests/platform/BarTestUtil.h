#pragma once
// Helpers for the bar and tab control tests: a plain parent window and pixel probes.
#include <gtest/gtest.h>

#include "WindowTestUtil.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

// A 24- or 32-bit pixel as a COLORREF (0x00BBGGRR).
inline COLORREF PixelOf(const Bitmap& bmp, int x, int y) {
    const uint8_t* p = bmp.ScanLine(y) + x * bmp.BytesPerPixel();
    return RGB(p[2], p[1], p[0]);
}

// The smallest rectangle holding every pixel of `area` whose colour is not `background`;
// empty when there is none.
inline RECT InkBox(const Bitmap& bmp, const RECT& area, COLORREF background) {
    RECT box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (PixelOf(bmp, x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.right <= box.left) return {};
    return box;
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string RectText(const RECT& r) {
    return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
}

// A borderless pop-up at the screen's top-left corner, so client, window and screen
// coordinates coincide; its procedure records what it receives.
inline HWND MakePlainParent(int width, int height, const char* cls = "Recorder") {
    return CreateWindowEx(0, cls, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                          nullptr, nullptr, nullptr, nullptr);
}
