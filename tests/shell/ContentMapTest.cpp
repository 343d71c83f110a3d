#include "shell/ContentMap.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include "platform/core/TextCodec.h"
#include "shell/AboutTexts.h"

namespace {

constexpr std::string_view kLecture1Tree =
    "Дәріс 1: Экономика-әлеуметтік сатистиканың пәні, әдісі. ЭӘС топтастырылуы.";
constexpr std::string_view kLecture1Menu =
    "Дәріс 1: Экономика-әлеуметтік статистиканың пәні, әдісі. ЭӘС топтастырылуы.";
constexpr std::string_view kTopic1 = "Тақырып 1:  Ұлттық байлық статистикасы";
constexpr std::string_view kTopic3 =
    "Тақырып 3: Өндіріс және еңбек ресурстарын тиімді қолданудың статистикасы";

// Where a node's caption comes from: none, its own text, or the text of a topic node.
constexpr int kNoCaption = -2;
constexpr int kOwnText = -1;

struct TTreeCase {
    int index;
    int level;
    std::string_view document;
    int captionFrom; // kNoCaption, kOwnText, or the index of the node whose text it shows
};

constexpr TTreeCase kTreeCases[] = {
    {0, 1, "", kNoCaption},
    {1, 2, "\\Doc1\\DAR1.htm", kOwnText},
    {2, 2, "\\Doc1\\DAR2.htm", kOwnText},
    {3, 2, "\\Doc1\\DAR3.htm", kOwnText},
    {4, 2, "\\Doc1\\DAR4.htm", kOwnText},
    {5, 2, "\\Doc1\\DAR5.htm", kOwnText},
    {6, 2, "\\Doc1\\DAR6.htm", kOwnText},
    {7, 2, "\\Doc1\\DAR7.htm", kOwnText},
    {8, 1, "", kNoCaption},
    {9, 2, "", kNoCaption},
    {10, 3, "\\Doc1\\D1.htm", 9},
    {11, 3, "\\Doc1\\D1M.htm", 9},
    {12, 3, "\\Doc1\\D1T.htm", 9},
    {13, 2, "", kNoCaption},
    {14, 3, "\\Doc1\\D2.htm", 13},
    {15, 3, "\\Doc1\\D2M.htm", 13},
    {16, 3, "\\Doc1\\D2T.htm", 13},
    {17, 2, "", kNoCaption},
    {18, 3, "\\Doc1\\D3.htm", 17},
    {19, 3, "\\Doc1\\D3M.htm", 17},
    {20, 3, "\\Doc1\\D3T.htm", 17},
    {21, 2, "", kNoCaption},
    {22, 3, "\\Doc1\\D4.htm", 21},
    {23, 3, "\\Doc1\\D4M.htm", 21},
    {24, 3, "\\Doc1\\D4T.htm", 21},
    {25, 2, "", kNoCaption},
    {26, 3, "\\Doc1\\D5.htm", 25},
    {27, 3, "\\Doc1\\D5M.htm", 25},
    {28, 3, "\\Doc1\\D5T.htm", 25},
    {29, 1, "\\Doc1\\test11.htm", kOwnText},
    {30, 1, "\\Doc1\\test12.htm", kOwnText},
    {31, 1, "\\Doc1\\Tizim.htm", kNoCaption}, // its own caption text, checked below
};

TEST(ContentMapTree, EveryNodeHasItsDocumentAndCaption) {
    ASSERT_EQ(ContentMap::TreeNodes().size(), std::size(kTreeCases));
    for (const TTreeCase& c : kTreeCases) {
        SCOPED_TRACE(c.index);
        const TContentNode* node = ContentMap::TreeNode(c.index);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->Level, c.level);
        EXPECT_EQ(node->Document, c.document);
        if (c.index == 31) continue;
        const std::string_view expected = c.captionFrom == kNoCaption ? std::string_view()
                                          : c.captionFrom == kOwnText
                                              ? node->Text
                                              : ContentMap::TreeNode(c.captionFrom)->Text;
        EXPECT_EQ(node->Caption, expected);
    }
}

