#include <benchmark/benchmark.h>
#include <memory>

#include "SkinBenchPictures.h"
#include "graphics/sAlphaGraph.h"
#include "graphics/sGradient.h"
#include "paint/sSkinItems.h"
#include "skin/sSkinManager.h"

// A whole section item (background layers and border) composed by section index: a small
// opaque button, and a window-sized background that shows its parent through 40%.
namespace {

const char* const kGradient = "16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;"
                              "16184300;42;0;0";

// A manager with a master bitmap, one tiled texture and, per section, a three-frame masked
// border with KeyColor corner pixels (so that the corners consult the parent).
class ItemSkin {
  public:
    ItemSkin() {
        manager_.MasterBitmap = std::make_unique<Bitmap>(Patterned(300, 200, 5));
        TsMaskData texture;
        texture.SectionName = "FORM";
        texture.PropertyName = "PATTERN";
        texture.R = {111, 13, 175, 77};
        texture.ImageCount = 1;
        texture.ImgType = itisaTexture;
        texture.Manager = &manager_;
        manager_.MasksData.push_back(std::move(texture));
    }
    ItemSkin(const ItemSkin&) = delete;
    ItemSkin& operator=(const ItemSkin&) = delete;

    int AddSection(const char* name, int transparency, int gradient, int image, int frame,
                   int margin) {
        TsGeneralData gd;
        gd.SectionName = name;
        gd.Color = 15591641;
        gd.Transparency = transparency;
        gd.GradientPercent = gradient;
        gd.ImagePercent = image;
        gd.GradientData = kGradient;
        ParseGradientData(kGradient, gd.GradientSteps);
        manager_.SectionsData.push_back(gd);
        manager_.MasksData.push_back(MaskedBorder(name, 3, frame, margin));
        return int(manager_.SectionsData.size()) - 1;
    }
    const TsSkinManager& Manager() const { return manager_; }

  private:
    TsMaskData MaskedBorder(const char* section, int frames, int frame, int margin) {
        TsMaskData md = ::MaskedBorder(manager_, frames, frame, margin);
        md.SectionName = section;
        md.PropertyName = "BORDERSMASK";
        return md;
    }

    TsSkinManager manager_{nullptr};
};

// Stops a run that painted nothing from passing for a fast one.
void CheckPainted(benchmark::State& state, const Bitmap& target, int x, int y) {
    if (target.GetPixel(x, y) == 0x010101) state.SkipWithError("nothing painted");
}

// A 30 x 30 "SPEEDBUTTON": opaque gradient and its masked border, normal and hot.
void BM_SectionItemButton30x30(benchmark::State& state) {
    ItemSkin skin;
    const int section = skin.AddSection("SPEEDBUTTON", 0, 100, 0, 22, 6);
    const Bitmap parent = Patterned(60, 60, 11);
    const ParentCacheInfo cache{&parent, 10, 10, true};
    Bitmap target(30, 30, 24);
    target.Fill(0x010101);
    const bool hot = state.range(0) != 0;
    for (auto _ : state) {
        RenderSectionItem(section, "SPEEDBUTTON", cache, -1, -1, &skin.Manager(), target, {0, 0},
                          {0, 0, 30, 30}, hot, true);
        benchmark::DoNotOptimize(target.Bits());
        benchmark::ClobberMemory();
    }
    CheckPainted(state, target, 15, 15);
}
BENCHMARK(BM_SectionItemButton30x30)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// A 928 x 621 "FORM": gradient 60% over a texture 40%, 40% transparent over a parent cache,
// then its masked border with margins 6.
void BM_SectionItemBackground928x621(benchmark::State& state) {
    constexpr int kW = 928, kH = 621;
    ItemSkin skin;
    const int section = skin.AddSection("FORM", 40, 60, 40, 32, 6);
    const Bitmap parent = Patterned(kW + 40, kH + 40, 9);
    const ParentCacheInfo cache{&parent, 20, 20, true};
    Bitmap target(kW, kH, 24);
    target.Fill(0x010101);
    for (auto _ : state) {
        RenderSectionItem(section, "FORM", cache, -1, -1, &skin.Manager(), target, {0, 0},
                          {0, 0, kW, kH}, false, false);
        benchmark::DoNotOptimize(target.Bits());
        benchmark::ClobberMemory();
    }
    CheckPainted(state, target, kW / 2, kH / 2);
}
BENCHMARK(BM_SectionItemBackground928x621)->Unit(benchmark::kMicrosecond);

} // namespace
