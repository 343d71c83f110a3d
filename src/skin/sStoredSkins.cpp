#include "skin/sStoredSkins.h"

#include <algorithm>

#include "platform/core/StrUtils.h"
#include "skin/sSkinLoader.h"

namespace {

int16_t ToInt16(int32_t v) { return int16_t(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)); }

std::unique_ptr<Bitmap> Copy24(const Bitmap& source) {
    auto copy = std::make_unique<Bitmap>(source);
    copy->SetFormat(24);
    return copy;
}

TsGeneralData ExpandGeneral(const TsSkinGeneral& item) {
    TsGeneralData g;
    g.SectionName = item.SectionName;
    g.ParentClass = item.ParentClass;
    g.Color = item.Color;
    g.Bevel =
        item.Bevel >= cbNone && item.Bevel <= cbLoweredHard ? TsControlBevel(item.Bevel) : cbNone;
    g.FontColor = ParseFontColors(item.FontColor);
    g.HotFontColor = ParseFontColors(item.HotFontColor);
    g.ReservedBoolean = item.ReservedBoolean;
    g.ShadowBlur = item.ShadowBlur;
    g.ShadowColor = item.ShadowColor;
    g.ShadowDontUse = item.ShadowDontUse;
    g.ShadowEnabled = item.ShadowEnabled;
    g.ShadowOffset = item.ShadowOffset;
    g.ShadowTransparency = item.ShadowTransparency;
    g.Transparency = item.Transparency;
    g.GradientPercent = item.GradientPercent;
    g.GradientData = item.GradientData;
    if (g.GradientData != " ") ParseGradientData(g.GradientData, g.GradientSteps);
    g.ImagePercent = item.ImagePercent;
    g.ShowFocus = item.ShowFocus;
    g.FadingEnabled = item.FadingEnabled;
    g.FadingIntervalIn = item.FadingIntervalIn;
    g.FadingIntervalOut = item.FadingIntervalOut;
    g.FadingIterations = item.FadingIterations;
    g.HotColor = item.HotColor;
    g.HotTransparency = item.HotTransparency;
    g.HotBevel = item.HotBevel >= cbNone && item.HotBevel <= cbLoweredHard
                     ? TsControlBevel(item.HotBevel)
                     : cbNone;
    g.HotGradientPercent = item.HotGradientPercent;
    g.HotGradientData = item.HotGradientData;
    if (g.HotGradientData != " ") ParseGradientData(g.HotGradientData, g.HotGradientSteps);
    g.HotImagePercent = item.HotImagePercent;
    g.BorderColor1 = item.BorderColor1;
    g.BorderColor2 = item.BorderColor2;
    return g;
}

TsMaskData ExpandImage(const TsSkinImage& item, TsSkinManager* manager) {
    TsMaskData m;
    m.SectionName = UpperCase(item.SectionName);
    m.PropertyName = UpperCase(item.PropertyName);
    m.Manager = manager;
    if (!item.Name.empty() && item.Image) {
        m.Bmp = Copy24(*item.Image);
        m.R = Rect(0, 0, m.Bmp->Width(), m.Bmp->Height());
    } else {
        m.R = Rect(item.Left, item.Top, item.Right, item.Bottom);
    }
    if (item.ImageCount == 0) {
        m.ImageCount = 3;
        m.MaskType = 1;
    } else {
        m.ImageCount = ToInt16(item.ImageCount);
        m.MaskType = ToInt16(item.MaskType);
    }
    m.BorderWidth = ToInt16(item.BorderWidth);
    const bool texture = item.ImgType == itisaTexture;
    if (m.PropertyName == "PATTERN" || m.PropertyName == "HOTPATTERN") {
        m.ImgType = itisaTexture;
        m.StretchMode = texture ? ToInt16(item.StretchMode) : 0;
    } else {
        m.ImgType = item.ImgType >= itisaBorder && item.ImgType <= itisaGlyph
                        ? TqvImgType(item.ImgType)
                        : itisaBorder;
        m.StretchMode = ToInt16(item.StretchMode);
    }
    m.WL = ToInt16(item.WL);
    m.WT = ToInt16(item.WT);
    m.WR = ToInt16(item.WR);
    m.WB = ToInt16(item.WB);
    if (m.WL == 0 && m.WT == 0 && m.WR == 0 && m.WB == 0) {
        if (m.BorderWidth > 0)
            m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
        else
            ComputeMargins(m);
    }
    return m;
}

} // namespace

TsStoredSkin& TsStoredSkins::Add() {
    items_.push_back(std::make_unique<TsStoredSkin>());
    return *items_.back();
}

int TsStoredSkins::IndexOfSkin(std::string_view name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Name == name) return int(i);
    return -1;
}

TsFontColors ParseFontColors(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::string_view w : SplitText(text, ' '))
        if (!w.empty()) words.push_back(w);
    TsFontColors colors{0, -1, -1, -1, -1};
    if (words.size() != 5) return colors;
    for (size_t i = 0; i < 5; ++i) {
        auto n = TryStrToInt(words[i]);
        if (!n) return TsFontColors{0, -1, -1, -1, -1};
        colors[i] = *n;
    }
    return colors;
}

void LoadExpandedSkin(const TsStoredSkin& skin, TsSkinContent& content, TsSkinManager* manager) {
    content.MasterBitmap = skin.MasterBitmap ? Copy24(*skin.MasterBitmap) : nullptr;
    content.MasksData.clear();
    for (const auto& item : skin.Images) content.MasksData.push_back(ExpandImage(item, manager));

    content.PatternsData.clear();
    for (const auto& item : skin.Patterns) {
        std::shared_ptr<const Bitmap> picture = item.Image;
        if (!picture) {
            // An empty item shares the picture of the first item of its name that has one.
            auto same = std::find_if(skin.Patterns.begin(), skin.Patterns.end(),
                                     [&](const auto& p) { return p.Name == item.Name && p.Image; });
            if (same != skin.Patterns.end()) picture = same->Image;
        }
        content.PatternsData.push_back(
            {picture, UpperCase(item.SectionName), UpperCase(item.PropertyName)});
    }

    content.SectionsData.clear();
    for (const auto& item : skin.GeneralData) content.SectionsData.push_back(ExpandGeneral(item));

    TsSkinData& d = content.SkinData;
    d.SkinFolder.clear();
    d.Version = skin.Version;
    d.Author = skin.Author;
    d.Description = skin.Description;
    d.Shadow1Color = skin.Shadow1Color;
    d.Shadow1Offset = skin.Shadow1Offset;
    d.Shadow1Blur = skin.Shadow1Blur;
    d.Shadow1Transparency = skin.Shadow1Transparency;
    d.BorderColor = skin.BorderColor;
    d.ButtonSpacing = 0;
}
