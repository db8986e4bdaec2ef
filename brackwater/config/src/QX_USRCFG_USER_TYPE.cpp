#include <brackwater/QX_USRCFG_USER_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Text(L"Description", r.strDescription);
    io.Text(L"Password", r.strPassword);
    io.Text(L"Full name", r.strFullName);
    io.Bool(L"IsUserAdmin", r.bIsUserAdmin);
    io.Bool(L"IsAutoLogin", r.bIsAutoLogin);
    io.Bool(L"IsLastLogin", r.bIsLastLogin);
    io.Bool(L"SysAdmin", r.bSysAdmin);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_USRCFG_USER_TYPE)

void QX_USRCFG_USER_TYPE::init()
{
    bIsUserAdmin = bIsAutoLogin = bIsLastLogin = bSysAdmin = FALSE;
}

void QX_USRCFG_USER_TYPE::reset()
{
    strDescription.clear();
    strPassword.clear();
    strFullName.clear();
    init();
}

void QX_USRCFG_USER_TYPE::set(const QX_USRCFG_USER_TYPE& other)
{
    strDescription = other.strDescription;
    strPassword = other.strPassword;
    strFullName = other.strFullName;
    bIsUserAdmin = other.bIsUserAdmin;
    bIsAutoLogin = other.bIsAutoLogin;
    bIsLastLogin = other.bIsLastLogin;
    bSysAdmin = other.bSysAdmin;
}

int QX_USRCFG_USER_TYPE::compare(const QX_USRCFG_USER_TYPE& o) const
{
    const bool same = strDescription == o.strDescription && strPassword == o.strPassword &&
                      strFullName == o.strFullName && bIsUserAdmin == o.bIsUserAdmin &&
                      bIsAutoLogin == o.bIsAutoLogin && bIsLastLogin == o.bIsLastLogin &&
                      bSysAdmin == o.bSysAdmin;
    return same ? 0 : -1;
}

BOOL QX_USRCFG_USER_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRCFG_USER_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
