// uishot: runs windows on the headless backend and plays a scenario against them (what a user
// would do, on a virtual clock), printing what it is asked and writing screenshots; or shows
// the same windows on the real desktop to compare.
//
//   uishot --gallery SCRIPT                    the gallery, driven by SCRIPT
//   uishot --gallery-window [--seconds N]      the gallery in real windows
//   uishot [--content DIR] [--user NAME] [--now YYYY-MM-DDTHH:MM:SS] SCRIPT
//                                              the textbook, driven by SCRIPT (- for standard
//                                              input), in DIR (default: the current folder),
//                                              as user NAME, its clock starting at the moment
//   uishot --textbook SCRIPT                   the same with the defaults
//   uishot --view PATH [--out PNG] [--seconds N] [--window]
//                                              one file in the HTML view
//   uishot --monkey N --seed S [--content DIR] [--scratch DIR]
//                                              N random user actions against the textbook
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "Gallery.h"
#include "Monkey.h"
#include "OnScreen.h"
#include "ScenarioPlayer.h"
#include "TextbookCommands.h"
#include "ViewShot.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/core/FileSystem.h"
#include "platform/window/Locale.h"
#include "platform/window/WindowSystem.h"
#include "shell/Program.h"

namespace {

constexpr const char* kUsage =
    "usage: uishot [--content DIR] [--user NAME] [--now YYYY-MM-DDTHH:MM:SS] SCRIPT\n"
    "       uishot --textbook SCRIPT\n"
    "       uishot --gallery SCRIPT\n"
    "       uishot --gallery-window [--seconds N]\n"
    "       uishot --view PATH [--out PNG] [--seconds N] [--window]\n"
    "       uishot --monkey N --seed S [--content DIR] [--scratch DIR]\n";

int UsageError(const std::string& message) {
    std::cerr << "uishot: " << message << "\n" << kUsage;
    return 2;
}

void RunMessageLoop() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// Reads a script from a file, or from standard input for "-".
std::optional<std::string> ReadScript(const std::string& scriptPath) {
    std::stringstream text;
    if (scriptPath == "-") {
        text << std::cin.rdbuf();
        return text.str();
    }
    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) return std::nullopt;
    text << in.rdbuf();
    return text.str();
}

// Plays a script against windows that `run` makes and drives through their own message loop;
// whenever the loop waits, the next command plays. `addCommands` registers the commands of
// the program that runs. When the program ends before the script does (its own exit), that
// is said with a line "exited" and the rest of the script is skipped.
int PlayScenario(const std::string& scriptPath, const std::function<void()>& run,
                 const std::function<void(ScenarioPlayer&)>& addCommands = nullptr,
                 bool reportExit = false) {
    const std::optional<std::string> script = ReadScript(scriptPath);
    if (!script) {
        std::cerr << "uishot: cannot read the script \"" << scriptPath << "\"\n";
        return 1;
    }

    HeadlessBackend& headless = UseHeadlessBackend(1280, 1024);
    ScenarioPlayer player(std::cout);
    if (addCommands) addCommands(player);
    if (!player.Load(*script)) {
        std::cerr << "uishot: " << scriptPath << ", " << player.Error() << "\n";
        return 1;
    }
    bool scriptOver = false;
    headless.SetDriver([&player, &scriptOver] {
        const bool played = player.Drive();
        scriptOver = !played;
        return played;
    });
    run();
    headless.SetDriver(nullptr);
    if (player.Failed()) {
        std::cerr << "uishot: " << scriptPath << ", " << player.Error() << "\n";
        return 1;
    }
    if (reportExit && !scriptOver) {
        std::cout << "exited" << std::endl;
        return 0;
    }
    // The windows may have closed before the script ended; the rest still runs.
    player.RunToEnd();
    ProcessPendingMessages();
    if (player.Failed()) {
        std::cerr << "uishot: " << scriptPath << ", " << player.Error() << "\n";
        return 1;
    }
    return 0;
}

struct TextbookOptions {
    std::string content; // empty: the current directory
    std::optional<std::string> user;
    std::optional<std::time_t> now;
    std::string script;
};

// "YYYY-MM-DDTHH:MM:SS" in local time.
std::optional<std::time_t> ParseLocalTime(const std::string& text) {
    std::tm tm{};
    char tail = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                    &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &tail) != 6 ||
        text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const std::tm given = tm;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    // mktime carries an impossible day or hour into the next; such a date is refused.
    if (t == std::time_t(-1) || tm.tm_mday != given.tm_mday || tm.tm_hour != given.tm_hour ||
        tm.tm_min != given.tm_min || tm.tm_sec != given.tm_sec || tm.tm_mon != given.tm_mon - 1)
        return std::nullopt;
    return t;
}

