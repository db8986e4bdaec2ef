#include <mirelight/QXScannerImpl.h>
#include <mirelight/QXTWAINSettingsAdapter.h>

int CQXTWAINSettingsAdapter::_WriteToScanner(CQXScannerImpl* impl)
{
    CZKTWSourceManager* sourceManager = impl ? impl->GetSessionManager().GetTWAIN() : nullptr;
    if (!sourceManager)
        return 0;
    return _WriteToScanner(sourceManager);
}
