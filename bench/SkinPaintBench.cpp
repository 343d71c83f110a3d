#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "SkinBenchPictures.h"
#include "graphics/sAlphaGraph.h"
#include "graphics/sGradient.h"
#include "paint/sBitmapDC.h"
#include "paint/sMaskData.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/image/BmpFile.h"
#include "platform/window/WindowSystem.h"
#include "skin/qvSkinPack.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

// The skin manager's load, apply and recolour of a whole skin, and the mask painting of a
// window's background and of a small button. Goals: a full-window background under 2 ms, a
// skin load with apply under 20 ms, a hue change under 20 ms.
namespace {

const char* const kGradient = "16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;"
                              "16184300;42;0;0";

// A headless application with one main form and a manager holding the stored skin.
class SkinnedApp {
  public:
    SkinnedApp() {
        UseHeadlessBackend(1280, 1024);
        ProcessPendingMessages();
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
        app_->CreateForm<TForm>()->HandleNeeded();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        TsStoredSkins stored;
        TsStoredSkin& skin = stored.Add();
        skin.Name = "Bench66";
        const std::string options = SixtySixSections();
        skin.Data = PackSkin({{"Options.dat", {options.begin(), options.end()}},
                              {"MASTER.BMP", SaveBMP(Patterned(300, 200, 1))}});
        manager_->SetInternalSkins(stored);
    }
    SkinnedApp(const SkinnedApp&) = delete;
    SkinnedApp& operator=(const SkinnedApp&) = delete;
    ~SkinnedApp() {
        manager_.reset();
        app_.reset();
        ProcessPendingMessages();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    TsSkinManager& Manager() { return *manager_; }

  private:
    std::unique_ptr<TApplication> app_;
    std::unique_ptr<TsSkinManager> manager_;
};

// Shows what was loaded beside the times, so that a skin that failed to load cannot pass
// for a fast one.
void ReportSkin(benchmark::State& state, const TsSkinManager& manager) {
    if (manager.GetSectionIndex("SPEEDBUTTON") < 0) state.SkipWithError("skin not loaded");
    state.counters["sections"] = double(manager.SectionsData.size());
    state.counters["images"] = double(manager.MasksData.size());
}

void BM_SkinLoadAndApply66Sections(benchmark::State& state) {
    SkinnedApp app;
    for (auto _ : state) {
        app.Manager().SetSkinName("Bench66");
        benchmark::DoNotOptimize(app.Manager().SectionsData.data());
    }
    ReportSkin(state, app.Manager());
}
BENCHMARK(BM_SkinLoadAndApply66Sections)->Unit(benchmark::kMillisecond);

void BM_SkinHueChange66Sections(benchmark::State& state) {
    SkinnedApp app;
    app.Manager().SetSkinName("Bench66");
    bool turned = false;
    for (auto _ : state) {
        turned = !turned;
        app.Manager().SetHueOffset(turned ? 120 : 0);
        benchmark::DoNotOptimize(app.Manager().SectionsData.data());
    }
    ReportSkin(state, app.Manager());
}
BENCHMARK(BM_SkinHueChange66Sections)->Unit(benchmark::kMillisecond);

// A FORM-like background of 928 x 621: the gradient, a tiled texture blended over it half
// and half, then a three-frame masked border with margins 6 over a parent cache.
void BM_FormBackground928x621(benchmark::State& state) {
    constexpr int kW = 928, kH = 621;
    TsSkinManager manager(nullptr);
    manager.MasterBitmap = std::make_unique<Bitmap>(Patterned(300, 200, 5));
    TsMaskData texture;
    texture.R = {111, 13, 175, 77};
    texture.ImageCount = 1;
    texture.ImgType = itisaTexture;
    texture.Manager = &manager;
    const TsMaskData border = MaskedBorder(manager, 3, 32, 6);
    TsGradArray grad;
    ParseGradientData(kGradient, grad);
    const Bitmap parent = Patterned(kW + 40, kH + 40, 9);
    const ParentCacheInfo cache{&parent, 20, 20, true};
    Bitmap target(kW, kH, 24);
    Bitmap textured(kW, kH, 24);
    const RECT full{0, 0, kW, kH};
    if (NineSlicePieces(border, full, 0, false, false, full).empty())
        state.SkipWithError("border paints nothing");
    for (auto _ : state) {
        PaintGradient(target, full, grad);
        RECT rest = full;
        {
            TsBitmapDC dc(textured);
            PaintTexture(dc.Handle(), rest, nullptr, 0, texture);
        }
        BlendImages(target, textured, 128, {0, 0}, full);
        PaintMaskBorders(target, full, false, true, 0, border, cache);
        benchmark::DoNotOptimize(target.Bits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FormBackground928x621)->Unit(benchmark::kMicrosecond);

// A 30 x 30 SPEEDBUTTON border in each of its three states.
void BM_SpeedButtonBorder30x30(benchmark::State& state) {
    TsSkinManager manager(nullptr);
    const TsMaskData border = MaskedBorder(manager, 3, 22, 6);
    const Bitmap parent = Patterned(60, 60, 11);
    const ParentCacheInfo cache{&parent, 10, 10, true};
    Bitmap target(30, 30, 24);
    const int buttonState = int(state.range(0));
    for (auto _ : state) {
        PaintMaskBorders(target, {0, 0, 30, 30}, true, true, buttonState, border, cache);
        benchmark::DoNotOptimize(target.Bits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpeedButtonBorder30x30)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
