#include <brackwater/QX_DLEN_TYPE.h>

#include <brackwater/QX_PLEN_TYPE.h>

BOOL QX_DLEN_TYPE::from_PLEN(const QX_RES_TYPE& resolution, const QX_PLEN_TYPE& length,
                             const QX_LMS_TYPE& unit)
{
    return length.to_DLEN(unit, resolution, *this);
}

BOOL QX_DLEN_TYPE::to_PLEN(const QX_RES_TYPE& resolution, const QX_LMS_TYPE& unit,
                           QX_PLEN_TYPE& out) const
{
    return out.from_DLEN(resolution, *this, unit);
}
