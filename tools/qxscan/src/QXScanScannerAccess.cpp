#include "QXScanScannerAccess.h"

#include <mirelight/QXScannerHelper.h>

#include <hollin/ZKCommon.h>

#include <algorithm>

CQXScanScannerAccess::CQXScanScannerAccess()
{
    // FALSE when either protocol's library is missing; the other one is open
    // all the same, and List and Open say what is really there.
    m_scanner.Initialize();
}

CQXScanScannerAccess::~CQXScanScannerAccess()
{
    m_scanner.Close();
    m_scanner.Uninitialize();
}

std::vector<QX_SCANNER_NAMELIST_ITEM> CQXScanScannerAccess::List() const
{
    std::vector<QX_SCANNER_NAMELIST_ITEM> list;
    if (!m_scanner.QueryAvailableScanners(list))
        list.clear();
    return list;
}

std::string CQXScanScannerAccess::QualifiedName(const QX_SCANNER_NAMELIST_ITEM& item)
{
    const char* prefix = item.protocol == QX_SCANNER_PROTOCOL_ISIS ? "isis:" : "twain:";
    return prefix + SZKCommon::WCStoMBS(item.name);
}

EQXScanExitCode CQXScanScannerAccess::Open(const std::string& qualifiedName, std::string& error)
{
    EQXScannerProtocol protocol = QX_SCANNER_PROTOCOL_TWAIN;
    std::wstring name;
    const std::wstring wide = SZKCommon::MBStoWCS(qualifiedName);
    if (!CQXScannerHelper::ExtractProtocolAndName(wide.c_str(), protocol, name) || name.empty())
    {
        error = "no scanner name given";
        return QXSCAN_EXIT_BAD_ARGUMENTS;
    }
    const std::vector<QX_SCANNER_NAMELIST_ITEM> list = List();
    const auto listed = std::find_if(list.begin(), list.end(), [&](const QX_SCANNER_NAMELIST_ITEM& item) {
        return item.protocol == protocol && item.name == name;
    });
    if (listed == list.end())
    {
        error = "no such scanner: " + qualifiedName + " (see qxscan list)";
        return QXSCAN_EXIT_NO_SUCH_SCANNER;
    }
    // ISIS lists drivers by description but opens them by module name; for
    // TWAIN both are the product name.
    const std::wstring& openName = listed->driver.empty() ? listed->name : listed->driver;
    if (!m_scanner.Open(openName.c_str(), protocol))
    {
        error = "cannot open " + qualifiedName;
        return QXSCAN_EXIT_FAILURE;
    }
    if (!m_scanner.IsOnline())
    {
        error = "scanner offline or cover open: " + qualifiedName;
        return QXSCAN_EXIT_OFFLINE;
    }
    return QXSCAN_EXIT_OK;
}
