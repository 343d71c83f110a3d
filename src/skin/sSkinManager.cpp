#include "skin/sSkinManager.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "graphics/sAlphaGraph.h"
#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "platform/core/StrUtils.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "platform/window/WindowSystem.h"
#include "skin/qvIniFile.h"
#include "skin/qvSkinPack.h"
#include "skin/sHookDecision.h"
#include "skin/sMessages.h"
#include "skin/sSkinFiles.h"
#include "skin/sSkinLoader.h"
#include "skin/sSkinSource.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

TsSkinManager* PrimaryManager = nullptr;
bool SkinSwitching = false;
bool ApplyInProgress = false;
bool StripInProgress = false;
std::vector<TForm*> HookedForms;

std::function<bool(TForm*, TsSkinManager*)> TsSkinManager::ProviderUsesManager;
std::function<void(TForm*, int)> TsSkinManager::AnimateRepaint;
std::function<void(TForm*)> TsSkinManager::RebuildProviderFrame;
std::function<std::unique_ptr<TsMenuEngine>(TsSkinManager*)> TsSkinManager::MakeMenuEngine;
std::function<std::unique_ptr<TsHookedWrapper>(HWND, TsSkinManager*)>
    TsSkinManager::MakeMenuWindowAdapter;
std::function<std::unique_ptr<TsHookedWrapper>(TForm*, TsSkinManager*, bool)>
    TsSkinManager::MakeFormProvider;
std::function<std::unique_ptr<TsHookedWrapper>(HWND, TsSkinManager*)>
    TsSkinManager::MakeSystemDialogAdapter;

void AddHookedForm(TForm* form) {
    if (form && std::find(HookedForms.begin(), HookedForms.end(), form) == HookedForms.end())
        HookedForms.push_back(form);
}

void RemoveHookedForm(TForm* form) {
    HookedForms.erase(std::remove(HookedForms.begin(), HookedForms.end(), form), HookedForms.end());
}

namespace {

constexpr const char* kGlobalInfo = "GLOBALINFO";
constexpr UINT kMenuItemDrawn = 48307;   // the menu engine has drawn an item
constexpr UINT kShapeMenuWindow = 48308; // the menu engine asks for a window to be shaped

HHOOK threadHook = nullptr;

// Sets a process-wide flag for one scope, also when the scope is left by an exception.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

// The first line of each key of a section, in file order, key names in upper case.
template <typename Visit>
void ForEachFirstKey(const TqvIniFile::Section& section, Visit visit) {
    std::vector<std::string> seen;
    for (const auto& k : section.Keys) {
        std::string upper = UpperCase(k.Name);
        if (std::find(seen.begin(), seen.end(), upper) != seen.end()) continue;
        seen.push_back(upper);
        visit(upper, *section.Find(k.Name));
    }
}

// Walks the rows of a 24-bit bitmap and recolours every pixel except magenta and greys.
template <typename Recolour>
void RecolourPixels(Bitmap& bmp, Recolour recolour) {
    for (int y = 0; y < bmp.Height(); ++y) {
        uint8_t* p = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x, p += 3) {
            const uint8_t b = p[0], g = p[1], r = p[2];
            if ((r == 255 && g == 0 && b == 255) || (r == g && g == b)) continue;
            const TColor c = recolour(TColor(r | (g << 8) | (b << 16)));
            p[0] = uint8_t(c >> 16);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c);
        }
    }
}

template <typename Recolour>
void RecolourSkin(TsSkinManager& m, Recolour recolour) {
    if (m.MasterBitmap && m.MasterBitmap->SetFormat(24)) RecolourPixels(*m.MasterBitmap, recolour);
    for (TsMaskData& mask : m.MasksData)
        if (mask.Bmp && mask.Bmp->SetFormat(24)) RecolourPixels(*mask.Bmp, recolour);
    for (TsGeneralData& s : m.SectionsData) {
        s.Color = recolour(s.Color);
        s.HotColor = recolour(s.HotColor);
        for (TColor& c : s.FontColor)
            if (c != -1) c = recolour(c);
        for (TColor& c : s.HotFontColor)
            if (c != -1) c = recolour(c);
        for (TsGradPie& step : s.GradientSteps) {
            step.Color1 = recolour(step.Color1);
            step.Color2 = recolour(step.Color2);
        }
        for (TsGradPie& step : s.HotGradientSteps) {
            step.Color1 = recolour(step.Color1);
            step.Color2 = recolour(step.Color2);
        }
    }
    m.SkinData.Shadow1Color = recolour(m.SkinData.Shadow1Color);
    m.SkinData.BorderColor = recolour(m.SkinData.BorderColor);
}

