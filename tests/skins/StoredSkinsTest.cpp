// The three stored skins as the build draws them: each folder loads with every section the
// program uses, its images lie inside their bitmaps and are all reachable, every text colour
// reads against the colours it is drawn on, and no rendered section shows the key colour.
#include <cmath>
#include <gtest/gtest.h>
#include <set>

#include "SkinRenderer.h"
#include "platform/core/FileSystem.h"
#include "skin/qvIniFile.h"
#include "skin/sSkinLoader.h"
#include "skin/sSkinSections.h"

namespace {

// The skin-wide pictures the engine looks up in GLOBALINFO.
const char* const kGlobalImages[] = {
    "BOXCHECKED",  "BOXUNCHECKED", "BOXGRAYED",      "RADIOCHECKED", "RADIOUNCHECKED",
    "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED",  "BICONCLOSE",
    "BICONMAX",    "BICONNORM",    "BICONMIN",       "BICONHELP",    "SICONCLOSE",
    "SICONMAX",    "SICONNORM",    "SICONMIN",       "SICONHELP",    "GRIPIMAGE",
    "CHECK",       "TITLEBUTTON"};

// Keys whose values are pictures in every section.
const std::set<std::string> kImageKeys = {
    "BORDERSMASK", "GLYPHMASK",   "PATTERN",       "HOTPATTERN", "ABORDERSMASK",
    "LRGN",        "TITLEBUTTON", "SLIDERCHANNEL", "SLIDERMASK", "SLIDERVMASK",
    "TICKHORZ",    "TICKVERT",    "IMGTOPRIGHT"};

std::string SkinFolder(const std::string& name) {
    return WindowsPath(std::string(STAT_STORED_SKINS_DIR) + "/" + name) + "\\";
}

// WCAG 2 relative luminance and contrast ratio, from the sRGB channel values.
double Luminance(TColor c) {
    auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c & 0xFF) + 0.7152 * lin((c >> 8) & 0xFF) + 0.0722 * lin((c >> 16) & 0xFF);
}

double Contrast(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class StoredSkin : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(loader.LoadFolder(SkinFolder(GetParam()))) << SkinFolder(GetParam());
        auto text = ReadFileBytes(SkinFolder(GetParam()) + "Options.dat", 1 << 20);
        ASSERT_TRUE(text.Ok());
        ini.SetText(std::string(text.Data.begin(), text.Data.end()));
    }
    const TsGeneralData* Section(const std::string& name) const {
        for (const TsGeneralData& s : loader.Content.SectionsData)
            if (s.SectionName == name) return &s;
        return nullptr;
    }
    bool HasImage(const std::string& section, const std::string& key) const {
        for (const TsMaskData& m : loader.Content.MasksData)
            if (m.SectionName == section && m.PropertyName == key) return true;
        for (const TsPatternData& p : loader.Content.PatternsData)
            if (p.SectionName == section && p.PropertyName == key && p.Img) return true;
        return false;
    }
    TsSkinLoader loader;
    TqvIniFile ini;
};

