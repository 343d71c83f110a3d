#pragma once
// Decodes the bitmap characters a shape can fill with: DefineBitsJPEG2 (JPEG, or PNG in
// newer files) and DefineBitsLossless / DefineBitsLossless2 (zlib-packed 8-bit colour-mapped,
// 15-bit or 32-bit pixels). A picture that cannot be decoded gives null: the fill that uses
// it then draws nothing, as a missing picture does elsewhere in the program.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "movie/SwfTypes.h"

class TSwfBitmapReader {
  public:
    // Pictures larger than this are refused before their pixels are decoded.
    static constexpr int64_t kMaxPixels = 16LL * 1024 * 1024;

    static std::shared_ptr<const SwfBitmap> Jpeg2(const uint8_t* data, size_t size,
                                                  std::string* error);
    // data starts after the character id; withAlpha for DefineBitsLossless2.
    static std::shared_ptr<const SwfBitmap> Lossless(const uint8_t* data, size_t size,
                                                     bool withAlpha, std::string* error);
};
