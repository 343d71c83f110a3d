#include "skin/qvIniFile.h"

#include "platform/core/StrUtils.h"

const std::string* TqvIniFile::Section::Find(std::string_view key) const {
    for (const auto& k : Keys)
        if (SameText(k.Name, key)) return &k.Value;
    return nullptr;
}

void TqvIniFile::SetText(std::string_view text) {
    sections_.clear();
    Section* current = nullptr;
    for (std::string_view rawLine : SplitText(text, '\n')) {
        std::string_view line = Trim(rawLine);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            sections_.push_back({std::string(Trim(line.substr(1, line.size() - 2))), {}});
            current = &sections_.back();
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue; // lines before any section
        current->Keys.push_back(
            {std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1)))});
    }
}

const TqvIniFile::Section* TqvIniFile::FindSection(std::string_view name) const {
    for (const auto& s : sections_)
        if (SameText(s.Name, name)) return &s;
    return nullptr;
}

const std::string* TqvIniFile::ReadValue(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    return s ? s->Find(key) : nullptr;
}

std::string TqvIniFile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    const std::string* v = ReadValue(section, key);
    return v ? *v : std::string(def);
}

int32_t TqvIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    const std::string* v = ReadValue(section, key);
    if (!v) return def;
    auto n = TryStrToInt(*v);
    return n ? *n : def;
}

bool TqvIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    const std::string* v = ReadValue(section, key);
    return v ? UpperCase(*v) == "TRUE" : def;
}
