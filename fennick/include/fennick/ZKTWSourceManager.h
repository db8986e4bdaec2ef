// The one object through which the application talks to TWAIN: it loads the
// source manager library, runs a hidden window on a thread of its own, opens
// the DSM and one data source, and funnels every DSM_Entry call through one
// locked, traced path on that thread. Calls from other threads are handed to
// the window thread and wait for it.
#pragma once

#include <fennick/ZKTWCapabilitySupport.h>
#include <fennick/ZKTWEventObserver.h>
#include <fennick/ZKTWExtraImageInfo.h>
#include <fennick/ZKTWInterceptor.h>
#include <fennick/ZKTWTypes.h>
#include <fennick/fennick_export.h>

#include <wincompat/ZKCriticalSection.h>
#include <wincompat/ZKDynamicLibrary.h>
#include <wincompat/ZKEvent.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

class CZKRBuffer;
class CZKThread;

class FENNICK_EXPORT CZKTWSourceManager
{
public:
    CZKTWSourceManager();
    // Stops the window thread if Close was not called; does not talk to the
    // DSM or the source, except that a running batch is cancelled (and the
    // observer no longer called) before the thread stops.
    virtual ~CZKTWSourceManager();
    // A copy would share the window thread and the library handle, and both
    // copies would tear them down.
    CZKTWSourceManager(const CZKTWSourceManager&) = delete;
    CZKTWSourceManager& operator=(const CZKTWSourceManager&) = delete;

    // Settings.
    void RegisterApp(WORD majorNum, WORD minorNum, WORD language, WORD country, const char* versionInfo,
                     const char* manufacturer, const char* productFamily, const char* productName);
    void SetLocale(WORD language, WORD country);
    void SetObserver(IZKTWEventObserver* observer);
    // Takes ownership; the previous interceptor is deleted.
    void SetInterceptor(IZKTWInterceptor* interceptor);
    // TWSX_ code; the source learns it at the next OpenSource.
    void SetTransferMode(WORD mode);
    WORD GetTransferMode() const;
    void SetAsyncMode(BOOL async);

    EZKTWState GetState() const;
    BOOL IsSourceOpen() const;
    BOOL IsAcquiring() const;
    void GetCurrentSource(TW_IDENTITY& identity) const;
    // The capability ids the source reported for CAP_SUPPORTEDCAPS at open.
    std::set<WORD> GetSupportedCapSet() const;
    BOOL IsCapSupported(WORD cap) const;

    // Fills the trace name tables; runs at library load.
    static void InitializeDebugInfo();

    // Source manager and source.
    BOOL Open();
    void Close();
    // Appends every source the DSM lists; the vector is not emptied first.
    BOOL QueryAvailableSources(std::vector<TW_IDENTITY>& sources);
    BOOL GetDefaultSource(TW_IDENTITY& identity);
    BOOL UISelectSource(TW_IDENTITY& identity, HWND parent);
    BOOL OpenSource(const TW_IDENTITY& identity);
    // Close and CloseSource from another thread wait (bounded) for a running
    // transfer loop to end, and change nothing when it does not; from inside
    // the loop (an observer slot) they change nothing.
    void CloseSource();
    EZKTWUIReturnCode ShowGUI(HWND parent, WORD msg);
    // The caller keeps the handle (a global-memory block).
    BOOL SetCustomDSData(HGLOBAL data);
    // out becomes a new global-memory block the caller owns; null on failure.
    BOOL GetCustomDSData(HGLOBAL& out);
    DWORD ChangeDirectory(char (&path)[256]);
    DWORD InvokeDSCommand(DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify);

    // Acquisition. FALSE while another acquisition is in progress.
    BOOL Acquire(HWND parent, short count, BOOL showUI);
    void CancelAcquire(BOOL wait);
    BOOL IsDeviceOnline();

