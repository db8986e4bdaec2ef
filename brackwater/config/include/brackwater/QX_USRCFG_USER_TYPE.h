// One user of the station. The password is kept as given; protecting it is
// the caller's business.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <string>

struct BRACKWATER_EXPORT QX_USRCFG_USER_TYPE
{
    std::wstring strDescription;
    std::wstring strPassword;
    std::wstring strFullName;
    BOOL bIsUserAdmin;
    BOOL bIsAutoLogin;
    BOOL bIsLastLogin;
    BOOL bSysAdmin;

    QX_RECORD_BASIC_OPERATIONS(QX_USRCFG_USER_TYPE);

protected:
    void init();
};