// An integer written in a common section: -1 and text that is not a number count as absent.
std::optional<int32_t> CommonInt(const TqvIniFile::Section& s, const char* key) {
    const std::string* v = s.Find(key);
    if (!v) return std::nullopt;
    auto n = TryStrToInt(*v);
    if (!n || *n == -1) return std::nullopt;
    return n;
}

void TakeInt(const TqvIniFile::Section& s, const char* key, int32_t& field) {
    if (auto n = CommonInt(s, key)) field = *n;
}
void TakeBevel(const TqvIniFile::Section& s, const char* key, TsControlBevel& field) {
    if (auto n = CommonInt(s, key))
        field = *n >= cbNone && *n <= cbLoweredHard ? TsControlBevel(*n) : cbNone;
}
void TakeBool(const TqvIniFile::Section& s, const char* key, bool& field) {
    if (const std::string* v = s.Find(key)) field = UpperCase(*v) == "TRUE";
}
void TakeText(const TqvIniFile::Section& s, const char* key, std::string& field) {
    if (const std::string* v = s.Find(key)) field = *v;
}

// The general keys of a common section over what the record already holds (its base
// section's values or the defaults).
void ApplyCommonKeys(const TqvIniFile::Section& s, TsGeneralData& g) {
    TakeInt(s, "COLOR", g.Color);
    TakeBevel(s, "BEVEL", g.Bevel);
    TakeInt(s, "SHADOWBLUR", g.ShadowBlur);
    TakeInt(s, "SHADOWOFFSET", g.ShadowOffset);
    TakeInt(s, "SHADOWCOLOR", g.ShadowColor);
    TakeInt(s, "SHADOWTRANSPARENCY", g.ShadowTransparency);
    TakeBool(s, "SHADOWENABLED", g.ShadowEnabled);
    TakeBool(s, "RESERVEDBOOLEAN", g.ReservedBoolean);
    static const char* const kFontKeys[5] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
    static const char* const kHotFontKeys[5] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP",
                                                "HOTTCRIGHT", "HOTTCBOTTOM"};
    for (size_t i = 0; i < 5; ++i) {
        TakeInt(s, kFontKeys[i], g.FontColor[i]);
        TakeInt(s, kHotFontKeys[i], g.HotFontColor[i]);
    }
    TakeInt(s, "TRANSPARENCY", g.Transparency);
    TakeInt(s, "GRADIENTPERCENT", g.GradientPercent);
    TakeInt(s, "IMAGEPERCENT", g.ImagePercent);
    TakeText(s, "GRADIENTDATA", g.GradientData);
    TakeBool(s, "SHOWFOCUS", g.ShowFocus);
    TakeBool(s, "FADINGENABLED", g.FadingEnabled);
    TakeInt(s, "FADINGINTERVALIN", g.FadingIntervalIn);
    TakeInt(s, "FADINGINTERVALOUT", g.FadingIntervalOut);
    TakeInt(s, "FADINGITERATIONS", g.FadingIterations);
    TakeInt(s, "HOTCOLOR", g.HotColor);
    TakeInt(s, "HOTTRANSPARENCY", g.HotTransparency);
    TakeBevel(s, "HOTBEVEL", g.HotBevel);
    TakeInt(s, "HOTGRADIENTPERCENT", g.HotGradientPercent);
    TakeText(s, "HOTGRADIENTDATA", g.HotGradientData);
    TakeInt(s, "HOTIMAGEPERCENT", g.HotImagePercent);
    TakeInt(s, "BORDERCOLOR1", g.BorderColor1);
    TakeInt(s, "BORDERCOLOR2", g.BorderColor2);
}

void ParseGradientText(const std::string& text, TsGradArray& steps) {
    steps.clear();
    if (!text.empty() && text != " ") ParseGradientData(text, steps);
}

bool IsPictureName(const std::string& upper) {
    return upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
}

std::string VersionText(double version) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, version);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

LRESULT CbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(threadHook, code, wParam, lParam);
    if (PrimaryManager && (code == HCBT_CREATEWND || code == HCBT_ACTIVATE))
        PrimaryManager->HandleHookEvent(code, HWND(wParam));
    return result;
}

bool HasToolbarChild(HWND window) {
    bool found = false;
    EnumChildWindows(window, [&](HWND child) {
        found = LowerCase(GetClassName(child)) == "toolbarwindow32";
        return !found;
    });
    return found;
}

} // namespace

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
    if (MakeMenuEngine) menuEngine_ = MakeMenuEngine(this);
    if (!PrimaryManager) {
        PrimaryManager = this;
        HookApplicationWindow();
    }
    skinDirectory_ = kDefaultSkinDirectory;
}

