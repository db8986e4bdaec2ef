#include "ZKTWEventRouter.h"

#include <wincompat/ZKHiddenWindow.h>

#include <map>
#include <mutex>

namespace
{
struct RouteTable
{
    std::mutex lock;
    uint32_t next = 1;
    std::map<uint32_t, HWND> windows;
};

RouteTable& Routes()
{
    static RouteTable table;
    return table;
}

extern "C" TW_UINT16 ZKTWSourceEventCallback(pTW_IDENTITY, pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                                             TW_MEMREF refCon)
{
    const auto cookie = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(refCon));
    RouteTable& table = Routes();
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.windows.find(cookie);
    if (found == table.windows.end() || !found->second)
        return TWRC_FAILURE;
    return CZKHiddenWindow::Post(found->second, WM_ZKTW_SOURCE_EVENT, msg, 0) ? TWRC_SUCCESS : TWRC_FAILURE;
}
} // namespace

uint32_t SZKTWEventRouter::NewCookie()
{
    RouteTable& table = Routes();
    std::lock_guard<std::mutex> guard(table.lock);
    uint32_t cookie = table.next++;
    if (table.next == 0)
        table.next = 1;
    return cookie;
}

void SZKTWEventRouter::SetWindow(uint32_t cookie, HWND window)
{
    RouteTable& table = Routes();
    std::lock_guard<std::mutex> guard(table.lock);
    table.windows[cookie] = window;
}

void SZKTWEventRouter::Forget(uint32_t cookie)
{
    RouteTable& table = Routes();
    std::lock_guard<std::mutex> guard(table.lock);
    table.windows.erase(cookie);
}

TWAINCALLBACKPROC SZKTWEventRouter::CallbackProc()
{
    return &ZKTWSourceEventCallback;
}
