// Station-wide user settings.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_USRCFG_GENERAL_TYPE
{
    BOOL bEnableWindowsUsers; // accept the operating system's users

    QX_RECORD_BASIC_OPERATIONS(QX_USRCFG_GENERAL_TYPE);

protected:
    void init() { bEnableWindowsUsers = FALSE; }
};