TsSkinManager::~TsSkinManager() {
    Destroying();
    SetActive(false);
    RemoveThreadHook();
    if (appHook_) RemoveWindowMessageHook(appHook_);
    if (PrimaryManager == this) PrimaryManager = nullptr;
}

void TsSkinManager::Loaded() {
    TComponent::Loaded();
    if (skinDirectory_.empty()) skinDirectory_ = kDefaultSkinDirectory;
    if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = "ICOLINE";
    if (active_ && !skinName_.empty()) ApplySkinToAll();
}

// ---- Properties

void TsSkinManager::SetSkinName(const std::string& value) {
    skinName_ = value;
    if (!active_) return;
    if (OnBeforeChange) OnBeforeChange(this);
    bool found = false;
    {
        FlagScope switching(SkinSwitching);
        SkinData.Loaded = false;
        found = LoadSkin();
        if (!found) {
            // No skin anywhere and no stored skin: the windows go back to their own look.
            active_ = false;
            StripSkinFromAll();
        } else {
            ApplySkinToAll();
        }
    }
    if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (value) {
        SetSkinName(skinName_);
        return;
    }
    if (!Loading()) StripSkinFromAll();
    LookupCachedIndexes();
}

void TsSkinManager::SetHueOffset(int value) {
    if (value == hueOffset_) return;
    hueOffset_ = value;
    ReloadForColourChange();
}

void TsSkinManager::SetSaturation(int value) {
    if (value == saturation_) return;
    saturation_ = value;
    ReloadForColourChange();
}

void TsSkinManager::ReloadForColourChange() {
    if (!SkinData.Loaded) return; // the new value is applied with the next load
    {
        FlagScope switching(SkinSwitching);
        LoadSkin();
        // The skin is still applied: only its colours changed.
        SkinData.Loaded = true;
    }
    if (!Loading()) RepaintAllForms();
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
    commonSections_.clear();
    for (std::string line : lines) {
        if (line.empty() || line[0] != ';')
            line.erase(std::remove_if(line.begin(), line.end(),
                                      [](char c) { return c == ' ' || c == '\t'; }),
                       line.end());
        commonSections_.push_back(std::move(line));
    }
    SetSkinName(skinName_);
}

void TsSkinManager::SetSkinDirectory(const std::string& value) {
    if (value == skinDirectory_) return;
    skinDirectory_ = value;
    SkinData.SkinFolder = FullSkinDirectory();
}

std::string TsSkinManager::FullSkinDirectory() const {
    return WithTrailingBackslash(::FullSkinDirectory(skinDirectory_, ProgramFolder()));
}

void TsSkinManager::SetInternalSkins(const TsStoredSkins& skins) {
    if (&skins == &internalSkins_) return;
    internalSkins_ = TsStoredSkins();
    for (int i = 0; i < skins.Count(); ++i) internalSkins_.Add() = skins[i];
}

bool TsSkinManager::IsDefault() const { return PrimaryManager == this; }

void TsSkinManager::SetIsDefault(bool value) {
    if (!value && PrimaryManager) return;
    PrimaryManager = this;
    if (!appHook_) HookApplicationWindow();
    if (!active_) {
        StripSkinFromAll();
    } else {
        ApplySkinToAll();
        RepaintAllForms();
    }
}

void TsSkinManager::SetSkinnedPopups(bool value) {
    if (value == skinnedPopups_) return;
    skinnedPopups_ = value;
    if (value && !Loading() && IsDefault() && menuEngine_) menuEngine_->RefreshHooks();
}

std::string TsSkinManager::SkinInfo() const {
    return SkinData.Loaded ? VersionText(SkinData.Version) : std::string("N/A");
}

// ---- Loading

