// Lifecycle, window thread and the DSM call path of CZKTWSourceManager.
#include <fennick/ZKTWSourceManager.h>

#include "ZKTWEventRouter.h"
#include "ZKTWMemory.h"
#include "ZKTWTrace.h"
#include "ZKTWTraceNames.h"

#include <hollin/ZKCommon.h>
#include <wincompat/ZKGlobalMemory.h>
#include <wincompat/ZKHiddenWindow.h>
#include <wincompat/ZKKnownFolders.h>
#include <wincompat/ZKMessageBox.h>
#include <wincompat/ZKMessageQueue.h>
#include <wincompat/ZKThread.h>

#include <boost/format.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace
{
// How often the window thread offers MSG_PROCESSEVENT to an enabled source
// when the DSM takes no event callback.
constexpr DWORD kEventPollMs = 5;

const DWORD kNoDsm = ZKTWPack(TWRC_FAILURE, TWCC_BUMMER);
// What a forwarded call answers while a transfer runs: it never reached the
// DSM (a real answer has no condition code with TWRC_SUCCESS).
const DWORD kNotForwarded = 1;
// How long Close and CloseSource from another thread wait for a running
// transfer loop to end before they refuse; an application that wants it
// sooner cancels first.
constexpr DWORD kTransferEndWaitMs = 5000;

// $ZK_TWAIN_DSM, else libtwaindsm.so in the system folder.
std::string DsmPath()
{
    if (const char* named = std::getenv("ZK_TWAIN_DSM"); named && *named)
        return named;
    std::string folder = SZKCommon::WCStoMBS(CZKKnownFolders::SystemFolder());
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + "libtwaindsm.so";
}

bool CanRead(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

void CopyText(char (&target)[34], const char* text)
{
    std::memset(target, 0, sizeof(target));
    if (text)
        std::strncpy(target, text, 32);
}
} // namespace

CZKTWSourceManager::CZKTWSourceManager() : m_eventCookie(SZKTWEventRouter::NewCookie())
{
}

CZKTWSourceManager::~CZKTWSourceManager()
{
    try
    {
        _EndAcquisitionForDestruction();
        _StopWindowThread();
        if (m_usesDsmMemory)
            SZKTWMemory::Uninstall();
    }
    catch (...)
    {
    }
    SZKTWEventRouter::Forget(m_eventCookie);
    std::lock_guard<std::mutex> guard(m_capsLock);
    m_supportedCaps.clear();
}

// The owner is going away, and the observer with it: no more observer calls,
// and a running batch is cancelled and given a bounded time to end before the
// window thread is stopped.
void CZKTWSourceManager::_EndAcquisitionForDestruction()
{
    m_observer = nullptr;
    if (m_state < ZKTW_STATE_SOURCE_ENABLED)
        return;
    CancelAcquire(FALSE);
    if (!_WaitForTransfersToEnd())
        SZKTWTrace::Log("Destroyed while the source is still transferring", 0);
}

// Inside the loop (on the window thread) it cannot end while we wait.
bool CZKTWSourceManager::_WaitForTransfersToEnd()
{
    if (m_state < ZKTW_STATE_TRANSFER_READY)
        return true;
    if (_OnWindowThread())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTransferEndWaitMs);
    while (m_state >= ZKTW_STATE_TRANSFER_READY && std::chrono::steady_clock::now() < deadline)
        _PumpMessage(TRUE);
    return m_state < ZKTW_STATE_TRANSFER_READY;
}

void CZKTWSourceManager::InitializeDebugInfo()
{
    SZKTWTraceNames::Initialize();
}

void CZKTWSourceManager::RegisterApp(WORD majorNum, WORD minorNum, WORD language, WORD country,
                                     const char* versionInfo, const char* manufacturer, const char* productFamily,
                                     const char* productName)
{
    m_appIdentity.Id = 0;
    m_appIdentity.Version.MajorNum = majorNum;
    m_appIdentity.Version.MinorNum = minorNum;
    m_appIdentity.Version.Language = language;
    m_appIdentity.Version.Country = country;
    CopyText(m_appIdentity.Version.Info, versionInfo);
    // TWAIN 2: DF_APP2 asks a Linux DSM for its memory entry points and event
    // callbacks, which only a 2.x application may use.
    m_appIdentity.ProtocolMajor = TWON_PROTOCOLMAJOR;
    m_appIdentity.ProtocolMinor = TWON_PROTOCOLMINOR;
    m_appIdentity.SupportedGroups = DG_CONTROL | DG_IMAGE | DF_APP2;
    CopyText(m_appIdentity.Manufacturer, manufacturer);
    CopyText(m_appIdentity.ProductFamily, productFamily);
    CopyText(m_appIdentity.ProductName, productName);
}

