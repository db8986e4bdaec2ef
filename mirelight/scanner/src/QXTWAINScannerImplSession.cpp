// Acquisition sessions of the TWAIN-backed scanner: the single run the
// source manager drives, and repeat mode, whose passes and session events
// run on a worker thread of this object.
#include "QXTWAINScannerImpl.h"

#include <hollin/ZKDebugLog.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKMessageQueue.h>

#include <new>

namespace
{
void PumpThreadMessages()
{
    CZKMessageQueue::ProcessSent();
    MSG msg;
    while (CZKMessageQueue::Peek(msg, true))
        CZKMessageQueue::Dispatch(msg);
}
} // namespace

BOOL CQXTWAINScannerImpl::Acquire(HWND parent, int count)
{
    if (!m_manager || m_acquiring)
        return FALSE;
    if (m_repeatMode)
    {
        // The previous worker has finished (the acquiring flag is clear).
        _WaitForWorker();
        m_cancelRequested = FALSE;
        m_pageLimit = static_cast<WORD>(count);
        m_pageCounter = 0;
        m_repeatParent = parent;
        m_passCounter = 0;
        m_acquiring = TRUE;
        _PrepareSession();
        m_worker.reset(new (std::nothrow) CZKThread);
        if (m_worker && m_worker->Start([this] { _RepeatMain(); }))
            return TRUE;
        m_worker.reset();
        m_acquiring = FALSE;
        return FALSE;
    }
    const TW_BOOL indicators = FALSE;
    if (m_manager->SetCapOnevalue(CAP_INDICATORS, TWTY_BOOL, &indicators) == ZKTW_CAP_FAILURE)
        return FALSE;
    _PrepareSession();
    return m_manager->Acquire(parent, static_cast<short>(count), FALSE);
}

void CQXTWAINScannerImpl::CancelAcquire(BOOL wait)
{
    if (!m_manager)
        return;
    if (!m_repeatMode)
    {
        m_manager->CancelAcquire(wait);
        return;
    }
    m_manager->CancelAcquire(FALSE);
    m_cancelRequested = TRUE;
    // From inside an event the session cannot end before the event returns:
    // waiting there would never end.
    const DWORD caller = CZKThread::CurrentId();
    if (!wait || !m_worker || caller == m_worker->Id() || caller == m_eventThread)
        return;
    // The worker may be waiting for a pass that needs this thread's messages.
    while (m_worker->Join(0) == WAIT_TIMEOUT)
    {
        PumpThreadMessages();
        ZKSleep(1);
    }
    m_worker.reset();
}

void CQXTWAINScannerImpl::_WaitForWorker()
{
    if (m_worker)
        m_worker->Join();
    m_worker.reset();
}

void CQXTWAINScannerImpl::_PrepareSession()
{
    m_sessionError = FALSE;
    m_lastHeaderPage = 0;
    m_imageCount = 0;
    m_savedPage = 0;
    m_savedImprinterIndex = 0;
    m_savedImprinterString.clear();
    m_documentCount = 0;
    m_beginInfo.Reset();
    m_endInfo.Reset();
    DWORD counter = 0;
    if (_ImprinterOrVendorCounter() && _GetImprinterCounter(counter))
        m_documentCount = counter - 1;
    int value = 1;
    _GetImagesPerSheet(value);
    m_beginInfo.nImagesPerSheet = value;
    int active = 0;
    m_beginInfo.bImageAddress = _IsImageAddressingActive(active) && active ? TRUE : FALSE;
    if (m_beginInfo.bImageAddress)
        GetTagValue(1009, 0, &m_beginInfo.imageAddressFormat);
    _GetSerialNumber(m_beginInfo.strSerialNumber);
}

void CQXTWAINScannerImpl::_FillEndRecord()
{
    int active = 0;
    if (_HasCapability(QX_SCANNER_CAP_VENDOR8015) && _IsImageAddressingActive(active) && active)
        GetTagValue(1008, 0, &m_endInfo.imageAddress);
    if (_ImprinterOrVendorCounter())
        m_endInfo.nNextCounter = static_cast<int>(m_documentCount + 1);
}

void CQXTWAINScannerImpl::_NotifySessionBegin()
{
    if (m_observer)
        m_observer->OnSessionBegin(m_beginInfo);
}

