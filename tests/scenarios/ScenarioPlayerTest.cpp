// The scenario player of uishot: reading scripts, key names, and playing commands against
// windows on the headless backend, both driven by a message loop and directly.
#include "ScenarioPlayer.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

#include "platform/WindowTestUtil.h"

namespace {

std::string LoadError(const std::string& script) {
    std::ostringstream out;
    ScenarioPlayer player(out);
    if (player.Load(script)) return "(loaded)";
    EXPECT_TRUE(player.Done()) << "a script with a bad line plays nothing";
    EXPECT_FALSE(player.Drive());
    return player.Error();
}

void RunLoopUntilQuit() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

} // namespace

TEST(ScenarioScript, BadLinesAreReportedWithTheirLineNumberBeforeAnythingRuns) {
    struct Case {
        std::string script;
        std::string error;
    };
    const Case cases[] = {
        {"frobnicate 1", "line 1: unknown command \"frobnicate\""},
        {"WAIT 5", "line 1: unknown command \"WAIT\""},
        {"# a comment\n\n   \nwait", "line 4: wait: expected MS"},
        {"wait 5\r\nwait 1 2\r\n", "line 2: wait: expected MS"},
        {"wait -1", "line 1: wait: MS must be a whole number from 0 to 600000, not \"-1\""},
        {"wait 600001", "line 1: wait: MS must be a whole number from 0 to 600000, not \"600001\""},
        {"wait 10ms", "line 1: wait: MS must be a whole number from 0 to 600000, not \"10ms\""},
        {"click 10", "line 1: click: expected X Y"},
        {"move 1 y", "line 1: move: Y must be a whole number from -32768 to 32767, not \"y\""},
        {"down 40000 0",
         "line 1: down: X must be a whole number from -32768 to 32767, not \"40000\""},
        {"up 1 2 3", "line 1: up: expected X Y"},
        {"key", "line 1: key: expected a key name"},
        {"key F13", "line 1: key: unknown key \"F13\""},
        {"key RETURN ESCAPE", "line 1: key: expected a key name"},
        {"windows now", "line 1: windows: expected no arguments"},
        {"shot", "line 1: shot: expected a file name"},
        {"click 1 2\nshot \"a b", "line 2: a quoted word is not closed"},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadError(c.script), c.error) << c.script;
    EXPECT_EQ(LoadError("# only comments\n\nwait 0\nshot \"with blanks.png\"\n"), "(loaded)");
}

TEST(ScenarioScript, LinesSplitIntoWordsWithQuotedWordsWhole) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(SplitScenarioLine("click 10 20"), (Words{"click", "10", "20"}));
    EXPECT_EQ(SplitScenarioLine("  a\t\"b c\"   d \r"), (Words{"a", "b c", "d"}));
    EXPECT_EQ(SplitScenarioLine(R"(say "x \"y\" \\z" "")"), (Words{"say", R"(x "y" \z)", ""}));
    EXPECT_EQ(SplitScenarioLine(R"(say "a\b")"), (Words{"say", R"(a\b)"}))
        << "other backslashes stay";
    EXPECT_THROW(SplitScenarioLine("say \"abc"), ScenarioError);
    EXPECT_THROW(SplitScenarioLine("say \"a\"b"), ScenarioError);
}

TEST(ScenarioScript, KeyNamesAreTheWin32VirtualKeys) {
    const std::pair<const char*, UINT> known[] = {
        {"RETURN", 0x0D}, {"ESCAPE", 0x1B}, {"TAB", 0x09},  {"LEFT", 0x25},   {"RIGHT", 0x27},
        {"UP", 0x26},     {"DOWN", 0x28},   {"HOME", 0x24}, {"END", 0x23},    {"PRIOR", 0x21},
        {"NEXT", 0x22},   {"SPACE", 0x20},  {"BACK", 0x08}, {"DELETE", 0x2E}, {"INSERT", 0x2D},
        {"F1", 0x70},     {"F9", 0x78},     {"F10", 0x79},  {"F12", 0x7B},    {"A", 0x41},
        {"z", 0x5A},      {"0", 0x30},      {"7", 0x37},    {"return", 0x0D}, {"f5", 0x74},
    };
    for (const auto& [name, vk] : known)
        EXPECT_EQ(VirtualKeyByName(name), std::optional<UINT>(vk)) << name;
    for (const char* bad : {"", "F0", "F13", "F01", "F1x", "AB", "RET", "VK_RETURN", "Ә", "-"})
        EXPECT_EQ(VirtualKeyByName(bad), std::nullopt) << bad;
}

class ScenarioPlayTest : public WindowTest {
  protected:
    std::ostringstream out_;
};

