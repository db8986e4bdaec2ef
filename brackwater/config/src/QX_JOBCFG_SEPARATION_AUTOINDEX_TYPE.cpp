#include <brackwater/QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kDeletion[] = L"Deletion";
const wchar_t kValueChange[] = L"Valuechange";
const wchar_t kIndexLevel[] = L"IndexLevel";
} // namespace

void QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::init()
{
    indexLevel.reset();
    bDeletion = FALSE;
    bValueChange = FALSE;
}

void QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::reset()
{
    QX_JOBCFG_SEPARATION_BASE_TYPE::reset();
    init();
}

void QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::set(const QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE& other)
{
    QX_JOBCFG_SEPARATION_BASE_TYPE::set(other);
    indexLevel.set(other.indexLevel);
    bDeletion = other.bDeletion;
    bValueChange = other.bValueChange;
}

int QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::compare(
    const QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE& other) const
{
    const bool same = QX_JOBCFG_SEPARATION_BASE_TYPE::compare(other) == 0 &&
                      indexLevel == other.indexLevel && bDeletion == other.bDeletion &&
                      bValueChange == other.bValueChange;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::check() const
{
    return (QX_JOBCFG_SEPARATION_BASE_TYPE::check() && indexLevel.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::normalize()
{
    QX_JOBCFG_SEPARATION_BASE_TYPE::normalize();
    indexLevel.normalize();
}

BOOL QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::toscript(CZKScript& script) const
{
    return QX_JOBCFG_SEPARATION_BASE_TYPE::toscript(script) &&
           SQXRecordScript::WriteBool(script, kDeletion, bDeletion) &&
           SQXRecordScript::WriteBool(script, kValueChange, bValueChange) &&
           indexLevel.toscript(script, kIndexLevel);
}

BOOL QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE::fromscript(CZKScript& script)
{
    if (QX_JOBCFG_SEPARATION_BASE_TYPE::fromscript(script) &&
        SQXRecordScript::ReadBool(script, kDeletion, bDeletion) &&
        SQXRecordScript::ReadBool(script, kValueChange, bValueChange) &&
        indexLevel.fromscript(script, kIndexLevel))
        return TRUE;
    reset();
    return FALSE;
}
