// The worked examples state their inputs and results in data attributes; every result is
// recomputed here from its formula and compared with the figure the student reads.
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

#include "content/CalcExpression.h"
#include "content/ContentPages.h"

namespace fs = std::filesystem;

namespace {

TEST(CalcExpressionTest, EvaluatesWithPrecedenceParenthesesAndNames) {
    const std::map<std::string, double> names = {{"P0", 1200}, {"P1", 1260}, {"q_1", 4}};
    struct Case {
        const char* formula;
        double expected;
    } cases[] = {
        {"P1/P0*100", 105.0},                   // left to right: (1260/1200)*100
        {"100*P1/P0", 105.0}, {"2+3*4", 14.0},  // * binds tighter than +
        {"(2+3)*4", 20.0},    {"10-4-3", 3.0},  // - is left-associative
        {"8/4/2", 1.0},       {"-q_1+10", 6.0}, // unary minus
        {"2*-3", -6.0},       {" ( P1 - P0 ) / P0 * 100 ", 5.0},
        {"0.5*.5", 0.25},
    };
    for (const Case& c : cases) {
        TCalcResult r = EvaluateCalc(c.formula, names);
        EXPECT_TRUE(r.ok) << c.formula << ": " << r.error;
        EXPECT_NEAR(r.value, c.expected, 1e-12) << c.formula;
    }
}

TEST(CalcExpressionTest, RejectsWhatIsNotAFormula) {
    const std::map<std::string, double> names = {{"A", 1}, {"Z", 0}};
    for (const char* formula : {"", "A+", "(A", "A)", "A/Z", "B*2", "A A", "1.2.3", "A%2", "A^2"}) {
        EXPECT_FALSE(EvaluateCalc(formula, names).ok) << "\"" << formula << "\"";
    }
}

struct TCalcFigure {
    std::string page;
    std::string calc;
    std::string name;
    std::string text;    // the figure as the page shows it, trimmed
    std::string value;   // data-value: the figure with a dot and no group blanks; else the text
    std::string formula; // empty for an input
    std::string round;
};

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    size_t e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

std::vector<TCalcFigure> CalcFigures(const fs::path& page) {
    std::vector<TCalcFigure> figures;
    std::string html = ReadWholeFile(page);
    std::string error;
    std::vector<TTag> tags = ParseTags(html, &error);
    for (size_t i = 0; i < tags.size(); ++i) {
        const TTag& tag = tags[i];
        if (tag.closing || !tag.attributes.count("data-calc")) continue;
        // The figure is the text up to the element's own end tag.
        int depth = 0;
        size_t close = i + 1;
        for (; close < tags.size(); ++close) {
            if (tags[close].name != tag.name) continue;
            if (!tags[close].closing)
                ++depth;
            else if (depth-- == 0)
                break;
        }
        TCalcFigure f;
        f.page = page.filename().string();
        f.calc = tag.attributes.at("data-calc");
        f.name = tag.attributes.count("data-name") ? tag.attributes.at("data-name") : "";
        f.formula = tag.attributes.count("data-formula") ? tag.attributes.at("data-formula") : "";
        f.round = tag.attributes.count("data-round") ? tag.attributes.at("data-round") : "";
        if (close < tags.size()) f.text = Trim(TextBetween(html, tag.end, tags[close].begin));
        f.value = tag.attributes.count("data-value") ? tag.attributes.at("data-value") : f.text;
        figures.push_back(f);
    }
    return figures;
}

// The visible figure as a plain decimal: group blanks (also no-break and thin ones) dropped,
// the decimal comma made a dot, a typographic minus made a hyphen.
std::string NormalizeVisibleFigure(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') continue;
        if (text.compare(i, 2, "\xC2\xA0") == 0) {
            ++i;
            continue;
        }
        if (text.compare(i, 3, "\xE2\x80\x89") == 0 || text.compare(i, 3, "\xE2\x80\xAF") == 0) {
            i += 2;
            continue;
        }
        if (text.compare(i, 3, "\xE2\x88\x92") == 0 || text.compare(i, 3, "\xE2\x80\x93") == 0) {
            out += '-';
            i += 2;
            continue;
        }
        out += text[i] == ',' ? '.' : text[i];
    }
    return out;
}

// A plain decimal with a dot: digits, at most one dot, an optional leading minus.
bool ParseFigure(const std::string& text, double* value, int* decimals) {
    if (text.empty()) return false;
    size_t dot = text.find('.');
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (!(std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && i == dot) ||
              (c == '-' && i == 0)))
            return false;
    }
    *decimals = dot == std::string::npos ? 0 : int(text.size() - dot - 1);
    *value = std::strtod(text.c_str(), nullptr);
    return true;
}

TEST(WorkedExamplesTest, EveryStatedResultFollowsFromItsInputs) {
    size_t results = 0;
    for (const fs::path& page : CourseDocuments()) {
        std::map<std::string, std::map<std::string, double>> values; // calc -> name -> value
        for (const TCalcFigure& f : CalcFigures(page)) {
            SCOPED_TRACE(f.page + " " + f.calc + "/" + f.name + " \"" + f.text + "\"");
            ASSERT_FALSE(f.name.empty()) << "a figure without data-name";
            double stated = 0;
            int decimals = 0;
            ASSERT_TRUE(ParseFigure(f.value, &stated, &decimals))
                << "not a plain decimal with a dot";
            // What the student reads must be the figure that is checked.
            EXPECT_EQ(NormalizeVisibleFigure(f.text), f.value);
            ASSERT_FALSE(values[f.calc].count(f.name)) << "the name is used twice in this example";
            if (!f.formula.empty()) {
                ++results;
                char* end = nullptr;
                long r = std::strtol(f.round.c_str(), &end, 10);
                ASSERT_TRUE(!f.round.empty() && *end == '\0' && r >= 0 && r <= 6)
                    << "data-round must be 0..6";
                EXPECT_EQ(decimals, int(r))
                    << "the figure shows another number of decimals than data-round";
                TCalcResult computed = EvaluateCalc(f.formula, values[f.calc]);
                ASSERT_TRUE(computed.ok) << computed.error;
                const double scale = std::pow(10.0, double(r));
                // Rounded half away from zero, as a student rounds by hand; a tiny nudge keeps
                // 12.345 from becoming 12.34 through binary representation.
                double rounded = std::round(computed.value * scale * (1 + 1e-12)) / scale;
                EXPECT_NEAR(stated, rounded, 0.5 / scale * 1e-6 + 1e-9)
                    << "formula " << f.formula << " gives " << computed.value;
            }
            values[f.calc][f.name] = stated;
        }
    }
    EXPECT_GT(results, 0u) << "no worked example states a result";
}

} // namespace
