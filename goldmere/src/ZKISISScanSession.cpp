#include "ZKISISScanSession.h"

#include <goldmere/ZKISISEventObserver.h>
#include <goldmere/ZKISISManager.h>
#include <goldmere/ZKISISWindowsList.h>
#include <hollin/ZKDebugLog.h>
#include <wincompat/ZKMessageQueue.h>

#include "ZKISISErrorReporter.h"
#include "ZKISISFileOutput.h"
#include "ZKISISOptions.h"
#include "ZKISISProcessState.h"
#include "ZKISISScanPage.h"
#include "ZKISISScannerDriver.h"

namespace
{
const char kReporterSource[] = "ZKISISScanSession";
const DWORD kDelaySliceMs = 200;
// A stop that waits gives up after this long rather than hang on a driver
// that never returns.
const DWORD kStopWaitLimitMs = 60000;
const int kApplicationErrorFlag = 1;

void PumpMessagesOnce()
{
    MSG msg;
    while (CZKMessageQueue::Peek(msg, true))
        CZKMessageQueue::Dispatch(msg);
    ZKSleep(1);
}
} // namespace

CZKISISScanSession::CZKISISScanSession(CZKISISManager& manager) : m_manager(manager)
{
    m_threadActive.store(true);
    if (!m_thread.Start([this] { _ThreadBody(); }))
        m_threadActive.store(false);
}

CZKISISScanSession::~CZKISISScanSession()
{
    End();
}

void CZKISISScanSession::End()
{
    if (!m_threadActive.load())
        return;
    StopRun(1);
    m_quit.Set();
    while (m_thread.Join(1) == WAIT_TIMEOUT)
        PumpMessagesOnce();
}

void CZKISISScanSession::SetCompression(int windowId, int compression)
{
    CZKCriticalSection::ScopedLock hold(m_lock);
    for (auto& entry : m_windowCompressions)
        if (entry.first == windowId)
        {
            entry.second = compression;
            return;
        }
    m_windowCompressions.emplace_back(windowId, compression);
}

ZKISIS_PAGE_CALLBACKS CZKISISScanSession::PageCallbacks(CZKISISScanSession* session)
{
    ZKISIS_PAGE_CALLBACKS callbacks;
    callbacks.context = session;
    callbacks.imageBegin = [](void* context, ZKISIS_MODULE*) {
        return static_cast<CZKISISScanSession*>(context)->_ImageBegin();
    };
    callbacks.imageData = [](void* context, const uint8_t* data, uint32_t length) {
        return static_cast<CZKISISScanSession*>(context)->_ImageData(data, length);
    };
    callbacks.imageEnd = [](void* context, ZKISIS_MODULE*) {
        return static_cast<CZKISISScanSession*>(context)->_ImageEnd();
    };
    return callbacks;
}

// ---- Requests from the application's thread ------------------------------------

BOOL CZKISISScanSession::StartRun(int pages)
{
    if (!m_threadActive.load() || m_running.exchange(true))
        return FALSE;
    m_pages.store(pages);
    if (CZKISISScannerDriver* scanner = m_manager.GetScanner())
        scanner->SetStopFlag(false);
    m_abort.Reset();
    SZKISISProcessState::Set(ZKISIS_STATE_RUN_REQUESTED);
    m_start.Set();
    return TRUE;
}

BOOL CZKISISScanSession::StopRun(int how)
{
    CZKISISScannerDriver* scanner = m_manager.GetScanner();
    if (!m_running.load() || !scanner)
        return FALSE;
    if (scanner->GetScanState() < CZKISISScannerDriver::SCAN_FEEDING || m_waiting.load())
    {
        scanner->SetStopFlag(true);
        m_abort.Set();
        // Waiting on the session thread itself would never end.
        if (how != 0 && m_thread.Id() != CZKThread::CurrentId())
            _WaitUntilRunEnded();
        return TRUE;
    }
    // Feeding: the page under way is finished first.
    const int perPage = m_imagesPerPage.load();
    m_stopMode.store(how);
    m_stopAt.store(perPage * (m_imagesEnded.load() / perPage + 1));
    m_stopRequested.store(true);
    return TRUE;
}

void CZKISISScanSession::_WaitUntilRunEnded()
{
    for (DWORD waited = 0; m_running.load() && waited < kStopWaitLimitMs; ++waited)
        PumpMessagesOnce();
    if (m_running.load())
        SZKDebugLog::Log(std::string("the scan run did not end in time"), 0, "ZKISIS");
}

// ---- The session thread ------------------------------------------------------------

void CZKISISScanSession::_ThreadBody()
{
    const std::vector<CZKEvent*> events = {&m_start, &m_quit};
    while (CZKEvent::WaitForMultiple(events, false, INFINITE) == WAIT_OBJECT_0)
    {
        if (m_manager.GetScanMode() == ZKISIS_SCAN_ONE_RUN)
            _OneRun();
        else
            _RepeatedRun();
    }
    m_threadActive.store(false);
}

void CZKISISScanSession::_OneRun()
{
    CZKISISScannerDriver* scanner = m_manager.GetScanner();
    _PrepareRun();
    SZKISISProcessState::Set(ZKISIS_STATE_SCANNING);
    m_waiting.store(false);
    if (scanner && scanner->StartScanning())
    {
        scanner->ScanPages(m_pages.load());
        scanner->EndScanning();
    }
    _FinishRun();
}

