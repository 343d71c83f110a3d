#pragma once
// A tiny evaluator for the formulas of the worked examples: numbers, names, + - * /,
// unary minus and parentheses.
#include <map>
#include <string>
#include <string_view>

struct TCalcResult {
    bool ok = false;
    double value = 0;
    std::string error;
};

TCalcResult EvaluateCalc(std::string_view formula, const std::map<std::string, double>& names);
