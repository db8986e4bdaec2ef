// Filling the margins of one side's output images with a colour.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE
{
    BOOL bEnable;
    int32_t nColor;
    QX_LMS_TYPE lms; // unit of the margins
    BOOL bAllSideMatch;
    double dMarginLeft;
    double dMarginTop;
    double dMarginRight;
    double dMarginBottom;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE);

protected:
    void init();
};
