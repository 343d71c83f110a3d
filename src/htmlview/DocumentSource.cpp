#include "htmlview/DocumentSource.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include "platform/core/FileSystem.h"
#include "platform/core/TextCodec.h"

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

bool IsWellFormedUtf8(std::string_view s) {
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t start = pos;
        if (DecodeUtf8(s, pos) == kReplacementChar) {
            // A literal U+FFFD is three bytes EF BF BD; anything else was a malformed stretch.
            if (pos - start != 3 || s.substr(start, 3) != "\xEF\xBF\xBD") return false;
        }
    }
    return true;
}

std::string SanitizeUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (pos < s.size()) {
        const char32_t c = DecodeUtf8(s, pos);
        // NUL would end the text early for the parser, which takes C strings.
        AppendUtf8(out, c == 0 ? kReplacementChar : c);
    }
    return out;
}

struct TPrefixRead {
    std::string bytes;
    bool exists = false;
    bool truncated = false;
    std::string error;
};

TPrefixRead ReadPrefix(const std::string& windowsPath, size_t cap) {
    TPrefixRead r;
    if (!FileExists(windowsPath)) return r;
    r.exists = true;
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(HostPath(windowsPath).c_str(), "rb"),
                                            std::fclose);
    if (!f) {
        r.error = "файлды ашу мүмкін емес";
        return r;
    }
    r.bytes.resize(cap + 1);
    const size_t got = std::fread(r.bytes.data(), 1, cap + 1, f.get());
    r.truncated = got > cap;
    r.bytes.resize(std::min(got, cap));
    return r;
}

bool LooksLikeHtml(const std::string& path, std::string_view bytes) {
    if (HasExtension(path, ".htm") || HasExtension(path, ".html") || HasExtension(path, ".xhtml") ||
        HasExtension(path, ".shtml"))
        return true;
    size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    const std::string head = Lower(bytes.substr(i, 14));
    return head.starts_with("<!doctype html") || head.starts_with("<html");
}

const char* kPageStyle =
    "<style>body{font-family:'Times New Roman',serif;margin:24px;background:#ffffff;color:#202020}"
    "h1{font-family:Arial,sans-serif;font-size:20px;color:#7a1f1f;margin:0 0 12px 0}"
    "p.path{font-family:monospace;font-size:13px;color:#404040}"
    "p.note{color:#7a1f1f}</style>";

bool IsVoidOrSelfClosing(const std::string& name) {
    static const char* const kNames[] = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                                         "link", "meta", "param", "source", "track", "wbr",
                                         // closed by HTML when a sibling starts
                                         "p", "li", "dt", "dd", "td", "th", "tr", "option", "thead",
                                         "tbody", "tfoot", "colgroup", "caption", "optgroup", "rb",
                                         "rp", "rt"};
    for (const char* n : kNames)
        if (name == n) return true;
    return false;
}

} // namespace

bool HasExtension(const std::string& path, std::string_view ext) {
    return path.size() >= ext.size() &&
           Lower(std::string_view(path).substr(path.size() - ext.size())) == ext;
}

std::string DeclaredCharset(std::string_view bytes) {
    const std::string head = Lower(bytes.substr(0, 4096));
    const size_t at = head.find("charset=");
    if (at == std::string::npos) return {};
    size_t i = at + 8;
    while (i < head.size() && (head[i] == '"' || head[i] == '\'' || head[i] == ' ')) ++i;
    size_t end = i;
    while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) ||
                                 head[end] == '-' || head[end] == '_'))
        ++end;
    return head.substr(i, end - i);
}

