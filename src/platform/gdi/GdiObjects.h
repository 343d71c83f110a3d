#pragma once
// The GDI objects behind the handles: brushes, pens, fonts, bitmaps and regions, kept in one
// table. Bitmaps are shared with the device contexts they are selected into, so deleting a
// handle never leaves a context drawing into freed memory.
#include <memory>
#include <variant>

#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Region.h"

using ULONG_PTR = uintptr_t;

// Brush styles
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;

// Pen styles
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

constexpr int LF_FACESIZE = 32;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE RUSSIAN_CHARSET = 204;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    ULONG_PTR lbHatch = 0;
};

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth{1, 0};
    COLORREF lopnColor = 0;
};

// lfHeight is the character height in pixels when negative, the cell height when positive.
// lfEscapement is in tenths of a degree, counter-clockwise.
struct LOGFONTA {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONT = LOGFONTA;

struct GdiBrush {
    LOGBRUSH log;
};
struct GdiPen {
    LOGPEN log;
};
struct GdiFont {
    LOGFONT log;
};
struct GdiBitmap {
    std::shared_ptr<Bitmap> pixels;
    int selectedCount = 0; // device contexts that have it selected; such a bitmap is not deleted
};
struct GdiRegion {
    Region region;
};

using GdiObject = std::variant<GdiBrush, GdiPen, GdiFont, GdiBitmap, GdiRegion>;

// The counter behind every handle of the drawing services (objects, device contexts, icons).
// Numbers start above 0xFFFF, so they never meet the small values Win32 code passes as
// handles (a system colour index + 1 as a brush), and they never repeat, so a brush handle
// can never be taken for a device context or for a later object.
uintptr_t NextHandleNumber();

// Stock objects (GetStockObject) are never deleted.
HGDIOBJ GdiAdd(GdiObject object, bool stock = false);
GdiObject* GdiLookup(HGDIOBJ handle);
template <typename T>
T* GdiLookupAs(HGDIOBJ handle) {
    GdiObject* o = GdiLookup(handle);
    return o ? std::get_if<T>(o) : nullptr;
}
bool GdiIsStock(HGDIOBJ handle);
// Removes an object; false for stock objects, unknown handles and selected bitmaps.
bool GdiRemove(HGDIOBJ handle);

// The stock bitmap a new memory context holds. It has no pixels, so drawing into such a
// context does nothing, and selecting it back releases the bitmap selected before; it may be
// selected into any number of contexts.
HBITMAP DefaultBitmap();

// The number of objects in the table, stock ones included: for leak checks.
size_t GdiObjectCount();

// Direct access to the pixels of a bitmap handle (rows addressable), or null.
Bitmap* BitmapOf(HBITMAP bitmap);
std::shared_ptr<Bitmap> SharedBitmapOf(HBITMAP bitmap);
// The region behind a handle, or null.
Region* RegionOf(HRGN region);
