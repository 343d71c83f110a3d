#include "htmlview/LinkTarget.h"

#include <cctype>
#include <vector>

namespace {

std::string LowerScheme(const std::string& href) {
    std::string scheme;
    for (char c : href) {
        if (c == ':') return scheme;
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return {};
        scheme += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return {};
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsDriveLetter(const std::string& s) {
    return s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':';
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

// A reference without scheme or fragment: slashes become backslashes, an absolute one keeps
// the document's drive, a relative one joins the document's folder.
std::string JoinReference(const std::string& reference, const std::string& folderOrBase) {
    std::string ref = PercentDecode(reference);
    for (char& c : ref)
        if (c == '/') c = '\\';
    if (IsDriveLetter(ref)) return NormalizeWindowsPath(ref);
    if (!ref.empty() && ref[0] == '\\') {
        const std::string drive = IsDriveLetter(folderOrBase) ? folderOrBase.substr(0, 2) : "";
        return NormalizeWindowsPath(drive + ref);
    }
    return NormalizeWindowsPath(folderOrBase + ref);
}

std::string StripFileScheme(std::string ref) {
    // file:///C:/x, file://C:/x and file:/x all name local files.
    ref = ref.substr(5);
    size_t slashes = 0;
    while (slashes < ref.size() && ref[slashes] == '/') ++slashes;
    ref = ref.substr(slashes);
    if (IsDriveLetter(ref)) return ref;
    return "/" + ref;
}

} // namespace

std::string PercentDecode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = HexValue(text[i + 1]);
            const int lo = HexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += char(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string FolderOf(const std::string& windowsPath) {
    const size_t at = windowsPath.find_last_of("\\/");
    return at == std::string::npos ? std::string() : windowsPath.substr(0, at + 1);
}

std::string NormalizeWindowsPath(const std::string& path) {
    std::string prefix;
    size_t start = 0;
    if (IsDriveLetter(path)) {
        prefix = path.substr(0, 2);
        start = 2;
    }
    const bool absolute = start < path.size() && (path[start] == '\\' || path[start] == '/');
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&] {
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (size_t i = start; i < path.size(); ++i) {
        if (path[i] == '\\' || path[i] == '/')
            flush();
        else
            part += path[i];
    }
    flush();
    std::string out = prefix + (absolute ? "\\" : "");
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
    return out;
}

TLinkTarget ResolveLink(const std::string& rawHref, const std::string& documentPath) {
    TLinkTarget t;
    const std::string href = Trim(rawHref);
    if (href.empty()) return t;
    const std::string scheme = LowerScheme(href);
    if (scheme == "http" || scheme == "https" || scheme == "mailto") {
        t.kind = TLinkKind::External;
        t.url = href;
        return t;
    }
    std::string ref = href;
    if (scheme == "file")
        ref = StripFileScheme(ref);
    else if (scheme.size() > 1)
        return t; // javascript:, ftp: and the like are not followed
    const size_t hash = ref.find('#');
    if (hash != std::string::npos) {
        t.fragment = PercentDecode(ref.substr(hash + 1));
        ref = ref.substr(0, hash);
    }
    if (ref.empty()) {
        t.kind = TLinkKind::FragmentOnly;
        return t;
    }
    const size_t query = ref.find('?');
    if (query != std::string::npos) ref = ref.substr(0, query);
    t.kind = TLinkKind::Local;
    t.path = JoinReference(ref, FolderOf(documentPath));
    return t;
}

std::string ResolveResourcePath(const std::string& rawReference, const std::string& base) {
    std::string ref = Trim(rawReference);
    const std::string scheme = LowerScheme(ref);
    if (scheme == "file")
        ref = StripFileScheme(ref);
    else if (scheme.size() > 1)
        return {}; // data:, http: and the like are not read
    const size_t cut = ref.find_first_of("?#");
    if (cut != std::string::npos) ref = ref.substr(0, cut);
    if (ref.empty()) return {};
    return JoinReference(ref, FolderOf(base));
}
