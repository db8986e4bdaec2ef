#include <wincompat/ZKThread.h>

#include <wincompat/ZKEvent.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <system_error>
#include <thread>

namespace
{

std::atomic<DWORD> g_lastThreadId{0};
thread_local DWORD t_threadId = 0;

DWORD NewThreadId()
{
    DWORD id = ++g_lastThreadId;
    if (id == 0) // wrapped after four billion threads; 0 means "no thread"
        id = ++g_lastThreadId;
    return id;
}

} // namespace

struct CZKThread::State
{
    std::mutex mutex; // serialises Start and Join
    std::thread thread;
    std::atomic<DWORD> id{0};
    CZKEvent finished{true, false};
    std::atomic<bool> running{false};
};

CZKThread::CZKThread() : m_state(new State) {}

CZKThread::~CZKThread()
{
    Join(INFINITE);
}

BOOL CZKThread::Start(std::function<void()> body)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->thread.joinable() || !body)
        return FALSE;
    const DWORD id = NewThreadId();
    m_state->finished.Reset();
    m_state->running = true;
    State* state = m_state.get();
    try
    {
        m_state->thread = std::thread(
            [state, id, body = std::move(body)]()
            {
                t_threadId = id;
                try
                {
                    body();
                }
                catch (...)
                {
                    // A thread body must not take the process down with it.
                }
                state->running = false;
                state->finished.Set();
            });
    }
    catch (const std::system_error&)
    {
        m_state->running = false;
        return FALSE;
    }
    m_state->id = id;
    return TRUE;
}

DWORD CZKThread::Join(DWORD timeoutMs)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (!m_state->thread.joinable() || m_state->id == CurrentId())
        return WAIT_FAILED;
    if (m_state->finished.Wait(timeoutMs) != WAIT_OBJECT_0)
        return WAIT_TIMEOUT;
    m_state->thread.join();
    return WAIT_OBJECT_0;
}

bool CZKThread::IsRunning() const
{
    return m_state->running;
}

DWORD CZKThread::Id() const
{
    return m_state->id;
}

DWORD CZKThread::CurrentId()
{
    if (t_threadId == 0)
        t_threadId = NewThreadId();
    return t_threadId;
}

void ZKSleep(DWORD ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
