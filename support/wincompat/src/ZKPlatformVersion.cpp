#include <wincompat/ZKPlatformVersion.h>

#include "Utf8.h"

#include <sys/utsname.h>

namespace
{

// Reads the decimal number at release[i], advancing i; 0 when none.
DWORD TakeNumber(const std::string& release, size_t& i)
{
    unsigned long long value = 0;
    while (i < release.size() && release[i] >= '0' && release[i] <= '9')
    {
        if (value <= 0xFFFFFFFFull)
            value = value * 10 + static_cast<unsigned>(release[i] - '0');
        ++i;
    }
    return value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(value);
}

} // namespace

CZKPlatformVersion CZKPlatformVersion::Current()
{
    utsname names{};
    if (uname(&names) != 0)
        return FromRelease(L"Linux", std::string());
    return FromRelease(zkutf8::ToWide(names.sysname), names.release);
}

CZKPlatformVersion CZKPlatformVersion::FromRelease(const std::wstring& systemName,
                                                   const std::string& release)
{
    CZKPlatformVersion version;
    DWORD* parts[] = {&version.m_major, &version.m_minor, &version.m_build};
    size_t i = 0;
    for (DWORD* part : parts)
    {
        *part = TakeNumber(release, i);
        if (i >= release.size() || release[i] != '.')
            break;
        ++i;
    }
    version.m_name = release.empty() ? systemName : systemName + L" " + zkutf8::ToWide(release);
    return version;
}
