#include <filesystem>
#include <gtest/gtest.h>

#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "skin/qvSkinPack.h"
#include "skin/sSkinLoader.h"

namespace fs = std::filesystem;

namespace {

struct Loaded {
    std::unique_ptr<Bitmap> master;
    TsMaskArray masks;
    TsPatternArray patterns;
    TsGeneralDataArray sections;
    TsSkinData skin;
};

Loaded LoadAll(const std::string& options, const TsSkinFiles& files) {
    Loaded l;
    TqvIniFile ini(options);
    LoadImagePass(ini, files, l.master, l.masks, nullptr);
    LoadPatternPass(ini, files, l.patterns, l.masks, nullptr);
    LoadSectionPass(ini, l.sections, l.skin);
    return l;
}

Loaded LoadText(const std::string& options) {
    return LoadAll(options, TsSkinFiles::FromFolder("C:\\no-such-skin-folder\\"));
}

const TsGeneralData& Section(const Loaded& l, const std::string& name) {
    for (const auto& s : l.sections)
        if (s.SectionName == name) return s;
    throw std::runtime_error("no section " + name);
}

std::vector<uint8_t> Bmp(int w, int h, COLORREF color = RGB(10, 20, 30)) {
    Bitmap b(w, h, 24);
    b.Fill(color);
    return SaveBMP(b);
}

std::vector<uint8_t> Jpeg(int w, int h) {
    Bitmap b(w, h, 24);
    b.Fill(RGB(200, 100, 50));
    return EncodeJPEG(b, 90);
}

} // namespace

TEST(SkinLoader, MasterBitmapImageSyntaxes) {
    const Loaded l = LoadText("[GLOBALINFO]\n"
                              "BOXCHECKED=@0000@0000@0039@0013@3@0\n"
                              "[BUTTON]\n"
                              "BORDERSMASK=^0087^0049^0093^0053^0000^0000^0002^0000^1^0^1^1\n"
                              "PATTERN=~0111~0013~0117~0025~10~1\n"
                              "HOTPATTERN=~0111~0013~0117~0025~10\n"
                              "A=^0000^0000^0036^0024^0000^0000^0000^0000^1^1^0^2\n"
                              "B=^0000^0000^0036^0024^0000^0000^0000^0000^1^1^0^0\n"
                              "C=#x (1, 2, 31, 22) (2, 1, 0, 3)\n"
                              "D=#x (1,2,31,22)\n"
                              "[PANEL]\n"
                              "PATTERN=#x (0 0 10 10) (1 0 2 5)\n"
                              "E=N/A\n"
                              "F=#\n"
                              "G=15591641\n");
    struct Expect {
        const char* section;
        const char* key;
        RECT r;
        int count, mask, border, stretch;
        TqvImgType type;
        int wl, wt, wr, wb;
    } expected[] = {
        {"GLOBALINFO", "BOXCHECKED", {0, 0, 39, 13}, 3, 0, 0, 0, itisaGlyph, 0, 0, 0, 0},
        {"BUTTON", "BORDERSMASK", {87, 49, 93, 53}, 1, 0, 1, 1, itisaBorder, 0, 0, 2, 0},
        {"BUTTON", "PATTERN", {111, 13, 117, 25}, 1, 1, 0, 10, itisaTexture, 0, 0, 0, 0},
        {"BUTTON", "HOTPATTERN", {111, 13, 117, 25}, 1, 0, 0, 10, itisaTexture, 0, 0, 0, 0},
        // all margins 0: from BorderWidth 2
        {"BUTTON", "A", {0, 0, 36, 24}, 1, 1, 2, 0, itisaBorder, 2, 2, 2, 2},
        // all margins 0 and no BorderWidth: 36 / (1*3) = 12, 24 / ((1+1)*3) = 4
        {"BUTTON", "B", {0, 0, 36, 24}, 1, 1, 0, 0, itisaBorder, 12, 4, 12, 4},
        {"BUTTON", "C", {1, 2, 31, 22}, 2, 1, 0, 3, itisaBorder, 5, 3, 5, 3},
        // counts missing: one frame, no mask rows, stretch mode 1; 30/3 = 10, 20/3 = 6
        {"BUTTON", "D", {1, 2, 31, 22}, 1, 0, 0, 1, itisaBorder, 10, 6, 10, 6},
        {"PANEL", "PATTERN", {0, 0, 10, 10}, 1, 0, 2, 0, itisaTexture, 2, 2, 2, 2},
    };
    ASSERT_EQ(l.masks.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& e = expected[i];
        const TsMaskData& m = l.masks[i];
        SCOPED_TRACE(std::string(e.section) + "/" + e.key);
        EXPECT_EQ(m.SectionName, e.section);
        EXPECT_EQ(m.PropertyName, e.key);
        EXPECT_EQ(m.R, e.r);
        EXPECT_EQ(m.ImageCount, e.count);
        EXPECT_EQ(m.MaskType, e.mask);
        EXPECT_EQ(m.BorderWidth, e.border);
        EXPECT_EQ(m.StretchMode, e.stretch);
        EXPECT_EQ(m.ImgType, e.type);
        EXPECT_EQ(m.WL, e.wl);
        EXPECT_EQ(m.WT, e.wt);
        EXPECT_EQ(m.WR, e.wr);
        EXPECT_EQ(m.WB, e.wb);
        EXPECT_FALSE(m.Bmp);
    }
    EXPECT_FALSE(l.master);
}

