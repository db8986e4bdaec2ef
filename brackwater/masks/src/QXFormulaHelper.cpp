#include <brackwater/QXFormulaHelper.h>

BOOL CQXFormulaHelper::GetSystemExpressions(std::vector<QX_FORMULA_EXPRESSION>& list)
{
    try
    {
        list = {
            {L"BATCH_NAME", L"Batch Name"},
            {L"BATCH_DATE", L"Batch Date"},
            {L"BATCH_PATH", L"Batch Path"},
            {L"OPERATOR_NAME", L"Operator Name"},
        };
        return TRUE;
    }
    catch (...)
    {
        list.clear();
        return FALSE;
    }
}
