#include <brackwater/QX_IMAGEPARTINFO_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Int(L"PageNo", r.nPageNo);
    io.Value(L"Side", r.side);
    io.Value(L"HWPartNo", r.hwPartNo);
    io.Value(L"SWPartNo", r.swPartNo);
    io.Value(L"SWPartIndex", r.swPartIndex);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_IMAGEPARTINFO_TYPE)

void QX_IMAGEPARTINFO_TYPE::init()
{
    nPageNo = 0;
    side.reset();
    hwPartNo.reset();
    swPartNo.reset();
    swPartIndex.reset();
}

void QX_IMAGEPARTINFO_TYPE::reset()
{
    init();
}

void QX_IMAGEPARTINFO_TYPE::set(const QX_IMAGEPARTINFO_TYPE& other)
{
    nPageNo = other.nPageNo;
    side.set(other.side);
    hwPartNo.set(other.hwPartNo);
    swPartNo.set(other.swPartNo);
    swPartIndex.set(other.swPartIndex);
}

int QX_IMAGEPARTINFO_TYPE::compare(const QX_IMAGEPARTINFO_TYPE& o) const
{
    const bool same = nPageNo == o.nPageNo && side == o.side && hwPartNo == o.hwPartNo &&
                      swPartNo == o.swPartNo && swPartIndex == o.swPartIndex;
    return same ? 0 : -1;
}

BOOL QX_IMAGEPARTINFO_TYPE::check() const
{
    return side.check();
}

void QX_IMAGEPARTINFO_TYPE::normalize()
{
    side.normalize();
}

BOOL QX_IMAGEPARTINFO_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_IMAGEPARTINFO_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
