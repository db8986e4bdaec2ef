// Acquisition entry points, cancel and device events of CZKTWSourceManager.
#include <fennick/ZKTWHelper.h>
#include <fennick/ZKTWSourceManager.h>

#include "ZKTWEventRouter.h"
#include "ZKTWTrace.h"

#include <wincompat/ZKHiddenWindow.h>
#include <wincompat/ZKThread.h>

namespace
{
// Holds the one-acquisition-at-a-time claim while Acquire runs.
class CAcquireClaim
{
public:
    explicit CAcquireClaim(std::atomic<bool>& busy) : m_busy(busy), m_owned(!busy.exchange(true)) {}
    ~CAcquireClaim()
    {
        if (m_owned)
            m_busy = false;
    }
    CAcquireClaim(const CAcquireClaim&) = delete;
    CAcquireClaim& operator=(const CAcquireClaim&) = delete;
    bool Owned() const { return m_owned; }

private:
    std::atomic<bool>& m_busy;
    bool m_owned;
};
} // namespace

BOOL CZKTWSourceManager::Acquire(HWND parent, short count, BOOL showUI)
{
    try
    {
        // A second acquisition would enable the source behind the first one's
        // back; the claim covers the calls up to the state change.
        CAcquireClaim claim(m_acquireBusy);
        if (!claim.Owned() || m_state > ZKTW_STATE_SOURCE_OPEN)
        {
            SZKTWTrace::Log("Acquire refused: an acquisition is in progress", 0);
            return FALSE;
        }
        TW_INT16 transfers = count;
        void* container = nullptr;
        if (!CZKTWHelper::AllocOnevalue(container, TWTY_INT16, &transfers))
            return FALSE;
        const WORD result = _SetCap(CAP_XFERCOUNT, TWON_ONEVALUE, container);
        CZKTWHelper::FreeContainer(container);
        if (result == ZKTW_CAP_FAILURE)
            return FALSE;
        if (m_interceptor && !m_interceptor->OnBeforeAcquire(this))
            return FALSE;
        m_cancelPending = FALSE;
        m_cancelledByApp = FALSE;
        m_acquisitionCancelled = FALSE;
        _HoldTransfersUntilBeginTold();
        const BOOL enabled = _EnableSource(showUI, showUI, parent);
        _TellAcquireBegin(enabled != FALSE);
        if (!enabled)
            return FALSE;
        if (!showUI)
            return TRUE;
        _WaitForSourceToClose();
        _BringUpWindow(parent);
        return TRUE;
    }
    catch (...)
    {
        return FALSE;
    }
}

void CZKTWSourceManager::_HoldTransfersUntilBeginTold()
{
    std::lock_guard<std::mutex> hold(m_beginLock);
    m_beginTold = false;
    m_transferReadyKept = false;
    m_beginTeller = CZKThread::CurrentId();
}

bool CZKTWSourceManager::_TellingBeginHere()
{
    std::lock_guard<std::mutex> hold(m_beginLock);
    return !m_beginTold && m_beginTeller == CZKThread::CurrentId();
}

void CZKTWSourceManager::_TellAcquireBegin(bool enabled)
{
    IZKTWEventObserver* observer = enabled ? _Observer() : nullptr;
    try
    {
        if (observer)
            observer->OnAcquireBegin();
    }
    catch (...) // the hold must end whatever the observer does
    {
    }
    bool kept = false;
    {
        std::lock_guard<std::mutex> hold(m_beginLock);
        m_beginTold = true;
        std::swap(kept, m_transferReadyKept);
    }
    HWND window = m_window;
    if (kept && window)
        CZKHiddenWindow::Post(window, WM_ZKTW_SOURCE_EVENT, MSG_XFERREADY, 0);
}

bool CZKTWSourceManager::_BeginToldOrKeepTransferReady()
{
    std::lock_guard<std::mutex> hold(m_beginLock);
    if (!m_beginTold)
        m_transferReadyKept = true;
    return m_beginTold;
}

void CZKTWSourceManager::CancelAcquire(BOOL wait)
{
    SZKTWTrace::Log("Enter CancelAcquire", 1);
    m_cancelledByApp = TRUE;
    m_cancelPending = TRUE;
    m_acquisitionCancelled = TRUE;
    if (m_state < ZKTW_STATE_TRANSFER_READY)
    {
        if (HWND window = m_window)
            CZKHiddenWindow::Post(window, WM_ZKTW_COMMAND, reinterpret_cast<WPARAM>(this), ZKTW_COMMAND_CANCEL);
    }
    // From inside OnAcquireBegin the batch cannot end before the call returns.
    if (wait && !_TellingBeginHere())
        _WaitForSourceToClose();
    SZKTWTrace::Log("Leave CancelAcquire", 1);
}

void CZKTWSourceManager::_CancelAcquire()
{
    if (!m_cancelPending)
        return;
    TW_PENDINGXFERS pending{};
    _CheckCancelRequest(&pending, MSG_STOPFEEDER);
}

DWORD CZKTWSourceManager::_CheckCancelRequest(TW_PENDINGXFERS* pending, WORD msg)
{
    if (!m_cancelPending)
        return 0;
    SZKTWTrace::Log("Check cancel", 1);
    const DWORD result = _SourceCall(DG_CONTROL, DAT_PENDINGXFERS, msg, pending, FALSE);
    if (ZKTWSucceeded(result))
        m_cancelPending = FALSE;
    return result;
}

BOOL CZKTWSourceManager::_EnableDeviceEvent()
{
    const WORD events[] = {TWDE_PAPERDOUBLEFEED, TWDE_PAPERJAM};
    return SetCapArray(CAP_DEVICEEVENT, TWTY_UINT16, events, 2) == ZKTW_CAP_SUCCESS;
}

void CZKTWSourceManager::_NotifyDeviceEvent()
{
    TW_DEVICEEVENT event{};
    if (!ZKTWSucceeded(_SourceCall(DG_CONTROL, DAT_DEVICEEVENT, MSG_GET, &event, FALSE)))
        return;
    if (IZKTWEventObserver* observer = _Observer())
        observer->OnDeviceEvent(&event);
}

BOOL CZKTWSourceManager::IsDeviceOnline()
{
    if (!m_deviceOnline || m_state < ZKTW_STATE_SOURCE_OPEN)
        return FALSE;
    TW_BOOL online = 0;
    if (GetCapOnevalue(CAP_DEVICEONLINE, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &online) != ZKTW_CAP_SUCCESS)
        return FALSE;
    return online ? TRUE : FALSE;
}
