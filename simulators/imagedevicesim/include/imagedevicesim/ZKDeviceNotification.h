// Device-interface notifications: a window registered with a filter gets
// WM_DEVICECHANGE (sent, DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE, lParam
// a ZK_DEV_BROADCAST_DEVICEINTERFACE valid during the call) when a device of
// the filter's interface class arrives or leaves.
#pragma once

#include <imagedevicesim/imagedevicesim_export.h>
#include <wincompat/WinTypes.h>

constexpr DWORD ZK_DBT_DEVTYP_DEVICEINTERFACE = 5;
constexpr WPARAM ZK_DBT_DEVICEARRIVAL = 0x8000;
constexpr WPARAM ZK_DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr DWORD ZK_DEVICE_NOTIFY_WINDOW_HANDLE = 0;

struct ZK_DEV_BROADCAST_DEVICEINTERFACE
{
    DWORD dbcc_size;
    DWORD dbcc_devicetype;
    DWORD dbcc_reserved;
    GUID dbcc_classguid;
    wchar_t dbcc_name[1];
};

// Null for a null or unknown window, a filter of another size or device
// type, or flags other than the window-handle kind.
IMAGEDEVICESIM_EXPORT HDEVNOTIFY ZKRegisterDeviceNotification(HWND recipient, const void* filter,
                                                              DWORD flags);
// FALSE for a handle that is not registered (or no longer).
IMAGEDEVICESIM_EXPORT BOOL ZKUnregisterDeviceNotification(HDEVNOTIFY handle);