// Reads the textbook's options; an error is the message for the usage line.
std::optional<TextbookOptions> ParseTextbookArgs(const std::vector<std::string>& args,
                                                 std::string* error) {
    TextbookOptions options;
    size_t i = 0;
    for (; i + 1 < args.size(); i += 2) {
        const std::string& flag = args[i];
        const std::string& value = args[i + 1];
        if (flag == "--content") {
            options.content = value;
        } else if (flag == "--user") {
            options.user = value;
        } else if (flag == "--now") {
            options.now = ParseLocalTime(value);
            if (!options.now) {
                *error = "--now: expected YYYY-MM-DDTHH:MM:SS, not \"" + value + "\"";
                return std::nullopt;
            }
        } else {
            break;
        }
    }
    if (i + 1 != args.size() || (args[i].size() > 1 && args[i][0] == '-')) {
        *error = i >= args.size() ? "no script given" : "unexpected argument \"" + args[i] + "\"";
        return std::nullopt;
    }
    options.script = args[i];
    return options;
}

int PlayTextbook(const TextbookOptions& options) {
    if (!options.content.empty() && !SetCurrentDirectory(options.content)) {
        std::cerr << "uishot: --content: cannot enter the folder \"" << options.content << "\"\n"
                  << kUsage;
        return 2;
    }
    if (options.user) SetUserNameOverride(*options.user);
    if (options.now) UseHeadlessBackend(1280, 1024).SetWallClockStart(*options.now);
    return PlayScenario(
        options.script, RunTextbookProgram,
        [](ScenarioPlayer& player) { RegisterTextbookCommands(player, std::cout); }, true);
}

int PlayGallery(const std::string& scriptPath) {
    return PlayScenario(scriptPath, [] {
        const GalleryWindows gallery = CreateGallery();
        RunMessageLoop();
        // Whatever is still open goes now (owned windows with their owner), so nothing leaks.
        if (IsWindow(gallery.main)) DestroyWindow(gallery.main);
    });
}

int ShowGalleryWindows(int seconds) {
    GalleryWindows gallery;
    return RunOnScreen(
        seconds, [&] { gallery = CreateGallery(); },
        [&] {
            if (IsWindow(gallery.main)) DestroyWindow(gallery.main);
        });
}

// --monkey N --seed S [--content DIR] [--scratch DIR], in any order after --monkey N.
int PlayMonkey(const std::vector<std::string>& args) {
    MonkeyOptions options;
    bool seeded = false;
    try {
        if (args.size() < 2) return UsageError("--monkey: expected the number of actions");
        options.actions = ScenarioInt(args[1], "N", 1, 100000000);
        for (size_t i = 2; i < args.size(); i += 2) {
            if (i + 1 >= args.size())
                return UsageError("--monkey: " + args[i] + " without a value");
            if (args[i] == "--seed") {
                options.seed = uint32_t(std::stoul(args[i + 1]));
                seeded = true;
            } else if (args[i] == "--content") {
                options.content = args[i + 1];
            } else if (args[i] == "--scratch") {
                options.scratch = args[i + 1];
            } else {
                return UsageError("--monkey: unexpected argument \"" + args[i] + "\"");
            }
        }
    } catch (const ScenarioError& e) {
        return UsageError(std::string("--monkey: ") + e.what());
    } catch (const std::exception&) {
        return UsageError("--monkey: --seed: expected a whole number");
    }
    if (!seeded) return UsageError("--monkey: no --seed given");
    return RunMonkey(options);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--gallery") return PlayGallery(args[1]);
    if (!args.empty() && args[0] == "--monkey") return PlayMonkey(args);
    if (!args.empty() && args[0] == "--view") return RunViewShot({args.begin() + 1, args.end()});
    if (args.size() == 2 && args[0] == "--textbook")
        return PlayTextbook(TextbookOptions{{}, {}, {}, args[1]});
    if (!args.empty() && args[0] == "--gallery-window") {
        int seconds = -1;
        if (args.size() == 3 && args[1] == "--seconds") {
            try {
                seconds = ScenarioInt(args[2], "N", 0, 86400);
            } catch (const ScenarioError& e) {
                return UsageError(std::string("--seconds: ") + e.what());
            }
        } else if (args.size() != 1) {
            return UsageError("unexpected arguments after --gallery-window");
        }
        return ShowGalleryWindows(seconds);
    }
    if (args.empty()) return UsageError("nothing to do");
    std::string error;
    const std::optional<TextbookOptions> options = ParseTextbookArgs(args, &error);
    if (!options) return UsageError(error);
    return PlayTextbook(*options);
}
