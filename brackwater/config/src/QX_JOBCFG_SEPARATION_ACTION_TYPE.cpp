#include <brackwater/QX_JOBCFG_SEPARATION_ACTION_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kRotate[] = L"Rotate";
const wchar_t kDeletion[] = L"Deletion";
} // namespace

BOOL QX_JOBCFG_SEPARATION_ACTION_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteBool(script, kRotate, bRotate) &&
           SQXRecordScript::WriteBool(script, kDeletion, bDeletion);
}

BOOL QX_JOBCFG_SEPARATION_ACTION_TYPE::fromscript(CZKScript& script)
{
    if (SQXRecordScript::ReadBool(script, kRotate, bRotate) &&
        SQXRecordScript::ReadBool(script, kDeletion, bDeletion))
        return TRUE;
    reset();
    return FALSE;
}
