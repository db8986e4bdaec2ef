#include "ZKSimStillImage.h"

#include "ZKSimDeviceRegistry.h"
#include "ZKSimImageDeviceList.h"

#include <hollin/ZKDebugLog.h>
#include <wincompat/ZKCommandLine.h>
#include <wincompat/ZKRegistry.h>

#include <cwctype>

namespace
{
const wchar_t* const kDeviceArgument = L"/StiDevice:";
const wchar_t* const kEventArgument = L"/StiEvent:";

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towlower(text[i]) != std::towlower(prefix[i]))
            return false;
    return true;
}

// The text after the first argument that starts with prefix; false when no
// argument does or the text is empty.
bool FindArgument(const std::vector<std::wstring>& arguments, const std::wstring& prefix,
                  std::wstring& value)
{
    for (size_t i = 1; i < arguments.size(); ++i)
    {
        if (StartsWithNoCase(arguments[i], prefix))
        {
            value = arguments[i].substr(prefix.size());
            return !value.empty();
        }
    }
    return false;
}

bool IsEmpty(const wchar_t* text) { return !text || !*text; }
} // namespace

bool CZKSimStillImage::IsAcceptedVersion(DWORD version)
{
    const DWORD base = version & ~ZK_STI_VERSION_FLAG_UNICODE;
    return (version & ZK_STI_VERSION_FLAG_UNICODE) &&
           (base == ZK_STI_VERSION_REAL || base == ZK_STI_VERSION_3);
}

ZKHRESULT CZKSimStillImage::GetDeviceList(DWORD type, DWORD /*flags*/,
                                          std::vector<ZK_STI_DEVICE_INFORMATION>& devices)
{
    devices.clear();
    for (const ZK_SIM_IMAGE_DEVICE& device : CZKSimImageDeviceList::Read())
        if (type == 0 || device.info.deviceType == type)
            devices.push_back(device.info);
    return ZK_S_OK;
}

ZKHRESULT CZKSimStillImage::GetSTILaunchInformation(std::wstring& deviceName, DWORD& eventCode,
                                                    std::wstring& eventName)
{
    const std::vector<std::wstring> arguments = CZKCommandLine::Arguments();
    std::wstring device, event;
    if (!FindArgument(arguments, kDeviceArgument, device) ||
        !FindArgument(arguments, kEventArgument, event) ||
        device.size() > ZK_STI_MAX_INTERNAL_NAME_LENGTH)
        return ZK_E_FAIL;
    deviceName = device;
    eventName = event;
    eventCode = 0;
    return ZK_S_OK;
}

ZKHRESULT CZKSimStillImage::RegisterLaunchApplication(const wchar_t* appName,
                                                      const wchar_t* commandLine)
{
    if (IsEmpty(appName) || IsEmpty(commandLine))
        return ZK_E_INVALIDARG;
    CZKRegistry registry;
    if (!registry.SetString(CZKSimDeviceRegistry::RegisteredApplicationsKey(), appName, commandLine))
        return ZK_E_FAIL;
    SZKDebugLog::Log(std::wstring(L"still image: registered ") + appName, 1, "IMAGEDEVSIM");
    return ZK_S_OK;
}

ZKHRESULT CZKSimStillImage::UnregisterLaunchApplication(const wchar_t* appName)
{
    if (IsEmpty(appName))
        return ZK_E_INVALIDARG;
    CZKRegistry registry;
    const std::wstring key = CZKSimDeviceRegistry::RegisteredApplicationsKey();
    ZKRegistryValue existing;
    if (!registry.QueryValue(key, appName, existing))
        return ZK_S_FALSE; // nothing to remove is not an error
    return registry.DeleteValue(key, appName) ? ZK_S_OK : ZK_E_FAIL;
}

ZKHRESULT CZKSimStillImage::EnableHwNotifications(const wchar_t* deviceName, BOOL enable)
{
    if (!_IsKnownDevice(deviceName))
        return ZK_E_INVALIDARG;
    return CZKSimDeviceRegistry::SetNotificationsEnabled(deviceName, enable != FALSE) ? ZK_S_OK
                                                                                     : ZK_E_FAIL;
}

ZKHRESULT CZKSimStillImage::GetHwNotificationState(const wchar_t* deviceName, BOOL& enabled)
{
    if (!_IsKnownDevice(deviceName))
        return ZK_E_INVALIDARG;
    enabled = CZKSimDeviceRegistry::NotificationsEnabled(deviceName) ? TRUE : FALSE;
    return ZK_S_OK;
}

void CZKSimStillImage::Release()
{
    delete this;
}

bool CZKSimStillImage::_IsKnownDevice(const wchar_t* deviceName)
{
    ZK_SIM_IMAGE_DEVICE device;
    return !IsEmpty(deviceName) && CZKSimImageDeviceList::Find(deviceName, device);
}
