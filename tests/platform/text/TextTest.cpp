#include "platform/text/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <climits>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/core/TextCodec.h"
#include "platform/gdi/Gdi.h"
#include "platform/image/PngFile.h"
#include "platform/text/FontEngine.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kField = RGB(0, 128, 255); // a background no text colour here uses

const char* const kKazakhLine = "Қазақ тілі: әліпби, ғылым, құндылық, өнер, ұлт, үміт, һәм ң!";

LOGFONT Font(const char* face, LONG height, LONG weight = FW_NORMAL) {
    LOGFONT lf;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    return lf;
}

std::string Utf8(std::u32string_view s) {
    std::string out;
    for (char32_t c : s) AppendUtf8(out, c);
    return out;
}

std::u32string Chars(std::string_view s) {
    std::u32string out;
    for (size_t pos = 0; pos < s.size();) out.push_back(DecodeUtf8(s, pos));
    return out;
}

// A memory context over its own DIB (top-down) with a font of our choosing selected.
class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill = kWhite, int bitsPerPixel = 24)
        : dc(CreateCompatibleDC(nullptr)),
          bitmap_(CreateDIBSection(width, height, bitsPerPixel, true)) {
        oldBitmap_ = SelectObject(dc, bitmap_);
        Fill(fill);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        if (font_) {
            SelectObject(dc, oldFont_);
            DeleteObject(font_);
        }
        SelectObject(dc, oldBitmap_);
        DeleteDC(dc);
        DeleteObject(bitmap_);
    }

    void Use(const LOGFONT& lf) {
        HFONT font = CreateFontIndirect(&lf);
        HGDIOBJ previous = SelectObject(dc, font);
        if (font_)
            DeleteObject(font_);
        else
            oldFont_ = previous;
        font_ = font;
    }
    void Fill(COLORREF color, BYTE alpha = 0) {
        Bitmap& b = pixels();
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                b.SetPixel(x, y, color);
                if (b.BitsPerPixel() == 32) b.ScanLine(y)[x * 4 + 3] = alpha;
            }
    }
    Bitmap& pixels() { return *BitmapOf(bitmap_); }
    COLORREF At(int x, int y) { return pixels().GetPixel(x, y); }
    int Width() { return pixels().Width(); }
    int Height() { return pixels().Height(); }

    // The bounding box (half-open) of the pixels that are not `background`.
    RECT Ink(COLORREF background) {
        RECT box{};
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (At(x, y) != background) UnionRect(box, box, RECT{x, y, x + 1, y + 1});
        return box;
    }
    // The mean position of the pixels that are not `background`.
    POINT Centroid(COLORREF background) {
        long long sx = 0, sy = 0, n = 0;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (At(x, y) != background) {
                    sx += x;
                    sy += y;
                    ++n;
                }
        return n ? POINT{LONG(sx / n), LONG(sy / n)} : POINT{-1, -1};
    }
    std::vector<uint8_t> Bytes() {
        Bitmap& b = pixels();
        std::vector<uint8_t> out;
        for (int y = 0; y < b.Height(); ++y)
            out.insert(out.end(), b.ScanLine(y), b.ScanLine(y) + b.Width() * b.BytesPerPixel());
        return out;
    }

    SIZE Extent(std::string_view text) {
        SIZE s{};
        EXPECT_TRUE(GetTextExtentPoint32(dc, text.data(), int(text.size()), &s));
        return s;
    }
    TEXTMETRIC Metrics() {
        TEXTMETRIC tm;
        EXPECT_TRUE(GetTextMetrics(dc, &tm));
        return tm;
    }

    HDC dc;

  private:
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

void SavePicture(const Bitmap& b, const std::string& file) {
    const std::vector<uint8_t> png = EncodePNG(b);
    std::ofstream(std::string(STAT_TEST_DATA_DIR) + "/" + file, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

// Pixel-for-pixel equality; on failure both pictures are written beside the test binary.
void ExpectSameImage(Canvas& got, Canvas& want, const std::string& name) {
    const bool same = got.Bytes() == want.Bytes();
    std::string first;
    for (int y = 0; y < got.Height() && first.empty() && !same; ++y)
        for (int x = 0; x < got.Width() && first.empty(); ++x)
            if (got.At(x, y) != want.At(x, y))
                first = "first difference at " + std::to_string(x) + "," + std::to_string(y);
    EXPECT_TRUE(same) << name << ": " << first << "; see " << name << "-FAILED.png and " << name
                      << "-expected.png";
    if (!same) {
        SavePicture(got.pixels(), name + "-FAILED.png");
        SavePicture(want.pixels(), name + "-expected.png");
    }
}

// The test's own FreeType view of the face the engine chose for a LOGFONT: same file, same
// pixel size, the load and render modes the engine documents.
class FtFont {
  public:
    explicit FtFont(const LOGFONT& lf) {
        auto realized = FontEngine::Instance().Realize(lf);
        ppem = realized->Metrics().pixelSize;
        FT_Init_FreeType(&lib_);
        FT_New_Face(lib_, realized->FilePath().c_str(), realized->FaceIndex(), &face_);
        FT_Set_Pixel_Sizes(face_, 0, FT_UInt(ppem));
    }
    ~FtFont() {
        FT_Done_Face(face_);
        FT_Done_FreeType(lib_);
    }
    int Advance(char32_t c) {
        EXPECT_EQ(FT_Load_Char(face_, c, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP), 0);
        return int((face_->glyph->advance.x + 32) >> 6);
    }
    int Width(std::u32string_view s) {
        int w = 0;
        for (char32_t c : s) w += Advance(c);
        return w;
    }
    struct Image {
        int width, height, left, top, advance;
        std::vector<uint8_t> coverage;
    };
    Image Render(char32_t c) {
        EXPECT_EQ(FT_Load_Char(face_, c, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP), 0);
        EXPECT_EQ(FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL), 0);
        const FT_Bitmap& bm = face_->glyph->bitmap;
        Image img{int(bm.width),
                  int(bm.rows),
                  face_->glyph->bitmap_left,
                  face_->glyph->bitmap_top,
                  int((face_->glyph->advance.x + 32) >> 6),
                  {}};
        for (unsigned y = 0; y < bm.rows; ++y)
            img.coverage.insert(img.coverage.end(), bm.buffer + y * bm.pitch,
                                bm.buffer + y * bm.pitch + bm.width);
        return img;
    }
    const TT_OS2* Os2() {
        return static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    }
    int Px(long units) {
        return int((units * ppem + face_->units_per_EM / 2) / face_->units_per_EM);
    }
    FT_Face face() { return face_; }

    int ppem = 0;

  private:
    FT_Library lib_ = nullptr;
    FT_Face face_ = nullptr;
};

// The documented blend: (text * c + dst * (255 - c) + 127) / 255.
BYTE Blend(BYTE text, BYTE dst, unsigned c) {
    return BYTE((text * c + dst * (255 - c) + 127) / 255);
}

} // namespace

