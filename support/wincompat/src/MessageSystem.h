// The shared state behind message queues and hidden windows: which windows
// exist, which thread owns each, and every live thread queue.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/ZKHiddenWindow.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

struct ThreadQueue;

// A message one thread is sending to another and waiting on.
struct SentMessage
{
    enum class State
    {
        Pending,
        Done,
        Failed,
        Abandoned // the sender timed out; the owner skips it
    };

    MSG msg{};
    std::shared_ptr<ThreadQueue> sender;
    // The window's handler as it was when the message was queued, so that
    // serving it needs no global lock; the owner takes it out to call it.
    std::shared_ptr<ZKWindowHandler> handler;
    // Only a sender with a time-out gives up on a message.
    bool mayBeAbandoned = false;
    // Both guarded by sender->mutex, which the sender waits on.
    State state = State::Pending;
    LRESULT result = 0;
};

struct ThreadQueue
{
    explicit ThreadQueue(DWORD owner) : threadId(owner) {}

    const DWORD threadId;
    std::mutex mutex;
    std::condition_variable wake; // only the owner thread waits on it
    std::deque<MSG> posted;
    // A handful at most (one per waiting sender); a vector keeps its room,
    // so queueing a send allocates nothing once it has grown.
    std::vector<std::shared_ptr<SentMessage>> incoming;
    // Records of this thread's own finished sends, for its next ones. Only
    // this thread touches them.
    std::vector<std::shared_ptr<SentMessage>> spareRecords;
    bool quitPending = false;
    int quitCode = 0;
    bool refusingSends = false; // WM_QUIT was read: the loop has stopped
    bool alive = true;
};

class MessageSystem
{
public:
    static MessageSystem& Instance();
    // The calling thread's queue, created and registered on first use.
    static std::shared_ptr<ThreadQueue> CurrentQueue();

    HWND CreateWindow(ZKWindowHandler handler);
    BOOL DestroyWindow(HWND hwnd);
    bool IsWindow(HWND hwnd);
    DWORD OwnerOf(HWND hwnd);
    BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
    // false when not delivered (gone, quit, timed out).
    bool Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
              LRESULT& result);
    LRESULT Dispatch(const MSG& msg);

    // Owner-thread side of the queue.
    BOOL Get(MSG& msg);
    BOOL Peek(MSG& msg, bool remove);
    void PostQuit(int exitCode);
    void ProcessSent();
    size_t PendingCount();

    // The thread is ending: its windows go, waiting senders are released.
    void Retire(const std::shared_ptr<ThreadQueue>& queue);

private:
    struct Window
    {
        DWORD owner;
        std::shared_ptr<ThreadQueue> queue;
        std::shared_ptr<ZKWindowHandler> handler;
    };

    std::shared_ptr<ThreadQueue> Register();
    // The handler when hwnd is a live window of the calling thread.
    std::shared_ptr<ZKWindowHandler> OwnHandler(HWND hwnd);
    void ServiceSent(ThreadQueue& queue);
    // The next posted message, or WM_QUIT once none is left.
    static bool TakeNext(ThreadQueue& queue, MSG& msg, bool remove);
    bool WaitForReply(ThreadQueue& caller, SentMessage& record, DWORD timeoutMs);
    static void Complete(SentMessage& record, SentMessage::State state, LRESULT result);
    static void FailAll(std::vector<std::shared_ptr<SentMessage>>& records);
    // Queues without waking the owner: wakes come after the global lock is
    // released, so that the woken thread does not run into it.
    static bool Enqueue(ThreadQueue& queue, const MSG& msg);
    static std::shared_ptr<SentMessage> TakeRecord(ThreadQueue& sender);
    static void ReturnRecord(ThreadQueue& sender, std::shared_ptr<SentMessage> record);
    // Queues record for the window's owner; the owner's queue, or null when
    // the window is gone or its thread takes no sends. direct receives the
    // handler instead when the caller owns the window.
    std::shared_ptr<ThreadQueue> QueueSent(HWND hwnd, const std::shared_ptr<SentMessage>& record,
                                           std::shared_ptr<ZKWindowHandler>& direct, bool& found);
    static bool IsAbandoned(SentMessage& record);
    static MSG MakeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::mutex m_mutex; // windows and queues; taken before any queue mutex
    std::unordered_map<uintptr_t, Window> m_windows;
    std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>> m_queues;
    uintptr_t m_lastHandle = 0x20000;
};
