// The three skins the build embeds load the same through every route a skin can take: as a
// stored skin of a manager, as a package file and as a folder in the skin directory.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/FileSystem.h"
#include "shell/StoredSkinData.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"

namespace {

const char* const kStoredSkins[] = {"Nordvale", "Pavo", "Frostline"};

// What a load produced, one line per record, so that two loads compare line by line.
std::vector<std::string> Records(const TsSkinManager& m) {
    auto size = [](const Bitmap* b) {
        return b ? std::to_string(b->Width()) + "x" + std::to_string(b->Height()) : "none";
    };
    std::vector<std::string> lines;
    lines.push_back("master " + size(m.MasterBitmap.get()));
    for (const TsGeneralData& g : m.SectionsData)
        lines.push_back("section " + g.SectionName + " parent=" + g.ParentClass +
                        " color=" + std::to_string(g.Color) + " hot=" + std::to_string(g.HotColor) +
                        " font=" + std::to_string(g.FontColor[0]) + " grad=" + g.GradientData +
                        " transparency=" + std::to_string(g.Transparency));
    for (const TsMaskData& i : m.MasksData)
        lines.push_back("image " + i.SectionName + "." + i.PropertyName +
                        " R=" + std::to_string(i.R.left) + "," + std::to_string(i.R.top) + "," +
                        std::to_string(i.R.right) + "," + std::to_string(i.R.bottom) + " frames=" +
                        std::to_string(i.ImageCount) + "/" + std::to_string(i.MaskType) +
                        " type=" + std::to_string(int(i.ImgType)) + " own=" + size(i.Bmp.get()));
    for (const TsPatternData& p : m.PatternsData)
        lines.push_back("pattern " + p.SectionName + "." + p.PropertyName + " " +
                        size(p.Img.get()));
    return lines;
}

class StoredSkinRoutesTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        UseHeadlessBackend(1280, 1024);
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
    }
    void TearDown() override {
        app_.reset();
        ProcessPendingMessages();
        if (!scratch_.empty()) std::filesystem::remove_all(scratch_);
    }
    // A manager that loads `name` from `directory` (a host path), or from the embedded skins
    // when none is given.
    std::unique_ptr<TsSkinManager> Load(const std::string& name, const std::string& directory) {
        auto m = std::make_unique<TsSkinManager>(nullptr);
        if (directory.empty())
            for (const TEmbeddedSkin& e : EmbeddedSkins()) {
                TsStoredSkin& s = m->InternalSkins().Add();
                s.Name = std::string(e.Name);
                s.Data.assign(e.Package.begin(), e.Package.end());
            }
        else
            m->SetSkinDirectory(WindowsPath(directory));
        m->SetSkinName(name);
        return m;
    }
    std::unique_ptr<TApplication> app_;
    std::filesystem::path scratch_;
};

TEST_P(StoredSkinRoutesTest, StoredPackageAndFolderGiveTheSameRecords) {
    const std::string name = GetParam();
    const std::filesystem::path built = STAT_STORED_SKINS_DIR;
    // The build's skin folder has the package beside the folder, and a package is preferred: the
    // folder is copied alone into a skin directory of its own.
    char pattern[] = "/tmp/stored-skins-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    scratch_ = pattern;
    std::filesystem::copy(built / name, scratch_ / name);

    auto stored = Load(name + " (internal)", "");
    auto package = Load(name, built.string());
    auto folder = Load(name, scratch_.string());

    for (const TsSkinManager* m : {stored.get(), package.get(), folder.get()}) {
        EXPECT_TRUE(m->Active());
        EXPECT_TRUE(m->SkinData.Loaded);
        EXPECT_FALSE(m->SectionsData.empty());
        EXPECT_NE(m->MasterBitmap, nullptr);
    }
    EXPECT_EQ(stored->SkinName(), name + " (internal)");
    EXPECT_TRUE(stored->FromPackage);
    EXPECT_TRUE(package->FromPackage);
    EXPECT_FALSE(folder->FromPackage);
    EXPECT_EQ(Records(*stored), Records(*package));
    EXPECT_EQ(Records(*stored), Records(*folder));
}

INSTANTIATE_TEST_SUITE_P(EverySkin, StoredSkinRoutesTest, ::testing::ValuesIn(kStoredSkins));

TEST(EmbeddedSkinsTest, ThreePackagesInTheMainWindowsOrderFoundByExactName) {
    const auto skins = EmbeddedSkins();
    ASSERT_EQ(skins.size(), 3u);
    for (size_t i = 0; i < skins.size(); ++i) {
        EXPECT_EQ(skins[i].Name, std::string(kStoredSkins[i]) + " (internal)");
        ASSERT_GE(skins[i].Package.size(), 8u);
        EXPECT_EQ(std::string(skins[i].Package.begin(), skins[i].Package.begin() + 4), "QKzf");
        EXPECT_EQ(EmbeddedSkinPackage(skins[i].Name).data(), skins[i].Package.data());
    }
    EXPECT_TRUE(EmbeddedSkinPackage("pavo (internal)").empty());
    EXPECT_TRUE(EmbeddedSkinPackage("Pavo").empty());
}

} // namespace
