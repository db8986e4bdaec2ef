// The scan session: one thread per manager that carries out scan runs. It
// waits for start and quit requests, prepares each run (images per page,
// window compressions), lets the scanner driver scan, and turns the page
// module's begin/data/end deliveries into observer calls, checking each
// image before it is handed on.
#pragma once

#include <atomic>
#include <utility>
#include <vector>

#include <goldmere/ZKISISTypes.h>
#include <isisdefs/ZKIsisToolkit.h>
#include <wincompat/ZKCriticalSection.h>
#include <wincompat/ZKEvent.h>
#include <wincompat/ZKThread.h>

class CZKISISManager;
class CZKISISDriver;
class IZKISISEventObserver;

class CZKISISScanSession
{
public:
    explicit CZKISISScanSession(CZKISISManager& manager);
    // Ends the thread through its quit event.
    ~CZKISISScanSession();
    CZKISISScanSession(const CZKISISScanSession&) = delete;
    CZKISISScanSession& operator=(const CZKISISScanSession&) = delete;

    void SetObserver(IZKISISEventObserver* observer) { m_observer.store(observer); }
    IZKISISEventObserver* GetObserver() const { return m_observer.load(); }
    void SetCompressionType(EZKISISCompressionType type) { m_compressionType.store(type); }
    EZKISISCompressionType GetCompressionType() const { return m_compressionType.load(); }
    void SetCompression(int windowId, int compression);

    // FALSE while a run is in progress.
    BOOL StartRun(int pages);
    BOOL StopRun(int how);
    BOOL IsRunning() const { return m_running.load(); }
    // Stops a run at once, ends the thread and waits for it.
    void End();

    // The page module's deliveries, which run on the session thread.
    static ZKISIS_PAGE_CALLBACKS PageCallbacks(CZKISISScanSession* session);

private:
    void _ThreadBody();
    void _OneRun();
    void _RepeatedRun();
    void _PrepareRun();
    void _SetWindowCompressions();
    long _WindowCompression(long windowId, EZKISISCompressionType type);
    bool _WaitFlatbedDelay();
    void _FinishRun();
    void _WaitUntilRunEnded();

    int32_t _ImageBegin();
    int32_t _ImageData(const uint8_t* data, uint32_t length);
    int32_t _ImageEnd();
    CZKISISDriver* _ImageTagSource() const;
    void _BuildImageInfo(ZK_ISIS_IMAGE_INFO& info);
    void _NormaliseCompression(ZK_ISIS_IMAGE_INFO& info) const;
    bool _Accepted(const ZK_ISIS_IMAGE_INFO& info, int imagesEnded) const;
    void _RunError(int32_t status, const char* logLine);
    static uint64_t _RawImageSize(const ZK_ISIS_IMAGE_INFO& info);

    CZKISISManager& m_manager;
    std::atomic<IZKISISEventObserver*> m_observer{nullptr};
    CZKEvent m_start, m_abort, m_quit;
    CZKThread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_threadActive{false};
    std::atomic<bool> m_waiting{false};
    std::atomic<int> m_pages{-1};

    std::atomic<EZKISISCompressionType> m_compressionType{ZKISIS_COMPRESSION_BEST};
    std::vector<std::pair<int, int>> m_windowCompressions; // guarded by m_lock
    bool m_anyWindowG4 = false;   // session thread only
    bool m_anyWindowJpeg = false; // session thread only

    std::atomic<int> m_imagesPerPage{1};
    int m_frontImagesPerPage = 1;
    std::atomic<int> m_imagesEnded{0};
    DWORD m_bytesDelivered = 0;   // session thread only
    uint64_t m_announcedBytes = 0; // 0: coded data of unknown size
    bool m_inImage = false;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<int> m_stopMode{0};
    std::atomic<int> m_stopAt{0};
    std::atomic<int> m_errorFlags{0};

    CZKCriticalSection m_lock;
};
