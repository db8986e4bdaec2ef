#include "QXISISScannerImpl.h"

#include <new>

namespace
{
// The manager the implementation owns; a class of its own so the ISIS
// layer's object is never deleted through a foreign type.
class CQXISISManager : public CZKISISManager
{
public:
    ~CQXISISManager() override = default;
};
} // namespace

CQXISISScannerImpl::CQXISISScannerImpl() : m_manager(new (std::nothrow) CQXISISManager) {}

CQXISISScannerImpl::~CQXISISScannerImpl()
{
    // The session thread must not call into a half-destroyed object.
    if (m_manager)
    {
        m_manager->StopRun(1);
        m_manager.reset();
    }
    _DestroyPool();
}

BOOL CQXISISScannerImpl::Initialize()
{
    if (!m_manager)
        return FALSE;
    m_manager->SetObserver(this);
    return m_manager->Initialize();
}

void CQXISISScannerImpl::Uninitialize()
{
    if (m_manager)
        m_manager->Uninitialize();
}

BOOL CQXISISScannerImpl::QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list)
{
    list.clear();
    std::vector<ZK_ISIS_DRIVERLIST_ITEM> drivers;
    if (!m_manager || !m_manager->QueryAvailableDrivers(drivers))
        return FALSE;
    for (const ZK_ISIS_DRIVERLIST_ITEM& driver : drivers)
    {
        QX_SCANNER_NAMELIST_ITEM item;
        item.name = driver.ModelName;
        item.driver = driver.DriverName;
        item.protocol = QX_SCANNER_PROTOCOL_ISIS;
        list.push_back(item);
    }
    return TRUE;
}

BOOL CQXISISScannerImpl::GetDefaultScanner(std::wstring& name)
{
    return m_manager && m_manager->GetDefaultDriver(name) ? TRUE : FALSE;
}

BOOL CQXISISScannerImpl::UISelectScanner(std::wstring& name, HWND parent)
{
    return m_manager && m_manager->UISelectDrive(parent, name) == ZKISIS_UI_OK ? TRUE : FALSE;
}

void CQXISISScannerImpl::GetCurrentScanner(std::wstring& name)
{
    name.clear();
    if (m_manager)
        m_manager->GetCurrentDriver(name);
}

// The layer's state is process-wide; the manager's own driver decides
// whether this scanner is the open one.
BOOL CQXISISScannerImpl::IsOpen()
{
    return m_manager && CZKISISManager::GetState() >= ZKISIS_STATE_DRIVER_OPEN &&
                   m_manager->IsOpened()
               ? TRUE
               : FALSE;
}

BOOL CQXISISScannerImpl::IsAcquiring()
{
    return m_manager && CZKISISManager::GetState() >= ZKISIS_STATE_RUN_REQUESTED &&
                   m_manager->IsOpened()
               ? TRUE
               : FALSE;
}

EQXScannerUIReturnCode CQXISISScannerImpl::Setup(HWND parent, EQXScannerGUISetupType)
{
    if (!m_manager)
        return QX_SCANNER_UI_FAILED;
    const EZKISISUIReturnCode result = m_manager->Setup(parent);
    if (result == ZKISIS_UI_OK || result == ZKISIS_UI_CANCELLED)
        return static_cast<EQXScannerUIReturnCode>(result);
    return QX_SCANNER_UI_FAILED;
}

BOOL CQXISISScannerImpl::Acquire(HWND, int count)
{
    return m_manager && m_manager->StartRun(count) ? TRUE : FALSE;
}

void CQXISISScannerImpl::CancelAcquire(BOOL wait)
{
    if (m_manager)
        m_manager->StopRun(wait);
}

BOOL CQXISISScannerImpl::SwitchCaptureSide(EQXCaptureSide side)
{
    if (!m_manager)
        return FALSE;
    switch (side)
    {
    case QX_SCANNER_SIDE_NONE:
        return FALSE;
    case QX_SCANNER_SIDE_FRONT:
        return m_manager->ScanAsFrontSide();
    case QX_SCANNER_SIDE_BACK:
        return m_manager->ScanAsBackSide();
    case QX_SCANNER_SIDE_BOTH:
        return m_manager->ScanAsBothSide();
    default:
        return TRUE;
    }
}

BOOL CQXISISScannerImpl::OpenScanner(const wchar_t* name)
{
    if (!m_manager || !name || !m_manager->Open(name))
    {
        m_driverName.clear();
        return FALSE;
    }
    m_driverName = name;
    return TRUE;
}

void CQXISISScannerImpl::CloseScanner()
{
    if (m_manager)
        m_manager->Close();
    m_driverName.clear();
}

BOOL CQXISISScannerImpl::_SupportsDuplex()
{
    return m_manager->SupportScanType(SCAN_BOTH) ||
                   m_manager->SupportScanType(SCAN_BOTH_ALTERNATIVE)
               ? TRUE
               : FALSE;
}

BOOL CQXISISScannerImpl::_MultiStreamLegal()
{
    return m_manager->MultiStreamLegal(1) || m_manager->MultiStreamLegal(0) ? TRUE : FALSE;
}

BOOL CQXISISScannerImpl::_IsDuplexScanType()
{
    const int type = m_manager->ScanType();
    return type == SCAN_BOTH || type == SCAN_BOTH_ALTERNATIVE ? TRUE : FALSE;
}

BOOL CQXISISScannerImpl::LoadCapabilities()
{
    _ClearCapabilities();
    if (!m_manager)
        return FALSE;
    _SetCapability(QX_SCANNER_CAP_DUPLEX, _SupportsDuplex() ? 1 : 0);
    _SetCapability(QX_SCANNER_CAP_MULTISTREAM, _MultiStreamLegal() ? 1 : 0);
    _SetCapability(QX_SCANNER_CAP_CUSTOMDATA, 1);
    return TRUE;
}
