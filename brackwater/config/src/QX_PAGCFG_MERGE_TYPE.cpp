#include <brackwater/QX_PAGCFG_MERGE_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"RangeOnWidth", r.bRangeOnWidth);
    io.Value(L"WidthRange", r.widthRange);
    io.Value(L"HeightRange", r.heightRange);
    io.Value(L"Mode", r.mode);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_PAGCFG_MERGE_TYPE)

void QX_PAGCFG_MERGE_TYPE::init()
{
    bRangeOnWidth = FALSE;
    widthRange.reset();
    heightRange.reset();
    mode.reset();
}

void QX_PAGCFG_MERGE_TYPE::reset()
{
    init();
}

void QX_PAGCFG_MERGE_TYPE::set(const QX_PAGCFG_MERGE_TYPE& other)
{
    bRangeOnWidth = other.bRangeOnWidth;
    widthRange.set(other.widthRange);
    heightRange.set(other.heightRange);
    mode.set(other.mode);
}

int QX_PAGCFG_MERGE_TYPE::compare(const QX_PAGCFG_MERGE_TYPE& o) const
{
    const bool same = bRangeOnWidth == o.bRangeOnWidth && widthRange == o.widthRange &&
                      heightRange == o.heightRange && mode == o.mode;
    return same ? 0 : -1;
}

BOOL QX_PAGCFG_MERGE_TYPE::check() const
{
    return (widthRange.check() && heightRange.check() && mode.check()) ? TRUE : FALSE;
}

void QX_PAGCFG_MERGE_TYPE::normalize()
{
    widthRange.normalize();
    heightRange.normalize();
    mode.normalize();
}

BOOL QX_PAGCFG_MERGE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_PAGCFG_MERGE_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
