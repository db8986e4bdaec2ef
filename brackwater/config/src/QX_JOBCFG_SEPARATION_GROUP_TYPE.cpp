#include <brackwater/QX_JOBCFG_SEPARATION_GROUP_TYPE.h>

void QX_JOBCFG_SEPARATION_GROUP_TYPE::reset()
{
    blank.reset();
    patches.reset();
    init();
}

void QX_JOBCFG_SEPARATION_GROUP_TYPE::set(const QX_JOBCFG_SEPARATION_GROUP_TYPE& other)
{
    if (this == &other)
        return;
    blank.set(other.blank);
    patches.set(other.patches);
}

int QX_JOBCFG_SEPARATION_GROUP_TYPE::compare(const QX_JOBCFG_SEPARATION_GROUP_TYPE& other) const
{
    return (blank == other.blank && patches == other.patches) ? 0 : -1;
}

void QX_JOBCFG_SEPARATION_GROUP_TYPE::normalize()
{
    blank.normalize();
    patches.normalize();
}

BOOL QX_JOBCFG_SEPARATION_GROUP_TYPE::toscript(CZKScript& script) const
{
    return blank.toscript(script) && patches.toscript(script);
}

BOOL QX_JOBCFG_SEPARATION_GROUP_TYPE::fromscript(CZKScript& script)
{
    if (blank.fromscript(script) && patches.fromscript(script))
        return TRUE;
    reset();
    return FALSE;
}
