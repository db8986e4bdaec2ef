#include <brackwater/QX_JOBCFG_OUTPUT_ROTATION_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
// A rotation has no script form of its own; this record stores its number.
typedef TQXValueRecord<QX_ROTATION_TYPE, QXSpanRule<BYTE, 0, 3, 0, 0>> RotationValue;

const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.template ValueAs<RotationValue>(L"Rotation", r.rotation);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_ROTATION_TYPE)

void QX_JOBCFG_OUTPUT_ROTATION_TYPE::init()
{
    bEnable = FALSE;
    rotation.reset();
}

void QX_JOBCFG_OUTPUT_ROTATION_TYPE::reset()
{
    init();
}

void QX_JOBCFG_OUTPUT_ROTATION_TYPE::set(const QX_JOBCFG_OUTPUT_ROTATION_TYPE& other)
{
    bEnable = other.bEnable;
    rotation.set(other.rotation);
}

int QX_JOBCFG_OUTPUT_ROTATION_TYPE::compare(const QX_JOBCFG_OUTPUT_ROTATION_TYPE& o) const
{
    return (bEnable == o.bEnable && rotation == o.rotation) ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_ROTATION_TYPE::check() const
{
    return rotation.check();
}

void QX_JOBCFG_OUTPUT_ROTATION_TYPE::normalize()
{
    rotation.normalize();
}

BOOL QX_JOBCFG_OUTPUT_ROTATION_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_ROTATION_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
