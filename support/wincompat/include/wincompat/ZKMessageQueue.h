// The message queue of one thread: posted messages in arrival order, plus
// the messages other threads are sending to this thread's windows and are
// blocked on. A thread gets its queue on first use; it goes away when the
// thread ends, which also destroys the thread's windows and fails the sends
// still waiting on them.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

class WINCOMPAT_EXPORT CZKMessageQueue
{
public:
    // All of these act on the calling thread's queue.

    // Waits for the next posted message, handling sent messages meanwhile.
    // FALSE when the message is WM_QUIT (msg then carries the exit code in
    // wParam); afterwards sends to this thread fail until it reads its queue
    // again.
    static BOOL Get(MSG& msg);
    // Like Get without waiting: FALSE when nothing is posted. remove == false
    // leaves the message in the queue.
    static BOOL Peek(MSG& msg, bool remove);
    // Runs the message's window handler; 0 when the window is gone or the
    // message has no window.
    static LRESULT Dispatch(const MSG& msg);
    // WM_QUIT is delivered once the posted messages before it are read.
    static void PostQuit(int exitCode);
    // Handles the sends waiting on this thread without touching posted
    // messages; for threads that block elsewhere for a while.
    static void ProcessSent();

    // A posted message with no window, for the given thread's loop. FALSE when
    // that thread has no queue.
    static BOOL PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
    // Messages posted but not yet read on the calling thread.
    static size_t PendingCount();
};
