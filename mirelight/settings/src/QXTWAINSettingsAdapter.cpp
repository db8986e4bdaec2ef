#include <mirelight/QXScannerImpl.h>
#include <mirelight/QXTWAINSettingsAdapter.h>

int CQXTWAINSettingsAdapter::_CheckSupport(CQXScannerImpl*) { return 1; }

int CQXTWAINSettingsAdapter::_CheckPrecondition(CQXScannerImpl*) { return 1; }

int CQXTWAINSettingsAdapter::_WriteToScanner(CQXScannerImpl* impl)
{
    CZKTWSourceManager* sourceManager = impl ? impl->GetSessionManager().GetTWAIN() : nullptr;
    if (!sourceManager)
        return 0;
    return _WriteToScanner(sourceManager);
}

int CQXTWAINSettingsAdapter::_WriteToScanner(CZKTWSourceManager* sourceManager)
{
    return _DoWriteConfigToScanner(sourceManager);
}
