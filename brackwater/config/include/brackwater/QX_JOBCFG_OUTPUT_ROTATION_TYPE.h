// A fixed rotation of one side's output images.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_ROTATION_TYPE
{
    BOOL bEnable;
    QX_ROTATION_TYPE rotation;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_ROTATION_TYPE);

protected:
    void init();
};
