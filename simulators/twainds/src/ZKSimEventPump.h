// Delivers a source's events (MSG_XFERREADY, MSG_CLOSEDSREQ, ...) to the
// source manager. Asynchronous delivery runs on a thread of the source's own,
// so an event reaches the application after the call that caused it has
// returned, as with a real device.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <twaindefs/ZKTwainDefs.h>

struct ZK_SIM_EVENT
{
    DSMENTRYPROC dsmEntry = nullptr;
    TW_IDENTITY source{};
    TW_IDENTITY application{};
    TW_UINT16 msg = MSG_NULL;
};

class CZKSimEventPump
{
public:
    CZKSimEventPump() = default;
    ~CZKSimEventPump();
    CZKSimEventPump(const CZKSimEventPump&) = delete;
    CZKSimEventPump& operator=(const CZKSimEventPump&) = delete;

    static void Deliver(ZK_SIM_EVENT event);
    void Post(const ZK_SIM_EVENT& event);

private:
    void _Run();

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<ZK_SIM_EVENT> m_queue;
    bool m_stopping = false;
    std::thread m_thread;
};
