#include <gtest/gtest.h>

#include "skin/sStoredSkins.h"

TEST(StoredSkins, IndexOfSkinComparesExactly) {
    TsStoredSkins skins;
    skins.Add().Name = "Pavo (internal)";
    skins.Add().Name = "Pavo (internal)";
    EXPECT_EQ(skins.IndexOfSkin("Pavo (internal)"), 0);
    EXPECT_EQ(skins.IndexOfSkin("pavo (internal)"), -1);
}

TEST(StoredSkins, FontColorText) {
    EXPECT_EQ(ParseFontColors("1 2 3 4 5"), (TsFontColors{1, 2, 3, 4, 5}));
    EXPECT_EQ(ParseFontColors(" 1  -1 3 4 5 "), (TsFontColors{1, -1, 3, 4, 5}));
    EXPECT_EQ(ParseFontColors("1 2 3 4"), (TsFontColors{0, -1, -1, -1, -1}));
    EXPECT_EQ(ParseFontColors("1 2 3 4 5 6"), (TsFontColors{0, -1, -1, -1, -1}));
    EXPECT_EQ(ParseFontColors("1 2 x 4 5"), (TsFontColors{0, -1, -1, -1, -1}));
}

TEST(StoredSkins, ExpandedFormBecomesRecords) {
    auto picture = std::make_shared<Bitmap>(4, 2, 32);
    auto master = std::make_shared<Bitmap>(8, 8, 32);
    TsStoredSkin skin;
    skin.MasterBitmap = master;
    skin.Shadow1Blur = 2;
    skin.Version = 5;
    skin.Author = "Author";

    TsSkinGeneral& g = skin.GeneralData.emplace_back();
    g.SectionName = "PANEL";
    g.ParentClass = "GLOBALINFO";
    g.Color = 123;
    g.Bevel = 9; // outside the bevel range
    g.FontColor = "1 2 3 4 5";
    g.GradientData = " ";
    g.HotGradientData = "1;2;3;0;0";

    TsSkinImage& own = skin.Images.emplace_back();
    own.Name = "GLYPH";
    own.SectionName = "panel";
    own.PropertyName = "glyphmask";
    own.Image = picture;
    own.ImageCount = 2;
    own.MaskType = 0;
    own.ImgType = itisaGlyph;

    TsSkinImage& inMaster = skin.Images.emplace_back();
    inMaster.SectionName = "PANEL";
    inMaster.PropertyName = "BORDERSMASK";
    inMaster.Left = 0, inMaster.Top = 0, inMaster.Right = 36, inMaster.Bottom = 24;
    inMaster.ImageCount = 0; // read as three frames with a mask

    TsSkinImage& pattern = skin.Images.emplace_back();
    pattern.SectionName = "PANEL";
    pattern.PropertyName = "PATTERN";
    pattern.Right = pattern.Bottom = 10;
    pattern.ImageCount = 1;
    pattern.StretchMode = 7;
    pattern.ImgType = itisaBorder; // not a texture: its stretch mode is not taken
    pattern.BorderWidth = 3;

    skin.Patterns.push_back({"BG", "PANEL", "HOTPATTERN", nullptr});
    skin.Patterns.push_back({"BG", "FORM", "PATTERN", picture});

    TsSkinContent c;
    LoadExpandedSkin(skin, c, nullptr);
    ASSERT_TRUE(c.MasterBitmap);
    EXPECT_EQ(c.MasterBitmap->BitsPerPixel(), 24);

    ASSERT_EQ(c.SectionsData.size(), 1u);
    const TsGeneralData& s = c.SectionsData[0];
    EXPECT_EQ(s.Color, 123);
    EXPECT_EQ(s.Bevel, cbNone);
    EXPECT_EQ(s.FontColor, (TsFontColors{1, 2, 3, 4, 5}));
    EXPECT_TRUE(s.GradientSteps.empty());
    ASSERT_EQ(s.HotGradientSteps.size(), 1u);

    ASSERT_EQ(c.MasksData.size(), 3u);
    const TsMaskData& m0 = c.MasksData[0];
    ASSERT_TRUE(m0.Bmp);
    EXPECT_EQ(m0.Bmp->BitsPerPixel(), 24);
    EXPECT_EQ(m0.R, Rect(0, 0, 4, 2));
    EXPECT_EQ(m0.SectionName, "PANEL");
    EXPECT_EQ(m0.PropertyName, "GLYPHMASK");
    EXPECT_EQ(m0.ImgType, itisaGlyph);
    EXPECT_EQ(m0.WL, 0); // 4 / (2*3)
    const TsMaskData& m1 = c.MasksData[1];
    EXPECT_FALSE(m1.Bmp);
    EXPECT_EQ(m1.ImageCount, 3);
    EXPECT_EQ(m1.MaskType, 1);
    EXPECT_EQ(std::vector<int>({m1.WL, m1.WT, m1.WR, m1.WB}), std::vector<int>({4, 4, 4, 4}));
    const TsMaskData& m2 = c.MasksData[2];
    EXPECT_EQ(m2.ImgType, itisaTexture);
    EXPECT_EQ(m2.StretchMode, 0);
    EXPECT_EQ(m2.WL, 3);

    ASSERT_EQ(c.PatternsData.size(), 2u);
    EXPECT_EQ(c.PatternsData[0].Img, picture); // shared from the first "BG" with a picture
    EXPECT_EQ(c.SkinData.Shadow1Blur, 2);
    EXPECT_EQ(c.SkinData.BorderColor, 0xFF00FF);
    EXPECT_EQ(c.SkinData.Author, "Author");
}
