#include <brackwater/QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Int(L"SmoothType", r.nSmoothType);
    io.Int(L"ApplyTo", r.nApplyTo);
    io.Int(L"Aggressiveness", r.nAggressiveness);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE)

void QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::init()
{
    bEnable = FALSE;
    nSmoothType = nApplyTo = nAggressiveness = 0;
}

void QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::reset()
{
    init();
}

void QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::set(
    const QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE& other)
{
    bEnable = other.bEnable;
    nSmoothType = other.nSmoothType;
    nApplyTo = other.nApplyTo;
    nAggressiveness = other.nAggressiveness;
}

int QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::compare(
    const QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE& o) const
{
    const bool same = bEnable == o.bEnable && nSmoothType == o.nSmoothType &&
                      nApplyTo == o.nApplyTo && nAggressiveness == o.nAggressiveness;
    return same ? 0 : -1;
}

// The values' meaning is the smoothing plug-in's.
BOOL QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::check() const
{
    return TRUE;
}

void QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::normalize() {}

BOOL QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
