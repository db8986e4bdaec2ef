#include "ZKSaneLibrary.h"

#include <sane/sane.h>

#include <mutex>

namespace
{
struct LibraryUse
{
    std::mutex lock;
    int users = 0;
    bool initialised = false;
};

LibraryUse& Use()
{
    static LibraryUse use;
    return use;
}

std::string Text(const char* text)
{
    return text ? std::string(text) : std::string();
}
} // namespace

CZKSaneLibrary::CZKSaneLibrary()
{
    LibraryUse& use = Use();
    std::lock_guard<std::mutex> guard(use.lock);
    if (use.users == 0)
    {
        SANE_Int version = 0;
        use.initialised = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
    }
    ++use.users;
    m_ready = use.initialised;
}

CZKSaneLibrary::~CZKSaneLibrary()
{
    LibraryUse& use = Use();
    std::lock_guard<std::mutex> guard(use.lock);
    if (--use.users > 0)
        return;
    if (use.initialised)
        sane_exit();
    use.initialised = false;
}

std::vector<ZK_SANE_DEVICE_INFO> CZKSaneLibrary::Devices() const
{
    std::vector<ZK_SANE_DEVICE_INFO> devices;
    if (!m_ready)
        return devices;
    const SANE_Device** list = nullptr;
    if (sane_get_devices(&list, SANE_TRUE) != SANE_STATUS_GOOD || !list)
        return devices;
    for (size_t i = 0; list[i]; ++i)
        devices.push_back({Text(list[i]->name), Text(list[i]->vendor), Text(list[i]->model), Text(list[i]->type)});
    return devices;
}