// ---- Measuring

TEST(Text, ExtentIsTheSumOfAdvances) {
    const LOGFONT fonts[] = {Font("Arial", -13),       Font("Times New Roman", -16, FW_BOLD),
                             Font("MS Sans Serif", 0), Font("Courier New", -12),
                             Font("Arial Black", -20), Font("Tahoma", 14)};
    const std::u32string texts[] = {Chars(kKazakhLine), U"Hello, әлем!", U"", U"Ққ Ңң Һһ Іі"};
    for (const LOGFONT& lf : fonts) {
        Canvas c(8, 8);
        c.Use(lf);
        FtFont ft(lf);
        const TEXTMETRIC tm = c.Metrics();
        for (const std::u32string& t : texts) {
            SCOPED_TRACE(std::string(lf.lfFaceName) + ": " + Utf8(t));
            const SIZE s = c.Extent(Utf8(t));
            EXPECT_EQ(s.cx, ft.Width(t));
            EXPECT_EQ(s.cy, tm.tmHeight);
        }
        // Measuring ignores rotation, and -1 measures up to the NUL.
        LOGFONT rotated = lf;
        rotated.lfEscapement = 900;
        c.Use(rotated);
        SIZE s{};
        ASSERT_TRUE(GetTextExtentPoint32(c.dc, kKazakhLine, -1, &s));
        EXPECT_EQ(s.cx, ft.Width(Chars(kKazakhLine)));
    }
}

TEST(Text, MetricsFollowTheFontTables) {
    struct Case {
        LOGFONT lf;
        bool fixedPitch;
    };
    LOGFONT styled = Font("Times New Roman", -20, FW_BOLD);
    styled.lfItalic = 1;
    styled.lfUnderline = 1;
    styled.lfStrikeOut = 1;
    const Case cases[] = {
        {Font("Arial", -20), false}, {styled, false}, {Font("Courier New", -17), true}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.lf.lfFaceName);
        Canvas c(4, 4);
        c.Use(k.lf);
        FtFont ft(k.lf);
        const TEXTMETRIC tm = c.Metrics();
        EXPECT_EQ(tm.tmAscent, ft.Px(ft.Os2()->usWinAscent));
        EXPECT_EQ(tm.tmDescent, ft.Px(ft.Os2()->usWinDescent));
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -k.lf.lfHeight);
        EXPECT_EQ(tm.tmAveCharWidth, ft.Px(ft.Os2()->xAvgCharWidth));
        EXPECT_EQ(tm.tmMaxCharWidth, ft.Px(ft.face()->max_advance_width));
        EXPECT_GE(tm.tmExternalLeading, 0);
        EXPECT_EQ(tm.tmWeight >= FW_BOLD, k.lf.lfWeight >= FW_BOLD);
        EXPECT_EQ(tm.tmItalic, k.lf.lfItalic);
        EXPECT_EQ(tm.tmUnderlined, k.lf.lfUnderline);
        EXPECT_EQ(tm.tmStruckOut, k.lf.lfStrikeOut);
        // As in Win32 the bit is set for variable pitch.
        EXPECT_EQ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0, k.fixedPitch);
    }
}

// A context with no font selected uses the stock system font: a 16-pixel cell.
TEST(Text, DefaultFontIsTheSystemFont) {
    Canvas c(4, 4);
    const TEXTMETRIC tm = c.Metrics();
    EXPECT_LE(tm.tmHeight, 16);
    EXPECT_GE(tm.tmHeight, 14);
    EXPECT_GT(c.Extent("Әә").cx, 0);
}

// ---- Pixels

