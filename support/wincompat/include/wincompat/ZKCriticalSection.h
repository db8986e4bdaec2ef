// A recursive lock, as a critical section is.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <mutex>

class WINCOMPAT_EXPORT CZKCriticalSection
{
public:
    CZKCriticalSection() = default;
    CZKCriticalSection(const CZKCriticalSection&) = delete;
    CZKCriticalSection& operator=(const CZKCriticalSection&) = delete;

    void Enter();
    void Leave();
    BOOL TryEnter();

    // Holds the section for its own lifetime.
    class ScopedLock
    {
    public:
        explicit ScopedLock(CZKCriticalSection& section) : m_section(section) { m_section.Enter(); }
        ~ScopedLock() { m_section.Leave(); }
        ScopedLock(const ScopedLock&) = delete;
        ScopedLock& operator=(const ScopedLock&) = delete;

    private:
        CZKCriticalSection& m_section;
    };

private:
    std::recursive_mutex m_mutex;
};
