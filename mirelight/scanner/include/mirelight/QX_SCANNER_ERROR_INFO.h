// A driver condition reported during acquisition (QX_SCANNER_ERROR_*).
#pragma once

#include <mirelight/QXScannerTypes.h>

struct QX_SCANNER_ERROR_INFO
{
    int nError = QX_SCANNER_ERROR_NONE;
};
