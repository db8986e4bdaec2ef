// A TWAIN-backed scanner implementation reduced to what the settings
// adapters use: it opens a source of the simulated system through its own
// source manager, reports the family of the source's product name and the
// image-address capability, and hands out its source manager.
#pragma once

#include <mirelight/QXScannerImpl.h>

#include <fennick/ZKTWSourceManager.h>

#include <string>

class CTestTWAINScannerImpl : public CQXScannerImpl
{
public:
    CTestTWAINScannerImpl();
    ~CTestTWAINScannerImpl() override;

    CZKTWSourceManager& Source() { return m_manager; }

    EQXScannerProtocol GetProtocol() const override { return QX_SCANNER_PROTOCOL_TWAIN; }
    BOOL Initialize() override;
    void Uninitialize() override;
    BOOL OpenScanner(const wchar_t* name) override;
    void CloseScanner() override;
    BOOL LoadCapabilities() override;
    BOOL IsOpen() override { return m_manager.IsSourceOpen(); }
    void GetCurrentScanner(std::wstring& name) override { name = m_name; }
    EQXScannerFamily GetCurrentScannerFamily() override;
    CQXScannerSessionManager GetSessionManager() override { return CQXScannerSessionManager(&m_manager); }

    // Not used by the settings adapters.
    BOOL QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>&) override { return FALSE; }
    BOOL GetDefaultScanner(std::wstring&) override { return FALSE; }
    BOOL UISelectScanner(std::wstring&, HWND) override { return FALSE; }
    BOOL IsOnline() override { return IsOpen(); }
    EQXScannerUIReturnCode Setup(HWND, EQXScannerGUISetupType) override { return QX_SCANNER_UI_FAILED; }
    BOOL Acquire(HWND, int) override { return FALSE; }
    void CancelAcquire(BOOL) override {}
    BOOL IsAcquiring() override { return FALSE; }
    BOOL SwitchCaptureSide(EQXCaptureSide) override { return FALSE; }
    BOOL GetConfig(QX_SCNCFG_CONFIGDATA_TYPE&) override { return FALSE; }
    BOOL SetConfig(QX_SCNCFG_CONFIGDATA_TYPE&) override { return FALSE; }
    BOOL GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, CZKBuffer*) override { return FALSE; }
    BOOL SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, std::wstring&) override { return FALSE; }
    BOOL SetTagValue(DWORD, DWORD, void*) override { return FALSE; }
    BOOL GetTagValue(DWORD, DWORD, void*) override { return FALSE; }

private:
    CZKTWSourceManager m_manager;
    std::wstring m_name;
    bool m_initialized = false;
};
