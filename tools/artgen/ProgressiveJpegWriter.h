#pragma once
// The splash picture is stored as a progressive JPEG, which the platform's own encoder does
// not write.
#include <cstdint>
#include <vector>

#include "platform/gdi/Bitmap.h"

class ProgressiveJpegWriter {
  public:
    // A 24-bit bitmap as a progressive YCbCr JPEG; empty on failure.
    static std::vector<uint8_t> Encode(const Bitmap& picture, int quality);
};
