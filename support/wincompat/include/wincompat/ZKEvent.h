// Auto- and manual-reset events with timed waits, alone or on several.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <vector>

class WINCOMPAT_EXPORT CZKEvent
{
public:
    // An auto-reset event releases one waiter per Set and resets itself; a
    // manual-reset one stays signalled until Reset.
    explicit CZKEvent(bool manualReset = false, bool initiallySet = false);
    CZKEvent(const CZKEvent&) = delete;
    CZKEvent& operator=(const CZKEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // WAIT_OBJECT_0 or WAIT_TIMEOUT.
    DWORD Wait(DWORD timeoutMs = INFINITE);

    // waitAll == false: WAIT_OBJECT_0 + index of the first signalled event
    // (lowest index wins). waitAll == true: WAIT_OBJECT_0 once all are
    // signalled at the same moment (auto-reset ones are then all consumed).
    // WAIT_TIMEOUT, or WAIT_FAILED for an empty list or a null entry.
    static DWORD WaitForMultiple(const std::vector<CZKEvent*>& events, bool waitAll,
                                 DWORD timeoutMs);

private:
    const bool m_manualReset;
    bool m_signalled; // guarded by the shared event mutex
};
