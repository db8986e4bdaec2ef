// The scanner implementation that drives a scanner through TWAIN. It owns
// the TWAIN source manager, observes it, and turns its events into the
// facade's records: strips of a memory transfer are joined into one image,
// pages and imprints are numbered across long-paper segments and repeated
// passes, and repeat mode keeps acquiring on a worker thread of its own.
#pragma once

#include "QXStripPage.h"

#include <mirelight/QXScannerImpl.h>
#include <mirelight/QX_SCANNER_CAMERAINFO.h>
#include <mirelight/QX_SCANNER_IMAGE_INFO.h>
#include <mirelight/QX_SCANNER_SESSION_BEGIN_INFO.h>
#include <mirelight/QX_SCANNER_SESSION_END_INFO.h>
#include <mirelight/mirelight_export.h>

#include <fennick/ZKTWSourceManager.h>
#include <wincompat/ZKEvent.h>
#include <wincompat/ZKThread.h>

#include <atomic>
#include <memory>
#include <string>

class CQXRidgeExtraImageInfo;
class CQXTWAINSourceModel;
class CZKTagHolder;
class CZKRBuffer;

class MIRELIGHT_EXPORT CQXTWAINScannerImpl : public CQXScannerImpl, public IZKTWEventObserver
{
public:
    // Not a repeat-mode page limit.
    static constexpr WORD NO_PAGE_LIMIT = 0xFFFF;
    // Repeat-mode pauses are slept in slices of this length so that a cancel
    // ends them early.
    static constexpr DWORD PAUSE_SLICE_MS = 200;

    CQXTWAINScannerImpl();
    ~CQXTWAINScannerImpl() override;

    // CQXScannerImpl
    EQXScannerProtocol GetProtocol() const override { return QX_SCANNER_PROTOCOL_TWAIN; }
    BOOL Initialize() override;
    void Uninitialize() override;
    BOOL QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list) override;
    BOOL GetDefaultScanner(std::wstring& name) override;
    BOOL UISelectScanner(std::wstring& name, HWND parent) override;
    void GetCurrentScanner(std::wstring& name) override;
    EQXScannerFamily GetCurrentScannerFamily() override;
    BOOL IsOpen() override;
    BOOL IsOnline() override;
    EQXScannerUIReturnCode Setup(HWND parent, EQXScannerGUISetupType type) override;
    BOOL Acquire(HWND parent, int count) override;
    void CancelAcquire(BOOL wait) override;
    BOOL IsAcquiring() override;
    BOOL SwitchCaptureSide(EQXCaptureSide side) override;
    BOOL GetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) override;
    BOOL SetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) override;
    BOOL GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config,
                           CZKBuffer* settings) override;
    BOOL SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config,
                           std::wstring& error) override;
    CQXScannerSessionManager GetSessionManager() override
    {
        return CQXScannerSessionManager(m_manager.get());
    }
    BOOL LoadCapabilities() override;
    BOOL OpenScanner(const wchar_t* name) override;
    void CloseScanner() override;

    // IZKTWEventObserver
    void OnAcquireBegin() override;
    void OnAcquireEnd(BOOL cancelled) override;
    void OnDeviceEvent(TW_DEVICEEVENT*) override {}
    void OnTWAINError(DWORD DG, WORD DAT, WORD MSG, WORD rc, WORD cc) override;
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*& info) override;
    void OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override;
    void OnSetupFileTransfer(TW_SETUPFILEXFER* setup) override;
    void OnFileTransferred(TW_SETUPFILEXFER* setup) override;
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                       CZKTWExtraImageInfo* extra) override;
    // Strips go straight into the page being received.
    BOOL OnGetStripDestination(ZKTW_STRIP_DESTINATION& destination) override;
    void OnMemoryBlockInPlace(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                              CZKTWExtraImageInfo* extra) override;

