#include "shell/Navigation.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "shell/ContentMap.h"

namespace {

using TCalls = std::vector<std::string>;

constexpr char kFolder[] = "C:\\Kurs";

// Records every call the navigator makes, in order, and answers as told.
struct TRecorder {
    TCalls calls;
    int navigateResult = 0;
    bool contentsEnabled = true;

    TNavigatorEvents Events() {
        return {
            [this](const std::string& path) {
                calls.push_back("navigate " + path);
                return navigateResult;
            },
            [this](const std::string& text) { calls.push_back("caption " + text); },
            [this] { calls.push_back("hide title"); },
            [this] { calls.push_back("hide welcome"); },
            [this] {
                calls.push_back("contents enabled?");
                return contentsEnabled;
            },
        };
    }
};

TEST(DocumentPath, JoinsAsTextWithoutNormalising) {
    struct TCase {
        std::string folder;
        std::string_view relative;
        std::string expected;
    };
    const TCase cases[] = {
        {"C:\\Kurs", "\\Doc1\\DAR1.htm", "C:\\Kurs\\Doc1\\DAR1.htm"},
        // A drive root keeps its backslash: two in a row, passed on unchanged.
        {"C:\\", "\\Doc1\\DAR1.htm", "C:\\\\Doc1\\DAR1.htm"},
        {"C:\\a\\..\\b", "\\doc1\\test11.htm", "C:\\a\\..\\b\\doc1\\test11.htm"},
        {"C:\\Оқулық файлдары", "\\komek\\kom.htm", "C:\\Оқулық файлдары\\komek\\kom.htm"},
        {"", "\\flash\\stat.swf", "\\flash\\stat.swf"},
    };
    for (const TCase& c : cases) EXPECT_EQ(DocumentPath(c.folder, c.relative), c.expected);
}

TEST(NavigatorTree, DocumentNodesNavigateThenSetTheCaption) {
    struct TCase {
        int index;
        TCalls expected;
    };
    const std::string topic1 = "Тақырып 1:  Ұлттық байлық статистикасы";
    const TCase cases[] = {
        {1,
         {"navigate C:\\Kurs\\Doc1\\DAR1.htm",
          "caption Дәріс 1: Экономика-әлеуметтік сатистиканың пәні, әдісі. ЭӘС "
          "топтастырылуы."}},
        {10, {"navigate C:\\Kurs\\Doc1\\D1.htm", "caption " + topic1}},
        {12, {"navigate C:\\Kurs\\Doc1\\D1T.htm", "caption " + topic1}},
        {30, {"navigate C:\\Kurs\\Doc1\\test12.htm", "caption Тест( 2 бөлім)"}},
        {31, {"navigate C:\\Kurs\\Doc1\\Tizim.htm", "caption Қолданылған әдебиеттер тізімі"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.index);
        TRecorder recorder;
        TNavigator navigator(kFolder, recorder.Events());
        EXPECT_TRUE(navigator.TreeChanged(c.index));
        EXPECT_EQ(recorder.calls, c.expected);
    }
}

// The tree never hides the title label or the welcome panel, and group nodes (or indexes the
// tree does not have) leave the view and the caption alone.
TEST(NavigatorTree, GroupNodesDoNothingAndNoNodeHidesAnything) {
    for (int index = -1; index <= ContentMap::kTreeNodeCount; ++index) {
        SCOPED_TRACE(index);
        TRecorder recorder;
        TNavigator navigator(kFolder, recorder.Events());
        const bool isGroup = index < 0 || index == ContentMap::kTreeNodeCount || index == 0 ||
                             index == 8 || index == 9 || index == 13 || index == 17 ||
                             index == 21 || index == 25;
        EXPECT_EQ(navigator.TreeChanged(index), !isGroup);
        EXPECT_EQ(recorder.calls.size(), isGroup ? 0u : 2u);
        for (const std::string& call : recorder.calls)
            EXPECT_TRUE(call.starts_with("navigate ") || call.starts_with("caption ")) << call;
    }
}

TEST(NavigatorMenu, StepsRunInOrderAndFollowTheFlags) {
    struct TCase {
        std::string_view item;
        bool itemEnabled;
        bool contentsEnabled;
        TCalls expected;
    };
    const std::string topic3 =
        "Тақырып 3: Өндіріс және еңбек ресурстарын тиімді қолданудың статистикасы";
    const TCase cases[] = {
        {"N23",
         true,
         true,
         {"hide title", "navigate C:\\Kurs\\Doc1\\DAR1.htm", "contents enabled?", "hide welcome",
          "caption Дәріс 1: Экономика-әлеуметтік статистиканың пәні, әдісі. ЭӘС "
          "топтастырылуы."}},
        // N34 leaves the title label moving.
        {"N34",
         true,
         true,
         {"navigate C:\\Kurs\\Doc1\\D3T.htm", "contents enabled?", "hide welcome",
          "caption " + topic3}},
        // A disabled contents button keeps the welcome panel; a disabled item keeps the caption.
        {"N210",
         true,
         false,
         {"hide title", "navigate C:\\Kurs\\doc1\\test12.htm", "contents enabled?",
          "caption Тест (2 бөлім)"}},
        {"N24",
         false,
         true,
         {"hide title", "navigate C:\\Kurs\\komek\\kom.htm", "contents enabled?", "hide welcome"}},
        {"N9",
         false,
         false,
         {"hide title", "navigate C:\\Kurs\\doc1\\test11.htm", "contents enabled?"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.item);
        TRecorder recorder;
        recorder.contentsEnabled = c.contentsEnabled;
        TNavigator navigator(kFolder, recorder.Events());
        EXPECT_TRUE(navigator.MenuClicked(c.item, c.itemEnabled));
        EXPECT_EQ(recorder.calls, c.expected);
    }
}

TEST(NavigatorMenu, ItemsWithoutADocumentDoNothing) {
    for (std::string_view item : {"N21", "N3", "N6", "N10", "unknown"}) {
        TRecorder recorder;
        TNavigator navigator(kFolder, recorder.Events());
        EXPECT_FALSE(navigator.MenuClicked(item, true)) << item;
        EXPECT_TRUE(recorder.calls.empty()) << item;
    }
}

// An error result from the view is raised, naming the path, and the steps after it do not run.
TEST(NavigatorErrors, FailedNavigationThrowsAndSkipsTheLaterSteps) {
    constexpr int kFailure = int(0x80004005u);
    {
        TRecorder recorder;
        recorder.navigateResult = kFailure;
        TNavigator navigator(kFolder, recorder.Events());
        try {
            navigator.MenuClicked("N5", true);
            ADD_FAILURE() << "no error raised";
        } catch (const ENavigationError& error) {
            EXPECT_EQ(error.Path(), "C:\\Kurs\\Doc1\\Plan.htm");
            EXPECT_EQ(error.Result(), kFailure);
            EXPECT_NE(std::string(error.what()).find("C:\\Kurs\\Doc1\\Plan.htm"),
                      std::string::npos);
        }
        EXPECT_EQ(recorder.calls, (TCalls{"hide title", "navigate C:\\Kurs\\Doc1\\Plan.htm"}));
    }
    {
        TRecorder recorder;
        recorder.navigateResult = 1; // any non-zero result is a failure
        TNavigator navigator(kFolder, recorder.Events());
        EXPECT_THROW(navigator.TreeChanged(3), ENavigationError);
        EXPECT_EQ(recorder.calls, TCalls{"navigate C:\\Kurs\\Doc1\\DAR3.htm"});
    }
}

TEST(NavigatorPaths, DriveRootGivesTwoBackslashes) {
    TRecorder recorder;
    TNavigator navigator("C:\\", recorder.Events());
    navigator.TreeChanged(29);
    navigator.MenuClicked("N24", true);
    EXPECT_EQ(recorder.calls.at(0), "navigate C:\\\\Doc1\\test11.htm");
    EXPECT_EQ(recorder.calls.at(3), "navigate C:\\\\komek\\kom.htm");
}

// Changes the process's current directory for the test's span and restores it.
class TCurrentDirectory {
  public:
    explicit TCurrentDirectory(const std::filesystem::path& dir)
        : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~TCurrentDirectory() { std::filesystem::current_path(saved_); }

  private:
    std::filesystem::path saved_;
};

// The Windows form of a host path as the window system gives it: "C:" before the root, and
// backslashes for slashes.
std::string ExpectedWindowsForm(const std::string& hostPath) {
    std::string out = "C:";
    for (char c : hostPath) out += c == '/' ? '\\' : c;
    return out;
}

TEST(StartupContentFolder, IsTheCurrentDirectoryWithoutATrailingBackslash) {
    std::string pattern = (std::filesystem::temp_directory_path() / "shell-folder-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path dir = std::filesystem::canonical(pattern);
    {
        TCurrentDirectory cd(dir);
        const std::string folder = StartupContentFolder();
        EXPECT_EQ(folder, ExpectedWindowsForm(dir.string()));
        EXPECT_NE(folder.back(), '\\');
    }
    {
        TCurrentDirectory cd("/");
        EXPECT_EQ(StartupContentFolder(), "C:\\");
        EXPECT_EQ(DocumentPath(StartupContentFolder(), "\\flash\\stat.swf"),
                  "C:\\\\flash\\stat.swf");
    }
    std::filesystem::remove(dir);
}

} // namespace
