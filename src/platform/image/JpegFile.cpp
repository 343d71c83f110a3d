#include "platform/image/JpegFile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

// libjpeg reports errors by calling a handler that must not return. We leave through
// longjmp. Every function that calls setjmp below works only on a job record that lives in
// its caller's frame and holds no local whose value is used after the jump, so the jump
// skips no object with a destructor and reads no indeterminate local.

namespace {

// A progressive file may carry any number of scans over the same coefficients, each costing
// a pass over the picture; real encoders write about ten, forged files thousands.
constexpr int kMaxScans = 500;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings mostly mean damaged data that libjpeg would paper over (a truncated file is
// finished in grey); we refuse those. Only warnings about metadata let the picture through.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return; // trace output
    switch (cinfo->err->msg_code) {
    case JWRN_ADOBE_XFORM:
    case JWRN_JFIF_MAJOR:
    case JWRN_BOGUS_ICC: return;
    default: OnFatalError(cinfo);
    }
}

void OnProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
        std::longjmp(err->jump, 1);
    }
}

void InstallErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = OnFatalError;
    err.pub.emit_message = OnMessage;
    err.message[0] = '\0';
}

struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    bool created = false;
};

// Creates the decompressor and reads the header. On failure the decompressor is destroyed.
bool ReadHeader(DecodeJob* job, const uint8_t* data, size_t size) {
    std::memset(&job->cinfo, 0, sizeof job->cinfo);
    job->cinfo.err = &job->err.pub;
    InstallErrorManager(job->err);
    if (setjmp(job->err.jump)) {
        jpeg_destroy_decompress(&job->cinfo);
        job->created = false;
        return false;
    }
    jpeg_create_decompress(&job->cinfo);
    job->created = true;
    job->progress.progress_monitor = OnProgress;
    job->cinfo.progress = &job->progress;
    jpeg_mem_src(&job->cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&job->cinfo, TRUE);
    return true;
}

