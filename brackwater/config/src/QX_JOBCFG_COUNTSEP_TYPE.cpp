#include <brackwater/QX_JOBCFG_COUNTSEP_TYPE.h>

#include "QXSectionSteps.h"

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
    return SQXSectionSteps::Run(
               script, {{kNewBatchRuleSection, [&] { return newBatchRule.toscript(script) != FALSE; }},
                        {kNewDocumentRuleSection,
                         [&] { return newDocumentRule.toscript(script) != FALSE; }}})
               ? TRUE
               : FALSE;
}

// A first rule that cannot be read stops the reading before the second.
BOOL QX_JOBCFG_COUNTSEP_TYPE::fromscript(CZKScript& script)
{
    if (SQXSectionSteps::Run(
            script,
            {{kNewBatchRuleSection, [&] { return newBatchRule.fromscript(script) != FALSE; }},
             {kNewDocumentRuleSection, [&] { return newDocumentRule.fromscript(script) != FALSE; }}}))
        return TRUE;
    reset();
    return FALSE;
}
