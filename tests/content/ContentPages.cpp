#include "content/ContentPages.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

fs::path ContentRoot() { return fs::path(STAT_SOURCE_DIR) / "content"; }

std::vector<fs::path> CourseDocuments() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(ContentRoot())) {
        if (!entry.is_regular_file()) continue;
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (ext == ".htm" || ext == ".html") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

static std::string Lower(std::string_view s) {
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return r;
}

static bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':';
}

static std::string Unescape(std::string value) {
    size_t at;
    while ((at = value.find("&amp;")) != std::string::npos) value.replace(at, 5, "&");
    return value;
}

// Parses the inside of a start tag from `at` (just after the name) to '>'.
static bool ParseAttributes(std::string_view html, size_t& at, TTag& tag) {
    while (at < html.size()) {
        while (at < html.size() && std::isspace(static_cast<unsigned char>(html[at]))) ++at;
        if (at >= html.size()) return false;
        if (html[at] == '>') {
            ++at;
            return true;
        }
        if (html[at] == '/') {
            tag.selfClosing = true;
            ++at;
            continue;
        }
        size_t nameBegin = at;
        while (at < html.size() && IsNameChar(html[at])) ++at;
        if (at == nameBegin) return false; // a stray character inside the tag
        std::string name = Lower(html.substr(nameBegin, at - nameBegin));
        std::string value;
        if (at < html.size() && html[at] == '=') {
            ++at;
            if (at >= html.size()) return false;
            char quote = html[at];
            if (quote == '"' || quote == '\'') {
                size_t close = html.find(quote, at + 1);
                if (close == std::string_view::npos) return false;
                value = html.substr(at + 1, close - at - 1);
                at = close + 1;
            } else {
                size_t valueBegin = at;
                while (at < html.size() && !std::isspace(static_cast<unsigned char>(html[at])) &&
                       html[at] != '>')
                    ++at;
                value = html.substr(valueBegin, at - valueBegin);
            }
        }
        tag.attributes[name] = Unescape(value);
    }
    return false;
}

std::vector<TTag> ParseTags(std::string_view html, std::string* error) {
    std::vector<TTag> tags;
    size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        if (html.substr(at, 4) == "<!--") {
            size_t close = html.find("-->", at + 4);
            if (close == std::string_view::npos) {
                *error = "unterminated comment";
                break;
            }
            at = close + 3;
            continue;
        }
        if (html.substr(at, 2) == "<!") {
            size_t close = html.find('>', at);
            if (close == std::string_view::npos) {
                *error = "unterminated declaration";
                break;
            }
            at = close + 1;
            continue;
        }
        TTag tag;
        tag.begin = at;
        size_t p = at + 1;
        if (p < html.size() && html[p] == '/') {
            tag.closing = true;
            ++p;
        }
        size_t nameBegin = p;
        while (p < html.size() && IsNameChar(html[p])) ++p;
        if (p == nameBegin) {
            ++at;
            continue;
        } // a lone '<' in text
        tag.name = Lower(html.substr(nameBegin, p - nameBegin));
        if (!ParseAttributes(html, p, tag)) {
            *error = "unterminated tag <" + tag.name + "> at offset " + std::to_string(at);
            break;
        }
        tag.end = p;
        tags.push_back(tag);
        at = p;
        if (!tag.closing && (tag.name == "style" || tag.name == "script")) {
            size_t close = html.find("</" + tag.name, at);
            if (close == std::string_view::npos) {
                *error = "unterminated <" + tag.name + ">";
                break;
            }
            at = close;
        }
    }
    return tags;
}

std::string TagBalanceProblem(const std::vector<TTag>& tags) {
    static const std::set<std::string> kVoid = {"area",  "base",   "br",    "col",  "embed",
                                                "hr",    "img",    "input", "link", "meta",
                                                "param", "source", "track", "wbr"};
    std::vector<const TTag*> open;
    for (const TTag& tag : tags) {
        if (kVoid.count(tag.name)) {
            if (tag.closing) return "end tag for the empty element <" + tag.name + ">";
            continue;
        }
        if (!tag.closing) {
            if (!tag.selfClosing) open.push_back(&tag);
            continue;
        }
        if (open.empty()) return "</" + tag.name + "> closes nothing";
        if (open.back()->name != tag.name)
            return "</" + tag.name + "> at offset " + std::to_string(tag.begin) + " closes <" +
                   open.back()->name + "> opened at offset " + std::to_string(open.back()->begin);
        open.pop_back();
    }
    if (!open.empty())
        return "<" + open.back()->name + "> at offset " + std::to_string(open.back()->begin) +
               " is never closed";
    return "";
}

std::string TextBetween(std::string_view html, size_t begin, size_t end) {
    std::string text;
    bool inTag = false;
    for (size_t i = begin; i < end && i < html.size(); ++i) {
        if (html[i] == '<') {
            inTag = true;
            text += ' ';
            continue;
        }
        if (html[i] == '>' && inTag) {
            inTag = false;
            continue;
        }
        if (!inTag) text += html[i];
    }
    return text;
}

bool DecodeUtf8(std::string_view bytes, std::u32string* out) {
    out->clear();
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        int extra;
        char32_t cp;
        if (b < 0x80) {
            extra = 0;
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else
            return false;
        if (i + extra >= bytes.size()) return false; // the sequence runs past the end
        for (int k = 1; k <= extra; ++k) {
            unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms and surrogates are ill-formed too.
        static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        out->push_back(cp);
        i += extra + 1;
    }
    return true;
}
