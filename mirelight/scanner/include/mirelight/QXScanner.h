// The one class through which the application drives a document scanner,
// whatever its driver protocol. It owns a TWAIN-backed and an ISIS-backed
// implementation and forwards each call to the one of the current protocol.
//
// Not thread-safe: drive it from one application thread. Observer calls may
// arrive on other threads (see IQXScannerEventObserver).
#pragma once

#include <mirelight/QXScannerEventObserver.h>
#include <mirelight/QXScannerSessionManager.h>
#include <mirelight/QXScannerTypes.h>
#include <mirelight/QX_SCANNER_NAMELIST_ITEM.h>
#include <mirelight/mirelight_export.h>

#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

class CQXScannerImpl;
class CZKBuffer;

class MIRELIGHT_EXPORT CQXScanner
{
public:
    CQXScanner();
    virtual ~CQXScanner();
    CQXScanner(const CQXScanner&) = delete;
    CQXScanner& operator=(const CQXScanner&) = delete;

    BOOL Initialize();
    void Uninitialize();

    void SetObserver(IQXScannerEventObserver* observer);
    IQXScannerEventObserver* GetObserver() const;

    // TWAIN scanners first, then ISIS drivers. FALSE when there are none.
    BOOL QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list) const;
    BOOL GetDefaultScanner(std::wstring& name) const;
    BOOL UISelectScanner(std::wstring& name, HWND parent);

    // FALSE while a scanner is open, under either protocol.
    BOOL Open(const wchar_t* name, EQXScannerProtocol protocol);
    void Close();
    BOOL IsOpen() const;
    BOOL IsOnline() const;
    // FALSE while a scanner is open. An unknown protocol is stored but keeps
    // the current implementation.
    BOOL ChangeProtocol(EQXScannerProtocol protocol);
    EQXScannerProtocol GetProtocol() const { return m_protocol; }

    void GetCurrentScanner(std::wstring& name) const;
    EQXScannerFamily GetCurrentScannerFamily();

    BOOL GetCapability(EQXScannerCapability cap, int& value) const;
    // Bits 0x1..0x20 for capabilities 0, 1, 2, 3, 4 and 6.
    BOOL GetCapabilityMask(unsigned int& mask) const;

    EQXScannerUIReturnCode Setup(HWND parent, EQXScannerGUISetupType type);
    // count: images to transfer, -1 for as many as the scanner delivers.
    BOOL Acquire(HWND parent, int count);
    void CancelAcquire(BOOL wait);
    BOOL IsAcquiring() const;
    BOOL SwitchCaptureSide(EQXCaptureSide side);
    // The current implementation's session library object (the TWAIN source
    // manager or the ISIS manager); empty when that protocol is unavailable.
    CQXScannerSessionManager GetSessionManager() const;

    virtual BOOL GetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) const;
    virtual BOOL SetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config);
    virtual BOOL GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, CZKBuffer* settings) const;
    virtual BOOL SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, std::wstring& error);

    // Numbered tag values; what a tag means is the protocol's. Without an
    // index the index is 0.
    BOOL SetTagValue(DWORD tag, int value);
    BOOL SetTagValue(DWORD tag, unsigned int value);
    BOOL SetTagValue(DWORD tag, double value);
    BOOL SetTagValue(DWORD tag, const wchar_t* value);
    BOOL SetTagValue(DWORD tag, CZKBuffer& value);
    BOOL SetTagValue(DWORD tag, void* value);
    BOOL SetTagValue(DWORD tag, DWORD index, int value);
    BOOL SetTagValue(DWORD tag, DWORD index, unsigned int value);
    BOOL SetTagValue(DWORD tag, DWORD index, double value);
    BOOL SetTagValue(DWORD tag, DWORD index, const wchar_t* value);
    BOOL SetTagValue(DWORD tag, DWORD index, CZKBuffer& value);
    BOOL SetTagValue(DWORD tag, DWORD index, void* value);

    BOOL GetTagValue(DWORD tag, int& value);
    BOOL GetTagValue(DWORD tag, unsigned int& value);
    BOOL GetTagValue(DWORD tag, double& value);
    BOOL GetTagValue(DWORD tag, std::wstring& value);
    BOOL GetTagValue(DWORD tag, CZKBuffer& value);
    BOOL GetTagValue(DWORD tag, void* value);
    BOOL GetTagValue(DWORD tag, DWORD index, int& value);
    BOOL GetTagValue(DWORD tag, DWORD index, unsigned int& value);
    BOOL GetTagValue(DWORD tag, DWORD index, double& value);
    BOOL GetTagValue(DWORD tag, DWORD index, std::wstring& value);
    BOOL GetTagValue(DWORD tag, DWORD index, CZKBuffer& value);
    BOOL GetTagValue(DWORD tag, DWORD index, void* value);

protected:
    // Takes ownership of both implementations (either may be null); lets a
    // subclass supply its own, as tests do.
    CQXScanner(CQXScannerImpl* twainImpl, CQXScannerImpl* isisImpl);

    CQXScannerImpl* _GetImpl() const { return m_impl; }
    void _ChangeImpl();

private:
    CQXScannerImpl* m_impl;
    EQXScannerProtocol m_protocol;
    CQXScannerImpl* m_twainImpl;
    CQXScannerImpl* m_isisImpl;
};
