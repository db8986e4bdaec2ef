// A family's four adapters (imprinter, image address, batch, patch; nulls
// included) in the order the settings buffers carry them, owned as a unit.
// Reads go into such a staging list first, so a refused buffer changes
// nothing.
#pragma once

#include <mirelight/QXScannerSettingsAdapter.h>

#include <memory>
#include <vector>

class CQXSettingsAdapterList
{
public:
    explicit CQXSettingsAdapterList(EQXScannerFamily family);

    // Borrowed pointers, four entries.
    std::vector<CQXScannerSettingsAdapter*> Get() const;

private:
    std::vector<std::unique_ptr<CQXScannerSettingsAdapter>> m_adapters;
};