// Every pixel of a drawn glyph pair is the documented blend of the text colour over what was
// there, with the coverage FreeType renders; on 32 bits alpha becomes 255 exactly where drawn.
TEST(Text, GlyphsBlendByCoverage) {
    for (int bpp : {24, 32}) {
        SCOPED_TRACE(bpp);
        const LOGFONT lf = Font("Times New Roman", -22);
        Canvas c(40, 32, kWhite, bpp);
        c.Use(lf);
        // A background that varies per pixel, so the blend meets many destination values.
        auto background = [](int x, int y) {
            return RGB(BYTE(x * 37 + y * 11), BYTE(255 - x * 5 - y * 3), BYTE(x * y * 7));
        };
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) {
                c.pixels().SetPixel(x, y, background(x, y));
                if (bpp == 32) c.pixels().ScanLine(y)[x * 4 + 3] = 0x40;
            }
        const COLORREF text = RGB(200, 30, 90);
        SetTextColor(c.dc, text);
        SetBkMode(c.dc, TRANSPARENT);
        const int x0 = 3, y0 = 2;
        ASSERT_TRUE(TextOut(c.dc, x0, y0, "Әg", -1));

        FtFont ft(lf);
        const int baseline = y0 + c.Metrics().tmAscent;
        std::vector<COLORREF> want(size_t(c.Width() * c.Height()));
        std::vector<uint8_t> drawn(want.size(), 0);
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) want[size_t(y * c.Width() + x)] = background(x, y);
        int pen = x0;
        for (char32_t ch : {U'Ә', U'g'}) {
            const FtFont::Image g = ft.Render(ch);
            for (int gy = 0; gy < g.height; ++gy)
                for (int gx = 0; gx < g.width; ++gx) {
                    const int x = pen + g.left + gx, y = baseline - g.top + gy;
                    const unsigned cov = g.coverage[size_t(gy * g.width + gx)];
                    if (x < 0 || y < 0 || x >= c.Width() || y >= c.Height() || cov == 0) continue;
                    COLORREF& w = want[size_t(y * c.Width() + x)];
                    w = RGB(Blend(GetRValue(text), GetRValue(w), cov),
                            Blend(GetGValue(text), GetGValue(w), cov),
                            Blend(GetBValue(text), GetBValue(w), cov));
                    drawn[size_t(y * c.Width() + x)] = 1;
                }
            pen += g.advance;
        }
        int wrong = 0, inked = 0;
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) {
                const size_t i = size_t(y * c.Width() + x);
                inked += drawn[i];
                if (c.At(x, y) != want[i] && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " got " << std::hex << c.At(x, y)
                                  << " want " << want[i];
                if (bpp == 32) {
                    EXPECT_EQ(c.pixels().ScanLine(y)[x * 4 + 3], drawn[i] ? 255 : 0x40);
                }
            }
        EXPECT_GT(inked, 40);
    }
}

// OPAQUE fills the text cell (extent x height) with the background colour under the glyphs;
// TRANSPARENT leaves every uncovered pixel alone. ETO_OPAQUE fills its rectangle regardless.
TEST(Text, OpaqueAndTransparentBackgrounds) {
    const LOGFONT lf = Font("Arial", -18);
    const char* text = "Өнер, ұлт";
    const int x0 = 6, y0 = 5;
    // The reference: transparent text on a page of the background colour.
    Canvas ref(90, 30, kWhite);
    ref.Use(lf);
    SetTextColor(ref.dc, kBlack);
    SetBkMode(ref.dc, TRANSPARENT);
    TextOut(ref.dc, x0, y0, text, -1);
    const SIZE cell = ref.Extent(text);

    Canvas opaque(90, 30, kField);
    opaque.Use(lf);
    SetTextColor(opaque.dc, kBlack);
    SetBkColor(opaque.dc, kWhite);
    SetBkMode(opaque.dc, OPAQUE);
    TextOut(opaque.dc, x0, y0, text, -1);

    Canvas clear(90, 30, kField);
    clear.Use(lf);
    SetTextColor(clear.dc, kBlack);
    SetBkColor(clear.dc, kWhite);
    SetBkMode(clear.dc, TRANSPARENT);
    TextOut(clear.dc, x0, y0, text, -1);

    const RECT box{x0, y0, x0 + cell.cx, y0 + cell.cy};
    int covered = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 90; ++x) {
            const bool inCell = PtInRect(box, POINT{x, y});
            const bool ink = ref.At(x, y) != kWhite; // any coverage darkens white
            covered += ink;
            ASSERT_EQ(opaque.At(x, y), inCell ? ref.At(x, y) : kField) << x << "," << y;
            if (!ink)
                ASSERT_EQ(clear.At(x, y), kField) << x << "," << y;
            else
                ASSERT_NE(clear.At(x, y), kField) << x << "," << y;
        }
    EXPECT_GT(covered, 50);

    // ETO_OPAQUE with a transparent background mode and no text.
    Canvas filled(20, 20, kField);
    SetBkMode(filled.dc, TRANSPARENT);
    SetBkColor(filled.dc, RGB(9, 8, 7));
    const RECT r{3, 4, 11, 9};
    EXPECT_TRUE(ExtTextOut(filled.dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(filled.At(x, y), PtInRect(r, POINT{x, y}) ? RGB(9, 8, 7) : kField);
    // A rectangle reaching far beyond the surface still fills all of it.
    const RECT huge{-1000000000, -1000000000, 1000000000, 1000000000};
    EXPECT_TRUE(ExtTextOut(filled.dc, 0, 0, ETO_OPAQUE, &huge, nullptr, 0, nullptr));
    EXPECT_EQ(filled.Ink(RGB(9, 8, 7)), RECT{});
}

// The alignment flags move the reference point to the right or centre of the text and to its
// baseline or bottom: drawing there gives the same picture as left/top drawing at the shifted
// point.
TEST(Text, TextAlignPlacesTheReferencePoint) {
    const LOGFONT lf = Font("Tahoma", -17);
    const char* text = "Ғылым 12";
    Canvas ref(120, 50);
    ref.Use(lf);
    const int x0 = 11, y0 = 7;
    TextOut(ref.dc, x0, y0, text, -1);
    const SIZE s = ref.Extent(text);
    const TEXTMETRIC tm = ref.Metrics();
    struct Case {
        UINT align;
        int x, y;
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, x0, y0},
        {TA_RIGHT | TA_TOP, x0 + s.cx, y0},
        {TA_CENTER | TA_TOP, x0 + s.cx / 2, y0},
        {TA_LEFT | TA_BASELINE, x0, y0 + tm.tmAscent},
        {TA_LEFT | TA_BOTTOM, x0, y0 + tm.tmHeight},
        {TA_RIGHT | TA_BASELINE, x0 + s.cx, y0 + tm.tmAscent},
        {TA_CENTER | TA_BOTTOM, x0 + s.cx / 2, y0 + tm.tmHeight},
    };
    for (const Case& k : cases) {
        Canvas c(120, 50);
        c.Use(lf);
        EXPECT_EQ(SetTextAlign(c.dc, k.align), TA_LEFT | TA_TOP);
        EXPECT_EQ(GetTextAlign(c.dc), k.align);
        ASSERT_TRUE(TextOut(c.dc, k.x, k.y, text, -1));
        ExpectSameImage(c, ref, "TextAlign" + std::to_string(k.align));
    }
    EXPECT_EQ(SetTextAlign(nullptr, TA_RIGHT), GDI_ERROR);
    EXPECT_EQ(GetTextAlign(nullptr), GDI_ERROR);
}

