#include "platform/text/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/core/StrUtils.h"
#include "platform/text/FontLibrary.h"

namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;
constexpr LONG FW_BLACK = 900;

// Every Kazakh letter, and the letters of basic Cyrillic beyond А..я.
constexpr char32_t kKazakhLetters[] = {0x04D8, 0x04D9, 0x0492, 0x0493, 0x049A, 0x049B, 0x04A2,
                                       0x04A3, 0x04E8, 0x04E9, 0x04B0, 0x04B1, 0x04AE, 0x04AF,
                                       0x04BA, 0x04BB, 0x0406, 0x0456, 0x0401, 0x0451};

struct NameRule {
    const char* name; // lower case
    FontClass cls;
    LONG minWeight;
};

// The names the program's forms and the engine's defaults use, and what they stand for here.
// Any other name is used when such a family is installed and is a sans face otherwise.
constexpr NameRule kNameRules[] = {
    {"", FontClass::Sans, 0},
    {"ms sans serif", FontClass::Sans, 0},
    {"microsoft sans serif", FontClass::Sans, 0},
    {"ms shell dlg", FontClass::Sans, 0},
    {"ms shell dlg 2", FontClass::Sans, 0},
    {"system", FontClass::Sans, 0},
    {"tahoma", FontClass::Sans, 0},
    {"verdana", FontClass::Sans, 0},
    {"segoe ui", FontClass::Sans, 0},
    {"arial", FontClass::Sans, 0},
    {"helvetica", FontClass::Sans, 0},
    {"sans-serif", FontClass::Sans, 0},
    {"sans", FontClass::Sans, 0},
    {"arial black", FontClass::Sans, FW_BLACK},
    {"times new roman", FontClass::Serif, 0},
    {"times", FontClass::Serif, 0},
    {"ms serif", FontClass::Serif, 0},
    {"serif", FontClass::Serif, 0},
    {"courier new", FontClass::Mono, 0},
    {"courier", FontClass::Mono, 0},
    {"lucida console", FontClass::Mono, 0},
    {"monospace", FontClass::Mono, 0},
    {"mono", FontClass::Mono, 0},
};

const NameRule* RuleFor(const std::string& lowerName) {
    for (const NameRule& r : kNameRules)
        if (lowerName == r.name) return &r;
    return nullptr;
}

const char* GenericFamily(FontClass cls) {
    switch (cls) {
    case FontClass::Serif: return "serif";
    case FontClass::Mono: return "monospace";
    case FontClass::Sans: break;
    }
    return "sans-serif";
}

const char* FallbackFamily(FontClass cls) {
    switch (cls) {
    case FontClass::Serif: return "DejaVu Serif";
    case FontClass::Mono: return "DejaVu Sans Mono";
    case FontClass::Sans: break;
    }
    return "DejaVu Sans";
}

std::string FaceNameOf(const LOGFONT& lf) {
    return std::string(Trim(std::string_view(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE))));
}

// value * ppem / unitsPerEm rounded to the nearest pixel, halves away from zero.
int Scale(long value, int ppem, int unitsPerEm) {
    const long long n = (long long)value * ppem;
    const long long h = unitsPerEm / 2;
    return int(n >= 0 ? (n + h) / unitsPerEm : -((-n + h) / unitsPerEm));
}

bool IsInvisible(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF;
}

// Cell metrics in font units: the Windows ascent and descent (OS/2 usWin*) where the face has
// them, the horizontal header's otherwise.
void CellUnits(FT_Face face, long& ascent, long& descent) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && (os2->usWinAscent || os2->usWinDescent)) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = -face->descender;
    }
}

} // namespace

// ---- RealizedFont

RealizedFont::~RealizedFont() {
    if (face_) FT_Done_Face(face_);
}

unsigned RealizedFont::GlyphIndex(char32_t c) const { return FT_Get_Char_Index(face_, c); }

const GlyphImage& RealizedFont::Glyph(char32_t c, int escapement) {
    escapement = ((escapement % 3600) + 3600) % 3600;
    if (escapement == 0 && c < kDirectGlyphs) {
        std::unique_ptr<GlyphImage>& slot = direct_[c];
        if (!slot) slot = Render(c, 0);
        return *slot;
    }
    const uint64_t key = (uint64_t(escapement) << 32) | c;
    if (auto it = others_.find(key); it != others_.end()) return *it->second;
    if (others_.size() >= FontEngine::kMaxOtherGlyphs) others_.clear();
    std::unique_ptr<GlyphImage> image = Render(c, escapement);
    return *others_.emplace(key, std::move(image)).first->second;
}

