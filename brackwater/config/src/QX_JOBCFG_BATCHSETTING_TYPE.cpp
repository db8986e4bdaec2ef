#include <brackwater/QX_JOBCFG_BATCHSETTING_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include "QXSectionSteps.h"

namespace
{
const wchar_t kResetCounter[] = L"ResetCounter";
const wchar_t kDocRangeSection[] = L"DOCRANGE";
const wchar_t kPageRangeSection[] = L"PAGRANGE";
} // namespace

void QX_JOBCFG_BATCHSETTING_TYPE::reset()
{
    batchNaming.reset();
    docRange.reset();
    pageRange.reset();
    init();
}

void QX_JOBCFG_BATCHSETTING_TYPE::set(const QX_JOBCFG_BATCHSETTING_TYPE& other)
{
    if (this == &other)
        return;
    batchNaming.set(other.batchNaming);
    docRange.set(other.docRange);
    pageRange.set(other.pageRange);
    bResetCounter = other.bResetCounter;
}

int QX_JOBCFG_BATCHSETTING_TYPE::compare(const QX_JOBCFG_BATCHSETTING_TYPE& o) const
{
    const bool same = batchNaming == o.batchNaming && docRange == o.docRange &&
                      pageRange == o.pageRange && bResetCounter == o.bResetCounter;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_BATCHSETTING_TYPE::check() const
{
    return (batchNaming.check() && docRange.check() && pageRange.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_BATCHSETTING_TYPE::normalize()
{
    batchNaming.normalize();
    docRange.normalize();
    pageRange.normalize();
}

BOOL QX_JOBCFG_BATCHSETTING_TYPE::toscript(CZKScript& script) const
{
    return SQXSectionSteps::Run(
               script,
               {{nullptr,
                 [&] {
                     return batchNaming.toscript(script) &&
                            SQXRecordScript::WriteBool(script, kResetCounter, bResetCounter);
                 }},
                {kDocRangeSection, [&] { return docRange.toscript(script) != FALSE; }},
                {kPageRangeSection, [&] { return pageRange.toscript(script) != FALSE; }}})
               ? TRUE
               : FALSE;
}

BOOL QX_JOBCFG_BATCHSETTING_TYPE::fromscript(CZKScript& script)
{
    if (SQXSectionSteps::Run(
            script, {{nullptr,
                      [&] {
                          return batchNaming.fromscript(script) &&
                                 SQXRecordScript::ReadBool(script, kResetCounter, bResetCounter);
                      }},
                     {kDocRangeSection, [&] { return docRange.fromscript(script) != FALSE; }},
                     {kPageRangeSection, [&] { return pageRange.fromscript(script) != FALSE; }}}))
        return TRUE;
    // A fresh record rather than reset(): reset keeps the naming source.
    set(QX_JOBCFG_BATCHSETTING_TYPE());
    return FALSE;
}
