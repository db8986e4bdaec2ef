#include <brackwater/QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

#include <cmath>

namespace
{
const BYTE kDefaultUnit = 15; // 1/100 inch

// The file info shares the section and reads its own newer keys by the
// stored format version.
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Text(L"IndexField", r.strIndexField);
    io.Int(L"VertAlign", r.nVertAlign);
    io.Int(L"HorzAlign", r.nHorzAlign);
    io.Double(L"Margin", r.dMargin);
    io.Value(L"LMS", r.lms);
    io.Int(L"FontSize", r.nFontSize);
    io.Int(L"FontWeight", r.nFontWeight);
    io.Nested(r.fileInfo);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE)

void QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::init()
{
    bEnable = FALSE;
    nVertAlign = 3;
    nHorzAlign = 2;
    dMargin = 0.0;
    lms.value = kDefaultUnit;
    nFontSize = 16;
    nFontWeight = 1;
}

void QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::reset()
{
    strIndexField.clear();
    fileInfo.reset();
    init();
}

void QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::set(const QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE& other)
{
    bEnable = other.bEnable;
    strIndexField = other.strIndexField;
    nVertAlign = other.nVertAlign;
    nHorzAlign = other.nHorzAlign;
    dMargin = other.dMargin;
    lms.set(other.lms);
    nFontSize = other.nFontSize;
    nFontWeight = other.nFontWeight;
    fileInfo.set(other.fileInfo);
}

int QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::compare(const QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE& o) const
{
    const bool same = bEnable == o.bEnable && strIndexField == o.strIndexField &&
                      nVertAlign == o.nVertAlign && nHorzAlign == o.nHorzAlign &&
                      dMargin == o.dMargin && lms == o.lms && nFontSize == o.nFontSize &&
                      nFontWeight == o.nFontWeight && fileInfo == o.fileInfo;
    return same ? 0 : -1;
}

// The margin is a length; alignment and font values are the stamping
// plug-in's to judge.
BOOL QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::check() const
{
    const bool valid = lms.check() && std::isfinite(dMargin) && dMargin >= 0.0 && fileInfo.check();
    return valid ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::normalize()
{
    if (!lms.check())
        lms.value = kDefaultUnit;
    if (!std::isfinite(dMargin) || dMargin < 0.0)
        dMargin = 0.0;
    fileInfo.normalize();
}

BOOL QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
