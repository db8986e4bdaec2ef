// An adapter that programs its feature through the TWAIN capabilities of the
// open source.
#pragma once

#include <mirelight/QXScannerSettingsAdapter.h>
#include <mirelight/mirelight_export.h>

class CZKTWSourceManager;

class MIRELIGHT_EXPORT CQXTWAINSettingsAdapter : public CQXScannerSettingsAdapter
{
protected:
    CQXTWAINSettingsAdapter() = default;

    // Every scanner of the family has the feature and it may always be
    // written, unless a feature base says otherwise.
    int _CheckSupport(CQXScannerImpl* impl) override;
    int _CheckPrecondition(CQXScannerImpl* impl) override;

    // Reaches the implementation's TWAIN source manager; 0 when it has none.
    int _WriteToScanner(CQXScannerImpl* impl) override;
    // Writes the feature's configuration, unless a feature base does more.
    virtual int _WriteToScanner(CZKTWSourceManager* sourceManager);
    virtual int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) = 0;
};
