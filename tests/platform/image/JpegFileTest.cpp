#include "platform/image/JpegFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include "platform/core/WinTypes.h"

namespace {

// Four flat 16 x 16 quarters. Each quarter covers whole 8 x 8 blocks, also after the chroma
// is halved, so the coded blocks are flat and lose nothing but rounding.
constexpr COLORREF kQuarters[4] = {RGB(200, 30, 30), RGB(30, 180, 40), RGB(20, 40, 220),
                                   RGB(128, 128, 128)};

COLORREF QuarterAt(int x, int y) { return kQuarters[(y / 16) * 2 + x / 16]; }

Bitmap QuarterBitmap(int bpp) {
    Bitmap bmp(32, 32, bpp);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) bmp.SetPixel(x, y, QuarterAt(x, y));
    return bmp;
}

void ExpectNear(COLORREF actual, COLORREF expected, int tolerance, int x, int y) {
    EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance) << "red at " << x << "," << y;
    EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance) << "blue at " << x << "," << y;
}

// Writes a JPEG straight through libjpeg, for the kinds of file our encoder does not make.
// rows holds width * components bytes per row, top row first.
std::vector<uint8_t> WriteWithLibjpeg(int width, int height, J_COLOR_SPACE space, int components,
                                      const std::vector<uint8_t>& pixels,
                                      const std::vector<jpeg_scan_info>& scans = {}) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, space);
    if (!scans.empty()) {
        cinfo.scan_info = scans.data();
        cinfo.num_scans = int(scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(pixels.data()) +
                       size_t(cinfo.next_scanline) * size_t(width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// Position of the first frame header (SOF0 or SOF2) marker.
size_t FindFrameHeader(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 0; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) return i;
    ADD_FAILURE() << "no frame header";
    return 0;
}

// Position just after the start-of-scan segment, where the coded data begins.
size_t FindScanData(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 0; i + 3 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) return i + 2 + (jpeg[i + 2] << 8 | jpeg[i + 3]);
    ADD_FAILURE() << "no scan";
    return 0;
}

std::vector<uint8_t> WithSize(std::vector<uint8_t> jpeg, int width, int height) {
    const size_t sof = FindFrameHeader(jpeg);
    jpeg[sof + 5] = uint8_t(height >> 8);
    jpeg[sof + 6] = uint8_t(height);
    jpeg[sof + 7] = uint8_t(width >> 8);
    jpeg[sof + 8] = uint8_t(width);
    return jpeg;
}

} // namespace

TEST(JpegFile, RoundTripKeepsSizeAndColours) {
    for (int bpp : {24, 32}) {
        SCOPED_TRACE(bpp);
        const std::vector<uint8_t> jpeg = EncodeJPEG(QuarterBitmap(bpp), 95);
        ASSERT_GT(jpeg.size(), 100u);
        EXPECT_EQ(jpeg[0], 0xFF);
        EXPECT_EQ(jpeg[1], 0xD8);

        int w = 0, h = 0;
        EXPECT_TRUE(ReadJPEGSize(jpeg.data(), jpeg.size(), &w, &h));
        EXPECT_EQ(w, 32);
        EXPECT_EQ(h, 32);

        std::string error;
        auto bmp = DecodeJPEG(jpeg.data(), jpeg.size(), &error);
        ASSERT_TRUE(bmp) << error;
        EXPECT_EQ(bmp->Width(), 32);
        EXPECT_EQ(bmp->Height(), 32);
        EXPECT_EQ(bmp->BitsPerPixel(), 24);
        // Smooth chroma upsampling blends the colours of neighbouring quarters in the two
        // pixels on either side of their border; everywhere else the colour is flat.
        auto nearBorder = [](int v) { return v >= 14 && v < 18; };
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (!nearBorder(x) && !nearBorder(y))
                    ExpectNear(bmp->GetPixel(x, y), QuarterAt(x, y), 6, x, y);
    }
}

TEST(JpegFile, OddSizeFillsEveryRow) {
    // 5 x 3 pixels: rows shorter than a block and a stride with padding.
    Bitmap src(5, 3, 24);
    src.Fill(RGB(250, 200, 10));
    const auto jpeg = EncodeJPEG(src, 90);
    auto bmp = DecodeJPEG(jpeg.data(), jpeg.size(), nullptr);
    ASSERT_TRUE(bmp);
    ASSERT_EQ(bmp->Width(), 5);
    ASSERT_EQ(bmp->Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) ExpectNear(bmp->GetPixel(x, y), RGB(250, 200, 10), 6, x, y);
}

TEST(JpegFile, GrayscaleBecomesEqualChannels) {
    // Left half 40, right half 220, in 8-pixel columns so each block is flat.
    std::vector<uint8_t> pixels(16 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) pixels[y * 16 + x] = x < 8 ? 40 : 220;
    const auto jpeg = WriteWithLibjpeg(16, 8, JCS_GRAYSCALE, 1, pixels);
    std::string error;
    auto bmp = DecodeJPEG(jpeg.data(), jpeg.size(), &error);
    ASSERT_TRUE(bmp) << error;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const COLORREF c = bmp->GetPixel(x, y);
            EXPECT_EQ(GetRValue(c), GetGValue(c));
            EXPECT_EQ(GetGValue(c), GetBValue(c));
            EXPECT_NEAR(GetRValue(c), x < 8 ? 40 : 220, 3) << x << "," << y;
        }
}

