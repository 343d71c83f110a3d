#include "skin/sSkinLoader.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <set>

#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "platform/core/StrUtils.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "skin/qvSkinPack.h"

namespace {

constexpr const char* kGlobalInfo = "GLOBALINFO";

int16_t ToInt16(int32_t v) { return int16_t(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)); }

// The characters from 1-based position `pos`, as many of `count` as exist.
std::string_view CopyText(std::string_view s, size_t pos, size_t count) {
    if (pos == 0 || pos > s.size()) return {};
    return s.substr(pos - 1, count);
}

int32_t FieldAt(std::string_view value, size_t pos, size_t count) {
    return StrToInt(CopyText(value, pos, count));
}

// Adds the section and key to an error raised while one value was read.
template <typename F>
void WithContext(std::string_view section, std::string_view key, F&& body) {
    try {
        body();
    } catch (const EConvertError& e) {
        throw EConvertError("[" + std::string(section) + "] " + std::string(key) + ": " + e.what());
    } catch (const EReadError& e) {
        throw EReadError("[" + std::string(section) + "] " + std::string(key) + ": " + e.what());
    }
}

// Keys are read once each, by their first line, in file order.
void ForEachKey(const TqvIniFile::Section& section,
                const std::function<void(const std::string&, const std::string&)>& visit) {
    std::vector<std::string> seen;
    for (const auto& k : section.Keys) {
        std::string upper = UpperCase(k.Name);
        if (std::find(seen.begin(), seen.end(), upper) != seen.end()) continue;
        seen.push_back(upper);
        visit(upper, *section.Find(k.Name));
    }
}

std::unique_ptr<Bitmap> LoadBitmapFile(const TsSkinFiles& files, std::string_view name) {
    auto bytes = files.Read(name);
    if (!bytes) return nullptr;
    std::string error;
    auto bmp = LoadBMP(bytes->data(), bytes->size(), &error);
    if (!bmp) throw EReadError(files.Describe(name) + ": " + error);
    if (bmp->Empty()) return nullptr;
    return bmp;
}

std::unique_ptr<Bitmap> LoadPictureFile(const TsSkinFiles& files, std::string_view name) {
    auto bytes = files.Read(name);
    if (!bytes) return nullptr;
    std::string error;
    auto picture = DecodeJPEG(bytes->data(), bytes->size(), &error);
    if (!picture) throw EReadError(files.Describe(name) + ": " + error);
    if (picture->Width() == 0) return nullptr;
    return picture;
}

void MarginsFromBorderWidthOrComputed(TsMaskData& m) {
    if (m.BorderWidth > 0)
        m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
    else
        ComputeMargins(m);
}

} // namespace

// "#name (left, top, right, bottom) (count, masktype, borderwidth, stretchmode)".
void ParseMasterRectValue(const std::string& value, const std::string& key, TsMaskData& m) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() &&
               std::string_view(" (),").find(value[i]) != std::string_view::npos)
            ++i;
        size_t start = i;
        while (i < value.size() &&
               std::string_view(" (),").find(value[i]) == std::string_view::npos)
            ++i;
        if (i > start) words.push_back(std::string_view(value).substr(start, i - start));
    }
    auto number = [&](size_t n) -> std::string_view { return n < words.size() ? words[n] : ""; };
    m.R = Rect(StrToInt(number(1)), StrToInt(number(2)), StrToInt(number(3)), StrToInt(number(4)));
    auto optional = [&](size_t n, int32_t def) {
        return n < words.size() ? StrToInt(words[n]) : def;
    };
    m.ImageCount = ToInt16(std::max(1, optional(5, 1)));
    m.MaskType = ToInt16(std::max(0, optional(6, 0)));
    m.BorderWidth = ToInt16(std::max(0, optional(7, 0)));
    if (key == "PATTERN" || key == "HOTPATTERN") {
        m.ImgType = itisaTexture;
        m.StretchMode = 0;
    } else {
        m.StretchMode = ToInt16(optional(8, 1));
    }
    MarginsFromBorderWidthOrComputed(m);
}

