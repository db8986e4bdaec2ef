// The still-image service stand-in: devices from the device file,
// registrations and notification states in the registry.
#pragma once

#include <imagedevicesim/ZKStillImage.h>

class CZKSimStillImage : public IZKStillImage
{
public:
    ZKHRESULT GetDeviceList(DWORD type, DWORD flags,
                            std::vector<ZK_STI_DEVICE_INFORMATION>& devices) override;
    ZKHRESULT GetSTILaunchInformation(std::wstring& deviceName, DWORD& eventCode,
                                      std::wstring& eventName) override;
    ZKHRESULT RegisterLaunchApplication(const wchar_t* appName, const wchar_t* commandLine) override;
    ZKHRESULT UnregisterLaunchApplication(const wchar_t* appName) override;
    ZKHRESULT EnableHwNotifications(const wchar_t* deviceName, BOOL enable) override;
    ZKHRESULT GetHwNotificationState(const wchar_t* deviceName, BOOL& enabled) override;
    void Release() override;

    static bool IsAcceptedVersion(DWORD version);

private:
    ~CZKSimStillImage() override = default;
    static bool _IsKnownDevice(const wchar_t* deviceName);
};
