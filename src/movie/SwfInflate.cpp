#include "movie/SwfInflate.h"

#include <algorithm>
#include <climits>
#include <zlib.h>

bool TSwfInflate::Exact(const uint8_t* data, size_t size, size_t expected,
                        std::vector<uint8_t>* out, std::string* error) {
    out->assign(expected, 0);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        *error = "zlib could not start";
        return false;
    }
    size_t inPos = 0, outPos = 0;
    int status = Z_OK;
    uint8_t extra = 0; // one byte past the expected size tells a stream that is too long
    bool overflow = false;
    while (status == Z_OK) {
        if (z.avail_in == 0 && inPos < size) {
            z.next_in = const_cast<Bytef*>(data + inPos); // zlib does not write its input
            z.avail_in = uInt(std::min<size_t>(size - inPos, UINT_MAX / 2));
            inPos += z.avail_in;
        }
        if (outPos < expected) {
            z.next_out = out->data() + outPos;
            z.avail_out = uInt(std::min<size_t>(expected - outPos, UINT_MAX / 2));
        } else {
            z.next_out = &extra;
            z.avail_out = 1;
        }
        uInt before = z.avail_out;
        bool inputLeft = z.avail_in > 0 || inPos < size;
        status = inflate(&z, Z_NO_FLUSH);
        if (outPos < expected) {
            outPos += before - z.avail_out;
        } else if (z.avail_out == 0) {
            overflow = true;
            break;
        }
        if (status == Z_BUF_ERROR && !inputLeft) break;
        if (status == Z_BUF_ERROR) status = Z_OK; // more room or input on the next turn
    }
    inflateEnd(&z);
    if (overflow) {
        *error =
            "compressed data holds more than the stated " + std::to_string(expected) + " bytes";
        return false;
    }
    if (status != Z_STREAM_END && status != Z_BUF_ERROR) {
        *error = std::string("compressed data is broken (") + (z.msg ? z.msg : "zlib error") + ")";
        return false;
    }
    if (outPos == expected && status != Z_STREAM_END) {
        *error = "compressed data ends before its checksum";
        return false;
    }
    if (outPos < expected) {
        *error = "compressed data ends after " + std::to_string(outPos) + " of " +
                 std::to_string(expected) + " bytes";
        return false;
    }
    return true;
}