std::unique_ptr<GlyphImage> RealizedFont::Render(char32_t c, int escapement) {
    auto image = std::make_unique<GlyphImage>();
    if (IsInvisible(c)) return image;
    // The rotation's advance is the unrotated one; ask for it before the face's transform is
    // set, since it may need a render of its own.
    if (escapement != 0) image->advance = Glyph(c, 0).advance;

    const bool transform = escapement != 0 || slanted_;
    if (transform) {
        // Synthetic italic shears x by 0.2 of y (about 11 degrees) before the rotation.
        double cs = 1.0, sn = 0.0;
        switch (escapement) {
        case 0: break;
        case 900:
            cs = 0.0;
            sn = 1.0;
            break;
        case 1800:
            cs = -1.0;
            sn = 0.0;
            break;
        case 2700:
            cs = 0.0;
            sn = -1.0;
            break;
        default: {
            const double a = escapement * std::numbers::pi / 1800.0;
            cs = std::cos(a);
            sn = std::sin(a);
        }
        }
        const double shear = slanted_ ? 0.2 : 0.0;
        FT_Matrix m;
        m.xx = FT_Fixed(std::lround(cs * 65536.0));
        m.xy = FT_Fixed(std::lround((cs * shear - sn) * 65536.0));
        m.yx = FT_Fixed(std::lround(sn * 65536.0));
        m.yy = FT_Fixed(std::lround((sn * shear + cs) * 65536.0));
        FT_Set_Transform(face_, &m, nullptr);
    }
    FT_Error error = FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c), kLoadFlags);
    if (!error && emboldened_) FT_GlyphSlot_Embolden(face_->glyph);
    if (!error) error = FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL);
    if (transform) FT_Set_Transform(face_, nullptr, nullptr);
    if (error) return image; // a broken glyph draws nothing rather than failing the text
    ++library_->renders;

    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (escapement == 0) image->advance = int((slot->advance.x + 32) >> 6);
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.width > 0 && bm.rows > 0) {
        image->width = int(bm.width);
        image->height = int(bm.rows);
        image->left = slot->bitmap_left;
        image->top = slot->bitmap_top;
        image->coverage.resize(size_t(bm.width) * bm.rows);
        for (unsigned y = 0; y < bm.rows; ++y) {
            // A negative pitch means the rows are stored from the bottom.
            const unsigned char* row =
                bm.pitch >= 0 ? bm.buffer + size_t(y) * size_t(bm.pitch)
                              : bm.buffer + size_t(bm.rows - 1 - y) * size_t(-bm.pitch);
            std::memcpy(image->coverage.data() + size_t(y) * bm.width, row, bm.width);
        }
    }
    return image;
}

// ---- FontEngine

FontEngine& FontEngine::Instance() {
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() : library_(std::make_shared<FontLibrary>()) {
    config_ = FcInitLoadConfigAndFonts();
}

FontEngine::~FontEngine() {
    fonts_.clear();
    if (config_) FcConfigDestroy(config_);
}

uint64_t FontEngine::GlyphRenders() const { return library_->renders; }

FontClass FontEngine::ClassOf(const std::string& faceName) {
    const NameRule* rule = RuleFor(LowerCase(Trim(faceName)));
    return rule ? rule->cls : FontClass::Sans;
}

bool FontEngine::CoversKazakh(const std::function<bool(char32_t)>& hasCharacter) {
    for (char32_t c = 0x0410; c <= 0x044F; ++c)
        if (!hasCharacter(c)) return false;
    for (char32_t c : kKazakhLetters)
        if (!hasCharacter(c)) return false;
    return true;
}

bool FontEngine::CoversKazakh(const std::string& path, int faceIndex) {
    const std::string key = path + '\n' + std::to_string(faceIndex);
    if (auto it = coverage_.find(key); it != coverage_.end()) return it->second;
    bool covers = false;
    FT_Face face = nullptr;
    if (library_->ft && FT_New_Face(library_->ft, path.c_str(), faceIndex, &face) == 0) {
        covers = FT_IS_SCALABLE(face) && face->units_per_EM > 0 &&
                 CoversKazakh([face](char32_t c) { return FT_Get_Char_Index(face, c) != 0; });
        FT_Done_Face(face);
    }
    coverage_[key] = covers;
    return covers;
}

bool FontEngine::FamilyInstalled(const std::string& family) {
    const std::string key = LowerCase(family);
    if (auto it = installed_.find(key); it != installed_.end()) return it->second;
    bool found = false;
    if (config_) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
        FcFontSet* set = FcFontList(config_, pattern, objects);
        found = set && set->nfont > 0;
        if (set) FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
    }
    installed_[key] = found;
    return found;
}

