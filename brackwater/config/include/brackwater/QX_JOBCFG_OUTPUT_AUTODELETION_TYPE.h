// Deletion of blank images before output.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_PAGCFG_AUTODEL_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_AUTODELETION_TYPE
{
    BOOL bEnable;
    QX_PAGCFG_AUTODEL_TYPE deletion;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_AUTODELETION_TYPE);

protected:
    void init() { bEnable = FALSE; }
};
