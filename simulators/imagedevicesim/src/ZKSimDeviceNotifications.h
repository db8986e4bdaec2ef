// The windows registered for device-interface notifications, process-wide.
#pragma once

#include <imagedevicesim/ZKDeviceNotification.h>

#include <map>
#include <mutex>
#include <vector>

class CZKSimDeviceNotifications
{
public:
    static CZKSimDeviceNotifications& Instance();

    HDEVNOTIFY Register(HWND recipient, const GUID& interfaceClass);
    bool Unregister(HDEVNOTIFY handle);
    // Sends the change to every window registered for the class; the number
    // reached.
    int Broadcast(const GUID& interfaceClass, WPARAM change);

private:
    struct Registration
    {
        HWND recipient;
        GUID interfaceClass;
    };

    std::mutex m_lock;
    uintptr_t m_nextId = 1;
    std::map<uintptr_t, Registration> m_registrations;
};
