// The devices and events that the device file declares.
#pragma once

#include <imagedevicesim/ZKStillImage.h>

#include <string>
#include <vector>

struct ZK_SIM_IMAGE_EVENT
{
    std::wstring keyName;
    std::wstring guidText;
    std::wstring description;
    bool hasLaunchApplications = false;
    std::wstring launchApplications;
};

struct ZK_SIM_IMAGE_DEVICE
{
    ZK_STI_DEVICE_INFORMATION info;
    std::vector<ZK_SIM_IMAGE_EVENT> events;
};

class CZKSimImageDeviceList
{
public:
    // In file order; a missing file is an empty list.
    static std::vector<ZK_SIM_IMAGE_DEVICE> Read();
    // Internal names compare without regard to case, as registry key names do.
    static bool Find(const std::wstring& internalName, ZK_SIM_IMAGE_DEVICE& device);

private:
    static bool _ReadDevice(const std::wstring& section, const std::wstring& file,
                            ZK_SIM_IMAGE_DEVICE& device);
    static ZK_SIM_IMAGE_EVENT _ReadEvent(const std::wstring& section, const std::wstring& name,
                                         const std::wstring& file);
};
