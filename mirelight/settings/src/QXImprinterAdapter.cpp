#include <mirelight/QXImprinterAdapter.h>
#include <mirelight/QXScannerHelper.h>
#include <mirelight/QXScannerImpl.h>

CQXImprinterAdapter* CQXImprinterAdapter::GenerateAdapter(EQXScannerFamily)
{
    return nullptr;
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
