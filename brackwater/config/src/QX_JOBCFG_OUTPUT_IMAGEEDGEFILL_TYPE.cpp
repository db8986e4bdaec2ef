#include <brackwater/QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

#include <cmath>

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Int(L"Color", r.nColor);
    io.Value(L"LMS", r.lms);
    io.Bool(L"AllSideMatch", r.bAllSideMatch);
    io.Double(L"MarginLeft", r.dMarginLeft);
    io.Double(L"MarginTop", r.dMarginTop);
    io.Double(L"MarginRight", r.dMarginRight);
    io.Double(L"MarginBottom", r.dMarginBottom);
};

bool IsMargin(double margin)
{
    return std::isfinite(margin) && margin >= 0.0;
}

void NormalizeMargin(double& margin)
{
    if (!IsMargin(margin))
        margin = 0.0;
}
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE)

void QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::init()
{
    bEnable = FALSE;
    nColor = 0;
    lms.reset();
    bAllSideMatch = FALSE;
    dMarginLeft = dMarginTop = dMarginRight = dMarginBottom = 0.0;
}

void QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::reset()
{
    init();
}

void QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::set(const QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE& other)
{
    bEnable = other.bEnable;
    nColor = other.nColor;
    lms.set(other.lms);
    bAllSideMatch = other.bAllSideMatch;
    dMarginLeft = other.dMarginLeft;
    dMarginTop = other.dMarginTop;
    dMarginRight = other.dMarginRight;
    dMarginBottom = other.dMarginBottom;
}

int QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::compare(const QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE& o) const
{
    const bool same = bEnable == o.bEnable && nColor == o.nColor && lms == o.lms &&
                      bAllSideMatch == o.bAllSideMatch && dMarginLeft == o.dMarginLeft &&
                      dMarginTop == o.dMarginTop && dMarginRight == o.dMarginRight &&
                      dMarginBottom == o.dMarginBottom;
    return same ? 0 : -1;
}

// Margins are lengths: never negative, never infinite or NaN.
BOOL QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::check() const
{
    const bool valid = lms.check() && IsMargin(dMarginLeft) && IsMargin(dMarginTop) &&
                       IsMargin(dMarginRight) && IsMargin(dMarginBottom);
    return valid ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::normalize()
{
    lms.normalize();
    NormalizeMargin(dMarginLeft);
    NormalizeMargin(dMarginTop);
    NormalizeMargin(dMarginRight);
    NormalizeMargin(dMarginBottom);
}

BOOL QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
