#pragma once
// Turning a skin name into the place its skin comes from: a package file, a skin folder or a
// stored skin; and listing the skins that are available.
#include <string>
#include <string_view>
#include <vector>

class TsStoredSkins;

constexpr const char* kDefaultSkinDirectory = "c:\\Skins";

// The folder of skin folders and packages: ".." + separator is taken from the parent of the
// program's folder, "." + separator from the program's folder, a value with neither ":" nor a
// double backslash is appended to the program's folder, anything else is used as it is.
// programFolder is Windows-style with a trailing backslash.
std::string FullSkinDirectory(std::string_view skinDirectory, std::string_view programFolder);

// The directory text ready to have a name appended: a final slash becomes a backslash, a
// single character (a drive letter) gets ":\", anything else without a final backslash gets one.
std::string WithTrailingBackslash(std::string_view directory);

enum class TsSkinSourceKind { None, Package, Folder, Stored };

struct TsSkinSource {
    TsSkinSourceKind Kind = TsSkinSourceKind::None;
    std::string Path;       // the package file or the folder's "Options.dat"
    std::string SkinFolder; // what the skin data's SkinFolder becomes
    int StoredIndex = -1;   // the stored skin chosen
    std::string SkinName;   // the name in effect: a stored-skin fallback changes it
};

// Package file, then skin folder, then the stored skin of that exact name, then the first
// stored skin; None when nothing is found and there are no stored skins.
TsSkinSource ChooseSkinSource(std::string_view skinName, std::string_view skinDirectory,
                              const TsStoredSkins& stored, std::string_view programFolder);

// Fills `names` with the stored skins' names and then, from the full skin directory, with
// sub-folders holding "Options.dat" (kind 0 or 2) and files ending exactly in ".qkz" (kind 1 or
// 2, listed by their name up to the first period); sorts the list without regard to case and
// returns the first name met before sorting (empty when there is none).
std::string ListSkinNames(std::vector<std::string>& names, int kind, const TsStoredSkins& stored,
                          std::string_view fullSkinDirectory);
