#include "platform/image/BmpFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
int32_t ReadI32(const uint8_t* p) { return int32_t(ReadU32(p)); }

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// One colour channel described by a bit mask.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 1; // the mask moved down to bit 0; an absent channel keeps 1 and reads 0
};

Channel MakeChannel(uint32_t mask) {
    Channel c;
    if (mask == 0) return c;
    c.mask = mask;
    c.shift = std::countr_zero(mask);
    c.max = mask >> c.shift;
    return c;
}

// v*255/max rounded half up. Works for gapped masks too: (px & mask) >> shift never exceeds
// max, so the result stays within 0..255.
inline uint8_t ScaleChannel(uint32_t pixel, const Channel& c) {
    const uint64_t v = (pixel & c.mask) >> c.shift;
    return uint8_t((v * 255 + c.max / 2) / c.max);
}

struct PixelFormat {
    // Palette as B, G, R; entries beyond the file's palette stay black.
    std::array<std::array<uint8_t, 3>, 256> palette{};
    Channel red, green, blue, alpha;
};

using RowConverter = void (*)(const uint8_t* src, uint8_t* dst, int width, const PixelFormat&);

template <int Bits>
void ConvertIndexedRow(const uint8_t* src, uint8_t* dst, int width, const PixelFormat& f) {
    constexpr int kPerByte = 8 / Bits;
    constexpr unsigned kMask = (1u << Bits) - 1;
    for (int x = 0; x < width; ++x) {
        // The leftmost pixel sits in the most significant bits of its byte.
        int shift = (kPerByte - 1 - x % kPerByte) * Bits;
        unsigned index = (src[x / kPerByte] >> shift) & kMask;
        std::memcpy(dst + 3 * x, f.palette[index].data(), 3);
    }
}

void ConvertRow16(const uint8_t* src, uint8_t* dst, int width, const PixelFormat& f) {
    for (int x = 0; x < width; ++x) {
        uint32_t px = ReadU16(src + 2 * x);
        dst[3 * x + 0] = ScaleChannel(px, f.blue);
        dst[3 * x + 1] = ScaleChannel(px, f.green);
        dst[3 * x + 2] = ScaleChannel(px, f.red);
    }
}

void CopyRow24(const uint8_t* src, uint8_t* dst, int width, const PixelFormat&) {
    std::memcpy(dst, src, size_t(width) * 3);
}

void CopyRow32(const uint8_t* src, uint8_t* dst, int width, const PixelFormat&) {
    std::memcpy(dst, src, size_t(width) * 4);
}

void ConvertRow32(const uint8_t* src, uint8_t* dst, int width, const PixelFormat& f) {
    for (int x = 0; x < width; ++x) {
        uint32_t px = ReadU32(src + 4 * x);
        dst[4 * x + 0] = ScaleChannel(px, f.blue);
        dst[4 * x + 1] = ScaleChannel(px, f.green);
        dst[4 * x + 2] = ScaleChannel(px, f.red);
        dst[4 * x + 3] = ScaleChannel(px, f.alpha);
    }
}

bool IsKnownHeaderSize(uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
           size == 108 || size == 124;
}

} // namespace

