// One still-image device as the platform lists it.
#pragma once

#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <string>

struct MIRELIGHT_EXPORT QX_IMAGEDEVICE
{
    static constexpr DWORD GENCAP_WIA = 0x10;

    // Also the image-acquisition device ID and the device's key name under the
    // image device class in the registry.
    std::wstring strInternalName;
    DWORD dwDeviceType = 0;
    DWORD dwHardwareConfiguration = 1;
    std::wstring strLocalName; // friendly name
    std::wstring strDeviceDescription;
    std::wstring strVendorDescription;
    std::wstring strPortName;
    // Left empty by the enumeration.
    std::wstring strPropProvider;
    DWORD dwGenericCaps = 0;

    BOOL IsSupportWIA() const { return (dwGenericCaps & GENCAP_WIA) ? TRUE : FALSE; }
};
