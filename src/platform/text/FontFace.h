#pragma once
// A realized font's file opened again as a face of its own, for a renderer outside the window
// system (the printer's) that sets its own sizes: the realized font's face keeps the size its
// glyph cache was made at.
#include <memory>

#include "platform/text/FontEngine.h"

class FontFace {
  public:
    // The face the realized font was made from; null when its file cannot be opened.
    static std::unique_ptr<FontFace> OpenLike(const RealizedFont& font);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    FT_FaceRec_* Handle() const { return face_; }

  private:
    FontFace(std::shared_ptr<FontLibrary> library, FT_FaceRec_* face)
        : library_(std::move(library)), face_(face) {}

    std::shared_ptr<FontLibrary> library_;
    FT_FaceRec_* face_;
};
