// What the observer learns when an acquisition session starts.
#pragma once

#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>
#include <wincompat/WinTypes.h>

#include <string>

struct QX_SCANNER_SESSION_BEGIN_INFO
{
    int nImagesPerSheet = 1;
    BOOL bImageAddress = FALSE;
    // Read from the scanner only while image addressing is active.
    QX_IMAGEADDRESS_FORMAT imageAddressFormat;
    std::wstring strSerialNumber;

    void Reset()
    {
        nImagesPerSheet = 1;
        bImageAddress = FALSE;
        imageAddressFormat.reset();
        strSerialNumber.clear();
    }
};
