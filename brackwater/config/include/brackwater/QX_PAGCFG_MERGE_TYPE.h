// Merging scanned pages whose size falls in a range.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_RANGE_D_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_PAGCFG_MERGE_TYPE
{
    BOOL bRangeOnWidth;
    QX_RANGE_D_TYPE widthRange;
    QX_RANGE_D_TYPE heightRange;
    QX_MERGEMODE_TYPE mode;

    QX_RECORD_OPERATIONS(QX_PAGCFG_MERGE_TYPE);

protected:
    void init();
};
