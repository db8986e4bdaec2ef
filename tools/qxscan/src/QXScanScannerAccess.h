// The facade as the tool uses it: initialised once, with the TWAIN half
// usable even when the ISIS half is not, and opened by a protocol-qualified
// name with a one-line reason when that fails.
#pragma once

#include "QXScanExitCode.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QX_SCANNER_NAMELIST_ITEM.h>

#include <string>
#include <vector>

class CQXScanScannerAccess
{
public:
    CQXScanScannerAccess();
    ~CQXScanScannerAccess();
    CQXScanScannerAccess(const CQXScanScannerAccess&) = delete;
    CQXScanScannerAccess& operator=(const CQXScanScannerAccess&) = delete;

    // Every scanner of both protocols; empty when there are none.
    std::vector<QX_SCANNER_NAMELIST_ITEM> List() const;
    EQXScanExitCode Open(const std::string& qualifiedName, std::string& error);
    CQXScanner& Scanner() { return m_scanner; }

    // "twain:<name>" or "isis:<driver>".
    static std::string QualifiedName(const QX_SCANNER_NAMELIST_ITEM& item);

private:
    CQXScanner m_scanner;
};
