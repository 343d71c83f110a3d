// A skin chosen at run time: the new skin is loaded and applied, and the splash, main and About
// windows are repainted whole, frames included (without the switching animation).
#include <benchmark/benchmark.h>
#include <string>

#include "CourseFolderApp.h"
#include "paint/sAnimateRepaint.h"
#include "shell/Unit1.h"
#include "shell/Unit3.h"
#include "shell/Unit4.h"
#include "skin/sSkinManager.h"
#include "windows/sWindowSkinning.h"

namespace {

// The textbook's three windows shown at once on the headless screen in the course folder.
class ThreeWindows {
  public:
    ThreeWindows() {
        app_.App().CreateForm<TForm4>();
        app_.App().CreateForm<TForm1>();
        app_.App().CreateForm<TForm3>();
        for (TForm* form :
             {static_cast<TForm*>(Form4), static_cast<TForm*>(Form1), static_cast<TForm*>(Form3)})
            form->Show();
        ProcessPendingMessages();
    }

  private:
    // The window-skinning layer plugs in before the first manager is made.
    struct Seams {
        Seams() {
            InstallAnimateRepaint();
            InstallWindowSkinning();
        }
    } seams_;
    CourseFolderApp app_;
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
