#pragma once
// zlib inflation into a buffer of a known size. SWF states the inflated size up front (the
// file length of a CWS file, the pixel data of a lossless bitmap), so a stream that gives
// less or more than that is damaged, and nothing ever grows past the stated size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TSwfInflate {
  public:
    // Inflates exactly expected bytes into *out. On failure returns false and says why in
    // *error (the stream is broken, ends early or holds more than expected).
    static bool Exact(const uint8_t* data, size_t size, size_t expected, std::vector<uint8_t>* out,
                      std::string* error);
};
