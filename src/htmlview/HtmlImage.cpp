#include "htmlview/HtmlImage.h"

#include <cstring>
#include <gif_lib.h>

#include "platform/core/FileSystem.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"

namespace {

bool SizeAllowed(long long w, long long h) {
    return w > 0 && h > 0 && w <= kMaxImageSide && h <= kMaxImageSide && w * h <= kMaxImagePixels;
}

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

struct TGifReader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int wanted) {
    auto* r = static_cast<TGifReader*>(gif->UserData);
    const size_t n = std::min(size_t(std::max(wanted, 0)), r->size - r->pos);
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
    return int(n);
}

struct TGifCloser {
    void operator()(GifFileType* g) const { DGifCloseFile(g, nullptr); }
};

// The first frame over a transparent (or background-coloured) canvas of the screen size.
std::unique_ptr<Bitmap> DecodeGif(const uint8_t* data, size_t size, std::string* error) {
    auto fail = [&](const char* why) {
        if (error) *error = std::string("GIF: ") + why;
        return nullptr;
    };
    TGifReader reader{data, size};
    int err = 0;
    std::unique_ptr<GifFileType, TGifCloser> gif(DGifOpen(&reader, ReadGifBytes, &err));
    if (!gif) return fail("not a readable GIF");
    if (!SizeAllowed(gif->SWidth, gif->SHeight)) return fail("picture too large");
    int transparent = -1;
    GifRecordType type;
    do {
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return fail("damaged record");
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR)
                return fail("damaged extension");
            // Graphic control block: byte 1 bit 0 says whether byte 4 is a transparent index.
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4 && (ext[1] & 1))
                transparent = ext[4];
            while (ext)
                if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR)
                    return fail("damaged extension");
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return fail("damaged image header");
            const GifImageDesc& d = gif->Image;
            const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
            if (!map || !map->Colors || d.Width <= 0 || d.Height <= 0 ||
                !SizeAllowed(d.Width, d.Height))
                return fail("no colours or bad frame size");
            auto bmp = std::make_unique<Bitmap>(gif->SWidth, gif->SHeight, 32);
            if (bmp->Empty()) return fail("picture too large");
            std::vector<GifByteType> row(size_t(d.Width));
            std::vector<int> order;
            if (d.Interlace) {
                for (int start : {0, 4, 2, 1})
                    for (int y = start; y < d.Height; y += (start == 0   ? 8
                                                            : start == 4 ? 8
                                                            : start == 2 ? 4
                                                                         : 2))
                        order.push_back(y);
            } else {
                for (int y = 0; y < d.Height; ++y) order.push_back(y);
            }
            for (int y : order) {
                if (DGifGetLine(gif.get(), row.data(), d.Width) == GIF_ERROR)
                    return fail("damaged pixel data");
                const int dy = d.Top + y;
                if (dy < 0 || dy >= bmp->Height()) continue;
                uint8_t* out = bmp->ScanLine(dy);
                for (int x = 0; x < d.Width; ++x) {
                    const int dx = d.Left + x;
                    if (dx < 0 || dx >= bmp->Width()) continue;
                    const int index = row[size_t(x)];
                    if (index == transparent || index >= map->ColorCount) continue;
                    const GifColorType& c = map->Colors[index];
                    uint8_t* p = out + dx * 4;
                    p[0] = c.Blue;
                    p[1] = c.Green;
                    p[2] = c.Red;
                    p[3] = 255;
                }
            }
            return bmp;
        }
    } while (type != TERMINATE_RECORD_TYPE);
    return fail("no picture in the file");
}

} // namespace

std::unique_ptr<Bitmap> DecodeImage(const uint8_t* data, size_t size, std::string* error) {
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
        int w = 0, h = 0;
        if (!ReadJPEGSize(data, size, &w, &h) || !SizeAllowed(w, h)) {
            if (error) *error = "JPEG: unreadable header or picture too large";
            return nullptr;
        }
        return DecodeJPEG(data, size, error);
    }
    if (size >= 24 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0) {
        // IHDR is the first chunk: width and height at bytes 16 and 20.
        if (!SizeAllowed(BigEndian32(data + 16), BigEndian32(data + 20))) {
            if (error) *error = "PNG: picture too large";
            return nullptr;
        }
        return DecodePNG(data, size, error);
    }
    if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        return DecodeGif(data, size, error);
    if (error) *error = "unknown picture format";
    return nullptr;
}

std::unique_ptr<Bitmap> LoadImageFile(const std::string& windowsPath, std::string* error) {
    TFileReadResult file = ReadFileBytes(windowsPath, kMaxImageFileBytes);
    if (!file.Ok()) {
        if (error) *error = file.Error;
        return nullptr;
    }
    return DecodeImage(file.Data.data(), file.Data.size(), error);
}
