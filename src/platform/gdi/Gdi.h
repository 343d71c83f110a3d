#pragma once
// Drawing services of the window system with their Win32 names, values and semantics:
// objects (brushes, pens, fonts, bitmaps, regions), device contexts and drawing onto them.
// Coordinates are logical unless said otherwise; rectangles are half-open.
//
// Every drawing call lands only inside the context's surface, visible region and clip region.
// On 32-bit surfaces the alpha byte takes part in raster operations as a fourth channel whose
// pen, brush or 24-bit source value is 0: fills and copies from 24 bits write alpha 0, XOR
// leaves it, NOT inverts it.
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/DrawModes.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/GradientFill.h"
#include "platform/gdi/SysColors.h"

// ---- Objects
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_DC = 3;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;
constexpr int OBJ_REGION = 8;
constexpr int OBJ_MEMDC = 10;

HGDIOBJ GetStockObject(int index);  // null for indexes not provided (fonts other than the two)
HBRUSH GetSysColorBrush(int index); // shared like a stock object: never deleted
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
// Width 0 and 1 draw one pixel. Wider pens are solid whatever their style: lines stamp a
// square of the pen's width on each pixel, shapes get an inside frame of that width. Styles
// drawn: PS_SOLID, PS_DASH, PS_DOT, PS_NULL; the other Win32 styles (3, 4, 6) draw solid.
HPEN CreatePen(int style, int width, COLORREF color);
HFONT CreateFontIndirect(const LOGFONT* font);
// A DIB of 24 or 32 bits, bottom-up unless topDown; rows are reached through BitmapOf.
HBITMAP CreateDIBSection(int width, int height, int bitsPerPixel, bool topDown = false);
// A 24-bit bitmap (the window system's screen format).
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Fails for stock objects, unknown handles and bitmaps selected into a context. A selected
// brush, pen or font may be deleted; the context then draws with the default object.
bool DeleteObject(HGDIOBJ object);
int GetObjectType(HGDIOBJ object);
// Fills *out with the object's description; returns the bytes written, 0 on failure.
int GetObject(HGDIOBJ object, int size, void* out);

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// ---- Regions
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
// A rounded rectangle with corner ellipses of the given width and height.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);
// The union of a list of rectangles.
HRGN CreateRegionFromRects(const RECT* rects, int count);
HRGN CreateRegionFrom(const Region& region);
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
bool PtInRegion(HRGN region, int x, int y);
bool RectInRegion(HRGN region, const RECT* rect);
int GetRgnBox(HRGN region, RECT* box);
bool EqualRgn(HRGN a, HRGN b);

// ---- Device contexts
// A memory context (compatible with any other; the argument may be null).
// It holds DefaultBitmap() until a bitmap is selected; drawing into it does nothing till then.
HDC CreateCompatibleDC(HDC dc);
// Memory contexts only; the window system releases its own contexts.
bool DeleteDC(HDC dc);
int SaveDC(HDC dc); // returns the saved state's level (1, 2, ...), 0 on failure
// A negative value counts back from the latest save. The saved bitmap of a memory context is
// selected again; if it was deleted or selected elsewhere meanwhile, the default bitmap is.
bool RestoreDC(HDC dc, int savedDC);
// Returns the previous object of that kind, or null. A bitmap goes into memory contexts only
// and into one at a time (null when it is selected elsewhere). A region is selected as the
// clip region and the result is its complexity.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT objectType);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
bool SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
bool GetWindowOrgEx(HDC dc, POINT* org);
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old);
bool SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
bool GetViewportOrgEx(HDC dc, POINT* org);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
// The window a window, client or paint context belongs to.
HWND WindowFromDC(HDC dc);

// ---- Clipping (rectangles in logical coordinates; regions in device coordinates)
// With no clip region selected, combining operations start from the whole surface. They
// return the new clip region's complexity, RGN_ERROR on failure.
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC dc, HRGN region); // null removes the clip region
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int OffsetClipRgn(HDC dc, int dx, int dy);
// The bounding box of what can be drawn, in logical coordinates; returns the complexity.
int GetClipBox(HDC dc, RECT* box);
// 1 and a copy of the clip region in *region when one is selected, 0 when none, -1 on error.
int GetClipRgn(HDC dc, HRGN region);
bool RectVisible(HDC dc, const RECT* rect);
bool PtVisible(HDC dc, int x, int y);

