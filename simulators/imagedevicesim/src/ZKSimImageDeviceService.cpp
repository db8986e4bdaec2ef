#include <imagedevicesim/ZKSimImageDeviceService.h>

#include "ZKSimDeviceNotifications.h"
#include "ZKSimDeviceRegistry.h"
#include "ZKSimImageDeviceList.h"

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKUUID.h>
#include <wincompat/ZKKnownFolders.h>
#include <wincompat/ZKPlatformVersion.h>
#include <wincompat/ZKRegistry.h>

#include <algorithm>

namespace
{
// 6bdd1fc6-810f-11d0-bec7-08002be2092f: the image device interface class.
constexpr GUID kImageDeviceClass = {0x6bdd1fc6, 0x810f, 0x11d0,
                                    {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};

bool ImageAcquisitionServicePresent()
{
    const CZKPlatformVersion version = CZKPlatformVersion::Current();
    return version.Major() > 5 || (version.Major() == 5 && version.Minor() >= 1);
}

void ReplaceAll(std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

// The default handler's command line, else every registered program's.
std::vector<std::wstring> ProgramCommandLines(const std::wstring& eventKey,
                                              const std::wstring& internalName,
                                              const GUID& eventGuid)
{
    const std::vector<ZK_SIM_CALLBACK_PROGRAM> programs =
        CZKSimDeviceRegistry::CallbackPrograms(eventKey);
    std::wstring defaultHandler;
    CZKRegistry().QueryString(eventKey, L"DefaultHandler", defaultHandler);
    std::vector<std::wstring> commandLines;
    for (const ZK_SIM_CALLBACK_PROGRAM& program : programs)
    {
        std::wstring commandLine = program.commandLine;
        ReplaceAll(commandLine, L"%1", internalName);
        ReplaceAll(commandLine, L"%2", SZKUUID::UUIDToString(eventGuid, TRUE));
        if (program.keyName == defaultHandler)
            return {commandLine};
        commandLines.push_back(commandLine);
    }
    return commandLines;
}

std::vector<std::wstring> SplitAtCommas(const std::wstring& text)
{
    std::vector<std::wstring> items;
    size_t start = 0;
    for (size_t comma = text.find(L','); ; comma = text.find(L',', start))
    {
        items.push_back(text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        if (comma == std::wstring::npos)
            return items;
        start = comma + 1;
    }
}

// The registered applications the event's launch list names, with the
// launch information appended.
std::vector<std::wstring> LaunchListCommandLines(const std::wstring& eventKey,
                                                 const std::wstring& internalName,
                                                 const GUID& eventGuid)
{
    CZKRegistry registry;
    std::wstring list;
    if (!registry.QueryString(eventKey, L"LaunchApplications", list))
        return {};
    const std::wstring appsKey = CZKSimDeviceRegistry::RegisteredApplicationsKey();
    std::vector<std::wstring> names;
    for (const std::wstring& item : SplitAtCommas(list))
    {
        const std::vector<std::wstring> expanded =
            item == L"*" ? registry.EnumValues(appsKey) : std::vector<std::wstring>{item};
        for (const std::wstring& name : expanded)
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
    }
    const std::wstring launchInformation = L" /StiDevice:" + internalName + L" /StiEvent:" +
                                           SZKUUID::UUIDToString(eventGuid, TRUE);
    std::vector<std::wstring> commandLines;
    for (const std::wstring& name : names)
    {
        std::wstring commandLine;
        if (!name.empty() && registry.QueryString(appsKey, name, commandLine))
            commandLines.push_back(commandLine + launchInformation);
    }
    return commandLines;
}

int NotifyChange(const std::wstring& internalName, WPARAM change)
{
    ZK_SIM_IMAGE_DEVICE device;
    if (!CZKSimImageDeviceList::Find(internalName, device))
        return 0;
    return CZKSimDeviceNotifications::Instance().Broadcast(kImageDeviceClass, change);
}

} // namespace

std::wstring CZKSimImageDeviceService::DeviceFile()
{
    return CZKKnownFolders::SystemFolder() + L"/imagedevices.ini";
}

BOOL CZKSimImageDeviceService::InstallDevices()
{
    bool ok = true;
    for (const ZK_SIM_IMAGE_DEVICE& device : CZKSimImageDeviceList::Read())
        ok = CZKSimDeviceRegistry::Install(device) && ok;
    return ok ? TRUE : FALSE;
}

BOOL CZKSimImageDeviceService::PressButton(const std::wstring& internalName, const GUID& eventGuid,
                                           std::vector<std::wstring>& commandLines)
{
    commandLines.clear();
    ZK_SIM_IMAGE_DEVICE device;
    std::wstring eventKey;
    if (!CZKSimImageDeviceList::Find(internalName, device) ||
        !CZKSimDeviceRegistry::NotificationsEnabled(device.info.internalName) ||
        !CZKSimDeviceRegistry::FindEventKey(device.info.internalName, eventGuid, eventKey))
        return FALSE;
    if (ImageAcquisitionServicePresent() && (device.info.genericCapabilities & ZK_STI_GENCAP_WIA))
        commandLines = ProgramCommandLines(eventKey, device.info.internalName, eventGuid);
    if (commandLines.empty())
        commandLines = LaunchListCommandLines(eventKey, device.info.internalName, eventGuid);
    SZKDebugLog::Log(L"button on " + internalName + L": " + std::to_wstring(commandLines.size()) +
                         L" launch(es)",
                     1, "IMAGEDEVSIM");
    return TRUE;
}

int CZKSimImageDeviceService::NotifyArrival(const std::wstring& internalName)
{
    return NotifyChange(internalName, ZK_DBT_DEVICEARRIVAL);
}

int CZKSimImageDeviceService::NotifyRemoval(const std::wstring& internalName)
{
    return NotifyChange(internalName, ZK_DBT_DEVICEREMOVECOMPLETE);
}
