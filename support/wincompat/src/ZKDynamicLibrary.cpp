#include <wincompat/ZKDynamicLibrary.h>

#include "Utf8.h"

#include <dlfcn.h>

#include <utility>

namespace
{

std::string DlError(const char* fallback)
{
    const char* text = dlerror();
    return text ? text : fallback;
}

} // namespace

CZKDynamicLibrary::~CZKDynamicLibrary()
{
    Free();
}

CZKDynamicLibrary::CZKDynamicLibrary(CZKDynamicLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_lastError(std::move(other.m_lastError))
{
}

CZKDynamicLibrary& CZKDynamicLibrary::operator=(CZKDynamicLibrary&& other) noexcept
{
    if (this != &other)
    {
        Free();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_lastError = std::move(other.m_lastError);
    }
    return *this;
}

BOOL CZKDynamicLibrary::Load(const std::string& path)
{
    Free();
    m_lastError.clear();
    if (path.empty())
    {
        m_lastError = "empty library path";
        return FALSE;
    }
    dlerror();
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
    {
        m_lastError = DlError("cannot load library");
        return FALSE;
    }
    return TRUE;
}

BOOL CZKDynamicLibrary::Load(const std::wstring& path)
{
    return Load(zkutf8::FromWide(path));
}

void* CZKDynamicLibrary::Symbol(const char* name)
{
    if (!m_handle || !name)
    {
        m_lastError = m_handle ? "no symbol name" : "no library loaded";
        return nullptr;
    }
    dlerror();
    void* address = dlsym(m_handle, name);
    if (!address)
        m_lastError = DlError("symbol not found");
    return address;
}

BOOL CZKDynamicLibrary::Free()
{
    if (!m_handle)
        return FALSE;
    const int failed = dlclose(m_handle);
    m_handle = nullptr;
    if (failed)
    {
        m_lastError = DlError("cannot free library");
        return FALSE;
    }
    return TRUE;
}
