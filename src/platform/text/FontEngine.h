#pragma once
// Turns a LOGFONT into a FreeType face at a pixel size (a realized font) and keeps the glyphs
// it has rendered. Faces are found through fontconfig with our own substitutions for the
// names the program's forms use, and a face is taken only if it has every Kazakh letter.
//
// Glyphs are loaded with FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP (outlines, FreeType's normal
// hinting) and rendered with FT_RENDER_MODE_NORMAL (8-bit grayscale coverage).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/GdiObjects.h"

struct FT_FaceRec_;
struct _FcConfig;
struct FontLibrary; // the FreeType library, shared by the engine and every realized font

// One rendered glyph: 8-bit coverage, `width` bytes per row, rows from the top.
struct GlyphImage {
    int width = 0;
    int height = 0;
    int left = 0;    // pen position to the first column, in pixels (right is positive)
    int top = 0;     // baseline up to the first row, in pixels (up is positive)
    int advance = 0; // pen movement along the baseline in whole pixels (hinted), unrotated
    std::vector<uint8_t> coverage;
};

// The realized font's measures in whole pixels.
struct FontMetrics {
    int pixelSize = 0;       // the em height the face is set to
    int ascent = 0;          // baseline to the top of the cell
    int descent = 0;         // baseline to the bottom of the cell
    int height = 0;          // ascent + descent
    int internalLeading = 0; // height - pixelSize
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL; // the face's weight, or the requested one where it is synthesized
    bool italic = false;
    bool fixedPitch = false;
    int underlineOffset = 0; // baseline down to the underline's first row
    int underlineThickness = 1;
    int strikeoutOffset = 0; // baseline up to the strike-out line's first (top) row
    int strikeoutThickness = 1;
};

enum class FontClass { Sans, Serif, Mono };

class RealizedFont {
  public:
    RealizedFont(const RealizedFont&) = delete;
    RealizedFont& operator=(const RealizedFont&) = delete;
    ~RealizedFont();

    const FontMetrics& Metrics() const { return metrics_; }
    const std::string& FilePath() const { return path_; }
    int FaceIndex() const { return faceIndex_; }
    const std::string& FamilyName() const { return family_; }
    const std::string& StyleName() const { return style_; }
    bool SyntheticBold() const { return emboldened_; }
    bool SyntheticItalic() const { return slanted_; }

    // The face's glyph for a character (0: none).
    unsigned GlyphIndex(char32_t c) const;

    // The glyph of c rotated by `escapement` tenths of a degree counter-clockwise, rendered on
    // first use and cached. Control characters (C0, DEL, C1) have an empty image and no
    // advance. The reference stays valid until the next Glyph call on this font.
    const GlyphImage& Glyph(char32_t c, int escapement = 0);
    int Advance(char32_t c) { return Glyph(c).advance; }

  private:
    friend class FontEngine;
    friend class FontFace;
    RealizedFont() = default;
    std::unique_ptr<GlyphImage> Render(char32_t c, int escapement);

    // Held so the library outlives every face made from it, whatever order statics die in.
    std::shared_ptr<FontLibrary> library_;
    FT_FaceRec_* face_ = nullptr;
    std::string path_;
    int faceIndex_ = 0;
    std::string family_;
    std::string style_;
    bool emboldened_ = false;
    bool slanted_ = false;
    FontMetrics metrics_;
    // Unrotated glyphs of the first code points (Latin, Cyrillic with the Kazakh letters) sit
    // in a table indexed by code point so that the common case costs no hashing.
    static constexpr char32_t kDirectGlyphs = 0x0530;
    std::vector<std::unique_ptr<GlyphImage>> direct_;
    std::unordered_map<uint64_t, std::unique_ptr<GlyphImage>> others_;
};

class FontEngine {
  public:
    // The realized-font cache's size; a font in use stays alive through its shared pointer.
    static constexpr size_t kMaxFonts = 64;
    // Rotated and rare glyphs kept per font before that part of the cache is emptied.
    static constexpr size_t kMaxOtherGlyphs = 4096;
    // Em heights are limited to this many pixels so that a wild lfHeight cannot make a glyph
    // allocate without bound.
    static constexpr int kMaxPixelSize = 1024;
    // lfHeight 0 asks for the default: a cell of this many pixels.
    static constexpr int kDefaultCellHeight = 16;

    static FontEngine& Instance();
    ~FontEngine();

    // The realized font for a LOGFONT; the same object for LOGFONTs that differ only in what
    // does not change the glyphs (underline, strike-out, escapement, character set, ...).
    // Null only when no usable font file exists on the system at all.
    std::shared_ptr<RealizedFont> Realize(const LOGFONT& logFont);

    // How a face name is treated: the class of face it falls back to, and the weight it
    // implies at least ("Arial Black": a heavy face).
    static FontClass ClassOf(const std::string& faceName);

    // Whether the face in a font file maps every Kazakh letter (Ә ә Ғ ғ Қ қ Ң ң Ө ө Ұ ұ Ү ү
    // Һ һ І і) and the basic Cyrillic alphabet (А..я, Ё ё). Read from the face's character map.
    bool CoversKazakh(const std::string& path, int faceIndex);
    // The same rule over any character test.
    static bool CoversKazakh(const std::function<bool(char32_t)>& hasCharacter);

    // Glyphs rendered by FreeType so far: repeated text must not add to it.
    uint64_t GlyphRenders() const;

  private:
    FontEngine();
    struct FaceChoice {
        std::string path;
        int index = 0;
        std::string family;
        std::string style;
    };
    FaceChoice Choose(const std::string& faceName, int weight, bool italic);
    bool FindMatch(const std::vector<std::string>& families, int weight, bool italic,
                   FaceChoice& out, bool requireCoverage, bool sortAll);
    bool FamilyInstalled(const std::string& family);

    std::shared_ptr<FontLibrary> library_;
    _FcConfig* config_ = nullptr;
    struct Entry {
        std::shared_ptr<RealizedFont> font;
        uint64_t lastUse = 0;
    };
    std::unordered_map<std::string, Entry> fonts_;
    uint64_t useClock_ = 0;
    std::unordered_map<std::string, bool> coverage_;
    std::unordered_map<std::string, bool> installed_;
};
