#include "platform/text/FontFace.h"

#include "platform/text/FontLibrary.h"

std::unique_ptr<FontFace> FontFace::OpenLike(const RealizedFont& font) {
    if (!font.library_ || !font.library_->ft) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(font.library_->ft, font.FilePath().c_str(), font.FaceIndex(), &face) != 0)
        return nullptr;
    return std::unique_ptr<FontFace>(new FontFace(font.library_, face));
}

FontFace::~FontFace() {
    if (face_) FT_Done_Face(face_);
}
