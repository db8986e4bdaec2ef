// The token syntax of imprinter formulas, shared by the helper's validation
// and the imprinter adapters' conversion: a formula is nothing but a
// sequence of <name> tokens, names without angle brackets.
#pragma once

#include <string>
#include <vector>

class SQXImprinterFormula
{
public:
    // The names of the tokens, brackets stripped, left to right; false when
    // anything stands outside a token (an empty formula has no tokens).
    static bool SplitTokens(const std::wstring& formula, std::vector<std::wstring>& names);

private:
    SQXImprinterFormula() = delete;
};
