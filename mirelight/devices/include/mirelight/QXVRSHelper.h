// Recognises the image-enhancement product VRS among the ISIS drivers and
// reads what it has installed: its version from the registry and, for 4.x,
// the scanner it takes as its default image device. A helper of static
// operations only; every operation returns non-zero for success.
#pragma once

#include <mirelight/mirelight_export.h>

#include <string>

class MIRELIGHT_EXPORT CQXVRSHelper
{
public:
    // The ISIS driver name of VRS, compared without regard to case.
    static int IsVRS(const std::wstring& driverName);
    static int IsVRSFamily(const std::wstring& familyName);
    static std::wstring VRSDriver();
    static std::wstring VRSFamily();
    // The installed version, from the registry's version text.
    static int GetVRSVersion(unsigned long& major, unsigned long& minor);
    // The scanner VRS has as its default image device (VRS 4.x only).
    static int GetDefaultSource(std::wstring& source);

protected:
    CQXVRSHelper() = default;

    static int _GetDefaultSource_3X(std::wstring& source);
    static int _GetDefaultSource_4X(std::wstring& source);
};
