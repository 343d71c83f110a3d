#include "ProgressiveJpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

void ThrowBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1);
}

} // namespace

std::vector<uint8_t> ProgressiveJpegWriter::Encode(const Bitmap& picture, int quality) {
    if (picture.Empty() || picture.BitsPerPixel() != 24) return {};
    jpeg_compress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ThrowBack;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> row(size_t(picture.Width()) * 3);
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(picture.Width());
    info.image_height = JDIMENSION(picture.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const uint8_t* bgr = picture.ScanLine(int(info.next_scanline));
        for (size_t x = 0; x < size_t(picture.Width()); ++x) {
            row[3 * x] = bgr[3 * x + 2];
            row[3 * x + 1] = bgr[3 * x + 1];
            row[3 * x + 2] = bgr[3 * x];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}