// Decodes every row into the bitmap, which has the picture's size. On failure the
// decompressor is destroyed.
bool ReadPixels(DecodeJob* job, Bitmap* bitmap) {
    if (setjmp(job->err.jump)) {
        jpeg_destroy_decompress(&job->cinfo);
        job->created = false;
        return false;
    }
    j_decompress_ptr cinfo = &job->cinfo;
    cinfo->out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(cinfo);
    if (int(cinfo->output_width) != bitmap->Width() ||
        int(cinfo->output_height) != bitmap->Height() || cinfo->output_components != 3) {
        std::snprintf(job->err.message, sizeof job->err.message, "unexpected output format");
        jpeg_destroy_decompress(cinfo);
        job->created = false;
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = bitmap->ScanLine(int(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// Destroys the decompressor however the decoder leaves, exceptions included.
struct DecodeJobCleanup {
    DecodeJob& job;
    ~DecodeJobCleanup() {
        if (job.created) jpeg_destroy_decompress(&job.cinfo);
    }
};

struct EncodeJob {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    jpeg_destination_mgr dest;
    std::vector<uint8_t>* out = nullptr;
    uint8_t chunk[16384];
};

// Appends the filled part of the chunk; false when memory runs out. Kept apart so that no
// exception crosses libjpeg's C frames and no handler is active when we jump out.
bool AppendChunk(EncodeJob* job, size_t count) {
    try {
        job->out->insert(job->out->end(), job->chunk, job->chunk + count);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

EncodeJob* JobOf(j_compress_ptr cinfo) { return static_cast<EncodeJob*>(cinfo->client_data); }

void InitDestination(j_compress_ptr cinfo) {
    EncodeJob* job = JobOf(cinfo);
    job->dest.next_output_byte = job->chunk;
    job->dest.free_in_buffer = sizeof job->chunk;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    EncodeJob* job = JobOf(cinfo);
    // libjpeg calls this with the whole chunk filled, whatever free_in_buffer says.
    if (!AppendChunk(job, sizeof job->chunk)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    job->dest.next_output_byte = job->chunk;
    job->dest.free_in_buffer = sizeof job->chunk;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    EncodeJob* job = JobOf(cinfo);
    if (!AppendChunk(job, sizeof job->chunk - job->dest.free_in_buffer))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

bool RunEncode(EncodeJob* job, const Bitmap* bitmap, int quality) {
    std::memset(&job->cinfo, 0, sizeof job->cinfo);
    job->cinfo.err = &job->err.pub;
    InstallErrorManager(job->err);
    if (setjmp(job->err.jump)) {
        jpeg_destroy_compress(&job->cinfo);
        return false;
    }
    j_compress_ptr cinfo = &job->cinfo;
    jpeg_create_compress(cinfo);
    cinfo->client_data = job;
    job->dest.init_destination = InitDestination;
    job->dest.empty_output_buffer = EmptyOutputBuffer;
    job->dest.term_destination = TermDestination;
    cinfo->dest = &job->dest;
    cinfo->image_width = JDIMENSION(bitmap->Width());
    cinfo->image_height = JDIMENSION(bitmap->Height());
    const bool has4 = bitmap->BitsPerPixel() == 32;
    cinfo->input_components = has4 ? 4 : 3;
    cinfo->in_color_space = has4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        // libjpeg takes rows as non-const pointers but only reads them.
        JSAMPROW row = const_cast<uint8_t*>(bitmap->ScanLine(int(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return true;
}

} // namespace

std::unique_ptr<Bitmap> DecodeJPEG(const uint8_t* data, size_t size, std::string* error) {
    auto fail = [error](std::string message) -> std::unique_ptr<Bitmap> {
        if (error) *error = std::move(message);
        return nullptr;
    };
    if (data == nullptr || size == 0) return fail("JPEG picture is empty");

    DecodeJob job;
    DecodeJobCleanup cleanup{job};
    if (!ReadHeader(&job, data, size))
        return fail(std::string("cannot read JPEG picture: ") + job.err.message);

    const jpeg_decompress_struct& cinfo = job.cinfo;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB: break;
    case JCS_CMYK:
    case JCS_YCCK: return fail("CMYK JPEG pictures are not supported");
    default:
        return fail("JPEG picture has an unsupported colour space (" +
                    std::to_string(cinfo.num_components) + " components)");
    }
    const int64_t width = cinfo.image_width, height = cinfo.image_height;
    if (width > Bitmap::kMaxSide || height > Bitmap::kMaxSide ||
        width * height > Bitmap::kMaxPixels)
        return fail("JPEG picture is too large (" + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels)");

    std::unique_ptr<Bitmap> bitmap;
    try {
        bitmap = std::make_unique<Bitmap>(int(width), int(height), 24);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory for a JPEG picture of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels");
    }
    if (bitmap->Empty()) return fail("JPEG picture has zero width or height");
    if (!ReadPixels(&job, bitmap.get()))
        return fail(std::string("JPEG picture is damaged: ") + job.err.message);
    return bitmap;
}

bool ReadJPEGSize(const uint8_t* data, size_t size, int* width, int* height) {
    if (data == nullptr || size == 0) return false;
    DecodeJob job;
    DecodeJobCleanup cleanup{job};
    if (!ReadHeader(&job, data, size)) return false;
    if (width) *width = int(job.cinfo.image_width);
    if (height) *height = int(job.cinfo.image_height);
    return true;
}

std::vector<uint8_t> EncodeJPEG(const Bitmap& bitmap, int quality) {
    std::vector<uint8_t> out;
    if (bitmap.Empty()) return out;
    // The job holds the jump buffer and a 16 KB chunk: too big for comfort on the stack of a
    // deep caller, so it lives on the heap.
    auto job = std::make_unique<EncodeJob>();
    job->out = &out;
    if (!RunEncode(job.get(), &bitmap, std::clamp(quality, 1, 100))) out.clear();
    return out;
}
