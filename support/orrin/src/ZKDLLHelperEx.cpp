#include <orrin/ZKDLLHelperEx.h>

CZKDLLHelperEx::CZKDLLHelperEx(const wchar_t* moduleName) : CZKDLLHelper(moduleName), m_stepsAttached(false) {}

CZKDLLHelperEx::~CZKDLLHelperEx() = default;

BOOL CZKDLLHelperEx::AddStep(const wchar_t* name, AttachStep attach, DetachStep detach)
{
    std::lock_guard<std::recursive_mutex> guard(m_stepsLock);
    try
    {
        m_steps.push_back(Step{name ? name : L"", std::move(attach), std::move(detach), false});
    }
    catch (...)
    {
        _Log(L"load step could not be registered", 0);
        return FALSE;
    }
    if (!m_stepsAttached)
        return TRUE;
    return _RunAttach(m_steps.back());
}

size_t CZKDLLHelperEx::GetStepCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_stepsLock);
    return m_steps.size();
}

BOOL CZKDLLHelperEx::_OnAttachSteps()
{
    std::lock_guard<std::recursive_mutex> guard(m_stepsLock);
    BOOL result = TRUE;
    // Steps added by a running step are appended and reached by this loop.
    for (Step& step : m_steps)
    {
        if (!step.attached && !_RunAttach(step))
            result = FALSE;
    }
    m_stepsAttached = true;
    return result;
}

void CZKDLLHelperEx::_OnDetachSteps()
{
    std::lock_guard<std::recursive_mutex> guard(m_stepsLock);
    m_stepsAttached = false;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        _RunDetach(*step);
}

BOOL CZKDLLHelperEx::_RunAttach(Step& step)
{
    BOOL ok = FALSE;
    try
    {
        ok = step.attach ? step.attach() : TRUE;
    }
    catch (...)
    {
        ok = FALSE;
    }
    if (!ok)
    {
        _Log(L"load step failed: " + step.name, 0);
        return FALSE;
    }
    step.attached = true;
    _Log(L"load step done: " + step.name, 1);
    return TRUE;
}

void CZKDLLHelperEx::_RunDetach(Step& step)
{
    if (!step.attached)
        return;
    step.attached = false;
    try
    {
        if (step.detach)
            step.detach();
        _Log(L"unload step done: " + step.name, 1);
    }
    catch (...)
    {
        _Log(L"unload step failed: " + step.name, 0);
    }
}
