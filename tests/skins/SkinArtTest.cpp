// The drawing kit of the skin generator: how pictures are written out with their masks, how
// the atlas places them, and how image values are spelled in the options file.
#include <gtest/gtest.h>

#include "skins/SkinAtlas.h"
#include "skins/SkinImage.h"
#include "skins/SkinOptions.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 10, 20);

BYTE MaskAt(const Bitmap& b, int x, int y) { return BYTE(b.GetPixel(x, y + b.Height() / 2)); }

TEST(SkinImage, GlyphPixelsCarryTheirCoverageInTheMask) {
    // Pixel 0 fully painted, pixel 1 half covered (the shape ends mid-pixel), pixel 2 painted
    // at half opacity, pixel 3 untouched.
    TSkinImage img(4, 1);
    img.Fill(skinshape::Block(0, 0, 1.5, 1), kRed);
    img.Fill(skinshape::Block(2, 0, 3, 1), kRed, 0.5);
    const Bitmap out = img.Emit(TEmitKind::Glyph, true, RGB(255, 255, 255), 0);
    ASSERT_EQ(out.Height(), 2);
    // The picture half holds the plain colour; the mask says how much of the background stays:
    // 255 * (1 - 0.5) = 127.5, rounded to 128.
    const struct {
        int x;
        COLORREF color;
        BYTE mask;
    } cases[] = {{0, kRed, 0}, {1, kRed, 128}, {2, kRed, 128}, {3, kKey, 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(out.GetPixel(c.x, 0), c.color) << c.x;
        EXPECT_EQ(MaskAt(out, c.x, 0), c.mask) << c.x;
    }
}

TEST(SkinImage, BorderOutlinesMixWithTheirSurroundingsOrCutHard) {
    // A black line whose outline covers the second pixel by half.
    TSkinImage img(3, 1);
    img.Silhouette(skinshape::Block(1.5, 0, 3, 1));
    img.Fill(skinshape::Block(0, 0, 3, 1), RGB(0, 0, 0));
    const Bitmap soft = img.Emit(TEmitKind::Border, true, RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(soft.GetPixel(0, 0), kKey);
    EXPECT_EQ(MaskAt(soft, 0, 0), 255);
    // Half black, half the white surroundings: 127.5 rounds to 128; solid, so mask 0.
    EXPECT_EQ(soft.GetPixel(1, 0), RGB(128, 128, 128));
    EXPECT_EQ(MaskAt(soft, 1, 0), 0);
    EXPECT_EQ(soft.GetPixel(2, 0), RGB(0, 0, 0));

    const Bitmap hard = img.Emit(TEmitKind::Border, true, RGB(0, 0, 0), kHardEdge);
    EXPECT_EQ(hard.GetPixel(1, 0), RGB(0, 0, 0)); // half covered counts as inside
    EXPECT_EQ(MaskAt(hard, 1, 0), 0);
}

TEST(SkinImage, SeeThroughPixelsAreNeverKeyColourInTexturesOrBorderInsides) {
    TSkinImage img(2, 1);
    img.Silhouette(skinshape::Block(0, 0, 2, 1));
    img.Fill(skinshape::Block(0, 0, 1, 1), kRed);
    for (TEmitKind kind : {TEmitKind::Texture, TEmitKind::Border}) {
        const Bitmap out = img.Emit(kind, true, RGB(1, 2, 3), RGB(9, 9, 9));
        EXPECT_EQ(out.GetPixel(1, 0), RGB(1, 2, 3));
        EXPECT_EQ(MaskAt(out, 1, 0), 255);
    }
    // A painted colour that happens to equal the key is nudged so it does not turn transparent.
    TSkinImage magenta(1, 1);
    magenta.Fill(skinshape::Block(0, 0, 1, 1), kKey);
    EXPECT_NE(magenta.Emit(TEmitKind::Glyph, false, 0, 0).GetPixel(0, 0), kKey);
}

TEST(SkinImage, FramesTurnAndFlipPixelForPixel) {
    TSkinImage img(3, 2);
    img.Fill(skinshape::Block(2, 0, 3, 1), kRed); // top-right pixel
    const Bitmap transposed = img.Transposed().Emit(TEmitKind::Glyph, false, 0, 0);
    ASSERT_EQ(transposed.Width(), 2);
    ASSERT_EQ(transposed.Height(), 3);
    EXPECT_EQ(transposed.GetPixel(0, 2), kRed);
    EXPECT_EQ(img.FlippedVertically().Emit(TEmitKind::Glyph, false, 0, 0).GetPixel(2, 1), kRed);
    EXPECT_EQ(img.FlippedHorizontally().Emit(TEmitKind::Glyph, false, 0, 0).GetPixel(0, 0), kRed);
}

TEST(SkinAtlas, PlacesPiecesApartWithKeyColourBetween) {
    TSkinAtlas atlas;
    Bitmap a(4, 3, 24), b(5, 2, 24);
    a.Fill(kRed);
    b.Fill(RGB(0, 0, 200));
    const int ia = atlas.Add(a), ib = atlas.Add(b);
    const Bitmap master = atlas.Pack(16);
    const RECT ra = atlas.RectOf(ia), rb = atlas.RectOf(ib);
    EXPECT_EQ(ra.right - ra.left, 4);
    EXPECT_EQ(ra.bottom - ra.top, 3);
    EXPECT_EQ(rb.right - rb.left, 5);
    RECT overlap;
    EXPECT_FALSE(IntersectRect(overlap, ra, rb));
    EXPECT_EQ(master.GetPixel(ra.left, ra.top), kRed);
    EXPECT_EQ(master.GetPixel(rb.right - 1, rb.bottom - 1), RGB(0, 0, 200));
    // Taller pieces go first on the shelf, the next one a gap to the right.
    EXPECT_EQ(rb.left, ra.right + 1);
    EXPECT_EQ(master.GetPixel(ra.right, ra.top), kKey);
}

TEST(SkinOptions, SpellsEachImageSyntaxWithItsFixedColumns) {
    TSkinAtlas atlas;
    const int id = atlas.Add(Bitmap(12, 8, 24));
    atlas.Add(Bitmap(3, 9, 24)); // taller: packed first, so the first piece starts at x = 4
    atlas.Pack(64);
    TSkinOptions o;
    o.Section("BUTTON");
    TImageForm border;
    border.ImageCount = 3;
    border.WL = border.WT = border.WR = border.WB = 1;
    o.Image("BORDERSMASK", id, border);
    TImageForm glyph;
    glyph.Kind = '@';
    glyph.ImageCount = 2;
    o.Image("GLYPHMASK", id, glyph);
    TImageForm texture;
    texture.Kind = '~';
    texture.StretchMode = 10;
    o.Image("PATTERN", id, texture);
    o.Key("COLOR", 15591641);
    EXPECT_EQ(o.Text(atlas), "[BUTTON]\r\n"
                             "BORDERSMASK=^0004^0000^0016^0008^0001^0001^0001^0001^3^1^0^0\r\n"
                             "GLYPHMASK=@0004@0000@0016@0008@2@1\r\n"
                             "PATTERN=~0004~0000~0016~0008~10~1\r\n"
                             "COLOR=15591641\r\n");
}

} // namespace
