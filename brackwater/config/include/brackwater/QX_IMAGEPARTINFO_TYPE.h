// Which part of a scanned page an image is: page, side, and the piece the
// scanner (hardware) or the split (software) cut it into.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_IMAGEPARTINFO_TYPE
{
    int32_t nPageNo;
    QX_IMAGESIDE_TYPE side;
    QX_IMAGEPART_TYPE hwPartNo;
    QX_IMAGEPART_TYPE swPartNo;
    QX_IMAGEPART_TYPE swPartIndex;

    QX_RECORD_OPERATIONS(QX_IMAGEPARTINFO_TYPE);

protected:
    void init();
};
