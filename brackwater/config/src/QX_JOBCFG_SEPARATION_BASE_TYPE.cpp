#include <brackwater/QX_JOBCFG_SEPARATION_BASE_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kEnable[] = L"Enable";
const wchar_t kSeparationType[] = L"SeparationType";
} // namespace

void QX_JOBCFG_SEPARATION_BASE_TYPE::init()
{
    bEnable = FALSE;
    separationType.reset();
}

void QX_JOBCFG_SEPARATION_BASE_TYPE::set(const QX_JOBCFG_SEPARATION_BASE_TYPE& other)
{
    bEnable = other.bEnable;
    separationType.set(other.separationType);
}

int QX_JOBCFG_SEPARATION_BASE_TYPE::compare(const QX_JOBCFG_SEPARATION_BASE_TYPE& other) const
{
    return (bEnable == other.bEnable && separationType == other.separationType) ? 0 : -1;
}

BOOL QX_JOBCFG_SEPARATION_BASE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteBool(script, kEnable, bEnable) &&
           separationType.toscript(script, kSeparationType);
}

BOOL QX_JOBCFG_SEPARATION_BASE_TYPE::fromscript(CZKScript& script)
{
    if (SQXRecordScript::ReadBool(script, kEnable, bEnable) &&
        separationType.fromscript(script, kSeparationType))
        return TRUE;
    reset();
    return FALSE;
}
