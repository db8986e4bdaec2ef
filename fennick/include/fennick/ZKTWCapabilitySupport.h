// Which operations a source allows on one capability (a MSG_QUERYSUPPORT
// answer).
#pragma once

#include <wincompat/WinTypes.h>

struct ZKTW_CAPABILITY_SUPPORT
{
    BOOL bGet = FALSE;
    BOOL bSet = FALSE;
    BOOL bGetDefault = FALSE;
    BOOL bGetCurrent = FALSE;
    BOOL bReset = FALSE;

    void Clear() { bGet = bSet = bGetDefault = bGetCurrent = bReset = FALSE; }
    bool IsSupportAll() const { return bGet && bSet && bGetDefault && bGetCurrent && bReset; }
    bool IsSupportGetSet() const { return bGet && bSet; }
};