std::unique_ptr<Bitmap> LoadBMP(const uint8_t* data, size_t size, std::string* error) {
    auto fail = [error](std::string message) -> std::unique_ptr<Bitmap> {
        if (error) *error = std::move(message);
        return nullptr;
    };
    auto num = [](auto v) { return std::to_string(v); };

    if (data == nullptr || size < kFileHeaderSize + 4)
        return fail("bitmap file is too short to hold its headers (" + num(size) + " bytes)");
    if (data[0] != 'B' || data[1] != 'M')
        return fail("not a bitmap file: it does not start with \"BM\"");
    const uint32_t pixelOffset = ReadU32(data + 10);
    const uint8_t* header = data + kFileHeaderSize;
    const uint32_t headerSize = ReadU32(header);
    if (!IsKnownHeaderSize(headerSize))
        return fail("bitmap header size " + num(headerSize) +
                    " is not supported (expected 12, 40, 52, 56, 108 or 124)");
    if (kFileHeaderSize + headerSize > size)
        return fail("bitmap file ends inside its header (needs " +
                    num(kFileHeaderSize + headerSize) + " bytes, has " + num(size) + ")");

    const bool core = headerSize == kCoreHeaderSize;
    int64_t width, height;
    int bpp;
    uint32_t compression = BI_RGB;
    uint32_t colorsUsed = 0;
    if (core) {
        width = ReadU16(header + 4);
        height = ReadU16(header + 6);
        bpp = ReadU16(header + 10);
    } else {
        width = ReadI32(header + 4);
        height = ReadI32(header + 8);
        bpp = ReadU16(header + 14);
        compression = ReadU32(header + 16);
        colorsUsed = ReadU32(header + 32);
    }
    // A negative height marks a top-down file; its magnitude is the height.
    const bool topDown = height < 0;
    if (topDown) height = -height; // 64-bit, so even INT32_MIN negates safely

    if (width < 0) return fail("bitmap width is negative (" + num(width) + ")");
    if (width == 0 || height == 0)
        return fail("bitmap has zero width or height (" + num(width) + " x " + num(height) + ")");
    if (width > Bitmap::kMaxSide || height > Bitmap::kMaxSide ||
        width * height > Bitmap::kMaxPixels)
        return fail("bitmap is too large (" + num(width) + " x " + num(height) + " pixels)");

    const bool bppAllowed =
        core ? (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24)
             : (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32);
    if (!bppAllowed)
        return fail("bitmap has " + num(bpp) + " bits per pixel, which is not supported");

    const bool bitFields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
    if (compression != BI_RGB && !bitFields)
        return fail("compressed bitmaps are not supported (compression type " + num(compression) +
                    ")");
    if (bitFields && bpp != 16 && bpp != 32)
        return fail("bitmap colour masks need 16 or 32 bits per pixel, not " + num(bpp));

    PixelFormat format;
    // Where the masks (for an info header) and the palette begin.
    uint64_t tableStart = kFileHeaderSize + headerSize;
    if (bitFields) {
        uint32_t masks[4] = {0, 0, 0, 0};
        if (headerSize == kInfoHeaderSize) {
            // A plain info header is followed by the masks instead of holding them.
            const int count = compression == BI_ALPHABITFIELDS ? 4 : 3;
            if (tableStart + 4 * count > size)
                return fail("bitmap file ends inside its colour masks");
            for (int i = 0; i < count; ++i) masks[i] = ReadU32(data + tableStart + 4 * i);
            tableStart += 4 * count;
        } else {
            const int count = headerSize >= 56 ? 4 : 3;
            for (int i = 0; i < count; ++i) masks[i] = ReadU32(header + 40 + 4 * i);
        }
        format.red = MakeChannel(masks[0]);
        format.green = MakeChannel(masks[1]);
        format.blue = MakeChannel(masks[2]);
        format.alpha = MakeChannel(masks[3]);
    } else if (bpp == 16) {
        format.red = MakeChannel(0x7C00);
        format.green = MakeChannel(0x03E0);
        format.blue = MakeChannel(0x001F);
    }

    if (bpp <= 8) {
        const uint64_t maxEntries = uint64_t(1) << bpp;
        // Counts above what the pixel size can address cannot be used; reading only the
        // addressable part keeps a forged count from asking for more data than needed.
        const uint64_t entries =
            (core || colorsUsed == 0) ? maxEntries : std::min<uint64_t>(colorsUsed, maxEntries);
        const uint64_t entrySize = core ? 3 : 4;
        const uint64_t paletteEnd = tableStart + entries * entrySize;
        if (paletteEnd > size)
            return fail("bitmap palette runs past the end of the file (needs " + num(paletteEnd) +
                        " bytes, has " + num(size) + ")");
        for (uint64_t i = 0; i < entries; ++i) {
            const uint8_t* e = data + tableStart + i * entrySize;
            format.palette[i] = {e[0], e[1], e[2]};
        }
    }

    if (pixelOffset < tableStart)
        return fail("bitmap pixel data offset " + num(pixelOffset) + " points into its header");
    if (pixelOffset > size)
        return fail("bitmap pixel data offset " + num(pixelOffset) +
                    " lies past the end of the "
                    "file (" +
                    num(size) + " bytes)");

    // Rows are padded to four bytes; the padding of the last row may be missing.
    const uint64_t rowBytes = (uint64_t(width) * bpp + 7) / 8;
    const uint64_t fileStride = (uint64_t(width) * bpp + 31) / 32 * 4;
    const uint64_t needed = fileStride * uint64_t(height - 1) + rowBytes;
    const uint64_t available = size - pixelOffset;
    if (needed > available)
        return fail("bitmap data is shorter than its header says (needs " + num(needed) +
                    " bytes, has " + num(available) + ")");

    RowConverter convert = nullptr;
    switch (bpp) {
    case 1: convert = ConvertIndexedRow<1>; break;
    case 4: convert = ConvertIndexedRow<4>; break;
    case 8: convert = ConvertIndexedRow<8>; break;
    case 16: convert = ConvertRow16; break;
    case 24: convert = CopyRow24; break;
    case 32: convert = bitFields ? ConvertRow32 : CopyRow32; break;
    }

    const int w = int(width), h = int(height);
    std::unique_ptr<Bitmap> bitmap;
    try {
        bitmap = std::make_unique<Bitmap>(w, h, bpp == 32 ? 32 : 24, topDown);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory for a bitmap of " + num(width) + " x " + num(height) +
                    " pixels");
    }
    if (bitmap->Empty())
        return fail("bitmap is too large (" + num(width) + " x " + num(height) + " pixels)");
    const uint8_t* pixels = data + pixelOffset;
    for (int i = 0; i < h; ++i) {
        // File rows come in the file's order: from the bottom unless the file is top-down.
        const int y = topDown ? i : h - 1 - i;
        convert(pixels + uint64_t(i) * fileStride, bitmap->ScanLine(y), w, format);
    }
    return bitmap;
}

