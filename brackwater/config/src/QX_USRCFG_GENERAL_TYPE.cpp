#include <brackwater/QX_USRCFG_GENERAL_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{ io.Bool(L"EnableWindowsUsers", r.bEnableWindowsUsers); };
} // namespace

QX_RECORD_CONSTRUCTION(QX_USRCFG_GENERAL_TYPE)

void QX_USRCFG_GENERAL_TYPE::reset()
{
    init();
}

void QX_USRCFG_GENERAL_TYPE::set(const QX_USRCFG_GENERAL_TYPE& other)
{
    bEnableWindowsUsers = other.bEnableWindowsUsers;
}

int QX_USRCFG_GENERAL_TYPE::compare(const QX_USRCFG_GENERAL_TYPE& o) const
{
    return bEnableWindowsUsers == o.bEnableWindowsUsers ? 0 : -1;
}

BOOL QX_USRCFG_GENERAL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRCFG_GENERAL_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
