#pragma once
// Painting of skin image entries: nine-slice borders tiled or stretched over any rectangle,
// single state frames (glyphs and corner pictures), textures in their draw modes and the
// rectangles of a border's transparent corners for window regions.
//
// Rectangles are half-open unless a declaration says inclusive. Everything clips to the
// bitmaps involved: parts of a rectangle outside a bitmap, entries whose rectangle leaves
// their bitmap and masks below the bitmap's last row paint less, never outside. An entry
// without a manager or without frames (ImageCount below 1) paints nothing.
#include <vector>

#include "graphics/ParentCacheInfo.h"
#include "graphics/sAlphaGraph.h"
#include "platform/core/Handles.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "skin/sSkinRecords.h"

// The colour that key pixels of masked corners and textures take when there is no parent
// background; KeyColor when unset. The background composition sets it for one paint and
// resets it to KeyColor after each paint.
inline TColor ParentFillColor = KeyColor;

// The system's array of rectangles, for building regions.
using TAOR = std::vector<RECT>;

enum TsSliceKind { skCorner, skEdge, skCenter };

// One block of a nine-slice border: Src (in the entry's bitmap) goes to Dst. The two have
// the same size unless the slice is stretched.
struct TsSlicePiece {
    RECT Src{};
    RECT Dst{};
    TsSliceKind Kind = skCorner;
};

// The geometry of PaintMaskBorders: the blocks in painting order (top-left corner, left edge,
// top edge, bottom-left corner, bottom edge, bottom-right corner, top-right corner, right
// edge, centre). Margins larger than the rectangle shrink evenly, the right (bottom) one
// taking the odd pixel. Tiled edges and centre repeat their slice and cut the last piece;
// stretched ones are one block each. Only pieces that meet `clip` (the target bitmap's
// area) are listed. Empty for an unusable entry or a rectangle under 2 x 2 pixels.
std::vector<TsSlicePiece> NineSlicePieces(const TsMaskData& maskData, RECT rect, int state,
                                          bool stretch, bool center, RECT clip);

// Nine-slice painting of one state frame of maskData into rect of bitmap. With a mask every
// slice goes through CopyMaskedPiece (only the corners consult the parent); without one the
// corners are keyed copies over the parent and the edges plain block copies, tiled or
// stretched by StretchMode; such a border paints its centre only when BorderWidth is 0.
void PaintMaskBorders(Bitmap& bitmap, RECT rect, bool fillCenter, bool useParent, int state,
                      const TsMaskData& maskData, const ParentCacheInfo& parentCache);

// One slice of a masked border: srcRect of srcBitmap (image rows; the mask lies half the
// entry's height below) over dstRect of bitmap, the smaller size of the two. Per channel,
// with image i, mask m and destination d: clamp(((d - i)*m + i*256) >> 8). With useParent,
// KeyColor pixels take the parent's pixel when the parent is usable, else ParentFillColor
// when set, else stay KeyColor for a later corner repair.
void CopyMaskedPiece(RECT dstRect, RECT srcRect, Bitmap& bitmap, const TsMaskData& maskData,
                     bool useParent, const ParentCacheInfo& parentCache, const Bitmap& srcBitmap);

// One state frame of maskData at point, unscaled. Mode 1 paints it normally; any other mode
// faded: a masked frame lets 100/256 more of the destination through, an unmasked frame of
// the master bitmap is blended half and half.
void PaintMaskImage(Bitmap& bitmap, POINT point, int state, const TsMaskData& maskData, int mode);

// Both rectangles inclusive. The per-pixel part of PaintMaskImage: KeyColor pixels are left
// out; a masked image applies the mask formula (mode other than 1: m raised by 100, at most
// 255); an unmasked one is a keyed copy.
void CopyMaskedImage(RECT dstRect, RECT srcRect, Bitmap& bitmap, const TsMaskData& maskData,
                     int mode, const Bitmap& srcBitmap);

// Paints a texture entry (or, when image is given and not empty, tiles that picture) over
// rect of the context by drawMode, and sets rect to the area left for the colour fill, or
// to (-1, -1, -1, -1) when nothing is left. A texture of no size (or without frames) paints
// nothing and leaves rect as it was.
void PaintTexture(HDC canvas, RECT& rect, const Bitmap* image, int drawMode,
                  const TsMaskData& maskData);

// A texture whose entry has a mask, tiled in whole tiles; mode 0 adds a cut last column,
// mode 10 fills the uncovered right and bottom strips from the parent. rect is set to
// (-1, -1, -1, -1).
void PaintMaskedTexture(Bitmap& bitmap, RECT& rect, const ParentCacheInfo& parentCache,
                        int drawMode, const TsMaskData& maskData);

// Tiles a picture over rect from its top-left corner, cutting the last column and row.
void TileImage(HDC canvas, RECT rect, const Bitmap& image);

// Appends the one-pixel-high rectangles of the KeyColor runs in the first frame's top
// (bottom false) or bottom corners: the left WL columns at their own x, the right WR ones at
// targetWidth - FW + column, rows placed from y.
void CornerRegionRects(TAOR& rects, int targetWidth, const TsMaskData& maskData, bool bottom,
                       int y);
