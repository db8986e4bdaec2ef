// How the operator's blank-image removal view proposes images: size limits
// by colour kind and the thumbnail grid.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_USRPRO_REMOVEBLANKIMAGES_TYPE
{
    static constexpr int32_t DEFAULT_BLACKWHITE_SIZE = 1000;
    static constexpr int32_t DEFAULT_GRAYSCALE_SIZE = 10000;
    static constexpr int32_t DEFAULT_COLUMNS = 6;
    static constexpr int32_t DEFAULT_ROWS = 4;

    int32_t nBlackWhiteSizeBelow;
    int32_t nGrayscaleSizeBelow;
    int32_t nColumns;
    int32_t nRows;
    BOOL bOnlyBack;
    BOOL bPreselect;

    QX_RECORD_OPERATIONS(QX_USRPRO_REMOVEBLANKIMAGES_TYPE);

protected:
    void init();
};
