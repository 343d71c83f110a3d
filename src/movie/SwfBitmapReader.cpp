#include "movie/SwfBitmapReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "movie/SwfInflate.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"

namespace {

uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// Premultiplies a straight-alpha colour: c * a / 255, rounded to nearest.
uint32_t Premultiply(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return Pack(a, (r * a + 127) / 255, (g * a + 127) / 255, (b * a + 127) / 255);
}

std::shared_ptr<SwfBitmap> FromBitmap(const Bitmap& bmp) {
    if (bmp.Empty()) return nullptr;
    auto out = std::make_shared<SwfBitmap>();
    out->width = bmp.Width();
    out->height = bmp.Height();
    out->pixels.resize(size_t(out->width) * size_t(out->height));
    const bool alpha = bmp.BitsPerPixel() == 32;
    const int step = bmp.BytesPerPixel();
    for (int y = 0; y < out->height; ++y) {
        const uint8_t* p = bmp.ScanLine(y);
        uint32_t* dst = out->pixels.data() + size_t(y) * size_t(out->width);
        for (int x = 0; x < out->width; ++x, p += step)
            dst[x] = alpha ? Premultiply(p[3], p[2], p[1], p[0]) : Pack(255, p[2], p[1], p[0]);
    }
    return out;
}

bool TooLarge(int64_t width, int64_t height, std::string* error) {
    if (width * height <= TSwfBitmapReader::kMaxPixels) return false;
    *error = "picture of " + std::to_string(width) + " x " + std::to_string(height) +
             " pixels is too large";
    return true;
}

} // namespace

std::shared_ptr<const SwfBitmap> TSwfBitmapReader::Jpeg2(const uint8_t* data, size_t size,
                                                         std::string* error) {
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) {
        std::unique_ptr<Bitmap> png = DecodePNG(data, size, error);
        if (!png) return nullptr;
        if (TooLarge(png->Width(), png->Height(), error)) return nullptr;
        return FromBitmap(*png);
    }
    // Older encoders put an end-of-image and start-of-image pair (FF D9 FF D8) in front of
    // the real stream, or between its tables and its image; libjpeg stops at either, so
    // the pair is cut out.
    std::vector<uint8_t> jpeg(data, data + size);
    static const uint8_t kJunk[4] = {0xFF, 0xD9, 0xFF, 0xD8};
    if (jpeg.size() >= 4 && std::memcmp(jpeg.data(), kJunk, 4) == 0)
        jpeg.erase(jpeg.begin(), jpeg.begin() + 4);
    int width = 0, height = 0;
    if (ReadJPEGSize(jpeg.data(), jpeg.size(), &width, &height) && TooLarge(width, height, error))
        return nullptr;
    std::unique_ptr<Bitmap> bmp = DecodeJPEG(jpeg.data(), jpeg.size(), error);
    if (!bmp) {
        auto junk = std::search(jpeg.begin() + std::min<size_t>(2, jpeg.size()), jpeg.end(), kJunk,
                                kJunk + 4);
        if (junk == jpeg.end()) return nullptr;
        jpeg.erase(junk, junk + 4);
        bmp = DecodeJPEG(jpeg.data(), jpeg.size(), error);
        if (!bmp) return nullptr;
    }
    return FromBitmap(*bmp);
}

std::shared_ptr<const SwfBitmap> TSwfBitmapReader::Lossless(const uint8_t* data, size_t size,
                                                            bool withAlpha, std::string* error) {
    if (size < 5) {
        *error = "lossless bitmap header is cut short";
        return nullptr;
    }
    const int format = data[0];
    const int width = data[1] | data[2] << 8;
    const int height = data[3] | data[4] << 8;
    if (width == 0 || height == 0) {
        *error = "lossless bitmap has no pixels";
        return nullptr;
    }
    if (TooLarge(width, height, error)) return nullptr;
    size_t pos = 5;
    size_t tableSize = 0, rowBytes = 0;
    const size_t colorBytes = withAlpha ? 4 : 3;
    if (format == 3) {
        if (size < 6) {
            *error = "lossless bitmap colour table size is missing";
            return nullptr;
        }
        tableSize = size_t(data[5]) + 1;
        pos = 6;
        rowBytes = (size_t(width) + 3) & ~size_t(3);
    } else if (format == 4) {
        rowBytes = (size_t(width) * 2 + 3) & ~size_t(3);
    } else if (format == 5) {
        rowBytes = size_t(width) * 4;
    } else {
        *error = "lossless bitmap format " + std::to_string(format) + " is unknown";
        return nullptr;
    }
    const size_t tableBytes = tableSize * colorBytes;
    std::vector<uint8_t> raw;
    if (!TSwfInflate::Exact(data + pos, size - pos, tableBytes + rowBytes * size_t(height), &raw,
                            error))
        return nullptr;

    auto out = std::make_shared<SwfBitmap>();
    out->width = width;
    out->height = height;
    out->pixels.resize(size_t(width) * size_t(height));
    std::vector<uint32_t> table(256, Pack(255, 0, 0, 0));
    for (size_t i = 0; i < tableSize; ++i) {
        const uint8_t* c = raw.data() + i * colorBytes;
        // Lossless2 colour tables hold straight alpha; the 32-bit pixels are premultiplied.
        table[i] = withAlpha ? Premultiply(c[3], c[0], c[1], c[2]) : Pack(255, c[0], c[1], c[2]);
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = raw.data() + tableBytes + size_t(y) * rowBytes;
        uint32_t* dst = out->pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            if (format == 3) {
                dst[x] = table[row[x]];
            } else if (format == 4) {
                uint32_t v =
                    uint32_t(row[2 * x]) << 8 | row[2 * x + 1]; // big-endian 0RRRRRGGGGGBBBBB
                uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
                dst[x] = Pack(255, r << 3 | r >> 2, g << 3 | g >> 2, b << 3 | b >> 2);
            } else {
                const uint8_t* p = row + 4 * size_t(x);
                uint32_t a = withAlpha ? p[0] : 255;
                // Clamp to alpha so a damaged premultiplied pixel stays a valid one.
                dst[x] = Pack(a, std::min<uint32_t>(p[1], a), std::min<uint32_t>(p[2], a),
                              std::min<uint32_t>(p[3], a));
            }
        }
    }
    return out;
}
