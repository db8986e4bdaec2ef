// Where an image sits in a batch: its document, page and own identifiers.
#pragma once

#include <brackwater/QXNumberTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_IMAGEPOSINFO_TYPE
{
    QX_IDENTIFIER_TYPE documentId;
    QX_IDENTIFIER_TYPE pageId;
    QX_IDENTIFIER_TYPE imageId;

    QX_RECORD_OPERATIONS(QX_IMAGEPOSINFO_TYPE);

protected:
    void init();
};
