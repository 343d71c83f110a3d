#include "skin/sSkinSource.h"

#include <algorithm>

#include "platform/core/FileSystem.h"
#include "platform/core/StrUtils.h"
#include "skin/sStoredSkins.h"

std::string FullSkinDirectory(std::string_view dir, std::string_view programFolder) {
    if (dir.substr(0, 2) == "..") {
        // The program's folder without its last component, keeping the separator before it.
        std::string_view folder = programFolder;
        if (!folder.empty() && folder.back() == '\\') folder.remove_suffix(1);
        const size_t cut = folder.find_last_of('\\');
        std::string parent(cut == std::string_view::npos ? std::string_view()
                                                         : folder.substr(0, cut + 1));
        return parent + std::string(dir.size() > 3 ? dir.substr(3) : std::string_view());
    }
    if (dir.substr(0, 2) == ".\\" || dir.substr(0, 2) == "./")
        return std::string(programFolder) + std::string(dir.substr(2));
    if (dir.find(':') == std::string_view::npos && dir.find("\\\\") == std::string_view::npos)
        return std::string(programFolder) + std::string(dir);
    return std::string(dir);
}

std::string WithTrailingBackslash(std::string_view directory) {
    std::string d(directory);
    if (d.empty() || d.back() == '\\') return d;
    if (d.back() == '/')
        d.back() = '\\';
    else if (d.size() == 1)
        d += ":\\";
    else
        d += '\\';
    return d;
}

TsSkinSource ChooseSkinSource(std::string_view skinName, std::string_view skinDirectory,
                              const TsStoredSkins& stored, std::string_view programFolder) {
    TsSkinSource source;
    source.SkinName = std::string(skinName);
    // Both the package and the folder are looked for in the full skin directory, so that a
    // relative skin directory finds packages wherever the program is started from.
    const std::string dir = WithTrailingBackslash(FullSkinDirectory(skinDirectory, programFolder));

    const std::string package = dir + std::string(skinName) + ".qkz";
    if (!skinName.empty() && FileExists(package)) {
        source.Kind = TsSkinSourceKind::Package;
        source.Path = package;
        source.SkinFolder = dir;
        return source;
    }
    const std::string options = dir + std::string(skinName) + "\\Options.dat";
    if (!skinName.empty() && FileExists(options)) {
        source.Kind = TsSkinSourceKind::Folder;
        source.Path = options;
        source.SkinFolder = dir + std::string(skinName) + "\\";
        return source;
    }
    source.StoredIndex = stored.IndexOfSkin(skinName);
    if (source.StoredIndex < 0 && stored.Count() > 0) {
        source.StoredIndex = 0;
        source.SkinName = stored[0].Name;
    }
    if (source.StoredIndex >= 0) source.Kind = TsSkinSourceKind::Stored;
    return source;
}

std::string ListSkinNames(std::vector<std::string>& names, int kind, const TsStoredSkins& stored,
                          std::string_view fullSkinDirectory) {
    names.clear();
    for (int i = 0; i < stored.Count(); ++i) names.push_back(stored[i].Name);
    if (DirectoryExists(fullSkinDirectory)) {
        const std::string dir = WithTrailingBackslash(fullSkinDirectory);
        for (const TDirEntry& e : ListDirectory(fullSkinDirectory)) {
            if (e.Name.empty() || e.Name[0] == '.') continue;
            if (e.IsDirectory) {
                if ((kind == 0 || kind == 2) && FileExists(dir + e.Name + "\\Options.dat"))
                    names.push_back(e.Name);
            } else if (kind == 1 || kind == 2) {
                const size_t lastDot = e.Name.rfind('.');
                if (lastDot != std::string::npos && e.Name.substr(lastDot) == ".qkz")
                    names.push_back(e.Name.substr(0, e.Name.find('.')));
            }
        }
    }
    std::string first = names.empty() ? std::string() : names.front();
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return UpperCase(a) < UpperCase(b);
    });
    return first;
}
