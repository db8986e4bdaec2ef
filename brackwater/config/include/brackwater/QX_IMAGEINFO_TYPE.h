// What an image is: its type, size in pixels and resolution.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXNumberTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_IMAGEINFO_TYPE
{
    QX_IMAGETYPE_TYPE type;
    int32_t nWidth;
    int32_t nHeight;
    QX_RES_TYPE xRes;
    QX_RES_TYPE yRes;

    QX_RECORD_OPERATIONS(QX_IMAGEINFO_TYPE);

protected:
    void init();
};
