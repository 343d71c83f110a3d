// Feeds arbitrary bytes to the picture readers: bitmap files, JPEG and PNG pictures. A bitmap
// that loads must also survive being saved and loaded again with the same pixels.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"

namespace {

void CheckLimits(const Bitmap& bmp) {
    if (bmp.Width() <= 0 || bmp.Height() <= 0 || bmp.Width() > Bitmap::kMaxSide ||
        bmp.Height() > Bitmap::kMaxSide || int64_t(bmp.Width()) * bmp.Height() > Bitmap::kMaxPixels)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    if (auto bmp = LoadBMP(data, size, &error)) {
        CheckLimits(*bmp);
        const std::vector<uint8_t> saved = SaveBMP(*bmp);
        auto again = LoadBMP(saved.data(), saved.size(), &error);
        if (!again || again->Width() != bmp->Width() || again->Height() != bmp->Height() ||
            again->BitsPerPixel() != bmp->BitsPerPixel())
            std::abort();
        const size_t rowBytes = size_t(bmp->Width()) * size_t(bmp->BytesPerPixel());
        for (int y = 0; y < bmp->Height(); ++y)
            if (std::memcmp(bmp->ScanLine(y), again->ScanLine(y), rowBytes) != 0) std::abort();
    } else if (error.empty()) {
        std::abort(); // a refusal always says why
    }

    error.clear();
    int width = 0, height = 0;
    ReadJPEGSize(data, size, &width, &height);
    if (auto jpeg = DecodeJPEG(data, size, &error)) {
        CheckLimits(*jpeg);
        if (jpeg->Width() != width || jpeg->Height() != height) std::abort();
    }

    if (auto png = DecodePNG(data, size, &error)) CheckLimits(*png);
    return 0;
}