TEST_F(ScenarioPlayTest, InputCommandsReachTheWindowAtTheirPoints) {
    HWND w = Track(CreateWindowEx(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 50, 40, 100, 80,
                                  nullptr, nullptr, nullptr, nullptr));
    ProcessPendingMessages();
    MessageLog().clear();
    ScenarioPlayer player(out_);
    ASSERT_TRUE(
        player.Load("move 60 45\ndown 70 50\nup 71 52\nclick 149 119\nkey RETURN\nkey b\n"));
    ASSERT_TRUE(player.RunToEnd()) << player.Error();

    std::vector<std::tuple<UINT, WPARAM, LPARAM>> seen;
    for (const auto& m : MessageLog())
        if (m.hwnd == w && m.msg != WM_MOUSEMOVE &&
            (m.msg >= WM_LBUTTONDOWN && m.msg <= WM_LBUTTONUP))
            seen.emplace_back(m.msg, 0, m.lParam);
        else if (m.hwnd == w && (m.msg == WM_KEYDOWN || m.msg == WM_KEYUP || m.msg == WM_CHAR))
            seen.emplace_back(m.msg, m.wParam, 0);
    // Screen points less the window's corner (50, 40); a pop-up's client area is all of it.
    const std::vector<std::tuple<UINT, WPARAM, LPARAM>> expected = {
        {WM_LBUTTONDOWN, 0, MAKELPARAM(20, 10)},
        {WM_LBUTTONUP, 0, MAKELPARAM(21, 12)},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(99, 79)},
        {WM_LBUTTONUP, 0, MAKELPARAM(99, 79)},
        {WM_KEYDOWN, VK_RETURN, 0},
        {WM_CHAR, '\r', 0},
        {WM_KEYUP, VK_RETURN, 0},
        {WM_KEYDOWN, 'B', 0},
        {WM_CHAR, 'b', 0},
        {WM_KEYUP, 'B', 0},
    };
    EXPECT_EQ(seen, expected);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor, (POINT{149, 119}));
}

TEST_F(ScenarioPlayTest, WaitMovesTheVirtualClockAndDeliversTimersOnTheWay) {
    HWND w = Track(CreateWindowEx(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr));
    ProcessPendingMessages();
    SetTimer(w, 7, 30, nullptr);
    MessageLog().clear();
    const DWORD start = GetTickCount();
    ScenarioPlayer player(out_);
    ASSERT_TRUE(player.Load("wait 100\nwait 0\nwait 19"));
    ASSERT_TRUE(player.RunNext());
    EXPECT_EQ(GetTickCount() - start, 100u);
    int timers = 0;
    for (const auto& m : MessageLog()) timers += m.hwnd == w && m.msg == WM_TIMER && m.wParam == 7;
    EXPECT_EQ(timers, 3) << "due at 30, 60 and 90";
    ASSERT_TRUE(player.RunToEnd());
    EXPECT_EQ(GetTickCount() - start, 119u);
    KillTimer(w, 7);
}

