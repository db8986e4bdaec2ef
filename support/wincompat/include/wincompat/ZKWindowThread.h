// A thread that owns one hidden window and runs its message loop: the usual
// home for code that must run on a single thread while other threads post
// to it or call into it.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/ZKHiddenWindow.h>
#include <wincompat/wincompat_export.h>

#include <functional>
#include <memory>

class WINCOMPAT_EXPORT CZKWindowThread
{
public:
    // Messages the window keeps for itself; handlers never see them.
    static constexpr UINT kInvokeMessage = WM_APP + 0x3F00;
    static constexpr UINT kStopMessage = WM_APP + 0x3F01;

    CZKWindowThread();
    // Stops the thread.
    ~CZKWindowThread();
    CZKWindowThread(const CZKWindowThread&) = delete;
    CZKWindowThread& operator=(const CZKWindowThread&) = delete;

    // Starts the thread and returns once its window exists. The handler gets
    // every other message (may be empty). FALSE when already running.
    BOOL Start(ZKWindowHandler handler = ZKWindowHandler());
    // Ends the loop, destroys the window on its thread and joins it. Messages
    // posted before Stop are handled first.
    void Stop();
    bool IsRunning() const;
    HWND Window() const;
    DWORD ThreadId() const;

    // Runs call on the window thread (directly when already on it) and waits
    // for it. FALSE, without running it, when the thread is not running or
    // ends first; FALSE also when call throws.
    BOOL Invoke(const std::function<void()>& call);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
