// Loading and applying each of the program's stored skins, as the main window does at start-up
// and as a skin change does: through SkinName on a manager holding the embedded packages.
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "platform/backends/HeadlessBackend.h"
#include "shell/StoredSkinData.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

void BM_StoredSkinLoadAndApply(benchmark::State& state) {
    const auto skins = EmbeddedSkins();
    const TEmbeddedSkin& chosen = skins[size_t(state.range(0))];
    UseHeadlessBackend(1280, 1024);
    ProcessPendingMessages();
    auto app = std::make_unique<TApplication>();
    app->Initialize();
    app->CreateForm<TForm>()->HandleNeeded();
    auto manager = std::make_unique<TsSkinManager>(nullptr);
    for (const TEmbeddedSkin& e : skins) {
        TsStoredSkin& skin = manager->InternalSkins().Add();
        skin.Name = std::string(e.Name);
        skin.Data.assign(e.Package.begin(), e.Package.end());
    }
    const std::string name(chosen.Name);
    for (auto _ : state) {
        manager->SetSkinName(name);
        benchmark::DoNotOptimize(manager->SectionsData.data());
    }
    if (!manager->SkinData.Loaded || manager->SkinName() != name)
        state.SkipWithError("skin not loaded");
    state.SetLabel(name);
    state.counters["sections"] = double(manager->SectionsData.size());
    state.counters["images"] = double(manager->MasksData.size());
    state.counters["package_kB"] = double(chosen.Package.size()) / 1024;
    manager.reset();
    app.reset();
    ProcessPendingMessages();
    MSG quit;
    while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
}
BENCHMARK(BM_StoredSkinLoadAndApply)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
