#include <wincompat/ZKCriticalSection.h>

void CZKCriticalSection::Enter()
{
    m_mutex.lock();
}

void CZKCriticalSection::Leave()
{
    m_mutex.unlock();
}

BOOL CZKCriticalSection::TryEnter()
{
    return m_mutex.try_lock() ? TRUE : FALSE;
}
