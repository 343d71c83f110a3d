#include "content/CalcExpression.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

// Recursive descent over: sum = product (('+'|'-') product)*; product = unary (('*'|'/') unary)*;
// unary = '-' unary | primary; primary = number | name | '(' sum ')'.
class CalcParser {
  public:
    CalcParser(std::string_view text, const std::map<std::string, double>& names)
        : text_(text), names_(names) {}

    TCalcResult Run() {
        TCalcResult r;
        double v = Sum();
        SkipBlanks();
        if (error_.empty() && at_ != text_.size())
            Fail("unexpected '" + std::string(1, text_[at_]) + "'");
        if (error_.empty() && !std::isfinite(v)) Fail("the result is not finite");
        r.ok = error_.empty();
        r.value = v;
        r.error = error_;
        return r;
    }

  private:
    void SkipBlanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool Take(char c) {
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    void Fail(const std::string& message) {
        if (error_.empty())
            error_ = message + " at " + std::to_string(at_) + " in \"" + std::string(text_) + "\"";
    }
    double Sum() {
        double v = Product();
        while (error_.empty()) {
            if (Take('+'))
                v += Product();
            else if (Take('-'))
                v -= Product();
            else
                break;
        }
        return v;
    }
    double Product() {
        double v = Unary();
        while (error_.empty()) {
            if (Take('*')) {
                v *= Unary();
            } else if (Take('/')) {
                double d = Unary();
                if (d == 0) {
                    Fail("division by zero");
                    return 0;
                }
                v /= d;
            } else {
                break;
            }
        }
        return v;
    }
    double Unary() {
        if (Take('-')) return -Unary();
        return Primary();
    }
    double Primary() {
        SkipBlanks();
        if (at_ >= text_.size()) {
            Fail("missing operand");
            return 0;
        }
        if (Take('(')) {
            double v = Sum();
            if (!Take(')')) Fail("missing ')'");
            return v;
        }
        char c = text_[at_];
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            size_t begin = at_;
            while (at_ < text_.size() &&
                   (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.'))
                ++at_;
            std::string number(text_.substr(begin, at_ - begin));
            char* end = nullptr;
            double v = std::strtod(number.c_str(), &end);
            if (end != number.c_str() + number.size()) Fail("bad number \"" + number + "\"");
            return v;
        }
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t begin = at_;
            while (at_ < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_'))
                ++at_;
            std::string name(text_.substr(begin, at_ - begin));
            auto it = names_.find(name);
            if (it == names_.end()) {
                Fail("unknown name \"" + name + "\"");
                return 0;
            }
            return it->second;
        }
        Fail("unexpected '" + std::string(1, c) + "'");
        return 0;
    }

    std::string_view text_;
    const std::map<std::string, double>& names_;
    size_t at_ = 0;
    std::string error_;
};

TCalcResult EvaluateCalc(std::string_view formula, const std::map<std::string, double>& names) {
    return CalcParser(formula, names).Run();
}
