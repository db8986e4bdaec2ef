// Image stamping of both sides; the sides stamp differently or alike.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE
{
    BOOL bImageStampDiff;
    QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE front;
    QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE rear;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE);

protected:
    void init() { bImageStampDiff = FALSE; }
};