// TA_UPDATECP draws at the current position and moves it past the text (before it when right
// aligned), so two calls read as one.
TEST(Text, UpdateCurrentPosition) {
    const LOGFONT lf = Font("Arial", -15);
    Canvas ref(120, 30), c(120, 30);
    ref.Use(lf);
    c.Use(lf);
    TextOut(ref.dc, 5, 6, "Әлемге сәлем", -1);
    SetTextAlign(c.dc, TA_UPDATECP);
    MoveToEx(c.dc, 5, 6, nullptr);
    TextOut(c.dc, 999, 999, "Әлемге", -1); // the coordinates are ignored
    TextOut(c.dc, -5, -5, " сәлем", -1);
    ExpectSameImage(c, ref, "UpdateCP");
    POINT cp{};
    MoveToEx(c.dc, 0, 0, &cp);
    EXPECT_EQ(cp, (POINT{5 + c.Extent("Әлемге сәлем").cx, 6}));

    SetTextAlign(c.dc, TA_UPDATECP | TA_RIGHT);
    MoveToEx(c.dc, 100, 6, nullptr);
    TextOut(c.dc, 0, 0, "ab", -1);
    MoveToEx(c.dc, 0, 0, &cp);
    EXPECT_EQ(cp, (POINT{100 - c.Extent("ab").cx, 6}));
}

// dx replaces the font's advances, one entry per character.
TEST(Text, ExplicitAdvances) {
    const LOGFONT lf = Font("Arial", -16);
    Canvas ref(100, 30), c(100, 30);
    ref.Use(lf);
    c.Use(lf);
    const char* letters[] = {"Ә", "Ғ", "Қ", "w"};
    for (int i = 0; i < 4; ++i) TextOut(ref.dc, 4 + 21 * i, 3, letters[i], -1);
    const int dx[] = {21, 21, 21, 21};
    ASSERT_TRUE(ExtTextOut(c.dc, 4, 3, 0, nullptr, "ӘҒҚw", -1, dx));
    ExpectSameImage(c, ref, "ExplicitAdvances");
}

TEST(Text, UnderlineAndStrikeOutAreSolidLinesAcrossTheText) {
    for (bool strike : {false, true}) {
        SCOPED_TRACE(strike ? "strike-out" : "underline");
        LOGFONT lf = Font("Arial", -20);
        const char* text = "Қала, ұя";
        Canvas plain(100, 32), lined(100, 32);
        plain.Use(lf);
        (strike ? lf.lfStrikeOut : lf.lfUnderline) = 1;
        lined.Use(lf);
        SetTextColor(plain.dc, kBlack);
        SetTextColor(lined.dc, kBlack);
        const int x0 = 5, y0 = 4;
        TextOut(plain.dc, x0, y0, text, -1);
        TextOut(lined.dc, x0, y0, text, -1);
        const TEXTMETRIC tm = lined.Metrics();
        const int baseline = y0 + tm.tmAscent;
        const int cx = lined.Extent(text).cx;
        int lineRows = 0;
        for (int y = 0; y < 32; ++y) {
            bool rowDiffers = false, rowSolid = true;
            for (int x = 0; x < 100; ++x) {
                const bool differs = plain.At(x, y) != lined.At(x, y);
                if (differs) {
                    EXPECT_GE(x, x0);
                    EXPECT_LT(x, x0 + cx);
                }
                rowDiffers |= differs;
                if (x >= x0 && x < x0 + cx) rowSolid &= lined.At(x, y) == kBlack;
            }
            if (!rowDiffers) continue;
            ++lineRows;
            EXPECT_TRUE(rowSolid) << "row " << y;
            if (strike) {
                EXPECT_LT(y, baseline);
                EXPECT_GT(y, y0);
            } else {
                EXPECT_GE(y, baseline);
                EXPECT_LT(y, y0 + tm.tmHeight);
            }
        }
        EXPECT_GE(lineRows, 1);
        EXPECT_LE(lineRows, 3);
    }
}

// ---- Rotation

