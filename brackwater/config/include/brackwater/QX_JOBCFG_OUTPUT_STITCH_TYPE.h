// Stitching the two sides of a sheet into one output image.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_STITCH_TYPE
{
    BOOL bEnable;
    BOOL bJpegCompatible;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_STITCH_TYPE);

protected:
    void init();
};
