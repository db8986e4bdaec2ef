#include <brackwater/QX_JOBCFG_GENERAL_RANGEWARNING_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kRange[] = L"Range";
const wchar_t kWarnBeforeMax[] = L"WarnBeforeMax";
} // namespace

void QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::init()
{
    range.byLowMode = QX_RANGE_L_TYPE::MODE_INCLUSIVE;
    range.low = 0;
    range.byHighMode = QX_RANGE_L_TYPE::MODE_INCLUSIVE;
    range.high = DEFAULT_HIGH;
    nWarnBeforeMax = 0;
}

void QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::set(const QX_JOBCFG_GENERAL_RANGEWARNING_TYPE& other)
{
    range.set(other.range);
    nWarnBeforeMax = other.nWarnBeforeMax;
}

int QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::compare(
    const QX_JOBCFG_GENERAL_RANGEWARNING_TYPE& other) const
{
    return (range == other.range && nWarnBeforeMax == other.nWarnBeforeMax) ? 0 : -1;
}

bool QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::_WarningUnreachable() const
{
    return nWarnBeforeMax != 0 && nWarnBeforeMax >= range.high;
}

BOOL QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::check() const
{
    return range.check();
}

BOOL QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::check()
{
    if (!range.check())
        return FALSE;
    if (_WarningUnreachable())
        nWarnBeforeMax = 0;
    return TRUE;
}

void QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::normalize()
{
    if (!range.check())
        reset();
    else if (_WarningUnreachable())
        nWarnBeforeMax = 0;
}

BOOL QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::toscript(CZKScript& script) const
{
    return range.toscript(script, kRange) &&
           SQXRecordScript::WriteInt(script, kWarnBeforeMax, nWarnBeforeMax);
}

BOOL QX_JOBCFG_GENERAL_RANGEWARNING_TYPE::fromscript(CZKScript& script)
{
    if (range.fromscript(script, kRange) &&
        SQXRecordScript::ReadInt(script, kWarnBeforeMax, nWarnBeforeMax))
        return TRUE;
    reset();
    return FALSE;
}
