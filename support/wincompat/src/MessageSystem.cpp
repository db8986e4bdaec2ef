#include "MessageSystem.h"

#include <wincompat/ZKThread.h>

#include <chrono>

namespace
{

using Clock = std::chrono::steady_clock;

// Releases the thread's queue when the thread ends.
struct QueueHolder
{
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder()
    {
        if (queue)
            MessageSystem::Instance().Retire(queue);
    }
};

thread_local QueueHolder t_holder;

DWORD TickCount()
{
    const auto elapsed = Clock::now().time_since_epoch();
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

uintptr_t Key(HWND hwnd)
{
    return reinterpret_cast<uintptr_t>(hwnd);
}

LRESULT CallHandler(const ZKWindowHandler& handler, const MSG& msg, bool& ok)
{
    try
    {
        ok = true;
        return handler(msg.message, msg.wParam, msg.lParam);
    }
    catch (...)
    {
        // A throwing handler must not unwind through the message loop.
        ok = false;
        return 0;
    }
}

} // namespace

MessageSystem& MessageSystem::Instance()
{
    // Never destroyed: thread queues are retired during and after static
    // destruction.
    static MessageSystem* instance = new MessageSystem;
    return *instance;
}

std::shared_ptr<ThreadQueue> MessageSystem::CurrentQueue()
{
    if (!t_holder.queue)
        t_holder.queue = Instance().Register();
    return t_holder.queue;
}

std::shared_ptr<ThreadQueue> MessageSystem::Register()
{
    auto queue = std::make_shared<ThreadQueue>(CZKThread::CurrentId());
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queues[queue->threadId] = queue;
    return queue;
}

void MessageSystem::Retire(const std::shared_ptr<ThreadQueue>& queue)
{
    std::vector<std::shared_ptr<SentMessage>> waiting;
    // Handlers are destroyed outside the lock: their captures may call back.
    std::vector<std::shared_ptr<ZKWindowHandler>> handlers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queues.erase(queue->threadId);
        for (auto it = m_windows.begin(); it != m_windows.end();)
        {
            if (it->second.queue != queue)
            {
                ++it;
                continue;
            }
            handlers.push_back(std::move(it->second.handler));
            it = m_windows.erase(it);
        }
        std::lock_guard<std::mutex> queueLock(queue->mutex);
        queue->alive = false;
        queue->posted.clear();
        waiting.assign(queue->incoming.begin(), queue->incoming.end());
        queue->incoming.clear();
    }
    FailAll(waiting);
    // Each spare record points back at its queue.
    queue->spareRecords.clear();
}

MSG MessageSystem::MakeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = TickCount();
    return msg;
}

HWND MessageSystem::CreateWindow(ZKWindowHandler handler)
{
    if (!handler)
        return nullptr;
    auto queue = CurrentQueue();
    auto shared = std::make_shared<ZKWindowHandler>(std::move(handler));
    std::lock_guard<std::mutex> lock(m_mutex);
    // Counting handles are never reused, so a stale HWND stays dead.
    m_lastHandle += 8;
    m_windows[m_lastHandle] = Window{queue->threadId, queue, shared};
    return reinterpret_cast<HWND>(m_lastHandle);
}

std::shared_ptr<ZKWindowHandler> MessageSystem::OwnHandler(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_windows.find(Key(hwnd));
    if (it == m_windows.end() || it->second.owner != CZKThread::CurrentId())
        return nullptr;
    return it->second.handler;
}

BOOL MessageSystem::DestroyWindow(HWND hwnd)
{
    auto handler = OwnHandler(hwnd);
    if (!handler)
        return FALSE;
    bool ok = false;
    CallHandler(*handler, MakeMsg(hwnd, WM_DESTROY, 0, 0), ok);

    std::shared_ptr<ThreadQueue> queue;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_windows.find(Key(hwnd));
        if (it == m_windows.end())
            return FALSE; // the handler destroyed it already
        queue = it->second.queue;
        m_windows.erase(it);
    }
    // No new message can reach the handle now; drop what already has.
    std::vector<std::shared_ptr<SentMessage>> waiting;
    {
        std::lock_guard<std::mutex> lock(queue->mutex);
        for (auto it = queue->posted.begin(); it != queue->posted.end();)
            it = it->hwnd == hwnd ? queue->posted.erase(it) : std::next(it);
        for (auto it = queue->incoming.begin(); it != queue->incoming.end();)
        {
            if ((*it)->msg.hwnd == hwnd)
            {
                waiting.push_back(*it);
                it = queue->incoming.erase(it);
            }
            else
                ++it;
        }
    }
    FailAll(waiting);
    return TRUE;
}

