// One scanner that can be opened: the name to show and pass to Open, the
// driver behind it and its protocol.
#pragma once

#include <mirelight/QXScannerTypes.h>

#include <string>

struct QX_SCANNER_NAMELIST_ITEM
{
    std::wstring name;
    std::wstring driver;
    EQXScannerProtocol protocol = QX_SCANNER_PROTOCOL_TWAIN;

    void Clear()
    {
        name.clear();
        driver.clear();
        protocol = QX_SCANNER_PROTOCOL_TWAIN;
    }
};