TEST(ContrastFormula, MatchesKnownRatios) {
    EXPECT_NEAR(Contrast(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(Contrast(0x808080, 0x808080), 1.0, 1e-9);
    // Mid grey 128: (128/255 + 0.055) / 1.055 raised to 2.4 is 0.2158; (1.05) / (0.2658).
    EXPECT_NEAR(Contrast(0x808080, 0xFFFFFF), 3.95, 0.01);
}

TEST_P(StoredSkin, LoadsWithEverySectionAndSkinWideImage) {
    EXPECT_NE(loader.Content.MasterBitmap, nullptr);
    for (const char* name : kSkinSectionNames) EXPECT_NE(Section(name), nullptr) << name;
    for (const char* key : kGlobalImages) EXPECT_TRUE(HasImage("GLOBALINFO", key)) << key;

    // The packed skin the program stores holds the same records.
    TsSkinLoader packed;
    ASSERT_TRUE(packed.LoadPackageFile(
        WindowsPath(std::string(STAT_STORED_SKINS_DIR) + "/" + GetParam() + ".qkz")));
    EXPECT_EQ(packed.Content.SectionsData.size(), loader.Content.SectionsData.size());
    EXPECT_EQ(packed.Content.MasksData.size(), loader.Content.MasksData.size());
    EXPECT_EQ(packed.Content.PatternsData.size(), loader.Content.PatternsData.size());
}

TEST_P(StoredSkin, ParentChainsEndInSectionsOfTheSkin) {
    for (const TsGeneralData& s : loader.Content.SectionsData) {
        if (s.ParentClass.empty()) continue;
        EXPECT_NE(Section(s.ParentClass), nullptr) << s.SectionName << " -> " << s.ParentClass;
        EXPECT_NE(s.ParentClass, s.SectionName);
    }
}

TEST_P(StoredSkin, ImagesLieInsideTheirBitmapsAndSplitIntoWholeFrames) {
    const Bitmap* master = loader.Content.MasterBitmap.get();
    for (const TsMaskData& m : loader.Content.MasksData) {
        const Bitmap* source = m.Bmp ? m.Bmp.get() : master;
        const std::string what = m.SectionName + "/" + m.PropertyName;
        ASSERT_NE(source, nullptr) << what;
        if (m.Bmp && m.R.right == 0) continue; // a small picture: the whole bitmap
        EXPECT_TRUE(m.R.left >= 0 && m.R.top >= 0 && m.R.right <= source->Width() &&
                    m.R.bottom <= source->Height() && m.R.left < m.R.right && m.R.top < m.R.bottom)
            << what;
        ASSERT_GE(m.ImageCount, 1) << what;
        const int fw = (m.R.right - m.R.left) / m.ImageCount;
        const int fh = (m.R.bottom - m.R.top) / (m.MaskType + 1);
        EXPECT_EQ((m.R.right - m.R.left) % m.ImageCount, 0) << what;
        EXPECT_EQ((m.R.bottom - m.R.top) % (m.MaskType + 1), 0) << what;
        if (m.ImgType == itisaBorder) {
            // The slices must leave a middle to tile, or the edges show gaps.
            EXPECT_LT(m.WL + m.WR, fw) << what;
            EXPECT_LT(m.WT + m.WB, fh) << what;
        }
    }
}

TEST_P(StoredSkin, EveryImageKeyResolvesToAnImage) {
    int named = 0;
    for (const TqvIniFile::Section& s : ini.Sections())
        for (const TqvIniFile::Key& k : s.Keys) {
            const bool globalImage =
                s.Name == "GLOBALINFO" &&
                std::find_if(std::begin(kGlobalImages), std::end(kGlobalImages),
                             [&](const char* g) { return k.Name == g; }) != std::end(kGlobalImages);
            if (!kImageKeys.count(k.Name) && !globalImage) continue;
            ++named;
            EXPECT_TRUE(HasImage(s.Name, k.Name)) << s.Name << "/" << k.Name << "=" << k.Value;
        }
    EXPECT_GT(named, 0);
}

// Text must read at 4.5:1 against the section colour and every colour its gradient passes.
TEST_P(StoredSkin, TextContrastsWithEveryBackgroundColour) {
    for (const TsGeneralData& s : loader.Content.SectionsData) {
        auto check = [&](TColor font, TColor back, const char* what) {
            EXPECT_GE(Contrast(font, back), 4.5)
                << s.SectionName << " " << what << ": font " << font << " on " << back;
        };
        check(s.FontColor[0], s.Color, "normal colour");
        for (const auto& step : s.GradientSteps) {
            check(s.FontColor[0], step.Color1, "normal gradient");
            check(s.FontColor[0], step.Color2, "normal gradient");
        }
        check(s.HotFontColor[0], s.HotColor, "hot colour");
        for (const auto& step : s.HotGradientSteps) {
            check(s.HotFontColor[0], step.Color1, "hot gradient");
            check(s.HotFontColor[0], step.Color2, "hot gradient");
        }
    }
}

const TsMaskData* Image(const TsSkinLoader& l, const std::string& section, const std::string& key) {
    for (const TsMaskData& m : l.Content.MasksData)
        if (m.SectionName == section && m.PropertyName == key) return &m;
    return nullptr;
}

// The looks the skins are drawn with: all three gradient modes, masked borders and glyphs,
// the size-grip texture, fading speed buttons, a border in its own bitmap, and a window region
// cut at the top corners.
TEST_P(StoredSkin, UsesTheEngineFeaturesItsLooksNeed) {
    std::set<int> modes;
    for (const TsGeneralData& s : loader.Content.SectionsData)
        for (const TsGradArray* g : {&s.GradientSteps, &s.HotGradientSteps})
            if (!g->empty()) modes.insert((*g)[0].Mode);
    EXPECT_EQ(modes, (std::set<int>{0, 1, 2}));

    const TsGeneralData* speed = Section("SPEEDBUTTON");
    ASSERT_NE(speed, nullptr);
    EXPECT_TRUE(speed->FadingEnabled);
    EXPECT_GT(speed->FadingIterations, 1);

    const TsMaskData* grip = Image(loader, "GRIPH", "PATTERN");
    ASSERT_NE(grip, nullptr);
    EXPECT_EQ(grip->ImgType, itisaTexture);
    EXPECT_EQ(grip->StretchMode, 10);
    EXPECT_EQ(grip->MaskType, 1);

    for (const char* section :
         {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"}) {
        const TsMaskData* arrow = Image(loader, section, "GLYPHMASK");
        ASSERT_NE(arrow, nullptr) << section;
        EXPECT_EQ(arrow->MaskType, 1) << section;
    }

    // The largest buttons keep their picture in a bitmap of their own.
    const TsMaskData* huge = Image(loader, "BUTTON_HUGE", "BORDERSMASK");
    ASSERT_NE(huge, nullptr);
    ASSERT_NE(huge->Bmp, nullptr);
    EXPECT_EQ(huge->ImageCount, 3);

    // The window region follows the key-coloured top-left corner of the frame.
    const TsMaskData* region = Image(loader, "FORM", "LRGN");
    ASSERT_NE(region, nullptr);
    const Bitmap& master = *loader.Content.MasterBitmap;
    EXPECT_EQ(master.GetPixel(region->R.left, region->R.top), RGB(255, 0, 255));
    EXPECT_NE(master.GetPixel(region->R.left + region->WL, region->R.top + region->WT),
              RGB(255, 0, 255));
}

// Every section painted at odd sizes in each state, over a plain parent and over a picture:
// the key colour must never reach the screen.
TEST_P(StoredSkin, RenderedSectionsShowNoKeyColour) {
    TSkinRenderer renderer(std::string(STAT_STORED_SKINS_DIR) + "/" + GetParam(), 0, 0);
    auto picture = std::make_shared<Bitmap>(160, 120, 24);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) picture->SetPixel(x, y, RGB(40 + x, 90, 200 - y));
    TRenderParent plain;
    plain.Color = RGB(200, 200, 200);
    TRenderParent onPicture;
    onPicture.Picture = picture;
    onPicture.At = {7, 5};
    const SIZE sizes[] = {{5, 5}, {13, 9}, {97, 23}, {17, 61}};
    int rendered = 0;
    for (const char* name : kSkinSectionNames)
        for (const SIZE& size : sizes)
            for (int state = 0; state < 3; ++state)
                for (const TRenderParent* parent : {&plain, &onPicture}) {
                    auto bitmap = renderer.Render(name, size, state, *parent);
                    if (!bitmap) continue;
                    ++rendered;
                    int keyed = 0;
                    for (int y = 0; y < bitmap->Height(); ++y)
                        for (int x = 0; x < bitmap->Width(); ++x)
                            keyed += bitmap->GetPixel(x, y) == RGB(255, 0, 255);
                    EXPECT_EQ(keyed, 0) << name << " " << size.cx << "x" << size.cy << " state "
                                        << state << (parent == &plain ? " plain" : " picture");
                }
    EXPECT_EQ(rendered, int(kSkinSectionNames.size() * std::size(sizes)) * 3 * 2);
}

// Frostline lays its frost picture under the window and its panels as a pattern.
TEST(StoredFrostline, TilesItsFrostPictureUnderWindowAndPanels) {
    TsSkinLoader loader;
    ASSERT_TRUE(loader.LoadFolder(SkinFolder("Frostline")));
    std::set<std::string> users;
    for (const TsPatternData& p : loader.Content.PatternsData) {
        ASSERT_NE(p.Img, nullptr);
        EXPECT_GE(int64_t(p.Img->Width()) * p.Img->Height(), 90000);
        users.insert(p.SectionName);
    }
    EXPECT_TRUE(users.count("FORM") && users.count("PANEL")) << users.size();
    for (const TsGeneralData& s : loader.Content.SectionsData) {
        if (s.SectionName == "FORM" || s.SectionName == "PANEL") {
            EXPECT_GT(s.ImagePercent, 0) << s.SectionName;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Stored, StoredSkin, ::testing::Values("Nordvale", "Pavo", "Frostline"));

} // namespace
