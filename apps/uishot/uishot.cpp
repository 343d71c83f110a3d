// uishot: runs windows on the headless backend and plays a scenario against them (what a user
// would do, on a virtual clock), printing what it is asked and writing screenshots; or shows
// the same windows on the real desktop to compare.
//
//   uishot --gallery SCRIPT                    the gallery, driven by SCRIPT
//   uishot --gallery-window [--seconds N]      the gallery in real windows
//   uishot --textbook SCRIPT                   the textbook, started in the current folder
//   uishot --view PATH [--out PNG] [--seconds N] [--window]
//                                              one file in the HTML view
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "Gallery.h"
#include "ViewShot.h"
#include "ScenarioPlayer.h"
#include "platform/HeadlessBackend.h"
#include "platform/SdlBackend.h"
#include "platform/WindowSystem.h"
#include "shell/Program.h"

namespace {

constexpr const char* kUsage = "usage: uishot --gallery SCRIPT\n"
                               "       uishot --textbook SCRIPT\n"
                               "       uishot --gallery-window [--seconds N]\n"
                               "       uishot --view PATH [--out PNG] [--seconds N] [--window]\n";

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

// Plays a script against windows that `run` makes and drives through their own message loop;
// whenever the loop waits, the next command plays.
int PlayScenario(const std::string& scriptPath, const std::function<void()>& run) {
    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) {
        std::cerr << "uishot: cannot read the script \"" << scriptPath << "\"\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();

    HeadlessBackend& headless = UseHeadlessBackend(1280, 1024);
    ScenarioPlayer player(std::cout);
    if (!player.Load(text.str())) {
        std::cerr << "uishot: " << scriptPath << ", " << player.Error() << "\n";
        return 1;
    }
    headless.SetDriver([&player] { return player.Drive(); });
    run();
    headless.SetDriver(nullptr);
    // The windows may have closed before the script ended; the rest still runs.
    player.RunToEnd();
    ProcessPendingMessages();
    if (player.Failed()) {
        std::cerr << "uishot: " << scriptPath << ", " << player.Error() << "\n";
        return 1;
    }
    return 0;
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
    std::string error;
    std::unique_ptr<SdlBackend> backend = SdlBackend::Create(&error);
    if (!backend) {
        std::cerr << "uishot: no display to show windows on (" << error << ")\n";
        return 1;
    }
    SetBackend(std::move(backend));
    const GalleryWindows gallery = CreateGallery();
    if (seconds >= 0)
        SetTimer(nullptr, 0, UINT(seconds) * 1000,
                 [](HWND, UINT, uintptr_t, DWORD) { PostQuitMessage(0); });
    RunMessageLoop();
    // The windows go while the backend that shows them is still there.
    if (IsWindow(gallery.main)) DestroyWindow(gallery.main);
    ProcessPendingMessages();
    SetBackend(std::make_unique<HeadlessBackend>());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--gallery") return PlayGallery(args[1]);
    if (!args.empty() && args[0] == "--view") return RunViewShot({args.begin() + 1, args.end()});
    if (args.size() == 2 && args[0] == "--textbook") return PlayScenario(args[1], RunTextbookProgram);
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
    return UsageError(args.empty() ? "nothing to do" : "unknown arguments");
}