    // Capabilities: 0 success, 8 unsupported by the source, 1 any other
    // failure. Values are read at the layout of the container kind asked for;
    // a source answering with another kind or item size gets 1.
    WORD ResetCap(WORD cap);
    WORD SetCapOnevalue(WORD cap, WORD itemType, const void* value);
    WORD SetCapArray(WORD cap, WORD itemType, const void* items, unsigned count);
    WORD SetCapEnumeration(WORD cap, WORD itemType, DWORD currentIndex, DWORD defaultIndex, const void* items,
                           unsigned count);
    WORD GetCapOnevalue(WORD cap, EZKTWGetCapOp op, WORD itemType, void* value);
    // *items is a malloc'ed array the caller frees with free.
    WORD GetCapArray(WORD cap, EZKTWGetCapOp op, WORD itemType, void** items, unsigned& count);
    WORD GetCapEnumeration(WORD cap, EZKTWGetCapOp op, WORD itemType, DWORD& currentIndex, DWORD& defaultIndex,
                           void** items, unsigned& count);
    BOOL QueryCapSupport(WORD cap, ZKTW_CAPABILITY_SUPPORT& support);
    BOOL GetSupportedCaps(WORD** caps, unsigned& count);
    BOOL GetUnit(EZKTWImageUnit& unit);

protected:
    friend class IZKTWInterceptor;

    DWORD _DSM_Entry(TW_IDENTITY* dest, DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify);
    DWORD _Async_DSM_Entry(TW_IDENTITY* dest, DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify);
    DWORD _Auto_DSM_Entry(TW_IDENTITY* dest, DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify);
    // To the current source through the dispatch rule.
    DWORD _SourceCall(DWORD DG, WORD DAT, WORD MSG, void* data, BOOL notify);
    BOOL _EnableSource(BOOL showUI, BOOL modalUI, HWND parent);
    BOOL _DisableSource();
    void _BringUpWindow(HWND hwnd);
    BOOL _TWHookMessage(MSG* msg);
    void _NotifyError(const TW_IDENTITY* dest, DWORD DG, WORD DAT, WORD MSG, void* data, WORD rc, WORD cc);
    void _PumpMessage(BOOL allWindows);
    void _PumpAllMessages(BOOL allWindows);

    WORD _GetCap(WORD cap, EZKTWGetCapOp op, WORD& conType, void*& container);
    WORD _SetCap(WORD cap, WORD conType, void* container);
    BOOL _QueryCapSupport(WORD cap, DWORD& support);

    // Acquisition seams. The transfer loop runs on the window thread when
    // the source signals MSG_XFERREADY.
    virtual BOOL _DoTransfers();
    // One image by the transfer mode; a packed result (0 for an unknown mode).
    virtual DWORD _OnceTransfer(ZKTWIMAGEINFO* info, EZKTWImageUnit unit);
    DWORD _NativeTransfer(ZKTWIMAGEINFO* info, EZKTWImageUnit unit);
    DWORD _FileTransfer();
    DWORD _MemoryTransfer(ZKTWIMAGEINFO* info, EZKTWImageUnit unit);
    BOOL _GetImageInfo(ZKTWIMAGEINFO& info, EZKTWImageUnit unit);
    DWORD _GetExtraImageInfo(CZKTWExtraImageInfo& info);
    void _CancelAcquire();
    DWORD _CheckCancelRequest(TW_PENDINGXFERS* pending, WORD msg);
    BOOL _EnableDeviceEvent();
    void _NotifyDeviceEvent();

    // Acts on a source's event message, from the hook or the event callback.
    void _OnSourceEvent(WORD twMessage);
    // Written on the window thread; waiting callers poll it.
    void _SetState(EZKTWState state);

    std::atomic<BOOL> m_cancelPending{FALSE};
    std::atomic<BOOL> m_cancelledByApp{FALSE};
    std::atomic<BOOL> m_acquisitionCancelled{FALSE};

private:
    struct PendingCall
    {
        TW_IDENTITY* dest = nullptr;
        DWORD DG = 0;
        WORD DAT = 0;
        WORD MSG = 0;
        void* data = nullptr;
        BOOL notify = FALSE;
        DWORD result = 0;
    };

