#include "TestTWAINScannerImpl.h"

#include <mirelight/QXScannerHelper.h>

#include <hollin/ZKCommon.h>

namespace
{
constexpr WORD CAP_IMAGE_ADDRESS = 0x8015;
constexpr WORD CAP_PRINTER_ENABLED = 0x1027;
} // namespace

CTestTWAINScannerImpl::CTestTWAINScannerImpl()
{
    m_manager.RegisterApp(1, 0, 13 /* English */, 1 /* USA */, "1.0 test", "ZK Tests", "Capture", "settings tests");
}

CTestTWAINScannerImpl::~CTestTWAINScannerImpl() { Uninitialize(); }

BOOL CTestTWAINScannerImpl::Initialize()
{
    m_initialized = m_manager.Open() != FALSE;
    return m_initialized ? TRUE : FALSE;
}

void CTestTWAINScannerImpl::Uninitialize()
{
    if (!m_initialized)
        return;
    Close();
    m_manager.Close();
    m_initialized = false;
}

BOOL CTestTWAINScannerImpl::OpenScanner(const wchar_t* name)
{
    const std::string wanted = SZKCommon::WCStoMBS(name ? name : L"");
    std::vector<TW_IDENTITY> sources;
    if (!m_manager.QueryAvailableSources(sources))
        return FALSE;
    for (const TW_IDENTITY& source : sources)
    {
        if (wanted != source.ProductName)
            continue;
        if (!m_manager.OpenSource(source))
            return FALSE;
        m_name = name;
        return TRUE;
    }
    return FALSE;
}

void CTestTWAINScannerImpl::CloseScanner()
{
    m_manager.CloseSource();
    m_name.clear();
}

BOOL CTestTWAINScannerImpl::LoadCapabilities()
{
    _ClearCapabilities();
    _SetCapability(QX_SCANNER_CAP_VENDOR8015, m_manager.IsCapSupported(CAP_IMAGE_ADDRESS) ? 1 : 0);
    _SetCapability(QX_SCANNER_CAP_IMPRINTER, m_manager.IsCapSupported(CAP_PRINTER_ENABLED) ? 1 : 0);
    return TRUE;
}

EQXScannerFamily CTestTWAINScannerImpl::GetCurrentScannerFamily()
{
    if (!IsOpen())
        return QX_SCANNER_FAMILY_NONE;
    return CQXScannerHelper::QueryScannerInfo(m_name.c_str()).family;
}
