#include <orrin/ZKDLLHelper.h>

#include <hollin/ZKDebugLog.h>

CZKDLLHelper::CZKDLLHelper(const wchar_t* moduleName)
    : m_moduleName(moduleName ? moduleName : L""), m_module(nullptr), m_attached(false)
{
}

CZKDLLHelper::~CZKDLLHelper() = default;

BOOL CZKDLLHelper::DllMain(HMODULE module, DWORD reason, void* /*reserved*/)
{
    std::lock_guard<std::mutex> guard(m_lock);
    try
    {
        if (reason == ZK_DLL_PROCESS_ATTACH)
        {
            if (m_attached.load())
                return TRUE;
            m_module = module;
            if (!_OnProcessAttach())
            {
                _Log(L"process attach refused", 0);
                m_module = nullptr;
                return FALSE;
            }
            m_attached.store(true);
            return _OnAttachSteps();
        }
        if (reason == ZK_DLL_PROCESS_DETACH && m_attached.load())
        {
            _OnDetachSteps();
            _OnProcessDetach();
            m_attached.store(false);
            m_module = nullptr;
        }
        return TRUE;
    }
    catch (...)
    {
        // A subclass hook that throws must not escape the entry point.
        _Log(L"exception during attach/detach bookkeeping", 0);
        return FALSE;
    }
}

BOOL CZKDLLHelper::_OnProcessAttach()
{
    _Log(L"process attach", 0);
    return TRUE;
}

void CZKDLLHelper::_OnProcessDetach()
{
    _Log(L"process detach", 0);
}

void CZKDLLHelper::_Log(const std::wstring& text, int level) const
{
    SZKDebugLog::Log(text, level, m_moduleName.c_str());
}
