#include "platform/core/FileSystem.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // One folder per test: ctest runs the tests of this fixture in parallel processes.
        root_ = fs::path(STAT_TEST_DATA_DIR) /
                (std::string("fs-case-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "Doc1" / "Sub");
        std::ofstream(root_ / "Doc1" / "DAR1.htm") << "x";
        rootWin_ = WindowsPath(root_.string());
    }
    fs::path root_;
    std::string rootWin_;
};

TEST_F(FileSystemTest, MapsWindowsTextAndMatchesComponentsWithoutCase) {
    struct Case {
        std::string rel;
        std::string expected; // relative to root; empty: not found
    } cases[] = {
        {"\\Doc1\\DAR1.htm", "Doc1/DAR1.htm"},
        {"\\doc1\\dar1.HTM", "Doc1/DAR1.htm"},
        {"/DOC1/sub", "Doc1/Sub"},
        {"\\doc1\\missing\\x.htm", "Doc1/missing/x.htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rel);
        EXPECT_EQ(HostPath(rootWin_ + c.rel), (root_ / c.expected).string());
    }
    EXPECT_TRUE(FileExists(rootWin_ + "\\doc1\\dar1.htm"));
    EXPECT_FALSE(FileExists(rootWin_ + "\\doc1"));
    EXPECT_TRUE(DirectoryExists(rootWin_ + "\\DOC1\\SUB\\"));
}

TEST(FileSystem, DrivePrefixStandsForTheRootAndConvertsBack) {
    EXPECT_EQ(HostPath("c:\\"), "/");
    EXPECT_EQ(HostPath("C:"), "/");
    EXPECT_EQ(WindowsPath("/usr/lib/"), "C:\\usr\\lib\\");
    EXPECT_EQ(WindowsPath("rel/x"), "rel\\x");
    EXPECT_EQ(ProgramFolder().back(), '\\');
    EXPECT_EQ(ProgramFolder().substr(0, 3), "C:\\");
}

TEST_F(FileSystemTest, ReadRefusesFilesOverTheLimit) {
    EXPECT_TRUE(ReadFileBytes(rootWin_ + "\\Doc1\\DAR1.htm", 1).Ok());
    auto tooBig = ReadFileBytes(rootWin_ + "\\Doc1\\DAR1.htm", 0);
    EXPECT_FALSE(tooBig.Ok());
    EXPECT_NE(tooBig.Error.find("larger"), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(rootWin_ + "\\nothing.bin", 100).Ok());
}