TEST_F(ScenarioPlayTest, WindowsListsTopLevelWindowsFrontFirst) {
    HWND back =
        Track(CreateWindowEx(0, "Recorder", "Ақпарат \"1\" \\ 2", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             10, 20, 300, 200, nullptr, nullptr, nullptr, nullptr));
    HWND hidden = Track(CreateWindowEx(0, "Recorder", "", WS_POPUP, 0, 0, 5, 6, nullptr, nullptr,
                                       nullptr, nullptr));
    HWND front = Track(CreateWindowEx(0, "Recorder", "Min", WS_OVERLAPPEDWINDOW | WS_VISIBLE, -5, 7,
                                      100, 50, nullptr, nullptr, nullptr, nullptr));
    ShowWindow(front, SW_MINIMIZE);
    SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(back, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    (void)hidden;
    ScenarioPlayer player(out_);
    ASSERT_TRUE(player.Load("windows"));
    ASSERT_TRUE(player.RunToEnd());
    player.SetWindowNamer([front](HWND h) { return h == front ? "Front" : "-"; });
    ASSERT_TRUE(player.Load("windows"));
    ASSERT_TRUE(player.RunToEnd());
    const std::string list = "Recorder \"Min\" visible=true -5,7,95,57\n"
                             "- Recorder \"\" visible=false 0,0,5,6\n"
                             "- Recorder \"Ақпарат \\\"1\\\" \\\\ 2\" visible=true 10,20,310,220\n";
    EXPECT_EQ(out_.str(), "- " + list + "Front " + list);
}

// A step that finds out what to do only when it plays (where a menu has opened) plays the
// steps it makes right after itself, before the rest of its command and the next ones.
TEST_F(ScenarioPlayTest, StepsMadeWhilePlayingComeRightAfterTheStepThatMadeThem) {
    ScenarioPlayer player(out_);
    player.Register("say", [this](const std::vector<std::string>& args) -> ScenarioPlayer::Steps {
        const std::string word = args.at(0);
        return {{[this, word] { out_ << word; }}};
    });
    player.Register(
        "grow", [this, &player](const std::vector<std::string>&) -> ScenarioPlayer::Steps {
            return {{[this, &player] {
                        out_ << "a";
                        player.PlayNext({{[this, &player] {
                                             out_ << "b";
                                             player.PlayNext({{[this] { out_ << "c"; }}});
                                         }},
                                         {[this] { out_ << "d"; }}});
                    }},
                    {[this] { out_ << "e"; }}};
        });
    ASSERT_TRUE(player.Load("say 1\ngrow\nsay 2"));
    int drives = 0;
    while (player.Drive()) ++drives;
    EXPECT_EQ(out_.str(), "1abcde2");
    EXPECT_EQ(drives, 7) << "each step, made early or late, is one play";
}

TEST_F(ScenarioPlayTest, RegisteredCommandsPlayAndAFailureStopsTheScenarioAtItsLine) {
    ScenarioPlayer player(out_);
    player.Register("say", [this](const std::vector<std::string>& args) -> ScenarioPlayer::Steps {
        if (args.empty()) throw ScenarioError("expected words");
        return {{[this, args] {
            for (const std::string& a : args) out_ << '[' << a << ']';
            out_ << '\n';
        }}};
    });
    player.Register("fail", [](const std::vector<std::string>&) -> ScenarioPlayer::Steps {
        return {{[] { throw ScenarioError("it broke"); }}};
    });
    EXPECT_FALSE(player.Load("say hello\nsay"));
    EXPECT_EQ(player.Error(), "line 2: say: expected words");

    ASSERT_TRUE(player.Load("say \"Сәлем, әлем\" 2\n\nfail\nsay never"));
    EXPECT_FALSE(player.RunToEnd());
    EXPECT_TRUE(player.Failed());
    EXPECT_EQ(player.Error(), "line 3: fail: it broke");
    EXPECT_EQ(out_.str(), "[Сәлем, әлем][2]\n");
    EXPECT_FALSE(player.Drive()) << "nothing plays after a failure";
}

TEST_F(ScenarioPlayTest, ShotWritesTheScreenAndReportsAFileItCannotWrite) {
    UseHeadlessBackend(64, 48);
    const std::string file = std::string(STAT_TEST_DATA_DIR) + "/scenario-shot.png";
    std::remove(file.c_str());
    ScenarioPlayer player(out_);
    ASSERT_TRUE(player.Load("shot " + file + "\nshot /no-such-folder/x.png\nwindows"));
    EXPECT_FALSE(player.RunToEnd());
    EXPECT_EQ(player.Error().rfind("line 2: shot: cannot write \"/no-such-folder/x.png\"", 0), 0u)
        << player.Error();
    EXPECT_EQ(out_.str(), "") << "the command after the failure did not run";
    FILE* f = std::fopen(file.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char header[24] = {};
    EXPECT_EQ(std::fread(header, 1, sizeof header, f), sizeof header);
    std::fclose(f);
    // The PNG signature, then the IHDR chunk's big-endian width and height.
    EXPECT_EQ(header[1], 'P');
    EXPECT_EQ((header[16] << 24 | header[17] << 16 | header[18] << 8 | header[19]), 64);
    EXPECT_EQ((header[20] << 24 | header[21] << 16 | header[22] << 8 | header[23]), 48);
}

namespace {
std::vector<std::string> g_events;
bool g_inModalLoop = false;

// A press runs a modal loop that ends when Escape reaches the loop itself, as message boxes
// and menus do; the scenario must go on inside it and see the program carry on after it.
LRESULT ModalProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN && !g_inModalLoop) {
        g_inModalLoop = true;
        g_events.push_back("modal loop starts");
        MSG m;
        while (GetMessage(&m, nullptr, 0, 0)) {
            if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
                g_events.push_back("modal loop saw Escape");
                break;
            }
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        g_events.push_back("modal loop ends");
        g_inModalLoop = false;
        return 0;
    }
    if (msg == WM_KEYDOWN)
        g_events.push_back("key " + std::to_string(wParam) +
                           (g_inModalLoop ? " in the modal loop" : ""));
    return DefWindowProc(hwnd, msg, wParam, lParam);
}
} // namespace

TEST_F(ScenarioPlayTest, DrivenByTheProgramsLoopsEvenModalOnes) {
    WNDCLASS wc;
    wc.lpszClassName = "ScenarioModal";
    wc.lpfnWndProc = ModalProc;
    RegisterClass(wc);
    HWND w = Track(CreateWindowEx(0, "ScenarioModal", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr));
    g_events.clear();
    ScenarioPlayer player(out_);
    player.Register("note", [](const std::vector<std::string>& args) -> ScenarioPlayer::Steps {
        return {{[text = args.at(0)] { g_events.push_back("note " + text); }}};
    });
    ASSERT_TRUE(player.Load("click 10 10\nkey A\nnote inside\nkey ESCAPE\nnote after\nkey B\n"));
    HeadlessBackend& headless = UseHeadlessBackend(800, 600);
    headless.SetDriver([&] { return player.Drive(); });
    RunLoopUntilQuit();
    headless.SetDriver(nullptr);
    EXPECT_TRUE(player.Done());
    EXPECT_FALSE(player.Failed()) << player.Error();
    EXPECT_EQ(g_events, (std::vector<std::string>{"modal loop starts", "key 65 in the modal loop",
                                                  "note inside", "modal loop saw Escape",
                                                  "modal loop ends", "note after", "key 66"}));
    (void)w;
}