// The escapement turns the baseline about the start point (TA_BASELINE): reading upwards the
// ink lies above the point and left of it, downwards below and right, upside down to its left
// and hanging below; measuring is unchanged.
TEST(Text, RotatedTextLiesWhereTheBaselineTurns) {
    const char* text = "ӘӘӘ";
    const int x0 = 70, y0 = 70;
    LOGFONT lf = Font("Arial", -24);
    Canvas flat(140, 140);
    flat.Use(lf);
    SetTextAlign(flat.dc, TA_BASELINE);
    TextOut(flat.dc, x0, y0, text, -1);
    const RECT f = flat.Ink(kWhite);
    const int cx = flat.Extent(text).cx;
    const int ascent = flat.Metrics().tmAscent;
    ASSERT_FALSE(IsRectEmpty(f));
    EXPECT_LE(f.bottom, y0 + 1);
    EXPECT_GE(f.left, x0 - 1);

    struct Case {
        LONG escapement;
        // Expected bounds of the ink: each side within [min, max].
        int leftMin, leftMax, topMin, topMax, rightMin, rightMax, bottomMin, bottomMax;
    };
    const Case cases[] = {
        // Upwards: x in [x0 - ascent, x0], y in [y0 - cx, y0].
        {900, x0 - ascent - 1, x0 - 1, y0 - cx - 1, y0 - cx + 4, x0 - 4, x0 + 1, y0 - 4, y0 + 1},
        // Downwards: x in [x0, x0 + ascent], y in [y0, y0 + cx].
        {-900, x0 - 1, x0 + 4, y0 - 1, y0 + 4, x0 + 1, x0 + ascent + 1, y0 + cx - 4, y0 + cx + 1},
        {2700, x0 - 1, x0 + 4, y0 - 1, y0 + 4, x0 + 1, x0 + ascent + 1, y0 + cx - 4, y0 + cx + 1},
        // Upside down: x in [x0 - cx, x0], y in [y0, y0 + ascent].
        {1800, x0 - cx - 1, x0 - cx + 4, y0 - 1, y0 + 4, x0 - 4, x0 + 1, y0 + 1, y0 + ascent + 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.escapement);
        lf.lfEscapement = k.escapement;
        Canvas c(140, 140);
        c.Use(lf);
        SetTextAlign(c.dc, TA_BASELINE);
        ASSERT_TRUE(TextOut(c.dc, x0, y0, text, -1));
        const RECT r = c.Ink(kWhite);
        EXPECT_GE(r.left, k.leftMin);
        EXPECT_LE(r.left, k.leftMax);
        EXPECT_GE(r.top, k.topMin);
        EXPECT_LE(r.top, k.topMax);
        EXPECT_GE(r.right, k.rightMin);
        EXPECT_LE(r.right, k.rightMax);
        EXPECT_GE(r.bottom, k.bottomMin);
        EXPECT_LE(r.bottom, k.bottomMax);
        // A quarter or half turn keeps the ink's size, within hinting.
        const bool quarter = k.escapement % 1800 != 0;
        EXPECT_NEAR(WidthOf(r), quarter ? HeightOf(f) : WidthOf(f), 2);
        EXPECT_NEAR(HeightOf(r), quarter ? WidthOf(f) : HeightOf(f), 2);
        EXPECT_EQ(c.Extent(text).cx, cx);
    }

    // -900 and 2700 are one direction.
    Canvas a(140, 140), b(140, 140);
    lf.lfEscapement = -900;
    a.Use(lf);
    lf.lfEscapement = 2700;
    b.Use(lf);
    TextOut(a.dc, x0, y0, text, -1);
    TextOut(b.dc, x0, y0, text, -1);
    ExpectSameImage(a, b, "Escapement2700");

    // 45 degrees: the text climbs to the upper right of its start.
    lf.lfEscapement = 450;
    Canvas d(140, 140);
    d.Use(lf);
    SetTextAlign(d.dc, TA_BASELINE);
    TextOut(d.dc, x0, y0, text, -1);
    const POINT m = d.Centroid(kWhite);
    EXPECT_GT(m.x, x0 + cx / 5);
    EXPECT_LT(m.y, y0 - cx / 5);
}

// ---- Clipping

// Whatever is drawn (opaque cells, lines, rotated and antialiased boxes, text running off the
// surface), no pixel outside the context's clip region changes.
TEST(Text, DrawingStaysInsideTheClipRegion) {
    struct Case {
        const char* name;
        LONG escapement;
        int x, y;
    };
    const Case cases[] = {
        {"flat", 0, 0, 10},
        {"up", 900, 40, 70},
        {"down", 2700, 70, 0},
        {"slanted", 450, 0, 60},
        {"inverted", 1800, 110, 30},
        {"off the top left", 0, -40, -25},
        {"off the bottom right", 300, 90, 50},
    };
    for (int bpp : {24, 32})
        for (const Case& k : cases) {
            SCOPED_TRACE(std::string(k.name) + " " + std::to_string(bpp));
            LOGFONT lf = Font("Arial Black", -30);
            lf.lfEscapement = k.escapement;
            lf.lfUnderline = 1;
            lf.lfStrikeOut = 1;
            Canvas c(120, 70, kField, bpp);
            c.Use(lf);
            SetWindowOrgEx(c.dc, -7, -3, nullptr); // logical (0, 0) is device (7, 3)
            HRGN a = CreateRectRgn(10, 5, 50, 30), b = CreateRectRgn(60, 20, 100, 55);
            CombineRgn(a, a, b, RGN_OR);
            SelectClipRgn(c.dc, a); // device coordinates
            SetBkMode(c.dc, OPAQUE);
            SetBkColor(c.dc, kWhite);
            SetTextColor(c.dc, kBlack);
            TextOut(c.dc, k.x, k.y, "ҚҰӘ ҚҰӘ ҚҰӘ", -1);
            RECT everywhere{-10, -10, 200, 200};
            DrawText(c.dc, "Өнер білім\nкілті", -1, &everywhere, DT_NOCLIP | DT_CENTER);
            int changed = 0;
            for (int y = 0; y < 70; ++y)
                for (int x = 0; x < 120; ++x) {
                    const bool inside = PtInRegion(a, x, y);
                    changed += inside && c.At(x, y) != kField;
                    if (inside) continue;
                    ASSERT_EQ(c.At(x, y), kField) << x << "," << y;
                    if (bpp == 32) {
                        ASSERT_EQ(c.pixels().ScanLine(y)[x * 4 + 3], 0);
                    }
                }
            EXPECT_GT(changed, 0);
            DeleteObject(a);
            DeleteObject(b);
        }
}