    BOOL _LoadLibrary();
    BOOL _StartWindowThread();
    void _StopWindowThread();
    void _Unload();
    void _WindowThreadMain();
    BOOL _NextMessage(MSG& msg);
    bool _NeedsEventPolling() const;
    void _WakeWindowThread();
    LRESULT _WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool _OnWindowThread() const;
    void _FetchMemoryEntryPoints();
    void _RegisterEventCallback();
    void _RebuildSupportedCaps();
    void _WaitForSourceToClose();
    IZKTWEventObserver* _Observer() const;
    // The observer's extra-info object for the image just transferred,
    // filled; nullptr when it gives none.
    CZKTWExtraImageInfo* _CollectExtraImageInfo(IZKTWEventObserver* observer, EZKTWImageUnit unit);
    // MSG_ENDXFER (or the interceptor) and the cancel check after an image.
    DWORD _EndTransfer(TW_PENDINGXFERS& pending);
    void _ResetPendingTransfers();
    // The strips of one memory-transfer image, within the budget of what the
    // source announced; a pending cancel ends an image that runs past its
    // announced size.
    DWORD _ReadStrips(TW_IMAGEMEMXFER& block, const TW_SETUPMEMXFER& setup, const ZKTWIMAGEINFO& announced,
                      EZKTWImageUnit unit);
    // Points the record at the manager's own strip buffer, made on first use.
    bool _UseOwnStrip(CZKRBuffer& strip, const TW_SETUPMEMXFER& setup, TW_IMAGEMEMXFER& block);
    // placed: the strip is in the observer's own block.
    void _DeliverStrip(IZKTWEventObserver& observer, TW_IMAGEMEMXFER& block, bool placed, BOOL last,
                       ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra);
    void _DeliverLastStrip(IZKTWEventObserver* observer, TW_IMAGEMEMXFER& block, bool placed, EZKTWImageUnit unit);
    // Reports a fault of the source's that ends the batch; a packed failure.
    DWORD _FailTransfer(WORD DAT, WORD cc, const char* why);
    void _AbortImage();
    // Bounded; false when a transfer still runs (always, on the window
    // thread inside the loop).
    bool _WaitForTransfersToEnd();
    void _EndAcquisitionForDestruction();
    // OnAcquireBegin runs on the caller's thread while the source, already
    // enabled, may be ready: transfers wait until the begin has been told,
    // so no image reaches the observer before it.
    void _HoldTransfersUntilBeginTold();
    // Tells the observer when the source was enabled; ends the hold always.
    void _TellAcquireBegin(bool enabled);
    // Window thread, MSG_XFERREADY: false when the event was kept for later.
    bool _BeginToldOrKeepTransferReady();
    // True on the thread that tells the begin, while it is told: nothing
    // there may wait for the transfers the begin holds back.
    bool _TellingBeginHere();

    CZKDynamicLibrary m_library;
    std::atomic<DSMENTRYPROC> m_dsmEntry{nullptr};
    CZKCriticalSection m_dsmLock;
    std::atomic<int32_t> m_state{ZKTW_STATE_UNLOADED};
    TW_IDENTITY m_appIdentity{};
    TW_IDENTITY m_sourceIdentity{};
    std::atomic<WORD> m_transferMode{TWSX_MEMORY};
    std::unique_ptr<CZKThread> m_windowThread;
    std::atomic<DWORD> m_windowThreadId{0};
    std::atomic<HWND> m_window{nullptr};
    std::atomic<bool> m_windowFailed{false};
    CZKEvent m_windowReady{true, false};
    CZKEvent m_spareEvent{true, false}; // nothing waits on it
    std::mutex m_asyncLock;              // one forwarded call at a time
    PendingCall m_pending;
    std::atomic<int32_t> m_uiResult{ZKTW_UI_FAILED};
    std::atomic<IZKTWEventObserver*> m_observer{nullptr};
    std::unique_ptr<IZKTWInterceptor> m_interceptor;
    std::atomic<BOOL> m_deviceOnline{FALSE};
    std::atomic<BOOL> m_asyncMode{FALSE};
    std::atomic<bool> m_acquireBusy{false}; // an Acquire call is running
    std::mutex m_beginLock;                 // the two flags below
    bool m_beginTold = true;
    bool m_transferReadyKept = false;
    DWORD m_beginTeller = 0; // the thread that tells the begin
    bool m_transfersReset = false;          // window thread: an aborted image already reset the batch
    mutable std::mutex m_capsLock;
    std::set<WORD> m_supportedCaps;
    bool m_supportedCapsBuilt = false;
    std::atomic<bool> m_callbackRegistered{false};
    bool m_usesDsmMemory = false;
    uint32_t m_eventCookie = 0;
};
