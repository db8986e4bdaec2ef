#include "ZKSimEventPump.h"

CZKSimEventPump::~CZKSimEventPump()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CZKSimEventPump::Deliver(ZK_SIM_EVENT event)
{
    if (event.dsmEntry)
        event.dsmEntry(&event.source, &event.application, DG_CONTROL, DAT_NULL, event.msg, nullptr);
}

void CZKSimEventPump::Post(const ZK_SIM_EVENT& event)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_thread.joinable())
        m_thread = std::thread(&CZKSimEventPump::_Run, this);
    m_queue.push_back(event);
    m_wake.notify_one();
}

void CZKSimEventPump::_Run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;)
    {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        ZK_SIM_EVENT event = m_queue.front();
        m_queue.pop_front();
        lock.unlock();
        try
        {
            Deliver(event);
        }
        catch (...)
        {
            // an application callback that throws must not end the source
        }
        lock.lock();
    }
}