void CZKISISScanSession::_RepeatedRun()
{
    CZKISISScannerDriver* scanner = m_manager.GetScanner();
    _PrepareRun();
    int scannedSoFar = 0;
    const int pages = m_pages.load();
    while (scanner)
    {
        SZKISISProcessState::Set(ZKISIS_STATE_SCANNING);
        m_waiting.store(false);
        if (!scanner->StartScanning())
            break;
        const int scanned = scanner->ScanPages(pages > 0 ? pages - scannedSoFar : pages);
        scanner->EndScanning();
        if (scanned == CZKISISScannerDriver::kScanFailed || scanner->GetStopFlag() || m_errorFlags.load())
            break;
        scannedSoFar += scanned;
        if (pages > 0 && scannedSoFar >= pages)
            break;
        // Between two scans a run is requested but nothing is scanning.
        m_waiting.store(true);
        SZKISISProcessState::Set(ZKISIS_STATE_RUN_REQUESTED);
        if (!_WaitFlatbedDelay())
            break;
    }
    _FinishRun();
}

// The delay between two flatbed scans, cut short by a stop.
bool CZKISISScanSession::_WaitFlatbedDelay()
{
    CZKISISScannerDriver* scanner = m_manager.GetScanner();
    const unsigned delay = m_manager.GetFlabedDelay();
    if (delay <= kDelaySliceMs)
    {
        m_abort.Wait(delay);
        return !scanner->GetStopFlag();
    }
    for (unsigned slice = 0; slice < delay / kDelaySliceMs + 1; ++slice)
    {
        if (scanner->GetStopFlag())
            return false;
        m_abort.Wait(kDelaySliceMs);
    }
    return !scanner->GetStopFlag();
}

void CZKISISScanSession::_PrepareRun()
{
    m_stopRequested.store(false);
    m_stopMode.store(0);
    m_stopAt.store(0);
    m_errorFlags.store(0);
    m_anyWindowG4 = m_anyWindowJpeg = false;
    m_imagesEnded.store(0);
    m_inImage = false;
    int front = 0, back = 0;
    CZKISISScannerDriver* scanner = m_manager.GetScanner();
    if (scanner)
        scanner->ImagesPerPage(front, back);
    m_frontImagesPerPage = front;
    m_imagesPerPage.store(front + back > 0 ? front + back : 1);
    if (scanner)
        _SetWindowCompressions();
    if (IZKISISEventObserver* observer = m_observer.load())
    {
        ZK_ISIS_SESSION_BEGIN begin;
        observer->OnISISSessionBegin(&begin);
    }
}

void CZKISISScanSession::_SetWindowCompressions()
{
    CZKISISScannerDriver& scanner = *m_manager.GetScanner();
    const EZKISISCompressionType type = m_compressionType.load();
    if (!scanner.Supported(ZKISIS_TAG_WINDOW))
    {
        _WindowCompression(0, type);
        return;
    }
    long current = 0;
    if (!scanner.GetLong(current, ZKISIS_TAG_WINDOW))
        return;
    const long count = scanner.ChoiceCount(ZKISIS_TAG_WINDOW);
    for (long i = 0; i < count; ++i)
    {
        long windowId = 0;
        if (scanner.ChoiceLong(windowId, ZKISIS_TAG_WINDOW, static_cast<WORD>(i)) && windowId != 0 &&
            scanner.SetLong(windowId, ZKISIS_TAG_WINDOW))
            _WindowCompression(windowId, type);
    }
    scanner.SetLong(current, ZKISIS_TAG_WINDOW);
}

// Sets the selected window's compression; answers what it was set to.
long CZKISISScanSession::_WindowCompression(long windowId, EZKISISCompressionType type)
{
    CZKISISScannerDriver& scanner = *m_manager.GetScanner();
    if (type == ZKISIS_COMPRESSION_BEST)
    {
        // Only codings the window offers are tried, so a refusal is an error.
        if (scanner.IsChoice(ZKISIS_TAG_COMPRESSION, 6) && scanner.SetLong(6, ZKISIS_TAG_COMPRESSION))
            return m_anyWindowJpeg = true, 6;
        if (scanner.IsChoice(ZKISIS_TAG_COMPRESSION, 4) && scanner.SetLong(4, ZKISIS_TAG_COMPRESSION))
            return m_anyWindowG4 = true, 4;
    }
    else if (type == ZKISIS_COMPRESSION_PER_WINDOW)
    {
        int wanted = 1;
        {
            CZKCriticalSection::ScopedLock hold(m_lock);
            for (const auto& entry : m_windowCompressions)
                if (entry.first == windowId)
                    wanted = entry.second;
        }
        if (wanted != 1 && scanner.IsChoice(ZKISIS_TAG_COMPRESSION, wanted) &&
            scanner.SetLong(wanted, ZKISIS_TAG_COMPRESSION))
        {
            m_anyWindowJpeg |= wanted == 6;
            m_anyWindowG4 |= wanted == 4;
            return wanted;
        }
    }
    scanner.SetLong(1, ZKISIS_TAG_COMPRESSION);
    return 1;
}

// The run is over before the observer hears of it, so that it may start the
// next run from inside the event.
void CZKISISScanSession::_FinishRun()
{
    m_running.store(false);
    SZKISISProcessState::Set(ZKISIS_STATE_DRIVER_OPEN);
    m_inImage = false;
    if (IZKISISEventObserver* observer = m_observer.load())
    {
        ZK_ISIS_SESSION_END end;
        observer->OnISISSessionEnd(&end);
    }
}

void CZKISISScanSession::_RunError(int32_t status, const char* logLine)
{
    m_errorFlags.fetch_or(kApplicationErrorFlag);
    ZKISIS_CHECK(status);
    if (CZKISISScannerDriver* scanner = m_manager.GetScanner())
        scanner->SetStopFlag(true);
    m_abort.Set();
    SZKDebugLog::Log(std::string(logLine), 0, "ZKISIS");
}
