#include "ZKSimImageDeviceList.h"

#include <imagedevicesim/ZKSimImageDeviceService.h>
#include <wincompat/ZKProfile.h>

#include <algorithm>
#include <cwctype>

namespace
{

std::wstring Trim(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    const size_t last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring> SplitList(const std::wstring& text)
{
    std::vector<std::wstring> items;
    size_t start = 0;
    while (start <= text.size())
    {
        size_t comma = text.find(L',', start);
        if (comma == std::wstring::npos)
            comma = text.size();
        const std::wstring item = Trim(text.substr(start, comma - start));
        if (!item.empty())
            items.push_back(item);
        start = comma + 1;
    }
    return items;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y)
                      { return std::towlower(x) == std::towlower(y); });
}

DWORD Number(const std::wstring& section, const wchar_t* key, int defaultValue,
             const std::wstring& file)
{
    return static_cast<DWORD>(CZKProfile::GetInt(section, key, defaultValue, file));
}

} // namespace

std::vector<ZK_SIM_IMAGE_DEVICE> CZKSimImageDeviceList::Read()
{
    const std::wstring file = CZKSimImageDeviceService::DeviceFile();
    std::vector<ZK_SIM_IMAGE_DEVICE> devices;
    for (const std::wstring& section : CZKProfile::SectionNames(file))
    {
        ZK_SIM_IMAGE_DEVICE device;
        if (_ReadDevice(section, file, device))
            devices.push_back(device);
    }
    return devices;
}

bool CZKSimImageDeviceList::Find(const std::wstring& internalName, ZK_SIM_IMAGE_DEVICE& device)
{
    for (const ZK_SIM_IMAGE_DEVICE& candidate : Read())
    {
        if (SameName(candidate.info.internalName, internalName))
        {
            device = candidate;
            return true;
        }
    }
    return false;
}

bool CZKSimImageDeviceList::_ReadDevice(const std::wstring& section, const std::wstring& file,
                                        ZK_SIM_IMAGE_DEVICE& device)
{
    ZK_STI_DEVICE_INFORMATION& info = device.info;
    info.internalName = Trim(CZKProfile::GetString(section, L"InternalName", L"", file));
    if (info.internalName.empty() || info.internalName.size() > ZK_STI_MAX_INTERNAL_NAME_LENGTH)
        return false;
    info.deviceType = Number(section, L"Type", ZK_STI_DEVICE_TYPE_SCANNER, file);
    info.hardwareConfiguration = Number(section, L"HardwareConfiguration", 1, file);
    info.genericCapabilities = Number(section, L"Capabilities", 0, file);
    info.localName = CZKProfile::GetString(section, L"FriendlyName", L"", file);
    info.deviceDescription = CZKProfile::GetString(section, L"Description", L"", file);
    info.vendorDescription = CZKProfile::GetString(section, L"Vendor", L"", file);
    info.portName = CZKProfile::GetString(section, L"Port", L"", file);
    for (const std::wstring& name : SplitList(CZKProfile::GetString(section, L"Events", L"", file)))
        device.events.push_back(_ReadEvent(section + L"." + name, name, file));
    return true;
}

ZK_SIM_IMAGE_EVENT CZKSimImageDeviceList::_ReadEvent(const std::wstring& section,
                                                     const std::wstring& name,
                                                     const std::wstring& file)
{
    // A value no file would hold tells a missing key from an empty one.
    static const wchar_t* const kMissing = L"\x1F<missing>";
    ZK_SIM_IMAGE_EVENT event;
    event.keyName = name;
    event.guidText = CZKProfile::GetString(section, L"GUID", L"", file);
    event.description = CZKProfile::GetString(section, L"Description", name, file);
    event.launchApplications = CZKProfile::GetString(section, L"LaunchApplications", kMissing, file);
    event.hasLaunchApplications = event.launchApplications != kMissing;
    if (!event.hasLaunchApplications)
        event.launchApplications.clear();
    return event;
}
