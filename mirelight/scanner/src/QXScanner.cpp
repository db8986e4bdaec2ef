#include <mirelight/QXScanner.h>

#include <mirelight/QXScannerImpl.h>
#include "QXISISScannerImpl.h"
#include "QXTWAINScannerImpl.h"

#include <hollin/ZKBuffer.h>

#include <exception>
#include <new>

CQXScanner::CQXScanner()
    : CQXScanner(new (std::nothrow) CQXTWAINScannerImpl, new (std::nothrow) CQXISISScannerImpl)
{
}

CQXScanner::CQXScanner(CQXScannerImpl* twainImpl, CQXScannerImpl* isisImpl)
    : m_impl(nullptr), m_protocol(QX_SCANNER_PROTOCOL_TWAIN), m_twainImpl(twainImpl), m_isisImpl(isisImpl)
{
    _ChangeImpl();
}

CQXScanner::~CQXScanner()
{
    delete m_twainImpl;
    delete m_isisImpl;
}

void CQXScanner::_ChangeImpl()
{
    if (m_protocol == QX_SCANNER_PROTOCOL_TWAIN)
        m_impl = m_twainImpl;
    else if (m_protocol == QX_SCANNER_PROTOCOL_ISIS)
        m_impl = m_isisImpl;
}

BOOL CQXScanner::Initialize()
{
    if (!m_twainImpl || !m_twainImpl->Initialize())
        return FALSE;
    return m_isisImpl && m_isisImpl->Initialize() ? TRUE : FALSE;
}

void CQXScanner::Uninitialize()
{
    if (m_twainImpl)
        m_twainImpl->Uninitialize();
    if (m_isisImpl)
        m_isisImpl->Uninitialize();
}

void CQXScanner::SetObserver(IQXScannerEventObserver* observer)
{
    if (m_twainImpl)
        m_twainImpl->SetObserver(observer);
    if (m_isisImpl)
        m_isisImpl->SetObserver(observer);
}

IQXScannerEventObserver* CQXScanner::GetObserver() const
{
    return m_impl ? m_impl->GetObserver() : nullptr;
}

BOOL CQXScanner::QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list) const
{
    list.clear();
    try
    {
        for (CQXScannerImpl* impl : {m_twainImpl, m_isisImpl})
        {
            if (!impl)
                continue;
            std::vector<QX_SCANNER_NAMELIST_ITEM> found;
            if (impl->QueryAvailableScanners(found))
                list.insert(list.end(), found.begin(), found.end());
        }
    }
    catch (const std::exception&)
    {
        list.clear(); // out of memory: no half list
    }
    return list.empty() ? FALSE : TRUE;
}

BOOL CQXScanner::GetDefaultScanner(std::wstring& name) const
{
    return m_impl ? m_impl->GetDefaultScanner(name) : FALSE;
}

BOOL CQXScanner::UISelectScanner(std::wstring& name, HWND parent)
{
    return m_impl ? m_impl->UISelectScanner(name, parent) : FALSE;
}

BOOL CQXScanner::Open(const wchar_t* name, EQXScannerProtocol protocol)
{
    // One scanner at a time, whatever protocol the next one uses.
    if (m_impl && m_impl->IsOpen())
        return FALSE;
    m_protocol = protocol;
    _ChangeImpl();
    return m_impl ? m_impl->Open(name) : FALSE;
}

void CQXScanner::Close()
{
    if (m_impl)
        m_impl->Close();
}

BOOL CQXScanner::IsOpen() const
{
    return m_impl && m_impl->IsOnline() && m_impl->IsOpen() ? TRUE : FALSE;
}

BOOL CQXScanner::IsOnline() const
{
    return m_impl ? m_impl->IsOnline() : FALSE;
}

BOOL CQXScanner::ChangeProtocol(EQXScannerProtocol protocol)
{
    if (m_impl && m_impl->IsOpen())
        return FALSE;
    m_protocol = protocol;
    _ChangeImpl();
    return TRUE;
}

void CQXScanner::GetCurrentScanner(std::wstring& name) const
{
    name.clear();
    if (m_impl)
        m_impl->GetCurrentScanner(name);
}

EQXScannerFamily CQXScanner::GetCurrentScannerFamily()
{
    return m_impl ? m_impl->GetCurrentScannerFamily() : QX_SCANNER_FAMILY_NONE;
}

BOOL CQXScanner::GetCapability(EQXScannerCapability cap, int& value) const
{
    value = 0;
    return m_impl ? m_impl->GetCapability(cap, value) : FALSE;
}

BOOL CQXScanner::GetCapabilityMask(unsigned int& mask) const
{
    mask = 0;
    return m_impl ? m_impl->GetCapabilityMask(mask) : FALSE;
}

EQXScannerUIReturnCode CQXScanner::Setup(HWND parent, EQXScannerGUISetupType type)
{
    return m_impl ? m_impl->Setup(parent, type) : QX_SCANNER_UI_FAILED;
}

BOOL CQXScanner::Acquire(HWND parent, int count)
{
    return m_impl ? m_impl->Acquire(parent, count) : FALSE;
}

void CQXScanner::CancelAcquire(BOOL wait)
{
    if (m_impl)
        m_impl->CancelAcquire(wait);
}

BOOL CQXScanner::IsAcquiring() const
{
    return m_impl ? m_impl->IsAcquiring() : FALSE;
}

BOOL CQXScanner::SwitchCaptureSide(EQXCaptureSide side)
{
    return m_impl ? m_impl->SwitchCaptureSide(side) : FALSE;
}

CQXScannerSessionManager CQXScanner::GetSessionManager() const
{
    return m_impl ? m_impl->GetSessionManager() : CQXScannerSessionManager();
}

BOOL CQXScanner::GetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) const
{
    return m_impl ? m_impl->GetConfig(config) : FALSE;
}

BOOL CQXScanner::SetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    return m_impl ? m_impl->SetConfig(config) : FALSE;
}

BOOL CQXScanner::GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, CZKBuffer* settings) const
{
    return m_impl ? m_impl->GetAdvancedConfig(config, settings) : FALSE;
}

BOOL CQXScanner::SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, std::wstring& error)
{
    return m_impl ? m_impl->SetAdvancedConfig(config, error) : FALSE;
}
