#include <brackwater/QX_JOBCFG_GENERAL_GROUP_TYPE.h>

void QX_JOBCFG_GENERAL_GROUP_TYPE::reset()
{
    general.reset();
    batchSetting.reset();
    countSep.reset();
    init();
}

void QX_JOBCFG_GENERAL_GROUP_TYPE::set(const QX_JOBCFG_GENERAL_GROUP_TYPE& other)
{
    if (this == &other)
        return;
    general.set(other.general);
    batchSetting.set(other.batchSetting);
    countSep.set(other.countSep);
}

int QX_JOBCFG_GENERAL_GROUP_TYPE::compare(const QX_JOBCFG_GENERAL_GROUP_TYPE& o) const
{
    const bool same =
        general == o.general && batchSetting == o.batchSetting && countSep == o.countSep;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_GENERAL_GROUP_TYPE::check() const
{
    return (general.check() && batchSetting.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_GENERAL_GROUP_TYPE::normalize()
{
    general.normalize();
    batchSetting.normalize();
    if (!check())
        reset();
}

BOOL QX_JOBCFG_GENERAL_GROUP_TYPE::toscript(CZKScript& script) const
{
    return general.toscript(script) && batchSetting.toscript(script) && countSep.toscript(script);
}

BOOL QX_JOBCFG_GENERAL_GROUP_TYPE::fromscript(CZKScript& script)
{
    if (general.fromscript(script) && batchSetting.fromscript(script) &&
        countSep.fromscript(script))
        return TRUE;
    // A fresh record rather than reset(): reset keeps the naming source.
    set(QX_JOBCFG_GENERAL_GROUP_TYPE());
    return FALSE;
}