// ---- Drawing
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Lines use the pen colour through the binary raster operation (SetROP2) and leave out
// their end point. For a line longer in x, column a.x + i takes row
// a.y + sign(dy) * floor((2i|dy| + |dx|) / 2|dx|): the nearest row, halves rounded away from
// the start; likewise with x and y exchanged. PS_DOT draws alternate pixels, PS_DASH six on
// and two off, the pattern running on across a polyline's segments; in OPAQUE background
// mode the gaps take the background colour.
bool MoveToEx(HDC dc, int x, int y, POINT* old);
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const POINT* points, int count); // each pixel painted once
// Fills pixels whose centre lies inside (even-odd rule; a centre on a left edge is inside,
// on a right edge outside) with the brush, then outlines the closed path with the pen.
bool Polygon(HDC dc, const POINT* points, int count);
// Shapes are outlined with the pen and filled with the brush, both through the binary raster
// operation. The shape's pixels are those of FillRoundRect (a rectangle with corner size 0,
// an ellipse with the full size). A one-pixel pen outlines the shape's pixels that have a
// horizontal or vertical neighbour outside it; a wider pen draws an inside frame (the shape
// less the same shape inset by the width). With a null pen the brush fills the whole shape,
// for Rectangle the whole half-open rectangle (our choice; Win32 leaves out the last row and
// column). A dotted or dashed pen walks a plain rectangle's frame from its top-left corner
// clockwise; rounded shapes get a solid outline.
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
// FillRect and FrameRect (a one-pixel frame) use only the given brush, which may also be a
// system colour index + 1 as in Win32; they ignore the selected objects and the ROP2.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
bool FillRgn(HDC dc, HRGN region, HBRUSH brush); // the region in logical coordinates
// The frame is the region less the region eroded by a (2*width+1) x (2*height+1) box.
bool FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);
bool InvertRect(HDC dc, const RECT* rect);
// Inverts the frame's pixels whose device x + y is even; drawing it twice restores.
bool DrawFocusRect(HDC dc, const RECT* rect);
// Block transfers take any ternary raster operation; the named ones have fast loops. A
// negative PatBlt size reaches left or up from (x, y). Operations that read the pattern
// paint nothing with a hollow brush.
bool PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
// The source is read from its surface only (its clip and visible region do not matter);
// destination pixels whose source lies off that surface are left alone. Source and
// destination may share a surface and overlap. 24 <-> 32 bits: 32 -> 24 drops alpha,
// 24 -> 32 writes alpha 0.
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Nearest-neighbour: destination pixel i of n (counted from the rectangle's left or top)
// takes source pixel floor((2i + 1) * m / 2n) of m, the one under its centre. A negative size
// reaches left or up from its corner (half-open); a sign that differs between source and
// destination mirrors that axis. False for a zero-sized source.
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
// Draws a picture scaled to dest (logical coordinates) inside the clip, nearest neighbour as
// StretchBlt does; a 32-bit picture blends by its own alpha, out = (src * a + dst * (255 - a)
// + 127) / 255, and a 32-bit destination's pixels it touches become opaque. False when
// nothing can be drawn (no surface, an empty picture or rectangle).
bool DrawBitmapScaled(HDC dc, const Bitmap& picture, const RECT& dest);
// Writes the colour (alpha 0 on 32 bits) where the clip allows; returns it, CLR_INVALID
// when clipped. Not affected by ROP2.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// Reads any pixel of the surface, whatever the clip; CLR_INVALID outside the surface.
COLORREF GetPixel(HDC dc, int x, int y);
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct GRADIENT_RECT {
    ULONG UpperLeft = 0;
    ULONG LowerRight = 0;
};

constexpr ULONG GRADIENT_FILL_RECT_H = 0;
constexpr ULONG GRADIENT_FILL_RECT_V = 1;
constexpr ULONG GRADIENT_FILL_TRIANGLE = 2;
// Triangle mode calls the bitmap triangle fill through the context's transform and clip.
// The rectangle modes (mesh of GRADIENT_RECT) fill the half-open rectangle between the two
// vertices with the colour changing linearly from UpperLeft's to LowerRight's, across
// (RECT_H) or down (RECT_V); each rectangle is drawn as two triangles of the same fill.
bool GradientFill(HDC dc, const TRIVERTEX* vertices, ULONG nVertex, const void* mesh, ULONG nMesh,
                  ULONG mode);

// ---- Icons: 32-bit pictures with alpha (straight, not premultiplied), shared by copies
constexpr UINT DI_MASK = 1;
constexpr UINT DI_IMAGE = 2;
constexpr UINT DI_NORMAL = 3;
// Makes an icon from a 32-bit bitmap whose alpha byte is the opacity (a copy; a 24-bit
// bitmap makes an opaque icon).
HICON CreateIconFromBitmap(const Bitmap& argb);
HICON CopyIcon(HICON icon);
// False for unknown handles and for the shared icons of LoadIcon and ProgramIcon.
bool DestroyIcon(HICON icon);
bool GetIconSize(HICON icon, SIZE* size);
// Draws the icon scaled to cx x cy (0: its own size) with StretchBlt's nearest-neighbour
// map. DI_NORMAL blends each channel as dst = (src*a + dst*(255 - a) + 127) / 255 and a
// 32-bit destination's alpha as (255*a + dstA*(255 - a) + 127) / 255; DI_IMAGE alone copies
// the pixels (alpha too on 32 bits); DI_MASK alone blackens where alpha is not 0. A flicker
// brush fills the area first. `step` is ignored (icons have one frame).
bool DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker,
                UINT flags);
bool DrawIcon(HDC dc, int x, int y, HICON icon);
constexpr int IDI_APPLICATION = 32512;
constexpr int IDI_HAND = 32513;
constexpr int IDI_QUESTION = 32514;
constexpr int IDI_EXCLAMATION = 32515;
constexpr int IDI_ASTERISK = 32516;
// With a null instance the predefined icons (IDI_APPLICATION: a small window picture; the
// message icons IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK; all 32 x 32; other
// ids: null); with the program's module its one icon, ProgramIcon(32). Shared icons.
HICON LoadIcon(void* instance, int id);
// The program's icon, a bar chart of three bars on an axis over transparency, drawn for sizes
// 8..256 (16 and 32 are the ones used); null for other sizes. One shared icon per size.
HICON ProgramIcon(int size);