void CZKTWSourceManager::SetLocale(WORD language, WORD country)
{
    m_appIdentity.Version.Language = language;
    m_appIdentity.Version.Country = country;
}

void CZKTWSourceManager::SetObserver(IZKTWEventObserver* observer) { m_observer = observer; }

void CZKTWSourceManager::SetInterceptor(IZKTWInterceptor* interceptor) { m_interceptor.reset(interceptor); }

void CZKTWSourceManager::SetTransferMode(WORD mode) { m_transferMode = mode; }

WORD CZKTWSourceManager::GetTransferMode() const { return m_transferMode; }

void CZKTWSourceManager::SetAsyncMode(BOOL async) { m_asyncMode = async; }

EZKTWState CZKTWSourceManager::GetState() const { return static_cast<EZKTWState>(m_state.load()); }

BOOL CZKTWSourceManager::IsSourceOpen() const { return m_state > ZKTW_STATE_DSM_OPEN; }

BOOL CZKTWSourceManager::IsAcquiring() const { return m_state > ZKTW_STATE_SOURCE_OPEN; }

void CZKTWSourceManager::GetCurrentSource(TW_IDENTITY& identity) const { identity = m_sourceIdentity; }

std::set<WORD> CZKTWSourceManager::GetSupportedCapSet() const
{
    std::lock_guard<std::mutex> guard(m_capsLock);
    return m_supportedCaps;
}

BOOL CZKTWSourceManager::IsCapSupported(WORD cap) const
{
    std::lock_guard<std::mutex> guard(m_capsLock);
    return m_supportedCaps.count(cap) ? TRUE : FALSE;
}

void CZKTWSourceManager::_SetState(EZKTWState state) { m_state = state; }

IZKTWEventObserver* CZKTWSourceManager::_Observer() const { return m_observer.load(); }

bool CZKTWSourceManager::_OnWindowThread() const
{
    const DWORD id = m_windowThreadId;
    return id != 0 && id == CZKThread::CurrentId();
}

// ---- Loading, window thread ------------------------------------------------

BOOL CZKTWSourceManager::_LoadLibrary()
{
    const std::string path = DsmPath();
    if (!CanRead(path))
        return FALSE;
    if (!m_library.Load(path))
    {
        SZKTWTrace::Log("Load TWAIN failed!", 0);
        return FALSE;
    }
    auto entry = m_library.SymbolAs<DSMENTRYPROC>("DSM_Entry");
    if (!entry)
    {
        m_library.Free();
        return FALSE;
    }
    m_dsmEntry = entry;
    return TRUE;
}

BOOL CZKTWSourceManager::_StartWindowThread()
{
    m_windowFailed = false;
    auto thread = std::make_unique<CZKThread>();
    if (!thread->Start([this] { _WindowThreadMain(); }))
        return FALSE;
    m_windowThreadId = thread->Id();
    m_windowThread = std::move(thread);
    return TRUE;
}

void CZKTWSourceManager::_StopWindowThread()
{
    if (!m_windowThread)
        return;
    if (HWND window = m_window)
        CZKHiddenWindow::Send(window, WM_ZKTW_COMMAND, reinterpret_cast<WPARAM>(this), ZKTW_COMMAND_QUIT);
    if (_OnWindowThread())
    {
        // Closing from inside an observer slot: the thread leaves its loop
        // after this message; the next Open or the destructor joins it.
        m_windowThreadId = 0;
        return;
    }
    m_windowThread->Join();
    m_windowThread.reset();
    m_windowThreadId = 0;
}

void CZKTWSourceManager::_Unload()
{
    _StopWindowThread();
    m_dsmEntry = nullptr;
    m_library.Free();
}

