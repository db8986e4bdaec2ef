// The running kernel's version in the major/minor/build shape callers show
// and log.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <string>

class WINCOMPAT_EXPORT CZKPlatformVersion
{
public:
    // The override when one is set, else $ZK_PLATFORM_VERSION ("5.0"), else
    // the running kernel. The override and the variable let tests and tools
    // take the paths of older platforms.
    static CZKPlatformVersion Current();
    static void SetOverride(DWORD major, DWORD minor, DWORD build = 0);
    static void ClearOverride();
    // "6.1.0-13-amd64" -> 6, 1, 0; missing numbers are 0.
    static CZKPlatformVersion FromRelease(const std::wstring& systemName,
                                          const std::string& release);

    DWORD Major() const { return m_major; }
    DWORD Minor() const { return m_minor; }
    DWORD Build() const { return m_build; }
    // e.g. "Linux 6.1.0-13-amd64".
    const std::wstring& Name() const { return m_name; }

private:
    DWORD m_major = 0;
    DWORD m_minor = 0;
    DWORD m_build = 0;
    std::wstring m_name;
};
