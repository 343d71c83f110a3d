#pragma once
// A picture on the parent: drawn unscaled at the top-left and clipped to the control, or
// stretched to fill it. The picture comes from a bitmap or from a JPEG, PNG or BMP file.
#include <string>

#include "platform/gdi/Bitmap.h"
#include "toolkit/GraphicControl.h"

class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    const char* ClassName() const override { return "TImage"; }

    // The picture, or null when there is none.
    const Bitmap* Picture() const;
    void SetPicture(const Bitmap& picture);
    void ClearPicture();
    // Reads a JPEG, PNG or BMP file (a Windows-style or host path). On failure the picture
    // stays as it was, the reason goes to *error and the result is false.
    bool LoadFromFile(const std::string& path, std::string* error);

    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);

    // The largest file LoadFromFile reads; larger ones are refused before reading.
    static constexpr size_t kMaxFileBytes = 64u * 1024 * 1024;

  protected:
    void Paint() override;

    HBITMAP picture_ = nullptr;
    bool stretch_ = false;
};
