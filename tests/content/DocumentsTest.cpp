// Every course page that exists: well-formed UTF-8 HTML that declares its charset, written in
// Kazakh letters, with links and pictures that resolve, laid out within the view's width.
#include <gtest/gtest.h>
#include <memory>

#include "content/ContentPages.h"
#include "htmlview/DocumentSource.h"
#include "htmlview/HtmlView.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

namespace fs = std::filesystem;

namespace {

bool IsCyrillic(char32_t c) { return c >= 0x0400 && c <= 0x04FF; }
bool IsLatin(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The letters that only Kazakh has in the Cyrillic alphabet; a page written in Kazakh uses some.
bool IsKazakhOnlyLetter(char32_t c) {
    static const char32_t kLetters[] = {0x04D8, 0x04D9, 0x0492, 0x0493, 0x049A, 0x049B,
                                        0x04A2, 0x04A3, 0x04E8, 0x04E9, 0x04B0, 0x04B1,
                                        0x04AE, 0x04AF, 0x04BA, 0x04BB, 0x0406, 0x0456};
    for (char32_t k : kLetters)
        if (c == k) return true;
    return false;
}

// A word that mixes Latin and Cyrillic letters is a look-alike typed in the wrong layout
// (a Latin "i" for "і", a Latin "o" for "о"); it reads right but breaks search and hyphenation.
std::string MixedScriptWord(const std::u32string& text) {
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = begin;
        bool latin = false, cyrillic = false;
        while (end < text.size() && (IsLatin(text[end]) || IsCyrillic(text[end]))) {
            latin |= IsLatin(text[end]);
            cyrillic |= IsCyrillic(text[end]);
            ++end;
        }
        if (latin && cyrillic) {
            std::string word;
            for (size_t i = begin; i < end; ++i) {
                char32_t c = text[i];
                if (c < 0x80)
                    word += char(c);
                else {
                    word += char(0xC0 | (c >> 6));
                    word += char(0x80 | (c & 0x3F));
                }
            }
            return word;
        }
        begin = end + 1;
    }
    return "";
}

std::string Relative(const fs::path& p) { return fs::relative(p, ContentRoot()).generic_string(); }

bool HasId(std::string_view html, const std::string& id) {
    std::string error;
    for (const TTag& tag : ParseTags(html, &error)) {
        auto it = tag.attributes.find("id");
        if (it != tag.attributes.end() && it->second == id) return true;
        if (tag.name == "a") {
            auto name = tag.attributes.find("name");
            if (name != tag.attributes.end() && name->second == id) return true;
        }
    }
    return false;
}

// A reference to a local file: no scheme, no absolute path.
bool IsLocalReference(const std::string& ref) {
    return ref.find("://") == std::string::npos && ref.rfind("mailto:", 0) != 0 &&
           ref.rfind("javascript:", 0) != 0;
}

class CourseDocumentsTest : public ::testing::Test {
  protected:
    void SetUp() override { documents_ = CourseDocuments(); }
    std::vector<fs::path> documents_;
};

TEST_F(CourseDocumentsTest, EachPageIsWellFormedKazakhUtf8WithItsCharsetAndStyleSheet) {
    ASSERT_FALSE(documents_.empty());
    for (const fs::path& path : documents_) {
        SCOPED_TRACE(Relative(path));
        std::string bytes = ReadWholeFile(path);
        std::u32string text;
        ASSERT_TRUE(DecodeUtf8(bytes, &text)) << "not UTF-8";
        EXPECT_EQ(DeclaredCharset(bytes), "utf-8");
        EXPECT_EQ(bytes.rfind("<!DOCTYPE html>", 0), 0u) << "an HTML5 page starts with its doctype";

        std::string error;
        std::vector<TTag> tags = ParseTags(bytes, &error);
        EXPECT_EQ(error, "");
        EXPECT_EQ(TagBalanceProblem(tags), "");
        int tables = 0;
        EXPECT_LT(EstimateNestingDepth(bytes, &tables), kMaxNestingDepth);
        EXPECT_LE(tables, kMaxTableNesting);

        bool styleSheet = false, title = false;
        for (const TTag& tag : tags) {
            if (tag.name == "link" && tag.attributes.count("rel") &&
                tag.attributes.at("rel") == "stylesheet") {
                // Every page shares the one style sheet, whichever folder it lies in.
                fs::path target =
                    fs::weakly_canonical(path.parent_path() / tag.attributes.at("href"));
                EXPECT_EQ(target, fs::weakly_canonical(ContentRoot() / "Doc1" / "style.css"));
                styleSheet = true;
            }
            title |= tag.name == "title" && !tag.closing;
        }
        EXPECT_TRUE(styleSheet);
        EXPECT_TRUE(title);

        std::u32string visible;
        DecodeUtf8(TextBetween(bytes, 0, bytes.size()), &visible);
        size_t kazakh = 0;
        for (char32_t c : visible) kazakh += IsKazakhOnlyLetter(c);
        EXPECT_GT(kazakh, 20u) << "hardly any Kazakh letters";
        EXPECT_EQ(MixedScriptWord(visible), "");
    }
}

TEST_F(CourseDocumentsTest, LinksFragmentsAndPicturesResolveWithTheirExactCase) {
    for (const fs::path& path : documents_) {
        SCOPED_TRACE(Relative(path));
        std::string bytes = ReadWholeFile(path);
        std::string error;
        for (const TTag& tag : ParseTags(bytes, &error)) {
            if (tag.closing) continue;
            for (const char* attribute : {"href", "src"}) {
                auto it = tag.attributes.find(attribute);
                if (it == tag.attributes.end() || !IsLocalReference(it->second)) continue;
                const std::string& ref = it->second;
                SCOPED_TRACE(ref);
                size_t hash = ref.find('#');
                std::string file = ref.substr(0, hash);
                std::string fragment = hash == std::string::npos ? "" : ref.substr(hash + 1);
                EXPECT_EQ(file.find('\\'), std::string::npos) << "links use forward slashes";
                fs::path target = file.empty() ? path : path.parent_path() / file;
                // The listing must hold the name as written: the host tells case apart even
                // where the course's home system does not.
                bool exact = false;
                if (fs::is_directory(target.parent_path()))
                    for (const auto& entry : fs::directory_iterator(target.parent_path()))
                        exact |= entry.path().filename() == target.filename();
                EXPECT_TRUE(exact) << "no file " << target.filename();
                if (exact && !fragment.empty()) {
                    EXPECT_TRUE(HasId(ReadWholeFile(target), fragment)) << "no anchor " << fragment;
                }
            }
        }
    }
}

// Laid out in an HTML view as narrow as the textbook window gives it, no page may be wider
// than the view: a formula or table that overflows would need the horizontal scroll bar.
TEST_F(CourseDocumentsTest, PagesLayOutWithinTheViewWidth) {
    UseHeadlessBackend(1024, 768);
    WNDCLASS wc;
    wc.lpszClassName = "ContentTestHost";
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClass(wc);
    // With the contents pane shown the view keeps its designed 534 pixels, scroll bar included.
    const int kWidth = 534, kHeight = 560;
    HWND host = CreateWindowEx(0, "ContentTestHost", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                               kHeight, nullptr, nullptr, nullptr, nullptr);
    std::unique_ptr<THtmlView> view = THtmlView::Create(host, Rect(0, 0, kWidth, kHeight), 1);
    ASSERT_TRUE(view);
    for (const fs::path& path : documents_) {
        SCOPED_TRACE(Relative(path));
        ASSERT_EQ(view->Navigate(path.string()), HTMLVIEW_OK);
        ProcessPendingMessages();
        ASSERT_TRUE(view->Loaded());
        RECT client;
        GetClientRect(view->Handle(), &client);
        EXPECT_LE(view->DocumentSize().cx, WidthOf(client));
    }
    view.reset();
    DestroyWindow(host);
    ProcessPendingMessages();
}

} // namespace