namespace {

// "!FILE.BMP!count!masktype!imgtype[!wl!wt!wr!wb]": an image with its own bitmap.
bool ParseOwnBitmapValue(const std::string& value, const TsSkinFiles& files, TsMaskData& m) {
    std::vector<std::string_view> words = SplitText(std::string_view(value).substr(1), '!');
    if (words.empty() || words[0].find(".BMP") == std::string_view::npos) return false;
    // Missing counts read as one frame, no mask, a border.
    auto word = [&](size_t i, int32_t def) { return i < words.size() ? StrToInt(words[i]) : def; };
    m.ImageCount = ToInt16(word(1, 1));
    m.MaskType = ToInt16(word(2, 0));
    const int32_t type = word(3, itisaBorder);
    m.ImgType = type >= itisaBorder && type <= itisaGlyph ? TqvImgType(type) : itisaBorder;
    if (words.size() >= 5) {
        m.WL = ToInt16(word(4, 0));
        m.WT = ToInt16(word(5, 0));
        m.WR = ToInt16(word(6, 0));
        m.WB = ToInt16(word(7, 0));
    }
    m.Bmp = LoadBitmapFile(files, words[0]);
    if (!m.Bmp) return false;
    if (m.ImgType != itisaTexture) m.Bmp->SetFormat(24);
    m.R = Rect(0, 0, m.Bmp->Width(), m.Bmp->Height());
    if (words.size() < 5) ComputeMargins(m);
    return true;
}

// Fills one image entry from a value; false when the value has no image syntax or names a
// bitmap that is missing.
bool ParseImageValue(const std::string& value, const std::string& key, const TsSkinFiles& files,
                     TsMaskData& m) {
    if (value.empty()) return false;
    switch (value[0]) {
    case '!': return ParseOwnBitmapValue(value, files, m);
    case '@': // @llll@tttt@rrrr@bbbb@c@m: a glyph in the master bitmap
        m.R = Rect(FieldAt(value, 2, 4), FieldAt(value, 7, 4), FieldAt(value, 12, 4),
                   FieldAt(value, 17, 4));
        m.ImageCount = ToInt16(FieldAt(value, 22, 1));
        m.MaskType = ToInt16(FieldAt(value, 24, 1));
        m.ImgType = itisaGlyph;
        return true;
    case '^': // rectangle, four margins, count, mask type, stretch mode, border width
        m.R = Rect(FieldAt(value, 2, 4), FieldAt(value, 7, 4), FieldAt(value, 12, 4),
                   FieldAt(value, 17, 4));
        m.WL = ToInt16(FieldAt(value, 22, 4));
        m.WT = ToInt16(FieldAt(value, 27, 4));
        m.WR = ToInt16(FieldAt(value, 32, 4));
        m.WB = ToInt16(FieldAt(value, 37, 4));
        m.ImageCount = ToInt16(FieldAt(value, 42, 1));
        m.MaskType = ToInt16(FieldAt(value, 44, 1));
        m.StretchMode = ToInt16(FieldAt(value, 46, 1));
        m.BorderWidth = ToInt16(FieldAt(value, 48, 1));
        m.ImgType = itisaBorder;
        if (m.WL == 0 && m.WT == 0 && m.WR == 0 && m.WB == 0) MarginsFromBorderWidthOrComputed(m);
        return true;
    case '~': // rectangle, stretch mode, mask type: a texture in the master bitmap
        m.R = Rect(FieldAt(value, 2, 4), FieldAt(value, 7, 4), FieldAt(value, 12, 4),
                   FieldAt(value, 17, 4));
        m.StretchMode = ToInt16(FieldAt(value, 22, 2));
        m.MaskType = value.size() < 25 ? 0 : ToInt16(FieldAt(value, 25, 1));
        m.ImageCount = 1;
        m.ImgType = itisaTexture;
        return true;
    default: break;
    }
    const std::string upper = UpperCase(value);
    if (value.find('#') == std::string::npos) {
        if (upper.find(".BMP") == std::string::npos) return false;
        m.Bmp = LoadBitmapFile(files, upper);
        if (!m.Bmp) return false;
        m.Bmp->SetFormat(24);
        m.R = Rect(0, 0, m.Bmp->Width(), m.Bmp->Height());
        m.ImageCount = 3;
        m.MaskType = 1;
        ComputeMargins(m);
        return true;
    }
    if (value == "#") return false;
    ParseMasterRectValue(value, key, m);
    return true;
}

bool IsPictureName(const std::string& upperValue) {
    return upperValue.find(".JPG") != std::string::npos ||
           upperValue.find(".JPEG") != std::string::npos;
}

// The value of a general key for a section, following PARENTCLASS until a section has it.
// Numeric keys treat -1 and text that is not a number as absent. A chain that comes back to a
// section already visited ends there.
class InheritedLookup {
  public:
    explicit InheritedLookup(const TqvIniFile& ini) : ini_(ini) {}