void CZKTWSourceManager::_WindowThreadMain()
{
    HWND window = CZKHiddenWindow::Create(
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return _WindowProc(message, wParam, lParam); });
    if (!window)
    {
        CZKMessageBox::Show(nullptr, L"Class Registration Failed!", L"Error");
        m_windowFailed = true;
        m_windowReady.Set();
        return;
    }
    m_window = window;
    SZKTWEventRouter::SetWindow(m_eventCookie, window);
    m_windowReady.Set();
    MSG msg;
    while (_NextMessage(msg))
    {
        try
        {
            if (!_TWHookMessage(&msg))
                CZKMessageQueue::Dispatch(msg);
        }
        catch (...)
        {
            // An observer that throws must not take the window thread down.
            SZKTWTrace::Log("Exception in a window-thread message", 0);
        }
    }
    SZKTWEventRouter::SetWindow(m_eventCookie, nullptr);
    CZKHiddenWindow::Destroy(window);
    m_window = nullptr;
}

bool CZKTWSourceManager::_NeedsEventPolling() const
{
    return !m_callbackRegistered && m_state >= ZKTW_STATE_SOURCE_ENABLED;
}

// Blocks for the next message, except while an enabled source can only be
// asked for its events: then the source is offered MSG_PROCESSEVENT between
// short sleeps.
BOOL CZKTWSourceManager::_NextMessage(MSG& msg)
{
    for (;;)
    {
        if (!_NeedsEventPolling())
            return CZKMessageQueue::Get(msg);
        if (CZKMessageQueue::Peek(msg, true))
            return msg.message != WM_QUIT;
        MSG tick{};
        tick.hwnd = m_window;
        tick.message = WM_NULL;
        _TWHookMessage(&tick);
        ZKSleep(kEventPollMs);
    }
}

// A blocked window thread learns that polling started.
void CZKTWSourceManager::_WakeWindowThread()
{
    if (!_NeedsEventPolling())
        return;
    if (HWND window = m_window)
        CZKHiddenWindow::Post(window, WM_NULL, 0, 0);
}

LRESULT CZKTWSourceManager::_WindowProc(UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_ZKTW_COMMAND)
        return 0;
    switch (lParam)
    {
    case ZKTW_COMMAND_QUIT:
        CZKMessageQueue::PostQuit(0);
        break;
    case ZKTW_COMMAND_CALL:
        m_pending.result =
            _DSM_Entry(m_pending.dest, m_pending.DG, m_pending.DAT, m_pending.MSG, m_pending.data, m_pending.notify);
        break;
    case ZKTW_COMMAND_CANCEL:
        _CancelAcquire();
        break;
    default:
        break;
    }
    return 1;
}

// ---- The DSM call path -----------------------------------------------------

namespace
{
TW_UINT16 CallDsm(DSMENTRYPROC entry, pTW_IDENTITY origin, pTW_IDENTITY dest, DWORD DG, WORD DAT, WORD MSG,
                  void* data)
{
    try
    {
        return entry(origin, dest, DG, DAT, MSG, data);
    }
    catch (...)
    {
        SZKTWTrace::Log("Crash from twain!", 2);
        CZKMessageBox::Show(nullptr, L"Crash from twain!", L"");
        return TWRC_FAILURE;
    }
}
} // namespace

