// skintool: packs, unpacks, lists and inspects skins, and previews gradients, for the people
// who author skins. Paths on the command line are host paths.
#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "ContactSheet.h"
#include "SkinRenderer.h"
#include "graphics/sGradient.h"
#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "platform/core/StrUtils.h"
#include "platform/gdi/SysColors.h"
#include "platform/image/PngFile.h"
#include "shell/StoredSkinData.h"
#include "skin/qvSkinPack.h"
#include "skin/sSkinLoader.h"

namespace {

using nlohmann::json;

class ToolError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

int Usage() {
    std::fputs(
        "usage: skintool pack DIR PKG\n"
        "       skintool unpack PKG DIR\n"
        "       skintool list PKG\n"
        "       skintool dump SKIN\n"
        "       skintool gradient DATA WIDTHxHEIGHT OUT.png\n"
        "       skintool preview IMAGE.png\n"
        "       skintool render SKIN SECTION WIDTHxHEIGHT OUT.png [--state N]\n"
        "                [--parent-color C | --parent-image PNG [--at X,Y]]\n"
        "                [--hue H] [--saturation S]\n"
        "       skintool sheet SKIN OUT.png\n"
        "SKIN is a skin folder, a package file or a stored skin's name (\"Pavo (internal)\").\n",
        stderr);
    return 2;
}

std::unique_ptr<TqvSkinConvertor> UnpackBytes(std::vector<uint8_t> bytes,
                                              const std::string& shown) {
    auto reader = std::make_unique<TqvSkinConvertor>();
    reader->SourceName = shown;
    reader->PackedData = std::make_unique<TMemoryStream>(std::move(bytes));
    if (!reader->UnpackSkin()) throw ToolError(shown + ": not a skin package (wrong magic)");
    reader->PackedData.reset();
    return reader;
}

std::unique_ptr<TqvSkinConvertor> ReadPackage(const std::string& hostPath) {
    const std::string path = WindowsPath(hostPath);
    if (!FileExists(path)) throw ToolError(hostPath + ": no such file");
    auto file = ReadFileBytes(path, TqvSkinConvertor::kMaxPackageBytes);
    if (!file.Ok()) throw ToolError(file.Error);
    return UnpackBytes(std::move(file.Data), hostPath);
}

// A SKIN argument that is neither a folder nor a file names one of the program's stored skins
// ("Pavo (internal)"): its package bytes; nothing for a path that exists.
std::optional<std::vector<uint8_t>> StoredSkinBytes(const std::string& skin) {
    std::error_code error;
    if (std::filesystem::exists(skin, error)) return std::nullopt;
    const auto package = EmbeddedSkinPackage(skin);
    if (package.empty()) throw ToolError(skin + ": no such folder, file or stored skin");
    return std::vector<uint8_t>(package.begin(), package.end());
}

std::unique_ptr<TSkinRenderer> OpenRenderer(const std::string& skin, int hue, int saturation) {
    auto stored = StoredSkinBytes(skin);
    if (!stored) return std::make_unique<TSkinRenderer>(skin, hue, saturation);
    auto renderer = std::make_unique<TSkinRenderer>(hue, saturation);
    try {
        renderer->LoadPackage(std::move(*stored));
    } catch (const EConvertError& e) {
        throw ToolError(skin + ": " + e.what());
    } catch (const EReadError& e) {
        throw ToolError(skin + ": " + e.what());
    }
    return renderer;
}

int Pack(const std::string& dir, const std::string& package) {
    namespace fs = std::filesystem;
    if (!fs::is_directory(dir)) throw ToolError(dir + ": no such folder");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const bool ao = SameText(a, "Options.dat"), bo = SameText(b, "Options.dat");
        return ao != bo ? ao : a < b;
    });
    std::vector<TqvPackMember> members;
    for (const auto& name : names) {
        auto file = ReadFileBytes(WindowsPath((fs::path(dir) / name).string()),
                                  TqvSkinConvertor::kMaxPackageBytes);
        if (!file.Ok()) throw ToolError(file.Error);
        members.push_back({name, std::move(file.Data)});
    }
    if (!WriteFileBytes(WindowsPath(package), PackSkin(members)))
        throw ToolError(package + ": cannot write");
    for (const auto& m : members) std::printf("%s\t%zu\n", m.Name.c_str(), m.Data.size());
    return 0;
}

