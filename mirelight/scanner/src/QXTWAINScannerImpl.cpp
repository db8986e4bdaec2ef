#include "QXTWAINScannerImpl.h"

#include "QXLanguageTable.h"
#include "QXTWAINSourceModel.h"

#include <mirelight/QXScannerHelper.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKEnvResource.h>
#include <hollin/ZKGBuffer.h>
#include <twaindefs/ZKTwainConstants.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
// The manager the implementation owns; a class of its own so the TWAIN
// layer's object is never deleted through a foreign type.
class CQXTWSourceManager : public CZKTWSourceManager
{
public:
    ~CQXTWSourceManager() override = default;
};

std::wstring ProductName(const TW_IDENTITY& identity)
{
    const size_t length = strnlen(identity.ProductName, sizeof(identity.ProductName));
    return SZKCommon::MBStoWCS(std::string(identity.ProductName, length));
}

std::string EnvValue(const char* name)
{
    std::string value;
    SZKEnvResource::GetEnvStringValueA(name, value);
    return value;
}
} // namespace

CQXTWAINScannerImpl::CQXTWAINScannerImpl() : m_manager(new (std::nothrow) CQXTWSourceManager) {}

CQXTWAINScannerImpl::~CQXTWAINScannerImpl()
{
    // A repeat session still running would call into a half-destroyed object.
    if (m_worker)
    {
        m_cancelRequested = TRUE;
        if (m_manager)
            m_manager->CancelAcquire(FALSE);
        m_worker->Join();
    }
    if (m_manager)
        m_manager->SetObserver(nullptr);
    m_manager.reset();
    m_model.reset();
    _DestroyPool();
}

BOOL CQXTWAINScannerImpl::Initialize()
{
    if (!m_manager)
        return FALSE;
    if (m_manager->GetState() >= ZKTW_STATE_DSM_OPEN)
        return TRUE;
    m_manager->SetObserver(this);
    _RegisterApp();
    return m_manager->Open();
}

void CQXTWAINScannerImpl::_RegisterApp()
{
    const int major = std::atoi(EnvValue("PRODUCT_VERSION_MAJOR").c_str());
    const int minor = std::atoi(EnvValue("PRODUCT_VERSION_MINOR").c_str());
    char version[32];
    std::snprintf(version, sizeof(version), "%d.%d", major, minor);
    WORD country = 0;
    WORD language = 0;
    CQXLanguageTable::Instance().Lookup(m_language, country, language);
    m_manager->RegisterApp(static_cast<WORD>(major), static_cast<WORD>(minor), language, country,
                           version, EnvValue("TWAIN_REGISTER_COMPANY").c_str(),
                           EnvValue("TWAIN_REGISTER_FAMILY").c_str(),
                           EnvValue("TWAIN_REGISTER_PRODUCT").c_str());
}

void CQXTWAINScannerImpl::Uninitialize()
{
    if (!m_manager)
        return;
    if (m_manager->GetState() >= ZKTW_STATE_SOURCE_OPEN)
        CloseScanner();
    if (m_manager->GetState() == ZKTW_STATE_DSM_OPEN)
        m_manager->Close();
}

BOOL CQXTWAINScannerImpl::QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list)
{
    list.clear();
    std::vector<TW_IDENTITY> sources;
    if (!m_manager || !m_manager->QueryAvailableSources(sources))
        return FALSE;
    for (const TW_IDENTITY& source : sources)
    {
        QX_SCANNER_NAMELIST_ITEM item;
        item.name = ProductName(source);
        item.driver = item.name;
        item.protocol = QX_SCANNER_PROTOCOL_TWAIN;
        list.push_back(item);
    }
    return TRUE;
}

BOOL CQXTWAINScannerImpl::GetDefaultScanner(std::wstring& name)
{
    TW_IDENTITY identity{};
    if (!m_manager || !m_manager->GetDefaultSource(identity))
        return FALSE;
    name = ProductName(identity);
    return TRUE;
}

BOOL CQXTWAINScannerImpl::UISelectScanner(std::wstring& name, HWND parent)
{
    TW_IDENTITY identity{};
    if (!m_manager || !m_manager->UISelectSource(identity, parent))
        return FALSE;
    name = ProductName(identity);
    return TRUE;
}

void CQXTWAINScannerImpl::GetCurrentScanner(std::wstring& name)
{
    name.clear();
    if (!m_manager || !m_manager->IsSourceOpen())
        return;
    TW_IDENTITY identity{};
    m_manager->GetCurrentSource(identity);
    name = ProductName(identity);
}

EQXScannerFamily CQXTWAINScannerImpl::GetCurrentScannerFamily()
{
    std::wstring name;
    GetCurrentScanner(name);
    if (name.empty())
        return QX_SCANNER_FAMILY_NONE;
    return CQXScannerHelper::QueryScannerInfo(name.c_str()).family;
}

