#include <wincompat/ZKPlatformVersion.h>

#include "Utf8.h"

#include <cstdlib>
#include <mutex>
#include <optional>

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

std::mutex& OverrideLock()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

std::optional<std::string>& OverrideRelease()
{
    static std::optional<std::string>* release = new std::optional<std::string>;
    return *release;
}

} // namespace

void CZKPlatformVersion::SetOverride(DWORD major, DWORD minor, DWORD build)
{
    std::lock_guard<std::mutex> lock(OverrideLock());
    OverrideRelease() = std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
}

void CZKPlatformVersion::ClearOverride()
{
    std::lock_guard<std::mutex> lock(OverrideLock());
    OverrideRelease().reset();
}

CZKPlatformVersion CZKPlatformVersion::Current()
{
    {
        std::lock_guard<std::mutex> lock(OverrideLock());
        if (OverrideRelease())
            return FromRelease(L"Configured", *OverrideRelease());
    }
    if (const char* configured = std::getenv("ZK_PLATFORM_VERSION"); configured && *configured)
        return FromRelease(L"Configured", configured);
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