std::vector<uint8_t> SaveBMP(const Bitmap& bitmap) {
    std::vector<uint8_t> out;
    if (bitmap.Empty()) return out;
    const int w = bitmap.Width(), h = bitmap.Height();
    const int bpp = bitmap.BitsPerPixel();
    const uint32_t stride = uint32_t((int64_t(w) * bpp + 31) / 32 * 4);
    const uint32_t imageSize = stride * uint32_t(h);
    const uint32_t offset = uint32_t(kFileHeaderSize + kInfoHeaderSize);
    out.reserve(offset + imageSize);

    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + imageSize);
    PutU32(out, 0); // reserved
    PutU32(out, offset);

    PutU32(out, kInfoHeaderSize);
    PutU32(out, uint32_t(w));
    PutU32(out, uint32_t(h)); // positive: bottom-up
    PutU16(out, 1);           // planes
    PutU16(out, uint16_t(bpp));
    PutU32(out, BI_RGB);
    PutU32(out, imageSize);
    PutU32(out, 2835); // 72 dots per inch, in dots per metre
    PutU32(out, 2835);
    PutU32(out, 0); // colours used
    PutU32(out, 0); // colours important

    const size_t rowBytes = size_t(w) * size_t(bpp / 8);
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = bitmap.ScanLine(y);
        out.insert(out.end(), row, row + rowBytes);
        out.resize(out.size() + (stride - rowBytes), 0); // zero padding, whatever the bitmap holds
    }
    return out;
}
