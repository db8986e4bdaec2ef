#include <wincompat/ZKKnownFolders.h>

#include "Utf8.h"

#include <cstdlib>

namespace
{

std::wstring FromEnvironment(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    std::string path = value && *value ? value : fallback;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return zkutf8::ToWide(path);
}

} // namespace

std::wstring CZKKnownFolders::SystemFolder()
{
    return FromEnvironment("ZK_SYSTEM_DIR", "/usr/local/share/capturecore/system");
}

std::wstring CZKKnownFolders::CommonAppDataFolder()
{
    return FromEnvironment("ZK_COMMON_APPDATA_DIR", "/usr/local/share/capturecore/appdata");
}

std::wstring CZKKnownFolders::TempFolder()
{
    return FromEnvironment("TMPDIR", "/tmp");
}

BOOL CZKKnownFolders::FromCsidl(int csidl, std::wstring& out)
{
    switch (csidl)
    {
    case ZK_CSIDL_COMMON_APPDATA:
        out = CommonAppDataFolder();
        return TRUE;
    case ZK_CSIDL_WINDOWS:
    case ZK_CSIDL_SYSTEM:
        out = SystemFolder();
        return TRUE;
    default:
        return FALSE;
    }
}