    const std::string* Find(const TqvIniFile::Section& start, std::string_view key,
                            bool numeric) const {
        std::vector<const TqvIniFile::Section*> visited;
        const TqvIniFile::Section* s = &start;
        while (s && std::find(visited.begin(), visited.end(), s) == visited.end()) {
            visited.push_back(s);
            if (const std::string* v = s->Find(key)) {
                if (!numeric) return v;
                auto n = TryStrToInt(*v);
                if (n && *n != -1) return v;
            }
            const std::string* parent = s->Find("PARENTCLASS");
            if (!parent || parent->empty() || *parent == "?" || SameText(*parent, s->Name)) break;
            s = ini_.FindSection(*parent);
        }
        return nullptr;
    }

    int32_t Int(const TqvIniFile::Section& s, std::string_view key, int32_t def) const {
        const std::string* v = Find(s, key, true);
        return v ? *TryStrToInt(*v) : def;
    }
    bool Bool(const TqvIniFile::Section& s, std::string_view key, bool def) const {
        const std::string* v = Find(s, key, false);
        return v ? UpperCase(*v) == "TRUE" : def;
    }
    std::string Text(const TqvIniFile::Section& s, std::string_view key, std::string def) const {
        const std::string* v = Find(s, key, false);
        return v ? *v : def;
    }

  private:
    const TqvIniFile& ini_;
};

TsControlBevel ToBevel(int32_t v) {
    return v >= cbNone && v <= cbLoweredHard ? TsControlBevel(v) : cbNone;
}

// A gradient text is parsed unless it is the single blank that means "no gradient".
void ParseStoredGradient(const std::string& text, TsGradArray& steps) {
    steps.clear();
    if (text != " ") ParseGradientData(text, steps);
}

TsGeneralData ReadGeneralData(const InheritedLookup& look, const TqvIniFile::Section& s) {
    TsGeneralData g;
    g.SectionName = s.Name;
    if (const std::string* parent = s.Find("PARENTCLASS")) g.ParentClass = *parent;
    g.Color = TColor(ColorToRGB(look.Int(s, "COLOR", 0xFFFFFF)));
    g.Bevel = ToBevel(look.Int(s, "BEVEL", 0));
    g.ShadowBlur = look.Int(s, "SHADOWBLUR", 6);
    g.ShadowOffset = look.Int(s, "SHADOWOFFSET", 3);
    {
        const std::string* own = s.Find("SHADOWCOLOR"); // not inherited
        auto n = own ? TryStrToInt(*own) : std::nullopt;
        g.ShadowColor = n ? *n : 0;
    }
    g.ShadowTransparency = look.Int(s, "SHADOWTRANSPARENCY", 50);
    g.ShadowEnabled = look.Bool(s, "SHADOWENABLED", false);
    g.ReservedBoolean = look.Bool(s, "RESERVEDBOOLEAN", false);
    static const char* const kFontKeys[5] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
    static const char* const kHotFontKeys[5] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP",
                                                "HOTTCRIGHT", "HOTTCBOTTOM"};
    for (int i = 0; i < 5; ++i) {
        g.FontColor[size_t(i)] = look.Int(s, kFontKeys[i], i == 0 ? 0 : -1);
        g.HotFontColor[size_t(i)] = look.Int(s, kHotFontKeys[i], i == 0 ? 0 : -1);
    }
    g.Transparency = look.Int(s, "TRANSPARENCY", 0);
    g.GradientPercent = look.Int(s, "GRADIENTPERCENT", 0);
    g.ImagePercent = look.Int(s, "IMAGEPERCENT", 0);
    g.GradientData = look.Text(s, "GRADIENTDATA", " ");
    WithContext(s.Name, "GRADIENTDATA",
                [&] { ParseStoredGradient(g.GradientData, g.GradientSteps); });
    g.ShowFocus = look.Bool(s, "SHOWFOCUS", false);
    g.FadingEnabled = look.Bool(s, "FADINGENABLED", false);
    g.FadingIntervalIn = look.Int(s, "FADINGINTERVALIN", 5);
    g.FadingIntervalOut = look.Int(s, "FADINGINTERVALOUT", 5);
    g.FadingIterations = look.Int(s, "FADINGITERATIONS", 5);
    g.HotColor = look.Int(s, "HOTCOLOR", 0xFFFFFF);
    g.HotTransparency = look.Int(s, "HOTTRANSPARENCY", 0);
    g.HotBevel = ToBevel(look.Int(s, "HOTBEVEL", 0));
    g.HotGradientPercent = look.Int(s, "HOTGRADIENTPERCENT", 0);
    g.HotGradientData = look.Text(s, "HOTGRADIENTDATA", "");
    WithContext(s.Name, "HOTGRADIENTDATA",
                [&] { ParseStoredGradient(g.HotGradientData, g.HotGradientSteps); });
    g.HotImagePercent = look.Int(s, "HOTIMAGEPERCENT", 0);
    g.BorderColor1 = look.Int(s, "BORDERCOLOR1", 0);
    g.BorderColor2 = look.Int(s, "BORDERCOLOR2", 0);
    return g;
}

