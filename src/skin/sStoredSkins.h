#pragma once
// Skins stored inside the program's window description: either the bytes of a whole package
// or an expanded form that holds the options already parsed.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/sSkinRecords.h"

struct TsSkinGeneral {
    std::string Name, SectionName, ParentClass;
    TColor Color = 0;
    int32_t Bevel = 0;
    int32_t ShadowBlur = 0;
    TColor ShadowColor = 0;
    bool ShadowDontUse = false;
    bool ShadowEnabled = false;
    int32_t ShadowOffset = 0;
    int32_t ShadowTransparency = 0;
    bool ReservedBoolean = false;
    std::string FontColor;    // five blank-separated integers: main, left, top, right, bottom
    std::string HotFontColor; // the same for the hot state
    int32_t Transparency = 0;
    int32_t GradientPercent = 0;
    std::string GradientData;
    int32_t ImagePercent = 0;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    int32_t FadingIntervalIn = 0, FadingIntervalOut = 0, FadingIterations = 0;
    TColor HotColor = 0;
    int32_t HotTransparency = 0;
    int32_t HotBevel = 0;
    int32_t HotGradientPercent = 0;
    std::string HotGradientData;
    int32_t HotImagePercent = 0;
    TColor BorderColor1 = 0, BorderColor2 = 0;
};

struct TsSkinImage {
    std::string Name, SectionName, PropertyName;
    std::shared_ptr<const Bitmap> Image;
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t ImageCount = 0, MaskType = 0, BorderWidth = 0, StretchMode = 0, ImgType = 0;
    int32_t WL = 0, WT = 0, WR = 0, WB = 0;
};

struct TsSkinPattern {
    std::string Name, SectionName, PropertyName;
    std::shared_ptr<const Bitmap> Image; // the decoded JPEG picture; null when empty
};

class TsStoredSkin {
  public:
    std::string Name;
    std::vector<uint8_t> Data; // a whole package; when present it is the only content used
    std::vector<TsSkinGeneral> GeneralData;
    std::vector<TsSkinImage> Images;
    std::vector<TsSkinPattern> Patterns;
    std::shared_ptr<const Bitmap> MasterBitmap;
    TColor Shadow1Color = 0;
    int32_t Shadow1Offset = 0;
    int32_t Shadow1Blur = -1;
    int32_t Shadow1Transparency = 0;
    TColor BorderColor = 0xFF00FF;
    double Version = 0;
    std::string Author;
    std::string Description;
};

class TsStoredSkins {
  public:
    TsStoredSkin& Add();
    int Count() const { return int(items_.size()); }
    TsStoredSkin& operator[](int i) { return *items_[size_t(i)]; }
    const TsStoredSkin& operator[](int i) const { return *items_[size_t(i)]; }
    // The first skin whose name equals the text exactly (letter case counts), or -1.
    int IndexOfSkin(std::string_view name) const;

  private:
    std::vector<std::unique_ptr<TsStoredSkin>> items_;
};

// Turns a stored skin's expanded form into the skin records (used when its Data is empty).
// Raises EConvertError for a gradient text that is not a list of integers.
void LoadExpandedSkin(const TsStoredSkin& skin, TsSkinContent& content, TsSkinManager* manager);

// "c1 c2 c3 c4 c5" into the five font colours; any other count gives 0 and no contours.
TsFontColors ParseFontColors(std::string_view text);