DWORD CZKTWSourceManager::_DSM_Entry(TW_IDENTITY* dest, DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify)
{
    WORD rc = TWRC_FAILURE;
    WORD cc = TWCC_SUCCESS;
    {
        CZKCriticalSection::ScopedLock lock(m_dsmLock);
        DSMENTRYPROC entry = m_dsmEntry;
        if (!entry)
            return kNoDsm;
        rc = CallDsm(entry, &m_appIdentity, dest, DG, DAT, MSG, data);
        SZKTWTrace::Call("DSMEntry:", &rc, dest, DG, DAT, MSG, data, false);
        if (rc == TWRC_FAILURE || rc == TWRC_CANCEL)
        {
            // Asked of whoever failed: the DSM for its own triplets.
            TW_STATUS status{};
            const WORD statusRc =
                CallDsm(entry, &m_appIdentity, dest ? &m_sourceIdentity : nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
            cc = status.ConditionCode;
            SZKTWTrace::ConditionQuery(statusRc, dest, DG, DAT, MSG, data, cc);
        }
    }
    if (cc == TWCC_CHECKDEVICEONLINE)
        m_deviceOnline = FALSE;
    if (notify && (rc == TWRC_FAILURE || (rc == TWRC_CANCEL && !m_cancelledByApp)))
        _NotifyError(dest, DG, DAT, MSG, data, rc, cc);
    return ZKTWPack(rc, cc);
}

DWORD CZKTWSourceManager::_Async_DSM_Entry(TW_IDENTITY* dest, DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify)
{
    if (m_state == ZKTW_STATE_TRANSFERRING)
        return 1;
    std::lock_guard<std::mutex> guard(m_asyncLock);
    m_pending = PendingCall{dest, DG, DAT, MSG, data, notify, kNoDsm};
    SZKTWTrace::Call("Async Begin:", nullptr, dest, DG, DAT, MSG, data, true);
    bool delivered = false;
    if (HWND window = m_window)
        CZKHiddenWindow::Send(window, WM_ZKTW_COMMAND, reinterpret_cast<WPARAM>(this), ZKTW_COMMAND_CALL, &delivered);
    const DWORD result = delivered ? m_pending.result : kNoDsm;
    const WORD rc = ZKTWReturnCode(result);
    SZKTWTrace::Call("Async End:", &rc, dest, DG, DAT, MSG, data, true);
    return result;
}

DWORD CZKTWSourceManager::_Auto_DSM_Entry(TW_IDENTITY* dest, DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify)
{
    if (_OnWindowThread())
        return _DSM_Entry(dest, DG, DAT, MSG, data, notify);
    return _Async_DSM_Entry(dest, DG, DAT, MSG, data, notify);
}

DWORD CZKTWSourceManager::_SourceCall(DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify)
{
    return _Auto_DSM_Entry(&m_sourceIdentity, DG, DAT, MSG, data, notify);
}

void CZKTWSourceManager::_NotifyError(const TW_IDENTITY*, DWORD DG, WORD DAT, WORD MSG, void*, WORD rc, WORD cc)
{
    if (IZKTWEventObserver* observer = _Observer())
        observer->OnTWAINError(DG, DAT, MSG, rc, cc);
}

// ---- Source manager --------------------------------------------------------

BOOL CZKTWSourceManager::Open()
{
    try
    {
        if (m_state >= ZKTW_STATE_DSM_OPEN)
            return TRUE;
        // After a refused MSG_OPENDSM the library and thread are still there.
        _Unload();
        if (!_LoadLibrary())
            return FALSE;
        SZKTWTrace::Log("Load TWAIN", 0);
        _SetState(ZKTW_STATE_DSM_LOADED);
        m_windowReady.Reset();
        const bool started = _StartWindowThread();
        if (started)
            m_windowReady.Wait();
        if (!started || m_windowFailed)
        {
            // Without a window nothing can reach the DSM: back to unloaded.
            _Unload();
            _SetState(ZKTW_STATE_UNLOADED);
            return FALSE;
        }
        HWND parent = m_window;
        const DWORD result = _Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent, FALSE);
        if (!ZKTWSucceeded(result))
        {
            SZKTWTrace::Log((boost::format("Open DSM failed, rc=%d cc=%d") % ZKTWReturnCode(result) %
                             ZKTWConditionCode(result))
                                .str(),
                            0);
            return FALSE;
        }
        _FetchMemoryEntryPoints();
        SZKTWTrace::Log("Open DSM", 0);
        _SetState(ZKTW_STATE_DSM_OPEN);
        return TRUE;
    }
    catch (...)
    {
        return FALSE;
    }
}

void CZKTWSourceManager::_FetchMemoryEntryPoints()
{
    if (!(m_appIdentity.SupportedGroups & DF_DSM2))
        return;
    TW_ENTRYPOINT entryPoints{};
    entryPoints.Size = sizeof(entryPoints);
    if (ZKTWSucceeded(_Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_ENTRYPOINT, MSG_GET, &entryPoints, FALSE)))
    {
        SZKTWMemory::Install(entryPoints);
        m_usesDsmMemory = true;
    }
}

void CZKTWSourceManager::Close()
{
    try
    {
        // Unloading the library under a running transfer would pull the code
        // from under the window thread.
        if (!_WaitForTransfersToEnd())
        {
            SZKTWTrace::Log("Close DSM refused: a transfer is running", 0);
            return;
        }
        if (m_state >= ZKTW_STATE_DSM_LOADED)
        {
            HWND parent = m_window;
            _Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent, FALSE);
        }
        if (m_usesDsmMemory)
        {
            SZKTWMemory::Uninstall();
            m_usesDsmMemory = false;
        }
        std::memset(&m_appIdentity, 0, sizeof(m_appIdentity));
        SZKTWTrace::Log("Close DSM", 0);
        _Unload();
        _SetState(ZKTW_STATE_UNLOADED);
    }
    catch (...)
    {
    }
}

