// The system expressions offered to naming formulas.
#pragma once

#include <brackwater/QX_FORMULA_EXPRESSION.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <vector>

class BRACKWATER_EXPORT CQXFormulaHelper
{
public:
    // Empties list, then appends the system expressions in display order.
    static BOOL GetSystemExpressions(std::vector<QX_FORMULA_EXPRESSION>& list);
};
