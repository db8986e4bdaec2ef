// Process attach/detach bookkeeping of a shared library.
//
// The platform calls a library's entry point with a reason code when the
// library is mapped into or out of a process. Here the library does that
// itself: a static object's constructor calls DllMain(module,
// ZK_DLL_PROCESS_ATTACH, nullptr) and its destructor calls
// DllMain(module, ZK_DLL_PROCESS_DETACH, nullptr). CZKDLLHelperEx adds the
// library's own load-time steps on top (see there).
#pragma once

#include <orrin/orrin_export.h>
#include <wincompat/WinTypes.h>

#include <atomic>
#include <mutex>
#include <string>

// Reason codes, with the values the platform's entry point uses.
constexpr DWORD ZK_DLL_PROCESS_DETACH = 0;
constexpr DWORD ZK_DLL_PROCESS_ATTACH = 1;
constexpr DWORD ZK_DLL_THREAD_ATTACH = 2;
constexpr DWORD ZK_DLL_THREAD_DETACH = 3;

class ORRIN_EXPORT CZKDLLHelper
{
public:
    // moduleName names the library in trace lines ("FENNICK", ...).
    explicit CZKDLLHelper(const wchar_t* moduleName);
    virtual ~CZKDLLHelper();

    CZKDLLHelper(const CZKDLLHelper&) = delete;
    CZKDLLHelper& operator=(const CZKDLLHelper&) = delete;

    // Process attach runs once: a second attach while attached succeeds
    // without running anything again; a detach without a successful attach
    // does nothing. Thread attach and detach are accepted and ignored, and
    // so is an unknown reason (TRUE). Never throws.
    // Process attach result: FALSE when the base bookkeeping refused (the
    // library stays detached) or a later step failed (it stays attached, so
    // a detach still undoes what did succeed); otherwise TRUE.
    BOOL DllMain(HMODULE module, DWORD reason, void* reserved);

    // True from a process attach whose base bookkeeping succeeded until the
    // matching detach.
    bool IsAttached() const { return m_attached.load(); }
    HMODULE GetModule() const { return m_module; }
    const std::wstring& GetModuleName() const { return m_moduleName; }

protected:
    // The base bookkeeping: remembers the module and traces the event.
    // A subclass may refuse the attach by returning FALSE; then nothing
    // else of the attach runs and the library stays detached.
    virtual BOOL _OnProcessAttach();
    virtual void _OnProcessDetach();
    // The library's own work, after a successful attach and before the base
    // detach bookkeeping. Nothing here by default.
    virtual BOOL _OnAttachSteps() { return TRUE; }
    virtual void _OnDetachSteps() {}

    void _Log(const std::wstring& text, int level) const;

private:
    std::wstring m_moduleName;
    HMODULE m_module;
    std::atomic<bool> m_attached;
    std::mutex m_lock;
};
