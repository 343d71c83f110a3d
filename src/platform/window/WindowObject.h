#pragma once
// The window manager's own view of a window. Only the window system's implementation files
// include this; everything else goes through handles.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Region.h"
#include "platform/window/WindowSystem.h"

struct WindowClass {
    WNDCLASS wc;
    ATOM atom = 0;
};

struct WindowObject {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HMENU menu = nullptr;
    HWND parent = nullptr;      // children only
    HWND owner = nullptr;       // top-level windows only
    std::vector<HWND> children; // z-order: front (top) first
    RECT rect{};   // window rectangle in the parent's client coordinates (screen for top-level)
    RECT client{}; // client rectangle in window coordinates
    RECT restoreRect{}; // the normal position while minimized or maximized
    std::map<std::string, void*, std::less<>> props;
    HFONT font = nullptr;
    HICON iconSmall = nullptr;
    HICON iconBig = nullptr;
    std::optional<Region> windowRegion; // window coordinates
    bool layered = false;
    COLORREF layeredKey = 0;
    BYTE layeredAlpha = 255;
    DWORD layeredFlags = 0;
    bool redrawEnabled = true;
    bool destroying = false;
    bool created = false;

    // Painting state: the update region in window coordinates, whether the background must be
    // erased and whether the frame must be painted.
    Region update;
    bool eraseNeeded = false;
    bool frameNeeded = false;
    bool internalPaint = false;

    // Top-level windows only: the surface every window of the tree paints into.
    std::shared_ptr<Bitmap> surface;

    bool trackLeave = false;
    bool ncActive = false;   // the caption is drawn active
    int ncPressedButton = 0; // the caption button drawn pressed (its hit code), or 0
    bool IsChild() const { return (style & WS_CHILD) != 0; }
};

// The object behind a live handle, or null for destroyed and unknown handles.
WindowObject* WindowOf(HWND hwnd);
// The top-level window a window belongs to (itself for top-level windows).
HWND TopLevelOf(HWND hwnd);
// The window's origin in its top-level window's coordinates.
POINT OffsetInTopLevel(HWND hwnd);
// Top-level windows, front first.
const std::vector<HWND>& TopLevelZOrder();