bool MessageSystem::IsWindow(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_windows.count(Key(hwnd)) != 0;
}

DWORD MessageSystem::OwnerOf(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_windows.find(Key(hwnd));
    return it == m_windows.end() ? 0 : it->second.owner;
}

bool MessageSystem::Enqueue(ThreadQueue& queue, const MSG& msg)
{
    std::lock_guard<std::mutex> lock(queue.mutex);
    if (!queue.alive)
        return false;
    queue.posted.push_back(msg);
    return true;
}

BOOL MessageSystem::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ThreadQueue> target;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_windows.find(Key(hwnd));
        if (it == m_windows.end() || !Enqueue(*it->second.queue, MakeMsg(hwnd, message, wParam, lParam)))
            return FALSE;
        target = it->second.queue;
    }
    target->wake.notify_all();
    return TRUE;
}

BOOL MessageSystem::PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ThreadQueue> target;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_queues.find(threadId);
        target = it == m_queues.end() ? nullptr : it->second.lock();
        if (!target || !Enqueue(*target, MakeMsg(nullptr, message, wParam, lParam)))
            return FALSE;
    }
    target->wake.notify_all();
    return TRUE;
}

std::shared_ptr<SentMessage> MessageSystem::TakeRecord(ThreadQueue& sender)
{
    if (sender.spareRecords.empty())
        return std::make_shared<SentMessage>();
    std::shared_ptr<SentMessage> record = std::move(sender.spareRecords.back());
    sender.spareRecords.pop_back();
    return record;
}

// A record the owner still holds (abandoned after a time-out) is left to
// it; any other one has been completed and is not touched by the owner
// again.
void MessageSystem::ReturnRecord(ThreadQueue& sender, std::shared_ptr<SentMessage> record)
{
    if (record->state == SentMessage::State::Abandoned)
        return;
    record->handler.reset();
    record->sender.reset();
    record->state = SentMessage::State::Pending;
    record->result = 0;
    sender.spareRecords.push_back(std::move(record));
}

std::shared_ptr<ThreadQueue> MessageSystem::QueueSent(HWND hwnd, const std::shared_ptr<SentMessage>& record,
                                                      std::shared_ptr<ZKWindowHandler>& direct, bool& found)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_windows.find(Key(hwnd));
    found = it != m_windows.end();
    if (!found)
        return nullptr;
    if (it->second.owner == record->sender->threadId)
    {
        direct = it->second.handler;
        return nullptr;
    }
    // Queued under the window lock so that a concurrent Destroy either sees
    // this record or prevents it.
    ThreadQueue& target = *it->second.queue;
    record->handler = it->second.handler;
    std::lock_guard<std::mutex> queueLock(target.mutex);
    if (!target.alive || target.refusingSends)
        return nullptr;
    target.incoming.push_back(record);
    return it->second.queue;
}

bool MessageSystem::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                         LRESULT& result)
{
    result = 0;
    auto caller = CurrentQueue();
    std::shared_ptr<SentMessage> record = TakeRecord(*caller);
    record->msg = MakeMsg(hwnd, message, wParam, lParam);
    record->sender = caller;
    record->mayBeAbandoned = timeoutMs != INFINITE;
    std::shared_ptr<ZKWindowHandler> direct;
    bool found = false;
    std::shared_ptr<ThreadQueue> target = QueueSent(hwnd, record, direct, found);
    if (!target)
    {
        ReturnRecord(*caller, std::move(record));
        if (!direct)
            return false;
        bool ok = false;
        result = CallHandler(*direct, MakeMsg(hwnd, message, wParam, lParam), ok);
        return ok;
    }
    // Woken with no lock held: it finds the record at once.
    target->wake.notify_all();
    target.reset();
    const bool delivered = WaitForReply(*caller, *record, timeoutMs);
    // The reply was written under our queue lock, which the wait took.
    result = delivered ? record->result : 0;
    ReturnRecord(*caller, std::move(record));
    return delivered;
}

bool MessageSystem::WaitForReply(ThreadQueue& caller, SentMessage& record, DWORD timeoutMs)
{
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(timeoutMs == INFINITE ? 0 : timeoutMs);
    std::unique_lock<std::mutex> lock(caller.mutex);
    while (record.state == SentMessage::State::Pending)
    {
        if (!caller.incoming.empty())
        {
            // Serve whoever is sending to us meanwhile: they may be the very
            // thread we are waiting for.
            lock.unlock();
            ServiceSent(caller);
            lock.lock();
            continue;
        }
        if (timeoutMs == INFINITE)
            caller.wake.wait(lock);
        else if (caller.wake.wait_until(lock, deadline) == std::cv_status::timeout &&
                 record.state == SentMessage::State::Pending && caller.incoming.empty())
            record.state = SentMessage::State::Abandoned;
    }
    return record.state == SentMessage::State::Done;
}

