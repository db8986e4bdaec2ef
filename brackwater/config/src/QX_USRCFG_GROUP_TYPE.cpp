#include <brackwater/QX_USRCFG_GROUP_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Text(L"Description", r.strDescription);
    io.Bool(L"SysAdminGroup", r.bSysAdminGroup);
    io.Section(L"User list", r.userList);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_USRCFG_GROUP_TYPE)

void QX_USRCFG_GROUP_TYPE::reset()
{
    strDescription.clear();
    userList.reset();
    init();
}

void QX_USRCFG_GROUP_TYPE::set(const QX_USRCFG_GROUP_TYPE& other)
{
    strDescription = other.strDescription;
    userList.set(other.userList);
    bSysAdminGroup = other.bSysAdminGroup;
}

int QX_USRCFG_GROUP_TYPE::compare(const QX_USRCFG_GROUP_TYPE& o) const
{
    const bool same = strDescription == o.strDescription && userList == o.userList &&
                      bSysAdminGroup == o.bSysAdminGroup;
    return same ? 0 : -1;
}

BOOL QX_USRCFG_GROUP_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRCFG_GROUP_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
