// The still-image service: the devices the platform knows, the applications
// registered to be launched by their events, and the launch information a
// launched application finds on its command line.
#pragma once

#include <imagedevicesim/ZKServiceResult.h>
#include <imagedevicesim/imagedevicesim_export.h>
#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

// Interface versions ZKStiCreateInstance accepts: 2 or 3, wide-character.
constexpr DWORD ZK_STI_VERSION_REAL = 0x00000002;
constexpr DWORD ZK_STI_VERSION_3 = 0x00000003;
constexpr DWORD ZK_STI_VERSION_FLAG_UNICODE = 0x01000000;

constexpr DWORD ZK_STI_DEVICE_TYPE_SCANNER = 1;
constexpr DWORD ZK_STI_DEVICE_TYPE_CAMERA = 2;
constexpr DWORD ZK_STI_GENCAP_NOTIFICATIONS = 0x01;
constexpr DWORD ZK_STI_GENCAP_POLLING_NEEDED = 0x02;
constexpr DWORD ZK_STI_GENCAP_WIA = 0x10;

// Internal names are at most this many characters.
constexpr size_t ZK_STI_MAX_INTERNAL_NAME_LENGTH = 128;

struct ZK_STI_DEVICE_INFORMATION
{
    DWORD deviceType = 0;
    std::wstring internalName;
    DWORD genericCapabilities = 0;
    DWORD hardwareConfiguration = 1;
    std::wstring vendorDescription;
    std::wstring deviceDescription;
    std::wstring portName;
    std::wstring propProvider;
    std::wstring localName;
};

class IZKStillImage
{
public:
    // Devices of the given type (0: all).
    virtual ZKHRESULT GetDeviceList(DWORD type, DWORD flags,
                                    std::vector<ZK_STI_DEVICE_INFORMATION>& devices) = 0;
    // The device and event that launched this process, from its command line
    // ("/StiDevice:<internal name>" and "/StiEvent:<event GUID>"). eventCode
    // is always 0 here.
    virtual ZKHRESULT GetSTILaunchInformation(std::wstring& deviceName, DWORD& eventCode,
                                              std::wstring& eventName) = 0;
    virtual ZKHRESULT RegisterLaunchApplication(const wchar_t* appName,
                                                const wchar_t* commandLine) = 0;
    virtual ZKHRESULT UnregisterLaunchApplication(const wchar_t* appName) = 0;
    virtual ZKHRESULT EnableHwNotifications(const wchar_t* deviceName, BOOL enable) = 0;
    virtual ZKHRESULT GetHwNotificationState(const wchar_t* deviceName, BOOL& enabled) = 0;
    // Frees the object; the pointer is dead afterwards.
    virtual void Release() = 0;

protected:
    virtual ~IZKStillImage() = default;
};

// module may be null. Fails with ZK_E_INVALIDARG for a version it does not
// serve; *out is null on failure.
IMAGEDEVICESIM_EXPORT ZKHRESULT ZKStiCreateInstance(HMODULE module, DWORD version,
                                                    IZKStillImage** out);