std::string DecodeHtmlBytes(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return SanitizeUtf8(bytes.substr(3));
    const std::string charset = DeclaredCharset(bytes);
    if (charset == "utf-8" || charset == "utf8") return SanitizeUtf8(bytes);
    if (charset == "windows-1251" || charset == "cp1251" || charset == "x-cp1251") {
        std::string out = Cp1251ToUtf8(bytes);
        std::replace(out.begin(), out.end(), '\0', ' ');
        return out;
    }
    if (charset.empty() && IsWellFormedUtf8(bytes)) return SanitizeUtf8(bytes);
    // Other or no charset on bytes that are not UTF-8: the course is written in code page 1251.
    std::string out = Cp1251ToUtf8(bytes);
    std::replace(out.begin(), out.end(), '\0', ' ');
    return out;
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

int EstimateNestingDepth(std::string_view html, int* tableDepth) {
    int depth = 0;
    int deepest = 0;
    int tables = 0;
    int deepestTables = 0;
    size_t i = 0;
    while ((i = html.find('<', i)) != std::string_view::npos) {
        ++i;
        if (html.substr(i, 3) == "!--") {
            const size_t end = html.find("-->", i + 3);
            if (end == std::string_view::npos) break;
            i = end + 3;
            continue;
        }
        if (i < html.size() && html[i] == '!') continue; // doctype
        const bool closing = i < html.size() && html[i] == '/';
        if (closing) ++i;
        std::string name;
        while (i < html.size() && name.size() < 16 &&
               std::isalnum(static_cast<unsigned char>(html[i])))
            name += char(std::tolower(static_cast<unsigned char>(html[i++])));
        if (name.empty() || IsVoidOrSelfClosing(name)) continue;
        if (name == "table") {
            tables = closing ? std::max(0, tables - 1) : tables + 1;
            deepestTables = std::max(deepestTables, tables);
        }
        if (closing) {
            depth = std::max(0, depth - 1);
        } else {
            const size_t end = html.find('>', i);
            if (end != std::string_view::npos && end > i && html[end - 1] == '/') continue;
            deepest = std::max(deepest, ++depth);
        }
    }
    if (tableDepth) *tableDepth = deepestTables;
    return deepest;
}

std::string MissingFilePage(const std::string& windowsPath) {
    return std::string("<html><head><meta charset=\"utf-8\">") + kPageStyle +
           "</head><body><h1>Құжат табылмады</h1><p>Мына файл жоқ:</p><p class=\"path\">" +
           EscapeHtml(windowsPath) + "</p></body></html>";
}

std::string ErrorPage(const std::string& heading, const std::string& windowsPath,
                      const std::string& detail) {
    return std::string("<html><head><meta charset=\"utf-8\">") + kPageStyle + "</head><body><h1>" +
           EscapeHtml(heading) + "</h1><p class=\"path\">" + EscapeHtml(windowsPath) + "</p><p>" +
           EscapeHtml(detail) + "</p></body></html>";
}

std::string PlainTextPage(std::string_view utf8Text, const std::string& notice) {
    std::string page =
        std::string("<html><head><meta charset=\"utf-8\">") + kPageStyle + "</head><body>";
    if (!notice.empty()) page += "<p class=\"note\">" + EscapeHtml(notice) + "</p>";
    page += "<pre>" + EscapeHtml(utf8Text) + "</pre></body></html>";
    return page;
}

TDocumentSource LoadDocumentSource(const std::string& windowsPath) {
    TDocumentSource src;
    const bool movie = HasExtension(windowsPath, ".swf");
    TPrefixRead read = ReadPrefix(windowsPath, movie ? kMaxMovieBytes : kMaxDocumentBytes);
    if (!read.exists) {
        src.kind = TDocumentKind::Missing;
        src.html = MissingFilePage(windowsPath);
        return src;
    }
    if (!read.error.empty()) {
        src.html = ErrorPage("Құжатты оқу мүмкін емес", windowsPath, read.error);
        return src;
    }
    if (movie) {
        if (read.truncated) {
            src.html = ErrorPage("Фильмді ойнату мүмкін емес", windowsPath, "Файл тым үлкен.");
            return src;
        }
        src.kind = TDocumentKind::Movie;
        src.movieData.assign(read.bytes.begin(), read.bytes.end());
        return src;
    }
    const std::string notice =
        read.truncated ? "Файл тым үлкен: тек алғашқы 4 МБ көрсетілген." : std::string();
    const bool html = LooksLikeHtml(windowsPath, read.bytes);
    std::string text = DecodeHtmlBytes(read.bytes);
    int tableDepth = 0;
    const bool tooDeep =
        EstimateNestingDepth(text, &tableDepth) > kMaxNestingDepth || tableDepth > kMaxTableNesting;
    if (html && !tooDeep) {
        if (!notice.empty())
            text = "<p style=\"color:#7a1f1f\">" + EscapeHtml(notice) + "</p>" + text;
        src.html = std::move(text);
        return src;
    }
    std::string why = notice;
    if (html)
        why = (why.empty() ? "" : why + " ") +
              "Құжаттың құрылымы тым терең: мәтін ретінде көрсетілген.";
    src.html = PlainTextPage(text, why);
    return src;
}
