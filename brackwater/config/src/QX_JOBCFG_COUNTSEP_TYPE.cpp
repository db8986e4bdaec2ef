#include <brackwater/QX_JOBCFG_COUNTSEP_TYPE.h>

#include <brackwater/QXScriptSectionGuard.h>

namespace
{
const wchar_t kNewBatchRuleSection[] = L"NEWBATRULE";
const wchar_t kNewDocumentRuleSection[] = L"NEWDOCRULE";
} // namespace

void QX_JOBCFG_COUNTSEP_TYPE::reset()
{
    newBatchRule.reset();
    newDocumentRule.reset();
    init();
}

void QX_JOBCFG_COUNTSEP_TYPE::set(const QX_JOBCFG_COUNTSEP_TYPE& other)
{
    newBatchRule.set(other.newBatchRule);
    newDocumentRule.set(other.newDocumentRule);
}

int QX_JOBCFG_COUNTSEP_TYPE::compare(const QX_JOBCFG_COUNTSEP_TYPE& other) const
{
    return (newBatchRule == other.newBatchRule && newDocumentRule == other.newDocumentRule) ? 0
                                                                                            : -1;
}

BOOL QX_JOBCFG_COUNTSEP_TYPE::toscript(CZKScript& script) const
{
    CQXScriptSectionGuard guard(script);
    guard.Enter(kNewBatchRuleSection);
    if (!newBatchRule.toscript(script))
        return FALSE;
    guard.Enter(kNewDocumentRuleSection);
    return newDocumentRule.toscript(script);
}

BOOL QX_JOBCFG_COUNTSEP_TYPE::fromscript(CZKScript& script)
{
    CQXScriptSectionGuard guard(script);
    guard.Enter(kNewBatchRuleSection);
    bool ok = newBatchRule.fromscript(script);
    if (ok)
    {
        guard.Enter(kNewDocumentRuleSection);
        ok = newDocumentRule.fromscript(script);
    }
    if (!ok)
        reset();
    return ok ? TRUE : FALSE;
}
