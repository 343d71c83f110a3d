#pragma once
// Pixel-level operations that compose skinned surfaces in memory: tints, weighted blends,
// keyed copies, greying, colour mixing, hue and saturation shifts, cross-fades and regions
// built from a colour. They work on 24-bit bitmaps (the cross-fade writes a 32-bit one),
// report no errors and paint nothing where a bitmap is unusable (wrong format, or a size
// mismatch where sizes must agree); pixels outside a bitmap are skipped.
//
// Colours are TColor values; system colours are resolved to plain ones before any
// arithmetic. A key argument whose high byte is 0xFF (such as clNone) turns the key test off.
// Real-valued results round to the nearest integer, ties to even, and every channel result
// is clamped to 0..255.
#include <memory>

#include "graphics/ParentCacheInfo.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SysColors.h"

// Magenta: a pixel of exactly this colour in a skin image or glyph is "no pixel".
constexpr TColor KeyColor = 0xFF00FF;

// New zero-filled bitmaps; an absurd size gives an empty bitmap.
std::unique_ptr<Bitmap> NewBitmap24(int width, int height);
std::unique_ptr<Bitmap> NewBitmap32(int width, int height);

// Rect is inclusive (clipped to the bitmap, so the full size may be passed). Each channel
// becomes round(P*c + (1-P)*color.c) with P = percent/100: percent is the share that stays.
void TintRectToColor(Bitmap& bitmap, RECT inclusiveRect, int percent, TColor color);

// srcRect is half-open. Blends srcRect of src into dst at dstPoint, byte by byte:
// d = (d*W + s*(255-W) + 127) >> 8 with W = dstWeight (limited to 0..255), the share dst
// keeps. Clipping keeps source and destination in register. Both bitmaps must be at least
// 2 x 2 pixels. dst and src may be the same bitmap.
void BlendImages(Bitmap& dst, const Bitmap& src, int dstWeight, POINT dstPoint, RECT srcRect);
// The same over the whole of two bitmaps of equal size; nothing when the sizes differ.
void BlendImagesWhole(Bitmap& dst, const Bitmap& src, int dstWeight);

// srcRect is inclusive. Blends srcRect of src into dst with its top-left at (x, y), skipping
// source pixels equal to key: d = round(s - ratio*(s - d)), ratio being the share dst keeps.
// Parts of srcRect outside src are skipped without moving the rest.
void BlendImageKeyed(Bitmap& dst, int x, int y, TColor key, double ratio, RECT inclusiveSrcRect,
                     const Bitmap& src);

// Pulls each pixel toward color by the mask's same channel m (mask 255 keeps the pixel,
// 0 gives the colour): p = clamp((C*256 + m*(p - C)) >> 8), the shift rounding toward minus
// infinity. The mask must have the bitmap's size.
void BlendColorByMask(Bitmap& bitmap, const Bitmap& mask, TColor color);

// Each channel round(ratio*(a.c - b.c) + b.c): b at ratio 0, a at ratio 1. The result's high
// byte is that of the resolved a.
TColor BlendTwoColors(TColor a, TColor b, double ratio);

// Every pixel (except those equal to key) becomes grey (R + G + B) div 3.
void GrayscaleBitmap(Bitmap& bitmap);
void GrayscaleBitmapKeyed(Bitmap& bitmap, TColor key);

// The colour with its hue turned by delta degrees (in HSV); greys come back unchanged.
TColor ShiftHue(int delta, TColor color);
// Moves each channel toward (amount > 0) or away from (amount < 0) the colour's grey by
// amount percent; 0 returns the colour unchanged.
TColor ShiftSaturation(TColor color, int amount);

// Copies a w x h block from (sx, sy) of src to (dx, dy) of dst, clipped to both; bitmaps of
// different formats are left alone.
void CopyBitmapBlock(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, int w, int h);

// Copies all of src to dst with its top-left at (x, y), leaving dst alone where the source
// pixel equals key.
void CopyKeyed(Bitmap& dst, const Bitmap& src, int x, int y, TColor key);
// srcRect is inclusive; the same for a source rectangle. Parts of srcRect outside src are
// skipped without moving the rest.
void CopyKeyedRect(Bitmap& dst, const Bitmap& src, int x, int y, TColor key, RECT inclusiveSrcRect);
// srcRect is inclusive. Like CopyKeyedRect, but when useParent is set and parent holds a
// usable 24-bit background, a key pixel written at (dx, dy) takes the parent's pixel at
// (parent.X + dx, parent.Y + dy) where that lies inside the parent; otherwise it is left.
void CopyKeyedOverParent(Bitmap& dst, const Bitmap& src, int x, int y, TColor key,
                         RECT inclusiveSrcRect, const ParentCacheInfo& parent, bool useParent);

// Rect is half-open. Tints a rounded area toward color through BlendColorByMask: the pixels
// inside keep about percent of themselves, with a soft edge of depth rings fading to the
// outline's mask 255 (no tint but the blend's 1/256). Pixels outside the rounded outline get
// that same mask 255.
void TintRoundRect(Bitmap& bitmap, RECT rect, int percent, int radius, int depth, TColor color);

// out = clamp((a*(f - s) + s*256) >> 8) per channel, a = alpha or, with alphaMap, the map's
// same channel at the same pixel. first, second and alphaMap must have one size; out32 must
// be 32-bit and its pixels outside that size are skipped. The fourth byte is not written.
void CrossFade32(Bitmap& out32, const Bitmap& first, const Bitmap& second, int alpha,
                 const Bitmap* alphaMap = nullptr);

// The bitmap's rectangle minus every pixel of the colour. A bitmap under 2 x 2 pixels or not
// 24-bit is not scanned: the whole rectangle is returned.
Region RegionFromColor(const Bitmap& bitmap, TColor color);
