#pragma once
// Where the bitmaps and pictures named by a skin's options file are found: the members of the
// skin's package, or files in its folder.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TqvSkinConvertor;

class TsSkinFiles {
  public:
    // The largest single picture file we read from a skin folder.
    static constexpr size_t kMaxFileBytes = 64u * 1024 * 1024;

    // Members are found by comparing their names, in upper case, with the name asked for.
    static TsSkinFiles FromPackage(const TqvSkinConvertor& package);
    // A name without ":" is taken relative to the folder (Windows-style, trailing backslash).
    static TsSkinFiles FromFolder(std::string skinFolder);

    // The bytes of the named file, or nothing when it does not exist. A file that exists but
    // cannot be read raises EReadError.
    std::optional<std::vector<uint8_t>> Read(std::string_view name) const;
    // Where a name is looked for, for messages.
    std::string Describe(std::string_view name) const;

  private:
    const TqvSkinConvertor* package_ = nullptr;
    std::string folder_;
};
