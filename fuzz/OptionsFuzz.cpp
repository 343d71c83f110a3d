// Feeds arbitrary text to the options loader: the INI parser and the three passes, with a
// package that holds a small master bitmap, picture members and the text as its options. The
// loaded skin then goes into a skin manager, and every section is rendered at a few sizes and
// states, over a plain parent colour and over a parent picture.
#include <cstdint>
#include <memory>

#include "SkinRenderer.h"
#include "platform/core/Errors.h"
#include "platform/image/BmpFile.h"
#include "skin/qvSkinPack.h"
#include "skin/sSkinLoader.h"
#include "skin/sSkinManager.h"

namespace {

// Every pixel different, with key-coloured ones among them, so that masks and corners vary.
Bitmap Patterned(int width, int height) {
    Bitmap b(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, (x + y) % 7 == 0 ? 0xFF00FF : RGB(x * 4, y * 4, (x ^ y) * 8));
    return b;
}

const std::vector<TqvPackMember>& Members() {
    static const std::vector<TqvPackMember> members = {
        {"Options.dat", {}},
        {"MASTER.BMP", SaveBMP(Patterned(64, 64))},
        {"OWN.BMP", SaveBMP(Patterned(12, 30))},
    };
    return members;
}

void RenderEverySection(TSkinRenderer& renderer, const std::shared_ptr<const Bitmap>& picture) {
    constexpr SIZE kSizes[] = {{1, 1}, {9, 7}, {33, 20}};
    constexpr int kStates[] = {0, 1, 5};
    const auto& sections = renderer.Manager().SectionsData;
    // A few dozen sections show every path; more only slow the fuzzer down.
    const size_t count = std::min<size_t>(sections.size(), 24);
    for (size_t i = 0; i < count; ++i) {
        const std::string name = sections[i].SectionName;
        for (SIZE size : kSizes)
            for (int state : kStates) {
                renderer.Render(name, size, state, {0x336699, nullptr, {0, 0}});
                renderer.Render(name, size, state, {0, picture, {-3, 2}});
            }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<TqvSkinConvertor> package = [] {
        auto p = std::make_unique<TqvSkinConvertor>();
        p->PackedData = std::make_unique<TMemoryStream>(PackSkin(Members()));
        p->UnpackSkin();
        return p;
    }();
    static TSkinRenderer renderer(0, 0);
    static const auto picture = std::make_shared<const Bitmap>(Patterned(40, 30));
    const std::string text(reinterpret_cast<const char*>(data), size);
    TsSkinLoader loader;
    try {
        loader.LoadOptions(text, TsSkinFiles::FromPackage(*package));
    } catch (const EConvertError&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    auto members = Members();
    members[0].Data.assign(text.begin(), text.end());
    try {
        renderer.LoadPackage(PackSkin(members));
    } catch (const EConvertError&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    RenderEverySection(renderer, picture);
    return 0;
}
