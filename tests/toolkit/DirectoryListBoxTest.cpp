// The folder list: it lists the directory the program runs in, as the program sees it.
#include "toolkit/DirectoryListBox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "platform/controls/ListBox.h"

namespace {

class DirectoryListBoxTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        saved_ = std::filesystem::current_path();
        char pattern[] = "/tmp/dirlist-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        // Folders made out of order, and a file that is not listed.
        std::filesystem::create_directory(dir_ / "Suretter");
        std::filesystem::create_directory(dir_ / "Content");
        std::ofstream(dir_ / "index.htm") << "x";
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(saved_);
        std::filesystem::remove_all(dir_);
        ControlTest::TearDown();
    }
    std::filesystem::path saved_, dir_;
};

TEST_F(DirectoryListBoxTest, ListsTheCurrentDirectoryAndItsFolders) {
    TForm* form = MakeForm(200, 100);
    auto* list = Child<TDirectoryListBox>(form, 616, 8, 81, 20);
    list->SetIntegralHeight(true);
    list->SetItemHeight(16);
    list->Hide();
    ShowAndSettle(form);

    EXPECT_EQ(list->Directory(), std::filesystem::current_path().string());
    std::vector<std::string> expected;
    for (const auto& part : std::filesystem::current_path())
        if (!part.string().empty()) expected.push_back(part.string());
    expected.push_back("Content");
    expected.push_back("Suretter");
    EXPECT_EQ(list->Items(), expected);

    const HWND hwnd = list->Handle();
    ASSERT_EQ(SendMessage(hwnd, LB_GETCOUNT, 0, 0), LRESULT(expected.size()));
    char text[256] = {};
    SendMessage(hwnd, LB_GETTEXT, WPARAM(expected.size() - 1), LPARAM(text));
    EXPECT_EQ(std::string(text), "Suretter");
    EXPECT_FALSE(GetWindowLongPtr(hwnd, GWL_STYLE) & LBS_NOINTEGRALHEIGHT);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(DirectoryListBoxTest, AMissingDirectoryListsItsPathOnly) {
    TForm* form = MakeForm(200, 100);
    auto* list = Child<TDirectoryListBox>(form, 0, 0, 81, 40);
    ShowAndSettle(form);
    list->SetDirectory((dir_ / "joq").string());
    EXPECT_EQ(list->Items().back(), "joq");
    EXPECT_EQ(SendMessage(list->Handle(), LB_GETCOUNT, 0, 0), LRESULT(list->Items().size()));
}

} // namespace