TEST(ContentMapTree, TrickyTextsKeepTheirSpelling) {
    struct TCase {
        int index;
        std::string_view text;
        std::string_view caption;
    };
    const TCase cases[] = {
        {0, "Дәріс", ""},
        {1, kLecture1Tree, kLecture1Tree}, // "сатистиканың" in the tree
        {2, "Дәріс 2:Халық және еңбек ресурстарының  статистикасы",
         "Дәріс 2:Халық және еңбек ресурстарының  статистикасы"},
        {6, "Дәріс 6: Ұлттық шоттар жүйесi", "Дәріс 6: Ұлттық шоттар жүйесi"}, // Latin i
        {9, kTopic1, ""},                                                      // two blanks
        {12, "Студенттердін өзіндік жұмыстарына арналған тапсырмалар", kTopic1},
        {20, "Студенттердін өзіндік жұмыстарына арналған тапсырмалар", kTopic3},
        {29, "Тест( 1 бөлім)", "Тест( 1 бөлім)"},
        {30, "Тест( 2 бөлім)", "Тест( 2 бөлім)"},
        {31, "Әдебиеттер тізімі", "Қолданылған әдебиеттер тізімі"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(ContentMap::TreeNode(c.index)->Text, c.text);
        EXPECT_EQ(ContentMap::TreeNode(c.index)->Caption, c.caption);
    }
}

// Pre-order: a node's children follow it one level deeper, so the nodes that open nothing
// are exactly those with children.
TEST(ContentMapTree, OnlyNodesWithChildrenOpenNothing) {
    const auto nodes = ContentMap::TreeNodes();
    EXPECT_EQ(nodes.front().Level, 1);
    int topLevel = 0;
    for (size_t i = 0; i < nodes.size(); ++i) {
        SCOPED_TRACE(i);
        const bool hasChildren = i + 1 < nodes.size() && nodes[i + 1].Level > nodes[i].Level;
        if (i > 0) {
            EXPECT_LE(nodes[i].Level, nodes[i - 1].Level + 1);
        }
        EXPECT_EQ(nodes[i].Document.empty(), hasChildren);
        EXPECT_EQ(nodes[i].Caption.empty(), hasChildren);
        topLevel += nodes[i].Level == 1;
    }
    EXPECT_EQ(topLevel, 5);
}

TEST(ContentMapTree, IndexesOutsideTheTreeHaveNoNode) {
    for (int index : {-1, 32, 1000}) {
        EXPECT_EQ(ContentMap::TreeNode(index), nullptr) << index;
        EXPECT_EQ(ContentMap::TreeTextKazakh(index), "") << index;
        EXPECT_EQ(ContentMap::TreeCaptionKazakh(index), "") << index;
    }
}

struct TMenuCase {
    std::string_view name;
    std::string_view document;
    std::string_view caption; // empty: the caption of the tree node below
    int treeIndex;            // the node showing the same caption, or -1
    bool hidesTitle;
};

constexpr TMenuCase kMenuCases[] = {
    {"N23", "\\Doc1\\DAR1.htm", kLecture1Menu, -1, true}, // "статистиканың" in the menu
    {"N8", "\\Doc1\\DAR2.htm", "", 2, true},
    {"N32", "\\Doc1\\DAR3.htm", "", 3, true},
    {"N41", "\\Doc1\\DAR4.htm", "", 4, true},
    {"N51", "\\Doc1\\DAR5.htm", "", 5, true},
    {"N61", "\\Doc1\\DAR6.htm", "", 6, true},
    {"N71", "\\Doc1\\DAR7.htm", "", 7, true},
    {"N2", "\\Doc1\\D1.htm", kTopic1, -1, true},
    {"N16", "\\Doc1\\D1M.htm", "", 11, true},
    {"N17", "\\Doc1\\D1T.htm", "", 12, true},
    {"N18", "\\Doc1\\D2.htm", "", 14, true},
    {"N26", "\\Doc1\\D2M.htm", "", 15, true},
    {"N30", "\\Doc1\\D2T.htm", "", 16, true},
    {"N19", "\\Doc1\\D3.htm", "", 18, true},
    {"N27", "\\Doc1\\D3M.htm", "", 19, true},
    {"N34", "\\Doc1\\D3T.htm", kTopic3, -1, false}, // the one item that leaves the label
    {"N20", "\\Doc1\\D4.htm", "", 22, true},
    {"N28", "\\Doc1\\D4M.htm", "", 23, true},
    {"N35", "\\Doc1\\D4T.htm", "", 24, true},
    {"N25", "\\Doc1\\D5.htm", "", 26, true},
    {"N29", "\\Doc1\\D5M.htm", "", 27, true},
    {"N36", "\\Doc1\\D5T.htm", "", 28, true},
    {"N13", "\\Doc1\\silab.htm", "Силлабус - Күндізгі", -1, true},
    {"N14", "\\Doc1\\silabz.htm", "Силлабус - Сырттай", -1, true},
    {"N5", "\\Doc1\\Plan.htm", "Тәжірибелік сабақтардың жоспарлары", -1, true},
    {"N12", "\\Doc1\\test1.htm", "Аралық бақылауға арналған тест сұрақтары", -1, true},
    {"N37", "\\Doc1\\ref.htm", "Баяндама тақырыптары", -1, true},
    {"N9", "\\doc1\\test11.htm", "Тест( 1 бөлім)", -1, true},   // folder in lower case
    {"N210", "\\doc1\\test12.htm", "Тест (2 бөлім)", -1, true}, // blank before the bracket
    {"N24", "\\komek\\kom.htm", "Қолданушыға нұсқаулық", -1, true},
};

TEST(ContentMapMenu, EveryDocumentItemHasItsPathCaptionAndTitleRule) {
    ASSERT_EQ(ContentMap::MenuDocuments().size(), std::size(kMenuCases));
    for (const TMenuCase& c : kMenuCases) {
        SCOPED_TRACE(c.name);
        const TMenuDocument* item = ContentMap::MenuDocument(c.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Name, c.name);
        EXPECT_EQ(item->Document, c.document);
        EXPECT_EQ(item->Caption,
                  c.treeIndex >= 0 ? ContentMap::TreeNode(c.treeIndex)->Caption : c.caption);
        EXPECT_EQ(item->HidesTitleLabel, c.hidesTitle);
    }
}

TEST(ContentMapMenu, ItemsThatOpenNoDocumentAreNotFound) {
    // Groups, the syllabus submenu, the spacer, "about", and names that differ in case or
    // only partly match.
    for (std::string_view name : {"N21", "N11", "N15", "N1", "N3", "N7", "N6", "N31", "N10", "",
                                  "n23", "N2 ", "N", "N2100"})
        EXPECT_EQ(ContentMap::MenuDocument(name), nullptr) << "'" << name << "'";
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The same file reached from both places must be the same document whatever the case of the
// folder name; the bibliography is only in the tree, the course papers only in the menu.
TEST(ContentMapMenu, TreeAndMenuShareAllButTheirOwnDocuments) {
    std::set<std::string> tree, menu;
    for (const TContentNode& node : ContentMap::TreeNodes())
        if (!node.Document.empty()) tree.insert(Lower(node.Document));
    for (const TMenuDocument& item : ContentMap::MenuDocuments()) menu.insert(Lower(item.Document));
    std::vector<std::string> treeOnly, menuOnly;
    std::ranges::set_difference(tree, menu, std::back_inserter(treeOnly));
    std::ranges::set_difference(menu, tree, std::back_inserter(menuOnly));
    EXPECT_EQ(treeOnly, std::vector<std::string>{"\\doc1\\tizim.htm"});
    EXPECT_EQ(menuOnly, (std::vector<std::string>{"\\doc1\\plan.htm", "\\doc1\\ref.htm",
                                                  "\\doc1\\silab.htm", "\\doc1\\silabz.htm",
                                                  "\\doc1\\test1.htm", "\\komek\\kom.htm"}));
}

TEST(ContentMapMainMenu, CaptionsKeepTheirExactSpelling) {
    struct TCase {
        std::string_view name;
        int level;
        std::string_view caption;
        std::string_view handler;
    };
    const TCase cases[] = {
        {"N21", 1, "Дәріс", ""},
        {"N23", 2, kLecture1Tree, "N23Click"}, // the menu's own caption keeps the tree's typo
        {"N15", 2, kTopic1, ""},
        {"N34", 3, "Студенттердін өзіндік жұмыстарына арналған тапсырмалар", "N34Click"},
        {"N1", 1, "ПОӘК", ""},
        {"N3", 2, "Силлабус", ""},
        {"N13", 3, "Күндізгі ", "N13Click"},
        {"N9", 2, "Тест (1 бөлімі)", "N9Click"},
        {"N210", 2, "Тест (2 бөлімі)", "N210Click"},
        {"N6", 1, "             ", ""},
        {"N10", 2, "Авторлар жайлы", "N10Click"},
    };
    const auto menu = ContentMap::MainMenu();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto it = std::ranges::find(menu, c.name, &TMainMenuItem::Name);
        ASSERT_NE(it, menu.end());
        EXPECT_EQ(it->Level, c.level);
        EXPECT_EQ(it->Caption, c.caption);
        EXPECT_EQ(it->Handler, c.handler);
    }
    EXPECT_EQ(std::string_view(ContentMap::MainMenu().back().Name), "N10");
}

// The forms build the menu from this list, so it must be a well-formed tree whose handlers
// are exactly the document items' plus "about".
TEST(ContentMapMainMenu, IsAWellFormedTreeWithOneHandlerPerDocument) {
    const auto menu = ContentMap::MainMenu();
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu.front().Level, 1);
    std::set<std::string_view> names, withHandler;
    for (size_t i = 0; i < menu.size(); ++i) {
        SCOPED_TRACE(menu[i].Name);
        if (i > 0) {
            EXPECT_LE(menu[i].Level, menu[i - 1].Level + 1);
        }
        EXPECT_TRUE(names.insert(menu[i].Name).second) << "duplicate name";
        if (menu[i].Handler.empty()) continue;
        EXPECT_EQ(menu[i].Handler, std::string(menu[i].Name) + "Click");
        withHandler.insert(menu[i].Name);
    }
    std::set<std::string_view> expected{"N10"};
    for (const TMenuDocument& item : ContentMap::MenuDocuments()) expected.insert(item.Name);
    EXPECT_EQ(withHandler, expected);
}

