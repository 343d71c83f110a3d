#include "platform/text/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr char32_t kKazakh[] = {U'Ә', U'ә', U'Ғ', U'ғ', U'Қ', U'қ', U'Ң', U'ң', U'Ө',
                                U'ө', U'Ұ', U'ұ', U'Ү', U'ү', U'Һ', U'һ', U'І', U'і'};

LOGFONT Font(const char* face, LONG height, LONG weight = FW_NORMAL, bool italic = false) {
    LOGFONT lf;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    return lf;
}

// The test's own view of a font file, through FreeType directly.
class FtFace {
  public:
    FtFace(const std::string& path, int index) {
        FT_Init_FreeType(&lib_);
        if (FT_New_Face(lib_, path.c_str(), index, &face_) != 0) face_ = nullptr;
    }
    ~FtFace() {
        if (face_) FT_Done_Face(face_);
        FT_Done_FreeType(lib_);
    }
    FT_Face operator->() const { return face_; }
    FT_Face get() const { return face_; }
    const TT_OS2* Os2() const {
        return static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    }
    // The Windows cell in font units, as the font's OS/2 table gives it.
    long WinAscent() const { return Os2()->usWinAscent; }
    long WinDescent() const { return Os2()->usWinDescent; }

  private:
    FT_Library lib_ = nullptr;
    FT_Face face_ = nullptr;
};

bool IsBoldFace(const FtFace& f) {
    return (f->style_flags & FT_STYLE_FLAG_BOLD) || (f.Os2() && f.Os2()->usWeightClass >= 700);
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower((unsigned char)c));
    return s;
}

// round(v * ppem / upem), halves up: the rule the cell metrics are documented with.
int Px(long v, int ppem, int upem) { return int((v * ppem + upem / 2) / upem); }

// A font file of a family, found through fontconfig by the test itself; "" when not installed.
std::string InstalledFile(const char* family) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* os = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* set = FcFontList(config, p, os);
    std::string file;
    FcChar8* f = nullptr;
    if (set && set->nfont > 0 && FcPatternGetString(set->fonts[0], FC_FILE, 0, &f) == FcResultMatch)
        file = reinterpret_cast<const char*>(f);
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(os);
    FcPatternDestroy(p);
    FcConfigDestroy(config);
    return file;
}

struct NamedFace {
    const char* name;
    FontClass expected;
    bool heavy; // must be bold even when asked for a normal weight
};

constexpr NamedFace kProgramFaces[] = {
    {"MS Sans Serif", FontClass::Sans, false},
    {"Tahoma", FontClass::Sans, false},
    {"Arial", FontClass::Sans, false},
    {"Arial Black", FontClass::Sans, true},
    {"Times New Roman", FontClass::Serif, false},
    {"Courier New", FontClass::Mono, false},
};

} // namespace

// Every name the forms use resolves, regular and bold, to a face of the right kind that has
// every Kazakh letter and the Cyrillic alphabet (checked in the file through FreeType).
TEST(FontEngine, ProgramFacesHaveEveryKazakhLetter) {
    for (const NamedFace& named : kProgramFaces)
        for (LONG weight : {FW_NORMAL, FW_BOLD}) {
            SCOPED_TRACE(std::string(named.name) + " weight " + std::to_string(weight));
            auto font = FontEngine::Instance().Realize(Font(named.name, -16, weight));
            ASSERT_TRUE(font);
            FtFace face(font->FilePath(), font->FaceIndex());
            ASSERT_TRUE(face.get());
            for (char32_t c : kKazakh) {
                EXPECT_NE(FT_Get_Char_Index(face.get(), c), 0u) << "U+" << std::hex << unsigned(c);
                EXPECT_NE(font->GlyphIndex(c), 0u);
            }
            for (char32_t c = U'А'; c <= U'я'; ++c) EXPECT_NE(FT_Get_Char_Index(face.get(), c), 0u);

            const std::string family = Lower(font->FamilyName());
            const bool serifName = family.find("serif") != std::string::npos &&
                                   family.find("sans") == std::string::npos;
            EXPECT_EQ(named.expected == FontClass::Mono, FT_IS_FIXED_WIDTH(face.get()) != 0)
                << family;
            if (named.expected == FontClass::Serif) {
                EXPECT_TRUE(serifName) << family;
            } else if (named.expected == FontClass::Sans) {
                EXPECT_FALSE(serifName) << family;
            }
            const bool wantBold = weight >= FW_BOLD || named.heavy;
            EXPECT_EQ(wantBold, IsBoldFace(face) || font->SyntheticBold()) << family;
            EXPECT_EQ(FontEngine::ClassOf(named.name), named.expected);
        }
}