double ReadVersion(const TqvIniFile& ini) {
    const std::string* v = ini.ReadValue(kGlobalInfo, "VERSION");
    if (!v) return 0;
    double d = 0;
    auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), d);
    return ec == std::errc() && end == v->data() + v->size() ? d : 0;
}

// Keys whose bad value ends the load rather than falling back to the default.
int32_t ReadStrictInteger(const TqvIniFile& ini, const char* key, int32_t def) {
    const std::string* v = ini.ReadValue(kGlobalInfo, key);
    if (!v) return def;
    int32_t n = 0;
    WithContext(kGlobalInfo, key, [&] { n = StrToInt(*v); });
    return n;
}

} // namespace

void ComputeMargins(TsMaskData& m) {
    // Guard the divisors: a count of 0 or a negative mask type in a skin file must not divide
    // by zero.
    const int frames = std::max<int>(1, m.ImageCount) * 3;
    const int rows = std::max<int>(1, m.MaskType + 1) * 3;
    m.WL = m.WR = ToInt16(WidthOf(m.R) / frames);
    m.WT = m.WB = ToInt16(HeightOf(m.R) / rows);
}

void LoadImagePass(const TqvIniFile& ini, const TsSkinFiles& files,
                   std::unique_ptr<Bitmap>& masterBitmap, TsMaskArray& masks,
                   TsSkinManager* manager) {
    masks.clear();
    masterBitmap.reset();
    const std::string masterName = ini.ReadString(kGlobalInfo, "MASTERBITMAP", "");
    if (!masterName.empty()) {
        WithContext(kGlobalInfo, "MASTERBITMAP",
                    [&] { masterBitmap = LoadBitmapFile(files, masterName); });
        if (masterBitmap) masterBitmap->SetFormat(24);
    }
    for (const auto& section : ini.Sections()) {
        const std::string sectionName = UpperCase(section.Name);
        ForEachKey(section, [&](const std::string& key, const std::string& value) {
            if (sectionName == kGlobalInfo && key == "MASTERBITMAP") return;
            TsMaskData m;
            m.SectionName = sectionName;
            m.PropertyName = key;
            m.Manager = manager;
            bool made = false;
            WithContext(section.Name, key, [&] { made = ParseImageValue(value, key, files, m); });
            if (made) masks.push_back(std::move(m));
        });
    }
}