// ---- The 8-bit Kazakh font encoding of the tree and caption texts

std::set<char32_t> LettersWithAByte() {
    std::set<char32_t> letters;
    for (int b = 0; b < 256; ++b) letters.insert(KazakhToUnicode(static_cast<unsigned char>(b)));
    return letters;
}

std::vector<char32_t> LettersWithoutAByte(std::string_view utf8) {
    static const std::set<char32_t> encodable = LettersWithAByte();
    std::vector<char32_t> missing;
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t c = DecodeUtf8(utf8, pos);
        if (!encodable.count(c)) missing.push_back(c);
    }
    return missing;
}

TEST(ContentMapEncoding, EveryTreeAndCaptionTextSurvivesTheRoundTrip) {
    std::vector<std::string_view> texts;
    for (const TContentNode& node : ContentMap::TreeNodes()) {
        texts.push_back(node.Text);
        texts.push_back(node.Caption);
    }
    for (const TMenuDocument& item : ContentMap::MenuDocuments()) texts.push_back(item.Caption);
    std::vector<std::string_view> notEncodable;
    for (std::string_view text : texts) {
        if (!LettersWithoutAByte(text).empty()) {
            notEncodable.push_back(text);
            continue;
        }
        const std::string bytes = Utf8ToKazakh(text);
        EXPECT_EQ(KazakhToUtf8(bytes), text);
        EXPECT_EQ(bytes.find('?'), std::string::npos) << text;
    }
    // The course texts use only letters the encoding holds; a new text with, say, "Ғ" or "Ү"
    // would show up here rather than as a silent "?".
    EXPECT_TRUE(notEncodable.empty()) << notEncodable.front();
    for (int i = 0; i < ContentMap::kTreeNodeCount; ++i) {
        EXPECT_EQ(ContentMap::TreeTextKazakh(i), Utf8ToKazakh(ContentMap::TreeNode(i)->Text));
        EXPECT_EQ(ContentMap::TreeCaptionKazakh(i), Utf8ToKazakh(ContentMap::TreeNode(i)->Caption));
    }
}