// The families these names reach have italic (or oblique) faces, so italic is the face's own,
// not a slanted upright one; upright requests get upright faces.
TEST(FontEngine, ItalicIsHonoured) {
    for (const char* name : {"Arial", "Times New Roman", "Courier New", "Tahoma"})
        for (LONG weight : {FW_NORMAL, FW_BOLD})
            for (bool italic : {false, true}) {
                SCOPED_TRACE(std::string(name) + (italic ? " italic " : " upright ") +
                             std::to_string(weight));
                auto font = FontEngine::Instance().Realize(Font(name, -16, weight, italic));
                ASSERT_TRUE(font);
                FtFace face(font->FilePath(), font->FaceIndex());
                EXPECT_EQ((face->style_flags & FT_STYLE_FLAG_ITALIC) != 0, italic);
                EXPECT_FALSE(font->SyntheticItalic());
                EXPECT_EQ(font->Metrics().italic, italic);
                EXPECT_EQ(IsBoldFace(face), weight >= FW_BOLD);
            }
}

// An installed face that lacks Kazakh letters is refused for one that has them; the coverage
// check itself reads the character map.
TEST(FontEngine, FaceWithoutKazakhFallsBack) {
    const std::string math = InstalledFile("DejaVu Math TeX Gyre");
    if (math.empty()) GTEST_SKIP() << "no font without Kazakh letters installed to try";
    {
        FtFace face(math, 0);
        ASSERT_TRUE(face.get());
        bool lacks = false;
        for (char32_t c : kKazakh) lacks |= FT_Get_Char_Index(face.get(), c) == 0;
        ASSERT_TRUE(lacks) << "the sample face has every Kazakh letter after all";
    }
    EXPECT_FALSE(FontEngine::Instance().CoversKazakh(math, 0));
    EXPECT_TRUE(FontEngine::Instance().CoversKazakh(InstalledFile("DejaVu Sans"), 0));
    EXPECT_FALSE(FontEngine::Instance().CoversKazakh("/nonexistent/font.ttf", 0));

    auto font = FontEngine::Instance().Realize(Font("DejaVu Math TeX Gyre", -20));
    ASSERT_TRUE(font);
    EXPECT_NE(font->FilePath(), math);
    for (char32_t c : kKazakh) EXPECT_NE(font->GlyphIndex(c), 0u);
}

// The rule wants every Kazakh letter, Ё ё and А..я: a face missing any one of them fails.
TEST(FontEngine, CoverageRuleNamesEveryLetter) {
    std::u32string wanted(std::begin(kKazakh), std::end(kKazakh));
    wanted += U"Ёё";
    for (char32_t c = U'А'; c <= U'я'; ++c) wanted += c;
    EXPECT_TRUE(
        FontEngine::CoversKazakh([&](char32_t c) { return wanted.find(c) != wanted.npos; }));
    for (char32_t missing : wanted)
        EXPECT_FALSE(FontEngine::CoversKazakh([&](char32_t c) {
            return c != missing && wanted.find(c) != wanted.npos;
        })) << "U+"
            << std::hex << unsigned(missing);
}

