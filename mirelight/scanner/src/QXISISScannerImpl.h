// The scanner implementation that drives a scanner through an ISIS driver.
// It owns the ISIS manager, observes it, and turns its events into the
// facade's records: the data blocks of an image are collected in a block
// pool and joined at its end; uncompressed bitonal rows are delivered as
// CCITT G4, other uncompressed rows as bitmap rows.
#pragma once

#include <mirelight/QXScannerImpl.h>
#include <mirelight/QX_SCANNER_CAMERAINFO.h>
#include <mirelight/QX_SCANNER_IMAGE_INFO.h>
#include <mirelight/mirelight_export.h>

#include <goldmere/ZKISISManager.h>

#include "QXStripPage.h"

#include <memory>
#include <string>

class CZKRBuffer;
class CZKTagHolder;
struct QX_SCANNER_DEVICE_INFO;
struct QX_SCANNER_SCANMODE;

class MIRELIGHT_EXPORT CQXISISScannerImpl : public CQXScannerImpl, public IZKISISEventObserver
{
public:
    // Bytes of one pool block; a longer data block gets a block of its own.
    static constexpr size_t BLOCK_SIZE = 8192;

    CQXISISScannerImpl();
    ~CQXISISScannerImpl() override;

    // CQXScannerImpl
    EQXScannerProtocol GetProtocol() const override { return QX_SCANNER_PROTOCOL_ISIS; }
    BOOL Initialize() override;
    void Uninitialize() override;
    BOOL QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list) override;
    BOOL GetDefaultScanner(std::wstring& name) override;
    BOOL UISelectScanner(std::wstring& name, HWND parent) override;
    void GetCurrentScanner(std::wstring& name) override;
    EQXScannerFamily GetCurrentScannerFamily() override { return QX_SCANNER_FAMILY_GENERIC; }
    BOOL IsOpen() override;
    BOOL IsOnline() override { return TRUE; }
    EQXScannerUIReturnCode Setup(HWND parent, EQXScannerGUISetupType type) override;
    BOOL Acquire(HWND parent, int count) override;
    void CancelAcquire(BOOL wait) override;
    BOOL IsAcquiring() override;
    BOOL SwitchCaptureSide(EQXCaptureSide side) override;
    BOOL GetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) override;
    BOOL SetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) override;
    BOOL GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, CZKBuffer*) override
    {
        return TRUE;
    }
    BOOL SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, std::wstring&) override
    {
        return TRUE;
    }
    CQXScannerSessionManager GetSessionManager() override
    {
        return CQXScannerSessionManager(m_manager.get());
    }
    BOOL LoadCapabilities() override;
    BOOL OpenScanner(const wchar_t* name) override;
    void CloseScanner() override;

    // IZKISISEventObserver, all on the ISIS session thread.
    void OnISISSessionBegin(ZK_ISIS_SESSION_BEGIN* begin) override;
    void OnISISImageBegin(ZK_ISIS_IMAGE_BEGIN*) override {}
    BOOL OnISISImageData(ZK_ISIS_IMAGE_DATA* data) override;
    BOOL OnISISImageEnd(ZK_ISIS_IMAGE_END* end) override;
    void OnISISImageNotAccepted() override;
    void OnISISSessionEnd(ZK_ISIS_SESSION_END* end) override;
    void OnISISError(ZK_ISIS_ERROR* error) override;
    void OnISISQueryImageFileName(ZK_ISIS_IMAGEFILE_BEGIN_INFO* file) override;
    void OnISISImageFileEnd(ZK_ISIS_IMAGEFILE_END_INFO*) override {}

    // The facade's error code for an ISIS error id.
    static int MapError(int32_t isisError);
    static void FillImageInfo(const ZK_ISIS_IMAGE_INFO& source, QX_SCANNER_IMAGE_INFO& target);

protected:
    // Scan types of tag 1300.
    static constexpr int SCAN_FRONT = 3;
    static constexpr int SCAN_BOTH = 4;
    static constexpr int SCAN_BOTH_ALTERNATIVE = 5;
    static constexpr int SCAN_BACK = 6;

    BOOL _SupportsDuplex();
    BOOL _MultiStreamLegal();
    BOOL _IsDuplexScanType();

    // Tags (ISISScannerImplTags).
    BOOL _SetTag(DWORD tag, DWORD index, void* value) override;
    BOOL _GetTag(DWORD tag, DWORD index, void* result) override;
    BOOL _SetDuplex(bool duplex);
    BOOL _GetDuplexFlags(int& flags);
    BOOL _GetCaptureSide(int& side);
    BOOL _GetImagesPerSheet(int& count);
    BOOL _GetSidesCounted(int& sides);
    BOOL _GetDeviceInfo(QX_SCANNER_DEVICE_INFO& info);
    BOOL _GetScanMode(QX_SCANNER_SCANMODE& mode);
    BOOL _SetScanMode(const QX_SCANNER_SCANMODE& mode);
    BOOL _ReadCameraInfo(QX_SCANNER_CAMERAINFO& info);
    BOOL _WriteCameraInfo(const QX_SCANNER_CAMERAINFO& info);

    // Images (ISISScannerImplImages).
    BOOL _StoreBlock(const ZK_ISIS_IMAGE_DATA& data);
    void _ReleaseStrips();
    void _DestroyPool();
    BOOL _JoinStrips(CZKRBuffer& image);
    void _KeepImageBlock(CZKRBuffer& image);
    void _DeliverImage(CZKRBuffer& image, const ZK_ISIS_IMAGE_INFO& info);
    void _PrepareImageBytes(CZKRBuffer& image, const ZK_ISIS_IMAGE_INFO& info,
                            QX_SCANNER_IMAGE_INFO& target);
    void _RefuseImage(const char* reason);
    void _NotifyError(int error);

    std::unique_ptr<CZKISISManager> m_manager;
    int m_transferType = 2;
    std::wstring m_driverName;
    std::wstring m_versionText;
    // Bytes held in the strip list for the image being received.
    size_t m_heldBytes = 0;
    // The block images are joined into; it comes back when the observer
    // leaves the bytes in the buffer, for the next image.
    CQXStripPage m_joined;
};