BOOL CZKTWSourceManager::QueryAvailableSources(std::vector<TW_IDENTITY>& sources)
{
    try
    {
        // Bounded, so a DSM that never says TWRC_ENDOFLIST cannot hang us.
        constexpr size_t kMaxSources = 4096;
        TW_IDENTITY identity{};
        DWORD result = _Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity, FALSE);
        for (size_t listed = 0; listed < kMaxSources; ++listed)
        {
            const WORD rc = ZKTWReturnCode(result);
            if (rc == TWRC_ENDOFLIST)
                return TRUE;
            if (rc != TWRC_SUCCESS)
                return FALSE;
            sources.push_back(identity);
            identity = TW_IDENTITY{};
            result = _Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity, FALSE);
        }
        return FALSE;
    }
    catch (...)
    {
        return FALSE;
    }
}

BOOL CZKTWSourceManager::GetDefaultSource(TW_IDENTITY& identity)
{
    return ZKTWSucceeded(_Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity, FALSE));
}

BOOL CZKTWSourceManager::UISelectSource(TW_IDENTITY& identity, HWND parent)
{
    CZKHiddenWindow::Enable(parent, FALSE);
    std::memset(&identity, 0, sizeof(identity));
    const DWORD result = _Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &identity, FALSE);
    CZKHiddenWindow::Enable(parent, TRUE);
    return ZKTWSucceeded(result);
}

// ---- Source ----------------------------------------------------------------

BOOL CZKTWSourceManager::OpenSource(const TW_IDENTITY& identity)
{
    m_sourceIdentity = identity;
    SZKTWTrace::Log("Before call DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", 1);
    const DWORD result = _Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &m_sourceIdentity, FALSE);
    SZKTWTrace::Log("After call DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", 1);
    if (!ZKTWSucceeded(result))
    {
        std::memset(&m_sourceIdentity, 0, sizeof(m_sourceIdentity));
        return FALSE;
    }
    SZKTWTrace::Log("Open source", 0);
    _RegisterEventCallback();
    _SetState(ZKTW_STATE_SOURCE_OPEN);
    m_deviceOnline = TRUE;
    _RebuildSupportedCaps();
    WORD mode = m_transferMode;
    // A source without ICAP_XFERMECH ("unsupported") still opens.
    return SetCapOnevalue(ICAP_XFERMECH, TWTY_UINT16, &mode) == ZKTW_CAP_FAILURE ? FALSE : TRUE;
}

// Linux DSMs signal source events through a callback; without one the
// window thread polls with MSG_PROCESSEVENT.
void CZKTWSourceManager::_RegisterEventCallback()
{
    TW_CALLBACK2 callback2{};
    callback2.CallBackProc = reinterpret_cast<TW_MEMREF>(SZKTWEventRouter::CallbackProc());
    callback2.RefCon = m_eventCookie;
    if (ZKTWSucceeded(_SourceCall(DG_CONTROL, DAT_CALLBACK2, MSG_REGISTER_CALLBACK, &callback2, FALSE)))
    {
        m_callbackRegistered = true;
        return;
    }
    TW_CALLBACK callback{};
    callback.CallBackProc = callback2.CallBackProc;
    callback.RefCon = m_eventCookie;
    m_callbackRegistered =
        ZKTWSucceeded(_SourceCall(DG_CONTROL, DAT_CALLBACK, MSG_REGISTER_CALLBACK, &callback, FALSE));
}

void CZKTWSourceManager::_RebuildSupportedCaps()
{
    WORD* caps = nullptr;
    unsigned count = 0;
    if (!GetSupportedCaps(&caps, count))
        return;
    std::lock_guard<std::mutex> guard(m_capsLock);
    m_supportedCaps.clear();
    m_supportedCaps.insert(caps, caps + count);
    m_supportedCapsBuilt = true;
    std::free(caps);
}

void CZKTWSourceManager::CloseSource()
{
    // The manager's state and identity change only when the DSM was asked:
    // otherwise the two disagree and the source cannot be opened again.
    if (!_WaitForTransfersToEnd())
    {
        SZKTWTrace::Log("Close source refused: a transfer is running", 0);
        return;
    }
    // A source closes from state 4 only.
    if (m_state == ZKTW_STATE_SOURCE_ENABLED)
        _DisableSource();
    SZKTWTrace::Log("Before call DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", 1);
    const DWORD result = _Auto_DSM_Entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_sourceIdentity, FALSE);
    SZKTWTrace::Log("After call DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", 1);
    if (result == kNotForwarded)
    {
        SZKTWTrace::Log("Close source refused: a transfer is running", 0);
        return;
    }
    std::memset(&m_sourceIdentity, 0, sizeof(m_sourceIdentity));
    m_callbackRegistered = false;
    SZKTWTrace::Log("Close source", 0);
    _SetState(ZKTW_STATE_DSM_OPEN);
    m_deviceOnline = FALSE;
}