TEST(ContentMapEncoding, KazakhLettersSitAtTheFontPositions) {
    // Worked out by hand: code page 1251 for Д, р, с, л, т, ы, ш, о, а, ж, й, е and the
    // Kazakh positions ә 0xBC, і 0xB3, Ұ 0xA1, қ 0x9D, ү 0xBF; the Latin i stays 0x69.
    EXPECT_EQ(ContentMap::TreeTextKazakh(0), "\xC4\xBC\xF0\xB3\xF1");
    EXPECT_EQ(ContentMap::TreeTextKazakh(6), "\xC4\xBC\xF0\xB3\xF1 6: \xA1\xEB\xF2\xF2\xFB\x9D "
                                             "\xF8\xEE\xF2\xF2\xE0\xF0 \xE6\xBF\xE9\xE5\xF1\x69");
    // Қ 0x8D and Ә 0xA3 at the start of the bibliography's caption and text.
    EXPECT_EQ(ContentMap::TreeCaptionKazakh(31).front(), '\x8D');
    EXPECT_EQ(ContentMap::TreeTextKazakh(31).front(), '\xA3');
}

TEST(ContentMapEncoding, CapitalsWithoutAByteAreNamedNotHidden) {
    // Ғ, Ң, Ү and Һ have no byte: the About window's exit caption "ШЫҒУ" could not be held in
    // the encoding, which is why the About and menu texts stay UTF-8.
    EXPECT_EQ(LettersWithoutAByte(AboutTexts().ExitButton), std::vector<char32_t>{U'Ғ'});
    for (char32_t capital : {U'Ғ', U'Ң', U'Ү', U'Һ'}) {
        std::string utf8;
        AppendUtf8(utf8, capital);
        EXPECT_EQ(Utf8ToKazakh(utf8), "?");
    }
}

TEST(AboutTexts, EachLabelHasItsLines) {
    auto lines = [](std::string_view s) { return 1 + std::ranges::count(s, '\n'); };
    const TAboutTexts& about = AboutTexts();
    EXPECT_EQ(about.Heading, "Программаның авторлары:");
    EXPECT_EQ(lines(about.Heading), 1);
    EXPECT_EQ(lines(about.Institution), 3);
    EXPECT_EQ(lines(about.Teachers), 2);
    EXPECT_EQ(lines(about.Programme), 2);
    EXPECT_EQ(lines(about.Student), 1);
    EXPECT_EQ(about.ExitButton, "ШЫҒУ");
}

} // namespace
