#include <brackwater/QX_USRPRO_REMOVEBLANKIMAGES_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
// The stored black-and-white key is spelled "Blow".
const auto kFields = [](auto& r, auto& io)
{
    io.Int(L"BlackWhiteSizeBlow", r.nBlackWhiteSizeBelow);
    io.Int(L"GrayscaleSizeBelow", r.nGrayscaleSizeBelow);
    io.Int(L"Columns", r.nColumns);
    io.Int(L"Rows", r.nRows);
    io.Bool(L"OnlyBack", r.bOnlyBack);
    io.Bool(L"Preselect", r.bPreselect);
};

void KeepAtLeast(int32_t& value, int32_t least, int32_t fallback)
{
    if (value < least)
        value = fallback;
}
} // namespace

QX_RECORD_CONSTRUCTION(QX_USRPRO_REMOVEBLANKIMAGES_TYPE)

void QX_USRPRO_REMOVEBLANKIMAGES_TYPE::init()
{
    nBlackWhiteSizeBelow = DEFAULT_BLACKWHITE_SIZE;
    nGrayscaleSizeBelow = DEFAULT_GRAYSCALE_SIZE;
    nColumns = DEFAULT_COLUMNS;
    nRows = DEFAULT_ROWS;
    bOnlyBack = TRUE;
    bPreselect = TRUE;
}

void QX_USRPRO_REMOVEBLANKIMAGES_TYPE::reset()
{
    init();
}

void QX_USRPRO_REMOVEBLANKIMAGES_TYPE::set(const QX_USRPRO_REMOVEBLANKIMAGES_TYPE& other)
{
    nBlackWhiteSizeBelow = other.nBlackWhiteSizeBelow;
    nGrayscaleSizeBelow = other.nGrayscaleSizeBelow;
    nColumns = other.nColumns;
    nRows = other.nRows;
    bOnlyBack = other.bOnlyBack;
    bPreselect = other.bPreselect;
}

int QX_USRPRO_REMOVEBLANKIMAGES_TYPE::compare(const QX_USRPRO_REMOVEBLANKIMAGES_TYPE& o) const
{
    const bool same = nBlackWhiteSizeBelow == o.nBlackWhiteSizeBelow &&
                      nGrayscaleSizeBelow == o.nGrayscaleSizeBelow && nColumns == o.nColumns &&
                      nRows == o.nRows && bOnlyBack == o.bOnlyBack && bPreselect == o.bPreselect;
    return same ? 0 : -1;
}

// Sizes are byte counts; the grid needs at least one cell each way.
BOOL QX_USRPRO_REMOVEBLANKIMAGES_TYPE::check() const
{
    const bool valid =
        nBlackWhiteSizeBelow >= 0 && nGrayscaleSizeBelow >= 0 && nColumns >= 1 && nRows >= 1;
    return valid ? TRUE : FALSE;
}

void QX_USRPRO_REMOVEBLANKIMAGES_TYPE::normalize()
{
    KeepAtLeast(nBlackWhiteSizeBelow, 0, DEFAULT_BLACKWHITE_SIZE);
    KeepAtLeast(nGrayscaleSizeBelow, 0, DEFAULT_GRAYSCALE_SIZE);
    KeepAtLeast(nColumns, 1, DEFAULT_COLUMNS);
    KeepAtLeast(nRows, 1, DEFAULT_ROWS);
}

BOOL QX_USRPRO_REMOVEBLANKIMAGES_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRPRO_REMOVEBLANKIMAGES_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
