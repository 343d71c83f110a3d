#pragma once
// The frost picture laid under Frostline's windows and panels: pale ice with feathery
// crystals, seamless when tiled.
#include <cstdint>
#include <vector>

#include "platform/gdi/Bitmap.h"

// Side of the square picture; large enough to stay a pattern rather than a small texture.
constexpr int kFrostSide = 320;

Bitmap FrostPicture();
std::vector<uint8_t> FrostPictureJpeg();
