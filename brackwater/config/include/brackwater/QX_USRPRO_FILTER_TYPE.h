// Which images a view shows: by side and by colour kind.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_USRPRO_FILTER_TYPE
{
    BOOL bFilterFront;
    BOOL bFilterBack;
    BOOL bFilterBitonal;
    BOOL bFilterGrayscale;
    BOOL bFilterColor;

    QX_RECORD_OPERATIONS(QX_USRPRO_FILTER_TYPE);

protected:
    void init();
};
