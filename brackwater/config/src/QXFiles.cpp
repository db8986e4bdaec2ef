#include "QXFiles.h"

#include <hollin/ZKCommon.h>

#include <cstdio>

bool SQXFiles::Delete(const std::wstring& path)
{
    const std::string narrow = SZKCommon::WCStoMBS(path);
    return !narrow.empty() && std::remove(narrow.c_str()) == 0;
}