namespace {
bool ReadChoice(FcPattern* p, std::string& path, int& index, std::string& family,
                std::string& style) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(p, FC_FILE, 0, &file) != FcResultMatch || !file) return false;
    path = reinterpret_cast<const char*>(file);
    int i = 0;
    index = FcPatternGetInteger(p, FC_INDEX, 0, &i) == FcResultMatch ? i : 0;
    FcChar8* s = nullptr;
    family = FcPatternGetString(p, FC_FAMILY, 0, &s) == FcResultMatch && s
                 ? reinterpret_cast<const char*>(s)
                 : "";
    style = FcPatternGetString(p, FC_STYLE, 0, &s) == FcResultMatch && s
                ? reinterpret_cast<const char*>(s)
                : "";
    return true;
}
} // namespace

bool FontEngine::FindMatch(const std::vector<std::string>& families, int weight, bool italic,
                           FaceChoice& out, bool requireCoverage, bool sortAll) {
    if (!config_) return false;
    FcPattern* pattern = FcPatternCreate();
    for (const std::string& f : families)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(f.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    bool found = false;
    FcResult result = FcResultNoMatch;
    FaceChoice c;
    if (!sortAll) {
        if (FcPattern* match = FcFontMatch(config_, pattern, &result)) {
            found = ReadChoice(match, c.path, c.index, c.family, c.style) &&
                    (!requireCoverage || CoversKazakh(c.path, c.index));
            FcPatternDestroy(match);
        }
    } else if (FcFontSet* set = FcFontSort(config_, pattern, FcFalse, nullptr, &result)) {
        for (int i = 0; i < set->nfont && !found; ++i)
            found = ReadChoice(set->fonts[i], c.path, c.index, c.family, c.style) &&
                    (!requireCoverage || CoversKazakh(c.path, c.index));
        FcFontSetDestroy(set);
    }
    FcPatternDestroy(pattern);
    if (found) out = std::move(c);
    return found;
}

FontEngine::FaceChoice FontEngine::Choose(const std::string& faceName, int weight, bool italic) {
    const NameRule* rule = RuleFor(LowerCase(faceName));
    const FontClass cls = rule ? rule->cls : FontClass::Sans;
    std::vector<std::string> families;
    if (rule) {
        if (!faceName.empty()) families.push_back(faceName);
        families.push_back(GenericFamily(cls));
    } else if (FamilyInstalled(faceName)) {
        families.push_back(faceName);
    } else {
        families.push_back(GenericFamily(cls));
    }

    FaceChoice c;
    if (FindMatch(families, weight, italic, c, true, false)) return c;
    // The face lacks Kazakh letters: DejaVu has them all, in every style.
    if (FindMatch({FallbackFamily(cls)}, weight, italic, c, true, false)) return c;
    if (FindMatch(families, weight, italic, c, true, true)) return c;
    // No face on the system covers Kazakh; the best match is still better than no text.
    FindMatch(families, weight, italic, c, false, false);
    return c;
}

std::shared_ptr<RealizedFont> FontEngine::Realize(const LOGFONT& lf) {
    const std::string faceName = FaceNameOf(lf);
    const std::string lowerName = LowerCase(faceName);
    const NameRule* rule = RuleFor(lowerName);
    int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(lf.lfWeight, 1000);
    if (rule) weight = std::max<int>(weight, rule->minWeight);
    const bool italic = lf.lfItalic != 0;
    // Heights as 64-bit: -lfHeight of the most negative LONG does not fit in 32 bits.
    const long long height = lf.lfHeight == 0 ? kDefaultCellHeight : (long long)lf.lfHeight;

    std::string key = lowerName;
    key += '\n';
    key += std::to_string(height) + ',' + std::to_string(weight) + (italic ? ",i" : ",r");
    if (auto it = fonts_.find(key); it != fonts_.end()) {
        it->second.lastUse = ++useClock_;
        return it->second.font;
    }
    if (!library_->ft) return nullptr;

    const FaceChoice choice = Choose(faceName, weight, italic);
    if (choice.path.empty()) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library_->ft, choice.path.c_str(), choice.index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        return nullptr;
    }

    std::shared_ptr<RealizedFont> font(new RealizedFont());
    font->library_ = library_;
    font->face_ = face;
    font->path_ = choice.path;
    font->faceIndex_ = choice.index;
    font->family_ = choice.family;
    font->style_ = choice.style;
    font->direct_.resize(RealizedFont::kDirectGlyphs);

    const int upem = face->units_per_EM;
    long winAscent = 0, winDescent = 0;
    CellUnits(face, winAscent, winDescent);
    auto cellAt = [&](int ppem) {
        return Scale(winAscent, ppem, upem) + Scale(winDescent, ppem, upem);
    };
    int ppem;
    if (height < 0) {
        ppem = int(std::min<long long>(-height, kMaxPixelSize));
    } else {
        // A cell height: the largest em whose rounded ascent + descent still fits in it.
        const long long cell = std::min<long long>(height, 4LL * kMaxPixelSize);
        const long units = std::max(1L, winAscent + winDescent);
        ppem = int(std::clamp<long long>(cell * upem / units, 1, kMaxPixelSize));
        while (ppem > 1 && cellAt(ppem) > cell) --ppem;
        while (ppem < kMaxPixelSize && cellAt(ppem + 1) <= cell) ++ppem;
    }
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem));

    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const bool hasOs2 = os2 && os2->version != 0xFFFF;
    const int faceWeight = hasOs2 && os2->usWeightClass
                               ? os2->usWeightClass
                               : ((face->style_flags & FT_STYLE_FLAG_BOLD) ? FW_BOLD : FW_NORMAL);
    font->emboldened_ = weight >= 600 && faceWeight < 600;
    font->slanted_ = italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);

    FontMetrics& m = font->metrics_;
    m.pixelSize = ppem;
    m.ascent = Scale(winAscent, ppem, upem);
    m.descent = Scale(winDescent, ppem, upem);
    m.height = m.ascent + m.descent;
    m.internalLeading = m.height - ppem;
    // The part of the line gap that the Windows cell does not already hold.
    const long lineGap = face->height - (face->ascender - face->descender);
    const long cellExcess = (winAscent + winDescent) - (face->ascender - face->descender);
    m.externalLeading = std::max(0, Scale(lineGap - cellExcess, ppem, upem));
    m.maxCharWidth = Scale(face->max_advance_width, ppem, upem);
    m.weight = font->emboldened_ ? weight : faceWeight;
    m.italic = italic;
    m.fixedPitch = FT_IS_FIXED_WIDTH(face);

    m.underlineThickness = std::max(1, Scale(face->underline_thickness, ppem, upem));
    // FreeType gives the underline's centre; we keep its first row at least one pixel below the
    // baseline and, where there is room, inside the cell.
    m.underlineOffset = Scale(-face->underline_position, ppem, upem) - m.underlineThickness / 2;
    if (m.underlineOffset + m.underlineThickness > m.descent)
        m.underlineOffset = m.descent - m.underlineThickness;
    m.underlineOffset = std::max(1, m.underlineOffset);
    if (hasOs2 && os2->yStrikeoutSize > 0 && os2->yStrikeoutPosition > 0) {
        m.strikeoutThickness = std::max(1, Scale(os2->yStrikeoutSize, ppem, upem));
        m.strikeoutOffset =
            std::max(m.strikeoutThickness, Scale(os2->yStrikeoutPosition, ppem, upem));
    } else {
        m.strikeoutThickness = m.underlineThickness;
        m.strikeoutOffset = std::max(m.strikeoutThickness, ppem * 3 / 10);
    }
    m.aveCharWidth = hasOs2 && os2->xAvgCharWidth > 0 ? Scale(os2->xAvgCharWidth, ppem, upem)
                                                      : font->Advance(U'x');

    if (fonts_.size() >= kMaxFonts) {
        auto oldest =
            std::min_element(fonts_.begin(), fonts_.end(), [](const auto& a, const auto& b) {
                return a.second.lastUse < b.second.lastUse;
            });
        fonts_.erase(oldest);
    }
    fonts_[key] = Entry{font, ++useClock_};
    return font;
}