bool TsSkinManager::LoadSkin() {
    const TsSkinSource source =
        ChooseSkinSource(skinName_, skinDirectory_, internalSkins_, ProgramFolder());
    if (source.Kind == TsSkinSourceKind::None) return false;
    skinName_ = source.SkinName;
    SkinData.SkinFolder = source.SkinFolder;
    FromPackage = source.Kind == TsSkinSourceKind::Package;
    switch (source.Kind) {
    case TsSkinSourceKind::Package: {
        std::unique_ptr<TqvSkinConvertor> reader;
        // A refused package has shown its warning; the skin is then empty.
        if (LoadSkinPackage(source.Path, reader, true) && reader->Options)
            LoadFromOptions(std::string(reader->Options->begin(), reader->Options->end()),
                            TsSkinFiles::FromPackage(*reader));
        else
            LoadFromOptions("", TsSkinFiles::FromFolder(SkinData.SkinFolder));
        break;
    }
    case TsSkinSourceKind::Folder: {
        auto options = ReadFileBytes(source.Path, TsSkinFiles::kMaxFileBytes);
        if (!options.Ok()) throw EReadError(options.Error);
        LoadFromOptions(std::string(options.Data.begin(), options.Data.end()),
                        TsSkinFiles::FromFolder(source.SkinFolder));
        break;
    }
    case TsSkinSourceKind::Stored: {
        const TsStoredSkin& stored = internalSkins_[source.StoredIndex];
        SkinData.SkinFolder.clear();
        if (!stored.Data.empty()) {
            FromPackage = true;
            TqvSkinConvertor reader;
            reader.SourceName = stored.Name;
            reader.PackedData = std::make_unique<TMemoryStream>(stored.Data);
            const bool ok = reader.UnpackSkin() && reader.Options;
            LoadFromOptions(ok ? std::string(reader.Options->begin(), reader.Options->end())
                               : std::string(),
                            TsSkinFiles::FromPackage(reader));
        } else {
            TsSkinContent content;
            LoadExpandedSkin(stored, content, this);
            MasterBitmap = std::move(content.MasterBitmap);
            MasksData = std::move(content.MasksData);
            PatternsData = std::move(content.PatternsData);
            SectionsData = std::move(content.SectionsData);
            content.SkinData.SkinFolder.clear();
            content.SkinData.Loaded = false;
            SkinData = content.SkinData;
            RunCommonPasses();
        }
        break;
    }
    case TsSkinSourceKind::None: break;
    }
    ApplyHueAndSaturation();
    return true;
}

void TsSkinManager::LoadFromOptions(const std::string& optionsText, const TsSkinFiles& files) {
    const TqvIniFile ini(optionsText);
    std::string text;
    for (const std::string& line : commonSections_) text += line + "\n";
    const TqvIniFile common(text);
    LoadImagePass(ini, files, MasterBitmap, MasksData, this);
    CommonImagePass(common);
    LoadPatternPass(ini, files, PatternsData, MasksData, this);
    CommonPatternPass(common);
    LoadSectionPass(ini, SectionsData, SkinData);
    CommonSectionPass(common);
}

void TsSkinManager::RunCommonPasses() {
    std::string text;
    for (const std::string& line : commonSections_) text += line + "\n";
    const TqvIniFile common(text);
    CommonImagePass(common);
    CommonPatternPass(common);
    CommonSectionPass(common);
}

void TsSkinManager::CommonImagePass(const TqvIniFile& common) {
    const TsSkinFiles files = TsSkinFiles::FromFolder(SkinData.SkinFolder);
    for (const auto& section : common.Sections()) {
        const std::string sectionName = UpperCase(section.Name);
        if (sectionName == kGlobalInfo) continue;
        ForEachFirstKey(section, [&](const std::string& key, const std::string& value) {
            const std::string upper = UpperCase(value);
            TsMaskData m;
            m.SectionName = sectionName;
            m.PropertyName = key;
            m.Manager = this;
            if (value.find('#') == std::string::npos) {
                if (upper.find(".BMP") == std::string::npos) return;
                auto bytes = files.Read(upper);
                if (!bytes) return;
                std::string error;
                m.Bmp = LoadBMP(bytes->data(), bytes->size(), &error);
                if (!m.Bmp) throw EReadError(files.Describe(upper) + ": " + error);
                if (m.Bmp->Width() == 0) return;
            } else {
                if (value == "#") return;
                ParseMasterRectValue(value, key, m);
            }
            MasksData.push_back(std::move(m));
        });
    }
}

void TsSkinManager::CommonPatternPass(const TqvIniFile& common) {
    const TsSkinFiles files = TsSkinFiles::FromFolder(SkinData.SkinFolder);
    for (const auto& section : common.Sections()) {
        const std::string sectionName = UpperCase(section.Name);
        ForEachFirstKey(section, [&](const std::string& key, const std::string& value) {
            const std::string upper = UpperCase(value);
            if (!IsPictureName(upper)) return;
            auto bytes = files.Read(upper);
            if (!bytes) return;
            std::string error;
            std::unique_ptr<Bitmap> picture = DecodeJPEG(bytes->data(), bytes->size(), &error);
            if (!picture) throw EReadError(files.Describe(upper) + ": " + error);
            if (picture->Width() == 0) return;
            PatternsData.push_back(
                {std::shared_ptr<const Bitmap>(std::move(picture)), sectionName, key});
        });
    }
}

