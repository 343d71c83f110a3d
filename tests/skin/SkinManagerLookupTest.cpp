#include <gtest/gtest.h>

#include "skin/sSkinManager.h"

namespace {

TsGeneralData Section(const char* name, const char* parent = "") {
    TsGeneralData s;
    s.SectionName = name;
    s.ParentClass = parent;
    return s;
}

TsMaskData Image(const char* section, const char* property, TqvImgType type = itisaBorder) {
    TsMaskData m;
    m.SectionName = section;
    m.PropertyName = property;
    m.ImgType = type;
    return m;
}

struct LookupFixture : ::testing::Test {
    TsSkinManager manager{nullptr};
    void SetUp() override {
        manager.SectionsData.push_back(Section("PANEL"));
        manager.SectionsData.push_back(Section("BUTTON", "PANEL"));
        manager.SectionsData.push_back(Section("LOOPA", "LOOPB"));
        manager.SectionsData.push_back(Section("LOOPB", "LOOPA"));
        manager.MasksData.push_back(Image("PANEL", "BORDERSMASK"));
        manager.MasksData.push_back(Image("PANEL", "PATTERN", itisaTexture));
        manager.MasksData.push_back(Image("BUTTON", "PATTERN", itisaGlyph));
    }
};

} // namespace

TEST_F(LookupFixture, SectionsAreFoundByTheirExactName) {
    EXPECT_EQ(manager.GetSectionIndex("BUTTON"), 1);
    EXPECT_EQ(manager.GetSectionIndex("button"), -1);
    EXPECT_EQ(manager.GetSectionIndex(""), -1);
    TsSkinManager empty(nullptr);
    EXPECT_EQ(empty.GetSectionIndex("PANEL"), -1);
}

TEST_F(LookupFixture, ImagesAreInheritedThroughTheParentClass) {
    // BUTTON lacks BORDERSMASK and names PANEL as its parent.
    EXPECT_EQ(manager.GetImageEntryIndex(1, "BUTTON", "BORDERSMASK"), 0);
    EXPECT_EQ(manager.FindImageEntryIndex("BUTTON", "BORDERSMASK"), -1);
    EXPECT_EQ(manager.GetImageEntryIndex(-1, "BUTTON", "BORDERSMASK"), -1);
    EXPECT_EQ(manager.GetImageEntryIndex(1, "", "BORDERSMASK"), -1);
    // Textures only: BUTTON's own PATTERN is a glyph, so PANEL's texture answers.
    EXPECT_EQ(manager.GetImageEntryIndex(1, "BUTTON", "PATTERN"), 2);
    EXPECT_EQ(manager.GetTextureImageIndex(1, "BUTTON", "PATTERN"), 1);
    EXPECT_EQ(manager.GetPatternEntryIndex(1, "BUTTON", "PATTERN"), -1);
}

TEST_F(LookupFixture, AParentLoopEndsTheLookUp) {
    EXPECT_EQ(manager.GetImageEntryIndex(2, "LOOPA", "BORDERSMASK"), -1);
}
