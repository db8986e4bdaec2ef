// The one object through which a scanner is driven with the ISIS toolkit:
// driver discovery, the module chain the images flow through, tags, driver
// configuration, the toolkit environment, error reporting, and scan runs on
// the session thread.
//
// The layer's state and error reporter are process-wide: two managers share
// them. Exported operations never throw.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include <goldmere/ZKISISEventObserver.h>
#include <goldmere/ZKISISTypes.h>
#include <goldmere/ZKISISWindowsList.h>
#include <goldmere/goldmere_export.h>

class CZKBuffer;
class CZKISISScannerDriver;
class CZKISISScanPage;
class CZKISISProcessModule;
class CZKISISFileOutput;
class CZKISISScanSession;

class GOLDMERE_EXPORT CZKISISManager
{
public:
    CZKISISManager();
    virtual ~CZKISISManager();
    CZKISISManager(const CZKISISManager&) = delete;
    CZKISISManager& operator=(const CZKISISManager&) = delete;

    // Lifecycle.
    BOOL Initialize();
    BOOL Uninitialize();
    BOOL Open(const wchar_t* driverName);
    BOOL Close();
    BOOL IsOpened();
    BOOL SetLocale(const DWORD& localeId);
    void SetObserver(IZKISISEventObserver* observer);
    static EZKISISState GetState();
    static void EnableErrorReport(BOOL enable);
    static WORD GetLastError();

    // Drivers.
    BOOL QueryAvailableDrivers(std::vector<ZK_ISIS_DRIVERLIST_ITEM>& drivers);
    BOOL GetScannerModel(std::wstring& model, const wchar_t* driverName, int index);
    BOOL GetDefaultDriver(std::wstring& driver);
    BOOL GetCurrentDriver(std::wstring& driver);
    EZKISISUIReturnCode UISelectDrive(HWND parent, std::wstring& driver);
    BOOL GetDriverInfo(ZK_ISIS_DRIVERINFO& info);
    EZKISISUIReturnCode Setup(HWND parent);

    // Tags of the scanner driver.
    BOOL TagCreate(const WORD& tag, const EZKISISTagValueType& type);
    BOOL TagOneValueGet(long& value, const WORD& tag, const WORD& index = 0);
    BOOL TagOneValueGet(float& value, const WORD& tag, const WORD& index = 0);
    BOOL TagOneValueGet(std::wstring& value, const WORD& tag, const WORD& index = 0);
    long TagValueLength(const WORD& tag);
    BOOL TagOneValueSet(const std::wstring& value, const WORD& tag, const WORD& index = 0);
    BOOL TagOneValueSet(const long& value, const WORD& tag, const WORD& index = 0);
    BOOL TagOneValueSet(const float& value, const WORD& tag, const WORD& index = 0);
    BOOL TagSupported(const WORD& tag);
    long TagChoiceCount(const WORD& tag);
    BOOL TagChoiceValueGet(long& value, const WORD& tag, const WORD& index);
    BOOL TagChoiceValueGet(float& value, const WORD& tag, const WORD& index);
    BOOL TagChoiceValueGet(std::wstring& value, const WORD& tag, const WORD& index);
    BOOL TagType(DWORD& type, const WORD& tag);
    long TagValueType(const WORD& tag);
    BOOL TagRangeValueGet(long& minimum, long& maximum, long& step, const WORD& tag);
    BOOL SetAllAsDefault();
    BOOL SaveAllTags();
    BOOL FlushAllTags();
    BOOL RestoreAllTags();

    // The driver's own settings, moved as a whole.
    BOOL ReadConfig(CZKBuffer& config);
    BOOL WriteConfig(CZKBuffer& config);
    BOOL ResetConfig();

    // The toolkit environment.
    BOOL EnvPut(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    BOOL EnvGet(const std::wstring& section, const std::wstring& key, std::wstring& value);

    // Scan settings.
    int ScanType();
    BOOL QueryAllSupportedScanType(std::vector<int>& types);
    BOOL SupportScanType(int type);
    BOOL AutoColorDectect();
    BOOL AutoBlankPageRemove();
    BOOL PageSideLegal(const int& window);
    BOOL ScanCountPerPageSide(int& front, int& back);
    BOOL ImagesPerPage(int& front, int& back);
    BOOL ScanModeLegal(const int& window, const int& samplesPerPixel, const int& bitsPerSample);
    BOOL ScanModeLegalEx(const int& window, const int& samplesPerPixel, const int& bitsPerSample,
                         const int& xResolution, const int& yResolution);
    BOOL SetScanMode(const int& window, const int& samplesPerPixel, const int& bitsPerSample);
    BOOL SetScanModeEx(const int& window, const int& samplesPerPixel, const int& bitsPerSample,
                       const int& xResolution, const int& yResolution);
    BOOL MultiStreamLegal(int front);
    BOOL SetScannerParameters(int window, int samplesPerPixel, int bitsPerSample, int compression,
                              unsigned xResolution, unsigned yResolution, int photometric, int frontWindows,
                              int backWindows);
    BOOL ScanAsFrontSide();
    BOOL ScanAsBackSide();
    BOOL ScanAsBothSide();
    BOOL ScanAheadMode();
    BOOL EnableScanAhead(BOOL enable);
    BOOL GetWindowsList(CZKISISWindowsList& windows);
    BOOL GetInitialWindows(CZKISISWindowsList& windows);

    // Read by the session thread during runs, hence atomic.
    void SetTransferType(const EZKISISTransferType& type) { m_transferType = type; }
    EZKISISTransferType GetTransferType() const { return m_transferType; }
    void SetScanMode(const EZKISISScanMode& mode) { m_scanMode = mode; }
    EZKISISScanMode GetScanMode() const { return m_scanMode; }
    void SetFlabedDelay(unsigned delayMs) { m_flatbedDelay = delayMs; }
    unsigned GetFlabedDelay() const { return m_flatbedDelay; }
    void SetCompressionType(EZKISISCompressionType type);
    void SetCompression(int windowId, int compression);

    // Scan runs.
    BOOL StartRun(int pages);
    BOOL StopRun(int how);
    BOOL DeviceBusy();

    // The internal modules; other parts of the system only pass them back.
    CZKISISScannerDriver* GetScanner() const { return m_scanner; }
    CZKISISScanPage* GetScanPage() const { return m_scanPage; }
    CZKISISFileOutput* GetFileOutputHandler() const { return m_fileOutput; }

private:
    BOOL _LinkChain();
    void _UnlinkChain();
    void _DeleteModules();

    IZKISISEventObserver* m_observer = nullptr;
    CZKISISScanSession* m_session = nullptr;
    CZKISISScannerDriver* m_scanner = nullptr;
    CZKISISScanPage* m_scanPage = nullptr;
    CZKISISProcessModule* m_processModule = nullptr;
    CZKISISFileOutput* m_fileOutput = nullptr;
    std::atomic<EZKISISTransferType> m_transferType{ZKISIS_TRANSFER_PAGE};
    std::atomic<EZKISISScanMode> m_scanMode{ZKISIS_SCAN_ONE_RUN};
    std::atomic<unsigned> m_flatbedDelay{0};
};
