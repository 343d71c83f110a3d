#pragma once
// Turns a file on disk into what the view shows: UTF-8 HTML for litehtml (the document itself,
// a file that is not HTML escaped into <pre>, or the view's own page for a missing or damaged
// file), or the bytes of a movie.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TDocumentKind { Html, Movie, Missing };

struct TDocumentSource {
    TDocumentKind kind = TDocumentKind::Html;
    std::string html;               // UTF-8, for Html and Missing
    std::vector<uint8_t> movieData; // for Movie
};

// Outside data is capped before it is read: a bigger HTML or text file shows its first part
// with a notice, a bigger movie an error page.
constexpr size_t kMaxDocumentBytes = 4 * 1024 * 1024;
constexpr size_t kMaxMovieBytes = 32 * 1024 * 1024;
// Deeper element nesting than this is shown as text: the layout engine recurses per level.
constexpr int kMaxNestingDepth = 400;
// Tables inside tables cost the layout engine a multiple of the inner table's layout per
// level; deeper table nesting than this is shown as text too.
constexpr int kMaxTableNesting = 10;

TDocumentSource LoadDocumentSource(const std::string& windowsPath);

// HTML bytes to UTF-8, by a byte-order mark, the charset a <meta> declares in the first part
// of the file, or (with neither) UTF-8 when the bytes are well-formed UTF-8 and code page 1251
// otherwise. Ill-formed UTF-8 becomes U+FFFD.
std::string DecodeHtmlBytes(std::string_view bytes);
// The charset named in the first 4 KB ("charset=..."), lower case; empty when none.
std::string DeclaredCharset(std::string_view bytes);

std::string EscapeHtml(std::string_view text);
// The deepest element nesting the markup can produce, counting elements that HTML closes by
// themselves (p, li, td, ...) and empty elements (br, img, ...) as not nesting; comments are
// skipped. With tableDepth, also the deepest nesting of tables.
int EstimateNestingDepth(std::string_view html, int* tableDepth = nullptr);

// The view's own pages, in Kazakh.
std::string MissingFilePage(const std::string& windowsPath);
std::string ErrorPage(const std::string& heading, const std::string& windowsPath,
                      const std::string& detail);
std::string PlainTextPage(std::string_view utf8Text, const std::string& notice);

bool HasExtension(const std::string& path, std::string_view extensionLowerWithDot);
