#include "ZKSimDeviceNotifications.h"

#include <wincompat/ZKHiddenWindow.h>

namespace
{
// Bounds the wait on a recipient whose thread does not serve its messages.
constexpr DWORD kSendTimeoutMs = 5000;
} // namespace

CZKSimDeviceNotifications& CZKSimDeviceNotifications::Instance()
{
    static CZKSimDeviceNotifications* instance = new CZKSimDeviceNotifications;
    return *instance;
}

HDEVNOTIFY CZKSimDeviceNotifications::Register(HWND recipient, const GUID& interfaceClass)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const uintptr_t id = m_nextId++;
    m_registrations[id] = Registration{recipient, interfaceClass};
    // A handle is an id, never dereferenced.
    return reinterpret_cast<HDEVNOTIFY>(id);
}

bool CZKSimDeviceNotifications::Unregister(HDEVNOTIFY handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_registrations.erase(reinterpret_cast<uintptr_t>(handle)) == 1;
}

int CZKSimDeviceNotifications::Broadcast(const GUID& interfaceClass, WPARAM change)
{
    std::vector<HWND> recipients;
    {
        // Sent outside the lock: a recipient may unregister from its handler.
        std::lock_guard<std::mutex> lock(m_lock);
        for (const auto& entry : m_registrations)
            if (entry.second.interfaceClass == interfaceClass)
                recipients.push_back(entry.second.recipient);
    }
    int reached = 0;
    for (HWND recipient : recipients)
    {
        auto* broadcast = new ZK_DEV_BROADCAST_DEVICEINTERFACE{};
        broadcast->dbcc_size = sizeof *broadcast;
        broadcast->dbcc_devicetype = ZK_DBT_DEVTYP_DEVICEINTERFACE;
        broadcast->dbcc_classguid = interfaceClass;
        LRESULT result = 0;
        if (CZKHiddenWindow::SendTimeout(recipient, WM_DEVICECHANGE, change,
                                         reinterpret_cast<LPARAM>(broadcast), kSendTimeoutMs,
                                         &result))
        {
            delete broadcast;
            ++reached;
        }
        // Otherwise the message may still be handled later: the block is
        // left to it rather than freed under its feet.
    }
    return reached;
}