// ETO_CLIPPED keeps text inside its rectangle; DrawText clips to its rectangle unless
// DT_NOCLIP.
TEST(Text, RectangleClipping) {
    const LOGFONT lf = Font("Times New Roman", -26);
    const RECT r{20, 10, 70, 40};
    auto outsideUntouched = [&](Canvas& c) {
        int inside = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 120; ++x) {
                if (!PtInRect(r, POINT{x, y}))
                    EXPECT_EQ(c.At(x, y), kField) << x << "," << y;
                else
                    inside += c.At(x, y) != kField;
            }
        return inside;
    };
    {
        Canvas c(120, 60, kField);
        c.Use(lf);
        SetBkColor(c.dc, kWhite);
        EXPECT_TRUE(ExtTextOut(c.dc, 5, 5, ETO_CLIPPED, &r, "Қазақстан Республикасы", -1, nullptr));
        EXPECT_GT(outsideUntouched(c), 0);
    }
    {
        Canvas c(120, 60, kField);
        c.Use(lf);
        SetBkColor(c.dc, kWhite);
        RECT box = r;
        DrawText(c.dc, "Қазақстан Республикасы", -1, &box, DT_WORDBREAK);
        EXPECT_GT(outsideUntouched(c), 0);
    }
    {
        Canvas c(120, 60, kField);
        c.Use(lf);
        RECT box = r;
        DrawText(c.dc, "Қазақстан Республикасы", -1, &box, DT_SINGLELINE | DT_NOCLIP);
        EXPECT_NE(c.Ink(kField).right, 0);
        EXPECT_GT(c.Ink(kField).right, r.right);
    }
}

// ---- DrawText

// Single-line placement: left, centre or right; top, centre or bottom. The picture equals
// TextOut at the point the rule gives.
TEST(DrawText, SingleLinePlacement) {
    const LOGFONT lf = Font("Arial", -16);
    const char* text = "Тест( 2 бөлім)";
    const RECT rect{10, 8, 150, 52};
    Canvas probe(4, 4);
    probe.Use(lf);
    const SIZE s = probe.Extent(text);
    const int h = probe.Metrics().tmHeight;
    const int W = WidthOf(rect), H = HeightOf(rect);
    struct Case {
        UINT format;
        int x, y;
    };
    const Case cases[] = {
        {DT_LEFT | DT_TOP, rect.left, rect.top},
        {DT_CENTER, rect.left + (W - s.cx) / 2, rect.top},
        {DT_RIGHT, rect.right - s.cx, rect.top},
        {DT_VCENTER, rect.left, rect.top + (H - h) / 2},
        {DT_BOTTOM, rect.left, rect.bottom - h},
        {DT_CENTER | DT_VCENTER, rect.left + (W - s.cx) / 2, rect.top + (H - h) / 2},
        {DT_RIGHT | DT_BOTTOM, rect.right - s.cx, rect.bottom - h},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.format);
        Canvas ref(170, 64), c(170, 64);
        ref.Use(lf);
        c.Use(lf);
        TextOut(ref.dc, k.x, k.y, text, -1);
        RECT r = rect;
        const int height = DrawText(c.dc, text, -1, &r, k.format | DT_SINGLELINE);
        ExpectSameImage(c, ref, "DrawTextPlacement" + std::to_string(k.format));
        EXPECT_EQ(r, rect); // drawing leaves the rectangle alone
        // With vertical placement the result is the distance from the top to the text's bottom.
        EXPECT_EQ(height, (k.format & (DT_VCENTER | DT_BOTTOM)) ? k.y + h - rect.top : h);
    }
}

// Lines of a multi-line text are each placed on their own: centred here.
TEST(DrawText, EachLineIsAligned) {
    const LOGFONT lf = Font("Times New Roman", -15);
    Canvas ref(160, 60), c(160, 60);
    ref.Use(lf);
    c.Use(lf);
    const RECT rect{25, 4, 135, 60};
    const int h = ref.Metrics().tmHeight;
    const char* lines[] = {"Дәріс 1", "Ұлттық байлық статистикасы", "ЭӘС"};
    for (int i = 0; i < 3; ++i)
        TextOut(ref.dc, rect.left + (WidthOf(rect) - ref.Extent(lines[i]).cx) / 2, rect.top + i * h,
                lines[i], -1);
    RECT r = rect;
    // The middle line is wider than the rectangle: it is centred all the same, overhanging both
    // sides (seen here through DT_NOCLIP).
    EXPECT_GT(ref.Extent(lines[1]).cx, WidthOf(rect));
    EXPECT_EQ(
        DrawText(c.dc, "Дәріс 1\r\nҰлттық байлық статистикасы\nЭӘС", -1, &r, DT_CENTER | DT_NOCLIP),
        3 * h);
    ExpectSameImage(c, ref, "DrawTextCentredLines");
}

