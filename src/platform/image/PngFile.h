#pragma once
// PNG pictures through libpng's simplified interface, which catches libpng's own errors
// internally and reports them as a result.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Bitmap.h"

// A 24-bit bitmap becomes an 8-bit RGB PNG, a 32-bit one an RGBA PNG (the fourth byte is
// written as alpha, unchanged). An empty bitmap or a failure gives an empty result.
std::vector<uint8_t> EncodePNG(const Bitmap& bitmap);

// EncodePNG written to a file; on failure false and, when error is given, one line.
bool SavePNG(const Bitmap& bitmap, std::string_view windowsPath, std::string* error);

// Any PNG: a 24-bit bitmap, or a 32-bit one (alpha not premultiplied) when the file has an
// alpha channel or a transparent colour. 16-bit files without gamma information are taken as
// sRGB. Pictures larger than Bitmap allows are refused before their pixels are read. A file
// cut inside its closing IEND chunk still decodes: its image data is complete and checked.
// On failure returns null and, when error is given, one line.
std::unique_ptr<Bitmap> DecodePNG(const uint8_t* data, size_t size, std::string* error);
