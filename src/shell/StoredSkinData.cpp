#include "shell/StoredSkinData.h"

#include <array>

std::span<const TEmbeddedSkin> EmbeddedSkins() {
    static const std::array<TEmbeddedSkin, 3> skins{{
        {"Nordvale (internal)", StoredSkinFile("Nordvale.qkz")},
        {"Pavo (internal)", StoredSkinFile("Pavo.qkz")},
        {"Frostline (internal)", StoredSkinFile("Frostline.qkz")},
    }};
    return skins;
}

std::span<const uint8_t> EmbeddedSkinPackage(std::string_view name) {
    for (const TEmbeddedSkin& skin : EmbeddedSkins())
        if (skin.Name == name) return skin.Package;
    return {};
}
