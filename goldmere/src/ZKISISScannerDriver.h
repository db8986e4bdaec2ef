// The scanner driver module: the loaded driver, its scan settings and its
// scanning of pages, which sends each image down the module chain.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "ZKISISDriver.h"

class CZKISISWindowsList;

class CZKISISScannerDriver : public CZKISISDriver
{
public:
    // The states StopRun tells apart: below FEEDING a stop takes effect at
    // once, while feeding the current page is finished first.
    enum EScanState
    {
        SCAN_CLOSED = 0,
        SCAN_OPEN = 1,
        SCAN_STARTING = 2,
        SCAN_BETWEEN_PAGES = 3,
        SCAN_FEEDING = 4
    };
    // What ScanPages answers when a page failed.
    static const int kScanFailed = -3;

    CZKISISScannerDriver(CZKISISScanSession* session, IZKISISEventObserver* observer);
    ~CZKISISScannerDriver() override;

    BOOL Open(const std::wstring& driverName);
    BOOL Close();
    BOOL IsOpened() const { return m_module != nullptr; }
    const std::wstring& GetDriverName() const { return m_driverName; }
    BOOL GetDriverInfo(ZK_ISIS_DRIVERINFO& info);
    BOOL Link(ZKISIS_MODULE* next);
    void Unlink();

    // Scanning, on the session thread.
    BOOL StartScanning();
    // Pages scanned (pages <= 0: until the feeder is empty), or kScanFailed.
    int ScanPages(int pages);
    void EndScanning();
    void SetStopFlag(bool stop) { m_stop.store(stop); }
    bool GetStopFlag() const { return m_stop.load(); }
    int GetScanState() const { return m_state.load(); }
    BOOL ScanAheadMode() const { return m_scanAhead.load(); }
    void EnableScanAhead(BOOL enable) { m_scanAheadAllowed.store(enable != FALSE); }

    // Scan settings (ZKISISScannerDriverSettings.cpp).
    int ScanType();
    BOOL QueryAllSupportedScanType(std::vector<int>& types);
    BOOL SupportScanType(int type);
    BOOL AutoColorDectect();
    BOOL AutoBlankPageRemove();
    BOOL PageSideLegal(int window);
    BOOL ScanCountPerPageSide(int& front, int& back);
    BOOL ImagesPerPage(int& front, int& back);
    BOOL ScanModeLegal(int window, int samplesPerPixel, int bitsPerSample);
    BOOL ScanModeLegalEx(int window, int samplesPerPixel, int bitsPerSample, int xResolution, int yResolution);
    BOOL SetScanMode(int window, int samplesPerPixel, int bitsPerSample);
    BOOL SetScanModeEx(int window, int samplesPerPixel, int bitsPerSample, int xResolution, int yResolution);
    BOOL MultiStreamLegal(int front);
    BOOL SetScannerParameters(int window, int samplesPerPixel, int bitsPerSample, int compression,
                              unsigned xResolution, unsigned yResolution, int photometric, int frontWindows,
                              int backWindows);
    BOOL ScanAsFrontSide();
    BOOL ScanAsBackSide();
    BOOL ScanAsBothSide();
    BOOL GetWindowsList(CZKISISWindowsList& windows);
    BOOL GetInitialWindows(CZKISISWindowsList& windows);

private:
    BOOL _ScanAs(int scanType);
    BOOL _ScanAsThroughWindows(int scanType);
    long _LongOr(WORD tag, long fallback);

    std::wstring m_driverName;
    std::atomic<int> m_state{SCAN_CLOSED};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_scanAhead{false};
    std::atomic<bool> m_scanAheadAllowed{true};
};
