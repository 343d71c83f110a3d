// A skin chosen at run time: the new skin is loaded and applied, and the splash, main and About
// windows are repainted whole, frames included (without the switching animation).
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

#include "paint/sAnimateRepaint.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "shell/Unit1.h"
#include "shell/Unit3.h"
#include "shell/Unit4.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "windows/sWindowSkinning.h"

namespace {

// The textbook's three windows shown at once on the headless screen in the course folder.
class ThreeWindows {
  public:
    ThreeWindows() {
        UseHeadlessBackend(1280, 1024);
        ProcessPendingMessages();
        InstallAnimateRepaint();
        InstallWindowSkinning();
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(STAT_CONTENT_DIR);
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
        app_->CreateForm<TForm4>();
        app_->CreateForm<TForm1>();
        app_->CreateForm<TForm3>();
        for (TForm* form :
             {static_cast<TForm*>(Form4), static_cast<TForm*>(Form1), static_cast<TForm*>(Form3)})
            form->Show();
        ProcessPendingMessages();
    }
    ThreeWindows(const ThreeWindows&) = delete;
    ThreeWindows& operator=(const ThreeWindows&) = delete;
    ~ThreeWindows() {
        app_.reset();
        ProcessPendingMessages();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        std::filesystem::current_path(old_);
    }

  private:
    std::filesystem::path old_;
    std::unique_ptr<TApplication> app_;
};

void BM_SwitchSkinWithThreeWindows(benchmark::State& state) {
    ThreeWindows windows;
    TsSkinManager* manager = PrimaryManager;
    if (!manager || !Form1) {
        state.SkipWithError("no main window with a skin manager");
        return;
    }
    manager->AnimEffects.SkinSwitching.Active = false;
    const std::string names[2] = {"Nordvale (internal)", "Frostline (internal)"};
    int next = 0;
    for (auto _ : state) {
        manager->SetSkinName(names[next]);
        ProcessPendingMessages();
        next = 1 - next;
    }
}
BENCHMARK(BM_SwitchSkinWithThreeWindows)->Unit(benchmark::kMillisecond);

} // namespace
