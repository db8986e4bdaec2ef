// A shared library loaded with immediate binding and local symbols, freed
// when the object goes.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <string>

class WINCOMPAT_EXPORT CZKDynamicLibrary
{
public:
    CZKDynamicLibrary() = default;
    ~CZKDynamicLibrary();
    CZKDynamicLibrary(const CZKDynamicLibrary&) = delete;
    CZKDynamicLibrary& operator=(const CZKDynamicLibrary&) = delete;
    CZKDynamicLibrary(CZKDynamicLibrary&& other) noexcept;
    CZKDynamicLibrary& operator=(CZKDynamicLibrary&& other) noexcept;

    // Frees any library loaded before. FALSE with LastError set on failure.
    BOOL Load(const std::string& path);
    BOOL Load(const std::wstring& path);
    // nullptr with LastError set when missing or nothing is loaded.
    void* Symbol(const char* name);
    template <typename Function> Function SymbolAs(const char* name)
    {
        return reinterpret_cast<Function>(Symbol(name));
    }
    BOOL Free();
    bool IsLoaded() const { return m_handle != nullptr; }
    HMODULE Handle() const { return static_cast<HMODULE>(m_handle); }
    const std::string& LastError() const { return m_lastError; }

private:
    void* m_handle = nullptr;
    std::string m_lastError;
};
