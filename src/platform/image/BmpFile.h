#pragma once
// Reading and writing Windows bitmap (.bmp) files.
//
// LoadBMP reads a file that starts with a "BM" file header followed by a core (12-byte),
// info (40), V2 (52), V3 (56), V4 (108) or V5 (124) header, uncompressed or with bit-field
// masks. What it accepts and how it converts:
// - 1, 4 and 8 bits per pixel with a palette (a palette count of 0 means 2^bpp entries);
//   a palette count above 2^bpp is cut to 2^bpp; a pixel whose index lies beyond the
//   palette becomes black, so that one stray index does not cost the whole picture.
// - 16 bits: plain files are 5-5-5; bit-field files may use any masks (5-6-5, 4-4-4, ...).
// - 24 bits, and 32 bits plain or with bit-field masks.
// - Each channel read through a mask is scaled to 8 bits as (v*255 + max/2) / max, where
//   max is the mask shifted down to bit 0 (v*255/max rounded half up); a zero mask gives 0.
// - Files of up to 24 bits come back as 24-bit bitmaps, 32-bit files as 32-bit bitmaps
//   whose fourth byte is the file's alpha: the fourth byte of a plain file as it is, the
//   alpha mask's value for a bit-field file that has one, 0 for one that has none.
// - The bitmap keeps the file's row order: a positive height (bottom-up file) gives a
//   bottom-up bitmap, a negative height a top-down one.
// - Zero width or height is an error: no file of that kind holds a picture. Sizes beyond
//   Bitmap's limits are refused before anything is allocated.
// - Every row must be present in the file; only the padding of the last row may be missing.
// - RLE, JPEG and PNG compressed files are refused, and so are OS/2 2.x (64-byte) headers.
// On failure it returns null and, when error is given, one line saying what is wrong.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Bitmap.h"

std::unique_ptr<Bitmap> LoadBMP(const uint8_t* data, size_t size, std::string* error);

// A plain (uncompressed, bottom-up) file with an info header, 24 or 32 bits as the bitmap is.
// An empty bitmap gives an empty result: a bitmap file cannot hold zero width or height.
std::vector<uint8_t> SaveBMP(const Bitmap& bitmap);