TEST(SkinLoader, BadDigitGroupEndsTheLoadNamingSectionAndKey) {
    for (const char* value :
         {"@00x0@0000@0039@0013@3@0", "^0087^0049", "#x (1, 2, a, 4)", "!A.BMP!x!1!0"}) {
        SCOPED_TRACE(value);
        try {
            LoadText(std::string("[Panel]\nBORDERSMASK=") + value + "\n");
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("[Panel] BORDERSMASK: ", 0), 0u) << e.what();
        }
    }
}

class SkinFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(STAT_TEST_DATA_DIR) /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        folder_ = WindowsPath(dir_.string()) + "\\";
    }
    void Put(const std::string& name, const std::vector<uint8_t>& data) {
        ASSERT_TRUE(WriteFileBytes(folder_ + name, data));
    }
    fs::path dir_;
    std::string folder_;
};

TEST_F(SkinFolderTest, OwnBitmapsPicturesAndTheMasterBitmap) {
    Put("MASTER.BMP", Bmp(40, 30));
    Put("BUTTONHUGE.BMP", Bmp(36, 24));
    Put("glyph.bmp", Bmp(9, 6)); // plain names are upper-cased, then found without case
    Put("BIG.JPG", Jpeg(300, 300));
    Put("SMALL.JPG", Jpeg(100, 100));
    Put("OWN8.BMP", Bmp(12, 12));
    const Loaded l = LoadAll("[GLOBALINFO]\n"
                             "MASTERBITMAP=MASTER.BMP\n"
                             "[BUTTON_HUGE]\n"
                             "BORDERSMASK=!BUTTONHUGE.BMP!3!1!0\n"
                             "GLYPHMASK=glyph.bmp\n"
                             "MARGINS=!OWN8.BMP!1!0!1!1!2!3!4\n"
                             "GLOWRED=!GLOWRED.PNG!1!0!4\n"
                             "LOWER=!buttonhuge.bmp!3!1!0\n"
                             "MISSING=!NOWHERE.BMP!3!1!0\n"
                             "[PANEL]\n"
                             "PATTERN=small.jpg\n"
                             "HOTPATTERN=BIG.JPG\n"
                             "OTHER=ABSENT.JPG\n",
                             TsSkinFiles::FromFolder(folder_));
    ASSERT_TRUE(l.master);
    EXPECT_EQ(l.master->Width(), 40);
    EXPECT_EQ(l.master->BitsPerPixel(), 24);

    // GLOWRED (not a bitmap), LOWER (".bmp" in lower case) and MISSING make no entry.
    ASSERT_EQ(l.masks.size(), 4u);
    const TsMaskData& huge = l.masks[0];
    ASSERT_TRUE(huge.Bmp);
    EXPECT_EQ(huge.R, Rect(0, 0, 36, 24));
    EXPECT_EQ(huge.ImageCount, 3);
    EXPECT_EQ(huge.MaskType, 1);
    EXPECT_EQ(huge.ImgType, itisaBorder);
    // 36 / (3*3) = 4, 24 / ((1+1)*3) = 4
    EXPECT_EQ(std::vector<int>({huge.WL, huge.WT, huge.WR, huge.WB}),
              std::vector<int>({4, 4, 4, 4}));
    EXPECT_EQ(huge.Bmp->GetPixel(35, 23), RGB(10, 20, 30));

    const TsMaskData& glyph = l.masks[1];
    EXPECT_EQ(glyph.PropertyName, "GLYPHMASK");
    ASSERT_TRUE(glyph.Bmp);
    EXPECT_EQ(glyph.ImageCount, 3);
    EXPECT_EQ(glyph.MaskType, 1);
    EXPECT_EQ(std::vector<int>({glyph.WL, glyph.WT}), std::vector<int>({1, 1})); // 9/9, 6/6

    const TsMaskData& margins = l.masks[2];
    EXPECT_EQ(margins.ImgType, itisaTexture);
    EXPECT_EQ(std::vector<int>({margins.WL, margins.WT, margins.WR, margins.WB}),
              std::vector<int>({1, 2, 3, 4}));

    // The small picture becomes a texture after the image entries; the large one a pattern.
    const TsMaskData& small = l.masks[3];
    EXPECT_EQ(small.SectionName, "PANEL");
    EXPECT_EQ(small.PropertyName, "PATTERN");
    EXPECT_EQ(small.ImgType, itisaTexture);
    EXPECT_EQ(small.ImageCount, 1);
    EXPECT_EQ(small.R, RECT{});
    ASSERT_TRUE(small.Bmp);
    EXPECT_EQ(small.Bmp->Width(), 100);
    ASSERT_EQ(l.patterns.size(), 1u);
    EXPECT_EQ(l.patterns[0].PropertyName, "HOTPATTERN");
    EXPECT_EQ(l.patterns[0].Img->Width(), 300);
}

