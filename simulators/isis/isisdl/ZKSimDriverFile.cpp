#include "ZKSimDriverFile.h"

#include <dlfcn.h>
#include <sys/stat.h>

CZKSimDriverFile::~CZKSimDriverFile()
{
    if (m_handle)
        dlclose(m_handle);
}

int32_t CZKSimDriverFile::Load(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return ZKISIS_ERR_DRIVER_NOT_FOUND;
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        return ZKISIS_ERR_BAD_DRIVER;
    m_path = path;
    model = reinterpret_cast<ZKISIS_DRIVER_MODEL>(dlsym(m_handle, ZKISIS_DRIVER_MODEL_EXPORT));
    create = reinterpret_cast<ZKISIS_DRIVER_CREATE>(dlsym(m_handle, ZKISIS_DRIVER_CREATE_EXPORT));
    destroy = reinterpret_cast<ZKISIS_DRIVER_DESTROY>(dlsym(m_handle, ZKISIS_DRIVER_DESTROY_EXPORT));
    message = reinterpret_cast<ZKISIS_MSGPROC>(dlsym(m_handle, ZKISIS_DRIVER_MESSAGE_EXPORT));
    return model && create && destroy && message ? ZKISIS_OK : ZKISIS_ERR_BAD_DRIVER;
}