// Member names come from outside data: write only plain file names inside the target folder.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

int Unpack(const std::string& package, const std::string& dir) {
    auto reader = ReadPackage(package);
    std::filesystem::create_directories(dir);
    auto write = [&](const std::string& name, const TMemoryStream& data) {
        if (!IsPlainFileName(name))
            throw ToolError(package + ": member \"" + name + "\": not a plain file name");
        const std::string target = (std::filesystem::path(dir) / name).string();
        if (!WriteFileBytes(WindowsPath(target), data)) throw ToolError(target + ": cannot write");
    };
    if (reader->Options) write("Options.dat", *reader->Options);
    for (const auto& item : reader->ImageItems) write(item.FileName, *item.Data);
    return 0;
}

int List(const std::string& package) {
    auto reader = ReadPackage(package);
    std::vector<std::pair<std::string, size_t>> lines;
    for (const auto& item : reader->ImageItems) lines.push_back({item.FileName, item.Data->size()});
    if (reader->Options)
        lines.insert(lines.begin() + std::min<std::ptrdiff_t>(reader->OptionsIndex,
                                                              std::ptrdiff_t(lines.size())),
                     {"Options.dat", reader->Options->size()});
    for (const auto& [name, size] : lines) std::printf("%s\t%zu\n", name.c_str(), size);
    return 0;
}

json Steps(const TsGradArray& steps) {
    json a = json::array();
    for (const auto& s : steps)
        a.push_back(
            {{"Color1", s.Color1}, {"Color2", s.Color2}, {"Percent", s.Percent}, {"Mode", s.Mode}});
    return a;
}

json Section(const TsGeneralData& g) {
    return {
        {"SectionName", g.SectionName},
        {"ParentClass", g.ParentClass},
        {"Color", g.Color},
        {"Bevel", int(g.Bevel)},
        {"FontColor", g.FontColor},
        {"HotFontColor", g.HotFontColor},
        {"Transparency", g.Transparency},
        {"GradientPercent", g.GradientPercent},
        {"GradientData", g.GradientData},
        {"GradientSteps", Steps(g.GradientSteps)},
        {"ImagePercent", g.ImagePercent},
        {"HotColor", g.HotColor},
        {"HotTransparency", g.HotTransparency},
        {"HotBevel", int(g.HotBevel)},
        {"HotGradientPercent", g.HotGradientPercent},
        {"HotGradientData", g.HotGradientData},
        {"HotGradientSteps", Steps(g.HotGradientSteps)},
        {"HotImagePercent", g.HotImagePercent},
        {"ShadowBlur", g.ShadowBlur},
        {"ShadowColor", g.ShadowColor},
        {"ShadowDontUse", g.ShadowDontUse},
        {"ShadowEnabled", g.ShadowEnabled},
        {"ShadowOffset", g.ShadowOffset},
        {"ShadowTransparency", g.ShadowTransparency},
        {"FadingEnabled", g.FadingEnabled},
        {"FadingIntervalIn", g.FadingIntervalIn},
        {"FadingIntervalOut", g.FadingIntervalOut},
        {"FadingIterations", g.FadingIterations},
        {"ShowFocus", g.ShowFocus},
        {"ReservedBoolean", g.ReservedBoolean},
        {"BorderColor1", g.BorderColor1},
        {"BorderColor2", g.BorderColor2},
    };
}

json Image(const TsMaskData& m) {
    return {
        {"SectionName", m.SectionName},
        {"PropertyName", m.PropertyName},
        {"R", {m.R.left, m.R.top, m.R.right, m.R.bottom}},
        {"ImageCount", m.ImageCount},
        {"MaskType", m.MaskType},
        {"BorderWidth", m.BorderWidth},
        {"StretchMode", m.StretchMode},
        {"ImgType", int(m.ImgType)},
        {"WL", m.WL},
        {"WT", m.WT},
        {"WR", m.WR},
        {"WB", m.WB},
        {"OwnBitmap", m.Bmp != nullptr},
        {"BitmapWidth", m.Bmp ? m.Bmp->Width() : 0},
        {"BitmapHeight", m.Bmp ? m.Bmp->Height() : 0},
    };
}