TEST_F(SkinFolderTest, DamagedBitmapIsAnErrorNamingTheFile) {
    Put("BAD.BMP", {'B', 'M', 1, 2, 3});
    try {
        LoadAll("[PANEL]\nBORDERSMASK=!BAD.BMP!1!0!0\n", TsSkinFiles::FromFolder(folder_));
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find("BAD.BMP"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("[PANEL] BORDERSMASK"), std::string::npos) << e.what();
    }
}

TEST(SkinLoader, PackageMembersAreFoundByUpperCaseName) {
    TqvSkinConvertor reader;
    reader.PackedData = std::make_unique<TMemoryStream>(PackSkin({
        {"Options.dat", {}},
        {"Master.bmp", Bmp(20, 10)},
        {"Glyph.bmp", Bmp(9, 6)},
    }));
    ASSERT_TRUE(reader.UnpackSkin());
    const Loaded l = LoadAll("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"
                             "[A]\nX=!GLYPH.BMP!3!1!2\nY=!Glyph.BMP!3!1!2\nZ=glyph.bmp\n",
                             TsSkinFiles::FromPackage(reader));
    ASSERT_TRUE(l.master);
    EXPECT_EQ(l.master->Width(), 20);
    // "!" names are compared as written: only the upper-case one matches; plain names are
    // upper-cased first.
    ASSERT_EQ(l.masks.size(), 2u);
    EXPECT_EQ(l.masks[0].PropertyName, "X");
    EXPECT_EQ(l.masks[0].ImgType, itisaGlyph);
    EXPECT_EQ(l.masks[1].PropertyName, "Z");
}

TEST(SkinLoader, LowerCaseSectionKeepsItsNameButFilesImagesInUpperCase) {
    const Loaded l = LoadText("[panel]\nBORDERSMASK=@0000@0000@0001@0001@1@0\n");
    ASSERT_EQ(l.sections.size(), 1u);
    EXPECT_EQ(l.sections[0].SectionName, "panel");
    EXPECT_EQ(l.masks[0].SectionName, "PANEL");
}