void MessageSystem::Complete(SentMessage& record, SentMessage::State state, LRESULT result)
{
    auto sender = record.sender;
    if (!sender)
        return;
    {
        std::lock_guard<std::mutex> lock(sender->mutex);
        if (record.state != SentMessage::State::Pending)
            return;
        record.result = result;
        record.state = state;
    }
    sender->wake.notify_all();
}

void MessageSystem::FailAll(std::vector<std::shared_ptr<SentMessage>>& records)
{
    for (auto& record : records)
        Complete(*record, SentMessage::State::Failed, 0);
    records.clear();
}

bool MessageSystem::IsAbandoned(SentMessage& record)
{
    std::lock_guard<std::mutex> lock(record.sender->mutex);
    return record.state != SentMessage::State::Pending;
}

void MessageSystem::ServiceSent(ThreadQueue& queue)
{
    for (;;)
    {
        std::shared_ptr<SentMessage> record;
        {
            std::lock_guard<std::mutex> lock(queue.mutex);
            if (queue.incoming.empty())
                return;
            record = std::move(queue.incoming.front());
            queue.incoming.erase(queue.incoming.begin());
        }
        if (record->mayBeAbandoned && IsAbandoned(*record))
            continue;
        // Still this thread's window: a Destroy here would have taken the
        // record out of the queue.
        std::shared_ptr<ZKWindowHandler> handler = std::move(record->handler);
        if (!handler)
        {
            Complete(*record, SentMessage::State::Failed, 0);
            continue;
        }
        bool ok = false;
        const LRESULT result = CallHandler(*handler, record->msg, ok);
        Complete(*record, ok ? SentMessage::State::Done : SentMessage::State::Failed, result);
    }
}

LRESULT MessageSystem::Dispatch(const MSG& msg)
{
    auto handler = OwnHandler(msg.hwnd);
    if (!handler)
        return 0;
    bool ok = false;
    return CallHandler(*handler, msg, ok);
}

BOOL MessageSystem::Get(MSG& msg)
{
    auto queue = CurrentQueue();
    for (;;)
    {
        ServiceSent(*queue);
        if (TakeNext(*queue, msg, true))
            return msg.message == WM_QUIT ? FALSE : TRUE;
        std::unique_lock<std::mutex> lock(queue->mutex);
        queue->wake.wait(
            lock, [&]
            { return !queue->incoming.empty() || !queue->posted.empty() || queue->quitPending; });
    }
}

BOOL MessageSystem::Peek(MSG& msg, bool remove)
{
    auto queue = CurrentQueue();
    ServiceSent(*queue);
    return TakeNext(*queue, msg, remove) ? TRUE : FALSE;
}

bool MessageSystem::TakeNext(ThreadQueue& queue, MSG& msg, bool remove)
{
    std::vector<std::shared_ptr<SentMessage>> refused;
    {
        std::lock_guard<std::mutex> lock(queue.mutex);
        queue.refusingSends = false;
        if (!queue.posted.empty())
            msg = queue.posted.front();
        else if (queue.quitPending)
            msg = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
        else
            return false;
        if (!remove)
            return true;
        if (!queue.posted.empty())
            queue.posted.pop_front();
        else
            queue.quitPending = false;
        if (msg.message == WM_QUIT)
        {
            // The loop ends here: senders would otherwise wait for a thread
            // that no longer reads its queue.
            queue.refusingSends = true;
            refused.assign(queue.incoming.begin(), queue.incoming.end());
            queue.incoming.clear();
        }
    }
    FailAll(refused);
    return true;
}

void MessageSystem::PostQuit(int exitCode)
{
    auto queue = CurrentQueue();
    std::lock_guard<std::mutex> lock(queue->mutex);
    queue->quitPending = true;
    queue->quitCode = exitCode;
}

void MessageSystem::ProcessSent()
{
    auto queue = CurrentQueue();
    {
        std::lock_guard<std::mutex> lock(queue->mutex);
        queue->refusingSends = false;
    }
    ServiceSent(*queue);
}

size_t MessageSystem::PendingCount()
{
    auto queue = CurrentQueue();
    std::lock_guard<std::mutex> lock(queue->mutex);
    return queue->posted.size();
}
