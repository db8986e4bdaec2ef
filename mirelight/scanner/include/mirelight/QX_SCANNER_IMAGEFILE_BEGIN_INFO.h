// A file transfer: the file and its format code in the driver's protocol.
// Before the transfer the observer fills it in; afterwards it names the file
// the driver wrote. Both events share the layout.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>

struct QX_SCANNER_IMAGEFILE_BEGIN_INFO
{
    std::wstring strFileName;
    WORD wFormat = 0;
};

typedef QX_SCANNER_IMAGEFILE_BEGIN_INFO QX_SCANNER_IMAGEFILE_END_INFO;
