#include "ZKSimDsLibrary.h"

#include <dlfcn.h>

#include <cstring>
#include <mutex>

namespace
{
// Applications on several threads load and unload source files at once. The
// loader is thread-safe, but race detectors cannot see its internal lock, so
// the manager takes its own around every load and unload.
std::mutex& LoaderLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

CZKSimDsLibrary* CZKSimDsLibrary::Load(const std::string& path, const TW_IDENTITY& application)
{
    void* handle = nullptr;
    DSENTRYPROC entry = nullptr;
    {
        std::lock_guard<std::mutex> guard(LoaderLock());
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return nullptr;
        entry = reinterpret_cast<DSENTRYPROC>(dlsym(handle, "DS_Entry"));
        if (!entry)
        {
            dlclose(handle);
            return nullptr;
        }
    }
    auto* library = new CZKSimDsLibrary(handle, entry, path);
    if (!library->_QueryIdentity(application))
    {
        delete library;
        return nullptr;
    }
    return library;
}

CZKSimDsLibrary::CZKSimDsLibrary(void* handle, DSENTRYPROC entry, const std::string& path)
    : m_handle(handle), m_entry(entry), m_path(path)
{
}

CZKSimDsLibrary::~CZKSimDsLibrary()
{
    std::lock_guard<std::mutex> guard(LoaderLock());
    dlclose(m_handle);
}

// The source gets a copy of the application's identity: whatever it writes
// there stays with this call. A source that throws while being asked is left
// out.
bool CZKSimDsLibrary::_QueryIdentity(const TW_IDENTITY& application)
{
    try
    {
        TW_IDENTITY origin = application;
        TW_IDENTITY identity;
        std::memset(&identity, 0, sizeof(identity));
        if (m_entry(&origin, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity) != TWRC_SUCCESS)
            return false;
        m_identity = identity;
        return true;
    }
    catch (...)
    {
        return false;
    }
}
