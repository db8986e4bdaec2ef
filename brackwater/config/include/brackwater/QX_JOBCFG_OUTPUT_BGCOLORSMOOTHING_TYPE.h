// Background colour smoothing of one side's output images.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE
{
    BOOL bEnable;
    int32_t nSmoothType;
    int32_t nApplyTo;
    int32_t nAggressiveness;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE);

protected:
    void init();
};
