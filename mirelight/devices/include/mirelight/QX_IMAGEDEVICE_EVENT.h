// One event a still-image device can raise, as its registry key declares it.
#pragma once

#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <string>

struct MIRELIGHT_EXPORT QX_IMAGEDEVICE_EVENT
{
    GUID guidEvent{}; // nil until read
    std::wstring strDescription;
    // The event's key path under HKEY_LOCAL_MACHINE.
    std::wstring strKeyPath;
    // Comma-separated application names.
    std::wstring strLaunchApplications;
};
