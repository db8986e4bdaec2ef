#include <brackwater/QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Text(L"frontcolor", r.strFrontColor);
    io.Text(L"frontgrayscale", r.strFrontGrayscale);
    io.Text(L"frontbitonal", r.strFrontBitonal);
    io.Text(L"rearcolor", r.strRearColor);
    io.Text(L"reargrayscale", r.strRearGrayscale);
    io.Text(L"rearbitonal", r.strRearBitonal);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE)

void QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE::reset()
{
    set(QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE());
}

void QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE::set(const QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE& other)
{
    strFrontColor = other.strFrontColor;
    strFrontGrayscale = other.strFrontGrayscale;
    strFrontBitonal = other.strFrontBitonal;
    strRearColor = other.strRearColor;
    strRearGrayscale = other.strRearGrayscale;
    strRearBitonal = other.strRearBitonal;
}

int QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE::compare(
    const QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE& o) const
{
    const bool same = strFrontColor == o.strFrontColor &&
                      strFrontGrayscale == o.strFrontGrayscale &&
                      strFrontBitonal == o.strFrontBitonal && strRearColor == o.strRearColor &&
                      strRearGrayscale == o.strRearGrayscale && strRearBitonal == o.strRearBitonal;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE::check() const
{
    return TRUE;
}

void QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE::normalize() {}

BOOL QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
