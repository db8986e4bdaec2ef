#include <brackwater/QX_PAGCFG_SPLIT_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Value(L"WidthRange", r.widthRange);
    io.Sub(L".SplitConfig", r.split);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_PAGCFG_SPLIT_TYPE)

void QX_PAGCFG_SPLIT_TYPE::reset()
{
    widthRange.reset();
    split.reset();
    init();
}

void QX_PAGCFG_SPLIT_TYPE::set(const QX_PAGCFG_SPLIT_TYPE& other)
{
    bEnable = other.bEnable;
    widthRange.set(other.widthRange);
    split.set(other.split);
}

int QX_PAGCFG_SPLIT_TYPE::compare(const QX_PAGCFG_SPLIT_TYPE& o) const
{
    return (bEnable == o.bEnable && widthRange == o.widthRange && split == o.split) ? 0 : -1;
}

BOOL QX_PAGCFG_SPLIT_TYPE::check() const
{
    return (widthRange.check() && split.check()) ? TRUE : FALSE;
}

void QX_PAGCFG_SPLIT_TYPE::normalize()
{
    widthRange.normalize();
    split.normalize();
}

BOOL QX_PAGCFG_SPLIT_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_PAGCFG_SPLIT_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
