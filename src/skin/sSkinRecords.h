#pragma once
// The in-memory records of a loaded skin: one per section, one per image, one per large
// picture texture, and the skin-wide values.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/sGradient.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

class TsSkinManager;

enum TsControlBevel : int32_t {
    cbNone = 0,
    cbRaisedSoft = 1,
    cbLoweredSoft = 2,
    cbRaisedHard = 3,
    cbLoweredHard = 4,
};

enum TqvImgType : int32_t {
    itisaBorder = 0,
    itisaTexture = 1,
    itisaGlyph = 2,
};

// Main colour, then the left, top, right and bottom contour colours (-1: none).
using TsFontColors = std::array<TColor, 5>;

struct TsGeneralData {
    std::string ParentClass;
    std::string SectionName;
    TColor Color = 0xFFFFFF;
    TsControlBevel Bevel = cbNone;
    TsFontColors FontColor{0, -1, -1, -1, -1};
    TsFontColors HotFontColor{0, -1, -1, -1, -1};
    bool ReservedBoolean = false;
    int32_t ShadowBlur = 6;
    TColor ShadowColor = 0;
    bool ShadowDontUse = false;
    bool ShadowEnabled = false;
    int32_t ShadowOffset = 3;
    int32_t ShadowTransparency = 50;
    int32_t Transparency = 0;
    int32_t GradientPercent = 0;
    std::string GradientData = " ";
    TsGradArray GradientSteps;
    int32_t ImagePercent = 0;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    int32_t FadingIntervalIn = 5;
    int32_t FadingIntervalOut = 5;
    int32_t FadingIterations = 5;
    TColor HotColor = 0xFFFFFF;
    int32_t HotTransparency = 0;
    TsControlBevel HotBevel = cbNone;
    int32_t HotGradientPercent = 0;
    std::string HotGradientData;
    TsGradArray HotGradientSteps;
    int32_t HotImagePercent = 0;
    TColor BorderColor1 = 0;
    TColor BorderColor2 = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

struct TsMaskData {
    std::unique_ptr<Bitmap> Bmp; // the entry's own bitmap; null: the image lies in the master
    std::string SectionName;     // upper case
    std::string PropertyName;    // upper case: the key that defined it
    RECT R{};                    // of the image in its bitmap, right and bottom exclusive
    int16_t ImageCount = 0;      // state frames side by side
    int16_t MaskType = 0;        // 1: the lower half is the mask, the frames fill the upper half
    int16_t BorderWidth = 0;
    int16_t StretchMode = 0;
    TqvImgType ImgType = itisaBorder;
    TsSkinManager* Manager = nullptr;
    int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

struct TsPatternData {
    std::shared_ptr<const Bitmap> Img; // the decoded picture, shared with stored skins
    std::string SectionName;
    std::string PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

struct TsSkinData {
    std::string SkinFolder; // with a trailing backslash; empty for a stored skin
    bool Loaded = false;
    double Version = 0;
    std::string Author;
    std::string Description;
    int32_t Shadow1Color = 0;
    int32_t Shadow1Offset = 0;
    int32_t Shadow1Blur = -1;
    int32_t Shadow1Transparency = 0;
    int32_t BorderColor = 0;
    int32_t ButtonSpacing = 0;
};

// Everything one load produces. The skin manager keeps these as its own fields.
struct TsSkinContent {
    std::unique_ptr<Bitmap> MasterBitmap;
    TsMaskArray MasksData;
    TsPatternArray PatternsData;
    TsGeneralDataArray SectionsData;
    TsSkinData SkinData;
};
