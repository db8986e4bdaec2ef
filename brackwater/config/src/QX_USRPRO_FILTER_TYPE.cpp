#include <brackwater/QX_USRPRO_FILTER_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"FilterFront", r.bFilterFront);
    io.Bool(L"FilterBack", r.bFilterBack);
    io.Bool(L"FilterBitonal", r.bFilterBitonal);
    io.Bool(L"FilterGrayscale", r.bFilterGrayscale);
    io.Bool(L"FilterColor", r.bFilterColor);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_USRPRO_FILTER_TYPE)

void QX_USRPRO_FILTER_TYPE::init()
{
    bFilterFront = bFilterBack = bFilterBitonal = bFilterGrayscale = bFilterColor = TRUE;
}

void QX_USRPRO_FILTER_TYPE::reset()
{
    init();
}

void QX_USRPRO_FILTER_TYPE::set(const QX_USRPRO_FILTER_TYPE& other)
{
    bFilterFront = other.bFilterFront;
    bFilterBack = other.bFilterBack;
    bFilterBitonal = other.bFilterBitonal;
    bFilterGrayscale = other.bFilterGrayscale;
    bFilterColor = other.bFilterColor;
}

int QX_USRPRO_FILTER_TYPE::compare(const QX_USRPRO_FILTER_TYPE& o) const
{
    const bool same = bFilterFront == o.bFilterFront && bFilterBack == o.bFilterBack &&
                      bFilterBitonal == o.bFilterBitonal &&
                      bFilterGrayscale == o.bFilterGrayscale && bFilterColor == o.bFilterColor;
    return same ? 0 : -1;
}

BOOL QX_USRPRO_FILTER_TYPE::check() const
{
    return TRUE;
}

void QX_USRPRO_FILTER_TYPE::normalize() {}

BOOL QX_USRPRO_FILTER_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRPRO_FILTER_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