void LoadForDump(const std::string& skin, TsSkinLoader& loader) {
    const std::string path = WindowsPath(skin);
    if (DirectoryExists(path)) {
        if (!loader.LoadFolder(path)) throw ToolError(skin + ": no Options.dat in this folder");
    } else {
        auto stored = StoredSkinBytes(skin);
        auto reader = stored ? UnpackBytes(std::move(*stored), skin) : ReadPackage(skin);
        if (!reader->Options) throw ToolError(skin + ": the package holds no Options.dat");
        loader.LoadOptions(std::string(reader->Options->begin(), reader->Options->end()),
                           TsSkinFiles::FromPackage(*reader));
    }
}

int Dump(const std::string& skin) {
    TsSkinLoader loader;
    try {
        LoadForDump(skin, loader);
    } catch (const EConvertError& e) {
        throw ToolError(skin + ": " + e.what());
    }
    const TsSkinContent& c = loader.Content;
    const TsSkinData& d = c.SkinData;
    json doc;
    doc["skin"] = {
        {"SkinFolder", d.SkinFolder},
        {"Loaded", d.Loaded},
        {"Version", d.Version},
        {"Author", d.Author},
        {"Description", d.Description},
        {"Shadow1Color", d.Shadow1Color},
        {"Shadow1Offset", d.Shadow1Offset},
        {"Shadow1Blur", d.Shadow1Blur},
        {"Shadow1Transparency", d.Shadow1Transparency},
        {"BorderColor", d.BorderColor},
        {"ButtonSpacing", d.ButtonSpacing},
    };
    doc["sections"] = json::array();
    for (const auto& g : c.SectionsData) doc["sections"].push_back(Section(g));
    doc["images"] = json::array();
    for (const auto& m : c.MasksData) doc["images"].push_back(Image(m));
    doc["patterns"] = json::array();
    for (const auto& p : c.PatternsData)
        doc["patterns"].push_back({{"SectionName", p.SectionName},
                                   {"PropertyName", p.PropertyName},
                                   {"Width", p.Img ? p.Img->Width() : 0},
                                   {"Height", p.Img ? p.Img->Height() : 0}});
    doc["masterBitmap"] = c.MasterBitmap ? json{{"Width", c.MasterBitmap->Width()},
                                                {"Height", c.MasterBitmap->Height()}}
                                         : json(nullptr);
    // Skin texts are 8-bit; bytes that are not UTF-8 are shown replaced rather than refused.
    std::puts(doc.dump(2, ' ', false, json::error_handler_t::replace).c_str());
    return 0;
}

int Gradient(const std::string& data, const std::string& size, const std::string& out) {
    const size_t x = size.find('x');
    auto w = x == std::string::npos ? std::nullopt : TryStrToInt(size.substr(0, x));
    auto h = x == std::string::npos ? std::nullopt : TryStrToInt(size.substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0 || *w > 8192 || *h > 8192)
        throw ToolError("size \"" + size + "\" is not WIDTHxHEIGHT with sides from 1 to 8192");
    TsGradArray grad;
    try {
        ParseGradientData(data, grad);
    } catch (const EConvertError& e) {
        throw ToolError("gradient \"" + data + "\": " + e.what());
    }
    Bitmap bmp(*w, *h, 24);
    bmp.Fill(0);
    PaintGradient(bmp, Rect(0, 0, *w, *h), grad, 0);
    std::string error;
    if (!SavePNG(bmp, WindowsPath(out), &error)) throw ToolError(out + ": " + error);
    return 0;
}

// A command line that does not say what it means: the usage, exit 2.
class UsageError : public std::runtime_error {
  public:
    UsageError() : std::runtime_error("usage") {}
};

int Number(const std::string& text, int low, int high) {
    const auto value = TryStrToInt(text);
    if (!value || *value < low || *value > high) throw UsageError();
    return *value;
}

SIZE RenderSize(const std::string& text) {
    const size_t x = text.find('x');
    if (x == std::string::npos) throw UsageError();
    return {Number(text.substr(0, x), 1, 8192), Number(text.substr(x + 1), 1, 8192)};
}

POINT Position(const std::string& text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) throw UsageError();
    return {Number(text.substr(0, comma), -8192, 8192),
            Number(text.substr(comma + 1), -8192, 8192)};
}

std::unique_ptr<Bitmap> ReadPNGFile(const std::string& file, int bitsPerPixel) {
    auto bytes = ReadFileBytes(WindowsPath(file), 256u << 20);
    if (!bytes.Ok()) throw ToolError(bytes.Error);
    std::string error;
    auto bmp = DecodePNG(bytes.Data.data(), bytes.Data.size(), &error);
    if (!bmp) throw ToolError(file + ": " + error);
    bmp->SetFormat(bitsPerPixel);
    return bmp;
}

