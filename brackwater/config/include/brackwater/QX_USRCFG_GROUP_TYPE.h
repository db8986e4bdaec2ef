// A group of users.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QXUserNameLists.h>
#include <brackwater/brackwater_export.h>

#include <string>

struct BRACKWATER_EXPORT QX_USRCFG_GROUP_TYPE
{
    std::wstring strDescription;
    QX_USRCFG_USERLIST_TYPE userList; // in the section "User list"
    BOOL bSysAdminGroup;

    QX_RECORD_BASIC_OPERATIONS(QX_USRCFG_GROUP_TYPE);

protected:
    void init() { bSysAdminGroup = FALSE; }
};
