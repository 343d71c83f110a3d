// Feeds arbitrary text to the options loader: the INI parser and the three passes, with a
// package that holds a small master bitmap, picture members and the text as its options.
#include <cstdint>

#include "platform/core/Errors.h"
#include "platform/image/BmpFile.h"
#include "skin/qvSkinPack.h"
#include "skin/sSkinLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<TqvSkinConvertor> package = [] {
        auto p = std::make_unique<TqvSkinConvertor>();
        p->PackedData = std::make_unique<TMemoryStream>(
            PackSkin({{"Options.dat", {}}, {"MASTER.BMP", SaveBMP(Bitmap(64, 64, 24))}}));
        p->UnpackSkin();
        return p;
    }();
    const std::string text(reinterpret_cast<const char*>(data), size);
    TsSkinLoader loader;
    try {
        loader.LoadOptions(text, TsSkinFiles::FromPackage(*package));
    } catch (const EConvertError&) {
    } catch (const EReadError&) {}
    return 0;
}