protected:
    // Registration with the source manager from the environment resource.
    void _RegisterApp();
    BOOL _HasCapability(EQXScannerCapability cap);
    BOOL _ImprinterOrVendorCounter();

    BOOL _WriteSettingsBlock(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, std::wstring& error);
    // The image-address layout a settings block carries, when its family
    // has one; the record keeps its format otherwise.
    void _TakeImageAddressFormat(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, CZKBuffer& settings);

    // Tags (ScannerImplTags).
    BOOL _SetTag(DWORD tag, DWORD index, void* value) override;
    BOOL _GetTag(DWORD tag, DWORD index, void* result) override;
    BOOL _SetLanguage(DWORD language);
    BOOL _GetDuplexFlags(int& flags);
    BOOL _GetImagesPerSheet(int& count);
    BOOL _GetCameraInfo(QX_SCANNER_CAMERAINFO& info);
    BOOL _SetCaptureSide(int side);
    BOOL _GetCaptureSideTag(int& side);
    BOOL _SetCustomData(const CZKBuffer& data);
    BOOL _GetCustomData(CZKBuffer& data);
    BOOL _GetSerialNumber(std::wstring& serial);
    BOOL _SetProfilesDirectory(const wchar_t* folder);
    BOOL _GetProfilesDirectory(std::wstring& folder);
    BOOL _IsImageAddressingActive(int& active);
    BOOL _SetImprinterCounter(DWORD counter);
    BOOL _GetImprinterCounter(DWORD& counter);
    BOOL _GetBoolCap(WORD cap, EZKTWGetCapOp op, int& value);

    // Sessions (ScannerImplSession).
    void _PrepareSession();
    void _FillEndRecord();
    void _NotifySessionBegin();
    void _NotifySessionEnd();
    void _NotifyError(int error);
    void _RepeatMain();
    BOOL _RunPass();
    void _WaitForPassEnd();
    BOOL _RepeatShouldStop();
    void _PauseBetweenPasses();
    void _WaitForWorker();

    // Images (ScannerImplImages).
    void _NumberImage(CQXRidgeExtraImageInfo* header);
    static void _FillImageInfo(const ZKTWIMAGEINFO& source, const CZKTWExtraImageInfo* extra,
                               QX_SCANNER_IMAGE_INFO& target);
    void _FillImageTags(const CZKTWExtraImageInfo* extra, CZKTagHolder& tags);
    void _DeliverImage(CZKBuffer& data, const ZKTWIMAGEINFO& info, CZKTWExtraImageInfo* extra);

    // Memory strips (ScannerImplStrips).
    BOOL _StoreStrip(const TW_IMAGEMEMXFER& block);
    BOOL _StoreStripInPool(const TW_IMAGEMEMXFER& block);
    BOOL _CopyStripToPage(const TW_IMAGEMEMXFER& block);
    BOOL _KeepPlacedStrip(const TW_IMAGEMEMXFER& block);
    // After the last strip: checks the image against its description, builds
    // and delivers it.
    void _CompleteImage(const ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra);
    BOOL _JoinStrips(CZKRBuffer& image);
    void _ReleaseStrips();
    void _DestroyPool();
    BYTE* _NewBitmap(size_t size);
    void _KeepImageBlock(CZKRBuffer& image, bool bitmap);
    void _FailImage(const char* text);
    // "<what>. Size: <n> bytes", as the transfer log lines read.
    static std::string _SizeText(const char* what, size_t size);
    static BOOL _IsImageInfoSane(const ZKTWIMAGEINFO& info);
    static size_t _MaxImageBytes(const ZKTWIMAGEINFO& info);
    BOOL _RowsToBitmapBytes(CZKRBuffer& image, const ZKTWIMAGEINFO& info);
    BOOL _BuildImage(CZKRBuffer& image, const ZKTWIMAGEINFO& info);
    bool _StripsHoldWholeRows(const ZKTWIMAGEINFO& info) const;
    BOOL _StripsToBitmapBytes(CZKRBuffer& image, const ZKTWIMAGEINFO& info);

    std::unique_ptr<CZKTWSourceManager> m_manager;
    std::unique_ptr<CQXTWAINSourceModel> m_model;
    std::atomic<BOOL> m_acquiring{FALSE};
    std::atomic<BOOL> m_cancelRequested{FALSE};
    std::atomic<WORD> m_pageLimit{NO_PAGE_LIMIT};
    std::atomic<DWORD> m_pageCounter{0};
    DWORD m_pause = 0;
    DWORD m_passCounter = 0;
    std::unique_ptr<CZKThread> m_worker;
    CZKEvent m_passEnded{false, false};
    CZKEvent m_passStarted{false, false};
    std::atomic<BOOL> m_lastPassResult{FALSE};
    HWND m_repeatParent = nullptr;
    BOOL m_repeatMode = FALSE;
    std::atomic<BOOL> m_sessionError{FALSE};
    unsigned m_lastHeaderPage = 0;
    unsigned m_savedPage = 0;
    unsigned m_savedImprinterIndex = 0;
    std::wstring m_savedImprinterString;
    DWORD m_documentCount = 0;
    QX_SCANNER_SESSION_BEGIN_INFO m_beginInfo;
    QX_SCANNER_SESSION_END_INFO m_endInfo;
    unsigned m_imageCount = 0; // images numbered this session
    // The thread the manager's events arrive on, known from the first one.
    std::atomic<DWORD> m_eventThread{0};
    // Bytes held in the strip list (or the page) for the image being received.
    size_t m_imageBytes = 0;
    // The image being received when the source writes it in place; then it
    // is there whole, not in the strip list, until its last strip.
    CQXStripPage m_page;
    bool m_imageOnPage = false;
    // The bitmap an uncompressed image becomes; it comes back when the
    // observer leaves the bytes in the buffer, for the next image.
    CQXStripPage m_bitmap;
};
