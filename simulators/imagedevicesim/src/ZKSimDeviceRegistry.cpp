#include "ZKSimDeviceRegistry.h"

#include <hollin/ZKUUID.h>

namespace
{
const wchar_t* const kClassRoot = L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\";
const wchar_t* const kNotificationsValue = L"HwNotificationsDisabled";

void SetStringIfMissing(CZKRegistry& registry, const std::wstring& key, const std::wstring& name,
                        const std::wstring& value, bool& ok)
{
    ZKRegistryValue existing;
    if (!registry.QueryValue(key, name, existing))
        ok = registry.SetString(key, name, value) && ok;
}
} // namespace

std::wstring CZKSimDeviceRegistry::DeviceKey(const std::wstring& internalName)
{
    return kClassRoot + internalName;
}

std::wstring CZKSimDeviceRegistry::EventsKey(const std::wstring& internalName)
{
    return DeviceKey(internalName) + L"\\Events";
}

std::wstring CZKSimDeviceRegistry::RegisteredApplicationsKey()
{
    return L"HKEY_LOCAL_MACHINE\\SOFTWARE\\StillImage\\Registered Applications";
}

bool CZKSimDeviceRegistry::Install(const ZK_SIM_IMAGE_DEVICE& device)
{
    CZKRegistry registry;
    bool ok = registry.CreateKey(EventsKey(device.info.internalName)) != FALSE;
    for (const ZK_SIM_IMAGE_EVENT& event : device.events)
    {
        const std::wstring key = EventsKey(device.info.internalName) + L"\\" + event.keyName;
        SetStringIfMissing(registry, key, L"", event.description, ok);
        SetStringIfMissing(registry, key, L"GUID", event.guidText, ok);
        if (event.hasLaunchApplications)
            SetStringIfMissing(registry, key, L"LaunchApplications", event.launchApplications, ok);
    }
    return ok;
}

bool CZKSimDeviceRegistry::FindEventKey(const std::wstring& internalName, const GUID& eventGuid,
                                        std::wstring& eventKey)
{
    CZKRegistry registry;
    const std::wstring events = EventsKey(internalName);
    for (const std::wstring& name : registry.EnumSubKeys(events))
    {
        std::wstring text;
        GUID guid{};
        const std::wstring key = events + L"\\" + name;
        if (registry.QueryString(key, L"GUID", text) && SZKUUID::StringToUUID(text, guid) &&
            guid == eventGuid)
        {
            eventKey = key;
            return true;
        }
    }
    return false;
}

bool CZKSimDeviceRegistry::NotificationsEnabled(const std::wstring& internalName)
{
    DWORD disabled = 0;
    CZKRegistry().QueryDWord(DeviceKey(internalName), kNotificationsValue, disabled);
    return disabled == 0;
}

bool CZKSimDeviceRegistry::SetNotificationsEnabled(const std::wstring& internalName, bool enabled)
{
    return CZKRegistry().SetDWord(DeviceKey(internalName), kNotificationsValue, enabled ? 0 : 1) !=
           FALSE;
}

std::vector<ZK_SIM_CALLBACK_PROGRAM> CZKSimDeviceRegistry::CallbackPrograms(
    const std::wstring& eventKey)
{
    CZKRegistry registry;
    std::vector<ZK_SIM_CALLBACK_PROGRAM> programs;
    for (const std::wstring& name : registry.EnumSubKeys(eventKey))
    {
        ZK_SIM_CALLBACK_PROGRAM program;
        program.keyName = name;
        const std::wstring key = eventKey + L"\\" + name;
        if (registry.QueryString(key, L"Cmdline", program.commandLine) &&
            registry.QueryString(key, L"Name", program.name))
            programs.push_back(program);
    }
    return programs;
}
