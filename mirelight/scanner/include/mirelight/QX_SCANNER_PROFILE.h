// One driver profile.
#pragma once

#include <string>

struct QX_SCANNER_PROFILE
{
    std::wstring strId;
    std::wstring strName;
    std::wstring strText;
};
