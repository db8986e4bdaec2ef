#include <brackwater/QX_JOBCFG_OUTPUT_SPLIT_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
// The layout clears its whole section before writing, so it lives in a
// sub-section of its own, as in the page setup.
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Sub(L".SplitConfig", r.split);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_SPLIT_TYPE)

void QX_JOBCFG_OUTPUT_SPLIT_TYPE::reset()
{
    split.reset();
    init();
}

void QX_JOBCFG_OUTPUT_SPLIT_TYPE::set(const QX_JOBCFG_OUTPUT_SPLIT_TYPE& other)
{
    bEnable = other.bEnable;
    split.set(other.split);
}

int QX_JOBCFG_OUTPUT_SPLIT_TYPE::compare(const QX_JOBCFG_OUTPUT_SPLIT_TYPE& o) const
{
    return (bEnable == o.bEnable && split == o.split) ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_SPLIT_TYPE::check() const
{
    return split.check();
}

void QX_JOBCFG_OUTPUT_SPLIT_TYPE::normalize()
{
    split.normalize();
}

BOOL QX_JOBCFG_OUTPUT_SPLIT_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_SPLIT_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
