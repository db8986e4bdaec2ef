#include <brackwater/QX_JOBCFG_OUTPUT_AUTODELETION_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Nested(r.deletion);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_AUTODELETION_TYPE)

void QX_JOBCFG_OUTPUT_AUTODELETION_TYPE::reset()
{
    deletion.reset();
    init();
}

void QX_JOBCFG_OUTPUT_AUTODELETION_TYPE::set(const QX_JOBCFG_OUTPUT_AUTODELETION_TYPE& other)
{
    bEnable = other.bEnable;
    deletion.set(other.deletion);
}

int QX_JOBCFG_OUTPUT_AUTODELETION_TYPE::compare(const QX_JOBCFG_OUTPUT_AUTODELETION_TYPE& o) const
{
    return (bEnable == o.bEnable && deletion == o.deletion) ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_AUTODELETION_TYPE::check() const
{
    return deletion.check();
}

void QX_JOBCFG_OUTPUT_AUTODELETION_TYPE::normalize()
{
    deletion.normalize();
}

BOOL QX_JOBCFG_OUTPUT_AUTODELETION_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_AUTODELETION_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