TEST(SkinLoader, InheritanceThroughParentClass) {
    const Loaded l =
        LoadText("[GLOBALINFO]\nCOLOR=100\n"
                 "[PANEL]\nTRANSPARENCY=40\nSHADOWCOLOR=77\nFONTCOLOR=5\nTCLEFT=6\nSHOWFOCUS=TRUE\n"
                 "GRADIENTDATA=1;2;3;0;0\nHOTCOLOR=-2147483633\nCOLOR=-2147483633\n"
                 "[BUTTON]\nPARENTCLASS=PANEL\nTRANSPARENCY=-1\nFONTCOLOR=abc\nSHOWFOCUS=no\n"
                 "[TOOLBUTTON]\nPARENTCLASS=button\n"
                 "[SELF]\nPARENTCLASS=SELF\n"
                 "[QUESTION]\nPARENTCLASS=?\n"
                 "[LOOPA]\nPARENTCLASS=LOOPB\n"
                 "[LOOPB]\nPARENTCLASS=LOOPA\nBEVEL=3\n"
                 "[ORPHAN]\nPARENTCLASS=NOSUCH\n");
    ASSERT_EQ(l.sections.size(), 9u);
    const TsGeneralData& button = Section(l, "BUTTON");
    EXPECT_EQ(button.ParentClass, "PANEL");
    EXPECT_EQ(button.Transparency, 40); // -1 counts as absent
    EXPECT_EQ(button.FontColor[0], 5);  // not a number: as if absent
    EXPECT_EQ(button.FontColor[1], 6);
    EXPECT_EQ(button.FontColor[2], -1);
    EXPECT_FALSE(button.ShowFocus);   // own Boolean wins, anything but TRUE is false
    EXPECT_EQ(button.ShadowColor, 0); // not inherited
    EXPECT_EQ(button.GradientData, "1;2;3;0;0");
    ASSERT_EQ(button.GradientSteps.size(), 1u);
    // COLOR is resolved to plain RGB (button face), HOTCOLOR keeps the system colour value.
    EXPECT_EQ(button.Color, TColor(RGB(212, 208, 200)));
    EXPECT_EQ(button.HotColor, -2147483633);

    const TsGeneralData& tool = Section(l, "TOOLBUTTON"); // parent named in another case
    EXPECT_EQ(tool.Transparency, 40);
    EXPECT_TRUE(tool.ShowFocus == false);

    for (const char* name : {"SELF", "QUESTION", "ORPHAN"}) {
        SCOPED_TRACE(name);
        const TsGeneralData& s = Section(l, name);
        EXPECT_EQ(s.Color, 0xFFFFFF);
        EXPECT_EQ(s.ShadowBlur, 6);
        EXPECT_EQ(s.ShadowOffset, 3);
        EXPECT_EQ(s.ShadowTransparency, 50);
        EXPECT_EQ(s.FadingIterations, 5);
        EXPECT_EQ(s.GradientData, " ");
        EXPECT_TRUE(s.GradientSteps.empty());
        EXPECT_EQ(s.HotGradientData, "");
        EXPECT_EQ(s.FontColor, (TsFontColors{0, -1, -1, -1, -1}));
    }
    EXPECT_EQ(Section(l, "LOOPA").Bevel, cbRaisedHard); // a cycle ends instead of looping
    EXPECT_EQ(Section(l, "LOOPB").Bevel, cbRaisedHard);
    EXPECT_EQ(Section(l, "LOOPA").Transparency, 0);
}

TEST(SkinLoader, GlobalInfoValues) {
    const Loaded l = LoadText(
        "[GLOBALINFO]\nVERSION=5.36\nAUTHOR=A. Author\nDESCRIPTION=Blue\nSHADOW1COLOR=255\n"
        "SHADOW1OFFSET=2\nSHADOW1BLUR=4\nSHADOW1TRANSPARENCY=30\nBISPACE=3\nBORDERCOLOR=$FF\n");
    EXPECT_DOUBLE_EQ(l.skin.Version, 5.36);
    EXPECT_EQ(l.skin.Author, "A. Author");
    EXPECT_EQ(l.skin.Description, "Blue");
    EXPECT_EQ(l.skin.Shadow1Color, 255);
    EXPECT_EQ(l.skin.Shadow1Offset, 2);
    EXPECT_EQ(l.skin.Shadow1Blur, 4);
    EXPECT_EQ(l.skin.Shadow1Transparency, 30);
    EXPECT_EQ(l.skin.ButtonSpacing, 3);
    EXPECT_EQ(l.skin.BorderColor, 255);

    const Loaded empty = LoadText("");
    EXPECT_EQ(empty.skin.Version, 0);
    EXPECT_EQ(empty.skin.Shadow1Blur, -1);
    EXPECT_TRUE(empty.sections.empty());
}

TEST(SkinLoader, ValuesThatEndTheLoad) {
    for (const char* text :
         {"[GLOBALINFO]\nSHADOW1OFFSET=x\n", "[GLOBALINFO]\nSHADOW1BLUR=\n",
          "[PANEL]\nGRADIENTDATA=1;2;x;0;0\n", "[PANEL]\nHOTGRADIENTDATA=1;;3;0;0\n"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(LoadText(text), EConvertError);
    }
}
