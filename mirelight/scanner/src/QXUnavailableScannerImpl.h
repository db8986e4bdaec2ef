// Stands for a protocol whose session library is not available: every
// operation fails without side effects.
#pragma once

#include <mirelight/QXScannerImpl.h>

class CQXUnavailableScannerImpl : public CQXScannerImpl
{
public:
    explicit CQXUnavailableScannerImpl(EQXScannerProtocol protocol) : m_protocol(protocol) {}

    EQXScannerProtocol GetProtocol() const override { return m_protocol; }
    BOOL Initialize() override { return FALSE; }
    void Uninitialize() override {}
    BOOL QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list) override
    {
        list.clear();
        return FALSE;
    }
    BOOL GetDefaultScanner(std::wstring&) override { return FALSE; }
    BOOL UISelectScanner(std::wstring&, HWND) override { return FALSE; }
    void GetCurrentScanner(std::wstring& name) override { name.clear(); }
    EQXScannerFamily GetCurrentScannerFamily() override { return QX_SCANNER_FAMILY_NONE; }
    BOOL IsOpen() override { return FALSE; }
    BOOL IsOnline() override { return FALSE; }
    EQXScannerUIReturnCode Setup(HWND, EQXScannerGUISetupType) override { return QX_SCANNER_UI_FAILED; }
    BOOL Acquire(HWND, int) override { return FALSE; }
    void CancelAcquire(BOOL) override {}
    BOOL IsAcquiring() override { return FALSE; }
    BOOL SwitchCaptureSide(EQXCaptureSide) override { return FALSE; }
    BOOL GetConfig(QX_SCNCFG_CONFIGDATA_TYPE&) override { return FALSE; }
    BOOL SetConfig(QX_SCNCFG_CONFIGDATA_TYPE&) override { return FALSE; }
    BOOL GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, CZKBuffer*) override { return FALSE; }
    BOOL SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, std::wstring&) override { return FALSE; }
    CQXScannerSessionManager GetSessionManager() override { return {}; }
    BOOL SetTagValue(DWORD, DWORD, void*) override { return FALSE; }
    BOOL GetTagValue(DWORD, DWORD, void*) override { return FALSE; }
    BOOL LoadCapabilities() override { return FALSE; }
    BOOL OpenScanner(const wchar_t*) override { return FALSE; }
    void CloseScanner() override {}

private:
    EQXScannerProtocol m_protocol;
};