void TsSkinManager::CommonSectionPass(const TqvIniFile& common) {
    const size_t loaded = SectionsData.size();
    for (const auto& section : common.Sections()) {
        const bool known =
            std::any_of(SectionsData.begin(), SectionsData.end(),
                        [&](const TsGeneralData& s) { return s.SectionName == section.Name; });
        if (known) continue; // the skin's own section keeps its values
        const std::string* parentValue = section.Find("PARENTCLASS");
        const std::string parent = parentValue ? UpperCase(*parentValue) : std::string("-1");
        TsGeneralData g;
        for (size_t i = 0; i < loaded; ++i)
            if (UpperCase(SectionsData[i].SectionName) == parent) {
                g = SectionsData[i];
                break;
            }
        g.SectionName = section.Name;
        g.ParentClass = parent;
        ApplyCommonKeys(section, g);
        ParseGradientText(g.GradientData, g.GradientSteps);
        ParseGradientText(g.HotGradientData, g.HotGradientSteps);
        SectionsData.push_back(std::move(g));
    }
}

void TsSkinManager::ApplyHueAndSaturation() {
    if (hueOffset_ != 0) {
        const int delta = hueOffset_;
        RecolourSkin(*this, [delta](TColor c) { return ShiftHue(delta, c); });
    }
    if (saturation_ != 0) {
        // The remainder keeps the amount within -100 .. 100 (150 gives -49).
        const int amount = -(saturation_ % 101);
        RecolourSkin(*this, [amount](TColor c) { return ShiftSaturation(c, amount); });
    }
}

// ---- Look-ups

namespace {

// The first entry of `items` with this section and property, following the section's
// PARENTCLASS chain when the section itself has none. `accept` filters the entries.
template <typename Items, typename Accept>
int FindInherited(const TsSkinManager& manager, const Items& items, int sectionIndex,
                  std::string_view sectionName, std::string_view propertyName, Accept accept) {
    // A chain longer than the section list has a loop in it.
    for (size_t hops = 0; hops <= manager.SectionsData.size(); ++hops) {
        if (sectionIndex < 0 || sectionName.empty()) return -1;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].SectionName == sectionName && items[i].PropertyName == propertyName &&
                accept(items[i]))
                return int(i);
        if (size_t(sectionIndex) >= manager.SectionsData.size()) return -1;
        const std::string& parent = manager.SectionsData[size_t(sectionIndex)].ParentClass;
        if (parent.empty() || parent == sectionName) return -1;
        sectionIndex = manager.GetSectionIndex(parent);
        sectionName = parent;
    }
    return -1;
}

} // namespace

int TsSkinManager::GetSectionIndex(std::string_view sectionName) const {
    for (size_t i = 0; i < SectionsData.size(); ++i)
        if (SectionsData[i].SectionName == sectionName) return int(i);
    return -1;
}

int TsSkinManager::GetImageEntryIndex(int sectionIndex, std::string_view sectionName,
                                      std::string_view propertyName) const {
    return FindInherited(*this, MasksData, sectionIndex, sectionName, propertyName,
                         [](const TsMaskData&) { return true; });
}

int TsSkinManager::FindImageEntryIndex(std::string_view sectionName,
                                       std::string_view propertyName) const {
    if (sectionName.empty()) return -1;
    for (size_t i = 0; i < MasksData.size(); ++i)
        if (MasksData[i].SectionName == sectionName && MasksData[i].PropertyName == propertyName)
            return int(i);
    return -1;
}

int TsSkinManager::GetTextureImageIndex(int sectionIndex, std::string_view sectionName,
                                        std::string_view propertyName) const {
    return FindInherited(*this, MasksData, sectionIndex, sectionName, propertyName,
                         [](const TsMaskData& m) { return m.ImgType == itisaTexture; });
}

int TsSkinManager::GetPatternEntryIndex(int sectionIndex, std::string_view sectionName,
                                        std::string_view propertyName) const {
    return FindInherited(*this, PatternsData, sectionIndex, sectionName, propertyName,
                         [](const TsPatternData&) { return true; });
}

bool TsSkinManager::ImageIndexValid(int index) const {
    return index >= 0 && size_t(index) < MasksData.size();
}

bool TsSkinManager::SectionIndexValid(int index) const {
    return index >= 0 && size_t(index) < SectionsData.size();
}

SIZE TsSkinManager::GetMaskFrameSize(int imageIndex) const {
    if (!ImageIndexValid(imageIndex)) return SIZE{0, 0};
    const TsMaskData& m = MasksData[size_t(imageIndex)];
    if (m.Bmp) return SIZE{m.Bmp->Width() / 3, m.Bmp->Height() / 2};
    // A count of 0 or a negative mask type in a skin file reads as one frame, no mask.
    return SIZE{WidthOf(m.R) / std::max<int>(1, m.ImageCount),
                HeightOf(m.R) / std::max<int>(1, m.MaskType + 1)};
}

