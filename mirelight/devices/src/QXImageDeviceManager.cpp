#include <mirelight/QXImageDeviceManager.h>

#include "QXDeviceEventKeys.h"
#include "QXStillImageDeviceManagerImpl.h"
#include "QXWiaDeviceManagerImpl.h"

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKException.h>
#include <imagedevicesim/ZKDeviceNotification.h>
#include <wincompat/ZKPlatformVersion.h>

#include <exception>

namespace
{
// 6bdd1fc6-810f-11d0-bec7-08002be2092f: the image device interface class.
constexpr GUID kImageDeviceClass = {0x6bdd1fc6, 0x810f, 0x11d0,
                                    {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};

// The exported boundary: a raised failure becomes 0.
template <typename Operation> int Guarded(const char* where, Operation operation)
{
    try
    {
        return operation();
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, where);
    }
    catch (const std::exception& e)
    {
        SZKDebugLog::Log(std::string(where) + ": " + e.what(), 0, "MIRELIGHT");
    }
    return 0;
}

bool HasImageAcquisitionService()
{
    const CZKPlatformVersion version = CZKPlatformVersion::Current();
    return version.Major() > 5 || (version.Major() == 5 && version.Minor() >= 1);
}

bool IsEmpty(const wchar_t* text) { return !text || !*text; }
} // namespace

CQXImageDeviceManager::CQXImageDeviceManager() = default;
CQXImageDeviceManager::~CQXImageDeviceManager() = default;

int CQXImageDeviceManager::Initialize()
{
    return Guarded("CQXImageDeviceManager::Initialize",
                   [&]
                   {
                       m_wia.reset();
                       m_stillImage = std::make_unique<CQXStillImageDeviceManagerImpl>();
                       if (!m_stillImage->Initialize())
                       {
                           m_stillImage.reset();
                           return 0;
                       }
                       if (!HasImageAcquisitionService())
                           return 1;
                       m_wia = std::make_unique<CQXWiaDeviceManagerImpl>();
                       if (!m_wia->Initialize())
                       {
                           // Half a manager would choose the wrong path per device.
                           m_wia.reset();
                           m_stillImage.reset();
                           return 0;
                       }
                       return 1;
                   });
}

int CQXImageDeviceManager::GetDevices(std::vector<QX_IMAGEDEVICE>& devices)
{
    devices.clear();
    const int result = Guarded("CQXImageDeviceManager::GetDevices",
                               [&] { return m_stillImage ? m_stillImage->GetDevices(devices) : 0; });
    if (!result)
        devices.clear();
    return result;
}

int CQXImageDeviceManager::GetDeviceEvents(const wchar_t* internalName,
                                           std::vector<QX_IMAGEDEVICE_EVENT>& events)
{
    events.clear();
    const int result = Guarded("CQXImageDeviceManager::GetDeviceEvents",
                               [&]
                               {
                                   events = CQXDeviceEventKeys::ReadEvents(
                                       CQXDeviceEventKeys::TrimmedName(internalName));
                                   return 1;
                               });
    if (!result)
        events.clear();
    return result;
}

int CQXImageDeviceManager::RegisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                                       const wchar_t* commandLine, int setDefault)
{
    return Guarded("CQXImageDeviceManager::RegisterApp",
                   [&]
                   {
                       CQXImageDeviceManagerImpl* impl = _GetImpl(device);
                       if (!impl || IsEmpty(appName) || IsEmpty(commandLine))
                           return 0;
                       return impl->RegisterApp(device, appName, commandLine, setDefault);
                   });
}

int CQXImageDeviceManager::UnregisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                                         const wchar_t* commandLine)
{
    return Guarded("CQXImageDeviceManager::UnregisterApp",
                   [&]
                   {
                       CQXImageDeviceManagerImpl* impl = _GetImpl(device);
                       if (!impl || IsEmpty(appName) || IsEmpty(commandLine))
                           return 0;
                       return impl->UnregisterApp(device, appName, commandLine);
                   });
}

int CQXImageDeviceManager::RegisterAppToAllDevices(const wchar_t* appName,
                                                   const wchar_t* commandLine, int setDefault)
{
    std::vector<QX_IMAGEDEVICE> devices;
    if (!GetDevices(devices))
        return 0;
    for (QX_IMAGEDEVICE& device : devices)
        if (!RegisterApp(device, appName, commandLine, setDefault))
            return 0;
    return 1;
}

int CQXImageDeviceManager::UnregisterAppToAllDevices(const wchar_t* appName,
                                                     const wchar_t* commandLine)
{
    std::vector<QX_IMAGEDEVICE> devices;
    if (!GetDevices(devices))
        return 0;
    for (QX_IMAGEDEVICE& device : devices)
        if (!UnregisterApp(device, appName, commandLine))
            return 0;
    return 1;
}

int CQXImageDeviceManager::ParseCommand(int& eventIndex)
{
    if (m_wia && Guarded("CQXImageDeviceManager::ParseCommand",
                         [&] { return m_wia->ParseCommand(eventIndex); }))
        return 1;
    return Guarded("CQXImageDeviceManager::ParseCommand",
                   [&] { return m_stillImage ? m_stillImage->ParseCommand(eventIndex) : 0; });
}

HDEVNOTIFY CQXImageDeviceManager::RegisterDeviceNotificationW(HWND hwnd)
{
    ZK_DEV_BROADCAST_DEVICEINTERFACE filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = ZK_DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kImageDeviceClass;
    return ZKRegisterDeviceNotification(hwnd, &filter, ZK_DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CQXImageDeviceManager::UnregisterDeviceNotification(HDEVNOTIFY handle)
{
    if (handle)
        ZKUnregisterDeviceNotification(handle);
}

CQXImageDeviceManagerImpl* CQXImageDeviceManager::_GetImpl(const QX_IMAGEDEVICE& device) const
{
    if (m_wia && device.IsSupportWIA())
        return m_wia.get();
    return m_stillImage.get();
}
