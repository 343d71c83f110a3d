#include <benchmark/benchmark.h>
#include <string>

#include "SkinBenchPictures.h"
#include "platform/image/BmpFile.h"
#include "skin/qvSkinPack.h"
#include "skin/sSkinLoader.h"

namespace {

void BM_LoadOptions66Sections(benchmark::State& state) {
    TqvSkinConvertor package;
    package.PackedData = std::make_unique<TMemoryStream>(
        PackSkin({{"Options.dat", {}}, {"MASTER.BMP", SaveBMP(Bitmap(300, 200, 24))}}));
    package.UnpackSkin();
    const TsSkinFiles files = TsSkinFiles::FromPackage(package);
    const std::string text = SixtySixSections();
    for (auto _ : state) {
        TsSkinLoader loader;
        loader.LoadOptions(text, files);
        benchmark::DoNotOptimize(loader.Content.SectionsData.data());
    }
}
BENCHMARK(BM_LoadOptions66Sections)->Unit(benchmark::kMicrosecond);

} // namespace
