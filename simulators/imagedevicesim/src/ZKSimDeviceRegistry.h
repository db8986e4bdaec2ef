// Where the image device services keep their state in the registry: the
// device's class key with its "Events" subkeys (shared with the callers that
// read them), the still-image service's registered applications, and the
// program callbacks of the image-acquisition service as subkeys of an event
// key ("Name", "Desc", "Icon", "Cmdline"; the event key's "DefaultHandler"
// names the default one).
#pragma once

#include "ZKSimImageDeviceList.h"

#include <wincompat/ZKRegistry.h>

#include <string>
#include <vector>

struct ZK_SIM_CALLBACK_PROGRAM
{
    std::wstring keyName;
    std::wstring name;
    std::wstring commandLine;
};

class CZKSimDeviceRegistry
{
public:
    static std::wstring DeviceKey(const std::wstring& internalName);
    static std::wstring EventsKey(const std::wstring& internalName);
    static std::wstring RegisteredApplicationsKey();

    // Writes what is missing of the device's event keys.
    static bool Install(const ZK_SIM_IMAGE_DEVICE& device);

    // The key of the device's event whose "GUID" names eventGuid; false when
    // none does.
    static bool FindEventKey(const std::wstring& internalName, const GUID& eventGuid,
                             std::wstring& eventKey);

    static bool NotificationsEnabled(const std::wstring& internalName);
    static bool SetNotificationsEnabled(const std::wstring& internalName, bool enabled);

    static std::vector<ZK_SIM_CALLBACK_PROGRAM> CallbackPrograms(const std::wstring& eventKey);
};