namespace {

// The multiple-choice tests: every question offers four or five lettered options, and the
// answer key names, for every question, a letter that the question offers.
TEST(CourseTestsTest, EveryQuestionHasFourOrFiveOptionsAndAKeyAmongThem) {
    for (const char* name : {"test11.htm", "test12.htm"}) {
        SCOPED_TRACE(name);
        const fs::path path = ContentRoot() / "Doc1" / name;
        if (!fs::exists(path)) continue; // the content map test reports a missing page
        const std::string html = ReadWholeFile(path);
        std::string error;
        const std::vector<TTag> tags = ParseTags(html, &error);
        std::map<std::string, int> options; // question id -> number of options
        std::string question;
        std::map<std::string, std::string> key; // question id -> letter
        for (size_t i = 0; i < tags.size(); ++i) {
            const TTag& tag = tags[i];
            if (tag.closing) continue;
            if (tag.attributes.count("id") && tag.attributes.at("id").rfind("q", 0) == 0) {
                question = tag.attributes.at("id");
                options[question] = 0;
            }
            if (tag.name == "li" && !question.empty()) {
                const char expected = char('A' + options[question]);
                EXPECT_EQ(html.substr(tag.end, 2), std::string(1, expected) + ")") << question;
                ++options[question];
            }
            if (tag.name == "h2") question.clear(); // the key follows
            // Key rows: <td><a href="#qN">N</a></td><td>L</td>
            if (tag.name == "a" && tag.attributes.count("href") &&
                tag.attributes.at("href").rfind("#q", 0) == 0 && i + 3 < tags.size() &&
                tags[i + 3].name == "td") {
                key[tag.attributes.at("href").substr(1)] =
                    TextBetween(html, tags[i + 3].end, tags[i + 4].begin);
            }
        }
        ASSERT_FALSE(options.empty());
        for (const auto& [id, count] : options) {
            EXPECT_TRUE(count == 4 || count == 5) << id << " has " << count << " options";
            ASSERT_TRUE(key.count(id)) << id << " is missing from the key";
            const std::string& letter = key.at(id);
            ASSERT_EQ(letter.size(), 1u) << id;
            EXPECT_LT(letter[0] - 'A', count) << id << " keys " << letter;
            EXPECT_GE(letter[0], 'A') << id;
        }
        EXPECT_EQ(key.size(), options.size()) << "the key lists questions that do not exist";
    }
}

} // namespace
