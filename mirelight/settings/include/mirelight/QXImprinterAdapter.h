// The scanner's imprinter: the base of the per-family imprinter adapters,
// with the factory and the capability accesses every family shares.
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

    virtual unsigned getSuffixLengthLimit() const { return 255; }
    virtual unsigned getIndexLimit() const { return 4294967295u; }

    // CAP_PRINTERENABLED and CAP_PRINTERINDEX; 1 on success.
    static int _ReadEnable(CZKTWSourceManager* sourceManager, int& enable);
    static int _WriteEnable(CZKTWSourceManager* sourceManager, int enable);
    static int _ReadIndex(CZKTWSourceManager* sourceManager, unsigned& index);
    static int _WriteIndex(CZKTWSourceManager* sourceManager, unsigned index);

protected:
    CQXImprinterAdapter() = default;

    // The open scanner's capability table says whether it has an imprinter.
    int _CheckSupport(CQXScannerImpl* impl) override;
};
