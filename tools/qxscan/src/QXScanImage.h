// One delivered image as the writers need it: the scanner's record, its tags
// and its bytes (raw rows, a G4 stream or a JPEG stream).
#pragma once

#include <mirelight/QX_SCANNER_IMAGE_INFO.h>

#include <hollin/ZKTagHolder.h>
#include <wincompat/WinTypes.h>

#include <vector>

struct QXSCAN_IMAGE
{
    QX_SCANNER_IMAGE_INFO info;
    CZKTagHolder tags;
    std::vector<BYTE> bytes;
};
