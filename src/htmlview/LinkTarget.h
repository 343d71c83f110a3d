#pragma once
// Where a link or a resource reference of a document leads. Documents are addressed by
// Windows-style paths; references are URLs relative to the document's folder.
#include <string>

enum class TLinkKind {
    Local,        // another local file (path, maybe a fragment)
    FragmentOnly, // "#name" inside the same document
    External,     // http:, https:, mailto: go to the user's browser
    Ignored,      // javascript:, empty and unknown schemes
};

struct TLinkTarget {
    TLinkKind kind = TLinkKind::Ignored;
    std::string path;     // Windows-style, for Local
    std::string fragment; // without '#', percent-decoded
    std::string url;      // the reference as written, for External
};

TLinkTarget ResolveLink(const std::string& href, const std::string& documentPath);
// A resource (image, style sheet) relative to a document, or to an explicit base reference
// when the document has one; a Windows-style path, empty when it is not a local file.
std::string ResolveResourcePath(const std::string& reference, const std::string& base);
// The folder part of a Windows-style path with its trailing backslash ("" when none).
std::string FolderOf(const std::string& windowsPath);
// "a\b\..\c\.\d" -> "a\c\d"; ".." never climbs above the root or drive.
std::string NormalizeWindowsPath(const std::string& path);
std::string PercentDecode(const std::string& text);
