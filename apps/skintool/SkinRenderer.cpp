#include "SkinRenderer.h"

#include <filesystem>
#include <stdexcept>
#include <string>

#include "paint/sCommonData.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "platform/core/StrUtils.h"
#include "platform/window/WindowSystem.h"
#include "skin/qvSkinPack.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Application.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Form.h"

// The parent the rendered control sits on. With a picture it answers as a skinned parent
// would: its cache is the picture, and its background is an image rather than a colour.
class TRenderBackdrop : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    const char* ClassName() const override { return "TRenderBackdrop"; }
    std::shared_ptr<const Bitmap> Picture;

  protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == SM_ORVENCMD && Picture) {
            switch (SkinCommandCode(m.WParam)) {
            case scGetCache: ParentCacheAnswer = {Picture.get(), 0, 0, true}; return;
            case scHasImageBackground:
                m.LParam = 1;
                m.Result = 1;
                return;
            }
        }
        TCustomControl::WndProc(m);
    }
};

namespace {

// The control whose background is rendered: it owns skin data as every skinned control does.
class TRenderTarget : public TCustomControl {
  public:
    explicit TRenderTarget(TComponent* owner)
        : TCustomControl(owner), SkinData(std::make_unique<TsCommonData>(this, true)) {}
    ~TRenderTarget() override { Destroying(); }
    const char* ClassName() const override { return "TRenderTarget"; }
    std::unique_ptr<TsCommonData> SkinData;

  protected:
    void WndProc(TMessage& m) override {
        if (SkinData && SkinData->HandleMessage(m)) return;
        TCustomControl::WndProc(m);
    }
};

// A folder is found through the skin directory, as the program finds skin folders; false when
// the path is not a folder.
bool ChooseFolder(TsSkinManager& manager, const std::filesystem::path& path,
                  const std::string& shown) {
    namespace fs = std::filesystem;
    if (!fs::is_directory(path)) return false;
    if (!fs::is_regular_file(path / "Options.dat"))
        throw std::runtime_error(shown + ": no Options.dat in this folder");
    manager.SetSkinDirectory(WindowsPath(path.parent_path().string()));
    manager.SetSkinName(path.filename().string());
    return true;
}

// A package file's bytes, checked to be a package with options.
std::vector<uint8_t> ReadPackageFile(const std::filesystem::path& path, const std::string& shown) {
    if (!std::filesystem::is_regular_file(path)) throw std::runtime_error(shown + ": no such skin");
    auto file = ReadFileBytes(WindowsPath(path.string()), TqvSkinConvertor::kMaxPackageBytes);
    if (!file.Ok()) throw std::runtime_error(file.Error);
    TqvSkinConvertor probe;
    probe.PackedData = std::make_unique<TMemoryStream>(file.Data);
    if (!probe.UnpackSkin() || !probe.Options)
        throw std::runtime_error(shown + ": not a skin package");
    return std::move(file.Data);
}

} // namespace

TSkinRenderer::TSkinRenderer(int hueOffset, int saturation) {
    UseHeadlessBackend(1280, 1024);
    app_ = std::make_unique<TApplication>();
    app_->Initialize();
    form_ = app_->CreateForm<TForm>();
    form_->HandleNeeded();
    backdrop_ = form_->Make<TRenderBackdrop>();
    backdrop_->SetParent(form_);
    manager_ = std::make_unique<TsSkinManager>(nullptr);
    manager_->SetHueOffset(hueOffset);
    manager_->SetSaturation(saturation);
}

TSkinRenderer::TSkinRenderer(const std::string& skinPath, int hueOffset, int saturation)
    : TSkinRenderer(hueOffset, saturation) {
    // A package goes to the manager as a stored skin, so that any file name will do.
    const auto path = std::filesystem::absolute(skinPath).lexically_normal();
    try {
        if (!ChooseFolder(*manager_, path, skinPath)) LoadPackage(ReadPackageFile(path, skinPath));
    } catch (const EConvertError& e) {
        throw std::runtime_error(skinPath + ": " + e.what());
    } catch (const EReadError& e) {
        throw std::runtime_error(skinPath + ": " + e.what());
    }
    if (!manager_->SkinData.Loaded || manager_->SectionsData.empty())
        throw std::runtime_error(skinPath + ": the skin has no sections");
}

void TSkinRenderer::LoadPackage(std::vector<uint8_t> package) {
    TsStoredSkins stored;
    TsStoredSkin& skin = stored.Add();
    // A new name every time, so that the manager loads even when the bytes repeat a name.
    skin.Name = "Package" + std::to_string(++loads_);
    skin.Data = std::move(package);
    manager_->SetInternalSkins(stored);
    manager_->SetSkinName(skin.Name);
}

TSkinRenderer::~TSkinRenderer() {
    manager_.reset();
    app_.reset();
    ProcessPendingMessages();
}

std::optional<Bitmap> TSkinRenderer::Render(const std::string& section, SIZE size, int state,
                                            const TRenderParent& parent) {
    if (manager_->GetSectionIndex(UpperCase(section)) < 0) return std::nullopt;
    backdrop_->Picture = parent.Picture;
    backdrop_->SetColor(parent.Color);
    const POINT at = parent.Picture ? parent.At : POINT{0, 0};
    backdrop_->SetBounds(0, 0, std::max(0, at.x) + size.cx, std::max(0, at.y) + size.cy);
    auto* target = backdrop_->Make<TRenderTarget>();
    target->SetBounds(at.x, at.y, size.cx, size.cy);
    target->SetParent(backdrop_);
    target->HandleNeeded();
    TsCommonData& skinData = *target->SkinData;
    skinData.SetSkinManager(manager_.get());
    skinData.SetSkinSection(section);
    skinData.SizeCacheBitmap();
    ParentCacheInfo parentCache;
    if (parent.Picture) parentCache = {parent.Picture.get(), 0, 0, true};
    RenderSkinItem(skinData, parentCache, true, true, skinData.CacheBitmap.get(), at,
                   {0, 0, size.cx, size.cy}, state);
    FillAllCorners(skinData, state);
    std::optional<Bitmap> result(*skinData.CacheBitmap);
    delete target;
    return result;
}
