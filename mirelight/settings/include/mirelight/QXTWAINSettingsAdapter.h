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

    // Reaches the implementation's TWAIN source manager; 0 when it has none.
    int _WriteToScanner(CQXScannerImpl* impl) override;
    virtual int _WriteToScanner(CZKTWSourceManager* sourceManager) = 0;
};
