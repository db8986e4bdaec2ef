// The entry points callers reach the services through.
#include "ZKSimDeviceNotifications.h"
#include "ZKSimStillImage.h"
#include "ZKSimWiaDevMgr.h"

#include <imagedevicesim/ZKSimImageDeviceService.h>
#include <imagedevicesim/ZKStillImage.h>
#include <imagedevicesim/ZKWiaDevMgr.h>
#include <wincompat/ZKHiddenWindow.h>

#include <cstring>
#include <new>

ZKHRESULT ZKStiCreateInstance(HMODULE /*module*/, DWORD version, IZKStillImage** out)
{
    if (!out)
        return ZK_E_INVALIDARG;
    *out = nullptr;
    if (!CZKSimStillImage::IsAcceptedVersion(version))
        return ZK_E_INVALIDARG;
    CZKSimImageDeviceService::InstallDevices();
    *out = new (std::nothrow) CZKSimStillImage;
    return *out ? ZK_S_OK : ZK_E_FAIL;
}

ZKHRESULT ZKCreateWiaDevMgr(const GUID& clsid, DWORD context, const GUID& iid, IZKWiaDevMgr** out)
{
    if (!out)
        return ZK_E_INVALIDARG;
    *out = nullptr;
    if (clsid != ZK_CLSID_WiaDevMgr || !(context & ZK_CLSCTX_LOCAL_SERVER))
        return ZK_E_CLASSNOTREG;
    if (iid != ZK_IID_IWiaDevMgr)
        return ZK_E_NOINTERFACE;
    CZKSimImageDeviceService::InstallDevices();
    *out = new (std::nothrow) CZKSimWiaDevMgr;
    return *out ? ZK_S_OK : ZK_E_FAIL;
}

HDEVNOTIFY ZKRegisterDeviceNotification(HWND recipient, const void* filter, DWORD flags)
{
    if (!filter || !CZKHiddenWindow::IsWindow(recipient) || flags != ZK_DEVICE_NOTIFY_WINDOW_HANDLE)
        return nullptr;
    // The size comes first and says how much may be read.
    DWORD size = 0;
    std::memcpy(&size, filter, sizeof size);
    ZK_DEV_BROADCAST_DEVICEINTERFACE header;
    if (size != sizeof header)
        return nullptr;
    std::memcpy(&header, filter, sizeof header);
    if (header.dbcc_devicetype != ZK_DBT_DEVTYP_DEVICEINTERFACE)
        return nullptr;
    return CZKSimDeviceNotifications::Instance().Register(recipient, header.dbcc_classguid);
}

BOOL ZKUnregisterDeviceNotification(HDEVNOTIFY handle)
{
    return CZKSimDeviceNotifications::Instance().Unregister(handle) ? TRUE : FALSE;
}
