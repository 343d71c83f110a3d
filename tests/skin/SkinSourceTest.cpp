#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/core/FileSystem.h"
#include "skin/sSkinSource.h"
#include "skin/sStoredSkins.h"

namespace fs = std::filesystem;

TEST(SkinDirectory, FullSkinDirectoryRules) {
    const std::string program = "C:\\App\\Bin\\";
    struct Case {
        const char* dir;
        const char* full;
    } cases[] = {
        {"..\\Skins", "C:\\App\\Skins"},     {"../Skins", "C:\\App\\Skins"},
        {".\\Skins", "C:\\App\\Bin\\Skins"}, {"./Skins", "C:\\App\\Bin\\Skins"},
        {"Skins", "C:\\App\\Bin\\Skins"},    {"Skins\\Blue", "C:\\App\\Bin\\Skins\\Blue"},
        {"c:\\Skins", "c:\\Skins"},          {"\\\\server\\share", "\\\\server\\share"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir);
        EXPECT_EQ(FullSkinDirectory(c.dir, program), c.full);
    }
}

TEST(SkinDirectory, TrailingBackslashRules) {
    EXPECT_EQ(WithTrailingBackslash("c:\\Skins"), "c:\\Skins\\");
    EXPECT_EQ(WithTrailingBackslash("c:\\Skins\\"), "c:\\Skins\\");
    EXPECT_EQ(WithTrailingBackslash("c:/Skins/"), "c:/Skins\\");
    EXPECT_EQ(WithTrailingBackslash("D"), "D:\\");
}

class SkinSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // One folder per test: ctest runs the tests of this fixture in parallel processes.
        root_ = fs::path(STAT_TEST_DATA_DIR) /
                (std::string("skin-source-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "Skins" / "Folder Skin");
        fs::create_directories(root_ / "Skins" / "Empty Folder");
        fs::create_directories(root_ / "Skins" / ".hidden");
        std::ofstream(root_ / "Skins" / "Folder Skin" / "Options.dat") << "[GLOBALINFO]\n";
        std::ofstream(root_ / "Skins" / ".hidden" / "Options.dat") << "[GLOBALINFO]\n";
        std::ofstream(root_ / "Skins" / "Blue.Glass.qkz") << "QKzf";
        std::ofstream(root_ / "Skins" / "Upper.QKZ") << "QKzf";
        std::ofstream(root_ / "Skins" / "notes.txt") << "";
        dir_ = WindowsPath((root_ / "Skins").string());
        stored_.Add().Name = "Pavo (internal)";
        stored_.Add().Name = "Aqua (internal)";
    }
    fs::path root_;
    std::string dir_;
    TsStoredSkins stored_;
};

TEST_F(SkinSourceTest, PackageThenFolderThenStoredSkin) {
    TsSkinSource s = ChooseSkinSource("Blue.Glass", dir_, stored_, "C:\\nowhere\\");
    EXPECT_EQ(s.Kind, TsSkinSourceKind::Package);
    EXPECT_EQ(s.Path, dir_ + "\\Blue.Glass.qkz");
    EXPECT_EQ(s.SkinFolder, dir_ + "\\");

    s = ChooseSkinSource("Folder Skin", dir_ + "\\", stored_, "C:\\nowhere\\");
    EXPECT_EQ(s.Kind, TsSkinSourceKind::Folder);
    EXPECT_EQ(s.SkinFolder, dir_ + "\\Folder Skin\\");

    s = ChooseSkinSource("Aqua (internal)", dir_, stored_, "C:\\nowhere\\");
    EXPECT_EQ(s.Kind, TsSkinSourceKind::Stored);
    EXPECT_EQ(s.StoredIndex, 1);
    EXPECT_EQ(s.SkinName, "Aqua (internal)");

    // No match anywhere (names compare with case): the first stored skin, renamed.
    s = ChooseSkinSource("aqua (internal)", dir_, stored_, "C:\\nowhere\\");
    EXPECT_EQ(s.Kind, TsSkinSourceKind::Stored);
    EXPECT_EQ(s.StoredIndex, 0);
    EXPECT_EQ(s.SkinName, "Pavo (internal)");

    s = ChooseSkinSource("Blue", dir_, TsStoredSkins(), "C:\\nowhere\\");
    EXPECT_EQ(s.Kind, TsSkinSourceKind::None);
}

TEST_F(SkinSourceTest, RelativeSkinDirectoryIsTakenFromTheProgramFolder) {
    // The program sits in <root>\Bin, so "..\Skins" is <root>\Skins.
    const std::string program = WindowsPath(root_.string()) + "\\Bin\\";
    TsSkinSource s = ChooseSkinSource("Blue.Glass", "..\\Skins", stored_, program);
    EXPECT_EQ(s.Kind, TsSkinSourceKind::Package);
    s = ChooseSkinSource("Folder Skin", "..\\Skins", stored_, program);
    EXPECT_EQ(s.Kind, TsSkinSourceKind::Folder);
}

TEST_F(SkinSourceTest, ListSkinNamesByKind) {
    std::vector<std::string> names;
    std::string first = ListSkinNames(names, 2, stored_, dir_);
    EXPECT_EQ(first, "Pavo (internal)");
    // Stored skins, the folder with Options.dat, the package up to its first period; the
    // hidden folder, the empty folder, "Upper.QKZ" and the text file are left out; sorted
    // without regard to case.
    EXPECT_EQ(names, (std::vector<std::string>{"Aqua (internal)", "Blue", "Folder Skin",
                                               "Pavo (internal)"}));

    ListSkinNames(names, 0, TsStoredSkins(), dir_);
    EXPECT_EQ(names, (std::vector<std::string>{"Folder Skin"}));
    first = ListSkinNames(names, 1, TsStoredSkins(), dir_);
    EXPECT_EQ(names, (std::vector<std::string>{"Blue"}));
    EXPECT_EQ(first, "Blue");
    // "Blue" is listed but loads nothing of its own: the package is found only as Blue.Glass.
    EXPECT_NE(ChooseSkinSource("Blue", dir_, TsStoredSkins(), "C:\\x\\").Kind,
              TsSkinSourceKind::Package);

    first = ListSkinNames(names, 2, stored_, dir_ + "\\missing");
    EXPECT_EQ(names.size(), 2u);
}
