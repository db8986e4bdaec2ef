#include <mirelight/QXVRSHelper.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKException.h>
#include <hollin/ZKPath.h>
#include <wincompat/ZKKnownFolders.h>
#include <wincompat/ZKProfile.h>
#include <wincompat/ZKRegistry.h>

#include <boost/algorithm/string/trim.hpp>
#include <boost/regex.hpp>

#include <exception>

namespace
{
const wchar_t* const kDriver = L"KOFAXVRS";
const wchar_t* const kFamily = L"Kofax VRS Scanner";
const wchar_t* const kVersionKey = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Kofax\\Condor";
const wchar_t* const kVersionValue = L"Version";
// The second separator matches any character, as installed versions write it.
const wchar_t* const kVersionPattern = L"V?(\\d+)\\.(\\d+).(\\d+)";
const wchar_t* const kSettingsFile = L"Kofax\\Vrs\\kofax200.ini";
const wchar_t* const kDefaultsSection = L"Defaults";
const wchar_t* const kDefaultDeviceKey = L"DefaultImageDevice";
const wchar_t* const kUnknownDevice = L"Unknown";
// The settings are read through a buffer of this many characters, the
// terminating one included.
constexpr size_t kDeviceBufferLength = 50;

void ParseVersion(const std::wstring& text, unsigned long& major, unsigned long& minor)
{
    static const boost::wregex pattern(kVersionPattern);
    boost::wsmatch match;
    const std::wstring trimmed = boost::algorithm::trim_copy(text);
    if (!boost::regex_match(trimmed, match, pattern))
        CZKException::Throw();
    major = std::wcstoul(match[1].str().c_str(), nullptr, 10);
    minor = std::wcstoul(match[2].str().c_str(), nullptr, 10);
}
} // namespace

int CQXVRSHelper::IsVRS(const std::wstring& driverName)
{
    return SZKCommon::EqualNoCase(driverName, kDriver) ? 1 : 0;
}

int CQXVRSHelper::IsVRSFamily(const std::wstring& familyName)
{
    return SZKCommon::EqualNoCase(familyName, kFamily) ? 1 : 0;
}

std::wstring CQXVRSHelper::VRSDriver()
{
    return kDriver;
}

std::wstring CQXVRSHelper::VRSFamily()
{
    return kFamily;
}

int CQXVRSHelper::GetVRSVersion(unsigned long& major, unsigned long& minor)
{
    try
    {
        const CZKRegistry registry;
        std::wstring version;
        // A missing key or a value of another type is not an installation.
        if (!registry.QueryString(kVersionKey, kVersionValue, version))
            return 0;
        ParseVersion(version, major, minor);
        return 1;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXVRSHelper::GetVRSVersion");
        return 0;
    }
    catch (const std::exception&)
    {
        return 0;
    }
}

int CQXVRSHelper::GetDefaultSource(std::wstring& source)
{
    unsigned long major = 0;
    unsigned long minor = 0;
    if (!GetVRSVersion(major, minor))
        return 0;
    if (major == 3)
        return _GetDefaultSource_3X(source);
    if (major == 4)
        return _GetDefaultSource_4X(source);
    return 0;
}

// VRS 3.x keeps no default image device that can be read.
int CQXVRSHelper::_GetDefaultSource_3X(std::wstring&)
{
    return 0;
}

int CQXVRSHelper::_GetDefaultSource_4X(std::wstring& source)
{
    source.clear();
    try
    {
        std::wstring folder;
        if (!SZKCommon::GetSHFolderPath(ZK_CSIDL_COMMON_APPDATA, folder))
            return 1;
        const std::wstring file = SZKPath::MergePath_PNF(folder, kSettingsFile, L"");
        std::wstring device =
            CZKProfile::GetString(kDefaultsSection, kDefaultDeviceKey, kUnknownDevice, file);
        if (device.size() >= kDeviceBufferLength)
            device.resize(kDeviceBufferLength - 1);
        if (!device.empty())
            source = device;
    }
    catch (const std::exception&)
    {
        source.clear();
    }
    return 1;
}
