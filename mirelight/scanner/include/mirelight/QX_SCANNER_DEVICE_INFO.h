// Model and product of the open device. The unnamed members are kept for the
// layout and are not filled by this library.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>

struct QX_SCANNER_DEVICE_INFO
{
    int nModel;
    std::wstring strInfo;
    std::wstring strProduct;
    int nInfo; // left alone by Reset: the caller's own value
    std::wstring strReserved1;
    WORD wReserved1;
    WORD wReserved2;
    std::wstring strReserved2;
    int nReserved;
    std::wstring strProductAnsi;

    QX_SCANNER_DEVICE_INFO() : nInfo(0) { Reset(); }

    void Reset()
    {
        nModel = 0;
        strInfo.clear();
        strProduct.clear();
        strReserved1.clear();
        wReserved1 = 0;
        wReserved2 = 0;
        strReserved2.clear();
        nReserved = 0;
        strProductAnsi.clear();
    }
};
