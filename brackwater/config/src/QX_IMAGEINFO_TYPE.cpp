#include <brackwater/QX_IMAGEINFO_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Value(L"Type", r.type);
    io.Int(L"Width", r.nWidth);
    io.Int(L"Height", r.nHeight);
    io.Value(L"XRes", r.xRes);
    io.Value(L"YRes", r.yRes);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_IMAGEINFO_TYPE)

void QX_IMAGEINFO_TYPE::init()
{
    type.reset();
    nWidth = nHeight = 0;
    xRes.reset();
    yRes.reset();
}

void QX_IMAGEINFO_TYPE::reset()
{
    init();
}

void QX_IMAGEINFO_TYPE::set(const QX_IMAGEINFO_TYPE& other)
{
    type.set(other.type);
    nWidth = other.nWidth;
    nHeight = other.nHeight;
    xRes.set(other.xRes);
    yRes.set(other.yRes);
}

int QX_IMAGEINFO_TYPE::compare(const QX_IMAGEINFO_TYPE& o) const
{
    const bool same = type == o.type && nWidth == o.nWidth && nHeight == o.nHeight &&
                      xRes == o.xRes && yRes == o.yRes;
    return same ? 0 : -1;
}

BOOL QX_IMAGEINFO_TYPE::check() const
{
    return (type.check() && xRes.check() && yRes.check()) ? TRUE : FALSE;
}

// A description that does not hold together is dropped as a whole.
void QX_IMAGEINFO_TYPE::normalize()
{
    if (!check())
        reset();
}

BOOL QX_IMAGEINFO_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_IMAGEINFO_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