void WritePNG(const Bitmap& bitmap, const std::string& out) {
    std::string error;
    if (!SavePNG(bitmap, WindowsPath(out), &error)) throw ToolError(out + ": " + error);
}

// skintool render SKIN SECTION WIDTHxHEIGHT OUT.png [options]
int Render(const std::vector<std::string>& a) {
    if (a.size() < 5) throw UsageError();
    const SIZE size = RenderSize(a[3]);
    int state = 0, hue = 0, saturation = 0;
    std::optional<TColor> color;
    std::string picture;
    std::optional<POINT> at;
    for (size_t i = 5; i < a.size(); i += 2) {
        if (i + 1 >= a.size()) throw UsageError();
        const std::string& option = a[i];
        const std::string& value = a[i + 1];
        if (option == "--state")
            state = Number(value, 0, 99);
        else if (option == "--parent-color")
            color = TColor(Number(value, 0, 0xFFFFFF));
        else if (option == "--parent-image")
            picture = value;
        else if (option == "--at")
            at = Position(value);
        else if (option == "--hue")
            hue = Number(value, -360, 360);
        else if (option == "--saturation")
            saturation = Number(value, -100, 100);
        else
            throw UsageError();
    }
    if ((color && !picture.empty()) || (at && picture.empty())) throw UsageError();
    TRenderParent parent;
    parent.Color = color ? *color : TColor(GetSysColor(COLOR_BTNFACE));
    if (!picture.empty()) {
        parent.Picture = ReadPNGFile(picture, 24);
        parent.At = at.value_or(POINT{0, 0});
    }
    auto renderer = OpenRenderer(a[1], hue, saturation);
    auto bitmap = renderer->Render(a[2], size, state, parent);
    if (!bitmap) throw ToolError(a[1] + ": no section \"" + a[2] + "\" in this skin");
    WritePNG(*bitmap, a[4]);
    return 0;
}

int Sheet(const std::string& skin, const std::string& out) {
    auto renderer = OpenRenderer(skin, 0, 0);
    WritePNG(ContactSheet(*renderer), out);
    return 0;
}

// Shows a picture in a window until it is closed or a key is pressed.
int Preview(const std::string& file) {
    const auto bmp = ReadPNGFile(file, 32);
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        throw ToolError(std::string("cannot open a window: ") + SDL_GetError());
    SDL_Window* window = SDL_CreateWindow(("skintool - " + file).c_str(), SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, bmp->Width(), bmp->Height(), 0);
    SDL_Surface* screen = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!screen) {
        SDL_Quit();
        throw ToolError(std::string("cannot open a window: ") + SDL_GetError());
    }
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, bmp->Width(), bmp->Height(), 32, SDL_PIXELFORMAT_BGRA32);
    for (int y = 0; y < bmp->Height(); ++y)
        std::copy_n(bmp->ScanLine(y), bmp->Width() * 4,
                    static_cast<uint8_t*>(picture->pixels) + y * picture->pitch);
    for (bool open = true; open;) {
        SDL_BlitSurface(picture, nullptr, screen, nullptr);
        SDL_UpdateWindowSurface(window);
        SDL_Event e;
        if (SDL_WaitEvent(&e) && (e.type == SDL_QUIT || e.type == SDL_KEYDOWN)) open = false;
    }
    SDL_FreeSurface(picture);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    try {
        if (a.size() == 3 && a[0] == "pack") return Pack(a[1], a[2]);
        if (a.size() == 3 && a[0] == "unpack") return Unpack(a[1], a[2]);
        if (a.size() == 2 && a[0] == "list") return List(a[1]);
        if (a.size() == 2 && a[0] == "dump") return Dump(a[1]);
        if (a.size() == 4 && a[0] == "gradient") return Gradient(a[1], a[2], a[3]);
        if (a.size() == 2 && a[0] == "preview") return Preview(a[1]);
        if (!a.empty() && a[0] == "render") return Render(a);
        if (a.size() == 3 && a[0] == "sheet") return Sheet(a[1], a[2]);
        return Usage();
    } catch (const UsageError&) {
        return Usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skintool: %s\n", e.what());
        return 1;
    }
}