EZKTWUIReturnCode CZKTWSourceManager::ShowGUI(HWND parent, WORD msg)
{
    m_uiResult = ZKTW_UI_FAILED;
    TW_USERINTERFACE ui{};
    ui.ShowUI = TRUE;
    ui.ModalUI = TRUE;
    ui.hParent = parent;
    // Enabled before the call returns, so an event the source signals at once
    // already finds the source enabled.
    const int32_t previous = m_state;
    _SetState(ZKTW_STATE_SOURCE_ENABLED);
    if (!ZKTWSucceeded(_SourceCall(DG_CONTROL, DAT_USERINTERFACE, msg, &ui, FALSE)))
    {
        _SetState(static_cast<EZKTWState>(previous));
        return ZKTW_UI_FAILED;
    }
    _WakeWindowThread();
    _WaitForSourceToClose();
    _BringUpWindow(parent);
    return static_cast<EZKTWUIReturnCode>(m_uiResult.load());
}

BOOL CZKTWSourceManager::_EnableSource(BOOL showUI, BOOL modalUI, HWND parent)
{
    SZKTWTrace::Log("Before call DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", 1);
    TW_USERINTERFACE ui{};
    ui.ShowUI = showUI ? TRUE : FALSE;
    ui.ModalUI = showUI && modalUI ? TRUE : FALSE;
    ui.hParent = parent;
    _SetState(ZKTW_STATE_SOURCE_ENABLED);
    const DWORD result = _SourceCall(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui, FALSE);
    SZKTWTrace::Log("After call DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", 1);
    if (!ZKTWSucceeded(result))
    {
        _DisableSource();
        return FALSE;
    }
    _WakeWindowThread();
    return TRUE;
}

BOOL CZKTWSourceManager::_DisableSource()
{
    SZKTWTrace::Log("Before call DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS", 1);
    TW_USERINTERFACE ui{};
    ui.hParent = m_window.load();
    _SourceCall(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui, FALSE);
    SZKTWTrace::Log("After call DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS", 1);
    _SetState(ZKTW_STATE_SOURCE_OPEN);
    return TRUE;
}

void CZKTWSourceManager::_WaitForSourceToClose()
{
    while (m_state > ZKTW_STATE_SOURCE_OPEN && m_window.load())
        _PumpMessage(TRUE);
}

void CZKTWSourceManager::_BringUpWindow(HWND hwnd)
{
    // No desktop here: foreground and show succeed without effect.
    if (!hwnd)
        return;
    CZKHiddenWindow::SetForeground(hwnd);
    CZKHiddenWindow::Show(hwnd, 5 /* SW_SHOW */);
}

BOOL CZKTWSourceManager::SetCustomDSData(HGLOBAL data)
{
    if (!CZKGlobalMemory::IsValid(data))
        return FALSE;
    const size_t size = CZKGlobalMemory::Size(data);
    if (size > 0xFFFFFFFFu)
        return FALSE;
    // The source reads a TWAIN memory handle, not our global-memory handle.
    void* block = SZKTWMemory::Alloc(size);
    if (!block)
        return FALSE;
    const void* bytes = CZKGlobalMemory::Lock(data);
    void* target = SZKTWMemory::Lock(block);
    if (bytes && target && size)
        std::memcpy(target, bytes, size);
    SZKTWMemory::Unlock(block);
    CZKGlobalMemory::Unlock(data);
    TW_CUSTOMDSDATA custom{};
    custom.InfoLength = static_cast<TW_UINT32>(size);
    custom.hData = block;
    const DWORD result = _SourceCall(DG_CONTROL, DAT_CUSTOMDSDATA, MSG_SET, &custom, FALSE);
    SZKTWMemory::Free(block);
    return ZKTWSucceeded(result);
}

