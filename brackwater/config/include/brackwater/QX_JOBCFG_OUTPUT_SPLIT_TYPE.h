// Splitting output images into pieces.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_SPLITCFG_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_SPLIT_TYPE
{
    BOOL bEnable;
    QX_SPLITCFG_TYPE split;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_SPLIT_TYPE);

protected:
    void init() { bEnable = FALSE; }
};