int TsSkinManager::GetMaskWL(int imageIndex) const {
    if (!ImageIndexValid(imageIndex)) return 0;
    const TsMaskData& m = MasksData[size_t(imageIndex)];
    if (m.WL > 0) return m.WL;
    if (m.BorderWidth > 0) return m.BorderWidth;
    return WidthOf(m.R) / (std::max<int>(1, m.ImageCount) * 3);
}

int TsSkinManager::GetMaskWR(int imageIndex) const {
    if (!ImageIndexValid(imageIndex)) return 0;
    const TsMaskData& m = MasksData[size_t(imageIndex)];
    if (m.WR > 0) return m.WR;
    if (m.BorderWidth > 0) return m.BorderWidth;
    return WidthOf(m.R) / (std::max<int>(1, m.ImageCount) * 3);
}

int TsSkinManager::GetMaskWB(int imageIndex) const {
    if (!ImageIndexValid(imageIndex)) return 0;
    const TsMaskData& m = MasksData[size_t(imageIndex)];
    if (m.WB > 0) return m.WB;
    if (m.BorderWidth > 0) return m.BorderWidth;
    return HeightOf(m.R) / (std::max<int>(1, m.MaskType + 1) * 3);
}

TColor TsSkinManager::SkinGlobalColor() const {
    const int i = GetSectionIndex(kGlobalInfo);
    return TColor(
        ColorToRGB(i < 0 ? TColor(0x80000000u | COLOR_BTNFACE) : SectionsData[size_t(i)].Color));
}

TColor TsSkinManager::SkinGlobalFontColor() const {
    const int i = GetSectionIndex(kGlobalInfo);
    return TColor(ColorToRGB(i < 0 ? KeyColor : SectionsData[size_t(i)].FontColor[0]));
}

TColor TsSkinManager::SkinGlobalHotColor() const {
    const int i = GetSectionIndex(kGlobalInfo);
    return TColor(
        ColorToRGB(i < 0 ? TColor(0x80000000u | COLOR_WINDOW) : SectionsData[size_t(i)].HotColor));
}

void TsSkinManager::LookupCachedIndexes() {
    TsCachedIndexes& c = CachedIndexes;
    c = TsCachedIndexes();
    c.GlobalInfoIndex = GetSectionIndex(kGlobalInfo);
    if (c.GlobalInfoIndex >= 0) {
        auto image = [&](const char* name) {
            return GetImageEntryIndex(c.GlobalInfoIndex, kGlobalInfo, name);
        };
        c.BoxChecked = image("BOXCHECKED");
        c.BoxUnchecked = image("BOXUNCHECKED");
        c.BoxGrayed = image("BOXGRAYED");
        c.RadioChecked = image("RADIOCHECKED");
        c.RadioUnchecked = image("RADIOUNCHECKED");
        c.RadioGrayed = image("RADIOGRAYED");
        c.SmallChecked = image("SMALLCHECKED");
        c.SmallUnchecked = image("SMALLUNCHECKED");
        c.SmallGrayed = image("SMALLGRAYED");
    }
    auto tab = [&](const char* name, int& section, int& border) {
        section = GetSectionIndex(name);
        border = GetImageEntryIndex(section, name, "BORDERSMASK");
    };
    tab("TABTOP", c.TabTop, c.TabTopBorder);
    tab("TABBOTTOM", c.TabBottom, c.TabBottomBorder);
    tab("TABLEFT", c.TabLeft, c.TabLeftBorder);
    tab("TABRIGHT", c.TabRight, c.TabRightBorder);
    auto scroll = [&](const char* name, TsScrollPartIndexes& p, bool glyph) {
        p.Section = GetSectionIndex(name);
        p.BordersMask = GetImageEntryIndex(p.Section, name, "BORDERSMASK");
        p.Pattern = GetImageEntryIndex(p.Section, name, "PATTERN");
        p.HotPattern = GetImageEntryIndex(p.Section, name, "HOTPATTERN");
        if (glyph && p.Section >= 0) p.GlyphMask = GetImageEntryIndex(p.Section, name, "GLYPHMASK");
    };
    scroll("SCROLLBTNTOP", c.ScrollBtnTop, true);
    scroll("SCROLLBTNBOTTOM", c.ScrollBtnBottom, true);
    scroll("SCROLLBTNLEFT", c.ScrollBtnLeft, true);
    scroll("SCROLLBTNRIGHT", c.ScrollBtnRight, true);
    scroll("SCROLLSLIDERV", c.ScrollSliderV, true);
    scroll("SCROLLSLIDERH", c.ScrollSliderH, true);
    scroll("SCROLLBAR1H", c.ScrollBar1H, false);
    scroll("SCROLLBAR1V", c.ScrollBar1V, false);
    scroll("SCROLLBAR2H", c.ScrollBar2H, false);
    scroll("SCROLLBAR2V", c.ScrollBar2V, false);
    c.ComboBtn.Section = GetSectionIndex("COMBOBTN");
    c.ComboBtn.BordersMask = FindImageEntryIndex("COMBOBTN", "BORDERSMASK");
    c.ComboBtn.Pattern = GetTextureImageIndex(c.ComboBtn.Section, "COMBOBTN", "PATTERN");
    c.ComboBtn.HotPattern = GetTextureImageIndex(c.ComboBtn.Section, "COMBOBTN", "HOTPATTERN");
    c.ComboBoxGlyph = FindImageEntryIndex("COMBOBOX", "GLYPHMASK");
}

