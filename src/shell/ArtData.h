#pragma once
// The files of data/art, embedded in the program at build time.
#include <cstdint>
#include <span>
#include <string_view>

// The bytes of the embedded file with that name ("splash.jpg", "back.bmp", ...); an empty
// span when there is none.
std::span<const uint8_t> ArtFile(std::string_view name);
