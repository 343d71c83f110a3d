// The committed contact sheets of the stored skins (skins/sheets) show the skins as the build
// makes them: each sheet is rendered anew into the build folder and compared pixel by pixel.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "ContactSheet.h"
#include "SkinRenderer.h"
#include "platform/core/FileSystem.h"
#include "platform/image/PngFile.h"
#include "shell/StoredSkinData.h"

namespace {

// The first pixel (x, y) where the two differ, as "x,y"; empty when they are the same.
std::string FirstDifference(const Bitmap& a, const Bitmap& b) {
    const int rowBytes = a.Width() * 3;
    for (int y = 0; y < a.Height(); ++y) {
        const uint8_t* pa = a.ScanLine(y);
        const uint8_t* pb = b.ScanLine(y);
        const auto [ia, ib] = std::mismatch(pa, pa + rowBytes, pb);
        if (ia != pa + rowBytes) return std::to_string((ia - pa) / 3) + "," + std::to_string(y);
    }
    return {};
}

class SkinSheetTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinSheetTest, CommittedSheetMatchesTheBuiltSkin) {
    const std::string name = GetParam();
    const std::string regenerate =
        "; run `cmake --build build-debug --target skin_sheets` and commit skins/sheets";
    const auto package = EmbeddedSkinPackage(name + " (internal)");
    ASSERT_FALSE(package.empty());
    Bitmap built;
    {
        TSkinRenderer renderer(0, 0);
        renderer.LoadPackage({package.begin(), package.end()});
        built = ContactSheet(renderer);
    }
    built.SetFormat(24);
    const std::string out = std::string(STAT_TEST_DATA_DIR) + "/" + name + "-sheet.png";
    std::string error;
    ASSERT_TRUE(SavePNG(built, WindowsPath(out), &error)) << error;

    const std::string committed = std::string(STAT_SKIN_SHEETS_DIR) + "/" + name + ".png";
    auto file = ReadFileBytes(WindowsPath(committed), 256u << 20);
    ASSERT_TRUE(file.Ok()) << committed << " is missing" << regenerate;
    auto sheet = DecodePNG(file.Data.data(), file.Data.size(), &error);
    ASSERT_NE(sheet, nullptr) << committed << ": " << error << regenerate;
    sheet->SetFormat(24);
    ASSERT_EQ(sheet->Width(), built.Width())
        << committed << " has another size than " << out << regenerate;
    ASSERT_EQ(sheet->Height(), built.Height())
        << committed << " has another size than " << out << regenerate;
    const std::string at = FirstDifference(*sheet, built);
    EXPECT_EQ(at, "") << committed << " differs from " << out << " first at " << at << regenerate;
}

INSTANTIATE_TEST_SUITE_P(StoredSkins, SkinSheetTest,
                         ::testing::Values("Nordvale", "Pavo", "Frostline"));

} // namespace