// DT_CALCRECT: how many lines a text takes and how wide the widest is, with widths chosen from
// the measured extents of its words.
TEST(DrawText, CalcRectCountsLines) {
    const LOGFONT lf = Font("Arial", -14);
    Canvas c(4, 4);
    c.Use(lf);
    auto e = [&](const char* s) { return int(c.Extent(s).cx); };
    const int h = c.Metrics().tmHeight;
    const int words = std::max({e("аб"), e("вг"), e("де")});
    struct Case {
        const char* name;
        const char* text;
        int width;
        UINT format;
        int lines;
        int right; // expected width of the result
    };
    const Case cases[] = {
        {"two words fit exactly", "аб вг де", e("аб вг"), DT_WORDBREAK, 2, e("аб вг")},
        {"one pixel short", "аб вг де", e("аб вг") - 1, DT_WORDBREAK, 3, words},
        {"all fit", "аб вг де", e("аб вг де"), DT_WORDBREAK, 1, e("аб вг де")},
        {"words wider than the line stay whole", "аб вг де", 1, DT_WORDBREAK, 3, words},
        {"edit control breaks inside words", "аааа", 2 * e("а"), DT_WORDBREAK | DT_EDITCONTROL, 2,
         2 * e("а")},
        {"no word break: one line", "аб вг де", 1, 0, 1, e("аб вг де")},
        {"newline", "а\nбв", 500, 0, 2, e("бв")},
        {"CR LF is one break", "а\r\nбв", 500, 0, 2, e("бв")},
        {"lone CR", "а\rбв", 500, 0, 2, e("бв")},
        {"trailing break adds no line", "а\n", 500, 0, 1, e("а")},
        {"only a break", "\n", 500, 0, 1, 0},
        {"empty line between", "а\n\nб", 500, 0, 3, e("а")},
        {"empty text", "", 500, DT_WORDBREAK, 0, 0},
        {"single line ignores breaks", "а\nб", 500, DT_SINGLELINE, 1, e("аб")},
        {"tabs expand to eight average widths", "а\tб", 500, DT_EXPANDTABS, 1,
         8 * int(c.Metrics().tmAveCharWidth) + e("б")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        RECT r{10, 20, 10 + k.width, 21};
        const int height = DrawText(c.dc, k.text, -1, &r, k.format | DT_CALCRECT);
        EXPECT_EQ(height, k.lines * h);
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.top, 20);
        EXPECT_EQ(r.bottom, 20 + k.lines * h);
        EXPECT_EQ(r.right, 10 + k.right);
    }
    RECT r{0, 0, 100, 0};
    EXPECT_EQ(DrawText(c.dc, "а\nб", -1, &r, DT_CALCRECT | DT_EXTERNALLEADING),
              2 * (h + int(c.Metrics().tmExternalLeading)));
}

// A wrapped line starts at its word: the blanks at the break belong to neither line.
TEST(DrawText, WrappedLinesDropTheBlanksAtTheBreak) {
    const LOGFONT lf = Font("Tahoma", -15);
    Canvas ref(120, 60), c(120, 60);
    ref.Use(lf);
    c.Use(lf);
    const int h = ref.Metrics().tmHeight;
    TextOut(ref.dc, 4, 2, "Теориялық", -1);
    TextOut(ref.dc, 4, 2 + h, "анықтама", -1);
    RECT r{4, 2, 4 + ref.Extent("Теориялық").cx + 3, 60};
    DrawText(c.dc, "Теориялық   анықтама", -1, &r, DT_WORDBREAK | DT_NOCLIP);
    ExpectSameImage(c, ref, "DrawTextWrap");
}

// "&" marks the next character for underlining and takes no room; "&&" is one "&".
TEST(DrawText, PrefixCharacters) {
    const LOGFONT lf = Font("Arial", -16);
    Canvas c(4, 4);
    c.Use(lf);
    auto e = [&](const char* s) { return int(c.Extent(s).cx); };
    struct Case {
        const char* text;
        UINT format;
        const char* measuredAs;
    };
    const Case cases[] = {
        {"&Файл", 0, "Файл"},
        {"&&A", 0, "&A"},
        {"a&&&b", 0, "a&b"},
        {"A&", 0, "A"},
        {"&Файл", DT_NOPREFIX, "&Файл"},
        {"&Файл", DT_HIDEPREFIX, "Файл"},
    };
    for (const Case& k : cases) {
        RECT r{0, 0, 300, 0};
        DrawText(c.dc, k.text, -1, &r, k.format | DT_CALCRECT | DT_SINGLELINE);
        EXPECT_EQ(r.right, e(k.measuredAs)) << k.text << " " << k.format;
    }
}

// The underline of a prefixed letter is a solid line below the baseline under that letter
// alone; DT_HIDEPREFIX draws none, DT_PREFIXONLY draws nothing else.
TEST(DrawText, PrefixUnderline) {
    const LOGFONT lf = Font("Arial", -18);
    const int x0 = 6, y0 = 3;
    auto draw = [&](Canvas& c, const char* text, UINT format) {
        c.Use(lf);
        SetTextColor(c.dc, kBlack);
        RECT r{x0, y0, 150, 40};
        DrawText(c.dc, text, -1, &r, format | DT_SINGLELINE);
    };
    Canvas plain(150, 40), marked(150, 40), hidden(150, 40), only(150, 40);
    draw(plain, "Файл", 0);
    draw(marked, "Ф&айл", 0);
    draw(hidden, "Ф&айл", DT_HIDEPREFIX);
    draw(only, "Ф&айл", DT_PREFIXONLY);
    ExpectSameImage(hidden, plain, "HidePrefix");

    const int start = x0 + plain.Extent("Ф").cx, end = start + plain.Extent("а").cx;
    const int baseline = y0 + plain.Metrics().tmAscent;
    int rows = 0;
    for (int y = 0; y < 40; ++y) {
        bool differs = false;
        for (int x = 0; x < 150; ++x) {
            const bool inLine = marked.At(x, y) != plain.At(x, y);
            differs |= inLine;
            if (inLine) {
                EXPECT_GE(x, start);
                EXPECT_LT(x, end);
                EXPECT_GE(y, baseline);
            }
        }
        if (!differs) continue;
        ++rows;
        for (int x = start; x < end; ++x) {
            EXPECT_EQ(marked.At(x, y), kBlack) << x << "," << y;
            EXPECT_EQ(only.At(x, y), kBlack) << x << "," << y;
        }
    }
    EXPECT_GE(rows, 1);
    // Prefix-only: the underline and nothing else.
    const RECT ink = only.Ink(kWhite);
    EXPECT_EQ(ink.left, start);
    EXPECT_EQ(ink.right, end);
    EXPECT_EQ(HeightOf(ink), rows);
}

