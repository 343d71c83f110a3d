#include "shell/ContentMap.h"

#include <array>

#include "platform/core/TextCodec.h"

namespace {

// The texts keep their original spelling, double blanks and Latin "i" letters: the tree and
// the menu were typed apart, and readers know them as they are.
constexpr std::string_view kLecture1Tree =
    "Дәріс 1: Экономика-әлеуметтік сатистиканың пәні, әдісі. ЭӘС топтастырылуы.";
constexpr std::string_view kLecture1Menu =
    "Дәріс 1: Экономика-әлеуметтік статистиканың пәні, әдісі. ЭӘС топтастырылуы.";
constexpr std::string_view kLecture2 = "Дәріс 2:Халық және еңбек ресурстарының  статистикасы";
constexpr std::string_view kLecture3 = "Дәріс 3: Ұлттық байлық статистикасы";
constexpr std::string_view kLecture4 = "Дәріс 4: Еңбек өнiмдiлiгiнiң статистикасы";
constexpr std::string_view kLecture5 =
    "Дәріс 5:Тауар, ақша айналысының және бағалардың  статистикасы";
constexpr std::string_view kLecture6 = "Дәріс 6: Ұлттық шоттар жүйесi";
constexpr std::string_view kLecture7 = "Дәріс 7: Халықтың  өмiр деңгейiнiң статистикасы";

// A practical topic's three pages all show the topic's title.
constexpr std::string_view kTopic1 = "Тақырып 1:  Ұлттық байлық статистикасы";
constexpr std::string_view kTopic2 = "Тақырып 2: Халық статистикасы";
constexpr std::string_view kTopic3 =
    "Тақырып 3: Өндіріс және еңбек ресурстарын тиімді қолданудың статистикасы";
constexpr std::string_view kTopic4 = "Тақырып 4: Баға және инфляция статистикасы";
constexpr std::string_view kTopic5 = "Тақырып 5: Ұлттық шоттардың статистикалық жүйелері";

constexpr std::string_view kTheory = "Теориялық анықтама";
constexpr std::string_view kExamples = "Типтік тапсырмаларды шешу амалдары";
constexpr std::string_view kTasks = "Студенттердін өзіндік жұмыстарына арналған тапсырмалар";

constexpr std::string_view kTest1Tree = "Тест( 1 бөлім)";
constexpr std::string_view kTest2Tree = "Тест( 2 бөлім)";
constexpr std::string_view kTest2Menu = "Тест (2 бөлім)";

constexpr std::array<TContentNode, ContentMap::kTreeNodeCount> kTree = {{
    {1, "Дәріс", "", ""},
    {2, kLecture1Tree, "\\Doc1\\DAR1.htm", kLecture1Tree},
    {2, kLecture2, "\\Doc1\\DAR2.htm", kLecture2},
    {2, kLecture3, "\\Doc1\\DAR3.htm", kLecture3},
    {2, kLecture4, "\\Doc1\\DAR4.htm", kLecture4},
    {2, kLecture5, "\\Doc1\\DAR5.htm", kLecture5},
    {2, kLecture6, "\\Doc1\\DAR6.htm", kLecture6},
    {2, kLecture7, "\\Doc1\\DAR7.htm", kLecture7},
    {1, "Практика", "", ""},
    {2, kTopic1, "", ""},
    {3, kTheory, "\\Doc1\\D1.htm", kTopic1},
    {3, kExamples, "\\Doc1\\D1M.htm", kTopic1},
    {3, kTasks, "\\Doc1\\D1T.htm", kTopic1},
    {2, kTopic2, "", ""},
    {3, kTheory, "\\Doc1\\D2.htm", kTopic2},
    {3, kExamples, "\\Doc1\\D2M.htm", kTopic2},
    {3, kTasks, "\\Doc1\\D2T.htm", kTopic2},
    {2, kTopic3, "", ""},
    {3, kTheory, "\\Doc1\\D3.htm", kTopic3},
    {3, kExamples, "\\Doc1\\D3M.htm", kTopic3},
    {3, kTasks, "\\Doc1\\D3T.htm", kTopic3},
    {2, kTopic4, "", ""},
    {3, kTheory, "\\Doc1\\D4.htm", kTopic4},
    {3, kExamples, "\\Doc1\\D4M.htm", kTopic4},
    {3, kTasks, "\\Doc1\\D4T.htm", kTopic4},
    {2, kTopic5, "", ""},
    {3, kTheory, "\\Doc1\\D5.htm", kTopic5},
    {3, kExamples, "\\Doc1\\D5M.htm", kTopic5},
    {3, kTasks, "\\Doc1\\D5T.htm", kTopic5},
    {1, kTest1Tree, "\\Doc1\\test11.htm", kTest1Tree},
    {1, kTest2Tree, "\\Doc1\\test12.htm", kTest2Tree},
    {1, "Әдебиеттер тізімі", "\\Doc1\\Tizim.htm", "Қолданылған әдебиеттер тізімі"},
}};

// N34 leaves the title label moving; every other item hides it. N9 and N210 spell the folder
// "doc1": the path goes on as written and the file system's case rules find the folder.
constexpr TMenuDocument kMenuDocuments[] = {
    {"N23", "\\Doc1\\DAR1.htm", kLecture1Menu, true},
    {"N8", "\\Doc1\\DAR2.htm", kLecture2, true},
    {"N32", "\\Doc1\\DAR3.htm", kLecture3, true},
    {"N41", "\\Doc1\\DAR4.htm", kLecture4, true},
    {"N51", "\\Doc1\\DAR5.htm", kLecture5, true},
    {"N61", "\\Doc1\\DAR6.htm", kLecture6, true},
    {"N71", "\\Doc1\\DAR7.htm", kLecture7, true},
    {"N2", "\\Doc1\\D1.htm", kTopic1, true},
    {"N16", "\\Doc1\\D1M.htm", kTopic1, true},
    {"N17", "\\Doc1\\D1T.htm", kTopic1, true},
    {"N18", "\\Doc1\\D2.htm", kTopic2, true},
    {"N26", "\\Doc1\\D2M.htm", kTopic2, true},
    {"N30", "\\Doc1\\D2T.htm", kTopic2, true},
    {"N19", "\\Doc1\\D3.htm", kTopic3, true},
    {"N27", "\\Doc1\\D3M.htm", kTopic3, true},
    {"N34", "\\Doc1\\D3T.htm", kTopic3, false},
    {"N20", "\\Doc1\\D4.htm", kTopic4, true},
    {"N28", "\\Doc1\\D4M.htm", kTopic4, true},
    {"N35", "\\Doc1\\D4T.htm", kTopic4, true},
    {"N25", "\\Doc1\\D5.htm", kTopic5, true},
    {"N29", "\\Doc1\\D5M.htm", kTopic5, true},
    {"N36", "\\Doc1\\D5T.htm", kTopic5, true},
    {"N13", "\\Doc1\\silab.htm", "Силлабус - Күндізгі", true},
    {"N14", "\\Doc1\\silabz.htm", "Силлабус - Сырттай", true},
    {"N5", "\\Doc1\\Plan.htm", "Тәжірибелік сабақтардың жоспарлары", true},
    {"N12", "\\Doc1\\test1.htm", "Аралық бақылауға арналған тест сұрақтары", true},
    {"N37", "\\Doc1\\ref.htm", "Баяндама тақырыптары", true},
    {"N9", "\\doc1\\test11.htm", kTest1Tree, true},
    {"N210", "\\doc1\\test12.htm", kTest2Menu, true},
    {"N24", "\\komek\\kom.htm", "Қолданушыға нұсқаулық", true},
};

// The menu's own captions differ from the caption texts in places ("Тест (1 бөлімі)",
// "Күндізгі " with its trailing blank); the spacer N6 is thirteen blanks.
constexpr TMainMenuItem kMainMenu[] = {
    {"N21", 1, "Дәріс", ""},
    {"N23", 2, kLecture1Tree, "N23Click"},
    {"N8", 2, kLecture2, "N8Click"},
    {"N32", 2, kLecture3, "N32Click"},
    {"N41", 2, kLecture4, "N41Click"},
    {"N51", 2, kLecture5, "N51Click"},
    {"N61", 2, kLecture6, "N61Click"},
    {"N71", 2, kLecture7, "N71Click"},
    {"N11", 1, "Практика", ""},
    {"N15", 2, kTopic1, ""},
    {"N2", 3, kTheory, "N2Click"},
    {"N16", 3, kExamples, "N16Click"},
    {"N17", 3, kTasks, "N17Click"},
    {"N22", 2, kTopic2, ""},
    {"N18", 3, kTheory, "N18Click"},
    {"N26", 3, kExamples, "N26Click"},
    {"N30", 3, kTasks, "N30Click"},
    {"N33", 2, kTopic3, ""},
    {"N19", 3, kTheory, "N19Click"},
    {"N27", 3, kExamples, "N27Click"},
    {"N34", 3, kTasks, "N34Click"},
    {"N42", 2, kTopic4, ""},
    {"N20", 3, kTheory, "N20Click"},
    {"N28", 3, kExamples, "N28Click"},
    {"N35", 3, kTasks, "N35Click"},
    {"N52", 2, kTopic5, ""},
    {"N25", 3, kTheory, "N25Click"},
    {"N29", 3, kExamples, "N29Click"},
    {"N36", 3, kTasks, "N36Click"},
    {"N1", 1, "ПОӘК", ""},
    {"N3", 2, "Силлабус", ""},
    {"N13", 3, "Күндізгі ", "N13Click"},
    {"N14", 3, "Сырттай", "N14Click"},
    {"N5", 2, "Тәжірибелік сабақтардың жоспарлары", "N5Click"},
    {"N12", 2, "Аралық бақылауға арналған тест сұрақтары", "N12Click"},
    {"N37", 2, "Баяндама тақырыптары", "N37Click"},
    {"N7", 1, "Тест", ""},
    {"N9", 2, "Тест (1 бөлімі)", "N9Click"},
    {"N210", 2, "Тест (2 бөлімі)", "N210Click"},
    {"N6", 1, "             ", ""},
    {"N31", 1, "Анықтама", ""},
    {"N24", 2, "Қолданушыға нұсқаулық", "N24Click"},
    {"N10", 2, "Авторлар жайлы", "N10Click"},
};

} // namespace

std::span<const TContentNode> ContentMap::TreeNodes() { return kTree; }

const TContentNode* ContentMap::TreeNode(int absoluteIndex) {
    if (absoluteIndex < 0 || absoluteIndex >= kTreeNodeCount) return nullptr;
    return &kTree[size_t(absoluteIndex)];
}

std::span<const TMenuDocument> ContentMap::MenuDocuments() { return kMenuDocuments; }

const TMenuDocument* ContentMap::MenuDocument(std::string_view itemName) {
    for (const TMenuDocument& item : kMenuDocuments)
        if (item.Name == itemName) return &item;
    return nullptr;
}

std::span<const TMainMenuItem> ContentMap::MainMenu() { return kMainMenu; }

std::string ContentMap::TreeTextKazakh(int absoluteIndex) {
    const TContentNode* node = TreeNode(absoluteIndex);
    return node ? Utf8ToKazakh(node->Text) : std::string();
}

std::string ContentMap::TreeCaptionKazakh(int absoluteIndex) {
    const TContentNode* node = TreeNode(absoluteIndex);
    return node ? Utf8ToKazakh(node->Caption) : std::string();
}
