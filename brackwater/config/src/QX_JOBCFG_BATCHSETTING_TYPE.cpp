#include <brackwater/QX_JOBCFG_BATCHSETTING_TYPE.h>

#include <brackwater/QXRecordScript.h>
#include <brackwater/QXScriptSectionGuard.h>

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
    if (!batchNaming.toscript(script) ||
        !SQXRecordScript::WriteBool(script, kResetCounter, bResetCounter))
        return FALSE;
    CQXScriptSectionGuard guard(script);
    guard.Enter(kDocRangeSection);
    if (!docRange.toscript(script))
        return FALSE;
    guard.Enter(kPageRangeSection);
    return pageRange.toscript(script);
}

BOOL QX_JOBCFG_BATCHSETTING_TYPE::fromscript(CZKScript& script)
{
    CQXScriptSectionGuard guard(script);
    bool ok = batchNaming.fromscript(script) &&
              SQXRecordScript::ReadBool(script, kResetCounter, bResetCounter);
    if (ok)
    {
        guard.Enter(kDocRangeSection);
        ok = docRange.fromscript(script);
    }
    if (ok)
    {
        guard.Enter(kPageRangeSection);
        ok = pageRange.fromscript(script);
    }
    if (!ok)
        reset();
    return ok ? TRUE : FALSE;
}
