#include "ZKSimDsLibrary.h"

#include <dlfcn.h>

#include <cstring>

CZKSimDsLibrary* CZKSimDsLibrary::Load(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    auto entry = reinterpret_cast<DSENTRYPROC>(dlsym(handle, "DS_Entry"));
    if (!entry)
    {
        dlclose(handle);
        return nullptr;
    }
    auto* library = new CZKSimDsLibrary(handle, entry, path);
    if (!library->_QueryIdentities())
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
    dlclose(m_handle);
}

// A multi-scanner file answers MSG_GETFIRST/MSG_GETNEXT; a classic source only
// MSG_GET. A source that throws while being listed is left out.
bool CZKSimDsLibrary::_QueryIdentities()
{
    try
    {
        TW_IDENTITY identity;
        std::memset(&identity, 0, sizeof(identity));
        if (m_entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity) == TWRC_SUCCESS)
        {
            do
            {
                m_identities.push_back(identity);
                std::memset(&identity, 0, sizeof(identity));
            } while (m_entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity) == TWRC_SUCCESS);
            return true;
        }
        std::memset(&identity, 0, sizeof(identity));
        if (m_entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity) != TWRC_SUCCESS)
            return false;
        m_identities.push_back(identity);
        return true;
    }
    catch (...)
    {
        return false;
    }
}
