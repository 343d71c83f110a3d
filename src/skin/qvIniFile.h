#pragma once
// An options text in INI syntax, parsed into memory once. Section and key names are matched
// without regard to ASCII case; the first section of a name and, within it, the first line of
// a key win.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TqvIniFile {
  public:
    struct Key {
        std::string Name;
        std::string Value;
    };
    struct Section {
        std::string Name;      // as written in the header, blanks around it dropped
        std::vector<Key> Keys; // in file order, duplicates included
        // The value of the first line with this key, or null.
        const std::string* Find(std::string_view key) const;
    };

    TqvIniFile() = default;
    explicit TqvIniFile(std::string_view text) { SetText(text); }
    void SetText(std::string_view text);

    const std::vector<Section>& Sections() const { return sections_; }
    const Section* FindSection(std::string_view name) const;
    const std::string* ReadValue(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // A value that is absent or not an integer gives the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Only "TRUE" (any case) is true; an absent key gives the default.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  private:
    std::vector<Section> sections_;
};