// Installed families are used as named; unknown names give a sans face.
TEST(FontEngine, InstalledAndUnknownNames) {
    auto serif = FontEngine::Instance().Realize(Font("DejaVu Serif", -16));
    ASSERT_TRUE(serif);
    if (!InstalledFile("DejaVu Serif").empty()) {
        EXPECT_EQ(serif->FamilyName(), "DejaVu Serif");
    }

    auto unknown = FontEngine::Instance().Realize(Font("No Such Face 1234", -16));
    ASSERT_TRUE(unknown);
    FtFace face(unknown->FilePath(), unknown->FaceIndex());
    const std::string family = Lower(unknown->FamilyName());
    EXPECT_FALSE(FT_IS_FIXED_WIDTH(face.get()));
    EXPECT_TRUE(family.find("sans") != std::string::npos ||
                family.find("serif") == std::string::npos)
        << family;
    for (char32_t c : kKazakh) EXPECT_NE(unknown->GlyphIndex(c), 0u);
}

// Negative heights are em heights; positive ones are cells (ascent + descent, from the font's
// Windows metrics): the largest em whose rounded ascent + descent fits; 0 is a 16-pixel cell.
TEST(FontEngine, HeightsConvertToPixelSizes) {
    for (const char* name : {"Arial", "Times New Roman", "MS Sans Serif", "Courier New"}) {
        for (LONG em : {8, 11, 13, 16, 24, 37}) {
            SCOPED_TRACE(std::string(name) + " em " + std::to_string(em));
            auto font = FontEngine::Instance().Realize(Font(name, -em));
            ASSERT_TRUE(font);
            FtFace face(font->FilePath(), font->FaceIndex());
            const int upem = face->units_per_EM;
            const FontMetrics& m = font->Metrics();
            EXPECT_EQ(m.pixelSize, em);
            EXPECT_EQ(m.ascent, Px(face.WinAscent(), em, upem));
            EXPECT_EQ(m.descent, Px(face.WinDescent(), em, upem));
            EXPECT_EQ(m.height, m.ascent + m.descent);
            EXPECT_EQ(m.height - m.internalLeading, em);
        }
        for (LONG cell : {0, 8, 13, 16, 20, 33}) {
            SCOPED_TRACE(std::string(name) + " cell " + std::to_string(cell));
            auto font = FontEngine::Instance().Realize(Font(name, cell));
            ASSERT_TRUE(font);
            FtFace face(font->FilePath(), font->FaceIndex());
            const int upem = face->units_per_EM;
            const int want = cell == 0 ? 16 : cell;
            int ppem = 1;
            for (int p = 1; p < 200; ++p)
                if (Px(face.WinAscent(), p, upem) + Px(face.WinDescent(), p, upem) <= want)
                    ppem = p;
            EXPECT_EQ(font->Metrics().pixelSize, ppem);
            EXPECT_LE(font->Metrics().height, want);
        }
    }
}

// Heights no font can have are limited rather than overflowing or allocating without bound.
TEST(FontEngine, ExtremeHeightsAreLimited) {
    for (LONG h : {LONG(INT_MIN), LONG(-100000), LONG(100000), LONG(INT_MAX)}) {
        auto font = FontEngine::Instance().Realize(Font("Arial", h));
        ASSERT_TRUE(font);
        EXPECT_GE(font->Metrics().pixelSize, 1);
        EXPECT_LE(font->Metrics().pixelSize, FontEngine::kMaxPixelSize);
    }
}

TEST(FontEngine, RealizedFontsAreSharedByWhatMatters) {
    FontEngine& e = FontEngine::Instance();
    LOGFONT base = Font("Arial", -15);
    auto a = e.Realize(base);

    LOGFONT same = base;
    same.lfUnderline = 1;
    same.lfStrikeOut = 1;
    same.lfEscapement = 900;
    same.lfCharSet = RUSSIAN_CHARSET;
    EXPECT_EQ(e.Realize(same), a);
    EXPECT_EQ(e.Realize(Font("  ARIAL ", -15)), a);

    EXPECT_NE(e.Realize(Font("Arial", -16)), a);
    EXPECT_NE(e.Realize(Font("Arial", -15, FW_BOLD)), a);
    EXPECT_NE(e.Realize(Font("Arial", -15, FW_NORMAL, true)), a);
    EXPECT_NE(e.Realize(Font("Times New Roman", -15)), a);
}

