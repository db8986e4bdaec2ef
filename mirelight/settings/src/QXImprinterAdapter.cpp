#include <mirelight/QXImprinterAdapter.h>
#include <mirelight/QXImprinterCorrieAdapter.h>
#include <mirelight/QXImprinterEskerAdapter.h>
#include <mirelight/QXImprinterFellAdapter.h>
#include <mirelight/QXImprinterMoraineAdapter.h>
#include <mirelight/QXImprinterTalusAdapter.h>
#include <mirelight/QXImprinterTarnAdapter.h>
#include <mirelight/QXScannerHelper.h>
#include <mirelight/QXScannerImpl.h>

#include <fennick/ZKTWSourceManager.h>
#include <twaindefs/ZKTwainConstants.h>

#include "QXSettingsCaps.h"

CQXImprinterAdapter* CQXImprinterAdapter::GenerateAdapter(EQXScannerFamily family)
{
    switch (family)
    {
    case QX_SCANNER_FAMILY_FELL:
        return new CQXImprinterFellAdapter();
    case QX_SCANNER_FAMILY_TALUS:
        return new CQXImprinterTalusAdapter();
    case QX_SCANNER_FAMILY_TARN:
        return new CQXImprinterTarnAdapter();
    case QX_SCANNER_FAMILY_MORAINE:
        return new CQXImprinterMoraineAdapter();
    case QX_SCANNER_FAMILY_ESKER:
        return new CQXImprinterEskerAdapter();
    case QX_SCANNER_FAMILY_CORRIE:
        return new CQXImprinterCorrieAdapter();
    default:
        return nullptr;
    }
}

CQXImprinterAdapter* CQXImprinterAdapter::GenerateAdapter(const wchar_t* scannerName)
{
    return GenerateAdapter(CQXScannerHelper::QueryScannerInfo(scannerName ? scannerName : L"").family);
}

int CQXImprinterAdapter::_CheckSupport(CQXScannerImpl* impl)
{
    int supported = 0;
    impl->GetCapability(QX_SCANNER_CAP_IMPRINTER, supported);
    return supported;
}

int CQXImprinterAdapter::_ReadEnable(CZKTWSourceManager* sourceManager, int& enable)
{
    TW_BOOL item = FALSE;
    if (sourceManager->GetCapOnevalue(CAP_PRINTERENABLED, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &item) != ZKTW_CAP_SUCCESS)
        return 0;
    enable = item ? 1 : 0;
    return 1;
}

int CQXImprinterAdapter::_WriteEnable(CZKTWSourceManager* sourceManager, int enable)
{
    return SQXSettingsCaps::WriteBool(sourceManager, CAP_PRINTERENABLED, enable != 0) ? 1 : 0;
}

int CQXImprinterAdapter::_ReadIndex(CZKTWSourceManager* sourceManager, unsigned& index)
{
    TW_UINT32 item = 0;
    if (sourceManager->GetCapOnevalue(CAP_PRINTERINDEX, ZKTW_GETCAP_CURRENT, TWTY_UINT32, &item) != ZKTW_CAP_SUCCESS)
        return 0;
    index = item;
    return 1;
}

int CQXImprinterAdapter::_WriteIndex(CZKTWSourceManager* sourceManager, unsigned index)
{
    const TW_UINT32 item = index;
    return sourceManager->SetCapOnevalue(CAP_PRINTERINDEX, TWTY_UINT32, &item) == ZKTW_CAP_SUCCESS ? 1 : 0;
}
