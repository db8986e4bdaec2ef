// The name lists of the user configuration: users of a group, jobs and
// features a user or group may use.
#pragma once

#include <brackwater/QXNameLines.h>

struct QX_USRCFG_USERLIST_TYPE : TQXNameList<QX_USRCFG_USERLIST_TYPE>
{
    static constexpr const wchar_t* KEY = L"User";
};

struct QX_USRCFG_JOBLIST_TYPE : TQXNameList<QX_USRCFG_JOBLIST_TYPE>
{
    static constexpr const wchar_t* KEY = L"Job";
};

struct QX_USRCFG_FEATURELIST_TYPE : TQXNameList<QX_USRCFG_FEATURELIST_TYPE>
{
    static constexpr const wchar_t* KEY = L"Feature";
};
