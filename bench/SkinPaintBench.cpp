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

const char* const kSections[] = {
    "ORVENCOMBOBOX",
    "ORVENEDIT",
    "BAR",
    "BARPANEL",
    "BARTITLE",
    "BUTTON",
    "BUTTON_BIG",
    "BUTTON_HUGE",
    "CALCPANEL",
    "CHECKBOX",
    "COLHEADER",
    "COMBOBOX",
    "DIALOG",
    "DIVIDER",
    "DIVIDERV",
    "DRAGBAR",
    "EDIT",
    "EXTRALINE",
    "FORM",
    "FORMTITLE",
    "GAUGE",
    "GRIPH",
    "GROUPBOX",
    "HINT",
    "ICOLINE",
    "MAINMENU",
    "MENUITEM",
    "MENULINE",
    "PAGECONTROL",
    "PAGECONTROLBOTTOM",
    "PAGECONTROLLEFT",
    "PAGECONTROLRIGHT",
    "PANEL",
    "PANEL_LOW",
    "PROGRESSH",
    "PROGRESSV",
    "RADIOBUTTON",
    "SCROLLBAR1H",
    "SCROLLBAR1V",
    "SCROLLBAR2H",
    "SCROLLBAR2V",
    "SCROLLBTNBOTTOM",
    "SCROLLBTNLEFT",
    "SCROLLBTNRIGHT",
    "SCROLLBTNTOP",
    "SCROLLSLIDERH",
    "SCROLLSLIDERV",
    "SPEEDBUTTON",
    "SPEEDBUTTON_SMALL",
    "SPLITTER",
    "STATUSBAR",
    "TABBOTTOM",
    "TABCONTROL",
    "TABCONTROLBOTTOM",
    "TABCONTROLLEFT",
    "TABCONTROLRIGHT",
    "TABLEFT",
    "TABRIGHT",
    "TABSHEET",
    "TABTOP",
    "TOOLBAR",
    "TOOLBUTTON",
    "TRACKBAR",
    "UPDOWNBTN",
    "WEBBUTTON",
};

const char* const kGradient = "16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;"
                              "16184300;42;0;0";

// GLOBALINFO and 65 more sections, each with a parent, colours, gradients, a border, a glyph
// and a texture in the master bitmap.
std::string SixtySixSections() {
    std::string text =
        "[GLOBALINFO]\r\nVERSION=5.36\r\nMASTERBITMAP=MASTER.BMP\r\nSHADOW1OFFSET=2\r\n";
    for (const char* name : kSections) {
        text += std::string("[") + name + "]\r\n";
        text += std::string(name) == "PANEL" ? "" : "PARENTCLASS=PANEL\r\n";
        text += "COLOR=15591641\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=8388608\r\nTRANSPARENCY=-1\r\n"
                "GRADIENTPERCENT=100\r\nSHOWFOCUS=TRUE\r\nFADINGENABLED=TRUE\r\n"
                "GRADIENTDATA=" +
                std::string(kGradient) +
                "\r\nHOTGRADIENTDATA=16777215;16247000;50;0;0;16247000;15720000;50;0;0\r\n"
                "BORDERSMASK=^0087^0049^0093^0053^0000^0000^0002^0000^1^0^1^1\r\n"
                "GLYPHMASK=@0000@0000@0039@0013@3@0\r\n"
                "PATTERN=~0111~0013~0117~0025~10~1\r\n";
    }
    return text;
}

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
