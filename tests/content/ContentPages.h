#pragma once
// Reading the course pages for the checks: the files, their tags and attributes, their text.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The content folder of the source tree.
std::filesystem::path ContentRoot();
// Every .htm file under the content folder, sorted.
std::vector<std::filesystem::path> CourseDocuments();
std::string ReadWholeFile(const std::filesystem::path& path);

struct TTag {
    std::string name; // lower case, without the slash
    bool closing = false;
    bool selfClosing = false;
    std::map<std::string, std::string>
        attributes;   // names lower case, values unescaped only for &amp;
    size_t begin = 0; // offset of '<'
    size_t end = 0;   // offset after '>'
};

// The tags of a page in order; comments, the doctype and the bodies of <style> and <script>
// are skipped. An unterminated tag ends the list and sets *error.
std::vector<TTag> ParseTags(std::string_view html, std::string* error);
// The first problem with the nesting of the tags (an end tag that closes nothing or another
// element, an element never closed); empty when every element is closed in order.
std::string TagBalanceProblem(const std::vector<TTag>& tags);
// The text of html[begin, end) with every tag replaced by a blank and entities left as they are.
std::string TextBetween(std::string_view html, size_t begin, size_t end);

// UTF-8 to code points; false (and nothing useful in out) for ill-formed input.
bool DecodeUtf8(std::string_view bytes, std::u32string* out);