void CQXTWAINScannerImpl::_NotifySessionEnd()
{
    _FillEndRecord();
    if (m_observer)
        m_observer->OnSessionEnd(m_endInfo);
}

void CQXTWAINScannerImpl::_NotifyError(int error)
{
    if (error == QX_SCANNER_ERROR_NONE || !m_observer)
        return;
    QX_SCANNER_ERROR_INFO info;
    info.nError = error;
    m_observer->OnError(info);
}

void CQXTWAINScannerImpl::_RepeatMain()
{
    _NotifySessionBegin();
    m_passEnded.Reset();
    m_passStarted.Reset();
    _RunPass();
    m_passStarted.Wait();
    while (m_lastPassResult)
    {
        _WaitForPassEnd();
        if (_RepeatShouldStop())
            break;
        _PauseBetweenPasses();
        if (m_cancelRequested)
            break;
        _RunPass();
        m_passStarted.Wait();
    }
    m_acquiring = FALSE;
    _NotifySessionEnd();
}

BOOL CQXTWAINScannerImpl::_RunPass()
{
    ++m_passCounter;
    int imprinter = 0;
    int addressing = 0;
    const bool numbered =
        (_GetBoolCap(CAP_PRINTERENABLED, ZKTW_GETCAP_CURRENT, imprinter) && imprinter) ||
        (_IsImageAddressingActive(addressing) && addressing);
    // Each pass continues the numbering where the previous one stopped.
    if (numbered && m_passCounter > 1)
        _SetImprinterCounter(m_documentCount + 1);
    m_lastPassResult = m_manager->Acquire(m_repeatParent, -1, FALSE);
    m_passStarted.Set();
    return m_lastPassResult;
}

// The manager reports the end of every pass it started; should a pass end
// without that report, its idle state ends the wait instead.
void CQXTWAINScannerImpl::_WaitForPassEnd()
{
    constexpr DWORD kPollMs = 100;
    while (m_passEnded.Wait(kPollMs) == WAIT_TIMEOUT)
        if (!m_manager->IsAcquiring() && m_passEnded.Wait(kPollMs) == WAIT_TIMEOUT)
            return;
}

BOOL CQXTWAINScannerImpl::_RepeatShouldStop()
{
    if (m_sessionError)
        return TRUE;
    return m_pageLimit < NO_PAGE_LIMIT && m_pageCounter >= m_pageLimit ? TRUE : FALSE;
}

void CQXTWAINScannerImpl::_PauseBetweenPasses()
{
    if (m_pause <= PAUSE_SLICE_MS)
    {
        ZKSleep(m_pause);
        return;
    }
    for (DWORD slice = 0; slice < m_pause / PAUSE_SLICE_MS + 1 && !m_cancelRequested; ++slice)
        ZKSleep(PAUSE_SLICE_MS);
}

void CQXTWAINScannerImpl::OnAcquireBegin()
{
    if (!m_repeatMode)
        _NotifySessionBegin();
}

void CQXTWAINScannerImpl::OnAcquireEnd(BOOL)
{
    m_eventThread = CZKThread::CurrentId();
    _DestroyPool();
    if (m_repeatMode)
    {
        m_passEnded.Set();
        return;
    }
    if (m_observer)
        _NotifySessionEnd();
}

void CQXTWAINScannerImpl::OnTWAINError(DWORD, WORD, WORD, WORD rc, WORD cc)
{
    m_eventThread = CZKThread::CurrentId();
    m_sessionError = TRUE;
    int error = QX_SCANNER_ERROR_FAILURE;
    switch (cc)
    {
    case TWCC_SUCCESS:
        error = rc == TWRC_CANCEL ? QX_SCANNER_ERROR_CANCELLED : QX_SCANNER_ERROR_NONE;
        break;
    case TWCC_LOWMEMORY:
        error = QX_SCANNER_ERROR_LOWMEMORY;
        break;
    case TWCC_MAXCONNECTIONS:
        error = QX_SCANNER_ERROR_BUSY;
        break;
    case TWCC_PAPERJAM:
        error = QX_SCANNER_ERROR_PAPERJAM;
        break;
    case TWCC_PAPERDOUBLEFEED:
        error = QX_SCANNER_ERROR_DOUBLEFEED;
        break;
    default:
        break;
    }
    _NotifyError(error);
}
