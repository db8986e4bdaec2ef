// A thread with a small numeric id, the id every thread-aware stand-in
// (message queues, windows) uses.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <functional>
#include <memory>

class CZKEvent;

class WINCOMPAT_EXPORT CZKThread
{
public:
    CZKThread();
    // Joins a still-running thread.
    ~CZKThread();
    CZKThread(const CZKThread&) = delete;
    CZKThread& operator=(const CZKThread&) = delete;

    // FALSE when already started or the thread cannot be created. The id is
    // known as soon as Start returns.
    BOOL Start(std::function<void()> body);
    // WAIT_OBJECT_0 once the body has returned (the thread is then joined),
    // WAIT_TIMEOUT, or WAIT_FAILED when never started or called from itself.
    DWORD Join(DWORD timeoutMs = INFINITE);
    bool IsRunning() const;
    DWORD Id() const;

    // The calling thread's id: never 0, unique within the process.
    static DWORD CurrentId();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

WINCOMPAT_EXPORT void ZKSleep(DWORD ms);
