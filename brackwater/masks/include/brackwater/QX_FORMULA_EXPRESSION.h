// A system expression that naming formulas may use.
#pragma once

#include <string>

struct QX_FORMULA_EXPRESSION
{
    std::wstring strExpression; // the name written in a formula
    std::wstring strDisplayName;
};
