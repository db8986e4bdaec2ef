// Invisible windows: a handle, an owner thread and a handler. Posting queues
// to the owner thread; sending runs the handler on the owner thread and waits
// for its result. There is no desktop, so showing, enabling and focusing
// succeed without doing anything.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <functional>

using ZKWindowHandler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

class WINCOMPAT_EXPORT CZKHiddenWindow
{
public:
    // The calling thread owns the window (and gets a queue if it had none).
    // nullptr for an empty handler.
    static HWND Create(ZKWindowHandler handler);
    // Owner thread only: the handler gets WM_DESTROY, then the handle is dead,
    // its posted messages dropped and the sends waiting on it fail.
    static BOOL Destroy(HWND hwnd);
    static bool IsWindow(HWND hwnd);
    // 0 for a dead handle.
    static DWORD OwnerThreadId(HWND hwnd);

    // Non-blocking; FALSE when the window is gone.
    static BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // On the owner thread the handler runs directly. From another thread the
    // caller waits until the owner has handled it, serving sends to its own
    // windows meanwhile so two threads sending to each other do not deadlock.
    // Returns 0 and *delivered = false when the window is gone, its thread
    // quits or ends before handling it, or the handler throws.
    static LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        bool* delivered = nullptr);
    // As Send, giving up after timeoutMs (the message may still be handled
    // later). FALSE on failure or time-out.
    static BOOL SendTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                            LRESULT* result);

    static BOOL Show(HWND hwnd, int command);
    static BOOL Enable(HWND hwnd, BOOL enable);
    static BOOL SetForeground(HWND hwnd);
};
