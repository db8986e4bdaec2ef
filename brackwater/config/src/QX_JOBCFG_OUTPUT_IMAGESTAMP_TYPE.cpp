#include <brackwater/QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE.h>

#include "QXFormatVersions.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
// Older jobs stamped each side with its own settings.
const auto kFields = [](auto& r, auto& io)
{
    if (io.HasKeysOf(QX_FORMAT_VERSION_OUTPUT))
        io.Bool(L"ImageStampDiff", r.bImageStampDiff);
    else if constexpr (QX_READING(io))
        r.bImageStampDiff = TRUE;
    io.Section(L"ImageStampingFront", r.front);
    io.Section(L"ImageStampingRear", r.rear);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE)

void QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE::reset()
{
    front.reset();
    rear.reset();
    init();
}

void QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE::set(const QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE& other)
{
    bImageStampDiff = other.bImageStampDiff;
    front.set(other.front);
    rear.set(other.rear);
}

int QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE::compare(const QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE& o) const
{
    return (bImageStampDiff == o.bImageStampDiff && front == o.front && rear == o.rear) ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE::check() const
{
    return (front.check() && rear.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE::normalize()
{
    front.normalize();
    rear.normalize();
}

BOOL QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