// ---- Telling the windows

std::vector<TForm*> TsSkinManager::FormsOfThisManager() const {
    std::vector<TForm*> forms;
    for (TForm* f : HookedForms) {
        if (f->IsDestroying() || f->FormStyle() == fsMDIChild || f->Parent() ||
            !f->HandleAllocated() || !f->Visible())
            continue;
        if (SendSkinCommand(f, SkinCommandWParam(scGetProvider), 0) == 0) continue;
        if (ProviderUsesManager && ProviderUsesManager(f, const_cast<TsSkinManager*>(this)))
            forms.push_back(f);
    }
    return forms;
}

namespace {

bool StillHooked(TForm* form) {
    return std::find(HookedForms.begin(), HookedForms.end(), form) != HookedForms.end() &&
           !form->IsDestroying();
}

void StopRedraw(const std::vector<TForm*>& forms) {
    for (TForm* f : forms)
        if (StillHooked(f)) SendMessage(f->Handle(), WM_SETREDRAW, 0, 0);
}

} // namespace

void TsSkinManager::SendToForm(TForm* form, WPARAM wParam, LPARAM lParam) {
    SendSkinCommand(form, wParam, lParam);
    TMessage m{SM_ORVENCMD, wParam, lParam, 0};
    BroadcastToChildren(form, m);
}

void TsSkinManager::BroadcastToForms(WPARAM wParam, LPARAM lParam) {
    // Receivers may create or destroy forms: both lists are copied and each form is checked
    // again before it gets the message.
    if (Application) {
        const std::vector<TForm*> forms = Application->Forms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            TForm* f = *it;
            const auto& now = Application->Forms();
            if (std::find(now.begin(), now.end(), f) == now.end()) continue;
            // Forms with a skin provider of their own are reached through HookedForms.
            if (f->FormStyle() == fsMDIChild || f->IsDestroying() || f->Loading() ||
                AskSkinCommand(f, scIsSkinned))
                continue;
            SendToForm(f, wParam, lParam);
        }
    }
    const std::vector<TForm*> hooked = HookedForms;
    for (TForm* f : hooked)
        if (StillHooked(f)) SendToForm(f, wParam, lParam);
}

void TsSkinManager::ApplySkinToAll() {
    if (Application && Application->MainForm()) StopRedraw(FormsOfThisManager());
    if (menuEngine_) menuEngine_->ResetBorderWidth();
    SkinData.Loaded = false;
    {
        FlagScope applying(ApplyInProgress);
        LookupCachedIndexes();
        BroadcastToForms(SkinCommandWParam(scSkinLoaded), LPARAM(this));
    }
    SkinData.Loaded = true;
    if (menuEngine_) menuEngine_->RefreshHooks();
    if (IsDefault() && !hook_) InstallThreadHook();
    RepaintAllForms();
}

