// One row of the scanner family table.
#pragma once

#include <mirelight/QXScannerTypes.h>

#include <string>

struct QX_SCANNER_INFO
{
    std::wstring strName; // lower-case product name, the row's key
    EQXScannerFamily family = QX_SCANNER_FAMILY_GENERIC;
    std::wstring strReserved;
};
