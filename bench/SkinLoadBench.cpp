#include <benchmark/benchmark.h>
#include <string>

#include "platform/image/BmpFile.h"
#include "skin/qvSkinPack.h"
#include "skin/sSkinLoader.h"

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
    "GLOBALINFO",
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

// An options file of the size the stored skins have: 66 sections, each with a parent, colours,
// a gradient, a border image, a glyph and a texture in the master bitmap.
std::string SixtySixSections() {
    std::string text =
        "[GLOBALINFO]\r\nVERSION=5.36\r\nMASTERBITMAP=MASTER.BMP\r\nSHADOW1OFFSET=2\r\n";
    for (const char* name : kSections) {
        if (std::string(name) == "GLOBALINFO") continue;
        text += std::string("[") + name + "]\r\n";
        text += std::string(name) == "PANEL" ? "" : "PARENTCLASS=PANEL\r\n";
        text += "COLOR=15591641\r\nFONTCOLOR=0\r\nTCLEFT=-1\r\nHOTFONTCOLOR="
                "8388608\r\nTRANSPARENCY=-1\r\n"
                "GRADIENTPERCENT=100\r\nSHOWFOCUS=TRUE\r\nFADINGENABLED=TRUE\r\n"
                "GRADIENTDATA=16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;16184300;"
                "42;0;0\r\n"
                "HOTGRADIENTDATA=16777215;16247000;50;0;0;16247000;15720000;50;0;0\r\n"
                "BORDERSMASK=^0087^0049^0093^0053^0000^0000^0002^0000^1^0^1^1\r\n"
                "GLYPHMASK=@0000@0000@0039@0013@3@0\r\n"
                "PATTERN=~0111~0013~0117~0025~10~1\r\n";
    }
    return text;
}

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
