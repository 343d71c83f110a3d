#pragma once
// The FreeType library, shared by the font engine, every realized font and every font face
// opened apart from them, so it outlives them whatever order statics die in.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>

struct FontLibrary {
    FT_Library ft = nullptr;
    uint64_t renders = 0;
    FontLibrary() {
        if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
    }
    ~FontLibrary() {
        if (ft) FT_Done_FreeType(ft);
    }
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;
};
