// The main window repainted whole after a skin change: every skinned control rebuilds its cache
// and copies it to the screen.
#include <benchmark/benchmark.h>

#include "CourseFolderApp.h"
#include "shell/Unit1.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"

namespace {

// The textbook's main window shown on the headless screen in the course folder.
class MainWindow {
  public:
    MainWindow() {
        app_.App().CreateForm<TForm1>();
        Form1->Show();
        ProcessPendingMessages();
    }

  private:
    CourseFolderApp app_;
};

// The skin's refresh marks every cache invalid, as a new skin does; the timed part is that
// command and the repaint it leads to.
void BM_MainWindowRepaintAfterSkinChange(benchmark::State& state) {
    MainWindow window;
    TsSkinManager* manager = PrimaryManager;
    if (!manager || !Form1) {
        state.SkipWithError("no main window with a skin manager");
        return;
    }
    const HWND form = Form1->Handle();
    for (auto _ : state) {
        manager->BroadcastToForms(SkinCommandWParam(scRefresh), LPARAM(manager));
        RedrawWindow(form, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    state.SetLabel(manager->SkinName());
}
BENCHMARK(BM_MainWindowRepaintAfterSkinChange)->Unit(benchmark::kMillisecond);

} // namespace