void LoadPatternPass(const TqvIniFile& ini, const TsSkinFiles& files, TsPatternArray& patterns,
                     TsMaskArray& masks, TsSkinManager* manager) {
    patterns.clear();
    for (const auto& section : ini.Sections()) {
        const std::string sectionName = UpperCase(section.Name);
        ForEachKey(section, [&](const std::string& key, const std::string& value) {
            const std::string upper = UpperCase(value);
            if (!IsPictureName(upper)) return;
            std::unique_ptr<Bitmap> picture;
            WithContext(section.Name, key, [&] { picture = LoadPictureFile(files, upper); });
            if (!picture) return;
            if (int64_t(picture->Width()) * picture->Height() >= kPatternMinPixels) {
                patterns.push_back(
                    {std::shared_ptr<const Bitmap>(std::move(picture)), sectionName, key});
                return;
            }
            TsMaskData m;
            m.Bmp = std::move(picture);
            m.SectionName = sectionName;
            m.PropertyName = key;
            m.ImgType = itisaTexture;
            m.ImageCount = 1;
            m.Manager = manager;
            masks.push_back(std::move(m));
        });
    }
}

void LoadSectionPass(const TqvIniFile& ini, TsGeneralDataArray& sections, TsSkinData& skinData) {
    skinData.Version = ReadVersion(ini);
    skinData.Author = ini.ReadString(kGlobalInfo, "AUTHOR", "");
    skinData.Description = ini.ReadString(kGlobalInfo, "DESCRIPTION", "");
    skinData.Shadow1Color = ini.ReadInteger(kGlobalInfo, "SHADOW1COLOR", 0);
    skinData.Shadow1Offset = ReadStrictInteger(ini, "SHADOW1OFFSET", 0);
    skinData.Shadow1Blur = ReadStrictInteger(ini, "SHADOW1BLUR", -1);
    skinData.Shadow1Transparency = ReadStrictInteger(ini, "SHADOW1TRANSPARENCY", 0);
    skinData.ButtonSpacing = ini.ReadInteger(kGlobalInfo, "BISPACE", 0);
    skinData.BorderColor = ini.ReadInteger(kGlobalInfo, "BORDERCOLOR", 0);

    sections.clear();
    InheritedLookup look(ini);
    for (const auto& section : ini.Sections()) sections.push_back(ReadGeneralData(look, section));
}

bool TsSkinLoader::LoadPackageFile(const std::string& fileName) {
    std::unique_ptr<TqvSkinConvertor> reader;
    if (!LoadSkinPackage(fileName, reader, true) || !reader->Options) return false;
    Content.SkinData.SkinFolder.clear();
    LoadOptions(std::string(reader->Options->begin(), reader->Options->end()),
                TsSkinFiles::FromPackage(*reader));
    return true;
}

bool TsSkinLoader::LoadPackageData(const std::vector<uint8_t>& data,
                                   const std::string& sourceName) {
    TqvSkinConvertor reader;
    reader.SourceName = sourceName;
    reader.PackedData = std::make_unique<TMemoryStream>(data);
    if (!reader.UnpackSkin() || !reader.Options) return false;
    LoadOptions(std::string(reader.Options->begin(), reader.Options->end()),
                TsSkinFiles::FromPackage(reader));
    return true;
}

bool TsSkinLoader::LoadFolder(const std::string& skinFolder) {
    std::string folder = skinFolder;
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
    if (!FileExists(folder + "Options.dat")) return false;
    auto options = ReadFileBytes(folder + "Options.dat", TsSkinFiles::kMaxFileBytes);
    if (!options.Ok()) throw EReadError(options.Error);
    Content.SkinData.SkinFolder = folder;
    LoadOptions(std::string(options.Data.begin(), options.Data.end()),
                TsSkinFiles::FromFolder(folder));
    return true;
}

void TsSkinLoader::LoadOptions(const std::string& optionsText, const TsSkinFiles& files) {
    TqvIniFile ini(optionsText);
    LoadImagePass(ini, files, Content.MasterBitmap, Content.MasksData, nullptr);
    LoadPatternPass(ini, files, Content.PatternsData, Content.MasksData, nullptr);
    LoadSectionPass(ini, Content.SectionsData, Content.SkinData);
}
