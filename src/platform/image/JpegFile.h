#pragma once
// JPEG pictures through libjpeg(-turbo).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Bitmap.h"

// Decodes a baseline or progressive JPEG (grayscale, YCbCr or RGB) into a bottom-up 24-bit
// bitmap. CMYK pictures, pictures larger than Bitmap allows (checked before any pixel memory
// is taken) and damaged streams are refused: a truncated or corrupt stream is an error, not
// a picture padded with grey. On failure returns null and, when error is given, one line.
std::unique_ptr<Bitmap> DecodeJPEG(const uint8_t* data, size_t size, std::string* error);

// Reads only the header; false when it cannot be read.
bool ReadJPEGSize(const uint8_t* data, size_t size, int* width, int* height);

// Encodes a 24 or 32-bit bitmap (the fourth byte is ignored) as a YCbCr JPEG; quality is
// clamped to 1..100. An empty bitmap gives an empty result.
std::vector<uint8_t> EncodeJPEG(const Bitmap& bitmap, int quality);
