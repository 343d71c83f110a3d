#pragma once
// The skin packages the build embeds in the program, named as the main window's skin manager
// holds them.
#include <cstdint>
#include <span>
#include <string_view>

struct TEmbeddedSkin {
    std::string_view Name;            // "Pavo (internal)"
    std::span<const uint8_t> Package; // the whole package; empty when none was embedded
};

// The embedded skins in the order the main window holds them: Nordvale, Pavo, Frostline.
std::span<const TEmbeddedSkin> EmbeddedSkins();

// The package of the embedded skin with exactly that name; empty when there is none.
std::span<const uint8_t> EmbeddedSkinPackage(std::string_view name);

// The embedded package file of that file name ("Pavo.qkz"); empty when there is none. Written
// by the build.
std::span<const uint8_t> StoredSkinFile(std::string_view fileName);
