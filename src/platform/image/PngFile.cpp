#include "platform/image/PngFile.h"

#include <cstring>
#include <new>
#include <png.h>

#include "platform/core/FileSystem.h"

namespace {

// The bitmap's rows as the simplified interface wants them: the lowest address of the pixel
// store and a stride (in bytes, as every component is one byte) that is negative when the
// store is bottom-up.
png_int_32 PngRowStride(const Bitmap& bitmap) {
    return bitmap.TopDown() ? png_int_32(bitmap.Stride()) : -png_int_32(bitmap.Stride());
}

} // namespace

std::vector<uint8_t> EncodePNG(const Bitmap& bitmap) {
    std::vector<uint8_t> out;
    if (bitmap.Empty()) return out;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(bitmap.Width());
    image.height = png_uint_32(bitmap.Height());
    image.format = bitmap.BitsPerPixel() == 32 ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    const png_int_32 stride = PngRowStride(bitmap);
    // First ask for the size, then write into a buffer of that size.
    png_alloc_size_t bytes = 0;
    if (!png_image_write_to_memory(&image, nullptr, &bytes, 0, bitmap.Bits(), stride, nullptr))
        return out;
    out.resize(bytes);
    if (!png_image_write_to_memory(&image, out.data(), &bytes, 0, bitmap.Bits(), stride, nullptr)) {
        out.clear();
        return out;
    }
    out.resize(bytes);
    return out;
}

bool SavePNG(const Bitmap& bitmap, std::string_view windowsPath, std::string* error) {
    std::vector<uint8_t> data = EncodePNG(bitmap);
    if (data.empty()) {
        if (error)
            *error = "cannot encode a " + std::to_string(bitmap.Width()) + " x " +
                     std::to_string(bitmap.Height()) + " bitmap as PNG";
        return false;
    }
    if (!WriteFileBytes(windowsPath, data)) {
        if (error) *error = "cannot write " + std::string(windowsPath);
        return false;
    }
    return true;
}

std::unique_ptr<Bitmap> DecodePNG(const uint8_t* data, size_t size, std::string* error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    auto fail = [error, &image](std::string message) -> std::unique_ptr<Bitmap> {
        png_image_free(&image);
        if (error) *error = std::move(message);
        return nullptr;
    };
    if (data == nullptr || size == 0) return fail("PNG picture is empty");
    if (!png_image_begin_read_from_memory(&image, data, size))
        return fail(std::string("cannot read PNG picture: ") + image.message);

    const int64_t width = image.width, height = image.height;
    if (width > Bitmap::kMaxSide || height > Bitmap::kMaxSide ||
        width * height > Bitmap::kMaxPixels)
        return fail("PNG picture is too large (" + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels)");
    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;

    std::unique_ptr<Bitmap> bitmap;
    try {
        bitmap = std::make_unique<Bitmap>(int(width), int(height), alpha ? 32 : 24);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory for a PNG picture of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels");
    }
    if (bitmap->Empty()) return fail("PNG picture has zero width or height");
    if (!png_image_finish_read(&image, nullptr, bitmap->Bits(), PngRowStride(*bitmap), nullptr))
        return fail(std::string("PNG picture is damaged: ") + image.message);
    // Warnings (a damaged ancillary chunk, surplus data) leave the pixels intact.
    png_image_free(&image);
    return bitmap;
}
