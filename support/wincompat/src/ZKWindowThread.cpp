#include <wincompat/ZKWindowThread.h>

#include <wincompat/ZKEvent.h>
#include <wincompat/ZKMessageQueue.h>
#include <wincompat/ZKThread.h>

#include <atomic>
#include <mutex>

struct CZKWindowThread::State
{
    std::mutex mutex; // serialises Start and Stop
    CZKThread thread;
    std::atomic<HWND> window{nullptr};
};

namespace
{

LRESULT RunInvoked(LPARAM lParam)
{
    const auto* call = reinterpret_cast<const std::function<void()>*>(lParam);
    try
    {
        (*call)();
        return TRUE;
    }
    catch (...)
    {
        return FALSE;
    }
}

} // namespace

CZKWindowThread::CZKWindowThread() : m_state(new State) {}

CZKWindowThread::~CZKWindowThread()
{
    Stop();
}

BOOL CZKWindowThread::Start(ZKWindowHandler handler)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->window)
        return FALSE;
    CZKEvent ready;
    State* state = m_state.get();
    const BOOL started = m_state->thread.Start(
        [state, &ready, handler]
        {
            HWND hwnd = CZKHiddenWindow::Create(
                [handler](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
                {
                    if (message == kInvokeMessage)
                        return RunInvoked(lParam);
                    if (message == kStopMessage)
                    {
                        CZKMessageQueue::PostQuit(0);
                        return 0;
                    }
                    return handler ? handler(message, wParam, lParam) : 0;
                });
            state->window = hwnd;
            ready.Set();
            MSG msg;
            while (CZKMessageQueue::Get(msg))
                CZKMessageQueue::Dispatch(msg);
            CZKHiddenWindow::Destroy(hwnd);
        });
    if (!started)
        return FALSE;
    ready.Wait();
    return TRUE;
}

void CZKWindowThread::Stop()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    HWND hwnd = m_state->window.exchange(nullptr);
    if (!hwnd)
        return;
    CZKHiddenWindow::Post(hwnd, kStopMessage, 0, 0);
    m_state->thread.Join();
}

bool CZKWindowThread::IsRunning() const
{
    return m_state->window != nullptr && m_state->thread.IsRunning();
}

HWND CZKWindowThread::Window() const
{
    return m_state->window;
}

DWORD CZKWindowThread::ThreadId() const
{
    return m_state->thread.Id();
}

BOOL CZKWindowThread::Invoke(const std::function<void()>& call)
{
    HWND hwnd = m_state->window;
    if (!hwnd || !call)
        return FALSE;
    bool delivered = false;
    const LRESULT ran =
        CZKHiddenWindow::Send(hwnd, kInvokeMessage, 0, reinterpret_cast<LPARAM>(&call), &delivered);
    return delivered && ran == TRUE ? TRUE : FALSE;
}
