#pragma once
// A device context: where drawing goes (a surface bitmap and the part of it this context
// may touch) and the drawing state (origins, clip region, selected objects, colours and
// modes) with its saved-state stack.
//
// Coordinates: drawing calls take logical coordinates; device = logical - windowOrg +
// viewportOrg; device (0, 0) is the surface pixel `surfaceOrigin`. The visible region (what
// the window system allows: the window's area less what covers it) and the clip region are
// both in device coordinates.
#include <memory>
#include <optional>
#include <vector>

#include "platform/core/Handles.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DrawModes.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"

enum class DCKind { Memory, Window, Client, Paint, Screen };

struct DCState {
    POINT windowOrg{};
    POINT viewportOrg{};
    std::optional<Region> clip; // device coordinates; none: no clip region selected
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr; // memory contexts only
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = 0;
    POINT currentPosition{};
};

class DeviceContext {
  public:
    DCKind kind = DCKind::Memory;
    HWND hwnd = nullptr; // the window of a window, client or paint context
    std::shared_ptr<Bitmap> surface;
    POINT surfaceOrigin{};
    std::optional<Region> visible; // device coordinates; none: the whole surface
    DCState state;
    std::vector<DCState> saved;

    POINT ToDevice(POINT logical) const {
        return {logical.x - state.windowOrg.x + state.viewportOrg.x,
                logical.y - state.windowOrg.y + state.viewportOrg.y};
    }
    RECT ToDevice(const RECT& r) const {
        const POINT d = ToDevice(POINT{r.left, r.top});
        return OffsetRect(r, d.x - r.left, d.y - r.top);
    }
    POINT ToLogical(POINT device) const {
        return {device.x + state.windowOrg.x - state.viewportOrg.x,
                device.y + state.windowOrg.y - state.viewportOrg.y};
    }

    // Where drawing may land, in device coordinates: the surface, the visible region and the
    // clip region intersected. Drawing code clips every write to it.
    Region EffectiveClip() const;
    // The same as a list of surface-pixel rectangles (device rectangles moved by
    // surfaceOrigin), the form drawing loops use.
    std::vector<RECT> SurfaceClipRects() const;

    // The descriptions of the selected objects. A brush, pen or font deleted while selected
    // reads as the stock object a new context starts with (white brush, black pen, system
    // font), so drawing never follows a dead handle.
    LOGBRUSH SelectedBrush() const;
    LOGPEN SelectedPen() const;
    LOGFONT SelectedFont() const;
};

// The context behind a handle, or null.
DeviceContext* DCOf(HDC dc);
// Registers a context made by the window system (window, client, paint, screen). Brush, pen
// and font left null get the defaults of a new context; a memory context without a bitmap
// gets DefaultBitmap() and an empty surface.
HDC AddDeviceContext(std::unique_ptr<DeviceContext> dc);
// Removes any context; selected objects stay with their owners (a selected bitmap becomes
// free to delete or to select elsewhere).
bool RemoveDeviceContext(HDC dc);