TEST(JpegFile, CmykIsRefused) {
    const std::vector<uint8_t> pixels(8 * 8 * 4, 100);
    const auto jpeg = WriteWithLibjpeg(8, 8, JCS_CMYK, 4, pixels);
    std::string error;
    EXPECT_EQ(DecodeJPEG(jpeg.data(), jpeg.size(), &error), nullptr);
    EXPECT_NE(error.find("CMYK"), std::string::npos) << error;
}

TEST(JpegFile, DamagedStreamsAreErrors) {
    const std::vector<uint8_t> good = EncodeJPEG(QuarterBitmap(24), 90);
    const size_t scan = FindScanData(good);
    ASSERT_GT(scan, 0u);
    ASSERT_LT(scan + 20, good.size());

    std::vector<uint8_t> halfScan(good.begin(), good.begin() + (scan + good.size()) / 2);
    std::vector<uint8_t> noEnd(good.begin(), good.end() - 2); // without the end marker
    std::vector<uint8_t> markerInData = good;
    markerInData[scan + 10] = 0xFF;
    markerInData[scan + 11] = 0xD3; // a restart marker where none may be
    std::vector<uint8_t> headerOnly(good.begin(), good.begin() + scan - 3);
    const std::vector<uint8_t> garbage = {'h', 'e', 'l', 'l', 'o', 0, 1, 2, 3, 4, 5, 6};

    struct Case {
        const char* name;
        const std::vector<uint8_t>* data;
        const char* errorPart;
    } cases[] = {
        {"truncated in the scan", &halfScan, "Premature end"},
        {"end marker missing", &noEnd, "Premature end"},
        {"marker inside the coded data", &markerInData, "Corrupt JPEG data"},
        {"truncated in the header", &headerOnly, "cannot read JPEG picture"},
        {"not a JPEG", &garbage, "Not a JPEG file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_EQ(DecodeJPEG(c.data->data(), c.data->size(), &error), nullptr);
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
    for (size_t n = 0; n < good.size(); ++n) {
        // A copy of exactly n bytes, so that the sanitizer sees any read past the end.
        std::vector<uint8_t> prefix(good.begin(), good.begin() + n);
        EXPECT_EQ(DecodeJPEG(prefix.data(), prefix.size(), nullptr), nullptr) << n << " bytes";
    }
    int w = -1, h = -1;
    EXPECT_FALSE(ReadJPEGSize(garbage.data(), garbage.size(), &w, &h));
    EXPECT_FALSE(ReadJPEGSize(headerOnly.data(), headerOnly.size(), &w, &h));
    EXPECT_FALSE(ReadJPEGSize(nullptr, 0, &w, &h));
    std::string error;
    EXPECT_EQ(DecodeJPEG(nullptr, 0, &error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(JpegFile, ForgedLargeSizesAreRefusedBeforeDecoding) {
    const std::vector<uint8_t> small = EncodeJPEG(QuarterBitmap(24), 90);
    struct Case {
        int width, height;
    } cases[] = {
        {60000, 60000},
        {Bitmap::kMaxSide + 1, 1},
        {Bitmap::kMaxSide, int(Bitmap::kMaxPixels / Bitmap::kMaxSide) + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const auto forged = WithSize(small, c.width, c.height);
        int w = 0, h = 0;
        EXPECT_TRUE(ReadJPEGSize(forged.data(), forged.size(), &w, &h));
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        std::string error;
        EXPECT_EQ(DecodeJPEG(forged.data(), forged.size(), &error), nullptr);
        EXPECT_NE(error.find("too large"), std::string::npos) << error;
    }
}

TEST(JpegFile, ProgressiveFilesWithEndlessScansAreRefused) {
    // A legal progression of one gray component: the DC scan, one first scan per AC
    // coefficient at 10 bits of reduced precision, then ten refinement scans per
    // coefficient: 694 scans.
    std::vector<jpeg_scan_info> scans;
    scans.push_back({1, {0}, 0, 0, 0, 0});
    for (int k = 1; k < 64; ++k) scans.push_back({1, {0}, k, k, 0, 10});
    for (int al = 9; al >= 0; --al)
        for (int k = 1; k < 64; ++k) scans.push_back({1, {0}, k, k, al + 1, al});
    std::vector<uint8_t> pixels(8 * 8);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 3);
    const auto many = WriteWithLibjpeg(8, 8, JCS_GRAYSCALE, 1, pixels, scans);
    std::string error;
    EXPECT_EQ(DecodeJPEG(many.data(), many.size(), &error), nullptr);
    EXPECT_NE(error.find("scans"), std::string::npos) << error;

    // The same picture in a progression of ordinary length decodes.
    scans.resize(1 + 63);
    for (int k = 1; k < 64; ++k) scans[k].Al = 0;
    const auto normal = WriteWithLibjpeg(8, 8, JCS_GRAYSCALE, 1, pixels, scans);
    auto bmp = DecodeJPEG(normal.data(), normal.size(), &error);
    ASSERT_TRUE(bmp) << error;
    EXPECT_NEAR(GetRValue(bmp->GetPixel(7, 7)), 63 * 3, 8);
}

TEST(JpegFile, EncodingAnEmptyBitmapGivesNothing) { EXPECT_TRUE(EncodeJPEG(Bitmap(), 90).empty()); }
