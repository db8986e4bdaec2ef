#include <brackwater/QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"enable", r.bEnable);
    io.Int(L"numberlength", r.nNumberLength);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE)

void QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::init()
{
    bEnable = FALSE;
    nNumberLength = DEFAULT_LENGTH;
}

void QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::reset()
{
    init();
}

void QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::set(const QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE& other)
{
    bEnable = other.bEnable;
    nNumberLength = other.nNumberLength;
}

int QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::compare(const QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE& o) const
{
    return (bEnable == o.bEnable && nNumberLength == o.nNumberLength) ? 0 : -1;
}

// A padding width below one digit names no number at all.
BOOL QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::check() const
{
    return nNumberLength >= 1 ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::normalize()
{
    if (!check())
        nNumberLength = DEFAULT_LENGTH;
}

BOOL QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