// A face name that fills all 32 bytes without a terminating NUL is read no further.
TEST(FontEngine, UnterminatedFaceName) {
    LOGFONT lf;
    std::memset(lf.lfFaceName, 'Q', LF_FACESIZE);
    lf.lfHeight = -12;
    auto font = FontEngine::Instance().Realize(lf);
    ASSERT_TRUE(font);
    EXPECT_NE(font->GlyphIndex(U'Қ'), 0u);
}

// The cached images are FreeType's own rendering (outline, normal hinting, grayscale).
TEST(FontEngine, GlyphImagesAreFreeTypeRenderings) {
    auto font = FontEngine::Instance().Realize(Font("Times New Roman", -19));
    ASSERT_TRUE(font);
    FtFace face(font->FilePath(), font->FaceIndex());
    FT_Set_Pixel_Sizes(face.get(), 0, 19);
    for (char32_t c : {U'Ә', U'ғ', U'W', U'j', U'1', U' '}) {
        SCOPED_TRACE(unsigned(c));
        ASSERT_EQ(FT_Load_Char(face.get(), c, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP), 0);
        ASSERT_EQ(FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL), 0);
        const FT_Bitmap& bm = face->glyph->bitmap;
        const GlyphImage& g = font->Glyph(c);
        EXPECT_EQ(g.advance, (face->glyph->advance.x + 32) >> 6);
        ASSERT_EQ(g.width, int(bm.width));
        ASSERT_EQ(g.height, int(bm.rows));
        EXPECT_EQ(g.left, face->glyph->bitmap_left);
        EXPECT_EQ(g.top, face->glyph->bitmap_top);
        for (unsigned y = 0; y < bm.rows; ++y)
            for (unsigned x = 0; x < bm.width; ++x)
                ASSERT_EQ(g.coverage[y * bm.width + x], bm.buffer[y * bm.pitch + x])
                    << x << "," << y;
    }
}

TEST(FontEngine, ControlCharactersTakeNoRoom) {
    auto font = FontEngine::Instance().Realize(Font("Arial", -16));
    for (char32_t c :
         {U'\0', U'\t', U'\n', U'\r', char32_t(0x7F), char32_t(0x98), char32_t(0xFEFF)}) {
        const GlyphImage& g = font->Glyph(c);
        EXPECT_EQ(g.advance, 0);
        EXPECT_EQ(g.width * g.height, 0);
    }
}

// Repeated glyphs, straight or rotated, cost no further rendering.
TEST(FontEngine, GlyphCacheRendersOnce) {
    auto font = FontEngine::Instance().Realize(Font("Tahoma", -21));
    FontEngine& e = FontEngine::Instance();
    for (int escapement : {0, 900, 450}) {
        for (char32_t c : {U'Ұ', U'ö', char32_t(0x4E2D)}) {
            const uint64_t before = e.GlyphRenders();
            font->Glyph(c, escapement);
            const uint64_t first = e.GlyphRenders();
            EXPECT_GE(first, before + 1);
            font->Glyph(c, escapement);
            font->Glyph(c, escapement + 3600); // the same angle
            EXPECT_EQ(e.GlyphRenders(), first);
        }
    }
}

// A right-angle rotation turns the glyph's box: width and height swap, within a pixel of hinting.
TEST(FontEngine, RotatedGlyphsTurn) {
    auto font = FontEngine::Instance().Realize(Font("Arial", -30));
    const GlyphImage upright = font->Glyph(U'Ғ');
    const GlyphImage up = font->Glyph(U'Ғ', 900);
    const GlyphImage down = font->Glyph(U'Ғ', -900);
    EXPECT_NEAR(up.width, upright.height, 1);
    EXPECT_NEAR(up.height, upright.width, 1);
    EXPECT_EQ(up.advance, upright.advance);
    // Reading upwards, the glyph stands left of the baseline; reading downwards, right of it.
    EXPECT_LE(up.left + up.width, 1);
    EXPECT_GE(down.left, -1);
}
