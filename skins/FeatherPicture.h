#pragma once
// A small dark sheen of peacock feather barbs, tiled under Pavo's menu side strip.
#include <cstdint>
#include <vector>

std::vector<uint8_t> FeatherPictureJpeg();
