#include <brackwater/QX_JOBCFG_OUTPUT_STITCH_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Bool(L"JpegCompatible", r.bJpegCompatible);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_STITCH_TYPE)

void QX_JOBCFG_OUTPUT_STITCH_TYPE::init()
{
    bEnable = FALSE;
    bJpegCompatible = FALSE;
}

void QX_JOBCFG_OUTPUT_STITCH_TYPE::reset()
{
    init();
}

void QX_JOBCFG_OUTPUT_STITCH_TYPE::set(const QX_JOBCFG_OUTPUT_STITCH_TYPE& other)
{
    bEnable = other.bEnable;
    bJpegCompatible = other.bJpegCompatible;
}

int QX_JOBCFG_OUTPUT_STITCH_TYPE::compare(const QX_JOBCFG_OUTPUT_STITCH_TYPE& o) const
{
    return (bEnable == o.bEnable && bJpegCompatible == o.bJpegCompatible) ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_STITCH_TYPE::check() const
{
    return TRUE;
}

void QX_JOBCFG_OUTPUT_STITCH_TYPE::normalize() {}

BOOL QX_JOBCFG_OUTPUT_STITCH_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_STITCH_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
