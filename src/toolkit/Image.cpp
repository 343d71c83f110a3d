#include "toolkit/Image.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/core/FileSystem.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"

namespace {

bool ReadWholeFile(const std::string& hostPath, std::vector<uint8_t>* data, std::string* error) {
    std::ifstream in(hostPath, std::ios::binary | std::ios::ate);
    if (!in) {
        *error = "cannot open " + hostPath;
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || uint64_t(size) > TImage::kMaxFileBytes) {
        *error = "file too large: " + hostPath;
        return false;
    }
    data->resize(size_t(size));
    in.seekg(0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(data->data()), size)) {
        *error = "cannot read " + hostPath;
        return false;
    }
    return true;
}

// The format is told by the first bytes, not by the name.
std::unique_ptr<Bitmap> DecodePicture(const std::vector<uint8_t>& data, std::string* error) {
    const auto startsWith = [&data](const char* magic, size_t n) {
        return data.size() >= n && std::memcmp(data.data(), magic, n) == 0;
    };
    if (startsWith("\xFF\xD8", 2)) return DecodeJPEG(data.data(), data.size(), error);
    if (startsWith("\x89PNG", 4)) return DecodePNG(data.data(), data.size(), error);
    if (startsWith("BM", 2)) return LoadBMP(data.data(), data.size(), error);
    *error = "not a JPEG, PNG or BMP picture";
    return nullptr;
}

} // namespace

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

TImage::~TImage() { ClearPicture(); }

const Bitmap* TImage::Picture() const { return picture_ ? BitmapOf(picture_) : nullptr; }

void TImage::ClearPicture() {
    if (picture_) DeleteObject(picture_);
    picture_ = nullptr;
    Invalidate();
}

void TImage::SetPicture(const Bitmap& picture) {
    if (picture.Empty()) {
        ClearPicture();
        return;
    }
    const HBITMAP made = CreateDIBSection(picture.Width(), picture.Height(), 24, true);
    Bitmap* target = made ? BitmapOf(made) : nullptr;
    if (!target) {
        if (made) DeleteObject(made);
        return;
    }
    Bitmap copy = picture;
    copy.SetFormat(24); // the context blits 24-bit rows; alpha has no meaning here
    const size_t rowBytes = size_t(copy.Width()) * 3;
    for (int y = 0; y < copy.Height(); ++y)
        std::memcpy(target->ScanLine(y), copy.ScanLine(y), rowBytes);
    ClearPicture();
    picture_ = made;
    Invalidate();
}

bool TImage::LoadFromFile(const std::string& path, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    std::vector<uint8_t> data;
    if (!ReadWholeFile(HostPath(path), &data, error)) return false;
    std::unique_ptr<Bitmap> bitmap = DecodePicture(data, error);
    if (!bitmap || bitmap->Empty()) {
        if (error->empty()) *error = "cannot decode " + path;
        return false;
    }
    SetPicture(*bitmap);
    return true;
}

void TImage::SetStretch(bool value) {
    stretch_ = value;
    Invalidate();
}

void TImage::Paint() {
    const Bitmap* picture = Picture();
    if (!picture) return;
    const HDC dc = Canvas().Handle();
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, picture_);
    // The parent clips painting to our bounds, so an unscaled picture larger than the
    // control shows only its top-left part.
    if (stretch_)
        StretchBlt(dc, 0, 0, Width(), Height(), source, 0, 0, picture->Width(), picture->Height(),
                   SRCCOPY);
    else
        BitBlt(dc, 0, 0, picture->Width(), picture->Height(), source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}
