// Splitting scanned pages whose width falls in a range into pieces.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_RANGE_D_TYPE.h>
#include <brackwater/QX_SPLITCFG_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_PAGCFG_SPLIT_TYPE
{
    BOOL bEnable;
    QX_RANGE_D_TYPE widthRange;
    QX_SPLITCFG_TYPE split; // in the sub-section ".SplitConfig"

    QX_RECORD_OPERATIONS(QX_PAGCFG_SPLIT_TYPE);

protected:
    void init() { bEnable = FALSE; }
};