BOOL CZKTWSourceManager::GetCustomDSData(HGLOBAL& out)
{
    out = nullptr;
    TW_CUSTOMDSDATA custom{};
    if (!ZKTWSucceeded(_SourceCall(DG_CONTROL, DAT_CUSTOMDSDATA, MSG_GET, &custom, FALSE)))
        return FALSE;
    HGLOBAL copy = CZKGlobalMemory::Alloc(custom.InfoLength);
    const void* bytes = SZKTWMemory::Lock(custom.hData);
    void* target = copy ? CZKGlobalMemory::Lock(copy) : nullptr;
    if (target && bytes && custom.InfoLength)
        std::memcpy(target, bytes, custom.InfoLength);
    if (target)
        CZKGlobalMemory::Unlock(copy);
    SZKTWMemory::Unlock(custom.hData);
    SZKTWMemory::Free(custom.hData);
    if (copy && custom.InfoLength && !bytes)
    {
        CZKGlobalMemory::Free(copy);
        copy = nullptr;
    }
    out = copy;
    return copy ? TRUE : FALSE;
}

DWORD CZKTWSourceManager::ChangeDirectory(char (&path)[256])
{
    auto fileSystem = std::make_unique<TW_FILESYSTEM>();
    std::memset(fileSystem.get(), 0, sizeof(TW_FILESYSTEM));
    std::strncpy(fileSystem->InputName, path, sizeof(fileSystem->InputName) - 1);
    return _SourceCall(DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, fileSystem.get(), FALSE);
}

DWORD CZKTWSourceManager::InvokeDSCommand(DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify)
{
    return _SourceCall(DG, DAT, MSG, data, notify);
}

// ---- Messages --------------------------------------------------------------

BOOL CZKTWSourceManager::_TWHookMessage(MSG* msg)
{
    if (!msg || m_state < ZKTW_STATE_SOURCE_OPEN)
        return FALSE;
    if (msg->message == WM_ZKTW_SOURCE_EVENT)
    {
        _OnSourceEvent(static_cast<WORD>(msg->wParam));
        return TRUE;
    }
    if (m_callbackRegistered)
        return FALSE;
    TW_EVENT event{};
    event.pEvent = msg;
    event.TWMessage = MSG_NULL;
    const DWORD result = _DSM_Entry(&m_sourceIdentity, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event, FALSE);
    _OnSourceEvent(event.TWMessage);
    return ZKTWReturnCode(result) == TWRC_DSEVENT;
}

void CZKTWSourceManager::_OnSourceEvent(WORD twMessage)
{
    // Events can arrive late through the callback queue; one that no longer
    // fits the state is dropped.
    switch (twMessage)
    {
    case MSG_XFERREADY:
        if (m_state != ZKTW_STATE_SOURCE_ENABLED || !_BeginToldOrKeepTransferReady())
            return;
        _SetState(ZKTW_STATE_TRANSFER_READY);
        _DoTransfers();
        _SetState(ZKTW_STATE_SOURCE_ENABLED);
        _DisableSource();
        if (IZKTWEventObserver* observer = _Observer())
            observer->OnAcquireEnd(m_acquisitionCancelled);
        break;
    case MSG_CLOSEDSREQ:
    case MSG_CLOSEDSOK:
        if (m_state < ZKTW_STATE_SOURCE_ENABLED)
            return;
        m_uiResult = twMessage == MSG_CLOSEDSOK ? ZKTW_UI_OK : ZKTW_UI_CANCEL;
        _DisableSource();
        break;
    case MSG_DEVICEEVENT:
        _NotifyDeviceEvent();
        break;
    default:
        break;
    }
}

void CZKTWSourceManager::_PumpMessage(BOOL)
{
    MSG msg;
    if (CZKMessageQueue::Peek(msg, true))
    {
        if (msg.message == WM_QUIT)
        {
            // Not ours to consume: the thread's own loop must still see it.
            CZKMessageQueue::PostQuit(static_cast<int>(msg.wParam));
            ZKSleep(1);
            return;
        }
        if (!(_OnWindowThread() && _TWHookMessage(&msg)))
            CZKMessageQueue::Dispatch(msg);
        return;
    }
    if (_OnWindowThread() && _NeedsEventPolling())
    {
        MSG tick{};
        tick.message = WM_NULL;
        _TWHookMessage(&tick);
    }
    ZKSleep(1);
}

void CZKTWSourceManager::_PumpAllMessages(BOOL allWindows)
{
    MSG msg;
    while (CZKMessageQueue::Peek(msg, false) && msg.message != WM_QUIT)
        _PumpMessage(allWindows);
}
