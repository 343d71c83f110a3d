#include "skin/sSkinFiles.h"

#include "platform/core/Errors.h"
#include "platform/core/FileSystem.h"
#include "skin/qvSkinPack.h"

TsSkinFiles TsSkinFiles::FromPackage(const TqvSkinConvertor& package) {
    TsSkinFiles f;
    f.package_ = &package;
    return f;
}

TsSkinFiles TsSkinFiles::FromFolder(std::string skinFolder) {
    TsSkinFiles f;
    f.folder_ = std::move(skinFolder);
    return f;
}

std::string TsSkinFiles::Describe(std::string_view name) const {
    if (package_)
        return (package_->SourceName.empty() ? std::string("package") : package_->SourceName) +
               ", member \"" + std::string(name) + "\"";
    return name.find(':') != std::string_view::npos ? std::string(name)
                                                    : folder_ + std::string(name);
}

std::optional<std::vector<uint8_t>> TsSkinFiles::Read(std::string_view name) const {
    if (package_) {
        const TqvImageItem* item = package_->FindItem(name);
        if (!item || !item->Data) return std::nullopt;
        return *item->Data;
    }
    const std::string path = Describe(name);
    if (!FileExists(path)) return std::nullopt;
    auto file = ReadFileBytes(path, kMaxFileBytes);
    if (!file.Ok()) throw EReadError(file.Error);
    return std::move(file.Data);
}
