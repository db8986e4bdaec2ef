#include "QXStillImageDeviceManagerImpl.h"

#include "QXDeviceEventKeys.h"

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKException.h>
#include <imagedevicesim/ZKStillImage.h>

namespace
{
QX_IMAGEDEVICE ToDevice(const ZK_STI_DEVICE_INFORMATION& info)
{
    QX_IMAGEDEVICE device;
    device.strInternalName = info.internalName;
    device.dwDeviceType = info.deviceType;
    device.dwHardwareConfiguration = info.hardwareConfiguration;
    device.strLocalName = info.localName;
    device.strDeviceDescription = info.deviceDescription;
    device.strVendorDescription = info.vendorDescription;
    device.strPortName = info.portName;
    device.dwGenericCaps = info.genericCapabilities;
    return device;
}
} // namespace

int CQXStillImageDeviceManagerImpl::Initialize()
{
    return m_stillImage.Create(
        [](IZKStillImage** created) {
            return ZKStiCreateInstance(nullptr, ZK_STI_VERSION_REAL | ZK_STI_VERSION_FLAG_UNICODE, created);
        },
        "still-image service unavailable");
}

int CQXStillImageDeviceManagerImpl::GetDevices(std::vector<QX_IMAGEDEVICE>& devices)
{
    devices.clear();
    std::vector<ZK_STI_DEVICE_INFORMATION> list;
    if (!ZKSucceeded(m_stillImage->GetDeviceList(0, 0, list)))
        return 0;
    for (const ZK_STI_DEVICE_INFORMATION& info : list)
        devices.push_back(ToDevice(info));
    return 1;
}

int CQXStillImageDeviceManagerImpl::RegisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                                                const wchar_t* commandLine, int /*setDefault*/)
{
    if (!ZKSucceeded(m_stillImage->RegisterLaunchApplication(appName, commandLine)))
        return 0;
    CQXDeviceEventKeys::UpdateLaunchLists(device.strInternalName, appName, true);
    return _RearmNotifications(device.strInternalName);
}

int CQXStillImageDeviceManagerImpl::UnregisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                                                  const wchar_t* /*commandLine*/)
{
    // Unregistering for all devices asks once per device: only the first call
    // finds the application registered, and the launch lists still need it.
    if (!ZKSucceeded(m_stillImage->UnregisterLaunchApplication(appName)))
        SZKDebugLog::Log(std::wstring(L"launch application not unregistered: ") + appName, 1,
                         "MIRELIGHT");
    CQXDeviceEventKeys::UpdateLaunchLists(device.strInternalName, appName, false);
    return _RearmNotifications(device.strInternalName);
}

int CQXStillImageDeviceManagerImpl::ParseCommand(int& eventIndex)
{
    eventIndex = -1;
    std::wstring deviceName, eventName;
    DWORD eventCode = 0;
    if (!ZKSucceeded(m_stillImage->GetSTILaunchInformation(deviceName, eventCode, eventName)))
        return 0;
    const GUID launched = CQXDeviceEventKeys::ParseGuid(eventName);
    const std::vector<QX_IMAGEDEVICE_EVENT> events =
        CQXDeviceEventKeys::ReadEvents(CQXDeviceEventKeys::TrimmedName(deviceName.c_str()));
    for (size_t i = 0; i < events.size(); ++i)
    {
        if (events[i].guidEvent == launched)
        {
            eventIndex = static_cast<int>(i);
            return 1;
        }
    }
    return 0;
}

int CQXStillImageDeviceManagerImpl::_RearmNotifications(const std::wstring& internalName)
{
    BOOL enabled = FALSE;
    m_stillImage->EnableHwNotifications(internalName.c_str(), FALSE);
    m_stillImage->GetHwNotificationState(internalName.c_str(), enabled);
    return ZKSucceeded(m_stillImage->EnableHwNotifications(internalName.c_str(), TRUE)) ? 1 : 0;
}
