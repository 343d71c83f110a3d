#pragma once
// Pictures of documents: JPEG, PNG and the first frame of a GIF, read from a local file with
// their size checked before any pixel memory is taken.
#include <memory>
#include <string>

#include "platform/gdi/Bitmap.h"

// Larger pictures are refused (the document shows no picture there): a course picture is
// far smaller, and a forged header must not make the view allocate without bound.
constexpr int kMaxImageSide = 8192;
constexpr long long kMaxImagePixels = 16LL * 1024 * 1024;
constexpr size_t kMaxImageFileBytes = 16 * 1024 * 1024;

// A 24-bit bitmap, or 32-bit with straight alpha (PNG with transparency, GIF with a
// transparent colour); null with a message on failure.
std::unique_ptr<Bitmap> DecodeImage(const uint8_t* data, size_t size, std::string* error);
std::unique_ptr<Bitmap> LoadImageFile(const std::string& windowsPath, std::string* error);