// DT_END_ELLIPSIS keeps the longest start of the text that leaves room for "...", so the line
// fits the rectangle; text that fits is left alone.
TEST(DrawText, EndEllipsisFitsTheWidth) {
    const LOGFONT lf = Font("MS Sans Serif", -13);
    const std::u32string text = U"Экономика-әлеуметтік статистиканың пәні, әдісі";
    Canvas probe(4, 4);
    probe.Use(lf);
    auto e = [&](std::u32string_view s) { return int(probe.Extent(Utf8(s)).cx); };
    // Widths include the exact fits of a start plus "...", where an off-by-one shows.
    for (int width : {8, 40, 95, 160, e(text.substr(0, 10)) + e(U"..."),
                      e(text.substr(0, 25)) + e(U"..."), e(text), e(text) - 1}) {
        SCOPED_TRACE(width);
        std::u32string expected = text;
        if (e(text) > width) {
            size_t keep = 0;
            while (keep < text.size() && e(text.substr(0, keep + 1)) + e(U"...") <= width) ++keep;
            expected = text.substr(0, keep) + U"...";
        }
        Canvas ref(400, 24), c(400, 24);
        ref.Use(lf);
        c.Use(lf);
        TextOut(ref.dc, 3, 2, Utf8(expected).c_str(), -1);
        RECT r{3, 2, 3 + width, 24};
        DrawText(c.dc, Utf8(text).c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
        ExpectSameImage(c, ref, "Ellipsis" + std::to_string(width));
        if (e(U"...") <= width) {
            EXPECT_LE(e(expected), width);
        }
        RECT calc{3, 2, 3 + width, 24};
        DrawText(c.dc, Utf8(text).c_str(), -1, &calc,
                 DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
        EXPECT_EQ(calc.right, 3 + e(expected));
    }
}

// ---- Cache, arguments, odd input

// A line drawn again renders no glyph again, and measuring it renders nothing.
TEST(Text, WarmGlyphCacheRendersNothing) {
    Canvas c(600, 30);
    c.Use(Font("Times New Roman", -17));
    TextOut(c.dc, 0, 0, kKazakhLine, -1);
    const uint64_t renders = FontEngine::Instance().GlyphRenders();
    TextOut(c.dc, 3, 5, kKazakhLine, -1);
    c.Extent(kKazakhLine);
    RECT r{0, 0, 100, 30};
    DrawText(c.dc, kKazakhLine, -1, &r, DT_WORDBREAK);
    EXPECT_EQ(FontEngine::Instance().GlyphRenders(), renders);
}

TEST(Text, BadArgumentsFailCleanly) {
    Canvas c(10, 10);
    SIZE s;
    RECT r{0, 0, 10, 10};
    TEXTMETRIC tm;
    EXPECT_FALSE(TextOut(nullptr, 0, 0, "a", 1));
    EXPECT_FALSE(TextOut(c.dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOut(c.dc, 0, 0, "abc", -2));
    EXPECT_TRUE(TextOut(c.dc, 0, 0, nullptr, 0));
    EXPECT_FALSE(GetTextExtentPoint32(c.dc, "a", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32(nullptr, "a", 1, &s));
    EXPECT_FALSE(GetTextMetrics(nullptr, &tm));
    EXPECT_FALSE(GetTextMetrics(c.dc, nullptr));
    EXPECT_EQ(DrawText(c.dc, "a", 1, nullptr, 0), 0);
    EXPECT_EQ(DrawText(nullptr, "a", 1, &r, 0), 0);
    EXPECT_EQ(DrawText(c.dc, nullptr, 2, &r, 0), 0);
    // A length stops at that many bytes even without a NUL.
    const char unterminated[3] = {'a', 'b', 'c'};
    ASSERT_TRUE(GetTextExtentPoint32(c.dc, unterminated, 2, &s));
    EXPECT_EQ(s.cx, c.Extent("ab").cx);
    // Reference points at the ends of the coordinate range draw nothing and overflow nothing.
    Canvas far(10, 10, kField);
    far.Use(Font("Arial", -12));
    for (UINT align : {TA_LEFT | TA_TOP, TA_RIGHT | TA_BOTTOM, TA_CENTER | TA_BASELINE})
        for (POINT p :
             {POINT{INT_MAX, INT_MAX}, POINT{INT_MIN, INT_MIN}, POINT{INT_MAX, INT_MIN}}) {
            SetTextAlign(far.dc, align);
            EXPECT_TRUE(TextOut(far.dc, p.x, p.y, "Әәә", -1));
        }
    EXPECT_EQ(far.Ink(kField), RECT{});
    // A memory context without a bitmap of its own draws nothing and does not fail.
    HDC bare = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(TextOut(bare, 0, 0, "Әә", -1));
    DeleteDC(bare);
}

// Ill-formed UTF-8 shows as U+FFFD and never stops the text.
TEST(Text, MalformedUtf8IsDrawnAsReplacement) {
    Canvas c(200, 30);
    c.Use(Font("Arial", -15));
    EXPECT_EQ(c.Extent("a\xFF"
                       "b")
                  .cx,
              c.Extent("a\xEF\xBF\xBD"
                       "b")
                  .cx);
    EXPECT_EQ(c.Extent("\xE2\x82").cx, c.Extent("\xEF\xBF\xBD").cx);
    EXPECT_TRUE(TextOut(c.dc, 0, 0, "x\xC0\xAF\xED\xA0\x80y\xF4", -1));
    EXPECT_FALSE(IsRectEmpty(c.Ink(kWhite)));
}
