#include <wincompat/ZKEvent.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace
{

// One lock and one wake-up signal for all events: waiting on several events
// at once then needs no lock ordering, and events change rarely enough here
// that waking every waiter on each Set costs nothing that matters.
struct EventShared
{
    std::mutex mutex;
    std::condition_variable changed;
};

EventShared& Shared()
{
    static EventShared* shared = new EventShared; // outlives static destructors
    return *shared;
}

using Clock = std::chrono::steady_clock;

// Waits until ready() holds; false on time-out. Called with the lock held.
template <typename Ready>
bool WaitUntilReady(std::unique_lock<std::mutex>& lock, DWORD timeoutMs, Ready ready)
{
    if (timeoutMs == INFINITE)
    {
        Shared().changed.wait(lock, ready);
        return true;
    }
    return Shared().changed.wait_until(lock, Clock::now() + std::chrono::milliseconds(timeoutMs),
                                       ready);
}

} // namespace

CZKEvent::CZKEvent(bool manualReset, bool initiallySet)
    : m_manualReset(manualReset), m_signalled(initiallySet)
{
}

void CZKEvent::Set()
{
    {
        std::lock_guard<std::mutex> lock(Shared().mutex);
        m_signalled = true;
    }
    Shared().changed.notify_all();
}

void CZKEvent::Reset()
{
    std::lock_guard<std::mutex> lock(Shared().mutex);
    m_signalled = false;
}

bool CZKEvent::IsSet() const
{
    std::lock_guard<std::mutex> lock(Shared().mutex);
    return m_signalled;
}

DWORD CZKEvent::Wait(DWORD timeoutMs)
{
    return WaitForMultiple({this}, false, timeoutMs);
}

DWORD CZKEvent::WaitForMultiple(const std::vector<CZKEvent*>& events, bool waitAll, DWORD timeoutMs)
{
    if (events.empty())
        return WAIT_FAILED;
    for (const CZKEvent* event : events)
        if (!event)
            return WAIT_FAILED;

    size_t firstSignalled = events.size();
    auto ready = [&]()
    {
        firstSignalled = events.size();
        bool all = true;
        for (size_t i = 0; i < events.size(); ++i)
        {
            if (events[i]->m_signalled)
            {
                if (firstSignalled == events.size())
                    firstSignalled = i;
            }
            else
                all = false;
        }
        return waitAll ? all : firstSignalled != events.size();
    };

    std::unique_lock<std::mutex> lock(Shared().mutex);
    if (!WaitUntilReady(lock, timeoutMs, ready))
        return WAIT_TIMEOUT;
    if (waitAll)
    {
        for (CZKEvent* event : events)
            if (!event->m_manualReset)
                event->m_signalled = false;
        return WAIT_OBJECT_0;
    }
    if (!events[firstSignalled]->m_manualReset)
        events[firstSignalled]->m_signalled = false;
    return WAIT_OBJECT_0 + static_cast<DWORD>(firstSignalled);
}