void TsSkinManager::RepaintAllForms() {
    BroadcastToForms(SkinCommandWParam(scStopFading), LPARAM(this));
    if (Loading() || !Application || !Application->MainForm()) {
        BroadcastToForms(SkinCommandWParam(scRefresh), LPARAM(this));
        return;
    }
    const std::vector<TForm*> forms = FormsOfThisManager();
    StopRedraw(forms);
    BroadcastToForms(SkinCommandWParam(scRefresh), LPARAM(this));
    for (TForm* f : forms) {
        if (!StillHooked(f)) continue;
        // The platform counts as a version 6 system, where the switch animates in no time.
        if (AnimEffects.SkinSwitching.Active && AnimateRepaint) AnimateRepaint(f, 0);
        if (!StillHooked(f)) continue;
        const HWND h = f->Handle();
        SendMessage(h, WM_SETREDRAW, 1, 0);
        SetWindowRgn(h, nullptr, false);
        if (RebuildProviderFrame) RebuildProviderFrame(f);
        RedrawWindow(h, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void TsSkinManager::StripSkinFromAll() {
    {
        FlagScope stripping(StripInProgress);
        RemoveThreadHook();
        SkinData.Loaded = false;
        if (menuEngine_) menuEngine_->RefreshHooks();
        BroadcastToForms(SkinCommandWParam(scRemoveSkin), LPARAM(this));
        MasksData.clear();
        PatternsData.clear();
        SectionsData.clear();
        MasterBitmap.reset();
    }
}

// ---- Hooks

void TsSkinManager::InstallThreadHook() {
    if (hook_ || threadHook) return;
    hook_ = SetWindowsHookEx(WH_CBT, &CbtHookProc, nullptr, 0);
    threadHook = hook_;
}

void TsSkinManager::RemoveThreadHook() {
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        if (threadHook == hook_) threadHook = nullptr;
        hook_ = nullptr;
    }
    hookedWrappers_.clear();
}

void TsSkinManager::HookApplicationWindow() {
    if (!Application || Designing()) return;
    appHook_ = AddWindowMessageHook(Application->Handle(), [this](HWND, UINT msg, WPARAM wParam,
                                                                  LPARAM lParam, LRESULT* result) {
        if (msg == WM_THEMECHANGED) {
            *result = 0; // the skin decides how windows look, not the system theme
            return true;
        }
        if ((msg == kMenuItemDrawn || msg == kShapeMenuWindow) && menuEngine_ &&
            menuEngine_->HandleApplicationMessage(msg, wParam, lParam)) {
            *result = 0;
            return true;
        }
        return false;
    });
}

bool TsSkinManager::WindowHookHandled(HWND window) const {
    return std::any_of(hookedWrappers_.begin(), hookedWrappers_.end(),
                       [&](const auto& w) { return w->Window() == window; });
}

void TsSkinManager::HandleHookEvent(int code, HWND window) {
    if (!window || !IsWindow(window)) return;
    TsHookWindowFacts facts;
    facts.Creating = code == HCBT_CREATEWND;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(window));
    facts.IsOwnForm = form != nullptr;
    facts.WindowClass = form ? std::string(form->ClassName()) : GetClassName(window);
    // Only menu windows are wrapped while they are created; the others are not asked
    // anything before their window procedure runs.
    if (facts.Creating && facts.WindowClass != "#32768") return;
    facts.AnswersSkinned = AskWindowSkinCommand(window, scIsSkinned);
    facts.HasDefaultManager = PrimaryManager != nullptr;
    facts.AlreadyAdapted = WindowHookHandled(window);
    facts.Caption = GetWindowText(window);
    facts.SkinningRules = SkinningRules;
    facts.HookedWindowVisible =
        std::any_of(hookedWrappers_.begin(), hookedWrappers_.end(),
                    [](const auto& w) { return IsWindowVisible(w->Window()); });
    if (!facts.Creating && !facts.IsOwnForm) facts.HasToolbarChild = HasToolbarChild(window);

    std::unique_ptr<TsHookedWrapper> made;
    switch (DecideHookAction(facts)) {
    case TsHookAction::Nothing: return;
    case TsHookAction::MenuWindowAdapter:
        if (MakeMenuWindowAdapter) made = MakeMenuWindowAdapter(window, this);
        break;
    case TsHookAction::DialogAdapter:
        if (MakeFormProvider) made = MakeFormProvider(form, this, false);
        break;
    case TsHookAction::FormProvider:
        if (MakeFormProvider) made = MakeFormProvider(form, this, true);
        break;
    case TsHookAction::SystemDialog:
        if (MakeSystemDialogAdapter) made = MakeSystemDialogAdapter(window, this);
        break;
    }
    // A wrapper that could not attach itself is released at once.
    if (!made || !made->Attached()) return;
    DropWrappersOfGoneWindows();
    hookedWrappers_.push_back(std::move(made));
}

void TsSkinManager::DropWrappersOfGoneWindows() {
    // Every menu and dialog shown would otherwise stay in the list, caches and all, until the
    // skin goes. A window that is gone has let go of its wrapper already; modal dialogs are
    // destroyed outside their own message handling, so none of these is running now.
    hookedWrappers_.erase(std::remove_if(hookedWrappers_.begin(), hookedWrappers_.end(),
                                         [](const std::unique_ptr<TsHookedWrapper>& w) {
                                             const HWND window = w->Window();
                                             return !window || !IsWindow(window);
                                         }),
                          hookedWrappers_.end());
}