BOOL CQXTWAINScannerImpl::OpenScanner(const wchar_t* name)
{
    if (!m_manager || !name)
        return FALSE;
    TW_IDENTITY identity{};
    const std::string product = SZKCommon::WCStoMBS(name);
    // A longer name would be cut and could open another source.
    if (product.empty() || product.size() >= sizeof(identity.ProductName))
        return FALSE;
    std::memcpy(identity.ProductName, product.data(), product.size());
    if (!m_manager->OpenSource(identity))
        return FALSE;
    std::wstring current;
    GetCurrentScanner(current);
    m_model.reset(CQXTWAINSourceModel::Create(m_manager.get(), current));
    m_manager->SetInterceptor(m_model ? m_model->CreateInterceptor() : nullptr);
    m_manager->SetAsyncMode(m_model ? m_model->IsAsyncMode() : FALSE);
    return TRUE;
}

BOOL CQXTWAINScannerImpl::LoadCapabilities()
{
    _ClearCapabilities();
    if (!m_manager || !m_model)
        return FALSE;
    ZKTW_CAPABILITY_SUPPORT support;
    if (!m_manager->QueryCapSupport(CAP_CUSTOMDSDATA, support))
        return FALSE;
    _SetCapability(QX_SCANNER_CAP_CUSTOMDATA, support.IsSupportGetSet() ? 1 : 0);
    TW_UINT16 duplex = 0;
    if (m_manager->GetCapOnevalue(CAP_DUPLEX, ZKTW_GETCAP_GET, TWTY_UINT16, &duplex) !=
        ZKTW_CAP_SUCCESS)
        return FALSE;
    _SetCapability(QX_SCANNER_CAP_DUPLEX, duplex != 0 ? 1 : 0);
    support.Clear();
    if (!m_manager->QueryCapSupport(CAP_PRINTERENABLED, support))
        return FALSE;
    _SetCapability(QX_SCANNER_CAP_IMPRINTER, support.IsSupportAll() ? 1 : 0);
    int value = 0;
    if (!m_model->QueryVendor8015(value))
        return FALSE;
    _SetCapability(QX_SCANNER_CAP_VENDOR8015, value);
    if (!m_model->QueryDriverProfiles(value))
        return FALSE;
    _SetCapability(QX_SCANNER_CAP_PROFILES, value);
    if (!m_model->QueryIndexedSettingsCommand(value))
        return FALSE;
    _SetCapability(QX_SCANNER_CAP_DSCOMMAND, value);
    return TRUE;
}

void CQXTWAINScannerImpl::CloseScanner()
{
    if (!m_manager)
        return;
    m_manager->CloseSource();
    m_manager->SetInterceptor(nullptr);
    m_model.reset();
}

BOOL CQXTWAINScannerImpl::IsOpen()
{
    return m_manager && m_manager->IsSourceOpen() ? TRUE : FALSE;
}

BOOL CQXTWAINScannerImpl::IsOnline()
{
    return m_manager && m_manager->IsDeviceOnline() ? TRUE : FALSE;
}

BOOL CQXTWAINScannerImpl::IsAcquiring()
{
    if (m_repeatMode)
        return m_acquiring.load();
    return m_manager && m_manager->IsAcquiring() ? TRUE : FALSE;
}

BOOL CQXTWAINScannerImpl::SwitchCaptureSide(EQXCaptureSide)
{
    return TRUE;
}

EQXScannerUIReturnCode CQXTWAINScannerImpl::Setup(HWND parent, EQXScannerGUISetupType type)
{
    if (!m_manager)
        return QX_SCANNER_UI_FAILED;
    const WORD message =
        _HasCapability(QX_SCANNER_CAP_PROFILES)
            ? static_cast<WORD>(type != QX_SCANNER_GUISETUP_SETTINGS ? 0x800D : 0x800E)
            : MSG_ENABLEDSUIONLY;
    const EZKTWUIReturnCode result = m_manager->ShowGUI(parent, message);
    if (result == ZKTW_UI_OK || result == ZKTW_UI_CANCEL)
        return static_cast<EQXScannerUIReturnCode>(result);
    return QX_SCANNER_UI_FAILED;
}

BOOL CQXTWAINScannerImpl::_HasCapability(EQXScannerCapability cap)
{
    int value = 0;
    return GetCapability(cap, value) && value != 0 ? TRUE : FALSE;
}

BOOL CQXTWAINScannerImpl::_ImprinterOrVendorCounter()
{
    return _HasCapability(QX_SCANNER_CAP_IMPRINTER) || _HasCapability(QX_SCANNER_CAP_VENDOR8015)
               ? TRUE
               : FALSE;
}
