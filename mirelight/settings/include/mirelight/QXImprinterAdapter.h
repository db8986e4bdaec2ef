// The scanner's imprinter. The per-family imprinter adapters are not part
// of this library yet: the factory answers null for every family, so a
// manipulator treats the imprinter as absent.
#pragma once

#include <mirelight/QXTWAINSettingsAdapter.h>
#include <mirelight/mirelight_export.h>

class MIRELIGHT_EXPORT CQXImprinterAdapter : public CQXTWAINSettingsAdapter
{
public:
    // A new adapter of the family's leaf class, or null; the caller owns it.
    static CQXImprinterAdapter* GenerateAdapter(EQXScannerFamily family);
    static CQXImprinterAdapter* GenerateAdapter(const wchar_t* scannerName);

    // The leaves compare and copy their own records.
    int Compare(const CQXScannerSettingsAdapter&) const override { return 0; }
    void Copy(const CQXScannerSettingsAdapter&) override {}

protected:
    CQXImprinterAdapter() = default;

    // The open scanner's capability table says whether it has an imprinter.
    int _CheckSupport(CQXScannerImpl* impl) override;
};
